// environment/drag_preparation.h: what the member-by-member drag of a semisubmersible-like hull
// sums over its surface-piercing members, prepared for one member and one sea component: the
// wave-induced increase of the mean drag in the wave zone and below it, the member's wave drift
// force along and across the wave-energy flux, the correlation of wave elevation and relative
// velocity, and for slow-drift spectra six correlation factors of drag and drift at one
// difference frequency; with the Gaussian moments of the drag law, the drift coefficient
// aligned with the energy flux, and the relative-motion transfer functions they use.
#pragma once

#include "util/spectral_moments.h"

#include <complex>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace lintar {

// ISUB_N_GET: sqrt(2 pi) times Gaussian moments of the drag law f = X|X|, X = M + xi, xi a
// standard normal variable: I0 = E[f] - M|M|, I1 = E[f xi] (= 2 E|X|), I2 = E[f xi^2] - M|M|,
// IP0 = E[f] - E[sign X] - M|M|; for |M| > 8 their limits (IP0 0, I0 +-sqrt(2 pi), I2 three
// times that, I1 2|M| sqrt(2 pi)). The error function is RH_ERF of NXP points.
void ISUB_N_GET(float& I0, float& I1, float& I2, float& IP0, float M, std::int32_t NXP);

// REL_RAO: RAOIN sin(K XCOL + PHASEIN) + e^(K Z), the relative motion of a member point at depth
// Z (negative down) at position XCOL along the waves, for wave number K.
float REL_RAO(float K, float Z, float XCOL, float RAOIN, float PHASEIN);

// RAOFUN_Z: |u1 conj(u2)|^2 with u = e^(K Z) - i R e^(i (PQ + K XCOL)), the cross term of the
// relative velocities at depths Z1 and Z2 (motion R1, PQ1 at Z1 and R2, PQ2 at Z2), as real
// and imaginary parts squared. RAOFUN: the same with one motion at both depths.
float RAOFUN_Z(float K, float XCOL, float Z1, float Z2, float R1, float PQ1, float R2, float PQ2);
float RAOFUN(float K, float XCOL, float Z1, float Z2, float RAOIN, float PHASEIN);

// The member-drag factors of one member and one sea component. The SFX_ factors are formed
// only for slow-drift spectra (LVARST non-zero); otherwise they are 0.
struct MemberDragFactors {
    float FSURF = 0.0f;      // wave-zone increase of the mean drag
    float FSUB = 0.0f;       // submerged increase of the mean drag
    float FWDRFT_PAR = 0.0f; // wave drift along the energy flux (per unit coefficient)
    float FWDRFT_PRP = 0.0f; // and across it
    float FLXANG_AVG = 0.0f; // mean flux angle to the wave vector, radians
    float SFX_RR = 0.0f;     // surface relative-velocity drag correlation
    float SFX_BB = 0.0f;     // submerged drag correlation
    float SFX_WD = 0.0f;     // wave drift correlation
    float SFX_BR = 0.0f;     // submerged with surface drag
    float SFX_WB = 0.0f;     // drift with submerged drag
    float SFX_WR = 0.0f;     // drift with surface drag
    float VS_COR = 0.0f;     // correlation of wave elevation and surface relative velocity
};

// The sea and member settings of one preparation (the arguments of G_FRC_PREP that are not
// spectra or results).
struct MemberDragSetting {
    float SIG0WV = 0.0f;      // standard deviation of the wave elevation
    float XCOL = 0.0f;        // member position along the wave direction
    float EFF_ROT_CTR = 0.0f; // effective height of the rotation centre above the keel
    std::int32_t NXP = 27;    // quadrature points of the error functions
    std::int32_t DOUSER = 0;  // 1: the drift coefficient comes from the user file
    std::string USERDAT;      // that file's name (13 characters)
    float RELANG = 0.0f;      // direction of the sea relative to the vessel, radians
    std::string CLDBY;        // caller tag (6 characters)
    float COSTHETACW = 1.0f;  // cosine and sine of the current direction relative to the waves
    float SINTHETACW = 0.0f;
    float WAVHDG_LOC = 0.0f; // sea heading, degrees
    std::int32_t IWAVID = 1; // sea component: 1 wind sea, 2 swell, 3 second swell
};

