// td_support/force_map.cpp: the mooring force map and its grid.
#include "td_support/force_map.h"

#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "offsets/turret_angle.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "td_support/mooring_support.h"
#include "util/file_services.h"

#include <cmath>
#include <vector>

namespace lintar {

namespace {

constexpr float sqrt_two = 1.41421354f;

} // namespace

float map_heading(int a) {
    return static_cast<float>(a - map_middle) * map_heading_step;
}

MapAxes map_axes(bool cylMap, std::int32_t NLIN, float XSPAN, float YSPAN, float DR0) {
    MapAxes axes;
    if (cylMap) {
        // The radius 0, then the second radius, then equal steps.
        const float R2temp = NLIN >= 2 ? XSPAN / 32.0f : DR0;
        const float DR = NLIN >= 2 ? XSPAN / 32.0f : (XSPAN / 2.0f - DR0) / 31.0f;
        axes.first[0] = 0.0f;
        axes.first[1] = R2temp;
        for (int i = 3; i <= map_points; ++i)
            axes.first[slot(i)] = axes.first[slot(i - 1)] + DR;
        for (int j = 1; j <= map_points; ++j)
            axes.second[slot(j)] = map_heading(j);
        return axes;
    }
    if (NLIN >= 2) {
        const float DX = XSPAN / 32.0f;
        const float DY = YSPAN / 32.0f;
        for (int i = 1; i <= map_points; ++i) {
            axes.first[slot(i)] = static_cast<float>(i - map_middle) * DX;
            axes.second[slot(i)] = static_cast<float>(i - map_middle) * DY;
        }
        return axes;
    }
    // One line: no point between the 16th and the centre, nor between the centre and the
    // 18th, where the line would hang over its anchor.
    const auto gapped = [](std::array<float, map_points>& x, float span, float step) {
        x[0] = -span / 2.0f;
        for (int i = 2; i <= 16; ++i)
            x[slot(i)] = x[slot(i - 1)] + step;
        x[slot(17)] = 0.0f;
        x[slot(18)] = -x[slot(16)];
        for (int i = 19; i <= map_points; ++i)
            x[slot(i)] = x[slot(i - 1)] + step;
    };
    gapped(axes.first, XSPAN, (XSPAN - sqrt_two * DR0) / 32.0f);
    gapped(axes.second, YSPAN, (YSPAN - sqrt_two * DR0) / 32.0f);
    return axes;
}

MapMooring map_mooring_of_blocks() {
    MapMooring m;
    m.tables = lincom_tables();
    m.NLIN = TPCM.NLIN;
    m.lines = lincom_mooring_lines(1, m.NLIN);
    m.VESAN0 = TPCM.VESAN0;
    m.TRTNG0 = EQUILB.TRTNG0;
    m.LSPM = TPCM.LSPM != 0;
    m.LOCK_TRT = TPCM.LOCK_TRT;
    m.YAWARM = EQUILB.YAWARM;
    m.XCENTR = TPCM.XSALM;
    m.TOTLN1 = LINCOM.TOTLN(1);
    return m;
}

bool lines_share_one_fairlead(const MapMooring& m) {
    if (!m.LSPM)
        return false;
    const auto& RFL = m.lines.RFL;
    for (int i = m.lines.MINLN; i < m.lines.MAXLN; ++i) {
        const std::size_t a = 3 * slot(i);
        const std::size_t b = 3 * slot(i + 1);
        if (RFL[a] != RFL[b] || RFL[a + 1] != RFL[b + 1])
            return false;
    }
    return true;
}

void map_turret_angle(const MapMooring& m, bool PNTTRT, float x, float y, float heading,
                      float& TRTNGL, int EDUNIT) {
    if (!m.LSPM)
        return;
    const TurretMoment moment{TurretTrial{x, y, m.TRTNG0, m.XCENTR}, m.tables, m.lines};
    GET_TRT_ANG(heading, TRTNGL, PNTTRT, m.LOCK_TRT, EDUNIT, keyboard_unit, map_turret_half_width,
                map_turret_flip, moment);
}

std::string map_entry(float a, float b, float c, std::initializer_list<float> values) {
    std::string text = " " + F(a, 10, 3) + F(b, 10, 3) + F(c, 10, 3);
    for (const float v : values)
        text += "  " + E(v, 12, 5);
    return text;
}

// GET_MOOR_FORCES_MAP: the one-line table, then the map point by point.
void GET_MOOR_FORCES_MAP(int EDUNIT, int IO_MOOR_LOADS, int IO_ONE_LINE_MOOR_LOADS,
                         const MapMooring& m, float TRTNGL, float XSPAN, float YSPAN, bool cylMap,
                         std::int32_t& mapMakeSecs) {
    std::int32_t start_minutes = 0;
    std::int32_t start_seconds = 0;
    RHTIME(start_minutes, start_seconds);
    const bool PNTTRT = lines_share_one_fairlead(m);
    const LineTables& tables = m.tables;
    const std::int32_t NTAB = tables.NTAB;
    const auto anc = tables.column(tables.ANCDST, tables.MIDLYR, 1);
    const float DR0 = m.NLIN == 1 ? anc[1] : 0.0f;
    const MapAxes axes = map_axes(cylMap, m.NLIN, XSPAN, YSPAN, DR0);

    write_record(IO_ONE_LINE_MOOR_LOADS,
                 list_directed_int(m.NLIN) + list_directed_int(NTAB) +
                     list_directed_real_g15(m.TOTLN1) +
                     "  {NLIN,NTAB,TOTLN(1); Columns: Rdist, Hload, Tload}");
    if (m.NLIN == 1) {
        const auto top = tables.column(tables.TOPTEN, tables.MIDLYR, 1);
        for (int k = 1; k <= NTAB; ++k)
            write_record(IO_ONE_LINE_MOOR_LOADS, " " + E(anc[slot(k)], 25, 14) +
                                                     E(tables.HLOD[slot(k)], 25, 14) +
                                                     E(top[slot(k)], 25, 14));
    }
    write_record(IO_MOOR_LOADS, list_directed_int(map_points) + list_directed_int(map_points) +
                                    list_directed_int(map_points) +
                                    list_directed_int(span_key(XSPAN, EDUNIT)));

    PlaneFrame frame;
    frame.XCENTR = m.XCENTR;
    frame.XMCTR = m.YAWARM;
    frame.LSPM = m.LSPM;
    std::vector<float> RANCQ(lincom_lines);
    std::vector<float> ANGDEPQ(lincom_lines);
    const DisplacedGeometry recorded{RANCQ, {}, ANGDEPQ};
    for (int a = 1; a <= map_points; ++a) {
        const float heading = map_heading(a);
        for (int i = 1; i <= map_points; ++i) {
            for (int j = 1; j <= map_points; ++j) {
                float x = axes.first[slot(i)];
                float y = axes.second[slot(j)];
                if (cylMap) {
                    const float R = x;
                    const float A = y;
                    x = R * std::cos(A);
                    y = R * std::sin(A);
                }
                map_turret_angle(m, PNTTRT, x, y, heading, TRTNGL, EDUNIT);
                const PlaneState state{x, y, heading, m.VESAN0, TRTNGL, m.TRTNG0};
                float ERGMOR = 0.0f;
                const PlaneLoads loads =
                    FMOOR_PLUS(state, frame, tables, m.lines, ERGMOR, {}, 2, recorded);
                write_record(IO_MOOR_LOADS,
                             map_entry(axes.first[slot(i)], axes.second[slot(j)], heading,
                                       {loads.FXMOOR, loads.FYMOOR, loads.TZMOOR, ERGMOR}));
            }
        }
    }

    std::int32_t end_minutes = 0;
    std::int32_t end_seconds = 0;
    RHTIME(end_minutes, end_seconds);
    mapMakeSecs = elapsed_seconds(start_minutes, start_seconds, end_minutes, end_seconds);
}

} // namespace lintar
