// ComObject<T>: interface maps, identity, reference counts, module locks and the hooks.
#include <gtest/gtest.h>

#include "TestObjects.h"
#include "com/ComObject.h"
#include "com/Module.h"

using namespace tolv::com;
using tolv::com::test::CCalculator;

namespace {

class CDispatchingCalculator : public CCalculator {
public:
    using interface_map = tolv::com::interface_map<ITolvCalculator, entry_via<IDispatch, ITolvCalculator>>;
};

// Hooks kept protected on purpose: ComObject must still find them.
class CLifecycle : public ITolvCounter {
public:
    using interface_map = tolv::com::interface_map<ITolvCounter>;

    explicit CLifecycle(HRESULT constructResult) : m_constructResult(constructResult) {}
    HRESULT STDMETHODCALLTYPE Next(LONG* value) override
    {
        *value = s_finalReleases;
        return S_OK;
    }

    static inline int s_finalConstructs = 0;
    static inline int s_finalReleases = 0;

protected:
    HRESULT FinalConstruct()
    {
        ++s_finalConstructs;
        // References taken and dropped during construction must not destroy the object.
        com_ptr<IUnknown> self;
        QueryInterface(IID_IUnknown, self.put_void());
        return m_constructResult;
    }
    void FinalRelease() { ++s_finalReleases; }

private:
    HRESULT m_constructResult;
};

class CDelegating : public ITolvCounter {
public:
    explicit CDelegating(IUnknown* inner) : m_inner(inner) {}
    HRESULT STDMETHODCALLTYPE Next(LONG* value) override
    {
        *value = 0;
        return S_OK;
    }

    com_ptr<IUnknown> m_inner;
    using interface_map =
        tolv::com::interface_map<ITolvCounter, entry_delegate<ITolvCalculator, &CDelegating::m_inner>>;
};

class CountingModule : public Module {
public:
    LONG Lock() noexcept override
    {
        ++locks;
        return Module::Lock();
    }
    LONG Unlock() noexcept override
    {
        ++unlocks;
        return Module::Unlock();
    }
    int locks = 0;
    int unlocks = 0;
};

}  // namespace

TEST(InterfaceMap, AnswersExactlyTheListedInterfaces)
{
    com_ptr<ITolvCalculator> calculator;
    ASSERT_EQ(S_OK, MakeComObject<CCalculator>(calculator));
    // The dual interface derives from IDispatch, but IDispatch is not in the map.
    EXPECT_FALSE(calculator.try_query<IDispatch>());
    EXPECT_FALSE(calculator.try_query<IPersist>());
    EXPECT_TRUE(calculator.try_query<ITolvCounter>());
    void* answer = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_NOINTERFACE, calculator->QueryInterface(IID_IConnectionPointContainer, &answer));
    EXPECT_EQ(nullptr, answer);
    EXPECT_EQ(E_POINTER, calculator->QueryInterface(IID_IUnknown, nullptr));

    com_ptr<ITolvCalculator> dispatching;
    ASSERT_EQ(S_OK, MakeComObject<CDispatchingCalculator>(dispatching));
    com_ptr<IDispatch> dispatch = dispatching.try_query<IDispatch>();
    ASSERT_TRUE(dispatch);
    EXPECT_EQ(static_cast<IDispatch*>(dispatching.get()), dispatch.get());
}

TEST(InterfaceMap, IUnknownIsTheSamePointerFromEveryInterface)
{
    com_ptr<ITolvCalculator> calculator;
    ASSERT_EQ(S_OK, MakeComObject<CCalculator>(calculator));
    com_ptr<ITolvCounter> counter = calculator.try_query<ITolvCounter>();
    ASSERT_TRUE(counter);
    com_ptr<IUnknown> fromCalculator = calculator.try_query<IUnknown>();
    com_ptr<IUnknown> fromCounter = counter.try_query<IUnknown>();
    ASSERT_TRUE(fromCalculator);
    EXPECT_EQ(fromCalculator.get(), fromCounter.get());
    EXPECT_EQ(static_cast<IUnknown*>(calculator.get()), fromCalculator.get());
}

