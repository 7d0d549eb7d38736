// Tests of the current profile against the power law and its closed-form mean, the uniform and
// tabled profiles, and the user profile file.
#include "environment/current_profile.h"

#include "blocks/curprof.h"
#include "blocks/tpcm.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;

class CurrentProfile : public ::testing::Test {
protected:
    void SetUp() override { reset_program_state(); }
    // The site and its current (after the console, whose start resets the program's state).
    static void site(std::int32_t LCSTCR) {
        TPCM.LCSTCR = LCSTCR;
        TPCM.DEPTH = 100.0f;
        TPCM.LCURNT = 1;
        TPCM.CURSPD = 2.0f;
        TPCM.CURHDG = 45.0f;
    }
    float build(float draft = 10.0f) {
        float DZMIN = -1.0f;
        CURPROF_INIT(draft, DZMIN, screen_unit, keyboard_unit);
        return DZMIN;
    }
};

TEST_F(CurrentProfile, PowerLawLevels) {
    site(0);
    EXPECT_NEAR(build(), 2.5f, 1e-5f); // the layer from 97.5 m to the bottom
    ASSERT_EQ(CURPROF.NCURNTPF, 7);
    // 2 (1 - z / 100)^(1/7) at 30 and 97.5 m, and 0 on the bottom.
    EXPECT_FLOAT_EQ(CURPROF.DPTHIPF(1), 30.0f);
    EXPECT_NEAR(CURPROF.VELIPF(1), 1.90065f, 1e-5f);
    EXPECT_NEAR(CURPROF.DPTHIPF(6), 97.5f, 1e-4f);
    EXPECT_NEAR(CURPROF.VELIPF(6), 1.18077f, 1e-5f);
    EXPECT_EQ(CURPROF.VELIPF(7), 0.0f);
    EXPECT_EQ(CURPROF.CURHDGPF(4), 45.0f);
    EXPECT_EQ(VONE7TH(100.0f, 100.0f), 0.0f);
    EXPECT_EQ(VONE7TH(100.0f, 120.0f), 0.0f);
}

TEST_F(CurrentProfile, NoCurrentUniformAndTheDataFileTable) {
    site(0);
    TPCM.LCURNT = 0;
    EXPECT_FLOAT_EQ(build(), 50.0f);
    EXPECT_EQ(CURPROF.NCURNTPF, 2);
    EXPECT_EQ(TPCM.CURSPD, 0.0f);

    reset_program_state();
    site(1);
    EXPECT_FLOAT_EQ(build(), 20.0f);
    EXPECT_EQ(CURPROF.NCURNTPF, 5);
    EXPECT_EQ(CURPROF.VELIPF(5), 2.0f);

    reset_program_state();
    site(2);
    TPCM.NCURNT = 3;
    const float depths[3] = {5.0f, 12.0f, 40.0f};
    for (int i = 1; i <= 3; ++i) {
        TPCM.DPTHI(i) = depths[i - 1];
        TPCM.VELI(i) = 1.0f / static_cast<float>(i);
    }
    EXPECT_FLOAT_EQ(build(), 5.0f);
    EXPECT_EQ(CURPROF.NCURNTPF, 3);
    EXPECT_EQ(CURPROF.VELIPF(3), 1.0f / 3.0f);
    EXPECT_EQ(CURPROF.CURHDGPF(2), 45.0f);

    // A second call of the run changes nothing, not even DZMIN.
    TPCM.NCURNT = 1;
    float DZMIN = -7.0f;
    CURPROF_INIT(10.0f, DZMIN, screen_unit, keyboard_unit);
    EXPECT_EQ(DZMIN, -7.0f);
    EXPECT_EQ(CURPROF.NCURNTPF, 3);
}

