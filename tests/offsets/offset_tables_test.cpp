// Tests of the offset-table analysis CATTBL: every sequence kind run end to end into the report,
// the loads against independent catenary references, the mirror images of symmetric sequences,
// the zero at the first point, excluded lines, a CALM buoy with its hawser, and the refusals
// and stops on bad input.
#include "offsets/offset_tables.h"

#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/line_tables.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/mooring_fixture.h"
#include "support/spread_mooring_tables.h"
#include "support/turret_mooring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::lines_of;
using testing::ScratchFolder;
using testing::ScriptedConsole;

const std::string return_prompt = " \n Press <RETURN> to continue: ";

// The progress line of a kind: the message in a 78-character field between empty lines.
std::string progress(std::string_view message) {
    std::string field(message);
    field.resize(78, ' ');
    return "\n >>> " + field + "\n\n";
}

// The column head of the most-exposed-line table (code 99); the energy table (code 96) starts
// its head alike but names its energies.
bool exposed_line_head(const std::string& line) {
    return line.rfind(" Offset  Line   Total", 0) == 0 && line.find("Energy") == std::string::npos;
}

// The number of rows of every most-exposed-line table of a report, in order: the rows follow
// the head, its units line and an empty line, and end at an empty line or a new page.
std::vector<int> exposed_line_rows(const std::string& report) {
    const auto lines = lines_of(report);
    std::vector<int> rows;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!exposed_line_head(lines[i]))
            continue;
        std::size_t j = i + 3;
        int n = 0;
        while (j < lines.size() && !lines[j].empty() && lines[j] != "\f") {
            ++n;
            ++j;
        }
        rows.push_back(n);
    }
    return rows;
}

