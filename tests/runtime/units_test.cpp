// Tests of the unit table: console records, files by unit number, end of input.
#include "runtime/units.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <vector>

namespace lintar {
namespace {

using testing::ScratchFolder;
using testing::ScriptedConsole;

TEST(Units, PromptLeavesTheLineOpenAndRecordsEndIt) {
    ScriptedConsole console;
    write_open(screen_unit, " Enter new value: ");
    write_record(screen_unit, " done");
    EXPECT_EQ(console.screen(), " Enter new value:  done\n");
}

TEST(Units, KeyboardLinesDropCarriageReturnAndFitTheField) {
    ScriptedConsole console("abc\r\n" + std::string(100000, '7') + "\n\n");
    EXPECT_EQ(read_answer(6), "abc   ");
    EXPECT_EQ(read_answer(6), "777777"); // an overlong answer is read whole and cut
    EXPECT_EQ(read_answer(3), "   ");
}

TEST(Units, EndOfInputOnTheKeyboardEndsTheSessionWithStatusOne) {
    ScriptedConsole console("");
    write_open(screen_unit, " Enter new value: ");
    const auto stop = testing::run_until_stop([] { read_answer(12); });
    ASSERT_TRUE(stop.has_value());
    EXPECT_EQ(*stop, StopKind::error);
    EXPECT_EQ(console.screen(), " Enter new value: \n ++> End of input: session ended.\n");
}

TEST(Units, EndOfInputAfterTheWorkIsSavedEndsWithStatusZero) {
    ScriptedConsole console("");
    {
        const WorkSavedScope saved;
        EXPECT_EQ(testing::run_until_stop([] { read_answer(1); }), StopKind::normal);
        { const WorkSavedScope inner; }
        EXPECT_EQ(testing::run_until_stop([] { read_answer(1); }), StopKind::normal);
    }
    // Out of the scope the end of input is a failure again.
    EXPECT_EQ(testing::run_until_stop([] { read_answer(1); }), StopKind::error);
    EXPECT_EQ(testing::run_until_stop([] {
                  const WorkSavedScope saved;
                  read_answer(1);
              }),
              StopKind::normal);
    EXPECT_EQ(testing::run_until_stop([] { read_answer(1); }), StopKind::error);
    std::string lines;
    for (int k = 0; k < 5; ++k)
        lines += " ++> End of input: session ended.\n";
    EXPECT_EQ(console.screen(), lines);
}

TEST(Units, FilesByUnitNumber) {
    ScriptedConsole console;
    ScratchFolder folder;
    EXPECT_FALSE(open_unit(21, "missing.txt", OpenStatus::old_file, FileForm::formatted));
    ASSERT_TRUE(open_unit(21, "notes.txt", OpenStatus::replace, FileForm::formatted));
    write_record(21, " one");
    write_open(21, " two");
    write_record(21, " three");
    // Opening a connected unit closes it first.
    ASSERT_TRUE(open_unit(21, "notes.txt", OpenStatus::old_file, FileForm::formatted));
    EXPECT_EQ(read_line(21), " one");
    EXPECT_EQ(read_field(21, 4), " two");
    EXPECT_EQ(read_line(21), std::nullopt);
    EXPECT_TRUE(close_unit(21));
    EXPECT_EQ(folder.read("notes.txt"), " one\n two three\n");
    EXPECT_FALSE(open_unit(21, "notes.txt", OpenStatus::new_file, FileForm::formatted));
}

TEST(Units, WordsAreLittleEndianWithoutRecordMarks) {
    ScriptedConsole console;
    ScratchFolder folder;
    ASSERT_TRUE(open_unit(1, "image", OpenStatus::replace, FileForm::unformatted));
    const std::uint32_t words[] = {79676u, 0x01020304u};
    write_words(1, words);
    ASSERT_TRUE(close_unit(1));
    EXPECT_EQ(folder.read("image"), std::string("\x3c\x37\x01\x00\x04\x03\x02\x01", 8));

    ASSERT_TRUE(open_unit(1, "image", OpenStatus::old_file, FileForm::unformatted));
    std::uint32_t back[3] = {0, 0, 99};
    EXPECT_EQ(read_words(1, back), 2u);
    EXPECT_EQ(back[0], 79676u);
    EXPECT_EQ(back[1], 0x01020304u);
    EXPECT_EQ(back[2], 99u);
}

// A file claimed by an exclusive create is written through its descriptor: what stands at the
// name afterwards (here a link to another file, the claimed file moved away) gets nothing.
TEST(Units, AUnitOnADescriptorWritesThroughItNeverByName) {
    ScriptedConsole console;
    ScratchFolder folder;
    std::filesystem::create_symlink("nowhere", "dangling");
    EXPECT_FALSE(create_file_exclusively("dangling").is_open());
    EXPECT_FALSE(folder.has("nowhere"));

    const FileDescriptor claimed = create_file_exclusively("claimed");
    ASSERT_TRUE(claimed.is_open());
    EXPECT_FALSE(create_file_exclusively("claimed").is_open());
    EXPECT_TRUE(name_holds_file_of("claimed", claimed));
    std::filesystem::rename("claimed", "moved");
    folder.write("other", "another file\n");
    std::filesystem::create_symlink("other", "claimed");
    EXPECT_FALSE(name_holds_file_of("claimed", claimed));

    ASSERT_TRUE(connect_unit(21, "claimed", claimed, FileForm::formatted));
    EXPECT_EQ(unit_file_name(21), "claimed");
    write_record(21, " one");
    write_open(21, " two");
    EXPECT_EQ(unit_file_size(21), 9u);
    EXPECT_TRUE(close_unit(21));
    EXPECT_EQ(folder.read("moved"), " one\n two");
    EXPECT_EQ(folder.read("other"), "another file\n");
}

// A write the system refuses (a full disk) fails the close of the unit, whether it shows while
// writing or only when the last bytes are sent on at the close.
TEST(Units, AFullDiskUnderADescriptorFailsTheClose) {
    ScriptedConsole console;
    const std::vector<std::uint32_t> many(50000, 7u); // more than the unit holds back
    struct Case {
        const char* what;
        std::function<void()> write;
    };
    const Case cases[] = {
        {"a record held back until the close", [] { write_record(21, " one"); }},
        {"words beyond what is held back", [&] { write_words(21, many); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FileDescriptor full(::open("/dev/full", O_WRONLY | O_CLOEXEC));
        ASSERT_TRUE(full.is_open());
        ASSERT_TRUE(connect_unit(21, "full", full, FileForm::unformatted));
        c.write();
        EXPECT_EQ(unit_file_size(21), std::nullopt);
        EXPECT_FALSE(close_unit(21));
        EXPECT_FALSE(unit_is_open(21));
    }
}

} // namespace
} // namespace lintar
