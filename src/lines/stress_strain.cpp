// lines/stress_strain.cpp: the cubic splines of the line library and the fit of the compliance
// law to a measured stress-strain curve.
#include "lines/stress_strain.h"

#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/catenary_elements.h"
#include "lines/line_shape.h"
#include "lines/table_messages.h"
#include "runtime/assert.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/flags.h"
#include "util/prompts.h"
#include "util/table_search.h"

#include <array>
#include <cstddef>
#include <string>

namespace lintar {

namespace {

// Work capacities: spline's work vector, SPLINE2's, and the row and column work of the
// two-variable routines.
constexpr int spline_work = 500;
constexpr int curve_work = 30;
constexpr int table_work = 100;

// The end slope beyond which an end is natural.
constexpr float natural_threshold = 9.9e29f;

// Entry i (1-based) of a table span.
inline float at(std::span<const float> a, int i) {
    return a[slot(i)];
}

// The tridiagonal sweep of spline and SPLINE2, with a work vector of Capacity values.
template <int Capacity>
void spline_sweep(std::span<const float> x, std::span<const float> y, std::int32_t n, float yp1,
                  float ypn, std::span<float> y2) {
    LINTAR_ASSERT(n >= 2 && n <= Capacity, "spline: point count outside the work vector");
    LINTAR_ASSERT(x.size() >= static_cast<std::size_t>(n) &&
                      y.size() >= static_cast<std::size_t>(n) &&
                      y2.size() >= static_cast<std::size_t>(n),
                  "spline: arrays shorter than n");
    std::array<float, Capacity> u{};
    const auto X = [&](int i) { return at(x, i); };
    const auto Y = [&](int i) { return at(y, i); };
    const auto Y2 = [&](int i) -> float& { return y2[slot(i)]; };
    const auto U = [&](int i) -> float& { return u[slot(i)]; };

    if (yp1 > natural_threshold) {
        Y2(1) = 0.0f;
        U(1) = 0.0f;
    } else {
        Y2(1) = -0.5f;
        U(1) = (3.0f / (X(2) - X(1))) * ((Y(2) - Y(1)) / (X(2) - X(1)) - yp1);
    }
    for (int i = 2; i <= n - 1; ++i) {
        const float sig = (X(i) - X(i - 1)) / (X(i + 1) - X(i - 1));
        const float p = sig * Y2(i - 1) + 2.0f;
        Y2(i) = (sig - 1.0f) / p;
        U(i) =
            (6.0f *
                 ((Y(i + 1) - Y(i)) / (X(i + 1) - X(i)) - (Y(i) - Y(i - 1)) / (X(i) - X(i - 1))) /
                 (X(i + 1) - X(i - 1)) -
             sig * U(i - 1)) /
            p;
    }
    float qn = 0.0f;
    float un = 0.0f;
    if (!(ypn > natural_threshold)) {
        qn = 0.5f;
        un = (3.0f / (X(n) - X(n - 1))) * (ypn - (Y(n) - Y(n - 1)) / (X(n) - X(n - 1)));
    }
    Y2(n) = (un - qn * U(n - 1)) / (qn * Y2(n - 1) + 1.0f);
    for (int k = n - 1; k >= 1; --k)
        Y2(k) = Y2(k) * Y2(k + 1) + U(k);
}

// The bracketing interval klo, klo + 1 of x in xa(1..n) by bisection (the end interval for a
// value outside the table), its width h and the weights A, B of its ends. False when the two
// abscissae are equal: the "bad xa input" report and its pause have then been given.
struct Bracket {
    int klo = 1;
    int khi = 1;
    float h = 0.0f;
    float A = 0.0f;
    float B = 0.0f;
};

bool bracket(std::span<const float> xa, std::int32_t n, float x, Bracket& b) {
    LINTAR_ASSERT(n >= 1 && xa.size() >= static_cast<std::size_t>(n), "splint: table size");
    b.klo = 1;
    b.khi = n;
    while (b.khi - b.klo > 1) {
        const int k = (b.khi + b.klo) / 2;
        if (at(xa, k) > x)
            b.khi = k;
        else
            b.klo = k;
    }
    b.h = at(xa, b.khi) - at(xa, b.klo);
    if (b.h == 0.0f) {
        // The callers supply rising abscissae; this is the textbook's guard, which tells and
        // waits, then lets the caller go on with a value that means nothing.
        const int EDUNIT = TPCM.EDUNIT;
        write_record(EDUNIT, "bad xa input in splint");
        std::int32_t LBACK = 0;
        PRSRET(EDUNIT, keyboard_unit, LBACK);
        return false;
    }
    b.A = (at(xa, b.khi) - x) / b.h;
    b.B = (x - at(xa, b.klo)) / b.h;
    return true;
}

float spline_value(std::span<const float> xa, std::span<const float> ya, std::span<const float> y2a,
                   std::int32_t n, float x) {
    Bracket b;
    if (!bracket(xa, n, x, b))
        return at(ya, b.klo);
    const float A = b.A;
    const float B = b.B;
    return A * at(ya, b.klo) + B * at(ya, b.khi) +
           ((A * A * A - A) * at(y2a, b.klo) + (B * B * B - B) * at(y2a, b.khi)) * (b.h * b.h) /
               6.0f;
}

// The value of every row j = 1..m of a two-variable table at x2: the rows' splines (second
// derivatives y2a) share x2, so one bracket and one set of weights serve all, read in place.
void rows_at(std::span<const float> x2a, std::span<const float> ya, std::span<const float> y2a,
             std::int32_t m, std::int32_t n, float x2, std::array<float, table_work>& yytmp) {
    LINTAR_ASSERT(m >= 1 && m <= table_work && n >= 1 && n <= table_work, "splin2: table size");
    LINTAR_ASSERT(ya.size() >= slot(n) * spline_table_rows + static_cast<std::size_t>(m) &&
                      y2a.size() >= slot(n) * spline_table_rows + static_cast<std::size_t>(m),
                  "splin2: arrays shorter than the table");
    Bracket across;
    if (bracket(x2a, n, x2, across)) {
        const auto lo = slot(across.klo) * spline_table_rows;
        const auto hi = slot(across.khi) * spline_table_rows;
        const float A = across.A;
        const float B = across.B;
        const float cA = A * A * A - A;
        const float cB = B * B * B - B;
        const float hh = across.h * across.h;
        for (std::size_t j = 0; j < static_cast<std::size_t>(m); ++j)
            yytmp[j] =
                A * ya[lo + j] + B * ya[hi + j] + (cA * y2a[lo + j] + cB * y2a[hi + j]) * hh / 6.0f;
    } else {
        // Equal layer coordinates: the guard has told; each row takes its lower entry, as the
        // plain form's splint does.
        for (std::size_t j = 0; j < static_cast<std::size_t>(m); ++j)
            yytmp[j] = ya[slot(across.klo) * spline_table_rows + j];
    }
}

// Row j of a two-variable table (leading dimension 90), columns 1..n, into work.
template <std::size_t N>
void copy_row(std::span<const float> table, int j, std::int32_t n, std::array<float, N>& work) {
    for (int k = 1; k <= n; ++k)
        work[slot(k)] = table[col_major(j, spline_table_rows, k, table_work)];
}

// The fatal stops of LOAD_ALPHAS.
[[noreturn]] void curve_range_stop(std::string_view pass, std::int32_t ITYP, int IELEM) {
    fatal_stop(TPCM.EDUNIT, keyboard_unit,
               {" ++> " + std::string(pass) + " evaluation produced a nonzero IER in LOAD_ALPHAS.",
                "     (ITYP,IELEM) = (" + I(ITYP, 2) + "," + I(IELEM, 2) + ")."});
}

} // namespace

// spline: the textbook sweep with a work vector of 500. Writes y2(1..n).
void spline(std::span<const float> x, std::span<const float> y, std::int32_t n, float yp1,
            float ypn, std::span<float> y2) {
    spline_sweep<spline_work>(x, y, n, yp1, ypn, y2);
}

// SPLINE2: the same sweep with a work vector of 30, for the stress-strain curves.
void SPLINE2(std::span<const float> x, std::span<const float> y, std::int32_t n, float yp1,
             float ypn, std::span<float> y2) {
    spline_sweep<curve_work>(x, y, n, yp1, ypn, y2);
}

// splint: the spline's value at x into y. May pause (bad abscissae); never ends the run.
void splint(std::span<const float> xa, std::span<const float> ya, std::span<const float> y2a,
            std::int32_t n, float x, float& y) {
    y = spline_value(xa, ya, y2a, n, x);
}

// STRAIN_VAL: the spline's value at x. May pause (bad abscissae); never ends the run.
float STRAIN_VAL(std::span<const float> xa, std::span<const float> ya, std::span<const float> y2a,
                 std::int32_t n, float x) {
    return spline_value(xa, ya, y2a, n, x);
}

// STRAIN_SLOPE: the spline's first derivative at x. May pause (bad abscissae); never ends the
// run.
float STRAIN_SLOPE(std::span<const float> xa, std::span<const float> ya, std::span<const float> y2a,
                   std::int32_t n, float x) {
    Bracket b;
    if (!bracket(xa, n, x, b))
        return 0.0f;
    const float A = b.A;
    const float B = b.B;
    return (at(ya, b.khi) - at(ya, b.klo)) / b.h +
           b.h * ((3.0f * B * B - 1.0f) * at(y2a, b.khi) - (3.0f * A * A - 1.0f) * at(y2a, b.klo)) /
               6.0f;
}

// splie2: natural splines along each row. Writes rows 1..m, columns 1..n of y2a.
void splie2(std::span<const float> x1a, std::span<const float> x2a, std::span<const float> ya,
            std::int32_t m, std::int32_t n, std::span<float> y2a) {
    (void)x1a;
    LINTAR_ASSERT(m <= spline_table_rows && n <= table_work, "splie2: table size");
    std::array<float, table_work> ytmp{};
    std::array<float, table_work> y2tmp{};
    for (int j = 1; j <= m; ++j) {
        // A row of one column has no curvature (and the sweep needs two points).
        if (n >= 2) {
            copy_row(ya, j, n, ytmp);
            spline(x2a, ytmp, n, natural_end, natural_end, y2tmp);
        }
        for (int k = 1; k <= n; ++k)
            y2a[col_major(j, spline_table_rows, k, table_work)] = n >= 2 ? y2tmp[slot(k)] : 0.0f;
    }
}

// splin2: rows at x2, then across the rows at x1. Writes y. May pause (bad abscissae).
//
// The force routines call this for every line at every evaluation, so it does the textbook's
// work without its repetitions, with the same arithmetic on the same values (the results are
// bit for bit those of the plain form): every row is interpolated at the same x2, so one
// bracket and one set of weights serve all rows, read in place rather than copied.
void splin2(std::span<const float> x1a, std::span<const float> x2a, std::span<const float> ya,
            std::span<const float> y2a, std::int32_t m, std::int32_t n, float x1, float x2,
            float& y) {
    RowSpline rows;
    splin2_across(x1a, x2a, ya, y2a, m, n, x2, rows);
    y = splin2_at(x1a, rows, x1);
}

// splin2_across: the rows at x2 as splin2 takes them, then the full sweep of the natural
// spline over x1a (spline with natural ends). May pause (bad abscissae).
void splin2_across(std::span<const float> x1a, std::span<const float> x2a,
                   std::span<const float> ya, std::span<const float> y2a, std::int32_t m,
                   std::int32_t n, float x2, RowSpline& rows) {
    LINTAR_ASSERT(m >= 2 && m <= table_work, "splin2: table size");
    rows.m = m;
    rows_at(x2a, ya, y2a, m, n, x2, rows.y);
    spline_sweep<table_work>(x1a, rows.y, m, 2.0f * natural_threshold, 2.0f * natural_threshold,
                             rows.y2);
}

// splin2_at: the spline of splin2_across at x1. May pause (bad abscissae).
float splin2_at(std::span<const float> x1a, const RowSpline& rows, float x1) {
    return spline_value(x1a, rows.y, rows.y2, rows.m, x1);
}

// GET_ALPHAS: strain E and slope S of the curve at T, slope A1 at zero; the cubic
// A1 T + A2 T^2 + A3 T^3 with value E and slope S at T. Writes ALPHAS.
void GET_ALPHAS(float T, std::span<const float> TENS_ARR, std::span<const float> E_ARR,
                std::span<const float> SPLINE_2DERIV, std::int32_t NVAL,
                std::span<float, 3> ALPHAS) {
    const float E = STRAIN_VAL(TENS_ARR, E_ARR, SPLINE_2DERIV, NVAL, T);
    ALPHAS[0] = STRAIN_SLOPE(TENS_ARR, E_ARR, SPLINE_2DERIV, NVAL, 0.0f);
    const float S = STRAIN_SLOPE(TENS_ARR, E_ARR, SPLINE_2DERIV, NVAL, T);
    if (T > 0.0f) {
        ALPHAS[1] = (3.0f * E - T * (2.0f * ALPHAS[0] + S)) / (T * T);
        ALPHAS[2] = (E - T * (T * ALPHAS[1] + ALPHAS[0])) / (T * T * T);
    } else {
        ALPHAS[1] = 0.0f;
        ALPHAS[2] = 0.0f;
    }
}

// LOAD_ALPHAS: fit passes and re-solves of the current line type, at most ten fit passes.
// Reads and writes LINCOM (the line state) and ALPHA of TPCM; ends the run on the failures
// of its header comment.
void LOAD_ALPHAS(double DP_HMEAN, std::int32_t LAYER) {
    LincomBlock& C = LINCOM;
    const std::int32_t ITYP = C.ITYP;
    const std::int32_t NELEM = TPCM.NELEM(ITYP);
    const std::int32_t FLAGS = TPCM.STRESS_STRAIN_FILE(ITYP);
    const std::int32_t NUMTAB = TPCM.NUMTAB;

    std::int32_t IER = 0;
    std::int32_t MIN = 1;
    BSRCH(std::span<const float>(C.HLOD_words), static_cast<float>(DP_HMEAN), IER, MIN, NUMTAB);

    const auto solve = [&] {
        SCLWLD(C.SCLWT_words, wetwt_column(ITYP), DP_HMEAN, NELEM);
        BETALD(alpha_slice(ITYP), C.BETA_words, DP_HMEAN, NELEM);
        float TOPT1 = C.TANPHI(MIN + 1, LAYER, 1);
        float TOPT2 = MIN >= 2 ? C.TANPHI(MIN, LAYER, 1) : 100.0f * TOPT1;
        ITER8P(TOPT1, TOPT2);
    };
    const auto flagged = [&](int e) { return BITVAL(FLAGS, e) == 1; };
    const auto curve = [&](std::span<float> words, int e) {
        return std::span<const float>(words).subspan(
            col_major(1, lincom_curve_points, e, lincom_elements, ITYP, lincom_types),
            lincom_curve_points);
    };

    std::array<std::int32_t, lincom_elements> MIN2{};
    solve();
    for (std::int32_t LOC_ERR = 0;;) {
        // Fit pass at the tensions of the latest solution.
        for (int e = 1; e <= NELEM; ++e) {
            if (!flagged(e))
                continue;
            const auto TMPTEN = static_cast<float>(DP_HMEAN * C.SECARR(e));
            std::int32_t IER2 = 0;
            auto& interval = MIN2[slot(e)];
            BSRCH(curve(C.TENS_ARR_words, e), TMPTEN, IER2, interval, C.NSTRS_STRN(e, ITYP));
            if (IER2 != 0)
                curve_range_stop("MIN2", ITYP, e);
            GET_ALPHAS(TMPTEN, curve(C.TENS_ARR_words, e), curve(C.E_ARR_words, e),
                       curve(C.SPLINE_2DERIV_words, e), C.NSTRS_STRN(e, ITYP),
                       std::span<float, 3>(&TPCM.ALPHA(1, e, ITYP), 3));
        }
        solve();
        // Check pass: has any fitted tension left its curve interval?
        bool DO_MORE = false;
        for (int e = 1; e <= NELEM; ++e) {
            if (!flagged(e))
                continue;
            const auto TMPTEN = static_cast<float>(DP_HMEAN * C.SECARR(e));
            std::int32_t IER2 = 0;
            std::int32_t MIN2Q = 1;
            BSRCH(curve(C.TENS_ARR_words, e), TMPTEN, IER2, MIN2Q, C.NSTRS_STRN(e, ITYP));
            if (IER2 != 0)
                curve_range_stop("MIN2Q", ITYP, e);
            if (MIN2Q != MIN2[slot(e)])
                DO_MORE = true;
        }
        if (!DO_MORE)
            return;
        LOC_ERR = LOC_ERR + 1;
        if (LOC_ERR >= 10)
            fatal_stop(TPCM.EDUNIT, keyboard_unit,
                       {" ++> Alpha coefficient setting failed in LOAD_ALPHAS; contact Kelbrin"});
    }
}

} // namespace lintar
