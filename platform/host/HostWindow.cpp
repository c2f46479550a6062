#include "platform/host/HostWindow.h"

#include <utility>

#include <commctrl.h>

#include "platform/host/HostProtocol.h"
#include "platform/host/HostTrace.h"
#include "platform/pageframe/ProgramConsole.h"
#include "trace/WideToAnsi.h"

namespace host {

namespace {

// Posted to itself once the window shows, so that the window is up before the phone proxy
// (and Kivlink with it) is started.
constexpr UINT kStartMessage = WM_APP + 1;
// The first look at the phone has its answer.
constexpr UINT kModelAnsweredMessage = WM_APP + 2;
constexpr UINT_PTR kPressTimer = 1;

void ReportLine(const std::wstring& line)
{
    HostTrace().Format(kTraceErrors, "%s", tolv::trace::WideToAnsi(line.c_str()).c_str());
    pageframe::ReportOnStandardError(L"PellaryHost: " + line + L"\n");
}

}  // namespace

CHostWindow::CHostWindow(CPlugInSet& plugIns, PressRequest press)
    : m_plugIns(plugIns),
      m_press(std::move(press)),
      m_pressMessage(RegisterWindowMessageW(kPressPlugInMessage)),
      m_pressByNameMessage(RegisterWindowMessageW(kPressPlugInByNameMessage)),
      m_buttonStateMessage(RegisterWindowMessageW(kPlugInButtonStateMessage))
{
}

void CHostWindow::OnFrameCreated(HWND frame)
{
    m_window = frame;
    m_plugIns.SetMainWindow(frame);
    CreateButtons();
    AddToolTips();
    PostMessageW(frame, kStartMessage, 0, 0);
}

void CHostWindow::CreateButtons()
{
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(m_window, WM_GETFONT, 0, 0));
    for (size_t index = 0; index < m_plugIns.size(); ++index) {
        const int left = HOST_BUTTON_ROW_LEFT + static_cast<int>(index) * (HOST_BUTTON_WIDTH + HOST_BUTTON_GAP);
        RECT place{left, HOST_BUTTON_ROW_TOP, left + HOST_BUTTON_WIDTH, HOST_BUTTON_ROW_TOP + HOST_BUTTON_HEIGHT};
        MapDialogRect(m_window, &place);
        // Every button starts disabled: no plug-in has seen a phone yet.
        HWND button = CreateWindowExW(0, L"BUTTON", m_plugIns.PlugIns()[index].buttonText.c_str(),
                                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON, place.left,
                                      place.top, place.right - place.left, place.bottom - place.top, m_window,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstPlugInButtonId + index)),
                                      GetModuleHandleW(nullptr), nullptr);
        if (button == nullptr) {
            ReportLine(L"a tool button could not be made for " + m_plugIns.PlugIns()[index].name);
            continue;
        }
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

void CHostWindow::AddToolTips()
{
    if (m_plugIns.size() == 0) {
        return;
    }
    // Owned by the window, which destroys it along with itself.
    HWND tips =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, m_window, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (tips == nullptr) {
        return;
    }
    for (size_t index = 0; index < m_plugIns.size(); ++index) {
        HWND button = Button(index);
        if (button == nullptr || m_plugIns.PlugIns()[index].toolTip.empty()) {
            continue;
        }
        std::wstring text = m_plugIns.PlugIns()[index].toolTip;
        // The tool is the button's place in the window rather than the button: a disabled button
        // gets no mouse messages, and its tip should show all the same.
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = m_window;
        tool.uId = kFirstPlugInButtonId + index;
        GetWindowRect(button, &tool.rect);
        MapWindowPoints(nullptr, m_window, reinterpret_cast<POINT*>(&tool.rect), 2);
        tool.lpszText = text.data();
        SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

bool CHostWindow::OnFrameMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (message == kStartMessage) {
        StartWatching();
        return true;
    }
    if (message == kModelAnsweredMessage) {
        OnModelAnswered();
        return true;
    }
    if (message == WM_TIMER && wParam == kPressTimer) {
        GiveUpPress();
        return true;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) >= kFirstPlugInButtonId &&
        LOWORD(wParam) < kFirstPlugInButtonId + m_plugIns.size()) {
        const size_t index = LOWORD(wParam) - kFirstPlugInButtonId;
        if (IsWindowEnabled(Button(index))) {
            m_plugIns.Show(index);
        }
        return true;
    }
    if (message == m_pressMessage && m_pressMessage != 0) {
        result = RequestPress(static_cast<size_t>(wParam)) ? TRUE : FALSE;
        return true;
    }
    if (message == m_pressByNameMessage && m_pressByNameMessage != 0) {
        wchar_t name[256] = {};
        const bool named = GlobalGetAtomNameW(static_cast<ATOM>(wParam), name, static_cast<int>(std::size(name))) != 0;
        result = named && RequestPress(m_plugIns.IndexOf(name)) ? TRUE : FALSE;
        return true;
    }
    if (message == m_buttonStateMessage && m_buttonStateMessage != 0) {
        result = ButtonState(static_cast<size_t>(wParam));
        return true;
    }
    return false;
}

