// Registration against the Wine prefix's registry: registry scripts, the type library and
// class objects of a local server.
#include <gtest/gtest.h>

#include <string>

#include "TestObjects.h"
#include "com/ClassFactory.h"
#include "com/DispatchImpl.h"
#include "com/Module.h"
#include "com/RegistryScript.h"
#include "com/TypeLibRegistration.h"

using namespace tolv::com;
using tolv::com::test::CCalculator;

namespace {

constexpr wchar_t kTestKey[] = L"Software\\PellaryComTest";
constexpr UINT kTestScript = 100;

bool KeyExists(HKEY root, const std::wstring& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

std::wstring ReadString(HKEY root, const std::wstring& path, const wchar_t* name)
{
    wchar_t buffer[1024] = {};
    DWORD size = sizeof(buffer);
    if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) {
        return L"<missing>";
    }
    return buffer;
}

std::wstring GuidText(REFGUID guid)
{
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

class RegistryScriptTest : public testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey); }
};

}  // namespace

TEST_F(RegistryScriptTest, ResourceScriptRegistersWithReplacementsAndUnregisters)
{
    const std::wstring modulePath = GetModuleFilePath(nullptr);
    ASSERT_EQ(S_OK, RunRegistryScript(nullptr, kTestScript, true, {{L"OWNER", L"Bob's phone"}}));
    EXPECT_EQ(L"Registry script test", ReadString(HKEY_CURRENT_USER, kTestKey, nullptr));
    EXPECT_EQ(modulePath, ReadString(HKEY_CURRENT_USER, kTestKey, L"Module"));
    // The apostrophe survives the script's quoting.
    EXPECT_EQ(L"Bob's phone", ReadString(HKEY_CURRENT_USER, kTestKey, L"Owner"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, std::wstring(kTestKey) + L"\\Child"));

    ASSERT_EQ(S_OK, RunRegistryScript(nullptr, kTestScript, false, {{L"OWNER", L"Bob's phone"}}));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kTestKey));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, L"Software"));
}

TEST_F(RegistryScriptTest, TextScriptAndMissingResource)
{
    const wchar_t* script = L"HKCU { NoRemove Software { PellaryComTest { val Path = s '%MODULE%' } } }";
    ASSERT_EQ(S_OK, RunRegistryScriptText(script, true, nullptr));
    EXPECT_EQ(GetModuleFilePath(nullptr), ReadString(HKEY_CURRENT_USER, kTestKey, L"Path"));
    ASSERT_EQ(S_OK, RunRegistryScriptText(script, false, nullptr));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kTestKey));

    EXPECT_TRUE(FAILED(RunRegistryScript(nullptr, 4242, true)));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kTestKey));
}

TEST(TypeLibRegistration, RegistersTheModulesLibraryAndRemovesItAgain)
{
    const TypeLibrary fromModule{&LIBID_TolvComTestLib, 1, 0};
    const std::wstring libraryKey = L"TypeLib\\" + GuidText(LIBID_TolvComTestLib) + L"\\1.0";
    const std::wstring interfaceKey = L"Interface\\" + GuidText(__uuidof(ITolvCalculator));
    UnregisterTypeLibFromModule(nullptr);

    // Not registered: the library comes from the program's own TYPELIB resource.
    com_ptr<ITypeLib> library;
    com_ptr<ITypeLib> registered;
    EXPECT_EQ(S_OK, LoadTypeLibrary(fromModule, library));
    EXPECT_TRUE(FAILED(LoadRegTypeLib(LIBID_TolvComTestLib, 1, 0, 0, registered.put())));

    // A library of locale 1033 is found under its own locale and the neutral one.
    ASSERT_EQ(S_OK, RegisterTypeLibFromModule(nullptr));
    EXPECT_EQ(S_OK, LoadRegTypeLib(LIBID_TolvComTestLib, 1, 0, 0, registered.put()));
    EXPECT_EQ(S_OK, LoadRegTypeLib(LIBID_TolvComTestLib, 1, 0, 0x409, registered.put()));
    EXPECT_EQ(GetModuleFilePath(nullptr), ReadString(HKEY_CLASSES_ROOT, libraryKey + L"\\0\\win64", nullptr));
    EXPECT_EQ(GetModuleFilePath(nullptr), ReadString(HKEY_CLASSES_ROOT, libraryKey + L"\\409\\win64", nullptr));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, interfaceKey));

    ASSERT_EQ(S_OK, UnregisterTypeLibFromModule(nullptr));
    registered.reset();
    EXPECT_TRUE(FAILED(LoadRegTypeLib(LIBID_TolvComTestLib, 1, 0, 0, registered.put())));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, libraryKey));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, interfaceKey));
}

TEST(LocalServerClassObjects, RegisteredObjectsServeClientsUntilRevoked)
{
    ClassObjectTable table{ClassEntryFor<CCalculator>(CLSID_TolvCalculator)};
    ASSERT_EQ(S_OK, table.RegisterClassObjects());
    EXPECT_TRUE(table.IsRegistered());
    ASSERT_EQ(S_OK, ClassObjectTable::ResumeClassObjects());
    {
        com_ptr<ITolvCounter> counter;
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_TolvCalculator, nullptr, CLSCTX_LOCAL_SERVER, __uuidof(ITolvCounter),
                                         counter.put_void()));
        LONG value = 0;
        EXPECT_EQ(S_OK, counter->Next(&value));
        EXPECT_EQ(1, value);
    }
    EXPECT_EQ(S_OK, ClassObjectTable::SuspendClassObjects());
    EXPECT_EQ(S_OK, table.RevokeClassObjects());
    EXPECT_FALSE(table.IsRegistered());
    com_ptr<ITolvCounter> refused;
    EXPECT_TRUE(FAILED(CoCreateInstance(CLSID_TolvCalculator, nullptr, CLSCTX_LOCAL_SERVER, __uuidof(ITolvCounter),
                                        refused.put_void())));
    EXPECT_EQ(0, CCalculator::Live());
}
