// How a test (or any other program) drives the page frame from outside: the window to look
// for, its controls, its registered messages and its exit codes.
//
//   1. Start "pageframe.exe {CLSID} ..." and find the top-level window of class "#32770" titled
//      kPageFrameTitle (FindWindowW(L"#32770", kPageFrameTitle)).
//   2. Send or post WM_COMMAND with kApplyButtonId (Apply), IDOK (apply and close) or IDCANCEL
//      (close); the Apply button's enabled state tells whether a page reported changes.
//   3. Send the registered message kSelectPageMessage with the page's index in wParam to show
//      another page; the answer is TRUE when the page is shown.
//   4. The static kPageInfoTextId shows the current page's help file and document string.
//
// With "--system" the pages go to the system's property frame (OleCreatePropertyFrame)
// instead; that one is a modal property sheet, closed by WM_COMMAND IDOK or IDCANCEL.
#pragma once

#include "platform/pageframe/PageFrameResources.h"

namespace pageframe {

inline constexpr wchar_t kPageFrameTitle[] = L"" PAGE_FRAME_TITLE;
inline constexpr wchar_t kSelectPageMessage[] = L"PellaryPageFrameSelectPage";
inline constexpr wchar_t kSystemFrameOption[] = L"--system";

inline constexpr int kTabControlId = IDC_PAGE_TABS;
inline constexpr int kApplyButtonId = IDC_APPLY;
inline constexpr int kPageInfoTextId = IDC_PAGE_INFO;

inline constexpr int kExitClosed = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitNoCom = 2;
inline constexpr int kExitPageNotLoaded = 3;
inline constexpr int kExitFrameFailed = 4;

}  // namespace pageframe
