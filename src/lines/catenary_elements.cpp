// lines/catenary_elements.cpp: spans, separations, touchdown and layer selection of the
// extensible catenary.
#include "lines/catenary_elements.h"

#include "runtime/edit_descriptors.h"
#include "runtime/units.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace lintar {

namespace {

// The last element of 1..NELEM that is buoyant (negative scaled weight), 0 when none: an
// element i has a buoyant element below it when this is above i.
int last_buoyant_element(ElementValues SCLWT, int NELEM) {
    int last = 0;
    for (int i = 1; i <= NELEM; ++i)
        if (SCLWT(i) < 0.0)
            last = i;
    return last;
}

// The layer selection in the precision of its arguments.
template <class Real>
void select_layer(std::int32_t NLAYER, std::int32_t MIDLYR, Real DLAYER, Real ZSPAN, Real DFLZG,
                  std::int32_t& ILAYER, Real& DELLAY, std::int32_t& OUTWRN) {
    const Real ZBOT = static_cast<Real>(1 - MIDLYR) * DLAYER;
    const Real ZTOP = ZBOT + ZSPAN;
    // A height that is not a number (an iterate gone astray) lies in no row: it is outside the
    // span, and the entered height's row is read, so that no row number comes from a NaN.
    if (std::isnan(DFLZG)) {
        ILAYER = NLAYER <= 1 ? 1 : std::clamp(MIDLYR, std::int32_t{1}, NLAYER - 1);
        DELLAY = Real(0);
        OUTWRN = 1;
        return;
    }
    OUTWRN = (DFLZG > ZTOP || DFLZG < ZBOT) ? 1 : 0;
    // A table of one row has nothing to interpolate or extrapolate toward (and no row spacing
    // to divide by): the row itself is used, inside the span or not. So is the first row of
    // a table whose rows all stand at one height (a span of 0).
    if (NLAYER <= 1 || DLAYER == Real(0)) {
        ILAYER = 1;
        DELLAY = Real(0);
        return;
    }
    if (OUTWRN == 0) {
        const Real X = (DFLZG - ZBOT) / DLAYER;
        const auto whole = static_cast<std::int32_t>(X); // truncation toward zero
        ILAYER = whole + 1;
        DELLAY = X - static_cast<Real>(whole);
        // Exactly on the top row: the top pair of rows with the whole weight on the upper one,
        // the same value, so that no reader blends in the row above the table.
        if (ILAYER >= NLAYER) {
            ILAYER = NLAYER - 1;
            DELLAY = X - static_cast<Real>(ILAYER - 1);
        }
    } else if (DFLZG > Real(0)) {
        ILAYER = NLAYER - 1;
        DELLAY = (DFLZG - ZTOP) / DLAYER + Real(1);
    } else {
        ILAYER = 1;
        DELLAY = (DFLZG - ZBOT) / DLAYER;
    }
}

} // namespace

// BETALD: BETA(k, j) = ALPHA(k, j) x DPHLD^k, the power built by repeated multiplication.
// Writes BETA(1..3, 1..NELEM) only.
void BETALD(ElementAlphas ALPHA, ArrayView<double, 3, max_elements> BETA, double DPHLD, int NELEM) {
    double HPOWER = 1.0;
    for (int k = 1; k <= 3; ++k) {
        HPOWER = HPOWER * DPHLD;
        for (int j = 1; j <= NELEM; ++j)
            BETA(k, j) = static_cast<double>(ALPHA(k, j)) * HPOWER;
    }
}

// SCLWLD: SCLWT(j) = WETWT(j) / DPHLD for j = 1..NELEM. Writes SCLWT(1..NELEM) only.
void SCLWLD(ArrayView<double, max_elements> SCLWT, ElementReals WETWT, double DPHLD, int NELEM) {
    for (int j = 1; j <= NELEM; ++j)
        SCLWT(j) = static_cast<double>(WETWT(j)) / DPHLD;
}

// ZDIST: the sum over elements 1..IELEM of their rise; a weightless element is straight at its
// upper node's angle. Reads only its arguments.
namespace {

// The rise of the suspended elements 1..IELEM, handing each running sum to `each(i, rise)`.
template <class Each>
double rise_walk(ElementValues SCLWT, NodeValues R, ElementBetas BETA, int IELEM, ElementReals SLEN,
                 NodeValues TMPTAN, Each&& each) {
    double rise = 0.0;
    for (int i = 1; i <= IELEM; ++i) {
        if (SCLWT(i) != 0.0) {
            // The same secant at both ends (an element lying on the seabed) makes the two
            // values of ZFCN equal and the rise exactly 0: the sum is the same without them.
            if (R(i) != R(i + 1))
                rise += (ZFCN(R(i), i, BETA) - ZFCN(R(i + 1), i, BETA)) / SCLWT(i);
        } else
            rise += static_cast<double>(SLEN(i)) * STRECH(TMPTAN(i), BETA, i) * TMPTAN(i) / R(i);
        each(i, rise);
    }
    return rise;
}

} // namespace

