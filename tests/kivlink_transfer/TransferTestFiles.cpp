#include "TransferTestFiles.h"

#include "tests/TestTree.h"

#include <gtest/gtest.h>

#include <winioctl.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::wstring ReadTmp(bool& present)
{
    wchar_t value[1024] = {};
    DWORD length = GetEnvironmentVariableW(L"TMP", value, 1024);
    present = length > 0 && length < 1024;
    return present ? std::wstring(value) : std::wstring();
}

}  // namespace

TestFolder::TestFolder()
{
    m_previousTmp = ReadTmp(m_hadTmp);
    wchar_t base[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, base);
    static LONG counter = 0;
    std::wstring path = std::wstring(base) + L"PellaryTransfer" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                        std::to_wstring(InterlockedIncrement(&counter));
    RemoveTestTree(path);
    std::filesystem::create_directories(path);
    m_path = path + L"\\";
    SetEnvironmentVariableW(L"TMP", path.c_str());
}

TestFolder::~TestFolder()
{
    SetEnvironmentVariableW(L"TMP", m_hadTmp ? m_previousTmp.c_str() : nullptr);
    RemoveTestTree(m_path);
}

void WritePcFile(const std::wstring& path, size_t bytes, char fill)
{
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out << std::string(bytes, fill);
    ASSERT_TRUE(out.good()) << "cannot write the test file";
}

std::string ReadPcFile(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool PcFileExists(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PcFolderExists(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void ResizePcFile(const std::wstring& path, ULONGLONG bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD unused = 0;
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &unused, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(bytes);
    EXPECT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN));
    EXPECT_TRUE(SetEndOfFile(file));
    CloseHandle(file);
}
