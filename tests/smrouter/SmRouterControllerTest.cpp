// The router library through its exported names only: the brackets around every use, the
// status of each port switch, the ports to resume, and the state every process shares.
#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "platform/smrouter/SmRouterController.h"
#include "tests/support/ChildProcess.h"

namespace {

using StatusFunction = LONG(WINAPI*)();
using PortFunction = LONG(WINAPI*)(LPCWSTR);
using RegistrationFunction = HRESULT(WINAPI*)();

constexpr LONG kNotInstalled = static_cast<LONG>(0x80070002);

struct LibraryFreer {
    void operator()(HMODULE module) const noexcept { FreeLibrary(module); }
};
using unique_module = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryFreer>;

template <class Function>
Function Export(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::string PhoneSimOutput(const std::wstring& arguments)
{
    CChildProcess child(ProgramCommand(BinaryPath(L"phonesim.exe"), arguments), CChildProcess::kCaptureOutput);
    EXPECT_EQ(child.Finish(60000), 0) << std::string(arguments.begin(), arguments.end());
    return child.Output();
}

bool HasLine(const std::string& output, const std::string& line)
{
    return ("\n" + output).find("\n" + line + "\r\n") != std::string::npos;
}

class SmRouterControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        library.reset(LoadLibraryW(BinaryPath(L"SmRouterController.dll").c_str()));
        ASSERT_TRUE(library);
        init = Export<StatusFunction>(library.get(), "InitSMRouterContoller");
        enable = Export<PortFunction>(library.get(), "EnablePort");
        disable = Export<PortFunction>(library.get(), "DisablePort");
        enableLastDisabled = Export<StatusFunction>(library.get(), "EnableLastDisabledPorts");
        finish = Export<StatusFunction>(library.get(), "FinishSMRouterContoller");
        registerServer = Export<RegistrationFunction>(library.get(), "DllRegisterServer");
        unregisterServer = Export<RegistrationFunction>(library.get(), "DllUnregisterServer");
        ASSERT_TRUE(init && enable && disable && enableLastDisabled && finish && registerServer && unregisterServer);
        // Each test starts from the router as registration leaves it: every port disabled.
        ASSERT_EQ(registerServer(), S_OK);
    }
    void TearDown() override
    {
        if (registerServer) {
            registerServer();
        }
    }

    unique_module library;
    StatusFunction init = nullptr;
    PortFunction enable = nullptr;
    PortFunction disable = nullptr;
    StatusFunction enableLastDisabled = nullptr;
    StatusFunction finish = nullptr;
    RegistrationFunction registerServer = nullptr;
    RegistrationFunction unregisterServer = nullptr;
};

TEST_F(SmRouterControllerTest, EnablingAnEnabledPortSaysTheConnectionExists)
{
    ASSERT_EQ(init(), S_OK);
    EXPECT_EQ(enable(L"COM4"), S_OK);
    EXPECT_EQ(enable(L"COM4"), smrouter::kAlreadyEnabled);
    EXPECT_EQ(enable(L"com4"), 0x2000000A);
    EXPECT_EQ(finish(), S_OK);
}

TEST_F(SmRouterControllerTest, DisablingADisabledPortIsASuccess)
{
    ASSERT_EQ(init(), S_OK);
    EXPECT_EQ(disable(L"COM2"), smrouter::kAlreadyDisabled);
    EXPECT_EQ(enable(L"COM2"), S_OK);
    EXPECT_EQ(disable(L"COM2"), S_OK);
    EXPECT_EQ(finish(), S_OK);
}

TEST_F(SmRouterControllerTest, PortsTheRouterDoesNotKnowFail)
{
    ASSERT_EQ(init(), S_OK);
    for (const wchar_t* port : {L"COM10", L"LPT1", L"COM", L"COM4 "}) {
        EXPECT_EQ(enable(port), smrouter::kUnknownPort);
        EXPECT_EQ(disable(port), smrouter::kUnknownPort);
    }
    EXPECT_LT(enable(L""), 0);
    EXPECT_LT(disable(nullptr), 0);
    EXPECT_EQ(finish(), S_OK);
}

TEST_F(SmRouterControllerTest, PortsAreSwitchedOnlyInsideABracket)
{
    EXPECT_EQ(enable(L"COM4"), smrouter::kNotInitialised);
    EXPECT_EQ(enableLastDisabled(), smrouter::kNotInitialised);
    EXPECT_EQ(finish(), smrouter::kNotInitialised);

    // Brackets nest: the port functions answer until the last one is closed.
    ASSERT_EQ(init(), S_OK);
    ASSERT_EQ(init(), S_OK);
    EXPECT_EQ(finish(), S_OK);
    EXPECT_EQ(enable(L"COM4"), S_OK);
    EXPECT_EQ(finish(), S_OK);
    EXPECT_EQ(disable(L"COM4"), smrouter::kNotInitialised);
    EXPECT_LT(finish(), 0);
}

