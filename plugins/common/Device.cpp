#include "Device.h"

#include "DeviceTexts.h"

#include "com/UniqueBstr.h"
#include "trace/TolvTrace.h"
#include "trace/WideToAnsi.h"

#include <cstdarg>
#include <cstdio>

using tolv::com::unique_bstr;

namespace tolv::plugins {

namespace {

constexpr const wchar_t* kMemoryCard = L"E:";
constexpr const wchar_t* kPhoneMemory = L"C:";
constexpr int kTraceLevel = 3;

}  // namespace

CDevice::CDevice(CTolvTrace* trace) : m_trace(trace) {}

CDevice::~CDevice() = default;

void CDevice::SetVolume(tolv::com::com_ptr<IKivVolume2> volume)
{
    m_volume = std::move(volume);
}

bool CDevice::IsConnected()
{
    m_connected = false;
    unique_bstr devices;
    const HRESULT hr = m_volume ? m_volume->ListDevices(devices.put()) : E_POINTER;
    if (FAILED(hr))
        Trace("  Info IKivVolume2::ListDevices() failed: 0x%08X", static_cast<unsigned>(hr));
    else
        m_connected = devices.get() && SysStringLen(devices.get()) > 0;
    return m_connected;
}

std::wstring CDevice::DriveTest()
{
    m_drive.clear();
    if (!m_connected)
        return m_drive;
    unique_bstr drives;
    const HRESULT hr = m_volume->ListDrives(drives.put());
    if (FAILED(hr)) {
        Trace("  Info IKivVolume2::ListDrives() failed: 0x%08X", static_cast<unsigned>(hr));
        return m_drive;
    }
    const std::wstring list(drives.get() ? drives.get() : L"");
    // The card holds more than the phone memory: it wins.
    for (const wchar_t* drive : {kMemoryCard, kPhoneMemory}) {
        if (IsDriveExist(list, drive)) {
            m_drive = drive;
            break;
        }
    }
    return m_drive;
}

bool CDevice::IsDriveExist(const std::wstring& drives, const wchar_t* name)
{
    return drives.find(name) != std::wstring::npos;
}

std::map<int, std::wstring> CDevice::ListEntriesEndingIn(const std::wstring& folder, const wchar_t* extension,
                                                         HRESULT& hr)
{
    unique_bstr list;
    hr = m_volume ? m_volume->ListEntries(unique_bstr(folder).get(), VARIANT_FALSE, list.put()) : E_POINTER;
    if (FAILED(hr)) {
        Trace("  Info IKivVolume2::ListEntries(%s) failed: 0x%08X",
              tolv::trace::WideToAnsi(folder.c_str(), folder.size()).c_str(), static_cast<unsigned>(hr));
        return {};
    }
    return EntriesToMap(list.get() ? list.get() : L"", extension);
}

HRESULT CDevice::ReadInfo(const std::wstring& path, std::wstring& info)
{
    info.clear();
    unique_bstr text;
    const HRESULT hr = m_volume ? m_volume->GetInfo(unique_bstr(path).get(), text.put()) : E_POINTER;
    if (FAILED(hr)) {
        Trace("  Info IKivVolume2::GetInfo(%s) failed: 0x%08X",
              tolv::trace::WideToAnsi(path.c_str(), path.size()).c_str(), static_cast<unsigned>(hr));
        return hr;
    }
    info = text.get() ? text.get() : L"";
    Trace("  Info IKivVolume2::GetInfo() -> return =  %s", tolv::trace::WideToAnsi(info.c_str(), info.size()).c_str());
    return hr;
}

void CDevice::Trace(const char* format, ...) const
{
    if (!m_trace || !m_trace->WillWrite(kTraceLevel))
        return;
    char line[1024];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    m_trace->WriteText(kTraceLevel, line);
}

}  // namespace tolv::plugins
