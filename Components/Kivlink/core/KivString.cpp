#include "KivString.h"

#include <new>

CKivString::CKivString(const wchar_t* text)
{
    if (!text || !*text)
        return;
    BSTR copy = SysAllocString(text);
    if (copy)
        *this = Attach(copy);
}

CKivString::CKivString(const char* ansiText)
{
    if (!ansiText || !*ansiText)
        return;
    int chars = MultiByteToWideChar(CP_ACP, 0, ansiText, -1, nullptr, 0);
    if (chars <= 1)
        return;
    BSTR copy = SysAllocStringLen(nullptr, static_cast<UINT>(chars - 1));
    if (!copy)
        return;
    MultiByteToWideChar(CP_ACP, 0, ansiText, -1, copy, chars);
    *this = Attach(copy);
}

CKivString CKivString::Attach(BSTR text)
{
    CKivString result;
    if (!text)
        return result;
    result.m_shared = new (std::nothrow) Shared{1, text};
    if (!result.m_shared)
        SysFreeString(text);
    return result;
}

CKivString::CKivString(const CKivString& other) : m_shared(other.m_shared)
{
    if (m_shared)
        InterlockedIncrement(&m_shared->refs);
}

CKivString::CKivString(CKivString&& other) noexcept : m_shared(other.m_shared)
{
    other.m_shared = nullptr;
}

CKivString& CKivString::operator=(const CKivString& other)
{
    if (this != &other) {
        if (other.m_shared)
            InterlockedIncrement(&other.m_shared->refs);
        Release();
        m_shared = other.m_shared;
    }
    return *this;
}

CKivString& CKivString::operator=(CKivString&& other) noexcept
{
    if (this != &other) {
        Release();
        m_shared = other.m_shared;
        other.m_shared = nullptr;
    }
    return *this;
}

CKivString::~CKivString()
{
    Release();
}

void CKivString::Release()
{
    if (m_shared && InterlockedDecrement(&m_shared->refs) == 0) {
        SysFreeString(m_shared->text);
        delete m_shared;
    }
    m_shared = nullptr;
}

BSTR CKivString::Copy() const
{
    return SysAllocStringLen(c_str(), length());
}

std::string CKivString::Narrow() const
{
    if (empty())
        return {};
    int bytes = WideCharToMultiByte(CP_ACP, 0, c_str(), static_cast<int>(length()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_ACP, 0, c_str(), static_cast<int>(length()), result.data(), bytes, nullptr, nullptr);
    return result;
}

bool CKivString::operator==(const CKivString& other) const
{
    return length() == other.length() && wmemcmp(c_str(), other.c_str(), length()) == 0;
}