TEST_F(SmRouterControllerTest, ResumingEnablesThePortsDisabledSinceTheLastResume)
{
    ASSERT_EQ(init(), S_OK);
    for (const wchar_t* port : {L"COM3", L"COM4", L"COM5", L"COM6"}) {
        ASSERT_EQ(enable(port), S_OK);
    }
    ASSERT_EQ(disable(L"COM4"), S_OK);
    ASSERT_EQ(disable(L"com5"), S_OK);
    ASSERT_EQ(disable(L"COM6"), S_OK);
    // Enabled again by hand: no longer waiting to be resumed.
    ASSERT_EQ(enable(L"COM6"), S_OK);
    ASSERT_EQ(disable(L"COM6"), S_OK);
    ASSERT_EQ(enable(L"COM6"), S_OK);
    // Disabled before any of these was enabled: not the router's to resume.
    EXPECT_EQ(disable(L"COM1"), smrouter::kAlreadyDisabled);

    EXPECT_EQ(enableLastDisabled(), S_OK);
    EXPECT_EQ(enable(L"COM4"), smrouter::kAlreadyEnabled);
    EXPECT_EQ(enable(L"COM5"), smrouter::kAlreadyEnabled);
    EXPECT_EQ(enable(L"COM1"), S_OK);

    // Each resume takes what was disabled since the one before.
    ASSERT_EQ(disable(L"COM3"), S_OK);
    EXPECT_EQ(enableLastDisabled(), S_OK);
    ASSERT_EQ(disable(L"COM4"), S_OK);
    EXPECT_EQ(enableLastDisabled(), S_OK);
    EXPECT_EQ(enable(L"COM3"), smrouter::kAlreadyEnabled);
    EXPECT_EQ(enable(L"COM4"), smrouter::kAlreadyEnabled);
    EXPECT_EQ(enableLastDisabled(), S_OK);
    EXPECT_EQ(finish(), S_OK);
}

TEST_F(SmRouterControllerTest, AnotherProcessSeesThePortsThisOneSwitched)
{
    ASSERT_EQ(init(), S_OK);
    ASSERT_EQ(enable(L"COM4"), S_OK);
    ASSERT_EQ(enable(L"COM7"), S_OK);
    ASSERT_EQ(disable(L"COM7"), S_OK);
    ASSERT_EQ(finish(), S_OK);

    const std::string listing = PhoneSimOutput(L"ports");
    EXPECT_TRUE(HasLine(listing, "COM1 disabled")) << listing;
    EXPECT_TRUE(HasLine(listing, "COM4 enabled")) << listing;
    EXPECT_TRUE(HasLine(listing, "COM7 disabled (to resume)")) << listing;
    EXPECT_TRUE(HasLine(listing, "COM9 disabled")) << listing;
    EXPECT_EQ(listing.find("COM10"), std::string::npos) << listing;
}

TEST_F(SmRouterControllerTest, ThisProcessSeesWhatAnotherProcessChanged)
{
    ASSERT_EQ(init(), S_OK);
    ASSERT_EQ(enable(L"COM4"), S_OK);
    ASSERT_EQ(disable(L"COM5"), smrouter::kAlreadyDisabled);

    // Reset in the other process, inside this one's bracket.
    PhoneSimOutput(L"ports reset");
    EXPECT_EQ(enable(L"COM4"), S_OK);
    EXPECT_EQ(finish(), S_OK);
}

TEST_F(SmRouterControllerTest, AnUnregisteredRouterCannotBeStarted)
{
    ASSERT_EQ(unregisterServer(), S_OK);
    EXPECT_EQ(init(), kNotInstalled);
    EXPECT_EQ(enable(L"COM4"), smrouter::kNotInitialised);
    ASSERT_EQ(registerServer(), S_OK);
    EXPECT_EQ(init(), S_OK);
    EXPECT_EQ(finish(), S_OK);
}

TEST(SmRouterControllerFile, CarriesItsVersionResource)
{
    const std::wstring path = BinaryPath(L"SmRouterController.dll");
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> data(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
    wchar_t* name = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\040904B0\\OriginalFilename",
                               reinterpret_cast<void**>(&name), &length));
    EXPECT_STREQ(name, L"SmRouterController.dll");
}

}  // namespace
