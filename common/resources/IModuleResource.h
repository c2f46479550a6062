// What a component asks of its resources: its module, texts in the chosen language, bitmaps.
#pragma once

#include <windows.h>

#include <string>

class IModuleResource {
public:
    virtual ~IModuleResource() = default;

    // The module the resources are read from.
    virtual HINSTANCE GetModuleInstance() const = 0;
    // The text of `id` in the code page of the system (ANSI); its length, 0 when there is none.
    virtual int LoadString(UINT id, std::string& text) = 0;
    // The bitmap `name` (a name or a MAKEINTRESOURCE id); the caller owns it. False when missing.
    virtual bool LoadBitmap(LPCWSTR name, HBITMAP& bitmap) = 0;
    // Kept for the callers of the interface's earlier users; no resource here answers true.
    virtual bool QueryResource(UINT id, LANGID language) const = 0;
};
