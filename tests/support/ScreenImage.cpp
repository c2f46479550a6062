#include "tests/support/ScreenImage.h"

#include <windows.h>

#include "com/ScopeExit.h"
#include "tests/support/ChildProcess.h"

namespace {

constexpr wchar_t kImportProgram[] = L"Z:\\usr\\bin\\import";
constexpr DWORD kImportWaitMs = 30000;
constexpr DWORD kPollMs = 100;

LONGLONG FileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return -1;
    }
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Wine's own mapping of a Windows path to the Unix one, for a Unix program's arguments.
std::wstring UnixPathOf(const std::wstring& path)
{
    using Mapper = char*(CDECL*)(const wchar_t*);
    const auto map = reinterpret_cast<Mapper>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (map == nullptr) {
        return {};
    }
    char* unixPath = map(path.c_str());
    if (unixPath == nullptr) {
        return {};
    }
    auto freePath = tolv::com::scope_exit([&] { HeapFree(GetProcessHeap(), 0, unixPath); });
    const int length = MultiByteToWideChar(CP_UTF8, 0, unixPath, -1, nullptr, 0);
    if (length <= 1) {
        return {};
    }
    std::wstring wide(static_cast<size_t>(length - 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, unixPath, -1, wide.data(), length);
    return wide;
}

}  // namespace

std::wstring ArtefactPath(const wchar_t* fileName)
{
    // Test programs live in build\bin; the artefacts beside it.
    const std::wstring folder = BinaryPath(L"..\\artefacts");
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\" + fileName;
}

bool SaveScreenImage(const std::wstring& path)
{
    const std::wstring target = UnixPathOf(path);
    if (target.empty()) {
        return false;
    }
    DeleteFileW(path.c_str());
    // Wine starts a Unix program but hands back no process (CreateProcess even reports a
    // failure): the file tells when it is done, once its size has stopped growing.
    CChildProcess import(ProgramCommand(kImportProgram, L"-window root \"" + target + L"\""));
    LONGLONG seen = -1;
    for (DWORD waited = 0; waited < kImportWaitMs; waited += kPollMs) {
        Sleep(kPollMs);
        const LONGLONG size = FileSize(path);
        if (size > 0 && size == seen) {
            import.LetRun();
            return true;
        }
        seen = size;
    }
    return false;
}
