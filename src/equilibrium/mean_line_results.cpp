// equilibrium/mean_line_results.cpp: the per-line mean results of the equilibrium state.
#include "equilibrium/mean_line_results.h"
#include "blocks/lincom.h"

#include "blocks/outcom.h"
#include "blocks/tpcm.h"
#include "equilibrium/equilibrium_geometry.h"
#include "lines/mean_line_state.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/units.h"

#include <array>
#include <cstddef>
#include <string>

namespace lintar {

namespace {

// The line types whose table has been reported as not monotonic in this run.
struct MensetStore {
    std::array<bool, lincom_types> warned{};
};
MensetStore menset_store;
const StateReset reset_menset{[] { menset_store = MensetStore{}; }, StoreKind::analysis};

// A distance this close to the anchor leaves the line without load.
inline constexpr float slack_distance = 0.05f;

// The non-monotonic table of line type t: its message and the abort prompt, once per type.
void report_non_monotonic(int t) {
    if (menset_store.warned[slot(t)])
        return;
    menset_store.warned[slot(t)] = true;
    write_record(TPCM.EDUNIT, "++> Non-monotonic interpolation array detected: line type " +
                                  I(t, 3) + "; contact Kelbrin");
    non_monotonic_prompt(TPCM.EDUNIT);
}

} // namespace

void MENSET(const LineTables& tables, const MooringLines& lines, std::span<const float> ZANC,
            std::int32_t GETNODE) {
    const bool six_dof = six_dof_lines(TPCM.SIMTYP, TPCM.LEGTLP);
    for (int i = lines.MINLN; i <= lines.MAXLN; ++i) {
        const int t = lines.LINEID[slot(i)] % 1024;
        if (t < 1 || t > lincom_types) // no line type to read: nothing to store
            continue;
        const float RANC = lines.RANC[slot(i)];
        check_line_distance(tables, i, t, RANC, slack_distance, TPCM.MRWRNS, report_non_monotonic);

        const MeanLineState m =
            mean_line_state(tables, lines, i, t, RANC, ZANC[slot(i)], slack_distance, six_dof);
        // LOADUP gives the line's vertical span at its offset; the tables keep the table
        // stage's.
        const float DZTOT = m.from_loadup ? m.DELZ : OUTCOM.DZTOTL(i, 4, 1);
        const float HMEAN = m.HMEAN;
        float TTEN = m.TTEN, FGZTMP = m.FGZTMP, TANG = m.TANG, BANG = m.BANG, BTEN = m.BTEN;

        if (GETNODE != 0 && HMEAN > 0.0f) {
            const LineNodes nodes{OUTCOM.NODE_T_nodes(i, 4, 1), OUTCOM.TMEANI_nodes(i, 4, 1),
                                  OUTCOM.NODE_X_nodes(i, 4, 1), OUTCOM.NODE_Y_nodes(i, 4, 1),
                                  OUTCOM.NODE_Z_nodes(i, 4, 1)};
            NODE_EVAL2(t, i, DZTOT, HMEAN, TANG, m.layer, TTEN, BTEN, FGZTMP, BANG, 0.0f, nodes);
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
