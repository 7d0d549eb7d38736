// environment/coefficient_preparation.cpp: the mean-environment coefficient preparation.
#include "environment/coefficient_preparation.h"
#include "util/angles.h"

#include "blocks/curprof.h"
#include "blocks/equilb.h"
#include "blocks/sines.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "environment/current_profile.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "util/bessel_gamma.h"
#include "util/flags.h"

#include <cmath>
#include <cstdint>

namespace lintar {

namespace {

// ELPCOF's warning about very many points, once per run.
struct PreparationStore {
    bool elpcof_warned = false;
};
PreparationStore store;
const StateReset reset_store{[] { store = PreparationStore{}; }, StoreKind::analysis};

// The Munk factor 1 + E / (2 - E) of an ellipse with the squared axis ratios r1, r2.
float munk_factor(float r1, float r2) {
    float E = 0.0f;
    ELPCOF(r1, r2, 0, 1, E, TPCM.EDUNIT, keyboard_unit, store.elpcof_warned, 0);
    return 1.0f + E / (2.0f - E);
}

// The entrance half-angle of a bow or stern of fullness factor FAC: its sine, angle and
// cotangent; a square end from 2.77777 on.
void entrance(float FAC, float& SIN, float& ANG, float& COT) {
    if (FAC >= 2.77777f) {
        SIN = 1.0f;
        ANG = half_pi_single;
        COT = 0.0f;
        return;
    }
    SIN = std::sqrt(0.36f * FAC);
    ANG = std::asin(SIN);
    COT = 1.0f / std::tan(ANG);
}

} // namespace

void applied_force(bool on, float X, float Y, float& magnitude, float& direction) {
    if (!on) {
        magnitude = 0.0f;
        direction = 0.0f;
        return;
    }
    magnitude = std::sqrt(X * X + Y * Y);
    if (magnitude != 0.0f)
        direction = std::atan2(Y, X);
}

void CFPREP() {
    const TpcmBlock& T = TPCM;
    EquilbBlock& E = EQUILB;
    E.YAWARM = T.XSALM;

    // The tanker size from the deadweight in thousands of long tons.
    const float thousands = T.DWTONS * (T.NUNTS == 0 ? 0.000446429f : 0.000984207f);
    if (thousands >= 140.0f)
        TPCM.SIZE = 1.0f;
    else if (thousands <= 80.0f)
        TPCM.SIZE = 0.0f;
    else
        TPCM.SIZE = (thousands - 80.0f) / 60.0f;

    // The Munk moment factors of the length-wise and beam-wise ellipse.
    const float r = (T.LWL / T.BWL) * (T.LWL / T.BWL);
    TPCM.MUNKFAC1 = munk_factor(r, r);
    TPCM.MUNKFAC2 = munk_factor(1.0f / r, 1.0f);

    // Scales and drift factors.
    E.WSCALE = std::sqrt(WAVCOM.G / T.LWL);
    SINES.HOVERD = T.DEPTH / T.DRAFT;
    WAVCOM.BEAMCF = WAVCOM.DWATRP * T.LWL;
    WAVCOM.BOWCF = WAVCOM.DWATRP * T.BWL;

    // Bow and stern entrances and what the drift models take of them.
    entrance(T.BOWFAC, E.SINBOW, E.BOWANG, E.COTBOW);
    entrance(T.STRNFC, E.SINSTN, E.STRNAN, E.COTSTN);
    E.BLRAT0 = T.BWL / T.LWL;
    E.LEFRAT = std::max(1.0f - E.BLRAT0 * E.COTBOW, 0.0f);
    E.LEFRT2 = std::max(1.0f - 0.5f * E.BLRAT0 * (E.COTBOW + E.COTSTN), 0.0f);
    E.BOWARM = 0.5f * (1.0f - 0.5f * E.BLRAT0 * E.COTBOW);
    E.STRNRM = 0.5f * (1.0f - 0.5f * E.BLRAT0 * E.COTSTN);

    // The drift force's lever arm (yaw drift method 6) and yaw-moment factor.
    if (NIBVAL(T.LWVCOF, 3, T.EDUNIT) == 6)
        E.WAVARM = E.YAWARM + T.LWL * (E.STRNRM - E.BOWARM);
    else
        E.WAVARM = E.YAWARM;
    E.MOMCOF = 0.5f * E.BLRAT0 * ((1.0f - 0.5f * E.BLRAT0 * E.COTBOW) * E.COTBOW - 0.5f * E.BLRAT0);

    // The applied forces.
    applied_force(T.AUXFRC == 1, T.XVFRC, T.YVFRC, E.FEXTRN, E.PHIFEX);
    applied_force(T.AXFC2 != 0, T.XVFRC2, T.YVFRC2, E.FXTRN2, E.PHIFX2);
    applied_force(T.AXFC3 != 0, T.XVFRC3, T.YVFRC3, E.FXTRN3, E.PHIFX3);

    // The constant DP thrust.
    E.FDPTOT = 0.0f;
    E.PHIFDP = 0.0f;
    applied_force(BITVAL(T.DPRFLG, 1) == 1, T.DPXFRC, T.DPYFRC, E.FDPTOT, E.PHIFDP);

    COFLD();
}

void COFLD() {
    const TpcmBlock& T = TPCM;
    const float u = T.NUNTS == 1 ? 0.00013213f : 0.0014224f;
    SINES.WNDCOF = 0.0f;
    SINES.CURCOF = 0.0f;
    if (T.LWIND == 1)
        SINES.WNDCOF = T.TWNDCF * WAVCOM.RHOAIR * u * T.WNDSPD * T.WNDSPD;
    if (T.LCURNT == 1) {
        const float V = AVGCUR(T.DEPTH, T.DRAFT, T.LCSTCR, CURPROF.VELIPF_words,
                               CURPROF.DPTHIPF_words, T.CURSPD, CURPROF.NCURNTPF);
        SINES.CURCOF = T.DWATR / WAVCOM.G * T.CURFAC * u * V * V;
    }
}

} // namespace lintar
