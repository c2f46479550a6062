#include "platform/kivproxy/PendingOperations.h"

#include <windows.h>

namespace kivproxy {

namespace {

bool SamePath(const std::wstring& left, const std::wstring& right)
{
    return CompareStringOrdinal(left.c_str(), static_cast<int>(left.size()), right.c_str(),
                                static_cast<int>(right.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

void CPendingOperations::Add(LongOperation operation)
{
    m_operations.push_back(std::move(operation));
}

std::optional<LongOperation> CPendingOperations::Take(long action, const std::wstring& path)
{
    for (auto at = m_operations.begin(); at != m_operations.end(); ++at) {
        if (at->action == action && SamePath(at->path, path)) {
            LongOperation found = std::move(*at);
            m_operations.erase(at);
            return found;
        }
    }
    return std::nullopt;
}

}  // namespace kivproxy
