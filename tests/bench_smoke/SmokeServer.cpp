// The bench's test-only local server: one class, ended when its last object goes.
#include "SmokeCalculator.h"

#include "com/ClassFactory.h"
#include "com/ConnectionPoint.h"
#include "com/DispatchImpl.h"
#include "com/HResult.h"
#include "com/RegistryScript.h"
#include "com/TypeLibRegistration.h"

#include <windows.h>

namespace {

const tolv::com::TypeLibrary g_smokeLibrary{&LIBID_PellarySmokeLib, 1, 0};

class SmokeModule : public tolv::com::Module {
public:
    explicit SmokeModule(DWORD mainThread) : m_mainThread(mainThread) {}
    LONG Unlock() noexcept override
    {
        LONG count = tolv::com::Module::Unlock();
        if (count == 0)
            PostThreadMessageW(m_mainThread, WM_QUIT, 0, 0);
        return count;
    }

private:
    DWORD m_mainThread;
};

class CSmokeCalculator : public tolv::com::DispatchImpl<ISmokeCalculator, g_smokeLibrary>,
                         public tolv::com::ConnectionPointContainer {
public:
    using interface_map = tolv::com::interface_map<ISmokeCalculator, IConnectionPointContainer>;

    CSmokeCalculator() : m_events(AddConnectionPoint(DIID__ISmokeEvents)) {}

    HRESULT STDMETHODCALLTYPE Add(LONG a, LONG b, LONG* sum) override
    {
        RETURN_HR_IF_NULL(E_POINTER, sum);
        *sum = a + b;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE AskSinks(BSTR question, VARIANT_BOOL* answer) override
    {
        RETURN_HR_IF_NULL(E_POINTER, answer);
        *answer = VARIANT_FALSE;
        std::vector<tolv::com::com_ptr<IDispatch>> sinks;
        RETURN_IF_FAILED(m_events.Sinks(sinks));
        for (const auto& sink : sinks) {
            VARIANT_BOOL said = VARIANT_FALSE;
            tolv::com::DispatchArguments arguments;
            arguments.add_string(question);
            arguments.add_bool_ref(&said);
            tolv::com::InvokeSink(sink.get(), 1, arguments);
            if (said == VARIANT_TRUE)
                *answer = VARIANT_TRUE;
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE ProcessId(LONG* id) override
    {
        RETURN_HR_IF_NULL(E_POINTER, id);
        *id = static_cast<LONG>(GetCurrentProcessId());
        return S_OK;
    }

private:
    tolv::com::ConnectionPoint& m_events;
};

bool HasSwitch(const wchar_t* commandLine, const wchar_t* name)
{
    for (const wchar_t* p = commandLine; *p; ++p) {
        if ((*p == L'/' || *p == L'-') && CompareStringOrdinal(p + 1, -1, name, -1, TRUE) == CSTR_EQUAL)
            return true;
    }
    return false;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int)
{
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)))
        return 1;
    SmokeModule module(GetCurrentThreadId());
    HRESULT hr = S_OK;
    if (HasSwitch(commandLine, L"RegServer")) {
        hr = tolv::com::RunRegistryScript(instance, 100, true);
        if (SUCCEEDED(hr))
            hr = tolv::com::RegisterTypeLibFromModule(instance);
    } else if (HasSwitch(commandLine, L"UnregServer")) {
        tolv::com::UnregisterTypeLibFromModule(instance);
        hr = tolv::com::RunRegistryScript(instance, 100, false);
    } else {
        tolv::com::ClassObjectTable classes{tolv::com::ClassEntryFor<CSmokeCalculator>(CLSID_SmokeCalculator)};
        hr = classes.RegisterClassObjects();
        if (SUCCEEDED(hr))
            hr = tolv::com::ClassObjectTable::ResumeClassObjects();
        if (SUCCEEDED(hr)) {
            MSG message;
            while (GetMessageW(&message, nullptr, 0, 0) > 0)
                DispatchMessageW(&message);
        }
        classes.RevokeClassObjects();
    }
    CoUninitialize();
    return SUCCEEDED(hr) ? 0 : static_cast<int>(hr);
}
