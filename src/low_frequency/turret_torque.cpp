// low_frequency/turret_torque.cpp: TRTTRQ2, the yaw moment of the mooring lines about a freely
// turning turret.
#include "low_frequency/turret_torque.h"

#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/local3.h"
#include "blocks/tpcm.h"
#include "util/table_search.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <utility>

namespace lintar {

namespace {

constexpr float DEGRAD = 57.295776f; // degrees per radian

// Plan angle of (x, y): atan2, and 0 for the zero vector.
float plan_angle(float y, float x) {
    return x == 0.0f && y == 0.0f ? 0.0f : std::atan2(y, x);
}

} // namespace

// turret_yaw_moment: see the header. Reads EQUILB TRTNG0, TPCM (XSALM, RFLD, ANGDEP, NUMTAB)
// and LINCOM (LINEID, RANC, ANCDST, HLOD, MIDLYR); writes LINCOM ITYP (the type of the last
// line evaluated). Allocates nothing, so a root finder may call it freely. Never ends the run.
float turret_yaw_moment(float TRTTMP, float RX, float RY, std::int32_t MINLN, std::int32_t MAXLN) {
    const float d = TRTTMP - EQUILB.TRTNG0;
    const float cosd1 = std::cos(d) - 1.0f;
    const float sind = std::sin(d);
    const float cost = std::cos(EQUILB.TRTNG0);
    const float sint = std::sin(EQUILB.TRTNG0);
    // A table column holds 90 points: a larger count must not reach into the next row.
    const std::int32_t NUMTAB = std::min(TPCM.NUMTAB, std::int32_t{lincom_points});
    const auto column_size = static_cast<std::size_t>(std::max(NUMTAB, std::int32_t{1}));

    float torque = 0.0f;
    for (int i = MINLN; i <= MAXLN; ++i) {
        if (LINCOM.LINEID(i) > 1024)
            continue;
        LINCOM.ITYP = LINCOM.LINEID(i) % 1024;
        const float DEPRAD = TPCM.ANGDEP(i) / DEGRAD;

        // The fairlead in the reference turret axes, and how far turning the turret by d moves
        // it, first in those axes, then in global axes.
        const float x = TPCM.RFLD(1, i) - TPCM.XSALM;
        const float y = TPCM.RFLD(2, i);
        const float DFLXV = cosd1 * x - sind * y;
        const float DFLYV = sind * x + cosd1 * y;
        const float DFLXG = cost * DFLXV - sint * DFLYV;
        const float DFLYG = cost * DFLYV + sint * DFLXV;
        const float TMPX = RX + DFLXG;
        const float TMPY = RY + DFLYG;

        // Distance to the anchor, which lies RANC from the reference fairlead along DEPRAD.
        const float RANC = LINCOM.RANC(i);
        const float r2 = TMPX * TMPX + TMPY * TMPY;
        const float TMPANG = plan_angle(TMPY, TMPX);
        const float square =
            RANC * RANC + r2 - 2.0f * RANC * std::sqrt(r2) * std::cos(TMPANG - DEPRAD);
        const float TMPDST = square > 0.0f ? std::sqrt(square) : 0.0f;
        const float g = plan_angle(RANC * std::sin(DEPRAD) - TMPY, RANC * std::cos(DEPRAD) - TMPX);

        // The horizontal load from the table at that distance (ends extrapolated).
        const std::span<const float> anc =
            std::as_const(LINCOM).ANCDST_from(1, LINCOM.MIDLYR, LINCOM.ITYP).first(column_size);
        std::int32_t IER = 0;
        std::int32_t MIN = 1;
        BSRCH(anc, TMPDST, IER, MIN, NUMTAB);
        float RFORCE = 0.0f;
        INTERP(anc, LINCOM.HLOD_words, TMPDST, RFORCE, MIN);

        // Its moment in the turned turret axes: r x F with F along a = g - TRTTMP.
        const float a = g - TRTTMP;
        torque = torque + x * RFORCE * std::sin(a) - y * RFORCE * std::cos(a);
    }
    return torque;
}

// TRTTRQ2: the moment at the trial position of LOCAL3 (RVESP, MINLN, MAXLN).
float TRTTRQ2(float TRTTMP) {
    return turret_yaw_moment(TRTTMP, LOCAL3.RVESP(1), LOCAL3.RVESP(2), LOCAL3.MINLN, LOCAL3.MAXLN);
}

} // namespace lintar
