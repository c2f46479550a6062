#include "RequestEntry.h"

#include "trace/TraceResult.h"

namespace {

constexpr tolv::trace::site kNotARequest{"CKivMessage", 165, 8};

}  // namespace

CRequestEntry::CRequestEntry(const CRequestData& record) : m_record(record) {}

CRequestEntry::~CRequestEntry()
{
    Unlink();
}

HRESULT CRequestEntry::GetRecord(CRequestData** record, CTolvTrace* trace)
{
    *record = nullptr;
    if (m_kind != KIND_REQUEST) {
        tolv::trace::Failure(E_UNEXPECTED, kNotARequest, trace);
        return E_UNEXPECTED;
    }
    if (m_record.m_Response) {
        if (trace)
            trace->Format(8, "CRequestData type %d: Response required", static_cast<int>(m_record.m_typ));
        *record = m_record.m_Response;
    } else {
        if (trace)
            trace->Format(8, "CRequestData type %d: No response required", static_cast<int>(m_record.m_typ));
        *record = &m_record;
    }
    return S_OK;
}
