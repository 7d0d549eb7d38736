// End-to-end run of the README's worked example: the keyboard answers of
// examples/spread_mooring.in build an eight-line chain-wire-chain spread mooring of a tanker
// through lintar and execute it; lintar-engine then runs the data file in the same folder.
// Expected texts are typed from the report layouts; the line table at the pretension is checked
// against the line integrated independently (support/line_test_support.h), and the offset report
// against the symmetries of the mooring and the balance of the applied force.
#include "support/console.h"
#include "support/line_test_support.h"

#include "blocks/tpcm.h"
#include "datafile/tpcm_image.h"
#include "runtime/program_state.h"
#include "util/image_transfer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace lintar {
namespace {

using testing::Line;
using testing::ProgramRun;
using testing::read_text;
using testing::ScratchFolder;
using testing::Subline;

// The folder of one session and engine run, shared by the tests of the suite.
class WorkedExample : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = std::make_unique<ScratchFolder>();
        const std::string script =
            read_text(std::filesystem::path(LINTAR_SOURCE_DIR) / "examples/spread_mooring.in");
        editor_ = testing::run_program("lintar", script, folder_->path());
        for (const auto& entry : std::filesystem::directory_iterator(folder_->path()))
            editor_files_.push_back(entry.path().filename().string());
        std::sort(editor_files_.begin(), editor_files_.end());
        engine_ = testing::run_program("lintar-engine", "", folder_->path());
    }
    static void TearDownTestSuite() { folder_.reset(); }
    void TearDown() override { reset_program_state(); }

    // Reads the saved data file into TPCM.
    static void load_data_file() {
        std::vector<std::uint32_t> image(tpcm_word_count, 0u);
        std::int32_t count = tpcm_word_count;
        std::int32_t IERR = 0;
        DISKIO(1, count, (folder_->path() / "CATDAT").string(), 1, IERR, image, 5);
        ASSERT_EQ(IERR, 0);
        set_tpcm_image(image);
    }

    static inline std::unique_ptr<ScratchFolder> folder_;
    static inline ProgramRun editor_;
    static inline std::vector<std::string> editor_files_;
    static inline ProgramRun engine_;
};

// The pages of a report: the texts between form feeds.
std::vector<std::string> pages_of(const std::string& text) {
    std::vector<std::string> pages;
    std::size_t start = 0;
    for (auto at = text.find('\f'); at != std::string::npos; at = text.find('\f', start)) {
        pages.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    pages.push_back(text.substr(start));
    return pages;
}

// The lines of a page that hold exactly `count` numbers and nothing else: the rows of a table.
std::vector<std::vector<double>> numeric_rows(const std::string& page, std::size_t count) {
    std::vector<std::vector<double>> rows;
    std::istringstream lines(page);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::vector<double> row;
        bool numbers_only = true;
        for (std::string field; numbers_only && fields >> field;) {
            double value = 0.0;
            const auto [end, error] =
                std::from_chars(field.data(), field.data() + field.size(), value);
            numbers_only = error == std::errc() && end == field.data() + field.size();
            row.push_back(value);
        }
        if (numbers_only && row.size() == count)
            rows.push_back(row);
    }
    return rows;
}

// A section title as the reports centre it in 74 columns: 1 blank, (74 - length) / 2 asterisks,
// 2 blanks, the title, 2 blanks and the asterisks again.
std::string centred_title(const std::string& title) {
    const std::string stars((74 - title.size()) / 2, '*');
    return " " + stars + "  " + title + "  " + stars;
}

// The estimates of the material estimator for a diameter in millimetres, from its table of
// one-inch weights, specific gravities, strength laws and strain coefficients (metric units:
// weights in metric tons per metre, strength in metric tons, compliance per metric ton).
struct Material {
    double WIA, SPG, BC1, BC2, ELAS1;
};
constexpr Material studless_rq4_chain{8.67, 7.82, 101.3, 2.0, 0.007548};
constexpr Material spiral_strand_1995{2.16, 7.93, 174.0, 1.77, 0.009524};
struct Estimate {
    double wet, dry, strength, alpha1;
};
Estimate estimate(const Material& m, double diameter_mm) {
    const double kips = m.BC1 * std::pow(diameter_mm / 25.4, m.BC2);
    return {(m.SPG - 1.025) / m.SPG * 0.001 * m.WIA * diameter_mm * diameter_mm * 0.00231,
            m.WIA * 0.001 * diameter_mm * diameter_mm * 0.00231, kips / 2.204,
            m.ELAS1 / kips * 2.204};
}

