// Tests of the catenary element functions against closed forms: the inextensible catenary,
// the straight weightless element, Irvine's elastic catenary for the linear law; the
// grounded parts, the touchdown element and the layer selection.
#include "lines/catenary_elements.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace lintar {
namespace {

// The arrays of a line of up to 25 elements, set element by element.
struct TestLine {
    double SCLWT[25] = {};
    double BETA[75] = {};
    double TMPTAN[26] = {};
    double SECARR[26] = {};
    float SLEN[25] = {};
    float WETWT[25] = {};

    void element(int i, float L, float w, double H, double a1, double a2 = 0.0, double a3 = 0.0) {
        SLEN[i - 1] = L;
        WETWT[i - 1] = w;
        SCLWT[i - 1] = w / H;
        BETA[3 * (i - 1)] = a1 * H;
        BETA[3 * (i - 1) + 1] = a2 * H * H;
        BETA[3 * (i - 1) + 2] = a3 * H * H * H;
    }
    // Node tangents from the top tangent down, and their secants.
    void hang(double q_top, int NELEM) {
        TMPTAN[0] = q_top;
        for (int i = 1; i <= NELEM; ++i)
            TMPTAN[i] = TMPTAN[i - 1] - SCLWT[i - 1] * SLEN[i - 1];
        for (int J = 0; J <= NELEM; ++J)
            SECARR[J] = SECFCN(TMPTAN[J]);
    }
    double xdist(int IELEM, int NELEM, std::int32_t BOTFLG, double DSLOPE = 0.0) {
        return XDIST(SCLWT, SECARR, TMPTAN, BETA, IELEM, NELEM, BOTFLG, ElementReals(SLEN), DSLOPE);
    }
    double zdist(int IELEM) {
        return ZDIST(SCLWT, SECARR, BETA, IELEM, ElementReals(SLEN), TMPTAN);
    }
};

TEST(CatenaryElements, InextensibleElementIsTheCatenary) {
    // beta = 0: XFCN = asinh(q), ZFCN = sec = sqrt(1 + q^2), no stretch. Steeply falling
    // tangents keep their accuracy (no cancellation in ln(R + P)).
    const double BETA[75] = {};
    for (const double q : {-1e6, -50.0, -1.0, -1e-3, 0.0, 1e-8, 0.3, 7.0, 1e4}) {
        SCOPED_TRACE(q);
        const double R = SECFCN(q);
        EXPECT_NEAR(XFCN(R, q, 1, BETA), std::asinh(q),
                    1e-15 * std::max(1.0, std::abs(std::asinh(q))));
        EXPECT_DOUBLE_EQ(ZFCN(R, 1, BETA), std::sqrt(1.0 + q * q));
        EXPECT_EQ(STRECH(q, BETA, 1), 1.0);
        if (q >= 0.3) { // d sec / dq (its sqrt(R^2 - 1) loses digits near q = 0)
            EXPECT_NEAR(DZFCN(R, 1, BETA), q / R, 1e-12);
        }
    }
}

TEST(CatenaryElements, WeightlessElementIsStraight) {
    // A weightless element spans its stretched length times cos and sin of its angle; its
    // stretch is that of the tension H sec(phi).
    const double H = 50.0;
    const double a1 = 2e-4;
    for (const double q : {-0.7, 0.0, 0.4, 3.0}) {
        SCOPED_TRACE(q);
        TestLine line;
        line.element(1, 120.0f, 0.0f, H, a1);
        line.hang(q, 1);
        const double stretched = 120.0 * (1.0 + a1 * H * std::sqrt(1.0 + q * q));
        const double phi = std::atan(q);
        EXPECT_NEAR(line.xdist(1, 1, 0), stretched * std::cos(phi), 1e-12);
        EXPECT_NEAR(line.zdist(1), stretched * std::sin(phi), 1e-12);
    }
}

TEST(CatenaryElements, LinearLawGivesIrvinesElasticCatenary) {
    // Irvine: with V the vertical tension at the top and q = V/H,
    //   x = (H/w)(asinh q_top - asinh q_bot) + H L / EA
    //   z = (H/w)(sqrt(1 + q_top^2) - sqrt(1 + q_bot^2)) + (V L - w L^2 / 2) / EA.
    struct Case {
        double H, w, EA, L, q_top;
    };
    const Case cases[] = {
        {700000.0, 2456.82, 1.23257e9, 1500.0, 3.0}, // slack chain, bottom slope 1.2 (N, m)
        {3.1e6, 236.4, 5.6085e8, 600.0, 0.19},       // taut wire, bottom slope 0.144
        {100.0, 0.1, 1e4, 3000.0, 1.5},              // soft line lifting past the vertical
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.H);
        TestLine line;
        line.element(1, static_cast<float>(c.L), static_cast<float>(c.w), c.H, 1.0 / c.EA);
        line.hang(c.q_top, 1);
        const double w = line.WETWT[0]; // the weight and length as four-byte reals
        const double L = line.SLEN[0];
        const double q_bot = c.q_top - w * L / c.H;
        const double V = c.H * c.q_top;
        const double x = c.H / w * (std::asinh(c.q_top) - std::asinh(q_bot)) + c.H * L / c.EA;
        const double z =
            c.H / w * (std::sqrt(1 + c.q_top * c.q_top) - std::sqrt(1 + q_bot * q_bot)) +
            (V * L - w * L * L / 2.0) / c.EA;
        EXPECT_NEAR(line.xdist(1, 1, 0), x, 1e-11 * L);
        EXPECT_NEAR(line.zdist(1), z, 1e-11 * L);
    }
}

