// Tests of the offset region, its corners, the rotation matrices and the snapshot table,
// against plane geometry worked by hand.
#include "low_frequency/offset_region.h"
#include "runtime/program_state.h"
#include "util/angles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace lintar {
namespace {

constexpr double pi = std::numbers::pi;
constexpr float tol = 2e-5f; // float geometry on lengths of order 10

struct Point {
    double x, y;
};

std::vector<Point> points_of(const RegionPoints& p) {
    std::vector<Point> v;
    for (int k = 0; k < 4; ++k)
        v.push_back({p.XPOINT[k], p.YPOINT[k]});
    return v;
}

void expect_points(const std::vector<Point>& got, const std::vector<Point>& want, double t) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t k = 0; k < got.size(); ++k) {
        SCOPED_TRACE(::testing::Message() << "point " << k + 1);
        EXPECT_NEAR(got[k].x, want[k].x, t);
        EXPECT_NEAR(got[k].y, want[k].y, t);
    }
}

TEST(OffsetRegion, GetangIsAtan2WithZeroAtTheOrigin) {
    EXPECT_EQ(GETANG(0.0f, 0.0f), 0.0f);
    EXPECT_EQ(GETANG(-0.0f, 0.0f), 0.0f); // atan2 would give pi
    EXPECT_NEAR(GETANG(1.0f, 1.0f), pi / 4, 1e-7);
    EXPECT_NEAR(GETANG(-1.0f, 0.0f), pi, 1e-6);
    EXPECT_NEAR(GETANG(0.0f, -2.0f), -pi / 2, 1e-7);
}

TEST(OffsetRegion, RotationMatricesTurnVesselAxesIntoGlobalAndBack) {
    for (const float a : {0.0f, 0.5f, -2.0f, 3.0f}) {
        SCOPED_TRACE(a);
        std::array<float, 4> vg{}, gv{};
        V_G_ROTMAT(vg, a);
        G_V_ROTMAT(gv, a);
        // The vessel's x axis (1, 0) lies at heading a in global axes: column 1.
        EXPECT_NEAR(vg[0], std::cos(a), 1e-7);
        EXPECT_NEAR(vg[1], std::sin(a), 1e-7);
        // Its y axis is a quarter turn further: column 2.
        EXPECT_NEAR(vg[2], std::cos(a + pi / 2), 1e-7);
        EXPECT_NEAR(vg[3], std::sin(a + pi / 2), 1e-7);
        // The product (by columns) is the identity.
        const float p11 = gv[0] * vg[0] + gv[2] * vg[1];
        const float p21 = gv[1] * vg[0] + gv[3] * vg[1];
        const float p12 = gv[0] * vg[2] + gv[2] * vg[3];
        const float p22 = gv[1] * vg[2] + gv[3] * vg[3];
        EXPECT_NEAR(p11, 1.0f, 1e-6f);
        EXPECT_NEAR(p22, 1.0f, 1e-6f);
        EXPECT_NEAR(p21, 0.0f, 1e-6f);
        EXPECT_NEAR(p12, 0.0f, 1e-6f);
    }
}

OffsetRegionInputs rectangle(float xc, float yc, float surgp, float surgm, float out, bool legacy) {
    OffsetRegionInputs in;
    in.XC = xc;
    in.YC = yc;
    in.SURGP = surgp;
    in.SURGM = surgm;
    in.LOSWYW = out;
    in.HISWYW = 0.1f;
    in.LEGACY = legacy;
    return in;
}

TEST(OffsetRegion, RectangleRunsAlongTheOffsetDirection) {
    // Offset (3, 4): direction (0.6, 0.8), across it (-0.8, 0.6). Without the legacy
    // treatment the region runs from -SURGP = -2 to -SURGM = 1 along the offset, half-width
    // LOSWYW = 0.5 across it.
    expect_points(points_of(offset_region_points(rectangle(3, 4, 2, -1, 0.5f, false))),
                  {{1.4, 2.7}, {2.2, 2.1}, {3.2, 5.1}, {4.0, 4.5}}, tol);
    // Legacy: from SURGP to SURGM; the half-width sqrt((LOSWYW x 5)^2 + HSYOUT^2), here with
    // no high-frequency term (HISWYW 0): 2.5.
    OffsetRegionInputs in = rectangle(3, 4, 2, -1, 0.5f, true);
    in.HISWYW = 0.0f;
    // u = 2: (4.2, 5.6) +/- 2.5 (-0.8, 0.6); u = -1: (2.4, 3.2) +/- the same.
    expect_points(points_of(offset_region_points(in)),
                  {{2.2, 7.1}, {6.2, 4.1}, {0.4, 4.7}, {4.4, 1.7}}, tol);
}