bool CHostWindow::CanCloseFrame()
{
    return m_plugIns.CanCloseAll();
}

void CHostWindow::StartWatching()
{
    if (!m_press.plugIn.empty()) {
        if (m_plugIns.IndexOf(m_press.plugIn) == m_plugIns.size()) {
            ReportLine(L"no connected plug-in is named " + m_press.plugIn);
            m_frame->EndWith(kExitPlugInNotFound);
            return;
        }
        SetTimer(m_window, kPressTimer, m_press.timeoutMs, nullptr);
    }
    const HRESULT hr = m_phone.Start(this);
    if (FAILED(hr)) {
        // Without the proxy the buttons stay disabled; the host itself still works.
        HostTrace().Format(kTraceErrors, "the phone proxy is not available: 0x%08lX", static_cast<unsigned long>(hr));
        return;
    }
    if (FAILED(m_modelQuery.Start(m_window, kModelAnsweredMessage))) {
        HostTrace().Format(kTraceErrors, "the connected phone cannot be asked for");
    }
}

void CHostWindow::OnModelAnswered()
{
    const std::wstring model = m_modelQuery.Wait();
    if (!model.empty()) {
        OnPhoneChanged(model);
    }
}

void CHostWindow::OnPhoneChanged(const std::wstring& model)
{
    if (!IsWindow(m_window)) {
        return;
    }
    const std::vector<bool> enabled = m_plugIns.EnableFor(model);
    for (size_t index = 0; index < enabled.size(); ++index) {
        if (HWND button = Button(index)) {
            EnableWindow(button, enabled[index] ? TRUE : FALSE);
        }
    }
    PressWhenEnabled();
}

void CHostWindow::PressWhenEnabled()
{
    if (m_press.plugIn.empty() || !RequestPress(m_plugIns.IndexOf(m_press.plugIn))) {
        return;
    }
    m_press.plugIn.clear();
    KillTimer(m_window, kPressTimer);
}

void CHostWindow::GiveUpPress()
{
    KillTimer(m_window, kPressTimer);
    if (m_press.plugIn.empty()) {
        return;
    }
    ReportLine(L"the button of " + m_press.plugIn + L" was not enabled in time");
    m_press.plugIn.clear();
    m_frame->EndWith(kExitPressTimedOut);
}

bool CHostWindow::RequestPress(size_t index)
{
    if (ButtonState(index) != kButtonEnabled) {
        return false;
    }
    return PostMessageW(m_window, WM_COMMAND, MAKEWPARAM(kFirstPlugInButtonId + index, BN_CLICKED),
                        reinterpret_cast<LPARAM>(Button(index))) != FALSE;
}

LRESULT CHostWindow::ButtonState(size_t index) const
{
    HWND button = Button(index);
    if (button == nullptr) {
        return kButtonMissing;
    }
    return IsWindowEnabled(button) ? kButtonEnabled : kButtonDisabled;
}

HWND CHostWindow::Button(size_t index) const
{
    if (index >= m_plugIns.size()) {
        return nullptr;
    }
    return GetDlgItem(m_window, kFirstPlugInButtonId + static_cast<int>(index));
}

}  // namespace host
