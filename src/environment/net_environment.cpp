// environment/net_environment.cpp: the environmental force and yaw moment at a trial heading.
#include "environment/net_environment.h"

#include "blocks/equilb.h"
#include "blocks/sines.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "environment/coefficient_preparation.h"
#include "environment/current_coefficients.h"
#include "environment/fourier_basis.h"
#include "environment/hull_drag.h"
#include "environment/wave_drift.h"
#include "environment/wind_coefficients.h"
#include "motions/rao_reevaluation.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/flags.h"
#include "util/program_types.h"
#include "util/scope_restore.h"
#include "util/table_search.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace lintar {

namespace {

// The angle of an environment of heading `degrees` relative to the vessel at TNKANG: pi when
// it comes from dead ahead of the vessel's heading.
float relative_angle(float degrees, float TNKANG) {
    return degrees / degrees_per_radian - TNKANG + pi_single;
}

float wind_coefficient(std::int32_t IXYZ, float WNDANG) {
    const TpcmBlock& T = TPCM;
    return WINDCF(IXYZ, T.LWBARG, T.LOADED, T.BOWWND, T.SIZE, WNDANG, T.TXWNDA, T.YWNDAR, T.XWARM,
                  T.YWARM, T.LWL, T.BWL, T.EDUNIT, T.ISPM, T.SIMTYP);
}

float current_coefficient(std::int32_t IXYZ, float CURANG) {
    const TpcmBlock& T = TPCM;
    return CRNTCF(IXYZ, T.LCBARG, T.DFTPCT, T.BOWCUR, SINES.HOVERD, CURANG, T.XCURAR, T.YCURAR,
                  T.XCARM, T.YCARM, T.LWL, T.BWL, T.EDUNIT, T.ISPM, T.SIMTYP);
}

// A wave system: its switch, heading, spectrum and the EQUILB word of its relative angle.
struct WaveSystem {
    bool on;
    float heading;
    std::span<const float, 100> PSD;
    std::int32_t IWAVID;
    float* angle_word;
};

std::array<WaveSystem, 3> wave_systems() {
    const TpcmBlock& T = TPCM;
    return {{{T.LRANDM != 0, T.SEAHDG(1), WAVCOM.WPSD_words, 1, nullptr},
             {T.LSWELL != 0, T.SWLHDG, WAVCOM.SWLPSD_words, 2, &EQUILB.SWLANG},
             {T.LSWEL2 != 0, T.SWLHDG2, WAVCOM.SWLPSD2_words, 3, &EQUILB.SWLANG2}}};
}

float drag(std::int32_t LCOMP, float angle, std::span<const float, 100> PSD, std::int32_t IWAVID) {
    float mean = 0.0f;
    float scratch = 0.0f;
    DRAGF(0, LCOMP, angle, PSD, 0.0f, mean, scratch, IWAVID);
    return mean;
}

// A user force: its switch, components, axis flag, magnitude and direction, constant moment
// and point of application.
struct UserForce {
    std::int32_t on;
    float X, Y;
    std::int32_t axes;
    float magnitude, direction, moment, x, y;
};

std::array<UserForce, 3> user_forces() {
    const TpcmBlock& T = TPCM;
    const EquilbBlock& E = EQUILB;
    return {
        {{T.AUXFRC, T.XVFRC, T.YVFRC, T.CRDSYS, E.FEXTRN, E.PHIFEX, T.VESMOM, T.XVLOC, T.YVLOC},
         {T.AXFC2, T.XVFRC2, T.YVFRC2, T.CRDS2, E.FXTRN2, E.PHIFX2, T.VESMO2, T.XVLOC2, T.YVLOC2},
         {T.AXFC3, T.XVFRC3, T.YVFRC3, T.CRDS3, E.FXTRN3, E.PHIFX3, T.VESMO3, T.XVLOC3, T.YVLOC3}}};
}

// The yaw-table and articulated-arm terms of a single-point mooring.
float mooring_terms(float TNKANG) {
    const TpcmBlock& T = TPCM;
    if (T.YAWTBL == 0 && T.IARCO != 3)
        return 0.0f;
    float M = 0.0f;
    float TMPANG = pi_single;
    float FTMP = 0.0f;
    if (T.IARCO != 4) {
        const NetForces F = NETFOR(TNKANG, false);
        TMPANG = F.FRCANG + TNKANG;
        FTMP = std::hypot(F.FXENVT, F.FYENVT);
    }
    const float DELANG = ANGSYM(TNKANG - T.EQLYAW / degrees_per_radian - TMPANG + pi_single);
    const float sign = DELANG >= 0.0f ? 1.0f : -1.0f; // the sign of zero counts as positive
    if (T.YAWTBL != 0 && T.NUMTAB >= 2) {
        // Moments at 0, YAWINC, 2 YAWINC ... degrees of one side; the other side mirrors them.
        // Beyond the table the last interval is extended.
        const float RATIO = std::abs(DELANG * degrees_per_radian / T.YAWINC);
        const std::int32_t NRATIO = std::min(static_cast<std::int32_t>(RATIO) + 1, T.NUMTAB - 1);
        const float fraction = RATIO - static_cast<float>(NRATIO - 1);
        M -= sign * (T.AUXTRQ(NRATIO) + fraction * (T.AUXTRQ(NRATIO + 1) - T.AUXTRQ(NRATIO)));
    } else if (T.YAWTBL != 0 && T.NUMTAB == 1) {
        M -= sign * T.AUXTRQ(1);
    }
    if (T.IARCO == 3 && T.NUMTAB >= 2) {
        const EquilbBlock& E = EQUILB;
        const std::span<const float> load(E.HLOAD_words, static_cast<std::size_t>(T.NUMTAB));
        std::int32_t IER = 0;
        std::int32_t i = 0;
        BSRCH(load, FTMP, IER, i, T.NUMTAB);
        const float run = E.OFFSET_words[i] - E.OFFSET_words[i - 1];
        const float FSLOPE = run != 0.0f ? (E.HLOAD_words[i] - E.HLOAD_words[i - 1]) / run : 0.0f;
        M -= T.PNDARM * 0.5f * DELANG * FSLOPE;
    }
    return M;
}

} // namespace

