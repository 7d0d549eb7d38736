// lines/catenary_motion.cpp: point motions of a catenary element and their integrals.
#include "lines/catenary_motion.h"

#include "blocks/catcom.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/catenary_elements.h"
#include "lines/line_arrays.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/prompts.h"
#include "util/table_search.h"
#include "util/wave_numbers.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>

namespace lintar {

namespace {

using Complex = std::complex<float>;
using ComplexD = std::complex<double>;

// The smallest tangent step of the P derivative.
constexpr double least_tangent_step = 0.001;
// The determinant that stands in for an exactly singular one.
constexpr double singular_jacobian = 1.0e-20;

// The sums of the Simpson integration, before their scaling.
struct ElementSums {
    float DISSIP = 0.0f;
    float KEELMT = 0.0f;
    float KEELML = 0.0f;
    float KEOOP = 0.0f;
    float ADAMAX = 0.0f;
    float ADATOP = 0.0f;
    float LONTOP = 0.0f;
    Complex CTXACC{0.0f, 0.0f};
    Complex CTZACC{0.0f, 0.0f};

    // Adds point IQP of NQP with its normal (DELADA) and tangential (DELLON) motion, the
    // cosine and sine of the line angle and the out-of-plane integrand.
    void add(std::int32_t IQP, std::int32_t NQP, Complex DELADA, Complex DELLON, float DXDSI,
             float DZDSI, float TMPENOOP) {
        const float TMPADA = std::abs(DELADA);
        const float TMPLON = std::abs(DELLON);
        ADAMAX = std::max(ADAMAX, TMPADA);
        if (IQP == NQP) {
            ADATOP = TMPADA;
            LONTOP = TMPLON;
        }
        float FAC = 0.0f;
        SMPFAC(IQP, NQP, FAC);
        DISSIP = DISSIP + FAC * TMPADA * TMPADA * TMPADA;
        KEELMT = KEELMT + FAC * TMPADA * TMPADA;
        KEELML = KEELML + FAC * TMPLON * TMPLON;
        KEOOP = KEOOP + FAC * TMPENOOP;
        CTXACC = CTXACC + FAC * DELADA * DZDSI;
        CTZACC = CTZACC + FAC * DELADA * DXDSI;
    }
};

// The scaled integrals of CATDMP from the sums; STEP is the unstretched length of one
// integration step (TX DELQP on a catenary element), DELQP what the out-of-plane integrand
// has not yet been multiplied by (the integrand already holds the length per unit tangent).
void scale_integrals(const ElementSums& sums, double STEP, double OOP_STEP, std::int32_t BOTFLG,
                     float& DISSIP, float& KEELMT, float& KEELML, float& KEOOP, float& ADAMAX,
                     float& ADATOP, float& LONTOP, Complex& CTXACC, Complex& CTZACC) {
    DISSIP = static_cast<float>(sums.DISSIP * STEP * 4.0 / 9.0);
    KEELMT = static_cast<float>(sums.KEELMT * STEP / 3.0);
    KEELML = static_cast<float>(sums.KEELML * STEP / 3.0);
    KEOOP = static_cast<float>(sums.KEOOP * OOP_STEP / 3.0);
    ADAMAX = sums.ADAMAX;
    ADATOP = sums.ADATOP;
    LONTOP = sums.LONTOP;
    CTXACC = sums.CTXACC;
    CTZACC = sums.CTZACC;
    if (CTXACC != Complex(0.0f, 0.0f)) {
        const ComplexD X(sums.CTXACC);
        const ComplexD Z(sums.CTZACC);
        CTXACC = Complex(STEP * 0.5 / 3.0 * (X * X - Z * Z) / X);
    }
    CTZACC = Complex(ComplexD(CTZACC) * (STEP / 3.0));
    if (BOTFLG == 0)
        CTXACC = Complex(0.0f, 0.0f);
}

// The upper end's (dP, dT) for a unit horizontal or vertical motion (CATCOM's derivatives,
// by Cramer's rule without the determinant) applied to the point's derivatives.
struct UpperEndMotion {
    double DXDXF = 0.0, DZDXF = 0.0, DXDZF = 0.0, DZDZF = 0.0;
};
UpperEndMotion end_motion_derivatives(const CatenaryPointMotion& m) {
    const CatcomBlock& K = CATCOM;
    UpperEndMotion u;
    u.DXDXF = m.DXDP * K.DZFDT - m.DXDT * K.DZFDP;
    u.DZDXF = m.DZDP * K.DZFDT - m.DZDT * K.DZFDP;
    u.DXDZF = m.DXDT * K.DXFDP - m.DXDP * K.DXFDT;
    u.DZDZF = m.DZDT * K.DXFDP - m.DZDP * K.DXFDT;
    return u;
}

// normal_and_tangential_motions: the point's normal and tangential motion per unit upper-end
// motion, times JACOBY, from its derivatives and the line angle in m. Reads CATCOM; writes m.
void normal_and_tangential_motions(CatenaryPointMotion& m) {
    const UpperEndMotion u = end_motion_derivatives(m);
    m.DADXF = static_cast<float>(m.DXDSI * u.DZDXF - m.DZDSI * u.DXDXF);
    m.DADZF = static_cast<float>(m.DXDSI * u.DZDZF - m.DZDSI * u.DXDZF);
    m.DSDXF = static_cast<float>(m.DXDSI * u.DXDXF + m.DZDSI * u.DZDXF);
    m.DSDZF = static_cast<float>(m.DXDSI * u.DXDZF + m.DZDSI * u.DZDZF);
}

// trace_point_motion: CATMOT's trace records on EDUNIT, then the debug-level prompt. Reads
// CATCOM; may change TPCM.NBUG.
void trace_point_motion(int EDUNIT, const CatenaryPointMotion& m, float QP, double DQB, double DQF,
                        double TX) {
    const CatcomBlock& K = CATCOM;
    const UpperEndMotion u = end_motion_derivatives(m);
    write_record(EDUNIT, " >>IN CATMOT:");
    write_record(EDUNIT,
                 labelled(" DXFDP,DXFDT,DZFDP,DZFDT", {K.DXFDP, K.DXFDT, K.DZFDP, K.DZFDT}));
    write_record(EDUNIT,
                 labelled(" DXDXF,DZDXF,DXDZF,DZDZF", {u.DXDXF, u.DZDXF, u.DXDZF, u.DZDZF}));
    write_record(EDUNIT, labelled(" DXDP,DXDT,DZDP,DZDT", {m.DXDP, m.DXDT, m.DZDP, m.DZDT}));
    write_record(EDUNIT, labelled(" DXDSI,DZDSI,QP,TX ", {m.DXDSI, m.DZDSI, QP, TX}));
    write_record(EDUNIT, labelled("CATMOT END; DADXF,DADZF,DXDP,DZDP,DZDT,DXDSI,DZDSI,QP,DQB,DQF",
                                  {m.DADXF, m.DADZF, m.DXDP, m.DZDP, m.DZDT, m.DXDSI, m.DZDSI, QP,
                                   DQB, DQF}));
    INBUG(TPCM.NBUG, EDUNIT, keyboard_unit);
    for (int k = 0; k < 3; ++k)
        write_record(EDUNIT, "TRY AGAIN, AND...");
}

} // namespace

std::string labelled(std::string_view label, std::initializer_list<double> values) {
    std::string record(label);
    for (const double v : values)
        record += E(v, 12, 4);
    return record;
}

// CATMOT: one base separation and two stepped ones (the tangents raised together; the tension
// raised to DPHLD2 at the same material point), then the motions by Cramer's rule with the
// upper-end derivatives of CATCOM (left unscaled by their determinant JACOBY). Reads LINCOM,
// TPCM (WETWT, SLEN, NBUG, EDUNIT) and CATCOM; writes trace records and may change TPCM.NBUG
// through the debug prompt when NBUG = 1.
CatenaryPointMotion CATMOT(float QP, double DQB, double DQF, int IELEM, std::int32_t BOTFLG) {
    const LincomBlock& C = LINCOM;
    const int ITYP = C.ITYP;
    const int EDUNIT = TPCM.EDUNIT;
    const std::int32_t NBUG = TPCM.NBUG;
    if (NBUG == 1)
        write_record(EDUNIT, "IN CATMOT");

    CatenaryPointMotion m;
    const double DQP = QP;
    m.DXDSI = COSPHT(QP);
    m.DZDSI = SINPHT(QP);
    const double DELQ = std::max(std::abs(DQP * C.DHFRAC), least_tangent_step);
    const double WETWT = TPCM.WETWT(IELEM, ITYP);
    const float SLEN = TPCM.SLEN(IELEM, ITYP);
    const double TX = C.DPHLD / WETWT;
    const ElementBetas BETA(C.BETA_words);
    const ElementBetas BETAP(C.BETAP_words);

    if (NBUG == 1)
        write_record(EDUNIT, "IN CATMOT; BEFORE PNTSEP");
    double DXSEP1 = 0.0;
    double DZSEP1 = 0.0;
    PNTSEP(DXSEP1, DZSEP1, DQP, DQB, DQF, static_cast<float>(TX), BETA, C.SCLWT(IELEM), SLEN,
           C.DSLOPE, NBUG, IELEM, BOTFLG, EDUNIT);

    // P: every tangent raised by DELQ, the point keeping its distance from the upper end; a
    // lower end on the seabed stays at its tangent and the touchdown moves instead.
    double DXSEP2 = 0.0;
    double DZSEP2 = 0.0;
    const double DQBP = BOTFLG != 0 ? DQB : DQB + DELQ;
    PNTSEP(DXSEP2, DZSEP2, DQP + DELQ, DQBP, DQF + DELQ, static_cast<float>(TX), BETA,
           C.SCLWT(IELEM), SLEN, C.DSLOPE, NBUG, IELEM, BOTFLG, EDUNIT);
    m.DXDP = (DXSEP2 - DXSEP1) / DELQ;
    m.DZDP = (DZSEP2 - DZSEP1) / DELQ;

    // T: the tension raised to DPHLD2 at the same upper-end tangent; a material point's tangent
    // difference from the upper end shrinks with the ratio of the catenary lengths.
    const double DELH = (C.DPHLD2 - C.DPHLD) / WETWT;
    const double TXP = C.DPHLD2 / WETWT;
    const double RATIO = TX / TXP;
    const double DQPT = DQF + (DQP - DQF) * RATIO;
    const double DQBT = BOTFLG != 0 ? DQB : DQF + (DQB - DQF) * RATIO;
    PNTSEP(DXSEP2, DZSEP2, DQPT, DQBT, DQF, static_cast<float>(TXP), BETAP, C.SCLWTP(IELEM), SLEN,
           C.DSLOPE, NBUG, IELEM, BOTFLG, EDUNIT);
    m.DXDT = (DXSEP2 - DXSEP1) / DELH;
    m.DZDT = (DZSEP2 - DZSEP1) / DELH;

    normal_and_tangential_motions(m);
    if (NBUG == 1)
        trace_point_motion(EDUNIT, m, QP, DQB, DQF, TX);
    return m;
}

// element_top_jacobian: see the header. Writes CATCOM.
double element_top_jacobian(double DQB, double DQF, int IELEM, std::int32_t BOTFLG) {
    // Into a value first: CATMOT reads CATCOM's upper-end derivatives while it computes.
    const CatenaryPointMotion m = CATMOT(static_cast<float>(DQF), DQB, DQF, IELEM, BOTFLG);
    CatcomBlock& K = CATCOM;
    K.DXFDP = m.DXDP;
    K.DXFDT = m.DXDT;
    K.DZFDP = m.DZDP;
    K.DZFDT = m.DZDT;
    K.JACOBY = K.DXFDP * K.DZFDT - K.DXFDT * K.DZFDP;
    if (K.JACOBY == 0.0)
        K.JACOBY = singular_jacobian;
    return K.JACOBY;
}

namespace {

// The complex motion of an element's upper end relative to its lower end (DXFLD, DZFLD) and of
// its lower end (DXBOT, DZBOT).
struct ElementMotion {
    Complex DXFLD, DZFLD, DXBOT, DZBOT;
};

// weightless_element_sums: the Simpson sums over a weightless element of unstretched length L
// at tangent DQF, integrated as straight: the motion runs linearly from the lower-end to the
// upper-end motion, and the out-of-plane integrand about XBASE when DO_OOP. Reads TPCM
// through the stretch of element IELEM.
ElementSums weightless_element_sums(double DQF, double L, const ElementBetas& BETA, int IELEM,
                                    std::int32_t NQP, const ElementMotion& e, float XBASE,
                                    bool DO_OOP) {
    ElementSums sums;
    const float QP = static_cast<float>(DQF);
    const float DXDSI = COSPHT(QP);
    const float DZDSI = SINPHT(QP);
    const double R = SECFCN(QP);
    const double run = L * STRECH(QP, BETA, IELEM) / R; // horizontal span of the element
    for (std::int32_t IQP = 1; IQP <= NQP; ++IQP) {
        const float f = static_cast<float>(IQP - 1) / static_cast<float>(NQP - 1);
        const Complex DX = e.DXBOT + f * e.DXFLD;
        const Complex DZ = e.DZBOT + f * e.DZFLD;
        const Complex DELADA = DZ * DXDSI - DX * DZDSI;
        const Complex DELLON = DX * DXDSI + DZ * DZDSI;
        float TMPENOOP = 0.0f;
        if (DO_OOP) {
            const double XLOC = static_cast<double>(XBASE) + static_cast<double>(f) * run;
            TMPENOOP = static_cast<float>(R * DXFCN(R, QP, IELEM, BETA) * XLOC * XLOC);
        }
        sums.add(IQP, NQP, DELADA, DELLON, DXDSI, DZDSI, TMPENOOP);
    }
    return sums;
}

// catenary_element_sums: the Simpson sums over a catenary element (catenary length TX,
// tangents DQB..DQF in steps DELQP): at each point CATMOT's motions, divided by the upper end's
// determinant JACOBY, carry the relative upper-end motion, and the lower-end motion is carried
// rigidly; the out-of-plane integrand about XBASE when DO_OOP. Reads LINCOM, TPCM and CATCOM
// (through CATMOT).
ElementSums catenary_element_sums(double TX, double DQF, double DQB, double DELQP, double JACOBY,
                                  const ElementBetas& BETA, int IELEM, std::int32_t NQP,
                                  std::int32_t BOTFLG, const ElementMotion& e, float XBASE,
                                  bool DO_OOP) {
    ElementSums sums;
    float QP = static_cast<float>(DQB);
    double XSTART = 0.0;
    for (std::int32_t IQP = 1; IQP <= NQP; ++IQP) {
        if (IQP > 1)
            QP = static_cast<float>(QP + DELQP);
        const CatenaryPointMotion m = CATMOT(QP, DQB, DQF, IELEM, BOTFLG);
        const ComplexD relative_normal = (ComplexD(e.DXFLD) * static_cast<double>(m.DADXF) +
                                          ComplexD(e.DZFLD) * static_cast<double>(m.DADZF)) /
                                         JACOBY;
        const ComplexD relative_along = (ComplexD(e.DXFLD) * static_cast<double>(m.DSDXF) +
                                         ComplexD(e.DZFLD) * static_cast<double>(m.DSDZF)) /
                                        JACOBY;
        const Complex DELADA =
            Complex(relative_normal + ComplexD(e.DZBOT * m.DXDSI - e.DXBOT * m.DZDSI));
        const Complex DELLON =
            Complex(relative_along + ComplexD(e.DXBOT * m.DXDSI + e.DZBOT * m.DZDSI));
        float TMPENOOP = 0.0f;
        if (DO_OOP) {
            const double R = SECFCN(QP);
            double XVAL = 0.0;
            if (IQP == 1)
                XSTART = XFCN(R, QP, IELEM, BETA);
            else
                XVAL = XSTART - XFCN(R, QP, IELEM, BETA);
            const auto XLOC = static_cast<float>(static_cast<double>(XBASE) - TX * XVAL);
            TMPENOOP = static_cast<float>(R * TX * DXFCN(R, QP, IELEM, BETA) *
                                          static_cast<double>(XLOC) * static_cast<double>(XLOC));
        }
        sums.add(IQP, NQP, DELADA, DELLON, m.DXDSI, m.DZDSI, TMPENOOP);
    }
    return sums;
}

} // namespace

// CATDMP: Simpson's rule over the element's tangent, after the upper-end derivatives and their
// determinant are stored in CATCOM. A weightless element has no catenary length to step its
// tangent by (TX = H/w would divide by a zero weight): it is integrated as straight over its
// unstretched length, with the motion interpolated linearly between its ends and the same
// weights, and CATCOM gets zero derivatives with the singular determinant. Reads LINCOM and
// TPCM (WETWT, SLEN); writes CATCOM (DXFDP, DXFDT, DZFDP, DZFDT, JACOBY).
void CATDMP(double TX, double DQF, double DQB, float& DISSIP, float& DISOOP, float& KEELMT,
            float& KEELML, float& KEOOP, float XBASE, float ZBASE, std::int32_t NQP, Complex DXFLD,
            Complex DZFLD, Complex DXBOT, Complex DZBOT, float& ADAMAX, float& ADATOP,
            float& LONTOP, std::int32_t NBUG, int IELEM, Complex& CTXACC, Complex& CTZACC,
            std::int32_t BOTFLG, bool DO_OOP) {
    (void)ZBASE;
    (void)NBUG;
    DISSIP = 0.0f;
    DISOOP = 0.0f;
    KEELMT = 0.0f;
    KEELML = 0.0f;
    KEOOP = 0.0f;
    ADAMAX = 0.0f;
    ADATOP = 0.0f;
    LONTOP = 0.0f;
    CTXACC = CATCOM.ZERO;
    CTZACC = CATCOM.ZERO;

    const LincomBlock& C = LINCOM;
    CatcomBlock& K = CATCOM;
    const int ITYP = C.ITYP;
    // An element at or past the touchdown element whose upper end is down at the seabed lies
    // on it and does not move.
    if (C.BOTELM != 0 && IELEM >= C.BOTELM && DQF <= C.DSLOPE)
        return;
    const double DELQP = (DQF - DQB) / static_cast<double>(NQP - 1);
    const ElementBetas BETA(C.BETA_words);
    const ElementMotion motion{DXFLD, DZFLD, DXBOT, DZBOT};

    if (TPCM.WETWT(IELEM, ITYP) == 0.0f) {
        K.DXFDP = 0.0;
        K.DXFDT = 0.0;
        K.DZFDP = 0.0;
        K.DZFDT = 0.0;
        K.JACOBY = singular_jacobian;
        const double L = TPCM.SLEN(IELEM, ITYP);
        const ElementSums sums =
            weightless_element_sums(DQF, L, BETA, IELEM, NQP, motion, XBASE, DO_OOP);
        const double STEP = L / static_cast<double>(NQP - 1);
        scale_integrals(sums, STEP, STEP, BOTFLG, DISSIP, KEELMT, KEELML, KEOOP, ADAMAX, ADATOP,
                        LONTOP, CTXACC, CTZACC);
        return;
    }

    const double JACOBY = element_top_jacobian(DQB, DQF, IELEM, BOTFLG);
    const ElementSums sums = catenary_element_sums(TX, DQF, DQB, DELQP, JACOBY, BETA, IELEM, NQP,
                                                   BOTFLG, motion, XBASE, DO_OOP);
    scale_integrals(sums, TX * DELQP, DELQP, BOTFLG, DISSIP, KEELMT, KEELML, KEOOP, ADAMAX, ADATOP,
                    LONTOP, CTXACC, CTZACC);
}

} // namespace lintar
