// environment/wave_drift.h: the mean second-order wave drift force of one sea component, from
// its spectrum and a drift coefficient per grid frequency, with the correction for a steady
// current; and the spectral density of the slowly varying drift force.
//
// The drift coefficient of each component (1 surge, 2 sway, 3 yaw) comes from the model its
// method code in LWVCOF chooses: 1 the user file, 2 the ship hull, 3 the semisubmersible step,
// 4 the empirical tanh model, 5 and 7 the vertical cylinder, 6 the box hull. One evaluation runs
// over the grid from frequency 1: the first frequency sets the heading and current terms the
// others reuse.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace lintar {

// DRIFTF: with LVARST 0 the mean drift of component LCOMP at relative wave angle RELANG in the
// sea of spectrum PSD (the Simpson integral of coefficient x density over the grid); otherwise
// the slow-drift spectral value |GVAR| at difference frequency WC. IWAVID 1 sea, 2 swell, 3
// second swell (the RAO column of the cylinder models). LSPREAD is not used.
float DRIFTF(std::int32_t LVARST, std::int32_t LCOMP, float RELANG, std::span<const float, 100> PSD,
             float WC, std::int32_t LSPREAD, std::int32_t IWAVID);

// DRFTC: the drift coefficient of component LCOMP at grid frequency IW, times its heading,
// current-amplification and group-speed factors. DOUSER 1 reads the user file USERDAT; DRFTYP the
// method code. FRSTIM is true on the first frequency of an evaluation and cleared here. CLDBY
// names the caller ("DRIFTF" or "GRPSPD").
float DRFTC(std::int32_t LCOMP, std::int32_t IW, std::int32_t DOUSER, std::int32_t DRFTYP,
            std::string_view USERDAT, float RELANG, bool& FRSTIM, std::string_view CLDBY,
            std::int32_t IWAVID);

// DISPRS2: (OMEGA - X CURCST)^2 - X tanh X, the dispersion relation of a wave of depth-scaled
// frequency OMEGA = w sqrt(d / g) on a current CURCST = U / sqrt(g d), at X = k d.
float DISPRS2(float X, float OMEGA, float CURCST);

// WAVCURVEC: WVVEC = k d of the wave in the current, the root of DISPRS2 from [0, |OMEGA /
// CURCST|] with the upper end doubled up to 20 times; 0 when no root is bracketed.
void WAVCURVEC(float OMEGA, float CURCST, float& WVVEC);

// VKYFUN: 1 - (YY^2 + ALPHAX^2)^(1/4) - BETAX YY, whose root is the cross-wave component of the
// refracted wave number. VKYPFUN: YY + 2 BETAX (YY^2 + ALPHAX^2)^(3/4).
float VKYFUN(float YY, float ALPHAX, float BETAX);
float VKYPFUN(float YY, float ALPHAX, float BETAX);

// GETVKY: YY, the root of VKYFUN between 0 and GUESSH; 0 when none is bracketed.
void GETVKY(float& YY, float GUESSH, float ALPHAX, float BETAX, int IOSCRN, int KBD);

} // namespace lintar
