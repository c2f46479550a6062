#pragma once
// Registry scripts of Kivlink's executable.
#define IDR_KIVLINK_APPID 100
#define IDR_KIVVOLUME2 101
#define IDR_KIVGENERAL 102
#define IDR_KIVMOBILEPHONE 218
