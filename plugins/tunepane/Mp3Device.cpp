#include "Mp3Device.h"

#include "plugins/common/ConnectionLoss.h"
#include "plugins/common/DeviceTexts.h"
#include "plugins/common/KivProxyServer.h"

#include "com/UniqueBstr.h"
#include "ui/MessageBoxSeam.h"

using tolv::com::com_ptr;
using tolv::com::unique_bstr;

namespace tolv::tunepane {

namespace {

constexpr const wchar_t* kMp3Extension = L".MP3";
// The server matches wildcards in the letter case given: every spelling of the extension.
constexpr const wchar_t* kMp3Patterns[] = {L"\\*.mp3", L"\\*.Mp3", L"\\*.mP3", L"\\*.MP3"};
constexpr HRESULT kReadOnlyFile = HRESULT_FROM_WIN32(ERROR_FILE_READ_ONLY);
constexpr long kBytesPerThousand = 1000;
constexpr int kCapacityValue = 2;
constexpr int kFreeSpaceValue = 3;

long Thousands(const std::wstring& value)
{
    return wcstol(value.c_str(), nullptr, 10) / kBytesPerThousand;
}

}  // namespace

std::wstring CMp3Device::GetMemoryState(long& freeSpace, long& capacity)
{
    freeSpace = 0;
    capacity = 0;
    if (!IsConnected())
        return plugins::CapacityText(capacity);
    const std::wstring drive = DriveTest();
    if (drive.empty())
        return plugins::CapacityText(capacity);
    std::wstring info;
    if (FAILED(ReadInfo(drive, info))) {
        Sleep(retryPauseMs);
        if (FAILED(ReadInfo(drive, info)))
            return plugins::CapacityText(capacity);
    }
    freeSpace = Thousands(plugins::GetEntrisfromInfo(info, kFreeSpaceValue));
    capacity = Thousands(plugins::GetEntrisfromInfo(info, kCapacityValue));
    return plugins::CapacityText(capacity);
}

HRESULT CMp3Device::CopyFromPC(const std::wstring& source, const std::wstring& destination)
{
    if (!Volume())
        return E_POINTER;
    return Volume()->CopyFromPC(unique_bstr(source).get(), unique_bstr(destination).get(), eBlocked | eNoOverwrite);
}

HRESULT CMp3Device::GetAttributes(const std::wstring& path, DWORD& attributes)
{
    attributes = 0;
    std::wstring info;
    const HRESULT hr = ReadInfo(path, info);
    if (FAILED(hr))
        return hr;
    attributes = plugins::AttributesFromInfo(info);
    return S_OK;
}

HRESULT CMp3Device::CreateOneVolume(com_ptr<IKivVolume>& oneVolume)
{
    return plugins::CreateKivProxy(plugins::kAnyServer, oneVolume);
}

HRESULT CMp3Device::DeleteAll(const std::wstring& folder, const ReadOnlyQuestion& question)
{
    if (!Volume())
        return E_POINTER;
    bool readOnlyMet = false;
    for (const wchar_t* pattern : kMp3Patterns) {
        const HRESULT hr = Volume()->RemoveEntry(unique_bstr(folder + pattern).get());
        // A card without the folder yet has nothing to empty; the first upload creates it.
        if (hr == KIV_E_FOLDERNOTFOUND)
            return S_OK;
        if (hr == kReadOnlyFile)
            readOnlyMet = true;
        else if (FAILED(hr) && plugins::IsConnectionLost(hr))
            return hr;
    }
    if (!readOnlyMet)
        return S_OK;
    if (tolv::ui::ShowMessageBox(nullptr, question.text.c_str(), question.caption.c_str(),
                                 MB_ICONQUESTION | MB_YESNO) != IDYES)
        return S_OK;

    HRESULT hr = S_OK;
    const std::map<int, std::wstring> entries = ListEntriesEndingIn(folder, kMp3Extension, hr);
    if (FAILED(hr))
        return hr;
    // Only the one-volume interface can clear the read-only bit.
    com_ptr<IKivVolume> oneVolume;
    if (entries.empty() || FAILED(CreateOneVolume(oneVolume)) || !oneVolume) {
        Trace(entries.empty() ? "  Info No entries !" : "  Info Not deleted! Symbian-ptr nok");
        return S_OK;
    }
    HRESULT last = S_OK;
    for (const auto& [index, name] : entries) {
        const std::wstring path = folder + L"\\" + name;
        DWORD attributes = 0;
        hr = GetAttributes(path, attributes);
        if (SUCCEEDED(hr))
            hr = oneVolume->SetAttributes(unique_bstr(path).get(), static_cast<long>(attributes));
        if (SUCCEEDED(hr))
            hr = Volume()->RemoveEntry(unique_bstr(path).get());
        if (FAILED(hr)) {
            last = hr;
            Trace("  Info Not all deleted! (Error : 0x%x)", static_cast<unsigned>(hr));
            if (plugins::IsConnectionLost(hr))
                break;
        }
    }
    return last;
}

}  // namespace tolv::tunepane
