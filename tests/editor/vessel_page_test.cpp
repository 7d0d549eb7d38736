// Tests of page 8, the vessel page: the screen, the items of either body, the vessel-type
// sub-page, the help and the way into the tanker screen.
#include "editor/pages.h"
#include "editor/vessel_variables.h"
#include "support/console.h"

#include "blocks/tpcm.h"
#include "runtime/units.h"
#include "util/answer_reader.h"

#include <cstddef>
#include <gtest/gtest.h>
#include <string>

namespace lintar {
namespace {

using testing::ScriptedConsole;

const std::string prompt = " \n Enter number of selection (\"H\" for help): ";

// " nn) label " and dot leaders up to column 57.
std::string leader(std::string_view number, std::string_view label) {
    std::string line = " " + std::string(number) + ") " + std::string(label) + " ";
    line.resize(57, '.');
    return line;
}

// The page of the first body with CREATR 8 and a displacement hull, English units.
std::string vessel_page() {
    const std::string stars(14, '*');
    return " " + stars + "  Page 8: Vessel Hydrostatic Characteristics  " + stars + "\n\n" +
           leader(" 1", "Vessel displacement") + "    1000.00 k.lbs \n" +
           leader(" 2", "Transverse metacentric height (KMT)") + "      35.25 ft    \n" +
           leader(" 3", "Longitudinal metacentric height (KML)") + "     900.00 ft    \n" +
           leader(" 4", "Vertical center of buoyancy (VKB)") + "      10.00 ft    \n" +
           leader(" 5", "Vertical center of gravity (VKG)") + "      20.00 ft    \n" +
           leader(" 6", "LCG-to-Midships distance") + "      -3.50 ft    \n" +
           leader(" 7", "Vessel water plane area") + "   12000.00 ft^2  \n" +
           leader(" 8", "Length of vessel at waterline") + "     300.00 ft    \n" +
           leader(" 9", "Beam of vessel at waterline") + "      50.00 ft    \n" +
           leader("10", "Mean vessel draft") + "      20.00 ft    \n" + "\n" +
           " 12) Help for Tanker-Type Physical Characteristics\n";
}

void first_body_values() {
    auto& T = TPCM;
    T.EDUNIT = screen_unit;
    T.SIMTYP = 8;
    T.VESTYP = 1;
    T.DISPL = 1000.0f;
    T.VKMT = 35.25f;
    T.VKML = 900.0f;
    T.TVKB = 10.0f;
    T.VKG = 20.0f;
    T.CG_to_Midship = -3.5f;
    T.AWP = 12000.0f;
    T.LWL = 300.0f;
    T.BWL = 50.0f;
    T.DRAFT = 20.0f;
}

TEST(VesselPage, ScreenAndOneItemEdited) {
    ScriptedConsole console("2\n36.5\n\n");
    first_body_values();
    VESEL1("8", "Vessel", keyboard_unit, VesselBody::first);
    EXPECT_EQ(TPCM.VKMT, 36.5f);
    EXPECT_EQ(TPCM.LBACK, 0);
    std::string after = vessel_page();
    after.replace(after.find("35.25"), 5, "36.50");
    EXPECT_EQ(console.screen(), vessel_page() + prompt +
                                    leader(" 2", "Transverse metacentric height (KMT)") +
                                    "      35.25 ft    \n Enter new value: " + after + prompt);
}

TEST(VesselPage, MetricUnitsAndOtherTypes) {
    ScriptedConsole console("\n");
    first_body_values();
    TPCM.NUNTS = 1;
    TPCM.VESTYP = 3;
    TPCM.SIMTYP = 13;
    VESEL1("8", "Vessel", keyboard_unit, VesselBody::first);
    const std::string s = console.screen();
    EXPECT_NE(s.find(leader(" 1", "Vessel displacement") + "    1000.00 m.ton \n"),
              std::string::npos);
    EXPECT_NE(s.find(leader(" 7", "Vessel water plane area") + "   12000.00 m^2   \n"),
              std::string::npos);
    EXPECT_NE(s.find("      20.00 m     \n\n" + leader("11", "Vessel type for simulation") +
                     " Semisubmersible\n" + prompt),
              std::string::npos); // no tanker entry for a semisubmersible
}

TEST(VesselPage, SecondBodyEditsItsOwnSection) {
    ScriptedConsole console("10\n7.5\n1\n500\n\n");
    TPCM.EDUNIT = screen_unit;
    TPCM.SIMTYP = 8;
    TPCM.BVSTYP = 1;
    TPCM.DRAFT = 1.0f;
    TPCM.DISPL = 2.0f;
    VESEL1("8", "Vessel", keyboard_unit, VesselBody::second);
    EXPECT_EQ(TPCM.BDRAFT, 7.5f);
    EXPECT_EQ(TPCM.BDISPL, 500.0f);
    EXPECT_EQ(TPCM.DRAFT, 1.0f);
    EXPECT_EQ(TPCM.DISPL, 2.0f);
}

TEST(VesselPage, BodiesBindTheSameMembersOfTheirSections) {
    const VesselVariables first = vessel_variables(VesselBody::first);
    const VesselVariables second = vessel_variables(VesselBody::second);
    const auto distance = [](const auto& a, const auto& b) {
        return reinterpret_cast<const std::byte*>(&b) - reinterpret_cast<const std::byte*>(&a);
    };
    const std::ptrdiff_t section = distance(TPCM.VESTYP, TPCM.BVSTYP);
    EXPECT_EQ(section, 4 * (tpcm_second_body_section.first - tpcm_vessel_section.first));
    const auto same = [&](const auto& a, const auto& b, const char* name) {
        SCOPED_TRACE(name);
        EXPECT_EQ(distance(a, b), section);
    };
    same(first.SEMI_LIKE, second.SEMI_LIKE, "SEMI_LIKE");
    same(first.DISPL, second.DISPL, "DISPL");
    same(first.VKB, second.VKB, "VKB");
    same(first.VKG, second.VKG, "VKG");
    same(first.DRAFT, second.DRAFT, "DRAFT");
    same(first.AWP, second.AWP, "AWP");
    same(first.VKMT, second.VKMT, "VKMT");
    same(first.VKML, second.VKML, "VKML");
    same(first.LWL, second.LWL, "LWL");
    same(first.BWL, second.BWL, "BWL");
    same(first.CG_to_Midship, second.CG_to_Midship, "CG_to_Midship");
    same(first.XWNDAR, second.XWNDAR, "XWNDAR");
    same(first.YWNDAR, second.YWNDAR, "YWNDAR");
    same(first.XCURAR, second.XCURAR, "XCURAR");
    same(first.YCURAR, second.YCURAR, "YCURAR");
    same(first.PGYR, second.PGYR, "PGYR");
    same(first.RGYR, second.RGYR, "RGYR");
    same(first.YGYR, second.YGYR, "YGYR");
    same(first.BILGR, second.BILGR, "BILGR");
    same(first.DWTONS, second.DWTONS, "DWTONS");
    same(first.LOADED, second.LOADED, "LOADED");
    same(first.DFTPCT, second.DFTPCT, "DFTPCT");
    same(first.DSPPCT, second.DSPPCT, "DSPPCT");
}

TEST(VesselPage, HiddenItemsOnlyRedraw) {
    struct Case {
        std::string name, keys;
        std::int32_t VESTYP;
    };
    const Case cases[] = {
        {"type item of this program", "11\n\n", 1},
        {"tanker item of a semisubmersible", "12\n\n", 3},
        {"a number past the items", "13\n\n", 1},
        {"help for the hidden type item", "?11\n\n", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console(c.keys);
        first_body_values();
        TPCM.VESTYP = c.VESTYP;
        VESEL1("8", "Vessel", keyboard_unit, VesselBody::first);
        const std::string s = console.screen();
        const std::string first_screen = s.substr(0, s.find(prompt) + prompt.size());
        EXPECT_EQ(s, first_screen + first_screen);
        EXPECT_EQ(TPCM.VESTYP, c.VESTYP);
    }
}

TEST(VesselPage, VesselTypeSubPage) {
    struct Case {
        std::string answer;
        std::int32_t CREATR, VESTYP, SEMI_LIKE;
    };
    const Case cases[] = {
        {"4", 13, 4, 0}, {"5", 13, 5, 1}, {"0", 13, 2, 0},
        {"9", 13, 6, 1}, {"B", 13, 2, 0}, {"0", 3, 2, 1}, // the short menu sets SEMI_LIKE at once
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer + " for program type " + std::to_string(c.CREATR));
        ScriptedConsole console("11\n" + c.answer + "\n\n");
        first_body_values();
        TPCM.SIMTYP = c.CREATR;
        TPCM.VESTYP = 2;
        TPCM.SEMI_LIKE = 0;
        VESEL1("8", "Vessel", keyboard_unit, VesselBody::first);
        EXPECT_EQ(TPCM.VESTYP, c.VESTYP);
        EXPECT_EQ(TPCM.SEMI_LIKE, c.SEMI_LIKE);
    }
    ScriptedConsole console("11\n\n\n");
    first_body_values();
    TPCM.SIMTYP = 13;
    VESEL1("8", "Vessel", keyboard_unit, VesselBody::first);
    EXPECT_NE(console.screen().find(
                  "\n\n +++   Vessel type for wave-frequency dynamics simulation  +++\n\n"
                  " 1) Displacement hull (ship/barge/tanker)\n 2) Floating Jack-up\n"
                  " 3) Semisubmersible\n 4) Disc-shaped vessel (CALM buoy, arctic drillship)\n"
                  " 5) Tension Leg Platform\n 6) Caisson Spar\n" +
                  prompt),
              std::string::npos);
}

TEST(VesselPage, HelpNotes) {
    const std::string rule = " " + std::string(40, '*') + "\n";
    ScriptedConsole console("?6\n\n\n");
    first_body_values();
    VESEL1("8", "Vessel", keyboard_unit, VesselBody::first);
    EXPECT_NE(console.screen().find(
                  rule + "         Vessel Definition Notes\n" + rule + "\n ++> Item Number 6\n\n" +
                  "     Longitudinal CG-to-Midships (the Lpp/2 point, usually) distance;\n"
                  "     used with OCIMF-type moment coefficients; positive for CG aft of "
                  "Midships.\n\n \n Press <RETURN> to continue: "),
              std::string::npos);

    // All notes: three pauses inside, one at the end, the vessel-type note left out here.
    ScriptedConsole all("?\n\n\n\n\n\n");
    first_body_values();
    VESEL1("8", "Vessel", keyboard_unit, VesselBody::first);
    const std::string s = all.screen();
    std::size_t pauses = 0;
    for (auto at = s.find("Press <RETURN>"); at != std::string::npos;
         at = s.find("Press <RETURN>", at + 1))
        ++pauses;
    EXPECT_EQ(pauses, 4u);
    EXPECT_EQ(s.find("Vessel type specification"), std::string::npos);
    EXPECT_NE(s.find("     (greater than about .75 or so).\n\n \n Press"), std::string::npos);
}

TEST(VesselPage, MirrorPassWritesThePageOnce) {
    ScriptedConsole console("");
    first_body_values();
    TPCM.LCOPY = 1;
    VESEL1("8", "Vessel", keyboard_unit, VesselBody::first);
    EXPECT_EQ(TPCM.LBACK, 0);
    EXPECT_EQ(console.screen(), vessel_page() + "\n\n\n");
}

} // namespace
} // namespace lintar