double ZDIST(ElementValues SCLWT, NodeValues R, ElementBetas BETA, int IELEM, ElementReals SLEN,
             NodeValues TMPTAN) {
    return rise_walk(SCLWT, R, BETA, IELEM, SLEN, TMPTAN, [](int, double) {});
}

void ZDIST_all(ElementValues SCLWT, NodeValues R, ElementBetas BETA, ElementReals SLEN,
               NodeValues TMPTAN, std::span<double> rise) {
    (void)rise_walk(SCLWT, R, BETA, static_cast<int>(rise.size()), SLEN, TMPTAN,
                    [rise](int i, double sum) { rise[slot(i)] = sum; });
}

// XDIST: the sum over elements 1..IELEM of the suspended span and, over a solid seabed
// (BOTFLG = 1), the grounded part below the seabed tangent, laid along the seabed at full
// stretched length. No grounded part is added to an element of negative upper tangent or
// with a buoyant element below it. Reads only its arguments.
//
// The logarithm of XFCN depends on the node alone: it is taken once for the two elements that
// meet at a node, and not again for a node at the same slope as the one above it (down the
// seabed). The secant of the seabed tangent is taken once. Each element's span is the same
// number as from XFCN and STRECH directly: an element with the same slope at both ends has two
// equal values of XFCN and so a suspended span of exactly 0.
namespace {

template <class Each>
double span_walk(ElementValues SCLWT, NodeValues R, NodeValues P, ElementBetas BETA, int IELEM,
                 int NELEM, std::int32_t BOTFLG, ElementReals SLEN, double DSLOPE, Each&& each) {
    const int buoyant_below_from = last_buoyant_element(SCLWT, NELEM);
    const double seabed_secant = SECFCN(DSLOPE);
    double upper_log = catenary_log(R(1), P(1)); // catenary_log of element i's upper node
    double span = 0.0;
    for (int i = 1; i <= IELEM; ++i) {
        const bool one_slope = R(i + 1) == R(i) && P(i + 1) == P(i);
        const double lower_log = one_slope ? upper_log : catenary_log(R(i + 1), P(i + 1));
        double DELX = 0.0;
        if (SCLWT(i) != 0.0) {
            if (!one_slope)
                DELX = (xfcn_from_log(upper_log, R(i), P(i), i, BETA) -
                        xfcn_from_log(lower_log, R(i + 1), P(i + 1), i, BETA)) /
                       SCLWT(i);
        } else {
            DELX = static_cast<double>(SLEN(i)) * STRECH(P(i), BETA, i) / R(i);
        }
        const bool BYFLG = P(i) < 0.0 || buoyant_below_from > i;
        if (!BYFLG && BOTFLG == 1 && P(i + 1) <= DSLOPE) {
            // A weightless element down here lies wholly on the seabed: its span is its
            // stretched length along the seabed, counted once (not added to its straight span,
            // which is the same length seen again).
            if (SCLWT(i) != 0.0)
                DELX += stretch_at(seabed_secant, BETA, i) *
                        (static_cast<double>(SLEN(i)) + (DSLOPE - P(i)) / SCLWT(i));
            else
                DELX = static_cast<double>(SLEN(i)) * stretch_at(seabed_secant, BETA, i);
        }
        span += DELX;
        each(i, span);
        upper_log = lower_log;
    }
    return span;
}

} // namespace

double XDIST(ElementValues SCLWT, NodeValues R, NodeValues P, ElementBetas BETA, int IELEM,
             int NELEM, std::int32_t BOTFLG, ElementReals SLEN, double DSLOPE) {
    return span_walk(SCLWT, R, P, BETA, IELEM, NELEM, BOTFLG, SLEN, DSLOPE, [](int, double) {});
}

void XDIST_all(ElementValues SCLWT, NodeValues R, NodeValues P, ElementBetas BETA, int NELEM,
               std::int32_t BOTFLG, ElementReals SLEN, double DSLOPE, std::span<double> span) {
    (void)span_walk(SCLWT, R, P, BETA, static_cast<int>(span.size()), NELEM, BOTFLG, SLEN, DSLOPE,
                    [span](int i, double sum) { span[slot(i)] = sum; });
}

