#include "platform/phonesim/CopyInOperation.h"

#include "com/HResult.h"
#include "com/UniqueHandle.h"
#include "platform/phonesim/FileFacts.h"
#include "platform/phonesim/OleDate.h"
#include "platform/phonesim/SimResults.h"

namespace phonesim {

HRESULT CCopyInOperation::Perform()
{
    RETURN_IF_FAILED(Stopped());
    tolv::com::unique_handle source(CreateFileW(m_source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    RETURN_LAST_ERROR_IF(!source);
    LARGE_INTEGER length{};
    FILETIME written{};
    RETURN_LAST_ERROR_IF(!GetFileSizeEx(source.get(), &length) ||
                         !GetFileTime(source.get(), nullptr, nullptr, &written));
    const unsigned long long size = static_cast<unsigned long long>(length.QuadPart);

    const std::wstring folder = Phone().PcPath(m_target.Parent());
    RETURN_HR_IF(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), !IsExistingFolder(folder));
    std::wstring name = m_target.OwnName();
    RETURN_IF_FAILED(
        ResolveExisting(evCopyExistingFile, m_target.Text(), folder, name, FileTimeToOleDate(written), size));
    m_target = m_target.Parent().Child(name);
    const std::wstring target = Phone().PcPath(m_target);

    EntryFacts replaced;
    const bool replacing = SUCCEEDED(ReadEntryFacts(target, replaced));
    RETURN_HR_IF(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED), replacing && (replaced.attributes & FILE_ATTRIBUTE_READONLY));
    DriveSpace space;
    RETURN_IF_FAILED(Phone().GetSpace(m_target.drive, space));
    RETURN_HR_IF(kDiskFull, size > space.free + (replacing ? replaced.size : 0));

    tolv::com::unique_handle copy(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                              FILE_ATTRIBUTE_ARCHIVE, nullptr));
    RETURN_LAST_ERROR_IF(!copy);
    Phone().Attributes().Forget(m_target.drive, m_target.Relative());
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
    if (SUCCEEDED(hr) && !SetFileTime(copy.get(), nullptr, nullptr, &written)) {
        hr = tolv::com::HResultFromLastError();
    }
    copy.reset();
    if (FAILED(hr)) {
        DeleteFileW(target.c_str());
        return hr;
    }
    Progress(100);
    return S_OK;
}

bool CCopyInOperation::RaiseProgress(LONG percent)
{
    return RaiseCopyProgress(EventSinks(), RequestId(), m_source, m_target.Text(), percent);
}

void CCopyInOperation::RaiseFailure(HRESULT error)
{
    RaiseStorageError(EventSinks(), evCopyError, RequestId(), error == kNotConnected ? 3 : 2, error, false);
}

void CCopyInOperation::RaiseCompletion(HRESULT result)
{
    RaiseCopyComplete(EventSinks(), RequestId(), result);
}

}  // namespace phonesim
