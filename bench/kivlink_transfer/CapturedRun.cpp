#include "CapturedRun.h"

#include "com/UniqueHandle.h"

#include <vector>

using tolv::com::unique_handle;

namespace {

std::string ReadWholeFile(const std::wstring& path)
{
    unique_handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
    if (!file)
        return {};
    std::string text;
    std::vector<char> buffer(4096);
    DWORD got = 0;
    while (ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0)
        text.append(buffer.data(), got);
    return text;
}

}  // namespace

CapturedRun RunCaptured(const std::wstring& program, const std::wstring& arguments, const std::wstring& outputFile,
                        DWORD timeoutMs)
{
    CapturedRun run;
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    {
        unique_handle output(CreateFileW(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable,
                                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!output)
            return run;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nullptr;
        startup.hStdOutput = output.get();
        startup.hStdError = output.get();
        std::wstring commandLine = L"\"" + program + L"\" " + arguments;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                            nullptr, &startup, &process))
            return run;
        unique_handle processHandle(process.hProcess);
        unique_handle threadHandle(process.hThread);
        // A control verb that hangs is left running: it may be inside a call to a COM
        // server, and ending it there could leave the server's registration behind.
        if (WaitForSingleObject(processHandle.get(), timeoutMs) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(processHandle.get(), &code);
            run.exitCode = static_cast<long>(code);
        } else {
            run.exitCode = -1;
        }
    }
    run.output = ReadWholeFile(outputFile);
    return run;
}