// The End-of-Session menu's prompt and, after an Execute whose checks find nothing, the
// hand-over box: the check pass goes straight from the menu to the box.
const std::string menu_prompt = " Enter number of selection (\"H\" for help): ";
const std::string hand_over = menu_prompt + "\n" +
                              "                   >>> Kelbrin Editor Software <<<\n\n\n"
                              "          This data file passed preliminary error checks;\n"
                              "             it is ready for submission to the server.\n"
                              "          Run lintar-engine in this folder to analyse it.\n\n \n"
                              " Press <RETURN> to continue: ";
const std::string input_ended = "\n ++> End of input: session ended.\n";

bool ends_with(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST_F(WorkedExample, TheSessionBuildsTheMooringItDescribesAndExecutesIt) {
    EXPECT_EQ(editor_.status, 0);
    EXPECT_TRUE(ends_with(editor_.screen, hand_over));
    EXPECT_EQ(editor_files_, (std::vector<std::string>{"CATDAT", "CATIN.stxt"}));

    load_data_file();
    // Site, vessel, mooring counts and options: every value as the script types it.
    struct Value {
        const char* name;
        double actual, expected;
    };
    const Value values[] = {
        {"NUNTS (metric)", double(TPCM.NUNTS), 1},
        {"DEPTH", TPCM.DEPTH, 150},
        {"NLIN", double(TPCM.NLIN), 8},
        {"NTYP", double(TPCM.NTYP), 1},
        {"NLINE(1)", double(TPCM.NLINE(1)), 8},
        {"NELEM(1)", double(TPCM.NELEM(1)), 3},
        {"TLOAD", TPCM.TLOAD, 500},
        {"HMIN", TPCM.HMIN, 1},
        {"LODTYP (line tension)", double(TPCM.LODTYP), 2},
        {"BTFRC0", TPCM.BTFRC0, 1},
        {"ANCHT0", TPCM.ANCHT0, 150},
        {"ANCHGT(1)", TPCM.ANCHGT(1), 150},
        {"DRAFT", TPCM.DRAFT, 15},
        {"DISPL", TPCM.DISPL, 150000},
        {"VKMT", TPCM.VKMT, 19.5},
        {"VKML", TPCM.VKML, 341},
        {"VKB", TPCM.VKB(), 8},
        {"VKG", TPCM.VKG, 12.5},
        {"AWP", TPCM.AWP, 10700},
        {"LWL", TPCM.LWL, 265},
        {"BWL", TPCM.BWL, 46},
        {"NLAT", double(TPCM.NLAT), 2},
        {"PHIL(1)", TPCM.PHIL(1), 0},
        {"PHIL(2)", TPCM.PHIL(2), 90},
        {"NOFFL", double(TPCM.NOFFL), 6},
        {"NYAW", double(TPCM.NYAW), 2},
        {"PHIY(1)", TPCM.PHIY(1), -1},
        {"PHIY(2)", TPCM.PHIY(2), 1},
        {"NOFFY", double(TPCM.NOFFY), 6},
        {"NFCDIR", double(TPCM.NFCDIR), 1},
        {"NFCOFF", double(TPCM.NFCOFF), 6},
        {"FCVES (global)", double(TPCM.FCVES), 0},
        {"NTO", double(TPCM.NTO), 1},
        {"NTA", double(TPCM.NTA), 1},
        {"NBL", double(TPCM.NBL), 1},
        {"NETFG", double(TPCM.NETFG), 1},
        {"IUNIT (disk)", double(TPCM.IUNIT), 1},
    };
    for (const auto& v : values) {
        SCOPED_TRACE(v.name);
        EXPECT_EQ(v.actual, v.expected);
    }
    for (int k = 1; k <= 6; ++k) {
        SCOPED_TRACE(::testing::Message() << "offset row " << k);
        EXPECT_EQ(TPCM.OFFL(k), 2.0f * static_cast<float>(k - 1));
        EXPECT_EQ(TPCM.OFFY(k), static_cast<float>(k - 1));
        EXPECT_EQ(TPCM.FRCOFF(k), 50.0f * static_cast<float>(k - 1));
    }
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(TPCM.FRCVEC(k, 1), k == 2 ? 1.0f : 0.0f);
        EXPECT_EQ(TPCM.FAPPNT(k), k == 3 ? 15.0f : 0.0f);
        EXPECT_EQ(TPCM.RMCTR(k), k == 3 ? 15.0f : 0.0f);
    }

    // The eight lines: fairleads (x to the bow, y to port, z up from the keel), azimuths and
    // the 100 t pretension.
    struct Fairlead {
        float x, y, z, azimuth;
    };
    constexpr Fairlead fairleads[8] = {
        {124, 21, 10, 40},    {120, 21, 10, 50},    {-120, 21, 10, 130}, {-124, 21, 10, 140},
        {-124, -21, 10, 220}, {-120, -21, 10, 230}, {120, -21, 10, 310}, {124, -21, 10, 320},
    };
    for (int i = 1; i <= 8; ++i) {
        SCOPED_TRACE(::testing::Message() << "line " << i);
        const Fairlead& f = fairleads[i - 1];
        EXPECT_EQ(TPCM.RFLD(1, i), f.x);
        EXPECT_EQ(TPCM.RFLD(2, i), f.y);
        EXPECT_EQ(TPCM.RFLD(3, i), f.z);
        EXPECT_EQ(TPCM.ANGDEP(i), f.azimuth);
        EXPECT_EQ(TPCM.HTENS(i), 100.0f);
        EXPECT_EQ(TPCM.LINTYP(i, 1), i);
    }

    // The sublines, fairlead first: 84 mm studless chain, 89 mm spiral strand, 84 mm chain,
    // their weights, strengths and compliances estimated from the diameters.
    struct Part {
        const char* name;
        float length, diameter, drag;
        const Material& material;
    };
    const Part parts[3] = {
        {"CHAIN   ", 100, 84, 2.5f, studless_rq4_chain},
        {"WIRE    ", 600, 89, 1.2f, spiral_strand_1995},
        {"CHAIN   ", 600, 84, 2.5f, studless_rq4_chain},
    };
    constexpr double rel_tol = 1e-5; // the estimator works in float: about 1e-7
    for (int e = 1; e <= 3; ++e) {
        SCOPED_TRACE(::testing::Message() << "subline " << e);
        const Part& p = parts[e - 1];
        const Estimate x = estimate(p.material, p.diameter);
        EXPECT_EQ(std::string(TPCM.SCOMP(e, 1).data(), 8), p.name);
        EXPECT_EQ(TPCM.SLEN(e, 1), p.length);
        EXPECT_EQ(TPCM.DIAM(e, 1), p.diameter);
        EXPECT_EQ(TPCM.COFDMT(e, 1), p.drag);
        EXPECT_NEAR(TPCM.WETWT(e, 1), x.wet, rel_tol * x.wet);
        EXPECT_NEAR(TPCM.DRYWT(e, 1), x.dry, rel_tol * x.dry);
        EXPECT_NEAR(TPCM.TBRK(e, 1), x.strength, rel_tol * x.strength);
        EXPECT_NEAR(TPCM.ALPHA(1, e, 1), x.alpha1, rel_tol * x.alpha1);
        EXPECT_EQ(TPCM.ALPHA(2, e, 1), 0.0f);
        EXPECT_EQ(TPCM.ALPHA(3, e, 1), 0.0f);
    }
}

