// motions/response_statistics.h: the irregular-wave statistics of the responses of one
// relative heading: response spectra under every sea and swell spectrum, their moments, summed
// with the directional-spreading weights into one slot per sea height, sea heading and
// response.
#pragma once

namespace lintar {

// STAT1: adds the zeroth and second moments of the responses of heading IRAO (WAVCOM) into
// the statistics slots from LOCSIG (HIMEM): slot (IHT, IHD, R) at LOCSIG + 2 ((IHT - 1) +
// (IHD - 1) MAXHT + (R - 1) NHTNHD). Response kinds LFRFLG 0 and 1 are the six RAO columns
// (those selected in MOTION, R = the degree of freedom); kinds 2 to 4 the 3 NCOL squared
// moduli from LBASEX (R = 6 (IREP - 1) + r). The swell spectra are recomputed on every call,
// the sea spectra once per run (LWVCMP). Reads TPCM (sea state, spreading, MOTION, NBUG,
// EDUNIT) and HIMEM; writes HIMEM RLDUM (spectra, moments, slots) and WAVCOM (SWH, TPK, the
// peak words, ISWELL, ISWEL2 with locked swell, LWVCMP). Never ends the run (the debug prompt
// of NBUG 1 aside).
void STAT1();

} // namespace lintar
