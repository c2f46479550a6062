// What the host adds to the page frame's window: a row of tool buttons, one per connected
// plug-in (text: its name or title; tool tip: its GetToolTip), enabled as the plug-ins answer
// for the connected phone; a press calls the plug-in's Show. It also asks the plug-ins before
// the window closes, answers the registered messages of HostProtocol.h, and carries out
// "--press": the plug-in's button is pressed as soon as it is enabled, or the host ends with
// kExitPressTimedOut.
//
// Holds the plug-in set and the frame by reference (both outlive it) and owns the phone
// watcher and the first look at the phone. Threads: the host's main thread alone.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

#include "platform/host/PhoneModelQuery.h"
#include "platform/host/PhoneWatcher.h"
#include "platform/host/PlugInSet.h"
#include "platform/pageframe/FrameExtension.h"
#include "platform/pageframe/PageFrameWindow.h"

namespace host {

struct PressRequest {
    // Empty: nothing to press.
    std::wstring plugIn;
    unsigned long timeoutMs = 0;
};

class CHostWindow final : public pageframe::IFrameExtension, private IPhoneListener {
public:
    CHostWindow(CPlugInSet& plugIns, PressRequest press);
    ~CHostWindow() = default;
    CHostWindow(const CHostWindow&) = delete;
    CHostWindow& operator=(const CHostWindow&) = delete;

    // The frame this extends; before the frame's Create.
    void AttachFrame(pageframe::CPageFrameWindow& frame) noexcept { m_frame = &frame; }
    // Lets the phone proxy go: no phone event reaches the plug-ins after it. After the frame's
    // Run, before the plug-ins are disconnected.
    void StopWatchingPhone() noexcept { m_phone.Stop(); }
    // Waits for the first look at the phone to end (it ends by itself once Kivlink stops waiting
    // for a phone); after the plug-ins are disconnected, so that they hear of the end at once.
    void WaitForPhoneQuestion() noexcept { m_modelQuery.Wait(); }

    void OnFrameCreated(HWND frame) override;
    bool OnFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool CanCloseFrame() override;

private:
    void OnPhoneChanged(const std::wstring& model) override;

    void CreateButtons();
    void AddToolTips();
    void StartWatching();
    void OnModelAnswered();
    void PressWhenEnabled();
    void GiveUpPress();
    // Presses an enabled button (after the current message, so that a sender is not held up
    // by the plug-in's Show); false for a disabled or missing one.
    bool RequestPress(size_t index);
    LRESULT ButtonState(size_t index) const;
    HWND Button(size_t index) const;

    CPlugInSet& m_plugIns;
    PressRequest m_press;
    pageframe::CPageFrameWindow* m_frame = nullptr;
    CPhoneWatcher m_phone;
    CPhoneModelQuery m_modelQuery;
    HWND m_window = nullptr;
    UINT m_pressMessage;
    UINT m_pressByNameMessage;
    UINT m_buttonStateMessage;
};

}  // namespace host
