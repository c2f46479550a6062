#include "PhoneBenchRun.h"

#include "AsciiText.h"
#include "CallFailure.h"
#include "LocalServers.h"

#include "com/ComInit.h"

#include <cstdio>
#include <exception>
#include <string>

int RunPhoneBench(const wchar_t* scratchPrefix, DWORD callLimitMs, const PhoneBenchMeasure& measure,
                  std::initializer_list<const wchar_t*> servers)
{
    CScratchFolder scratch(scratchPrefix);
    if (!scratch.Created()) {
        std::printf("cannot create the benchmark's folder %s\n", Narrow(scratch.Path()).c_str());
        return 1;
    }
    CCallWatchdog watchdog(callLimitMs);
    if (!watchdog.Started()) {
        std::printf("cannot start the watchdog thread\n");
        return 1;
    }
    int status = 1;
    {
        const std::wstring phoneRoot = scratch / L"phone";
        CreateFolderPath(phoneRoot);
        CSimulatedPhone phone(phoneRoot);
        if (!phone.Connect()) {
            std::printf("cannot connect the simulated phone: %s\n", phone.Problem().c_str());
        } else {
            tolv::com::com_init com(COINIT_MULTITHREADED);
            if (!com.succeeded())
                std::printf("CoInitializeEx failed: %s\n", DescribeFailure(com.result(), nullptr, IID_NULL).c_str());
            else
                status = measure(scratch, phone, watchdog);
        }
        phone.Disconnect();
    }
    // The servers end by themselves; the folder goes only once nothing holds its files.
    WaitForServerEnd(L"Kivlink.exe");
    WaitForServerEnd(L"phonesim.exe");
    for (const wchar_t* server : servers)
        WaitForServerEnd(server);
    return status;
}

int RunPhoneBenchMain(const char* program, const std::function<int()>& run)
{
    try {
        return run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", program, error.what());
        return 1;
    }
}