TEST(InterfaceMap, DelegatedEntryAsksTheInnerObject)
{
    com_ptr<ITolvCalculator> inner;
    ASSERT_EQ(S_OK, MakeComObject<CCalculator>(inner));
    com_ptr<ITolvCounter> outer;
    ASSERT_EQ(S_OK, MakeComObject<CDelegating>(outer, inner.get()));
    com_ptr<ITolvCalculator> answered = outer.try_query<ITolvCalculator>();
    EXPECT_EQ(inner.get(), answered.get());

    com_ptr<ITolvCounter> withoutInner;
    ASSERT_EQ(S_OK, MakeComObject<CDelegating>(withoutInner, nullptr));
    EXPECT_FALSE(withoutInner.try_query<ITolvCalculator>());
}

TEST(ComObjectLifetime, EveryLiveObjectHoldsOneModuleLock)
{
    const LONG before = Module::Instance().GetLockCount();
    {
        com_ptr<ITolvCalculator> first;
        com_ptr<ITolvCalculator> second;
        ASSERT_EQ(S_OK, MakeComObject<CCalculator>(first));
        ASSERT_EQ(S_OK, MakeComObject<CCalculator>(second));
        EXPECT_EQ(before + 2, Module::Instance().GetLockCount());
        com_ptr<ITolvCounter> sameObject = first.try_query<ITolvCounter>();
        EXPECT_EQ(before + 2, Module::Instance().GetLockCount());
        EXPECT_EQ(2, CCalculator::Live());
    }
    EXPECT_EQ(before, Module::Instance().GetLockCount());
    EXPECT_EQ(0, CCalculator::Live());
}

TEST(ComObjectLifetime, ProgramModuleReceivesTheLocks)
{
    CountingModule module;
    ASSERT_EQ(&module, &Module::Instance());
    {
        com_ptr<ITolvCalculator> calculator;
        ASSERT_EQ(S_OK, MakeComObject<CCalculator>(calculator));
        EXPECT_EQ(1, module.GetLockCount());
        EXPECT_EQ(1, module.locks);
    }
    EXPECT_EQ(0, module.GetLockCount());
    EXPECT_EQ(1, module.unlocks);
}

TEST(ComObjectLifetime, FinalConstructFailureDestroysTheObject)
{
    const LONG before = Module::Instance().GetLockCount();
    CLifecycle::s_finalConstructs = 0;
    CLifecycle::s_finalReleases = 0;

    com_ptr<ITolvCounter> failed;
    EXPECT_EQ(E_ACCESSDENIED, MakeComObject<CLifecycle>(failed, E_ACCESSDENIED));
    EXPECT_TRUE(failed == nullptr);
    EXPECT_EQ(1, CLifecycle::s_finalConstructs);
    EXPECT_EQ(1, CLifecycle::s_finalReleases);
    EXPECT_EQ(before, Module::Instance().GetLockCount());

    com_ptr<ITolvCounter> created;
    ASSERT_EQ(S_OK, MakeComObject<CLifecycle>(created, S_OK));
    EXPECT_EQ(2, CLifecycle::s_finalConstructs);
    EXPECT_EQ(1, CLifecycle::s_finalReleases);
    created.reset();
    EXPECT_EQ(2, CLifecycle::s_finalReleases);
    EXPECT_EQ(before, Module::Instance().GetLockCount());
}

TEST(ComObjectLifetime, CreateInstanceRefusesAggregationAndUnknownInterfaces)
{
    const LONG before = Module::Instance().GetLockCount();
    com_ptr<ITolvCalculator> outer;
    ASSERT_EQ(S_OK, MakeComObject<CCalculator>(outer));
    void* result = reinterpret_cast<void*>(1);
    EXPECT_EQ(CLASS_E_NOAGGREGATION, ComObject<CCalculator>::CreateQueried(outer.get(), IID_IUnknown, &result));
    EXPECT_EQ(nullptr, result);
    EXPECT_EQ(E_NOINTERFACE, ComObject<CCalculator>::CreateQueried(nullptr, IID_IPersist, &result));
    EXPECT_EQ(nullptr, result);
    outer.reset();
    EXPECT_EQ(0, CCalculator::Live());
    EXPECT_EQ(before, Module::Instance().GetLockCount());
}
