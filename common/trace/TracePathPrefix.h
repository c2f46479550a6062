// The folder part of every trace file name, from the machine-wide trace settings.
#pragma once
#include <string>

namespace tolv::trace {

class CRegistryKey;

// TraceInfoPath as stored (its folder created when missing), or the current directory with a
// trailing separator when the value is missing, empty, too long or its folder cannot be made.
std::string ReadTracePathPrefix(const CRegistryKey& settings);

}  // namespace tolv::trace
