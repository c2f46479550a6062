#pragma once
// The sink a transfer thread advises for one transfer: it moves the progress dialog's bar with
// each progress report and answers "cancel" once the user pressed Cancel.
#include "ServerEventSink.h"

#include <windows.h>

class CTolvTrace;

namespace tolv::plugins {

// What the sink needs of the transfer's progress dialog, which runs on its own thread.
class IProgressDialog {
public:
    // Set by the dialog's thread when the user pressed Cancel.
    virtual bool CancelRequested() const = 0;
    virtual HWND ProgressBar() const = 0;
    // The part of the bar the current file covers: base and span in bar positions.
    virtual int ProgressBase() const = 0;
    virtual int ProgressSpan() const = 0;

protected:
    ~IProgressDialog() = default;
};

class CProgressEventsImpl : public CServerEventSink {
public:
    // The dialog must outlive the sink's advise; null: no bar, never cancel.
    explicit CProgressEventsImpl(IProgressDialog* dialog, CTolvTrace* trace = nullptr);

protected:
    HRESULT KivOperationProgress(long action, const std::wstring& path, long percentage, VARIANT_BOOL* cancel) override;
    HRESULT KivOperationCompletion(long action, const std::wstring& path, HRESULT result) override;

private:
    IProgressDialog* m_dialog;
    CTolvTrace* m_trace;
};

}  // namespace tolv::plugins
