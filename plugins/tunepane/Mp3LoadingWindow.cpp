#include "Mp3LoadingWindow.h"

#include "Mp3JobTexts.h"
#include "TunepaneStringIds.h"
#include "res/TunepaneResources.h"

#include "resources/IModuleResource.h"

namespace tolv::tunepane {

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

tolv::ui::unique_window ShowLoadingWindow(HINSTANCE resources, IModuleResource& texts)
{
    tolv::ui::unique_window window(
        CreateDialogParamW(resources, MAKEINTRESOURCEW(TUNEPANE_IDD_LOADING), nullptr, &LoadingProc, 0));
    if (!window)
        return window;
    SetWindowTextW(window.get(), WideText(texts, IDS_TASK_NAME).c_str());
    SetDlgItemTextW(window.get(), TUNEPANE_IDC_LOADING_TEXT, WideText(texts, IDS_LOADING_IN_PROGRESS).c_str());
    ShowWindow(window.get(), SW_SHOWNORMAL);
    PaintPending();
    return window;
}

}  // namespace tolv::tunepane
