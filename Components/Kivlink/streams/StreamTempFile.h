#pragma once
// The temporary file a stream and its clones read: whoever holds the last reference deletes
// it, after every stream over it has closed its handle. The garbage collection of the
// temporary folder stays for files whose streams never came to be.
#include "core/KivString.h"

#include <memory>

class CKivStreamTempFile {
public:
    explicit CKivStreamTempFile(const CKivString& path) : m_path(path) {}
    ~CKivStreamTempFile();
    CKivStreamTempFile(const CKivStreamTempFile&) = delete;
    CKivStreamTempFile& operator=(const CKivStreamTempFile&) = delete;

    const CKivString& Path() const { return m_path; }

private:
    CKivString m_path;
};

using KivSharedTempFile = std::shared_ptr<const CKivStreamTempFile>;
