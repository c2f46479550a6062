// Resource ids of phonesim.exe.
#pragma once

#define IDR_PHONESIM 101
