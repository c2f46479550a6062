#include "KivServerTrace.h"

#include "core/KivlinkModule.h"

CTolvTrace* KivServerTrace()
{
    if (CExeModule* module = CExeModule::Current())
        return module->GetModuleTrace();
    // Without a server (tests of single classes) the lines go to the same file name.
    static CTolvTrace fallback("Kivlink", 3, true);
    return &fallback;
}
