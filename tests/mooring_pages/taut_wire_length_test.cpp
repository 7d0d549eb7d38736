// Tests of the taut-wire length of a line type's fairlead subline: the lengths against the
// closed form of a vertical line stretching linearly, and the warnings of its dialogue.
#include "mooring_pages/taut_wire_length.h"
#include "support/console.h"

#include "blocks/tpcm.h"
#include "runtime/units.h"
#include "support/mooring_fixture.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace lintar {
namespace {

using testing::ScriptedConsole;

// The length is found in double precision and stored as a float.
constexpr double rel_tol = 1e-6;

// Line type 1 of up to two sublines on line 1, whose fairlead stands 280 ft above its anchor
// (anchor depth 300, draft 40, fairlead 20 above the keel), pretension as fairlead tension.
struct TautLine {
    double T = 100;                // pretension
    double w1 = 0, a1 = 0;         // weight and compliance of the fairlead subline
    double L2 = 0, w2 = 0, a2 = 0; // the anchor subline, when L2 > 0
};
constexpr double span = 280;

void arrange(const TautLine& line) {
    testing::fill_new_file();
    TPCM.LODTYP = 2;
    TPCM.NELEM(1) = line.L2 > 0 ? 2 : 1;
    TPCM.NLINE(1) = 1;
    TPCM.LINTYP(1, 1) = 1;
    TPCM.HTENS(1) = static_cast<float>(line.T);
    TPCM.ANCHGT(1) = 300.0f;
    TPCM.DRAFT = 40.0f;
    TPCM.RFLD(3, 1) = 20.0f;
    TPCM.SLEN(1, 1) = 55.0f;
    TPCM.WETWT(1, 1) = static_cast<float>(line.w1);
    TPCM.ALPHA(1, 1, 1) = static_cast<float>(line.a1);
    TPCM.SLEN(2, 1) = static_cast<float>(line.L2);
    TPCM.WETWT(2, 1) = static_cast<float>(line.w2);
    TPCM.ALPHA(1, 2, 1) = static_cast<float>(line.a2);
}

// The fairlead subline length L1 in closed form. Each subline stretches by its compliance a
// times the mean of its end tensions, so the stretched height is
//   L1 (1 + a1 (T - w1 L1 / 2)) + L2 (1 + a2 (TN + w2 L2 / 2)),  TN = T - w1 L1 - w2 L2,
// a quadratic in L1 whose smaller root is the length.
double closed_form(const TautLine& c) {
    // The coefficients as float, as the data file holds them.
    const double T = static_cast<float>(c.T), w1 = static_cast<float>(c.w1),
                 a1 = static_cast<float>(c.a1), L2 = static_cast<float>(c.L2),
                 w2 = static_cast<float>(c.w2), a2 = static_cast<float>(c.a2);
    const double A = a1 * w1 / 2;
    const double B = -(1 + a1 * T - a2 * w1 * L2);
    const double C = span - L2 - a2 * L2 * (T - w2 * L2 / 2);
    if (A == 0)
        return -C / B;
    return (-B - std::sqrt(B * B - 4 * A * C)) / (2 * A);
}

TEST(TautWireLength, MatchesTheClosedForm) {
    struct Case {
        const char* name;
        TautLine line;
    };
    const Case cases[] = {
        {"weightless, a1 = 0.01, pretension 100: stretch factor 2", {100, 0, 0.01}},
        {"a wire with weight", {500, 0.1, 1e-4}},
        {"a rope over a chain", {300, 0.02, 5e-4, 150, 0.08, 2e-5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console;
        arrange(c.line);
        TENDNDP(1);
        const double expected = closed_form(c.line);
        if (c.line.w1 == 0 && c.line.L2 == 0) {
            EXPECT_NEAR(expected, span / 2, 1e-7 * span); // a1 as a float: 0.01 + 2e-10
        }
        EXPECT_NEAR(TPCM.SLEN(1, 1), expected, rel_tol * expected);
        EXPECT_EQ(console.screen(), "");
    }
}

TEST(TautWireLength, DvsterIsTheHeightLeft) {
    // A weightless subline under 100 with a1 = 0.01 stretches to twice its length.
    ScriptedConsole console;
    arrange({100, 0, 0.01});
    TautWireProblem DUMMY2;
    DUMMY2.ITYPQ = 1;
    DUMMY2.DELTAZ = span;
    DUMMY2.TOPTEN = 100;
    DUMMY2.ALPHDP(1, 1) = 0.01;
    EXPECT_DOUBLE_EQ(DVSTER(100.0, DUMMY2), span - 200);
    EXPECT_EQ(DUMMY2.SLENDP(1), 100.0);
}

TEST(TautWireLength, WarningsAndTheirAnswers) {
    struct Case {
        const char* name;
        void (*change)();
        std::string keys;
        std::string message;
        float length; // SLEN(1, 1) afterwards (55 unchanged)
    };
    const Case cases[] = {
        {"pretension not a fairlead tension, aborted", [] { TPCM.LODTYP = 0; }, "A\n",
         " ++> WARNING: Pretension specification must be determined by \n"
         "     fairlead tension for the exercise of this help option...\n",
         55.0f},
        {"pretension not a fairlead tension, gone on", [] { TPCM.LODTYP = 3; }, "\n",
         "     fairlead tension for the exercise of this help option...\n", 140.0f},
        {"pretension zero", [] { TPCM.HTENS(1) = 0.0f; }, "a\n",
         " ++> WARNING: The specified pretension for this line type is not positive\n", 55.0f},
        {"pretension negative", [] { TPCM.HTENS(1) = -5.0f; }, "A\n",
         " ++> WARNING: The specified pretension for this line type is not positive\n", 55.0f},
        {"inelastic, gone on", [] { TPCM.ALPHA(1, 1, 1) = 0.0f; }, "\n",
         " ++> WARNING: This line type is totally inelastic...\n", 280.0f},
        {"inelastic with a second subline, aborted",
         [] {
             TPCM.ALPHA(1, 1, 1) = 0.0f;
             TPCM.NELEM(1) = 2;
             TPCM.SLEN(2, 1) = 80.0f;
         },
         "A\n", " ++> WARNING: This line type is totally inelastic...\n", 55.0f},
        {"inelastic with a second subline, gone on",
         [] {
             TPCM.ALPHA(1, 1, 1) = 0.0f;
             TPCM.NELEM(1) = 2;
             TPCM.SLEN(2, 1) = 80.0f;
         },
         "\n", " ++> WARNING: This line type is totally inelastic...\n", 200.0f},
        {"no line of the type", [] { TPCM.NLINE(1) = 0; }, "\n",
         " ++> WARNING: No line belongs to this line type; its span and\n"
         "     pretension are unknown. The subline length is not changed.\n",
         55.0f},
        {"line 0 in the type's list", [] { TPCM.LINTYP(1, 1) = 0; }, "\n",
         " ++> WARNING: No line belongs to this line type;", 55.0f},
        {"no sign change over the bracket",
         [] {
             TPCM.NELEM(1) = 2;
             TPCM.SLEN(2, 1) = 500.0f; // longer than the span
             TPCM.ALPHA(1, 2, 1) = 0.01f;
         },
         "\n", " ++> Bounds error in TENDON \n\n Press <Return> to Continue...\n", 55.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console(c.keys);
        arrange({100, 0, 0.01});
        c.change();
        TENDNDP(1);
        EXPECT_NEAR(TPCM.SLEN(1, 1), c.length, 1e-4f * c.length);
        EXPECT_NE(console.screen().find(c.message), std::string::npos) << console.screen();
    }
}

TEST(TautWireLength, UnattendedRunDoesNotWait) {
    ScriptedConsole console; // nothing to read
    testing::ScratchFolder folder;
    ASSERT_TRUE(open_unit(41, "Diagnostics.stxt", OpenStatus::replace, FileForm::formatted));
    arrange({100, 0, 0.01});
    TPCM.NELEM(1) = 2;
    TPCM.SLEN(2, 1) = 500.0f;
    TPCM.ALPHA(1, 2, 1) = 0.01f;
    TPCM.EDUNIT = 41;
    TENDNDP(1);
    EXPECT_EQ(TPCM.SLEN(1, 1), 55.0f);
    close_unit(41);
    EXPECT_EQ(folder.read("Diagnostics.stxt"),
              " ++> Bounds error in TENDON \n\n Press <Return> to Continue...\n");
}

} // namespace
} // namespace lintar
