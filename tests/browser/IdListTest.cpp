#include <gtest/gtest.h>

#include "browser/IdList.h"

TEST(IdListTest, SizeCountsEachItemWithItsCountAndTheTerminator)
{
    EXPECT_EQ(IdListSize(std::nullopt), 0u);
    EXPECT_EQ(IdListSize(IdList()), 2u);
    EXPECT_EQ(IdListSize(IdList({"/home/ann", "Lamps"})), 2u + (9 + 2) + (5 + 2));
}

TEST(IdListTest, ConcatAppendsAndCopiesWhenFirstIsAbsent)
{
    const IdList a({"/", "usr"});
    const IdList b({"share"});
    EXPECT_EQ(ConcatIdList(a, b), IdList({"/", "usr", "share"}));
    EXPECT_EQ(ConcatIdList(std::nullopt, b), b);
    EXPECT_EQ(ConcatIdList(IdList(), IdList()), IdList());
    EXPECT_EQ(IdListSize(ConcatIdList(a, b)), IdListSize(a) - 2 + IdListSize(b));
}

TEST(IdListTest, StripLastIdDropsOneItemAndLeavesTheEmptyListAlone)
{
    IdList list({"/", "usr", "share"});
    IdList copy = CopyIdList(list);
    StripLastId(list);
    EXPECT_EQ(list, IdList({"/", "usr"}));
    EXPECT_EQ(copy.Count(), 3u) << "a copy is independent";
    StripLastId(list);
    StripLastId(list);
    EXPECT_TRUE(list.IsEmpty());
    StripLastId(list);
    EXPECT_TRUE(list.IsEmpty());
}
