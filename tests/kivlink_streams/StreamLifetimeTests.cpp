// What a stream holds while it lives: the server, and the temporary file, which goes with the
// last stream over it.
#include "StreamTestFiles.h"

#include "com/Module.h"

namespace {

using StreamLifetime = StreamTest;

}  // namespace

TEST_F(StreamLifetime, TheFileGoesWithTheLastOfTheStreamAndItsClone)
{
    tolv::com::com_ptr<IStream> clone;
    ASSERT_EQ(stream->Clone(clone.put()), S_OK);
    stream.reset();
    EXPECT_TRUE(PcFileExists(path));
    EXPECT_EQ(ReadToEnd(clone.get()), content);
    clone.reset();
    EXPECT_FALSE(PcFileExists(path));
}

TEST_F(StreamLifetime, TheFileStaysWhileTheOriginalOutlivesItsClone)
{
    tolv::com::com_ptr<IStream> clone;
    ASSERT_EQ(stream->Clone(clone.put()), S_OK);
    clone.reset();
    EXPECT_TRUE(PcFileExists(path));
    EXPECT_EQ(ReadToEnd(stream.get()), content);
    stream.reset();
    EXPECT_FALSE(PcFileExists(path));
}

TEST_F(StreamLifetime, AnOpenStreamKeepsTheCleaningFromTheFile)
{
    // The garbage collection deletes Kiv* files by name; a file a stream reads must survive it.
    EXPECT_FALSE(DeleteFileW(path.c_str()));
    EXPECT_TRUE(PcFileExists(path));
    EXPECT_EQ(ReadToEnd(stream.get()), content);
}

TEST_F(StreamLifetime, EveryStreamHoldsTheServerWhileItLives)
{
    tolv::com::Module& module = tolv::com::Module::Instance();
    const LONG withOne = module.GetLockCount();
    tolv::com::com_ptr<IStream> clone;
    ASSERT_EQ(stream->Clone(clone.put()), S_OK);
    EXPECT_EQ(module.GetLockCount(), withOne + 1);
    clone.reset();
    stream.reset();
    EXPECT_EQ(module.GetLockCount(), withOne - 1);
}
