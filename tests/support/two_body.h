// support/two_body.h: the two-body arrangements of the tests, the tug with its barge (program
// code 10) and the CALM buoy with its tanker (code 13), the second body free (IANC 0): the
// program words, the second body's section of TPCM, and the scratch motion files of the motion
// runs, written through the motion-file module in the order the line damping reads them.
#pragma once

#include "blocks/tpcm.h"
#include "motions/motion_files.h"
#include "runtime/units.h"

#include <algorithm>
#include <array>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace lintar::testing {

// One two-body arrangement: its program code, a name for the traces, the motion file of the
// body whose fairleads the lines leave (the tug, the buoy) and the other body's file.
struct TwoBodyRun {
    std::int32_t SIMTYP;
    std::string_view name;
    std::string_view body_file;
    std::string_view other_file;
};
inline constexpr TwoBodyRun tug_and_barge{10, "tug and barge", "TUGSTERN", "BARGEBOW"};
inline constexpr TwoBodyRun buoy_and_tanker{13, "CALM buoy and tanker", "BUOYMOTN", "TANKBOW"};
inline constexpr std::array<TwoBodyRun, 2> two_body_runs{tug_and_barge, buoy_and_tanker};

// The program words: the run's code, the second body free, line `hawser_line` the hawser (the
// tow line of the tug).
inline void set_two_body_words(const TwoBodyRun& run, int hawser_line) {
    TPCM.SIMTYP = run.SIMTYP;
    TPCM.IANC = 0;
    TPCM.HAWSLN = hawser_line;
}

// The bytes of one section of TPCM as they stand.
inline std::vector<std::byte> tpcm_section_bytes(TpcmWords words) {
    const auto bytes = tpcm_bytes(TPCM);
    const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(tpcm_offset(words.first));
    return {first, first + 4 * words.count()};
}

// The second body's section made a copy of the vessel section (the same hull words), with the
// second body's own draft BDRAFT.
inline void copy_vessel_section_to_second_body(float BDRAFT) {
    const auto bytes = tpcm_bytes(TPCM);
    const auto at = [&](TpcmWords words) {
        return bytes.begin() + static_cast<std::ptrdiff_t>(tpcm_offset(words.first));
    };
    std::copy_n(at(tpcm_vessel_section), 4 * vessel_section_words, at(tpcm_second_body_section));
    TPCM.BDRAFT = BDRAFT;
}

// RMS of a wave-frequency end motion along the line's tangent and RMS of its rate.
struct EndRms {
    float rms = 0.0f;
    float rate = 0.0f;
};

// One line's end motions in the files: the fairlead on the first body, the end on the other
// body and their relative motion (the hawser has the first alone).
struct TwoBodyLineEnds {
    EndRms body;
    EndRms other;
    EndRms relative;
};

// The sea-state header both body files carry: significant wave height 6 ft, no swells, peak
// period 11 s, the RMS roll, yaw and pitch.
inline constexpr std::array<float, 7> two_body_sea_state{6.0f, 0.0f, 0.0f, 11.0f, 0.1f, 0.2f, 0.3f};

// Writes the three files of a motion run of `run` for lines 1..n (n = ends.size()):
//   both body files: the heading count 2, two heading blocks (heading, set-up and one point
//   record per line and period of NWP periods; the other body's file none for the hawser), the
//   sea-state header;
//   then per line: the body file three hinge pairs, the normal and the tangential pair, and,
//   for a line other than the hawser, six hinge pairs of the far end; the other body's file
//   the normal and the tangential pair; "RELMOT" the normal and the tangential pair.
// The normal pairs and the hinges hold values the damping does not use.
inline void write_two_body_motion_files(const TwoBodyRun& run,
                                        const std::vector<TwoBodyLineEnds>& ends, int hawser_line,
                                        std::int32_t NWP) {
    const int unit = motion_file_unit;
    const auto line_count = static_cast<int>(ends.size());
    const std::vector<std::complex<float>> point(9, {0.5f, -0.25f});
    const auto heading_blocks_and_sea_state = [&](bool other_body) {
        write_heading_count(unit, 2);
        for (int heading = 1; heading <= 2; ++heading) {
            write_heading_record(unit, 10.0f * static_cast<float>(heading), false);
            write_heading_setup(unit, 2, 0, 0, 1, 0.1f);
            for (int i = 1; i <= line_count; ++i)
                for (std::int32_t IW = 1; IW <= NWP && !(other_body && i == hawser_line); ++IW)
                    write_point_record(unit, point);
        }
        write_sea_state_header(unit, two_body_sea_state);
    };

    open_motion_file_for_writing(unit, run.body_file, "TEST", screen_unit);
    heading_blocks_and_sea_state(false);
    for (int i = 1; i <= line_count; ++i) {
        const TwoBodyLineEnds& e = ends[static_cast<std::size_t>(i - 1)];
        for (int hinge = 1; hinge <= 3; ++hinge)
            write_pair(unit, 0.01f, 0.02f);
        write_pair(unit, 0.7f, 0.42f);
        write_pair(unit, e.body.rms, e.body.rate);
        if (i != hawser_line)
            for (int hinge = 1; hinge <= 6; ++hinge)
                write_pair(unit, 0.03f, 0.04f);
    }
    close_unit(unit);

    open_motion_file_for_writing(unit, run.other_file, "TEST", screen_unit);
    heading_blocks_and_sea_state(true);
    for (int i = 1; i <= line_count; ++i) {
        if (i == hawser_line)
            continue;
        const TwoBodyLineEnds& e = ends[static_cast<std::size_t>(i - 1)];
        write_pair(unit, 0.6f, 0.36f);
        write_pair(unit, e.other.rms, e.other.rate);
    }
    close_unit(unit);

    open_motion_file_for_writing(unit, relative_motion_file, "TEST", screen_unit);
    for (int i = 1; i <= line_count; ++i) {
        if (i == hawser_line)
            continue;
        const TwoBodyLineEnds& e = ends[static_cast<std::size_t>(i - 1)];
        write_pair(unit, 0.8f, 0.48f);
        write_pair(unit, e.relative.rms, e.relative.rate);
    }
    close_unit(unit);
}

} // namespace lintar::testing