// PNTSEP: the separations from the catenary functions of the element, then its grounded part
// along the seabed. Writes DXSEP, DZSEP and, with NBUG = 1, debug records on IOSCRN.
void PNTSEP(double& DXSEP, double& DZSEP, double DQP, double DQPB, double DQPF, float TX,
            ElementBetas BETA, double SCLWTP, float SLENP, double DSLOPE, std::int32_t NBUG,
            int IELEM, std::int32_t BOTFLG, int IOSCRN) {
    const double RTMP = SECFCN(DQP);
    const double RTMPB = SECFCN(DQPB);
    if (NBUG == 1) {
        std::string values;
        for (const double v : {RTMP, RTMPB, DQP, DQPF, DQPB, static_cast<double>(TX)})
            values += E(v, 13, 4);
        write_record(IOSCRN, " IN CATCOF; RTMP,RTMPB,DQP,DQPF,DQPB,TX" + values);
    }
    DXSEP = (XFCN(RTMP, DQP, IELEM, BETA) - XFCN(RTMPB, DQPB, IELEM, BETA)) / SCLWTP;
    DZSEP = (ZFCN(RTMP, IELEM, BETA) - ZFCN(RTMPB, IELEM, BETA)) / SCLWTP;
    if (NBUG == 1)
        write_record(IOSCRN, " BEFORE BOTTOM CORRECTION: BOTFLG,DXSEP,DZSEP" + I(BOTFLG, 5) +
                                 E(DXSEP, 12, 4) + E(DZSEP, 12, 4));
    double BOTLN = 0.0;
    if (BOTFLG != 0) {
        // The seabed tangent is subtracted besides the lower-end tangent, as the line tables
        // were built with it (the seabed is level wherever this is used).
        BOTLN = (static_cast<double>(SLENP) - (DQPF - DQPB - DSLOPE) / SCLWTP) *
                STRECH(DSLOPE, BETA, IELEM);
        DXSEP += BOTLN * DCSPHI(DSLOPE);
        DZSEP += BOTLN * DSNPHI(DSLOPE);
    }
    if (NBUG == 1)
        write_record(IOSCRN, " IELEM,DXSEP,DZSEP,SCLWTP,BOTLN,STRECH(DSLOPE,BETA,IELEM)" +
                                 I(IELEM, 5) + E(DXSEP, 12, 4) + E(DZSEP, 12, 4) +
                                 E(SCLWTP, 12, 4) + E(BOTLN, 12, 4) +
                                 E(STRECH(DSLOPE, BETA, IELEM), 12, 4));
}

// TUCHDN: walks up from the anchor, grounding whole elements while their stretched lengths
// fit in BOTLEN; the element where they no longer fit is the touchdown element. When the whole
// line fits, the whole line is grounded and the touchdown element is element 1 (a line with
// no elements has none: BOTELM = 0), so BOTELM is never left 0 for a caller to index with.
// Writes BOTWGT, BOTELM and UNSTRL; reads only its arguments.
void TUCHDN(float BOTLEN, ElementReals WETWT, ElementReals SLEN, ElementBetas BETA, int NELEM,
            double DSLOPE, float& BOTWGT, std::int32_t& BOTELM, float& UNSTRL) {
    BOTELM = 0;
    UNSTRL = 0.0f;
    BOTWGT = 0.0f;
    float STRLEN = 0.0f;                         // stretched length from the anchor up
    float TEMPSL = 0.0f;                         // unstretched length from the anchor up
    float TMPUSL = 0.0f;                         // stretched length of the wholly grounded elements
    float TMPWGT = 0.0f;                         // their submerged weight
    const double seabed_secant = SECFCN(DSLOPE); // STRECH(DSLOPE) of each element, taken once
    for (int IELEM = NELEM; IELEM >= 1; --IELEM) {
        STRLEN = static_cast<float>(STRLEN + SLEN(IELEM) * stretch_at(seabed_secant, BETA, IELEM));
        TEMPSL = TEMPSL + SLEN(IELEM);
        if (STRLEN > BOTLEN) {
            BOTELM = IELEM;
            break;
        }
        UNSTRL = TEMPSL;
        TMPUSL = STRLEN;
        TMPWGT = TMPWGT + SLEN(IELEM) * WETWT(IELEM);
    }
    if (BOTELM == 0) {
        BOTELM = NELEM >= 1 ? 1 : 0;
        BOTWGT = TMPWGT;
        return;
    }
    const auto grounded =
        static_cast<float>((BOTLEN - TMPUSL) / stretch_at(seabed_secant, BETA, BOTELM));
    BOTWGT = TMPWGT + WETWT(BOTELM) * grounded;
    UNSTRL = UNSTRL + grounded;
}

// SETLYR: lower layer row and fraction of a fairlead height; see select_layer. Writes
// ILAYER, DELLAY and OUTWRN.
void SETLYR(std::int32_t NLAYER, std::int32_t MIDLYR, float DLAYER, float ZSPAN, float DFLZG,
            std::int32_t& ILAYER, float& DELLAY, std::int32_t& OUTWRN) {
    select_layer(NLAYER, MIDLYR, DLAYER, ZSPAN, DFLZG, ILAYER, DELLAY, OUTWRN);
}

// SETLDP: SETLYR in double precision.
void SETLDP(std::int32_t NLAYER, std::int32_t MIDLYR, double DLAYER, double ZSPAN, double DFLZG,
            std::int32_t& ILAYER, double& DELLAY, std::int32_t& OUTWRN) {
    select_layer(NLAYER, MIDLYR, DLAYER, ZSPAN, DFLZG, ILAYER, DELLAY, OUTWRN);
}

} // namespace lintar
