// Tests of the scratch motion files: the names by arrangement, a round trip of every record
// kind, a file of known bytes, damaged files, counts beyond what a run writes, the line-angle
// blocks and the refusal of a point count that does not match the mooring lines.
#include "motions/motion_files.h"

#include "runtime/units.h"
#include "support/console.h"

#include <array>
#include <complex>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;
using Cx = std::complex<float>;

const std::string return_pause = " \n Press <RETURN> to continue: ";

std::string file_error(const std::string& routine, const std::string& file) {
    return "\n ++> End of file or related file error in routine " + routine + "\n     file name " +
           file + "\n" + return_pause;
}

// Little-endian bytes of a word.
std::string le(std::uint32_t w) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[static_cast<std::size_t>(i)] = static_cast<char>((w >> (8 * i)) & 0xffu);
    return s;
}

TEST(MotionFiles, NamesByArrangement) {
    struct Row {
        std::int32_t ISPM, SIMTYP;
        const char* written;
        const char* other;
        bool per_line;
    };
    const Row rows[] = {
        {0, 0, "FAIRMOT", "", false},
        {1, 13, "YOKEMOT", "", false},
        {2, 10, "TUGSTERN", "", false},
        {2, 13, "BUOYMOTN", "", true},
        {3, 10, "BARGEBOW", "TUGSTERN", false},
        {3, 13, "TANKBOW", "BUOYMOTN", false},
        {4, 0, "FAIRMOT", "", true},
        {8, 13, "FAIRMOT", "", true},
        {2, 11, "FAIRMOT", "", false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << "ISPM " << r.ISPM << " SIMTYP " << r.SIMTYP);
        const MotionFileNames n = motion_file_names(r.ISPM, r.SIMTYP);
        EXPECT_EQ(n.written, r.written);
        EXPECT_EQ(n.other_body, r.other);
        EXPECT_EQ(writes_point_records_per_line(r.ISPM, r.SIMTYP), r.per_line);
    }
}

TEST(MotionFiles, EveryRecordKindRoundTrips) {
    ScratchFolder folder;
    ScriptedConsole console;
    constexpr int NRAO = 3;
    const std::array<float, 7> header{1.5f, 0.25f, 0.0f, 0.125f, 0.01f, 0.02f, 0.03f};
    auto point = [](int h, int p, int f) {
        std::vector<Cx> v;
        for (int i = 0; i < 9; ++i)
            v.emplace_back(static_cast<float>(h * 100 + p * 10 + f) + 0.5f * i, -0.25f * i);
        return v;
    };
    open_motion_file_for_writing(motion_file_unit, "FAIRMOT", "VESL2", screen_unit);
    write_heading_count(motion_file_unit, NRAO);
    for (int h = 1; h <= NRAO; ++h) {
        write_heading_record(motion_file_unit, 10.0f * h, h == 2);
        if (h == 2)
            continue; // a heading block of its heading record only
        write_heading_setup(motion_file_unit, NRAO, h, 0, 1, 0.5f * h);
        for (int f = 1; f <= 3; ++f)
            for (int p = 1; p <= 2; ++p)
                write_point_record(motion_file_unit, point(h, p, f));
    }
    write_sea_state_header(motion_file_unit, header);
    write_pair(motion_file_unit, 0.75f, 1.25f);
    write_pair(motion_file_unit, -3.0e-7f, 6.0e12f);
    close_unit(motion_file_unit);

    // Every value read back record by record.
    {
        open_motion_file_for_reading(other_body_unit, "FAIRMOT", "LDAMP", screen_unit);
        MotionFileReader in(other_body_unit, "FAIRMOT", "LDAMP", screen_unit);
        EXPECT_EQ(in.heading_count(), NRAO);
        for (int h = 1; h <= NRAO; ++h) {
            SCOPED_TRACE(h);
            const auto [angle, printed] = in.heading_record();
            EXPECT_EQ(angle, 10.0f * h);
            EXPECT_EQ(printed, h == 2);
            if (h == 2)
                continue;
            const HeadingSetup s = in.heading_setup();
            EXPECT_EQ(s.NRAO, NRAO);
            EXPECT_EQ(s.ISWLFG, h);
            EXPECT_EQ(s.ISWLFG2, 0);
            EXPECT_EQ(s.IRANFG, 1);
            EXPECT_EQ(s.heading_radians, 0.5f * h);
            for (int f = 1; f <= 3; ++f)
                for (int p = 1; p <= 2; ++p)
                    EXPECT_EQ(in.point_record(9), point(h, p, f));
        }
        EXPECT_EQ(in.sea_state_header(), header);
        EXPECT_EQ(in.pair(), std::make_pair(0.75f, 1.25f));
        EXPECT_EQ(in.pair(), std::make_pair(-3.0e-7f, 6.0e12f));
        close_unit(other_body_unit);
    }
    // The line damping's way: the heading blocks passed over, the sea-state records read.
    open_motion_file_for_reading(other_body_unit, "FAIRMOT", "LDAMP", screen_unit);
    MotionFileReader in(other_body_unit, "FAIRMOT", "LDAMP", screen_unit);
    in.skip_heading_blocks(in.heading_count());
    EXPECT_EQ(in.sea_state_header(), header);
    EXPECT_EQ(in.pair(), std::make_pair(0.75f, 1.25f));
    EXPECT_EQ(console.screen(), "");
}