TEST(CatenaryElements, GroundedPartsOfTheHorizontalSpan) {
    const double H = 20.0;
    const double a1 = 1e-4;
    const double on_seabed = 1.0 + a1 * H; // stretch at the seabed tension H
    // A chain that touches down: the suspended span plus the grounded rest at full stretch.
    {
        TestLine line;
        line.element(1, 1000.0f, 0.1f, H, a1);
        line.hang(2.0, 1); // touches down about 400 along it
        line.TMPTAN[1] = 0.0;
        line.SECARR[1] = 1.0;
        const double suspended = XFCN(SECFCN(2.0), 2.0, 1, line.BETA) / line.SCLWT[0];
        const double grounded = 1000.0 - 2.0 / line.SCLWT[0]; // about 600
        EXPECT_NEAR(line.xdist(1, 1, 1), suspended + grounded * on_seabed, 1e-9);
        EXPECT_NEAR(line.xdist(1, 1, 0), suspended, 1e-9); // no seabed, no grounded part
    }
    // A buoyant element further down keeps the chain above it off the seabed.
    {
        TestLine line;
        line.element(1, 1000.0f, 0.1f, H, a1);
        line.element(2, 100.0f, -0.05f, H, a1);
        line.hang(2.0, 2);
        line.TMPTAN[1] = 0.0;
        line.SECARR[1] = 1.0;
        const double suspended = XFCN(SECFCN(2.0), 2.0, 1, line.BETA) / line.SCLWT[0];
        EXPECT_NEAR(line.xdist(1, 2, 1), suspended, 1e-9);
    }
    // A weightless element lying on the seabed spans its stretched length once.
    {
        TestLine line;
        line.element(1, 300.0f, 0.0f, H, a1);
        line.hang(0.0, 1);
        EXPECT_NEAR(line.xdist(1, 1, 1), 300.0 * on_seabed, 1e-9);
    }
}

