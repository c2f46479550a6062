#include "KivlinkTypeLibFile.h"

#include <stdexcept>

namespace typelib_test {

std::wstring KivlinkTypeLibPath()
{
    const char* unixPath = KIVLINK_TLB_UNIX_PATH;
    const int length = MultiByteToWideChar(CP_UTF8, 0, unixPath, -1, nullptr, 0);
    std::wstring converted(static_cast<size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, unixPath, -1, converted.data(), length);
    converted.resize(converted.size() - 1);
    for (wchar_t& c : converted) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return L"Z:" + converted;
}

ComPtr<ITypeLib> LoadKivlinkTypeLib()
{
    ComPtr<ITypeLib> library;
    const HRESULT hr = LoadTypeLibEx(KivlinkTypeLibPath().c_str(), REGKIND_NONE, &library);
    if (FAILED(hr)) {
        throw std::runtime_error("LoadTypeLibEx of " + Narrow(KivlinkTypeLibPath()) + " failed");
    }
    return library;
}

}  // namespace typelib_test
