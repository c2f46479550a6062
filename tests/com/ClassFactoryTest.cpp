// Class factories and the class-object table as a DLL would use them.
#include <gtest/gtest.h>

#include "TestObjects.h"
#include "com/ClassFactory.h"
#include "com/Module.h"
#include "tests/HeldCreation.h"

using namespace tolv::com;
using tolv::com::test::CCalculator;

TEST(ClassFactory, CreatesQueriedObjectsAndRefusesAggregation)
{
    const LONG before = Module::Instance().GetLockCount();
    com_ptr<IClassFactory> factory;
    ASSERT_EQ(S_OK, ClassFactoryBase::CreateFor<CCalculator>(factory));
    // The factory itself keeps no lock: a registered class object must not keep a server alive.
    EXPECT_EQ(before, Module::Instance().GetLockCount());

    com_ptr<ITolvCounter> counter;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, __uuidof(ITolvCounter), counter.put_void()));
    LONG value = 0;
    EXPECT_EQ(S_OK, counter->Next(&value));
    EXPECT_EQ(1, value);
    EXPECT_EQ(before + 1, Module::Instance().GetLockCount());

    com_ptr<IPersist> refused;
    EXPECT_EQ(E_NOINTERFACE, factory->CreateInstance(nullptr, IID_IPersist, refused.put_void()));
    EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(counter.get(), IID_IUnknown, refused.put_void()));
    EXPECT_EQ(1, CCalculator::Live());
    counter.reset();
    EXPECT_EQ(before, Module::Instance().GetLockCount());
}

TEST(ClassFactory, LockServerTakesAndReleasesModuleLocks)
{
    com_ptr<IClassFactory> factory;
    ASSERT_EQ(S_OK, ClassFactoryBase::Create(&ComObject<CCalculator>::CreateQueried, factory));
    const LONG before = Module::Instance().GetLockCount();
    EXPECT_EQ(S_OK, factory->LockServer(TRUE));
    EXPECT_EQ(S_OK, factory->LockServer(TRUE));
    EXPECT_EQ(before + 2, Module::Instance().GetLockCount());
    EXPECT_EQ(S_FALSE, ClassObjectTable::CanUnloadNow());
    EXPECT_EQ(S_OK, factory->LockServer(FALSE));
    EXPECT_EQ(S_OK, factory->LockServer(FALSE));
    EXPECT_EQ(before, Module::Instance().GetLockCount());
    EXPECT_EQ(before == 0 ? S_OK : S_FALSE, ClassObjectTable::CanUnloadNow());
}

TEST(ClassObjectTable, ServesDllGetClassObjectByClassId)
{
    ClassObjectTable table{ClassEntryFor<CCalculator>(CLSID_TolvCalculator)};
    com_ptr<IClassFactory> factory;
    ASSERT_EQ(S_OK, table.GetClassObject(CLSID_TolvCalculator, IID_IClassFactory, factory.put_void()));
    com_ptr<IClassFactory> again;
    ASSERT_EQ(S_OK, table.GetClassObject(CLSID_TolvCalculator, IID_IClassFactory, again.put_void()));
    EXPECT_EQ(factory.get(), again.get());

    com_ptr<IUnknown> unknown;
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, table.GetClassObject(IID_IPersist, IID_IClassFactory, unknown.put_void()));
    EXPECT_TRUE(unknown == nullptr);
    EXPECT_EQ(E_NOINTERFACE, table.GetClassObject(CLSID_TolvCalculator, IID_IPersist, unknown.put_void()));

    {
        com_ptr<ITolvCalculator> calculator;
        ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, __uuidof(ITolvCalculator), calculator.put_void()));
        EXPECT_EQ(S_FALSE, ClassObjectTable::CanUnloadNow());
    }
    EXPECT_EQ(S_OK, ClassObjectTable::CanUnloadNow());
}

TEST(ClassFactory, AClosedModuleTurnsCreationsAwayAfterThoseUnderWay)
{
    Module module;
    ASSERT_EQ(&module, &Module::Instance());
    using Held = HeldCreation<CCalculator>;
    ASSERT_EQ(S_OK, Held::Prepare());
    com_ptr<IClassFactory> factory;
    ASSERT_EQ(S_OK, ClassFactoryBase::Create(&Held::Create, factory));

    CreationOnThread call(factory.get());
    ASSERT_TRUE(call.Started());
    ASSERT_TRUE(Held::started.wait(10000));

    // The creation under way holds the close back until it is given up on...
    EXPECT_FALSE(module.CloseToNewClients(50));
    EXPECT_TRUE(module.IsClosedToNewClients());
    // ...and once it ends, its object is counted before the close returns.
    Held::release.set();
    EXPECT_TRUE(module.CloseToNewClients(10000));
    EXPECT_EQ(1, module.GetLockCount());
    ASSERT_TRUE(call.Finish(10000));
    EXPECT_EQ(S_OK, call.Result());

    // A later creation is refused without making anything.
    com_ptr<IUnknown> refused;
    EXPECT_EQ(CO_E_SERVER_STOPPING, factory->CreateInstance(nullptr, IID_IUnknown, refused.put_void()));
    EXPECT_TRUE(refused == nullptr);
    EXPECT_EQ(1, CCalculator::Live());
    call.Created().reset();
    EXPECT_EQ(0, module.GetLockCount());
}
