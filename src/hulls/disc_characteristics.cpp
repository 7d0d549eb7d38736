// hulls/disc_characteristics.cpp: DSKCHR, the disc buoy's equivalent cylinder, its constants
// and the natural-period iteration with the mooring lines' dynamic springs; HTSLOP and AVGUPD.
#include "blocks/himem.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "hulls/disc_curves.h"
#include "hulls/disc_hull.h"
#include "hulls/disc_line_springs.h"
#include "hulls/hull_support.h"
#include "line_dynamics/mean_line_shape.h"
#include "runtime/edit_descriptors.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/prompts.h"
#include "util/wave_numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <span>
#include <string>

namespace lintar {

namespace {

// Convergence of the coupled iteration: frequencies to 1 %, dampings to 5 %.
constexpr float ERRPRD = 0.01f;
constexpr float ERRDMP = 0.05f;
// Passes after which the values are relaxed, passes of one attempt, attempts that relax and
// start again before the user is asked.
constexpr int relaxed_after = 20;
constexpr int attempt_passes = 200;
constexpr int silent_attempts = 2;
// Passes whose grid indices keep changing before the user is asked.
constexpr int grid_test_passes = 200;
// The ABORT3 answer that keeps the current estimate.
constexpr std::int32_t keep_estimate = 99;
// The frequency of a surge, sway or yaw mode whose mooring gives no positive spring.
constexpr float no_spring_frequency = 1.0e-15f;
// The factor of the keel's roll inertia (KEEL_FAC).
constexpr float KEEL_FAC = 1.5f;
// Points of the surge energy curve.
constexpr int energy_points = LincomBlock::energy_points;

enum Mode { heave = 0, pitch, roll, surge, sway, yaw };

// The words of one mode: frequency and grid index in HIMEM, switches, spring and mooring
// damping in TPCM, its degree of freedom in DYNSPR (surge, sway, heave, roll, pitch, yaw) and
// whether its first amplitude is a slope.
struct ModeWords {
    float& W;
    std::int32_t& J;
    std::int32_t& period_switch;
    float& spring;
    std::int32_t& damping_switch;
    float& damping;
    int dof;
    bool rotation;
};

ModeWords mode_words(int mode) {
    HimemBlock& H = HIMEM;
    TpcmBlock& P = TPCM;
    switch (mode) {
    case heave:
        return {H.WH, H.JH, P.LHVPRD, P.HVK, P.LHVDMP, P.HVMDMP, 2, false};
    case pitch:
        return {H.WP, H.JP, P.LPTPRD, P.PTK, P.LPTDMP, P.PTMDMP, 4, true};
    case roll:
        return {H.WR, H.JR, P.LRLPRD, P.RLK, P.LRLDMP, P.RLMDMP, 3, true};
    case surge:
        return {H.WSG, H.JSG, P.LSGPRD, P.SGK, P.LSGDMP, P.SGMDMP, 0, false};
    case sway:
        return {H.WSW, H.JSW, P.LSWPRD, P.SWK, P.LSWDMP, P.SWMDMP, 1, false};
    default:
        return {H.WY, H.JY, P.LYWPRD, P.YWK, P.LYWDMP, P.YWMDMP, 5, true};
    }
}

std::complex<float> mode_rao(int mode) {
    HimemBlock& H = HIMEM;
    switch (mode) {
    case heave:
        return H.CHVRAX();
    case pitch:
        return H.CPTRAX();
    case roll:
        return H.CRLRAX();
    case surge:
        return H.CSGRAX();
    case sway:
        return H.CSWRAX();
    default:
        return H.CYWRAX();
    }
}

// The refusal of a buoy whose hydrostatic data give no equivalent cylinder.
[[noreturn]] void refuse_hydrostatics() {
    const TpcmBlock& P = TPCM;
    const std::string values1 = "     AWP =" + E(P.AWP, 12, 4) + "   DRAFT =" + E(P.DRAFT, 12, 4) +
                                "   VKG =" + E(P.VKG, 12, 4);
    const std::string values2 = "     TVKB =" + E(P.TVKB, 12, 4) + "   VKML =" + E(P.VKML, 12, 4) +
                                "   DISPL =" + E(P.DISPL, 12, 4) + "   DWATR =" + E(P.DWATR, 12, 4);
    fatal_stop(
        P.EDUNIT, keyboard_unit,
        {"",
         " ++> FATAL error: The disc buoy's hydrostatic data give no equivalent cylinder:", values1,
         values2, "     it needs AWP > 0, (DRAFT - VKG)**2 >= 2 (TVKB - VKG) DISPL / (DWATR AWP)",
         "     with a positive effective draft, and KML above KG."});
}

// The equivalent cylinder and the buoy's constants. Returns CS.
float buoy_constants() {
    HimemBlock& H = HIMEM;
    const TpcmBlock& P = TPCM;
    const float G = WAVCOM.G;
    if (!(P.AWP > 0.0f))
        refuse_hydrostatics();
    H.DELTA = P.DISPL * 1000.0f / P.DWATR;
    H.RADIUS = std::sqrt(P.AWP / pi_single);
    H.BEAM = 2.0f * H.RADIUS;
    H.SHIPL = H.BEAM;
    H.XSCALE = H.RADIUS;

    // The effective draft: the cylinder of the same displacement, KB and KG.
    const float B = P.DRAFT - P.VKG;
    const float C = (P.TVKB - P.VKG) * H.DELTA / P.AWP;
    const float discriminant = B * B - 2.0f * C;
    if (!(discriminant >= 0.0f))
        refuse_hydrostatics();
    H.EDRAFT = B + std::sqrt(discriminant);
    if (!(H.EDRAFT > 0.0f))
        refuse_hydrostatics();
    H.DLRAT = H.EDRAFT / H.RADIUS;
    H.SDRAFT = H.DLRAT;

    const float CS = disc_surge_added_mass(H.DLRAT);
    H.CSG = CS;
    H.CSW = CS;
    H.VTCRP = (P.VKG + CS * P.TVKB) / (1.0f + CS);
    H.VTCRR = H.VTCRP;
    H.WPML = H.DELTA * (P.VKML - P.TVKB);
    H.WPMT = H.WPML;
    const float EKB = H.EDRAFT / 2.0f;
    const float EKG = P.VKG + H.EDRAFT - P.DRAFT;
    H.WLCRP = (CS * EKB + EKG) / (1.0f + CS) - H.EDRAFT;
    H.SWLCRP = H.WLCRP / H.RADIUS;
    H.GML = H.WPML / H.DELTA - P.VKG + P.TVKB;
    H.GMT = H.GML;
    if (!(H.GML > 0.0f))
        refuse_hydrostatics();
    H.TQCNST = H.WPML / (H.GML * H.DELTA);
    H.HCONST = H.RADIUS * H.RADIUS * H.RADIUS;
    H.PCONST = H.HCONST * H.RADIUS * H.RADIUS;
    H.HVM1 = H.DELTA;
    const float arm = H.WLCRP + H.EDRAFT - EKB;
    H.PTCH1 = H.DELTA * (P.PGYR * P.PGYR + CS * arm * arm);
    H.ROL1 = H.DELTA * (P.RGYR * P.RGYR + CS * arm * arm);
    H.YAWI = H.DELTA * P.YGYR * P.YGYR;
    H.HC = G * P.AWP;
    H.PRMT = H.GML * H.DELTA * G;
    H.RRMT = H.PRMT;

    // The keel's added heave mass and roll inertia. The two cubic coefficients differ (1.333
    // and 1.3333), so a keel of no depth leaves a small heave term.
    if (P.LKEEL != 0) {
        const float e = P.DKEEL > 0.0f ? P.RKEEL / P.DKEEL : 0.0f;
        const float e1 = 1.0f + e;
        H.SKAMHV = H.HCONST * (1.333f * e1 * e1 * e1 - 1.3333f + 4.9348025f * e * e);
        const float f1 = 1.0f + KEEL_FAC * e;
        H.SKAMRL = 4.935f * H.PCONST * e * e * (1.0f + 0.5f * e) * f1 * f1;
    } else {
        H.SKAMHV = 0.0f;
        H.SKAMRL = 0.0f;
    }
    return CS;
}

// What the coupled passes leave for the energy curve: the last design-wave height and the last
// surge amplitude.
struct PassRecord {
    bool has_height = false;
    float height = 0.0f;
    float surge_amplitude = 0.0f;
};

// The mooring's spring and damping of one mode at its frequency: the spring at a tenth of the
// design wave, the damping at the mode's calibrated response to it.
void mode_mooring(int mode, float WH0, float WP0, float WR0, PassRecord& record) {
    const HimemBlock& H = HIMEM;
    const TpcmBlock& P = TPCM;
    const WavcomBlock& W = WAVCOM;
    const ModeWords m = mode_words(mode);
    if (m.period_switch != 0 && m.damping_switch != 0)
        return;
    float height = 0.0f;
    float slope = 0.0f;
    HTSLOP(P.DEPTH, W.G, P.LSLPHT, P.SLPHT, m.W, height, slope);
    record.has_height = true;
    record.height = height;
    const std::span<const float> RANCK(LINCOM.RANCK_words, lincom_lines);
    std::array<float, 6> DISP{};
    DISP[static_cast<std::size_t>(m.dof)] = 0.1f * (m.rotation ? slope : height);
    const LineSpringSums first = DYNSPR(DISP, m.W, RANCK);
    const float amplitude = W.DURFAC * height * std::abs(mode_rao(mode));
    if (mode == surge)
        record.surge_amplitude = amplitude;
    DISP[static_cast<std::size_t>(m.dof)] = amplitude;
    const LineSpringSums second = DYNSPR(DISP, m.W, RANCK);
    const auto dof = static_cast<std::size_t>(m.dof);
    if (m.damping_switch == 0)
        m.damping = second.damping[dof];
    if (m.period_switch != 0)
        return;
    m.spring = first.spring[dof];
    const float RHOWTR = W.RHOWTR;
    const auto translational = [&](float mass) {
        return m.spring > 0.0f ? std::sqrt(m.spring / (RHOWTR * mass)) : no_spring_frequency;
    };
    switch (mode) {
    case heave:
        m.W = std::sqrt(WH0 * WH0 + m.spring / (RHOWTR * H.HVMAS));
        break;
    case pitch:
        m.W = std::sqrt(WP0 * WP0 + m.spring / (RHOWTR * H.PTCHI));
        break;
    case roll:
        m.W = std::sqrt(WR0 * WR0 + m.spring / (RHOWTR * H.ROLI));
        break;
    case surge:
    case sway:
        m.W = translational(H.SGMAS);
        break;
    default:
        m.W = translational(H.YAWI);
        break;
    }
}

// One pass: added masses, unmoored frequencies, with coupling the moored
// springs, dampings and frequencies, then the grid indices.
void characteristics_pass(float CS, PassRecord& record) {
    HimemBlock& H = HIMEM;
    const TpcmBlock& P = TPCM;
    const float G = WAVCOM.G;
    const float PMS = H.PCONST * PMASD(H.WP * H.WP * H.RADIUS / G);
    const float RMS = PMS;
    const float HMS = H.HCONST * HMASD(H.WH * H.WH * H.RADIUS / G);
    H.PTCHI = H.PTCH1 + PMS + H.SKAMRL;
    H.PMAS1 = PMS;
    H.RMAS1 = RMS;
    H.ROLI = H.ROL1 + RMS + H.SKAMRL;
    H.HVMAS = H.HVM1 + HMS + H.SKAMHV;
    H.SGMAS = (1.0f + CS) * H.HVM1;

    if (P.LPTPRD == 0)
        H.WP = std::sqrt(H.PRMT / H.PTCHI);
    else if (P.LPTPRD == 1)
        H.WP = two_pi_single / P.PITPRD;
    if (P.LHVPRD == 0)
        H.WH = std::sqrt(H.HC / H.HVMAS);
    else if (P.LHVPRD == 1)
        H.WH = two_pi_single / P.HEVPRD;
    if (P.LRLPRD == 0)
        H.WR = std::sqrt(H.PRMT / H.ROLI);
    else if (P.LRLPRD == 1)
        H.WR = two_pi_single / P.ROLPRD;

    if (P.MORFBK == 1) {
        // The user's periods of the horizontal modes are held in their spring words.
        for (const int mode : {surge, sway, yaw}) {
            const ModeWords m = mode_words(mode);
            if (m.period_switch == 1)
                m.W = two_pi_single / m.spring;
        }
        const float WP0 = H.WP;
        const float WH0 = H.WH;
        const float WR0 = H.WR;
        std::int32_t calibration = 0;
        DSKFRC(calibration);
        for (const int mode : {heave, pitch, roll, surge, sway, yaw})
            mode_mooring(mode, WH0, WP0, WR0, record);
    }

    H.JP = nearest_grid_point(H.WP);
    H.JR = nearest_grid_point(H.WR);
    H.JH = nearest_grid_point(H.WH);
    H.JSG = nearest_grid_point(H.WSG);
    H.JSW = nearest_grid_point(H.WSW);
    H.JY = nearest_grid_point(H.WY);
}

DiscIterationValues read_values() {
    DiscIterationValues v;
    for (int mode = heave; mode <= yaw; ++mode) {
        const ModeWords m = mode_words(mode);
        const auto at = static_cast<std::size_t>(mode);
        v.W[at] = m.W;
        v.D[at] = m.damping;
        v.J[at] = m.J;
    }
    return v;
}

void write_values(const DiscIterationValues& v) {
    for (int mode = heave; mode <= yaw; ++mode) {
        const ModeWords m = mode_words(mode);
        const auto at = static_cast<std::size_t>(mode);
        m.W = v.W[at];
        m.damping = v.D[at];
    }
}

// The mooring's energy along a surge excursion, in 90 steps of D, at the mean wave
// frequency. The step is from the largest surge motion the passes saw, else from the design
// wave (at the mean wave frequency when no pass evaluated it).
void surge_energy_curve(const PassRecord& record) {
    const TpcmBlock& P = TPCM;
    const WavcomBlock& W = WAVCOM;
    LincomBlock& C = LINCOM;
    const float frequency = two_pi_single / W.TAVG;
    float height = record.height;
    if (!record.has_height) {
        float slope = 0.0f;
        HTSLOP(P.DEPTH, W.G, P.LSLPHT, P.SLPHT, frequency, height, slope);
    }
    float D = 0.0f;
    if (P.LSGPRD == 0 || P.LSGDMP == 0)
        D = 2.0f * std::max(record.surge_amplitude, height) / 90.0f;
    else
        D = 8.0f * W.DURFAC * height / 90.0f;
    C.WVOFST(1) = D;
    C.WFERGF(1) = 0.0f;
    const std::span<const float> RANCK(C.RANCK_words, lincom_lines);
    for (int k = 2; k <= energy_points; ++k) {
        const std::array<float, 6> DISP{
            static_cast<float>(k - 1) * D, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
        const LineSpringSums sums = DYNSPR(DISP, frequency, RANCK);
        C.WFERGF(k) = C.WFERGF(k - 1) + std::abs(sums.net[0]) * D;
    }
}

// The prompt of an iteration that does not settle: true when the user keeps the estimate (99);
// "A" stops the run; Return (or 1) goes on. An unattended run stops here (ABORT3).
bool keep_estimate_at_prompt(int ITRY) {
    const int EDUNIT = TPCM.EDUNIT;
    write_record(EDUNIT, " ++> Possible iteration failure in DSKCHR period/damping loop.");
    write_record(EDUNIT, "     Completing attempt # " + I(ITRY, 2));
    write_record(EDUNIT, "     Enter 99 to continue with current best estimate OR...");
    std::int32_t LBACK = 0;
    ABORT3(EDUNIT, keyboard_unit, LBACK);
    if (LBACK < 0)
        stop_program(StopKind::user_choice);
    return LBACK == keep_estimate;
}

// Two values agree within TOL when 1 - SAVED / NOW is; two zeros agree.
bool agrees(float saved, float now, float tol) {
    if (now == 0.0f)
        return saved == 0.0f;
    return std::abs(1.0f - saved / now) <= tol;
}

} // namespace

// HTSLOP: see the header.
void HTSLOP(float DEPTH, float G, std::int32_t LSLPHT, float SLPHT, float W, float& WHGT,
            float& WSLOPE) {
    float K = 0.0f;
    WAVVEC(W * std::sqrt(DEPTH / G), K);
    const float k = K / DEPTH;
    if (LSLPHT == 1) {
        WSLOPE = SLPHT / degrees_per_radian_rounded;
        WHGT = 2.0f * WSLOPE / k;
    } else {
        WHGT = SLPHT;
        WSLOPE = 0.5f * WHGT * k;
    }
}

// AVGUPD: see the header.
void AVGUPD(std::span<float> CURRENT, std::span<float> SAVED) {
    for (std::size_t i = 0; i < CURRENT.size() && i < SAVED.size(); ++i) {
        CURRENT[i] = (SAVED[i] + CURRENT[i]) / 2.0f;
        SAVED[i] = CURRENT[i];
    }
}

// disc_period_iteration: see the header. Reads TPCM EDUNIT and NBUG.
int disc_period_iteration(bool coupled, const DiscIterationSteps& steps) {
    DiscIterationValues saved; // frequencies and dampings of the previous pass, 0 at first
    std::array<std::int32_t, 6> saved_J = steps.read().J;
    int ITRATN = 0;
    int ITRY = 0;
    int changing_passes = 0;
    int passes = 0;
    while (true) {
        ++ITRATN;
        ++passes;
        const std::array<std::int32_t, 6> start_J = steps.read().J;
        if (TPCM.NBUG == 1) {
            const int EDUNIT = TPCM.EDUNIT;
            write_record(EDUNIT, "JRR,JR,JPP,JP,JHH,JH,JGG,JSG,JWW,JSW,JYY,JY");
            std::string record;
            for (const int mode : {roll, pitch, heave, surge, sway, yaw}) {
                const auto at = static_cast<std::size_t>(mode);
                record += I(saved_J[at], 5) + I(start_J[at], 5);
            }
            write_record(EDUNIT, record);
        }
        saved_J = start_J;
        steps.pass();
        DiscIterationValues now = steps.read();

        if (coupled) {
            bool converged = true;
            for (std::size_t i = 0; i < 6; ++i)
                converged = converged && agrees(saved.W[i], now.W[i], ERRPRD) &&
                            agrees(saved.D[i], now.D[i], ERRDMP);
            if (!converged) {
                if (ITRATN > relaxed_after) {
                    AVGUPD(now.W, saved.W);
                    AVGUPD(now.D, saved.D);
                    steps.write(now);
                }
                if (ITRATN > attempt_passes) {
                    ++ITRY;
                    if (ITRY <= silent_attempts) {
                        AVGUPD(now.W, saved.W);
                        AVGUPD(now.D, saved.D);
                        steps.write(now);
                    } else if (keep_estimate_at_prompt(ITRY)) {
                        return passes;
                    }
                    ITRATN = 0;
                    continue;
                }
                saved.W = now.W;
                saved.D = now.D;
                continue;
            }
        }

        // The grid test: done when the pass left every mode at the grid point it started on.
        if (now.J == start_J)
            return passes;
        if (++changing_passes >= grid_test_passes) {
            ++ITRY;
            if (keep_estimate_at_prompt(ITRY))
                return passes;
            changing_passes = 0;
        }
    }
}

// DSKCHR: see the header.
void DSKCHR() {
    HimemBlock& H = HIMEM;
    TpcmBlock& P = TPCM;
    const float CS = buoy_constants();

    H.JH = P.NWP;
    H.JP = P.NWP;
    H.JR = P.NWP;
    H.JSG = P.NWP;
    H.JSW = P.NWP;
    H.JY = P.NWP;
    if (P.MORFBK != 0) {
        // The lines' mean shapes at the buoy; for program code 13 the buoy's data stand in the
        // vessel section while they are built. The energy curve needs them with any coupling.
        const BodySectionsExchanged sections(TPCM, P.SIMTYP == 13);
        LINDRV(std::span<const float>(LINCOM.RANCK_words, lincom_lines),
               std::span<const float>(LINCOM.ZANCK_words, lincom_lines));
    }
    if (P.MORFBK == 1) {
        const float start = WAVCOM.W(P.NWP);
        H.WH = start;
        H.WP = start;
        H.WR = start;
        H.WSG = start;
        H.WSW = start;
        H.WY = start;
    }

    PassRecord record;
    DiscIterationSteps steps;
    steps.pass = [&] { characteristics_pass(CS, record); };
    steps.read = read_values;
    steps.write = write_values;
    disc_period_iteration(P.MORFBK == 1, steps);

    if (P.MORFBK != 0)
        surge_energy_curve(record);
}

} // namespace lintar
