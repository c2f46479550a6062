#include "MessageAccessCentre.h"

#include "trace/TolvTrace.h"

namespace {

// The message browser, whose version tells whether readings can be had.
constexpr long kMessageBrowserUid = 0x10004E05;
constexpr short kRevisionWithoutReadings = 99;
constexpr HRESULT kReadingsNotSupported = static_cast<HRESULT>(0x8007000A);
constexpr char kUnit[] = "CMessageAccessCentre";

}  // namespace

HRESULT CMessageAccessCentre::Initialize()
{
    m_trace->Format(3, "CMessageAccessCentre::Initialize()");
    HRESULT hr = CoCreateInstance(CLSID_MessageCentre, nullptr, CLSCTX_ALL, IID_IMessageCentre, m_centre.put_void());
    if (FAILED(hr)) {
        m_trace->Format(1, "CreateInstance(MessageCentre)\thr=0x%08X [%s %d]", static_cast<unsigned>(hr), kUnit,
                        __LINE__);
        return hr;
    }
    hr = m_centre->Initialise();
    if (FAILED(hr)) {
        m_trace->Format(1, "Initialise\thr=0x%08X [%s %d]", static_cast<unsigned>(hr), kUnit, __LINE__);
        return hr;
    }
    short major = 0;
    short minor = 0;
    short build = 0;
    short revision = 0;
    hr = m_centre->MtmVersion(kMessageBrowserUid, &major, &minor, &build, &revision);
    if (FAILED(hr)) {
        m_trace->Format(1, "MtmVersion\thr=0x%08X [%s %d]", static_cast<unsigned>(hr), kUnit, __LINE__);
        return hr;
    }
    m_trace->Format(3, "MSBROWSE Version %d.%d.%d.%d", major, minor, build, revision);
    return revision == kRevisionWithoutReadings ? kReadingsNotSupported : S_OK;
}

HRESULT CMessageAccessCentre::GetBatterySignal(long& battery, long& signal)
{
    if (!m_centre)
        return E_UNEXPECTED;
    HRESULT hr = m_centre->GetBatterySignal(&battery, &signal);
    if (FAILED(hr)) {
        m_trace->Format(1, "GetBatterySignal\thr=0x%08X [%s %d]", static_cast<unsigned>(hr), kUnit, __LINE__);
        return hr;
    }
    m_trace->Format(3, "GetBatterySignal returns (i)%d, (i)%d", static_cast<int>(battery), static_cast<int>(signal));
    return S_OK;
}
