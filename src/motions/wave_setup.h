// motions/wave_setup.h: the front end of every wave-frequency vessel-motion run (VESL1): report
// names, wave constants, storm factors, the layout of HIMEM, the directional spreading, the
// relative headings, the frequency grid, the hull model's set-up and report sections I and II;
// and the small services on the wave grid: the spreading integrand and the nearest period.
#pragma once

#include <cstdint>

namespace lintar {

// VESL1: the wave-frequency set-up. Reads TPCM (vessel type and arrangement, units, site,
// sea state, headings, spreading, period grid, report switches) and WAVCOM SWH, TPK (set by
// the static equilibrium before the call); writes TPCM (NA 6 when 0, NSEAHT, NSEAHG, NUM_SWEL,
// NBUG, WPITCH, LBACK), WAVCOM (constants, storm factors, grid words, headings), HIMEM
// (dimensions and bases, the frequency columns, the heading tables, and through the hull
// model its hull words and RAO columns) and, unless NEGSUM is 1, the report: the title page and
// sections I and II, on the file named for the vessel when IUNIT is 1. Console lines go to
// EDUNIT. Input it cannot use stops the run before anything is written: a period grid that is
// not 3 to 100 evenly spaced rising periods, more than 37 sea headings, 12 wave headings or 6
// sea heights, NA + 1 above 500, a depth that is not positive, a spreading sector that is not
// positive with short-crested seas, seas and swell of zero height together (a fatal message,
// the Return pause, an error stop), a spreading exponent FACTRI refuses, and a vessel whose
// hull model is not available. It also stops through the spreading quadrature's fatal cases
// and on too many relative headings.
void VESL1();

// check_wave_setup_input: VESL1's checks of its input, SWH the seas' significant height the
// set-up will read (WAVCOM's SWH): the period grid, the depth, the heading and height counts,
// the spreading sector, seas and swell of zero height together; the first that fails is
// reported on EDUNIT, then the Return pause and an error stop. Reads TPCM.
void check_wave_setup_input(float SWH);

// COSPWR: |cos X| raised to COSEXP; 0 when |cos X| is not above 1e-10. The spreading integrand.
float COSPWR(float X, float COSEXP);

// GRIDPT: JJ = the index of the period T(1..NWP) of TPCM nearest to 2 pi / OMEGA; a period
// exactly halfway takes the lower index, one beyond either end the end index, on a rising or a
// falling grid. Reads TPCM; never ends the run.
void GRIDPT(float OMEGA, std::int32_t& JJ);

// The sector QQ (degrees) and the integral QF of the spreading function |cos(180 theta /
// ANGSEC)|^COSEXP over it, with theta in radians scaled to the sector: the closed form FACTRI
// for ANGSEC up to 360, else the sector cut to 360 and the integral by QATR with its retry
// rules. Messages go to IOSCRN; ends the run through FACTRI and the quadrature's fatal cases.
struct SpreadingNormalisation {
    float QQ = 0.0f;
    float QF = 0.0f;
};
SpreadingNormalisation spreading_normalisation(float ANGSEC, float COSEXP, int IOSCRN);

} // namespace lintar
