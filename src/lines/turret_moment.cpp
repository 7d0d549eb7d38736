// lines/turret_moment.cpp: the yaw moment of the lines about a freely turning turret.
#include "lines/turret_moment.h"

#include "blocks/lincom.h"
#include "util/angles.h"
#include "util/matrix3.h"
#include "util/table_search.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>

namespace lintar {

namespace {} // namespace

float turret_yaw_moment(float TRTTMP, const TurretTrial& trial, const LineTables& tables,
                        const MooringLines& lines) {
    const float d = TRTTMP - trial.TRTNG0;
    const float cosd1 = std::cos(d) - 1.0f;
    const float sind = std::sin(d);
    const float cost = std::cos(trial.TRTNG0);
    const float sint = std::sin(trial.TRTNG0);
    // A table column holds 90 points: a larger count must not reach into the next row.
    const std::int32_t NUMTAB = std::min(tables.NTAB, std::int32_t{lincom_points});
    const auto column_size = static_cast<std::size_t>(std::max(NUMTAB, std::int32_t{1}));

    float torque = 0.0f;
    for (int i = lines.MINLN; i <= lines.MAXLN; ++i) {
        const std::int32_t id = lines.LINEID[slot(i)];
        if (id > 1024)
            continue;
        const int t = id % 1024;
        const float DEPRAD = lines.ANGDEP[slot(i)] / degrees_per_radian;

        // The fairlead in the reference turret axes, and how far turning the turret by d moves
        // it, first in those axes, then in global axes.
        const float x = lines.RFL[3 * slot(i)] - trial.XSALM;
        const float y = lines.RFL[3 * slot(i) + 1];
        const float DFLXV = cosd1 * x - sind * y;
        const float DFLYV = sind * x + cosd1 * y;
        const float DFLXG = cost * DFLXV - sint * DFLYV;
        const float DFLYG = cost * DFLYV + sint * DFLXV;
        const float TMPX = trial.RX + DFLXG;
        const float TMPY = trial.RY + DFLYG;

        // Distance to the anchor, which lies RANC from the reference fairlead along DEPRAD.
        const float RANC = lines.RANC[slot(i)];
        const float r2 = TMPX * TMPX + TMPY * TMPY;
        const float TMPANG = plane_angle(TMPY, TMPX);
        const float square =
            RANC * RANC + r2 - 2.0f * RANC * std::sqrt(r2) * std::cos(TMPANG - DEPRAD);
        const float TMPDST = square > 0.0f ? std::sqrt(square) : 0.0f;
        const float g = plane_angle(RANC * std::sin(DEPRAD) - TMPY, RANC * std::cos(DEPRAD) - TMPX);

        // The horizontal load from the table at that distance (ends extrapolated).
        const std::span<const float> anc =
            tables.column(tables.ANCDST, tables.MIDLYR, t).first(column_size);
        std::int32_t IER = 0;
        std::int32_t MIN = 1;
        BSRCH(anc, TMPDST, IER, MIN, NUMTAB);
        float RFORCE = 0.0f;
        INTERP(anc, tables.HLOD, TMPDST, RFORCE, MIN);

        // Its moment in the turned turret axes: r x F with F along a = g - TRTTMP.
        const float a = g - TRTTMP;
        torque = torque + x * RFORCE * std::sin(a) - y * RFORCE * std::cos(a);
    }
    return torque;
}

} // namespace lintar
