// Tests of the line-material estimator: its estimates against the material table worked by
// hand, its menus, the answers it refuses, and the facility menu around it.
#include "mooring_pages/material_estimator.h"
#include "support/console.h"

#include "blocks/tpcm.h"
#include "runtime/units.h"
#include "support/mooring_fixture.h"
#include "util/answer_reader.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::ScriptedConsole;

// The estimates are a few single-precision operations (and one power) on the table's values;
// a wrong coefficient, unit factor or medium is off by far more.
constexpr double rel_tol = 2e-6;

// The material table's values the tests use, as given in the table of materials.
struct Material {
    double WIA, SPG, BC1, BC2, ELAS1, ELAS2, ELAS3;
};
constexpr Material stud_link_chain = {10, 7.82, 107.8, 2, 0.00948, 0, 0};            // slot 1
constexpr Material braided_nylon = {0.29, 1.14, 38.38, 1.791, 0.811, -0.584, 0.154}; // slot 12
constexpr double seawater = 1.025;

struct Estimate {
    float value = -1.0f;
    std::array<float, 3> alpha = {-1.0f, -1.0f, -1.0f};
    std::string screen;
};

// One call of HELP with the keyboard given.
Estimate help(std::int32_t mode, std::int32_t NUNTS, float OD, const std::string& keys) {
    ScriptedConsole console(keys);
    Estimate e;
    HELP(e.value, e.alpha, NUNTS, OD, mode, screen_unit, keyboard_unit);
    e.screen = console.screen();
    return e;
}

void expect_near(double actual, double expected) {
    EXPECT_NEAR(actual, expected, rel_tol * std::abs(expected)) << "expected " << expected;
}

TEST(MaterialEstimator, StudLinkChainOfTheFirstSlot) {
    const Material& m = stud_link_chain;
    {
        SCOPED_TRACE("3 inches, seawater");
        const Estimate e = help(0, 0, 3.0f, "3\n1\n");
        expect_near(e.value, (m.SPG - seawater) / m.SPG * 0.001 * m.WIA * 3 * 3);
    }
    {
        SCOPED_TRACE("3 inches, air");
        expect_near(help(0, 0, 3.0f, "1\n1\n").value, 0.09);
    }
    {
        SCOPED_TRACE("3 inches, freshwater");
        expect_near(help(0, 0, 3.0f, "2\n1\n").value, (m.SPG - 1) / m.SPG * 0.09);
    }
    {
        SCOPED_TRACE("3 inches, dry weight");
        expect_near(help(3, 0, 3.0f, "1\n").value, 0.09);
    }
    {
        SCOPED_TRACE("3 inches, breaking strength");
        expect_near(help(2, 0, 3.0f, "1\n").value, m.BC1 * 9);
    }
    {
        SCOPED_TRACE("3 inches, compliance");
        const Estimate e = help(1, 0, 3.0f, "2\n1\n");
        expect_near(e.alpha[0], m.ELAS1 / (m.BC1 * 9));
        EXPECT_EQ(e.alpha[1], 0.0f);
        EXPECT_EQ(e.alpha[2], 0.0f);
        expect_near(e.value, m.BC1 * 9); // the breaking strength found on the way
    }
    // Metric: 76.2 mm is 3 inches; strengths in metric tons, coefficients per metric ton.
    {
        SCOPED_TRACE("76.2 mm, breaking strength");
        expect_near(help(2, 1, 76.2f, "1\n").value, m.BC1 * 9 / 2.204);
    }
    {
        SCOPED_TRACE("76.2 mm, compliance");
        expect_near(help(1, 1, 76.2f, "2\n1\n").alpha[0], m.ELAS1 / (m.BC1 * 9) * 2.204);
    }
    {
        SCOPED_TRACE("76.2 mm, seawater");
        expect_near(help(0, 1, 76.2f, "3\n1\n").value,
                    (m.SPG - seawater) / m.SPG * 0.001 * m.WIA * 76.2 * 76.2 * 0.00231);
    }
}

TEST(MaterialEstimator, BraidedNylonRope) {
    const Material& m = braided_nylon;
    const double TB = m.BC1 * std::pow(4.0, m.BC2); // 4 inches
    {
        SCOPED_TRACE("seawater");
        expect_near(help(0, 0, 4.0f, "3\n12\n").value,
                    (m.SPG - seawater) / m.SPG * 0.001 * m.WIA * 16);
    }
    {
        SCOPED_TRACE("breaking strength");
        expect_near(help(2, 0, 4.0f, "12\n").value, TB);
    }
    {
        SCOPED_TRACE("compliance");
        const Estimate e = help(1, 0, 4.0f, "2\n12\n");
        expect_near(e.alpha[0], m.ELAS1 / TB);
        expect_near(e.alpha[1], m.ELAS2 / (TB * TB));
        expect_near(e.alpha[2], m.ELAS3 / (TB * TB * TB));
    }
    {
        SCOPED_TRACE("compliance, metric (101.6 mm)");
        const Estimate e = help(1, 1, 101.6f, "2\n12\n");
        expect_near(e.alpha[0], m.ELAS1 / TB * 2.204);
        expect_near(e.alpha[1], m.ELAS2 / (TB * TB) * 4.858);
        expect_near(e.alpha[2], m.ELAS3 / (TB * TB * TB) * 10.706);
    }
}

