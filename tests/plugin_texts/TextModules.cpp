#include "tests/plugin_texts/TextModules.h"

#include <string>

#include "resources/ResourceOwners.h"

namespace {

tolv::resources::unique_module LoadBesideProgram(const wchar_t* fileName)
{
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring path = program;
    path = path.substr(0, path.find_last_of(L'\\') + 1) + fileName;
    return tolv::resources::unique_module(LoadLibraryW(path.c_str()));
}

}  // namespace

HMODULE TunepaneTextsModule()
{
    static const tolv::resources::unique_module module = LoadBesideProgram(L"TunepaneStrings.dll");
    return module.get();
}

HMODULE PhotopaneTextsModule()
{
    static const tolv::resources::unique_module module = LoadBesideProgram(L"PhotopaneStrings.dll");
    return module.get();
}
