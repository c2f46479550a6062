// The progress dialog's transfer thread: every file of the list to the phone, one after the
// other, while the dialog's modal loop runs on the job's thread.
#include "ProgresPCTelefon.h"

#include "Mp3ErrorMessages.h"
#include "Mp3JobTexts.h"
#include "PathShortening.h"
#include "TunepaneStringIds.h"
#include "WaitCursor.h"
#include "res/TunepaneResources.h"

#include "plugins/common/KivProxyServer.h"

#include "com/ComInit.h"
#include "com/ComObject.h"
#include "resources/IModuleResource.h"
#include "trace/TolvTrace.h"

#include <commctrl.h>

using tolv::com::com_ptr;

namespace tolv::tunepane {

namespace {

// Each file covers this many positions of the bar.
constexpr int kFileShare = 100;
// The text control's edge keeps these pixels of its width.
constexpr int kTextMargin = 2;
constexpr int kTraceLevel = 3;
constexpr wchar_t kLineBreak[] = L"\n\r";

using CProgressSink = tolv::com::ComObject<plugins::CProgressEventsImpl>;

// Failures that leave one file out without a word: the user can do nothing about them here.
bool IsSkippedSilently(HRESULT hr)
{
    return hr == KIV_E_SERVICENOTSUPPORTED || hr == KIV_E_FILENOTFOUND || hr == E_ACCESSDENIED;
}

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

void CProgresPCTelefon::Trace(const char* text) const
{
    if (m_trace)
        m_trace->Format(kTraceLevel, "%s", text);
}

void CProgresPCTelefon::MoveBar(int position)
{
    SendMessageW(m_bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void CProgresPCTelefon::ShowPaths(const std::wstring& source, const std::wstring& destination)
{
    const HWND text = GetDlgItem(m_dialog, TUNEPANE_IDC_PROGRESS_TEXT);
    RECT client{};
    GetClientRect(text, &client);
    const int maxWidth = client.right - client.left - kTextMargin;
    std::wstring lines;
    {
        const CControlTextWidth width(text);
        lines = WideText(m_texts, IDS_COPY_FROM_PC) + kLineBreak + ShortenPath(source, maxWidth, std::cref(width)) +
                kLineBreak + WideText(m_texts, IDS_TO_THE_DEVICE) + kLineBreak +
                ShortenPath(destination, maxWidth, std::cref(width));
    }
    SetWindowTextW(text, lines.c_str());
}

void CProgresPCTelefon::TransferThread()
{
    {
        const tolv::com::com_init com(COINIT_APARTMENTTHREADED);
        const CWaitCursor wait;
        com_ptr<IKivVolume2> volume;
        const HRESULT created = plugins::CreateKivProxyRetrying(plugins::kAnyServer, volume);
        if (FAILED(created) && m_trace)
            m_trace->Format(kTraceLevel, "  Error KivProxyServer not created (0x%08X)", static_cast<unsigned>(created));
        m_device.SetVolume(volume);
        if (!m_list.empty())
            ShowPaths(m_list.front().SourcePath(), m_targetFolder + m_list.front().targetName);

        com_ptr<CProgressSink> sink;
        bool advised = false;
        if (volume && SUCCEEDED(CProgressSink::Create(sink, this, m_trace))) {
            advised = SUCCEEDED(sink->Advise(volume.get(), nullptr));
            Trace(advised ? "AllEventsAdvise ok" : "AllEventsAdvise nok");
        }
        if (!volume)
            ErrorToMessage(m_texts, nullptr, E_POINTER, true);
        else
            CopyAll();

        if (advised)
            sink->Unadvise();
        sink = nullptr;
        m_device.SetVolume(nullptr);
    }
    m_finished = true;
    PostMessageW(m_dialog, WM_COMMAND, IDCANCEL, 0);
}

void CProgresPCTelefon::CopyAll()
{
    const int count = static_cast<int>(m_list.size());
    if (count == 0)
        return;
    SendMessageW(m_bar, PBM_SETRANGE32, 0, count * kFileShare);
    bool errorShown = false;
    for (int index = 0; index < count; ++index) {
        const Mp3TransferRecord& record = m_list[static_cast<size_t>(index)];
        const std::wstring source = record.SourcePath();
        const std::wstring destination = m_targetFolder + record.targetName;
        if (m_page && !m_page->FrameworkConnected()) {
            Trace("  Info the host no longer reports the phone");
            break;
        }
        ShowPaths(source, destination);
        m_base = index * kFileShare;
        m_span = kFileShare;
        MoveBar(m_base);
        if (m_cancelRequested)
            break;
        if (m_page && !m_page->FrameworkConnected()) {
            if (!errorShown)
                ErrorToMessage(m_texts, nullptr, KIV_E_NOCONNECTION, true);
            break;
        }
        const HRESULT hr = m_device.CopyFromPC(source, destination);
        if (SUCCEEDED(hr))
            continue;
        if (hr == KIV_E_FILEEXISTSALREADY) {
            // The phone keeps its file; this file's share of the bar is done.
            MoveBar(m_base + kFileShare);
            continue;
        }
        if (IsSkippedSilently(hr))
            continue;
        if (ErrorToMessage(m_texts, nullptr, hr, true)) {
            errorShown = true;
            break;
        }
    }
}

}  // namespace tolv::tunepane
