#include "TempGarbageCollector.h"

#include "PcFolderListing.h"
#include "TemporaryFiles.h"
#include "TransferPaths.h"

#include "trace/TolvTrace.h"

#include <vector>

bool CKivTempGarbageCollector::Step(const CKivString& folder, CTolvTrace* trace)
{
    {
        tolv::com::auto_lock lock(m_lock);
        if (m_counter < kStepsBetweenCleanings) {
            ++m_counter;
            return false;
        }
        m_counter = 0;
    }
    std::vector<CKivString> names;
    ListPcNames(JoinFolderAndName(folder, CKivString(L"Kiv*.*")).c_str(), false, names);
    for (const CKivString& name : names) {
        CKivString path = JoinFolderAndName(folder, name);
        bool deleted = DeleteFileW(path.c_str()) != FALSE;
        if (trace)
            trace->Format(3, deleted ? "GarbageCollection: Delete %s succeeded" : "GarbageCollection: Delete %s failed",
                          path.Narrow().c_str());
    }
    return true;
}

namespace {

CKivTempGarbageCollector g_collector;

}  // namespace

void RunTempGarbageCollection(CTolvTrace* trace)
{
    g_collector.Step(TempFolder(), trace);
}
