#pragma once
// A read-only IStream over a PC file: GetFile's answer, reading the PC copy of a phone file.
// Its calls come on COM's threads of the server's apartment and share the one handle and its
// position; the stream keeps both after a failed call. A live stream holds the server.
#include "KivStream.h"
#include "StreamTempFile.h"

#include "core/KivString.h"

#include "com/ComObject.h"
#include "com/UniqueHandle.h"

class KivFileStream : public KivStream {
public:
    using interface_map = tolv::com::interface_map<IStream, ISupportErrorInfo>;

    explicit KivFileStream(KivSharedTempFile file) : m_tempFile(std::move(file)) {}

    // Opens name for reading, shared for reading, an existing file only; its failure passes
    // through the error propagation.
    HRESULT Open(const CKivString& name) noexcept;

    // ISequentialStream
    HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) override;
    HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* pcbWritten) override;

    // IStream
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition) override;
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER libNewSize) override;
    HRESULT STDMETHODCALLTYPE CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                                     ULARGE_INTEGER* pcbWritten) override;
    HRESULT STDMETHODCALLTYPE Commit(DWORD grfCommitFlags) override;
    HRESULT STDMETHODCALLTYPE Revert() override;
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) override;
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) override;
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* pstatstg, DWORD grfStatFlag) override;
    HRESULT STDMETHODCALLTYPE Clone(IStream** ppstm) override;

private:
    // Without the error propagation, for the methods built on them.
    HRESULT ReadBytes(void* pv, ULONG cb, ULONG& read) noexcept;
    HRESULT CopyChunks(IStream* target, ULONGLONG cb, ULONGLONG& read, ULONGLONG& written) noexcept;
    HRESULT FillStat(STATSTG& stat, DWORD flags) noexcept;
    HRESULT OpenFile(const CKivString& name) noexcept;
    HRESULT MakeClone(IStream** result) noexcept;

    // Declared before the handle: the file is deleted only after the handle closed.
    KivSharedTempFile m_tempFile;
    tolv::com::unique_handle m_file;
    CKivString m_name;
};

// The COM object of a KivFileStream, holding a lock on the server module while it lives.
using KivFileStreamObject = tolv::com::ComObject<KivFileStream>;
