// equilibrium/turret_torque.cpp: the yaw moment of the lines about a turned turret.
#include "equilibrium/turret_torque.h"

#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/local2.h"
#include "blocks/tpcm.h"
#include "lines/mooring_force.h"
#include "util/table_search.h"

#include <cmath>
#include <cstdint>

namespace lintar {

namespace {
constexpr float DEGRAD = 57.295776f; // degrees per radian
} // namespace

// TRTTRQ: see the header. Reads LOCAL2, EQUILB (RVES(1), YCGVAR, TRTNG0), TPCM (RFLD, ANGDEP,
// XSALM, NUMTAB) and LINCOM's tables; writes LINCOM's ITYP.
float TRTTRQ(float TRTTMP) {
    const LineTables tables = lincom_tables();
    const float TRTNG0 = EQUILB.TRTNG0;
    // The turn of the turret since its reference orientation.
    const float theta = TRTTMP - TRTNG0;
    const float c = std::cos(theta) - 1.0f;
    const float s = -std::sin(theta);
    const float cos0 = std::cos(TRTNG0);
    const float sin0 = std::sin(TRTNG0);

    float moment = 0.0f;
    for (int i = LOCAL2.MINLN; i <= LOCAL2.MAXLN; ++i) {
        if (LINCOM.LINEID(i) > 1024)
            continue;
        const std::int32_t type = LINCOM.LINEID(i) % 1024;
        LINCOM.ITYP = type;
        // The fairlead relative to the turret centre and its displacement by the turn, in
        // turret axes, then in global axes with the vessel's offset.
        const float x = TPCM.RFLD(1, i) - TPCM.XSALM;
        const float y = TPCM.RFLD(2, i);
        const float dy = c * y - s * x;
        const float dx = x * c + s * y;
        const float gx = EQUILB.RVES(1) + (dx * cos0 - dy * sin0);
        const float gy = EQUILB.YCGVAR() + (dy * cos0 + dx * sin0);

        // The new fairlead-anchor distance (law of cosines) and the line's new direction.
        const float R = LINCOM.RANC(i);
        const float a = TPCM.ANGDEP(i) / DEGRAD;
        const float r2 = gx * gx + gy * gy;
        const float r = std::sqrt(r2);
        const float phi = gx == 0.0f && gy == 0.0f ? 0.0f : std::atan2(gy, gx);
        const float d2 = R * R + r2 - 2.0f * R * r * std::cos(phi - a);
        const float d = d2 < 0.0f ? 0.0f : std::sqrt(d2);
        const float ax = R * std::cos(a) - gx;
        const float ay = R * std::sin(a) - gy;
        const float g = ax == 0.0f && ay == 0.0f ? 0.0f : std::atan2(ay, ax);

        const auto anc = tables.column(tables.ANCDST, tables.MIDLYR, type);
        std::int32_t IER = 0;
        std::int32_t MIN = 1;
        BSRCH(anc, d, IER, MIN, tables.NTAB);
        float H = 0.0f;
        INTERP(anc, tables.HLOD, d, H, MIN);
        moment += x * H * std::sin(g - TRTTMP) - y * H * std::cos(g - TRTTMP);
    }
    return moment;
}

} // namespace lintar
