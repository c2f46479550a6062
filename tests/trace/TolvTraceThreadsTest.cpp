// Many threads writing through one trace object.
#include "tests/trace/TraceTestFixture.h"
#include "trace/TolvTrace.h"

#include <process.h>
#include <map>

namespace tolv::trace::testing {
namespace {

using TraceThreadsTest = TraceTest;

constexpr int kThreads = 8;
constexpr int kLinesPerThread = 400;

struct WriterTask {
    CTolvTrace* trace = nullptr;
    HANDLE start = nullptr;
    int number = 0;
    DWORD threadId = 0;
};

unsigned __stdcall WriteLines(void* argument)
{
    WriterTask& task = *static_cast<WriterTask*>(argument);
    task.threadId = GetCurrentThreadId();
    WaitForSingleObject(task.start, INFINITE);
    const std::string payload(40 + task.number * 7, static_cast<char>('a' + task.number));
    for (int i = 0; i < kLinesPerThread; ++i)
        task.trace->Format(1, "T%02d L%04d %s", task.number, i, payload.c_str());
    return 0;
}

class CEvent {
public:
    CEvent() : m_handle(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~CEvent() { CloseHandle(m_handle); }
    CEvent(const CEvent&) = delete;
    CEvent& operator=(const CEvent&) = delete;
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

class CThreadHandle {
public:
    explicit CThreadHandle(HANDLE handle) : m_handle(handle) {}
    ~CThreadHandle()
    {
        if (m_handle) {
            WaitForSingleObject(m_handle, INFINITE);
            CloseHandle(m_handle);
        }
    }
    CThreadHandle(const CThreadHandle&) = delete;
    CThreadHandle& operator=(const CThreadHandle&) = delete;
    CThreadHandle(CThreadHandle&& other) noexcept : m_handle(other.m_handle) { other.m_handle = nullptr; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

TEST_F(TraceThreadsTest, LinesOfConcurrentWritersNeverInterleave)
{
    TraceIntoFolder();
    CTolvTrace trace("Hammer", 1, true);
    CEvent start;
    WriterTask tasks[kThreads];
    std::vector<CThreadHandle> threads;
    // Lets the writers go on every way out of this test, so that joining them cannot hang.
    struct CStartOnExit {
        HANDLE event;
        ~CStartOnExit() { SetEvent(event); }
    } startOnExit{start.Get()};
    for (int n = 0; n < kThreads; ++n) {
        tasks[n] = WriterTask{&trace, start.Get(), n, 0};
        const uintptr_t handle = _beginthreadex(nullptr, 0, WriteLines, &tasks[n], 0, nullptr);
        ASSERT_NE(handle, 0u);
        threads.emplace_back(reinterpret_cast<HANDLE>(handle));
    }
    SetEvent(start.Get());
    for (CThreadHandle& thread : threads)
        ASSERT_EQ(WaitForSingleObject(thread.Get(), 60000), WAIT_OBJECT_0);

    const std::vector<std::string> all = ReadLines(TraceFile("Hammer"));
    EXPECT_EQ(CountBanners(all), 1);
    const std::vector<std::string> lines = LinesAfterBanner(all);
    ASSERT_EQ(lines.size(), static_cast<size_t>(kThreads * kLinesPerThread));

    std::map<int, int> nextLineOf;
    for (const std::string& line : lines) {
        TraceLine parsed;
        ASSERT_TRUE(ParseTraceLine(line, parsed)) << line;
        int number = -1;
        int sequence = -1;
        char payload[160] = "";
        ASSERT_EQ(std::sscanf(parsed.text.c_str(), "T%2d L%4d %159s", &number, &sequence, payload), 3) << line;
        ASSERT_TRUE(number >= 0 && number < kThreads) << line;
        EXPECT_EQ(parsed.threadId, tasks[number].threadId) << line;
        EXPECT_EQ(std::string(payload), std::string(40 + number * 7, static_cast<char>('a' + number))) << line;
        EXPECT_EQ(sequence, nextLineOf[number]++) << line;
    }
    for (int n = 0; n < kThreads; ++n)
        EXPECT_EQ(nextLineOf[n], kLinesPerThread) << "thread " << n;
}

}  // namespace
}  // namespace tolv::trace::testing