TEST(OffsetRegion, MeanOffsetAtTheOriginBuildsTheRegionAlongGlobalX) {
    OffsetRegionInputs in = rectangle(0, 0, 2, -1, 0.5f, false);
    in.VESANG = 1.0f; // the heading does not set the direction
    expect_points(points_of(offset_region_points(in)), {{-2, 0.5}, {-2, -0.5}, {1, 0.5}, {1, -0.5}},
                  tol);
    in.ELIPSM = 1;
    // The ellipse: length |L| = |NETINP - NETINM| = 3 along global X, width M = 2 NETOUT = 1,
    // centred at XCP = (SURGP + SURGM) / 2 = 0.5 in either treatment (see the ellipse cases
    // below; the rectangle above, not legacy, is centred at -0.5): u in -1..2, v +/- 0.5. Along
    // X its points of extreme Y and X are the ends of its axes, (0.5, -/+0.5) and (0.5 +/- 1.5, 0).
    expect_points(points_of(offset_region_points(in)), {{0.5, -0.5}, {0.5, 0.5}, {2, 0}, {-1, 0}},
                  tol);
}

TEST(OffsetRegion, AcrossOffsetTermsOfTheThreeTreatments) {
    // Offset along global X at distance 10, heading 0: COSDEL = 1, HSYOUT = YAWARM HISWYW.
    OffsetRegionInputs in = rectangle(10, 0, 1, -1, 0.2f, true);
    in.YAWARM = 50.0f;
    in.HISWYW = 0.04f; // HSYOUT = 2
    in.HSYSIG = 0.02f;
    in.YAW_COR_FAC = 0.5f;
    struct Case {
        const char* name;
        bool legacy;
        std::int32_t level, peak;
        double half_width, yaw;
    };
    const Case cases[] = {
        // Peak level, legacy: 0.2 x 10 + 0.5 x |2 x 0.02 / 0.04| = 2.5; yaw 0.5 x 0.02 + 0.2.
        {"peak, legacy", true, 3, 3, 2.5, 0.21},
        // Other levels, legacy: sqrt(2^2 + 2^2); yaw sqrt(0.2^2 + 0.04^2).
        {"level, legacy", true, 1, 3, std::sqrt(8.0), std::sqrt(0.04 + 0.0016)},
        // Not legacy: the terms as given.
        {"not legacy", false, 3, 3, 0.2, 0.04},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        in.LEGACY = c.legacy;
        in.LFINDEX = c.level;
        in.IPEAK = c.peak;
        const RegionPoints p = offset_region_points(in);
        EXPECT_NEAR(p.YPOINT[0], c.half_width, 1e-5);
        EXPECT_NEAR(p.YPOINT[1], -c.half_width, 1e-5);
        EXPECT_NEAR(p.NETYAW, c.yaw, 1e-6);
        const OffsetRegion r = GLOB_XY(in);
        EXPECT_NEAR(r.YAWMAXQ, c.yaw, 1e-6);
        EXPECT_NEAR(r.YAWMINQ, -c.yaw, 1e-6);
    }
    // The peak's sway term keeps the sign of LOSWYW; without HISWYW t is HSYOUT itself.
    in.LEGACY = true;
    in.LFINDEX = 3;
    in.IPEAK = 3;
    in.LOSWYW = -0.2f;
    in.HISWYW = 0.0f; // HSYOUT = 0, t = 0
    EXPECT_NEAR(offset_region_points(in).YPOINT[0], -2.0, 1e-5);
}

// An ellipse of semi-axes a (along the offset) and b (across) centred at XCP along the offset
// from the mean offset. Its extent in global X is sqrt(a^2 c^2 + b^2 s^2) either side of its
// centre, and in global Y sqrt(a^2 s^2 + b^2 c^2), c and s of the offset direction.
// A legacy ellipse off the peak level: SURGP 3, SURGM -1 (L = 4, XCP = 1) and half-width
// LOSWYW x 10 = 0.75 for an offset of length 10 (no high-frequency term).
OffsetRegionInputs legacy_ellipse(float xc, float yc) {
    OffsetRegionInputs in = rectangle(xc, yc, 3.0f, -1.0f, 0.075f, true);
    in.HISWYW = 0.0f;
    in.LFINDEX = 1;
    in.IPEAK = 3;
    in.ELIPSM = 1;
    return in;
}

