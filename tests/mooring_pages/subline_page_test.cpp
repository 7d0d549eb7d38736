// Tests of page 4, subline specifics: the screens as the layout gives them, the walk over line
// types and sublines, the items and their answers, the page commands and the help notes.
#include "mooring_pages/mooring_pages.h"
#include "mooring_pages/subline_page.h"
#include "support/console.h"

#include "blocks/tpcm.h"
#include "runtime/units.h"
#include "support/mooring_fixture.h"
#include "util/answer_reader.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::ScriptedConsole;

// The item prefixes with their dot leaders, to column 52.
// clang-format off
constexpr std::string_view item3  = "  3) Subline composition ...........................";
constexpr std::string_view item4  = "  4) Subline length ................................";
constexpr std::string_view item5  = "  5) Subline outside diameter ......................";
constexpr std::string_view item6  = "  6) Immersed weight/unit length ...................";
constexpr std::string_view item7  = "  7) Dry weight/unit length ........................";
constexpr std::string_view item8  = "  8) Breaking strength .............................";
constexpr std::string_view item9  = "  9) Added mass coefficient ........................";
constexpr std::string_view item10 = " 10) Transverse drag coefficient ...................";
constexpr std::string_view item11 = " 11) Take elastic properties from an input file? .. ";
constexpr std::string_view item12 = " 12) Compliance coefficient #1  (alpha1) ...........";
constexpr std::string_view item13 = " 13) Compliance coefficient #2  (alpha2) ...........";
constexpr std::string_view item14 = " 14) Compliance coefficient #3  (alpha3) ...........";
constexpr std::string_view item16 = " 16) Bottom is transparent to mooring line .........";
constexpr std::string_view item17 = " 17) Anchor depth for this leg type ................";
constexpr std::string_view item21 = " 21) >> HELP << for subline physical property estimates";
// The page unit labels, 16 characters.
constexpr std::string_view feet   = " feet           ";
constexpr std::string_view inches = " inches         ";
constexpr std::string_view lbs_ft = " lbs/foot       ";
constexpr std::string_view kips   = " kips           ";
// clang-format on

std::string cat(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const auto part : parts)
        text += part;
    return text;
}