TEST_F(CurrentProfile, MeanSpeedOverTheDraft) {
    // The power law's mean against sqrt((1 - (1 - t)^(9/7)) / (9 t / 7)).
    for (const auto& [t, factor] : {std::pair{0.1f, 0.992652f}, std::pair{0.25f, 0.980763f},
                                    std::pair{0.5f, 0.957871f}, std::pair{1.0f, 0.881917f}}) {
        SCOPED_TRACE(t);
        EXPECT_NEAR(AVGCUR(100.0f, 100.0f * t, 0, {}, {}, 2.0f, 0), 2.0f * factor, 2e-6f);
    }
    EXPECT_EQ(AVGCUR(100.0f, 37.0f, 1, {}, {}, 2.0f, 0), 2.0f);

    // From 2 knots at the surface to 1 knot at 10 m, draft 10: sqrt(23.333 / 10).
    const std::vector<float> one_depth = {10.0f}, one_speed = {1.0f};
    EXPECT_NEAR(AVGCUR(100.0f, 10.0f, 2, one_speed, one_depth, 2.0f, 1), 1.52753f, 1e-5f);
    // Below the last level the last speed carries on: draft 20 adds 10 m at 1 knot.
    EXPECT_NEAR(AVGCUR(100.0f, 20.0f, 3, one_speed, one_depth, 2.0f, 1),
                std::sqrt((23.3333f + 10.0f) / 20.0f), 1e-5f);
    // Cut at the draft inside a segment: 2 to 0 knots over 20 m, draft 10 (speed 1 there).
    const std::vector<float> deep = {20.0f}, stop = {0.0f};
    EXPECT_NEAR(AVGCUR(100.0f, 10.0f, 2, stop, deep, 2.0f, 1), 1.52753f, 1e-5f);
    // A first level at the surface: the surface speed has no effect.
    const std::vector<float> depths = {0.0f, 20.0f}, speeds = {1.5f, 1.5f};
    EXPECT_FLOAT_EQ(AVGCUR(100.0f, 10.0f, 2, speeds, depths, 9.0f, 2), 1.5f);
    const std::vector<float> surface = {0.0f}, surface_speed = {1.5f};
    EXPECT_FLOAT_EQ(AVGCUR(100.0f, 10.0f, 2, surface_speed, surface, 9.0f, 1), 1.5f);
    // Kinds other than 0 and 1 are the piecewise profile; no levels give the surface speed.
    EXPECT_NEAR(AVGCUR(100.0f, 10.0f, 7, one_speed, one_depth, 2.0f, 1), 1.52753f, 1e-5f);
    EXPECT_EQ(AVGCUR(100.0f, 10.0f, 2, {}, {}, 2.0f, 0), 2.0f);
}

TEST_F(CurrentProfile, UserFileAndItsNote) {
    ScratchFolder folder;
    // The level at the draft (10 m) exactly does not count as shallower than the draft.
    folder.write("CRNTPROF.txt", "3\r\n2 1.5 45\r\n10 1.2 90\r\n50 0.5 90\r\n");
    {
        ScriptedConsole console;
        site(3);
        EXPECT_FLOAT_EQ(build(10.0f), 2.0f);
        EXPECT_EQ(console.screen(), "");
        EXPECT_EQ(CURPROF.NCURNTPF, 3);
        EXPECT_EQ(CURPROF.VELIPF(2), 1.2f);
        EXPECT_EQ(CURPROF.CURHDGPF(3), 90.0f);
    }
    ScriptedConsole console("\n");
    site(3);
    (void)build(10.5f);
    EXPECT_EQ(console.screen(),
              " ++>  Note: The current direction specified in CRNTPROF.txt changes at a depth\n"
              "      less than vessel draft; vessel forces are computed assuming constant\n"
              "      current direction down to the vessel draft. Mooring line and riser forces\n"
              "      will, however, reflect the current direction as specified in "
              "CRNTPROF.txt.\n \n Press <RETURN> to continue: ");
}

TEST_F(CurrentProfile, UserFilesThatCannotBeUsedStop) {
    std::string levels_102 = "102\n";
    for (int i = 1; i <= 102; ++i)
        levels_102 += std::to_string(i) + " 1 0\n";
    const std::string file_error = "\n ++> End of file or related file error in routine "
                                   "CURPROF_INIT\n     file name CRNTPROF.txt\n \n Press <RETURN> "
                                   "to continue: ";
    struct Case {
        const char* name;
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"missing", "",
         " ++>  User-supplied current profile \"CRNTPROF.txt\" not found\n\a\n"
         " Enter \"A\" to abort or Press <RETURN> to continue: "},
        {"102 levels", levels_102,
         " ++>  User-supplied current profile array in CRNTPROF.txt\n"
         "      dimension = [102] out of range; allowable\n      dimension = [101]\n \n"
         " Press <RETURN> to continue: "},
        {"no levels", "0\n",
         " ++>  User-supplied current profile array in CRNTPROF.txt\n"
         "      dimension = [0] out of range; allowable\n      dimension = [1 to 101]\n \n"
         " Press <RETURN> to continue: "},
        {"count -3", "-3\n",
         " ++>  User-supplied current profile array in CRNTPROF.txt\n"
         "      dimension = [-3] out of range; allowable\n      dimension = [1 to 101]\n \n"
         " Press <RETURN> to continue: "},
        {"a letter in a number", "1\n2 x 45\n", file_error},
        {"fewer levels than announced", "2\n2 1 45\n", file_error},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        if (!c.text.empty())
            folder.write("CRNTPROF.txt", c.text);
        ScriptedConsole console("\n\n");
        site(3);
        EXPECT_EQ(run_until_stop([this] { (void)build(); }), StopKind::error);
        EXPECT_EQ(console.screen(), c.message);
        console.clear_screen_text();
        if (!c.text.empty()) {
            EXPECT_EQ(folder.read("CRNTPROF.txt"), c.text);
            // Nothing was held: a later call of the run reads the file again and stops again
            // with the same message.
            EXPECT_EQ(run_until_stop([this] { (void)build(); }), StopKind::error);
            EXPECT_EQ(console.screen(), c.message);
        }
    }
}

} // namespace
} // namespace lintar
