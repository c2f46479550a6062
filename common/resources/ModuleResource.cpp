#include "resources/ModuleResource.h"

#include <cstdio>

namespace {

// The loader's buffer; longer texts come back cut to it.
constexpr int kStringBufferBytes = 1300;
// Up to ten digits of the id fit besides the text.
constexpr size_t kFailureTextBytes = 96;

}  // namespace

int CModuleResource::LoadString(UINT id, std::string& text)
{
    char buffer[kStringBufferBytes] = {};
    const int length = ::LoadStringA(m_module, id, buffer, kStringBufferBytes);
    if (length <= 0) {
        char failure[kFailureTextBytes];
        std::snprintf(failure, sizeof failure, "> failed to load string resource %d within class CModuleResource. /n",
                      static_cast<int>(id));
        text = failure;
        return 0;
    }
    text.assign(buffer, static_cast<size_t>(length));
    return length;
}

bool CModuleResource::LoadBitmap(LPCWSTR name, HBITMAP& bitmap)
{
    bitmap = ::LoadBitmapW(m_module, name);
    return bitmap != nullptr;
}