struct EllipseCase {
    const char* name;
    float xc, yc;
};

TEST(OffsetRegion, EllipsePointsAreItsExtremesInGlobalXAndY) {
    const EllipseCase cases[] = {
        {"30 degrees", 8.660254f, 5.0f},
        {"120 degrees", -5.0f, 8.660254f},
        {"-100 degrees", -1.736482f, -9.848078f},
        {"along X", 10.0f, 0.0f},
        {"along -X", -10.0f, 0.0f},
        {"along Y", 0.0f, 10.0f},
        {"along -Y", 0.0f, -10.0f},
        {"1e-6 off X", 10.0f, 1e-5f},
        {"1e-6 below X", 10.0f, -1e-5f},
        {"1e-6 off Y", 1e-5f, 10.0f},
    };
    for (const bool legacy : {true, false}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message() << c.name << (legacy ? ", legacy" : ""));
            // Half-width 0.75: legacy takes LOSWYW times the offset's length (10).
            OffsetRegionInputs in = legacy_ellipse(c.xc, c.yc);
            if (!legacy) {
                in.LEGACY = false;
                in.LOSWYW = 0.75f;
            }
            const double dir = std::atan2(c.yc, c.xc);
            const double cs = std::cos(dir), sn = std::sin(dir);
            const double a = 2.0;   // L = +/-4
            const double b = 0.75;  // M = 1.5
            const double xcp = 1.0; // (SURGP + SURGM) / 2
            const double cx = c.xc + xcp * cs, cy = c.yc + xcp * sn;
            const double ex = std::sqrt(a * a * cs * cs + b * b * sn * sn);
            const double ey = std::sqrt(a * a * sn * sn + b * b * cs * cs);
            const auto p = points_of(offset_region_points(in));
            double xmax = -1e9, xmin = 1e9, ymax = -1e9, ymin = 1e9;
            for (const auto& q : p) {
                // On the ellipse.
                const double u = (q.x - c.xc) * cs + (q.y - c.yc) * sn - xcp;
                const double v = -(q.x - c.xc) * sn + (q.y - c.yc) * cs;
                EXPECT_NEAR(u * u / (a * a) + v * v / (b * b), 1.0, 2e-5);
                xmax = std::max(xmax, q.x);
                xmin = std::min(xmin, q.x);
                ymax = std::max(ymax, q.y);
                ymin = std::min(ymin, q.y);
            }
            EXPECT_NEAR(xmax, cx + ex, tol);
            EXPECT_NEAR(xmin, cx - ex, tol);
            EXPECT_NEAR(ymax, cy + ey, tol);
            EXPECT_NEAR(ymin, cy - ey, tol);
        }
    }
}

TEST(OffsetRegion, EllipseAlongAnAxisTakesTheEndsOfItsAxes) {
    // Along +X (the tangent of the direction is 0): (XCP +/- L/2, 0) and (XCP, +/- M/2) in
    // the region's own axes, here L = 4, M = 1.5, XCP = 1 around the offset (10, 0).
    OffsetRegionInputs in = legacy_ellipse(10.0f, 0.0f);
    const auto exact = points_of(offset_region_points(in));
    expect_points(exact, {{11, -0.75}, {11, 0.75}, {13, 0}, {9, 0}}, 1e-6);
    // A direction 1e-6 above the axis is close to the same points.
    in.YC = 1e-5f;
    expect_points(points_of(offset_region_points(in)), exact, 1e-4);
    // Along +Y the region's axes are global Y and -X.
    in.XC = 0.0f;
    in.YC = 10.0f;
    std::vector<Point> along_y = points_of(offset_region_points(in));
    // Sorted by x to a thousandth, then y (the points on the axis have x of order 1e-7).
    std::sort(along_y.begin(), along_y.end(), [](Point p, Point q) {
        const double px = std::round(p.x * 1000), qx = std::round(q.x * 1000);
        return px < qx || (px == qx && p.y < q.y);
    });
    expect_points(along_y, {{-0.75, 11}, {0, 9}, {0, 13}, {0.75, 11}}, 1e-4);
    // No width: the points lie on the segment's ends and centre, all finite.
    in.XC = 10.0f;
    in.YC = 0.0f;
    in.LOSWYW = 0.0f;
    expect_points(points_of(offset_region_points(in)), {{11, 0}, {11, 0}, {13, 0}, {9, 0}}, 1e-6);
    in.XC = 6.0f;
    in.YC = 8.0f;
    const auto slanted = points_of(offset_region_points(in));
    for (const auto& q : slanted) {
        EXPECT_TRUE(std::isfinite(q.x) && std::isfinite(q.y));
        // On the segment: along the offset direction from the mean offset.
        EXPECT_NEAR(q.x * 0.8 - q.y * 0.6, 0.0, 1e-5);
    }
}