// Input that ends at the pause after the Execute ends a session whose work is done: the data
// file is saved as the whole script saves it, and the run ends with status 0. Input that ends
// one answer earlier, at the menu, saves nothing and ends with status 1.
TEST_F(WorkedExample, InputEndingAfterTheExecuteKeepsTheSavedFile) {
    struct Case {
        const char* name;
        std::size_t dropped; // lines taken off the end of the script
        const char* item;    // the End-of-Session item answered, when it is kept
        int status;
        std::vector<std::string> files;
        std::string screen_end;
    };
    const Case cases[] = {
        {"at the pause after the Execute",
         1,
         "3",
         0,
         {"CATDAT", "CATIN.stxt"},
         hand_over + input_ended},
        {"at the pause after a silent Execute",
         1,
         "4",
         0,
         {"CATDAT", "CATIN.stxt", "Diagnostics.stxt"},
         hand_over + input_ended},
        {"at the menu, before the Execute", 2, nullptr, 1, {}, menu_prompt + input_ended},
    };
    const std::vector<std::string> script = testing::lines_of(
        read_text(std::filesystem::path(LINTAR_SOURCE_DIR) / "examples/spread_mooring.in"));
    ASSERT_EQ(script.back(), "");     // the Return at the closing pause
    ASSERT_EQ(script.end()[-2], "3"); // the Execute at the End-of-Session menu
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string keys;
        for (std::size_t k = 0; k + c.dropped < script.size(); ++k)
            keys += (k + 2 == script.size() && c.item ? std::string(c.item) : script[k]) + "\n";
        ScratchFolder folder;
        const ProgramRun run = testing::run_program("lintar", keys, folder.path());
        EXPECT_EQ(run.status, c.status);
        EXPECT_TRUE(ends_with(run.screen, c.screen_end))
            << run.screen.substr(run.screen.size() - std::min<std::size_t>(run.screen.size(), 400));
        std::vector<std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            files.push_back(entry.path().filename().string());
        std::sort(files.begin(), files.end());
        EXPECT_EQ(files, c.files);
        if (c.status == 0) {
            // The whole script's screen, the end-of-input line where the Return would be.
            EXPECT_EQ(run.screen, editor_.screen + input_ended);
            EXPECT_EQ(folder.read("CATDAT"), folder_->read("CATDAT"));
            EXPECT_EQ(folder.read("CATIN.stxt"), folder_->read("CATIN.stxt"));
        }
    }
}

