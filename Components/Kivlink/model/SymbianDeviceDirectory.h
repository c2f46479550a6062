#pragma once
// A folder of a phone drive with the child folders and files read from it so far. Each of
// the two child rings is read on first need and re-read once when a lookup misses.
#include "FileDescription.h"
#include "NamedRing.h"

#include "com/ComPtr.h"

#include "SymbianConnect.h"

#include <vector>

class CTolvTrace;

class CSymbianDeviceDirectory : public NamedRing<CSymbianDeviceDirectory> {
public:
    // name: the last component of fullPath (the drive, such as "E:", for a root folder).
    CSymbianDeviceDirectory(CTolvTrace* trace, tolv::com::com_ptr<ISCFolder> folder, CKivString name,
                            CKivString fullPath);
    ~CSymbianDeviceDirectory() override;

    const CKivString& GetName() const override { return m_name; }
    const CKivString& FullPath() const { return m_fullPath; }
    CTolvTrace* Trace() const { return m_trace; }
    CFileDescription Describe() { return CFileDescription(this, m_fullPath); }

    // Find by name (letter case ignored); a miss drops the ring and reads it once more.
    HRESULT GetSubFolder(const wchar_t* name, CFileDescription& folder);
    HRESULT GetFileInFolder(const wchar_t* name, CFileDescription& file);

    // Drop the ring and read it again from the phone (listings never answer from the cache).
    HRESULT RereadSubFolders();
    HRESULT RereadFiles();
    const std::vector<CFileDescription>& SubFolderDescriptions() const { return m_folderDescriptions; }
    const std::vector<CFileDescription>& FileDescriptions() const { return m_fileDescriptions; }
    bool SubFoldersRead() const { return m_foldersRead; }
    bool FilesRead() const { return m_filesRead; }

    // Drops both child rings; they are read again when next needed.
    void Invalidate();

    HRESULT CreateSubFolder(const wchar_t* name);
    // Starts a copy of a PC file into this folder (under the PC file's name); the phone
    // answers the request id of the running copy.
    HRESULT StartCopyFromPC(const wchar_t* pcPath, long& requestId);
    HRESULT RenameChildFile(const wchar_t* fileName, const wchar_t* newName);
    // Removes the folder on the phone; the phone decides whether a non-empty one may go.
    HRESULT Remove();
    HRESULT Move(const wchar_t* newName);

private:
    void DropSubFolders();
    void DropFiles();
    void ReadSubFolders();
    void ReadFiles();

    CTolvTrace* m_trace;
    tolv::com::com_ptr<ISCFolder> m_folder;
    CSymbianDeviceDirectory* m_folders = nullptr;
    std::vector<CFileDescription> m_folderDescriptions;
    CSymbianDeviceFile* m_files = nullptr;
    std::vector<CFileDescription> m_fileDescriptions;
    bool m_foldersRead = false;
    bool m_filesRead = false;
    CKivString m_name;
    CKivString m_fullPath;
};
