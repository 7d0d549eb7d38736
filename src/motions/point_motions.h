// motions/point_motions.h: the RAOs of the motion of points of the vessel (fairleads and other
// points) from the six rigid-body RAOs of the current heading: displacements, relative motions,
// velocities and accelerations, resolved on the line axes where the points are fairleads, with
// their tables, statistics and motion-file records, and the ball-hinge rotations.
#pragma once

#include <cstdint>
#include <span>

namespace lintar {

// Starts a motion run: forgets the line angles held from an earlier run.
void begin_point_motion_run();

// ACCOUT: the motions of the NNN points RRR (x, y, z of point i at RRR[3 (i - 1) ... + 2], vessel
// axes, z up from the keel) for heading IRAO (WAVCOM), of kind LFRFLG (HIMEM: 2 accelerations,
// 3 velocities, 4 displacements or, with LGAP, relative motions), in groups of two points.
// Per group: the table (when reported), |value|^2 per response from LACRAO and STAT1 into the
// slots from LOCSIG unless LSKIP; with line angles (ISPM 2 or more) the ball-hinge table, and
// on the displacement call its statistics into the slots from LCNHNG. With ISPM 2 or more the
// line angles of the points are read from "LINEANG" (unit 12) once per heading, by the first
// call of the heading. Only the displacement call writes to the motion file (unit 13, ISPM not
// 0): the heading set-up record, then one record per frequency and point (six rigid-body
// values for ISPM 1, nine line-axis values otherwise). Reads TPCM, WAVCOM, HIMEM; writes HIMEM
// (NCOL, IREP, LBASEX, the response words, the slots), the report on IUNIT and the motion file.
// A damaged or short "LINEANG" ends the run through FILERR naming "ACCOUT".
void ACCOUT(std::int32_t NNN, std::span<const float> RRR);

// ACC_HEADER: the heading of the table of points IMIN..IMAX of RRR (the ball-hinge title when
// HINGE_PASS) on IUNIT.
void ACC_HEADER(std::span<const float> RRR, std::int32_t IMIN, std::int32_t IMAX, bool HINGE_PASS);

} // namespace lintar
