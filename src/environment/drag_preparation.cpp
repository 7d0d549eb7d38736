// environment/drag_preparation.cpp: the member-drag factors of one member and one sea.
#include "environment/drag_preparation.h"

#include "blocks/curprof.h"
#include "blocks/pascom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "environment/drag_kernels.h"
#include "environment/drift_models.h"
#include "environment/reflection_and_slow_drift.h"
#include "environment/user_drift_file.h"
#include "environment/wave_drift.h"
#include "runtime/assert.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/bessel_gamma.h"
#include "util/table_search.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace lintar {

namespace {

constexpr float sqrt_two = 1.4142135f;

using Spectrum = std::array<float, 100>;

// The place of wave grid row IW in a Spectrum, its bound checked in debug builds.
std::size_t grid_slot(std::int32_t IW) {
    return col_major(IW, 100);
}

// The ratio of the current to the deviation of the relative velocity at one depth. A depth
// whose relative velocity has no variance has an infinite ratio where there is a current (9
// stands for it: beyond 8 every moment takes its large-ratio value, and the spectra it weighs
// are then all 0) and none where there is no current.
float velocity_ratio(float VCX, float SIGV) {
    if (SIGV > 0.0f)
        return VCX / SIGV;
    return VCX == 0.0f ? 0.0f : std::copysign(9.0f, VCX);
}

// The group value at WC of one spectrum, and of the symmetric product of two.
float group_value(float& WC, const Spectrum& P) {
    float GVAR = 0.0f, GVARDOT = 0.0f, VGPSD2 = 0.0f, VDGPSD2 = 0.0f;
    GET_GVAR(WC, WAVCOM.W_words, TPCM.NWP, P, GVAR, GVARDOT, VGPSD2, VDGPSD2);
    return GVAR;
}

float group_value(float& WC, const Spectrum& P1, const Spectrum& P2) {
    float GVAR = 0.0f, GVARDOT = 0.0f;
    GET_GVAR2(WC, WAVCOM.W_words, TPCM.NWP, P1, P2, GVAR, GVARDOT);
    return GVAR;
}

float zeroth_moment(const Spectrum& P) {
    float VAR = 0.0f, VARDOT = 0.0f;
    SMPINT(P, VAR, VARDOT);
    return VAR;
}

// The working values of the aligned drift coefficient, kept from call to call.
struct AlignedDriftStore {
    float WDCNST = 0.0f;
    float TMPCSP = 0.0f, CURCMP = 0.0f, CRXCMP2 = 0.0f, CRYCMP2 = 0.0f;
    float KCOMOV = 0.0f, WCOMOV = 0.0f, WTMP = 0.0f, GRPSPQ = 0.0f, CRNHNC = 1.0f;
    float SWATFC = 0.0f;
    float SINFLX1 = 0.0f, COSFLX1 = 0.0f, FLXANG1 = 0.0f;
    float WAVK = 0.0f, RAOFAC = 0.0f;
};
AlignedDriftStore aligned;
const StateReset reset_aligned{[] { aligned = AlignedDriftStore{}; }, StoreKind::analysis};

// The response column IWAVID of RLRAOH2 at wave number WAVK over the grid's wave numbers; the
// value at the nearer end outside the grid.
float response_at_wave_number(float WAVK, std::int32_t IWAVID) {
    const std::int32_t NWP = std::min(TPCM.NWP, 100);
    const std::span<const float> WVK(&WAVCOM.WVK(1), static_cast<std::size_t>(NWP));
    Spectrum column{};
    for (std::int32_t k = 1; k <= NWP; ++k)
        column[grid_slot(k)] = PASCOM.RLRAOH2(k, IWAVID);
    const std::span<const float> RAO(column.data(), static_cast<std::size_t>(NWP));
    std::int32_t IER = 0, MIN = 0;
    BSRCH(WVK, WAVK, IER, MIN, NWP);
    if (IER == 1 || IER == 2) {
        const bool rising = WVK.front() <= WVK.back();
        return rising == (IER == 1) ? RAO.front() : RAO.back();
    }
    float value = 0.0f;
    INTERP(WVK, RAO, WAVK, value, MIN);
    return value;
}

} // namespace

