#include "MessageFilterSwitch.h"

#include "trace/RegistryKey.h"

bool MessageFilterSwitchedOn()
{
    tolv::trace::CRegistryKey settings;
    DWORD value = 0;
    return settings.OpenForReading(HKEY_LOCAL_MACHINE, "Software\\Vostrel\\Pellary") &&
           settings.ReadDword("KivlinkUseMessageFilter", value) && value != 0;
}
