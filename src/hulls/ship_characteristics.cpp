// hulls/ship_characteristics.cpp: SHPCHR, the equivalent box of the ship-hull model and its
// characteristics, with the box residual FCT and the shape functions SGSWMS, FPITCH, FHEAVE.
#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "hulls/hull_support.h"
#include "hulls/ship_curves.h"
#include "hulls/ship_hull.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/algebra.h"
#include "util/angles.h"
#include "util/bessel_gamma.h"
#include "util/prompts.h"
#include "util/root_finders.h"

#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <string_view>

namespace lintar {

namespace {

// Once-per-run state: the waterplane warning is written once; the ellipsoid integral warns
// once about very many points.
struct ShipCharacteristicsStore {
    bool first_call = true;
    bool ONEWRN = false;
};
ShipCharacteristicsStore ship_characteristics_store;
const StateReset reset_ship_characteristics_store{[] { ship_characteristics_store = {}; },
                                                  StoreKind::analysis};

constexpr int box_search_iterations = 50;
constexpr int box_search_retries = 10;
constexpr int natural_period_passes = 31;

// Writes a warning on the console and, when a report file is being written, on it too.
void warn(std::initializer_list<std::string_view> lines) {
    const TpcmBlock& P = TPCM;
    for (const std::string_view line : lines)
        write_record(P.EDUNIT, line);
    if (P.NEGSUM == 0 && P.IUNIT != P.EDUNIT)
        for (const std::string_view line : lines)
            write_record(P.IUNIT, line);
}

// The abort pause after a warning; the user's abort ends the run.
void abort_pause() {
    ABORT0(TPCM.EDUNIT, keyboard_unit, TPCM.LBACK);
    if (TPCM.LBACK < 0)
        stop_program(StopKind::user_choice);
}

// The draft of the box by the root search on FCT, the bracket widened by doubling Q
// when it holds no sign change.
float box_draft(float DELTA, float EPS) {
    const TpcmBlock& P = TPCM;
    float Q = P.VKML / P.VKMT + 1.0f;
    for (int NTRY = 0;; ++NTRY) {
        const float DUPP = box_bracket_end(Q, P.VKMT);
        float EDRAFT = 0.0f;
        float F = 0.0f;
        std::int32_t IER = 0;
        RTMI1(
            EDRAFT, F, [&](float X) { return FCT(X, P.VKML, P.VKMT, DELTA); }, 0.0f, DUPP, EPS,
            0.5f * DELTA * DELTA, box_search_iterations, IER);
        if (IER == 2 && NTRY < box_search_retries) {
            Q = 2.0f * Q;
            continue;
        }
        if (IER == 1 || IER == 2)
            fatal_stop(P.EDUNIT, keyboard_unit,
                       {" ++> Equivalent box determination failure;",
                        "     recheck vessel hydrostatics (especially KML, KMT) and retry",
                        "     Error Index = " + I(IER, 5)});
        return EDRAFT;
    }
}

// The added-mass fits hold for boxes not much wider than long; far beyond that they give a
// negative added mass larger than the body's, and no natural period exists. The run stops
// there rather than carry NaN frequencies into the RAOs.
void check_inertias() {
    const HimemBlock& H = HIMEM;
    const bool positive = H.PTCHI > 0.0f && H.HVMAS > 0.0f && H.ROLI > 0.0f;
    if (!positive || !std::isfinite(H.WP) || !std::isfinite(H.WH) || !std::isfinite(H.WR))
        fatal_stop(TPCM.EDUNIT, keyboard_unit,
                   {" ++> Equivalent box proportions give a non-positive inertia;",
                    "     recheck vessel hydrostatics (especially KML, KMT) and retry"});
}

} // namespace

// FCT: see the header. Pure.
float FCT(float X, float KML, float KMT, float DELTA) {
    const float X2 = X * X;
    return (36.0f * X2 - 72.0f * X * (KML + KMT) + 144.0f * KML * KMT) * (X2 * X2) - DELTA * DELTA;
}

// box_bracket_end: see the header. Pure.
float box_bracket_end(float Q, float KMT) {
    return (0.83333f * Q - std::sqrt(0.69444f * Q * Q - 2.6666f * (Q - 1.0f))) * KMT;
}

// SGSWMS: see the header. Writes the file's warn-once flag.
float SGSWMS(float CARAT, float BARAT, std::int32_t MASMOM, int IOSCRN) {
    const float ABRAT2 = 1.0f / (CARAT * CARAT);
    const float ACRAT2 = 1.0f / (BARAT * BARAT);
    float ELPSCF = 0.0f;
    ELPCOF(ABRAT2, ACRAT2, 0, MASMOM, ELPSCF, IOSCRN, keyboard_unit,
           ship_characteristics_store.ONEWRN, 0);
    const float coefficient = COFCLC(MASMOM, ELPSCF, ABRAT2, ACRAT2);
    return MASMOM == 1 ? coefficient * RECTCM(CARAT) : coefficient;
}

// FHEAVE: see the header. Pure.
float FHEAVE(float X) {
    const float a = X;
    const float root = std::sqrt(1.0f + a * a);
    return 2.54648f * ((1.0f + a * a * a - std::pow(1.0f + a * a, 1.5f)) / 3.0f +
                       a * a * std::log((1.0f + root) / a) + a * std::log(a + root));
}

// FPITCH: see the header. Pure.
float FPITCH(float X) {
    const float a = X;
    const float a2 = a * a;
    const float root = std::sqrt(1.0f + a2);
    return 0.056588f * ((3.0f - 14.0f * a2 - 2.0f * a2 * a2) * root + 2.0f * a2 * a2 * a +
                        15.0f * a2 * a + 15.0f * a2 * std::log((1.0f + root) / a) - 3.0f);
}

// SHPCHR: see the header.
void SHPCHR() {
    TpcmBlock& P = TPCM;
    HimemBlock& H = HIMEM;
    WavcomBlock& W = WAVCOM;
    const int EDUNIT = P.EDUNIT;
    const bool debug = P.NBUG == 1;
    const float G = W.G;

    // The displaced volume.
    H.DELTA = P.DISPL * 1000.0f / P.DWATR;
    H.EPS = 0.001f;
    if (debug)
        debug_dump(EDUNIT, {H.DELTA, P.VKML, P.VKMT, P.TVKB, P.DRAFT});

    // The box of the same volume and metacentric heights.
    const float T = box_draft(H.DELTA, H.EPS);
    H.EDRAFT = T;
    const float B = std::sqrt(12.0f * T * P.VKMT - 6.0f * T * T);
    const float L = H.DELTA / T / B;
    H.BEAM = B;
    H.SHIPL = L;
    W.BEAMQ = B;
    W.SHPLNQ() = L;
    W.DRAFTQ = T;
    if (L < B) {
        warn({" ++> Warning: equivalent box beam exceeds length;",
              " --> Pitch/roll damping estimates may be compromised."});
        abort_pause();
    }

    // The box's hydrostatics.
    H.SHIPL2 = L / 2.0f;
    H.BEAM2 = B / 2.0f;
    H.GML = P.VKML - P.VKG;
    H.GMT = P.VKMT - P.VKG;
    H.XSCALE = L / 2.0f;
    H.YSCALE = B / 2.0f;
    H.WPML = L * L * L * B / 12.0f;
    H.WPMT = B * B * B * L / 12.0f;
    H.EVKG = T / 2.0f + H.WPMT / H.DELTA - H.GMT;
    if (debug)
        debug_dump(EDUNIT, {L, B, T, H.GML, H.GMT, P.VKG, H.EVKG});
    H.PRMT = G * H.GML * H.DELTA;
    H.RRMT = G * H.GMT * H.DELTA;

    // The waterplane against the box's.
    if (P.AWP <= 0.0f)
        P.AWP = L * B;
    if (std::abs(P.AWP - L * B) / P.AWP >= 0.3f) {
        if (ship_characteristics_store.first_call) {
            warn({" ++> Suspicious equivalent box",
                  " --> Re-check input data and retry or proceed at risk..."});
            ship_characteristics_store.first_call = false;
        }
        abort_pause();
    }
    H.HC = G * P.AWP;

    // Surge and sway added mass of the ellipsoids of the box's proportions.
    H.DLRAT = 2.0f * T / L;
    H.BLRAT = B / L;
    H.DBRAT = 2.0f * T / B;
    H.CSG = SGSWMS(H.DLRAT, H.BLRAT, 1, EDUNIT);
    H.CSW = SGSWMS(H.DBRAT, 1.0f / H.BLRAT, 1, EDUNIT);

    // The natural centres of roll and pitch.
    H.VTCRR = (H.CSW * T / 2.0f + H.EVKG) / (H.CSW + 1.0f);
    H.VTCRP = (H.CSG * T / 2.0f + H.EVKG) / (H.CSG + 1.0f);

    // The roll inertia of the bilge keels.
    const float BKAMRL = P.LKEEL == 0 ? 0.0f
                                      : (H.VTCRR * H.VTCRR + P.DKEEL * P.DKEEL) * P.TKEEL *
                                            pi_single * P.RKEEL * P.RKEEL;

    // The damping scale constants.
    const float r = H.BLRAT;
    const float half_L = L / 2.0f;
    const float half_B = B / 2.0f;
    H.HCONST = half_L * half_L * half_L * std::sqrt(r) * r;
    H.PCONST = H.HCONST * half_L * half_L * std::pow(r, -0.16666667f);
    H.RCONST = H.PCONST * std::pow(r, 5.0f);

    // Added masses at zero and at high frequency.
    const float half_L5 = half_L * half_L * half_L * half_L * half_L;
    const float half_B5 = half_B * half_B * half_B * half_B * half_B;
    H.HMAS0 = half_L * half_L * half_L * FHEAVE(r);
    H.HMASHI = half_B * half_B * (1.0f - 0.39025f * r) * (pi_single / 2.0f) * L;
    H.HMSRAT = H.HMASHI / H.HMAS0;
    H.PMAS0 = FPITCH(r) * half_L5;
    H.PMASHI = pi_single / 3.0f * half_L5 * r * r *
               (1.0f - 1.1707f * r - 0.65852f * r * r + 1.15823f * r * r * r);
    H.PMSRAT = H.PMASHI / H.PMAS0;
    H.RMAS0 = FPITCH(1.0f / r) * half_B5;
    H.RMASHI = (0.392699f / r - 0.067497f) * half_B5;
    H.RMSRAT = H.RMASHI / H.RMAS0;
    // A deep box rolls with more of its high-frequency mass.
    const float d = (T / B) * (T / B);
    H.RMAS0 = (1.0f - d) * H.RMASHI + d * H.RMAS0;

    // Reference frequencies and the inertias without frequency-dependent mass.
    H.WHL = std::sqrt(H.HC / H.HMAS0);
    H.WPL = std::sqrt(H.PRMT / H.PMAS0);
    H.WRL = std::sqrt(H.RRMT / H.RMAS0);
    H.PTCH1 = ((H.VTCRP - T / 2.0f) * (H.VTCRP - T / 2.0f) * H.CSG + P.PGYR * P.PGYR) * H.DELTA;
    H.ROL1 = ((H.VTCRR - T / 2.0f) * (H.VTCRR - T / 2.0f) * H.CSW + P.RGYR * P.RGYR) * H.DELTA;
    H.HVM1 = H.DELTA;
    H.YAWI = H.DELTA * P.YGYR * P.YGYR;
    if (debug)
        debug_dump(EDUNIT,
                   {H.HMAS0, H.PMAS0, H.RMAS0, H.PTCH1, H.ROL1, H.VTCRR, H.VTCRP, H.CSG, H.CSW});

    // The natural periods, each mode's added mass taken at the grid period of its
    // last estimate until no index moves.
    H.JP = P.NWP;
    H.JH = P.NWP;
    H.JR = P.NWP;
    std::int32_t JPP = 0, JHH = 0, JRR = 0;
    float XP = 0.0f, XH = 0.0f;
    for (int pass = 1; pass <= natural_period_passes; ++pass) {
        JPP = H.JP;
        JHH = H.JH;
        JRR = H.JR;
        if (debug) {
            write_record(EDUNIT, I(H.JP, 5) + I(H.JH, 5) + I(H.JR, 5));
            debug_dump(EDUNIT, {H.PTCHI, H.ROLI, H.HVMAS, H.WP, H.WH, H.WR});
        }
        float A33 = 0.0f, A55 = 0.0f, B33 = 0.0f, B55 = 0.0f;
        XP = grid_wave_number(H.JP) * half_L;
        DPMAS0(A33, A55, B33, B55, grid_frequency(H.JP), XP, H.HCONST, H.HMAS0, H.HMSRAT, H.PCONST,
               H.PMAS0, H.PMSRAT);
        H.PTCHI = H.PTCH1 + A55;
        H.WP = P.LPTPRD != 0 ? two_pi_single / P.PITPRD : std::sqrt(H.PRMT / H.PTCHI);

        XH = grid_wave_number(H.JH) * half_L;
        DPMAS0(A33, A55, B33, B55, grid_frequency(H.JH), XH, H.HCONST, H.HMAS0, H.HMSRAT, H.PCONST,
               H.PMAS0, H.PMSRAT);
        H.HVMAS = H.DELTA + A33;
        H.WH = P.LHVPRD != 0 ? two_pi_single / P.HEVPRD : std::sqrt(H.HC / H.HVMAS);

        const float XR = grid_wave_number(H.JR) * half_B;
        H.RMAS1 = H.RMAS0 * RMAS(XR) + BKAMRL;
        H.ROLI = H.ROL1 + H.RMAS1;
        H.WR = P.LRLPRD != 0 ? two_pi_single / P.ROLPRD : std::sqrt(H.RRMT / H.ROLI);
        check_inertias();

        H.JP = nearest_grid_point(H.WP);
        H.JR = nearest_grid_point(H.WR);
        H.JH = nearest_grid_point(H.WH);
        if (H.JP == JPP && H.JH == JHH && H.JR == JRR)
            break;
    }
    // A last step to the neighbouring grid point is accepted; a larger one has not settled.
    if (std::abs(H.JP - JPP) > 1 || std::abs(H.JH - JHH) > 1 || std::abs(H.JR - JRR) > 1)
        fatal_stop(EDUNIT, keyboard_unit,
                   {" ++> Failure in natural period loop; change wave period grid and retry."});

    // The natural periods and damping of the debug trace.
    if (debug)
        debug_dump(EDUNIT,
                   {two_pi_single / H.WP, two_pi_single / H.WR, two_pi_single / H.WH,
                    50.0f * PDMP(XP) * half_L5 * std::pow(H.BLRAT, 1.333f) / H.PTCHI,
                    50.0f * HDMP(XH) * half_L * half_B * half_B / H.HVMAS},
                   5);
}

} // namespace lintar
