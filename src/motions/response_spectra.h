// motions/response_spectra.h: response spectra on the wave grid and their moments, and the
// table of regular-wave force scale factors.
#pragma once

#include <cstdint>
#include <span>

namespace lintar {

// SMPIN2: the zeroth and second moments of the spectrum PSDEN over the period grid (Simpson's
// rule with omega^2 from RLDUM(LCNW2 ...)), stored at RLDUM(LSIG) (m0) and RLDUM(LSIG + 1)
// (m2). Reads TPCM NWP, WAVCOM DT and HIMEM; writes HIMEM RLDUM; never ends the run.
void SMPIN2(std::span<const float, 100> PSDEN, std::int32_t LSIG);

// STATCP: the response spectrum PSD(IW) = RAOSQ(IW) x RLDUM(LWPSD - 1 + IW) of HIMEM for
// IW = 1..NWP, then its moments by SMPIN2 at LSIG. Never ends the run.
void STATCP(std::span<const float> RAOSQ, std::int32_t LWPSD, std::int32_t LSIG);

// STATCM: the response spectrum of the complex RAO column starting at complex element LCNRAO,
// corrected between the centres of rotation and the centre of gravity (LCGFLG 1) and for
// forward speed (VFWD), squared against the wave spectrum at RLDUM(LWPSD ...), with its moments
// by SMPIN2 at LSIG. Reads TPCM (VKG, VFWD, VGLDIR, LCGFLG, NWP), HIMEM (centres, metacentric
// values, REDANG, LFRFLG, the RAO columns) and WAVCOM IRAO; writes HIMEM (IW and its indices,
// PSD, RLDUM(LSIG ...)). Never ends the run.
void STATCM(std::int32_t LCNRAO, std::int32_t LWPSD, std::int32_t LSIG);

// SCALEF: the regular-wave force and torque scale factors SCALE(1..6) of HIMEM on IUNIT (and
// the heading and factor lines on unit 14 when IPLOTS is 1). Never ends the run.
void SCALEF();

} // namespace lintar
