#include "ProgresPCTelefon.h"

#include "Mp3JobTexts.h"
#include "TunepaneStringIds.h"
#include "res/TunepaneResources.h"

#include "resources/IModuleResource.h"

#include <commctrl.h>

namespace tolv::tunepane {

namespace {

constexpr int kBarRangeLow = 0;
constexpr WORD kFirstFrame = 0;
constexpr WORD kLastFrame = 0xFFFF;  // -1 as a frame number: the animation's last
constexpr UINT kRepeatForever = static_cast<UINT>(-1);

}  // namespace

CProgresPCTelefon::CProgresPCTelefon(HINSTANCE resources, IModuleResource& texts, CTolvTrace* trace)
    : m_resources(resources),
      m_texts(texts),
      m_trace(trace),
      m_device(trace)
{
}

CProgresPCTelefon::~CProgresPCTelefon() = default;

void CProgresPCTelefon::SetTransfer(std::wstring targetFolder, Mp3TransferList list)
{
    m_targetFolder = std::move(targetFolder);
    m_list = std::move(list);
}

INT_PTR CProgresPCTelefon::DoModal()
{
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_ANIMATE_CLASS | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    const INT_PTR result = DialogBoxParamW(m_resources, MAKEINTRESOURCEW(TUNEPANE_IDD_PROGRESS), nullptr,
                                           &CProgresPCTelefon::DialogProc, reinterpret_cast<LPARAM>(this));
    // The thread's last act was to close the dialog; what remains of it is short.
    m_transfer.Join();
    m_dialog = nullptr;
    m_bar = nullptr;
    return result;
}

INT_PTR CALLBACK CProgresPCTelefon::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, GWLP_USERDATA, lParam);
        reinterpret_cast<CProgresPCTelefon*>(lParam)->OnInitDialog(dialog);
        return TRUE;
    }
    auto* self = reinterpret_cast<CProgresPCTelefon*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
    if (!self)
        return FALSE;
    if (message == WM_COMMAND) {
        self->OnCommand(LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

void CProgresPCTelefon::OnInitDialog(HWND dialog)
{
    m_dialog = dialog;
    m_bar = GetDlgItem(dialog, TUNEPANE_IDC_PROGRESS_BAR);
    SetWindowTextW(dialog, WideText(m_texts, IDS_CAPTION_COPY_MP3).c_str());
    SetDlgItemTextW(dialog, TUNEPANE_IDC_PROGRESS_CANCEL, WideText(m_texts, IDS_CANCEL).c_str());
    const HWND animation = GetDlgItem(dialog, TUNEPANE_IDC_ANIMATION);
    if (SendMessageW(animation, ACM_OPENW, reinterpret_cast<WPARAM>(m_resources),
                     reinterpret_cast<LPARAM>(MAKEINTRESOURCEW(TUNEPANE_IDR_COPY_ANIMATION))))
        SendMessageW(animation, ACM_PLAY, kRepeatForever, MAKELPARAM(kFirstFrame, kLastFrame));
    else
        Trace("  Info copy animation not opened");
    SendMessageW(m_bar, PBM_SETRANGE32, kBarRangeLow, 0);
    // Cleared before the thread runs, so that an early Cancel is not lost.
    m_finished = false;
    m_cancelRequested = false;
    if (!m_transfer.Start([this] { TransferThread(); })) {
        Trace("  Error transfer thread not started");
        m_finished = true;
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

void CProgresPCTelefon::OnCommand(WORD id)
{
    if (id == TUNEPANE_IDC_PROGRESS_CANCEL) {
        EnableWindow(GetDlgItem(m_dialog, TUNEPANE_IDC_PROGRESS_CANCEL), FALSE);
        m_cancelRequested = true;
        return;
    }
    // Escape and the close command as well: only the finished transfer may end the dialog.
    if (id == IDCANCEL && m_finished)
        EndDialog(m_dialog, IDCANCEL);
}

}  // namespace tolv::tunepane