void ISUB_N_GET(float& I0, float& I1, float& I2, float& IP0, float M, std::int32_t NXP) {
    if (std::abs(M) > 8.0f) {
        const float s = std::copysign(sqrt_two_pi_single, M);
        IP0 = 0.0f;
        I0 = s;
        I2 = 3.0f * s;
        I1 = 2.0f * M * s;
        return;
    }
    const float XM = M / sqrt_two;
    const float TMP = sqrt_two_pi_single * RH_ERF(XM, NXP);
    const float TMP2 = 2.0f * std::exp(-XM * XM);
    IP0 = M * (M * TMP + TMP2 - std::abs(M) * sqrt_two_pi_single);
    I0 = IP0 + TMP;
    I2 = 3.0f * TMP + IP0;
    I1 = 2.0f * TMP2 + 2.0f * M * TMP;
}

float REL_RAO(float K, float Z, float XCOL, float RAOIN, float PHASEIN) {
    return RAOIN * std::sin(K * XCOL + PHASEIN) + std::exp(K * Z);
}

float RAOFUN_Z(float K, float XCOL, float Z1, float Z2, float R1, float PQ1, float R2, float PQ2) {
    const float EKZ1 = std::exp(K * Z1);
    const float EKZ2 = std::exp(K * Z2);
    const float P1 = PQ1 + K * XCOL;
    const float P2 = PQ2 + K * XCOL;
    const float re = EKZ1 * EKZ2 + EKZ1 * R2 * std::sin(P2) + EKZ2 * R1 * std::sin(P1) +
                     R1 * R2 * std::cos(P1 - P2);
    const float im =
        R1 * R2 * std::sin(P1 - P2) + EKZ1 * R2 * std::cos(P2) - EKZ2 * R1 * std::cos(P1);
    return re * re + im * im;
}

float RAOFUN(float K, float XCOL, float Z1, float Z2, float RAOIN, float PHASEIN) {
    const float EKZ1 = std::exp(K * Z1);
    const float EKZ2 = std::exp(K * Z2);
    const float angle = K * XCOL + PHASEIN;
    const float re = EKZ1 * EKZ2 + (EKZ1 + EKZ2) * RAOIN * std::sin(angle) + RAOIN * RAOIN;
    const float im = (EKZ1 - EKZ2) * RAOIN * std::cos(angle);
    return re * re + im * im;
}

