#include "SymbianDeviceDirectory.h"

#include "PhoneCalls.h"
#include "ProxyKeeper.h"
#include "SymbianDeviceFile.h"

#include "KivlinkLib.h"

#include <utility>

TOLV_TRACE_UNIT("CSymbianDeviceDirectory");

namespace {

// Reads one child collection of a folder into a new ring with its descriptions; the phone
// reports each child's full path, the object is named by its last component. Nothing of a
// partly read collection is kept.
template <class Node, class Interface, class Collection>
void ReadChildren(CTolvTrace* trace, Collection* collection, Node*& head, std::vector<CFileDescription>& descriptions)
{
    long count = 0;
    KIV_THROW_IF_FAILED(KIV_REQUIRE(collection)->GetCount(&count));
    Node* newHead = nullptr;
    std::vector<CFileDescription> newDescriptions;
    try {
        for (long index = 1; index <= count; ++index) {
            tolv::com::com_ptr<ISCItem> item;
            KIV_THROW_IF_FAILED(collection->Item(tolv::com::LongVariant(index), item.put()));
            KeepFirstProxyOf(item.get(), IID_ISCItem);
            BSTR path = nullptr;
            KIV_THROW_IF_FAILED(KIV_REQUIRE(item.get())->GetName(&path));
            CKivString fullPath = AdoptText(path);
            tolv::com::com_ptr<Interface> object;
            KIV_THROW_IF_FAILED(item.query(object));
            KIV_REQUIRE(object.get());
            Node* node = new Node(trace, std::move(object), LastPathComponent(fullPath), fullPath);
            CFileDescription description(node, fullPath);
            newDescriptions.push_back(description);
            NamedRing<Node>::Append(newHead, node);
        }
    } catch (...) {
        NamedRing<Node>::UnlinkAll(newHead);
        throw;
    }
    head = newHead;
    descriptions = std::move(newDescriptions);
}

}  // namespace

CSymbianDeviceDirectory::CSymbianDeviceDirectory(CTolvTrace* trace, tolv::com::com_ptr<ISCFolder> folder,
                                                 CKivString name, CKivString fullPath)
    : m_trace(trace),
      m_folder(std::move(folder)),
      m_name(std::move(name)),
      m_fullPath(std::move(fullPath))
{
}

CSymbianDeviceDirectory::~CSymbianDeviceDirectory()
{
    DropSubFolders();
    DropFiles();
}

void CSymbianDeviceDirectory::DropSubFolders()
{
    NamedRing<CSymbianDeviceDirectory>::UnlinkAll(m_folders);
    m_folderDescriptions.clear();
    m_foldersRead = false;
}

void CSymbianDeviceDirectory::DropFiles()
{
    NamedRing<CSymbianDeviceFile>::UnlinkAll(m_files);
    m_fileDescriptions.clear();
    m_filesRead = false;
}

void CSymbianDeviceDirectory::ReadSubFolders()
{
    tolv::com::com_ptr<ISCFolderCollection> folders;
    KIV_THROW_IF_FAILED(KIV_REQUIRE(m_folder.get())->GetFolders(folders.put()));
    KeepFirstProxyOf(folders.get(), IID_ISCFolderCollection);
    ReadChildren<CSymbianDeviceDirectory, ISCFolder>(m_trace, folders.get(), m_folders, m_folderDescriptions);
    m_foldersRead = true;
}

void CSymbianDeviceDirectory::ReadFiles()
{
    tolv::com::com_ptr<ISCFileCollection> files;
    KIV_THROW_IF_FAILED(KIV_REQUIRE(m_folder.get())->GetFiles(files.put()));
    KeepFirstProxyOf(files.get(), IID_ISCFileCollection);
    ReadChildren<CSymbianDeviceFile, ISCFile>(m_trace, files.get(), m_files, m_fileDescriptions);
    m_filesRead = true;
}

void CSymbianDeviceDirectory::Invalidate()
{
    DropSubFolders();
    DropFiles();
}

HRESULT CSymbianDeviceDirectory::RereadSubFolders()
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&] {
        DropSubFolders();
        ReadSubFolders();
        return S_OK;
    });
}

HRESULT CSymbianDeviceDirectory::RereadFiles()
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&] {
        DropFiles();
        ReadFiles();
        return S_OK;
    });
}

HRESULT CSymbianDeviceDirectory::GetSubFolder(const wchar_t* name, CFileDescription& folder)
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&]() -> HRESULT {
        if (m_foldersRead)
            if (CSymbianDeviceDirectory* found = Find(m_folders, name)) {
                folder = found->Describe();
                return S_OK;
            }
        DropSubFolders();
        ReadSubFolders();
        if (CSymbianDeviceDirectory* found = Find(m_folders, name)) {
            folder = found->Describe();
            return S_OK;
        }
        m_trace->Format(3, "E_STATE: Folder %s not found.", CKivString(name).Narrow().c_str());
        return KIV_E_FOLDERNOTFOUND;
    });
}

HRESULT CSymbianDeviceDirectory::GetFileInFolder(const wchar_t* name, CFileDescription& file)
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&]() -> HRESULT {
        const bool wasRead = m_filesRead;
        const std::string text = CKivString(name).Narrow();
        if (wasRead) {
            if (CSymbianDeviceFile* found = NamedRing<CSymbianDeviceFile>::Find(m_files, name)) {
                file = CFileDescription(found, found->FullPath());
                return S_OK;
            }
            m_trace->Format(3, "File %s not found - cash content released.", text.c_str());
            m_trace->Format(3, "GetFile: File %s not found - Free cash content.", text.c_str());
        }
        DropFiles();
        ReadFiles();
        if (CSymbianDeviceFile* found = NamedRing<CSymbianDeviceFile>::Find(m_files, name)) {
            file = CFileDescription(found, found->FullPath());
            return S_OK;
        }
        if (wasRead)
            m_trace->Format(3, "E_STATE: File %s not found in %s.", text.c_str(), m_name.Narrow().c_str());
        else
            m_trace->Format(3, "E_STATE: File %s not found.", text.c_str());
        return KIV_E_FILENOTFOUND;
    });
}

HRESULT CSymbianDeviceDirectory::CreateSubFolder(const wchar_t* name)
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&] {
        tolv::com::com_ptr<ISCFolder> created;
        KIV_THROW_IF_FAILED(KIV_REQUIRE(m_folder.get())->CreateFolder(KIV_TEXT_ARGUMENT(name).get(), created.put()));
        return S_OK;
    });
}

HRESULT CSymbianDeviceDirectory::StartCopyFromPC(const wchar_t* pcPath, long& requestId)
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&] {
        KIV_THROW_IF_FAILED(KIV_REQUIRE(m_folder.get())->CopyFromPC(KIV_TEXT_ARGUMENT(pcPath).get(), &requestId));
        return S_OK;
    });
}

HRESULT CSymbianDeviceDirectory::RenameChildFile(const wchar_t* fileName, const wchar_t* newName)
{
    CFileDescription file;
    HRESULT hr = GetFileInFolder(fileName, file);
    TOLV_RETURN_IF_FAILED_EXPECTED(hr);
    return file.File()->Rename(newName);
}

HRESULT CSymbianDeviceDirectory::Remove()
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&] {
        KIV_THROW_IF_FAILED(KIV_REQUIRE(m_folder.get())->Remove());
        return S_OK;
    });
}

HRESULT CSymbianDeviceDirectory::Move(const wchar_t* newName)
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&] {
        KIV_THROW_IF_FAILED(KIV_REQUIRE(m_folder.get())->Move(KIV_TEXT_ARGUMENT(newName).get()));
        return S_OK;
    });
}