std::vector<std::string> lines_of_text(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

void set_name(int s, int t, std::string name) {
    name.resize(8, ' ');
    std::copy(name.begin(), name.end(), TPCM.SCOMP(s, t).begin());
}

// Two line types in English units: A, a chain of one subline on three lines with its anchor
// depth set; B, a wire (taken from the strain database) over a chain on seventeen lines.
void fill_two_types() {
    testing::fill_new_file();
    TPCM.NTYP = 2;
    TPCM.NELEM(1) = 1;
    TPCM.NELEM(2) = 2;
    TPCM.ANCDEF = 1;
    set_name(1, 1, "CHAIN");
    TPCM.SLEN(1, 1) = 2000.0f;
    TPCM.DIAM(1, 1) = 3.0f;
    TPCM.WETWT(1, 1) = 0.07821f;
    TPCM.DRYWT(1, 1) = 0.09f;
    TPCM.TBRK(1, 1) = 970.2f;
    TPCM.COFDMT(1, 1) = 2.5f;
    TPCM.ALPHA(1, 1, 1) = 9.771e-6f;
    TPCM.ANCHGT(1) = 300.0f;
    TPCM.ANCTYP(1) = 1;
    TPCM.NLINE(1) = 3;
    TPCM.LINTYP(1, 1) = 1;
    TPCM.LINTYP(2, 1) = 3;
    TPCM.LINTYP(3, 1) = 5;
    set_name(1, 2, "WIRE");
    TPCM.SLEN(1, 2) = 1500.0f;
    TPCM.DIAM(1, 2) = 3.5f;
    TPCM.WETWT(1, 2) = 0.0195f;
    TPCM.DRYWT(1, 2) = 0.0227f;
    TPCM.TBRK(1, 2) = 1100.0f;
    TPCM.STRESS_STRAIN_FILE(2) = 1; // subline 1
    set_name(2, 2, "CHAIN2");
    TPCM.SLEN(2, 2) = 500.25f;
    TPCM.DIAM(2, 2) = 3.0f;
    TPCM.WETWT(2, 2) = 0.25f;
    TPCM.DRYWT(2, 2) = 0.3f;
    TPCM.TBRK(2, 2) = 970.2f;
    TPCM.ALPHA(1, 2, 2) = 1.25e-5f;
    TPCM.ALPHA(2, 2, 2) = -3.5e-9f;
    TPCM.ALPHA(3, 2, 2) = 2.0e-12f;
    TPCM.ANCHGT(2) = 310.5f;
    TPCM.ANCTYP(2) = 0;
    TPCM.NLINE(2) = 17;
    for (int k = 1; k <= 17; ++k)
        TPCM.LINTYP(k, 2) = 2 * k;
}

TEST(SublinePage, MirrorPassWritesEveryScreen) {
    ScriptedConsole console;
    fill_two_types();
    TPCM.LCOPY = 1;
    TPCM.LBACK = 5;
    ONELEG("4");
    EXPECT_EQ(TPCM.LBACK, 0);
    EXPECT_EQ(TPCM.LCOPY, 4); // one TWOPG per screen
    const std::vector<std::string> expected = {
        "                 ****** Page 4A:  Subline Specifics *****",
        "          (\"C\", \"D\", \"I\", \"X\" to Copy, Delete, Insert, Exchange)",
        "",
        " ---> Subline attached to fairlead",
        " ---> Subline attached to anchor",
        "",
        "  1) Mooring leg type A (type 1 of 2)",
        "  2) Subline number: 1 of 1",
        "",
        cat({item3, "     CHAIN   "}),
        cat({item4, "   2000.00", feet}),
        cat({item5, "      3.00", inches}),
        cat({item6, "     78.21", lbs_ft}),
        cat({item7, "     90.00", lbs_ft}),
        cat({item8, "    970.20", kips}),
        cat({item9, "      1.00"}),
        cat({item10, "      2.50"}),
        "",
        cat({item11, "No "}),
        cat({item12, " 0.977E-05 (k.lbs)**-1"}),
        cat({item13, " 0.000E+00 (k.lbs)**-2"}),
        cat({item14, " 0.000E+00 (k.lbs)**-3"}),
        "",
        cat({item16, "No "}),
        cat({item17, "    300.00", feet}),
        "",
        " 20) Type A line numbers:   1,  3,  5,",
        "",
        std::string(item21),
        "", // TWOPG: the second screen of the mirror file, three empty lines
        "",
        "",
        "                 ****** Page 4B:  Subline Specifics *****",
        "          (\"C\", \"D\", \"I\", \"X\" to Copy, Delete, Insert, Exchange)",
        "",
        " ---> Subline attached to fairlead",
        "",
        "  1) Mooring leg type B (type 2 of 2)",
        "  2) Subline number: 1 of 2",
        "",
        cat({item3, "     WIRE    "}),
        cat({item4, "   1500.00", feet}),
        cat({item5, "      3.50", inches}),
        cat({item6, "     19.50", lbs_ft}),
        cat({item7, "     22.70", lbs_ft}),
        cat({item8, "   1100.00", kips}),
        cat({item9, "      1.00"}),
        cat({item10, "      1.00"}),
        "",
        cat({item11, "Yes"}),
        "",
        "     [You must provide a maximum of 30 (tension, elongation) values for",
        "     (type, subline) = (2,1) in the LINE_STRAIN_DB.txt database file.]",
        "",
        " 20) Type B line numbers:   2,  4,  6,  8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30,"
        " 32,",
        "                           34,",
        "",
        std::string(item21),
        // TWOPG: a new page, which on a screen that is no terminal writes nothing.
        "                 ****** Page 4B:  Subline Specifics *****",
        "          (\"C\", \"D\", \"I\", \"X\" to Copy, Delete, Insert, Exchange)",
        "",
        " ---> Subline attached to anchor",
        "",
        "  1) Mooring leg type B (type 2 of 2)",
        "  2) Subline number: 2 of 2",
        "",
        cat({item3, "     CHAIN2  "}),
        cat({item4, "    500.25", feet}),
        cat({item5, "      3.00", inches}),
        cat({item6, "    250.00", lbs_ft}),
        cat({item7, "    300.00", lbs_ft}),
        cat({item8, "    970.20", kips}),
        cat({item9, "      1.00"}),
        cat({item10, "      1.00"}),
        "",
        cat({item11, "No "}),
        cat({item12, " 0.125E-04 (k.lbs)**-1"}),
        cat({item13, "-0.350E-08 (k.lbs)**-2"}),
        cat({item14, " 0.200E-11 (k.lbs)**-3"}),
        "",
        cat({item16, "Yes"}),
        cat({item17, "    310.50", feet}),
        "",
        std::string(item21),
        "",
        "",
        "",
    };
    EXPECT_EQ(lines_of_text(console.screen()), expected);
}

TEST(SublinePage, MetricUnitsAndTheHawser) {
    ScriptedConsole console;
    fill_two_types();
    TPCM.NUNTS = 1;
    TPCM.IARCO = 1;
    TPCM.HAWSTP = 2;
    TPCM.LCOPY = 1;
    ONELEG("4");
    const std::string screen = console.screen();
    for (const std::string& line : {
             cat({item4, "   2000.00", " meters         "}),
             cat({item5, "      3.00", " millimeters    "}),
             cat({item6, "     78.21", " kgw/meter      "}),
             cat({item8, "    970.20", " metric tons    "}),
             cat({item12, " 0.977E-05 (m.ton)**-1"}),
             std::string("  1) Hawser comprising line type B (type 2)"),
             std::string(" ---> Subline attached to buoy"),
             std::string(" ---> Subline attached to tanker"),
         }) {
        SCOPED_TRACE(line);
        EXPECT_NE(screen.find("\n" + line + "\n"), std::string::npos);
    }
    // The hawser has no anchor: no bottom and no anchor depth on its last subline.
    EXPECT_EQ(screen.find(" 16) Bottom is transparent", screen.find("Page 4B")), std::string::npos);
}

// The headings of the screens shown, in order ("4A", "4C", ...), and the code left in LBACK.
struct Walk {
    std::vector<std::string> screens;
    std::int32_t LBACK;
};
Walk walk(const std::string& keys, void (*arrange)()) {
    ScriptedConsole console(keys);
    testing::fill_new_file();
    arrange();
    ONELEG("4");
    Walk result{{}, TPCM.LBACK};
    const std::string screen = console.screen();
    for (auto at = screen.find("****** Page "); at != std::string::npos;
         at = screen.find("****** Page ", at + 1))
        result.screens.push_back(screen.substr(at + 12, 2));
    return result;
}

// Types A (1 subline), B (none), C (2 sublines).
void three_types() {
    TPCM.NTYP = 3;
    TPCM.NELEM(1) = 1;
    TPCM.NELEM(2) = 0;
    TPCM.NELEM(3) = 2;
}

TEST(SublinePage, WalksForwardAndBackOverTypesWithoutSublines) {
    using S = std::vector<std::string>;
    struct Case {
        const char* name;
        std::string keys;
        S screens;
        std::int32_t LBACK;
    };
    const Case cases[] = {
        {"Return through all", "\n\n\n", {"4A", "4C", "4C"}, 0},
        {"back from subline 1 passes over the type without sublines",
         "\n\nB\nB\nB\n",
         {"4A", "4C", "4C", "4C", "4A"},
         code_back},
        {"back from the first screen leaves the page", "B\n", {"4A"}, code_back},
        {"a page command leaves the page with its code", "\nF\n", {"4A", "4C"}, code_first},
        {"redraw, M, help and an item number above 21 stay",
         "H\n\nM\n?2\n\n30\n18\n\n\n\n",
         {"4A", "4A", "4A", "4A", "4A", "4A", "4C", "4C"},
         0},
        {"a type chosen without sublines moves on to the next",
         "1\nB\n\n\n",
         {"4A", "4C", "4C"},
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Walk w = walk(c.keys, three_types);
        EXPECT_EQ(w.screens, c.screens);
        EXPECT_EQ(w.LBACK, c.LBACK);
    }
    // No type with sublines: no screen, and the page goes on to the next.
    const Walk none = walk("", [] {
        TPCM.NTYP = 2;
        TPCM.NELEM(1) = 0;
        TPCM.NELEM(2) = 0;
    });
    EXPECT_TRUE(none.screens.empty());
    EXPECT_EQ(none.LBACK, 0);
    const Walk no_types = walk("", [] { TPCM.NTYP = 0; });
    EXPECT_TRUE(no_types.screens.empty());
    EXPECT_EQ(no_types.LBACK, 0);
}

// Forty types of one subline each.
void forty_types() {
    TPCM.NTYP = 40;
}

TEST(SublinePage, ChoosesTypesByLetterOrNumber) {
    struct Case {
        const char* name;
        std::string answer;
        std::string screen; // the heading after the answer
        int prompts;        // "Enter new type" prompts written
    };
    const Case cases[] = {
        {"a capital letter", "C", "4C", 1},
        {"letters are case sensitive: a is type 33", "a", "4a", 1},
        {"[ is type 27", "[", "4[", 1},
        {"a number", "12", "4L", 1},
        {"a letter beyond the types in use chooses the last", "z", "4h", 1},
        {"a number beyond the types changes nothing", "41", "4A", 1},
        {"0 changes nothing", "0", "4A", 1},
        {"a blank answer changes nothing", "", "4A", 1},
        {"characters below A ask again", "@\n5", "4E", 2},
        {"a letter beyond the last possible type asks again", "\xE0\n2", "4B", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console("1\n" + c.answer + "\nF\n");
        testing::fill_new_file();
        forty_types();
        ONELEG("4");
        const std::string screen = console.screen();
        const auto last = screen.rfind("****** Page ");
        EXPECT_EQ(screen.substr(last + 12, 2), c.screen);
        EXPECT_NE(screen.find("  1) Line type A (type 1 of 40)\n"), std::string::npos);
        int prompts = 0;
        for (auto at = screen.find("Enter new type (case sensitive letter *or* number): ");
             at != std::string::npos; at = screen.find("Enter new type", at + 1))
            ++prompts;
        EXPECT_EQ(prompts, c.prompts);
    }
    // With one type in use item 1 asks nothing.
    ScriptedConsole console("1\nF\n");
    testing::fill_new_file();
    ONELEG("4");
    EXPECT_EQ(console.screen().find("Enter new type"), std::string::npos);
}

TEST(SublinePage, ChoosesSublinesWithinTheType) {
    struct Case {
        std::string answer;
        std::string shown; // "Subline number: n of 5" on the next screen
    };
    const Case cases[] = {{"3", "3"}, {"0", "1"}, {"40", "5"}, {"-1", "1"}, {"", "2"}};
    for (const auto& c : cases) {
        SCOPED_TRACE("answer \"" + c.answer + "\"");
        ScriptedConsole console("\n2\n" + c.answer + "\nF\n");
        testing::fill_new_file();
        TPCM.NELEM(1) = 5;
        ONELEG("4");
        const std::string screen = console.screen();
        const auto last = screen.rfind("Subline number: ");
        EXPECT_EQ(screen.substr(last + 16, 6), c.shown + " of 5");
    }
}

TEST(SublinePage, WeightsAreShownTimesAThousand) {
    ScriptedConsole console("6\n250\n7\n\nF\n");
    testing::fill_new_file();
    TPCM.DRYWT(1, 1) = 0.3f; // kept by the blank answer, exactly
    ONELEG("4");
    EXPECT_EQ(TPCM.WETWT(1, 1), 0.25f);
    EXPECT_EQ(TPCM.DRYWT(1, 1), 0.3f);
    const std::string screen = console.screen();
    // The item is shown again before the answer, then the redrawn page shows the new value.
    EXPECT_NE(screen.find(cat({item6, "      0.00", lbs_ft, "\n Enter new value: "})),
              std::string::npos);
    EXPECT_NE(screen.find(cat({"\n", item6, "    250.00", lbs_ft, "\n"})), std::string::npos);
    EXPECT_NE(screen.find(cat({item7, "    300.00", lbs_ft, "\n Enter new value: "})),
              std::string::npos);
}

TEST(SublinePage, ItemsEditTheSublineAndItsType) {
    ScriptedConsole console("3\nPOLY ROPE\n" // cut to 8 characters
                            "3\n\n"          // a blank name keeps it
                            "4\n1234.5\n5\n4\n8\n510\n9\n0.9\n10\n1.2\n"
                            "12\n2.5e-5\n13\n-1e-8\n14\n3e-12\n"
                            "16\n"       // the bottom becomes transparent
                            "17\n-250\n" // anchor depth
                            "11\n"       // from the strain database
                            "12\n"       // then hidden: nothing asked
                            "F\n");
    testing::fill_new_file();
    TPCM.ANCDEF = 1;
    ONELEG("4");
    EXPECT_EQ(std::string(TPCM.SCOMP(1, 1).data(), 8), "POLY ROP");
    EXPECT_EQ(TPCM.SLEN(1, 1), 1234.5f);
    EXPECT_EQ(TPCM.DIAM(1, 1), 4.0f);
    EXPECT_EQ(TPCM.TBRK(1, 1), 510.0f);
    EXPECT_EQ(TPCM.COFMST(1, 1), 0.9f);
    EXPECT_EQ(TPCM.COFDMT(1, 1), 1.2f);
    EXPECT_EQ(TPCM.ALPHA(1, 1, 1), 2.5e-5f);
    EXPECT_EQ(TPCM.ALPHA(2, 1, 1), -1e-8f);
    EXPECT_EQ(TPCM.ALPHA(3, 1, 1), 3e-12f); // kept while hidden
    EXPECT_EQ(TPCM.ANCTYP(1), 0);
    EXPECT_EQ(TPCM.ANCHGT(1), -250.0f);
    EXPECT_EQ(TPCM.STRESS_STRAIN_FILE(1), 1);
    const std::string screen = console.screen();
    EXPECT_NE(screen.find(cat({"\n", item16, "Yes\n"})), std::string::npos);
    const std::string last_screen = screen.substr(screen.rfind("****** Page"));
    EXPECT_NE(last_screen.find("(type, subline) = (1,1) in the LINE_STRAIN_DB.txt"),
              std::string::npos);
    EXPECT_EQ(last_screen.find(" 12) Compliance"), std::string::npos);
    // Item 12 hidden: the page is drawn again without a prompt.
    const auto before_last = screen.rfind("Enter number of selection", screen.rfind("****** Page"));
    EXPECT_EQ(screen.find("Enter new value", before_last), std::string::npos);
}

TEST(SublinePage, ItemsThatDoNotApplyAskNothing) {
    // Subline 2 of 3: no bottom, anchor depth or line numbers; items 15, 18 and 19 never
    // exist in this program; item 17 needs anchor depths per type.
    ScriptedConsole console("\n15\n16\n17\n18\n19\n20\nF\n");
    testing::fill_new_file();
    TPCM.NELEM(1) = 3;
    TPCM.ANCDEF = 1;
    ONELEG("4");
    const std::string screen = console.screen();
    EXPECT_EQ(screen.find("Enter new"), std::string::npos);
}

TEST(SublinePage, StaticMooringShowsBuoyAndClump) {
    ScriptedConsole console("15\n12.5\n\n15\n7\nF\n");
    testing::fill_new_file();
    TPCM.SIMTYP = 7;
    TPCM.NELEM(1) = 2;
    ONELEG("4");
    EXPECT_EQ(TPCM.SPRGBY(1), 12.5f);
    EXPECT_EQ(TPCM.CLUMP(1), 7.0f);
    const std::string screen = console.screen();
    EXPECT_NE(screen.find("\n\n 15) Buoyancy of spring buoy .......................     12.50"),
              std::string::npos);
    EXPECT_NE(screen.find("\n\n 15) Clump weight ..................................      7.00"),
              std::string::npos);
    EXPECT_EQ(screen.find(" 7) Dry weight"), std::string::npos);
    EXPECT_EQ(screen.find(" 11) Take elastic"), std::string::npos);
    EXPECT_EQ(screen.find(" 16) Bottom"), std::string::npos);
}

TEST(SublinePage, LineNumbersInTheColumnEditor) {
    // Row 2 of type A's line numbers becomes 7 (typed 7.9: truncated back).
    ScriptedConsole console("20\n2\n7.9\n\n\nF\n");
    testing::fill_new_file();
    TPCM.NLINE(1) = 3;
    ONELEG("4");
    EXPECT_EQ(TPCM.LINTYP(1, 1), 1);
    EXPECT_EQ(TPCM.LINTYP(2, 1), 7);
    EXPECT_EQ(TPCM.LINTYP(3, 1), 3);
    EXPECT_EQ(TPCM.LINTYP(4, 1), 4); // beyond the type's lines: untouched
    EXPECT_NE(console.screen().find(" Type A line numbers\n"), std::string::npos);
}

TEST(SublinePage, HelpNotes) {
    struct Case {
        const char* name;
        std::int32_t simtyp;
        std::string keys;
        std::vector<std::string> found, absent;
    };
    const Case cases[] = {
        {"one note", 8, "?5\n\n", {" ++> Item Number   5\n     The nominal outside diameter"}, {}},
        {"no note", 8, "?4\n\n", {" ++> Sorry, no help for this line..."}, {"Item Number"}},
        {"a note left out for program code 7",
         7,
         "?9\n\n",
         {"****  Line Definition Notes  ****\n\n \n Press <RETURN>"},
         {"Sorry", "Item Number"}},
        {"all notes",
         8,
         "?\n\n\n\n\n\n\n\n\n\n\n\n",
         {" ++> Item Number   3\n", " ++> Item Numbers 12 -> 14\n", " ++> Item Number  17\n"},
         {"Sorry"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console(c.keys + "F\n");
        testing::fill_new_file();
        TPCM.SIMTYP = c.simtyp;
        ONELEG("4");
        const std::string screen = console.screen();
        for (const auto& text : c.found)
            EXPECT_NE(screen.find(text), std::string::npos) << text;
        for (const auto& text : c.absent)
            EXPECT_EQ(screen.find(text), std::string::npos) << text;
    }
}

TEST(SublinePage, CommandsWorkOnTheCurrentSlot) {
    // On subline 2 of type A: insert a subline there, then copy subline 1 of type B into it;
    // then on type B (item 1), exchange it whole with type A.
    ScriptedConsole console("\nI\nE\nC\nB\n1\n1\nB\nX\nT\nA\nF\n");
    testing::fill_new_file();
    TPCM.NTYP = 2;
    TPCM.NELEM(1) = 3;
    TPCM.NELEM(2) = 2;
    for (int s = 1; s <= 3; ++s) {
        TPCM.SLEN(s, 1) = static_cast<float>(10 + s);
        TPCM.SLEN(s, 2) = static_cast<float>(20 + s);
    }
    ONELEG("4");
    EXPECT_EQ(TPCM.SLEN(1, 2), 11.0f);
    EXPECT_EQ(TPCM.SLEN(2, 2), 21.0f);
    EXPECT_EQ(TPCM.SLEN(3, 2), 12.0f);
    EXPECT_EQ(TPCM.SLEN(4, 2), 13.0f);
    EXPECT_EQ(TPCM.SLEN(1, 1), 21.0f);
    EXPECT_EQ(TPCM.SLEN(2, 1), 22.0f);
    EXPECT_EQ(TPCM.LBACK, code_first);
}

TEST(ReadType, AnswerForms) {
    struct Case {
        std::string answer;
        bool CR;
        char AVAL;
        std::int32_t NUMVAL;
    };
    const Case cases[] = {
        {"", true, ' ', 0},       {"   ", true, ' ', 0},  {"12", false, ' ', 12},
        {"998", false, ' ', 998}, {"999", false, ' ', 0}, {"0", false, ' ', 0},
        {"1x", true, ' ', 0},     {"b", false, 'b', 0},   {"Bob", false, 'B', 0},
        {" C", false, 'C', 0},    {"-3", false, '-', 0},  {"1234", false, ' ', 123},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("answer \"" + c.answer + "\"");
        ScriptedConsole console(c.answer + "\n");
        bool CR = !c.CR;
        char AVAL = '#';
        std::int32_t NUMVAL = -5;
        READ_TYPE(CR, AVAL, NUMVAL, keyboard_unit);
        EXPECT_EQ(CR, c.CR);
        EXPECT_EQ(AVAL, c.AVAL);
        EXPECT_EQ(NUMVAL, c.NUMVAL);
    }
}

// The single-letter type entry: its prompt, then the first character of the answer.
TEST(EnterType, PromptsAndReadsOneCharacter) {
    for (const auto& [answer, letter] :
         {std::pair<std::string, char>{"C", 'C'}, {"bx", 'b'}, {"", ' '}}) {
        SCOPED_TRACE("answer \"" + answer + "\"");
        ScriptedConsole console(answer + "\n");
        char ANSWER = '#';
        ENTER_TYPE(ANSWER, screen_unit, keyboard_unit);
        EXPECT_EQ(console.screen(), " Enter new type: ");
        EXPECT_EQ(ANSWER, letter);
    }
}

} // namespace
} // namespace lintar
