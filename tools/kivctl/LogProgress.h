// Which steps of a long operation's progress to print when standard error is a log (a file
// or a pipe) rather than a console: "\r" redraws would pile up there, so each 10% step gets a
// line of its own.
#pragma once

#include <optional>

class CLogProgressSteps {
public:
    static constexpr long kStep = 10;

    // The step to print for a report of `percentage` (held to 0..100): the highest step it
    // reached when that is above every step printed so far, else none. A step is never
    // printed twice, and a report going backwards prints nothing.
    std::optional<long> Next(long percentage);

private:
    long m_lastPrinted = 0;
};