// The corner records by their meaning: a point p of the region seen from the vessel at
// heading h has the mooring's pull -p, whose vessel-axis parts are
// fx(h) = -(x cos h + y sin h), fy(h) = -(-x sin h + y cos h). Each corner record is the point
// and heading (VESANG -/+ |NETYAW|) that maximise fx (XMAXQ), minimise fx (XMINQ), and
// likewise for fy.
struct Corner {
    double x, y, heading;
};
struct Corners {
    Corner xmax, ymax, xmin, ymin;
};
Corners corners_by_search(const std::vector<Point>& pts, double vesang, double netyaw) {
    Corners c{};
    double bxmax = -1e30, bxmin = 1e30, bymax = -1e30, bymin = 1e30;
    for (const auto& p : pts) {
        for (const double h : {vesang - std::fabs(netyaw), vesang + std::fabs(netyaw)}) {
            const double fx = -(p.x * std::cos(h) + p.y * std::sin(h));
            const double fy = -(-p.x * std::sin(h) + p.y * std::cos(h));
            const double hs = std::remainder(h, 2 * pi);
            if (fx > bxmax) {
                bxmax = fx;
                c.xmax = {p.x, p.y, hs};
            }
            if (fx < bxmin) {
                bxmin = fx;
                c.xmin = {p.x, p.y, hs};
            }
            if (fy > bymax) {
                bymax = fy;
                c.ymax = {p.x, p.y, hs};
            }
            if (fy < bymin) {
                bymin = fy;
                c.ymin = {p.x, p.y, hs};
            }
        }
    }
    return c;
}

void expect_record(const float* got, const Corner& want) {
    EXPECT_FLOAT_EQ(got[0], static_cast<float>(want.x));
    EXPECT_FLOAT_EQ(got[1], static_cast<float>(want.y));
    EXPECT_NEAR(got[2], want.heading, 2e-6);
}

TEST(OffsetRegion, CornersAreThePointsOfLargestMooringPullAlongVesselAxes) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> coord(-20.0f, 20.0f);
    std::uniform_real_distribution<float> ang(-3.0f, 3.0f);
    std::uniform_real_distribution<float> yaw(-0.4f, 0.4f);
    for (int trial = 0; trial < 100; ++trial) {
        SCOPED_TRACE(trial);
        std::array<float, 5> xs{}, ys{};
        std::vector<Point> pts;
        for (int k = 0; k < 5; ++k) {
            xs[static_cast<std::size_t>(k)] = coord(rng);
            ys[static_cast<std::size_t>(k)] = coord(rng);
            pts.push_back({xs[static_cast<std::size_t>(k)], ys[static_cast<std::size_t>(k)]});
        }
        const float vesang = ang(rng);
        const float netyaw = yaw(rng);
        float xr_max, yr_max, xr_min, yr_min;
        float xmaxq[3], ymaxq[3], xminq[3], yminq[3];
        GET_CORNERS(vesang, netyaw, xs, ys, 5, xr_max, yr_max, xr_min, yr_min, xmaxq, ymaxq, xminq,
                    yminq);
        EXPECT_EQ(xr_max, *std::max_element(xs.begin(), xs.end()));
        EXPECT_EQ(yr_max, *std::max_element(ys.begin(), ys.end()));
        EXPECT_EQ(xr_min, *std::min_element(xs.begin(), xs.end()));
        EXPECT_EQ(yr_min, *std::min_element(ys.begin(), ys.end()));
        const Corners want = corners_by_search(pts, vesang, netyaw);
        expect_record(xmaxq, want.xmax);
        expect_record(ymaxq, want.ymax);
        expect_record(xminq, want.xmin);
        expect_record(yminq, want.ymin);
    }
}

TEST(OffsetRegion, CornersKeepTheFirstOfEqualCandidates) {
    // (2, +0) and (2, -0) are one point to every candidate (atan2 of a signed zero over a
    // positive x is that zero, and the heading adds pi), so each record keeps the first
    // point's own y: its sign tells which point won.
    for (const bool plus_first : {true, false}) {
        SCOPED_TRACE(plus_first);
        const float first = plus_first ? 0.0f : -0.0f;
        const float xs[2] = {2.0f, 2.0f};
        const float ys[2] = {first, -first};
        float xr_max, yr_max, xr_min, yr_min;
        float q[4][3];
        GET_CORNERS(0.0f, 0.3f, xs, ys, 2, xr_max, yr_max, xr_min, yr_min, q[0], q[1], q[2], q[3]);
        for (const auto& record : q) {
            EXPECT_EQ(record[0], 2.0f);
            EXPECT_EQ(std::signbit(record[1]), std::signbit(first));
        }
    }
}

