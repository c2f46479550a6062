// The unblocked long operations a proxy object has handed to Kivlink and whose completion
// event has not arrived yet, so that the completion can be told as the end of the operation
// with the destination the caller gave.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kivproxy {

struct LongOperation {
    long action = 0;
    // As Kivlink reports it in progress and completion: the source of a copy, else the drive.
    std::wstring path;
    // The other end: a copy's destination, a backup's or restore's PC file; empty for a format.
    std::wstring destination;
};

class CPendingOperations {
public:
    void Add(LongOperation operation);
    // Removes and answers the oldest operation with that action and path (letter case aside,
    // as phone paths go), if any.
    std::optional<LongOperation> Take(long action, const std::wstring& path);

private:
    std::vector<LongOperation> m_operations;
};

}  // namespace kivproxy
