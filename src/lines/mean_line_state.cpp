// lines/mean_line_state.cpp: one line's mean state from the tables, and its distance
// check.
#include "lines/mean_line_state.h"

#include "blocks/catcom.h"
#include "blocks/lincom.h"
#include "blocks/outcom.h"
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
    const float ZFLDV = lines.RFL[3 * slot(ILIN) + 2];
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

namespace {

// The six-degree-of-freedom lines: the state the mean results left, searched in the loads.
FairleadState six_dof_fairlead_state(const LineTables& tables, int n, int t,
                                     TensionLegBracket bracket) {
    FairleadState m;
    const int L = tables.MIDLYR;
    std::int32_t IER = 0;
    std::int32_t MIN = 1;
    m.HMEAN = OUTCOM.H_MEAN(n, 4, 1);
    BSRCH(tables.HLOD, m.HMEAN, IER, MIN, tables.NTAB);
    float friction = 0.0f;
    INTERP(tables.HLOD, tables.column(tables.FFRICT, L, t), m.HMEAN, friction, MIN);
    m.TPTEN0 = OUTCOM.TMEAN(n);
    m.BTTEN0 = OUTCOM.BMEAN(n) - friction;
    m.QF = CATCOM.TANARR(1, n);
    m.QB = CATCOM.TANARR(TPCM.NELEM(t) + 1, n);
    if (bracket == TensionLegBracket::solved_top_tangent) {
        m.TOPT1 = 0.5f * m.QF;
        m.TOPT2 = 4.0f * m.QF;
    } else {
        m.TOPT1 = 0.5f * std::tan(OUTCOM.TOPANG_MEAN(n, 4, 1));
        m.TOPT2 = 4.0f * m.TOPT1;
    }
    INTERP(tables.HLOD, tables.column(tables.BOTLEN, L, t), m.HMEAN, m.BOTLEN, MIN);
    return m;
}

} // namespace

FairleadState fairlead_mean_state(const LineTables& tables, int n, int t, float RANC, bool six_dof,
                                  FairleadStateOptions options) {
    if (six_dof)
        return six_dof_fairlead_state(tables, n, t, options.bracket);
    const MeanLineState state = table_line_state(tables, t, RANC);
    FairleadState m;
    m.HMEAN = state.HMEAN;
    m.TPTEN0 = state.TTEN;
    float bottom_slope = 0.0f;
    if (options.ends == LineEnds::table_angles) {
        m.QF = state.TANG;
        m.QB = state.BANG;
        bottom_slope = std::tan(m.QB);
    } else {
        m.QF = CATCOM.TANARR(1, n);
        m.QB = CATCOM.TANARR(TPCM.NELEM(t) + 1, n);
        bottom_slope = m.QB;
    }
    m.BTTEN0 = std::max(0.0f, m.HMEAN * std::sqrt(1.0f + bottom_slope * bottom_slope) - state.FTEN);
    m.TOPT1 = state.TOPT1;
    m.TOPT2 = state.TOPT2;
    m.BOTLEN = state.BLEN;
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