NetForces NETFOR(float TNKANG, bool FORCE_NEW_RAO) {
    TpcmBlock& T = TPCM;
    const EquilbBlock& E = EQUILB;
    NetForces F;
    float RELDEG = 0.0f;
    RELRAOUP(RELDEG, TNKANG, 1, false, FORCE_NEW_RAO);

    // User forces, earth-axis ones turned into vessel axes.
    float external_x = 0.0f;
    float external_y = 0.0f;
    const float c = std::cos(TNKANG);
    const float s = std::sin(TNKANG);
    for (const UserForce& U : user_forces()) {
        if (U.on == 0)
            continue;
        if (U.axes == 0) {
            external_x += U.X * c + U.Y * s;
            external_y += -U.X * s + U.Y * c;
        } else {
            external_x += U.X;
            external_y += U.Y;
        }
    }
    float dp_x = 0.0f;
    float dp_y = 0.0f;
    if (T.DPRFLG == 1) {
        dp_x = (T.DPXPNT - E.RVES(1)) * T.DPXSPR + T.DPXFRC;
        dp_y = (T.DPYPNT - E.YCGVAR()) * T.DPYSPR + T.DPYFRC;
    }
    if (T.LWIND != 0) {
        const float WNDANG = relative_angle(T.WNDHDG, TNKANG);
        TRIGLD(WNDANG);
        F.FXWIND = SINES.WNDCOF * T.TXWNDA * wind_coefficient(1, WNDANG);
        F.FYWIND = SINES.WNDCOF * T.YWNDAR * wind_coefficient(2, WNDANG);
    }
    if (T.LCURNT != 0) {
        const float CURANG = relative_angle(T.CURHDG, TNKANG);
        TRIGLD(CURANG);
        if (tension_leg_or_spar(T.SIMTYP)) {
            // The current is averaged over the draft the vessel sits at.
            const ScopeRestore keep_draft(T.DRAFT);
            T.DRAFT += E.ZCGVAR;
            COFLD();
        }
        F.FXCURR = SINES.CURCOF * T.XCURAR * current_coefficient(1, CURANG);
        F.FYCURR = SINES.CURCOF * T.YCURAR * current_coefficient(2, CURANG);
    }
    float* const drift_x[3] = {&F.FXWAVE, &F.FXSWEL, &F.FXSWEL2};
    float* const drift_y[3] = {&F.FYWAVE, &F.FYSWEL, &F.FYSWEL2};
    float* const drag_x[3] = {&F.FXWVDG, &F.FXSWDG, &F.FXSWDG2};
    float* const drag_y[3] = {&F.FYWVDG, &F.FYSWDG, &F.FYSWDG2};
    for (const WaveSystem& W : wave_systems()) {
        if (!W.on)
            continue;
        const auto k = slot(W.IWAVID);
        const float angle = relative_angle(W.heading, TNKANG);
        if (W.angle_word != nullptr)
            *W.angle_word = angle;
        *drift_x[k] = WAVCOM.BOWCF * DRIFTF(0, 1, angle, W.PSD, 0.0f, 0, W.IWAVID);
        *drift_y[k] = WAVCOM.BEAMCF * DRIFTF(0, 2, angle, W.PSD, 0.0f, 0, W.IWAVID);
        if (T.LEGDRG == 0) {
            *drag_x[k] = drag(1, angle, W.PSD, W.IWAVID);
            *drag_y[k] = drag(2, angle, W.PSD, W.IWAVID);
        }
    }
    F.FXENVT = F.FXWAVE + F.FXWIND + F.FXCURR + F.FXSWEL + F.FXSWEL2 + F.FXWVDG + F.FXSWDG +
               F.FXSWDG2 + dp_x + external_x;
    F.FYENVT = F.FYWAVE + F.FYWIND + F.FYCURR + F.FYSWEL + F.FYSWEL2 + F.FYWVDG + F.FYSWDG +
               F.FYSWDG2 + dp_y + external_y;
    F.FRCANG = F.FXENVT != 0.0f || F.FYENVT != 0.0f ? std::atan2(F.FYENVT, F.FXENVT) : 0.0f;
    return F;
}

