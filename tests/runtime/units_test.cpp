// Tests of the unit table: console records, files by unit number, end of input.
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/run_inputs.h"
#include "runtime/units.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

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

// Once a write-out has failed, the unit's output has a gap: every later write-out fails, and
// the close, even when the system would take the writes again. The unit's stream refuses
// writes by itself once failed, until a rewind clears its state: the unit must fail after
// that too. Here the write end of a non-blocking pipe refuses the first write-out while the
// pipe is full (EAGAIN) and takes writes again once it is drained.
TEST(Units, AWriteOutThatFailedOnceFailsTheUnitForGood) {
    ScriptedConsole console;
    int ends[2] = {-1, -1};
    ASSERT_EQ(::pipe2(ends, O_CLOEXEC | O_NONBLOCK), 0);
    const FileDescriptor reader(ends[0]);
    const FileDescriptor writer(ends[1]);
    const std::string page(4096, 'x');
    while (::write(writer.get(), page.data(), page.size()) > 0) {
    }
    ASSERT_EQ(errno, EAGAIN);
    const auto drain = [&] {
        std::string held;
        char bytes[4096];
        for (::ssize_t got; (got = ::read(reader.get(), bytes, sizeof bytes)) > 0;)
            held.append(bytes, static_cast<std::size_t>(got));
        return held;
    };

    ASSERT_TRUE(connect_unit(21, "pipe", writer, FileForm::formatted));
    write_record(21, " one");
    EXPECT_EQ(unit_file_size(21), std::nullopt); // the pipe refused the write-out
    EXPECT_EQ(drain().find(" one"), std::string::npos);
    ASSERT_EQ(::write(writer.get(), "ready", 5), 5); // the pipe takes writes again
    EXPECT_EQ(drain(), "ready");

    rewind_unit(21);
    write_record(21, " two");
    EXPECT_FALSE(close_unit(21));
    EXPECT_FALSE(unit_is_open(21));
    EXPECT_EQ(drain(), ""); // nothing of the unit after the gap
}

// The names (without their folder) of the files the run marked as holding a value that is no
// number.
std::vector<std::string> marked_files() {
    std::vector<std::string> names;
    for (const auto& file : files_with_not_finite_values())
        names.push_back(file.filename().string());
    return names;
}

// A record of a report with one value through a real descriptor: a NaN or an infinity marks the
// file, even where its field is too narrow for the letters; asterisks for a finite value too
// wide for its field do not.
TEST(Units, AFileThatReceivesAValueThatIsNoNumberIsMarked) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        std::function<std::string()> field;
        std::string text; // gfortran's
        bool marked;
    };
    const Case cases[] = {
        {"NaN F8.2", [&] { return F(nan, 8, 2); }, "     NaN", true},
        {"-NaN F8.2", [&] { return F(-nan, 8, 2); }, "     NaN", true},
        {"Inf E12.4", [&] { return E(inf, 12, 4); }, "    Infinity", true},
        {"-Inf G12.5", [&] { return G(-inf, 12, 5); }, "   -Infinity", true},
        {"Inf ES10.3", [&] { return ES(inf, 10, 3); }, "  Infinity", true},
        {"-Inf F3.1", [&] { return F(-inf, 3, 1); }, "***", true},
        {"-3.4e38 F8.2", [&] { return F(-3.4e38, 8, 2); }, "********", false},
        {"0.0 ES8.3", [&] { return ES(0.0, 8, 3); }, "********", false},
        {"-1.0e10 G8.3", [&] { return G(-1.0e10, 8, 3); }, "********", false},
        {"12.5 F8.2", [&] { return F(12.5, 8, 2); }, "   12.50", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console;
        ScratchFolder folder;
        ASSERT_TRUE(open_unit(1, "report.txt", OpenStatus::replace, FileForm::formatted));
        write_record(1, " heading");
        Record row;
        row << " value" << c.field() << X(2) << F(1.0, 5, 1);
        write_record(1, row.text());
        write_record(1, " end");
        ASSERT_TRUE(close_unit(1));
        EXPECT_EQ(folder.read("report.txt"), " heading\n value" + c.text + "    1.0\n end\n");
        EXPECT_EQ(marked_files(),
                  c.marked ? std::vector<std::string>{"report.txt"} : std::vector<std::string>{});
    }
}

// The mark belongs to the file the record goes to: a value that is no number on the screen
// marks no file, a prompt-style record marks its own, a renamed file keeps its mark, a file
// opened afresh loses it, and a reset forgets every mark.
TEST(Units, TheMarkFollowsTheFileTheValueIsWrittenTo) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    ScriptedConsole console;
    ScratchFolder folder;
    ASSERT_TRUE(open_unit(1, "first.txt", OpenStatus::replace, FileForm::formatted));
    ASSERT_TRUE(open_unit(2, "second.txt", OpenStatus::replace, FileForm::formatted));
    write_record(screen_unit, " on the screen" + F(nan, 6, 1));
    write_record(1, " finite" + F(2.0, 6, 1));
    EXPECT_TRUE(marked_files().empty());

    write_open(2, " open line" + E(nan, 10, 3));
    write_record(1, " finite" + F(3.0, 6, 1));
    EXPECT_EQ(marked_files(), std::vector<std::string>{"second.txt"});

    ASSERT_TRUE(close_unit(2));
    EXPECT_EQ(marked_files(), std::vector<std::string>{"second.txt"});
    ASSERT_TRUE(rename_file("second.txt", "third.txt"));
    EXPECT_EQ(marked_files(), std::vector<std::string>{"third.txt"});

    ASSERT_TRUE(open_unit(2, "third.txt", OpenStatus::replace, FileForm::formatted));
    EXPECT_TRUE(marked_files().empty());

    write_record(2, G(nan, 10, 3));
    EXPECT_EQ(marked_files(), std::vector<std::string>{"third.txt"});
    reset_program_state();
    EXPECT_TRUE(marked_files().empty());
}

// A value that is no number shown on the screen, in a whole record or a prompt, marks the screen
// and no file (the output options can send the reports there); finite values do not, a later
// record does not clear the mark, and a reset does.
TEST(Units, AValueThatIsNoNumberOnTheScreenMarksTheScreen) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        void (*write)(int, std::string_view);
    };
    for (const Case& c : {Case{"record", write_record}, Case{"prompt", write_open}}) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console;
        ScratchFolder folder;
        ASSERT_TRUE(open_unit(1, "report.txt", OpenStatus::replace, FileForm::formatted));
        c.write(screen_unit, " finite" + F(2.0, 6, 1));
        EXPECT_FALSE(not_finite_shown());

        c.write(screen_unit, " on the screen" + F(nan, 6, 1));
        write_record(1, " finite" + F(3.0, 6, 1));
        write_record(screen_unit, " finite" + F(4.0, 6, 1));
        EXPECT_TRUE(not_finite_shown());
        EXPECT_TRUE(marked_files().empty());

        reset_program_state();
        EXPECT_FALSE(not_finite_shown());
    }
}

} // namespace
} // namespace lintar
