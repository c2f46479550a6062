// The plain resources of one module: texts through the system's string loader, without a
// language choice or a fallback.
#pragma once

#include "resources/IModuleResource.h"

class CModuleResource : public IModuleResource {
public:
    explicit CModuleResource(HINSTANCE module) : m_module(module) {}

    HINSTANCE GetModuleInstance() const override { return m_module; }
    // A missing text leaves a failure line naming the id in `text` and answers 0.
    int LoadString(UINT id, std::string& text) override;
    bool LoadBitmap(LPCWSTR name, HBITMAP& bitmap) override;
    bool QueryResource(UINT, LANGID) const override { return false; }

private:
    HINSTANCE m_module;
};
