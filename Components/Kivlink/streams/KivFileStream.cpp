#include "KivFileStream.h"

#include "KivStreamErrors.h"

#include "trace/TraceResult.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <new>
#include <string>

TOLV_TRACE_UNIT("KivFileStream");

namespace {

// CopyTo moves the content through a buffer of this size.
constexpr ULONG kCopyChunkBytes = 4096;

bool ToFileOrigin(DWORD streamOrigin, DWORD& fileOrigin)
{
    switch (streamOrigin) {
    case STREAM_SEEK_SET:
        fileOrigin = FILE_BEGIN;
        return true;
    case STREAM_SEEK_CUR:
        fileOrigin = FILE_CURRENT;
        return true;
    case STREAM_SEEK_END:
        fileOrigin = FILE_END;
        return true;
    default:
        return false;
    }
}

ULARGE_INTEGER SizeOf(const BY_HANDLE_FILE_INFORMATION& information)
{
    ULARGE_INTEGER size;
    size.HighPart = information.nFileSizeHigh;
    size.LowPart = information.nFileSizeLow;
    return size;
}

// The part after the last backslash, in memory of the COM task allocator.
HRESULT AllocateLastPart(const CKivString& path, LPOLESTR& name)
{
    const wchar_t* whole = path.c_str();
    const wchar_t* separator = std::wcsrchr(whole, L'\\');
    const wchar_t* part = separator ? separator + 1 : whole;
    const size_t bytes = (std::wcslen(part) + 1) * sizeof(wchar_t);
    name = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (!name)
        return E_OUTOFMEMORY;
    std::memcpy(name, part, bytes);
    return S_OK;
}

}  // namespace

HRESULT KivFileStream::Open(const CKivString& name) noexcept
{
    return StreamResult(OpenFile(name));
}

HRESULT KivFileStream::OpenFile(const CKivString& name) noexcept
{
    std::string ansiName;
    try {
        ansiName = name.Narrow();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    tolv::com::unique_handle file(CreateFileA(ansiName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
    TOLV_RETURN_LAST_ERROR_IF(!file);
    m_file = std::move(file);
    m_name = name;
    return S_OK;
}

HRESULT KivFileStream::Read(void* pv, ULONG cb, ULONG* pcbRead)
{
    ULONG read = 0;
    const HRESULT hr = ReadBytes(pv, cb, read);
    if (pcbRead)
        *pcbRead = read;
    return StreamResult(hr);
}

HRESULT KivFileStream::ReadBytes(void* pv, ULONG cb, ULONG& read) noexcept
{
    read = 0;
    TOLV_RETURN_HR_IF(E_POINTER, pv == nullptr && cb != 0);
    DWORD taken = 0;
    if (!ReadFile(m_file.get(), pv, cb, &taken, nullptr))
        return tolv::com::HResultFromLastError();
    read = taken;
    return S_OK;
}

HRESULT KivFileStream::Write(const void*, ULONG, ULONG* pcbWritten)
{
    if (pcbWritten)
        *pcbWritten = 0;
    return StreamResult(E_NOTIMPL);
}

HRESULT KivFileStream::Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition)
{
    DWORD origin = FILE_BEGIN;
    if (!ToFileOrigin(dwOrigin, origin))
        return StreamResult(E_INVALIDARG);
    LARGE_INTEGER position{};
    if (!SetFilePointerEx(m_file.get(), dlibMove, &position, origin))
        return StreamResult(tolv::com::HResultFromLastError());
    if (plibNewPosition)
        plibNewPosition->QuadPart = static_cast<ULONGLONG>(position.QuadPart);
    return S_OK;
}

HRESULT KivFileStream::SetSize(ULARGE_INTEGER)
{
    return StreamResult(E_NOTIMPL);
}

HRESULT KivFileStream::CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead, ULARGE_INTEGER* pcbWritten)
{
    if (!pstm)
        return StreamResult(E_POINTER);
    ULONGLONG read = 0;
    ULONGLONG written = 0;
    const HRESULT hr = CopyChunks(pstm, cb.QuadPart, read, written);
    if (pcbRead)
        pcbRead->QuadPart = read;
    if (pcbWritten)
        pcbWritten->QuadPart = written;
    return StreamResult(hr);
}

HRESULT KivFileStream::CopyChunks(IStream* target, ULONGLONG cb, ULONGLONG& read, ULONGLONG& written) noexcept
{
    BYTE buffer[kCopyChunkBytes];
    while (read < cb) {
        const ULONG wanted = static_cast<ULONG>(std::min<ULONGLONG>(kCopyChunkBytes, cb - read));
        ULONG chunk = 0;
        TOLV_RETURN_IF_FAILED(ReadBytes(buffer, wanted, chunk));
        if (chunk == 0)
            return S_OK;
        read += chunk;
        ULONG taken = 0;
        const HRESULT hr = target->Write(buffer, chunk, &taken);
        written += taken;
        TOLV_RETURN_IF_FAILED(hr);
    }
    return S_OK;
}

HRESULT KivFileStream::Commit(DWORD)
{
    return StreamResult(E_NOTIMPL);
}

HRESULT KivFileStream::Revert()
{
    return StreamResult(E_NOTIMPL);
}

HRESULT KivFileStream::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return StreamResult(E_NOTIMPL);
}

HRESULT KivFileStream::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return StreamResult(E_NOTIMPL);
}

HRESULT KivFileStream::Stat(STATSTG* pstatstg, DWORD grfStatFlag)
{
    if (!pstatstg)
        return StreamResult(E_POINTER);
    return StreamResult(FillStat(*pstatstg, grfStatFlag));
}

HRESULT KivFileStream::FillStat(STATSTG& stat, DWORD flags) noexcept
{
    stat = STATSTG{};
    BY_HANDLE_FILE_INFORMATION information{};
    TOLV_RETURN_LAST_ERROR_IF(!GetFileInformationByHandle(m_file.get(), &information));
    if (!(flags & STATFLAG_NONAME))
        TOLV_RETURN_IF_FAILED(AllocateLastPart(m_name, stat.pwcsName));
    stat.type = STGTY_STREAM;
    stat.cbSize = SizeOf(information);
    stat.mtime = information.ftLastWriteTime;
    stat.ctime = information.ftCreationTime;
    stat.atime = information.ftLastAccessTime;
    stat.grfMode = STGM_READ | STGM_SHARE_DENY_WRITE;
    return S_OK;
}

HRESULT KivFileStream::Clone(IStream** ppstm)
{
    if (!ppstm)
        return StreamResult(E_POINTER);
    *ppstm = nullptr;
    return StreamResult(MakeClone(ppstm));
}

HRESULT KivFileStream::MakeClone(IStream** result) noexcept
{
    tolv::com::com_ptr<KivFileStreamObject> clone;
    TOLV_RETURN_IF_FAILED(KivFileStreamObject::Create(clone, m_tempFile));
    TOLV_RETURN_IF_FAILED(clone->OpenFile(m_name));
    return clone->QueryInterface(IID_IStream, reinterpret_cast<void**>(result));
}