TEST(MaterialEstimator, InextensibleChainHasNoCompliance) {
    const Estimate e = help(1, 0, 3.0f, "2\n4\n");
    EXPECT_EQ(e.alpha, (std::array<float, 3>{0.0f, 0.0f, 0.0f}));
}

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TEST(MaterialEstimator, TheMaterialMenu) {
    // Slots 5, 9, 10 and above 16 are refused: the menu again each time.
    const Estimate e = help(2, 0, 3.0f, "5\n9\n10\n17\n99\n6\n");
    EXPECT_EQ(count(e.screen, "        >>> Chain Types <<<"), 6);
    expect_near(e.value, 91.9 * 9);
    const std::string menu = " ***  Help for breaking strengths  ***\n"
                             "\n"
                             "\n"
                             "        >>> Chain Types <<<\n"
                             "  1) Stud-link chain (generic O.R.Q.; 1975)\n"
                             "  2) Stud-link chain (Ramnas  O.R.Q.; 1994)\n"
                             "  3) Studless Grade RQ4 Chain\n"
                             "  4) Inextensible stud-link chain\n"
                             "\n"
                             "        >>> Wire Rope Types <<<\n"
                             "  6) I.W.R.C. wire rope (O.R.Q.)\n"
                             "  7) Brydon spiral strand wire rope (unsheathed)\n"
                             "  8) Brydon spiral strand wire rope (unsheathed; remodeled 1995)\n"
                             "\n"
                             "        >>> Synthetic Rope Types <<<\n"
                             " 11) Kevlar stranded rope (Samson)\n"
                             " 12) Braided nylon rope (Samson \"two-in-one\")\n"
                             " 13) Samson Nystron rope\n"
                             " 14) Vermeire 100% polyester braided rope\n"
                             " 15) Vermeire \"Monogrip\" 100% polypropylene rope\n"
                             " 16) Vermeire manilla rope\n"
                             " \n"
                             " Enter number of selection (\"H\" for help): ";
    EXPECT_EQ(e.screen.substr(0, menu.size()), menu);
    // Every other slot's values: weight in air of one inch, and the strength at 2 inches.
    struct Slot {
        int n;
        double WIA, BC1, BC2;
    };
    const Slot slots[] = {{2, 9.5, 101.3, 2},        {3, 8.67, 101.3, 2},
                          {6, 1.856, 91.9, 2},       {7, 2.16, 123.1, 1.981},
                          {8, 2.16, 174, 1.77},      {11, 0.26, 60, 2},
                          {13, 0.316, 42.18, 1.792}, {14, 0.306, 33.09, 1.861},
                          {15, 0.172, 17.62, 1.821}, {16, 0.34, 52.12, 1.717}};
    for (const auto& s : slots) {
        SCOPED_TRACE(::testing::Message() << "slot " << s.n);
        const std::string key = std::to_string(s.n) + "\n";
        expect_near(help(3, 0, 1.0f, key).value, s.WIA * 0.001);
        expect_near(help(2, 0, 2.0f, key).value, s.BC1 * std::pow(2.0, s.BC2));
    }
}

TEST(MaterialEstimator, LeavingAMenuSetsNothing) {
    for (const auto& [mode, keys] : std::vector<std::pair<std::int32_t, std::string>>{
             {0, "\n"}, {0, "4\n\n"}, {0, "1\nF\n"}, {1, "\n"}, {1, "3\n-1\n"}, {2, "B\n"}}) {
        SCOPED_TRACE(keys);
        const Estimate e = help(mode, 0, 3.0f, keys);
        EXPECT_EQ(e.value, -1.0f);
        EXPECT_EQ(e.alpha[0], -1.0f);
    }
}

// One use of the facility for a subline of type 1 with the diameter given.
struct Facility {
    float DIAM = 0, WETWT = 0, DRYWT = 0, TBRK = 0;
    std::array<float, 3> ALPHA = {7, 7, 7};
    std::string screen;
    std::int32_t LBACK = 0; // as the facility leaves it
    float SLEN1 = 0.0f;     // the type's fairlead subline length afterwards
};
Facility facility(float diameter, const std::string& keys, std::int32_t simtyp = 8) {
    ScriptedConsole console(keys);
    testing::fill_new_file();
    TPCM.SIMTYP = simtyp;
    Facility f;
    f.DIAM = diameter;
    TPCM.SLEN(1, 1) = 123.0f;
    HELPUS(f.DIAM, f.WETWT, f.DRYWT, f.TBRK, f.ALPHA, 1);
    f.screen = console.screen();
    f.LBACK = TPCM.LBACK;
    f.SLEN1 = TPCM.SLEN(1, 1);
    return f;
}

