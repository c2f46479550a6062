#pragma once
// A reference-counted BSTR: request records are copied into queue entries and handed
// between threads, and the strings travel with them without being duplicated.
#include <windows.h>
#include <oleauto.h>
#include <string>

class CKivString {
public:
    CKivString() = default;
    CKivString(const wchar_t* text);
    CKivString(const char* ansiText);
    CKivString(const CKivString& other);
    CKivString(CKivString&& other) noexcept;
    CKivString& operator=(const CKivString& other);
    CKivString& operator=(CKivString&& other) noexcept;
    ~CKivString();

    // Takes ownership of a BSTR allocated by the caller.
    static CKivString Attach(BSTR text);

    // The shared text; an empty string is never null.
    const wchar_t* c_str() const { return m_shared ? m_shared->text : L""; }
    UINT length() const { return m_shared ? SysStringLen(m_shared->text) : 0; }
    bool empty() const { return length() == 0; }

    // A new BSTR the caller owns (for out arguments and event arguments); null when out of memory.
    BSTR Copy() const;
    // The text in the ANSI code page, for trace lines.
    std::string Narrow() const;

    bool operator==(const CKivString& other) const;

private:
    struct Shared {
        LONG refs;
        BSTR text;
    };
    void Release();

    Shared* m_shared = nullptr;
};
