// CTolvTrace: the diagnostic trace file of one component. Whether and where it writes is
// decided by the machine-wide values under HKLM "Software\Vostrel\Pellary": TraceInfoFlag,
// TraceInfoPath and TraceFileSizeLimitInKb. A trace call never fails and never throws.
// An output set with CTolvTrace::SetOutput takes every trace's lines instead of the files.
#pragma once
#include "trace/CriticalSection.h"
#include "trace/FileStream.h"
#include "trace/TraceTimeStamp.h"

#include <windows.h>
#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdint>
#include <string>
#include <string_view>

#define TOLV_TRACE_PRINTF(formatIndex, firstArgument)                                                                  \
    __attribute__((format(__MINGW_PRINTF_FORMAT, formatIndex, firstArgument)))

class CTolvTrace;

class ITolvTraceOutput {
public:
    // line: what the file would have received, time stamp and level included, without the
    // line end. Called on the tracing thread; must not trace itself.
    virtual void WriteLine(const CTolvTrace& trace, int level, std::string_view line) noexcept = 0;

protected:
    ~ITolvTraceOutput() = default;
};

class CTolvTrace {
public:
    // name: the file name stem, or nullptr. level: the threshold (calls above it write
    // nothing). overwrite: a new file starts empty instead of being appended to.
    CTolvTrace(const char* name, int level, bool overwrite) noexcept;
    virtual ~CTolvTrace();
    CTolvTrace(const CTolvTrace&) = delete;
    CTolvTrace& operator=(const CTolvTrace&) = delete;

    // One line: time stamp, level, then the formatted text.
    void Format(int level, const char* format, ...) noexcept TOLV_TRACE_PRINTF(3, 4);

    // Sets the threshold and reads the trace switch again.
    void SetLevel(int level) noexcept;

    void WriteHex(int level, const void* bytes, size_t count) noexcept;
    void WriteWide(int level, const wchar_t* text) noexcept;
    // WriteWide that also honours the size limit.
    void WriteEx(int level, const wchar_t* text) noexcept;
    void WriteText(int level, const char* text) noexcept;
    // format takes no arguments of its own; " - file(line)" is added to it.
    void FormatAt(int level, const char* format, const char* file, int line) noexcept;
    // format takes the result as its one argument; with nameResult, a result of S_OK or
    // E_NOTIMPL is also named inside "RETURN(...)".
    void FormatResult(int level, const char* format, HRESULT result, const char* file, int line,
                      bool nameResult) noexcept;
    void WriteBuffer(int level, const char* characters, size_t count) noexcept;

    // Whether a call at this level would write; lets callers skip building costly arguments.
    bool WillWrite(int level) const noexcept
    {
        return (m_enabled.load(std::memory_order_relaxed) != 0 || s_output.load(std::memory_order_relaxed)) &&
               level <= m_level.load(std::memory_order_relaxed);
    }

    // From now on every trace of this module writes its lines to output, whatever the trace
    // switch says, and no file is touched; nullptr puts the files back. Returns the output set
    // before. Once it returns, no line is being written to the output it replaced.
    static ITolvTraceOutput* SetOutput(ITolvTraceOutput* output) noexcept;

    const std::string& Path() const noexcept { return m_path; }

private:
    // Writers that move a full file aside; each records a failed move under its own name, once
    // until a move succeeds again.
    enum class ERotatingWriter : std::uint32_t { None = 0, Format = 1, WriteEx = 2 };
    static constexpr std::int64_t kUnknownFileLength = -1;

    static bool HasOutput() noexcept { return s_output.load(std::memory_order_relaxed) != nullptr; }
    // body: the line after its time stamp and the space behind it.
    void WriteToOutput(int level, std::string_view body) noexcept;
    void WriteFormatted(int level, const char* format, va_list arguments) noexcept;
    void WriteFormattedLine(const char* stamp, size_t stampLength, int level, const char* format,
                            va_list arguments) noexcept;
    void FormatUnchecked(int level, const char* format, ...) noexcept;
    void WriteWideLine(int level, const wchar_t* text, ERotatingWriter rotatingWriter) noexcept;
    size_t BuildTimeStamp(char (&stamp)[tolv::trace::kTimeStampCapacity]) noexcept;
    void OpenWithBanner() noexcept;
    void WriteBanner() noexcept;
    void RotateWhenFull(ERotatingWriter writer) noexcept;
    bool MoveToPreviousFile();
    void ForgetFileLength() noexcept { m_fileLength = kUnknownFileLength; }
    void CountWritten(const char* bytes, size_t count) noexcept;
    static void ReportInternalError(const char* operation) noexcept;
    static std::int32_t ReadTraceSwitch() noexcept;

    bool m_overwrite;
    std::int32_t m_bannerWritten = 0;
    tolv::trace::CCriticalSection m_lock;
    std::int64_t m_counterFrequency = 0;
    std::int64_t m_timeBase = 0;
    std::string m_path;
    std::atomic<std::int32_t> m_enabled{0};
    std::atomic<std::int32_t> m_level;
    std::uint32_t m_sizeLimit = 0;
    tolv::trace::CFileStream m_file;
    // Bytes in the file as the disk has them, kept up to date by Format so that the size limit
    // needs no query of the file per line; kUnknownFileLength until the file is asked again.
    std::int64_t m_fileLength = kUnknownFileLength;
    // ERotatingWriter bits of the writers that recorded the current run of failed moves.
    std::uint32_t m_recordedRotationFailures = 0;
    static inline std::atomic<ITolvTraceOutput*> s_output{nullptr};
};