namespace {

// The depth points of the member drag, from the surface (d = 1) to the keel (d = ND).
struct DepthPoints {
    std::int32_t ND;
    float DZ;
    float ZLOC(std::int32_t d) const { return -static_cast<float>(d - 1) * DZ; }
    static std::size_t depth_slot(std::int32_t d) { return slot(d); }
    // Entry (IW, d) of a frequency-by-depth table.
    static std::size_t at(std::int32_t IW, std::int32_t d) { return grid_slot(IW) + 100 * slot(d); }
};

// The relative motion of a member per frequency and depth: its magnitude and phase (without the
// position term), the elevation-velocity cross spectrum at the surface and the relative-velocity
// spectrum at each depth; the current along the waves at each depth.
struct RelativeMotion {
    std::vector<float> RAO, PHI;
    std::vector<Spectrum> RELVSPEC;
    Spectrum CROSSCORSPEC{}, TMPSPEC0{};
    std::array<float, max_drag_depths> VCX{};
};

// relative_motion: the relative motion of the member of `setting` in the sea PSD with the
// vessel's horizontal and angular RAOs. Reads TPCM, WAVCOM and CURPROF.
RelativeMotion relative_motion(const DepthPoints& z, GridSpectrum PSD,
                               std::span<const std::complex<float>, 100> H_RAO,
                               std::span<const std::complex<float>, 100> A_RAO,
                               const MemberDragSetting& setting) {
    const auto& T = TPCM;
    const auto& V = WAVCOM;
    const std::int32_t NWP = std::min(T.NWP, 100);
    const std::int32_t ND = z.ND;
    const float KNOTS_TO_LOCAL = T.NUNTS == 1 ? 0.5142f : 1.687f;
    RelativeMotion r;
    r.RAO.assign(static_cast<std::size_t>(100 * ND), 0.0f);
    r.PHI.assign(static_cast<std::size_t>(100 * ND), 0.0f);
    r.RELVSPEC.assign(static_cast<std::size_t>(ND), Spectrum{});
    for (std::int32_t d = 1; d <= ND; ++d) {
        r.VCX[z.depth_slot(d)] =
            KNOTS_TO_LOCAL * GET_VCX_LOC(-z.ZLOC(d), T.CURSPD, T.CURHDG, setting.WAVHDG_LOC,
                                         CURPROF.DPTHIPF_words, CURPROF.VELIPF_words,
                                         CURPROF.CURHDGPF_words, CURPROF.NCURNTPF);
    }
    for (std::int32_t IW = 1; IW <= NWP; ++IW) {
        const float KX = V.WVK(IW) * setting.XCOL;
        const float P = PSD[grid_slot(IW)];
        for (std::int32_t d = 1; d <= ND; ++d) {
            const std::complex<float> CDUM1 =
                H_RAO[grid_slot(IW)] +
                (T.DRAFT + z.ZLOC(d) - setting.EFF_ROT_CTR) * A_RAO[grid_slot(IW)];
            const float R = std::abs(CDUM1);
            const float phase = PHASE(CDUM1) / degrees_per_radian;
            r.RAO[z.at(IW, d)] = R;
            r.PHI[z.at(IW, d)] = phase;
            const float PHI1 = phase + KX;
            if (d == 1) {
                r.CROSSCORSPEC[grid_slot(IW)] = V.W(IW) * P * (1.0f + R * std::sin(PHI1));
                r.TMPSPEC0[grid_slot(IW)] = r.CROSSCORSPEC[grid_slot(IW)];
            }
            const float EKZ = std::exp(V.WVK(IW) * z.ZLOC(d));
            r.RELVSPEC[z.depth_slot(d)][grid_slot(IW)] =
                V.W2(IW) * P * (EKZ * EKZ + 2.0f * EKZ * R * std::sin(PHI1) + R * R);
        }
    }
    return r;
}

// The relative velocity at each depth: its variance and deviation, the ratio of the current to
// the deviation and the Gaussian mean of the drag law.
struct DepthStatistics {
    std::array<float, max_drag_depths> SIGV2{}, SIGV{}, ISUBSPEC{}, MRATIO{};
};

// depth_statistics: the statistics of the relative velocity at each depth point, the error
// function taken with NXP points. Pure but for the spectral integration.
DepthStatistics depth_statistics(const DepthPoints& z, const RelativeMotion& r, std::int32_t NXP) {
    DepthStatistics s;
    for (std::int32_t d = 1; d <= z.ND; ++d) {
        const std::size_t k = z.depth_slot(d);
        s.SIGV2[k] = zeroth_moment(r.RELVSPEC[k]);
        s.SIGV[k] = std::sqrt(std::max(s.SIGV2[k], 0.0f));
        const float MTMP = velocity_ratio(r.VCX[k], s.SIGV[k]);
        s.MRATIO[k] = MTMP;
        float ISUB = 0.0f;
        if (std::abs(MTMP) > 8.0f)
            ISUB = std::copysign(sqrt_two_pi_single, MTMP);
        else
            ISUB = 2.0f * MTMP * std::exp(-MTMP * MTMP / 2.0f) +
                   (MTMP * MTMP + 1.0f) * sqrt_two_pi_single * RH_ERF(MTMP / sqrt_two, NXP) -
                   MTMP * std::abs(MTMP) * sqrt_two_pi_single;
        s.ISUBSPEC[k] = ISUB * s.SIGV2[k];
    }
    return s;
}

// The drift spectra of a member along and across the energy flux, and the aligned coefficients.
struct DriftSpectra {
    Spectrum DFC_SPEC_PAR{}, DFC_SPEC_PRP{}, ALIGNED_DFC{};
};

// drift_spectra: the wave-drift spectra of the member of `setting` in the sea PSD, from the
// aligned drift coefficient ALIGNED. Reads TPCM NWP.
DriftSpectra drift_spectra(GridSpectrum PSD, const MemberDragSetting& setting,
                           const AlignedDrift& ALIGNED) {
    const std::int32_t NWP = std::min(TPCM.NWP, 100);
    DriftSpectra s;
    for (std::int32_t IW = 1; IW <= NWP; ++IW) {
        float TMP_DFC = 0.0f, FLXANG = 0.0f;
        ALIGNED(IW, setting, TMP_DFC, FLXANG);
        const float P = PSD[grid_slot(IW)];
        s.DFC_SPEC_PAR[grid_slot(IW)] = P * TMP_DFC * std::cos(FLXANG);
        s.DFC_SPEC_PRP[grid_slot(IW)] = P * TMP_DFC * std::sin(FLXANG);
        s.ALIGNED_DFC[grid_slot(IW)] = TMP_DFC * std::cos(FLXANG);
    }
    return s;
}

using DepthMoments = std::array<std::array<float, 4>, max_drag_depths>;

// submerged_self_correlation: the submerged drag with itself at the difference frequency WC,
// the depth-by-depth correlation summed over a symmetric table with half-range weights. Reads
// TPCM NWP and WAVCOM.
float submerged_self_correlation(float& WC, const DepthPoints& z, const DepthMoments& moments,
                                 const RelativeMotion& r, GridSpectrum PSD, float XCOL) {
    const auto& V = WAVCOM;
    const std::int32_t NWP = std::min(TPCM.NWP, 100);
    const std::int32_t ND = z.ND;
    float BB = 0.0f;
    Spectrum TMPSPEC1{}, TMPSPEC2{};
    for (std::int32_t i = 1; i <= ND; ++i) {
        const auto& m1 = moments[z.depth_slot(i)];
        for (std::int32_t j = 1; j <= i; ++j) {
            const auto& m2 = moments[z.depth_slot(j)];
            for (std::int32_t IW = 1; IW <= NWP; ++IW) {
                const float PW2 = PSD[grid_slot(IW)] * V.W2(IW);
                TMPSPEC1[grid_slot(IW)] =
                    PW2 * PW2 *
                    RAOFUN_Z(V.WVK(IW), XCOL, z.ZLOC(i), z.ZLOC(j), r.RAO[z.at(IW, i)],
                             r.PHI[z.at(IW, i)], r.RAO[z.at(IW, j)], r.PHI[z.at(IW, j)]);
                TMPSPEC2[grid_slot(IW)] = std::sqrt(TMPSPEC1[grid_slot(IW)]);
            }
            const float IFUN =
                (0.5f * (m1[2] * m2[2] - 5.0f * m1[0] * m2[0]) + m2[0] * m1[3] + m1[0] * m2[3]) *
                group_value(WC, TMPSPEC2);
            const float w = half_range_weight(i, ND) * half_range_weight(j, ND);
            BB += (i == j ? 1.0f : 2.0f) * w * IFUN;
        }
    }
    return BB;
}

// The weighted sums of the submerged drag with the surface drag (GSUM1) and with the drift
// (GSUM2).
struct CrossSums {
    float GSUM1 = 0.0f, GSUM2 = 0.0f;
};

// submerged_cross_sums: the submerged drag at each depth with the surface drag and with the
// drift at the difference frequency WC. Reads TPCM NWP and WAVCOM.
CrossSums submerged_cross_sums(float& WC, const DepthPoints& z, const DepthMoments& moments,
                               const RelativeMotion& r, const DriftSpectra& drift, GridSpectrum PSD,
                               float XCOL) {
    const auto& V = WAVCOM;
    const std::int32_t NWP = std::min(TPCM.NWP, 100);
    CrossSums sums;
    Spectrum SNV_ARR{}, SVV_ARR{}, SPV_ARR{};
    for (std::int32_t i = 1; i <= z.ND; ++i) {
        const auto& m1 = moments[z.depth_slot(i)];
        const float ISUBFAC = m1[2] - m1[0];
        for (std::int32_t IW = 1; IW <= NWP; ++IW) {
            const float K = V.WVK(IW);
            const float P = PSD[grid_slot(IW)];
            const float RELRAO_SURF =
                REL_RAO(K, 0.0f, XCOL, r.RAO[z.at(IW, 1)], r.PHI[z.at(IW, 1)]);
            const float RELRAO_SUB =
                REL_RAO(K, z.ZLOC(i), XCOL, r.RAO[z.at(IW, i)], r.PHI[z.at(IW, i)]);
            SNV_ARR[grid_slot(IW)] = RELRAO_SUB * V.W(IW) * P;
            SVV_ARR[grid_slot(IW)] = RELRAO_SUB * P * V.W2(IW) * RELRAO_SURF;
            SPV_ARR[grid_slot(IW)] =
                std::sqrt(std::abs(drift.ALIGNED_DFC[grid_slot(IW)])) * P * V.W(IW) * RELRAO_SUB;
        }
        const float weight = half_range_weight(i, z.ND);
        sums.GSUM1 += weight * ISUBFAC * group_value(WC, SNV_ARR, SVV_ARR);
        sums.GSUM2 += weight * ISUBFAC * group_value(WC, SPV_ARR);
    }
    return sums;
}

// set_correlation_factors: the spectral densities of the member drag at the difference
// frequency WC (surface drag with itself, drift, drift with surface drag, submerged drag with
// itself, with the surface drag and with the drift) into `out`. Reads TPCM and WAVCOM.
void set_correlation_factors(float& WC, MemberDragFactors& out, const DepthPoints& z,
                             const RelativeMotion& r, const DepthStatistics& s,
                             const DriftSpectra& drift, GridSpectrum PSD,
                             const MemberDragSetting& setting) {
    const std::int32_t NXP = setting.NXP;
    float I0_1 = 0.0f, I1_1 = 0.0f, I2_1 = 0.0f, IP0_1 = 0.0f;
    ISUB_N_GET(I0_1, I1_1, I2_1, IP0_1, s.MRATIO[0], NXP);
    const float I1_1_SURF = I1_1;
    out.SFX_RR = I1_1 * I1_1 * s.SIGV2[0] * group_value(WC, r.TMPSPEC0) / pi_single;
    // The drift spectrum along the flux (the aligned coefficients).
    const Spectrum& TMPC = drift.DFC_SPEC_PAR;
    out.SFX_WD = group_value(WC, TMPC);
    out.SFX_WR = s.SIGV[0] * 2.0f * I1_1 * group_value(WC, TMPC, r.TMPSPEC0) / sqrt_two_pi_single;

    // Moments at every depth.
    DepthMoments moments{};
    for (std::int32_t d = 1; d <= z.ND; ++d) {
        auto& m = moments[z.depth_slot(d)];
        ISUB_N_GET(m[0], m[1], m[2], m[3], s.MRATIO[z.depth_slot(d)], NXP);
    }

    const float BB = submerged_self_correlation(WC, z, moments, r, PSD, setting.XCOL);
    out.SFX_BB = z.DZ * z.DZ * BB / 56.548668f;
    const CrossSums sums = submerged_cross_sums(WC, z, moments, r, drift, PSD, setting.XCOL);
    out.SFX_BR = s.SIGV[0] * sums.GSUM1 * I1_1_SURF * z.DZ / 18.849556f;
    out.SFX_WB = sums.GSUM2 * z.DZ / 7.519885f;
}

} // namespace

