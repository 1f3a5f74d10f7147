// The work lists of an update run.
#include <gtest/gtest.h>

#include "update/WorkLists.h"

namespace zu {
namespace {

std::unique_ptr<UploadItem> upload(std::string path) {
    auto item = std::make_unique<UploadItem>();
    item->localPath = std::move(path);
    return item;
}

TEST(WorkListsTest, AddUniqueComparesPathsByteForByte) {
    UploadItemList list;
    EXPECT_EQ(list.addUnique(upload("c:\\data\\a.txt")), 0);
    EXPECT_EQ(list.addUnique(upload("c:\\data\\b.txt")), 1);
    EXPECT_EQ(list.addUnique(upload("c:\\data\\a.txt")), -1);
    EXPECT_EQ(list.addUnique(upload("C:\\data\\a.txt")), 2);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list.at(1).localPath, "c:\\data\\b.txt");
}

TEST(WorkListsTest, DropFrontTakesConsumedEntriesOut) {
    SetupItemList list;
    for (const char* name : {"a.msp", "b.msi", "c.msi"}) {
        auto item = std::make_unique<SetupItem>();
        item->fileName = name;
        list.append(std::move(item));
    }
    list.dropFront(2);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list.at(0).fileName, "c.msi");
    list.dropFront(5);
    EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace zu
