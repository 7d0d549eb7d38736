// The engine's stages by program code (the project's own rule): this program's code runs the
// line tables, the static equilibrium and the offset table whatever its hidden low-frequency
// switch says; a family image of another code runs the static equilibrium with the
// vessel-motion set-up and stops at the low-frequency stage, whose inputs no stage computes.
#include "app/engine_flow.h"

#include "support/mooring_fixture.h"

#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <string>

namespace lintar {
namespace {

using namespace lintar::testing;

const std::string refusal =
    " ++> FATAL error: the low-frequency report cannot be written: no stage computes\n"
    "     its inputs (the low-frequency mode statistics, the energy curves, springs\n"
    "     and offsets, the mode vectors and offset directions).\n";

// This program's spread mooring as the editor saves it.
void fill_saved_spread() {
    fill_spread_mooring();
    stamp_as_saved();
    set_checked_line_lengths();
}

// The same mooring as a spread-moored ship of the family (code 12) in wind, current and seas
// with the low-frequency analysis asked for, on a grid of 31 wave periods, 3 to 33 s. The
// ship is the box of the vessel's 600 x 100 x 40 ft: KMT = T/2 + B^2/(12 T), KML = T/2 +
// L^2/(12 T), KG = KB = T/2.
void fill_family_ship() {
    fill_saved_spread();
    TpcmBlock& T = TPCM;
    T.SIMTYP = 12;
    T.LQUAS = 1;
    T.LOWMOT = 1;
    T.IUNIT = 1;
    T.LEQCND = 1;
    T.LRESET = 1;
    T.NEGSUM = 1;
    T.VESTYP = 1;
    T.SEMI_LIKE = 0;
    T.DWATR = 64.0f;
    T.DISPL = 600.0f * 100.0f * 40.0f * 64.0f / 1000.0f;
    T.VKMT = 20.0f + 100.0f * 100.0f / 480.0f;
    T.VKML = 20.0f + 600.0f * 600.0f / 480.0f;
    T.VKG = 20.0f;
    T.TVKB = 20.0f;
    T.AWP = 600.0f * 100.0f;
    T.PGYR = 150.0f;
    T.RGYR = 35.0f;
    T.YGYR = 150.0f;
    T.NWP = 31;
    for (int k = 1; k <= 31; ++k)
        T.T(k) = static_cast<float>(2 + k);
    T.LWIND = 1;
    T.LWBARG = 0x555;
    T.TWNDCF = 1.0f;
    T.WNDSPD = 40.0f;
    T.WNDHDG = 30.0f;
    T.TXWNDA = 5000.0f;
    T.YWNDAR = 20000.0f;
    T.LCURNT = 1;
    T.LCBARG = 0x777;
    T.CURFAC = 1.0f;
    T.CURSPD = 1.0f;
    T.CURHDG = 60.0f;
    T.XCURAR = 4000.0f;
    T.YCURAR = 24000.0f;
    T.LRANDM = 1;
    T.WAVTYP = 1;
    T.SWHT(1) = 5.0f;
    T.SIGPD(1) = 12.0f;
    T.SEAHDG(1) = 200.0f;
    T.LWVCOF = 0x444;
    T.WVFCX = T.WVFCY = T.WVFCM = 1.0f;
    T.LEGDRG = 1;
}

TEST(EngineStageRule, TheFamilysLowFrequencyStageIsRefusedAfterTheStaticEquilibrium) {
    ScratchFolder folder;
    folder.write("CATDAT", "the data file\n");
    ScriptedConsole console(std::string(20, '\n'));
    fill_family_ship();
    EXPECT_EQ(run_until_stop([] { run_engine_stages(); }), StopKind::error);
    // QSTAT ran the vessel-motion set-up, the ship's characteristics among it, then finished
    // its report.
    EXPECT_NE(console.screen().find(" --> Computing vessel resonance characteristics..."),
              std::string::npos);
    const std::string screen = console.screen();
    EXPECT_NE(screen.find(refusal), std::string::npos) << screen;
    EXPECT_NE(folder.read("MEANOUT.stxt").find("IIb.  Full-Environment Equilibrium Summary"),
              std::string::npos);
    EXPECT_EQ(folder.read("CATDAT"), "the data file\n");
    for (const char* name : {"OFFSETS.stxt", "LOWOUT.stxt"})
        EXPECT_FALSE(folder.has(name)) << name;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "td_aux"));
}

// Without LOWMOT the family's run ends after the static equilibrium, with status 0.
TEST(EngineStageRule, WithoutLowFrequencyMotionsTheFamilyEndsAfterTheStaticEquilibrium) {
    ScratchFolder folder;
    ScriptedConsole console(std::string(20, '\n'));
    fill_family_ship();
    TPCM.LOWMOT = 0;
    EXPECT_FALSE(run_until_stop([] { run_engine_stages(); })) << console.screen();
    EXPECT_NE(console.screen().find(" --> Computing vessel resonance characteristics..."),
              std::string::npos);
    EXPECT_EQ(console.screen().find("FATAL"), std::string::npos) << console.screen();
    EXPECT_TRUE(folder.has("MEANOUT.stxt"));
    EXPECT_FALSE(folder.has("OFFSETS.stxt"));
    EXPECT_FALSE(folder.has("LOWOUT.stxt"));
}

// This program's image with the hidden low-frequency switch toggled before a save runs the
// same three stages: the offset report is written, no low-frequency report, no vessel motions.
TEST(EngineStageRule, ThisProgramRunsItsThreeStagesWhateverLowmotSays) {
    ScratchFolder folder;
    ScriptedConsole console(std::string(20, '\n'));
    fill_saved_spread();
    TPCM.LOWMOT = 1;
    EXPECT_FALSE(run_until_stop([] { run_engine_stages(); })) << console.screen();
    EXPECT_EQ(console.screen().find("resonance"), std::string::npos);
    EXPECT_TRUE(folder.has("CATOUT.stxt"));
    EXPECT_TRUE(folder.has("MEANOUT.stxt"));
    EXPECT_TRUE(folder.has("OFFSETS.stxt"));
    EXPECT_FALSE(folder.has("LOWOUT.stxt"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "td_aux"));
}

} // namespace
} // namespace lintar