TorqueParts TORQUE2(float TNKANG) {
    const TpcmBlock& T = TPCM;
    const EquilbBlock& E = EQUILB;
    TorqueParts Q;
    float RELDEG = 0.0f;
    RELRAOUP(RELDEG, TNKANG, 1, false, true);
    const float table_and_arm = mooring_terms(TNKANG);
    const float YAWARM_TO_CG = E.YAWARM - T.CG_to_Midship;

    float* const user_parts[3] = {&Q.AUX1_TQ, &Q.AUX2_TQ, &Q.AUX3_TQ};
    std::size_t n = 0;
    for (const UserForce& U : user_forces()) {
        const std::size_t k = n++;
        if (U.on == 0)
            continue;
        const float phi = U.axes != 0 ? U.direction : U.direction - TNKANG;
        *user_parts[k] =
            U.moment + ((U.x - YAWARM_TO_CG) * std::sin(phi) - U.y * std::cos(phi)) * U.magnitude;
    }
    if (BITVAL(T.DPAFLG, 1) != 0) {
        const float phi = E.PHIFDP;
        const float psi = ANGSYM(T.DPANG / degrees_per_radian - TNKANG);
        Q.DP_TQ = T.DPMOM + T.DPASPR * psi +
                  ((T.DPXLOC - YAWARM_TO_CG) * std::sin(phi) - T.DPYLOC * std::cos(phi)) * E.FDPTOT;
    }
    if (T.LWIND != 0) {
        const float WNDANG = relative_angle(T.WNDHDG, TNKANG);
        TRIGLD(WNDANG);
        Q.WIND_TQ =
            SINES.WNDCOF * T.YWNDAR *
            (T.LWL * wind_coefficient(3, WNDANG) - YAWARM_TO_CG * wind_coefficient(2, WNDANG));
    }
    if (T.LCURNT != 0) {
        const float CURANG = relative_angle(T.CURHDG, TNKANG);
        TRIGLD(CURANG);
        Q.CUR_TQ = SINES.CURCOF * T.YCURAR *
                   (T.LWL * current_coefficient(3, CURANG) -
                    YAWARM_TO_CG * current_coefficient(2, CURANG));
    }
    float* const drift_parts[3] = {&Q.WAV_RFL_TQ, &Q.SWEL_RFL_TQ, &Q.SWEL_RFL_TQ2};
    float* const drag_parts[3] = {&Q.WAV_DRG_TQ, &Q.SWEL_DRG_TQ, &Q.SWEL_DRG_TQ2};
    for (const WaveSystem& W : wave_systems()) {
        if (!W.on)
            continue;
        const auto k = slot(W.IWAVID);
        const float angle = relative_angle(W.heading, TNKANG);
        if (W.angle_word != nullptr)
            *W.angle_word = angle;
        const float D2 = DRIFTF(0, 2, angle, W.PSD, 0.0f, 0, W.IWAVID);
        const float D3 = DRIFTF(0, 3, angle, W.PSD, 0.0f, 0, W.IWAVID);
        *drift_parts[k] = WAVCOM.BEAMCF * (T.LWL * D3 - YAWARM_TO_CG * D2);
        if (T.LEGDRG == 0)
            *drag_parts[k] =
                -YAWARM_TO_CG * drag(2, angle, W.PSD, W.IWAVID) + drag(3, angle, W.PSD, W.IWAVID);
    }
    float M = table_and_arm;
    for (const float part : {Q.AUX1_TQ, Q.AUX2_TQ, Q.AUX3_TQ, Q.DP_TQ, Q.WIND_TQ, Q.CUR_TQ})
        M += part;
    M += Q.WAV_RFL_TQ + Q.WAV_DRG_TQ;
    M += Q.SWEL_RFL_TQ + Q.SWEL_DRG_TQ;
    M += Q.SWEL_RFL_TQ2 + Q.SWEL_DRG_TQ2;
    Q.TORQUE_VAL = M;
    if (T.NBUG == 1)
        write_record(T.EDUNIT, " TORQUE: heading " + F(TNKANG * degrees_per_radian, 10, 4) +
                                   " deg, moment " + lintar::E(M, 13, 5) + ", table and arm " +
                                   lintar::E(table_and_arm, 13, 5));
    return Q;
}

float TORQUE(float TNKANG) {
    return TORQUE2(TNKANG).TORQUE_VAL;
}

} // namespace lintar
