// The keeper of stub registrations: what it keeps and what it refuses.
#include <gtest/gtest.h>

#include <ocidl.h>

#include "com/StubRegistrationKeeper.h"

using namespace tolv::com;

namespace {

// No marshaller is registered for it anywhere.
constexpr IID kUnmarshallable = {0x5d0f4c1e, 0x7a51, 0x4f0b, {0x9a, 0x31, 0x62, 0x0c, 0x8e, 0x14, 0x27, 0xd3}};

}  // namespace

TEST(StubRegistrationKeeper, KeepsEachInterfaceUntilReleasedAndReleasesOnce)
{
    stub_registration_keeper keeper;
    EXPECT_EQ(keeper.keep({IID_IDispatch, IID_IConnectionPoint}), S_OK);
    EXPECT_EQ(keeper.kept_count(), 2u);
    // Keeping more later adds to what is kept.
    EXPECT_EQ(keeper.keep({IID_IConnectionPointContainer}), S_OK);
    EXPECT_EQ(keeper.kept_count(), 3u);
    keeper.release();
    EXPECT_EQ(keeper.kept_count(), 0u);
    keeper.release();
    EXPECT_EQ(keeper.keep({IID_IDispatch}), S_OK);
    EXPECT_EQ(keeper.kept_count(), 1u);
}

TEST(StubRegistrationKeeper, AnInterfaceWithoutMarshallerFailsButTheOthersAreKept)
{
    stub_registration_keeper keeper;
    const HRESULT hr = keeper.keep({IID_IDispatch, kUnmarshallable, IID_IConnectionPoint});
    EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
    EXPECT_EQ(keeper.kept_count(), 2u);
}
