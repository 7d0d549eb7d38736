// lines/mean_line_state.cpp: one line's mean state from the tables, and its distance
// check.
#include "lines/mean_line_state.h"

#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/tension_warnings.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/prompts.h"
#include "util/range_checks.h"
#include "util/table_search.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace lintar {

namespace {

std::size_t slot(int i) {
    return static_cast<std::size_t>(i - 1);
}

// tan of the top angle of type t at table point k of layer row L, both held to the tables.
float top_slope(const LineTables& tables, int k, int L, int t) {
    const int point = std::min(k, lincom_points);
    const int row = std::min(L, lincom_layers);
    return std::tan(tables.column(tables.TOPANG, row, t)[slot(point)]);
}

} // namespace

bool six_dof_lines(std::int32_t SIMTYP, std::int32_t LEGTLP) {
    return SIMTYP == 17 || (SIMTYP == 14 && LEGTLP == 0);
}

MeanLineState loadup_line_state(const LineTables& tables, const MooringLines& lines, int ILIN,
                                int t, float RANC, float ZANC) {
    MeanLineState m;
    const float ZFLDV = lines.RFL[static_cast<std::size_t>(3 * (ILIN - 1) + 2)];
    const LineLoad load = LOADUP(RANC, ZANC, ZFLDV, TPCM.DRAFT, t, tables, lines.ANCHGT,
                                 lines.TOTWT, TPCM.EDUNIT, keyboard_unit);
    m.from_loadup = true;
    m.HMEAN = load.RFORCE;
    m.TTEN = load.TTTMP;
    m.FGZTMP = load.FGZTMP;
    m.TANG = load.TOPANQ;
    m.BANG = load.BTANGQ;
    m.BLEN = load.BTLENQ;
    m.layer = load.ILAYER;
    m.DELZ = load.DELZ;
    if (!tables.FFRICT.empty())
        INTRPS(tables.HLOD, tables.column(tables.FFRICT, load.ILAYER, t), m.HMEAN, m.FTEN, load.MIN,
               load.DELLAY);
    m.TOPT1 = top_slope(tables, load.MIN + 1, load.ILAYER + 1, t);
    m.TOPT2 = top_slope(tables, load.MIN, load.ILAYER, t);
    m.DZFLDG = ZANC;
    return m;
}

MeanLineState table_line_state(const LineTables& tables, int t, float RANC) {
    MeanLineState m;
    const int L = tables.MIDLYR;
    m.layer = L;
    const auto anc = tables.column(tables.ANCDST, L, t);
    std::int32_t MIN = 1;
    BSRCH(anc, RANC, m.IER, MIN, tables.NTAB);
    INTERP(anc, tables.HLOD, RANC, m.HMEAN, MIN);
    INTERP(tables.HLOD, tables.column(tables.TOPTEN, L, t), m.HMEAN, m.TTEN, MIN);
    INTERP(tables.HLOD, tables.column(tables.TOPANG, L, t), m.HMEAN, m.TANG, MIN);
    INTERP(tables.HLOD, tables.column(tables.BOTANG, L, t), m.HMEAN, m.BANG, MIN);
    INTERP(tables.HLOD, tables.column(tables.BOTLEN, L, t), m.HMEAN, m.BLEN, MIN);
    if (!tables.FFRICT.empty())
        INTERP(tables.HLOD, tables.column(tables.FFRICT, L, t), m.HMEAN, m.FTEN, MIN);
    m.TOPT1 = top_slope(tables, MIN + 1, L, t);
    m.TOPT2 = top_slope(tables, MIN, L, t);
    return m;
}

MeanLineState mean_line_state(const LineTables& tables, const MooringLines& lines, int ILIN, int t,
                              float RANC, float ZANC, float slack_distance, bool six_dof) {
    if (RANC > slack_distance) {
        MeanLineState m = six_dof ? loadup_line_state(tables, lines, ILIN, t, RANC, ZANC)
                                  : table_line_state(tables, t, RANC);
        m.BTEN = m.HMEAN / std::cos(m.BANG);
        return m;
    }
    MeanLineState m;
    m.layer = tables.MIDLYR;
    m.TTEN = tables.column(tables.TOPTEN, tables.MIDLYR, t)[0];
    m.TANG = tables.column(tables.TOPANG, tables.MIDLYR, t)[0];
    m.BANG = tables.column(tables.BOTANG, tables.MIDLYR, t)[0];
    m.BLEN = tables.column(tables.BOTLEN, tables.MIDLYR, t)[0];
    m.BTEN = std::abs(m.TTEN - lines.TOTWT[slot(t)]);
    return m;
}

void check_line_distance(const LineTables& tables, int ILIN, int t, float RANC, float checked_above,
                         std::int32_t& MRWRNS, const std::function<void(int)>& non_monotonic) {
    std::int32_t RNGFLG = 0;
    RNGCHK(tables.column(tables.ANCDST, tables.MIDLYR, t), 2, tables.NTAB, RANC, RNGFLG);
    if (RANC <= checked_above || TPCM.TENDON_FLG != 0)
        return;
    if (RNGFLG == 1 || RNGFLG == 2)
        TNSWRN(TPCM.EDUNIT, keyboard_unit, 'a', ILIN, t, "A fairlead-anchor distance", 2, MRWRNS);
    else if (RNGFLG > 2)
        non_monotonic(t);
}

void non_monotonic_prompt(int EDUNIT) {
    std::int32_t LBACK = 0;
    ABORT0(EDUNIT, keyboard_unit, LBACK);
    if (LBACK < 0)
        stop_program(StopKind::user_choice);
    if (EDUNIT == diagnostics_unit)
        stop_program(StopKind::error);
}

} // namespace lintar
