// util/sea_spectra.h: sea spectra on the wave grid, the wave-group spectrum, the JONSWAP shape
// constant and the shallow-water (TMA) depth factor.
//
// Spectrum type codes (WAVSEL; WAVTYP for the seas, SWLTYP for the swell): 0 default swell
// (Gaussian), 1 Pierson-Moskowitz, 2 mean, 3 sharp, 4 squat and 5 general JONSWAP,
// 6 Bretschneider, 7 the user file "WAVSPEC.txt", 8 the legacy user spectrum USRPSD, 9 Ochi-Hubble,
// 10 TMA shallow water. The wave system (WAVE_SYS_ID 0 seas, 1 first swell, 2 second swell)
// picks the shape parameters of TPCM. Spectra are 100 ordinates over the grid W of WAVCOM, in
// (length unit)^2 per rad/s.
#pragma once

#include <cstdint>
#include <span>

namespace lintar {

void WVSPEC(std::int32_t WAVSEL, std::span<float, 100> PSDQ, float& QSWH, float& QTPK, float& QWPK,
            float& QWKPK, std::int32_t WAVE_SYS_ID);
void GRPSPC(std::span<const float, 100> PSDQ, float& GRPPSD, float WFREQ);
// RWHFUN: the TMA root function 1 - X tanh(X WH_TMA^2) of the depth ratio X.
float RWHFUN(float X, float WH_TMA);

// JONSVAL: the zeroth moment JONVAL of the JONSWAP shape with sigma PL below and PG above the
// peak and peak enhancement GAMMA; messages go to IOSCRN.
void JONSVAL(float PL, float PG, float GAMMA, float& JONVAL, int IOSCRN);
// JONINT: the transformed integrand of JONSVAL on branch BRANCH (1 below, 2 above the peak).
float JONINT(float Z, float PVAL, float GAM, std::int32_t BRANCH);

// How strictly the period list is checked. The editor's reports and the spectra take any list
// they can integrate over; the analysis takes the grid as evenly spaced from T(2) - T(1) and
// pairs its intervals for Simpson's rule, so it needs that grid.
enum class WaveGridRule {
    lenient,  // 2 to 100 periods, each positive, no two neighbours equal
    analysis, // 3 to 100 periods, strictly increasing, evenly spaced within 1e-4 of the step
};

// Checks the period list T(1..NWP) of TPCM that the wave grid is made from by the given rule.
// A grid that fails is reported on IOSCRN, then the Return pause and an error stop.
void check_wave_grid(int IOSCRN, WaveGridRule rule = WaveGridRule::lenient);

// Sets the grid words of WAVCOM from TPCM: W(k) = 2 pi / T(k), W2(k) = W(k)^2 for k = 1 to NWP,
// TS = T(1), TL = T(NWP), NW = NWP - 1, DT = T(2) - T(1), DW = 0. The caller has checked the
// periods (check_wave_grid) and sets G.
void set_wave_grid();

} // namespace lintar
