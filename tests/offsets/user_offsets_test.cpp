// Tests of the user offsets file "INPUTOFF.txt": its blocks read list-directed, the cut of an
// oversized block, and the stops for a missing, unreadable or damaged file.
#include "offsets/user_offsets.h"
#include "support/offset_page_support.h"

#include "runtime/units.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

namespace lintar {
namespace {

using testing::return_prompt;
using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;

using Row = std::array<float, 6>;

TEST(UserOffsets, BlocksOfRows) {
    ScratchFolder folder;
    // Two blocks; separators of every kind, a row over two lines, a row with a value too many
    // (passed over: each read starts on a new line), a slash ending a row early.
    folder.write("INPUTOFF.txt", "2\n"
                                 "4\n"
                                 "0.0, 0.0, 0.0, 0.0, 0.0, 0.0\n"
                                 "5.0\t0 0,0 0 1.0E-1\n"
                                 "10 20\n30 40 50 60\n"
                                 "1 2 3 4 5 6 7\n"
                                 "1 , extra words\n"
                                 "-1.5 2.5 -3 /\n"
                                 "\n");
    ScriptedConsole console;
    ASSERT_EQ(open_user_offsets(screen_unit), 2);
    UserOffsetBlock block;
    read_user_offset_block(screen_unit, block);
    ASSERT_EQ(block.NOFF, 4);
    EXPECT_EQ(block.XVEC[0], (Row{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(block.XVEC[1], (Row{5, 0, 0, 0, 0, 0.1f}));
    EXPECT_EQ(block.XVEC[2], (Row{10, 20, 30, 40, 50, 60}));
    EXPECT_EQ(block.XVEC[3], (Row{1, 2, 3, 4, 5, 6}));
    read_user_offset_block(screen_unit, block);
    ASSERT_EQ(block.NOFF, 1);
    EXPECT_EQ(block.XVEC[0], (Row{-1.5f, 2.5f, -3, 0, 0, 0}));
    EXPECT_EQ(console.screen(), "");
}

TEST(UserOffsets, OversizedBlockIsCutAndTheNextBlockReadsItsOwnCount) {
    ScratchFolder folder;
    // Sixty rows whose first values are 1.5 .. 60.5 (the 51st over two lines), then a block
    // of one row: fifty rows are used, the other ten passed over.
    std::string text = "2\n60\n";
    for (int k = 1; k <= 60; ++k)
        text += std::to_string(k) + ".5 0 0\n0 0 " + std::to_string(k) + "\n";
    text += "1\n7 8 9 0.1 0.2 0.3\n";
    folder.write("INPUTOFF.txt", text);
    ScriptedConsole console("\n");
    ASSERT_EQ(open_user_offsets(screen_unit), 2);
    UserOffsetBlock block;
    read_user_offset_block(screen_unit, block);
    EXPECT_EQ(block.NOFF, 50);
    EXPECT_EQ(block.XVEC[0], (Row{1.5f, 0, 0, 0, 0, 1}));
    EXPECT_EQ(block.XVEC[49], (Row{50.5f, 0, 0, 0, 0, 50}));
    EXPECT_EQ(console.screen(),
              "\n ++>  User-supplied offsets are limited to  50 rows per repetition block.\n"
              "      Your requested oversized block will be truncated.\n\n" +
                  return_prompt);
    console.clear_screen_text();
    read_user_offset_block(screen_unit, block);
    ASSERT_EQ(block.NOFF, 1);
    EXPECT_EQ(block.XVEC[0], (Row{7, 8, 9, 0.1f, 0.2f, 0.3f}));
    EXPECT_EQ(console.screen(), "");
}

TEST(UserOffsets, UnreadableFilesStopTheRun) {
    struct Case {
        const char* name;
        std::string text;
        int blocks_read;         // before the failing read
        std::string screen = ""; // before the file-error report
    };
    const auto rows = [](int n) {
        std::string text;
        for (int k = 1; k <= n; ++k)
            text += "1 2 3 4 5 6\n";
        return text;
    };
    const std::string cut_note =
        "\n ++>  User-supplied offsets are limited to  50 rows per repetition block.\n"
        "      Your requested oversized block will be truncated.\n\n" +
        return_prompt;
    const Case cases[] = {
        {"empty file", "", 0},
        {"a real for the number of blocks", "1.5\n", 0},
        {"the file ends inside a block", "1\n3\n1 2 3 4 5 6\n", 0},
        {"a word among the values", "1\n1\n1 2 x 4 5 6\n", 0},
        {"fewer blocks than announced", "2\n1\n1 2 3 4 5 6\n", 1},
        {"a negative number of blocks", "-2\n", 0},
        {"a negative number of rows", "2\n-1\n1 2 3 4 5 6\n", 0},
        {"an oversized block ends in its passed-over rows", "1\n52\n" + rows(51), 0, cut_note},
    };
    const std::string report = "\n ++> End of file or related file error in routine CATTBL\n"
                               "     file name INPUTOFF.txt\n" +
                               return_prompt;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        folder.write("INPUTOFF.txt", c.text);
        ScriptedConsole console("\n\n");
        UserOffsetBlock block;
        const auto stop = run_until_stop([&] {
            open_user_offsets(screen_unit);
            for (int k = 0; k <= c.blocks_read; ++k)
                read_user_offset_block(screen_unit, block);
        });
        EXPECT_EQ(stop, StopKind::error);
        EXPECT_EQ(console.screen(), c.screen + report);
    }
}

TEST(UserOffsets, MissingFileStopsWhateverTheAnswer) {
    for (const std::string answer : {"", "A"}) {
        SCOPED_TRACE(answer);
        ScratchFolder folder;
        ScriptedConsole console(answer + "\n");
        EXPECT_EQ(run_until_stop([] { open_user_offsets(screen_unit); }), StopKind::error);
        EXPECT_EQ(console.screen(),
                  "\n ++>  User-supplied offsets file \"INPUTOFF.txt \" not found\n\n"
                  "\a\n Enter \"A\" to abort or Press <RETURN> to continue: ");
    }
}

} // namespace
} // namespace lintar