TEST(OffsetRegion, RegionCornersOfARectangleWithoutYaw) {
    // Not legacy: from -SURGP to -SURGM along X from the mean offset (10, 0), x 7..12, half-
    // width LOSWYW = 1, yaw HISWYW = 0. At heading 0 the pull -p is largest in x at the
    // smallest x and in y at the smallest y.
    OffsetRegionInputs in = rectangle(10, 0, 3, -2, 1, false);
    in.HISWYW = 0.0f;
    const OffsetRegion r = GLOB_XY(in);
    EXPECT_NEAR(r.XMAX, 12.0f, tol);
    EXPECT_NEAR(r.XMIN, 7.0f, tol);
    EXPECT_NEAR(r.YMAX, 1.0f, tol);
    EXPECT_NEAR(r.YMIN, -1.0f, tol);
    EXPECT_NEAR(r.XMAXQ[0], 7.0f, tol);
    EXPECT_NEAR(r.XMINQ[0], 12.0f, tol);
    EXPECT_NEAR(r.YMAXQ[1], -1.0f, tol);
    EXPECT_NEAR(r.YMINQ[1], 1.0f, tol);
    for (const float* q : {r.XMAXQ, r.XMINQ, r.YMAXQ, r.YMINQ})
        EXPECT_EQ(q[2], 0.0f);
    EXPECT_EQ(r.YAWMAXQ, 0.0f);
    EXPECT_EQ(r.YAWMINQ, 0.0f);
}

TEST(OffsetRegion, SnapshotColumnsAndAxes) {
    // clang-format off
    struct Case { std::int32_t level, xy, pm; int column; };
    const Case cases[] = {
        {1, 1, 1, 9}, {1, 1, 2, 10}, {1, 2, 1, 5}, {1, 2, 2, 6},
        {2, 1, 1, 11}, {2, 1, 2, 12}, {2, 2, 1, 7}, {2, 2, 2, 8},
        {3, 1, 1, 1}, {3, 1, 2, 3}, {3, 2, 1, 2}, {3, 2, 2, 4},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.level << ' ' << c.xy << ' ' << c.pm);
        EXPECT_EQ(snapshot_column(c.level, c.xy, c.pm), c.column);
        std::array<float, 72> table{};
        const std::array<float, 9> identity = {1, 0, 0, 0, 1, 0, 0, 0, 1};
        LOADVF(table, identity, 0.0f, c.level, c.xy, c.pm, 1, 2, 3, 4, 5, 6);
        for (int col = 1; col <= 12; ++col)
            for (int row = 1; row <= 6; ++row) {
                const float want = col == c.column ? static_cast<float>(row) : 0.0f;
                EXPECT_EQ(table[static_cast<std::size_t>(6 * (col - 1) + row - 1)], want);
            }
    }

    // Heading 90 degrees: global +Y is the vessel's +x, global +X its -y. A rotation ROTVES
    // of 0.3 about z (vessel to global, by columns) is undone by its transpose.
    std::array<float, 72> table{};
    const float c3 = std::cos(0.3f), s3 = std::sin(0.3f);
    const std::array<float, 9> rot = {c3, s3, 0, -s3, c3, 0, 0, 0, 1};
    LOADVF(table, rot, static_cast<float>(pi / 2), 3, 1, 1, 0.0f, 2.0f, 5.0f, 1.0f, 0.0f, 7.0f);
    // Force: (0, 2) global -> (2, 0) vessel -> turned by -0.3: (2 cos 0.3, -2 sin 0.3, 5).
    EXPECT_NEAR(table[0], 2 * std::cos(0.3), 1e-6);
    EXPECT_NEAR(table[1], -2 * std::sin(0.3), 1e-6);
    EXPECT_NEAR(table[2], 5.0, 1e-6);
    // Moment (1, 0, 7) is not turned by the heading, only by the transpose of ROTVES.
    EXPECT_NEAR(table[3], std::cos(0.3), 1e-6);
    EXPECT_NEAR(table[4], -std::sin(0.3), 1e-6);
    EXPECT_NEAR(table[5], 7.0, 1e-6);
}

} // namespace
} // namespace lintar