TEST(CatenaryElements, PointSeparationIsIrvinesArcPlusTheGroundedRest) {
    // From the point of tangent 1.5 down to touchdown (tangent 0) of an element whose upper
    // end has tangent 2: the elastic catenary arc, plus the grounded rest of the element.
    const double H = 100.0, w = 0.1, EA = 1e4, L = 3000.0;
    TestLine line;
    line.element(1, static_cast<float>(L), static_cast<float>(w), H, 1.0 / EA);
    const double wf = line.WETWT[0];
    const double arc = 1.5 * H / wf; // unstretched length from tangent 1.5 to 0
    const double x = H / wf * std::asinh(1.5) + H * arc / EA;
    const double z =
        H / wf * (std::sqrt(1 + 1.5 * 1.5) - 1.0) + (H * 1.5 * arc - wf * arc * arc / 2) / EA;
    const double grounded = (L - 2.0 * H / wf) * (1.0 + H / EA);
    double DXSEP = 0.0;
    double DZSEP = 0.0;
    PNTSEP(DXSEP, DZSEP, 1.5, 0.0, 2.0, 0.0f, line.BETA, line.SCLWT[0], line.SLEN[0], 0.0, 0, 1, 0,
           6);
    EXPECT_NEAR(DXSEP, x, 1e-9 * L);
    EXPECT_NEAR(DZSEP, z, 1e-9 * L);
    PNTSEP(DXSEP, DZSEP, 1.5, 0.0, 2.0, 0.0f, line.BETA, line.SCLWT[0], line.SLEN[0], 0.0, 0, 1, 1,
           6);
    EXPECT_NEAR(DXSEP, x + grounded, 1e-9 * L);
    EXPECT_NEAR(DZSEP, z, 1e-9 * L);
}

TEST(CatenaryElements, TouchdownElementFromTheGroundedLength) {
    // Elements 100, 200, 300 from the fairlead, weights 0.1, 0.02, 0.3; stretch 1 + a1 H on
    // the seabed.
    const double H = 50.0;
    TestLine line;
    line.element(1, 100.0f, 0.1f, H, 1e-4);
    line.element(2, 200.0f, 0.02f, H, 2e-4);
    line.element(3, 300.0f, 0.3f, H, 1e-4);
    const double s2 = 1.0 + 2e-4 * H;
    const double s3 = 1.0 + 1e-4 * H;
    struct Case {
        const char* name;
        float BOTLEN;
        int BOTELM;
        double UNSTRL, BOTWGT;
    };
    const Case cases[] = {
        {"nothing grounded", 0.0f, 3, 0.0, 0.0},
        {"part of the last element", static_cast<float>(150.0 * s3), 3, 150.0, 150.0 * 0.3},
        {"the last element and part of the middle one", static_cast<float>(300.0 * s3 + 50.0 * s2),
         2, 350.0, 300.0 * 0.3 + 50.0 * 0.02},
        // At or beyond the whole stretched line: the whole line grounded, touchdown in
        // element 1 (never element 0).
        {"more than the whole line", 1e6f, 1, 600.0, 10.0 + 4.0 + 90.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        float BOTWGT = -1.0f;
        float UNSTRL = -1.0f;
        std::int32_t BOTELM = -1;
        TUCHDN(c.BOTLEN, ElementReals(line.WETWT), ElementReals(line.SLEN), line.BETA, 3, 0.0,
               BOTWGT, BOTELM, UNSTRL);
        EXPECT_EQ(BOTELM, c.BOTELM);
        EXPECT_NEAR(UNSTRL, c.UNSTRL, 1e-4);
        EXPECT_NEAR(BOTWGT, c.BOTWGT, 1e-5);
    }
    float BOTWGT = -1.0f;
    float UNSTRL = -1.0f;
    std::int32_t BOTELM = -1;
    TUCHDN(10.0f, ElementReals(line.WETWT), ElementReals(line.SLEN), line.BETA, 0, 0.0, BOTWGT,
           BOTELM, UNSTRL);
    EXPECT_EQ(BOTELM, 0); // a line without elements has no touchdown element
}

TEST(CatenaryElements, LayerSelection) {
    // Five rows 10 apart, the entered height in row 3: the span runs from -20 to +20.
    struct Case {
        const char* name;
        std::int32_t NLAYER, MIDLYR;
        float DLAYER, ZSPAN, DFLZG;
        std::int32_t ILAYER;
        float DELLAY;
        std::int32_t OUTWRN;
    };
    const Case cases[] = {
        {"between rows 2 and 3", 5, 3, 10.0f, 40.0f, -5.0f, 2, 0.5f, 0},
        {"on the bottom row", 5, 3, 10.0f, 40.0f, -20.0f, 1, 0.0f, 0},
        // Exactly on the top row is inside; it is read as the top pair fully weighted up,
        // not as the top row blended with a row above the table.
        {"on the top row", 5, 3, 10.0f, 40.0f, 20.0f, 4, 1.0f, 0},
        {"above the span", 5, 3, 10.0f, 40.0f, 25.0f, 4, 1.5f, 1},
        {"below the span", 5, 3, 10.0f, 40.0f, -30.0f, 1, -1.0f, 1},
        {"MIDLYR 1 puts the bottom at 0", 5, 1, 10.0f, 40.0f, 15.0f, 2, 0.5f, 0},
        {"one row, inside", 1, 1, 0.0f, 0.0f, 0.0f, 1, 0.0f, 0},
        // One row has nothing to extrapolate toward (and no spacing to divide by).
        {"one row, outside", 1, 1, 0.0f, 0.0f, 3.0f, 1, 0.0f, 1},
        {"rows all at one height", 3, 2, 0.0f, 0.0f, 0.0f, 1, 0.0f, 0},
        // A height that is not a number (an iterate gone astray) must not become a row number.
        {"not a number", 5, 3, 10.0f, 40.0f, std::nanf(""), 3, 0.0f, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::int32_t ILAYER = -1;
        std::int32_t OUTWRN = -1;
        float DELLAY = -9.0f;
        SETLYR(c.NLAYER, c.MIDLYR, c.DLAYER, c.ZSPAN, c.DFLZG, ILAYER, DELLAY, OUTWRN);
        EXPECT_EQ(ILAYER, c.ILAYER);
        EXPECT_FLOAT_EQ(DELLAY, c.DELLAY);
        EXPECT_EQ(OUTWRN, c.OUTWRN);
        double DELLAY_DP = -9.0;
        SETLDP(c.NLAYER, c.MIDLYR, c.DLAYER, c.ZSPAN, c.DFLZG, ILAYER, DELLAY_DP, OUTWRN);
        EXPECT_EQ(ILAYER, c.ILAYER);
        EXPECT_NEAR(DELLAY_DP, c.DELLAY, 1e-12);
        EXPECT_EQ(OUTWRN, c.OUTWRN);
    }
}

} // namespace
} // namespace lintar

