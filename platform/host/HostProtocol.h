// How a test (or any other program) drives the host from outside: the window to look for, its
// controls, its registered messages, its command line and its exit codes.
//
//   1. Start "PellaryHost.exe [--page NAME] [--press NAME [--press-timeout MS]]" and find the
//      top-level window of class "#32770" titled kHostWindowTitle
//      (FindWindowW(L"#32770", kHostWindowTitle)).
//   2. The plug-ins' tool buttons are its children with the identifiers kFirstPlugInButtonId,
//      kFirstPlugInButtonId + 1, ... in the plug-ins' order (their names' order); a button's
//      text is its plug-in's name or title. Every button starts disabled and follows its
//      plug-in's EnableToolButton answer for the connected phone.
//   3. kPressPlugInMessage (wParam: the button's index) presses a button: answers TRUE when it
//      was enabled, the plug-in's Show then following at once. kPressPlugInByNameMessage does
//      the same for a plug-in's name, passed as a global atom in wParam (GlobalAddAtomW).
//      kPlugInButtonStateMessage (wParam: index) answers kButtonMissing, kButtonDisabled or
//      kButtonEnabled.
//   4. The pages, Apply, OK and Cancel are the page frame's (platform/pageframe/
//      PageFrameProtocol.h): the same control identifiers and kSelectPageMessage. OK and Cancel
//      (the window's close too) close only when every plug-in's CanCloseWindow agrees.
#pragma once

#include <windows.h>

#include "platform/host/HostResources.h"
#include "platform/pageframe/PageFrameProtocol.h"

namespace host {

inline constexpr wchar_t kHostWindowTitle[] = L"" HOST_WINDOW_TITLE;
inline constexpr wchar_t kHostProgram[] = L"PellaryHost.exe";

inline constexpr int kFirstPlugInButtonId = IDC_FIRST_PLUGIN_BUTTON;

inline constexpr wchar_t kPressPlugInMessage[] = L"PellaryHostPressPlugIn";
inline constexpr wchar_t kPressPlugInByNameMessage[] = L"PellaryHostPressPlugInByName";
inline constexpr wchar_t kPlugInButtonStateMessage[] = L"PellaryHostPlugInButtonState";
inline constexpr LRESULT kButtonMissing = 0;
inline constexpr LRESULT kButtonDisabled = 1;
inline constexpr LRESULT kButtonEnabled = 2;

// Where the plug-ins are listed: one subkey per plug-in, named after it, with the string values
// kPlugInClsidValue and kPlugInDescriptionValue.
inline constexpr wchar_t kPlugInsKey[] = L"Software\\Vostrel\\Pellary\\PlugIns";
inline constexpr wchar_t kPlugInClsidValue[] = L"CLSID";
inline constexpr wchar_t kPlugInDescriptionValue[] = L"Description";

inline constexpr wchar_t kPageOption[] = L"--page";
inline constexpr wchar_t kPressOption[] = L"--press";
inline constexpr wchar_t kPressTimeoutOption[] = L"--press-timeout";
inline constexpr unsigned long kDefaultPressTimeoutMs = 60000;

inline constexpr int kExitClosed = pageframe::kExitClosed;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitNoCom = 2;
// --press named no connected plug-in.
inline constexpr int kExitPlugInNotFound = 3;
// --press: the button did not become enabled in time.
inline constexpr int kExitPressTimedOut = 4;
inline constexpr int kExitWindowFailed = 5;
inline constexpr int kExitRegistrationFailed = 6;

}  // namespace host
