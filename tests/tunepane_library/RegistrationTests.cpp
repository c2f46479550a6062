// regsvr32 on Tunepane.dll writes exactly the documented keys and takes exactly its own away.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

#include "tests/support/ChildProcess.h"

namespace {

constexpr wchar_t kPlugInKey[] = L"Software\\Vostrel\\Pellary\\PlugIns";
constexpr wchar_t kSchedulerKey[] = L"Software\\Vostrel\\Pellary\\SchedulerPlugIns";
constexpr wchar_t kPlugInClass[] = L"{36B4D7FE-60CC-45F9-AC11-8AB7F88C2677}";
constexpr wchar_t kCommandsClass[] = L"{EC6234C3-D1D9-4319-9DB6-A7FE36A110ED}";
constexpr wchar_t kAdapterClass[] = L"{5AAEC807-662E-42F5-ACCB-9A32D76C89EB}";
constexpr wchar_t kTypeLibraryKey[] = L"TypeLib\\{3AB2A423-2E61-4A3A-99D6-05805A6BA8CF}";

std::optional<std::wstring> ReadString(HKEY root, const std::wstring& key, const wchar_t* name)
{
    wchar_t value[1024] = {};
    DWORD size = sizeof(value);
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(value);
}

bool KeyExists(HKEY root, const std::wstring& key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

long Regsvr32(const wchar_t* options)
{
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    return RunAndWait(std::wstring(system) + L"\\regsvr32.exe",
                      std::wstring(options) + L" \"" + BinaryPath(L"Tunepane.dll") + L"\"");
}

std::wstring ClassKey(const wchar_t* clsid)
{
    return std::wstring(L"CLSID\\") + clsid;
}

class RegistrationTest : public testing::Test {
protected:
    // Whatever a test does, the library is registered again afterwards for the other tests.
    void TearDown() override { EXPECT_EQ(Regsvr32(L"/s"), 0); }
};

TEST_F(RegistrationTest, RegistrationWritesTheClassesTheHostEntryTheSchedulerEntryAndTheTypeLibrary)
{
    ASSERT_EQ(Regsvr32(L"/s"), 0);

    const std::wstring plugIn = std::wstring(kPlugInKey) + L"\\Tunepane";
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, plugIn, nullptr), L"");
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, plugIn, L"CLSID"), kPlugInClass);
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, plugIn, L"Description"), L"Mp3 Settings");
    const std::wstring scheduler = std::wstring(kSchedulerKey) + L"\\Tunepane";
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, scheduler, L"CLSIDScheduler"), kAdapterClass);
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, scheduler, L"Description"), L"Mp3");

    struct Class {
        const wchar_t* clsid;
        const wchar_t* name;
    };
    for (const Class& c : {Class{kCommandsClass, L"TunepaneCommands"}, Class{kPlugInClass, L"TolvTunepanePlugIn"},
                           Class{kAdapterClass, L"Mp3PlugIntoScheduler"}}) {
        SCOPED_TRACE(c.name);
        const std::wstring progId = std::wstring(L"Tunepane.") + c.name;
        const std::wstring display = std::wstring(c.name) + L" Class";
        EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, ClassKey(c.clsid), nullptr), display);
        EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, ClassKey(c.clsid), L"ProgID"), std::nullopt)
            << "ProgID is a key, not a value";
        EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, ClassKey(c.clsid) + L"\\ProgID", nullptr), progId + L".1");
        EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, ClassKey(c.clsid) + L"\\VersionIndependentProgID", nullptr), progId);
        EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, ClassKey(c.clsid) + L"\\InprocServer32", L"ThreadingModel"), L"both");
        const auto server = ReadString(HKEY_CLASSES_ROOT, ClassKey(c.clsid) + L"\\InprocServer32", nullptr);
        ASSERT_TRUE(server);
        EXPECT_NE(server->find(L"Tunepane.dll"), std::wstring::npos);
        for (const std::wstring& id : {progId, progId + L".1"}) {
            EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, id, nullptr), display);
            EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, id + L"\\CLSID", nullptr), c.clsid);
        }
    }
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, kTypeLibraryKey));
}

TEST_F(RegistrationTest, UnregistrationRemovesItsOwnEntriesAndKeepsTheSharedParents)
{
    ASSERT_EQ(Regsvr32(L"/s"), 0);
    ASSERT_EQ(Regsvr32(L"/s /u"), 0);

    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::wstring(kPlugInKey) + L"\\Tunepane"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, std::wstring(kSchedulerKey) + L"\\Tunepane"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kPlugInKey));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kSchedulerKey));
    for (const wchar_t* clsid : {kCommandsClass, kPlugInClass, kAdapterClass})
        EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ClassKey(clsid))) << clsid;
    for (const wchar_t* progId :
         {L"Tunepane.TunepaneCommands", L"Tunepane.TolvTunepanePlugIn.1", L"Tunepane.Mp3PlugIntoScheduler"})
        EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, progId)) << progId;
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kTypeLibraryKey));
}

}  // namespace