// The title of every section page heading a code-99 table, in order.
std::vector<std::string> exposed_line_sections(const std::string& report) {
    const auto lines = lines_of(report);
    std::vector<std::string> titles;
    std::string title;
    for (const std::string& line : lines) {
        if (line.rfind(" **", 0) == 0) {
            const auto first = line.find_first_not_of(" *");
            const auto last = line.find_last_not_of(" *");
            title = line.substr(first, last - first + 1);
        }
        if (exposed_line_head(line))
            titles.push_back(title);
    }
    return titles;
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// What the observer saw of one sequence.
struct Sequence {
    std::int32_t TABTYP = 0, IREP = 0, NOFF = 0;
    std::shared_ptr<OffsetTables> T;
    float at(const OffsetTable OffsetTables::*table, int k, int INCVAL) const {
        return offset_value((*T).*table, k, INCVAL);
    }
};

// The vessel's hydrostatics for the equilibrium search: a 600 ft by 100 ft waterplane of 80%,
// its displacement, and metacentric heights that hold roll and pitch firmly.
void vessel_hydrostatics() {
    TPCM.DWATR = 64.0f;
    TPCM.AWP = 48000.0f;
    TPCM.DISPL = 122880.0f;
    TPCM.VKG = 0.0f;
    TPCM.VKMT = 40.0f;
    TPCM.VKML = 600.0f;
}

// A run of CATTBL in a scratch folder with a scripted keyboard; the sequences it evaluated are
// kept, the report is read after the run.
struct AnalysisRun {
    explicit AnalysisRun(std::string keyboard = "") : console(std::move(keyboard)) { observe(); }

    // Keeps what the analysis evaluates (again after a reset of the program state).
    void observe() {
        observe_offset_sequences([this](std::int32_t TABTYP, std::int32_t IREP, std::int32_t NOFF,
                                        const OffsetTables& tables) {
            sequences.push_back({TABTYP, IREP, NOFF, std::make_shared<OffsetTables>(tables)});
        });
    }

    // The four-line spread of the data-file fixture, its tables built by the table stage; the
    // still-water state as the static-equilibrium stage leaves it (heading in radians, at the
    // origin); a 60 ft vertical span, the moment centre at the origin; no table selected.
    void spread_from_table_stage() {
        testing::fill_spread_mooring();
        TPCM.ZSPAN = 60.0f;
        for (int i = 1; i <= 3; ++i)
            TPCM.RMCTR(i) = 0.0f;
        TPCM.NLAT = 0;
        TPCM.NOFFL = 0;
        ASSERT_FALSE(testing::run_until_stop([] { MRSTAT(); }).has_value()) << console.screen();
        console.clear_screen_text();
        TPCM.IUNIT = 1;
        TPCM.VESAN0 = 0.0f;
        EQUILB.TRTNG0 = 0.0f;
    }

    // One lateral sequence of two points along x.
    static void lateral_sequence() {
        TPCM.NLAT = 1;
        TPCM.PHIL(1) = 0.0f;
        TPCM.NOFFL = 2;
        TPCM.OFFL(1) = 0.0f;
        TPCM.OFFL(2) = 10.0f;
    }

    // The run; the exit status as the engine's main function gives it (every unit closed).
    int run() {
        return run_main([] { CATTBL(); });
    }

    std::string report() const { return folder.read("OFFSETS.stxt"); }

    ScratchFolder folder;
    ScriptedConsole console;
    std::vector<Sequence> sequences;
};

class OffsetAnalysis : public ::testing::Test, public AnalysisRun {
protected:
    explicit OffsetAnalysis(std::string keyboard = "") : AnalysisRun(std::move(keyboard)) {}
};

// A run whose keyboard answers one pause.
class OffsetAnalysisAnswering : public OffsetAnalysis {
protected:
    OffsetAnalysisAnswering() : OffsetAnalysis("\n") {}
};

// ---- Every kind end to end ----------------------------------------------------------------

TEST_F(OffsetAnalysis, EverySequenceKindReportsItsRows) {
    spread_from_table_stage();
    TPCM.NLAT = 2;
    TPCM.PHIL(1) = 0.0f;
    TPCM.PHIL(2) = 90.0f;
    TPCM.NOFFL = 3;
    TPCM.OFFL(1) = 0.0f;
    TPCM.OFFL(2) = 10.0f;
    TPCM.OFFL(3) = 20.0f;
    TPCM.NYAW = 2;
    TPCM.PHIY(1) = -1.0f;
    TPCM.PHIY(2) = 1.0f;
    TPCM.NOFFY = 4;
    for (int n = 1; n <= 4; ++n)
        TPCM.OFFY(n) = static_cast<float>(n - 1);
    TPCM.NOBLDR = 1;
    TPCM.OBLVEC(1, 1) = 2.0f;
    TPCM.OBLPTY(1) = 1.0f;
    TPCM.NOFFOB = 2;
    TPCM.OBLOFF(1) = 0.0f;
    TPCM.OBLOFF(2) = 0.5f;
    TPCM.OBDEFN = 1;
    TPCM.NVERT = 3;
    TPCM.VRTOFF(1) = -2.0f;
    TPCM.VRTOFF(2) = 0.0f;
    TPCM.VRTOFF(3) = 2.0f;
    TPCM.NRCTDR = 1;
    TPCM.RCTDIR(1, 1) = 1.0f;
    TPCM.RCTDIR(2, 1) = 1.0f;
    TPCM.NRCTOF = 2;
    TPCM.RCTOFF(1) = 5.0f;
    TPCM.RCTOFF(2) = 10.0f;
    TPCM.FROMTABLE = 1;
    folder.write("INPUTOFF.txt", "2\n2\n0 0 0 0 0 0\n0 5 0 0 0 0\n"
                                 "3\n1 0 0 0 0 0\n2 0 0 0 0 0\n3 0 0 0 0 0\n");
    vessel_hydrostatics();
    TPCM.NFCDIR = 1;
    TPCM.FRCVEC(2, 1) = 1.0f;
    TPCM.NFCOFF = 2;
    TPCM.FRCOFF(2) = 30.0f;
    TPCM.NTQDIR = 1;
    TPCM.TRQVEC(3, 1) = 1.0f;
    TPCM.NTQOFF = 3;
    TPCM.TRQOFF(2) = 300.0f;
    TPCM.TRQOFF(3) = 600.0f;
    // Every table, the stiffness matrices included.
    TPCM.NERGAN = TPCM.NCRS = TPCM.NETFV = TPCM.NETFG = 1;
    TPCM.NSTIFV = TPCM.NSTIFG = 1;
    TPCM.NTO = TPCM.NHO = TPCM.NVO = TPCM.NTA = TPCM.NHA = TPCM.NVA = TPCM.NSL = 1;
    TPCM.NDA = TPCM.NBA = TPCM.NBL = TPCM.NANCD = TPCM.NDEPAN = 1;

    ASSERT_EQ(run(), 0) << console.screen();

    EXPECT_EQ(console.screen(), progress("Computing lateral offsets") +
                                    progress("Computing yaw offsets") +
                                    progress("Computing oblique rotational offsets") +
                                    progress("Computing vertical offsets") +
                                    progress("Computing oblique rectilinear offsets") +
                                    progress("Processing INPUTOFF.txt file") +
                                    progress("Computing \"continuous equilibrium\" offsets for "
                                             "specified forces") +
                                    progress("Computing \"continuous equilibrium\" offsets for "
                                             "specified moments"));
    struct Expected {
        std::int32_t TABTYP, IREP, NOFF;
        const char* section;
    };
    const Expected expected[] = {
        {1, 1, 3, "III. Lateral Offset Restoring Characteristics"},
        {1, 2, 3, "III. Lateral Offset Restoring Characteristics"},
        {2, 1, 4, "IV. Yaw Offset Restoring Characteristics"},
        {2, 2, 4, "IV. Yaw Offset Restoring Characteristics"},
        {3, 1, 2, "V. Oblique Axis Rotational Offset Characteristics"},
        {4, 1, 3, "VI. Vertical Offset Restoring Characteristics"},
        {5, 1, 2, "VII. Oblique Rectilinear Offset Characteristics"},
        {6, 1, 2, "VII. User-specified INPUTOFF.txt offset file"},
        {6, 2, 3, "VII. User-specified INPUTOFF.txt offset file"},
        {7, 1, 2, "VIII. Continuous Equilibrium Under Specified Forcing"},
        {8, 1, 3, "IX. Continuous Equilibrium Under Specified Torquing"},
    };
    const std::string text = report();
    const auto rows = exposed_line_rows(text);
    const auto sections = exposed_line_sections(text);
    ASSERT_EQ(sequences.size(), std::size(expected));
    ASSERT_EQ(rows.size(), std::size(expected));
    ASSERT_EQ(sections.size(), std::size(expected));
    for (std::size_t s = 0; s < std::size(expected); ++s) {
        const Expected& e = expected[s];
        SCOPED_TRACE(::testing::Message() << "kind " << e.TABTYP << " repetition " << e.IREP);
        EXPECT_EQ(sequences[s].TABTYP, e.TABTYP);
        EXPECT_EQ(sequences[s].IREP, e.IREP);
        EXPECT_EQ(sequences[s].NOFF, e.NOFF);
        EXPECT_EQ(rows[s], e.NOFF);
        EXPECT_EQ(sections[s], e.section);
    }

    // The oblique definitions page opens the first oblique sequence, on a page of its own.
    const std::string definitions =
        "\f\n"
        "     The following definitions apply to output variables for \n"
        "     \"oblique\" offset sequences.\n"
        "\n"
        "          >>> Summary Pages for Most Exposed Line,\n"
        "          Total Restoring Data and Cross-Coupling Data:\n"
        "\n"
        "     1.  \"Vessel Restoring Moments\", \"Roll\", \"Pitch\" and \n"
        "     \"Yaw\" moments are resolved in \"Vessel\" coordinates, \n"
        "     with z positive upwards from the deck, x positive \n"
        "     towards the bow and y positive to port (left when \n"
        "     facing forwards). For oblique rotation offsets, this \n"
        "     coordinate system moves with the vessel, so that the \n"
        "     \"Yaw\" moment, for example, will NOT necessarily be \n"
        "     defined around an earth-vertical axis once a non-zero \n"
        "     oblique angular offset has been made.\n"
        "     2.  \"Vessel-Relative Forces\" (Surge, Sway and Heave) are \n"
        "     likewise reported relative to the \"Vessel\" coordinate \n"
        "     system. For instance, net induced heave force will not \n"
        "     necessarily be in the earth-vertical direction but \n"
        "     rather in the deck-vertical direction at each oblique \n"
        "     angular offset point.\n"
        "          >>> Individual Line Data Pages:\n"
        "\n"
        "     1. \"Horizontal\" and \"Vertical\" individual line tension \n"
        "     components are defined in an earth-fixed coordinate \n"
        "     system with z vertical (positive upwards) regardless of \n"
        "     vessel orientation.\n"
        "\n"
        "     2.  Line declination angles are defined relative to the \n"
        "     same vertical axis (positive declination angles at the \n"
        "     fairlead refer to lines departing DOWNWARDS from the \n"
        "     fairlead; positive departure angles at the anchor refer \n"
        "     to lines departing UPWARDS from the anchor).\n"
        "\n"
        "     3.  \"Plan-View Global Departure Angles\" are given in \n"
        "     the same \"Global\" coordinate system used to describe \n"
        "     the pre-offset line departure angles and the pre-offset \n"
        "     vessel heading.\n"
        "\f\n";
    EXPECT_EQ(occurrences(text, definitions), 1u);
    EXPECT_LT(text.find(definitions), text.find("V. Oblique Axis Rotational"));
    EXPECT_GT(text.find(definitions), text.find("IV. Yaw Offset"));

    // The user rows' directions went to RCTDIR of their blocks: the last row of each.
    EXPECT_EQ(TPCM.RCTDIR(1, 1), 0.0f);
    EXPECT_EQ(TPCM.RCTDIR(2, 1), 1.0f);
    EXPECT_EQ(TPCM.RCTDIR(1, 2), 1.0f);
    EXPECT_EQ(TPCM.RCTDIR(2, 2), 0.0f);
}

// ---- Loads against independent references ------------------------------------------------

// The spread whose tables come from the elastic catenary of a uniform chain, as one line type
// of one element; the report to the file, no tables selected but the summary.
void spread_from_catenary(const testing::Chain& chain) {
    testing::fill_spread_tables(chain, 5, 10.0f);
    TPCM.IUNIT = 1;
    TPCM.TLOAD = static_cast<float>(testing::spread_Hmax);
    TPCM.HMIN = LINCOM.HLOD(2);
    TPCM.NELEM(1) = 1;
    TPCM.SLEN(1, 1) = static_cast<float>(chain.L);
    TPCM.WETWT(1, 1) = static_cast<float>(chain.w);
    TPCM.ALPHA(1, 1, 1) = static_cast<float>(1.0 / chain.EA);
    LINCOM.TOTLN(1) = static_cast<float>(chain.L);
}

// Each line's horizontal load, and the net force, at lateral offsets in two directions equal
// the elastic catenaries of the lines at their new fairlead-anchor distances; an excluded line
// drops out of the sum and reports zeros.
TEST_F(OffsetAnalysis, LateralLoadsAreTheSumOfSingleLineCatenaries) {
    const testing::Chain chain;
    // The tables interpolate linearly between load points up to ~25 kips apart: a line's load
    // is met to ~0.2 kips, a wrong distance (1 ft) misses by more than 1 kip.
    constexpr double line_tol = 0.3;
    for (const bool exclude_line_2 : {false, true}) {
        SCOPED_TRACE(exclude_line_2 ? "line 2 excluded" : "all lines");
        sequences.clear();
        reset_program_state();
        observe();
        spread_from_catenary(chain);
        if (exclude_line_2)
            LINCOM.LINEID(2) += 1024;
        TPCM.NLAT = 2;
        TPCM.PHIL(1) = 30.0f;
        TPCM.PHIL(2) = 200.0f;
        TPCM.NOFFL = 4;
        const float offsets[] = {0.0f, 10.0f, 25.0f, 40.0f};
        for (int n = 1; n <= 4; ++n)
            TPCM.OFFL(n) = offsets[n - 1];
        ASSERT_EQ(run(), 0) << console.screen();
        ASSERT_EQ(sequences.size(), 2u);
        for (const Sequence& q : sequences) {
            const double a = TPCM.PHIL(q.IREP) * std::numbers::pi / 180.0;
            for (int n = 1; n <= 4; ++n) {
                const double d = offsets[n - 1];
                SCOPED_TRACE(::testing::Message() << "direction " << q.IREP << " offset " << d);
                const double dx = d * std::cos(a);
                const double dy = d * std::sin(a);
                const double X0 =
                    testing::elastic_catenary(chain, testing::spread_H0, testing::spread_depth).X;
                for (int b = 1; b <= 4; ++b) {
                    const auto i = static_cast<std::size_t>(b - 1);
                    const double az = testing::spread_azimuth[i] * std::numbers::pi / 180.0;
                    const double dist = std::hypot(X0 * std::cos(az) - dx, X0 * std::sin(az) - dy);
                    const double H =
                        b == 2 && exclude_line_2
                            ? 0.0
                            : testing::catenary_at_distance(chain, dist, testing::spread_depth).H;
                    EXPECT_NEAR(q.at(&OffsetTables::TOPTH, b, n), H, line_tol) << "line " << b;
                    EXPECT_NEAR(q.at(&OffsetTables::ANCDSQ, b, n),
                                b == 2 && exclude_line_2 ? 0.0 : dist, 1e-3)
                        << "line " << b;
                }
                const auto F = testing::spread_net_force(chain, dx, dy, 0.0);
                for (int k = 1; k <= 3; ++k)
                    EXPECT_NEAR(q.at(&OffsetTables::GLBFRC, k, n), F[std::size_t(k - 1)],
                                4 * line_tol)
                        << "force " << k;
                // The restoring force along the offset: the net force on the direction.
                EXPECT_NEAR(q.at(&OffsetTables::MSTEXP, 8, n),
                            F[0] * std::cos(a) + F[1] * std::sin(a), 4 * line_tol);
                if (exclude_line_2) {
                    for (const auto table :
                         {&OffsetTables::TOPTT, &OffsetTables::TOPTH, &OffsetTables::TOPTZ,
                          &OffsetTables::BOTTL, &OffsetTables::BOTTH, &OffsetTables::BOTTZ,
                          &OffsetTables::SUSLNQ, &OffsetTables::TOPAN, &OffsetTables::BOTAN,
                          &OffsetTables::BOTLNQ, &OffsetTables::ANCDSQ, &OffsetTables::DEPANG,
                          &OffsetTables::LINERG})
                        EXPECT_EQ(q.at(table, 2, n), 0.0f);
                }
            }
        }
    }
}

// The same spread mirrored: lateral sequences at +90 and -90 degrees, and yaw sequences of the
// two senses, give mirror-image loads: line 1 of one is line 4 of the other (and 2 is 3), the
// force across the mirror plane and the yaw moment change sign.
TEST_F(OffsetAnalysis, MirrorImageSequencesGiveMirrorImageResults) {
    spread_from_table_stage();
    TPCM.NLAT = 2;
    TPCM.PHIL(1) = 90.0f;
    TPCM.PHIL(2) = -90.0f;
    TPCM.NOFFL = 3;
    TPCM.OFFL(1) = 5.0f;
    TPCM.OFFL(2) = 15.0f;
    TPCM.OFFL(3) = 30.0f;
    TPCM.NYAW = 2;
    TPCM.PHIY(1) = 1.0f;
    TPCM.PHIY(2) = -1.0f;
    TPCM.NOFFY = 3;
    TPCM.OFFY(1) = 0.5f;
    TPCM.OFFY(2) = 1.0f;
    TPCM.OFFY(3) = 2.0f;
    ASSERT_EQ(run(), 0) << console.screen();
    ASSERT_EQ(sequences.size(), 4u);
    // Mirror images meet to the rounding of the single-precision geometry: 1e-4 of a value, or
    // of the lines' moments (~3e4 kip-ft each) where they cancel.
    const auto near = [](float a, float b) {
        return std::abs(a - b) <= 1e-4f * std::abs(a) + 2e-3f;
    };
    constexpr float moment_tol = 3.0f;
    constexpr int mirror_line[] = {0, 4, 3, 2, 1};
    for (const std::size_t first : {std::size_t{0}, std::size_t{2}}) {
        const Sequence& p = sequences[first];
        const Sequence& m = sequences[first + 1];
        SCOPED_TRACE(p.TABTYP == 1 ? "lateral" : "yaw");
        for (int n = 1; n <= 3; ++n) {
            SCOPED_TRACE(::testing::Message() << "point " << n);
            for (int b = 1; b <= 4; ++b)
                for (const auto table :
                     {&OffsetTables::TOPTT, &OffsetTables::TOPTH, &OffsetTables::TOPTZ,
                      &OffsetTables::SUSLNQ, &OffsetTables::ANCDSQ, &OffsetTables::LINERG}) {
                    const float a = p.at(table, b, n);
                    const float c = m.at(table, mirror_line[b], n);
                    EXPECT_PRED2(near, a, c) << "line " << b;
                }
            // Global Fx, Fy, Fz, Mx, My, Mz: Fy, Mx and Mz change sign.
            constexpr float sign[] = {1.0f, -1.0f, 1.0f, -1.0f, 1.0f, -1.0f};
            for (int k = 1; k <= 6; ++k)
                if (k <= 3)
                    EXPECT_PRED2(near, p.at(&OffsetTables::GLBFRC, k, n),
                                 sign[k - 1] * m.at(&OffsetTables::GLBFRC, k, n))
                        << "force " << k;
                else
                    EXPECT_NEAR(p.at(&OffsetTables::GLBFRC, k, n),
                                sign[k - 1] * m.at(&OffsetTables::GLBFRC, k, n), moment_tol)
                        << "moment " << k;
            EXPECT_GT(std::abs(p.at(&OffsetTables::GLBFRC, p.TABTYP == 1 ? 2 : 6, n)), 1.0f);
        }
        if (p.TABTYP == 2) {
            for (int n = 1; n <= 3; ++n)
                EXPECT_EQ(p.T->OFFVAL[std::size_t(n - 1)], -m.T->OFFVAL[std::size_t(n - 1)]);
        }
    }
}

// With the zero at the initial offset, the first row of every net-load table is exactly zero
// although the first point is displaced; the second is not.
TEST_F(OffsetAnalysis, ZeroAtTheInitialOffsetGivesAZeroFirstRow) {
    spread_from_table_stage();
    TPCM.NCATN(1) = 1;
    TPCM.NLAT = 1;
    TPCM.PHIL(1) = 20.0f;
    TPCM.NOFFL = 2;
    TPCM.OFFL(1) = 10.0f;
    TPCM.OFFL(2) = 20.0f;
    TPCM.NYAW = 1;
    TPCM.PHIY(1) = 1.0f;
    TPCM.NOFFY = 2;
    TPCM.OFFY(1) = 1.0f;
    TPCM.OFFY(2) = 2.0f;
    ASSERT_EQ(run(), 0) << console.screen();
    ASSERT_EQ(sequences.size(), 2u);
    for (const Sequence& q : sequences) {
        SCOPED_TRACE(q.TABTYP == 1 ? "lateral" : "yaw");
        for (int k = 1; k <= 6; ++k) {
            EXPECT_EQ(q.at(&OffsetTables::VESFRC, k, 1), 0.0f);
            EXPECT_EQ(q.at(&OffsetTables::GLBFRC, k, 1), 0.0f);
        }
        for (int k = 1; k <= 8; ++k)
            EXPECT_EQ(q.at(&OffsetTables::XCPLAR, k, 1), 0.0f);
        EXPECT_EQ(q.at(&OffsetTables::MSTEXP, 8, 1), 0.0f);
        // The lines still carry their loads, and the second point has its own net load.
        EXPECT_GT(q.at(&OffsetTables::TOPTT, 1, 1), 100.0f);
        EXPECT_GT(std::abs(q.at(&OffsetTables::GLBFRC, q.TABTYP == 1 ? 1 : 6, 2)), 1.0f);
    }
}

// ---- A CALM buoy and a free turret --------------------------------------------------------

// A buoy moored by three lines with a hawser (line 4, its own type) to its tanker: the buoy's
// section takes the vessel's place. Lateral points sum lines 1 to 3 and the hawser holds the
// buoy with the restoring force along the offset, so that no net force remains along it; under
// a force sequence the hawser carries the force, along the force, and the mooring's change
// balances it.
TEST_F(OffsetAnalysisAnswering, BuoyWithHawserRunsEndToEnd) {
    testing::fill_spread_mooring(2);
    TPCM.ZSPAN = 60.0f;
    TPCM.NLINE(1) = 3;
    TPCM.NLINE(2) = 1;
    TPCM.LINTYP(1, 2) = 4;
    TPCM.IARCO = 1;
    TPCM.HAWSLN = 4;
    TPCM.HAWSTP = 2;
    for (int i = 1; i <= 3; ++i)
        TPCM.RMCTR(i) = 0.0f;
    TPCM.NLAT = 0;
    ASSERT_FALSE(testing::run_until_stop([] { MRSTAT(); }).has_value()) << console.screen();
    console.clear_screen_text();
    TPCM.IUNIT = 1;
    TPCM.VESAN0 = 0.0f;
    vessel_hydrostatics();
    // The buoy's section: the vessel's, but for its arrangement word (which the exchange
    // brings in from the buoy's copy).
    testing::copy_vessel_to_buoy_section();
    TPCM.NLAT = 1;
    TPCM.PHIL(1) = 225.0f; // towards the corner of line 3, away from the hawser's line 4
    TPCM.NOFFL = 3;
    TPCM.OFFL(1) = 0.0f;
    TPCM.OFFL(2) = 10.0f;
    TPCM.OFFL(3) = 20.0f;
    TPCM.NFCDIR = 1;
    TPCM.FRCVEC(1, 1) = 1.0f;
    TPCM.FRCVEC(3, 1) = 0.5f; // the hawser holds the buoy in the horizontal plane only
    TPCM.NFCOFF = 3;
    TPCM.FRCOFF(1) = 0.0f;
    TPCM.FRCOFF(2) = 20.0f;
    TPCM.FRCOFF(3) = 40.0f;
    TPCM.NTO = 1;
    TPCM.NERGAN = 1;
    ASSERT_EQ(run(), 0) << console.screen();
    // The hawser is slack at the first point (no restoring force to hold): the warning of a
    // load below the tables' second point, once.
    EXPECT_EQ(console.screen(),
              progress("Computing lateral offsets") +
                  " ++> Warning: An estimated tension for line number  4, and possibly\n"
                  "              others, lies between interpolation rows 1 and 2\n"
                  "              of line type B. This may lead to unphysical\n"
                  "              results and/or serious interpolation errors.\n"
                  "\a\n Enter \"A\" to abort or Press <RETURN> to continue: " +
                  progress("Computing \"continuous equilibrium\" offsets for specified forces"));
    EXPECT_EQ(TPCM.IARCO, 1);
    ASSERT_EQ(sequences.size(), 2u);
    const Sequence& lateral = sequences[0];
    for (int n = 2; n <= 3; ++n) {
        SCOPED_TRACE(::testing::Message() << "lateral point " << n);
        const float H = lateral.at(&OffsetTables::HWSDAT, 3, n);
        EXPECT_GT(H, 1.0f);
        EXPECT_EQ(lateral.at(&OffsetTables::TOPTH, 4, n), H);
        EXPECT_NEAR(lateral.at(&OffsetTables::MSTEXP, 8, n), 0.0f, 1e-4f * H);
        EXPECT_NE(lateral.at(&OffsetTables::MSTEXP, 1, n), 4.0f); // the hawser is never the line
        EXPECT_GT(lateral.at(&OffsetTables::HWSERG, 5, n), 0.0f); // the hawser's energy
        EXPECT_EQ(lateral.at(&OffsetTables::DEPANG, 4, n), 225.0f);
    }
    const Sequence& forced = sequences[1];
    // The Newton step stops within 0.01 ft: ~0.1 kips of a stiffness of ~10 kips/ft.
    constexpr float balance_tol = 0.5f;
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE(::testing::Message() << "force point " << n);
        EXPECT_EQ(forced.at(&OffsetTables::HWSDAT, 3, n), TPCM.FRCOFF(n));
        EXPECT_EQ(forced.at(&OffsetTables::DEPANG, 4, n), 0.0f);
        const float x = forced.at(&OffsetTables::EQLDAT, 3, n);
        const float y = forced.at(&OffsetTables::EQLDAT, 4, n);
        EXPECT_FLOAT_EQ(forced.T->BYOFF[std::size_t(n - 1)], std::hypot(x, y));
        // The mooring's load with the hawser's pull is the load at rest.
        for (int k = 1; k <= 2; ++k)
            EXPECT_NEAR(forced.at(&OffsetTables::GLBFRC, k, n),
                        forced.at(&OffsetTables::GLBFRC, k, 1), balance_tol);
    }
    EXPECT_GT(forced.at(&OffsetTables::EQLDAT, 3, 3), 1.0f); // moved along the force
    const std::string text = report();
    EXPECT_EQ(exposed_line_rows(text), (std::vector<int>{3, 3}));
    EXPECT_EQ(occurrences(text, "Hawser Characteristics"), 2u);
}

