#include "plugins/common/DetachedThread.h"

#include <windows.h>
#include <objbase.h>
#include <process.h>

#include <memory>

#include "com/ComInit.h"
#include "com/Module.h"
#include "com/UniqueHandle.h"

namespace tolv::plugins {

namespace {

struct ThreadStart {
    std::function<void()> body;
    ThreadApartment apartment;
    HMODULE module;  // a reference of this thread's own, given back as the thread ends
};

unsigned __stdcall ThreadMain(void* parameter)
{
    const HMODULE module = static_cast<ThreadStart*>(parameter)->module;
    {
        std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(parameter));
        // The module lock keeps DllCanUnloadNow from answering S_OK while the body runs;
        // the module reference covers the few instructions after it.
        tolv::com::module_lock lock;
        if (start->apartment == ThreadApartment::SingleThreaded) {
            tolv::com::com_init com(COINIT_APARTMENTTHREADED);
            start->body();
        } else {
            start->body();
        }
    }
    FreeLibraryAndExitThread(module, 0);
}

}  // namespace

bool StartDetachedThread(std::function<void()> body, ThreadApartment apartment)
{
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&ThreadMain), &module)) {
        return false;
    }
    auto start = std::make_unique<ThreadStart>(ThreadStart{std::move(body), apartment, module});
    tolv::com::unique_handle thread(
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &ThreadMain, start.get(), 0, nullptr)));
    if (!thread.valid()) {
        FreeLibrary(module);
        return false;
    }
    start.release();  // the thread owns it now
    return true;
}

}  // namespace tolv::plugins
