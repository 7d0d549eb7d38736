// low_frequency/buoy_wave_cycle.h: BUYDYN, the buoy (or vessel) stepped through one cycle of a
// design wave by a sequence of six-degree-of-freedom static equilibria, with its tables on the
// offset report.
//
// It stands above the hull models, the vessel-motion set-up and the offset table's equilibrium
// search and table writer, all of which it calls; the low-frequency line loads are its caller.
#pragma once

#include "offsets/offset_report.h"
#include "offsets/offset_tables.h"

#include <array>
#include <cstdint>
#include <memory>

namespace lintar {

// Phases of the cycle: 0 to 370 degrees in steps of 10 (the last two repeat the first two).
inline constexpr int buoy_cycle_phases = 38;

// What the cycle leaves for its tables: per phase (a point of the offset tables) the line
// columns, the summaries and the offsets; the design wave; the records of failed equilibria
// and of loads above the tables; the unit vectors of the applied force and moment.
struct BuoyWaveCycle {
    OffsetTables T;
    std::int32_t NOFF = 0; // phases done (a user quit ends the cycle early)
    std::int32_t NPAG = 0; // pages of eight lines of a per-line table
    std::int32_t IW = 0;   // grid period of the design wave
    float WVAMP = 0.0f;    // its amplitude
    float SLOPE = 0.0f;    // its slope, radians
    OffsetTableRecords records;
    std::int32_t QUITFG = 0;
    // FRCVEC(., I), TRQVEC(., I): three components per phase.
    std::array<float, 3 * offset_table_points> FRCVEC{};
    std::array<float, 3 * offset_table_points> TRQVEC{};
};

// buoy_wave_cycle: steps the body through the cycle under the mean external force (FXXTRN,
// FYXTRN, FZXTRN) and moment (TXXTRN, TYXTRN, TZXTRN) and fills the result; BUYDYN without its
// tables. Runs the vessel-motion set-up and the hull model's forces with the environment
// headings of TPCM made relative to the body's heading (EQUILB VESANG) and the report
// switches off, and puts the headings and switches back afterwards; leaves LINCOM DSLOPE 0 and
// HIMEM as the hull model filled it, LINCOM's line scratch and displaced geometry, and EQUILB
// as the equilibrium search leaves them. The set-up, the hull model and the search may end the
// run (see VESL1 and EQFND2); a user quit in the search ends the cycle after that phase.
std::unique_ptr<BuoyWaveCycle> buoy_wave_cycle(float FXXTRN, float FYXTRN, float FZXTRN,
                                               float TXXTRN, float TYXTRN, float TZXTRN);

// write_buoy_wave_cycle: the cycle's tables on the offset report (TPCM IUNIT), as user-file
// offsets of repetition 1, one column per phase: most exposed line (99), equilibrium
// positions (95), hawser (97), energy (96), hawser energy (94), restoring force (98), and per
// line fairlead tension (1), vertical force (3) and energy (12); the two hawser tables only for
// a buoy arrangement (TPCM IARCO 1). Ends the run only as TBLOT1 does.
void write_buoy_wave_cycle(const BuoyWaveCycle& cycle);

// BUYDYN: buoy_wave_cycle, then write_buoy_wave_cycle.
void BUYDYN(float FXXTRN, float FYXTRN, float FZXTRN, float TXXTRN, float TYXTRN, float TZXTRN);

} // namespace lintar
