#include "trace/TracePathPrefix.h"

#include "trace/FolderCreation.h"
#include "trace/RegistryKey.h"

#include <windows.h>
#include <cstring>

namespace tolv::trace {

namespace {

constexpr size_t kPathBufferSize = 512;

bool IsDirectory(const char* path) noexcept
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void ReadCurrentDirectory(char (&buffer)[kPathBufferSize]) noexcept
{
    const DWORD length = GetCurrentDirectoryA(kPathBufferSize, buffer);
    if (length == 0 || length >= kPathBufferSize)
        buffer[0] = '\0';
}

// Makes sure the folder named before the last separator exists.
bool EnsurePrefixFolder(const char* prefix)
{
    const char* lastSeparator = std::strrchr(prefix, '\\');
    if (!lastSeparator || lastSeparator == prefix)
        return true;
    const std::string folder(prefix, static_cast<size_t>(lastSeparator - prefix));
    return IsDirectory(folder.c_str()) || CreateFolderWithParents(folder.c_str());
}

}  // namespace

std::string ReadTracePathPrefix(const CRegistryKey& settings)
{
    char buffer[kPathBufferSize] = {};
    const DWORD size = settings.ValueSize("TraceInfoPath");
    if (size > 0 && size < kPathBufferSize)
        settings.ReadString("TraceInfoPath", buffer, sizeof(buffer));

    if (buffer[0] != '\0' && EnsurePrefixFolder(buffer))
        return buffer;

    // The system gives the current directory without a trailing separator (except at a
    // drive's root), but the trace name is appended to the prefix directly.
    ReadCurrentDirectory(buffer);
    std::string prefix(buffer);
    if (!prefix.empty() && prefix.back() != '\\' && prefix.back() != '/')
        prefix += '\\';
    return prefix;
}

}  // namespace tolv::trace
