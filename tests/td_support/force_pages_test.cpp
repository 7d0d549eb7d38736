// The low-frequency force pages, as golden text from small tables (the expected rows worked by
// hand from the headings and forces below).
#include "td_support/force_pages.h"

#include "blocks/equilb.h"
#include "blocks/tpcm.h"
#include "runtime/units.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;

constexpr int page_unit = 77;

std::string written_page(const std::function<void()>& write) {
    EXPECT_TRUE(open_unit(page_unit, "PAGE.txt", OpenStatus::replace, FileForm::formatted));
    write();
    EXPECT_TRUE(close_unit(page_unit));
    return read_text("PAGE.txt");
}

std::string lines(const std::vector<std::string>& records) {
    std::string text;
    for (const std::string& r : records)
        text += r + "\n";
    return text;
}

std::string blanks(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}

// Three headings: vessel heading 0 without force, 90 and 270 with forces whose global
// components are plain (at 90 degrees (100, 50) turns to (-50, 100); at 270, (-30, 40) turns to
// (40, 30)).
struct NetTable {
    std::vector<float> attack{360.0f, 270.0f, 90.0f};
    std::vector<float> fx{0.0f, 100.0f, -30.0f};
    std::vector<float> fy{0.0f, 50.0f, 40.0f};
    std::vector<float> mz{0.0f, -2500.0f, 0.123f};
};

void write_net_page(const NetTable& t) {
    WRITE_LF_NET_FRC_PG(page_unit, 1, 3, 0.0f, 0.0f, t.attack, t.fx, t.fy, t.mz, 12000.0f, "KIPS",
                        "FT-KIPS", "FT", "(Vessel System)");
}

const std::vector<std::string> net_title = {
    "   ****************  X. Environmental Force & Moment Summary   ***************",
    "",
    blanks(21) + "Global Heading of Wind" + blanks(4) + "=   45.00 deg",
    blanks(21) + "Global Heading of Current" + blanks(1) + "=   90.00 deg",
    blanks(21) + "Global Heading of Swell" + blanks(3) + "=  180.00 deg",
};
const std::vector<std::string> net_table = {
    "",
    "            Moments in this table are computed about Xves =    10.50 FT",
    "",
    "  Vessel   ---  Vessel System  ---   ---  Global System  ---    Net      Net",
    " Heading    VFx      VFy    Angle     GFx      GFy    Angle    Force    Moment",
    "  (deg)   (KIPS)  (KIPS)  (deg)   (KIPS)  (KIPS)  (deg)   (KIPS)  (FT-KIPS)",
    "    0.0      0.0      0.0     0.0      0.0      0.0     0.0      0.0   0.00E+00",
    "   90.0    100.0     50.0    26.6    -50.0    100.0   116.6    111.8  -2.50E+03",
    "  270.0    -30.0     40.0   126.9     40.0     30.0    36.9     50.0   1.23E-01",
};

void set_environment() {
    TPCM.LWIND = 1;
    TPCM.WNDHDG = 45.0f;
    TPCM.LCURNT = 1;
    TPCM.CURHDG = 90.0f;
    TPCM.LRANDM = 0;
    TPCM.SEAHDG(1) = 10.0f;
    TPCM.LSWELL = 1;
    TPCM.SWLHDG = 180.0f;
    TPCM.XVFRC = 1500.0f;
    TPCM.YVFRC = -250.0f;
    EQUILB.YAWARM = 10.5f;
}

TEST(ForcePages, NetForcePageWithTheExternalForce) {
    ScratchFolder folder;
    ScriptedConsole console;
    set_environment();
    TPCM.AUXFRC = 1;
    std::vector<std::string> expected = net_title;
    for (const std::string& r :
         {std::string(""), blanks(27) + "External Forces & Moments", blanks(32) + "(Vessel System)",
          std::string(""), blanks(29) + "Fx =   1.50E+03 KIPS", blanks(29) + "Fy =  -2.50E+02 KIPS",
          blanks(29) + "Mz =   1.20E+04 FT-KIPS"})
        expected.push_back(r);
    expected.insert(expected.end(), net_table.begin(), net_table.end());
    EXPECT_EQ(written_page([] { write_net_page(NetTable{}); }), lines(expected));
}

// Without the external force its block is absent; the rows by step count from STARTA.
TEST(ForcePages, NetForcePageWithoutTheExternalForce) {
    ScratchFolder folder;
    ScriptedConsole console;
    set_environment();
    TPCM.AUXFRC = 0;
    std::vector<std::string> expected = net_title;
    expected.insert(expected.end(), net_table.begin(), net_table.end());
    EXPECT_EQ(written_page([] { write_net_page(NetTable{}); }), lines(expected));

    // Headings 360 - (m - 1) x 90 - 0: the same three rows as the attack angles 0, 90, 180
    // would give; entry 3 at 180 degrees turns (-30, 40) to (30, -40).
    const NetTable t;
    const std::string page = written_page([&] {
        WRITE_LF_NET_FRC_PG(page_unit, 0, 3, 90.0f, 0.0f, {}, t.fx, t.fy, t.mz, 0.0f, "KIPS",
                            "FT-KIPS", "FT", "");
    });
    EXPECT_NE(page.find("  270.0    100.0     50.0    26.6     50.0   -100.0   -63.4    111.8"),
              std::string::npos)
        << page;
    EXPECT_NE(page.find("  180.0    -30.0     40.0   126.9     30.0    -40.0   -53.1     50.0"),
              std::string::npos)
        << page;
}

TEST(ForcePages, WindCoefficientTable) {
    ScratchFolder folder;
    ScriptedConsole console;
    const std::vector<float> headings{0.0f, 90.0f};
    const std::vector<float> fx{4.0f, 8.0f}, fy{-2.0f, 0.0f}, mz{100.0f, 1.0f};
    EXPECT_EQ(written_page([&] {
                  WRITE_LF_WND_FRC_PG(page_unit, 2, 2.5f, headings, fx, fy, mz, 2.0f, 45.0f, 0.0f);
              }),
              lines({"   2", "    45.00   0.1000E+01  -0.5000E+00   0.2500E+02",
                     "   -45.00   0.2000E+01   0.0000E+00   0.2500E+00"}));
    // No wind speed: the entries as they are, never a division by zero.
    EXPECT_EQ(written_page([&] {
                  WRITE_LF_WND_FRC_PG(page_unit, 1, 2.5f, headings, fx, fy, mz, 0.0f, 45.0f, 0.0f);
              }),
              lines({"   1", "    45.00   0.4000E+01  -0.2000E+01   0.1000E+03"}));
}

} // namespace
} // namespace lintar
