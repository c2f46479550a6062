// Identifiers, kinds, slot order and dispatch identifiers of the interfaces, and the
// automation-only rule that the type-library marshaller depends on.
#include <gtest/gtest.h>

#include <algorithm>

#include "ExpectedKivlinkLib.h"
#include "KivlinkTypeLibFile.h"

namespace typelib_test {
namespace {

constexpr SHORT kPointer = static_cast<SHORT>(sizeof(void*));
constexpr UINT kIUnknownSlots = 3;
constexpr UINT kIDispatchSlots = 7;

class Interfaces : public testing::Test {
protected:
    static void SetUpTestSuite() { s_library = LoadKivlinkTypeLib(); }
    static void TearDownTestSuite() { s_library.Reset(); }

    static ComPtr<ITypeInfo> ByIid(const wchar_t* text)
    {
        GUID iid{};
        EXPECT_EQ(S_OK, IIDFromString(text, &iid)) << Narrow(text);
        ComPtr<ITypeInfo> info;
        EXPECT_EQ(S_OK, s_library->GetTypeInfoOfGuid(iid, &info)) << Narrow(text);
        return info;
    }

    static ComPtr<ITypeInfo> ByName(const wchar_t* name)
    {
        ComPtr<ITypeInfo> info = FindType(s_library.Get(), name);
        EXPECT_NE(nullptr, info.Get()) << Narrow(name);
        return info;
    }

    static std::vector<std::wstring> FunctionNames(const wchar_t* name)
    {
        std::vector<std::wstring> names;
        if (ComPtr<ITypeInfo> info = ByName(name)) {
            for (const FunctionInfo& function : ReadFunctions(VtableTypeInfo(info.Get()).Get())) {
                names.push_back(function.name);
            }
        }
        return names;
    }

