// equilibrium/mean_line_results.cpp: the per-line mean results of the equilibrium state.
#include "equilibrium/mean_line_results.h"

#include "blocks/outcom.h"
#include "blocks/tpcm.h"
#include "equilibrium/equilibrium_geometry.h"
#include "lines/tension_warnings.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/prompts.h"
#include "util/range_checks.h"
#include "util/table_search.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <string>

namespace lintar {

namespace {

inline constexpr int line_types = 150;

// The line types whose table has been reported as not monotonic in this run.
struct MensetStore {
    std::array<bool, line_types> warned{};
};
MensetStore menset_store;
const StateReset reset_menset{[] { menset_store = MensetStore{}; }};

std::size_t slot(int i) {
    return static_cast<std::size_t>(i - 1);
}

// A distance this close to the anchor leaves the line without load.
inline constexpr float slack_distance = 0.05f;

// The non-monotonic table of line type t: its message and the abort prompt, once per type.
void report_non_monotonic(int t) {
    if (menset_store.warned[slot(t)])
        return;
    menset_store.warned[slot(t)] = true;
    const int EDUNIT = TPCM.EDUNIT;
    write_record(EDUNIT, "++> Non-monotonic interpolation array detected: line type " + I(t, 3) +
                             "; contact Kelbrin");
    std::int32_t LBACK = 0;
    ABORT0(EDUNIT, keyboard_unit, LBACK);
    if (LBACK < 0)
        stop_program(StopKind::user_choice);
    if (EDUNIT == diagnostics_unit) // an unattended run cannot go on with a broken table
        stop_program(StopKind::error);
}

} // namespace

void MENSET(const LineTables& tables, const MooringLines& lines, std::span<const float> ZANC,
            std::int32_t GETNODE) {
    const int L = tables.MIDLYR;
    const bool six_dof = TPCM.SIMTYP == 17 || (TPCM.SIMTYP == 14 && TPCM.LEGTLP == 0);
    for (int i = lines.MINLN; i <= lines.MAXLN; ++i) {
        const int t = lines.LINEID[slot(i)] % 1024;
        if (t < 1 || t > line_types) // no line type to read: nothing to store
            continue;
        const float RANC = lines.RANC[slot(i)];
        const auto anc = tables.column(tables.ANCDST, L, t);

        std::int32_t RNGFLG = 0;
        RNGCHK(anc, 2, tables.NTAB, RANC, RNGFLG);
        if (RANC > slack_distance && TPCM.TENDON_FLG == 0) {
            if (RNGFLG == 1 || RNGFLG == 2)
                TNSWRN(TPCM.EDUNIT, keyboard_unit, 'a', i, t, "A fairlead-anchor distance", 2,
                       TPCM.MRWRNS);
            else if (RNGFLG > 2)
                report_non_monotonic(t);
        }

        float DZTOT = OUTCOM.DZTOTL(i, 4, 1);
        float HMEAN = 0.0f, TTEN = 0.0f, FGZTMP = 0.0f, TANG = 0.0f, BANG = 0.0f, BTEN = 0.0f;
        std::int32_t layer = L;
        if (RANC > slack_distance) {
            if (six_dof) {
                const float ZFLDV = lines.RFL[static_cast<std::size_t>(3 * (i - 1) + 2)];
                const LineLoad load = LOADUP(RANC, ZANC[slot(i)], ZFLDV, TPCM.DRAFT, t, tables,
                                             lines.ANCHGT, lines.TOTWT, TPCM.EDUNIT, keyboard_unit);
                HMEAN = load.RFORCE;
                TTEN = load.TTTMP;
                FGZTMP = load.FGZTMP;
                TANG = load.TOPANQ;
                BANG = load.BTANGQ;
                layer = load.ILAYER;
                DZTOT = load.DELZ;
            } else {
                std::int32_t IER = 0;
                std::int32_t MIN = 1;
                BSRCH(anc, RANC, IER, MIN, tables.NTAB);
                INTERP(anc, tables.HLOD, RANC, HMEAN, MIN);
                INTERP(tables.HLOD, tables.column(tables.TOPTEN, L, t), HMEAN, TTEN, MIN);
                INTERP(tables.HLOD, tables.column(tables.TOPANG, L, t), HMEAN, TANG, MIN);
                INTERP(tables.HLOD, tables.column(tables.BOTANG, L, t), HMEAN, BANG, MIN);
            }
            BTEN = HMEAN / std::cos(BANG);
        } else {
            HMEAN = 0.0f;
            TTEN = tables.column(tables.TOPTEN, L, t)[0];
            BANG = tables.column(tables.BOTANG, L, t)[0];
            TANG = tables.column(tables.TOPANG, L, t)[0];
            BTEN = std::abs(TTEN - lines.TOTWT[slot(t)]);
        }

        if (GETNODE != 0 && HMEAN > 0.0f) {
            const LineNodes nodes{OUTCOM.NODE_T_nodes(i, 4, 1), OUTCOM.TMEANI_nodes(i, 4, 1),
                                  OUTCOM.NODE_X_nodes(i, 4, 1), OUTCOM.NODE_Y_nodes(i, 4, 1),
                                  OUTCOM.NODE_Z_nodes(i, 4, 1)};
            NODE_EVAL2(t, i, DZTOT, HMEAN, TANG, layer, TTEN, BTEN, FGZTMP, BANG, 0.0f, nodes);
        }

        OUTCOM.TOP_HINGAY_MEAN(i) = TANG;
        OUTCOM.TMEAN(i) = TTEN;
        OUTCOM.BMEAN(i) = BTEN;
        for (int s = 1; s <= 2; ++s) {
            OUTCOM.H_MEAN(i, 4, s) = HMEAN;
            OUTCOM.TOPANG_MEAN(i, 4, s) = TANG;
            OUTCOM.DZTOTL(i, 4, s) = DZTOT;
        }
    }
}

} // namespace lintar
