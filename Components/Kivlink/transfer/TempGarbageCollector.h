#pragma once
// Clears the Kiv*.* files the copy routes leave in the temporary folder (the content handed
// to clients as streams, the placeholders reserving their numbers). It cleans on its first
// step, so that the first copy after the server started finds a clean folder, and then on
// every 21st.
#include "core/KivString.h"

#include "com/CriticalSection.h"

class CTolvTrace;

class CKivTempGarbageCollector {
public:
    static constexpr long kStepsBetweenCleanings = 20;

    // Cleans folder (with its trailing backslash) when the count of steps calls for it;
    // answers whether it did.
    bool Step(const CKivString& folder, CTolvTrace* trace);

private:
    tolv::com::critical_section m_lock;
    long m_counter = kStepsBetweenCleanings;
};

// The one collector of the process, cleaning the Windows temporary folder.
void RunTempGarbageCollection(CTolvTrace* trace);
