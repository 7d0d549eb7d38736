// Tests of section V of the low-frequency report: the conversion of the mode statistics (the
// square roots, the arm NETARM by the law of cosines), the choice of pages, the unit labels,
// the peak side, the printed sigma level and storm hours, the turns of the roll and pitch
// offsets, the coupled-mode contributions, the single-amplitude blocks of a legacy turret, and
// the stop of the pages at a negative pause answer.
#include "blocks/equilb.h"
#include "blocks/ergcom.h"
#include "blocks/lf_mode_record.h"
#include "blocks/tpcm.h"
#include "low_frequency/low_frequency_report_fixture.h"
#include "low_frequency/mode_pages.h"
#include "low_frequency/mode_report.h"
#include "low_frequency/report_context.h"
#include "runtime/units.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <complex>
#include <cstdint>
#include <span>
#include <string>

namespace lintar {
namespace {

using namespace lintar::testing;

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// The pages of section V for the fixture changed by `change` (after the conversion).
template <class Change> std::string section_v(Change change) {
    set_up_low_frequency_report();
    change();
    const LowReportFlags flags = low_report_flags();
    convert_mode_statistics(flags);
    EXPECT_TRUE(open_unit(1, "LOWOUT.stxt", OpenStatus::replace, FileForm::formatted));
    EXPECT_FALSE(write_mode_pages(flags));
    close_unit(1);
    return read_text("LOWOUT.stxt");
}

const std::string feet = " feet           ";

TEST(ModeStatistics, VariancesBecomeStandardDeviations) {
    ScriptedConsole console;
    set_up_low_frequency_report();
    lf(VARTOT) = -4.0f;
    lf(VR1UF3) = 2.25f;
    lf(VSWDG_2) = -0.25f;
    lf(EVR6) = 9.0f;
    lf(VRWND4) = -16.0f;
    convert_mode_statistics(low_report_flags());
    EXPECT_EQ(EQUILB.NETARM, 1.0f);
    EXPECT_EQ(lf(VARTOT), 2.0f);
    EXPECT_EQ(lf(VR1UF3), 1.5f);
    EXPECT_EQ(lf(VSWDG_2), 0.5f);
    EXPECT_EQ(lf(EVR6), 3.0f);
    EXPECT_EQ(lf(VRWND4), 4.0f);
    EXPECT_EQ(lf(EVRLO), 4.0f); // the sway variance 16 of the fixture, times an arm of 1
    // Everything else stands: periods, damping, peak factors and sides.
    EXPECT_EQ(lf(TSURG), 120.0f);
    EXPECT_EQ(lf(GAMFAC), 0.002f);
    EXPECT_EQ(lf(FSGPQ), 2.8f);
    EXPECT_EQ(lf(PK_YAW_SIDE), -1.0f);
    EXPECT_EQ(lf(VR1UF2), 0.0f);
}

TEST(ModeStatistics, ArmOfALegacyTurret) {
    struct Case {
        const char* name;
        std::int32_t LSPM, LEGACY_ID;
        float YAWARM, REQLIB, VESANG, GOFANG;
        float NETARM;
    };
    const Case cases[] = {
        // In line: | |YAWARM| - REQLIB |.
        {"legacy turret in line", 1, 1, -50.0f, 20.0f, 0.7f, 0.7f, 30.0f},
        {"legacy turret in line, positive arm", 1, 1, 50.0f, 20.0f, 0.7f, 0.7f, 30.0f},
        // At right angles: the hypotenuse, sqrt(2900).
        {"legacy turret at right angles", 1, 1, 50.0f, 20.0f, 1.5707964f, 0.0f, 53.851648f},
        {"turret, not legacy", 1, 0, -50.0f, 20.0f, 0.7f, 0.7f, 1.0f},
        {"legacy spread", 0, 1, -50.0f, 20.0f, 0.7f, 0.7f, 1.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console;
        set_up_low_frequency_report();
        TPCM.LSPM = c.LSPM;
        TPCM.LEGACY_ID = c.LEGACY_ID;
        EQUILB.YAWARM = c.YAWARM;
        ERGCOM.REQLIB = c.REQLIB;
        EQUILB.VESANG() = c.VESANG;
        EQUILB.GOFANG = c.GOFANG;
        lf(VRWND2) = -4.0f;
        convert_mode_statistics(low_report_flags());
        EXPECT_NEAR(EQUILB.NETARM, c.NETARM, 4e-6f * c.NETARM);
        // Mode 2 is multiplied by the arm, the other modes are not.
        EXPECT_NEAR(lf(EVRLO), 4.0f * c.NETARM, 2e-5f * c.NETARM);
        EXPECT_NEAR(lf(VRWND2), 2.0f * c.NETARM, 1e-5f * c.NETARM);
        EXPECT_EQ(lf(VARTOT), 5.0f);
        EXPECT_EQ(lf(EVRHI), 0.02f);
    }
}

TEST(ModeStatistics, EqualArmsInLineGiveZeroNotNan) {
    // 1.85 and the next float but one: in single precision a^2 + r^2 - 2 r |a| is -4.8e-7.
    ScriptedConsole console;
    set_up_low_frequency_report();
    TPCM.LSPM = 1;
    TPCM.LEGACY_ID = 1;
    EQUILB.YAWARM = std::bit_cast<float>(0x3FECCCCDu);
    ERGCOM.REQLIB = std::bit_cast<float>(0x3FECCCD0u);
    EQUILB.VESANG() = EQUILB.GOFANG = 0.0f;
    convert_mode_statistics(low_report_flags());
    EXPECT_EQ(EQUILB.NETARM, 0.0f);
    EXPECT_EQ(lf(EVRLO), 0.0f);
}

TEST(ModeReport, UnitLabels) {
    struct Case {
        std::int32_t IMOTN;
        bool LSPM;
        std::int32_t NUNTS;
        const char* damping;
        const char* stiffness;
    };
    const Case cases[] = {
        {1, true, 1, " m.ton/(m/sec)", " m.ton/m"},
        {6, true, 0, " k.lb/(ft/sec)", " k.lb/ft"},
        {2, false, 2, " k.Nwtn/(m/sec)", " k.Nwtn/m"},
        {2, true, 1, " m.ton*m./(rad/sec)", " m.ton*m./rad"},
        {3, false, 0, " ft*kip/(rad/sec)", " kip*ft/rad"},
        {5, false, -1, " k.Nwtn*m./(rad/sec)", " k.Nwtn*m./rad"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.IMOTN << ' ' << c.LSPM << ' ' << c.NUNTS);
        EXPECT_EQ(PHYSDP(c.IMOTN, c.LSPM, c.NUNTS), c.damping);
        EXPECT_EQ(SPRNGUNT(c.IMOTN, c.LSPM, c.NUNTS), c.stiffness);
    }
}

TEST(ModeReport, PeakSides) {
    struct Case {
        float side, offset;
        float pass1, pass2;
    };
    // Maximum 7, minimum 3.
    const Case cases[] = {
        {1.0f, 0.0f, 7.0f, 3.0f},  {-1.0f, 0.0f, 3.0f, 7.0f}, {0.0f, 0.0f, 3.0f, 7.0f},
        {1.0f, 2.0f, 7.0f, 3.0f},  {1.0f, -2.0f, 3.0f, 7.0f}, {-1.0f, -2.0f, 7.0f, 3.0f},
        {-1.0f, 2.0f, 3.0f, 7.0f}, {0.0f, 2.0f, 3.0f, 7.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "side " << c.side << ", offset " << c.offset);
        EXPECT_EQ(PK_FAC_LOC(1, c.side, c.offset, 7.0f, 3.0f), c.pass1);
        EXPECT_EQ(PK_FAC_LOC(2, c.side, c.offset, 7.0f, 3.0f), c.pass2);
    }
}

TEST(ModeReport, ExtremesFollowTheHardeningCurve) {
    // The excursion correction's own case: a linear 10 on E = 0.5 u^2 + 0.0025 u^4 (step 1,
    // spring 1) is 8.529241. Here the total two sigma (sigma 5) and the extreme (5 x 2) are
    // both 10 with the mean offset; against it the soft side keeps 10.
    ScratchFolder folder;
    ScriptedConsole console;
    set_up_low_frequency_report();
    convert_mode_statistics(low_report_flags());
    const LfModeRecord surge = lf_mode_record(lf_surge);
    surge(FSGPK.w) = 2.0f;
    surge(FSGPQ.w) = 2.0f;
    TPCM.XTRMFL = 0;
    ASSERT_TRUE(open_unit(1, "LOWOUT.stxt", OpenStatus::replace, FileForm::formatted));
    const ModeCurve curve{std::span<const float>(ERGCOM.PENFUN_words),
                          0.0f,
                          std::span<const float>(&ERGCOM.DXSRG, 1),
                          1.0f,
                          0.0f,
                          6.5f};
    LOWPK2(surge, curve, 0, 1, 1.0f, false, true);
    close_unit(1);
    const std::string text = read_text("LOWOUT.stxt");
    EXPECT_TRUE(text.starts_with(
        "\n       Offset associated with mean environment ....       6.50" + feet + "\n"));
    EXPECT_TRUE(has(text, "       Total Two sigma variation ..................       8.53" + feet +
                              "\n\n       Most probable extreme (MPE) in  3.0 hr. storm      8.53" +
                              feet + "\n\n ++> Variations that <<REDUCE>>"));
    EXPECT_TRUE(has(text, "       Total Two sigma variation ..................     -10.00" + feet +
                              "\n\n       Most probable extreme (MPE) in  3.0 hr. storm    -10.00" +
                              feet + "\n"));
}

TEST(ModePages, TurretNotLegacyGivesVaAndVb) {
    ScratchFolder folder;
    ScriptedConsole console;
    const std::string text = section_v([] {
        TPCM.LSPM = 1;
        EQUILB.COMPs_VEC(2, 2) = std::complex<float>(0.0f, 0.0f);
        EQUILB.COMPs_VEC(3, 2) = std::complex<float>(0.0f, 0.0f);
    });
    EXPECT_EQ(count(text, "\f\n"), 2u);
    EXPECT_TRUE(text.starts_with(
        "\f\n **********        Va. LOW-FREQUENCY NORMAL MODE PROPERTIES      **********\n\n"
        " Note: Modal summaries are provided for *qualitative* purposes only.\n"
        "       For quantitative assessments use low-frequency motions and spectra.\n\n"
        " >>> Mode #1: High-energy lateral mode, usually dominated by motion parallel to mean "
        "offset\n\n"
        "       Undamped period ............................     120.00 sec\n"
        "       Still water damping ........................       0.50 percent\n"));
    // Mode 1: sigmas 5 ft, 4 ft and 0.02 rad times |0.6 + 0.8i| = 1, 0.3 and |0.1i|.
    EXPECT_TRUE(has(
        text, "       Current spectral density:  0.800E-03 (ft/s)^2/(rad/s)\n\n"
              " ++> Mode #1 mooring centroid RMS motion contributions\n\n"
              "       Radial (aligned with mean offset) ..........       5.00" +
                  feet + "\n       Perpendicular (orthogonal to mean offset) ..       1.20" + feet +
                  "\n       Yaw ........................................       0.11 "
                  "degrees\n\n >>> Mode #2: Low Sway-Yaw mode (relatively long "
                  "period, low energy)\n\n"));
    // Mode 2 is purely radial: 5 x 0.2 and zeros. The sway and yaw densities serve modes 2, 3.
    EXPECT_TRUE(has(
        text, "       Wind spectral density:     0.375E-01 (ft/s)^2/(rad/s)\n"
              "       Current spectral density:  0.240E-02 (ft/s)^2/(rad/s)\n\n"
              " ++> Mode #2 mooring centroid RMS motion contributions\n\n"
              "       Radial (aligned with mean offset) ..........       1.00" +
                  feet + "\n       Perpendicular (orthogonal to mean offset) ..       0.00" + feet +
                  "\n       Yaw ........................................       "
                  "0.00 degrees\n\n"));
    // Mode 3 takes the surge damping flag (0 here, so its budget is printed) and |0.8i|.
    EXPECT_TRUE(has(text,
                    " >>> Mode #3: High Sway-Yaw mode (relatively short period, high energy)\n\n"
                    "       Undamped period ............................      60.00 sec\n"
                    "       Still water damping ........................       0.80 percent\n"));
    EXPECT_TRUE(has(text, "       Yaw ........................................       0.92 "
                          "degrees\n\n\f\n"));
    EXPECT_EQ(count(text, "Damping conversion"), 0u);
    // Vb: the headings and the variation parts only.
    EXPECT_TRUE(has(
        text, "\f\n *******    Vb.  LOW-FREQUENCY SINGLE-AMPLITUDE DYNAMICS SUMMARY    *******\n"
              "\n >>> MOORING CENTROID MOTIONS PARALLEL TO MEAN OFFSET\n\n"
              "       Offset associated with mean environment ....       6.50" +
                  feet + "\n\n ++> Variations that <<INCREASE>> mean environmental offset:\n"));
    EXPECT_TRUE(has(text, "\n\n >>> MOORING CENTROID MOTIONS ORTHOGONAL TO MEAN OFFSET\n\n"
                          "       Offset associated with mean environment ....      -3.25" +
                              feet));
    EXPECT_TRUE(has(text, "\n\n >>> YAW\n\n       Offset associated with mean environment "
                          "....       2.01 degrees\n"));
    EXPECT_EQ(count(text, "Undamped period"), 3u); // only the three of page Va
    // With a turret the sway and yaw modes are not corrected; the surge mode is, on the
    // tabulated offsets (here u itself, so the same 8.53 as with the step of 1).
    EXPECT_TRUE(has(text, "       Total Two sigma variation ..................       8.53" + feet));
    EXPECT_FALSE(has(text, "-7.13"));
    EXPECT_TRUE(has(text, "       Total Two sigma variation ..................      -8.00" + feet));
    EXPECT_TRUE(
        has(text, "       Total Two sigma variation ..................       2.29 degrees"));
}

TEST(ModePages, LegacyTurretSwayAsAnAngle) {
    ScratchFolder folder;
    ScriptedConsole console;
    // NETARM 30: the sway sigma 4 becomes 120 ft at midship; two sigma 240 ft, an angle of
    // 240 x 57.295776 / 30 = 458.37 degrees; pass 1 goes with the negative offset SWYOFF.
    const std::string text = section_v([] {
        TPCM.LSPM = 1;
        TPCM.LEGACY_ID = 1;
        EQUILB.YAWARM = -50.0f;
        ERGCOM.REQLIB = 20.0f;
        EQUILB.GOFANG = EQUILB.VESANG();
    });
    EXPECT_EQ(count(text, "\f\n"), 3u);
    EXPECT_TRUE(has(text, " High-energy mode, dominated by mooring centroid motion parallel to "
                          "mean offset\n\n       Undamped period"));
    // The arm's sway has rotational units.
    EXPECT_TRUE(has(text, "       Damping conversion:  1% =  0.100E+02 ft*kip/(rad/sec)\n"
                          "       Average Modal Stiffness:   0.100E+01 kip*ft/rad\n"));
    EXPECT_TRUE(has(text, "\n ++> Variations that <<REDUCE>> mean environmental offset:\n"));
    EXPECT_TRUE(has(text, "       Total Two sigma variation at midship .......    -240.00" + feet +
                              "\n       Total Two sigma angular variation ..........    -458.37 "
                              "degrees\n"));
    // Extremes 120 x 2.9 (pass 1 on the minimum side: side +1, offset -3.25), then as angles.
    EXPECT_TRUE(
        has(text, "       Most probable extreme (MPE) in  3.0 hr. storm   -348.00" + feet +
                      "\n       Multi-storm ensemble mean variation ........    -360.00" + feet +
                      "\n       Mean + ensemble-wide standard deviation ....    -420.00" + feet +
                      "\n\n       Most probable extreme (MPE) in  3.0 hr. storm   -664.63 "
                      "degrees\n       Multi-storm ensemble mean variation ........   "
                      " -687.55 degrees\n       Mean + ensemble-wide standard deviation "
                      "....    -802.14 degrees\n"));
    // The surge mode is corrected on the tabulated offsets about REQLIB (positive): 8.53.
    EXPECT_TRUE(has(text, "       Offset associated with mean environment ....      20.00" + feet));
}

TEST(ModePages, ZeroArmLeavesTheAngleFieldsBlank) {
    ScratchFolder folder;
    ScriptedConsole console;
    const std::string text = section_v([] {
        TPCM.LSPM = 1;
        TPCM.LEGACY_ID = 1;
        EQUILB.YAWARM = 20.0f;
        ERGCOM.REQLIB = 20.0f;
        EQUILB.GOFANG = EQUILB.VESANG();
    });
    EXPECT_TRUE(has(text, "       Total Two sigma angular variation ..........            "
                          "degrees\n"));
    EXPECT_FALSE(has(text, "Inf"));
    EXPECT_FALSE(has(text, "NaN"));
}

TEST(ModePages, SpreadLegacyTexts) {
    ScratchFolder folder;
    ScriptedConsole console;
    const std::string text = section_v([] { TPCM.LEGACY_ID = 1; });
    EXPECT_EQ(count(text, "\f\n"), 3u);
    for (const char* heading : {" Approximate Surge normal mode:\n",
                                " Approximate Sway normal mode:\n", " Yaw normal mode:\n"}) {
        SCOPED_TRACE(heading);
        EXPECT_TRUE(has(text, "SUMMARY    *******\n\n" + std::string(heading) +
                                  "\n       Undamped period"));
    }
    // Legacy: INCREASE and REDUCE for the sway mode too.
    EXPECT_EQ(count(text, "<<INCREASE>>"), 3u);
    EXPECT_FALSE(has(text, "orthogonal to mean environmental offset"));
}

TEST(ModePages, RollAndPitchOfCodeSeventeen) {
    ScratchFolder folder;
    ScriptedConsole console;
    // VESANG + MODE_ROT_ANG = pi/2: the turn by -pi/2 makes roll the old pitch and pitch
    // minus the old roll. Roll -0.0075 rad = -0.43 degrees, pitch -0.0125 rad = -0.72.
    std::string text = section_v([] {
        TPCM.SIMTYP = 17;
        EQUILB.VESANG() = 1.2707963f;
        EQUILB.MODE_ROT_ANG = 0.3f;
    });
    EXPECT_EQ(count(text, "\f\n"), 5u);
    EXPECT_TRUE(has(text, " \"Low\" pitch/roll angular mode (angular motions about mean offset "
                          "vector):\n\n       Undamped period ............................      "
                          "25.00 sec\n"));
    EXPECT_TRUE(has(text, " \"High\" pitch/roll angular mode (angular motions confined to mean "
                          "offset plane):\n\n       Undamped period ............................ "
                          "     30.00 sec\n"));
    const std::size_t pitch = text.find("\"High\"");
    EXPECT_EQ(text.find("       Offset associated with mean environment ....      -0.43 degrees\n",
                        text.find("\"Low\"")) < pitch,
              true);
    EXPECT_NE(text.find("       Offset associated with mean environment ....      -0.72 degrees\n",
                        pitch),
              std::string::npos);
    // Roll was given by the user: no budget; pitch is computed.
    EXPECT_EQ(count(text, "Still water damping"), 3u); // surge, yaw, pitch
    // Legacy: the offsets as they are, and the approximate texts.
    text = section_v([] {
        TPCM.SIMTYP = 17;
        TPCM.LEGACY_ID = 1;
        EQUILB.VESANG() = 1.2707963f;
        EQUILB.MODE_ROT_ANG = 0.3f;
    });
    EXPECT_TRUE(has(text, " Approximate Roll normal mode:\n"));
    EXPECT_TRUE(has(text, " Approximate Pitch normal mode:\n"));
    EXPECT_TRUE(
        has(text, "       Offset associated with mean environment ....       0.72 degrees\n"));
    EXPECT_TRUE(
        has(text, "       Offset associated with mean environment ....      -0.43 degrees\n"));
}

TEST(ModePages, SigmaLevelStormHoursAndCodeFourteen) {
    ScratchFolder folder;
    ScriptedConsole console;
    // One sigma: half the two-sigma excursions. The surge total 5 stores 12.5, between the
    // table's 8 + 0.64 at u = 4 and 12.5 + 1.5625 at 5: 4 + 3.86 / 5.4225 = 4.71.
    std::string text = section_v([] {
        TPCM.ONETWO = 1;
        TPCM.DURATN = 12.5f;
    });
    EXPECT_FALSE(has(text, "Two sigma"));
    EXPECT_TRUE(has(text, "       One sigma variation; wind ..................       0.80" + feet));
    EXPECT_TRUE(has(text, "       Total One sigma variation ..................       4.71" + feet));
    EXPECT_TRUE(has(text, "       Most probable extreme (MPE) in 12.5 hr. storm     11.58" + feet));
    // Code 14 corrects nothing: the linear 10 and 15.
    text = section_v([] { TPCM.SIMTYP = 14; });
    EXPECT_TRUE(has(text, "       Total Two sigma variation ..................      10.00" + feet));
    EXPECT_TRUE(has(text, "       Most probable extreme (MPE) in  3.0 hr. storm     15.00" + feet));
    // Without the ensemble switch the two ensemble lines go.
    text = section_v([] { TPCM.XTRMFL = 0; });
    EXPECT_FALSE(has(text, "Multi-storm"));
    EXPECT_FALSE(has(text, "ensemble-wide"));
}

TEST(ModePages, LegacyDragSigmasArePassedOver) {
    ScratchFolder folder;
    ScriptedConsole console;
    const std::string text = section_v([] { TPCM.LEGDRG = 1; });
    EXPECT_FALSE(has(text, "drag"));
    EXPECT_TRUE(has(text, "       Two sigma variation; wave reflection .......       1.80" + feet +
                              "\n       Two sigma variation; swell reflection ......       1.00" +
                              feet +
                              "\n       Two sigma variation; swell #2 reflection ...       1.40" +
                              feet + "\n"));
}

TEST(ModePages, ZeroConversionDivisorLeavesItsFieldBlank) {
    ScratchFolder folder;
    ScriptedConsole console;
    const std::string text = section_v([] { lf(GAMFAC) = 0.0f; });
    EXPECT_TRUE(has(text, "       Damping conversion:  1% =            k.lb/(ft/sec)\n"));
    EXPECT_FALSE(has(text, "Inf"));
}

TEST(ModePages, LongTableLengthReadsNoFurtherThanTheCurves) {
    ScratchFolder folder;
    ScriptedConsole console;
    const std::string as_given = section_v([] {});
    EXPECT_EQ(section_v([] { TPCM.NUMTAB = 400; }), as_given);
}

TEST(ModePages, StableIndexOutsideItsTableReadsNoLoad) {
    // The mean load goes to NLNCOR, which does not use it: the pages stay the same.
    ScratchFolder folder;
    ScriptedConsole console;
    const std::string as_given = section_v([] { TPCM.LSPM = 1; });
    for (const std::int32_t ISTAB : {0, 31, -5}) {
        SCOPED_TRACE(ISTAB);
        EXPECT_EQ(section_v([ISTAB] {
                      TPCM.LSPM = 1;
                      EQUILB.ISTAB = ISTAB;
                  }),
                  as_given);
    }
}

TEST(ModePages, NegativePauseAnswerStopsThePages) {
    ScratchFolder folder;
    ScriptedConsole console("-1\n");
    set_up_low_frequency_report();
    TPCM.IUNIT = TPCM.EDUNIT;
    const LowReportFlags flags = low_report_flags();
    convert_mode_statistics(flags);
    EXPECT_TRUE(write_mode_pages(flags));
    EXPECT_EQ(TPCM.LBACK, -1);
    const std::string screen = console.screen();
    EXPECT_TRUE(has(screen, " High lateral mode"));
    EXPECT_FALSE(has(screen, " Low lateral mode"));
    EXPECT_TRUE(has(screen, "Press <RETURN> to continue"));
}

} // namespace
} // namespace lintar