    static ComPtr<ITypeLib> s_library;
};
ComPtr<ITypeLib> Interfaces::s_library;

void ExpectKind(ITypeInfo* info, InterfaceKind kind)
{
    const TypeInfoSummary summary = Summarize(info);
    switch (kind) {
    case InterfaceKind::Dual: {
        EXPECT_EQ(TKIND_DISPATCH, summary.kind);
        EXPECT_EQ(TYPEFLAG_FDUAL | TYPEFLAG_FDISPATCHABLE, summary.flags & (TYPEFLAG_FDUAL | TYPEFLAG_FDISPATCHABLE));
        const TypeInfoSummary vtable = Summarize(VtableTypeInfo(info).Get());
        EXPECT_EQ(TKIND_INTERFACE, vtable.kind);
        EXPECT_EQ(TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION, vtable.flags & (TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION));
        break;
    }
    case InterfaceKind::Dispinterface:
        EXPECT_EQ(TKIND_DISPATCH, summary.kind);
        EXPECT_EQ(0, summary.flags & TYPEFLAG_FDUAL);
        break;
    case InterfaceKind::Custom: {
        EXPECT_EQ(TKIND_INTERFACE, summary.kind);
        EXPECT_EQ(0, summary.flags & TYPEFLAG_FDUAL);
        // Marshalled by the type-library marshaller, so it must say it can be.
        EXPECT_NE(0, summary.flags & TYPEFLAG_FOLEAUTOMATION);
        ASSERT_EQ(1, summary.implementedCount);
        const std::vector<ImplementedType> bases = ReadImplementedTypes(info);
        EXPECT_EQ(L"IUnknown", bases.at(0).name);
        break;
    }
    }
}

TEST_F(Interfaces, ImplementedInterfacesHaveTheirIidNameAndKind)
{
    for (const ExpectedInterface& expected : ImplementedInterfaces()) {
        SCOPED_TRACE(Narrow(expected.name));
        ComPtr<ITypeInfo> info = ByIid(expected.iid);
        ASSERT_NE(nullptr, info.Get());
        EXPECT_EQ(expected.name, Summarize(info.Get()).name);
        ExpectKind(info.Get(), expected.kind);
    }
}

TEST_F(Interfaces, ImplementedInterfacesHaveTheirFunctionsInSlotOrderWithTheirDispatchIdentifiers)
{
    for (const ExpectedInterface& expected : ImplementedInterfaces()) {
        SCOPED_TRACE(Narrow(expected.name));
        ComPtr<ITypeInfo> info = ByIid(expected.iid);
        ASSERT_NE(nullptr, info.Get());
        const std::vector<FunctionInfo> actual = ReadFunctions(VtableTypeInfo(info.Get()).Get());
        ASSERT_EQ(expected.functions.size(), actual.size());
        const UINT firstSlot = expected.kind == InterfaceKind::Custom ? kIUnknownSlots : kIDispatchSlots;
        for (size_t i = 0; i < actual.size(); ++i) {
            const ExpectedFunction& function = expected.functions[i];
            SCOPED_TRACE(Narrow(function.name));
            EXPECT_EQ(function.name, actual[i].name);
            if (function.memid != kAnyMemid) {
                EXPECT_EQ(function.memid, actual[i].memid);
            }
            if (expected.kind == InterfaceKind::Dispinterface) {
                EXPECT_EQ(FUNC_DISPATCH, actual[i].funcKind);
            } else {
                EXPECT_EQ(FUNC_PUREVIRTUAL, actual[i].funcKind);
                EXPECT_EQ(static_cast<SHORT>((firstSlot + i) * kPointer), actual[i].vtableOffset);
            }
            EXPECT_EQ(INVOKE_FUNC, actual[i].invokeKind);
            if (function.parametersFixed) {
                std::vector<std::wstring> names(function.parameters.begin(), function.parameters.end());
                EXPECT_EQ(names, actual[i].parameterNames);
            }
        }
    }
}

TEST_F(Interfaces, DispatchViewOfDualInterfacesListsEachMethodAtItsVtableSlot)
{
    // The incoming-call filter maps a call's method number to the function description at
    // that position of the interface's type information.
    for (const ExpectedInterface& expected : ImplementedInterfaces()) {
        if (expected.kind != InterfaceKind::Dual) {
            continue;
        }
        SCOPED_TRACE(Narrow(expected.name));
        ComPtr<ITypeInfo> info = ByIid(expected.iid);
        ASSERT_NE(nullptr, info.Get());
        ASSERT_EQ(kIDispatchSlots + expected.functions.size(), Summarize(info.Get()).functionCount);
        EXPECT_EQ(L"QueryInterface", ReadFunctionAt(info.Get(), 0).name);
        EXPECT_EQ(L"Invoke", ReadFunctionAt(info.Get(), kIDispatchSlots - 1).name);
        for (size_t i = 0; i < expected.functions.size(); ++i) {
            const FunctionInfo function = ReadFunctionAt(info.Get(), static_cast<UINT>(kIDispatchSlots + i));
            EXPECT_EQ(expected.functions[i].name, function.name);
            EXPECT_EQ(expected.functions[i].memid, function.memid);
        }
    }
}

TEST_F(Interfaces, LateBoundNamesResolveToTheirDispatchIdentifiers)
{
    for (const ExpectedInterface& expected : ImplementedInterfaces()) {
        if (expected.kind == InterfaceKind::Custom) {
            continue;
        }
        SCOPED_TRACE(Narrow(expected.name));
        ComPtr<ITypeInfo> info = ByIid(expected.iid);
        ASSERT_NE(nullptr, info.Get());
        for (const ExpectedFunction& function : expected.functions) {
            LPOLESTR name = const_cast<LPOLESTR>(function.name);
            MEMBERID memid = MEMBERID_NIL;
            EXPECT_EQ(S_OK, info->GetIDsOfNames(&name, 1, &memid)) << Narrow(function.name);
            EXPECT_EQ(function.memid, memid) << Narrow(function.name);
        }
    }
}

TEST_F(Interfaces, EventArgumentsHaveTheTypesTheSinksDecode)
{
    ComPtr<ITypeInfo> events = ByIid(L"{68247631-A854-495B-8B9B-FE323C1FE670}");
    ASSERT_NE(nullptr, events.Get());
    const std::vector<FunctionInfo> functions = ReadFunctions(events.Get());
    ASSERT_EQ(4u, functions.size());

    // Integer-valued: a plain long or one of the library's enumerations (carried as VT_I4).
    auto isLong = [](const TypeShape& shape) {
        return shape.pointerDepth == 0 &&
               (shape.vt == VT_I4 || (shape.vt == VT_USERDEFINED && shape.userKind == TKIND_ENUM));
    };
    auto is = [](const TypeShape& shape, VARTYPE vt, int depth) {
        return shape.vt == vt && shape.pointerDepth == depth;
    };
    const auto& progress = functions[0].parameterTypes;
    ASSERT_EQ(4u, progress.size());
    EXPECT_TRUE(isLong(progress[0]));
    EXPECT_TRUE(is(progress[1], VT_BSTR, 0));
    EXPECT_TRUE(is(progress[2], VT_I4, 0));
    EXPECT_TRUE(is(progress[3], VT_BOOL, 1)) << "cancel is a VARIANT_BOOL by reference";

    const auto& completion = functions[1].parameterTypes;
    ASSERT_EQ(3u, completion.size());
    EXPECT_TRUE(isLong(completion[0]));
    EXPECT_TRUE(is(completion[1], VT_BSTR, 0));
    EXPECT_TRUE(is(completion[2], VT_I4, 0));

    const auto& change = functions[2].parameterTypes;
    ASSERT_EQ(2u, change.size());
    EXPECT_TRUE(isLong(change[0]));
    EXPECT_TRUE(is(change[1], VT_BSTR, 0));

    const auto& event = functions[3].parameterTypes;
    ASSERT_EQ(3u, event.size());
    EXPECT_TRUE(isLong(event[0]));
    EXPECT_TRUE(is(event[1], VT_BSTR, 0));
    EXPECT_TRUE(is(event[2], VT_VARIANT, 1)) << "data is a VARIANT by reference";
}

TEST_F(Interfaces, ExecutionFlagsArgumentsTakeCombinedBits)
{
    // Callers pass eBlocked | eNoOverwrite and similar sums, so the argument is a long.
    ComPtr<ITypeInfo> info = ByIid(L"{C871502C-604F-443A-A33E-828960DA48D1}");
    ASSERT_NE(nullptr, info.Get());
    int flagArguments = 0;
    for (const FunctionInfo& function : ReadFunctions(VtableTypeInfo(info.Get()).Get())) {
        for (size_t i = 0; i < function.parameterNames.size(); ++i) {
            if (function.parameterNames[i] == L"ExecutionFlags") {
                ++flagArguments;
                EXPECT_EQ(VT_I4, function.parameterTypes.at(i).vt) << Narrow(function.name);
                EXPECT_EQ(0, function.parameterTypes.at(i).pointerDepth) << Narrow(function.name);
            }
        }
    }
    EXPECT_EQ(6, flagArguments);
}

TEST_F(Interfaces, DeclaredOnlyInterfacesHaveTheirIidAndKind)
{
    for (const ExpectedDeclaredInterface& expected : DeclaredOnlyInterfaces()) {
        SCOPED_TRACE(Narrow(expected.name));
        ComPtr<ITypeInfo> info = ByIid(expected.iid);
        ASSERT_NE(nullptr, info.Get());
        EXPECT_EQ(expected.name, Summarize(info.Get()).name);
        ExpectKind(info.Get(), expected.kind);
    }
}

TEST_F(Interfaces, PhoneWatchInterfaceHasItsHelpStringMembersAndIdentifiers)
{
    ComPtr<ITypeInfo> info = ByName(L"IKivPhoneWatch");
    ASSERT_NE(nullptr, info.Get());
    BSTR help = nullptr;
    ASSERT_EQ(S_OK, info->GetDocumentation(MEMBERID_NIL, nullptr, &help, nullptr, nullptr));
    EXPECT_STREQ(L"IKivPhoneWatch: Substitute for Tellwatch server", help);
    SysFreeString(help);

    const std::vector<std::wstring> expected = {
        L"PhoneWatchSuspend",           L"PhoneWatchResume",          L"PhoneWatchStart",
        L"PhoneWatchTerminate",         L"PhoneWatchConnectionState", L"PhoneWatchGetMobileInfo",
        L"PhoneWatchGetSignalCharge",   L"PhoneWatchGetCommPorts",    L"PhoneWatchIsBluetoothPort",
        L"PhoneWatchSetConnectionBeep", L"PhoneWatchGetPorts",        L"PhoneWatchGetPhoneGroups",
        L"PhoneWatchSetConnectMode",    L"PhoneWatchGetConnectMode"};
    const std::vector<FunctionInfo> functions = ReadFunctions(VtableTypeInfo(info.Get()).Get());
    ASSERT_EQ(expected.size(), functions.size());
    for (size_t i = 0; i < functions.size(); ++i) {
        EXPECT_EQ(expected[i], functions[i].name);
        EXPECT_EQ(static_cast<MEMBERID>(i + 1), functions[i].memid) << Narrow(expected[i]);
        EXPECT_EQ(i == 4 ? INVOKE_PROPERTYGET : INVOKE_FUNC, functions[i].invokeKind) << Narrow(expected[i]);
    }
}

TEST_F(Interfaces, DeclaredOnlyInterfacesCarryTheirListedMembersInSlotOrder)
{
    using Names = std::vector<std::wstring>;
    EXPECT_EQ(
        (Names{L"IrmcOpen", L"IrmcCancel", L"IrmcDiscover", L"IrmcConnect", L"IrmcDisconnect", L"IrmcGetDeviceInfo",
               L"IrmcClose", L"IrmcPut", L"IrmcReadUniqueResponse", L"IrmcDelete", L"IrmcGet", L"IrmcDiscoverEx"}),
        FunctionNames(L"IIrmc"));
    EXPECT_EQ((Names{L"GetAppointment", L"SetAppointment", L"DeleteAppointment"}), FunctionNames(L"IKivAppointment"));
    EXPECT_EQ((Names{L"ProfileSettingsDisplay", L"GetStandardFolder"}), FunctionNames(L"IKivSettings"));
    EXPECT_EQ((Names{L"GetAll", L"PutAll"}), FunctionNames(L"IKivBookmark"));
    EXPECT_EQ((Names{L"DeleteEntry", L"PutEntry", L"GetAllEntries", L"GetMetaData"}), FunctionNames(L"IAddressBook"));
    EXPECT_EQ((Names{L"KivStreamConnect", L"KivStreamDisconnect", L"KivStreamPut", L"KivStreamCancel"}),
              FunctionNames(L"IKivStream"));
    EXPECT_EQ((Names{L"KivStreamEventConnected", L"KivStreamEventDisconnected", L"KivStreamEventPutResult",
                     L"KivStreamEventData"}),
              FunctionNames(L"_IKivStreamEvents"));
    EXPECT_EQ((Names{L"UpdateProgress"}), FunctionNames(L"IDcoMSGProgress"));
    EXPECT_EQ((Names{L"OnMobileChange"}), FunctionNames(L"IKivPhoneNotifySink"));

    struct Range {
        const wchar_t* interfaceName;
        size_t count;
        const wchar_t* first;
        const wchar_t* last;
    };
    for (const Range& range : {Range{L"IATC", 73, L"ATCDeleteFixedDialPhonebookEntry", L"ATCGetStandardFolder"},
                               Range{L"IKivPhonebook", 11, L"ReadPhonebookEntries", L"GetIndexRangePhonebook"},
                               Range{L"IKivRingingTone", 15, L"ProfileSettingsControlDECT", L"PlaySoundFile6x"}}) {
        SCOPED_TRACE(Narrow(range.interfaceName));
        const Names names = FunctionNames(range.interfaceName);
        ASSERT_EQ(range.count, names.size());
        EXPECT_EQ(range.first, names.front());
        EXPECT_EQ(range.last, names.back());
        Names unique = names;
        std::sort(unique.begin(), unique.end());
        EXPECT_EQ(unique.end(), std::adjacent_find(unique.begin(), unique.end()));
    }
}

// The project's interface types: BSTR, long, VARIANT_BOOL, DATE, VARIANT, IUnknown, the
// library's enumerations and its automation interfaces, at most one level of reference.
bool IsAutomationType(const TypeShape& shape)
{
    switch (shape.vt) {
    case VT_BSTR:
    case VT_I4:
    case VT_BOOL:
    case VT_DATE:
    case VT_VARIANT:
    case VT_UNKNOWN:
    case VT_DISPATCH:
        return shape.pointerDepth <= 1;
    case VT_USERDEFINED:
        if (shape.userKind == TKIND_ENUM) {
            return shape.pointerDepth <= 1;
        }
        return (shape.userKind == TKIND_DISPATCH ||
                (shape.userKind == TKIND_INTERFACE && (shape.userFlags & TYPEFLAG_FOLEAUTOMATION) != 0)) &&
               shape.pointerDepth >= 1 && shape.pointerDepth <= 2;
    default:
        return false;
    }
}

TEST_F(Interfaces, EveryMethodInTheLibraryUsesAutomationTypesOnly)
{
    int interfacesSeen = 0;
    for (auto& [name, info] : ReadAllTypes(s_library.Get())) {
        const TypeInfoSummary summary = Summarize(info.Get());
        if (summary.kind != TKIND_DISPATCH && summary.kind != TKIND_INTERFACE) {
            continue;
        }
        ++interfacesSeen;
        ComPtr<ITypeInfo> vtable = VtableTypeInfo(info.Get());
        const bool pureDispatch = Summarize(vtable.Get()).kind == TKIND_DISPATCH;
        for (const FunctionInfo& function : ReadFunctions(vtable.Get())) {
            SCOPED_TRACE(Narrow(name + L"::" + function.name));
            if (pureDispatch) {
                EXPECT_TRUE(function.resultType.vt == VT_VOID || function.resultType.vt == VT_HRESULT);
            } else {
                EXPECT_EQ(VT_HRESULT, function.resultType.vt);
            }
            for (size_t i = 0; i < function.parameterTypes.size(); ++i) {
                EXPECT_TRUE(IsAutomationType(function.parameterTypes[i]))
                    << "parameter " << Narrow(function.parameterNames.at(i)) << " vt=" << function.parameterTypes[i].vt
                    << " depth=" << function.parameterTypes[i].pointerDepth;
            }
        }
    }
    EXPECT_EQ(23, interfacesSeen);
}

}  // namespace
}  // namespace typelib_test
