// td_support/wave_frequency_damping.h: the damping the mooring lines give to a slow vessel
// motion because they already move at wave frequency (LDAMP), with the wave-frequency top
// tensions of every line at three load levels.
//
// LDAMP reads the line-end motions of the last motion run from its scratch motion files
// (motions/motion_files.h) and the mean line shapes of LINDRV at the same vessel position
// (CATCOM's tables), so both must have run first.
#pragma once

#include <cstdint>
#include <span>

namespace lintar {

// The Simpson points of an element whose end tangents are DQF and DQB: m = int(|100 (DQF -
// DQB)|), made odd (m - mod(m, 2) + 1) and held to 5..19.
std::int32_t ldamp_points(float DQF, float DQB);

// LDAMP: for the unit slow motion IMOTN (1 surge, 2 sway, 3 yaw about the reference point,
// 4 and 5 the two rotations about the centre of gravity's height VKG, 6 heave) of the vessel
// at heading VESANGQ (radians), with line n = 1..NLIN at anchor distance RANCPQ[n - 1] and
// plan angle ANGDPPQ[n - 1] (degrees; measured from the bow-anchor centre angle when L_ROT),
// sums over the active lines the drag damping of the linearised wave-frequency motion of their
// suspended elements: GAMCOF for the mooring lines, HAMCOF for the hawser of a buoy-tanker
// pair (SIMTYP 13, type HAWSTP), both times 0.94 DWATR / G.
//
// With EXPORT_WF_LOADS nonzero each line's wave-frequency top tension at three load levels
// (the end motion times 1, 2 and the extreme-value factor, DYNCOD) is computed; with 1 a
// record (1X, I4, 4(2X, E12.5)) of line number, mean top tension and the three tensions goes
// to unit IOUNITQ for every line 1..NLIN, a skipped line with zeros.
//
// No irregular sea and no swell: both results 0, no file opened. A line whose ends do not
// move at wave frequency, or whose span does not change with its load (DXSDH at the fairlead
// 0), adds no damping and writes its record with zero tensions.
//
// Reads TPCM, LINCOM's tables, CATCOM's mean-shape tables (LINDRV), OUTCOM's mean results,
// EQUILB (BOW_ANC_CTR_ANG, BUYNGL, VOFANG), WAVCOM G; writes ENDCOM, LINCOM (ITYP, the mean
// state of the line and the solve's arrays), CATCOM (CAFLD, CABOT and what DYNCOD writes),
// TPCM (NSEAHT, NSEAHG without irregular seas; COFMAS, COFDMP). Ends the run (status 1) on
// a motion file that cannot be opened, or one that ends early or is damaged (the file-error
// report naming the file and "LDAMP"), on a motion mode other than 1 to 6 (an internal
// error), and where ITER8P, DMPINT, KELAST and DYNCOD end it.
void LDAMP(std::span<const float> RANCPQ, std::span<const float> ANGDPPQ, std::int32_t IMOTN,
           float VESANGQ, float& GAMCOF, float& HAMCOF, bool L_ROT, int IOUNITQ,
           std::int32_t EXPORT_WF_LOADS);

} // namespace lintar
