// The size in pixels that a dialog resource takes once created, read from its template
// without creating it: the host asks a property page for its size before it activates it.
#pragma once

#include <windows.h>

namespace tolv::plugins {

// S_OK and the size of the dialog's client area; the failure when the resource is missing or
// not a dialog template. Dialog units are converted through the template's own font, as the
// dialog manager does, so the answer matches the window CreateDialog makes.
HRESULT GetDialogTemplateSize(HINSTANCE module, UINT dialogId, SIZE& size) noexcept;

}  // namespace tolv::plugins
