#include "SymbianDeviceFile.h"

#include "PhoneCalls.h"

#include <utility>

TOLV_TRACE_UNIT("CSymbianDeviceFile");

CSymbianDeviceFile::CSymbianDeviceFile(CTolvTrace* trace, tolv::com::com_ptr<ISCFile> file, CKivString name,
                                       CKivString fullPath)
    : m_trace(trace),
      m_file(std::move(file)),
      m_name(std::move(name)),
      m_fullPath(std::move(fullPath))
{
}

HRESULT CSymbianDeviceFile::ReadAttributes(long& attributes)
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&] {
        KIV_THROW_IF_FAILED(KIV_REQUIRE(m_file.get())->GetAttributes(&attributes));
        return S_OK;
    });
}

HRESULT CSymbianDeviceFile::WriteAttributes(long attributes)
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&] {
        KIV_THROW_IF_FAILED(KIV_REQUIRE(m_file.get())->SetAttributes(attributes));
        return S_OK;
    });
}

HRESULT CSymbianDeviceFile::ReadSize(long& size)
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&] {
        KIV_THROW_IF_FAILED(KIV_REQUIRE(m_file.get())->GetSize(&size));
        return S_OK;
    });
}

HRESULT CSymbianDeviceFile::ReadDate(DATE& date)
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&] {
        KIV_THROW_IF_FAILED(KIV_REQUIRE(m_file.get())->GetDate(&date));
        return S_OK;
    });
}

HRESULT CSymbianDeviceFile::WriteDate(DATE date)
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&] {
        KIV_THROW_IF_FAILED(KIV_REQUIRE(m_file.get())->SetDate(date));
        return S_OK;
    });
}

HRESULT CSymbianDeviceFile::StartCopyToPC(const wchar_t* pcPath, long& requestId)
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&] {
        KIV_THROW_IF_FAILED(KIV_REQUIRE(m_file.get())->CopyToPC(KIV_TEXT_ARGUMENT(pcPath).get(), &requestId));
        return S_OK;
    });
}

HRESULT CSymbianDeviceFile::Delete()
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&] {
        KIV_THROW_IF_FAILED(KIV_REQUIRE(m_file.get())->Delete());
        return S_OK;
    });
}

HRESULT CSymbianDeviceFile::Rename(const wchar_t* newName)
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&] {
        KIV_THROW_IF_FAILED(KIV_REQUIRE(m_file.get())->Rename(KIV_TEXT_ARGUMENT(newName).get()));
        return S_OK;
    });
}
