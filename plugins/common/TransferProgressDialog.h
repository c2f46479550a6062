#pragma once
// The progress dialog of a transfer job (the MP3 upload, the photo download): a copy
// animation, the file on its way as four lines ("from" label, source, "to" label, destination),
// a bar over all files and Cancel. Its modal loop runs on the job's thread; the copying runs on
// a transfer thread the dialog starts when it opens, with its own COM apartment, proxy object,
// phone client and progress sink. Nothing COM crosses the two.
//
// Cancel disables itself and stops after the current file (the sink aborts the running copy);
// Escape and the close command are ignored until the transfer thread has finished, whose last
// act closes the dialog. A plug-in derives its dialog and supplies the transfer's steps, which
// run on the transfer thread.
#include "plugins/common/ProgressEvents.h"
#include "plugins/common/WorkerThread.h"

#include "com/ComPtr.h"

#include "KivlinkLib.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

class CTolvTrace;

namespace tolv::plugins {

// The dialog template and its controls, in `module`.
struct ProgressDialogTemplate {
    HINSTANCE module;
    int dialogId;
    int animationControlId;
    int textControlId;
    int barControlId;
    int cancelControlId;
    int animationResourceId;  // AVI
};

// In the user's language.
struct ProgressDialogTexts {
    std::wstring caption;
    std::wstring cancel;
    std::wstring fromLabel;  // the first of the four lines
    std::wstring toLabel;  // the third
};

class CTransferProgressDialog : public IProgressDialog {
public:
    // Each file covers this many positions of the bar.
    static constexpr int kFileShare = 100;

    // `trace` (may be null) must outlive the dialog.
    CTransferProgressDialog(const ProgressDialogTemplate& dialog, ProgressDialogTexts texts, CTolvTrace* trace);
    virtual ~CTransferProgressDialog();
    CTransferProgressDialog(const CTransferProgressDialog&) = delete;
    CTransferProgressDialog& operator=(const CTransferProgressDialog&) = delete;

    void SetCalledByButton(bool calledByButton) { m_calledByButton = calledByButton; }
    bool CalledByButton() const { return m_calledByButton; }

    // Runs the dialog and the transfer; returns once both have ended. -1 when the dialog could
    // not be shown.
    INT_PTR DoModal();

    bool CancelRequested() const override { return m_cancelRequested; }
    HWND ProgressBar() const override { return m_bar; }
    int ProgressBase() const override { return m_base; }
    int ProgressSpan() const override { return m_span; }

protected:
    // The transfer's steps, on the transfer thread (a single-threaded apartment of its own).
    // The thread's own proxy object; an empty one is no failure here (Transfer decides).
    virtual HRESULT CreateVolume(tolv::com::com_ptr<IKivVolume2>& volume) = 0;
    // Before the sink is advised: the phone client takes `volume` (may be null), the first
    // file is shown.
    virtual void BeginTransfer(IKivVolume2* volume) = 0;
    // Every file, with the sink advised when there is a volume.
    virtual void Transfer(IKivVolume2* volume) = 0;
    // After the sink's unadvise: the phone client lets the volume go.
    virtual void EndTransfer() = 0;

    // One file as the dialog shows it.
    struct FileStep {
        std::wstring source;
        std::wstring destination;
    };
    // What a plug-in's copy loop is made of.
    struct FileCopy {
        std::function<FileStep(int index)> file;
        std::function<HRESULT(const FileStep& step)> copy;
        // Failures that leave one file out without a word.
        std::function<bool(HRESULT hr)> skippedSilently;
        // Tells the user of a failure; true when it ends the transfer.
        std::function<bool(HRESULT hr)> reportFailure;
        // Whether the host still reports the phone; empty: no host to ask (the scheduler's job).
        std::function<bool()> hostReportsPhone;
        // Whether a copy's success completes its share of the bar (else the sink's reports do).
        bool successCompletesFile = false;
    };

    // For the steps: the four lines and the copy of `count` files, one after the other, with
    // the bar, Cancel and the host's word on the phone between them. An existing file that
    // the server kept completes its share of the bar.
    void ShowPaths(const std::wstring& source, const std::wstring& destination);
    void CopyFiles(int count, const FileCopy& steps);
    void Trace(const char* text) const;
    CTolvTrace* Tracer() const { return m_trace; }

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog(HWND dialog);
    void OnCommand(WORD id);
    void TransferThread();
    void MoveBar(int position);
    void BeginFile(int index);
    void CompleteFile();

    const ProgressDialogTemplate m_template;
    const ProgressDialogTexts m_texts;
    CTolvTrace* m_trace;
    bool m_calledByButton = false;

    HWND m_dialog = nullptr;
    HWND m_bar = nullptr;
    std::atomic<bool> m_cancelRequested{false};
    std::atomic<bool> m_finished{false};
    std::atomic<int> m_base{0};
    std::atomic<int> m_span{0};
    // Last; DoModal joins it before it returns, so a derived dialog's members outlive it.
    CWorkerThread m_transfer;
};

}  // namespace tolv::plugins
