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
void PSDPEK(GridSpectrum PSD, GridSpectrum W, float& PSDPK, float& TPEAK, std::int32_t& IFIRST,
            std::int32_t& ILAST, bool GETHALF, std::int32_t& IHALFP, std::int32_t& IHALFM);
void SPCPROCES(GridSpectrum PSD, GridSpectrum W, float& RMS, float& RMSDOT, float& BNDWDTH,
               float& TPEAK);

} // namespace lintar
