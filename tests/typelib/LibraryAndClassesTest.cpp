// The library's identity and its classes with their interfaces.
#include <gtest/gtest.h>

#include "ExpectedKivlinkLib.h"
#include "KivlinkTypeLibFile.h"

namespace typelib_test {
namespace {

class LibraryAndClasses : public testing::Test {
protected:
    static void SetUpTestSuite() { s_library = LoadKivlinkTypeLib(); }
    static void TearDownTestSuite() { s_library.Reset(); }
    static ComPtr<ITypeLib> s_library;
};
ComPtr<ITypeLib> LibraryAndClasses::s_library;

GUID ParseGuid(const wchar_t* text)
{
    GUID guid{};
    EXPECT_EQ(S_OK, CLSIDFromString(text, &guid)) << Narrow(text);
    return guid;
}

TEST_F(LibraryAndClasses, HeaderCarriesNameHelpStringLibidVersionAndLocale)
{
    const LibraryInfo info = ReadLibrary(s_library.Get());
    EXPECT_EQ(L"KivlinkLib", info.name);
    EXPECT_EQ(kLibraryHelpString, info.helpString);
    EXPECT_EQ(kLibraryId, GuidText(info.libid));
    EXPECT_EQ(1, info.majorVersion);
    EXPECT_EQ(0, info.minorVersion);
    EXPECT_EQ(1033u, info.lcid);
    // The marshaller on this platform reads the layout for its own pointer size.
    EXPECT_EQ(sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32, info.syskind);
}

TEST_F(LibraryAndClasses, EveryClassHasItsClsidAndInterfacesInOrderWithDefaultAndSourceFlags)
{
    for (const ExpectedClass& expected : Classes()) {
        SCOPED_TRACE(Narrow(expected.name));
        ComPtr<ITypeInfo> info;
        ASSERT_EQ(S_OK, s_library->GetTypeInfoOfGuid(ParseGuid(expected.clsid), &info));
        const TypeInfoSummary summary = Summarize(info.Get());
        EXPECT_EQ(TKIND_COCLASS, summary.kind);
        EXPECT_EQ(expected.name, summary.name);

        const std::vector<ImplementedType> actual = ReadImplementedTypes(info.Get());
        if (expected.complete) {
            EXPECT_EQ(expected.interfaces.size(), actual.size());
        } else {
            EXPECT_GE(actual.size(), expected.interfaces.size());
        }
        for (size_t i = 0; i < expected.interfaces.size() && i < actual.size(); ++i) {
            SCOPED_TRACE(Narrow(expected.interfaces[i].name));
            EXPECT_EQ(expected.interfaces[i].name, actual[i].name);
            EXPECT_EQ(expected.interfaces[i].flags, actual[i].flags);
        }
    }
}

TEST_F(LibraryAndClasses, ImplementedInterfacesOfAClassAreTheLibrarysOwnDeclarations)
{
    // A class entry must point at the interface declared here, not at a namesake.
    for (const ExpectedClass& expected : Classes()) {
        ComPtr<ITypeInfo> info;
        ASSERT_EQ(S_OK, s_library->GetTypeInfoOfGuid(ParseGuid(expected.clsid), &info));
        for (const ImplementedType& implemented : ReadImplementedTypes(info.Get())) {
            ComPtr<ITypeInfo> declared;
            EXPECT_EQ(S_OK, s_library->GetTypeInfoOfGuid(implemented.guid, &declared))
                << Narrow(expected.name) << " -> " << Narrow(implemented.name);
        }
    }
}

}  // namespace
}  // namespace typelib_test
