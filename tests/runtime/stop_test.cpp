// Tests of how the run ends: exit statuses, units closed at the stop, child processes.
#include "runtime/process.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "support/console.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace lintar {
namespace {

using testing::ScratchFolder;
using testing::ScriptedConsole;

TEST(RunMain, ExitStatusByKindOfStop) {
    ScriptedConsole console;
    EXPECT_EQ(run_main([] {}), 0);
    EXPECT_EQ(run_main([] { stop_program(StopKind::normal); }), 0);
    EXPECT_EQ(run_main([] { stop_program(StopKind::user_choice); }), 0);
    EXPECT_EQ(run_main([] { stop_program(StopKind::error); }), 1);
    EXPECT_EQ(run_main([] { throw std::logic_error("unit 3: not connected"); }), 1);
}

TEST(RunMain, ClosesAndFlushesEveryUnit) {
    ScratchFolder folder;
    ScriptedConsole console;
    const int status = run_main([] {
        open_unit(1, "OFFSETS.stxt", OpenStatus::replace, FileForm::formatted);
        write_record(1, " last line");
        stop_program(StopKind::error);
    });
    EXPECT_EQ(status, 1);
    EXPECT_FALSE(unit_is_open(1));
    EXPECT_EQ(folder.read("OFFSETS.stxt"), " last line\n");
}

TEST(Console, ClearWritesNothingWhenTheScreenIsNoTerminal) {
    ScriptedConsole console;
    clear_console();
    EXPECT_EQ(console.screen(), "");
    EXPECT_FALSE(screen_is_terminal());
}

TEST(ChildProcess, ReportsTheExitStatus) {
    EXPECT_EQ(run_command("true"), 0);
    EXPECT_EQ(run_command("exit 3"), 3);
    EXPECT_NE(run_command("lintar-no-such-program-here 2>/dev/null"), 0);
}

} // namespace
} // namespace lintar
