#include "DirectTransfer.h"

#include "CallFailure.h"
#include "tests/phonesim/EventRecorder.h"

#include "com/UniqueBstr.h"
#include "com/UniqueVariant.h"

using tolv::com::com_ptr;
using tolv::com::unique_bstr;

namespace {

constexpr DISPID kCopyComplete = 16;
// Far above any copy of the benchmark; the watchdog catches a copy that never ends.
constexpr DWORD kCompletionLimitMs = 300000;
const wchar_t kCard[] = L"E:";

template <class Collection, class Interface>
HRESULT FindByName(Collection* collection, const std::wstring& fullPath, com_ptr<Interface>& found)
{
    long count = 0;
    RETURN_IF_FAILED(collection->GetCount(&count));
    for (long index = 1; index <= count; ++index) {
        com_ptr<ISCItem> item;
        RETURN_IF_FAILED(collection->Item(tolv::com::LongVariant(index), item.put()));
        unique_bstr name;
        RETURN_IF_FAILED(item->GetName(name.put()));
        if (_wcsicmp(name.c_str(), fullPath.c_str()) == 0)
            return item.query(found);
    }
    return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
}

HRESULT FindCardFolder(ISCApplication* application, const wchar_t* name, com_ptr<ISCFolder>& folder)
{
    com_ptr<ISCDeviceCollection> devices;
    RETURN_IF_FAILED(application->GetDevices(devices.put()));
    com_ptr<ISCDevice> device;
    RETURN_IF_FAILED(devices->Item(tolv::com::LongVariant(1), device.put()));
    com_ptr<ISCDrive> card;
    RETURN_IF_FAILED(device->GetDrive(unique_bstr(kCard).get(), card.put()));
    com_ptr<ISCFolder> root;
    RETURN_IF_FAILED(card->GetRootFolder(root.put()));
    com_ptr<ISCFolderCollection> folders;
    RETURN_IF_FAILED(root->GetFolders(folders.put()));
    return FindByName(folders.get(), std::wstring(kCard) + L"\\" + name, folder);
}

}  // namespace

CDirectPhone::CDirectPhone() = default;
CDirectPhone::~CDirectPhone() = default;

bool CDirectPhone::Open(const wchar_t* sourceFolder, const wchar_t* targetFolder, CCallWatchdog& watchdog,
                        std::string& problem)
{
    CWatchedCall watched(&watchdog, "reaching the phone library directly");
    HRESULT hr = CoCreateInstance(CLSID_SCApplication, nullptr, CLSCTX_LOCAL_SERVER, IID_ISCApplication,
                                  m_application.put_void());
    if (FAILED(hr)) {
        problem = "cannot create the phone library's application object: " + DescribeFailure(hr, nullptr, IID_NULL);
        return false;
    }
    m_sink = std::make_unique<AdvisedRecorder>(m_application.get());
    if (FAILED(m_sink->AdviseResult())) {
        problem =
            "cannot advise a sink to the phone library: " + DescribeFailure(m_sink->AdviseResult(), nullptr, IID_NULL);
        return false;
    }
    hr = FindCardFolder(m_application.get(), sourceFolder, m_source);
    if (SUCCEEDED(hr))
        hr = FindCardFolder(m_application.get(), targetFolder, m_target);
    if (FAILED(hr)) {
        problem = "cannot find the benchmark's folders on the phone: " + DescribeFailure(hr, nullptr, IID_NULL);
        return false;
    }
    return true;
}

HRESULT CDirectPhone::SourceFile(const std::wstring& name, com_ptr<ISCFile>& file, CCallWatchdog& watchdog)
{
    CWatchedCall watched(&watchdog, "finding a phone file directly");
    com_ptr<ISCFileCollection> files;
    RETURN_IF_FAILED(m_source->GetFiles(files.put()));
    unique_bstr folderName;
    RETURN_IF_FAILED(m_source->GetName(folderName.put()));
    return FindByName(files.get(), std::wstring(folderName.c_str()) + L"\\" + name, file);
}

HRESULT CDirectPhone::CopyIn(const std::wstring& pcFile, CCallWatchdog& watchdog)
{
    CWatchedCall watched(&watchdog, "direct copy in of " + std::string(pcFile.begin(), pcFile.end()));
    long requestId = 0;
    const HRESULT started = m_target->CopyFromPC(unique_bstr(pcFile.c_str()).get(), &requestId);
    return AwaitCompletion(started, requestId);
}

HRESULT CDirectPhone::CopyOut(ISCFile* file, const std::wstring& pcPath, CCallWatchdog& watchdog)
{
    CWatchedCall watched(&watchdog, "direct copy out to " + std::string(pcPath.begin(), pcPath.end()));
    long requestId = 0;
    const HRESULT started = file->CopyToPC(unique_bstr(pcPath.c_str()).get(), &requestId);
    return AwaitCompletion(started, requestId);
}

HRESULT CDirectPhone::AwaitCompletion(HRESULT started, long requestId)
{
    RETURN_IF_FAILED(started);
    CEventRecorder& sink = **m_sink;
    if (!sink.WaitFor(kCopyComplete, requestId, kCompletionLimitMs))
        return HRESULT_FROM_WIN32(ERROR_TIMEOUT);
    HRESULT result = E_UNEXPECTED;
    for (const RecordedEvent& event : sink.EventsOf(kCopyComplete))
        if (event.Number(0) == requestId)
            result = event.Number(1);
    // Each copy starts with an empty record, so that the waits do not walk earlier copies.
    sink.Clear();
    return result;
}

void CDirectPhone::Close(CCallWatchdog& watchdog)
{
    CWatchedCall watched(&watchdog, "releasing the phone library's objects");
    m_source.reset();
    m_target.reset();
    m_sink.reset();
    m_application.reset();
}
