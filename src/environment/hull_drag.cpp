// environment/hull_drag.cpp: the ship-hull and member models of the viscous drag load.
#include "environment/hull_drag.h"
#include "util/angles.h"

#include "environment/wave_table_check.h"

#include "blocks/equilb.h"
#include "blocks/pascom.h"
#include "blocks/simcom.h"
#include "blocks/sines.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "environment/current_coefficients.h"
#include "environment/drag_kernels.h"
#include "environment/fourier_basis.h"
#include "environment/reflection_and_slow_drift.h"
#include "environment/user_drift_file.h"
#include "environment/wave_drift.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/flags.h"
#include "util/prompts.h"
#include "util/wave_numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <string>

namespace lintar {

namespace {

struct HullDragStore {
    // The correlation-underflow warning may still be given, per sea component.
    std::array<bool, 3> FRSTWRN{true, true, true};
};
HullDragStore store;
const StateReset reset_store{[] { store = HullDragStore{}; }, StoreKind::analysis};

using Spectrum = std::array<float, 100>;

float zeroth_moment(const Spectrum& P) {
    float VAR = 0.0f, VARDOT = 0.0f;
    SMPINT(P, VAR, VARDOT);
    return VAR;
}

float zeroth_moment(GridSpectrum P) {
    float VAR = 0.0f, VARDOT = 0.0f;
    SMPINT(P, VAR, VARDOT);
    return VAR;
}

float group_value(float& WC, GridSpectrum P) {
    float GVAR = 0.0f, GVARDOT = 0.0f, VGPSD2 = 0.0f, VDGPSD2 = 0.0f;
    GET_GVAR(WC, WAVCOM.W_words, TPCM.NWP, P, GVAR, GVARDOT, VGPSD2, VDGPSD2);
    return GVAR;
}

// The drift method of the component and, for the user file, its name; "Not Defined" otherwise.
struct DriftMethod {
    std::int32_t DRFTYP = 0;
    std::int32_t DOUSER = 0;
    std::string USERDAT;
};
DriftMethod drift_method(std::int32_t LCOMP) {
    const auto& T = TPCM;
    DriftMethod m;
    m.DRFTYP = NIBVAL(T.LWVCOF, LCOMP, T.EDUNIT);
    if (m.DRFTYP == 1) {
        m.DOUSER = 1;
        m.USERDAT = user_drift_file_name(T.SIMTYP, T.ISPM);
    } else {
        m.USERDAT = "Not Defined  ";
    }
    return m;
}

// The heading of the sea component (degrees), or the fatal stop of an invalid component.
float sea_heading(std::int32_t IWAVID, std::string_view routine) {
    const auto& T = TPCM;
    switch (IWAVID) {
    case 1:
        return T.SEAHDG(1);
    case 2:
        return T.SWLHDG;
    case 3:
        return T.SWLHDG2;
    default:
        fatal_stop(T.EDUNIT, keyboard_unit, {" =+> Invalid IWAVID in " + std::string(routine)});
    }
}

// The two-line warning with the abort prompt; an abort ends the run at the user's choice.
void warn_with_abort(const std::string& first) {
    write_record(TPCM.EDUNIT, first);
    write_record(TPCM.EDUNIT, "     please forward this datafile to Kelbrin for analysis.");
    std::int32_t LBACK = 0;
    ABORT0(TPCM.EDUNIT, keyboard_unit, LBACK);
    if (LBACK < 0)
        stop_program(StopKind::user_choice);
}

// The length scale of the component: the beam for surge, the length for sway, its square for
// yaw.
float length_scale(std::int32_t LCOMP) {
    const auto& T = TPCM;
    if (LCOMP == 1)
        return T.BWL;
    if (LCOMP == 2)
        return T.LWL;
    return T.LWL * T.LWL;
}

} // namespace

void ship_drag(std::int32_t LVARST, std::int32_t LCOMP, float RELANG, GridSpectrum PSD, float WC,
               float& FOUTD, float& FOUTR, std::int32_t IWAVID, const ShipDrift& drift) {
    const auto& T = TPCM;
    const auto& V = WAVCOM;
    // The drift method, the working spectra and the sea component.
    const DriftMethod method = drift_method(LCOMP);
    Spectrum S_DGPSD{}, MDFPSD{};
    (void)sea_heading(IWAVID, "dragf");

    // Current coefficient: a displacement hull by its own model, any other by -cos, -sin
    // (code 7 in all three nibbles); a disc-shaped hull keeps only the sign.
    const std::int32_t code = T.VESTYP == 1 ? T.LCBARG : 1911;
    TRIGLD(RELANG);
    float CDEFF =
        T.CURFAC * CRNTCF(LCOMP, code, T.DFTPCT, T.BOWCUR, SINES.HOVERD, RELANG, T.XCURAR, T.YCURAR,
                          T.XCARM, T.YCARM, T.LWL, T.BWL, T.EDUNIT, T.ISPM, T.SIMTYP);
    if (T.VESTYP == 4)
        CDEFF = std::copysign(1.0f, CDEFF);

    // Scales.
    const float LENSCAL = length_scale(LCOMP);
    const float A_CONST = T.DWATR * 0.0005f * LENSCAL / V.G;
    const float FDCNST = A_CONST * CDEFF;
    const float FRCNST = LENSCAL * T.DWATR * 0.001f;
    const float VWD_XFAC = std::sqrt(T.VWDFAC * T.VWDRGFC);

    // Drag weighting and drift spectra. The tables hold squared transfer functions; a
    // negative entry (none is written) is taken by its magnitude rather than raised to a real
    // power.
    const std::int32_t NWP = std::min(T.NWP, 100);
    auto& P = PASCOM;
    for (std::int32_t IW = 1; IW <= NWP; ++IW) {
        const float R = LCOMP == 1   ? P.RLRAO2(IW, IWAVID)
                        : LCOMP == 2 ? P.FDRGLAT(IW, IWAVID)
                                     : P.MDRGLAT(IW, IWAVID);
        S_DGPSD[slot(IW)] = std::pow(std::abs(R), 0.66667f) * PSD[slot(IW)];
        MDFPSD[slot(IW)] =
            drift(LCOMP, IW, method.DOUSER, method.DRFTYP, method.USERDAT, RELANG, IWAVID) *
            PSD[slot(IW)];
    }

    // Variances and the mean results.
    const float VARWV = zeroth_moment(PSD);
    const float VAR_S_REL = zeroth_moment(S_DGPSD);
    const float VAR_P = zeroth_moment(MDFPSD);
    FOUTR = FRCNST * VAR_P;
    FOUTD = 1.5958f * A_CONST * CDEFF * VAR_S_REL * std::sqrt(std::abs(VAR_S_REL));

    // Spectral densities at WC, by the normalised group value of the sea.
    if (LVARST == 0 || (FOUTD == 0.0f && FOUTR == 0.0f))
        return;
    const float GVARW = group_value(WC, PSD);
    const float GVARWQ = VARWV != 0.0f ? GVARW / (VARWV * VARWV) : 0.0f;
    FOUTD = 11.46f * T.VWDRGFC * FDCNST * FDCNST * GVARWQ * (VAR_S_REL * VAR_S_REL * VAR_S_REL);
    FOUTR = std::abs(9.575f * VWD_XFAC * FDCNST * FRCNST * GVARWQ * VAR_P *
                     std::pow(std::abs(VAR_S_REL), 1.5f));
}

namespace {

// The sea of one component as the member drag sees it: its statistics and spectral peak, the
// scales of the component, the drift method, the rotation centre and the sea's heading.
struct SemiDragSea {
    float VARWV, SIG0WV, TWVPK;
    std::int32_t I_TWVPK;
    float ENHANC, A_CONST, A_CONST_S, FRCNST, FRCNST_S, VWD_XFAC;
    bool legacy;
    DriftMethod method;
    float EFF_ROT_CTR, WAVHDG_LOC;
};

// semi_drag_sea: the sea statistics and peak of PSD, the scales of component LCOMP (with the
// legacy drag model, LEGDRG, the drag scales are 0: callers do not ask for drag loads then), the
// drift method, the effective rotation centre (warned about when pitch and roll centres lie far
// apart) and the heading of sea IWAVID. Reads TPCM, WAVCOM and PASCOM; ends the run on an abort
// answer or an invalid sea.
SemiDragSea semi_drag_sea(std::int32_t LCOMP, GridSpectrum PSD, std::int32_t IWAVID) {
    const auto& T = TPCM;
    const auto& V = WAVCOM;
    const auto& P = PASCOM;
    SemiDragSea sea{};
    sea.VARWV = zeroth_moment(PSD);
    sea.SIG0WV = std::sqrt(std::max(sea.VARWV, 0.0f));
    float PSDPK = 0.0f;
    std::int32_t ILAST = 0, IHALFP = 0, IHALFM = 0;
    PSDPEK(PSD, V.W_words, PSDPK, sea.TWVPK, sea.I_TWVPK, ILAST, false, IHALFP, IHALFM);

    const float LENSCAL = length_scale(LCOMP);
    sea.ENHANC = LCOMP == 1 ? T.WVDGCX : LCOMP == 2 ? T.WVDGCY : T.WVDGCM;
    sea.legacy = is_true(T.LEGDRG);
    sea.A_CONST = sea.legacy ? 0.0f : T.DWATR * 0.0005f * LENSCAL / V.G;
    sea.A_CONST_S = sea.legacy ? 0.0f : T.DWATR * 0.0005f / V.G;
    sea.FRCNST = T.DWATR * 0.001f * LENSCAL;
    sea.FRCNST_S = T.DWATR * 0.001f;
    sea.VWD_XFAC = std::sqrt(T.VWDFAC * T.VWDRGFC);

    sea.method = drift_method(LCOMP);

    sea.EFF_ROT_CTR = (P.VTCRPS + P.VTCRRS) / 2.0f;
    if (std::abs(sea.EFF_ROT_CTR) > 1.0f && std::abs(1.0f - P.VTCRPS / P.VTCRRS) > 0.5f)
        warn_with_abort(" +=> Suspiciously large separation between pitch and roll rotation "
                        "centers;");

    sea.WAVHDG_LOC = sea_heading(IWAVID, "dragf_semi");
    return sea;
}

// The sea at its peak: the current relative to the waves, the wave direction, the group value
// of the sea, the narrow-band sea at the peak and the current scale.
struct PeakSea {
    float COSTHETACW, SINTHETACW, TANTHETACW, COSWAV, SINWAV;
    float GVARW, WPK_NB, WPK_NB2, WAVK, RAOWAV_ALIGN, SURF_DIM_NB, SUBS_DIM_NB;
    float B0_CONST;
};

// peak_sea: the sea of `sea` at its peak for the wave direction RELANG and difference frequency
// WC. The current's cosine is held at 1e-6 or more in magnitude, with its sign: a current across
// the waves then gives the finite limit of the perpendicular term instead of a division by zero.
// Reads TPCM, WAVCOM, PASCOM and EQUILB.
PeakSea peak_sea(const SemiDragSea& sea, float RELANG, float& WC, GridSpectrum PSD,
                 std::int32_t IWAVID) {
    const auto& T = TPCM;
    const auto& V = WAVCOM;
    PeakSea peak{};
    peak.COSTHETACW = 1.0f;
    peak.SINTHETACW = 0.0f;
    peak.TANTHETACW = 0.0f;
    const bool current = is_true(T.LCURNT);
    if (current) {
        const float angle = T.CURHDG / degrees_per_radian - (RELANG + EQUILB.VESANG() + pi_single);
        peak.COSTHETACW = std::cos(angle);
        peak.SINTHETACW = std::sin(angle);
        if (std::abs(peak.COSTHETACW) < 1.0e-6f)
            peak.COSTHETACW = std::copysign(1.0e-6f, peak.COSTHETACW);
        peak.TANTHETACW = peak.SINTHETACW / peak.COSTHETACW;
    }
    peak.COSWAV = std::cos(RELANG);
    peak.SINWAV = std::sin(RELANG);

    peak.GVARW = group_value(WC, PSD);

    peak.WPK_NB = two_pi_single / sea.TWVPK;
    peak.WPK_NB2 = peak.WPK_NB * peak.WPK_NB;
    const float OMEGA = peak.WPK_NB * std::sqrt(T.DEPTH / V.G);
    float WAVKD = 0.0f;
    WAVVEC(OMEGA, WAVKD);
    peak.WAVK = WAVKD / T.DEPTH;
    peak.RAOWAV_ALIGN = PASCOM.HRAO(sea.I_TWVPK, IWAVID);
    peak.SURF_DIM_NB = sea.A_CONST * sea.SIG0WV * sea.VARWV * peak.WPK_NB2;
    peak.SUBS_DIM_NB = peak.WPK_NB2 * sea.VARWV * sea.A_CONST * T.DRAFT;

    peak.B0_CONST = no_current_ratio;
    if (current && T.CURSPD != 0.0f) {
        const float TMPCSP = T.CURSPD * (T.NUNTS == 1 ? 0.5142f : 1.687f);
        const float TMPCSPX = TMPCSP * peak.COSTHETACW;
        peak.B0_CONST = sea.SIG0WV * peak.WPK_NB / TMPCSPX;
    }
    return peak;
}

// The geometry of one member seen by the waves.
struct Member {
    float XCOL, EFFDIA_WDF, EFFDIA_CD, PHSHFT_W, COS_C;
};

// member_geometry: member ICYL's position along the waves, its effective diameters for drift
// and drag, and its phase at the waterline against the vessel's response at the peak. Reads
// TPCM and SIMCOM.
Member member_geometry(std::int32_t ICYL, const PeakSea& peak) {
    const auto& T = TPCM;
    const auto& S = SIMCOM;
    const float XLOC = T.RCYLB(1, ICYL) + S.CYLLEN(ICYL) * S.DIRVEC(1, ICYL);
    const float YLOC = T.RCYLB(2, ICYL) + S.CYLLEN(ICYL) * S.DIRVEC(2, ICYL);
    Member m{};
    m.XCOL = -XLOC * peak.COSWAV - YLOC * peak.SINWAV;
    const float EFFDIA_RAD = std::sqrt(T.XAREA(ICYL) / pi_single);
    m.EFFDIA_WDF = 2.0f * EFFDIA_RAD;
    m.EFFDIA_CD = (T.CYLCD(1, ICYL) + T.CYLCD(2, ICYL)) * EFFDIA_RAD;
    m.PHSHFT_W = (YLOC * peak.SINWAV + XLOC * peak.COSWAV) * peak.WAVK;
    const float RAOWAV_ALIGN = peak.RAOWAV_ALIGN;
    const float RI_ANG = std::atan2(std::sin(m.PHSHFT_W), std::cos(m.PHSHFT_W) - RAOWAV_ALIGN);
    m.COS_C = (RAOWAV_ALIGN != 0.0f && (RAOWAV_ALIGN != 1.0f || m.PHSHFT_W != 0.0f))
                  ? std::cos(m.PHSHFT_W - RI_ANG)
                  : 1.0f;
    return m;
}

// What the member loops share: the sea and its peak, the member setting, the vessel's RAOs, the
// aligned drift and the depth-point count the preparation keeps.
struct MemberLoop {
    const SemiDragSea& sea;
    const PeakSea& peak;
    MemberDragSetting& setting;
    const std::array<std::complex<float>, 100>& H_RAO;
    const std::array<std::complex<float>, 100>& A_RAO;
    GridSpectrum PSD;
    const AlignedDrift& drift;
    std::int32_t& NDEPTHQ;
};

// The sums of the mean mode over the surface-piercing members, and the last member's factors.
struct MeanSums {
    float AVGWLL = 0.0f, SUMFRC_SURF_PRP_NB = 0.0f, SUMFRC_SUBS_GAUS = 0.0f,
          SUMFRC_SURF_GAUS = 0.0f;
    MemberDragFactors prep;
};

// mean_member_sums: the mean drag factors of every surface-piercing member summed, the
// preparation at difference frequency WC. Reads TPCM and SIMCOM; writes setting.XCOL.
MeanSums mean_member_sums(MemberLoop& loop, float& WC) {
    const std::int32_t NCYL = std::min(TPCM.NCYL, std::int32_t{simcom_member_capacity});
    MeanSums sums;
    for (std::int32_t ICYL = 1; ICYL <= NCYL; ++ICYL) {
        if (!is_true(SIMCOM.LPIERCE(ICYL)))
            continue;
        const Member m = member_geometry(ICYL, loop.peak);
        sums.AVGWLL += m.EFFDIA_WDF;
        sums.SUMFRC_SURF_PRP_NB +=
            m.EFFDIA_CD *
            FCF_SURF_PRP(loop.peak.B0_CONST, loop.peak.RAOWAV_ALIGN, m.PHSHFT_W, m.COS_C, 27);
        loop.setting.XCOL = m.XCOL;
        prepare_member_drag(WC, sums.prep, 0, loop.PSD, loop.H_RAO, loop.A_RAO, loop.setting,
                            loop.NDEPTHQ, loop.drift);
        sums.SUMFRC_SUBS_GAUS += m.EFFDIA_CD * sums.prep.FSUB;
        sums.SUMFRC_SURF_GAUS += m.EFFDIA_CD * sums.prep.FSURF;
    }
    return sums;
}

// The sums of the spectral mode over the surface-piercing members: the narrow-band sums, the
// members' densities combined fully correlated, and the last member's factors.
struct SpectralSums {
    float SUMSPC_SUBS_NB = 0.0f, SUMSPC_SURF_NB = 0.0f, SUMSPC_SURF_PRP_NB = 0.0f;
    float SF_TOTAL_SUM = 0.0f;
    float SF_TOTAL_Base = 0.0f, SF_DRAG_Base = 0.0f, SF_DRIFT_Base = 0.0f;
    float COR_FAC_TOT = 0.0f, COR_FAC_DRG = 0.0f, COR_FAC_WDF = 0.0f;
    MemberDragFactors prep;
};

// spectral_member_sums: the spectral densities of every surface-piercing member at difference
// frequency WC, each member's share of the fully correlated sum taken against the first
// member's. Reads TPCM, SIMCOM and PASCOM; writes setting.XCOL.
SpectralSums spectral_member_sums(MemberLoop& loop, float& WC, std::int32_t LVARST,
                                  std::int32_t IWAVID) {
    const auto& T = TPCM;
    const SemiDragSea& sea = loop.sea;
    const PeakSea& peak = loop.peak;
    const std::complex<float> HOR_PEAK = PASCOM.HOR_WAV_RAO(sea.I_TWVPK, IWAVID);
    const std::complex<float> ANG_PEAK = PASCOM.ANG_WAV_RAO(sea.I_TWVPK, IWAVID);
    // The member's share of the fully correlated sum: sqrt(value / base), 0 when the base is not
    // positive or the value is negative (no density).
    const auto share = [](float value, float base) {
        return base > 0.0f && value >= 0.0f ? std::sqrt(value / base) : 0.0f;
    };
    const std::int32_t NCYL = std::min(T.NCYL, std::int32_t{simcom_member_capacity});
    SpectralSums sums;
    bool first = true;
    for (std::int32_t ICYL = 1; ICYL <= NCYL; ++ICYL) {
        if (!is_true(SIMCOM.LPIERCE(ICYL)))
            continue;
        const Member m = member_geometry(ICYL, peak);
        sums.SUMSPC_SUBS_NB +=
            m.EFFDIA_CD *
            GISUB_Z(HOR_PEAK, ANG_PEAK, m.PHSHFT_W, sea.EFF_ROT_CTR, 27, sea.WAVHDG_LOC, sea.SIG0WV,
                    peak.WPK_NB, peak.WAVK, loop.NDEPTHQ) /
            (sea.VARWV * peak.WPK_NB2 * T.DRAFT);
        sums.SUMSPC_SURF_NB +=
            m.EFFDIA_CD * GISURF(peak.B0_CONST, peak.RAOWAV_ALIGN, m.PHSHFT_W, m.COS_C, 27);
        sums.SUMSPC_SURF_PRP_NB +=
            m.EFFDIA_CD * GISURF_PRP(peak.B0_CONST, peak.RAOWAV_ALIGN, m.PHSHFT_W, m.COS_C, 27);
        loop.setting.XCOL = m.XCOL;
        MemberDragFactors& prep = sums.prep;
        prepare_member_drag(WC, prep, LVARST, loop.PSD, loop.H_RAO, loop.A_RAO, loop.setting,
                            loop.NDEPTHQ, loop.drift);

        const float DRG_CONST =
            (m.EFFDIA_CD * sea.A_CONST_S) * (m.EFFDIA_CD * sea.A_CONST_S) * T.VWDRGFC;
        const float DFT_CONST =
            2.0f * T.VWDFAC * (m.EFFDIA_WDF * sea.FRCNST_S) * (m.EFFDIA_WDF * sea.FRCNST_S);
        const float DRG_DFT_CONST =
            sea.VWD_XFAC * sea.A_CONST_S * sea.FRCNST_S * m.EFFDIA_CD * m.EFFDIA_WDF;
        const float SF_DRIFT = DFT_CONST * prep.SFX_WD;
        const float SF_DRAG = DRG_CONST * (prep.SFX_RR + prep.SFX_BB + 2.0f * prep.SFX_BR);
        const float SF_TOTAL =
            SF_DRIFT + SF_DRAG + 2.0f * DRG_DFT_CONST * (prep.SFX_WB + prep.SFX_WR);
        sums.SF_TOTAL_SUM += SF_TOTAL;
        if (first) {
            first = false;
            sums.SF_TOTAL_Base = SF_TOTAL;
            sums.SF_DRAG_Base = SF_DRAG;
            sums.SF_DRIFT_Base = SF_DRIFT;
        }
        sums.COR_FAC_TOT += share(SF_TOTAL, sums.SF_TOTAL_Base);
        sums.COR_FAC_DRG += share(SF_DRAG, sums.SF_DRAG_Base);
        sums.COR_FAC_WDF += share(SF_DRIFT, sums.SF_DRIFT_Base);
    }
    return sums;
}

// The mean drag along the component and the angle factors that carry the aligned load onto it.
struct MeanDrag {
    float FOUTD, ANGFACT_PARL_W;
};

// mean_drag: the mean drag of component LCOMP from the member sums: the aligned and
// perpendicular loads, their direction, and the load along the component. Pure.
MeanDrag mean_drag(const SemiDragSea& sea, const PeakSea& peak, const MeanSums& sums,
                   std::int32_t LCOMP, float RELANG) {
    const float FALIGN_WAVSUBS_GAUS = sea.A_CONST * sums.SUMFRC_SUBS_GAUS / sums.AVGWLL;
    const float FALIGN_WAVSURF_GAUS = sea.A_CONST * sums.SUMFRC_SURF_GAUS / sums.AVGWLL;
    const float FPERP_WAVSURF_GAUS =
        peak.SURF_DIM_NB * peak.TANTHETACW * sums.SUMFRC_SURF_PRP_NB / sums.AVGWLL;
    const float F_PERPTMP = sea.FRCNST * sums.prep.FWDRFT_PRP + FPERP_WAVSURF_GAUS;
    const float F_ALGNTMP = FALIGN_WAVSUBS_GAUS + FALIGN_WAVSURF_GAUS;
    const float ANGTMP_W = sea.legacy ? 0.0f : std::atan2(F_PERPTMP, F_ALGNTMP);
    const float COSWAVQ = std::cos(RELANG + ANGTMP_W);
    const float SINWAVQ = std::sin(RELANG + ANGTMP_W);
    float ANGFACT_PARL_W = 0.0f, ANGFACT_PERP_W = 0.0f;
    if (LCOMP == 1) {
        ANGFACT_PARL_W = -COSWAVQ;
        ANGFACT_PERP_W = SINWAVQ;
    } else if (LCOMP == 2) {
        ANGFACT_PARL_W = -SINWAVQ;
        ANGFACT_PERP_W = -COSWAVQ;
    }
    return {sea.ENHANC * (F_ALGNTMP * ANGFACT_PARL_W + FPERP_WAVSURF_GAUS * ANGFACT_PERP_W),
            ANGFACT_PARL_W};
}

// spectral_drag: the drag and drift densities of component LCOMP from the spectral sums, the
// narrow-band estimates at the peak standing for the drag where they are larger (with the
// correlation-underflow warning once per run and sea). Reads TPCM; writes FOUTD and FOUTR; ends
// the run on an abort answer.
void spectral_drag(const SemiDragSea& sea, const PeakSea& peak, const SpectralSums& sums,
                   float AVGWLL, float ANGFACT_PARL_W, std::int32_t LCOMP, std::int32_t IWAVID,
                   float& FOUTD, float& FOUTR) {
    const auto& T = TPCM;
    const float SPECALIGN_TOT = sums.COR_FAC_TOT * sums.COR_FAC_TOT * sums.SF_TOTAL_Base;
    float SPECALIGN_TOT_GAUS = sums.COR_FAC_DRG * sums.COR_FAC_DRG * sums.SF_DRAG_Base;
    const float SPECALIGN_TOT_WD = sums.COR_FAC_WDF * sums.COR_FAC_WDF * sums.SF_DRIFT_Base;

    // The narrow-band estimates at the peak.
    const float VAR2 = sea.VARWV * sea.VARWV;
    const float along = peak.SUBS_DIM_NB * sums.SUMSPC_SUBS_NB / AVGWLL +
                        peak.SURF_DIM_NB * sums.SUMSPC_SURF_NB / AVGWLL;
    const float SPECALIGN_TOT_NB = 2.0f * along * along * peak.GVARW / VAR2;
    const float across = peak.SURF_DIM_NB * peak.TANTHETACW * sums.SUMSPC_SURF_PRP_NB / AVGWLL;
    const float SPECPERP_TOT_NB = 2.0f * across * across * peak.GVARW / VAR2;
    if (std::abs(SPECALIGN_TOT_NB) > std::abs(SPECALIGN_TOT_GAUS)) {
        SPECALIGN_TOT_GAUS = SPECALIGN_TOT_NB;
        const float height = IWAVID == 1 ? T.SWHT(1) : IWAVID == 2 ? T.SWELHT : T.SWELHT2;
        auto& warn = store.FRSTWRN[slot(IWAVID)];
        if (sums.prep.VS_COR < 0.5f && warn && height > 1.0f) {
            warn = false;
            warn_with_abort(" +=> Possible correlation underflow in DRAGF: Mode " +
                            std::to_string(LCOMP % 10) + "...");
        }
    }
    FOUTD = T.VWDRGFC * (SPECALIGN_TOT_GAUS + SPECPERP_TOT_NB) * ANGFACT_PARL_W * ANGFACT_PARL_W;
    FOUTR = std::max(0.0f, (SPECALIGN_TOT - SPECALIGN_TOT_GAUS - SPECALIGN_TOT_WD) *
                               ANGFACT_PARL_W * ANGFACT_PARL_W);
}

} // namespace

void semi_drag(std::int32_t LVARST, std::int32_t LCOMP, float RELANG, GridSpectrum PSD, float WC,
               float& FOUTD, float& FOUTR, std::int32_t IWAVID, const AlignedDrift& drift) {
    const auto& T = TPCM;
    auto& P = PASCOM;
    const SemiDragSea sea = semi_drag_sea(LCOMP, PSD, IWAVID);
    std::int32_t NDEPTHQ = 11;

    // A sea without energy has no peak to take the narrow-band values at: no drag.
    if (!(sea.VARWV > 0.0f) || sea.I_TWVPK < 1) {
        FOUTD = 0.0f;
        FOUTR = 0.0f;
        return;
    }
    const PeakSea peak = peak_sea(sea, RELANG, WC, PSD, IWAVID);

    // The member settings and motions of this sea.
    MemberDragSetting setting;
    setting.SIG0WV = sea.SIG0WV;
    setting.EFF_ROT_CTR = sea.EFF_ROT_CTR;
    setting.NXP = 27;
    setting.DOUSER = sea.method.DOUSER;
    setting.USERDAT = sea.method.USERDAT;
    setting.RELANG = RELANG;
    setting.CLDBY = "DRAGF ";
    setting.COSTHETACW = peak.COSTHETACW;
    setting.SINTHETACW = peak.SINTHETACW;
    setting.WAVHDG_LOC = sea.WAVHDG_LOC;
    setting.IWAVID = IWAVID;
    std::array<std::complex<float>, 100> H_RAO{}, A_RAO{};
    for (std::int32_t IW = 1; IW <= std::min(T.NWP, 100); ++IW) {
        H_RAO[slot(IW)] = P.HOR_WAV_RAO(IW, IWAVID);
        A_RAO[slot(IW)] = P.ANG_WAV_RAO(IW, IWAVID);
    }
    MemberLoop loop{sea, peak, setting, H_RAO, A_RAO, PSD, drift, NDEPTHQ};

    // Mean mode.
    float mean_WC = WC;
    const MeanSums mean = mean_member_sums(loop, mean_WC);
    if (mean.SUMFRC_SUBS_GAUS == 0.0f && mean.SUMFRC_SURF_GAUS == 0.0f) {
        FOUTD = 0.0f;
        FOUTR = 0.0f;
        return;
    }
    const MeanDrag mean_load = mean_drag(sea, peak, mean, LCOMP, RELANG);
    FOUTD = mean_load.FOUTD;
    if (LVARST == 0)
        return;

    // Spectral mode: the members' densities, combined fully correlated.
    const SpectralSums spectral = spectral_member_sums(loop, WC, LVARST, IWAVID);
    if (spectral.SF_TOTAL_SUM == 0.0f) {
        FOUTD = 0.0f;
        FOUTR = 0.0f;
        return;
    }
    spectral_drag(sea, peak, spectral, mean.AVGWLL, mean_load.ANGFACT_PARL_W, LCOMP, IWAVID, FOUTD,
                  FOUTR);
}

void DRAGF_SHIP(std::int32_t LVARST, std::int32_t LCOMP, float RELANG, GridSpectrum PSD, float WC,
                float& FOUTD, float& FOUTR, std::int32_t IWAVID) {
    // Every frequency is a first call of the drift coefficient.
    ship_drag(LVARST, LCOMP, RELANG, PSD, WC, FOUTD, FOUTR, IWAVID,
              [](std::int32_t component, std::int32_t IW, std::int32_t DOUSER, std::int32_t DRFTYP,
                 const std::string& USERDAT, float angle, std::int32_t sea) {
                  bool FRSTIM = true;
                  return DRFTC(component, IW, DOUSER, DRFTYP, USERDAT, angle, FRSTIM, "DRAGF ",
                               sea);
              });
}

void DRAGF_SEMI(std::int32_t LVARST, std::int32_t LCOMP, float RELANG, GridSpectrum PSD, float WC,
                float& FOUTD, float& FOUTR, std::int32_t IWAVID) {
    semi_drag(LVARST, LCOMP, RELANG, PSD, WC, FOUTD, FOUTR, IWAVID, aligned_drift);
}

void DRAGF(std::int32_t LVARST, std::int32_t LCOMP, float RELANG, GridSpectrum PSD, float WC,
           float& FOUTD, float& FOUTR, std::int32_t IWAVID) {
    guard_wave_load_tables(TPCM.EDUNIT);
    if (is_true(TPCM.SEMI_LIKE))
        DRAGF_SEMI(LVARST, LCOMP, RELANG, PSD, WC, FOUTD, FOUTR, IWAVID);
    else
        DRAGF_SHIP(LVARST, LCOMP, RELANG, PSD, WC, FOUTD, FOUTR, IWAVID);
}

} // namespace lintar
