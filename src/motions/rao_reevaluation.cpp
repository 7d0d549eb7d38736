// motions/rao_reevaluation.cpp: the RAOs at the heading and draft of the moment, and their
// statistics.
#include "motions/rao_reevaluation.h"

#include "blocks/himem.h"
#include "blocks/pascom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "hulls/hull_models.h"
#include "motions/response_indices.h"
#include "motions/user_raos.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/prompts.h"
#include "util/scope_restore.h"
#include "util/spectral_moments.h"
#include "util/table_search.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>

namespace lintar {

namespace {

using Complex = std::complex<float>;

constexpr float heading_threshold = 0.02f; // radians
constexpr float draft_threshold = 0.2f;    // length units

// What each wave system keeps between calls: whether it was ever computed, the heading and
// draft change it was computed at, and its six RAO columns.
struct SavedSystem {
    bool computed = false;
    float LAST_VESANG = 0.0f;
    float LAST_DELTA_DRAFT = 0.0f;
    std::array<std::array<Complex, 6>, himem_grid_capacity> RAOS{};
};
struct ReevaluationStore {
    std::array<SavedSystem, wave_system_count> systems{};
};
ReevaluationStore store;
const StateReset reset_store{[] { store = ReevaluationStore{}; }, StoreKind::analysis};

// The six RAO elements of grid point IW (after INDXUP), surge to yaw.
std::array<std::int32_t, 6> rao_slots() {
    const HimemBlock& H = HIMEM;
    return {H.LSG, H.LSW, H.LHV, H.LRL, H.LPT, H.LYA};
}

void save_raos(SavedSystem& saved) {
    HimemBlock& H = HIMEM;
    for (std::int32_t IW = 1; IW <= TPCM.NWP; ++IW) {
        H.IW = IW;
        INDXUP();
        const auto slots = rao_slots();
        for (std::size_t d = 0; d < 6; ++d)
            saved.RAOS[slot(IW)][d] = H.CRLDUM(slots[d]).get();
    }
}

void restore_raos(const SavedSystem& saved) {
    HimemBlock& H = HIMEM;
    for (std::int32_t IW = 1; IW <= TPCM.NWP; ++IW) {
        H.IW = IW;
        INDXUP();
        const auto slots = rao_slots();
        for (std::size_t d = 0; d < 6; ++d)
            H.CRLDUM(slots[d]) = saved.RAOS[slot(IW)][d];
    }
}

// The hull model's RAOs at the present heading slot and draft (or the user file's).
void recompute_raos() {
    const TpcmBlock& T = TPCM;
    if (HullModel* model = vessel_hull_model()) {
        model->characteristics();
        std::int32_t NPASS2 = 0;
        model->forces_and_raos(NPASS2);
        NPASS2 = 5;
        model->forces_and_raos(NPASS2);
        if (T.AUXVSH == 0)
            model->reevaluate_raos();
    }
    if (T.AUXVSH != 0) {
        USRRAO(USRDATSEL(T.SIMTYP, T.ISPM));
        return;
    }
    if (PASCOM.QUASQUENCH == 1) {
        HimemBlock& H = HIMEM;
        for (std::int32_t IW = 1; IW <= T.NWP; ++IW) {
            H.IW = IW;
            INDXUP();
            H.CRLDUM(H.LHV) = Complex(0.0f, 0.0f);
            H.CRLDUM(H.LRL) = Complex(0.0f, 0.0f);
            H.CRLDUM(H.LPT) = Complex(0.0f, 0.0f);
        }
    }
}

// The combined statistics start from zero on every pass that computes them.
void clear_combined_statistics() {
    PascomBlock& P = PASCOM;
    for (float* word :
         {&P.WSGRMS,    &P.WSWRMS,    &P.WHVRMS,       &P.WRLRMS,      &P.WPTRMS,    &P.WYWRMS,
          &P.WSGRMSDOT, &P.WSWRMSDOT, &P.WHVRMSDOT,    &P.WRLRMSDOT,   &P.WPTRMSDOT, &P.WYWRMSDOT,
          &P.WXGRMS,    &P.WYGRMS,    &P.WXGRMSDOT,    &P.WYGRMSDOT,   &P.GWSIG1,    &P.GWSIG2,
          &P.GWSIG1DOT, &P.GWSIG2DOT, &P.WMOONRMS,     &P.WMOONRMSDOT, &P.GWSIG1_X,  &P.GWSIG2_X,
          &P.WMOON_X,   &P.BOW_Z_VAR, &P.MOORCTR_Z_VAR})
        *word = 0.0f;
    for (int p = 1; p <= 2; ++p)
        for (int w = 1; w <= 6; ++w)
            P.ACPNT(w, p) = 0.0f;
}

// The response spectra of one wave system over the grid.
struct ResponseSpectra {
    using Spectrum = std::array<float, 100>;
    Spectrum VX{}, VY{}, VZ{}, GX{}, GY{}, ROLL{}, PTCH{}, YAW{};
    Spectrum GWREL1{}, GWREL2{}, GWRELMOON{};
    Spectrum GWREL1_X{}, GWREL2_X{}, GWRELMOON_X{}, BOW_Z_MOT{}, MOORCTR_Z_MOT{};
    std::array<Spectrum, 6> ACPT{}; // x, y, z at point 1, then at point 2
};

// One response's statistics: the RMS and rate combined as a root sum of squares, the bandwidth
// and peak period copied from the dominant system.
void combine(const ResponseSpectra::Spectrum& S, float& RMS, float& RMSDOT, float* BANDW,
             float* TPEAK, bool dominant) {
    float rms = 0.0f;
    float rate = 0.0f;
    float bandwidth = 0.0f;
    float peak = 0.0f;
    SPCPROCES(S, WAVCOM.W_words, rms, rate, bandwidth, peak);
    RMS = std::sqrt(RMS * RMS + rms * rms);
    RMSDOT = std::sqrt(RMSDOT * RMSDOT + rate * rate);
    if (dominant) {
        *BANDW = bandwidth;
        *TPEAK = peak;
    }
}

// A variance: summed over the systems.
void add_variance(const ResponseSpectra::Spectrum& S, float& VAR) {
    float var = 0.0f;
    float rate = 0.0f;
    SMPINT(S, var, rate);
    VAR += var;
}

void take_statistics(const ResponseSpectra& R, std::span<const float, 100> wave,
                     std::int32_t IWAVID) {
    PascomBlock& P = PASCOM;
    const bool dominant = IWAVID == (TPCM.LRANDM != 0 ? 1 : 2);
    combine(R.VX, P.WSGRMS, P.WSGRMSDOT, &P.VXBANDW, &P.VXTPEAK, dominant);
    combine(R.VY, P.WSWRMS, P.WSWRMSDOT, &P.VYBANDW, &P.VYTPEAK, dominant);
    combine(R.VZ, P.WHVRMS, P.WHVRMSDOT, &P.VZBANDW, &P.VZTPEAK, dominant);
    combine(R.GX, P.WXGRMS, P.WXGRMSDOT, &P.GXBANDW, &P.GXTPEAK, dominant);
    combine(R.GY, P.WYGRMS, P.WYGRMSDOT, &P.GYBANDW, &P.GYTPEAK, dominant);
    combine(R.GWREL1, P.GWSIG1, P.GWSIG1DOT, &P.GW1BANDW, &P.GW1TPEAK, dominant);
    combine(R.GWREL2, P.GWSIG2, P.GWSIG2DOT, &P.GW2BANDW, &P.GW2TPEAK, dominant);
    combine(R.ROLL, P.WRLRMS, P.WRLRMSDOT, &P.ROLBANDW, &P.ROLTPEAK, dominant);
    combine(R.PTCH, P.WPTRMS, P.WPTRMSDOT, &P.PTCHBANDW, &P.PTCHTPEAK, dominant);
    combine(R.YAW, P.WYWRMS, P.WYWRMSDOT, &P.YAWBANDW, &P.YAWTPEAK, dominant);
    combine(R.GWRELMOON, P.WMOONRMS, P.WMOONRMSDOT, &P.VMOONBANDW, &P.VMOONTPEAK, dominant);
    add_variance(R.GWREL1_X, P.GWSIG1_X);
    add_variance(R.GWREL2_X, P.GWSIG2_X);
    add_variance(R.GWRELMOON_X, P.WMOON_X);
    add_variance(R.BOW_Z_MOT, P.BOW_Z_VAR);
    add_variance(R.MOORCTR_Z_MOT, P.MOORCTR_Z_VAR);
    for (int p = 1; p <= 2; ++p)
        for (int axis = 1; axis <= 3; ++axis)
            combine(R.ACPT[3 * slot(p) + slot(axis)], P.ACPNT(axis, p), P.ACPNT(axis + 3, p),
                    &P.ACPNT(axis + 6, p), &P.ACPNT(axis + 9, p), dominant);
    // The wave spectrum's own bandwidth, per system.
    float rms = 0.0f;
    float rate = 0.0f;
    float bandwidth = 0.0f;
    float peak = 0.0f;
    SPCPROCES(wave, WAVCOM.W_words, rms, rate, bandwidth, peak);
    (IWAVID == 1 ? P.WVBANDW : IWAVID == 2 ? P.SWLBANDW : P.SWLBANDW2) = bandwidth;
}

} // namespace

std::string USRDATSEL(std::int32_t CREATR, std::int32_t ISPM) {
    if (CREATR == 13)
        return ISPM == 2 ? "UBUOYRAO.txt " : "UTANKRAO.txt ";
    if (CREATR == 10)
        return ISPM == 2 ? "UTUGSRAO.txt " : "UBARGRAO.txt ";
    return "USERRAOS.txt ";
}

void RELRAO(float VESANG, bool DOSPEC, std::int32_t IWAVID) {
    const TpcmBlock& T = TPCM;
    HimemBlock& H = HIMEM;
    PascomBlock& P = PASCOM;
    if (IWAVID < 1 || IWAVID > 3)
        fatal_stop(T.EDUNIT, keyboard_unit, {" +=> Invalid IWAVID in RELRAO.f"});
    const std::span<const float, 100> wave = IWAVID == 1   ? WAVCOM.WPSD_words
                                             : IWAVID == 2 ? WAVCOM.SWLPSD_words
                                                           : WAVCOM.SWLPSD2_words;
    const float G = WAVCOM.G;
    const float b = H.REDANG(WAVCOM.IRAO) / degrees_per_radian;
    const float cb = std::cos(b);
    const float sb = std::sin(b);
    const float cg = std::cos(VESANG);
    const float sg = std::sin(VESANG);
    const float XLOCBOW = 0.5f * T.LWL;
    const bool turret = T.SIMTYP == 13 || T.SIMTYP == 15;
    const float XLOCTRT = turret ? T.XSALM : 0.0f;
    const float YLOC0 = -0.5f * T.BWL * (sb > 0.0f ? 1.0f : sb < 0.0f ? -1.0f : 0.0f);
    const float roll_arm = T.DRAFT - H.VTCRR;
    const float pitch_arm = T.DRAFT - H.VTCRP;
    const Complex i(0.0f, 1.0f);
    ResponseSpectra R;
    for (std::int32_t IW = 1; IW <= T.NWP; ++IW) {
        H.IW = IW;
        INDXUP();
        const auto n = slot(IW);
        const float k = H.RLDUM(H.LWK);
        const float w2 = H.RLDUM(H.LW2);
        const Complex surge = H.CRLDUM(H.LSG).get();
        const Complex sway = H.CRLDUM(H.LSW).get();
        const Complex heave = H.CRLDUM(H.LHV).get();
        const Complex roll = H.CRLDUM(H.LRL).get();
        const Complex pitch = H.CRLDUM(H.LPT).get();
        const Complex yaw = H.CRLDUM(H.LYA).get();
        const float S = wave[n];
        const Complex HORRAO = i * (k * G / w2);
        // At the bow and at the mooring centre, waterline level.
        const Complex CQXP = surge + pitch_arm * pitch;
        const Complex CQZP = heave - XLOCBOW * pitch;
        const Complex CQY = sway + XLOCTRT * yaw - roll_arm * roll;
        const Complex CQZ = heave - XLOCTRT * pitch;
        // Accelerations at keel level below the mooring centre and 100 length units above.
        const Complex CQXA1 = G * pitch + w2 * (surge - H.VTCRP * pitch);
        const Complex CQYA1 = w2 * (sway + XLOCTRT * yaw + H.VTCRR * roll) - G * roll;
        const Complex CQZA1 = w2 * CQZ;
        const std::array<Complex, 6> accelerations = {
            CQXA1, CQYA1, CQZA1, CQXA1 + 100.0f * w2 * pitch, CQYA1 - 100.0f * w2 * roll, CQZA1};
        // The reference point.
        Complex CQXREF = surge + (T.VKG - H.VTCRP) * pitch;
        Complex CQYREF = sway - (T.VKG - H.VTCRR) * roll;
        Complex CQZREF = heave;
        Complex CEXP_PHSHFTM(1.0f, 0.0f);
        if (turret) {
            CQXREF = CQXP;
            CQYREF = CQY;
            CQZREF = CQZ;
            CEXP_PHSHFTM = std::exp(-i * (k * XLOCTRT * cb));
        }
        R.VX[n] = S * std::norm(CQXREF);
        R.VY[n] = S * std::norm(CQYREF);
        R.VZ[n] = S * std::norm(CQZREF);
        R.GX[n] = S * std::norm(CQXREF * cg - CQYREF * sg);
        R.GY[n] = S * std::norm(CQXREF * sg + CQYREF * cg);
        R.ROLL[n] = S * std::norm(roll);
        R.PTCH[n] = S * std::norm(pitch);
        R.YAW[n] = S * std::norm(yaw);
        R.BOW_Z_MOT[n] = S * std::norm(CQZP);
        R.MOORCTR_Z_MOT[n] = S * std::norm(CQZ);
        for (std::size_t a = 0; a < 6; ++a)
            R.ACPT[a][n] = S * std::norm(accelerations[a]);
        // Relative motion at the bow, against the wave there.
        const Complex E = std::exp(-i * (k * XLOCBOW * cb));
        const Complex CQX_rel = CQXP + cb * E * HORRAO;
        const Complex CQZ_rel = CQZP - E;
        R.GWREL1[n] = S * std::norm(CQZ_rel);
        R.GWREL1_X[n] = S * (CQZP * std::conj(E)).real();
        // Relative motion at the reference point, and in a moonpool at draft depth.
        const float F = k * T.DEPTH > 10.0f
                            ? std::exp(-k * T.DRAFT)
                            : std::cosh(k * (T.DEPTH - T.DRAFT)) / std::cosh(k * T.DEPTH);
        R.GWRELMOON[n] = S * std::norm(CQZREF - F * CEXP_PHSHFTM);
        R.GWREL2[n] = S * std::norm(CQZREF - CEXP_PHSHFTM);
        R.GWREL2_X[n] = S * (CQZREF * std::conj(CEXP_PHSHFTM)).real();
        R.GWRELMOON_X[n] = F * R.GWREL2_X[n];
        // The per-frequency tables of the drift and drag routines.
        P.HOR_WAV_RAO(IW, IWAVID) = cb * surge + sb * sway;
        P.ANG_WAV_RAO(IW, IWAVID) = cb * pitch - sb * roll;
        P.HRAO(IW, IWAVID) = std::abs(heave);
        if (T.VESTYP == 1) {
            P.RLRAO2(IW, IWAVID) = w2 * std::abs(CQX_rel * CQX_rel * CQZ_rel);
            P.RLRAOH2(IW, IWAVID) = 0.0f;
            // The lateral drag over five stations along the beam edge facing the waves.
            constexpr std::int32_t RINTPNT = 5;
            const float DELTAX = T.LWL / static_cast<float>(RINTPNT);
            Complex A(0.0f, 0.0f);
            Complex B(0.0f, 0.0f);
            for (std::int32_t station = 1; station <= RINTPNT; ++station) {
                const float x = -0.5f * T.LWL + (static_cast<float>(station) - 0.5f) * DELTAX;
                float weight = 0.0f;
                SMPFAC(station, RINTPNT, weight);
                const Complex Ei = std::exp(-i * (k * (YLOC0 * sb + x * cb)));
                const Complex lateral = sway + x * yaw - roll_arm * roll;
                const Complex vertical = heave + YLOC0 * roll - x * pitch;
                const Complex CQYi = lateral + sb * Ei * HORRAO;
                const Complex CQZi = vertical - Ei;
                A += weight * CQYi * CQYi * CQZi;
                B += weight * x * CQYi * CQYi * CQZi;
            }
            P.FDRGLAT(IW, IWAVID) = w2 * std::abs(A) / (5.0f * 3.0f);
            P.MDRGLAT(IW, IWAVID) = w2 * std::abs(B) / (5.0f * 3.0f * T.LWL);
        }
    }
    if (DOSPEC)
        take_statistics(R, wave, IWAVID);
}

void RELRAOUP(float& RELDEG, float TNKANG, std::int32_t ITYPFLG, bool DOSPEC, bool FORCE_NEW_RAO) {
    TpcmBlock& T = TPCM;
    if (DOSPEC)
        clear_combined_statistics();
    const std::array<bool, 3> present = {T.LRANDM != 0, T.LSWELL != 0, T.LSWEL2 != 0};
    const std::array<float, 3> direction = {T.SEAHDG(1), T.SWLHDG, T.SWLHDG2};
    for (std::int32_t IWAVID = 1; IWAVID <= 3; ++IWAVID) {
        const auto s = slot(IWAVID);
        if (!present[s])
            continue;
        if (ITYPFLG == 1)
            RELDEG = direction[s] - TNKANG * degrees_per_radian;
        WAVCOM.IRAO = 1;
        HIMEM.REDANG(1) = REDDEG(RELDEG);
        SavedSystem& saved = store.systems[s];
        const float heading_change = std::abs(REDRAD_SYM(saved.LAST_VESANG - TNKANG));
        const float draft_change = std::abs(saved.LAST_DELTA_DRAFT - PASCOM.DELTA_DRAFT);
        if (FORCE_NEW_RAO || !saved.computed || heading_change > heading_threshold ||
            draft_change > draft_threshold) {
            saved.computed = true;
            saved.LAST_VESANG = REDRAD(TNKANG);
            saved.LAST_DELTA_DRAFT = PASCOM.DELTA_DRAFT;
            {
                // The RAOs are built with the speed direction relative to the heading.
                const ScopeRestore keep_speed_direction(T.VGLDIR);
                T.VGLDIR = REDDEG(T.VGLDIR - TNKANG * degrees_per_radian);
                recompute_raos();
            }
            save_raos(saved);
        } else {
            restore_raos(saved);
        }
        RELRAO(TNKANG, DOSPEC, IWAVID);
    }
    if (ITYPFLG != 0)
        return;
    // One relative heading for all systems: the dominant system's drag tables serve the other.
    const int ISOURCE = T.LRANDM != 0 ? 1 : 2;
    const int IDEST = T.LRANDM != 0 ? 2 : 1;
    PascomBlock& P = PASCOM;
    for (int IW = 1; IW <= T.NWP; ++IW) {
        P.RLRAO2(IW, IDEST) = P.RLRAO2(IW, ISOURCE);
        P.RLRAOH2(IW, IDEST) = P.RLRAOH2(IW, ISOURCE);
        P.FDRGLAT(IW, IDEST) = P.FDRGLAT(IW, ISOURCE);
        P.MDRGLAT(IW, IDEST) = P.MDRGLAT(IW, ISOURCE);
    }
}

} // namespace lintar
