// Tests of the static line report STTOUT, as the line-table stage writes it: the section
// layouts (typed from the report's description; the numbers are the tables' own, whose values
// the line-table tests check), the element groups, the console pauses and the plot curves.
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/line_tables.h"
#include "runtime/edit_descriptors.h"
#include "support/console.h"
#include "support/mooring_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;

constexpr float deg = 57.295776f;

// The spread mooring (English units) with the report on the disk file, one layer row and
// four table points from 50 to 400 kips; subline 2 takes its law from the strain database
// (the same linear law as its compliance).
void small_report_case() {
    fill_spread_mooring();
    TPCM.NLAYER = 1;
    TPCM.NUMTAB = 4;
    TPCM.HMIN = 50.0f;
    TPCM.TLOAD = 400.0f;
    TPCM.IUNIT = 1;
    TPCM.STAMOT = 1;
    TPCM.STRESS_STRAIN_FILE(1) = 0b10;
}
const std::string small_database = "3 1 2\n0 0\n300 0.00225\n1000 0.0075\n";

struct ReportRun {
    ScratchFolder folder;
    ScriptedConsole console;
    std::optional<StopKind> stop;

    ReportRun(const std::function<void()>& fill, std::string keyboard = "")
        : console(std::move(keyboard)) {
        folder.write("LINE_STRAIN_DB.txt", small_database);
        fill();
        stop = run_until_stop([] { MRSTAT(); });
    }
    // The pages of a file: the text after each form feed.
    std::vector<std::string> pages(const std::string& name) const {
        const std::string text = folder.read(name);
        std::vector<std::string> out;
        for (auto at = text.find("\f\n"); at != std::string::npos;) {
            const auto next = text.find("\f\n", at + 2);
            out.push_back(
                text.substr(at + 2, next == std::string::npos ? std::string::npos : next - at - 2));
            at = next;
        }
        return out;
    }
};

const std::string frame = "  **" + std::string(72, ' ') + "**\n";

std::string table_rows(int L, int t) {
    const LincomBlock& C = LINCOM;
    std::string rows;
    for (int k = 1; k <= TPCM.NUMTAB; ++k) {
        float end = C.BOTOMZ;
        if (k > 1) {
            end = C.HLOD(k) / std::cos(C.BOTANG(k, L, t)) - C.FFRICT(k, L, t);
            end = end < 0.0f ? 0.0f : end;
        }
        rows += "   " + I(k, 2) + F(C.TOPTEN(k, L, t), 11, 2) + F(end, 11, 2) +
                F(C.HLOD(k), 11, 2) + F(C.TOPANG(k, L, t) * deg, 9, 1) +
                F(C.BOTANG(k, L, t) * deg, 9, 1) + "   " + F(C.ANCDST(k, L, t), 10, 2) +
                F(C.BOTLEN(k, L, t), 10, 2) + "\n";
    }
    return rows;
}

TEST(StaticLineReport, SectionOneHoldsTheSublinesAndTheInterpolationTable) {
    ReportRun run(small_report_case);
    ASSERT_FALSE(run.stop.has_value()) << run.console.screen();
    const auto pages = run.pages("CATOUT.stxt");
    ASSERT_EQ(pages.size(), 2u); // the title page and Section I
    const std::string expected =
        frame + "  *********************  I.  Line Characteristics Summary  *******************\n" +
        frame +
        "\n"
        " >>> Line Type A of  1 type(s) \n"
        "     Endpoint vertical separation =   280.00 ft\n"
        "\n"
        "\n"
        " - Segment -  Length  Nominal  Submerged   ----   Elastic Coefficients   ----\n"
        "    Type              Diameter   Weight      Alpha 1     Alpha 2     Alpha 3\n"
        "               (ft)     (in)    (lbs/ft)   (k.lbs**-1) (k.lbs**-2) (k.lbs**-3)\n"
        "\n"
        "  1  CHAIN3   1000.00    3.00     78.30     0.100E-04   0.000E+00   0.000E+00\n"
        "  2  CHAIN3.5 1500.00    3.50    106.60  -> (TABULAR STRESS-STRAIN DATA FILE)\n"
        "\n"
        " -----------------------------------------------------------------------------\n"
        "  Table    Top     Anchor    Horizontal  -- Line angle --   Endpoint   Bottom\n"
        "  Index  Tension   Tension    Tension      Top     Anchor  Separation  Length\n"
        "         (k.lbs)   (k.lbs)    (k.lbs)    --   (deg)   ---     (ft)      (ft)\n"
        "\n" +
        table_rows(1, 1);
    EXPECT_EQ(pages[1], expected);
    // The first row's end tension is the anchor-end tension at zero load (0 on a slack
    // chain); a row whose friction exceeds its anchor-end tension shows 0.
    EXPECT_EQ(LINCOM.BOTOMZ, 0.0f);
    EXPECT_GT(LINCOM.FFRICT(2, 1, 1), LINCOM.HLOD(2));
    EXPECT_NE(pages[1].find("    2     "), std::string::npos);
}

