#include "trace/TolvTrace.h"

#include "trace/RegistryKey.h"
#include "trace/TraceBanner.h"
#include "trace/TracePathPrefix.h"
#include "trace/WideToAnsi.h"

#include <io.h>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>

using tolv::trace::CCriticalSectionLock;
using tolv::trace::CFileStream;
using tolv::trace::CRegistryKey;
using tolv::trace::kTimeStampCapacity;

namespace {

constexpr const char* kSettingsKey = "Software\\Vostrel\\Pellary";
constexpr DWORD kSwitchWithoutSettings = 9;
constexpr DWORD kSizeLimitWithoutSettings = 1000;
constexpr std::int64_t kHundredNanosecondsPerSecond = 10000000;
constexpr size_t kFormatBufferSize = 1000;
// Longer than any line the components write; a longer one takes a slower road, not a shorter line.
constexpr size_t kLineCapacity = 2048;
constexpr std::uint64_t kBytesPerSizeLimitUnit = 1000;
constexpr unsigned kMicrosecondsPerMillisecond = 1000;

// Split so that the product cannot overflow however long the machine has been running.
std::int64_t CounterToHundredNanoseconds(std::int64_t counter, std::int64_t frequency) noexcept
{
    return counter / frequency * kHundredNanosecondsPerSecond +
           counter % frequency * kHundredNanosecondsPerSecond / frequency;
}

std::int64_t FileTimeToInt64(const FILETIME& time) noexcept
{
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<std::int64_t>(value.QuadPart);
}

unsigned MicrosecondsOf(std::int64_t hundredNanoseconds) noexcept
{
    return static_cast<unsigned>(hundredNanoseconds / 10 % 1000000);
}

// Copies format followed by suffix into buffer; a format that is too long is cut, never
// leaving half of a "%%" behind to swallow the suffix's first character.
void AppendToFormat(const char* format, const char* suffix, char (&buffer)[kFormatBufferSize]) noexcept
{
    const size_t suffixLength = std::strlen(suffix);
    const size_t room = kFormatBufferSize - 1 - suffixLength;
    size_t length = format ? strnlen(format, room + 1) : 0;
    if (length > room) {
        length = room;
        size_t percents = 0;
        while (percents < length && format[length - 1 - percents] == '%')
            ++percents;
        if (percents % 2 != 0)
            --length;
    }
    if (length > 0)
        std::memcpy(buffer, format, length);
    std::memcpy(buffer + length, suffix, suffixLength + 1);
}

// Puts " - OK" or " - E_NOTIMPL" before the parenthesis that closes "RETURN(".
std::string NameResultInFormat(const char* format, HRESULT result)
{
    std::string text(format ? format : "");
    const char* name = result == S_OK ? "OK" : result == E_NOTIMPL ? "E_NOTIMPL" : nullptr;
    const size_t open = text.find("RETURN(");
    if (!name || open == std::string::npos)
        return text;
    int depth = 1;
    for (size_t i = open + 7; i < text.size(); ++i) {
        if (text[i] == '(') {
            ++depth;
        } else if (text[i] == ')' && --depth == 0) {
            text.insert(i, std::string(" - ") + name);
            break;
        }
    }
    return text;
}

// Held shared while a line goes to the output and exclusively while the output is replaced, so
// that the test that replaced it may destroy the old one at once.
SRWLOCK g_outputLock = SRWLOCK_INIT;

std::string FormattedText(const char* format, va_list arguments)
{
    va_list measuring;
    va_copy(measuring, arguments);
    const int length = std::vsnprintf(nullptr, 0, format ? format : "", measuring);
    va_end(measuring);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<size_t>(length), '\0');
    std::vsnprintf(text.data(), text.size() + 1, format ? format : "", arguments);
    return text;
}

}  // namespace

ITolvTraceOutput* CTolvTrace::SetOutput(ITolvTraceOutput* output) noexcept
{
    AcquireSRWLockExclusive(&g_outputLock);
    ITolvTraceOutput* previous = s_output.exchange(output, std::memory_order_relaxed);
    ReleaseSRWLockExclusive(&g_outputLock);
    return previous;
}

void CTolvTrace::WriteToOutput(int level, std::string_view body) noexcept
{
    try {
        std::string line;
        {
            CCriticalSectionLock hold(m_lock);
            char prefix[kTimeStampCapacity];
            BuildTimeStamp(prefix);
            line = prefix;
        }
        line += ' ';
        line += body;
        AcquireSRWLockShared(&g_outputLock);
        // A line that meets the output's removal is dropped: the switch may keep the file shut.
        if (ITolvTraceOutput* output = s_output.load(std::memory_order_relaxed))
            output->WriteLine(*this, level, line);
        ReleaseSRWLockShared(&g_outputLock);
    } catch (...) {
    }
}

