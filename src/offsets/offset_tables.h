// offsets/offset_tables.h: the offset-table analysis CATTBL, which runs every offset sequence
// of the data file and writes its tables to the offset report "OFFSETS.stxt", and the result
// tables of one sequence.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace lintar {

// Values per point of a result table (lines, or the quantities of a summary) and points per
// sequence.
inline constexpr int offset_table_values = 150;
inline constexpr int offset_table_points = 50;

// One result table: the values of point 1, then those of point 2, ...
using OffsetTable = std::array<float, std::size_t{offset_table_values} * offset_table_points>;

// Value k (1..150) of point INCVAL (1..50) of a table.
float& offset_value(OffsetTable& table, int k, int INCVAL);
float offset_value(const OffsetTable& table, int k, int INCVAL);

// The result tables of the current sequence, with the offset of each point as reported
// (OFFVAL) and the buoy offsets of the hawser and energy summaries (BYOFF). Per line b:
// fairlead total tension, horizontal load and vertical force (TOPTT, TOPTH, TOPTZ), anchor total
// tension and its horizontal and vertical parts (BOTTL, BOTTH, BOTTZ), suspended and grounded
// unstretched lengths (SUSLNQ, BOTLNQ), fairlead and anchor angles in degrees (TOPAN, BOTAN),
// fairlead-anchor distance and plan-view departure angle (ANCDSQ, DEPANG), energy and stretched
// grounded length (LINERG, BOTLIN). Summaries: most exposed line (MSTEXP), its energy (SYSERG),
// hawser (HWSDAT, HWSERG), equilibrium positions (EQLDAT), restoring force and cross-coupling
// (XCPLAR), net loads in vessel and global axes (VESFRC, GLBFRC), stiffness matrices by columns
// (STFMXV, STFMXG).
struct OffsetTables {
    OffsetTable MSTEXP, EQLDAT, HWSDAT, SYSERG, HWSERG, XCPLAR, VESFRC, GLBFRC, STFMXV, STFMXG;
    OffsetTable TOPTT, TOPTH, TOPTZ, BOTTL, BOTTH, BOTTZ, SUSLNQ, TOPAN, BOTAN, BOTLNQ, ANCDSQ,
        DEPANG, LINERG, BOTLIN;
    std::array<float, offset_table_points> OFFVAL, BYOFF;
};

// CATTBL: runs the offset sequences of TPCM in the order lateral, yaw, oblique rotational,
// vertical, oblique rectilinear, user offsets ("INPUTOFF.txt", when FROMTABLE is positive),
// "continuous equilibrium" under forces, then under couples; evaluates every point from the
// line tables of LINCOM (the table stage has run) and the still-water state of EQUILB and
// TPCM VESAN0 in radians (the static-equilibrium stage has run); hands each sequence's tables
// to TBLOT1. The report goes to "OFFSETS.stxt" (TPCM IUNIT 1), opened at the start and closed
// at the end, or to the console. Changes TPCM (the buoy's section in the vessel's place for a
// CALM arrangement, RCTDIR of user offsets), EQUILB (the state of the last point and the
// stiffness matrices) and LINCOM's displaced geometry and line scratch. Progress and
// messages go to EDUNIT. Ends the run (status 1, after its message and a Return pause) when a
// "continuous equilibrium" sequence is asked for with the water depth not above the draft, when
// a stiffness matrix is asked for with a zero difference step, when "INPUTOFF.txt" is missing
// or unreadable, when a turret angle cannot be found, and when an equilibrium search fails in
// an unattended run or the user aborts there; the user may end it at a warning's abort pause.
void CATTBL();

// Test seam: called for every sequence once its points are evaluated and before its report is
// written, with the sequence kind (1 to 8), the repetition, the number of points and the
// tables. An empty function (the default, and after reset_program_state) calls nothing.
using OffsetSequenceObserver = std::function<void(std::int32_t TABTYP, std::int32_t IREP,
                                                  std::int32_t NOFF, const OffsetTables& tables)>;
void observe_offset_sequences(OffsetSequenceObserver observer);

} // namespace lintar
