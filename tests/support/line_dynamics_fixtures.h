// support/line_dynamics_fixtures.h: the lines the line-dynamics tests solve: an
// inextensible chain partly lying on a flat seabed, with its line table and the closed forms
// of the grounded catenary that the mean shapes are checked against.
#pragma once

#include "support/line_test_support.h"

#include "blocks/catcom.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"

#include <cmath>

namespace lintar::testing {

// An inextensible chain of weight w over a fairlead height h, the rest of its length L on the
// seabed, at horizontal load H:
//   suspended length  s = sqrt(h^2 + 2 h H / w),  top tangent w s / H,
//   fairlead-anchor distance  X = (H / w) asinh(w s / H) + L - s,  top tension H + w h.
struct GroundedChain {
    double w = 0.1;
    double L = 2000.0;
    double h = 300.0;

    double suspended(double H, double height) const {
        return std::sqrt(height * height + 2.0 * height * H / w);
    }
    double span(double H, double height) const {
        const double s = suspended(H, height);
        return H / w * std::asinh(w * s / H) + L - s;
    }
    double span(double H) const { return span(H, h); }
    // Vertical component of the top tension, negative downward on the vessel: -w s.
    double top_vertical(double H, double height) const { return -w * suspended(H, height); }
    double top_tension(double H, double height) const { return H + w * height; }
};

// Line type t as the chain (one element on a solid seabed) and its table in layer row 1:
// loads 0, 10, ..., 890 (exact in four bytes, so that a distance at a table point gives its
// load exactly), distances and top angles from the closed form; a hanging chain at load 0.
inline void define_chain_type(const GroundedChain& c, int t) {
    define_type(t, {{c.L, c.w, 0.0}}, 1);
    for (int k = 1; k <= 90; ++k) {
        const double H = 10.0 * (k - 1);
        LINCOM.HLOD(k) = static_cast<float>(H);
        if (k == 1) {
            LINCOM.ANCDST(k, 1, t) = static_cast<float>(c.L - c.h);
            LINCOM.TOPANG(k, 1, t) = static_cast<float>(std::atan(1.0) * 2.0);
            continue;
        }
        const double s = c.suspended(H, c.h);
        LINCOM.ANCDST(k, 1, t) = static_cast<float>(c.span(H));
        LINCOM.TOPANG(k, 1, t) = static_cast<float>(std::atan(c.w * s / H));
    }
}

// The mooring of nlines lines of the chain type 1 (line i of type LINEID(i)), fairleads at the
// waterline, draft 0, anchors 300 ft down, one layer row, the spread program type.
inline void define_chain_mooring(const GroundedChain& c, int nlines) {
    define_chain_type(c, 1);
    TPCM.NUMTAB = 90;
    TPCM.NLAYER = 1;
    TPCM.ZSPAN = 0.0f;
    TPCM.SIMTYP = 1;
    TPCM.NBUG0 = 0;
    TPCM.DRAFT = 0.0f;
    TPCM.ANCHGT(1) = static_cast<float>(c.h);
    TPCM.LINTYP(1, 1) = 1;
    TPCM.NLIN = nlines;
    LINCOM.MIDLYR = 1;
    LINCOM.DLAYER = 0.0f;
    LINCOM.DSLOPE = 0.0;
    for (int i = 1; i <= nlines; ++i) {
        LINCOM.LINEID(i) = 1;
        TPCM.RFLD(3, i) = 0.0f;
    }
}

} // namespace lintar::testing