CTolvTrace::CTolvTrace(const char* name, int level, bool overwrite) noexcept : m_overwrite(overwrite), m_level(level)
{
    try {
        CRegistryKey settings;
        const bool haveSettings = settings.OpenForReading(HKEY_LOCAL_MACHINE, kSettingsKey);
        m_path = tolv::trace::ReadTracePathPrefix(settings);
        if (name)
            m_path += name;
        m_path += ".txt";

        DWORD traceSwitch = kSwitchWithoutSettings;
        DWORD sizeLimit = kSizeLimitWithoutSettings;
        if (haveSettings) {
            if (!settings.ReadDword("TraceInfoFlag", traceSwitch))
                traceSwitch = 0;
            if (!settings.ReadDword("TraceFileSizeLimitInKb", sizeLimit))
                sizeLimit = 0;
        }
        m_sizeLimit = sizeLimit;
        m_enabled.store(traceSwitch != 0 ? 1 : 0, std::memory_order_relaxed);
    } catch (...) {
        m_enabled.store(0, std::memory_order_relaxed);
    }
}

CTolvTrace::~CTolvTrace() = default;

std::int32_t CTolvTrace::ReadTraceSwitch() noexcept
{
    CRegistryKey settings;
    if (!settings.OpenForReading(HKEY_LOCAL_MACHINE, kSettingsKey))
        return 1;
    DWORD traceSwitch = 0;
    return settings.ReadDword("TraceInfoFlag", traceSwitch) && traceSwitch != 0 ? 1 : 0;
}

void CTolvTrace::Format(int level, const char* format, ...) noexcept
{
    if (!WillWrite(level))
        return;
    va_list arguments;
    va_start(arguments, format);
    WriteFormatted(level, format, arguments);
    va_end(arguments);
}

void CTolvTrace::FormatUnchecked(int level, const char* format, ...) noexcept
{
    if (!WillWrite(level))
        return;
    va_list arguments;
    va_start(arguments, format);
    WriteFormatted(level, format, arguments);
    va_end(arguments);
}

void CTolvTrace::WriteFormatted(int level, const char* format, va_list arguments) noexcept
{
    try {
        if (HasOutput()) {
            WriteToOutput(level, std::to_string(level) + ' ' + FormattedText(format, arguments));
            return;
        }
        CCriticalSectionLock hold(m_lock);
        char stamp[kTimeStampCapacity];
        const size_t stampLength = BuildTimeStamp(stamp);
        OpenWithBanner();
        if (!m_file.IsOpen())
            return;
        RotateWhenFull(ERotatingWriter::Format);
        if (!m_file.IsOpen())
            return;
        WriteFormattedLine(stamp, stampLength, level, format, arguments);
    } catch (...) {
    }
}

// The line is put together first and handed to the stream in one piece: the stream then takes
// its lock and its copy once per line instead of once per character printed into it.
void CTolvTrace::WriteFormattedLine(const char* stamp, size_t stampLength, int level, const char* format,
                                    va_list arguments) noexcept
{
    char line[kLineCapacity];
    std::memcpy(line, stamp, stampLength);
    size_t length = stampLength;
    line[length++] = ' ';
    length = static_cast<size_t>(std::to_chars(line + length, line + kLineCapacity, level).ptr - line);
    line[length++] = ' ';

    // The terminator's place takes the line end.
    const size_t room = kLineCapacity - length;
    va_list rendering;
    va_copy(rendering, arguments);
    const int textLength = std::vsnprintf(line + length, room, format ? format : "", rendering);
    va_end(rendering);

    FILE* file = m_file.Get();
    if (textLength >= 0 && static_cast<size_t>(textLength) < room) {
        length += static_cast<size_t>(textLength);
        line[length++] = '\n';
        if (std::fwrite(line, 1, length, file) == length && std::fflush(file) == 0)
            CountWritten(line, length);
        else
            ForgetFileLength();
        return;
    }
    // A text too long for the line, or one printf cannot render, is printed into the stream as
    // it always was.
    std::fwrite(line, 1, length, file);
    std::vfprintf(file, format ? format : "", arguments);
    std::fputs("\n", file);
    std::fflush(file);
    ForgetFileLength();
}

void CTolvTrace::CountWritten(const char* bytes, size_t count) noexcept
{
    if (m_fileLength == kUnknownFileLength)
        return;
    // A text-mode stream puts a carriage return before every line feed on the disk.
    m_fileLength += static_cast<std::int64_t>(count) + std::count(bytes, bytes + count, '\n');
}

void CTolvTrace::SetLevel(int level) noexcept
{
    CCriticalSectionLock hold(m_lock);
    m_level.store(level, std::memory_order_relaxed);
    m_enabled.store(ReadTraceSwitch(), std::memory_order_relaxed);
}

