// Tests of the hull-model dispatch with the built models: the ship model through the vessel-
// motion set-up and the RAO driver end to end, the jack-up entries, and the hull models' grid
// services against the vessel-motion routines they stand for.
#include "hulls/hull_models.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "hulls/hull_support.h"
#include "hulls/jack_up.h"
#include "motions/rao_driver.h"
#include "motions/response_indices.h"
#include "motions/wave_setup.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/mooring_fixture.h"

#include "support/ship_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>

namespace lintar {
namespace {

using testing::box_KML;
using testing::box_KMT;
using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;

const std::string returns(20, '\n');

// A data image of the box ship of ship_fixture.h on 31 periods 3 to 33 s in 1000 ft of water
// under a random head sea, with report sections I and II and the RAO report on files.
void fill_box_ship_image() {
    testing::fill_new_file();
    TpcmBlock& P = TPCM;
    testing::fill_box_ship_hull();
    P.NWP = 31;
    for (int k = 1; k <= 31; ++k)
        P.T(k) = static_cast<float>(2 + k);
    P.DEPTH = 1000.0f;
    P.SLPHT = 10.0f;
    P.LSLPHT = 0;
    P.ISPM = 0;
    P.IUNIT = 1;
    P.EDUNIT = screen_unit;
    P.NEGSUM = 0;
    P.NBUG0 = 0;
    P.IYEAR = 2026;
    P.hideOrmanelReports = 1;
    P.LRANDM = 1;
    P.WAVTYP = 1;
    P.SWHT(1) = 10.0f;
    P.SIGPD(1) = 10.0f;
    P.NSEAHT = 1;
    P.NSEAHG = 1;
    P.SEAHDG(1) = 0.0f;
    P.LSPRED = 0;
    P.NDIR = 1;
    P.WAVHDG(1) = 0.0f;
    P.LODRAO = 1;
    for (int d = 1; d <= 6; ++d)
        P.MOTION(d) = 1;
}

TEST(HullDispatch, ShipModelThroughTheSetUpAndTheRaoDriver) {
    ScratchFolder folder;
    ScriptedConsole console(returns);
    fill_box_ship_image();
    VESL1();
    ASSERT_TRUE(folder.has("SHIPSUM.stxt"));
    const std::string summary = folder.read("SHIPSUM.stxt");
    EXPECT_NE(summary.find("I.  PHYSICAL CHARACTERISTICS SUMMARY"), std::string::npos);
    EXPECT_NE(summary.find("II.  UNMOORED VESSEL MOTION CHARACTERISTICS"), std::string::npos);
    EXPECT_NE(summary.find("               BOX LENGTH ............................    100.00 "
                           "FEET"),
              std::string::npos)
        << summary;
    // The natural periods lie inside the grid, each at its nearest grid period.
    const HimemBlock& H = HIMEM;
    for (const auto& [w, j] : {std::pair{H.WH, H.JH}, {H.WP, H.JP}, {H.WR, H.JR}}) {
        const float period = 6.2831855f / w;
        EXPECT_GT(period, 3.0f);
        EXPECT_LT(period, 33.0f);
        EXPECT_LE(std::abs(TPCM.T(j) - period), 0.5f + 1e-4f);
    }
    EXPECT_EQ(TPCM.WPITCH, H.WP);

    VESL2();
    ASSERT_TRUE(folder.has("SHIPRAO.stxt"));
    const std::string raos = folder.read("SHIPRAO.stxt");
    EXPECT_EQ(raos.find("NaN"), std::string::npos);
    EXPECT_EQ(raos.find("Inf"), std::string::npos);
    // Heave follows the long waves of the grid's end.
    const std::complex<float> heave = HIMEM.CRLDUM(HIMEM.LCNHV + 30);
    EXPECT_NEAR(std::abs(heave), 1.0f, 0.05f);
}

TEST(HullDispatch, JackUpEntriesStopAtTheFirstCall) {
    const std::string screen = "  ++> You are in an inoperative vessel utility file!\n"
                               "      Press <Return> to quit\n";
    const std::function<void()> entries[] = {
        [] { JCKCHR(); },
        [] {
            std::int32_t I = 5;
            JCKFRC(I);
        },
        [] { JCKRAO(); },
        [] { JCKSUM(); },
        [] { JCKOUT(); },
    };
    for (const auto& entry : entries) {
        ScriptedConsole console("\n");
        TPCM.EDUNIT = screen_unit;
        EXPECT_EQ(run_until_stop(entry), StopKind::error);
        EXPECT_EQ(console.screen(), screen);
    }
    // Unattended: the same records on the screen and in the diagnostics file, and no read
    // (an empty keyboard would end the session with its own line).
    ScratchFolder folder;
    ScriptedConsole console;
    TPCM.EDUNIT = diagnostics_unit;
    ASSERT_TRUE(
        open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace, FileForm::formatted));
    EXPECT_EQ(run_until_stop([] { JCKCHR(); }), StopKind::error);
    close_unit(diagnostics_unit);
    EXPECT_EQ(console.screen(), screen);
    EXPECT_EQ(folder.read("Diagnostics.stxt"), screen);
}

TEST(HullDispatch, AJackUpRunEndsBeforeAnyForceRaoOrReport) {
    ScratchFolder folder;
    ScriptedConsole console("\n");
    fill_box_ship_image();
    TPCM.VESTYP = 2;
    EXPECT_EQ(run_until_stop([] { VESL1(); }), StopKind::error);
    const std::string screen = console.screen();
    EXPECT_NE(screen.find("  ++> You are in an inoperative vessel utility file!\n"
                          "      Press <Return> to quit\n"),
              std::string::npos);
    // The report file was opened before the model ran; it holds no section of the model.
    if (folder.has("SHIPSUM.stxt")) {
        EXPECT_EQ(folder.read("SHIPSUM.stxt").find("CHARACTERISTICS"), std::string::npos);
    }
    EXPECT_EQ(HIMEM.CRLDUM(HIMEM.LCNHV).get(), std::complex<float>(0.0f, 0.0f));
}

} // namespace
} // namespace lintar
