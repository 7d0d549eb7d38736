// Tests of the net line damping at one offset: the quadratic coefficients against QDAMP, the
// state the wave-frequency damping sets and restores, the "LINEANG" blocks it writes for the
// motion run, and its damping with the displacement pass the data leave off.
#include "td_support/net_line_damping.h"

#include "support/console.h"
#include "support/damping_fixture.h"
#include "support/fake_hull_model.h"

#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "line_dynamics/low_frequency_damping.h"
#include "line_dynamics/mean_line_shape.h"
#include "motions/motion_files.h"
#include "runtime/units.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

namespace lintar {
namespace {

using namespace lintar::testing;

constexpr std::array<float, 3> origin{0.0f, 0.0f, 0.0f};

TEST(NetLineDamping, QuadraticCoefficientsAreThreeEighthsOfTheDissipation) {
    ScratchFolder folder;
    ScriptedConsole console;
    fill_damping_fixture(4, 3);
    const MeanLines m = mean_lines();
    // QDAMP directly on the same mean shapes.
    LINDRV(m.RANCHR, m.ZANCHR);
    std::array<float, 3> D{};
    std::array<float, 3> inertia{};
    for (int k = 1; k <= 3; ++k) {
        float ML = 0.0f, MT = 0.0f, MO = 0.0f;
        QDAMP(m.RANCHR, m.ANGDPR, k, D[static_cast<std::size_t>(k - 1)], 0.0f, false, ML, MT, MO,
              inertia[static_cast<std::size_t>(k - 1)], true);
    }
    ASSERT_GT(D[2], 0.0f);
    for (const float YAWARM : {0.0f, 10.0f}) {
        SCOPED_TRACE(YAWARM);
        open_unit(1256, "cof", OpenStatus::replace, FileForm::formatted);
        open_unit(1258, "mass", OpenStatus::replace, FileForm::formatted);
        GET_NET_LF_LINES_QUAD_DAMP(0.0f, 0.0f, 0.0f, 1256, 1258, m.RANCHR, m.ANGDPR, m.ZANCHR,
                                   origin, YAWARM);
        close_unit(1256);
        close_unit(1258);
        const auto cof = values_of(lines_of(folder.read("cof"))[0]);
        const auto mass = values_of(lines_of(folder.read("mass"))[0]);
        ASSERT_EQ(cof.size(), 3u);
        const double FAC = YAWARM == 0.0f ? 1.0 : 100.0;
        EXPECT_NEAR(cof[0], 0.375 * D[0], 1e-5 * D[0]);
        EXPECT_NEAR(cof[1], 0.375 * D[1], 1e-5 * D[1]);
        EXPECT_NEAR(cof[2], 0.375 * D[2] / FAC, 1e-5 * D[2] / FAC);
        for (std::size_t k = 0; k < 3; ++k)
            EXPECT_NEAR(mass[k], inertia[k], 1e-5 * inertia[k]);
    }
}

// Runs GET_NET_WF_DAMP at the mean position into "wf" and "fld"; returns the damping entry.
std::vector<double> run_wf_damping(const ScriptedConsole& console) {
    const MeanLines m = mean_lines();
    open_unit(1233, "wf", OpenStatus::replace, FileForm::formatted);
    open_unit(1255, "fld", OpenStatus::replace, FileForm::formatted);
    if (run_until_stop([&] {
            GET_NET_WF_DAMP(0.0f, 0.0f, 0.0f, 1233, 1255, m.RANCHR, m.ANGDPR, m.ZANCHR, false,
                            origin);
        }))
        throw std::runtime_error("the motion run stopped:\n" + console.screen());
    close_unit(1233);
    close_unit(1255);
    return values_of(lines_of(read_text("wf"))[0]);
}

// The blocks of "LINEANG" from its size: framed records (a length word either side), a count
// record of one word and NLIN records of two angles each.
int line_angle_blocks_in_file(std::int32_t NLIN) {
    const auto bytes = file_size_of("LINEANG");
    const auto block_bytes = static_cast<std::uintmax_t>(4 * (3 + 4 * NLIN));
    if (!bytes)
        return -1;
    EXPECT_EQ(*bytes % block_bytes, 0u);
    return static_cast<int>(*bytes / block_bytes);
}

TEST(NetLineDamping, WaveFrequencyDampingSetsAndRestoresTheState) {
    ScratchFolder folder; // no "LINEANG": it is created
    ScriptedConsole console;
    FakeHullModel fake;
    fill_damping_fixture(4, 3);
    TPCM.SEAHDG(1) = 30.0f;
    TPCM.WAVHDG(1) = 25.0f;
    TPCM.CURHDG = 40.0f;
    TPCM.WNDHDG = 50.0f;
    TPCM.SWLHDG = 60.0f;
    TPCM.SWLHDG2 = 70.0f;
    TPCM.VGLDIR = 80.0f;
    TPCM.NEGSUM = 0;
    TPCM.IPLOTS = 2;
    TPCM.LFORCE = 0;
    TPCM.LODRAO = 0;
    TPCM.NSEAHT = 1;
    const TpcmBlock before = TPCM;
    const auto damping = run_wf_damping(console);
    EXPECT_EQ(console.screen(), "");
    for (const auto& [name, now, was] : {std::tuple{"SEAHDG", TPCM.SEAHDG(1), before.SEAHDG(1)},
                                         {"WAVHDG", TPCM.WAVHDG(1), before.WAVHDG(1)},
                                         {"CURHDG", TPCM.CURHDG, before.CURHDG},
                                         {"WNDHDG", TPCM.WNDHDG, before.WNDHDG},
                                         {"SWLHDG", TPCM.SWLHDG, before.SWLHDG},
                                         {"SWLHDG2", TPCM.SWLHDG2, before.SWLHDG2},
                                         {"VGLDIR", TPCM.VGLDIR, before.VGLDIR}})
        EXPECT_EQ(now, was) << name;
    EXPECT_EQ(TPCM.NEGSUM, 0);
    EXPECT_EQ(TPCM.IPLOTS, 2);
    EXPECT_EQ(TPCM.LDSP, 0);
    for (const std::int32_t v : {TPCM.LFORCE, TPCM.LODRAO, TPCM.NSEAHT, TPCM.NSEAHG, TPCM.NDIR})
        EXPECT_EQ(v, 1);
    // The data's LDSP 0 does not silence the damping: surge and sway of a spread damp.
    ASSERT_EQ(damping.size(), 3u);
    EXPECT_GT(damping[0], 0.0);
    EXPECT_GT(damping[1], 0.0);
    // The fairlead file: the position line, then one record per line.
    const auto fld = lines_of(folder.read("fld"));
    ASSERT_EQ(fld.size(), 5u);
    EXPECT_EQ(fld[0], "      0.000     0.000     0.000");
    EXPECT_EQ(fld[4].substr(0, 5), "    4");
    // Spreading off, no swells: one heading, one block.
    EXPECT_EQ(line_angle_blocks_in_file(4), 1);
}

TEST(NetLineDamping, LineAngleBlocksFollowTheRunsHeadings) {
    struct Case {
        const char* what;
        std::int32_t LSPRED, NA;
        float ANGSEC;
        std::int32_t LSWELL;
        float SWLHDG;
        int blocks;
    };
    const Case cases[] = {
        // Five spreading steps over 180 degrees: no step at the sea heading, seven headings.
        {"odd spreading", 1, 5, 180.0f, 0, 0.0f, 7},
        // Four steps: the centre step is the sea heading.
        {"even spreading", 1, 4, 180.0f, 0, 0.0f, 5},
        // A swell from the sea's heading adds no heading; one from elsewhere adds one.
        {"swell with the sea", 0, 0, 0.0f, 1, 0.0f, 1},
        {"swell across", 0, 0, 0.0f, 1, 90.0f, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFolder folder;
        ScriptedConsole console;
        FakeHullModel fake;
        fill_damping_fixture(2, 3);
        TPCM.LSPRED = c.LSPRED;
        TPCM.NA = c.NA;
        TPCM.ANGSEC = c.ANGSEC;
        TPCM.LSWELL = c.LSWELL;
        TPCM.NUM_SWEL = c.LSWELL;
        TPCM.SWLHDG = c.SWLHDG;
        TPCM.SWELHT = 2.0f;
        TPCM.SWELPD = 12.0f;
        (void)run_wf_damping(console); // the motion run reads every block
        EXPECT_EQ(line_angle_blocks_in_file(2), c.blocks);
        EXPECT_EQ(WAVCOM.NRAO, c.blocks);
    }
}

} // namespace
} // namespace lintar
