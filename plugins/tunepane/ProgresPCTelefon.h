#pragma once
// The progress dialog of an upload ("Copy MP3 to phone", dialog 206): a copy animation, the
// file on its way, a bar over all files and Cancel. Its modal loop runs on the job's thread;
// the copying runs on a transfer thread the dialog starts when it opens, with its own COM
// apartment, proxy object, phone client and progress sink. Nothing COM crosses the two.
//
// Cancel stops after the current file (the sink aborts the running copy); Escape and the close
// command are ignored until the transfer thread has finished, whose last act closes the dialog.
#include "plugins/common/ProgressEvents.h"
#include "plugins/tunepane/Mp3Device.h"
#include "plugins/tunepane/Mp3JobSite.h"
#include "plugins/tunepane/Mp3TransferRecord.h"
#include "plugins/tunepane/Mp3WorkerThread.h"

#include <windows.h>

#include <atomic>
#include <string>

class CTolvTrace;
class IModuleResource;

namespace tolv::tunepane {

class CProgresPCTelefon final : public plugins::IProgressDialog {
public:
    // `resources`: the module with dialog 206 and animation 209. `texts` and `trace` (may be
    // null) must outlive the dialog.
    CProgresPCTelefon(HINSTANCE resources, IModuleResource& texts, CTolvTrace* trace);
    ~CProgresPCTelefon();
    CProgresPCTelefon(const CProgresPCTelefon&) = delete;
    CProgresPCTelefon& operator=(const CProgresPCTelefon&) = delete;

    void SetCalledByButton(bool calledByButton) { m_calledByButton = calledByButton; }
    bool CalledByButton() const { return m_calledByButton; }
    // The page the transfer stops for when the host no longer reports the phone; null: none.
    // It must outlive the dialog; the transfer thread reads it.
    void SetPage(const IMp3JobSite* page) { m_page = page; }
    // The files and the phone folder they go to ("E:\Mp3\", with the trailing backslash).
    void SetTransfer(std::wstring targetFolder, Mp3TransferList list);

    // Runs the dialog and the transfer; returns once both have ended. -1 when the dialog could
    // not be shown.
    INT_PTR DoModal();

    bool CancelRequested() const override { return m_cancelRequested; }
    HWND ProgressBar() const override { return m_bar; }
    int ProgressBase() const override { return m_base; }
    int ProgressSpan() const override { return m_span; }

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog(HWND dialog);
    void OnCommand(WORD id);

    // The transfer thread and its steps (ProgresPCTelefonTransfer.cpp).
    void TransferThread();
    void CopyAll();
    void ShowPaths(const std::wstring& source, const std::wstring& destination);
    void MoveBar(int position);
    void Trace(const char* text) const;

    HINSTANCE m_resources;
    IModuleResource& m_texts;
    CTolvTrace* m_trace;
    const IMp3JobSite* m_page = nullptr;
    bool m_calledByButton = false;
    std::wstring m_targetFolder;
    Mp3TransferList m_list;
    // Used by the transfer thread only.
    CMp3Device m_device;

    HWND m_dialog = nullptr;
    HWND m_bar = nullptr;
    std::atomic<bool> m_cancelRequested{false};
    std::atomic<bool> m_finished{false};
    std::atomic<int> m_base{0};
    std::atomic<int> m_span{0};
    // Last, so that it is joined before anything it uses goes.
    CMp3WorkerThread m_transfer;
};

}  // namespace tolv::tunepane
