// support/line_test_support.h: line types for the tests, the solve of one line at a horizontal
// tension, and the independent reference the solves are checked against: the line integrated
// by RK4 over its unstretched arc length in double precision.
#pragma once

#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/catenary_elements.h"
#include "lines/line_shape.h"
#include "runtime/units.h"
#include "support/console.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lintar::testing {

// One subline: unstretched length, submerged weight per length, compliance coefficients of
// strain = a1 T + a2 T^2 + a3 T^3, dry weight per length.
struct Subline {
    double L = 0.0;
    double w = 0.0;
    double a1 = 0.0;
    double a2 = 0.0;
    double a3 = 0.0;
    double dry = 0.0;
};
using Line = std::vector<Subline>;

// Stores the sublines as line type t of TPCM (one line of the type, anchor type anctyp) with
// the console as the dialogue unit and no debug output.
inline void define_type(int t, const Line& line, std::int32_t anctyp = 1) {
    TPCM.EDUNIT = screen_unit;
    TPCM.NBUG = 0;
    TPCM.NELEM(t) = static_cast<std::int32_t>(line.size());
    TPCM.NLINE(t) = 1;
    TPCM.ANCTYP(t) = anctyp;
    for (std::size_t e = 0; e < line.size(); ++e) {
        const int i = static_cast<int>(e) + 1;
        TPCM.SLEN(i, t) = static_cast<float>(line[e].L);
        TPCM.WETWT(i, t) = static_cast<float>(line[e].w);
        TPCM.DRYWT(i, t) = static_cast<float>(line[e].dry);
        TPCM.ALPHA(1, i, t) = static_cast<float>(line[e].a1);
        TPCM.ALPHA(2, i, t) = static_cast<float>(line[e].a2);
        TPCM.ALPHA(3, i, t) = static_cast<float>(line[e].a3);
    }
}

// What a solve gives: horizontal span, top and bottom tension, top and anchor angle (degrees),
// stretched grounded length, and the bracket ITER8P leaves.
struct Solved {
    double XF = 0.0;
    double Ttop = 0.0;
    double Tbot = 0.0;
    double top_deg = 0.0;
    double anc_deg = 0.0;
    double BOTLN = 0.0;
    float TOPT1 = 0.0f;
    float TOPT2 = 0.0f;
};

// Loads the scaled weights and compliances of type t at horizontal tension H.
inline void load_line(int t, double H, float ZF) {
    LINCOM.ITYP = t;
    LINCOM.DPHLD = H;
    LINCOM.DELTAZ = ZF;
    LINCOM.DSLOPE = 0.0;
    const int NELEM = TPCM.NELEM(t);
    SCLWLD(LINCOM.SCLWT_words, wetwt_column(t), H, NELEM);
    BETALD(alpha_slice(t), LINCOM.BETA_words, H, NELEM);
}

// The spans, tensions and angles of the shape LINCOM holds for type t.
inline Solved solved_shape(int t) {
    const int NELEM = TPCM.NELEM(t);
    Solved s;
    s.XF = XDIST(LINCOM.SCLWT_words, LINCOM.SECARR_words, LINCOM.TMPTAN_words, LINCOM.BETA_words,
                 NELEM, NELEM, TPCM.ANCTYP(t), slen_column(t), LINCOM.DSLOPE);
    s.Ttop = LINCOM.DPHLD * LINCOM.SECARR(1);
    s.Tbot = LINCOM.DPHLD * LINCOM.SECARR(NELEM + 1);
    s.top_deg = std::atan(LINCOM.TMPTAN(1)) * 180.0 / std::numbers::pi;
    s.anc_deg = std::atan(LINCOM.TMPTAN(NELEM + 1)) * 180.0 / std::numbers::pi;
    s.BOTLN = LINCOM.BOTLN;
    return s;
}

// Solves type t at horizontal tension H over the height ZF with ITER8P from the bracket
// TOPT1..TOPT2.
inline Solved solve_type(int t, double H, float ZF, float TOPT1 = 0.01f, float TOPT2 = 100.0f) {
    load_line(t, H, ZF);
    ITER8P(TOPT1, TOPT2);
    Solved s = solved_shape(t);
    s.TOPT1 = TOPT1;
    s.TOPT2 = TOPT2;
    return s;
}

// ---- The reference: RK4 over the unstretched arc length s, down from the fairlead ----------
//   dx/ds = (1 + eps(T)) cos(phi),  dz/ds = (1 + eps(T)) sin(phi),  dq/ds = -w/H,
// q = tan(phi), T = H sqrt(1 + q^2), z the depth below the fairlead. Over a solid seabed a
// weighted subline whose slope reaches 0 (with no buoyant subline further down) touches down
// there; the rest of the line lies straight on the frictionless seabed at tension H.
struct Profile {
    double x = 0.0;                 // horizontal span
    double z = 0.0;                 // depth of the anchor below the fairlead
    double grounded = 0.0;          // stretched length on the seabed
    double q_bottom = 0.0;          // slope at the anchor
    std::vector<double> node_depth; // depth of node j below the fairlead, j = 0..N
    std::vector<double> node_slope; // slope at node j
};

