#include "LoadingWindow.h"

namespace tolv::plugins {

namespace {

INT_PTR CALLBACK LoadingProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// The job's thread pumps only while it waits for the phone: the window paints once now.
void PaintPending()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

tolv::ui::unique_window ShowLoadingWindow(const LoadingWindowTemplate& dialog, const std::wstring& caption,
                                          const std::wstring& text)
{
    tolv::ui::unique_window window(
        CreateDialogParamW(dialog.module, MAKEINTRESOURCEW(dialog.dialogId), nullptr, &LoadingProc, 0));
    if (!window)
        return window;
    SetWindowTextW(window.get(), caption.c_str());
    SetDlgItemTextW(window.get(), dialog.textControlId, text.c_str());
    ShowWindow(window.get(), SW_SHOWNORMAL);
    PaintPending();
    return window;
}

}  // namespace tolv::plugins