TEST(StaticLineReport, LayerRowsAreHeadedWithTheirDistanceToTheNominalFairlead) {
    ReportRun run([] {
        small_report_case();
        TPCM.NLAYER = 3;
        TPCM.ZSPAN = 16.0f;
    });
    ASSERT_FALSE(run.stop.has_value()) << run.console.screen();
    const auto pages = run.pages("CATOUT.stxt");
    ASSERT_EQ(pages.size(), 4u);
    const std::string heads[] = {" >>> Interpolation level  1 for line type A of  1 type(s)\n"
                                 "     Vertical distance to nominal fairlead     8.00 ft\n"
                                 "     Vertical separation between endpoints   272.00 ft\n",
                                 " >>> Interpolation level  2 for line type A of  1 type(s)\n"
                                 "     Vertical distance to nominal fairlead     0.00 ft\n"
                                 "     Vertical separation between endpoints   280.00 ft\n",
                                 " >>> Interpolation level  3 for line type A of  1 type(s)\n"
                                 "     Vertical distance to nominal fairlead    -8.00 ft\n"
                                 "     Vertical separation between endpoints   288.00 ft\n"};
    for (int L = 1; L <= 3; ++L) {
        SCOPED_TRACE(L);
        const std::string& page = pages[static_cast<std::size_t>(L)];
        EXPECT_NE(page.find("\n\n" + heads[L - 1] + "\n\n - Segment -"), std::string::npos) << page;
        EXPECT_NE(page.find(table_rows(L, 1)), std::string::npos);
    }
}

TEST(StaticLineReport, EndpointTablesFollowTheLineAtEveryPoint) {
    // Section Ib (positions X, then Z) and Ic (node angles), one page each for two sublines;
    // the lower end of the last element is the anchor: its X is the table's distance, its Z
    // the vertical span; the node angles are the table's top and anchor angles.
    ReportRun run([] {
        small_report_case();
        TPCM.STAMOT = 3;
        TPCM.IPLOTS = 1;
    });
    ASSERT_FALSE(run.stop.has_value()) << run.console.screen();
    const auto pages = run.pages("CATOUT.stxt");
    ASSERT_EQ(pages.size(), 5u);
    const LincomBlock& C = LINCOM;
    const std::string head_Ib =
        frame + "  ******************   Ib.  Element Endpoint Position Table  *****************\n" +
        frame +
        "\n"
        " >>> Line Type A of  1 type(s) \n"
        "     Endpoint vertical separation =   280.00 ft\n"
        "\n"
        " >>> Element \"i\" endpoint coordinates (Xi or Zi; from fairlead, in ft)\n"
        "\n"
        "  Table\n";
    std::string x_rows, z_rows, angle_rows;
    for (int k = 2; k <= 4; ++k) {
        x_rows +=
            "   " + I(k, 2) + "  " + std::string(10, '?') + F(C.ANCDST(k, 1, 1), 10, 3) + "\n";
        z_rows += "   " + I(k, 2) + "  " + std::string(10, '?') + F(-280.0, 10, 3) + "\n";
    }
    for (int k = 1; k <= 4; ++k)
        angle_rows += "   " + I(k, 2) + "  " + F(C.TOPANG(k, 1, 1) * deg, 8, 2) +
                      std::string(8, '?') + F(C.BOTANG(k, 1, 1) * deg, 8, 2) + "\n";
    // The middle columns (element 1, node 2) are not known beforehand: mask them.
    const auto masked = [](const std::string& page, std::size_t from, std::size_t width) {
        std::string out;
        for (std::size_t at = 0; at < page.size();) {
            const auto end = page.find('\n', at);
            std::string line = page.substr(at, end - at);
            const bool row = line.size() >= from + width && line.compare(0, 3, "   ") == 0 &&
                             std::isdigit(static_cast<unsigned char>(line[4]));
            if (row)
                line.replace(from, width, std::string(width, '?'));
            out += line + "\n";
            at = end + 1;
        }
        return out;
    };
    EXPECT_EQ(masked(pages[2], 7, 10), head_Ib + "  Index    X 1       X 2\n" + x_rows);
    EXPECT_EQ(masked(pages[3], 7, 10), head_Ib + "  Index    Z 1       Z 2\n" + z_rows);
    EXPECT_EQ(
        masked(pages[4], 15, 8),
        frame + "  *******************   Ic.  Element Endpoint Angle Table  *******************\n" +
            frame +
            "\n"
            " >>> Line Type A of  1 type(s) \n"
            "     Endpoint vertical separation =   280.00 ft\n"
            " >>> Endpoint angle Ti at fairlead-end of element \"i\" in degrees\n"
            "\n"
            "  Table\n"
            "  Index    T 1     T 2     T 3\n" +
            angle_rows);

    // The plot file: the report unit and 6, then five curves of 4 points.
    const std::string plot = run.folder.read("STATPLT.plt");
    std::string hlod, ancdst, top;
    for (int k = 1; k <= 4; ++k) {
        ancdst += F(C.ANCDST(k, 1, 1), 10, 2) + "\n";
        hlod += F(C.HLOD(k), 10, 2) + "\n";
        top += F(C.TOPTEN(k, 1, 1), 10, 2) + "\n";
    }
    EXPECT_EQ(plot.substr(0, plot.find("Net Horizontal Force\n") + 21),
              "    1\n    6\n    1\nEndpoint Separation (ft)\nForce in k.lbs\n"
              "Interpolation Table for Horizontal Force\n    4\n    1\n" +
                  ancdst + hlod + "Net Horizontal Force\n");
    EXPECT_NE(plot.find("    1\nEndpoint Separation (ft)\nForce in k.lbs\n"
                        "Interpolation Table for Total Tension at  Top \n    4\n    0\n" +
                        top + "Line Tension at  Top \n"),
              std::string::npos);
    EXPECT_NE(plot.find("Interpolation Table for Total Tension at Anchor\n"), std::string::npos);
    EXPECT_NE(plot.find("Angle in degrees\nInterpolation Table for Line angle at Anchor\n"),
              std::string::npos);
    EXPECT_NE(plot.find("Towline angle at  Top \n"), std::string::npos);
    EXPECT_EQ(std::count(plot.begin(), plot.end(), '\n'), 37 + 6 * 4);
}

