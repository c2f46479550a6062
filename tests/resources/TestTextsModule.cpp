#include "tests/resources/TestTextsModule.h"

#include "resources/ResourceOwners.h"

std::wstring TestTextsPath()
{
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring path = program;
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"PellaryTestTexts.dll";
}

HMODULE TestTextsModule()
{
    static const tolv::resources::unique_module module(LoadLibraryW(TestTextsPath().c_str()));
    return module.get();
}