TEST(MotionFiles, FileOfKnownBytesIsRead) {
    ScratchFolder folder;
    ScriptedConsole console;
    // NRAO 1; heading 45.0 (0x42340000) printed; the set-up 1, 0, 1, 0, 0.5 rad; a point record
    // of six complex values (1, -1) ... ; no sea-state records.
    std::string bytes = le(4) + le(1) + le(4);
    bytes += le(8) + le(0x42340000u) + le(1) + le(8);
    bytes += le(20) + le(1) + le(0) + le(1) + le(0) + le(0x3f000000u) + le(20);
    bytes += le(48);
    for (int i = 0; i < 6; ++i)
        bytes += le(0x3f800000u) + le(0xbf800000u);
    bytes += le(48);
    folder.write("YOKEMOT", bytes);
    open_motion_file_for_reading(other_body_unit, "YOKEMOT", "LDAMP", screen_unit);
    MotionFileReader in(other_body_unit, "YOKEMOT", "LDAMP", screen_unit);
    EXPECT_EQ(in.heading_count(), 1);
    EXPECT_EQ(in.heading_record(), std::make_pair(45.0f, true));
    const HeadingSetup s = in.heading_setup();
    EXPECT_EQ(s.ISWLFG, 0);
    EXPECT_EQ(s.ISWLFG2, 1);
    EXPECT_EQ(s.heading_radians, 0.5f);
    EXPECT_EQ(in.point_record(6), std::vector<Cx>(6, Cx(1.0f, -1.0f)));

    // Written by the module, the same bytes.
    open_motion_file_for_writing(motion_file_unit, "COPY", "VESL2", screen_unit);
    write_heading_count(motion_file_unit, 1);
    write_heading_record(motion_file_unit, 45.0f, true);
    write_heading_setup(motion_file_unit, 1, 0, 1, 0, 0.5f);
    write_point_record(motion_file_unit, std::vector<Cx>(6, Cx(1.0f, -1.0f)));
    close_unit(motion_file_unit);
    EXPECT_EQ(folder.read("COPY"), bytes);
}