void prepare_member_drag(float& WC, MemberDragFactors& out, std::int32_t LVARST, GridSpectrum PSD,
                         std::span<const std::complex<float>, 100> H_RAO,
                         std::span<const std::complex<float>, 100> A_RAO,
                         const MemberDragSetting& setting, std::int32_t& NDEPTHQ,
                         const AlignedDrift& ALIGNED) {
    const std::int32_t NXP = setting.NXP;
    out = MemberDragFactors{};

    // Depth points from the surface to the keel.
    NDEPTHQ = std::min(NDEPTHQ, max_drag_depths);
    LINTAR_ASSERT(NDEPTHQ >= 2, "depth point count");
    const DepthPoints z{NDEPTHQ, TPCM.DRAFT / static_cast<float>(NDEPTHQ - 1)};

    const RelativeMotion r = relative_motion(z, PSD, H_RAO, A_RAO, setting);
    const DepthStatistics s = depth_statistics(z, r, NXP);
    const float MSURF = s.MRATIO[0];

    // Correlation of the wave elevation with the surface relative velocity.
    const float divisor = s.SIGV[0] * setting.SIG0WV;
    out.VS_COR = divisor != 0.0f ? zeroth_moment(r.CROSSCORSPEC) / divisor : 0.0f;

    // Wave zone.
    const float MTMP2 = MSURF / sqrt_two;
    const float GAM_TMP = 2.0f * std::exp(-MTMP2 * MTMP2) +
                          MTMP2 * sqrt_two_pi_single * sqrt_two * RH_ERF(MTMP2, NXP);
    out.FSURF = s.SIGV2[0] * setting.SIG0WV * 2.0f * out.VS_COR * GAM_TMP / sqrt_two_pi_single;

    // Below the surface.
    float sum = 0.0f;
    for (std::int32_t d = 1; d <= z.ND; ++d)
        sum += half_range_weight(d, z.ND) * s.ISUBSPEC[z.depth_slot(d)];
    out.FSUB = sum * z.DZ / 7.519885f;

    // Wave drift along and across the energy flux.
    const DriftSpectra drift = drift_spectra(PSD, setting, ALIGNED);
    out.FWDRFT_PAR = zeroth_moment(drift.DFC_SPEC_PAR);
    out.FWDRFT_PRP = zeroth_moment(drift.DFC_SPEC_PRP);
    out.FLXANG_AVG = std::atan2(out.FWDRFT_PRP, out.FWDRFT_PAR);

    if (LVARST == 0)
        return;
    set_correlation_factors(WC, out, z, r, s, drift, PSD, setting);
}

