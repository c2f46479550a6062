#include "ProgressEvents.h"

#include "trace/TolvTrace.h"

#include <commctrl.h>

namespace tolv::plugins {

namespace {

constexpr long kWholeFile = 100;
constexpr int kTraceLevel = 3;

}  // namespace

CProgressEventsImpl::CProgressEventsImpl(IProgressDialog* dialog, CTolvTrace* trace) : m_dialog(dialog), m_trace(trace)
{
}

HRESULT CProgressEventsImpl::KivOperationProgress(long, const std::wstring&, long percentage, VARIANT_BOOL* cancel)
{
    *cancel = m_dialog && m_dialog->CancelRequested() ? VARIANT_TRUE : VARIANT_FALSE;
    if (m_dialog) {
        const int position =
            static_cast<int>(percentage * m_dialog->ProgressSpan() / kWholeFile) + m_dialog->ProgressBase();
        // The bar belongs to the dialog's thread, which runs its modal loop meanwhile.
        SendMessageW(m_dialog->ProgressBar(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
    }
    return S_OK;
}

HRESULT CProgressEventsImpl::KivOperationCompletion(long action, const std::wstring&, HRESULT result)
{
    if (m_trace)
        m_trace->Format(kTraceLevel, "  Info KivOperationCompletion(%ld) -> 0x%08X", action,
                        static_cast<unsigned>(result));
    return S_OK;
}

}  // namespace tolv::plugins
