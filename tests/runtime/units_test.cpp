// Tests of the unit table: console records, files by unit number, end of input.
#include "runtime/units.h"
#include "support/console.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace lintar
