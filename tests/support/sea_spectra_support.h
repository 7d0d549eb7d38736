// support/sea_spectra_support.h: what the wave tests share: a wave grid in TPCM and WAVCOM, the
// reference spectra of tests/data/spectra_cases.csv, an independent dispersion solve and an
// adaptive quadrature, both in double precision.
#pragma once

#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "support/console.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <map>
#include <span>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace lintar::testing {

inline constexpr double pi = 3.14159265358979323846;

// The wave grid of periods T(k) = t1 + (k - 1) dt, k = 1 to n, in TPCM and WAVCOM, with gravity
// G. The grid words are set here, independently of the library's own set-up.
inline void set_period_grid(float t1, float dt, int n, float G) {
    TPCM.NWP = n;
    for (int k = 1; k <= n; ++k)
        TPCM.T(k) = t1 + static_cast<float>(k - 1) * dt;
    WAVCOM.G = G;
    for (int k = 1; k <= n; ++k) {
        WAVCOM.W(k) = static_cast<float>(2.0 * pi / TPCM.T(k));
        WAVCOM.W2(k) = WAVCOM.W(k) * WAVCOM.W(k);
    }
    WAVCOM.TS = TPCM.T(1);
    WAVCOM.TL = TPCM.T(n);
    WAVCOM.NW = n - 1;
    WAVCOM.DT = TPCM.T(2) - TPCM.T(1);
    WAVCOM.DW = 0.0f;
}

// A grid through the given angular frequencies (falling, so that the periods rise); only the
// ordinates are meaningful on it, not the moments.
inline void set_frequency_grid(std::span<const double> w, float G) {
    const int n = static_cast<int>(w.size());
    TPCM.NWP = n;
    WAVCOM.G = G;
    for (int k = 1; k <= n; ++k) {
        TPCM.T(k) = static_cast<float>(2.0 * pi / w[static_cast<std::size_t>(k - 1)]);
        WAVCOM.W(k) = static_cast<float>(w[static_cast<std::size_t>(k - 1)]);
        WAVCOM.W2(k) = WAVCOM.W(k) * WAVCOM.W(k);
    }
    WAVCOM.TS = TPCM.T(1);
    WAVCOM.TL = TPCM.T(n);
    WAVCOM.NW = n - 1;
    WAVCOM.DT = TPCM.T(2) - TPCM.T(1);
}

// Wave number k of w^2 = g k tanh(k d) by Newton's method in double precision, kept inside the
// bracket [w / sqrt(g d), w^2 / (g tanh(w d / sqrt(g d)))] by bisection when a step leaves it.
// The independent reference for the program's float wave_number (util/wave_numbers.h), named
// apart from it: the arguments come in another order, and one name would make a call with
// both headers in view ambiguous or silently pick the other.
inline double reference_wave_number(double omega, double g, double d) {
    const double k_shallow = omega / std::sqrt(g * d); // k tanh(kd) <= k^2 d
    double lo = std::max(k_shallow, omega * omega / g);
    double hi = omega * omega / (g * std::tanh(lo * d));
    double k = hi;
    for (int iteration = 0; iteration < 200; ++iteration) {
        const double t = std::tanh(k * d);
        const double f = g * k * t - omega * omega;
        if (f > 0.0)
            hi = k;
        else
            lo = k;
        const double slope = g * t + g * k * d * (1.0 - t * t);
        double next = k - f / slope;
        if (!(next > lo && next < hi))
            next = 0.5 * (lo + hi);
        if (std::abs(next - k) <= 1e-15 * k)
            return next;
        k = next;
    }
    return k;
}

// Adaptive Simpson quadrature of f over [a, b] in double precision.
inline double integrate(const std::function<double(double)>& f, double a, double b,
                        double tolerance = 1e-13) {
    const std::function<double(double, double, double, double, double, double, double, int)>
        refine = [&](double x0, double x1, double f0, double fm, double f1, double whole,
                     double tol, int depth) {
            const double m = 0.5 * (x0 + x1);
            const double lm = 0.5 * (x0 + m);
            const double rm = 0.5 * (m + x1);
            const double flm = f(lm);
            const double frm = f(rm);
            const double left = (m - x0) / 6.0 * (f0 + 4.0 * flm + fm);
            const double right = (x1 - m) / 6.0 * (fm + 4.0 * frm + f1);
            if (depth <= 0 || std::abs(left + right - whole) <= 15.0 * tol)
                return left + right + (left + right - whole) / 15.0;
            return refine(x0, m, f0, flm, fm, left, tol / 2.0, depth - 1) +
                   refine(m, x1, fm, frm, f1, right, tol / 2.0, depth - 1);
        };
    const double fa = f(a);
    const double fb = f(b);
    const double fm = f(0.5 * (a + b));
    return refine(a, b, fa, fm, fb, (b - a) / 6.0 * (fa + 4.0 * fm + fb), tolerance, 50);
}

// One row of the reference spectra: its parameters, moments and ordinates S(w).
struct SpectrumCase {
    std::string id;
    std::string form;
    std::map<std::string, double> value;              // every numeric column by its name
    std::vector<std::pair<double, double>> ordinates; // (w, S) from the S_w columns
    double operator[](const std::string& name) const { return value.at(name); }
};

inline double parse_double(const std::string& text) {
    double x = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), x);
    if (error != std::errc() || end != text.data() + text.size())
        throw std::runtime_error("not a number in spectra_cases.csv: " + text);
    return x;
}

inline std::vector<std::string> split_csv(const std::string& line) {
    std::vector<std::string> cells;
    std::stringstream in(line);
    std::string cell;
    while (std::getline(in, cell, ','))
        cells.push_back(cell);
    if (!line.empty() && line.back() == ',')
        cells.emplace_back();
    return cells;
}

// The reference spectra, read from tests/data/spectra_cases.csv.
inline std::vector<SpectrumCase> spectrum_cases() {
    std::stringstream in(read_text(test_data("spectra_cases.csv")));
    std::string line;
    std::vector<std::string> header;
    std::vector<SpectrumCase> cases;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const std::vector<std::string> cells = split_csv(line);
        if (header.empty()) {
            header = cells;
            continue;
        }
        SpectrumCase c;
        c.id = cells.at(0);
        c.form = cells.at(1);
        for (std::size_t i = 2; i < header.size() && i < cells.size(); ++i) {
            if (cells[i].empty())
                continue;
            const double x = parse_double(cells[i]);
            c.value[header[i]] = x;
            if (header[i].rfind("S_w", 0) == 0)
                c.ordinates.emplace_back(parse_double(header[i].substr(3)), x);
        }
        cases.push_back(std::move(c));
    }
    return cases;
}

} // namespace lintar::testing