TEST(MotionFiles, DamagedFilesAreReportedNamingFileAndRoutine) {
    const std::string good = le(4) + le(2) + le(4) + le(8) + le(0x41200000u) + le(0) + le(8);
    struct Row {
        const char* what;
        std::string bytes;
    };
    const Row rows[] = {
        {"cut inside a record", good.substr(0, good.size() - 6)},
        {"cut inside a length word", good.substr(0, 14)},
        {"length words that differ", le(4) + le(2) + le(8)},
        {"a length word of no whole words", le(3) + "abc" + le(3)},
        {"a huge length word", le(0x7ffffff0u) + le(1)},
        {"ending before the second heading", good},
        {"an empty file", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchFolder folder;
        ScriptedConsole console("\n");
        folder.write("TUGSTERN", row.bytes);
        open_motion_file_for_reading(other_body_unit, "TUGSTERN", "ORMANEL2", screen_unit);
        EXPECT_EQ(run_until_stop([] {
                      MotionFileReader in(other_body_unit, "TUGSTERN", "ORMANEL2", screen_unit);
                      in.skip_heading_blocks(in.heading_count());
                  }),
                  StopKind::error);
        EXPECT_EQ(console.screen(), file_error("ORMANEL2", "TUGSTERN"));
    }
    // A record of the wrong kind is refused as well.
    ScratchFolder folder;
    ScriptedConsole console("\n");
    folder.write("TUGSTERN", good);
    open_motion_file_for_reading(other_body_unit, "TUGSTERN", "ORMANEL2", screen_unit);
    EXPECT_EQ(run_until_stop([] {
                  MotionFileReader in(other_body_unit, "TUGSTERN", "ORMANEL2", screen_unit);
                  (void)in.heading_record();
              }),
              StopKind::error);
    EXPECT_EQ(console.screen(), file_error("ORMANEL2", "TUGSTERN"));
}

TEST(MotionFiles, LineAngleBlocksRoundTripAndShortBlocksAreRefused) {
    ScratchFolder folder;
    ScriptedConsole console("\n");
    const std::vector<std::array<float, 2>> first{{0.1f, 0.2f}, {1.5f, -3.0f}, {0.0f, 6.25f}};
    const std::vector<std::array<float, 2>> second{{0.3f, 0.4f}};
    open_motion_file_for_writing(line_angle_unit, "LINEANG", "LINDMP", screen_unit);
    write_line_angle_block(line_angle_unit, first);
    write_line_angle_block(line_angle_unit, second);
    close_unit(line_angle_unit);
    open_motion_file_for_reading(line_angle_unit, "LINEANG", "VESL2", screen_unit);
    MotionFileReader in(line_angle_unit, "LINEANG", "ACCOUT", screen_unit);
    EXPECT_EQ(in.line_angle_block(3), first);
    EXPECT_EQ(run_until_stop([&] { (void)in.line_angle_block(2); }), StopKind::error);
    EXPECT_EQ(console.screen(), file_error("ACCOUT", "LINEANG"));
}

// A count the file states is checked against what a run can have written before anything is
// sized by it: a 12-byte "LINEANG" stating 2^31 - 1 lines is refused at once instead of
// asking for gigabytes, and so is a whole block of one line more than a mooring holds.
TEST(MotionFiles, CountsBeyondWhatARunWritesAreRefusedBeforeAnythingIsSized) {
    const std::string huge_lines = le(4) + le(0x7fffffffu) + le(4);
    const std::string many_lines = le(4) + le(939'524'104u) + le(4);
    std::string one_too_many = le(4) + le(151) + le(4);
    for (int i = 0; i < 151; ++i)
        one_too_many += le(8) + le(0) + le(0) + le(8);
    struct Row {
        const char* what;
        std::string bytes;
    };
    const Row line_rows[] = {
        {"2^31 - 1 lines", huge_lines},
        {"939,524,104 lines", many_lines},
        {"151 lines, every one written", one_too_many},
        {"a negative count", le(4) + le(0xffffffffu) + le(4)},
    };
    for (const Row& row : line_rows) {
        SCOPED_TRACE(row.what);
        ScratchFolder folder;
        ScriptedConsole console("\n");
        folder.write("LINEANG", row.bytes);
        open_motion_file_for_reading(line_angle_unit, "LINEANG", "VESL2", screen_unit);
        EXPECT_EQ(run_until_stop([] {
                      MotionFileReader in(line_angle_unit, "LINEANG", "ACCOUT", screen_unit);
                      (void)in.line_angle_block(1);
                  }),
                  StopKind::error);
        EXPECT_EQ(console.screen(), file_error("ACCOUT", "LINEANG"));
    }
    // The heading count of a motion file: at most the 500 heading slots of a run.
    std::string headings_501 = le(4) + le(501) + le(4);
    for (int i = 0; i < 501; ++i)
        headings_501 += le(8) + le(0x41200000u) + le(0) + le(8);
    const Row heading_rows[] = {
        {"83,886,079 headings", le(4) + le(83'886'079u) + le(4)},
        {"501 headings, every one written", headings_501},
        {"a negative count", le(4) + le(0x80000000u) + le(4)},
    };
    for (const Row& row : heading_rows) {
        SCOPED_TRACE(row.what);
        ScratchFolder folder;
        ScriptedConsole console("\n");
        folder.write("TUGSTERN", row.bytes);
        open_motion_file_for_reading(other_body_unit, "TUGSTERN", "LDAMP", screen_unit);
        EXPECT_EQ(run_until_stop([] {
                      MotionFileReader in(other_body_unit, "TUGSTERN", "LDAMP", screen_unit);
                      in.skip_heading_blocks(in.heading_count());
                  }),
                  StopKind::error);
        EXPECT_EQ(console.screen(), file_error("LDAMP", "TUGSTERN"));
    }
}

TEST(MotionFiles, PointCountMustMatchTheLinesWhereTheFileHasOneSetPerLine) {
    {
        ScriptedConsole console;
        check_motion_point_count(4, 0, 6, 6, screen_unit);
        check_motion_point_count(3, 13, 2, 6, screen_unit); // pairs of body points, not lines
        check_motion_point_count(2, 10, 1, 4, screen_unit);
        EXPECT_EQ(console.screen(), "");
    }
    ScriptedConsole console("\n");
    EXPECT_EQ(run_until_stop([] { check_motion_point_count(2, 13, 3, 4, screen_unit); }),
              StopKind::error);
    EXPECT_EQ(console.screen(), "\n ++> FATAL error: the motion file BUOYMOTN needs one motion "
                                "point per\n     mooring line: motion points = 3, mooring lines "
                                "= 4\n" +
                                    return_pause);
}

} // namespace
} // namespace lintar
