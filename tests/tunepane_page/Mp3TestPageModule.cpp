// mp3pagetest.dll: the MP3 page as an in-process COM class of its own, with its resources in
// this module, so that the page frame shows it as the host would.
#include <windows.h>

#include <string>

#include "com/ClassFactory.h"
#include "com/Module.h"
#include "com/RegistryScript.h"
#include "plugins/tunepane/Mp3PageTexts.h"
#include "plugins/tunepane/Mp3ProfileLocation.h"
#include "plugins/tunepane/Mp3PropertyPage.h"
#include "plugins/tunepane/TunepaneStringIds.h"
#include "resources/LanguageModuleResource.h"
#include "tests/tunepane_page/Mp3TestPageClass.h"

namespace {

tolv::com::Module g_module;

IModuleResource& Texts()
{
    static CLanguageModuleResource texts(g_module.GetInstance());
    return texts;
}

tolv::tunepane::CMp3SettingsStore TestStore()
{
    wchar_t profile[MAX_PATH] = {};
    if (GetEnvironmentVariableW(kMp3TestProfileVariable, profile, MAX_PATH) == 0) {
        return tolv::tunepane::CurrentUserStore(g_module.GetInstance(), Texts());
    }
    return tolv::tunepane::CMp3SettingsStore(
        profile, tolv::tunepane::LoginName(),
        tolv::tunepane::LoadWideText(Texts(), tolv::tunepane::IDS_DEFAULT_PHONE_PATH),
        tolv::tunepane::DocumentsFolder());
}

UINT FrameworkMessage()
{
    static const UINT message = RegisterWindowMessageW(kMp3TestFrameworkMessage);
    return message;
}

class CTestMp3Page : public tolv::tunepane::CMp3PropertyPage {
public:
    CTestMp3Page() : CMp3PropertyPage(Texts(), TestStore(), nullptr, g_module.GetInstance())
    {
        SetDocString(kMp3TestDocString);
    }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == FrameworkMessage()) {
            SetFrameworkConnected(wParam != 0);
            result = TRUE;
            return true;
        }
        return CMp3PropertyPage::OnMessage(message, wParam, lParam, result);
    }
};

const tolv::com::ClassObjectTable& Classes()
{
    static const tolv::com::ClassObjectTable classes{tolv::com::ClassEntryFor<CTestMp3Page>(kMp3TestPageClsid)};
    return classes;
}

}  // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** result)
{
    return Classes().GetClassObject(clsid, iid, result);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow(void)
{
    return tolv::com::ClassObjectTable::CanUnloadNow();
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer(void)
{
    return tolv::com::RunRegistryScript(g_module.GetInstance(), IDR_MP3_TEST_PAGE_REGISTRY, true);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer(void)
{
    return tolv::com::RunRegistryScript(g_module.GetInstance(), IDR_MP3_TEST_PAGE_REGISTRY, false);
}
