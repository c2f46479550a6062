#pragma once
// A folder of the benchmark's own in the Windows temporary folder, removed with everything
// in it when the owner goes. Its name must not begin with "Kiv": the server's temporary-file
// clean-up deletes Kiv*.* in the same folder.
#include <string>

class CScratchFolder {
public:
    explicit CScratchFolder(const wchar_t* prefix);
    ~CScratchFolder();
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;

    bool Created() const { return m_created; }
    const std::wstring& Path() const { return m_path; }
    std::wstring operator/(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
    bool m_created = false;
};

// Creates the folder and every missing one above it.
bool CreateFolderPath(const std::wstring& path);
// Removes a folder with everything below it; read-only files go too.
bool RemoveFolderTree(const std::wstring& path);
