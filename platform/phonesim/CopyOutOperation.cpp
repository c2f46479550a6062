#include "platform/phonesim/CopyOutOperation.h"

#include "com/HResult.h"
#include "com/UniqueHandle.h"
#include "platform/phonesim/FileFacts.h"
#include "platform/phonesim/OleDate.h"
#include "platform/phonesim/SimResults.h"

namespace phonesim {

HRESULT CCopyOutOperation::Perform()
{
    RETURN_IF_FAILED(Stopped());
    const std::wstring sourcePath = Phone().PcPath(m_source);
    tolv::com::unique_handle source(CreateFileW(sourcePath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    RETURN_LAST_ERROR_IF(!source);
    LARGE_INTEGER length{};
    FILETIME written{};
    RETURN_LAST_ERROR_IF(!GetFileSizeEx(source.get(), &length) ||
                         !GetFileTime(source.get(), nullptr, nullptr, &written));
    const unsigned long long size = static_cast<unsigned long long>(length.QuadPart);

    const size_t cut = m_target.find_last_of(L"\\/");
    const std::wstring folder = cut == std::wstring::npos ? std::wstring() : m_target.substr(0, cut + 1);
    std::wstring name = cut == std::wstring::npos ? m_target : m_target.substr(cut + 1);
    RETURN_IF_FAILED(ResolveExisting(evCopyExistingFile, m_target, folder, name, FileTimeToOleDate(written), size));
    m_target = folder + name;

    // A read-only PC file refuses to be replaced, as it would for any program.
    tolv::com::unique_handle copy(CreateFileW(m_target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
    RETURN_LAST_ERROR_IF(!copy);
    unsigned long long done = 0;
    HRESULT hr = Progress(0, true) ? S_OK : Stopped();
    if (SUCCEEDED(hr)) {
        hr = MoveBytes(source.get(), copy.get(), size, done, size);
    }
    if (SUCCEEDED(hr) && size == 0) {
        hr = Midway(100);
    }
    if (SUCCEEDED(hr) && Faults().shortFile) {
        LARGE_INTEGER half{};
        half.QuadPart = static_cast<LONGLONG>(size / 2);
        if (!SetFilePointerEx(copy.get(), half, nullptr, FILE_BEGIN) || !SetEndOfFile(copy.get())) {
            hr = tolv::com::HResultFromLastError();
        }
    }
    // The PC copy carries the phone file's date as both its creation and its write time.
    if (SUCCEEDED(hr) && !SetFileTime(copy.get(), &written, nullptr, &written)) {
        hr = tolv::com::HResultFromLastError();
    }
    copy.reset();
    if (FAILED(hr)) {
        DeleteFileW(m_target.c_str());
        return hr;
    }
    Progress(100);
    return S_OK;
}

bool CCopyOutOperation::RaiseProgress(LONG percent)
{
    return RaiseCopyProgress(EventSinks(), RequestId(), m_source.Text(), m_target, percent);
}

void CCopyOutOperation::RaiseFailure(HRESULT error)
{
    RaiseStorageError(EventSinks(), evCopyError, RequestId(), error == kNotConnected ? 3 : 2, error, false);
}

void CCopyOutOperation::RaiseCompletion(HRESULT result)
{
    RaiseCopyComplete(EventSinks(), RequestId(), result);
}

}  // namespace phonesim
