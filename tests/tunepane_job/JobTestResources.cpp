#include "JobTestResources.h"

HINSTANCE JobResourceModule()
{
    static const HINSTANCE module = LoadLibraryW(L"Mp3JobTestResources.dll");
    return module;
}

CModuleResource& JobTexts()
{
    static CModuleResource texts(JobResourceModule());
    return texts;
}
