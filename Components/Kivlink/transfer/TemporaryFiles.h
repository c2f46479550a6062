#pragma once
// The PC temporary files of the copy routes, all in the Windows temporary folder: unique ones
// for phone content on its way to a client (a placeholder KivNNNN.tmp reserves the number, the
// data goes to KivNNNN.tmp.xxx), and named copies of a PC file, for the phone to store under
// another name than the file's own.
#include "core/KivString.h"

class CTolvTrace;

// The temporary folder with its trailing backslash; "d:\Temp\" when Windows cannot tell it.
CKivString TempFolder();

// dataFile receives the name the data is to be written to; E_FAIL when no number was free.
HRESULT MakeUniqueTempFile(CKivString& dataFile);

// Where the named temporary copy of a file called `name` goes: directly in the temporary
// folder. E_INVALIDARG for a name that is not one plain name (a phone or PC path supplies
// it), or that Windows would resolve to another place.
HRESULT NamedTempCopyPath(const CKivString& name, CKivString& path);

// Copies source to NamedTempCopyPath(name), replacing a file of that name, and answers in
// `copy` where the copy is. A failed copy is only traced: the caller goes on with that name,
// and the phone transfer of a file that is not there fails.
HRESULT MakeNamedTempCopy(const wchar_t* source, const CKivString& name, CTolvTrace* trace, CKivString& copy);

// Deletes a temporary file, also one that carries the read-only bit of the file it copies.
bool DeleteTempFile(const wchar_t* path);

// Deletes a temporary file when the scope ends, unless it was handed on.
class CKivTempFileGuard {
public:
    explicit CKivTempFileGuard(CKivString path) : m_path(path) {}
    ~CKivTempFileGuard()
    {
        if (!m_path.empty())
            DeleteTempFile(m_path.c_str());
    }
    CKivTempFileGuard(const CKivTempFileGuard&) = delete;
    CKivTempFileGuard& operator=(const CKivTempFileGuard&) = delete;
    void Release() { m_path = CKivString(); }

private:
    CKivString m_path;
};
