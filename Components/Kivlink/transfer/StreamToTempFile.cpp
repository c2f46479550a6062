#include "StreamToTempFile.h"

#include "PcFiles.h"
#include "TemporaryFiles.h"

#include "com/UniqueHandle.h"
#include "trace/TraceResult.h"

#include <new>
#include <vector>

TOLV_TRACE_UNIT("StreamToTempFile");

namespace {

constexpr ULONG kLargestRead = 0x40000000;

// The whole content, from its start. A stream that ends before the size it reported fails:
// the file on the phone would silently lack the rest.
HRESULT ReadWholeStream(IStream* stream, std::vector<BYTE>& content)
{
    LARGE_INTEGER start = {};
    HRESULT hr = stream->Seek(start, STREAM_SEEK_SET, nullptr);
    TOLV_RETURN_IF_FAILED(hr);
    STATSTG statistics = {};
    hr = stream->Stat(&statistics, STATFLAG_NONAME);
    TOLV_RETURN_IF_FAILED(hr);
    if (statistics.cbSize.HighPart != 0)
        return E_INVALIDARG;
    try {
        content.resize(statistics.cbSize.LowPart);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    size_t filled = 0;
    while (filled < content.size()) {
        size_t left = content.size() - filled;
        ULONG wanted = left > kLargestRead ? kLargestRead : static_cast<ULONG>(left);
        ULONG read = 0;
        hr = stream->Read(content.data() + filled, wanted, &read);
        TOLV_RETURN_IF_FAILED(hr);
        if (read == 0)
            return E_FAIL;
        filled += read;
    }
    return S_OK;
}

}  // namespace

HRESULT CopyStreamToTempFile(IStream* stream, CKivString& tempFile, CTolvTrace* trace)
{
    if (!stream)
        return E_POINTER;
    std::vector<BYTE> content;
    HRESULT hr = ReadWholeStream(stream, content);
    TOLV_RETURN_IF_FAILED(hr);
    hr = MakeUniqueTempFile(tempFile);
    TOLV_RETURN_IF_FAILED(hr);
    tolv::com::unique_handle file(CreateFileW(tempFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                              FILE_ATTRIBUTE_ARCHIVE, nullptr));
    if (!file)
        return tolv::com::HResultFromLastError();
    size_t written = 0;
    while (written < content.size()) {
        size_t left = content.size() - written;
        DWORD chunk = left > kLargestRead ? kLargestRead : static_cast<DWORD>(left);
        DWORD done = 0;
        if (!WriteFile(file.get(), content.data() + written, chunk, &done, nullptr) || done == 0) {
            hr = tolv::com::HResultFromLastError();
            tolv::trace::Error(TOLV_HERE, trace);
            return hr;
        }
        written += done;
    }
    if (!FlushFileBuffers(file.get()))
        return tolv::com::HResultFromLastError();
    return S_OK;
}
