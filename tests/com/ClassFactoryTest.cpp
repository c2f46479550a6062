// Class factories and the class-object table as a DLL would use them.
#include <gtest/gtest.h>

#include "TestObjects.h"
#include "com/ClassFactory.h"
#include "com/Module.h"
#include "com/UniqueHandle.h"

#include <process.h>

using namespace tolv::com;
using tolv::com::test::CCalculator;

TEST(ClassFactory, CreatesQueriedObjectsAndRefusesAggregation)
{
    const LONG before = Module::Instance().GetLockCount();
    com_ptr<IClassFactory> factory;
    factory.attach(new ClassFactory<CCalculator>());
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
    ASSERT_EQ(S_OK, ClassFactoryBase::Create(&ComObject<CCalculator>::CreateInstance, factory));
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

namespace {

// A creation that waits until the test lets it finish, to hold an activation under way.
struct HeldCreation {
    static unique_event started;
    static unique_event release;
    static HRESULT Create(IUnknown* outer, REFIID iid, void** result)
    {
        started.set();
        release.wait();
        return ComObject<CCalculator>::CreateInstance(outer, iid, result);
    }
};
unique_event HeldCreation::started;
unique_event HeldCreation::release;

struct CreationCall {
    IClassFactory* factory = nullptr;
    HRESULT hr = E_PENDING;
    com_ptr<IUnknown> created;
};

unsigned __stdcall CreateOnThread(void* argument)
{
    auto* call = static_cast<CreationCall*>(argument);
    call->hr = call->factory->CreateInstance(nullptr, IID_IUnknown, call->created.put_void());
    return 0;
}

}  // namespace

TEST(ClassFactory, AClosedModuleTurnsCreationsAwayAfterThoseUnderWay)
{
    Module module;
    ASSERT_EQ(&module, &Module::Instance());
    ASSERT_EQ(S_OK, HeldCreation::started.create(true, false));
    ASSERT_EQ(S_OK, HeldCreation::release.create(true, false));
    com_ptr<IClassFactory> factory;
    ASSERT_EQ(S_OK, ClassFactoryBase::Create(&HeldCreation::Create, factory));

    CreationCall call;
    call.factory = factory.get();
    unique_handle thread(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &CreateOnThread, &call, 0, nullptr)));
    ASSERT_TRUE(HeldCreation::started.wait(10000));

    // The creation under way holds the close back until it is given up on...
    EXPECT_FALSE(module.CloseToNewClients(50));
    EXPECT_TRUE(module.IsClosedToNewClients());
    // ...and once it ends, its object is counted before the close returns.
    HeldCreation::release.set();
    EXPECT_TRUE(module.CloseToNewClients(10000));
    EXPECT_EQ(1, module.GetLockCount());
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread.get(), 10000));
    EXPECT_EQ(S_OK, call.hr);

    // A later creation is refused without making anything.
    com_ptr<IUnknown> refused;
    EXPECT_EQ(CO_E_SERVER_STOPPING, factory->CreateInstance(nullptr, IID_IUnknown, refused.put_void()));
    EXPECT_TRUE(refused == nullptr);
    EXPECT_EQ(1, CCalculator::Live());
    call.created.reset();
    EXPECT_EQ(0, module.GetLockCount());
}
