#include "tools/kivctl/ResultText.h"

#include <gtest/gtest.h>

using Pairs = std::vector<std::pair<std::wstring, std::wstring>>;
using Lines = std::vector<std::wstring>;

TEST(KivctlResultText, CommaListsGiveOneValueEach)
{
    EXPECT_EQ(SplitCommaList(L"C:,E:,"), (Lines{L"C:", L"E:"}));
    EXPECT_EQ(SplitCommaList(L"354812013456789,"), (Lines{L"354812013456789"}));
    EXPECT_EQ(SplitCommaList(L"C:,E:"), (Lines{L"C:", L"E:"}));
    EXPECT_TRUE(SplitCommaList(L"").empty());
    EXPECT_TRUE(SplitCommaList(L",,").empty());
}

TEST(KivctlResultText, PathListsKeepCommasInsideNames)
{
    EXPECT_EQ(SplitPathList(L"C:\\Data\\a.txt,C:\\Data\\Music,"), (Lines{L"C:\\Data\\a.txt", L"C:\\Data\\Music"}));
    EXPECT_EQ(SplitPathList(L"C:\\Data\\a,b.txt,C:\\Data\\c.txt,"), (Lines{L"C:\\Data\\a,b.txt", L"C:\\Data\\c.txt"}));
    // A name that ends in a comma: the empty piece belongs to it.
    EXPECT_EQ(SplitPathList(L"C:\\x,,E:\\y,"), (Lines{L"C:\\x,", L"E:\\y"}));
    EXPECT_TRUE(SplitPathList(L"").empty());
}

TEST(KivctlResultText, KeyValueListsKeepCommasInsideValues)
{
    EXPECT_EQ(SplitKeyValueList(L"Label=Phone memory,Capacity=134217728,Freespace=100663296,"),
              (Pairs{{L"Label", L"Phone memory"}, {L"Capacity", L"134217728"}, {L"Freespace", L"100663296"}}));
    EXPECT_EQ(
        SplitKeyValueList(L"manufacturer=Vostrel,model=Tamlo,charge=,signal=,IMEI=1,"),
        (Pairs{
            {L"manufacturer", L"Vostrel"}, {L"model", L"Tamlo"}, {L"charge", L""}, {L"signal", L""}, {L"IMEI", L"1"}}));
    EXPECT_EQ(SplitKeyValueList(L"Label=Mine, really,Capacity=1,"),
              (Pairs{{L"Label", L"Mine, really"}, {L"Capacity", L"1"}}));
    // A value holding "=" stays whole after its key.
    EXPECT_EQ(SplitKeyValueList(L"Label=a=b,"), (Pairs{{L"Label", L"a=b"}}));
    EXPECT_TRUE(SplitKeyValueList(L"no pairs here,").empty());
    EXPECT_EQ(JoinKeyValues({{L"a", L"1"}, {L"b", L""}}), L"a=1 b=");
}
