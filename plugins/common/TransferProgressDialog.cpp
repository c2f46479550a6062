#include "TransferProgressDialog.h"

#include "PathShortening.h"
#include "WaitCursor.h"

#include "com/ComInit.h"
#include "com/ComObject.h"
#include "trace/TolvTrace.h"

#include <commctrl.h>

using tolv::com::com_ptr;

namespace tolv::plugins {

namespace {

constexpr int kBarRangeLow = 0;
constexpr WORD kFirstFrame = 0;
constexpr WORD kLastFrame = 0xFFFF;  // -1 as a frame number: the animation's last
constexpr UINT kRepeatForever = static_cast<UINT>(-1);
// The text control's edge keeps these pixels of its width.
constexpr int kTextMargin = 2;
constexpr int kTraceLevel = 3;
constexpr wchar_t kLineBreak[] = L"\n\r";

using CProgressSink = tolv::com::ComObject<CProgressEventsImpl>;

// The width of the text control's text, measured with its own font.
class CControlTextWidth {
public:
    explicit CControlTextWidth(HWND control)
        : m_control(control),
          m_context(GetDC(control)),
          m_oldFont(SelectObject(m_context, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0))))
    {
    }
    ~CControlTextWidth()
    {
        SelectObject(m_context, m_oldFont);
        ReleaseDC(m_control, m_context);
    }
    CControlTextWidth(const CControlTextWidth&) = delete;
    CControlTextWidth& operator=(const CControlTextWidth&) = delete;

    int operator()(const std::wstring& text) const
    {
        SIZE size{};
        GetTextExtentPoint32W(m_context, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }

private:
    HWND m_control;
    HDC m_context;
    HGDIOBJ m_oldFont;
};

}  // namespace

CTransferProgressDialog::CTransferProgressDialog(const ProgressDialogTemplate& dialog, ProgressDialogTexts texts,
                                                 CTolvTrace* trace)
    : m_template(dialog),
      m_texts(std::move(texts)),
      m_trace(trace)
{
}

CTransferProgressDialog::~CTransferProgressDialog() = default;

INT_PTR CTransferProgressDialog::DoModal()
{
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_ANIMATE_CLASS | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    const INT_PTR result = DialogBoxParamW(m_template.module, MAKEINTRESOURCEW(m_template.dialogId), nullptr,
                                           &CTransferProgressDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    // The thread's last act was to close the dialog; what remains of it is short.
    m_transfer.Join();
    m_dialog = nullptr;
    m_bar = nullptr;
    return result;
}

INT_PTR CALLBACK CTransferProgressDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, GWLP_USERDATA, lParam);
        reinterpret_cast<CTransferProgressDialog*>(lParam)->OnInitDialog(dialog);
        return TRUE;
    }
    auto* self = reinterpret_cast<CTransferProgressDialog*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
    if (!self)
        return FALSE;
    if (message == WM_COMMAND) {
        self->OnCommand(LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

void CTransferProgressDialog::OnInitDialog(HWND dialog)
{
    m_dialog = dialog;
    m_bar = GetDlgItem(dialog, m_template.barControlId);
    SetWindowTextW(dialog, m_texts.caption.c_str());
    SetDlgItemTextW(dialog, m_template.cancelControlId, m_texts.cancel.c_str());
    const HWND animation = GetDlgItem(dialog, m_template.animationControlId);
    if (SendMessageW(animation, ACM_OPENW, reinterpret_cast<WPARAM>(m_template.module),
                     reinterpret_cast<LPARAM>(MAKEINTRESOURCEW(m_template.animationResourceId))))
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

void CTransferProgressDialog::OnCommand(WORD id)
{
    if (id == m_template.cancelControlId) {
        EnableWindow(GetDlgItem(m_dialog, m_template.cancelControlId), FALSE);
        m_cancelRequested = true;
        return;
    }
    // Escape and the close command as well: only the finished transfer may end the dialog.
    if (id == IDCANCEL && m_finished)
        EndDialog(m_dialog, IDCANCEL);
}

// ---- The transfer thread ----

void CTransferProgressDialog::Trace(const char* text) const
{
    if (m_trace)
        m_trace->Format(kTraceLevel, "%s", text);
}

void CTransferProgressDialog::MoveBar(int position)
{
    SendMessageW(m_bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void CTransferProgressDialog::CopyFiles(int count, const FileCopy& steps)
{
    if (count == 0)
        return;
    SendMessageW(m_bar, PBM_SETRANGE32, kBarRangeLow, count * kFileShare);
    const auto hostLostPhone = [&steps] { return steps.hostReportsPhone && !steps.hostReportsPhone(); };
    bool errorShown = false;
    for (int index = 0; index < count; ++index) {
        const FileStep step = steps.file(index);
        if (hostLostPhone()) {
            Trace("  Info the host no longer reports the phone");
            break;
        }
        ShowPaths(step.source, step.destination);
        BeginFile(index);
        if (m_cancelRequested)
            break;
        if (hostLostPhone()) {
            if (!errorShown)
                steps.reportFailure(KIV_E_NOCONNECTION);
            break;
        }
        const HRESULT hr = steps.copy(step);
        if (SUCCEEDED(hr)) {
            if (steps.successCompletesFile)
                CompleteFile();
            continue;
        }
        if (hr == KIV_E_FILEEXISTSALREADY) {
            // The other side keeps its file; this file's share of the bar is done.
            CompleteFile();
            continue;
        }
        if (steps.skippedSilently(hr))
            continue;
        if (steps.reportFailure(hr)) {
            errorShown = true;
            break;
        }
    }
}

void CTransferProgressDialog::BeginFile(int index)
{
    m_base = index * kFileShare;
    m_span = kFileShare;
    MoveBar(m_base);
}

void CTransferProgressDialog::CompleteFile()
{
    MoveBar(m_base + kFileShare);
}

void CTransferProgressDialog::ShowPaths(const std::wstring& source, const std::wstring& destination)
{
    const HWND text = GetDlgItem(m_dialog, m_template.textControlId);
    RECT client{};
    GetClientRect(text, &client);
    const int maxWidth = client.right - client.left - kTextMargin;
    std::wstring lines;
    {
        const CControlTextWidth width(text);
        lines = m_texts.fromLabel + kLineBreak + ShortenPath(source, maxWidth, std::cref(width)) + kLineBreak +
                m_texts.toLabel + kLineBreak + ShortenPath(destination, maxWidth, std::cref(width));
    }
    SetWindowTextW(text, lines.c_str());
}

void CTransferProgressDialog::TransferThread()
{
    {
        const tolv::com::com_init com(COINIT_APARTMENTTHREADED);
        const WaitCursor wait;
        com_ptr<IKivVolume2> volume;
        const HRESULT created = CreateVolume(volume);
        if (FAILED(created) && m_trace)
            m_trace->Format(kTraceLevel, "  Error KivProxyServer not created (0x%08X)", static_cast<unsigned>(created));
        BeginTransfer(volume.get());

        com_ptr<CProgressSink> sink;
        bool advised = false;
        if (volume && SUCCEEDED(CProgressSink::Create(sink, this, m_trace))) {
            advised = SUCCEEDED(sink->Advise(volume.get(), nullptr));
            Trace(advised ? "AllEventsAdvise ok" : "AllEventsAdvise nok");
        }
        Transfer(volume.get());

        if (advised)
            sink->Unadvise();
        sink = nullptr;
        EndTransfer();
    }
    m_finished = true;
    PostMessageW(m_dialog, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace tolv::plugins