// The plane force of the turret mooring's lines with the turret centre displaced by (dx, dy)
// and the turret at angle theta (the geometry of testing::turret_moment).
std::array<double, 2> turret_force(const testing::TurretMooring& m, double theta, double dx,
                                   double dy) {
    std::array<double, 2> F = {0.0, 0.0};
    for (const testing::TurretLine& l : m.lines) {
        const testing::LinearColumn& c = m.types[0];
        const double a = l.azimuth * std::numbers::pi / 180.0;
        const double ax =
            std::cos(m.TRTNG0) * l.x - std::sin(m.TRTNG0) * l.y + l.ranc * std::cos(a);
        const double ay =
            std::sin(m.TRTNG0) * l.x + std::cos(m.TRTNG0) * l.y + l.ranc * std::sin(a);
        const double vx = ax - (dx + std::cos(theta) * l.x - std::sin(theta) * l.y);
        const double vy = ay - (dy + std::sin(theta) * l.x + std::cos(theta) * l.y);
        const double d = std::hypot(vx, vy);
        F[0] += c.k * (d - c.d0) * vx / d;
        F[1] += c.k * (d - c.d0) * vy / d;
    }
    return F;
}

// The stable zero of the independent turret moment near `guess`, by bisection.
double turret_root(const testing::TurretMooring& m, double guess, double dx, double dy) {
    double lo = guess - 0.5;
    double hi = guess + 0.5;
    for (int k = 0; k < 100; ++k) {
        const double mid = 0.5 * (lo + hi);
        (testing::turret_moment(m, mid, dx, dy) > 0.0 ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

// A turret turning freely on hand-made straight tables, its reference angle 0.3 radians (the
// heading too): at each lateral point the turret takes the angle where the lines' moment about
// it vanishes, and the net force is that of the lines with the fairleads turned by the change
// of the turret angle from its reference, as an independent plane computation gives them.
TEST_F(OffsetAnalysis, FreeTurretTakesItsAngleAtEveryLateralPoint) {
    constexpr double axis = 0.3;
    testing::TurretMooring m;
    m.TRTNG0 = axis;
    m.types = {{20.0, 250.0}};
    const double axis_deg = axis * 180.0 / std::numbers::pi;
    m.lines = {{30.0, 20.0, axis_deg + 40.0, 300.0, 1},
               {30.0, -20.0, axis_deg - 40.0, 300.0, 1},
               {-30.0, 0.0, axis_deg + 180.0, 300.0, 1}};
    testing::fill_turret_mooring(m);
    TPCM.NLIN = 3;
    TPCM.NLAYER = 3;
    TPCM.ZSPAN = 20.0f;
    LINCOM.DLAYER = 10.0f;
    for (int L = 1; L <= 3; ++L)
        LINCOM.ZDIST_ARR(L) = static_cast<float>(L);
    TPCM.TLOAD = LINCOM.HLOD(testing::turret_numtab);
    TPCM.LSPM = 1;
    TPCM.VESAN0 = static_cast<float>(axis);
    EQUILB.TRTNGL = static_cast<float>(axis);
    // Moments, and the turn of the fairleads, about the turret centre.
    TPCM.RMCTR(1) = TPCM.RMCTRG(1) = TPCM.XSALM;
    TPCM.EDUNIT = screen_unit;
    TPCM.IUNIT = 1;
    TPCM.NLAT = 1;
    TPCM.PHIL(1) = 75.0f; // across the mooring's symmetry axis: the turret turns
    TPCM.NOFFL = 3;
    const double offsets[] = {0.0, 15.0, 30.0};
    for (int n = 1; n <= 3; ++n)
        TPCM.OFFL(n) = static_cast<float>(offsets[n - 1]);
    ASSERT_EQ(run(), 0) << console.screen();
    EXPECT_EQ(console.screen(), progress("Computing lateral offsets"));
    ASSERT_EQ(sequences.size(), 1u);

    // The search stops within ~2e-5 radians: ~0.05 kips of the lines' ~1000 kips across a
    // 30 ft arm, ~1 kip-ft of their moments; a turn by the whole turret angle rather than its
    // change misses by tens of kips.
    constexpr double force_tol = 0.1;
    constexpr double moment_tol = 2.0;
    const double a = 75.0 * std::numbers::pi / 180.0;
    double theta = axis;
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE(::testing::Message() << "offset " << offsets[n - 1]);
        const double dx = offsets[n - 1] * std::cos(a);
        const double dy = offsets[n - 1] * std::sin(a);
        theta = turret_root(m, theta, dx, dy);
        const auto F = turret_force(m, theta, dx, dy);
        const Sequence& q = sequences[0];
        EXPECT_NEAR(q.at(&OffsetTables::GLBFRC, 1, n), F[0], force_tol);
        EXPECT_NEAR(q.at(&OffsetTables::GLBFRC, 2, n), F[1], force_tol);
        EXPECT_NEAR(q.at(&OffsetTables::GLBFRC, 6, n), 0.0, moment_tol);
    }
    EXPECT_GT(std::abs(theta - axis), 0.01); // a real turn
    EXPECT_NEAR(EQUILB.TRTNGL, theta, 2e-5); // the last point's angle
}

// A yaw sequence turns the vessel from its pre-offset heading: with a heading of 30 degrees,
// a yaw offset of 0 is the pre-offset state (every line at its pretension of 150 kips), as the
// lateral offset 0 is; the heading is not counted twice.
TEST_F(OffsetAnalysis, YawOffsetsTurnFromThePreOffsetHeading) {
    spread_from_table_stage();
    TPCM.VESAN0 = 30.0f / 57.295776f;
    EQUILB.VESANG() = TPCM.VESAN0;
    lateral_sequence();
    TPCM.NYAW = 1;
    TPCM.PHIY(1) = 1.0f;
    TPCM.NOFFY = 2;
    TPCM.OFFY(1) = 0.0f;
    TPCM.OFFY(2) = 2.0f;
    ASSERT_EQ(run(), 0) << console.screen();
    ASSERT_EQ(sequences.size(), 2u);
    for (int k = 1; k <= 6; ++k)
        EXPECT_EQ(sequences[1].at(&OffsetTables::GLBFRC, k, 1),
                  sequences[0].at(&OffsetTables::GLBFRC, k, 1))
            << "load " << k;
    for (int b = 1; b <= 4; ++b)
        EXPECT_NEAR(sequences[1].at(&OffsetTables::TOPTT, b, 1), 150.0f, 0.01f) << "line " << b;
    EXPECT_GT(std::abs(sequences[1].at(&OffsetTables::GLBFRC, 6, 2) -
                       sequences[1].at(&OffsetTables::GLBFRC, 6, 1)),
              1000.0f);
}

// The report on the console: each table ends with a pause, and a negative answer there writes
// the sequence's tables again from the first, without computing the points again.
TEST(OffsetAnalysisConsole, NegativeAnswerWritesTheSequenceAgain) {
    AnalysisRun r("-1\n\n\n");
    r.spread_from_table_stage();
    AnalysisRun::lateral_sequence();
    TPCM.IUNIT = TPCM.EDUNIT;
    TPCM.NTO = 1;
    EXPECT_EQ(r.run(), 0);
    const std::string screen = r.console.screen();
    // Code 99 answered "-1", code 99 again, then the tensions.
    EXPECT_EQ(occurrences(screen, "Most Exposed Line Characteristics"), 2u);
    EXPECT_EQ(occurrences(screen, "Total Fairlead Line Tensions"), 1u);
    EXPECT_EQ(occurrences(screen, "Press <RETURN> to continue: "), 3u);
    EXPECT_LT(screen.rfind("Most Exposed Line Characteristics"),
              screen.find("Total Fairlead Line Tensions"));
    EXPECT_EQ(r.sequences.size(), 1u);
    EXPECT_FALSE(r.folder.has("OFFSETS.stxt"));
}

// A debug run asks for the level before and after the stage's trace line and keeps the second
// answer: a script for the debug dialogue answers both prompts.
TEST(OffsetAnalysisConsole, DebugRunAsksTheLevelTwiceAndKeepsTheSecondAnswer) {
    AnalysisRun r("2\n0\n");
    r.spread_from_table_stage();
    TPCM.NBUG0 = 1;
    EXPECT_EQ(r.run(), 0);
    EXPECT_EQ(r.console.screen().rfind(" Input NBUG:  ### In CATTBL:\n Input NBUG: ", 0), 0u)
        << r.console.screen();
    EXPECT_EQ(TPCM.NBUG, 0);
}

// ---- Refusals and stops -------------------------------------------------------------------

const std::string file_error = "\n ++> End of file or related file error in routine CATTBL\n"
                               "     file name INPUTOFF.txt\n" +
                               return_prompt;

// "INPUTOFF.txt" missing: its message and the abort pause, then an error stop whatever the
// answer; the report of the sequences before it is complete on disk.
TEST(OffsetAnalysisStops, MissingUserOffsetsFile) {
    for (const std::string answer : {"", "A"}) {
        SCOPED_TRACE("answer \"" + answer + "\"");
        AnalysisRun r(answer + "\n");
        r.spread_from_table_stage();
        AnalysisRun::lateral_sequence();
        TPCM.FROMTABLE = 1;
        EXPECT_EQ(r.run(), 1);
        EXPECT_EQ(r.console.screen(),
                  progress("Computing lateral offsets") +
                      "\n ++>  User-supplied offsets file \"INPUTOFF.txt \" not found\n\n"
                      "\a\n Enter \"A\" to abort or Press <RETURN> to continue: ");
        EXPECT_EQ(exposed_line_rows(r.report()), (std::vector<int>{2}));
    }
}

// A user offsets file that does not read: the file-error report and an error stop; the report
// keeps the sequences computed before.
TEST(OffsetAnalysisStops, UnreadableUserOffsetsFile) {
    struct Case {
        const char* name;
        std::string text;
        bool counted;          // the number of blocks was read (the progress line shows)
        std::vector<int> rows; // of the sequences reported before the stop
    };
    const Case cases[] = {
        {"a word for the number of blocks", "two\n", false, {2}},
        {"a word among the values", "1\n2\n0 0 0 0 0 0\n1 x 0 0 0 0\n", true, {2}},
        {"a short row", "1\n1\n0 0 0\n", true, {2}},
        {"the second block missing", "2\n1\n5 0 0 0 0 0\n", true, {2, 1}},
        {"a negative number of blocks", "-1\n", false, {2}},
        {"a negative number of rows", "2\n-3\n0 0 0 0 0 0\n", true, {2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisRun r("\n");
        r.spread_from_table_stage();
        AnalysisRun::lateral_sequence();
        TPCM.FROMTABLE = 1;
        r.folder.write("INPUTOFF.txt", c.text);
        EXPECT_EQ(r.run(), 1);
        EXPECT_EQ(r.console.screen(),
                  progress("Computing lateral offsets") +
                      (c.counted ? progress("Processing INPUTOFF.txt file") : "") + file_error);
        EXPECT_EQ(exposed_line_rows(r.report()), c.rows);
    }
}

// A block of more than 50 rows: the warning and its pause, 50 rows used, and the next block
// read from its own row count.
TEST_F(OffsetAnalysisAnswering, OversizedUserBlockIsCutAndTheNextBlockFollows) {
    spread_from_table_stage();
    TPCM.FROMTABLE = 1;
    std::string text = "2\n55\n";
    for (int k = 1; k <= 55; ++k)
        text += std::to_string(0.1 * k) + " 0 0 0 0 0\n";
    text += "2\n0 1 0 0 0 0\n0 2 0 0 0 0\n";
    folder.write("INPUTOFF.txt", text);
    ASSERT_EQ(run(), 0) << console.screen();
    EXPECT_EQ(console.screen(),
              progress("Processing INPUTOFF.txt file") +
                  "\n ++>  User-supplied offsets are limited to  50 rows per repetition block.\n"
                  "      Your requested oversized block will be truncated.\n\n" +
                  return_prompt);
    EXPECT_EQ(exposed_line_rows(report()), (std::vector<int>{50, 2}));
    ASSERT_EQ(sequences.size(), 2u);
    EXPECT_FLOAT_EQ(sequences[0].T->OFFVAL[49], 5.0f);
    EXPECT_FLOAT_EQ(sequences[1].T->OFFVAL[1], 2.0f);
}

// Eleven blocks: RCTDIR takes the first ten directions and nothing beyond it is overwritten;
// every block's section shows its own direction.
TEST_F(OffsetAnalysis, UserBlocksBeyondTenKeepTheirDirections) {
    spread_from_table_stage();
    TPCM.FROMTABLE = 1;
    TPCM.RCTOFF(1) = 7.0f; // the words that follow RCTDIR
    TPCM.RCTOFF(2) = 8.0f;
    TPCM.RCTOFF(3) = 9.0f;
    std::string text = "11\n";
    std::vector<std::string> boxes;
    for (int k = 1; k <= 11; ++k) {
        const double a = 30.0 * k * std::numbers::pi / 180.0;
        const double x = 10.0 * std::cos(a);
        const double y = 10.0 * std::sin(a);
        text += "1\n" + std::to_string(x) + " " + std::to_string(y) + " 0 0 0 0\n";
        char box[80];
        std::snprintf(box, sizeof box, "Initial Direction (Gx,Gy,Gz) = (%5.2f,%5.2f, 0.00)",
                      std::cos(a), std::sin(a));
        boxes.push_back(box);
    }
    folder.write("INPUTOFF.txt", text);
    ASSERT_EQ(run(), 0) << console.screen();
    EXPECT_EQ(TPCM.RCTOFF(1), 7.0f);
    EXPECT_EQ(TPCM.RCTOFF(2), 8.0f);
    EXPECT_EQ(TPCM.RCTOFF(3), 9.0f);
    EXPECT_NEAR(TPCM.RCTDIR(1, 10), std::cos(300.0 * std::numbers::pi / 180.0), 1e-6);
    std::vector<std::string> shown;
    for (const std::string& line : lines_of(report()))
        if (const auto at = line.find("Initial Direction"); at != std::string::npos)
            shown.push_back(line.substr(at, boxes[0].size()));
    EXPECT_EQ(shown, boxes);
}

// Refused before the first sequence, with nothing computed: "continuous equilibrium" offsets
// in water no deeper than the draft, and a stiffness matrix with a zero difference step.
TEST(OffsetAnalysisStops, RefusedBeforeTheFirstSequence) {
    struct Case {
        const char* name;
        void (*set)();
        std::string message;
    };
    const Case cases[] = {
        {"forces with the draft at the depth",
         [] {
             TPCM.NFCDIR = 1;
             TPCM.FRCVEC(1, 1) = 1.0f;
             TPCM.NFCOFF = 2;
             TPCM.FRCOFF(1) = 10.0f;
             TPCM.FRCOFF(2) = 20.0f;
             TPCM.DRAFT = TPCM.DEPTH;
         },
         "\n ++> Fatal Condition: The water depth does not exceed the draft;\n"
         "     \"continuous equilibrium\" offsets cannot be computed.\n\n"},
        {"couples with the draft below the depth",
         [] {
             TPCM.NTQDIR = 1;
             TPCM.TRQVEC(3, 1) = 1.0f;
             TPCM.NTQOFF = 1;
             TPCM.TRQOFF(1) = 100.0f;
             TPCM.DRAFT = TPCM.DEPTH + 5.0f;
         },
         "\n ++> Fatal Condition: The water depth does not exceed the draft;\n"
         "     \"continuous equilibrium\" offsets cannot be computed.\n\n"},
        {"a stiffness matrix with no translation step",
         [] {
             TPCM.NSTIFG = 1;
             TPCM.EPSDST = 0.0f;
         },
         "\n ++> The stiffness matrices need a non-zero translation increment (EPSDST);\n"
         "     set it on the stiffness options before running.\n\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisRun r("\n");
        r.spread_from_table_stage();
        AnalysisRun::lateral_sequence();
        c.set();
        EXPECT_EQ(r.run(), 1);
        EXPECT_EQ(r.console.screen(), c.message + return_prompt);
        EXPECT_TRUE(r.sequences.empty());
        EXPECT_EQ(r.report(), "");
    }
}

// ---- "Continuous equilibrium" sequences ------------------------------------------------------

// Force sequences and a couple sequence, applied separately and matched: the kinds run, the
// progress lines name them, each table has its rows and the equilibrium table carries the
// force and couple of each point.
TEST(OffsetAnalysisEquilibrium, ForceAndCoupleSequencesSeparateAndMatched) {
    for (const std::int32_t MTCHFT : {0, 1}) {
        SCOPED_TRACE(MTCHFT == 1 ? "matched" : "separate");
        AnalysisRun r;
        r.spread_from_table_stage();
        vessel_hydrostatics();
        TPCM.MTCHFT = MTCHFT;
        TPCM.NFCDIR = 2;
        TPCM.FRCVEC(1, 1) = 1.0f;
        TPCM.FRCVEC(2, 2) = 1.0f;
        TPCM.NFCOFF = 3;
        TPCM.NTQDIR = 2;
        TPCM.TRQVEC(3, 1) = 1.0f;
        TPCM.TRQVEC(3, 2) = -1.0f;
        TPCM.NTQOFF = 2;
        for (int n = 1; n <= 3; ++n) {
            TPCM.FRCOFF(n) = 20.0f * static_cast<float>(n - 1);
            TPCM.TRQOFF(n) = 500.0f * static_cast<float>(n - 1);
        }
        ASSERT_EQ(r.run(), 0) << r.console.screen();
        const std::vector<int> rows =
            MTCHFT == 1 ? std::vector<int>{3, 3} : std::vector<int>{3, 3, 2, 2};
        EXPECT_EQ(r.console.screen(),
                  MTCHFT == 1 ? progress("Computing \"continuous equilibrium\" offsets for "
                                         "specified forces AND moments")
                              : progress("Computing \"continuous equilibrium\" offsets for "
                                         "specified forces") +
                                    progress("Computing \"continuous equilibrium\" offsets for "
                                             "specified moments"));
        EXPECT_EQ(exposed_line_rows(r.report()), rows);
        ASSERT_EQ(r.sequences.size(), rows.size());
        for (const Sequence& q : r.sequences) {
            SCOPED_TRACE(::testing::Message() << "kind " << q.TABTYP << " repetition " << q.IREP);
            for (int n = 1; n <= q.NOFF; ++n) {
                const bool force = q.TABTYP == 7 || MTCHFT == 1;
                const bool couple = q.TABTYP == 8 || MTCHFT == 1;
                EXPECT_EQ(q.at(&OffsetTables::EQLDAT, 1, n), force ? TPCM.FRCOFF(n) : 0.0f);
                EXPECT_EQ(q.at(&OffsetTables::EQLDAT, 2, n), couple ? TPCM.TRQOFF(n) : 0.0f);
                EXPECT_EQ(q.T->OFFVAL[std::size_t(n - 1)], static_cast<float>(n));
            }
            // The last point moved: along the force, or turned by the couple.
            const int n = q.NOFF;
            const float moved = q.TABTYP == 7 ? q.at(&OffsetTables::EQLDAT, 2 + q.IREP, n)
                                              : q.at(&OffsetTables::EQLDAT, 8, n);
            EXPECT_GT(std::abs(moved), 1e-3f);
        }
    }
}

// Under a horizontal force the equilibrium offset changes the mooring force, computed
// independently as the sum of single-line elastic catenaries, from its value at the first
// point by the force's opposite.
TEST(OffsetAnalysisEquilibrium, HorizontalForceIsBalancedByTheCatenaries) {
    AnalysisRun r;
    const testing::Chain chain;
    spread_from_catenary(chain);
    vessel_hydrostatics();
    TPCM.DEPTH = 300.0f;
    TPCM.NFCDIR = 1;
    const double a = 30.0 * std::numbers::pi / 180.0;
    TPCM.FRCVEC(1, 1) = static_cast<float>(std::cos(a));
    TPCM.FRCVEC(2, 1) = static_cast<float>(std::sin(a));
    TPCM.NFCOFF = 3;
    const double forces[] = {0.0, 25.0, 50.0};
    for (int n = 1; n <= 3; ++n)
        TPCM.FRCOFF(n) = static_cast<float>(forces[n - 1]);
    ASSERT_EQ(r.run(), 0) << r.console.screen();
    ASSERT_EQ(r.sequences.size(), 1u);
    const Sequence& q = r.sequences[0];
    const auto F0 = testing::spread_net_force(chain, 0.0, 0.0, 0.0);
    // Four lines met to ~0.3 kips each by the tables, the Newton step to 0.01 ft (~0.1 kips).
    constexpr double balance_tol = 1.3;
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE(::testing::Message() << "force " << forces[n - 1]);
        const double x = q.at(&OffsetTables::EQLDAT, 3, n);
        const double y = q.at(&OffsetTables::EQLDAT, 4, n);
        const double z = q.at(&OffsetTables::EQLDAT, 5, n);
        const auto F = testing::spread_net_force(chain, x, y, z);
        EXPECT_NEAR(F[0] - F0[0], -forces[n - 1] * std::cos(a), balance_tol);
        EXPECT_NEAR(F[1] - F0[1], -forces[n - 1] * std::sin(a), balance_tol);
        if (n > 1) {
            EXPECT_GT(std::hypot(x, y), 1.0); // a real offset
        }
    }
}

// A point where the equilibrium search fails in an unattended run: its dialogue goes to
// "Diagnostics.stxt" and the run stops with status 1; the report of the sequences before is
// complete on disk.
TEST(OffsetAnalysisEquilibrium, SearchFailureInAnUnattendedRunStops) {
    AnalysisRun r;
    r.spread_from_table_stage();
    // No line holds the vessel and no waterplane: nothing resists a surge, the Jacobian is
    // singular at the first point.
    for (int b = 1; b <= 4; ++b)
        LINCOM.LINEID(b) += 1024;
    AnalysisRun::lateral_sequence();
    TPCM.NFCDIR = 1;
    TPCM.FRCVEC(1, 1) = 1.0f;
    TPCM.NFCOFF = 2;
    TPCM.FRCOFF(2) = 10.0f;
    TPCM.EDUNIT = diagnostics_unit;
    ASSERT_TRUE(
        open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace, FileForm::formatted));
    EXPECT_EQ(r.run(), 1);
    EXPECT_EQ(r.console.screen(), "");
    EXPECT_EQ(r.folder.read("Diagnostics.stxt"),
              progress("Computing lateral offsets") +
                  progress("Computing \"continuous equilibrium\" offsets for specified forces") +
                  "\n"
                  " ++> Null Determinant in equilibrium position search at offset number  1;\n"
                  "     enter \"C\" to Continue with current estimate\n"
                  "     enter \"Q\" to Quit and proceed to next sequence\n"
                  "     enter \"R\" to Resume search from current estimate\n"
                  "     enter \"I\" to Inspect EPS  & adjust on the fly\n"
                  "     enter \"Z\" to Zero out estimate & retry from scratch, or\n");
    EXPECT_EQ(exposed_line_rows(r.report()), (std::vector<int>{2}));
}

} // namespace
} // namespace lintar