TEST(SimulationHelpFacility, EstimatesEveryProperty) {
    const Facility f = facility(3.0f, "1\n3\n1\n2\n1\n3\n2\n1\n4\n1\n\n");
    const Material& m = stud_link_chain;
    expect_near(f.WETWT, (m.SPG - seawater) / m.SPG * 0.09);
    expect_near(f.TBRK, m.BC1 * 9);
    expect_near(f.ALPHA[0], m.ELAS1 / (m.BC1 * 9));
    expect_near(f.DRYWT, 0.09);
    EXPECT_EQ(f.LBACK, 0);
    const std::string menu = "                    ****  Simulation Help Facility  ****\n"
                             "\n"
                             " 1) HELP with submerged weight per unit length...\n"
                             " 2) HELP with breaking strength...\n"
                             " 3) HELP with compliance coefficients...\n"
                             " 4) HELP with dry weight per unit length...\n"
                             " 5) Fairlead subline length for specified tautwire tension...\n"
                             " \n"
                             " Enter number of selection (\"H\" for help): ";
    EXPECT_EQ(f.screen.substr(0, menu.size()), menu);
    EXPECT_EQ(count(f.screen, "****  Simulation Help Facility  ****"), 5);
}

TEST(SimulationHelpFacility, NeedsADiameter) {
    for (const float diameter : {0.0f, -2.0f}) {
        const Facility f = facility(diameter, "\n");
        EXPECT_NE(f.screen.find("\n ++> Subline diameter must be input to obtain help.\n \n"
                                " Press <RETURN> to continue: "),
                  std::string::npos);
        EXPECT_EQ(f.screen.find("1) HELP"), std::string::npos);
        EXPECT_EQ(f.WETWT, 0.0f);
        EXPECT_EQ(f.ALPHA[0], 7.0f);
    }
}

TEST(SimulationHelpFacility, StaticMooringHasNoTautWireItem) {
    const Facility f = facility(3.0f, "5\nF\n", 7);
    EXPECT_EQ(f.screen.find(" 5) Fairlead"), std::string::npos);
    EXPECT_EQ(f.screen.find("REQUIRES"), std::string::npos);
    EXPECT_EQ(count(f.screen, "Simulation Help Facility"), 2); // 5 shows the menu again
    EXPECT_EQ(f.LBACK, code_first);
}

TEST(SimulationHelpFacility, TautWireItemCanBeAborted) {
    const Facility f = facility(3.0f, "5\nA\n\n");
    EXPECT_NE(f.screen.find(" ++> The requested computation REQUIRES the following data:\n"
                            "\n"
                            "     1. Submerged weights for ALL sublines of this type\n"
                            "     2. Elastic coefficients for ALL sublines of this type\n"
                            "     3. Fairlead heights for fairleads of this type\n"
                            "     4. Line pretensions for lines of this type\n"
                            "     5. Anchor depth for this line type\n"
                            "     6. Line numbers corresponding to lines of this type\n"
                            "\n"
                            " The calculation will fail if any data is missing or incorrect.\n"),
              std::string::npos);
    EXPECT_EQ(f.screen.find("WARNING"), std::string::npos); // nothing was computed
    EXPECT_EQ(f.SLEN1, 123.0f);
}

TEST(SimulationHelpFacility, HelpPages) {
    struct Case {
        const char* name;
        std::string keys;
        std::int32_t simtyp;
        int notes;   // " ++> Item Number" headings
        int no_help; // "Sorry" lines
    };
    const Case cases[] = {
        {"all notes of the facility", "?\n\n\n\n\n\n\n", 8, 5, 0},
        {"all notes, static mooring", "?\n\n\n\n\n\n", 7, 4, 0},
        {"item 5, static mooring", "?5\n\n\n", 7, 0, 1},
        {"the compliance source", "3\n?\n\n\n\n\n", 8, 2, 0},
        {"the medium, all items", "1\n?\n\n\n\n", 8, 1, 0},
        {"the medium, item 4", "1\n?4\n\n\n\n", 8, 0, 1},
        {"the materials", "2\n?\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n", 8, 13, 0},
        {"a refused material", "2\n?5\n\n\n\n", 8, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Facility f = facility(3.0f, c.keys, c.simtyp);
        EXPECT_EQ(count(f.screen, " ++> Item Number"), c.notes);
        EXPECT_EQ(count(f.screen, " ++> Sorry, no help for this line..."), c.no_help);
        EXPECT_EQ(f.WETWT, 0.0f);
        EXPECT_EQ(f.TBRK, 0.0f);
    }
}

} // namespace
} // namespace lintar