TEST(StaticLineReport, ElementGroupsOfTenSplitLongLines) {
    // Twelve sublines: positions in groups 1-10 and 11-12, node angles 1-10 and 11-13.
    ReportRun run([] {
        small_report_case();
        TPCM.STAMOT = 3;
        TPCM.STRESS_STRAIN_FILE(1) = 0;
        TPCM.NELEM(1) = 12;
        for (int e = 1; e <= 12; ++e) {
            TPCM.SLEN(e, 1) = 2500.0f / 12.0f;
            TPCM.WETWT(e, 1) = 0.08f;
            TPCM.ALPHA(1, e, 1) = 1e-5f;
        }
    });
    ASSERT_FALSE(run.stop.has_value()) << run.console.screen();
    const auto pages = run.pages("CATOUT.stxt");
    ASSERT_EQ(pages.size(), 2u + 4u + 2u);
    std::string ten_x = "  Index    ", ten_t = "  Index    ";
    for (int i = 1; i <= 10; ++i) {
        ten_x += "X" + I(i, 2) + (i < 10 ? std::string(7, ' ') : "");
        ten_t += "T" + I(i, 2) + (i < 10 ? std::string(5, ' ') : "");
    }
    EXPECT_NE(pages[2].find(ten_x + "\n"), std::string::npos) << pages[2];
    EXPECT_NE(pages[3].find("  Index    X11       X12\n"), std::string::npos);
    EXPECT_NE(pages[4].find("  Index    Z 1       Z 2"), std::string::npos);
    EXPECT_NE(pages[5].find("  Index    Z11       Z12\n"), std::string::npos);
    EXPECT_NE(pages[6].find(ten_t + "\n"), std::string::npos);
    EXPECT_NE(pages[7].find("  Index    T11     T12     T13\n"), std::string::npos);
}

TEST(StaticLineReport, WithoutTheEndpointOptionNoEndpointTablesOrCurvesAreWritten) {
    ReportRun run([] {
        small_report_case();
        TPCM.IPLOTS = 1;
    });
    ASSERT_FALSE(run.stop.has_value());
    EXPECT_EQ(run.pages("CATOUT.stxt").size(), 2u);
    EXPECT_EQ(run.folder.read("STATPLT.plt"), "");
}

TEST(StaticLineReport, OnTheConsoleANegativeAnswerGoesBack) {
    const auto console_case = [] {
        small_report_case();
        TPCM.IUNIT = 6;
    };
    const std::string title = "*  I.  Line Characteristics Summary  *";
    const std::string table_head = "  Table    Top     Anchor";
    const auto count = [](const std::string& text, const std::string& piece) {
        std::size_t n = 0;
        for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
            ++n;
        return n;
    };
    {
        SCOPED_TRACE("-1 after the interpolation table: the type's report again");
        ReportRun run(console_case, "\n\n-1\n\n\n");
        ASSERT_FALSE(run.stop.has_value()) << run.console.screen();
        EXPECT_EQ(count(run.console.screen(), title), 2u);
        EXPECT_EQ(count(run.console.screen(), table_head), 2u);
        EXPECT_FALSE(run.folder.has("CATOUT.stxt"));
    }
    {
        SCOPED_TRACE("-1 after the subline table: on to the mean condition (none here)");
        ReportRun run(console_case, "\n-1\n");
        ASSERT_FALSE(run.stop.has_value()) << run.console.screen();
        EXPECT_EQ(count(run.console.screen(), title), 1u);
        EXPECT_EQ(count(run.console.screen(), table_head), 0u);
    }
}

} // namespace
} // namespace lintar
