// line_dynamics/element_damping.cpp: element drag dissipation and the damping integral.
#include "line_dynamics/element_damping.h"

#include "blocks/catcom.h"
#include "blocks/lincom.h"
#include "lines/catenary_motion.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/bessel_gamma.h"
#include "util/prompts.h"
#include "util/root_finders.h"
#include "util/table_search.h"

#include <array>
#include <cmath>

namespace lintar {

namespace {

using Complex = std::complex<float>;
using ComplexD = std::complex<double>;

// The damping integral: the switch from the series to the quadrature, the quadrature's first
// tolerance, table size and upper limit, the largest table size and upper limit, and the
// quadratures after which a possible iteration failure is reported.
constexpr float series_below = 0.001f;
constexpr float first_tolerance = 0.001f;
constexpr std::int32_t first_levels = 10;
constexpr std::int32_t most_levels_before_doubling = 40;
constexpr float first_upper_limit = 10.0f;
constexpr float largest_upper_limit = 81.0f;
constexpr int iteration_warning_count = 100;

} // namespace

// ELMDMP: the upper-end derivatives first, as CATDMP leaves them, then Simpson's rule with
// the point motions of CATMOT. Reads LINCOM (BOTELM, DSLOPE and the state CATMOT reads);
// writes CATCOM (DXFDP, DXFDT, DZFDP, DZFDT, JACOBY).
void ELMDMP(double TX, double DQF, double DQB, float& DISSIP, float& DISSP2, std::int32_t NQP,
            Complex DXFLDL, Complex DZFLDL, Complex DXBOTL, Complex DZBOTL, Complex DXFLDH,
            Complex DZFLDH, Complex DXBOTH, Complex DZBOTH, std::int32_t NBUG, int EDUNIT,
            int IELEM, Complex& CTXACC, Complex& CTZACC, std::int32_t BOTFLG) {
    (void)NBUG;
    (void)EDUNIT;
    (void)CTXACC;
    (void)CTZACC;
    DISSIP = 0.0f;
    DISSP2 = 0.0f;
    const LincomBlock& C = LINCOM;
    // Only a suspended element moves through the water.
    if (!(IELEM < C.BOTELM || DQF > C.DSLOPE))
        return;
    const double DELQP = (DQF - DQB) / static_cast<double>(NQP - 1);
    if (DELQP == 0.0)
        return;

    const double JACOBY = element_top_jacobian(DQB, DQF, IELEM, BOTFLG);

    // TX d(tangent) is the increment of unstretched arc length: FACTOR is the Simpson step.
    const double FACTOR = DELQP * TX / 3.0;
    const double FCTRHF = FACTOR * 1.3333334;
    float dissipation_sum = 0.0f;
    float cube_sum = 0.0f;
    for (std::int32_t j = 1; j <= NQP; ++j) {
        const auto QP = static_cast<float>(DQB + static_cast<double>(j - 1) * DELQP);
        const CatenaryPointMotion m = CATMOT(QP, DQB, DQF, IELEM, BOTFLG);
        // The normal motion: the upper end's relative motion through the point's derivatives
        // (which carry the factor JACOBY), and the lower end's motion carried rigidly.
        const auto normal = [&](Complex DXFLD, Complex DZFLD, Complex DXBOT, Complex DZBOT) {
            const ComplexD relative = (ComplexD(DXFLD) * static_cast<double>(m.DADXF) +
                                       ComplexD(DZFLD) * static_cast<double>(m.DADZF)) /
                                      JACOBY;
            return Complex(relative + ComplexD(DZBOT * m.DXDSI - DXBOT * m.DZDSI));
        };
        const float a = std::abs(normal(DXFLDL, DZFLDL, DXBOTL, DZBOTL));
        const float b = std::abs(normal(DXFLDH, DZFLDH, DXBOTH, DZBOTH));
        float FAC = 0.0f;
        SMPFAC(j, NQP, FAC);
        dissipation_sum = dissipation_sum + FAC * a * a * b;
        cube_sum = cube_sum + FAC * b * b * b;
    }
    DISSIP = static_cast<float>(dissipation_sum * FACTOR);
    DISSP2 = static_cast<float>(cube_sum * FCTRHF);
}

// SUBINT: the integrand. Never ends the run.
float SUBINT(float X, float RNOVR2, float DELTA) {
    return std::exp(-X) * std::pow(std::sqrt(DELTA * X + 1.0f) - 1.0f, RNOVR2);
}

// DMPINT: the series for a small scale, the quadrature with its escalations otherwise.
// Writes its messages on IOSCRN; ends the run as the header says.
void DMPINT(float& Y, int IOSCRN, float RNOVR2, float DELTA) {
    if (DELTA < series_below) {
        float GX = 0.0f;
        std::int32_t IER = 0;
        GAMMA(RNOVR2 + 1.0f, GX, IER);
        if (IER != 0)
            fatal_stop(IOSCRN, keyboard_unit, {" ++> Gamma function error in DMPINT"});
        Y = GX * std::pow(DELTA / 2.0f, RNOVR2) * (1.0f - RNOVR2 / 4.0f * DELTA * (RNOVR2 + 1.0f));
        return;
    }

    const auto integrand = [RNOVR2, DELTA](float X) { return SUBINT(X, RNOVR2, DELTA); };
    std::array<float, 80> AUX{};
    int count = 0;
    float XU = first_upper_limit;
    for (;;) {
        float EPS = first_tolerance;
        std::int32_t NDIM = first_levels;
        for (;;) {
            ++count;
            if (count > iteration_warning_count) {
                write_record(IOSCRN, " ++> Possible iteration failure in DMPINT");
                std::int32_t LBACK = 0;
                ABORT0(IOSCRN, keyboard_unit, LBACK);
                if (IOSCRN == diagnostics_unit)
                    stop_program(StopKind::error);
                if (LBACK == -1)
                    stop_program(StopKind::user_choice);
                count = 0;
            }
            std::int32_t IER = 0;
            QATR(0.0f, XU, EPS, NDIM, integrand, Y, IER, AUX);
            if (IER == 1) {
                // Rounding errors: a looser tolerance, while it stays small beside Y.
                if (std::abs(Y) > 10.0f * EPS) {
                    EPS = 10.0f * EPS;
                    continue;
                }
                fatal_stop(IOSCRN, keyboard_unit,
                           {" ++> FATAL error: unfixable roundoff error in DMPINT"});
            }
            if (IER == 2) {
                // An integrand beyond the four-byte range gives no estimate that more levels
                // could improve, and each level doubles the work (80 levels would run for
                // ever): the levels are exhausted now.
                if (NDIM <= most_levels_before_doubling && std::isfinite(Y)) {
                    NDIM = 2 * NDIM;
                    continue;
                }
                fatal_stop(IOSCRN, keyboard_unit, {"++> FATAL error: NDIM > NDMSUP in DMPINT"});
            }
            // The tolerance must be small beside Y.
            if (0.01f * Y < EPS) {
                EPS = 0.008f * Y;
                continue;
            }
            break;
        }
        const float tail = std::pow(DELTA, RNOVR2 / 2.0f) * GMAPRX(RNOVR2 / 2.0f + 1.0f, XU);
        if (std::abs(tail) <= 0.01f * Y)
            return;
        XU = 2.0f * XU;
        if (XU > largest_upper_limit)
            fatal_stop(IOSCRN, keyboard_unit,
                       {"++> FATAL error: XU.GT.100 in DMPINT error checking loop"});
    }
}

} // namespace lintar
