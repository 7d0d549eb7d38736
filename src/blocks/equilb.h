// blocks/equilb.h: EQUILB, the equilibrium state of the vessel and the second body, with the
// applied-load, mean-environment, yaw-stability, stiffness and low-frequency statistic words;
// and VECDIF, VECAVG, the vector difference and mean of the equilibrium routines.
//
// The block is no file image: it is zero at program start and filled by the static equilibrium
// and the analyses after it. Words are four bytes in declaration order; names that are second
// views of a word (YCGVAR is RVES(2), VESANG is RVES(3), ...) are accessors onto that word.
// Arrays are flat in Fortran order behind 1-based accessors checked in debug builds.
#pragma once

#include "blocks/block_support.h"

#include <complex>
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>

namespace lintar {

// Words of the block.
inline constexpr int equilb_word_count = 1160;

// Words of one degree of freedom's group of low-frequency statistics; six groups follow one
// another in the order surge, sway, yaw, roll, pitch, heave.
inline constexpr int lf_group_words = 51;

struct EquilbBlock {
    // 1. The three applied forces: direction atan2(Y, X) and magnitude, 0 when switched off.
    float PHIFEX, FEXTRN, PHIFX2, FXTRN2, PHIFX3, FXTRN3;
    // 2. Wave- and swell-drift selector words.
    std::int32_t IWDFPX, IWDFPY, IWDFPZ, ISDFPX, ISDFPY, ISDFPZ;
    // 3. Spare.
    float EQXTRA_words[52];
    float& EQXTRA(int i) { return EQXTRA_words[col_major(i, 52)]; }
    // 4. Bow-anchor centre angle, low-frequency roll and pitch deviations, mode angle, rotation
    //    spring, effective low-frequency frequency, spar springs in global axes.
    float BOW_ANC_CTR_ANG, SIG_LF_RL, SIG_LF_PT, MODE_ROT_ANG;
    float ROTSPR_words[4];
    float& ROTSPR(int i, int j) { return ROTSPR_words[col_major(i, 2, j, 2)]; }
    float WLF_EFF;
    float GSPARSPRING_words[6];
    float& GSPARSPRING(int i) { return GSPARSPRING_words[col_major(i, 6)]; }
    // 5. Pull-down derivatives: DX1DXPUL, DX1DYPUL, ..., DX6DXPUL, DX6DYPUL (degree of
    //    freedom k, pull x or y), set-down terms, spar spring diagonal.
    float DXPUL_words[12];
    float& DXDXPUL(int k) { return DXPUL_words[col_major(2 * k - 1, 12)]; }
    float& DXDYPUL(int k) { return DXPUL_words[col_major(2 * k, 12)]; }
    float DZDRPUL, DZDRPUL2, DZDRPUL4;
    float SPARSPRING_words[6];
    float& SPARSPRING(int i) { return SPARSPRING_words[col_major(i, 6)]; }
    // 6. Spar suction forces.
    float WINDSUCK, CRNTSUCK;
    // 7. Required vertical mooring force, DP force and direction, net lever arm, reserved.
    float REDWGT, FZMREQ, BTORAT, FDPTOT, PHIFDP, NETARM, EQD9, EQD10;
    // 8. Curves of the environmental yaw-moment model.
    float BUYOFF_words[90];
    float& BUYOFF(int i) { return BUYOFF_words[col_major(i, 90)]; }
    float OFFSET_words[90];
    float& OFFSET(int i) { return OFFSET_words[col_major(i, 90)]; }
    float HLOAD_words[90];
    float& HLOAD(int i) { return HLOAD_words[col_major(i, 90)]; }
    // 9. Yaw-stability table of the single-point mooring.
    std::int32_t LSTABL_words[30];
    std::int32_t& LSTABL(int i) { return LSTABL_words[col_major(i, 30)]; }
    float SLMANG_words[30];
    float& SLMANG(int i) { return SLMANG_words[col_major(i, 30)]; }
    float ENERGY_words[30];
    float& ENERGY(int i) { return ENERGY_words[col_major(i, 30)]; }
    std::int32_t IANGLE;
    // 10. Per-source load words, energy range, candidate headings and forces, stability.
    float SXWNDV, SYWNDV, SXCURV, SYCURV, SXSWLV, SYSWLV, SXWAVV, SYWAVV, ERGMAX, ERGMIN;
    float TANGLE_words[30];
    float& TANGLE(int i) { return TANGLE_words[col_major(i, 30)]; }
    float FTOT_words[30];
    float& FTOT(int i) { return FTOT_words[col_major(i, 30)]; }
    std::int32_t ISTAB;
    // 11. Mean-environment coefficient words.
    float YAWARM, WAVARM, YOKSLM, FLTRL0, DELTA0, ENVDM2, WSCALE, COTBOW, BOWANG, SEAANG;
    float SWLANG, SWLANG2, VARYTP, CYQTP, SWHC, SWAVE_ATTACK, SCRNT_ATTACK, SWIND_ATTACK;
    float SSWEL_ATTACK, SSWEL_ATTACK2, SINBOW, BLRAT0, LEFRAT, MOMCOF, SINSTN, STRNAN, COTSTN;
    float BOWARM, STRNRM, LEFRT2;
    // 12. Environmental load split and totals (vessel axes) with the yaw moment.
    float SXWND, SYWND, SXCUR, SYCUR, FXENV, SXWAV, SYWAV, SXSWL, SYSWL, SXSWL2, SYSWL2, FYENV;
    float SXWVDG, SYWVDG, SXSWDG, SYSWDG, SXSWDG2, SYSWDG2, TZENV;
    // 13. Offset and environmental-force directions, spare.
    float VOFANG, GOFANG, VFCANG, GFCANG, ENVDUM;
    // 14. Low-frequency mode vectors (pairs of reals). Columns 2 and 3 of COMPs_VEC0 are the
    //     words of COMPs_VEC2_0 and COMPs_VEC3_0; likewise for COMPs_VEC.
    float COMPs_VEC0_words[18];
    float COMPs_VEC_words[18];
    TypedRef<std::complex<float>> COMPs_VEC0(int i, int j) {
        return TypedRef<std::complex<float>>(&COMPs_VEC0_words[2 * col_major(i, 3, j, 3)]);
    }
    TypedRef<std::complex<float>> COMPs_VEC2_0(int i) { return COMPs_VEC0(i, 2); }
    TypedRef<std::complex<float>> COMPs_VEC3_0(int i) { return COMPs_VEC0(i, 3); }
    TypedRef<std::complex<float>> COMPs_VEC(int i, int j) {
        return TypedRef<std::complex<float>>(&COMPs_VEC_words[2 * col_major(i, 3, j, 3)]);
    }
    TypedRef<std::complex<float>> COMPs_VEC2(int i) { return COMPs_VEC(i, 2); }
    TypedRef<std::complex<float>> COMPs_VEC3(int i) { return COMPs_VEC(i, 3); }
    // 15. Low-frequency statistics: word w (1..51) of degree of freedom group g (1 surge,
    //     2 sway, 3 yaw, 4 roll, 5 pitch, 6 heave). The low-frequency analysis names the words
    //     (TSURG, WSURG, ... of the surge group); RLSTUF is the whole roll group.
    float LFSTAT_words[6 * lf_group_words];
    float& LFSTAT(int w, int g) { return LFSTAT_words[col_major(w, lf_group_words, g, 6)]; }
    std::span<float, lf_group_words> RLSTUF() {
        return std::span<float, lf_group_words>(&LFSTAT_words[3 * lf_group_words], lf_group_words);
    }
    // 16. Mooring stiffness, entry (J, I) the derivative of load J by displacement I.
    float GSTF66_words[36];
    float& GSTF66(int j, int i) { return GSTF66_words[col_major(j, 6, i, 6)]; }
    const float& GSTF66(int j, int i) const { return GSTF66_words[col_major(j, 6, i, 6)]; }
    float VSTF66_words[36];
    float& VSTF66(int j, int i) { return VSTF66_words[col_major(j, 6, i, 6)]; }
    const float& VSTF66(int j, int i) const { return VSTF66_words[col_major(j, 6, i, 6)]; }
    // 17. Turret angle at equilibrium and of the reference state, radians.
    float TRTNGL, TRTNG0;
    // 18. Vessel position: x, y offsets and heading (radians); heave offset.
    float RVES_words[3];
    float& RVES(int i) { return RVES_words[col_major(i, 3)]; }
    const float& RVES(int i) const { return RVES_words[col_major(i, 3)]; }
    float& YCGVAR() { return RVES_words[1]; }
    float& VESANG() { return RVES_words[2]; }
    const float& YCGVAR() const { return RVES_words[1]; }
    const float& VESANG() const { return RVES_words[2]; }
    float ZCGVAR;
    // 19. First body of the two-body case (the tanker), the same overlaps as group 18.
    float RTNK_words[3];
    float& RTNK(int i) { return RTNK_words[col_major(i, 3)]; }
    float& RYTNK() { return RTNK_words[1]; }
    float& TNKNGL() { return RTNK_words[2]; }
    float RZTNK, TNKDEP, TEQRAT, RLTNK2, FVXTNK, FVYTNK, TVZTNK;
    float XVECTK_words[6];
    float& XVECTK(int i) { return XVECTK_words[col_major(i, 6)]; }
    float FXVECTK_words[6];
    float& FXVECTK(int i) { return FXVECTK_words[col_major(i, 6)]; }
    // 20. Finite rotation of the vessel: unit axis (global), angle in degrees, length of the
    //     direction as entered.
    float ROTDIR_words[3];
    float& ROTDIR(int i) { return ROTDIR_words[col_major(i, 3)]; }
    const float& ROTDIR(int i) const { return ROTDIR_words[col_major(i, 3)]; }
    float ROTVAL, ROTMOD;
    // 21. Second body (the buoy), the layout of group 19 plus its rotation.
    float RBUY_words[3];
    float& RBUY(int i) { return RBUY_words[col_major(i, 3)]; }
    float& RYBUY() { return RBUY_words[1]; }
    float& BUYNGL() { return RBUY_words[2]; }
    float RZBUY, BUYDEP, BEQRAT, RLBUY2, FVXBUY, FVYBUY, TVZBUY;
    float XVECBY_words[6];
    float& XVECBY(int i) { return XVECBY_words[col_major(i, 6)]; }
    float FXVECBY_words[6];
    float& FXVECBY(int i) { return FXVECBY_words[col_major(i, 6)]; }
    float ROTDIRB_words[3];
    float& ROTDIRB(int i) { return ROTDIRB_words[col_major(i, 3)]; }
    float ROTVALB, ROTMODB;
    // 22. Force curve of the environmental yaw-moment model.
    float FRCFUN_words[90];
    float& FRCFUN(int i) { return FRCFUN_words[col_major(i, 90)]; }
};

static_assert(std::is_standard_layout_v<EquilbBlock>);
static_assert(sizeof(EquilbBlock) == 4 * equilb_word_count);
// The first word of every group (counting from 0).
static_assert(offsetof(EquilbBlock, PHIFEX) == 4 * 0);
static_assert(offsetof(EquilbBlock, IWDFPX) == 4 * 6);
static_assert(offsetof(EquilbBlock, EQXTRA_words) == 4 * 12);
static_assert(offsetof(EquilbBlock, BOW_ANC_CTR_ANG) == 4 * 64);
static_assert(offsetof(EquilbBlock, DXPUL_words) == 4 * 79);
static_assert(offsetof(EquilbBlock, WINDSUCK) == 4 * 100);
static_assert(offsetof(EquilbBlock, REDWGT) == 4 * 102);
static_assert(offsetof(EquilbBlock, BUYOFF_words) == 4 * 110);
static_assert(offsetof(EquilbBlock, LSTABL_words) == 4 * 380);
static_assert(offsetof(EquilbBlock, SXWNDV) == 4 * 471);
static_assert(offsetof(EquilbBlock, YAWARM) == 4 * 542);
static_assert(offsetof(EquilbBlock, SXWND) == 4 * 572);
static_assert(offsetof(EquilbBlock, VOFANG) == 4 * 591);
static_assert(offsetof(EquilbBlock, COMPs_VEC0_words) == 4 * 596);
static_assert(offsetof(EquilbBlock, LFSTAT_words) == 4 * 632);
static_assert(offsetof(EquilbBlock, GSTF66_words) == 4 * 938);
static_assert(offsetof(EquilbBlock, TRTNGL) == 4 * 1010);
static_assert(offsetof(EquilbBlock, RVES_words) == 4 * 1012);
static_assert(offsetof(EquilbBlock, RTNK_words) == 4 * 1016);
static_assert(offsetof(EquilbBlock, ROTDIR_words) == 4 * 1038);
static_assert(offsetof(EquilbBlock, RBUY_words) == 4 * 1043);
static_assert(offsetof(EquilbBlock, FRCFUN_words) == 4 * 1070);

// The global instance, zero at program start; reset_program_state() zeroes it again.
extern EquilbBlock EQUILB;

// VECDIF: VECOUT(i) = VECIN1(i) - VECIN2(i), i = 1..N (nothing when N < 1). VECOUT may be
// VECIN1. Reads and writes only its arguments.
void VECDIF(std::span<float> VECOUT, std::span<const float> VECIN1, std::span<const float> VECIN2,
            std::int32_t N);

// VECAVG: VECOUT(i) = (VECIN1(i) + VECIN2(i)) x 0.5, i = 1..N (nothing when N < 1). VECOUT may
// be VECIN1. Reads and writes only its arguments.
void VECAVG(std::span<float> VECOUT, std::span<const float> VECIN1, std::span<const float> VECIN2,
            std::int32_t N);

} // namespace lintar