// The aligned drift coefficient DRFTC_TOT and the angle FLUXANG_TO_WVK of the energy flux to the
// wave vector at grid frequency IW, for the sea and current of SETTING (DFC_ALIGN).
using AlignedDrift = std::function<void(std::int32_t IW, const MemberDragSetting& setting,
                                        float& DRFTC_TOT, float& FLUXANG_TO_WVK)>;

// DFC_ALIGN: the drift coefficient DRFTC_TOT of a member at grid frequency IW along the wave
// energy flux, and the angle FLUXANG_TO_WVK of that flux to the wave vector, for a current
// (TPCM LCURNT, CURSPD) at COSTHETACW, SINTHETACW to the waves. The current shifts the wave
// number (WAVCURVEC) and the frequency, amplifies the coefficient by
// 1 + 2 U/cg + |U|^2 / cg^2 and turns the flux; with no current the flux runs along the waves
// (angle 0). The coefficient is the vertical cylinder's (CYLDFT, radius half the mean of PASCOM
// MENWLX and MENWLY, times the square root of the RLRAOH2 response of sea IWAVID, or the
// response itself with LEG_CYL_DFC) times the finite-depth group-speed factor 2 sqrt(k / g) cg;
// or with DOUSER the user file USERDAT's surge column (at the angle RELANG without current, at
// the flux direction with one), read at the wave frequency (CURCOR 0, factor 1) or at the
// intrinsic one with the group-speed factor (CURCOR set). A wave that cannot run against the
// current has coefficient 0 (the angle is then left as it was). The working values of the last call
// are kept; CLDBY names the caller.
void DFC_ALIGN(float& DRFTC_TOT, float& FLUXANG_TO_WVK, std::int32_t IW, std::int32_t DOUSER,
               std::string_view USERDAT, float COSTHETACW, float SINTHETACW, float RELANG,
               std::string_view CLDBY, std::int32_t IWAVID);

// DFC_ALIGN with the sea, current and drift method of SETTING, as an AlignedDrift.
void aligned_drift(std::int32_t IW, const MemberDragSetting& setting, float& DRFTC_TOT,
                   float& FLUXANG_TO_WVK);

// G_FRC_PREP: the preparation below with DFC_ALIGN as the aligned drift coefficient.
void G_FRC_PREP(float& WC, MemberDragFactors& out, std::int32_t LVARST, GridSpectrum PSD,
                std::span<const std::complex<float>, 100> H_RAO,
                std::span<const std::complex<float>, 100> A_RAO, const MemberDragSetting& setting,
                std::int32_t& NDEPTHQ);

// The preparation of G_FRC_PREP with the aligned drift coefficient given by ALIGNED (G_FRC_PREP
// passes DFC_ALIGN). WC is the difference frequency (a negative one is turned positive by
// GET_GVAR, after its warning); NDEPTHQ above 31 is lowered to 31 and written back. Reads TPCM
// NUNTS, DRAFT, CURSPD, CURHDG, NWP, WAVCOM W, W2, WVK and the current profile CURPROF.
//
// Where the relative velocity at a depth has no variance its ratio to the current is taken as
// beyond every Gaussian moment's reach (the large-ratio branch) when there is a current there,
// and as 0 when there is none; the correlation VS_COR is 0 when the surface relative velocity
// or the wave elevation has no variance. Every factor then stays finite.
void prepare_member_drag(float& WC, MemberDragFactors& out, std::int32_t LVARST, GridSpectrum PSD,
                         std::span<const std::complex<float>, 100> H_RAO,
                         std::span<const std::complex<float>, 100> A_RAO,
                         const MemberDragSetting& setting, std::int32_t& NDEPTHQ,
                         const AlignedDrift& ALIGNED);

} // namespace lintar
