#include "SymbianDeviceFile.h"

#include "PhoneCalls.h"

#include <utility>

TOLV_TRACE_UNIT("CSymbianDeviceFile");

namespace {

template <class Value, class Read>
HRESULT Remembered(std::optional<Value>& known, Value& value, Read read)
{
    if (!known) {
        Value fresh{};
        const HRESULT hr = read(fresh);
        if (FAILED(hr))
            return hr;
        known = fresh;
    }
    value = *known;
    return S_OK;
}

}  // namespace

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
        // What the phone makes of the word (a bit it cannot keep) shows at the next read.
        m_attributes.reset();
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
        m_date.reset();
        return S_OK;
    });
}

HRESULT CSymbianDeviceFile::KnownAttributes(long& attributes)
{
    return Remembered(m_attributes, attributes, [&](long& read) { return ReadAttributes(read); });
}

HRESULT CSymbianDeviceFile::KnownSize(long& size)
{
    return Remembered(m_size, size, [&](long& read) { return ReadSize(read); });
}

HRESULT CSymbianDeviceFile::KnownDate(DATE& date)
{
    return Remembered(m_date, date, [&](DATE& read) { return ReadDate(read); });
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
