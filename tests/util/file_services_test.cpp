// Tests of the file services: open and close with their error reports, the clock, the delay,
// the image comparison.
#include "support/console.h"
#include "support/temporary_files.h"
#include "util/file_services.h"

#include "runtime/clock.h"
#include "runtime/units.h"

#include <bit>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;

TEST(Rhopen, MissingFileForReadingStopsWithTheReport) {
    ScratchFolder folder;
    ScriptedConsole console("\n");
    const auto stop = run_until_stop([] { RHOPEN("nofile.txt", 1, 1, 31, "RDTABL", screen_unit); });
    ASSERT_TRUE(stop);
    EXPECT_EQ(*stop, StopKind::error);
    EXPECT_EQ(console.screen(), "\n ++> File not found or file access error in RDTABL\n"
                                "     File name: nofile.txt\n \n Press <RETURN> to continue: ");
}

TEST(Rhopen, UnattendedRunStopsWithoutWaiting) {
    ScratchFolder folder;
    ScriptedConsole console(""); // a read would end the input
    ASSERT_TRUE(
        open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace, FileForm::formatted));
    const auto stop =
        run_until_stop([] { RHOPEN("nofile.txt", 1, 1, 31, "RDTABL", diagnostics_unit); });
    ASSERT_TRUE(stop);
    EXPECT_EQ(*stop, StopKind::error);
    close_unit(diagnostics_unit);
    EXPECT_EQ(console.screen(), "");
    EXPECT_EQ(folder.read("Diagnostics.stxt"),
              "\n ++> File not found or file access error in RDTABL\n"
              "     File name: nofile.txt\n \n");
}

TEST(Rhopen, WritingReplacesOrCreates) {
    ScratchFolder folder;
    ScriptedConsole console;
    folder.write("OFFSETS.stxt", "old contents\n");
    RHOPEN("OFFSETS.stxt", 1, 0, 1, "CATTBL", screen_unit);
    write_record(1, " new");
    HCLOSE(1, "OFFSETS.stxt", "CATTBL", screen_unit);
    EXPECT_EQ(folder.read("OFFSETS.stxt"), " new\n");

    RHOPEN("fresh.stxt", 1, 0, 1, "CATTBL", screen_unit);
    HCLOSE(1, "fresh.stxt", "CATTBL", screen_unit);
    EXPECT_EQ(folder.read("fresh.stxt"), "");

    RHOPEN("OFFSETS.stxt", 1, 1, 1, "CATTBL", screen_unit);
    EXPECT_EQ(read_line(1), " new");
    HCLOSE(1, "OFFSETS.stxt", "CATTBL", screen_unit);
}

// A close that fails after a write the system refused (the file-size limit, as a full disk):
// the report adds the system's reason and that the file on disk is incomplete.
TEST(Hclose, AFileCutShortSaysWhyAndThatItIsIncomplete) {
    ScratchFolder folder;
    ScriptedConsole console("\n");
    std::optional<StopKind> stop;
    {
        const testing::FileSizeLimit limit(4096);
        RHOPEN("OFFSETS.stxt", 1, 0, 1, "CATTBL", screen_unit);
        for (int record = 1; record <= 200; ++record)
            write_record(1, std::string(79, 'x'));
        stop = run_until_stop([] { HCLOSE(1, "OFFSETS.stxt", "CATTBL", screen_unit); });
    }
    EXPECT_EQ(stop, StopKind::error);
    EXPECT_EQ(console.screen(), "\n ++> File not found or file access error in CATTBL\n"
                                "     File name: OFFSETS.stxt\n"
                                "     Writing OFFSETS.stxt failed: File too large\n"
                                "     OFFSETS.stxt on disk is incomplete\n"
                                " \n Press <RETURN> to continue: ");
}

