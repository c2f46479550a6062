// Resource ids of envserver.exe.
#pragma once

#define IDR_ENVIRONMENTSERVER 101
