// support/linear_spread_report.h: the four-line spread on the linear column H(d) = 1000 +
// 10 (d - 1000) (anchors 1000 from fairleads at the origin along +x, +y, -x, -y, linear top
// tension, angles, grounded length and friction in the load), and the pieces of the equilibrium
// report's pages typed from its layout, shared by the tests of the report and of the stage
// that writes it. An applied 500 along +x holds the spread at x = 22.72248.
#pragma once

#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/turret_mooring.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace lintar::testing {

inline constexpr float x_solution = 22.72248f;

inline std::string blanks(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}

// The linear spread, `types` line types alike (each line of type 1), and the report settings:
// English units, program code 8, a spread mooring, the report on unit 1.
inline void fill_linear_spread(int types = 1) {
    TurretMooring m;
    m.XSALM = 0.0;
    m.lines = {{0.0, 0.0, 0.0, 1000.0, 1},
               {0.0, 0.0, 90.0, 1000.0, 1},
               {0.0, 0.0, 180.0, 1000.0, 1},
               {0.0, 0.0, 270.0, 1000.0, 1}};
    m.types.assign(static_cast<std::size_t>(types), LinearColumn{});
    fill_turret_mooring(m);
    const int L = turret_midlyr;
    for (int t = 1; t <= types; ++t) {
        for (int k = 1; k <= turret_numtab; ++k) {
            const double H = LINCOM.HLOD(k);
            LINCOM.TOPTEN(k, L, t) = static_cast<float>(H + 250.0);
            LINCOM.TOPANG(k, L, t) = static_cast<float>(0.6 - H / 10000.0);
            LINCOM.BOTANG(k, L, t) = 0.05f;
            LINCOM.BOTLEN(k, L, t) = static_cast<float>(600.0 - H / 4.0);
            LINCOM.FFRICT(k, L, t) = static_cast<float>(0.03 * H);
        }
        LINCOM.TOTWT(t) = 300.0f;
    }
    TPCM.NUNTS = 0;
    TPCM.SIMTYP = 8;
    TPCM.IARCO = 0;
    TPCM.LSPM = 0;
    TPCM.IUNIT = 1;
    TPCM.EDUNIT = screen_unit;
    TPCM.NLAYER = 3;
}

// The line table's heading and rows under a title.
inline std::vector<std::string> line_table(const std::string& title, const std::string& end_label,
                                           const std::string& end_pair,
                                           const std::vector<std::string>& rows) {
    std::vector<std::string> out = {
        "",
        " " + title + blanks(70 - static_cast<int>(title.size())),
        "",
        blanks(64) + end_label,
        "   Line   - Total Tension -  Horizontal  Endpoint   Bottom     Line Angle  ",
        "  #/Type       (k.lbs)        Tension   Separation  Length    Plan   Profile",
        " " + blanks(11) + end_pair + "     (k.lbs)      (ft)      (ft)        (deg)",
        ""};
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

// The slopes are ten times the difference of two four-byte mooring forces of some 1000 whose
// line distances near 1000 carry 6e-5 each: their second decimal is noise of the single
// precision the force is computed in (some 0.01 at most).
inline constexpr double slope_tol = 0.015;

// Takes the slope rows ("    X  (" and "    Y  (") out of the report and checks each against
// the hand values of its three columns, 14 wide with two decimals from column 34 behind its
// label; the rest of the page is then compared as text.
inline std::string checked_slopes(const std::string& report, const std::array<double, 3>& X,
                                  const std::array<double, 3>& Y) {
    std::string rest;
    int found = 0;
    std::size_t at = 0;
    while (at < report.size()) {
        const std::size_t end = report.find('\n', at);
        const std::string line = report.substr(at, end - at);
        at = end == std::string::npos ? report.size() : end + 1;
        const bool x = line.starts_with("    X  (");
        if (!x && !line.starts_with("    Y  (")) {
            rest += line + "\n";
            continue;
        }
        ++found;
        SCOPED_TRACE(line);
        const std::string label = x ? "    X  (k.lbs/ft; Mooring)" : "    Y  (k.lbs/ft; Mooring)";
        EXPECT_EQ(line.substr(0, 33), label + blanks(33 - static_cast<int>(label.size())));
        EXPECT_EQ(line.size(), 33u + 3u * 14u);
        if (line.size() != 33u + 3u * 14u)
            continue;
        for (std::size_t c = 0; c < 3; ++c) {
            const std::string field = line.substr(33 + 14 * c, 14);
            EXPECT_EQ(field.substr(11, 1), "."); // two decimals
            EXPECT_NEAR(std::stod(field), (x ? X : Y)[c], slope_tol);
        }
    }
    EXPECT_EQ(found, 2);
    return rest;
}

inline std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines)
        text += l + "\n";
    return text;
}

inline const std::string frame_line = "  **" + blanks(72) + "**";

// The two sections of the equilibrium summary typed in tests/data/linear_spread_summary.txt.
enum class SummarySection { still_water_IIa, full_environment_IIb };

// The typed page of `section`, opened by its form feed, without the slope rows (checked_slopes
// takes them out of the report), each "{name}" line of the file replaced by the line `lines`
// gives for that name. A "{name}" left without a line, and a name the page does not hold,
// fail the test.
inline std::string linear_spread_page(SummarySection section,
                                      const std::map<std::string, std::string>& lines) {
    const std::vector<std::string> pages = pages_of(expected_data("linear_spread_summary.txt"));
    const std::size_t k = section == SummarySection::still_water_IIa ? 0 : 1;
    EXPECT_EQ(pages.size(), 2u);
    if (pages.size() != 2u)
        return "";
    std::string page = "\f\n";
    std::set<std::string> filled;
    for (const std::string& line : lines_of(pages[k])) {
        if (!line.starts_with("{") || !line.ends_with("}")) {
            page += line + "\n";
            continue;
        }
        const std::string name = line.substr(1, line.size() - 2);
        const auto given = lines.find(name);
        if (given == lines.end()) {
            ADD_FAILURE() << "no line for \"" << line << "\"";
            continue;
        }
        filled.insert(name);
        page += given->second + "\n";
    }
    for (const auto& [name, text] : lines)
        if (!filled.contains(name))
            ADD_FAILURE() << "the page has no line \"{" << name << "}\"";
    return page;
}

} // namespace lintar::testing