void DFC_ALIGN(float& DRFTC_TOT, float& FLUXANG_TO_WVK, std::int32_t IW, std::int32_t DOUSER,
               std::string_view USERDAT, float COSTHETACW, float SINTHETACW, float RELANG,
               std::string_view /*CLDBY*/, std::int32_t IWAVID) {
    const auto& T = TPCM;
    const auto& V = WAVCOM;
    auto& k = aligned;
    const float G = V.G;
    k.WDCNST = std::sqrt(T.DEPTH / G);

    // The current along and across the waves.
    const bool current = T.LCURNT != 0;
    k.TMPCSP = k.CURCMP = k.CRXCMP2 = k.CRYCMP2 = 0.0f;
    if (current) {
        k.TMPCSP = T.CURSPD * (T.NUNTS == 1 ? 0.5142f : 1.687f);
        k.CRXCMP2 = COSTHETACW * k.TMPCSP;
        k.CRYCMP2 = SINTHETACW * k.TMPCSP;
        k.CURCMP = k.CRXCMP2;
    }

    const float W = V.W(IW);
    if (!current) {
        // Still water: the flux runs along the waves.
        k.WCOMOV = k.WTMP = W;
        k.KCOMOV = V.WVK(IW);
        k.CRNHNC = 1.0f;
        k.GRPSPQ = GRPVEL(k.KCOMOV, k.WCOMOV, T.DEPTH, G);
        k.FLXANG1 = RELANG;
        k.SINFLX1 = std::sin(RELANG);
        k.COSFLX1 = std::cos(RELANG);
        FLUXANG_TO_WVK = 0.0f;
    } else {
        // The wave number in the current (the still-water one for a current too weak to shift
        // it), the intrinsic frequency, the amplification and the direction of the flux.
        k.KCOMOV = V.WVK(IW);
        if (std::abs(k.CURCMP) >= 0.0001f) {
            float kd = 0.0f;
            WAVCURVEC(W * k.WDCNST, k.CURCMP / std::sqrt(G * T.DEPTH), kd);
            k.KCOMOV = kd / T.DEPTH;
            if (!(k.KCOMOV > 0.0f)) {
                // The wave cannot run against this current.
                DRFTC_TOT = 0.0f;
                k.FLXANG1 = 0.0f;
                return;
            }
        }
        k.WCOMOV = W - k.CURCMP * k.KCOMOV;
        k.GRPSPQ = GRPVEL(k.KCOMOV, k.WCOMOV, T.DEPTH, G);
        k.WTMP = k.WCOMOV;
        k.CRNHNC = 1.0f + 2.0f * k.CURCMP / k.GRPSPQ + k.TMPCSP * k.TMPCSP / (k.GRPSPQ * k.GRPSPQ);
        // Where the current stops the wave's energy (amplification 0) the flux has no direction:
        // the coefficient is 0 and the flux is taken along the waves.
        const float scale = k.GRPSPQ * std::sqrt(std::max(k.CRNHNC, 0.0f));
        if (scale != 0.0f) {
            k.SINFLX1 = -k.CRYCMP2 / scale;
            k.COSFLX1 = -(k.CRXCMP2 + k.GRPSPQ) / scale;
        } else {
            k.SINFLX1 = 0.0f;
            k.COSFLX1 = -1.0f;
        }
        k.FLXANG1 = std::atan2(k.SINFLX1, k.COSFLX1);
        FLUXANG_TO_WVK = k.FLXANG1 + pi_single;
    }

    // The coefficient: the vertical cylinder scaled by the member's response, or the user's
    // table. With the user's table and the current's correction (CURCOR) the table is read at
    // the intrinsic frequency and the group-speed factor is that of this frequency, as for the
    // cylinder (it is not left over from another call).
    float coefficient = 0.0f;
    if (DOUSER == 0) {
        k.SWATFC = 2.0f * std::sqrt(k.KCOMOV / G) * k.GRPSPQ;
        const float XLFAC = (PASCOM.MENWLX + PASCOM.MENWLY) / 2.0f;
        const float TMPFAC = CYLDFT(k.WTMP * k.WDCNST, 0.5f * XLFAC, T.DRAFT, T.DEPTH, k.WAVK, IW,
                                    T.NWP, T.EDUNIT, keyboard_unit);
        const float RAOFAC2 = response_at_wave_number(k.WAVK, IWAVID);
        k.RAOFAC = T.LEG_CYL_DFC != 0 ? RAOFAC2 : std::sqrt(RAOFAC2);
        coefficient = TMPFAC * k.RAOFAC;
    } else {
        if (T.CURCOR == 0) {
            k.WTMP = W;
            k.SWATFC = 1.0f;
        } else {
            k.SWATFC = 2.0f * std::sqrt(k.KCOMOV / G) * k.GRPSPQ;
        }
        coefficient = DRFTCB(k.WTMP, 1, k.FLXANG1, T.EDUNIT, keyboard_unit, USERDAT);
    }
    DRFTC_TOT = coefficient * k.CRNHNC * k.SWATFC;
}

void aligned_drift(std::int32_t IW, const MemberDragSetting& setting, float& DRFTC_TOT,
                   float& FLUXANG_TO_WVK) {
    DFC_ALIGN(DRFTC_TOT, FLUXANG_TO_WVK, IW, setting.DOUSER, setting.USERDAT, setting.COSTHETACW,
              setting.SINTHETACW, setting.RELANG, setting.CLDBY, setting.IWAVID);
}

void G_FRC_PREP(float& WC, MemberDragFactors& out, std::int32_t LVARST, GridSpectrum PSD,
                std::span<const std::complex<float>, 100> H_RAO,
                std::span<const std::complex<float>, 100> A_RAO, const MemberDragSetting& setting,
                std::int32_t& NDEPTHQ) {
    prepare_member_drag(WC, out, LVARST, PSD, H_RAO, A_RAO, setting, NDEPTHQ, aligned_drift);
}

} // namespace lintar
