// motions/heading_list.h: the list of relative wave headings of a motion run: the regular-wave
// headings, the swell headings, the sea headings and the steps of the spreading sector, each
// held once in REDANG of HIMEM.
#pragma once

#include <cstdint>
#include <span>

namespace lintar {

// Relative headings a run may hold: REDANG has 500 slots, the set-up uses at most 498.
inline constexpr std::int32_t max_relative_headings = 498;

// LOGFIL: MATCH = the index of the last entry of RAOANG(1..NRAO) strictly less than 0.05 from
// HEADG, 0 when none. Reads only its arguments.
void LOGFIL(std::int32_t& MATCH, float HEADG, std::span<const float> RAOANG, std::int32_t NRAO);

// LOADN: builds the relative headings: REDANG, LRAO, IRAN, ISWL, ISWL2, INTGFL of HIMEM and
// NRAO, ISWELL, ISWEL2 of WAVCOM, from TPCM (NDIR, WAVHDG, LSWELL, LSWEL2, LSWLOK, SWLHDG,
// SWLHDG2, LRANDM, NSEAHG, SEAHDG, ANGSEC, NA, NBUG, EDUNIT) and WAVCOM (LEXP, DADEG). Every
// angle is reduced to [0, 360) degrees and stored once: one within 0.05 degrees of a stored
// heading takes that slot. The caller has checked NDIR <= 12, NSEAHG <= 37 and NA + 1 <= 500.
// A 499th heading stops the run before it is stored: the message on EDUNIT, the Return pause,
// an error stop.
void LOADN();

} // namespace lintar