TEST_F(WorkedExample, TheEngineBuildsTheLineTablesOfTheMooring) {
    EXPECT_EQ(engine_.status, 0);
    // Seven layer rows (offsets that move the fairleads vertically are defined) of one type.
    std::string progress = "\n >>> Lintar  Version: 6.80.00 Copyright (c) 2020 Kelbrin Systems\n\n";
    for (int L = 1; L <= 7; ++L)
        progress += "\n >>> Preparing level  " + std::to_string(L) + " interpolation table\n\n";
    EXPECT_EQ(engine_.screen.substr(0, progress.size()), progress);

    ASSERT_TRUE(folder_->has("CATOUT.stxt"));
    std::vector<std::string> section_I;
    for (const auto& page : pages_of(folder_->read("CATOUT.stxt")))
        if (page.find("*  I.  Line Characteristics Summary  *") != std::string::npos)
            section_I.push_back(page);
    ASSERT_EQ(section_I.size(), 7u);

    // The layers are spaced ZSPAN / 6 apart, ZSPAN = 2 sqrt(124^2 + 21^2 + 10^2) (the farthest
    // fairlead from the fairleads' plan centroid, and its height); the middle row is the
    // fairlead's own height above the anchors: 150 - 15 + 10 = 145 m.
    EXPECT_NE(section_I[0].find(" >>> Interpolation level  1 for line type A of  1 type(s)\n"
                                "     Vertical distance to nominal fairlead   126.16 m.\n"
                                "     Vertical separation between endpoints    18.84 m.\n"),
              std::string::npos);
    const std::string& middle = section_I[3];
    EXPECT_NE(middle.find(" >>> Interpolation level  4 for line type A of  1 type(s)\n"
                          "     Vertical distance to nominal fairlead     0.00 m.\n"
                          "     Vertical separation between endpoints   145.00 m.\n"),
              std::string::npos);
    // The sublines with the estimates: 122.79 = (7.82 - 1.025) / 7.82 x 8.67 x 84^2 x 2.31e-3
    // kgw/m and 0.150E-04 = 0.007548 / (101.3 (84 / 25.4)^2) x 2.204 per metric ton; the wire
    // 34.41 kgw/m and 0.131E-04.
    EXPECT_NE(
        middle.find(
            "  1  CHAIN     100.00   84.00    122.79     0.150E-04   0.000E+00   0.000E+00\n"
            "  2  WIRE      600.00   89.00     34.41     0.131E-04   0.000E+00   0.000E+00\n"
            "  3  CHAIN     600.00   84.00    122.79     0.150E-04   0.000E+00   0.000E+00\n"),
        std::string::npos);

    // The table row nearest the 100 t pretension against the line integrated at its horizontal
    // tension over the 145 m span: top tension, fairlead-anchor distance and stretched length
    // on the bottom. Rows: index, top tension, anchor tension, horizontal tension, top and
    // anchor angles, distance, bottom length.
    const auto rows = numeric_rows(middle, 8);
    ASSERT_EQ(rows.size(), 90u);
    const auto& row = *std::min_element(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
        return std::abs(a[1] - 100.0) < std::abs(b[1] - 100.0);
    });
    load_data_file();
    Line line;
    for (int e = 1; e <= 3; ++e)
        line.push_back(Subline{TPCM.SLEN(e, 1), TPCM.WETWT(e, 1), TPCM.ALPHA(1, e, 1), 0.0, 0.0,
                               TPCM.DRYWT(e, 1)});
    const auto reference = testing::reference_solve(line, row[3], 145.0, true);
    // Two printed decimals; the float tables solve the distance to about 0.02 m.
    EXPECT_NEAR(row[1], 100.0, 4.0);
    EXPECT_NEAR(row[1], reference.Ttop, 0.02);
    EXPECT_NEAR(row[6], reference.XF, 0.03);
    EXPECT_NEAR(row[7], reference.BOTLN, 0.03);
}

