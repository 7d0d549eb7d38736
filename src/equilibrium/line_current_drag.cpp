// equilibrium/line_current_drag.cpp: the mean current drag on the mooring lines.
#include "equilibrium/line_current_drag.h"

#include "blocks/curprof.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "lines/catenary_elements.h"
#include "lines/line_shape.h"
#include "lines/mean_line_state.h"
#include "lines/mooring_force.h"
#include "lines/stress_strain.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/prompts.h"
#include "util/table_search.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

namespace lintar {

namespace {

constexpr float DEGRAD = degrees_per_radian;

// One warning per run for the first point of zero tension or slope left out of a sum.
struct LineDragStore {
    bool degenerate_warned = false;
};
LineDragStore line_drag_store;
const StateReset reset_line_drag{[] { line_drag_store = LineDragStore{}; }, StoreKind::analysis};

// Simpson weight of point j of 1..NQP: 1 at the ends, 4 at even points, 2 at the others.
double simpson_weight(std::int32_t j, std::int32_t NQP) {
    if (j == 1 || j == NQP)
        return 1.0;
    return j % 2 == 0 ? 4.0 : 2.0;
}

// v|v| of the current at a depth.
double speed_squared(const DragLine& line, double depth) {
    const float v =
        current_at_depth(*line.profile, line.CURSPD, line.CURHDG, static_cast<float>(depth)).speed;
    return static_cast<double>(v) * std::abs(static_cast<double>(v));
}

// An element lying on the seabed slope: at or below the touchdown element, its upper slope not
// above the seabed's.
bool on_seabed(const DragLine& line, std::int32_t IELEM, double DQF) {
    return line.BOTELM != 0 && IELEM >= line.BOTELM && DQF <= line.DSLOPE;
}

// The depth of the point of slope q of a catenary element below the element's top, from the
// vertical catenary function (ZF its value at the element's upper slope).
double drop_below_top(const DragLine& line, double ZF, double R, std::int32_t IELEM) {
    return (ZF - ZFCN(R, IELEM, line.BETA)) / line.SCLWT(IELEM);
}

// The drag factor DIAMFC x DIAM x COFDMT of an element, recorded in COFDMP when asked for.
float drag_factor(const DragLine& line, std::int32_t IELEM, float DIAMFC) {
    const float COFDMP = DIAMFC * line.DIAM(IELEM) * line.COFDMT(IELEM);
    if (line.COFDMP != nullptr)
        *line.COFDMP = COFDMP;
    return COFDMP;
}

} // namespace

std::int32_t current_drag_points(float DEPTH, const CurprofBlock& profile) {
    float DZMINQ = 1.0e20f;
    if (profile.NCURNTPF >= 1)
        DZMINQ = std::min(DZMINQ, profile.DPTHIPF(1));
    for (int i = 2; i <= profile.NCURNTPF; ++i)
        DZMINQ = std::min(DZMINQ, profile.DPTHIPF(i) - profile.DPTHIPF(i - 1));
    if (DZMINQ <= 0.0f)
        return 51;
    const float layers = DEPTH / DZMINQ;
    // A layer so thin that the count overflows is held to the largest odd count.
    const std::int32_t n = layers < 1.0e9f ? static_cast<std::int32_t>(layers) : 1000000000;
    return std::max(2 * n + 1, 51);
}

CurrentAtDepth current_at_depth(const CurprofBlock& profile, float CURSPD, float CURHDG,
                                float depth) {
    const std::int32_t n = profile.NCURNTPF;
    if (n < 1)
        return {CURSPD, CURHDG};
    const float d1 = profile.DPTHIPF(1);
    if (depth < d1) {
        if (d1 == 0.0f)
            return {CURSPD, CURHDG};
        return {CURSPD + (profile.VELIPF(1) - CURSPD) * depth / d1,
                CURHDG + (profile.CURHDGPF(1) - CURHDG) * depth / d1};
    }
    const auto levels = static_cast<std::size_t>(n);
    const std::span<const float> D(profile.DPTHIPF_words, levels);
    std::int32_t IER = 0;
    std::int32_t MIN = 1;
    BSRCH(D, depth, IER, MIN, n);
    CurrentAtDepth c;
    INTERP(D, std::span<const float>(profile.VELIPF_words, levels), depth, c.speed, MIN);
    INTERP(D, std::span<const float>(profile.CURHDGPF_words, levels), depth, c.heading, MIN);
    if (depth > profile.DPTHIPF(n) && c.speed < 0.0f)
        c.speed = 0.0f;
    return c;
}

// ---- Drag of one element and of the line ------------------------------------------------------

float V2INTEG(const DragLine& line, double DQF, double DQB, float ZELMTOP, float ZVAR, float SINFC2,
              std::int32_t NQP, std::int32_t IELEM) {
    const double sw = line.SCLWT(IELEM);
    if (on_seabed(line, IELEM, DQF) || sw == 0.0)
        return 0.0f; // a weightless element keeps one slope: no slope range to integrate over
    const double h = (DQF - DQB) / (NQP - 1);
    const double ZF = ZFCN(SECFCN(DQF), IELEM, line.BETA);
    double sum = 0.0;
    for (std::int32_t j = 1; j <= NQP; ++j) {
        const double q = DQF - (j - 1) * h;
        const double R = SECFCN(q);
        const double depth = -ZELMTOP - 0.0001 + drop_below_top(line, ZF, R, IELEM);
        if (depth <= -static_cast<double>(ZVAR))
            continue;
        sum += simpson_weight(j, NQP) * speed_squared(line, depth) * std::sqrt(q * q + SINFC2) *
               DZFCNOQ(R, IELEM, line.BETA) / sw;
    }
    return static_cast<float>(h * sum / 3.0);
}

void V2INTEG2(const DragLine& line, float& FXLNTMP, float& FYLNTMP, double DQF, double DQB,
              float ZELMTOP, float ZVAR, float PHITMP, std::int32_t NQP, std::int32_t IELEM) {
    FXLNTMP = 0.0f;
    FYLNTMP = 0.0f;
    const double sw = line.SCLWT(IELEM);
    if (on_seabed(line, IELEM, DQF) || sw == 0.0)
        return;
    const double h = (DQF - DQB) / (NQP - 1);
    const double ZF = ZFCN(SECFCN(DQF), IELEM, line.BETA);
    double sx = 0.0;
    double sy = 0.0;
    for (std::int32_t j = 1; j <= NQP; ++j) {
        const double q = DQF - (j - 1) * h;
        const double R = SECFCN(q);
        const double depth = -ZELMTOP - 0.0001 + drop_below_top(line, ZF, R, IELEM);
        if (depth <= -static_cast<double>(ZVAR))
            continue;
        const CurrentAtDepth c =
            current_at_depth(*line.profile, line.CURSPD, line.CURHDG, static_cast<float>(depth));
        const double theta = c.heading / DEGRAD;
        const double across = std::sin((c.heading - PHITMP) / DEGRAD);
        const double f = simpson_weight(j, NQP) * static_cast<double>(c.speed) *
                         std::abs(static_cast<double>(c.speed)) *
                         std::sqrt(q * q + across * across) * DZFCNOQ(R, IELEM, line.BETA) / sw;
        sx += f * std::cos(theta);
        sy += f * std::sin(theta);
    }
    FXLNTMP = static_cast<float>(h * sx / 3.0);
    FYLNTMP = static_cast<float>(h * sy / 3.0);
}

float VRTDRG(const DragLine& line, float ZELMBOT, float ZELMTOP, std::int32_t NQP,
             std::int32_t IELEM) {
    (void)IELEM;
    const double top = -static_cast<double>(ZELMTOP);
    const double step = (static_cast<double>(ZELMTOP) - ZELMBOT) / (NQP - 1);
    double sum = 0.0;
    for (std::int32_t j = 1; j <= NQP; ++j)
        sum += simpson_weight(j, NQP) * speed_squared(line, top + (j - 1) * step);
    return static_cast<float>(step * sum / 3.0);
}

void VRTDRG2(const DragLine& line, float& FXLNTMP, float& FYLNTMP, float ZELMBOT, float ZELMTOP,
             float PHITMP, std::int32_t NQP, std::int32_t IELEM) {
    (void)PHITMP;
    (void)IELEM;
    const double top = -static_cast<double>(ZELMTOP);
    const double step = (static_cast<double>(ZELMTOP) - ZELMBOT) / (NQP - 1);
    double sx = 0.0;
    double sy = 0.0;
    for (std::int32_t j = 1; j <= NQP; ++j) {
        const CurrentAtDepth c = current_at_depth(*line.profile, line.CURSPD, line.CURHDG,
                                                  static_cast<float>(top + (j - 1) * step));
        const double theta = c.heading / DEGRAD;
        const double f = simpson_weight(j, NQP) * static_cast<double>(c.speed) *
                         std::abs(static_cast<double>(c.speed));
        sx += f * std::cos(theta);
        sy += f * std::sin(theta);
    }
    FXLNTMP = static_cast<float>(step * sx / 3.0);
    FYLNTMP = static_cast<float>(step * sy / 3.0);
}

// ---- The cached integrands of a catenary line ---------------------------------------------

namespace {

// The masked Simpson sum of an element's samples below level ZVAR: the same terms V2INTEG (or
// V2INTEG2) adds at that level.
struct MaskedSum {
    double x = 0.0;
    double y = 0.0;
};

MaskedSum masked_sum(const ElementSamples& s, float ZVAR) {
    const double level = -static_cast<double>(ZVAR);
    MaskedSum out;
    if (s.monotonic) {
        // Depths rise with the point: the points below the level are a tail of the element,
        // whose sums are kept from the bottom up.
        const auto first = static_cast<std::size_t>(
            std::upper_bound(s.depth.begin(), s.depth.end(), level) - s.depth.begin());
        if (first < s.depth.size()) {
            out.x = s.tail_x[first];
            out.y = s.two_components ? s.tail_y[first] : 0.0;
        }
        return out;
    }
    for (std::size_t j = 0; j < s.depth.size(); ++j) {
        if (s.depth[j] <= level)
            continue;
        out.x += s.wf_x[j];
        if (s.two_components)
            out.y += s.wf_y[j];
    }
    return out;
}

ElementSamples sample_element(const DragLine& line, double DQF, double DQB, float ZELMTOP,
                              float SINFC2, float PHITMP, bool heading_profile, std::int32_t NQP,
                              std::int32_t IELEM) {
    ElementSamples s;
    s.two_components = heading_profile;
    const double sw = line.SCLWT(IELEM);
    if (on_seabed(line, IELEM, DQF) || sw == 0.0) {
        s.skipped = true;
        return s;
    }
    s.h = (DQF - DQB) / (NQP - 1);
    const double ZF = ZFCN(SECFCN(DQF), IELEM, line.BETA);
    const auto n = static_cast<std::size_t>(NQP);
    s.depth.resize(n);
    s.wf_x.resize(n);
    if (heading_profile)
        s.wf_y.resize(n);
    s.monotonic = true;
    for (std::int32_t j = 1; j <= NQP; ++j) {
        const auto k = slot(j);
        const double q = DQF - (j - 1) * s.h;
        const double R = SECFCN(q);
        const double depth = -ZELMTOP - 0.0001 + drop_below_top(line, ZF, R, IELEM);
        s.depth[k] = depth;
        if (k > 0 && depth < s.depth[k - 1])
            s.monotonic = false;
        const CurrentAtDepth c =
            current_at_depth(*line.profile, line.CURSPD, line.CURHDG, static_cast<float>(depth));
        const double vv = static_cast<double>(c.speed) * std::abs(static_cast<double>(c.speed));
        const double ds = DZFCNOQ(R, IELEM, line.BETA) / sw;
        const double w = simpson_weight(j, NQP);
        if (heading_profile) {
            const double theta = c.heading / DEGRAD;
            const double across = std::sin((c.heading - PHITMP) / DEGRAD);
            const double f = w * vv * std::sqrt(q * q + across * across) * ds;
            s.wf_x[k] = f * std::cos(theta);
            s.wf_y[k] = f * std::sin(theta);
        } else {
            s.wf_x[k] = w * vv * std::sqrt(q * q + SINFC2) * ds;
        }
    }
    if (s.monotonic) {
        s.tail_x.assign(n + 1, 0.0);
        if (heading_profile)
            s.tail_y.assign(n + 1, 0.0);
        for (std::size_t k = n; k-- > 0;) {
            s.tail_x[k] = s.tail_x[k + 1] + s.wf_x[k];
            if (heading_profile)
                s.tail_y[k] = s.tail_y[k + 1] + s.wf_y[k];
        }
    }
    return s;
}

// The top of every element of a catenary line below its fairlead: element 1 at ZLINTOP, each
// next one lower by the rise ZDIST of the elements above it.
std::array<float, max_nodes> element_tops(const DragLine& line, float ZLINTOP) {
    std::array<float, max_nodes> tops{};
    for (std::int32_t e = 1; e <= line.NELEM; ++e)
        tops[slot(e)] = e == 1
                            ? ZLINTOP
                            : ZLINTOP - static_cast<float>(ZDIST(line.SCLWT, line.SECARR, line.BETA,
                                                                 e - 1, line.SLEN, line.TMPTAN));
    return tops;
}

// The drag sums of the whole line below ZVAR, one component (FXINTEG) or two (FXYINTEG2).
MaskedSum line_drag_below(const DragLine& line, float ZVAR, float ZLINTOP, float SINFC2,
                          float ANGDPQ, bool heading_profile, std::int32_t NQP, bool LVRTLIN,
                          float VRTANG, float DIAMFC, float V2FAC) {
    MaskedSum total;
    if (LVRTLIN) {
        float ZELMTOP = ZLINTOP;
        for (std::int32_t e = 1; e <= line.NELEM; ++e) {
            const float COFDMP = drag_factor(line, e, DIAMFC);
            const float ZELMBOT = ZELMTOP - line.SLEN(e) * std::cos(VRTANG);
            if (ZELMBOT < ZVAR) {
                const float top = std::min(ZELMTOP, ZVAR);
                if (heading_profile) {
                    float fx = 0.0f, fy = 0.0f;
                    VRTDRG2(line, fx, fy, ZELMBOT, top, ANGDPQ, NQP, e);
                    total.x += V2FAC * COFDMP * fx;
                    total.y += V2FAC * COFDMP * fy;
                } else {
                    total.x += V2FAC * COFDMP * VRTDRG(line, ZELMBOT, top, NQP, e);
                }
            }
            ZELMTOP = ZELMBOT;
        }
        return total;
    }
    const std::array<float, max_nodes> tops =
        line.samples == nullptr ? element_tops(line, ZLINTOP) : std::array<float, max_nodes>{};
    for (std::int32_t e = 1; e <= line.NELEM; ++e) {
        const float COFDMP = drag_factor(line, e, DIAMFC);
        const auto k = slot(e);
        float fx = 0.0f;
        float fy = 0.0f;
        if (line.samples != nullptr) {
            const ElementSamples& s = (*line.samples)[k];
            if (!s.skipped) {
                const MaskedSum m = masked_sum(s, ZVAR);
                fx = static_cast<float>(s.h * m.x / 3.0);
                fy = static_cast<float>(s.h * m.y / 3.0);
            }
        } else if (heading_profile) {
            V2INTEG2(line, fx, fy, line.TMPTAN(e), line.TMPTAN(e + 1), tops[k], ZVAR, ANGDPQ, NQP,
                     e);
        } else {
            fx = V2INTEG(line, line.TMPTAN(e), line.TMPTAN(e + 1), tops[k], ZVAR, SINFC2, NQP, e);
        }
        total.x += V2FAC * COFDMP * fx;
        total.y += V2FAC * COFDMP * fy;
    }
    return total;
}

} // namespace

float FXINTEG(const DragLine& line, float ZVAR, float ZLINTOP, float SINFC2, std::int32_t ILIN,
              std::int32_t NQP, bool LVRTLIN, float VRTANG, float DIAMFC, float V2FAC) {
    (void)ILIN;
    return static_cast<float>(line_drag_below(line, ZVAR, ZLINTOP, SINFC2, 0.0f, false, NQP,
                                              LVRTLIN, VRTANG, DIAMFC, V2FAC)
                                  .x);
}

void FXYINTEG2(const DragLine& line, float& FXINTEG, float& FYINTEG, float ZVAR, float ZLINTOP,
               float ANGDPQ, float SINFC2, std::int32_t ILIN, std::int32_t NQP, bool LVRTLIN,
               float VRTANG, float DIAMFC, float V2FAC) {
    (void)SINFC2;
    (void)ILIN;
    const MaskedSum s = line_drag_below(line, ZVAR, ZLINTOP, 0.0f, ANGDPQ, true, NQP, LVRTLIN,
                                        VRTANG, DIAMFC, V2FAC);
    FXINTEG = static_cast<float>(s.x);
    FYINTEG = static_cast<float>(s.y);
}

// ---- Split integrals ------------------------------------------------------------------------

namespace {

// The line's drag below level z: (F, 0) under one heading, (Fx, Fy) under the profile.
struct DragBelow {
    double x = 0.0;
    double y = 0.0;
    double magnitude() const { return std::hypot(x, y); }
};

DragBelow drag_below(const DragLine& line, bool heading_profile, float z, float ZLINTOP,
                     float SINFC2, float ANGDPQ, std::int32_t ILIN, std::int32_t NQP, bool LVRTLIN,
                     float VRTANG, float DIAMFC, float V2FAC) {
    DragBelow F;
    if (heading_profile) {
        float fx = 0.0f, fy = 0.0f;
        FXYINTEG2(line, fx, fy, z, ZLINTOP, ANGDPQ, SINFC2, ILIN, NQP, LVRTLIN, VRTANG, DIAMFC,
                  V2FAC);
        F.x = fx;
        F.y = fy;
    } else {
        F.x = FXINTEG(line, z, ZLINTOP, SINFC2, ILIN, NQP, LVRTLIN, VRTANG, DIAMFC, V2FAC);
    }
    return F;
}

SplitIntegrals catenary_split(const DragLine& line, bool heading_profile, std::int32_t NQP,
                              std::int32_t ILIN, float DIAMFC, float V2FAC, float SINFC2,
                              std::int32_t IELEM, bool LVRTLIN, float VRTANG, float ANGDPQ,
                              double DQF, double DQB, float ZELMTOP, float ZLINTOP,
                              bool GET_CRNT_FLEX) {
    SplitIntegrals out;
    const double sw = line.SCLWT(IELEM);
    if (on_seabed(line, IELEM, DQF) || sw == 0.0)
        return out; // a weightless element has no slope range: its integrals are 0
    const double h = (DQF - DQB) / (NQP - 1);
    const double ZF = ZFCN(SECFCN(DQF), IELEM, line.BETA);
    FlexIntegrals& f = out.flex;
    for (std::int32_t j = 1; j <= NQP; ++j) {
        const double q = DQF - (j - 1) * h;
        const double R = SECFCN(q);
        const float z = static_cast<float>(ZELMTOP - drop_below_top(line, ZF, R, IELEM));
        if (z > 0.0f)
            continue;
        const DragBelow F = drag_below(line, heading_profile, z, ZLINTOP, SINFC2, ANGDPQ, ILIN, NQP,
                                       LVRTLIN, VRTANG, DIAMFC, V2FAC);
        const double D = DZFCN(R, IELEM, line.BETA) / sw;
        const double w = simpson_weight(j, NQP);
        const double R2 = R * R;
        out.XNUMR8 += w * F.x * D / R2;
        out.XDENOM += w * D / R2;
        out.YNUMR8 += w * (heading_profile ? F.y : F.x) / R;
        out.YDENOM += w / R;
        if (GET_CRNT_FLEX) {
            const double Fm = heading_profile ? F.magnitude() : F.x;
            const double P = q / R2;
            f.DZS_INT1 += w * P * P * D;
            f.DZS_INT2 += w * Fm * P * P * D;
            f.DZS_INT3 += w * Fm * Fm * P * P * D;
            f.DZS_INT4 += w * D / R2;
            f.DZS_INT5 += w * Fm * D / R2;
            f.DTZS_INT1 += w * D * P / R2;
            f.DTZS_INT2 += w * Fm * D * P / R2;
            // D / q is DZFCNOQ / SCLWT: formed without the division, it stays finite at a
            // horizontal point (the touchdown end of a grounded element).
            f.DTZS_INT3 += w * DZFCNOQ(R, IELEM, line.BETA) / sw / R2;
        }
    }
    const double H = line.HMEAN;
    out.XNUMR8 *= h / 3.0;
    out.YNUMR8 *= h / 3.0;
    out.XDENOM *= h / 3.0;
    out.YDENOM *= h / 3.0;
    f.DZS_INT4 *= h / (3.0 * H);
    f.DZS_INT5 *= h / (3.0 * H);
    f.DTZS_INT3 *= h / (3.0 * H);
    f.DZS_INT1 *= h / (3.0 * H * H);
    f.DZS_INT2 *= h / (3.0 * H * H);
    f.DZS_INT3 *= h / (3.0 * H * H);
    f.DTZS_INT1 *= h / (3.0 * H * H);
    f.DTZS_INT2 *= h / (3.0 * H * H);
    return out;
}

SplitIntegrals straight_split(const DragLine& line, bool heading_profile, std::int32_t NQP,
                              std::int32_t ILIN, float DIAMFC, float V2FAC, float SINFC2,
                              std::int32_t IELEM, bool LVRTLIN, float VRTANG, float ANGDPQ,
                              float ZELMTOP, float ZELMBOT, float ZLINTOP, float BOTTENI,
                              float WETWT, bool GET_CRNT_FLEX) {
    (void)IELEM;
    SplitIntegrals out;
    FlexIntegrals& f = out.flex;
    const double step = (static_cast<double>(ZELMTOP) - ZELMBOT) / (NQP - 1);
    for (std::int32_t j = 1; j <= NQP; ++j) {
        const double zd = ZELMBOT + (j - 1) * step;
        const float z = static_cast<float>(zd);
        if (z > 0.0f)
            continue;
        const double T = BOTTENI + (zd - ZELMBOT) * WETWT;
        // The sums divide by the local tension: a point where it is 0 is left out.
        if (T == 0.0) {
            ++out.degenerate_points;
            continue;
        }
        const DragBelow F = drag_below(line, heading_profile, z, ZLINTOP, SINFC2, ANGDPQ, ILIN, NQP,
                                       LVRTLIN, VRTANG, DIAMFC, V2FAC);
        const double w = simpson_weight(j, NQP);
        const double T2 = T * T;
        out.XNUMR8 += w * F.x / T2;
        if (heading_profile)
            out.YNUMR8 += w * F.y / T2;
        out.XDENOM += w / T2;
        if (GET_CRNT_FLEX) {
            const double Fm = heading_profile ? F.magnitude() : F.x;
            f.DZS_INT1 += w / T2;
            f.DZS_INT2 += w * Fm / T2;
            f.DZS_INT3 += w * Fm * Fm / T2;
            f.DTZS_INT3 += w / T;
        }
    }
    out.XNUMR8 *= step / 3.0;
    out.XDENOM *= step / 3.0;
    f.DZS_INT1 *= step / 3.0;
    f.DZS_INT2 *= step / 3.0;
    f.DZS_INT3 *= step / 3.0;
    out.YNUMR8 = heading_profile ? out.YNUMR8 * step / 3.0 : out.XNUMR8;
    out.YDENOM = out.XDENOM;
    f.DTZS_INT1 = f.DZS_INT1 * VRTANG;
    f.DTZS_INT2 = f.DZS_INT2 * VRTANG;
    f.DTZS_INT3 = f.DTZS_INT3 * step * VRTANG * VRTANG / 3.0;
    f.DZS_INT4 = 0.0;
    f.DZS_INT5 = 0.0;
    return out;
}

} // namespace

SplitIntegrals TOPBOTFIX(const DragLine& line, std::int32_t NQP, std::int32_t ILIN, float DIAMFC,
                         float V2FAC, float SINFC2, std::int32_t IELEM, bool LVRTLIN, float VRTANG,
                         double DQF, double DQB, float ZELMTOP, float ZLINTOP, bool GET_CRNT_FLEX) {
    return catenary_split(line, false, NQP, ILIN, DIAMFC, V2FAC, SINFC2, IELEM, LVRTLIN, VRTANG,
                          0.0f, DQF, DQB, ZELMTOP, ZLINTOP, GET_CRNT_FLEX);
}

SplitIntegrals TOPBOTFIX2(const DragLine& line, std::int32_t NQP, std::int32_t ILIN, float DIAMFC,
                          float V2FAC, float SINFC2, std::int32_t IELEM, bool LVRTLIN, float VRTANG,
                          float ANGDPQ, double DQF, double DQB, float ZELMTOP, float ZLINTOP,
                          bool GET_CRNT_FLEX) {
    return catenary_split(line, true, NQP, ILIN, DIAMFC, V2FAC, SINFC2, IELEM, LVRTLIN, VRTANG,
                          ANGDPQ, DQF, DQB, ZELMTOP, ZLINTOP, GET_CRNT_FLEX);
}

SplitIntegrals TOPBOTFIXV(const DragLine& line, std::int32_t NQP, std::int32_t ILIN, float DIAMFC,
                          float V2FAC, float SINFC2, std::int32_t IELEM, bool LVRTLIN, float VRTANG,
                          float ZELMTOP, float ZELMBOT, float ZLINTOP, float BOTTENI, float WETWT,
                          bool GET_CRNT_FLEX) {
    return straight_split(line, false, NQP, ILIN, DIAMFC, V2FAC, SINFC2, IELEM, LVRTLIN, VRTANG,
                          0.0f, ZELMTOP, ZELMBOT, ZLINTOP, BOTTENI, WETWT, GET_CRNT_FLEX);
}

SplitIntegrals TOPBOTFIXV2(const DragLine& line, std::int32_t NQP, std::int32_t ILIN, float DIAMFC,
                           float V2FAC, float SINFC2, std::int32_t IELEM, bool LVRTLIN,
                           float VRTANG, float ANGDPQ, float ZELMTOP, float ZELMBOT, float ZLINTOP,
                           float BOTTENI, float WETWT, bool GET_CRNT_FLEX) {
    return straight_split(line, true, NQP, ILIN, DIAMFC, V2FAC, SINFC2, IELEM, LVRTLIN, VRTANG,
                          ANGDPQ, ZELMTOP, ZELMBOT, ZLINTOP, BOTTENI, WETWT, GET_CRNT_FLEX);
}

// ---- LINDRG -----------------------------------------------------------------------------------

namespace {

// The line's state on the table path; a distance the search could not bracket is reported,
// and the user may end the run there.
MeanLineState table_state(const LineTables& tables, int t, float RANCQ) {
    const MeanLineState m = table_line_state(tables, t, RANCQ);
    if (m.IER != 0) {
        write_record(TPCM.EDUNIT, " ++> BSCRCH: Nonzero IER =" + I(m.IER, 2) + " in LINDRG");
        std::int32_t LBACK = 0;
        ABORT0(TPCM.EDUNIT, keyboard_unit, LBACK);
        TPCM.LBACK = LBACK;
        if (LBACK < 0)
            stop_program(StopKind::user_choice);
    }
    return m;
}

// The fairlead's height above the anchor for line type t, from the type's first line.
float vertical_span(int t) {
    const int L = TPCM.LINTYP(1, t);
    const bool buoy_codes = TPCM.SIMTYP == 13 || TPCM.SIMTYP == 8;
    if (TPCM.SIMTYP == 10 || (buoy_codes && t == TPCM.HAWSTP && TPCM.IARCO == 1))
        return TPCM.RFLD(3, TPCM.LINTYP(1, TPCM.HAWSTP)) - TPCM.BDRAFT - (TPCM.ENDHT - TPCM.DRAFT);
    if (buoy_codes && TPCM.IARCO == 1)
        return TPCM.RFLD(3, L) - TPCM.BDRAFT + TPCM.ANCHGT(t);
    return TPCM.RFLD(3, L) - TPCM.DRAFT + TPCM.ANCHGT(t);
}

void warn_degenerate(int ILIN) {
    if (line_drag_store.degenerate_warned)
        return;
    line_drag_store.degenerate_warned = true;
    write_record(TPCM.EDUNIT,
                 " ++> LINDRG: line " + I(ILIN, 3) + " has a point of zero tension; such points");
    write_record(TPCM.EDUNIT, "     are left out of the current drag integrals.");
}

void add(SplitIntegrals& sum, const SplitIntegrals& e) {
    sum.XNUMR8 += e.XNUMR8;
    sum.YNUMR8 += e.YNUMR8;
    sum.XDENOM += e.XDENOM;
    sum.YDENOM += e.YDENOM;
    sum.flex.DTZS_INT1 += e.flex.DTZS_INT1;
    sum.flex.DTZS_INT2 += e.flex.DTZS_INT2;
    sum.flex.DTZS_INT3 += e.flex.DTZS_INT3;
    sum.flex.DZS_INT1 += e.flex.DZS_INT1;
    sum.flex.DZS_INT2 += e.flex.DZS_INT2;
    sum.flex.DZS_INT3 += e.flex.DZS_INT3;
    sum.flex.DZS_INT4 += e.flex.DZS_INT4;
    sum.flex.DZS_INT5 += e.flex.DZS_INT5;
    sum.degenerate_points += e.degenerate_points;
}

// A numerator over its denominator; nothing when nothing of the line is under water and
// suspended (the line's drag is then 0 too).
double share(double numerator, double denominator) {
    return denominator != 0.0 ? numerator / denominator : 0.0;
}

// The debug trace: clears TPCM's LBACK; with NBUG0 names the routine on EDUNIT and asks for the
// debug level (INBUG), else sets NBUG to 0.
void drag_trace() {
    TPCM.LBACK = 0;
    if (TPCM.NBUG0 == 1) {
        write_record(TPCM.EDUNIT, " ### In LINDRG:");
        INBUG(TPCM.NBUG, TPCM.EDUNIT, keyboard_unit);
    } else {
        TPCM.NBUG = 0;
    }
}

// The values that hold for every line of one call.
struct DragSettings {
    float DIAMFC = 0.0f;  // diameter units to length units
    float V2FAC = 0.0f;   // knots squared to length units per second squared
    float TST_VRT = 0.0f; // a line nearer its anchor than this hangs straight
    float DWOVRG = 0.0f;  // the water's mass density, per 1000
    std::int32_t NQP = 0; // Simpson points per element
    bool heading_profile = false;
    bool six_dof = false; // the six-degree-of-freedom program codes: LOADUP's line states
};

// The call's settings from TPCM's units, depth, water weight and current switch, WAVCOM's g and
// the current profile.
DragSettings drag_settings(const CurprofBlock& profile) {
    const bool metric = TPCM.NUNTS == 1;
    DragSettings s;
    s.DIAMFC = metric ? 0.001f : 0.0833f;
    s.V2FAC = metric ? 0.2644f : 2.846f;
    s.TST_VRT = 0.01f * TPCM.DEPTH;
    s.DWOVRG = 0.001f * TPCM.DWATR / WAVCOM.G;
    s.NQP = current_drag_points(TPCM.DEPTH, profile);
    s.heading_profile = TPCM.LCSTCR == 3;
    s.six_dof = six_dof_lines(TPCM.SIMTYP, TPCM.LEGTLP);
    return s;
}

// Whether the current turns with depth: a heading of the profile differs from TPCM's surface
// heading.
bool current_turns(const CurprofBlock& profile) {
    bool turns = false;
    for (int i = 1; i <= profile.NCURNTPF; ++i)
        if (profile.CURHDGPF(i) != TPCM.CURHDG)
            turns = true;
    return turns;
}

// The drag view of line type t's elements in the current of `profile`, the catenary words
// read from LINCOM.
DragLine drag_line_view(int t, std::int32_t NELEM, const CurprofBlock& profile) {
    LincomBlock& C = LINCOM;
    DragLine line;
    line.profile = &profile;
    line.CURSPD = TPCM.CURSPD;
    line.CURHDG = TPCM.CURHDG;
    line.NELEM = NELEM;
    line.SLEN = slen_column(t);
    line.DIAM = ElementReals(&TPCM.DIAM(1, t));
    line.COFDMT = ElementReals(&TPCM.COFDMT(1, t));
    line.WETWT = wetwt_column(t);
    line.SCLWT = ElementValues(C.SCLWT_words);
    line.BETA = ElementBetas(C.BETA_words);
    line.TMPTAN = NodeValues(C.TMPTAN_words);
    line.SECARR = NodeValues(C.SECARR_words);
    line.COFDMP = &TPCM.COFDMP;
    return line;
}

// The catenary of line type t in its mean state m, solved into LINCOM (end angles, bottom
// tension, scaled weights, betas, the element tangents of ITER8P, the touchdown element, the
// end components); the touchdown and the horizontal tension also go into `line`.
void solve_drag_catenary(DragLine& line, const MeanLineState& m, int t) {
    LincomBlock& C = LINCOM;
    const std::int32_t NELEM = line.NELEM;
    C.QF = m.TANG;
    C.QB = m.BANG;
    C.BTTEN0 =
        std::max(static_cast<double>(m.HMEAN) *
                         std::sqrt(1.0 + static_cast<double>(std::tan(C.QB) * std::tan(C.QB))) -
                     m.FTEN,
                 0.0);
    if (C.NEED_STRAIN_FILE != 0 && TPCM.STRESS_STRAIN_FILE(t) != 0)
        LOAD_ALPHAS(C.DPHLD, m.layer);
    SCLWLD(C.SCLWT_words, wetwt_column(t), C.DPHLD, NELEM);
    BETALD(alpha_slice(t), C.BETA_words, C.DPHLD, NELEM);
    float TOPT1 = m.TOPT1;
    float TOPT2 = m.TOPT2;
    ITER8P(TOPT1, TOPT2);
    C.BOTELM = 0;
    if (TPCM.ANCTYP(t) != 0 && m.BLEN > 0.0f) {
        float BOTWGT = 0.0f, UNSTRL = 0.0f;
        TUCHDN(m.BLEN, wetwt_column(t), slen_column(t), line.BETA, NELEM, C.DSLOPE, BOTWGT,
               C.BOTELM, UNSTRL);
    }
    C.FXCOMP = std::cos(C.QF);
    C.FZCOMP = std::sin(C.QF);
    C.BXCOMP = std::cos(C.QB);
    C.BZCOMP = std::sin(C.QB);
    line.BOTELM = C.BOTELM;
    line.DSLOPE = C.DSLOPE;
    line.HMEAN = C.HMEAN;
}

// A line as its drag is integrated: the view, straight or catenary, the angle of a straight
// line from the vertical.
struct DragLineState {
    DragLine line;
    bool LVRTLIN = false;
    float VRTANG = 0.0f;
    float DZFLDG = 0.0f; // the fairlead's rise above its place in the tables
};

// Line ILIN of type t at anchor distance RANC: its mean state (LOADUP in six degrees of
// freedom, the tables else), tension and vertical span into LINCOM, and the line straight or
// its catenary solved. A line without horizontal tension has no catenary to solve (its scaled
// weights would be infinite): it hangs straight whatever NLIN.
DragLineState drag_line_state(const LineTables& tables, const MooringLines& lines, int ILIN, int t,
                              float RANC, float ZANC, const DragSettings& s,
                              const CurprofBlock& profile) {
    LincomBlock& C = LINCOM;
    C.ITYP = t;
    const MeanLineState m = s.six_dof ? loadup_line_state(tables, lines, ILIN, t, RANC, ZANC)
                                      : table_state(tables, t, RANC);
    C.HMEAN = m.HMEAN;
    C.DPHLD = m.HMEAN;
    C.TPTEN0 = m.TTEN;
    C.DELTAZ = vertical_span(t) + m.DZFLDG;

    DragLineState d;
    d.DZFLDG = m.DZFLDG;
    d.line = drag_line_view(t, TPCM.NELEM(t), profile);
    d.LVRTLIN = RANC < s.TST_VRT || std::abs(C.TOTWT(t)) < 0.001f || m.HMEAN <= 0.0001f;
    if (d.LVRTLIN) {
        if (TPCM.NLIN != 1 && RANC != 0.0f)
            d.VRTANG = std::atan(RANC / C.DELTAZ);
    } else {
        solve_drag_catenary(d.line, m, t);
    }
    return d;
}

// The current's angle to a line and the line's height: the current heading less the azimuth
// (PSI), its cosine and sine, the azimuth's cosine and sine, the top's height and the level
// below which the drag acts.
struct LineAspect {
    float COSFAC = 0.0f, SINFAC = 0.0f, SINFC2 = 0.0f;
    float COSLIN = 0.0f, SINLIN = 0.0f;
    float ZLINTOP = 0.0f, ZVAR = 0.0f;
    float azimuth = 0.0f; // degrees
};

// The aspect of line ILIN at azimuth ANGDP (degrees), its fairlead DZFLDG above its place in
// the tables; reads TPCM's current heading, fairlead and draft.
LineAspect line_aspect(int ILIN, float ANGDP, float DZFLDG) {
    LineAspect a;
    const float PSI = (TPCM.CURHDG - ANGDP) / DEGRAD;
    a.COSFAC = std::cos(PSI);
    a.SINFAC = std::sin(PSI);
    a.SINFC2 = a.SINFAC * a.SINFAC;
    a.COSLIN = std::cos(ANGDP / DEGRAD);
    a.SINLIN = std::sin(ANGDP / DEGRAD);
    a.ZLINTOP = TPCM.RFLD(3, ILIN) - TPCM.DRAFT + DZFLDG;
    a.ZVAR = a.ZLINTOP > 0.0f ? 0.0f : a.ZLINTOP;
    a.azimuth = ANGDP;
    return a;
}

// The drag integral of a line (its x and y components under the heading profile) and its
// split integrals summed over the elements.
struct LineDragSums {
    float FLNTMP = 0.0f, FGXVAR = 0.0f, FGYVAR = 0.0f;
    SplitIntegrals split;
};

// The drag integrals of line ILIN; a catenary's element tops in `tops`. Reads LINCOM's element
// tangents and top tension.
LineDragSums line_drag_sums(const DragLineState& d, const LineAspect& a, const DragSettings& s,
                            int ILIN, const std::array<float, max_nodes>& tops,
                            bool GET_CRNT_FLEXQ) {
    const DragLine& line = d.line;
    const bool LVRTLIN = d.LVRTLIN;
    const float VRTANG = d.VRTANG;
    const std::int32_t NQP = s.NQP;
    const float DIAMFC = s.DIAMFC;
    const float V2FAC = s.V2FAC;
    const float SINFC2 = a.SINFC2;
    const float ZLINTOP = a.ZLINTOP;
    const float azimuth = a.azimuth;
    LineDragSums r;
    if (s.heading_profile) {
        FXYINTEG2(line, r.FGXVAR, r.FGYVAR, a.ZVAR, ZLINTOP, azimuth, SINFC2, ILIN, NQP, LVRTLIN,
                  VRTANG, DIAMFC, V2FAC);
        r.FLNTMP = std::hypot(r.FGXVAR, r.FGYVAR);
    } else {
        r.FLNTMP =
            FXINTEG(line, a.ZVAR, ZLINTOP, SINFC2, ILIN, NQP, LVRTLIN, VRTANG, DIAMFC, V2FAC);
    }
    float ZELMTOP = ZLINTOP;
    float top_tension = static_cast<float>(LINCOM.TPTEN0);
    for (std::int32_t e = 1; e <= line.NELEM; ++e) {
        if (LVRTLIN) {
            const float ZELMBOT = ZELMTOP - line.SLEN(e);
            const float BOTTENI = top_tension - line.SLEN(e) * line.WETWT(e);
            add(r.split, s.heading_profile
                             ? TOPBOTFIXV2(line, NQP, ILIN, DIAMFC, V2FAC, SINFC2, e, LVRTLIN,
                                           VRTANG, azimuth, ZELMTOP, ZELMBOT, ZLINTOP, BOTTENI,
                                           line.WETWT(e), GET_CRNT_FLEXQ)
                             : TOPBOTFIXV(line, NQP, ILIN, DIAMFC, V2FAC, SINFC2, e, LVRTLIN,
                                          VRTANG, ZELMTOP, ZELMBOT, ZLINTOP, BOTTENI, line.WETWT(e),
                                          GET_CRNT_FLEXQ));
            ZELMTOP = ZELMBOT;
            top_tension = BOTTENI;
        } else {
            const double DQTOP = LINCOM.TMPTAN(e);
            const double DQBOT = LINCOM.TMPTAN(e + 1);
            add(r.split,
                s.heading_profile
                    ? TOPBOTFIX2(line, NQP, ILIN, DIAMFC, V2FAC, SINFC2, e, LVRTLIN, VRTANG,
                                 azimuth, DQTOP, DQBOT, tops[slot(e)], ZLINTOP, GET_CRNT_FLEXQ)
                    : TOPBOTFIX(line, NQP, ILIN, DIAMFC, V2FAC, SINFC2, e, LVRTLIN, VRTANG, DQTOP,
                                DQBOT, tops[slot(e)], ZLINTOP, GET_CRNT_FLEXQ));
        }
    }
    return r;
}

// A line's drag load on the vessel: the whole drag FCTOTAL, the load FCTMP, its parts along and
// across the line (FCTMPX, FCTMPY) and, under the heading profile, its global components.
struct VesselDrag {
    float FCTOTAL = 0.0f, FCTMPX = 0.0f, FCTMPY = 0.0f, FCTMP = 0.0f;
    float FCTMPGX = 0.0f, FCTMPGY = 0.0f;
};

// The drag less the anchor's share of it (numerator over denominator of the split integrals).
VesselDrag vessel_drag(const LineDragSums& r, const LineAspect& a, const DragSettings& s) {
    const float DWOVRG = s.DWOVRG;
    const SplitIntegrals& split = r.split;
    VesselDrag v;
    v.FCTOTAL = 0.5f * r.FLNTMP * DWOVRG;
    if (s.heading_profile) {
        v.FCTMPGX =
            static_cast<float>(0.5 * DWOVRG * (r.FGXVAR - share(split.XNUMR8, split.XDENOM)));
        v.FCTMPGY =
            static_cast<float>(0.5 * DWOVRG * (r.FGYVAR - share(split.YNUMR8, split.YDENOM)));
        v.FCTMP = std::hypot(v.FCTMPGX, v.FCTMPGY);
        v.FCTMPX = v.FCTMPGX * a.COSLIN + v.FCTMPGY * a.SINLIN;
        v.FCTMPY = v.FCTMPGY * a.COSLIN - v.FCTMPGX * a.SINLIN;
    } else {
        v.FCTMPX = static_cast<float>(
            (v.FCTOTAL - 0.5 * DWOVRG * share(split.XNUMR8, split.XDENOM)) * a.COSFAC);
        v.FCTMPY = static_cast<float>(
            (v.FCTOTAL - 0.5 * DWOVRG * share(split.YNUMR8, split.YDENOM)) * a.SINFAC);
        v.FCTMP = std::hypot(v.FCTMPX, v.FCTMPY);
    }
    return v;
}

// The flexibility terms of a line type from its first line's drag and flexibility integrals:
// the set-down term DZ and the tension term DTZ.
std::array<float, 2> flexibility_terms(const VesselDrag& v, const FlexIntegrals& f, float DWOVRG) {
    const double T = v.FCTOTAL - v.FCTMP;
    const double rho = DWOVRG;
    return {static_cast<float>(
                T * f.DZS_INT4 - 0.5 * rho * f.DZS_INT5 -
                1.5 * (T * T * f.DZS_INT1 - rho * T * f.DZS_INT2 + 0.25 * rho * rho * f.DZS_INT3)),
            static_cast<float>(3.0 * (T * f.DTZS_INT1 - 0.5 * rho * f.DTZS_INT2) + f.DTZS_INT3)};
}

} // namespace

void LINDRG(std::int32_t MINLN, std::int32_t MAXLN, std::span<const float> RANCQ,
            std::span<const float> ZANCQ, std::span<const float> ANGDPQ, float& FCURNTQ,
            float& CURFANG_LNS, float& TCURNTQ, float& XYCRMGQ, float& XYCRMBQ,
            std::span<float> FCLTOTQ, std::span<float> FCLPARQ, std::span<float> FCLPRPQ,
            bool GET_CRNT_FLEXQ, std::span<float> DZ_CRNT_FLEXQ, std::span<float> DTZ_CRNT_FLEXQ,
            bool& SPRDCRNT) {
    const CurprofBlock& profile = CURPROF;
    drag_trace();
    const DragSettings s = drag_settings(profile);
    FCURNTQ = 0.0f;
    TCURNTQ = 0.0f;
    XYCRMGQ = 0.0f;
    XYCRMBQ = 0.0f;
    SPRDCRNT = current_turns(profile);
    std::array<bool, lincom_types> flex_wanted{};
    for (int t = 1; t <= std::min<int>(TPCM.NTYP, lincom_types); ++t)
        flex_wanted[slot(t)] = GET_CRNT_FLEXQ;
    const LineTables tables = lincom_tables();
    const MooringLines lines = lincom_mooring_lines(MINLN, MAXLN);
    double FGX_sum = 0.0;
    double FGY_sum = 0.0;
    std::vector<ElementSamples> samples;

    for (int ILIN = MINLN; ILIN <= MAXLN; ++ILIN) {
        if (LINCOM.LINEID(ILIN) > 1024)
            continue;
        // The line's mean state at its present anchor distance, straight or catenary.
        const int t = LINCOM.LINEID(ILIN) % 1024;
        DragLineState d = drag_line_state(tables, lines, ILIN, t, RANCQ[slot(ILIN)],
                                          ZANCQ[slot(ILIN)], s, profile);
        const LineAspect a = line_aspect(ILIN, ANGDPQ[slot(ILIN)], d.DZFLDG);

        // The catenary's integrands, sampled once for the line: every drag-below sum of the
        // split integrals adds the same terms again.
        std::array<float, max_nodes> tops{};
        if (!d.LVRTLIN) {
            tops = element_tops(d.line, a.ZLINTOP);
            samples.clear();
            for (std::int32_t e = 1; e <= d.line.NELEM; ++e)
                samples.push_back(sample_element(d.line, LINCOM.TMPTAN(e), LINCOM.TMPTAN(e + 1),
                                                 tops[slot(e)], a.SINFC2, a.azimuth,
                                                 s.heading_profile, s.NQP, e));
            d.line.samples = &samples;
        }

        // The drag of the line and its split integrals, then its load on the vessel.
        const LineDragSums r = line_drag_sums(d, a, s, ILIN, tops, GET_CRNT_FLEXQ);
        d.line.samples = nullptr;
        if (r.split.degenerate_points > 0)
            warn_degenerate(ILIN);
        const VesselDrag v = vessel_drag(r, a, s);
        if (s.heading_profile) {
            FGX_sum += v.FCTMPGX;
            FGY_sum += v.FCTMPGY;
        }
        FCLTOTQ[slot(ILIN)] = v.FCTMP;
        FCLPARQ[slot(ILIN)] = std::abs(v.FCTMPX);
        FCLPRPQ[slot(ILIN)] = std::abs(v.FCTMPY);
        FCURNTQ += v.FCTMP;
        XYCRMGQ += (TPCM.VKG - TPCM.RFLD(3, ILIN)) * v.FCTMP;
        XYCRMBQ += (TPCM.RMCTR(3) - TPCM.RFLD(3, ILIN)) * v.FCTMP;

        // The flexibility terms of the type, from its first line met.
        if (flex_wanted[slot(t)]) {
            flex_wanted[slot(t)] = false;
            const std::array<float, 2> terms = flexibility_terms(v, r.split.flex, s.DWOVRG);
            DZ_CRNT_FLEXQ[slot(t)] = terms[0];
            DTZ_CRNT_FLEXQ[slot(t)] = terms[1];
        }
    }

    // The direction of the total.
    CURFANG_LNS =
        s.heading_profile ? static_cast<float>(std::atan2(FGY_sum, FGX_sum)) : TPCM.CURHDG / DEGRAD;
}

bool lincom_line_drag(std::int32_t MINLN, std::int32_t MAXLN, bool GET_CRNT_FLEX) {
    LincomBlock& C = LINCOM;
    bool SPRDCRNT = false;
    LINDRG(MINLN, MAXLN, C.RANCP_words, C.ZANCP_words, C.ANGDPP_words, C.FCURNT_LNS,
           C.CURF_ANG_LINS, C.TCURNT_LNS, C.XYCRMG, C.XYCRMB, C.FCLTOT_words, C.FCLPAR_words,
           C.FCLPRP_words, GET_CRNT_FLEX, C.DZ_CRNT_FLEX_words, C.DTZ_CRNT_FLEX_words, SPRDCRNT);
    return SPRDCRNT;
}

} // namespace lintar
