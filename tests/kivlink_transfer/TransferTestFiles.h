#pragma once
// PC files for the copy tests: a fresh folder per test (also set as the process's temporary
// folder, so that nothing touches the real one) and files of a given size.
#include <windows.h>
#include <oleauto.h>

#include <string>

class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // With its trailing backslash.
    const std::wstring& Path() const { return m_path; }
    std::wstring operator/(const std::wstring& name) const { return m_path + name; }

private:
    std::wstring m_path;
    std::wstring m_previousTmp;
    bool m_hadTmp = false;
};

void WritePcFile(const std::wstring& path, size_t bytes, char fill = 'x');
std::string ReadPcFile(const std::wstring& path);
bool PcFileExists(const std::wstring& path);
bool PcFolderExists(const std::wstring& path);
// Makes the file bytes long without writing them (sparse where the file system allows).
void ResizePcFile(const std::wstring& path, ULONGLONG bytes);