void CTolvTrace::WriteHex(int level, const void* bytes, size_t count) noexcept
{
    if (!WillWrite(level))
        return;
    if (HasOutput()) {
        try {
            std::string body = std::to_string(level) + ' ';
            const unsigned char* data = static_cast<const unsigned char*>(bytes);
            char hex[4];
            for (size_t i = 0; data && i < count; ++i) {
                std::snprintf(hex, sizeof(hex), " %.2x", data[i]);
                body += hex;
            }
            WriteToOutput(level, body);
        } catch (...) {
        }
        return;
    }
    CCriticalSectionLock hold(m_lock);
    char prefix[kTimeStampCapacity];
    BuildTimeStamp(prefix);
    OpenWithBanner();
    if (!m_file.IsOpen())
        return;
    FILE* file = m_file.Get();
    std::fprintf(file, "%s %1d ", prefix, level);
    const unsigned char* data = static_cast<const unsigned char*>(bytes);
    for (size_t i = 0; data && i < count; ++i)
        std::fprintf(file, " %.2x", data[i]);
    std::fputs("\n", file);
    std::fflush(file);
    ForgetFileLength();
}

void CTolvTrace::WriteWide(int level, const wchar_t* text) noexcept
{
    WriteWideLine(level, text, ERotatingWriter::None);
}

void CTolvTrace::WriteEx(int level, const wchar_t* text) noexcept
{
    WriteWideLine(level, text, ERotatingWriter::WriteEx);
}

void CTolvTrace::WriteWideLine(int level, const wchar_t* text, ERotatingWriter rotatingWriter) noexcept
{
    if (!WillWrite(level))
        return;
    try {
        const std::string narrow = tolv::trace::WideToAnsi(text);
        if (HasOutput()) {
            WriteToOutput(level, narrow);
            return;
        }
        CCriticalSectionLock hold(m_lock);
        char prefix[kTimeStampCapacity];
        BuildTimeStamp(prefix);
        OpenWithBanner();
        if (!m_file.IsOpen())
            return;
        if (rotatingWriter != ERotatingWriter::None) {
            RotateWhenFull(rotatingWriter);
            if (!m_file.IsOpen())
                return;
        }
        FILE* file = m_file.Get();
        std::fprintf(file, "%s %s\n", prefix, narrow.c_str());
        std::fputs("\n", file);
        std::fflush(file);
        ForgetFileLength();
    } catch (...) {
    }
}

void CTolvTrace::WriteText(int level, const char* text) noexcept
{
    if (!WillWrite(level))
        return;
    if (HasOutput()) {
        WriteToOutput(level, text ? text : "");
        return;
    }
    CCriticalSectionLock hold(m_lock);
    char prefix[kTimeStampCapacity];
    BuildTimeStamp(prefix);
    OpenWithBanner();
    if (!m_file.IsOpen())
        return;
    FILE* file = m_file.Get();
    std::fprintf(file, "%s %s\n", prefix, text ? text : "");
    std::fflush(file);
    ForgetFileLength();
}

void CTolvTrace::FormatAt(int level, const char* format, const char* file, int line) noexcept
{
    if (!WillWrite(level))
        return;
    char extended[kFormatBufferSize];
    AppendToFormat(format, " - %s(%d)", extended);
    FormatUnchecked(level, extended, file ? file : "", line);
}

void CTolvTrace::FormatResult(int level, const char* format, HRESULT result, const char* file, int line,
                              bool nameResult) noexcept
{
    if (!WillWrite(level))
        return;
    try {
        const std::string named = nameResult ? NameResultInFormat(format, result) : std::string(format ? format : "");
        char extended[kFormatBufferSize];
        AppendToFormat(named.c_str(), " - %s(%d)", extended);
        FormatUnchecked(level, extended, result, file ? file : "", line);
    } catch (...) {
    }
}

void CTolvTrace::WriteBuffer(int level, const char* characters, size_t count) noexcept
{
    if (!WillWrite(level))
        return;
    try {
        const std::string text = characters ? std::string(characters, count) : std::string();
        Format(level, "%s", text.c_str());
    } catch (...) {
        Format(10, "FORMAT-EXCEPTION");
    }
}

size_t CTolvTrace::BuildTimeStamp(char (&stamp)[kTimeStampCapacity]) noexcept
{
    tolv::trace::TimeOfDay time;
    bool haveTime = false;
    LARGE_INTEGER counter;
    if (m_timeBase != 0 && m_counterFrequency != 0 && QueryPerformanceCounter(&counter)) {
        const std::int64_t now = m_timeBase + CounterToHundredNanoseconds(counter.QuadPart, m_counterFrequency);
        haveTime = tolv::trace::TimeOfDayFromHundredNanoseconds(now, time);
        if (!haveTime)
            m_timeBase = 0;
    }
    if (!haveTime) {
        SYSTEMTIME clock;
        GetLocalTime(&clock);
        time.hour = clock.wHour;
        time.minute = clock.wMinute;
        time.second = clock.wSecond;
        time.microseconds = clock.wMilliseconds * kMicrosecondsPerMillisecond;
    }
    return tolv::trace::FormatTimeStamp(static_cast<unsigned>(GetCurrentThreadId()), time, stamp);
}

