// support/two_body.h: the two-body arrangements of the tests, the tug with its barge (program
// code 10) and the CALM buoy with its tanker (code 13), the second body free (IANC 0): the
// program words, the second body's section of TPCM, and the scratch motion files of the motion
// runs, written through the motion-file module in the layout the motion runs write them.
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

// The end motions a pair of motion runs writes: the first body's fairlead sets (the buoy one
// per line, the tug one, its stern, from which every tow line leaves), the other body's end of
// the lines between the bodies (its bow) and the second point of the other body's run, the
// relative motion of the two ends.
struct TwoBodyMotions {
    std::vector<EndRms> fairleads;
    EndRms bow;
    EndRms relative;
};

// The sea-state header both body files carry: significant wave height 6 ft, no swells, peak
// period 11 s, the RMS roll, yaw and pitch.
inline constexpr std::array<float, 7> two_body_sea_state{6.0f, 0.0f, 0.0f, 11.0f, 0.1f, 0.2f, 0.3f};

// One end's set of pairs as the motion run writes it: three ball-hinge pairs, the normal pair
// (across the line) and the tangential pair (along it). The hinges and the normal pair hold
// values the damping does not use.
inline void write_end_pairs(int unit, EndRms tangential) {
    for (int hinge = 1; hinge <= 3; ++hinge)
        write_pair(unit, 0.01f, 0.02f);
    write_pair(unit, 0.7f, 0.42f);
    write_pair(unit, tangential.rms, tangential.rate);
}

// Writes the three files of the motion runs of `run` in the layout the motion runs write them:
//   both body files: the heading count 2 and two heading blocks (heading, set-up and NWP point
//   records per motion point);
//   the buoy's file: one sea-state header, then one set of end pairs per fairlead;
//   the tug's file and the other body's file: per sea state the header and the set of point 1
//   (the tug's stern, the other body's bow), "RELMOT" per sea state the set of point 2.
// Sea states after the first carry ten times the first one's motions.
inline void write_two_body_motion_files(const TwoBodyRun& run, const TwoBodyMotions& m,
                                        std::int32_t NWP, int sea_states = 1) {
    const int unit = motion_file_unit;
    const std::vector<std::complex<float>> point(9, {0.5f, -0.25f});
    const auto heading_blocks = [&](std::size_t points) {
        write_heading_count(unit, 2);
        for (int heading = 1; heading <= 2; ++heading) {
            write_heading_record(unit, 10.0f * static_cast<float>(heading), false);
            write_heading_setup(unit, 2, 0, 0, 1, 0.1f);
            for (std::size_t p = 0; p < points * static_cast<std::size_t>(NWP); ++p)
                write_point_record(unit, point);
        }
    };
    const auto scaled = [](EndRms e, int sea) {
        const float f = sea == 1 ? 1.0f : 10.0f;
        return EndRms{f * e.rms, f * e.rate};
    };
    const bool buoy = run.SIMTYP == 13;

    open_motion_file_for_writing(unit, run.body_file, "TEST", screen_unit);
    heading_blocks(m.fairleads.size());
    if (buoy) {
        write_sea_state_header(unit, two_body_sea_state);
        for (const EndRms& e : m.fairleads)
            write_end_pairs(unit, e);
    } else {
        for (int sea = 1; sea <= sea_states; ++sea) {
            write_sea_state_header(unit, two_body_sea_state);
            write_end_pairs(unit, scaled(m.fairleads.front(), sea));
        }
    }
    close_unit(unit);

    open_motion_file_for_writing(unit, run.other_file, "TEST", screen_unit);
    heading_blocks(2);
    for (int sea = 1; sea <= sea_states; ++sea) {
        write_sea_state_header(unit, two_body_sea_state);
        write_end_pairs(unit, scaled(m.bow, sea));
    }
    close_unit(unit);

    open_motion_file_for_writing(unit, relative_motion_file, "TEST", screen_unit);
    for (int sea = 1; sea <= sea_states; ++sea)
        write_end_pairs(unit, scaled(m.relative, sea));
    close_unit(unit);
}

} // namespace lintar::testing
