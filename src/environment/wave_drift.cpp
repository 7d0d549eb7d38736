// environment/wave_drift.cpp: the mean and slowly varying wave drift force from spectra.
#include "environment/wave_drift.h"

#include "blocks/equilb.h"
#include "blocks/pascom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "environment/drift_models.h"
#include "environment/reflection_and_slow_drift.h"
#include "environment/user_drift_file.h"
#include "environment/wave_table_check.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/flags.h"
#include "util/internal_error.h"
#include "util/prompts.h"
#include "util/root_finders.h"
#include "util/spectral_moments.h"
#include "util/table_search.h"
#include "util/wave_numbers.h"

#include <array>
#include <cmath>
#include <string>

namespace lintar {

namespace {

// What the first frequency of an evaluation sets and the others reuse, and the flux direction
// the last frequency left.
struct DriftEvaluation {
    bool MODFLX = false;
    float FRQSCL = 0.0f, RELHALF = 0.0f, WDCNST = 0.0f;
    float SRWVHD = 0.0f, CRWVHD = 0.0f;
    float TMPCSP = 0.0f, CURCMP = 0.0f, CRXCMP2 = 0.0f, CRYCMP2 = 0.0f;
    float CRXCMPDN = 0.0f, CRYCMPDN = 0.0f, CRXCMPUP = 0.0f, CRYCMPUP = 0.0f;
    float SMNGFC = 0.0f, FYENDK = 0.0f, FYBFAC = 0.0f, CUBFC2 = 0.0f, ANGFCQ = 1.0f;
    float SINFLX1 = 0.0f, COSFLX1 = 0.0f, FLXANG1 = 0.0f;
    float SINFLX2 = 0.0f, COSFLX2 = 0.0f, FLXANG2 = 0.0f;
};
DriftEvaluation kept;
const StateReset reset_kept{[] { kept = DriftEvaluation{}; }, StoreKind::analysis};

// The user multiplier of a component's drift.
float multiplier(std::int32_t LCOMP) {
    return LCOMP == 1 ? TPCM.WVFCX : LCOMP == 2 ? TPCM.WVFCY : TPCM.WVFCM;
}

// The box hull's reflection factor of component LCOMP at wave number WK.
float box_reflection(float WK, float RELANG, std::int32_t LCOMP) {
    float RELMFC = 0.0f;
    OPACITY(RELMFC, WK, RELANG, TPCM.LWL, TPCM.BWL, TPCM.DRAFT, EQUILB.BOWARM, EQUILB.STRNRM,
            EQUILB.BOWANG, EQUILB.STRNAN, LCOMP);
    return RELMFC;
}

// The heading and current terms of an evaluation.
void set_up_evaluation(std::int32_t LCOMP, std::int32_t DOUSER, std::int32_t DRFTYP, float RELANG,
                       std::string_view CLDBY) {
    const TpcmBlock& T = TPCM;
    kept.MODFLX = (DOUSER == 1 && T.CURCOR == 1 && T.VESTYP == 1) || DRFTYP == 6;
    kept.FRQSCL = DRFTYP == 3 ? two_pi_single / std::sqrt(T.LWL / WAVCOM.G) : T.WPITCH;
    // The reflection at k DRAFT = 0.671392858 scales the box hull's sway; no other model reads it.
    if (DRFTYP == 6)
        kept.RELHALF = box_reflection(0.671392858f / T.DRAFT, RELANG, LCOMP);
    kept.WDCNST = std::sqrt(T.DEPTH / WAVCOM.G);
    const float RELHDG = RELANG + pi_single;
    kept.SRWVHD = std::sin(RELHDG);
    kept.CRWVHD = std::cos(RELHDG);
    kept.TMPCSP = kept.CURCMP = kept.CRXCMP2 = kept.CRYCMP2 = 0.0f;
    kept.CRXCMPDN = kept.CRYCMPDN = kept.CRXCMPUP = kept.CRYCMPUP = 0.0f;
    if (T.LCURNT != 0) {
        kept.TMPCSP = T.CURSPD * (T.NUNTS == 1 ? 0.5142f : 1.687f);
        const float TMPHDG = T.CURHDG / degrees_per_radian - EQUILB.VESANG();
        const float TMPANG = TMPHDG - pi_single;
        const float COSCURVES = std::cos(TMPANG);
        const float SINCURVES = std::sin(TMPANG);
        kept.CURCMP = DOUSER != 0 && T.CURCOR != 1 ? 0.0f : kept.TMPCSP * std::cos(RELHDG - TMPHDG);
        const float XCURNTDNQ = T.XCURNTDN * 2.288f;
        const float XCURNTUPQ = T.XCURNTUP * 0.12f;
        kept.CRXCMP2 = kept.TMPCSP * COSCURVES;
        kept.CRYCMP2 = kept.TMPCSP * SINCURVES;
        kept.CRXCMPDN = (XCURNTDNQ * std::abs(SINCURVES) + T.MUNKFAC1) * kept.CRXCMP2;
        kept.CRYCMPDN = -T.YCURNTDN * kept.CRYCMP2;
        kept.CRXCMPUP = (XCURNTUPQ * std::abs(SINCURVES) + T.MUNKFAC1) * kept.CRXCMP2;
        kept.CRYCMPUP = 0.0f;
    }
    if (CLDBY == "GRPSPD" && T.LEGDFC == 1)
        kept.CURCMP = 0.0f;
}

void set_flux(float angle) {
    kept.FLXANG1 = kept.FLXANG2 = angle;
    kept.SINFLX1 = kept.SINFLX2 = std::sin(angle);
    kept.COSFLX1 = kept.COSFLX2 = std::cos(angle);
}

// The energy-flux direction of the wave refracted by the current across it, for sway and yaw.
void refract_flux(float KCOMOV, float GRPSPQ) {
    const float G = WAVCOM.G;
    float CRXCMP1 = kept.CRXCMP2;
    float CRYCMP1 = 0.0f;
    if (std::abs(kept.SINFLX2) > 0.0001f) {
        const bool down_wave = kept.CRYCMP2 * kept.SINFLX2 > 0.0f;
        CRXCMP1 = down_wave ? kept.CRXCMPDN : kept.CRXCMPUP;
        CRYCMP1 = down_wave ? kept.CRYCMPDN : kept.CRYCMPUP;
    }
    const float shift =
        1.0f +
        ((kept.CRXCMP2 - CRXCMP1) * kept.CRWVHD + kept.CRYCMP2 * kept.SRWVHD) * 0.5f / GRPSPQ;
    const float WVK1Q = KCOMOV * shift * shift;
    const float WVK1X = KCOMOV * kept.CRWVHD;
    const float ALPHAX = WVK1X / WVK1Q;
    const float BETAX = CRYCMP1 * std::sqrt(WVK1Q / G);
    float YY = 0.0f;
    if (std::abs(ALPHAX) < 1.0f) {
        const float YC = -std::copysign(1.0f, kept.SINFLX2) * std::sqrt(1.0f - ALPHAX * ALPHAX);
        if (BETAX != 0.0f)
            GETVKY(YY, 2.0f * YC, ALPHAX, BETAX, TPCM.EDUNIT, keyboard_unit);
        else
            YY = YC;
    }
    const float WVK1Y = WVK1Q * YY;
    const float WVK1 = std::sqrt(WVK1X * WVK1X + WVK1Y * WVK1Y);
    // A refracted wave of no wave number has no direction: the unrefracted flux stands.
    if (!(WVK1 > 0.0f))
        return;
    const float GRPSP1 = 0.5f * std::sqrt(G / WVK1);
    const float VG1X = GRPSP1 * WVK1X / WVK1 + CRXCMP1;
    const float VG1Y = GRPSP1 * WVK1Y / WVK1;
    kept.FLXANG1 = std::atan2(-VG1Y, -VG1X);
    kept.SINFLX1 = std::sin(kept.FLXANG1);
    kept.COSFLX1 = std::cos(kept.FLXANG1);
}

// The heading factors of the models, from the first frequency's flux direction.
void set_model_factors(std::int32_t LCOMP, std::int32_t DOUSER, std::int32_t DRFTYP) {
    const EquilbBlock& E = EQUILB;
    switch (LCOMP) {
    case 1:
        kept.SMNGFC = -kept.COSFLX1;
        break;
    case 2: {
        kept.SMNGFC = -kept.SINFLX1;
        const float SINCUB = kept.SINFLX1 * kept.SINFLX1 * kept.SINFLX1;
        if (DRFTYP == 2) {
            kept.FYENDK = ANGFC(2, kept.FLXANG1, E.BOWANG, E.BLRAT0, E.COTBOW);
            kept.FYBFAC = E.LEFRAT * SINCUB;
        } else if (DRFTYP == 6) {
            kept.FYBFAC = E.LEFRT2;
        }
        break;
    }
    case 3:
        kept.SMNGFC = 0.0f;
        if (DRFTYP == 6)
            kept.CUBFC2 = (E.BOWARM - E.STRNRM) * E.LEFRT2;
        break;
    default:
        internal_error_stop(TPCM.EDUNIT, {" >>> LCOMP error in DRIFTF; contact Kelbrin."});
    }
    kept.ANGFCQ = 1.0f;
    if (DOUSER == 1)
        return;
    if (DRFTYP == 2 && LCOMP == 1)
        kept.ANGFCQ = ANGFC(1, kept.FLXANG1, E.BOWANG, E.BLRAT0, E.COTBOW);
    else if (DRFTYP == 2 && LCOMP == 3)
        kept.ANGFCQ = E.MOMCOF * ANGFC(3, kept.FLXANG1, E.BOWANG, E.BLRAT0, E.COTBOW);
    else if (DRFTYP == 6 && LCOMP == 1)
        kept.ANGFCQ = ANGFC2(1, kept.FLXANG2, E.BOWANG, E.STRNAN, E.BOWARM, E.STRNRM, E.BLRAT0,
                             E.COTBOW, E.COTSTN);
}

// The ship and box hull models (codes 2 and 6) at the dimensionless frequency X.
float wall_sided_hull(std::int32_t LCOMP, std::int32_t DRFTYP, float X, float RELMRAT) {
    const TpcmBlock& T = TPCM;
    const EquilbBlock& E = EQUILB;
    const float sway_sign = kept.SINFLX1 * std::abs(kept.SINFLX1);
    if (LCOMP == 1)
        return DRFTCA(1, X, T.WVFCX, DRFTYP, RELMRAT);
    if (LCOMP == 2) {
        if (DRFTYP == 2)
            return -kept.FYBFAC * DRFTCA(2, X, T.WVFCY, DRFTYP, RELMRAT) +
                   kept.FYENDK * DRFTCA(1, X, T.WVFCX, DRFTYP, RELMRAT);
        kept.FYENDK = ANGFC2(2, kept.FLXANG1, E.BOWANG, E.STRNAN, E.BOWARM, E.STRNRM, E.BLRAT0,
                             E.COTBOW, E.COTSTN);
        return (kept.FYENDK - kept.FYBFAC * sway_sign) * DRFTCA(2, X, T.WVFCY, DRFTYP, RELMRAT);
    }
    if (DRFTYP == 2)
        return DRFTCA(3, X, T.WVFCM, DRFTYP, RELMRAT);
    const float FZENDK = ANGFC2(3, kept.FLXANG1, E.BOWANG, E.STRNAN, E.BOWARM, E.STRNRM, E.BLRAT0,
                                E.COTBOW, E.COTSTN);
    return FZENDK * DRFTCA(3, X, T.WVFCM, DRFTYP, RELMRAT) -
           kept.CUBFC2 * sway_sign * DRFTCA(2, X, T.WVFCY, DRFTYP, RELMRAT);
}

// The response column IWAVID of RLRAOH2 at wave number WAVK over the grid's wave numbers; the
// end value outside the grid.
float response_at_wave_number(float WAVK, std::int32_t IWAVID) {
    const std::int32_t NWP = TPCM.NWP;
    const std::span<const float> WVK(&WAVCOM.WVK(1), static_cast<std::size_t>(NWP));
    std::array<float, 100> column{};
    for (std::int32_t k = 1; k <= NWP; ++k)
        column[slot(k)] = PASCOM.RLRAOH2(k, IWAVID);
    const std::span<const float> RAO(column.data(), static_cast<std::size_t>(NWP));
    std::int32_t IER = 0;
    std::int32_t MIN = 0;
    BSRCH(WVK, WAVK, IER, MIN, NWP);
    if (IER == 1 || IER == 2) {
        // Outside the grid: the value at the nearer end.
        const bool rising = WVK.front() <= WVK.back();
        const bool at_low_end = IER == 1;
        return rising == at_low_end ? RAO.front() : RAO.back();
    }
    float value = 0.0f;
    INTERP(WVK, RAO, WAVK, value, MIN);
    return value;
}

// The vertical-cylinder models (codes 5 and 7) at grid frequency IW.
float vertical_cylinder(std::int32_t LCOMP, std::int32_t IW, float WTMP, std::int32_t IWAVID) {
    const TpcmBlock& T = TPCM;
    if (LCOMP == 3)
        return 0.0f;
    const float factor = LCOMP == 1 ? T.WVFCX : T.WVFCY;
    const float XLFAC = LCOMP == 1 ? (T.SEMI_LIKE != 0 ? PASCOM.MENWLX : T.BWL)
                                   : (T.SEMI_LIKE != 0 ? PASCOM.MENWLY : T.LWL);
    float WAVK = 0.0f;
    const float TMPFAC = factor * CYLDFT(WTMP * kept.WDCNST, 0.5f * XLFAC, T.DRAFT, T.DEPTH, WAVK,
                                         IW, T.NWP, T.EDUNIT, keyboard_unit);
    const float RAOFAC2 = response_at_wave_number(WAVK, IWAVID);
    const float RAOFAC = T.LEG_CYL_DFC != 0 ? RAOFAC2 : std::sqrt(RAOFAC2);
    return factor * kept.SMNGFC * TMPFAC * RAOFAC;
}

} // namespace

float DISPRS2(float X, float OMEGA, float CURCST) {
    const float relative = OMEGA - X * CURCST;
    return relative * relative - X * std::tanh(X);
}

void WAVCURVEC(float OMEGA, float CURCST, float& WVVEC) {
    float upper = std::abs(OMEGA / CURCST);
    for (int doubling = 0; doubling <= 20; ++doubling) {
        float F = 0.0f;
        std::int32_t IER = 0;
        RTMI1(
            WVVEC, F, [OMEGA, CURCST](float X) { return DISPRS2(X, OMEGA, CURCST); }, 0.0f, upper,
            1.0e-5f, 0.0f, 100, IER);
        if (IER == 0)
            return;
        if (IER != 2)
            internal_error_stop(TPCM.EDUNIT,
                                {" >>> In WAVCURVEC; IER = " + std::to_string(IER),
                                 "     Contact Kelbrin; press \"C\" + <RETURN> to continue"});
        upper *= 2.0f;
    }
    WVVEC = 0.0f;
}

float VKYFUN(float YY, float ALPHAX, float BETAX) {
    return 1.0f - std::pow(YY * YY + ALPHAX * ALPHAX, 0.25f) - BETAX * YY;
}

float VKYPFUN(float YY, float ALPHAX, float BETAX) {
    return YY + 2.0f * BETAX * std::pow(YY * YY + ALPHAX * ALPHAX, 0.75f);
}

void GETVKY(float& YY, float GUESSH, float ALPHAX, float BETAX, int IOSCRN, int /*KBD*/) {
    float F = 0.0f;
    std::int32_t IER = 0;
    RTMI1(
        YY, F, [ALPHAX, BETAX](float Y) { return VKYFUN(Y, ALPHAX, BETAX); }, 0.0f, GUESSH, 1.0e-6f,
        0.0f, 100, IER);
    if (IER == 1)
        internal_error_stop(IOSCRN, {" ++> Iteration overflow in GETVKY; IER = " + I(IER, 2),
                                     "     Please report this ocurrence to Kelbrin"});
    if (IER == 2)
        YY = 0.0f;
}

float DRFTC(std::int32_t LCOMP, std::int32_t IW, std::int32_t DOUSER, std::int32_t DRFTYP,
            std::string_view USERDAT, float RELANG, bool& FRSTIM, std::string_view CLDBY,
            std::int32_t IWAVID) {
    const TpcmBlock& T = TPCM;
    const float G = WAVCOM.G;
    const bool first = FRSTIM;
    if (first)
        set_up_evaluation(LCOMP, DOUSER, DRFTYP, RELANG, CLDBY);

    // 6 and 7: the wave number and frequency in the current's frame, the current's amplification
    // and the energy-flux direction.
    const float W = WAVCOM.W(IW);
    float KCOMOV = WAVCOM.WVK(IW);
    float WCOMOV = W;
    float WTMP = W;
    float CRNHNC = 1.0f;
    float GRPSPQ = 0.0f;
    bool flux_set = false;
    if (T.LCURNT != 0) {
        if (std::abs(kept.CURCMP) >= 0.0001f) {
            float kd = 0.0f;
            WAVCURVEC(W * kept.WDCNST, kept.CURCMP / std::sqrt(G * T.DEPTH), kd);
            KCOMOV = kd / T.DEPTH;
            if (KCOMOV <= 0.0f)
                return 0.0f; // the wave cannot run against this current
        }
        WCOMOV = W - kept.CURCMP * KCOMOV;
        GRPSPQ = GRPVEL(KCOMOV, WCOMOV, T.DEPTH, G);
        if (!(DOUSER != 0 && T.CURCOR != 1)) {
            WTMP = WCOMOV;
            CRNHNC = 1.0f + 2.0f * kept.CURCMP / GRPSPQ;
            if (T.LEGDFC == 0) {
                CRNHNC += kept.TMPCSP * kept.TMPCSP / (GRPSPQ * GRPSPQ);
                const float scale = GRPSPQ * std::sqrt(CRNHNC);
                kept.SINFLX2 = -(GRPSPQ * kept.SRWVHD + kept.CRYCMP2) / scale;
                kept.COSFLX2 = -(GRPSPQ * kept.CRWVHD + kept.CRXCMP2) / scale;
                kept.FLXANG2 = std::atan2(kept.SINFLX2, kept.COSFLX2);
                kept.SINFLX1 = kept.SINFLX2;
                kept.COSFLX1 = kept.COSFLX2;
                kept.FLXANG1 = kept.FLXANG2;
                flux_set = true;
                if (kept.MODFLX && (LCOMP == 2 || LCOMP == 3))
                    refract_flux(KCOMOV, GRPSPQ);
            }
        }
    } else {
        GRPSPQ = GRPVEL(KCOMOV, WCOMOV, T.DEPTH, G);
    }
    // Without a flux of its own the wave's energy runs along the relative angle.
    if (!flux_set && first)
        set_flux(RELANG);
    // The heading factors, once per evaluation.
    if (first) {
        set_model_factors(LCOMP, DOUSER, DRFTYP);
        FRSTIM = false;
    }

    // The model's coefficient.
    float C = 0.0f;
    float SWATFC = 1.0f;
    if (DOUSER == 1) {
        if (T.CURCOR == 0)
            WTMP = W;
        C = multiplier(LCOMP) * DRFTCB(WTMP, LCOMP, kept.FLXANG1, T.EDUNIT, keyboard_unit, USERDAT);
    } else {
        SWATFC = 2.0f * std::sqrt(KCOMOV / G) * GRPSPQ;
        switch (DRFTYP) {
        case 3:
            C = multiplier(LCOMP) * kept.SMNGFC *
                SEMDFT(LCOMP, WTMP / kept.FRQSCL, T.XSHDOW, T.YSHDOW, T.LWL, T.BWL, kept.FLXANG1,
                       T.EDUNIT, keyboard_unit);
            break;
        case 2:
        case 6: {
            float RELMRAT = 1.0f;
            if (DRFTYP == 6) {
                // The reflection relative to its value at k DRAFT = 0.67; where the hull reflects
                // nothing at that wave number the ratio is held at 1.
                const float reflection = box_reflection(KCOMOV, RELANG, LCOMP);
                RELMRAT = kept.RELHALF != 0.0f ? reflection / kept.RELHALF : 1.0f;
            }
            C = wall_sided_hull(LCOMP, DRFTYP, WTMP / kept.FRQSCL, RELMRAT);
            break;
        }
        case 4: {
            if (LCOMP == 3)
                break;
            float kd = 0.0f;
            WAVVEC(WTMP * kept.WDCNST, kd);
            const float WAVK = kd / T.DEPTH;
            C = multiplier(LCOMP) * 0.33333f * kept.SMNGFC *
                (std::tanh(0.5f * WAVK * T.LWL - 3.5f) + 1.0f);
            break;
        }
        case 5:
        case 7:
            C = vertical_cylinder(LCOMP, IW, WTMP, IWAVID);
            break;
        default:
            // Said once per evaluation: the prompt would otherwise come once per frequency.
            if (first) {
                write_record(
                    T.EDUNIT,
                    " ++> Warning: Drift forces for this vessel type are not implemented.");
                std::int32_t LBACK = 0;
                ABORT0(T.EDUNIT, keyboard_unit, LBACK);
                if (LBACK == -1)
                    stop_program(StopKind::user_choice);
            }
            C = 0.0f;
        }
    }
    return C * kept.ANGFCQ * CRNHNC * SWATFC;
}

float DRIFTF(std::int32_t LVARST, std::int32_t LCOMP, float RELANG, std::span<const float, 100> PSD,
             float WC, std::int32_t /*LSPREAD*/, std::int32_t IWAVID) {
    const TpcmBlock& T = TPCM;
    guard_wave_load_tables(T.EDUNIT);
    const std::int32_t DRFTYP = NIBVAL(T.LWVCOF, LCOMP, T.EDUNIT);
    const std::int32_t DOUSER = DRFTYP == 1 ? 1 : 0;
    const std::string USERDAT =
        DOUSER == 1 ? user_drift_file_name(T.SIMTYP, T.ISPM) : std::string(13, ' ');
    std::array<float, 100> TPSD{};
    bool FRSTIM = true;
    for (std::int32_t IW = 1; IW <= T.NWP; ++IW) {
        const auto i = slot(IW);
        TPSD[i] =
            DRFTC(LCOMP, IW, DOUSER, DRFTYP, USERDAT, RELANG, FRSTIM, "DRIFTF", IWAVID) * PSD[i];
    }
    if (LVARST == 0) {
        float VAR = 0.0f;
        float VARDOT = 0.0f;
        SMPINT(TPSD, VAR, VARDOT);
        return VAR;
    }
    float DELTAW = WC;
    float GVAR = 0.0f;
    float GVARDOT = 0.0f;
    float VGPSD2 = 0.0f;
    float VDGPSD2 = 0.0f;
    GET_GVAR(DELTAW, WAVCOM.W_words, T.NWP, TPSD, GVAR, GVARDOT, VGPSD2, VDGPSD2);
    if (T.NBUG != 0)
        write_record(T.EDUNIT, " DRIFTF: GVAR = " + E(GVAR, 14, 6));
    return std::abs(GVAR);
}

} // namespace lintar