void CTolvTrace::OpenWithBanner() noexcept
{
    if (!m_bannerWritten) {
        WriteBanner();
        ForgetFileLength();
    }
    if (!m_file.IsOpen() && m_file.Open(m_path.c_str(), "at"))
        ForgetFileLength();
}

void CTolvTrace::WriteBanner() noexcept
{
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    const bool highResolution =
        QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0 && QueryPerformanceCounter(&counter);
    DWORD timeAdjustment = 0;
    if (highResolution) {
        m_counterFrequency = frequency.QuadPart;
        FILETIME systemNow;
        FILETIME localNow;
        GetSystemTimeAsFileTime(&systemNow);
        FileTimeToLocalFileTime(&systemNow, &localNow);
        m_timeBase = FileTimeToInt64(localNow) - CounterToHundredNanoseconds(counter.QuadPart, m_counterFrequency);
    } else {
        m_counterFrequency = 0;
        m_timeBase = 0;
        DWORD increment = 0;
        BOOL adjustmentDisabled = FALSE;
        GetSystemTimeAdjustment(&timeAdjustment, &increment, &adjustmentDisabled);
    }

    if (!m_file.IsOpen() && !m_file.Open(m_path.c_str(), m_overwrite ? "wt" : "at")) {
        m_bannerWritten = 1;
        return;
    }

    SYSTEMTIME localTime;
    GetLocalTime(&localTime);
    FILE* file = m_file.Get();
    tolv::trace::WriteBannerHeading(file, m_path.c_str());
    if (highResolution) {
        QueryPerformanceCounter(&counter);
        const std::int64_t now = m_timeBase + CounterToHundredNanoseconds(counter.QuadPart, m_counterFrequency);
        // Only the low half of the frequency counts, as it always has in these banners.
        const double resolution = 1000000.0 / static_cast<double>(static_cast<DWORD>(m_counterFrequency));
        tolv::trace::WriteGeneratedHighResolution(file, localTime, MicrosecondsOf(now), resolution);
    } else {
        tolv::trace::WriteGeneratedSystemTime(file, localTime, timeAdjustment / 10.0);
    }
    tolv::trace::WriteSystemLine(file);
    tolv::trace::WriteBannerClosing(file);
    std::fflush(file);
    m_bannerWritten = 1;
}

void CTolvTrace::RotateWhenFull(ERotatingWriter writer) noexcept
{
    if (m_sizeLimit == 0 || !m_file.IsOpen())
        return;
    if (m_fileLength == kUnknownFileLength) {
        const __int64 length = _filelengthi64(_fileno(m_file.Get()));
        if (length < 0)
            return;
        m_fileLength = length;
    }
    if (static_cast<std::uint64_t>(m_fileLength) / kBytesPerSizeLimitUnit <= m_sizeLimit)
        return;

    bool moved = false;
    try {
        moved = MoveToPreviousFile();
    } catch (...) {
        moved = false;
    }
    ForgetFileLength();
    // The move is tried again by the next line; the error file hears of it once per writer
    // until a move succeeds, not once per line while the obstacle stays.
    const auto writerBit = static_cast<std::uint32_t>(writer);
    if (moved) {
        m_recordedRotationFailures = 0;
    } else if ((m_recordedRotationFailures & writerBit) == 0) {
        m_recordedRotationFailures |= writerBit;
        ReportInternalError(writer == ERotatingWriter::WriteEx ? "CTolvTrace::WriteEx" : "CTolvTrace::Format");
    }
    // A file that could not be moved aside is appended to rather than losing the line.
    if (!m_file.IsOpen())
        m_file.Open(m_path.c_str(), "at");
}

bool CTolvTrace::MoveToPreviousFile()
{
    m_file.Close();
    std::string previous = m_path;
    const size_t dot = previous.rfind('.');
    if (dot == std::string::npos)
        previous += ".tmp";
    else
        previous.replace(dot, previous.size() - dot < 4 ? previous.size() - dot : 4, ".tmp");
    if (!CopyFileA(m_path.c_str(), previous.c_str(), FALSE))
        return false;
    if (!DeleteFileA(m_path.c_str()))
        return false;
    m_bannerWritten = 0;
    WriteBanner();
    return true;
}

void CTolvTrace::ReportInternalError(const char* operation) noexcept
{
    CFileStream errors;
    if (errors.Open(".\\Special_Trace_File_Detecting_Errors_In_TolvTrace.txt", "at"))
        std::fprintf(errors.Get(), "An error has occured in %s\n", operation);
}
