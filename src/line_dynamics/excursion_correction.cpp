// line_dynamics/excursion_correction.cpp: the nonlinear excursion correction.
#include "line_dynamics/excursion_correction.h"

#include "runtime/assert.h"
#include "runtime/edit_descriptors.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/root_finders.h"
#include "util/table_search.h"

#include <cmath>
#include <cstddef>

namespace lintar {

namespace {

// The stop of a bracket search that found the energy outside the table.
[[noreturn]] void outside_table(std::int32_t IER, int IOSCRN) {
    write_record(IOSCRN, " ++> Nonzero IER = " + I(IER, 2) + " in NLNCOR");
    write_record(IOSCRN, "     Press <RETURN> to continue");
    if (IOSCRN != diagnostics_unit)
        (void)read_answer(1);
    stop_program(StopKind::error);
}

} // namespace

// NLNCOR: the bracket of the equilibrium, the bracket of the excursion's energy on the side
// of the excursion, and the offset there. Reads its arguments; writes DXNLIN, MIN and, on a
// stop, IOSCRN.
void NLNCOR(std::span<const float> ERG, float EQB, std::span<const float> OFFSET, float DXLIN,
            float& DXNLIN, float SPRNGK, float FENV, float EQLOFF, std::int32_t NERG,
            std::int32_t& MIN, bool LSPM, int IOSCRN) {
    (void)FENV;
    LINTAR_ASSERT(NERG >= 0 && static_cast<std::size_t>(NERG) <= ERG.size(), "energy table");
    const auto erg = [&ERG](std::int32_t i) { return ERG[slot(i)]; };
    const float TMPEN = 0.5f * SPRNGK * DXLIN * DXLIN;
    const float OFF_DIR = EQLOFF >= 0.0f ? 1.0f : -1.0f;
    // Without an interval there is nothing to correct on.
    if (NERG < 2) {
        MIN = 1;
        DXNLIN = DXLIN;
        return;
    }
    const std::span<const float> table = ERG.first(static_cast<std::size_t>(NERG));

    std::int32_t IER = 0;
    std::int32_t NEQB = 1;
    BRACKT(table, EQB, IER, NEQB, 1, NERG);
    if (IER != 0)
        outside_table(IER, IOSCRN);

    // The interval of the excursion's energy: MINDST at the equilibrium's side, MAXDST away
    // from it. A search that ends on the table's last entry (an energy equal to its largest
    // value and closing no interval) takes the last interval, so that both ends are entries.
    std::int32_t MINDST = 0;
    std::int32_t MAXDST = 0;
    std::int32_t NUMINC = 0;
    if (DXLIN * OFF_DIR < 0.0f) {
        if (NEQB == 1)
            NEQB = 2;
        MAXDST = 1;
        BRACKT(table, TMPEN, IER, MAXDST, 1, NEQB);
        if (IER != 0)
            outside_table(IER, IOSCRN);
        if (MAXDST >= NERG)
            MAXDST = NERG - 1;
        MINDST = MAXDST + 1;
        NUMINC = NEQB - MINDST;
        MIN = MAXDST;
    } else {
        MINDST = NEQB;
        BRACKT(table, TMPEN, IER, MINDST, NEQB, NERG);
        if (IER != 0)
            outside_table(IER, IOSCRN);
        if (MINDST >= NERG)
            MINDST = NERG - 1;
        MAXDST = MINDST + 1;
        NUMINC = MINDST - NEQB;
        MIN = MINDST;
    }

    if (std::abs(MINDST - NEQB) < 2) {
        DXNLIN = DXLIN;
        return;
    }
    const float rise = erg(MAXDST) - erg(MINDST);
    if (!LSPM) {
        const float fraction = rise != 0.0f ? (TMPEN - erg(MINDST)) / rise : 0.0f;
        DXNLIN =
            std::copysign((static_cast<float>(NUMINC) + fraction) * std::abs(OFFSET[0]), DXLIN);
        return;
    }
    const auto offset = [&OFFSET](std::int32_t i) { return OFFSET[slot(i)]; };
    float XNLIN = offset(MIN);
    if (erg(MIN + 1) != erg(MIN))
        INTERP(table, OFFSET.first(static_cast<std::size_t>(NERG)), TMPEN, XNLIN, MIN);
    DXNLIN = XNLIN - offset(NEQB);
}

} // namespace lintar
