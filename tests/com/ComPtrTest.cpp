// com_ptr: reference ownership, queries that fail cleanly, comparisons.
#include <gtest/gtest.h>

#include "TestObjects.h"
#include "com/ComPtr.h"

using namespace tolv::com;
using tolv::com::test::CCalculator;

namespace {

ULONG References(IUnknown* object)
{
    object->AddRef();
    return object->Release();
}

}  // namespace

TEST(ComPtr, CopyMoveAttachAndDetachCountReferencesOnce)
{
    com_ptr<ITolvCalculator> first;
    ASSERT_EQ(S_OK, MakeComObject<CCalculator>(first));
    EXPECT_EQ(1u, References(first.get()));
    {
        com_ptr<ITolvCalculator> copy(first);
        EXPECT_EQ(2u, References(first.get()));
        com_ptr<ITolvCalculator> moved(std::move(copy));
        EXPECT_TRUE(copy == nullptr);
        EXPECT_EQ(2u, References(first.get()));
        moved = first;  // assigning the object it already holds changes nothing
        EXPECT_EQ(2u, References(first.get()));
    }
    EXPECT_EQ(1u, References(first.get()));

    ITolvCalculator* raw = first.detach();
    EXPECT_TRUE(first == nullptr);
    first.attach(raw);
    EXPECT_EQ(1u, References(first.get()));

    com_ptr<IUnknown> base(first);
    EXPECT_EQ(2u, References(first.get()));
    base = nullptr;
    EXPECT_EQ(1u, References(first.get()));
    first.reset();
    EXPECT_EQ(0, CCalculator::Live());
}

TEST(ComPtr, QueryFailsCleanlyAndSucceedsWithOneReference)
{
    com_ptr<ITolvCalculator> calculator;
    ASSERT_EQ(S_OK, MakeComObject<CCalculator>(calculator));

    com_ptr<IPersist> persist;
    EXPECT_EQ(E_NOINTERFACE, calculator.query(persist));
    EXPECT_TRUE(persist == nullptr);
    EXPECT_FALSE(calculator.try_query<IPersist>());
    EXPECT_EQ(1u, References(calculator.get()));

    com_ptr<ITolvCounter> counter = calculator.try_query<ITolvCounter>();
    ASSERT_TRUE(counter);
    EXPECT_EQ(2u, References(calculator.get()));
    EXPECT_TRUE(IsSameObject(calculator.get(), counter.get()));

    com_ptr<ITolvCalculator> empty;
    EXPECT_EQ(E_POINTER, empty.query(counter));
    EXPECT_TRUE(counter == nullptr);

    // Querying into the source pointer itself keeps the object alive.
    com_ptr<IUnknown> self(calculator);
    EXPECT_EQ(S_OK, self.query(self));
    EXPECT_TRUE(IsSameObject(self.get(), calculator.get()));
}

TEST(ComPtr, PutReleasesAndCopyToAddsAReference)
{
    com_ptr<ITolvCalculator> calculator;
    ASSERT_EQ(S_OK, MakeComObject<CCalculator>(calculator));
    ITolvCalculator* out = nullptr;
    ASSERT_EQ(S_OK, calculator.copy_to(&out));
    EXPECT_EQ(calculator.get(), out);
    EXPECT_EQ(2u, References(out));
    EXPECT_EQ(nullptr, *calculator.put());
    EXPECT_EQ(1, CCalculator::Live());
    out->Release();
    EXPECT_EQ(0, CCalculator::Live());
}