namespace lintar {
namespace {

TEST(CatenaryElements, EveryElementsSumsAtOnceAreThoseOfEachElement) {
    // A chain, wire and chain line with a weightless piece, partly grounded on a solid seabed:
    // the sums for every element from one walk are the single sums bit for bit.
    TestLine line;
    for (int i = 1; i <= 12; ++i) {
        const bool wire = i > 4 && i <= 8;
        line.element(i, 150.0f, i == 6 ? 0.0f : (wire ? 0.03f : 0.15f), 80.0, 1e-5, 1e-9);
    }
    line.hang(2.0, 12);
    const double DSLOPE = 0.0;
    for (int J = 0; J <= 12; ++J)
        if (line.TMPTAN[J] < DSLOPE) { // grounded nodes lie along the seabed
            line.TMPTAN[J] = DSLOPE;
            line.SECARR[J] = SECFCN(DSLOPE);
        }
    std::vector<double> spans(12), rises(12);
    XDIST_all(line.SCLWT, line.SECARR, line.TMPTAN, line.BETA, 12, 1, ElementReals(line.SLEN),
              DSLOPE, spans);
    ZDIST_all(line.SCLWT, line.SECARR, line.BETA, ElementReals(line.SLEN), line.TMPTAN, rises);
    for (int i = 1; i <= 12; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(spans[static_cast<std::size_t>(i - 1)], line.xdist(i, 12, 1, DSLOPE));
        EXPECT_EQ(rises[static_cast<std::size_t>(i - 1)], line.zdist(i));
    }
}

} // namespace
} // namespace lintar