// The static-equilibrium stage: its progress line on the screen after the tables, and the
// still-water section of "MEANOUT.stxt" with the eight lines under it (the environment has no
// load for this program, so there is no full-environment section).
TEST_F(WorkedExample, TheEngineWritesTheStillWaterSummary) {
    EXPECT_EQ(engine_.status, 0);
    EXPECT_NE(engine_.screen.find("\n >>> Computing mean vessel offset and orientation...\n"),
              std::string::npos)
        << engine_.screen;
    ASSERT_TRUE(folder_->has("MEANOUT.stxt"));
    const std::string page = folder_->read("MEANOUT.stxt");
    EXPECT_NE(page.find("IIa.  Quiescent Equilibrium Summary"), std::string::npos);
    EXPECT_EQ(page.find("IIb."), std::string::npos);
    EXPECT_NE(page.find(" >>> User-specified still-water line conditions"), std::string::npos);
    for (int i = 1; i <= 8; ++i)
        EXPECT_NE(page.find("\n   " + std::to_string(i) + "/a "), std::string::npos) << i;
}

// This program's run is the three stages of the engine: nothing of the low-frequency stage (its
// report, the squall program's support data) and no vessel motions are written.
TEST_F(WorkedExample, TheEngineRunsOnlyThisProgramsStages) {
    EXPECT_EQ(engine_.status, 0);
    for (const char* name : {"CATOUT.stxt", "MEANOUT.stxt", "OFFSETS.stxt"})
        EXPECT_TRUE(folder_->has(name)) << name;
    for (const char* name :
         {"LOWOUT.stxt", "FAIRMOT", "TUGSTERN", "BUOYMOTN", "BARGEBOW", "TANKBOW", "RELMOT"})
        EXPECT_FALSE(folder_->has(name)) << name;
    EXPECT_FALSE(std::filesystem::exists(folder_->path() / "td_aux"));
    EXPECT_EQ(engine_.screen.find("resonance"), std::string::npos);
}

