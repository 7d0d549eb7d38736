// util/spectral_moments.h: spectral moments, the spectral peak and the bandwidth of a spectrum
// on the wave grid.
//
// A spectrum is 100 ordinates over the wave grid of WAVCOM (W(k), k = 1 to NWP of TPCM, W(1)
// the highest frequency), in (unit)^2 per rad/s. The grid is uniform in period with step DT;
// NWP is odd so that the intervals pair up for Simpson's rule.
#pragma once

#include <cstdint>
#include <span>

namespace lintar {

// Ordinates of one spectrum over the wave grid.
using GridSpectrum = std::span<const float, 100>;

void SMPINT(GridSpectrum PSDEN, float& VAR, float& VARDOT);

// The zeroth and second moments m0, m2 of a spectrum over the period grid by Simpson's rule:
// with f(k) = PSDEN(k) OMEGA2(k), m0 = DT (4 x sum of f at even k + 2 x sum of f at odd k
// - f(1) + f(NWP)) / 6 pi over the NWP / 2 pairs (1, 2), (3, 4), ..., and m2 the same with
// f(k) OMEGA2(k). OMEGA2 holds omega^2 at grid points 1..NWP; 6 pi is Simpson's h / 3 times the
// Jacobian d omega = omega^2 dT / 2 pi. The rule is Simpson's for an odd NWP; for an even NWP
// the last ordinate keeps the weight these sums give it. Reads only its arguments.
void simpson_period_moments(GridSpectrum PSDEN, std::span<const float> OMEGA2, int NWP, float DT,
                            float& m0, float& m2);
void PSDPEK(GridSpectrum PSD, GridSpectrum W, float& PSDPK, float& TPEAK, std::int32_t& IFIRST,
            std::int32_t& ILAST, bool GETHALF, std::int32_t& IHALFP, std::int32_t& IHALFM);
void SPCPROCES(GridSpectrum PSD, GridSpectrum W, float& RMS, float& RMSDOT, float& BNDWDTH,
               float& TPEAK);

} // namespace lintar
