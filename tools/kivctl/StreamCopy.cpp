#include "tools/kivctl/StreamCopy.h"

#include <vector>

namespace {

// Each read crosses to Kivlink's process: chunks large enough to keep the calls few.
constexpr ULONG kChunkBytes = 64 * 1024;

HRESULT WriteAll(HANDLE output, const BYTE* bytes, ULONG count)
{
    while (count > 0) {
        DWORD written = 0;
        if (!WriteFile(output, bytes, count, &written, nullptr)) {
            return HRESULT_FROM_WIN32(GetLastError());
        }
        if (written == 0) {
            return HRESULT_FROM_WIN32(ERROR_WRITE_FAULT);
        }
        bytes += written;
        count -= written;
    }
    return S_OK;
}

}  // namespace

HRESULT CopyStreamToHandle(IStream* stream, HANDLE output)
{
    if (stream == nullptr) {
        return E_POINTER;
    }
    std::vector<BYTE> buffer(kChunkBytes);
    for (;;) {
        ULONG read = 0;
        const HRESULT hr = stream->Read(buffer.data(), kChunkBytes, &read);
        if (FAILED(hr)) {
            return hr;
        }
        const HRESULT written = WriteAll(output, buffer.data(), read);
        if (FAILED(written)) {
            return written;
        }
        // S_FALSE or a read of nothing: the end of the stream.
        if (hr == S_FALSE || read == 0) {
            return S_OK;
        }
    }
}
