#include "platform/phonesim/ScFolder.h"

#include "com/HResult.h"
#include "platform/phonesim/CopyInOperation.h"
#include "platform/phonesim/EntryMoves.h"
#include "platform/phonesim/FileFacts.h"
#include "platform/phonesim/ObjectHelpers.h"
#include "platform/phonesim/OleDate.h"
#include "platform/phonesim/ScEntryCollection.h"
#include "platform/phonesim/SimResults.h"
#include "platform/phonesim/SimWorld.h"

namespace phonesim {

HRESULT MakeFolderObject(const PhoneRef& phone, const LinkRef& link, const PhonePath& path, ISCFolder** folder)
{
    RETURN_HR_IF_NULL(E_POINTER, folder);
    *folder = nullptr;
    tolv::com::com_ptr<ISCFolder> made;
    RETURN_IF_FAILED(tolv::com::MakeComObject<CScFolder>(made, phone, link, path));
    *folder = made.detach();
    return S_OK;
}

HRESULT CScFolder::CheckFolder() const
{
    RETURN_IF_FAILED(CheckConnected(*m_phone));
    return IsExistingFolder(m_phone->PcPath(m_path)) ? S_OK : HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
}

HRESULT CScFolder::GetName(BSTR* name)
{
    return ReturnText(m_path.Text(), name);
}

HRESULT CScFolder::GetKind(LONG* kind)
{
    return ReturnLong(1, kind);
}

HRESULT CScFolder::GetShortName(BSTR* name)
{
    return ReturnText(m_path.OwnName(), name);
}

HRESULT CScFolder::CreateFolder(BSTR name, ISCFolder** folder)
{
    RETURN_HR_IF_NULL(E_POINTER, folder);
    *folder = nullptr;
    RETURN_IF_FAILED(CheckFolder());
    const std::wstring childName = TextOf(name);
    RETURN_HR_IF(E_INVALIDARG, !IsValidEntryName(childName));
    const PhonePath child = m_path.Child(childName);
    const std::wstring pcPath = m_phone->PcPath(child);
    RETURN_HR_IF(kAlreadyExists, GetFileAttributesW(pcPath.c_str()) != INVALID_FILE_ATTRIBUTES);
    RETURN_LAST_ERROR_IF(!CreateDirectoryW(pcPath.c_str(), nullptr));
    return MakeFolderObject(m_phone, m_link, child, folder);
}

HRESULT CScFolder::CopyFromPC(BSTR pcPath, LONG* requestId)
{
    RETURN_HR_IF_NULL(E_POINTER, requestId);
    *requestId = 0;
    RETURN_IF_FAILED(CheckFolder());
    const std::wstring source = TextOf(pcPath);
    RETURN_HR_IF(E_INVALIDARG, source.empty());
    RETURN_HR_IF(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), !IsExistingFile(source));
    const size_t cut = source.find_last_of(L"\\/");
    const std::wstring name = cut == std::wstring::npos ? source : source.substr(cut + 1);
    RETURN_HR_IF(E_INVALIDARG, !IsValidEntryName(name));
    try {
        auto operation = std::make_shared<CCopyInOperation>(m_phone, m_link, source, m_path.Child(name));
        return CSimWorld::Instance().Runner().Start(operation, *requestId);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CScFolder::RenameFile(BSTR fileName, BSTR newName)
{
    RETURN_IF_FAILED(CheckFolder());
    const std::wstring name = TextOf(fileName);
    RETURN_HR_IF(E_INVALIDARG, !IsValidEntryName(name));
    const PhonePath from = m_path.Child(name);
    RETURN_HR_IF(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), !IsExistingFile(m_phone->PcPath(from)));
    PhonePath to;
    RETURN_HR_IF(E_INVALIDARG, !ResolveNewName(TextOf(newName), m_path, to));
    return MoveEntry(*m_phone, from, to, false);
}

HRESULT CScFolder::GetFolders(ISCFolderCollection** folders)
{
    return MakeFolderCollection(m_phone, m_link, m_path, folders);
}

HRESULT CScFolder::GetFiles(ISCFileCollection** files)
{
    return MakeFileCollection(m_phone, m_link, m_path, files);
}

HRESULT CScFolder::Remove()
{
    RETURN_IF_FAILED(CheckFolder());
    // A drive root stays; formatting empties it.
    RETURN_HR_IF(E_ACCESSDENIED, m_path.IsRoot());
    return RemoveTree(m_phone->PcPath(m_path));
}

HRESULT CScFolder::Move(BSTR newName)
{
    RETURN_IF_FAILED(CheckFolder());
    PhonePath to;
    RETURN_HR_IF(E_INVALIDARG, m_path.IsRoot() || !ResolveNewName(TextOf(newName), m_path.Parent(), to));
    RETURN_IF_FAILED(MoveEntry(*m_phone, m_path, to, true));
    m_path = to;
    return S_OK;
}

HRESULT CScFolder::GetDate(DATE* date)
{
    RETURN_HR_IF_NULL(E_POINTER, date);
    *date = 0;
    RETURN_IF_FAILED(CheckFolder());
    EntryFacts facts;
    RETURN_IF_FAILED(ReadEntryFacts(m_phone->PcPath(m_path), facts));
    *date = FileTimeToOleDate(facts.lastWrite);
    return S_OK;
}

HRESULT CScFolder::GetAttributes(LONG* attributes)
{
    RETURN_HR_IF_NULL(E_POINTER, attributes);
    *attributes = 0;
    RETURN_IF_FAILED(CheckFolder());
    EntryFacts facts;
    RETURN_IF_FAILED(ReadEntryFacts(m_phone->PcPath(m_path), facts));
    *attributes = static_cast<LONG>(
        FILE_ATTRIBUTE_DIRECTORY |
        (facts.attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)));
    return S_OK;
}

}  // namespace phonesim