inline Profile integrate_line(const Line& line, double H, double q_top, bool seabed,
                              int steps = 1000) {
    Profile p;
    p.node_depth.push_back(0.0);
    p.node_slope.push_back(q_top);
    double q = q_top;
    bool on_seabed = false;
    for (std::size_t e = 0; e < line.size(); ++e) {
        const Subline& s = line[e];
        const auto stretch = [&](double slope) {
            const double T = H * std::sqrt(1.0 + slope * slope);
            return 1.0 + s.a1 * T + s.a2 * T * T + s.a3 * T * T * T;
        };
        bool buoyant_below = false;
        for (std::size_t f = e + 1; f < line.size(); ++f)
            buoyant_below = buoyant_below || line[f].w < 0.0;
        double suspended = s.L;
        const double dqds = s.w / H;
        if (!on_seabed && seabed && !buoyant_below && s.w >= 0.0 && q >= 0.0 &&
            q - dqds * s.L <= 0.0) {
            suspended = s.w > 0.0 ? q / dqds : 0.0;
            on_seabed = true;
        } else if (on_seabed) {
            suspended = 0.0;
        }
        const auto rate = [&](double slope) {
            const double r = std::sqrt(1.0 + slope * slope);
            const double k = stretch(slope);
            return std::array<double, 3>{k / r, k * slope / r, -dqds};
        };
        const double h = suspended / steps;
        double x = 0.0;
        double z = 0.0;
        for (int n = 0; n < steps && h > 0.0; ++n) {
            const auto k1 = rate(q);
            const auto k2 = rate(q + 0.5 * h * k1[2]);
            const auto k3 = rate(q + 0.5 * h * k2[2]);
            const auto k4 = rate(q + h * k3[2]);
            x += h / 6.0 * (k1[0] + 2.0 * k2[0] + 2.0 * k3[0] + k4[0]);
            z += h / 6.0 * (k1[1] + 2.0 * k2[1] + 2.0 * k3[1] + k4[1]);
            q += h / 6.0 * (k1[2] + 2.0 * k2[2] + 2.0 * k3[2] + k4[2]);
        }
        p.x += x;
        p.z += z;
        if (on_seabed) {
            q = 0.0;
            const double lying = (s.L - suspended) * stretch(0.0);
            p.x += lying;
            p.grounded += lying;
        }
        p.node_depth.push_back(p.z);
        p.node_slope.push_back(q);
    }
    p.q_bottom = q;
    return p;
}

// The top slope at which the integrated line spans the height ZF, by bisection; the anchor
// depth rises with the top slope.
inline double shoot_top_slope(const Line& line, double H, double ZF, bool seabed,
                              int steps = 1000) {
    const auto depth = [&](double q) { return integrate_line(line, H, q, seabed, steps).z; };
    double lo = seabed ? 0.0 : -1.0;
    double hi = 1.0;
    for (int n = 0; depth(hi) < ZF; ++n) {
        if (n == 80)
            throw std::runtime_error("shoot_top_slope: no upper bracket");
        hi *= 2.0;
    }
    for (int n = 0; !seabed && depth(lo) > ZF; ++n) {
        if (n == 80)
            throw std::runtime_error("shoot_top_slope: no lower bracket");
        lo *= 2.0;
    }
    for (int n = 0; n < 200 && hi - lo > 1e-14 * std::max(1.0, std::abs(hi)); ++n) {
        const double mid = 0.5 * (lo + hi);
        (depth(mid) < ZF ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

// The reference solve: shape, tensions and angles of the integrated line.
inline Solved reference_solve(const Line& line, double H, double ZF, bool seabed,
                              int steps = 1000) {
    const double q_top = shoot_top_slope(line, H, ZF, seabed, steps);
    const Profile p = integrate_line(line, H, q_top, seabed, steps);
    Solved s;
    s.XF = p.x;
    s.Ttop = H * std::sqrt(1.0 + q_top * q_top);
    s.Tbot = H * std::sqrt(1.0 + p.q_bottom * p.q_bottom);
    s.top_deg = std::atan(q_top) * 180.0 / std::numbers::pi;
    s.anc_deg = std::atan(p.q_bottom) * 180.0 / std::numbers::pi;
    s.BOTLN = p.grounded;
    return s;
}

// ---- The independent reference cases of tests/data/catenary_cases.csv ---------------------
// One-subline lines with the linear law, solved by another elastic catenary program (the
// file's header says which); N and m.

struct ReferenceCase {
    std::string id;
    double L, EA, w, XF, ZF, HF, LBot, Ttop, top_deg, anc_deg;
};

inline double number(std::string_view field) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size())
        throw std::runtime_error("not a number: " + std::string(field));
    return value;
}

// The rows of tests/data/catenary_cases.csv (comment lines start with '#').
inline std::vector<ReferenceCase> reference_cases() {
    const std::string text = read_text(test_data("catenary_cases.csv"));
    std::vector<ReferenceCase> cases;
    bool header_seen = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line(text.data() + start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') // the file has Windows line ends
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        if (!header_seen) {
            header_seen = true;
            continue;
        }
        std::vector<std::string_view> f;
        std::size_t at = 0;
        for (std::size_t comma = line.find(','); comma != std::string_view::npos;
             comma = line.find(',', at)) {
            f.push_back(line.substr(at, comma - at));
            at = comma + 1;
        }
        f.push_back(line.substr(at));
        if (f.size() != 15)
            throw std::runtime_error("bad reference row: " + std::string(line));
        // id,description,L,EA,w,XF,ZF,HF,VF,HA,VA,LBot,Ttop,top_deg,anc_deg
        cases.push_back({std::string(f[0]), number(f[2]), number(f[3]), number(f[4]), number(f[5]),
                         number(f[6]), number(f[7]), number(f[11]), number(f[12]), number(f[13]),
                         number(f[14])});
    }
    return cases;
}

} // namespace lintar::testing
