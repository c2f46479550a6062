#include "platform/phonesim/ScFile.h"

#include "com/HResult.h"
#include "platform/phonesim/CopyOutOperation.h"
#include "platform/phonesim/EntryMoves.h"
#include "platform/phonesim/ObjectHelpers.h"
#include "platform/phonesim/OleDate.h"
#include "platform/phonesim/SimWorld.h"

namespace phonesim {

HRESULT MakeFileObject(const PhoneRef& phone, const LinkRef& link, const PhonePath& path, ISCFile** file)
{
    RETURN_HR_IF_NULL(E_POINTER, file);
    *file = nullptr;
    tolv::com::com_ptr<tolv::com::ComObject<CScFile>> made;
    RETURN_IF_FAILED(tolv::com::ComObject<CScFile>::Create(made, phone, link, path));
    if (CSimWorld::Instance().Faults().StaleSizes()) {
        EntryFacts facts;
        if (SUCCEEDED(made->ReadFacts(facts))) {
            made->m_sizeWhenMade = SaturatedLong(facts.size);
        }
    }
    return made->QueryInterface(IID_ISCFile, reinterpret_cast<void**>(file));
}

HRESULT CScFile::ReadFacts(EntryFacts& facts) const
{
    RETURN_IF_FAILED(CheckConnected(*m_phone));
    const HRESULT hr = ReadEntryFacts(m_phone->PcPath(m_path), facts);
    if (FAILED(hr) || facts.IsFolder()) {
        return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    }
    return S_OK;
}

HRESULT CScFile::GetName(BSTR* name)
{
    return ReturnText(m_path.Text(), name);
}

HRESULT CScFile::GetKind(LONG* kind)
{
    return ReturnLong(2, kind);
}

HRESULT CScFile::GetShortName(BSTR* name)
{
    return ReturnText(m_path.OwnName(), name);
}

HRESULT CScFile::GetAttributes(LONG* attributes)
{
    RETURN_HR_IF_NULL(E_POINTER, attributes);
    *attributes = 0;
    EntryFacts facts;
    RETURN_IF_FAILED(ReadFacts(facts));
    *attributes = static_cast<LONG>(m_phone->Attributes().Read(m_path.drive, m_path.Relative(), facts));
    return S_OK;
}

HRESULT CScFile::SetAttributes(LONG attributes)
{
    EntryFacts facts;
    RETURN_IF_FAILED(ReadFacts(facts));
    RETURN_HR_IF(E_INVALIDARG, (static_cast<DWORD>(attributes) & ~kPhoneAttributeMask) != 0);
    return m_phone->Attributes().Write(m_path.drive, m_path.Relative(), m_phone->PcPath(m_path),
                                       static_cast<DWORD>(attributes));
}

HRESULT CScFile::GetSize(LONG* size)
{
    RETURN_HR_IF_NULL(E_POINTER, size);
    *size = 0;
    EntryFacts facts;
    RETURN_IF_FAILED(ReadFacts(facts));
    *size = m_sizeWhenMade.value_or(SaturatedLong(facts.size));
    return S_OK;
}

HRESULT CScFile::GetDate(DATE* date)
{
    RETURN_HR_IF_NULL(E_POINTER, date);
    *date = 0;
    EntryFacts facts;
    RETURN_IF_FAILED(ReadFacts(facts));
    *date = FileTimeToOleDate(facts.lastWrite);
    return S_OK;
}

HRESULT CScFile::SetDate(DATE date)
{
    EntryFacts facts;
    RETURN_IF_FAILED(ReadFacts(facts));
    FILETIME time{};
    RETURN_HR_IF(E_INVALIDARG, !OleDateToFileTime(date, time));
    const std::wstring pcPath = m_phone->PcPath(m_path);
    RETURN_IF_FAILED(SetFileTimes(pcPath, time, false));
    m_phone->Attributes().Refresh(m_path.drive, m_path.Relative(), pcPath);
    return S_OK;
}

HRESULT CScFile::CopyToPC(BSTR pcPath, LONG* requestId)
{
    RETURN_HR_IF_NULL(E_POINTER, requestId);
    *requestId = 0;
    EntryFacts facts;
    RETURN_IF_FAILED(ReadFacts(facts));
    std::wstring target = TextOf(pcPath);
    RETURN_HR_IF(E_INVALIDARG, target.empty());
    // A folder (existing, or written with a trailing backslash) receives the file's name.
    if (target.back() == L'\\' || target.back() == L'/' || IsExistingFolder(target)) {
        target = JoinPath(target, m_path.OwnName());
    }
    const size_t cut = target.find_last_of(L"\\/");
    RETURN_HR_IF(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND),
                 cut != std::wstring::npos && !IsExistingFolder(target.substr(0, cut == 2 ? 3 : cut)));
    try {
        auto operation = std::make_shared<CCopyOutOperation>(m_phone, m_link, m_path, target);
        return CSimWorld::Instance().Runner().Start(operation, *requestId);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CScFile::GetFolder(ISCFolder** folder)
{
    RETURN_HR_IF_NULL(E_POINTER, folder);
    *folder = nullptr;
    RETURN_IF_FAILED(CheckConnected(*m_phone));
    return MakeFolderObject(m_phone, m_link, m_path.Parent(), folder);
}

HRESULT CScFile::Delete()
{
    EntryFacts facts;
    RETURN_IF_FAILED(ReadFacts(facts));
    // The phone refuses to delete a read-only file, as a PC does.
    RETURN_HR_IF(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED), facts.attributes & FILE_ATTRIBUTE_READONLY);
    RETURN_LAST_ERROR_IF(!DeleteFileW(m_phone->PcPath(m_path).c_str()));
    m_phone->Attributes().Forget(m_path.drive, m_path.Relative());
    return S_OK;
}

HRESULT CScFile::Rename(BSTR newName)
{
    EntryFacts facts;
    RETURN_IF_FAILED(ReadFacts(facts));
    PhonePath to;
    RETURN_HR_IF(E_INVALIDARG, !ResolveNewName(TextOf(newName), m_path.Parent(), to));
    RETURN_IF_FAILED(MoveEntry(*m_phone, m_path, to, false));
    m_path = to;
    return S_OK;
}

}  // namespace phonesim
