// td_support/damping_maps.cpp: the line damping maps.
#include "td_support/damping_maps.h"
#include "blocks/lincom.h"

#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "td_support/mooring_support.h"
#include "td_support/net_line_damping.h"
#include "util/file_services.h"
#include "util/table_search.h"

#include <array>
#include <string>
#include <vector>

namespace lintar {

namespace {

// A line entry of the fairlead file: 1X, I4, 4(2X, E12.5).
std::string line_entry(int n, float T) {
    std::string text = " " + I(n, 4) + "  " + E(T, 12, 5);
    for (int k = 0; k < 3; ++k)
        text += "  " + E(0.0f, 12, 5);
    return text;
}

// The mean top tension of line n at anchor distance RANCQ from its type's table in row MIDLYR,
// extrapolated outside it; 0 for a skipped line.
float table_top_tension(const MapMooring& m, int n, float RANCQ) {
    const std::int32_t id = m.lines.LINEID[slot(n)];
    if (id > 1024)
        return 0.0f;
    const int t = id % 1024;
    const LineTables& tables = m.tables;
    const auto anc = tables.column(tables.ANCDST, tables.MIDLYR, t);
    std::int32_t IER = 0;
    std::int32_t MIN = 1;
    BSRCH(anc, RANCQ, IER, MIN, tables.NTAB);
    float H = 0.0f;
    float T = 0.0f;
    INTERP(anc, tables.HLOD, RANCQ, H, MIN);
    INTERP(tables.HLOD, tables.column(tables.TOPTEN, tables.MIDLYR, t), H, T, MIN);
    return T;
}

} // namespace

std::int32_t damping_map_headings(bool LSPM) {
    return LSPM ? 33 : 17;
}

// GET_LINE_DAMP_MAP: the headers, then the selected points of the force map's grid.
void GET_LINE_DAMP_MAP(int EDUNIT, int IO_WF_LN_DAMP, int IO_FLD_LOAD_MAP, int IO_CD_Q_COFS_MAP,
                       int IO_LN_INERTIA_MAP, const MapMooring& m, std::span<const float> ZANCQ,
                       float TRTNGL, float XSPAN, float YSPAN, std::int32_t LRANDM,
                       std::int32_t LSWELL, std::int32_t& linDampSecs, std::int32_t waveEnvironID) {
    std::int32_t start_minutes = 0;
    std::int32_t start_seconds = 0;
    RHTIME(start_minutes, start_seconds);
    const bool PNTTRT = lines_share_one_fairlead(m);

    const float DX = XSPAN / 32.0f;
    const float DY = YSPAN / 32.0f;
    const std::int32_t span = span_key(XSPAN, EDUNIT);
    const std::int32_t headings = damping_map_headings(m.LSPM);
    const std::string header = list_directed_int(headings) + list_directed_int(17) +
                               list_directed_int(17) + list_directed_int(waveEnvironID) +
                               list_directed_int(span);
    for (const int unit : {IO_WF_LN_DAMP, IO_CD_Q_COFS_MAP, IO_LN_INERTIA_MAP})
        write_record(unit, header);
    write_record(IO_FLD_LOAD_MAP, list_directed_int(m.NLIN) + list_directed_int(waveEnvironID) +
                                      list_directed_int(span));
    write_record(IO_FLD_LOAD_MAP,
                 list_directed_int(headings) + list_directed_int(17) + list_directed_int(17));

    PlaneFrame frame;
    frame.XCENTR = m.XCENTR;
    frame.XMCTR = m.YAWARM;
    frame.LSPM = m.LSPM;
    std::vector<float> RANCQ(lincom_lines);
    std::vector<float> ANGDEPQ(lincom_lines);
    const DisplacedGeometry recorded{RANCQ, {}, ANGDEPQ};
    for (int a = 1; a <= map_points; ++a) {
        if (!m.LSPM && a % 2 == 0)
            continue;
        const float heading = map_heading(a);
        for (int i = 1; i <= map_points; i += 2) {
            for (int j = 1; j <= map_points; j += 2) {
                const float x = static_cast<float>(i - map_middle) * DX;
                const float y = static_cast<float>(j - map_middle) * DY;
                const std::array<float, 3> VESLOC = {x, y, heading};
                if (m.NLIN == 1 && i == map_middle && j == map_middle) {
                    // Over the anchor of a single line: nothing is computed.
                    for (const int unit : {IO_WF_LN_DAMP, IO_CD_Q_COFS_MAP, IO_LN_INERTIA_MAP})
                        write_record(unit, map_entry(x, y, heading, {0.0f, 0.0f, 0.0f}));
                    write_record(IO_FLD_LOAD_MAP, map_entry(x, y, heading, {}));
                    const auto top = m.tables.column(m.tables.TOPTEN, m.tables.MIDLYR, 1);
                    write_record(IO_FLD_LOAD_MAP, line_entry(1, top[0]));
                    continue;
                }
                map_turret_angle(m, PNTTRT, x, y, heading, TRTNGL, EDUNIT);
                const PlaneState state{x, y, heading, m.VESAN0, TRTNGL, m.TRTNG0};
                float ERGMOR = 0.0f;
                (void)FMOOR_PLUS(state, frame, m.tables, m.lines, ERGMOR, {}, 2, recorded);
                GET_NET_LF_LINES_QUAD_DAMP(x, y, heading, IO_CD_Q_COFS_MAP, IO_LN_INERTIA_MAP,
                                           RANCQ, ANGDEPQ, ZANCQ, VESLOC, m.YAWARM);
                if (LRANDM == 1 || LSWELL == 1) {
                    GET_NET_WF_DAMP(x, y, heading, IO_WF_LN_DAMP, IO_FLD_LOAD_MAP, RANCQ, ANGDEPQ,
                                    ZANCQ, false, VESLOC);
                    continue;
                }
                write_record(IO_WF_LN_DAMP, map_entry(x, y, heading, {0.0f, 0.0f, 0.0f}));
                write_record(IO_FLD_LOAD_MAP, map_entry(x, y, heading, {}));
                for (int n = 1; n <= m.NLIN; ++n)
                    write_record(IO_FLD_LOAD_MAP,
                                 line_entry(n, table_top_tension(m, n, RANCQ[slot(n)])));
            }
        }
    }

    std::int32_t end_minutes = 0;
    std::int32_t end_seconds = 0;
    RHTIME(end_minutes, end_seconds);
    linDampSecs = elapsed_seconds(start_minutes, start_seconds, end_minutes, end_seconds);
}

} // namespace lintar
