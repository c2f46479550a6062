#include "trace/TraceBanner.h"

#include <cstring>

namespace tolv::trace {

namespace {

constexpr int kClosingRowLength = 103;

static_assert(sizeof(OSVERSIONINFOEXA) == 156 && sizeof(OSVERSIONINFOA) == 148);

const char* PlatformName(const OSVERSIONINFOEXA& version) noexcept
{
    switch (version.dwPlatformId) {
    case VER_PLATFORM_WIN32s:
        return "Win32s\t ";
    case VER_PLATFORM_WIN32_WINDOWS:
        if (version.dwMajorVersion < 4 || (version.dwMajorVersion == 4 && version.dwMinorVersion == 0))
            return "Windows 95\t";
        return "Windows 98\t";
    case VER_PLATFORM_WIN32_NT:
        return "Windows NT\t";
    default:
        return "";
    }
}

}  // namespace

void WriteBannerHeading(FILE* file, const char* tracePath) noexcept
{
    std::fputs("\n************************ Application: Vostrel Data Suite", file);
    std::fprintf(file, "\n************************ Component  : %s ", tracePath ? tracePath : "");
}

void WriteGeneratedHighResolution(FILE* file, const SYSTEMTIME& localTime, unsigned microseconds,
                                  double counterResolutionMicroseconds) noexcept
{
    std::fprintf(
        file, "\n************************ Generated  : %2.2d:%2.2d:%4.4d %2.2d:%2.2d:%2.2d:%6.6d ******* %s  %.2f us",
        localTime.wDay, localTime.wMonth, localTime.wYear, localTime.wHour, localTime.wMinute, localTime.wSecond,
        static_cast<int>(microseconds), "HR", counterResolutionMicroseconds);
}

void WriteGeneratedSystemTime(FILE* file, const SYSTEMTIME& localTime, double timeAdjustmentMicroseconds) noexcept
{
    std::fprintf(file,
                 "\n************************ Generated: %2.2d:%2.2d:%4.4d %2.2d:%2.2d:%2.2d:%3.3d ******* %s  %.2f us",
                 localTime.wDay, localTime.wMonth, localTime.wYear, localTime.wHour, localTime.wMinute,
                 localTime.wSecond, localTime.wMilliseconds, "ST", timeAdjustmentMicroseconds);
}

void FormatSystemDescription(const OSVERSIONINFOEXA& version, bool extended, char* buffer, size_t capacity) noexcept
{
    if (!buffer || capacity == 0)
        return;
    char servicePack[32];
    if (extended) {
        std::snprintf(servicePack, sizeof(servicePack), " - Service Pack %.2d.%.2d ", version.wServicePackMajor,
                      version.wServicePackMinor);
    } else {
        std::snprintf(servicePack, sizeof(servicePack), "%18s", "");
    }
    std::snprintf(buffer, capacity, "Microsoft %s - Version %d.%d (Build %d)   %s***", PlatformName(version),
                  static_cast<int>(version.dwMajorVersion), static_cast<int>(version.dwMinorVersion),
                  static_cast<int>(version.dwBuildNumber & 0xFFFF), servicePack);
}

void WriteSystemLine(FILE* file) noexcept
{
    OSVERSIONINFOEXA version;
    std::memset(&version, 0, sizeof(version));
    version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    bool extended = true;
    // GetVersionEx is deprecated for feature tests; here it only describes the system.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&version))) {
        std::memset(&version, 0, sizeof(version));
        version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        extended = false;
        if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&version)))
            return;
    }
#pragma GCC diagnostic pop
    char description[256];
    FormatSystemDescription(version, extended, description, sizeof(description));
    std::fprintf(file, "\n************************ %s", description);
}

void WriteBannerClosing(FILE* file) noexcept
{
    char row[kClosingRowLength + 1];
    std::memset(row, '*', kClosingRowLength);
    row[kClosingRowLength] = '\0';
    std::fprintf(file, "\n%s\n\n", row);
}

}  // namespace tolv::trace
