// Every enumeration of the library with its members and their 32-bit values.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "ExpectedKivlinkLib.h"
#include "KivlinkTypeLibFile.h"

namespace typelib_test {
namespace {

class Enumerations : public testing::Test {
protected:
    static void SetUpTestSuite() { s_library = LoadKivlinkTypeLib(); }
    static void TearDownTestSuite() { s_library.Reset(); }

    static std::vector<EnumMember> Members(const wchar_t* name)
    {
        ComPtr<ITypeInfo> info = FindType(s_library.Get(), name);
        if (!info) {
            ADD_FAILURE() << "no enumeration " << Narrow(name);
            return {};
        }
        EXPECT_EQ(TKIND_ENUM, Summarize(info.Get()).kind) << Narrow(name);
        std::vector<EnumMember> members = ReadEnumMembers(info.Get());
        for (const EnumMember& member : members) {
            // A constant stored as anything but a 32-bit signed value reads back wrong.
            EXPECT_EQ(VT_I4, member.vt) << Narrow(member.name);
        }
        return members;
    }

    static ComPtr<ITypeLib> s_library;
};
ComPtr<ITypeLib> Enumerations::s_library;

constexpr LONG Code(unsigned long value)
{
    return static_cast<LONG>(value);
}

TEST_F(Enumerations, FixedEnumerationsHaveExactlyTheirMembersValuesAndOrder)
{
    for (const ExpectedEnum& expected : FixedEnumerations()) {
        SCOPED_TRACE(Narrow(expected.name));
        const std::vector<EnumMember> actual = Members(expected.name);
        ASSERT_EQ(expected.members.size(), actual.size());
        for (size_t i = 0; i < actual.size(); ++i) {
            EXPECT_EQ(expected.members[i].name, actual[i].name);
            EXPECT_EQ(expected.members[i].value, actual[i].value) << Narrow(actual[i].name);
        }
    }
}

TEST_F(Enumerations, FailureCodesAboveIntMaxKeepTheirBitPattern)
{
    const std::vector<EnumMember> codes = Members(L"KIV_HRESULT_Type");
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(L"KIV_E_NOCONNECTION", codes.at(22).name);
    EXPECT_EQ(static_cast<HRESULT>(0x8004B001), codes.at(22).value);
    for (const EnumMember& code : codes) {
        EXPECT_TRUE(FAILED(code.value)) << Narrow(code.name);
    }
}

TEST_F(Enumerations, StandardFoldersCountFromOneWithTheArchiveDraftSharingTwo)
{
    const std::vector<EnumMember> folders = Members(L"eStandardFolder");
    ASSERT_EQ(30u, folders.size());
    EXPECT_EQ(L"FOLDER_RINGINGTONE", folders[0].name);
    EXPECT_EQ(L"FOLDER_RINGINGTONE_EMS", folders[1].name);
    EXPECT_EQ(L"FOLDER_SMS_ARCHIVE_DRAFT", folders[21].name);
    EXPECT_EQ(L"FOLDER_SYSTEM_WAP", folders[29].name);
    for (size_t i = 0; i < folders.size(); ++i) {
        const LONG expected = i == 21 ? 2 : static_cast<LONG>(i + 1);
        EXPECT_EQ(expected, folders[i].value) << Narrow(folders[i].name);
    }
}

TEST_F(Enumerations, IndexRunsOfDeclaredOnlyEnumerationsAreConsecutive)
{
    struct Run {
        const wchar_t* enumeration;
        const wchar_t* first;
        LONG firstValue;
        const wchar_t* last;
        LONG lastValue;
    };
    for (const Run& run : {Run{L"GetPBEntriesIndices", L"gePBIndex", 0, L"gePBMelodyIndex", 5},
                           Run{L"GetSMEntriesIndices", L"geSMIndex", 0, L"geSMText", 4},
                           Run{L"IrmcTransportTypes", L"TRANSPORT_TYPE_IRDA", 1, L"TRANSPORT_TYPE_BLUETOOTH", 6},
                           Run{L"PhonebookType", L"SPB_FD", 0, L"SPB_EM", 20},
                           Run{L"eDisplaySettings", L"eDS_ScreenSaver", 101, L"eDS_ShutDownAnimation", 105}}) {
        SCOPED_TRACE(Narrow(run.enumeration));
        const std::vector<EnumMember> members = Members(run.enumeration);
        ASSERT_EQ(static_cast<size_t>(run.lastValue - run.firstValue + 1), members.size());
        EXPECT_EQ(run.first, members.front().name);
        EXPECT_EQ(run.last, members.back().name);
        for (size_t i = 0; i < members.size(); ++i) {
            EXPECT_EQ(run.firstValue + static_cast<LONG>(i), members[i].value) << Narrow(members[i].name);
        }
    }
}

TEST_F(Enumerations, RingingLinesFormTwoNumberedRuns)
{
    const std::vector<EnumMember> lines = Members(L"eRingingLine");
    ASSERT_EQ(43u, lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const bool classic = i < 23;
        EXPECT_EQ(0u, lines[i].name.rfind(classic ? L"eRL_" : L"eRL65_", 0)) << Narrow(lines[i].name);
        EXPECT_EQ(static_cast<LONG>(classic ? i + 1 : i - 22), lines[i].value) << Narrow(lines[i].name);
    }
}

TEST_F(Enumerations, IrmcCodesRunFromPointerAndSuccessToNotOpened)
{
    const std::vector<EnumMember> codes = Members(L"Irmc_HRESULT_Type");
    ASSERT_EQ(18u, codes.size());
    EXPECT_EQ(L"IRMC_E_POINTER", codes[0].name);
    EXPECT_EQ(Code(0x80004003), codes[0].value);
    EXPECT_EQ(L"IRMC_SUCCESS", codes[1].name);
    EXPECT_EQ(Code(0x80043000), codes[1].value);
    EXPECT_EQ(L"IRMC_NOT_OPENED", codes.back().name);
    EXPECT_EQ(Code(0x80043050), codes.back().value);
    for (size_t i = 1; i < codes.size(); ++i) {
        EXPECT_GE(codes[i].value, Code(0x80043000)) << Narrow(codes[i].name);
        EXPECT_LE(codes[i].value, Code(0x80043050)) << Narrow(codes[i].name);
    }
}

TEST_F(Enumerations, AtcCodesLieInTheirTwoRanges)
{
    const std::vector<EnumMember> codes = Members(L"ATC_HRESULT_Type");
    EXPECT_GE(codes.size(), 50u);
    EXPECT_LE(codes.size(), 70u);
    std::set<LONG> values;
    for (const EnumMember& code : codes) {
        const bool own = code.value >= Code(0x80042000) && code.value <= Code(0x80042302);
        const bool phone = code.value >= Code(0x80044000) && code.value <= Code(0x8004500F);
        EXPECT_TRUE(own || phone) << Narrow(code.name);
        EXPECT_TRUE(values.insert(code.value).second) << "duplicate value of " << Narrow(code.name);
    }
}

TEST_F(Enumerations, LibraryHoldsExactlyThePublishedEnumerations)
{
    const std::set<std::wstring> expected = {L"GetEntriesIndices",
                                             L"GetDeviceEntriesIndices",
                                             L"ExecutionFlags",
                                             L"KivActionId",
                                             L"KivChangeId",
                                             L"KivEventId",
                                             L"KivGeneralConnectionState",
                                             L"PortTypes",
                                             L"SlotTypeConstants",
                                             L"FILE_ATTRIBUTE",
                                             L"PhoneWatchConnectMode",
                                             L"KIV_HRESULT_Type",
                                             L"ErrorCodes",
                                             L"SMType",
                                             L"StorageType",
                                             L"SMStorage",
                                             L"eStandardFolder",
                                             L"GetPBEntriesIndices",
                                             L"GetSMEntriesIndices",
                                             L"GetOperators",
                                             L"IrmcTransportTypes",
                                             L"Irmc_HRESULT_Type",
                                             L"PhonebookType",
                                             L"SoundModes",
                                             L"VibrationsModes",
                                             L"BitmapType",
                                             L"eUpdateNotify",
                                             L"eCommand",
                                             L"eRingingLine",
                                             L"eDisplaySettings",
                                             L"enuCharacterSettings",
                                             L"ATC_HRESULT_Type"};
    std::set<std::wstring> actual;
    for (auto& [name, info] : ReadAllTypes(s_library.Get())) {
        if (Summarize(info.Get()).kind == TKIND_ENUM) {
            actual.insert(name);
        }
    }
    EXPECT_EQ(expected, actual);
}

}  // namespace
}  // namespace typelib_test
