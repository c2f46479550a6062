// What Stat tells of the file behind the stream.
#include "StreamTestFiles.h"

#include <memory>

namespace {

using StreamStat = StreamTest;

struct TaskMemFree {
    void operator()(void* memory) const noexcept { CoTaskMemFree(memory); }
};

bool SameTime(const FILETIME& left, const FILETIME& right)
{
    return CompareFileTime(&left, &right) == 0;
}

}  // namespace

TEST_F(StreamStat, NamesThePartAfterTheLastBackslash)
{
    STATSTG stat{};
    ASSERT_EQ(stream->Stat(&stat, STATFLAG_DEFAULT), S_OK);
    const std::unique_ptr<wchar_t, TaskMemFree> name(stat.pwcsName);
    ASSERT_NE(name, nullptr);
    EXPECT_STREQ(name.get(), L"KivAB12.tmp.xxx");
    EXPECT_EQ(stat.type, static_cast<DWORD>(STGTY_STREAM));
}

TEST_F(StreamStat, GivesNoNameWhenAskedForNone)
{
    STATSTG stat{};
    stat.pwcsName = reinterpret_cast<LPOLESTR>(1);
    ASSERT_EQ(stream->Stat(&stat, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(stat.pwcsName, nullptr);
    EXPECT_EQ(stat.cbSize.QuadPart, kFileBytes);
}

TEST_F(StreamStat, ReportsTheFilesSizeAndTimes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILETIME created{}, accessed{}, written{};
    const BOOL read = GetFileTime(file, &created, &accessed, &written);
    CloseHandle(file);
    ASSERT_TRUE(read);

    STATSTG stat{};
    ASSERT_EQ(stream->Stat(&stat, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(stat.cbSize.QuadPart, kFileBytes);
    EXPECT_TRUE(SameTime(stat.ctime, created));
    EXPECT_TRUE(SameTime(stat.mtime, written));
    EXPECT_TRUE(SameTime(stat.atime, accessed));
}

TEST_F(StreamStat, LeavesThePositionAlone)
{
    char buffer[100];
    ASSERT_EQ(stream->Read(buffer, sizeof buffer, nullptr), S_OK);
    STATSTG stat{};
    ASSERT_EQ(stream->Stat(&stat, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(ReadToEnd(stream.get()), content.substr(sizeof buffer));
}

TEST_F(StreamStat, RefusesANullTarget)
{
    EXPECT_EQ(stream->Stat(nullptr, STATFLAG_DEFAULT), E_POINTER);
}