TEST_F(WorkedExample, TheOffsetReportHoldsTheFiveSequences) {
    EXPECT_EQ(engine_.status, 0);
    ASSERT_TRUE(folder_->has("OFFSETS.stxt"));
    const std::string report = folder_->read("OFFSETS.stxt");

    // The sections in their order: two lateral directions, two yaw senses, one force direction.
    std::size_t at = 0;
    for (const std::string title : {"III. Lateral Offset Restoring Characteristics",
                                    "IV. Yaw Offset Restoring Characteristics",
                                    "VIII. Continuous Equilibrium Under Specified Forcing"}) {
        SCOPED_TRACE(title);
        at = report.find(centred_title(title), at);
        ASSERT_NE(at, std::string::npos);
    }

    // The fairlead tensions of every sequence: one page of the eight lines, six rows.
    const std::string tension_title = centred_title("Total Fairlead Line Tensions");
    std::vector<std::vector<std::vector<double>>> tensions; // sequence, row, offset + 8 lines
    for (const auto& page : pages_of(report))
        if (page.find(tension_title) != std::string::npos) {
            EXPECT_NE(page.find("\n  Line #:    1        2        3        4        5        6"
                                "        7        8"),
                      std::string::npos);
            tensions.push_back(numeric_rows(page, 9));
        }
    ASSERT_EQ(tensions.size(), 5u);
    for (const auto& sequence : tensions)
        ASSERT_EQ(sequence.size(), 6u);

    // The first point of every sequence is the still-water equilibrium of the doubly symmetric
    // mooring: every line at its 100 t pretension. (The vessel may sink by the lines' weight,
    // about 3 cm, which moves the tensions by under 0.5 t; prescribed offsets start at 0 and the
    // force sequence numbers its points from 1.)
    const double first_offsets[5] = {0, 0, 0, 0, 1};
    for (std::size_t s = 0; s < tensions.size(); ++s) {
        SCOPED_TRACE(::testing::Message() << "sequence " << s + 1);
        EXPECT_EQ(tensions[s][0][0], first_offsets[s]);
        for (int i = 1; i <= 8; ++i)
            EXPECT_NEAR(tensions[s][0][i], 100.0, 0.5);
    }

    // Mirror images: a surge offset leaves the mooring symmetric about the x axis, a sway
    // offset and the beam force about the y axis, a yaw about the centre; the clockwise
    // sequence is the mirror image of the counter-clockwise one (line i against line 9 - i).
    constexpr double sym_tol = 0.05; // two printed decimals and float sums; a wrong pair: tons
    using Pairs = std::vector<std::pair<int, int>>;
    const Pairs about_x{{1, 8}, {2, 7}, {3, 6}, {4, 5}};
    const Pairs about_y{{1, 4}, {2, 3}, {5, 8}, {6, 7}};
    const Pairs about_centre{{1, 5}, {2, 6}, {3, 7}, {4, 8}};
    const std::pair<const char*, const Pairs*> symmetry[5] = {
        {"surge", &about_x},
        {"sway", &about_y},
        {"yaw, first sense", &about_centre},
        {"yaw, second sense", &about_centre},
        {"beam force", &about_y},
    };
    for (std::size_t s = 0; s < 5; ++s)
        for (std::size_t r = 0; r < 6; ++r) {
            SCOPED_TRACE(::testing::Message() << symmetry[s].first << ", row " << r + 1);
            for (const auto& [i, j] : *symmetry[s].second)
                EXPECT_NEAR(tensions[s][r][i], tensions[s][r][j], sym_tol);
        }
    for (std::size_t r = 0; r < 6; ++r) {
        SCOPED_TRACE(::testing::Message() << "yaw senses, row " << r + 1);
        for (int i = 1; i <= 8; ++i)
            EXPECT_NEAR(tensions[2][r][i], tensions[3][r][9 - i], sym_tol);
    }
    // The lines whose anchors lie behind the motion take the load: aft lines 3 to 6 in surge,
    // starboard lines 5 to 8 in sway and under the force towards port.
    const std::pair<std::size_t, int> loaded[3] = {{0, 4}, {1, 6}, {4, 6}};
    for (const auto& [s, i] : loaded)
        for (std::size_t r = 1; r < 6; ++r) {
            SCOPED_TRACE(::testing::Message() << "sequence " << s + 1 << ", line " << i);
            EXPECT_GT(tensions[s][r][i], tensions[s][r - 1][i] + 1.0);
        }

    // At each equilibrium point of the force sequence the mooring holds the applied force:
    // global net loads Fgx, Fgy of the mooring on the vessel equal to (0, -F), F = 0 to 250 t.
    // The search stops on steps under 0.01 m; the mooring's sway stiffness is below 100 t/m.
    const std::string forcing =
        centred_title("VIII. Continuous Equilibrium Under Specified Forcing");
    std::vector<std::vector<double>> net_loads;
    for (const auto& page : pages_of(report))
        if (page.find(forcing) != std::string::npos &&
            page.find("<-------- Global Forces -------->") != std::string::npos)
            net_loads = numeric_rows(page, 7);
    ASSERT_EQ(net_loads.size(), 6u);
    for (std::size_t r = 0; r < 6; ++r) {
        SCOPED_TRACE(::testing::Message() << "force row " << r + 1);
        EXPECT_EQ(net_loads[r][0], static_cast<double>(r + 1));
        EXPECT_NEAR(net_loads[r][1], 0.0, 1.0);
        EXPECT_NEAR(net_loads[r][2], -50.0 * static_cast<double>(r), 1.0);
    }
}

} // namespace
} // namespace lintar
