#include "KivctlProcess.h"

namespace {

std::wstring FromUtf8(const std::string& bytes)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
    return text;
}

}  // namespace

CKivctlChild::CKivctlChild(const std::wstring& arguments)
    : m_child(ProgramCommand(BinaryPath(L"kivctl.exe"), arguments),
              CChildProcess::kCaptureOutput | CChildProcess::kErrorsApart | CChildProcess::kOwnConsole)
{
}

std::wstring CKivctlChild::ErrorSoFar() const
{
    return FromUtf8(m_child.Errors());
}

std::wstring CKivctlChild::OutputSoFar() const
{
    return FromUtf8(m_child.Output());
}

KivctlRun CKivctlChild::Finish(DWORD timeoutMs)
{
    KivctlRun run;
    run.exitCode = m_child.Finish(timeoutMs);
    run.outBytes = m_child.Output();
    run.out = FromUtf8(run.outBytes);
    run.err = ErrorSoFar();
    return run;
}

KivctlRun RunKivctl(const std::wstring& arguments, DWORD timeoutMs)
{
    return CKivctlChild(arguments).Finish(timeoutMs);
}
