// The library embedded as a TYPELIB resource loads from the program file, as Kivlink's
// registration and its incoming-call filter load it.
#include <gtest/gtest.h>

#include "KivlinkTypeLibFile.h"

namespace typelib_test {
namespace {

TEST(EmbeddedTypeLib, ProgramFileResourceIsTheBuiltLibrary)
{
    wchar_t module[MAX_PATH] = {};
    ASSERT_NE(0u, GetModuleFileNameW(nullptr, module, MAX_PATH));
    ComPtr<ITypeLib> embedded;
    ASSERT_EQ(S_OK, LoadTypeLibEx(module, REGKIND_NONE, &embedded));
    ComPtr<ITypeLib> file = LoadKivlinkTypeLib();

    const LibraryInfo fromResource = ReadLibrary(embedded.Get());
    const LibraryInfo fromFile = ReadLibrary(file.Get());
    EXPECT_EQ(GuidText(fromFile.libid), GuidText(fromResource.libid));
    EXPECT_EQ(fromFile.helpString, fromResource.helpString);
    ASSERT_EQ(file->GetTypeInfoCount(), embedded->GetTypeInfoCount());

    GUID iid{};
    ASSERT_EQ(S_OK, IIDFromString(L"{D73D7EA7-AD8A-11D3-A271-00105A3B325A}", &iid));
    ComPtr<ITypeInfo> volume;
    ASSERT_EQ(S_OK, embedded->GetTypeInfoOfGuid(iid, &volume));
    // IKivVolume's twenty-first method, GetSlotNames, answers to dispatch identifier 12.
    const FunctionInfo slotNames = ReadFunctionAt(volume.Get(), 7 + 20);
    EXPECT_EQ(L"GetSlotNames", slotNames.name);
    EXPECT_EQ(12, slotNames.memid);
}

}  // namespace
}  // namespace typelib_test
