#include "tools/kivctl/VolumeEntries.h"

#include <gtest/gtest.h>

#include "com/UniqueSafeArray.h"
#include "com/UniqueVariant.h"

#include "KivlinkLib.h"

using tolv::com::unique_safearray;
using tolv::com::unique_variant;

namespace {

constexpr ULONG kColumns = 7;
constexpr long kFolder = 0x10;
constexpr long kMemoryCard = 0x60000010;
constexpr long kArchive = 0x20;
// 2024-03-07 14:05 as days since 1899-12-30.
constexpr DATE kTaken = 45358.0 + (14 * 60 + 5) / (24 * 60.0);

struct Row {
    const wchar_t* name;
    long size;
    long attributes;
    DATE date;
};

void Put(SAFEARRAY* array, LONG row, LONG column, unique_variant& value)
{
    LONG index[2] = {row, column};
    ASSERT_EQ(SafeArrayPutElement(array, index, value.get()), S_OK);
}

// The answer as Kivlink builds it: entries in the first dimension, columns in the second.
unique_variant Answer(std::initializer_list<Row> rows)
{
    SAFEARRAYBOUND bounds[2] = {{static_cast<ULONG>(rows.size()), 0}, {kColumns, 0}};
    unique_safearray array(SafeArrayCreate(VT_VARIANT, 2, bounds));
    LONG index = 0;
    for (const Row& row : rows) {
        unique_variant cell;
        for (LONG column : {geName, geShortName}) {
            cell.set_string(row.name);
            Put(array.get(), index, column, cell);
        }
        cell.set_long(row.size);
        Put(array.get(), index, geSize, cell);
        cell.set_long(row.attributes);
        Put(array.get(), index, geAttributes, cell);
        for (LONG column : {geCreationTime, geLastAccessTime, geLastWriteTime}) {
            cell.reset();
            cell.get()->vt = VT_DATE;
            cell.get()->date = row.date;
            Put(array.get(), index, column, cell);
        }
        ++index;
    }
    unique_variant answer;
    answer.get()->vt = VT_ARRAY | VT_VARIANT;
    answer.get()->parray = array.release();
    return answer;
}

}  // namespace

TEST(KivctlVolumeEntries, RowsBecomeLinesInArrayOrderWithAlignedSizesHexAttributesDateAndName)
{
    const unique_variant answer = Answer({{L"MultiMediaCard (E:)", 0, kMemoryCard, 0},
                                          {L"a b.jpg", 123456, kArchive, kTaken},
                                          {L"Images", 0, kFolder, 0}});
    std::vector<VolumeEntry> rows;
    ASSERT_EQ(ReadVolumeEntries(*answer.get(), rows), S_OK);
    EXPECT_EQ(FormatVolumeEntries(rows), (std::vector<std::wstring>{
                                             L"     0  0x60000010  -                 MultiMediaCard (E:)",
                                             L"123456  0x00000020  2024-03-07 14:05  a b.jpg",
                                             L"     0  0x00000010  -                 Images",
                                         }));
    EXPECT_TRUE(FormatVolumeEntries({}).empty());
}

TEST(KivctlVolumeEntries, AnEmptyAnswerHasNoRowsAndAnotherShapeIsRefused)
{
    std::vector<VolumeEntry> rows = {{L"left over", 1, 0, 0}};
    unique_variant empty;
    EXPECT_EQ(ReadVolumeEntries(*empty.get(), rows), S_OK);
    EXPECT_TRUE(rows.empty());

    unique_variant text;
    text.set_string(L"C:\\a.jpg,");
    EXPECT_EQ(ReadVolumeEntries(*text.get(), rows), DISP_E_TYPEMISMATCH);

    // One dimension only: no columns to read.
    unique_safearray vector;
    ASSERT_EQ(vector.create_vector(VT_VARIANT, 7), S_OK);
    unique_variant flat;
    flat.get()->vt = VT_ARRAY | VT_VARIANT;
    flat.get()->parray = vector.release();
    EXPECT_EQ(ReadVolumeEntries(*flat.get(), rows), DISP_E_TYPEMISMATCH);
    EXPECT_TRUE(rows.empty());
}
