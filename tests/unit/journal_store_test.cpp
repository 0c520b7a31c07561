// The journal store over files in memory: a journal is whole or absent whatever fails, and the
// newest is the one written last whatever the clock said.
#include <gtest/gtest.h>

#include "fakes/memory_journal_files.h"
#include "platform/journal_store.h"
#include "support/utf8.h"

namespace tarnwick::testing {
namespace {

constexpr std::u16string_view kFolder = u"C:\\Users\\amy\\AppData\\Local\\Tarnwick";

class JournalStoreTest : public ::testing::Test {
  protected:
    std::u16string In(std::u16string_view name) const {
        return std::u16string(kFolder) + u"\\" + std::u16string(name);
    }
    void Plant(std::u16string_view name, std::string contents = "old") {
        files_.folders.insert(std::u16string(kFolder));
        files_.files[In(name)] = std::move(contents);
    }

    fake::MemoryJournalFiles files_;
    JournalStore store_{files_};
};

struct Folder {
    const char* name;
    std::vector<std::u16string> names;
    std::optional<std::u16string> newest;
    std::u16string next;  // the name the next journal takes
};

TEST_F(JournalStoreTest, NumbersOrderTheJournalsAndOtherFilesAreNoneOfThem) {
    const std::vector<Folder> cases = {
        {"numbers, not dates",
         {u"000002-20240101-000000.reg", u"000010-20230101-000000.reg",
          u"000009-20250101-000000.reg"},
         u"000010-20230101-000000.reg",
         u"000011-20240305-143009.reg"},
        {"numbers, not names",
         {u"999999-20240101-000000.reg", u"1000000-20230101-000000.reg"},
         u"1000000-20230101-000000.reg",
         u"1000001-20240305-143009.reg"},
        {"names of earlier versions",
         {u"20240101-000000.reg", u"20240101-000000_02.reg"},
         u"20240101-000000_02.reg",
         u"000001-20240305-143009.reg"},
        {"an earlier version's later date",
         {u"20991231-235959.reg", u"000001-20000101-000000.reg"},
         u"000001-20000101-000000.reg",
         u"000002-20240305-143009.reg"},
        {"a temporary file and others",
         {u"~000007-20240101-000000.reg.tmp", u"notes.reg", u"000003-2024.reg",
          u"1234567890-20240101-000000.reg"},
         std::nullopt,
         u"000001-20240305-143009.reg"},
    };
    for (const Folder& c : cases) {
        SCOPED_TRACE(c.name);
        files_.files.clear();
        for (const std::u16string& name : c.names) {
            Plant(name);
        }
        EXPECT_EQ(store_.Newest(), c.newest ? std::optional(In(*c.newest)) : std::nullopt);
        EXPECT_EQ(store_.Save("new"), In(c.next));
        EXPECT_EQ(store_.Newest(), In(c.next));
        EXPECT_FALSE(files_.Names(kFolder).contains(u"~000007-20240101-000000.reg.tmp"))
            << "a temporary file left by an ended run stays";
    }
}

TEST_F(JournalStoreTest, AJournalThatCannotBeWrittenWholeLeavesNoFileAtAll) {
    const std::vector<std::pair<const char*, std::function<void()>>> failures = {
        {"the disk fills during the write", [&] { files_.spaceLeft = 3; }},
        {"the disk is full", [&] { files_.spaceLeft = 0; }},
        {"the flush fails", [&] { files_.failFlush = true; }},
        {"the rename fails", [&] { files_.moveError = 5; }},
    };
    for (const auto& [name, fail] : failures) {
        SCOPED_TRACE(name);
        files_ = fake::MemoryJournalFiles();
        Plant(u"000004-20240101-000000.reg");
        fail();
        EXPECT_EQ(store_.Save("journal bytes"), std::nullopt);
        EXPECT_EQ(files_.Names(kFolder), std::set<std::u16string>{u"000004-20240101-000000.reg"});
        EXPECT_EQ(files_.OpenHandleCount(), 0u);
        EXPECT_EQ(store_.Newest(), In(u"000004-20240101-000000.reg"));
    }
}

TEST_F(JournalStoreTest, AJournalBeingWrittenIsNotYetTheNewest) {
    Plant(u"000004-20240101-000000.reg");
    std::optional<std::u16string> newestWhileWriting;
    files_.onWrite = [&] { newestWhileWriting = store_.Newest(); };
    EXPECT_TRUE(store_.Save("journal bytes"));
    EXPECT_EQ(newestWhileWriting, In(u"000004-20240101-000000.reg"))
        << "a run ended now would leave a cut journal as the newest";
}

TEST_F(JournalStoreTest, ANameTakenMeanwhileIsKeptAndTheJournalTakesTheNextNumber) {
    files_.beforeMove = [&] {
        if (!files_.files.contains(In(u"000001-20240305-143009.reg"))) {
            Plant(u"000001-20240305-143009.reg", "another");
        }
    };
    EXPECT_EQ(store_.Save("mine"), In(u"000002-20240305-143009.reg"));
    EXPECT_EQ(store_.Read(In(u"000001-20240305-143009.reg")), "another");
    EXPECT_EQ(store_.Read(In(u"000002-20240305-143009.reg")), "mine");
}

TEST_F(JournalStoreTest, NoJournalIsWrittenOrReadPastTheLimitTheyShare) {
    // Compared by size: a failure should not print 32 MiB.
    const std::string largest(kLargestJournalBytes, 'j');
    ASSERT_TRUE(store_.Save(largest));
    EXPECT_EQ(store_.Read(*store_.Newest()).value_or("").size(), largest.size());
    EXPECT_FALSE(store_.Save(largest + 'j').has_value());
    EXPECT_EQ(files_.Names(kFolder).size(), 1u);
    Plant(u"000009-20240101-000000.reg", largest + 'j');
    EXPECT_FALSE(store_.Read(In(u"000009-20240101-000000.reg")).has_value());
}

}  // namespace
}  // namespace tarnwick::testing