TEST(Filerr, ReportPauseAndStop) {
    ScriptedConsole console("\n");
    const auto stop =
        run_until_stop([] { FILERR("WAVSPEC.txt", "RDSPEC", screen_unit, keyboard_unit); });
    ASSERT_TRUE(stop);
    EXPECT_EQ(*stop, StopKind::error);
    EXPECT_EQ(console.screen(), "\n ++> End of file or related file error in routine RDSPEC\n"
                                "     file name WAVSPEC.txt\n \n Press <RETURN> to continue: ");
}

// A clock that moves by a fixed step at every reading.
struct SteppingClock {
    LocalTime now;
    int step_seconds;
    int readings = 0;
    LocalTime read() {
        const LocalTime shown = now;
        ++readings;
        int second = now.second + step_seconds;
        int minute = now.minute + second / 60;
        int hour = now.hour + minute / 60;
        now.second = second % 60;
        now.minute = minute % 60;
        if (hour >= 24)
            ++now.day;
        now.hour = hour % 24;
        return shown;
    }
};

class Delay : public ::testing::Test {
protected:
    ~Delay() override { set_clock({}, {}); }
    void use(SteppingClock& clock) {
        set_clock([&clock] { return clock.read(); }, [] {});
    }
};

TEST_F(Delay, ClockValues) {
    SteppingClock clock{{2026, 12, 10, 14, 5, 9}, 0};
    use(clock);
    std::int32_t mm = 0, dd = 0, yyyy = 0, nmins = 0, nsecs = 0;
    RHDATE(mm, dd, yyyy);
    RHTIME(nmins, nsecs);
    EXPECT_EQ(mm, 12);
    EXPECT_EQ(dd, 10);
    EXPECT_EQ(yyyy, 2026);
    EXPECT_EQ(nmins, 14 * 60 + 5);
    EXPECT_EQ(nsecs, 9);
}

TEST_F(Delay, NothingForZeroOrNegative) {
    SteppingClock clock{{2026, 12, 10, 10, 0, 0}, 1};
    use(clock);
    for (std::int32_t seconds : {0, -5}) {
        std::int32_t nloop = 99;
        RHDELAY(seconds, nloop);
        EXPECT_EQ(nloop, 0);
    }
    EXPECT_EQ(clock.readings, 0);
}

TEST_F(Delay, WaitsByPollingAndCapsAtADay) {
    SteppingClock clock{{2026, 12, 10, 10, 0, 0}, 1};
    use(clock);
    std::int32_t seconds = 10, nloop = 0;
    RHDELAY(seconds, nloop);
    EXPECT_EQ(seconds, 10);
    EXPECT_EQ(nloop, 10); // one poll per second of this clock

    SteppingClock slow{{2026, 12, 10, 0, 0, 0}, 3600};
    use(slow);
    seconds = 100000;
    RHDELAY(seconds, nloop);
    EXPECT_EQ(seconds, 86400);
    EXPECT_EQ(nloop, 24);
}

TEST_F(Delay, AcrossMidnight) {
    SteppingClock clock{{2026, 12, 10, 23, 59, 50}, 5};
    use(clock);
    std::int32_t seconds = 12, nloop = 0;
    RHDELAY(seconds, nloop);
    EXPECT_EQ(nloop, 3); // 23:59:55, 00:00:00 (next day: 10 s), 00:00:05 (15 s)
}

TEST(Nochng, ComparesTheFirstWords) {
    const std::vector<std::uint32_t> a = {1, 2, 3, 4};
    std::vector<std::uint32_t> b = a;
    std::int32_t nochg = -1;
    NOCHNG(nochg, a, b, 4);
    EXPECT_EQ(nochg, 1);
    b[3] = 5;
    NOCHNG(nochg, a, b, 4);
    EXPECT_EQ(nochg, 0);
    NOCHNG(nochg, a, b, 3);
    EXPECT_EQ(nochg, 1);
    NOCHNG(nochg, a, b, 0);
    EXPECT_EQ(nochg, 1);
}

TEST(Vrcvrt, BitsUnchanged) {
    float verno = 0;
    VRCVRT(std::bit_cast<std::int32_t>(6.8f), verno);
    EXPECT_EQ(verno, 6.8f);
}

} // namespace
} // namespace lintar
