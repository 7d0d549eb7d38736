// End-to-end runs of the analysis engine: the line tables and static line report of the
// three-type mooring, the static-equilibrium stage of a spread mooring, and the data the engine
// refuses (a real that is no finite number among them).
#include "support/table_fixture.h"

#include "support/mooring_fixture.h"

#include "blocks/tpcm.h"
#include "datafile/tpcm_image.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "support/console.h"
#include "support/temporary_files.h"
#include "util/image_transfer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace lintar {
namespace {

using namespace lintar::testing;

// Writes the data file `name` in the folder from TPCM as `fill` leaves it, then zeroes TPCM.
void write_data(const ScratchFolder& folder, const std::function<void()>& fill,
                const std::string& name = "CATDAT") {
    fill();
    set_checked_line_lengths();
    std::vector<std::uint32_t> image = tpcm_image();
    std::int32_t count = tpcm_word_count;
    std::int32_t IERR = 0;
    DISKIO(0, count, (folder.path() / name).string(), 1, IERR, image, 5);
    ASSERT_EQ(IERR, 0);
    reset_program_state();
}

// The screen of a run of the fixture up to the end of the tables: the banner, then the
// progress message of every layer row and line type.
std::string fixture_screen() {
    std::string screen = "\n >>> Lintar  Version: 6.80.00 Copyright (c) 2020 Kelbrin Systems\n\n";
    for (int L = 1; L <= 7; ++L)
        for (const char t : {'A', 'B', 'C'})
            screen += "\n >>> Preparing level " + I(L, 2) + " interpolation table for line type " +
                      std::string(1, t) + " of  3 types...\n\n";
    return screen;
}

// The three-type mooring with horizontal pretensions (LODTYP 3): every line pulls 400 t and its
// lines are mirror images in pairs, so the still-water state is balanced and stable and the
// static-equilibrium stage passes it without a warning.
void fill_engine_mooring() {
    fill_three_type_mooring();
    TPCM.LODTYP = 3;
}

// The progress message of the one lateral sequence a new file holds: an empty line, " >>> "
// and the message in a 78-character field, an empty line.
const std::string lateral_progress =
    "\n >>> " + std::string("Computing lateral offsets").append(53, ' ') + "\n\n";

// The closing line of a run that wrote the line report, its plot table, the equilibrium
// summary and the offset report, and accepted no convergence failure.
const std::string reports_closing =
    " >>> Reports written: CATOUT.stxt, MEANOUT.stxt, OFFSETS.stxt, STATPLT.plt.\n";

// The screen of a whole run of that mooring: the tables, the static-equilibrium stage, then
// the offset table and the closing line.
std::string engine_screen() {
    return fixture_screen() + " >>> Computing mean vessel offset and orientation...\n" +
           lateral_progress + reports_closing;
}

// The usage, its notes and the exit statuses.
const std::string engine_usage =
    "usage: lintar-engine [data file]\n"
    "Runs the analysis of the data file (default CATDAT) in the current folder; the\n"
    "editor, lintar, creates the data file and saves it ready for the analysis.\n"
    "Reports written in the folder: CATOUT.stxt (line tables and static line report),\n"
    "STATPLT.plt (their plot table, when the output options ask for it), MEANOUT.stxt\n"
    "(equilibrium summary) and OFFSETS.stxt (offset report, when the output options\n"
    "send it to a file).\n"
    "Exit status: 0 the run ended, or stopped at the user's choice at a prompt;\n"
    "1 an error stop (no data file, a file that cannot be read or written, data the\n"
    "analysis refuses, input ended at a question); 2 the command line was not understood;\n"
    "3 the run ended but a report holds values that are not numbers (NaN or infinity),\n"
    "so its results are not valid.\n";

// The message of a run without its data file.
std::string no_data_file(const std::string& name) {
    return "\n ++> There is no data file \"" + name +
           "\" in this folder.\n"
           "     The editor creates one: run lintar here, save the data, then run\n"
           "     lintar-engine again.\n";
}

// The numbers of row k of a Section I interpolation table: top tension, end tension, load,
// top angle, end angle, distance, bottom length.
std::vector<double> table_row(const std::string& page, int k) {
    const std::string start = "\n   " + I(k, 2) + " ";
    const auto at = page.find(start, page.find(" -----------"));
    std::istringstream row(page.substr(at + 1, page.find('\n', at + 1) - at - 1));
    int index = 0;
    row >> index;
    std::vector<double> values(7);
    for (double& v : values)
        row >> v;
    return values;
}

TEST(Engine, BuildsTheTablesAndTheStaticLineReportOfTheThreeTypeMooring) {
    ScratchFolder folder;
    write_data(folder, fill_engine_mooring);
    folder.write("LINE_STRAIN_DB.txt", three_type_strain_database());
    const std::string before = folder.read("CATDAT");

    const ProgramRun run = run_program("lintar-engine", "", folder.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.screen, engine_screen());
    EXPECT_EQ(folder.read("CATDAT"), before);

    // The title page and, per layer row and type, Section I and the three endpoint pages.
    const auto pages = pages_of(folder.read("CATOUT.stxt"));
    ASSERT_EQ(pages.size(), 1u + 7u * 3u * 4u);
    EXPECT_NE(pages[0].find("Catenary-Elastic Mooring Statics Calculator"), std::string::npos);
    const auto section_I = [&](int L, int t) {
        return pages[static_cast<std::size_t>(1 + ((L - 1) * 3 + (t - 1)) * 4)];
    };
    EXPECT_NE(section_I(4, 3).find(" >>> Interpolation level  4 for line type C of  3 type(s)\n"
                                   "     Vertical distance to nominal fairlead     0.00 m.\n"
                                   "     Vertical separation between endpoints  1000.00 m.\n"),
              std::string::npos);
    EXPECT_NE(section_I(4, 3).find("  1  ROPE     1400.00  100.00" +
                                   F(rope_line()[0].w * 1000.0, 10, 2) +
                                   "  -> (TABULAR STRESS-STRAIN DATA FILE)\n"),
              std::string::npos);
    EXPECT_NE(section_I(1, 2).find("  1  WIRE     1500.00  100.00"), std::string::npos);

    // Point 2 of the middle row: the chain is case C01, the rope case P01 (2 decimals; the
    // chain's steep slope is solved to 1e-5 of itself, its distance to 0.02 m).
    const FixtureScales s = fixture_scales();
    {
        SCOPED_TRACE("chain");
        const auto c = reference_case("C01");
        const auto row = table_row(section_I(4, 1), 2);
        EXPECT_NEAR(row[0], c.Ttop * s.chain, 0.006);
        EXPECT_NEAR(row[2], c.HF * s.chain, 0.006);
        EXPECT_NEAR(row[3], c.top_deg, 0.051);
        EXPECT_NEAR(row[5], c.XF, 0.03);
        EXPECT_NEAR(row[6], c.LBot * (1.0 + c.HF / c.EA), 0.03);
        // End tension: H / cos(0) less the friction 0.8 x grounded weight, at least 0.
        EXPECT_EQ(row[1], 0.0);
    }
    {
        SCOPED_TRACE("rope");
        const auto p = reference_case("P01");
        const auto row = table_row(section_I(4, 3), 2);
        EXPECT_NEAR(row[0], p.Ttop * s.rope, 0.006);
        EXPECT_NEAR(row[1], p.HF * s.rope / std::cos(p.anc_deg * std::numbers::pi / 180.0), 0.006);
        EXPECT_NEAR(row[3], p.top_deg, 0.051);
        EXPECT_NEAR(row[4], p.anc_deg, 0.051);
        EXPECT_NEAR(row[5], p.XF, 0.006);
        EXPECT_EQ(row[6], 0.0);
    }

    // The plot table: five curves of 90 points for every layer row and type.
    const std::string plot = folder.read("STATPLT.plt");
    EXPECT_EQ(plot.substr(0, 58),
              "    1\n    6\n    1\nEndpoint Separation (m.)\nForce in m.ton\n");
    EXPECT_EQ(std::count(plot.begin(), plot.end(), '\n'), 21 * (37 + 6 * 90));
}

TEST(Engine, RunsADataFileNamedOnItsCommandLine) {
    ScratchFolder folder;
    write_data(folder, fill_engine_mooring, "OTHER");
    folder.write("LINE_STRAIN_DB.txt", three_type_strain_database());
    const ProgramRun run = run_program("lintar-engine' 'OTHER", "", folder.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.screen, engine_screen());
    EXPECT_TRUE(folder.has("CATOUT.stxt"));
    EXPECT_FALSE(folder.has("CATDAT"));

    const ProgramRun two = run_program("lintar-engine' 'OTHER' 'MORE", "", folder.path());
    EXPECT_EQ(two.status, 2);
    EXPECT_EQ(two.screen, "lintar-engine: one data file at most can be named\n" + engine_usage);

    const ProgramRun missing = run_program("lintar-engine' 'NONE", "", folder.path());
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.screen, "\n ++> The data file \"NONE\" does not exist.\n"
                              "     Check the name, or run lintar-engine without one to analyse "
                              "CATDAT.\n");
}

// The screen of a run of the spread mooring up to the end of the tables: the banner, then the
// progress message of every layer row (its one line type is not named).
std::string spread_tables_screen() {
    std::string screen = "\n >>> Lintar  Version: 6.80.00 Copyright (c) 2020 Kelbrin Systems\n\n";
    for (int L = 1; L <= 7; ++L)
        screen += "\n >>> Preparing level " + I(L, 2) + " interpolation table\n\n";
    return screen;
}

// The four-line spread mooring of the editor's tests as the engine runs it: balanced, it
// passes the static-equilibrium stage; with one line pulling harder and the quiescent
// equilibrium to be computed, the warning says that the lines are modified, the state is reset
// to the equilibrium nearby, and the offset table follows. Both write the still-water section
// of "MEANOUT.stxt" (the state as specified, then the state after the reset).
TEST(Engine, RunsTheStaticEquilibriumOfASpreadMooring) {
    const auto fill = [](float first_line_tension) {
        fill_spread_mooring();
        stamp_as_saved();
        TPCM.HTENS(1) = first_line_tension;
    };
    const std::string tables = spread_tables_screen();
    const std::string computing = " >>> Computing mean vessel offset and orientation...\n";
    const std::string quiescent = "IIa.  Quiescent Equilibrium Summary";
    const std::string spread_closing =
        " >>> Reports written: CATOUT.stxt, MEANOUT.stxt, OFFSETS.stxt.\n";
    {
        SCOPED_TRACE("balanced");
        ScratchFolder folder;
        write_data(folder, [&] { fill(150.0f); });
        const ProgramRun run = run_program("lintar-engine", "", folder.path());
        EXPECT_EQ(run.status, 0);
        // This mooring's line report has no plot table.
        EXPECT_EQ(run.screen, tables + computing + lateral_progress + spread_closing);
        EXPECT_FALSE(folder.has("STATPLT.plt"));
        const std::string report = folder.read("MEANOUT.stxt");
        EXPECT_EQ(pages_of(report).size(), 1u);
        EXPECT_NE(report.find(quiescent), std::string::npos);
        EXPECT_NE(report.find(" ++> User-specified still-water conditions produced the"),
                  std::string::npos);
        EXPECT_TRUE(folder.has("OFFSETS.stxt"));
    }
    {
        SCOPED_TRACE("unbalanced");
        ScratchFolder folder;
        write_data(folder, [&] { fill(300.0f); });
        const ProgramRun run = run_program("lintar-engine", "\n", folder.path());
        EXPECT_EQ(run.status, 0) << run.screen;
        const std::string warning =
            computing + "++> WARNING: specified initial conditions did not produce a\n";
        EXPECT_EQ(run.screen.substr(0, tables.size() + warning.size()), tables + warning);
        const std::string reset = "    Initial line tensions/departure angles have been modified\n"
                                  "    to produce a quiescent-condition equilibrium configuration\n"
                                  " \n Press <RETURN> to continue: " +
                                  lateral_progress + spread_closing;
        EXPECT_TRUE(run.screen.ends_with(reset)) << run.screen;
        const std::vector<std::string> pages = pages_of(folder.read("MEANOUT.stxt"));
        ASSERT_EQ(pages.size(), 2u);
        EXPECT_NE(pages[0].find(" ++> User-specified still-water conditions produced the"),
                  std::string::npos);
        EXPECT_NE(pages[1].find(" ++> WARNING: User-specified initial conditions did *not* "
                                "produce a stable"),
                  std::string::npos);
        EXPECT_NE(pages[1].find(">>> Simulation-estimated still-water line conditions"),
                  std::string::npos)
            << pages[1];
        EXPECT_TRUE(folder.has("OFFSETS.stxt"));
    }
}

// A refusal: the message between empty lines, the Return pause, status 1, the data file as it
// was and no report.
TEST(Engine, RefusesDataItCannotBuildTablesFrom) {
    struct Case {
        const char* name;
        std::function<void()> change;
        std::string database;
        std::string message;
    };
    const std::string database = three_type_strain_database();
    std::string block_31 = "31 3 1\n";
    for (int j = 0; j < 31; ++j)
        block_31 += std::to_string(100 * j) + " " + std::to_string(0.0001 * j) + "\n";
    const Case cases[] = {
        {"two points", [] { TPCM.NUMTAB = 2; }, database,
         " ++> Fewer than 3 points set for interpolation table (NUMTAB = 2)\n"},
        {"HMIN above TLOAD", [] { TPCM.HMIN = 1500.0f; }, database,
         " ++> Minimum tension value not below the maximum tension value set\n"
         "     for interpolation table\n"},
        {"doubling grid without steps",
         [] {
             TPCM.HMIN = 0.0f;
             TPCM.NUMTAB = 12;
         },
         database,
         " ++> Too few points set for the doubling interpolation table:\n"
         "     NUMTAB must exceed 12 for this ratio of maximum to minimum tension.\n"},
        {"two tendon layers",
         [] {
             TPCM.TENDON_FLG = 1;
             TPCM.NLAYER = 2;
         },
         database, " ++> Tendon interpolation tables need at least 3 layers (2 are set)\n"},
        {"a block of 31 points", [] {}, block_31,
         " ++>  A stress-strain array size (31) exceeds the maximum allowable (30)\n"
         "      in LINE_STRAIN_DB.txt. Correct data file and re-try.\n"},
        {"a block for another subline", [] {}, "2 3 2\n0 0\n2000 0.1\n",
         " ++>  Line type-subline number synchronization failed in LINE_STRAIN_DB.txt\n"
         "      at (ityp,ielem) = ( 3, 1). Correct data file and re-try.\n"},
        {"no strain database", [] {}, "",
         " ++>  User-supplied stress-strain characteristics file LINE_STRAIN_DB.txt not "
         "found\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        write_data(folder, [&] {
            fill_three_type_mooring();
            c.change();
        });
        if (!c.database.empty())
            folder.write("LINE_STRAIN_DB.txt", c.database);
        const std::string before = folder.read("CATDAT");
        const ProgramRun run = run_program("lintar-engine", "\n", folder.path());
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.screen, "\n" + c.message + "\n \n Press <RETURN> to continue: ");
        EXPECT_EQ(folder.read("CATDAT"), before);
        EXPECT_FALSE(folder.has("CATOUT.stxt"));
        EXPECT_FALSE(folder.has("STATPLT.plt"));
    }
}

TEST(Engine, RefusesWhatTheEditorsLoadRefuses) {
    {
        SCOPED_TRACE("no data file: no question asked, nothing written");
        ScratchFolder folder;
        const ProgramRun run = run_program("lintar-engine", "", folder.path());
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.screen, no_data_file("CATDAT"));
        EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    }
}

// The second swell, which no page of the offset program shows, switched on in a saved file:
// the offset program applies no sea state, so the engine refuses it before any stage writes.
TEST(Engine, RefusesASeaSwitchTheOffsetProgramDoesNotApply) {
    ScratchFolder folder;
    write_data(folder, [] {
        fill_spread_mooring();
        stamp_as_saved();
        TPCM.LSWEL2 = 1;
    });
    const ProgramRun run = run_program("lintar-engine", "\n", folder.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.screen,
              "\n ++> FATAL error: The switch LSWEL2 (second swell) is on, but the offset "
              "program\n     applies no seas, swell, current or wind; switch it off.\n \n Press "
              "<RETURN> to continue: ");
    for (const char* report : {"CATOUT.stxt", "MEANOUT.stxt", "OFFSETS.stxt"})
        EXPECT_FALSE(folder.has(report)) << report;
}

// A real that the stages read and that is no finite number (a NaN or an infinity, as a damaged
// or hand-made file may hold) is named before any stage writes, with the advice to correct it
// in the editor; the data file is left as it was.
TEST(Engine, RefusesAWordThatIsNoFiniteNumber) {
    struct Case {
        const char* word;
        std::function<void()> change;
    };
    const Case cases[] = {
        {"DRAFT", [] { TPCM.DRAFT = std::numeric_limits<float>::quiet_NaN(); }},
        {"DEPTH", [] { TPCM.DEPTH = -std::numeric_limits<float>::infinity(); }},
        {"SLEN(2, 1)", [] { TPCM.SLEN(2, 1) = std::numeric_limits<float>::quiet_NaN(); }},
        {"RFLD(3, 4)", [] { TPCM.RFLD(3, 4) = std::numeric_limits<float>::quiet_NaN(); }},
        {"OFFL(1)", [] { TPCM.OFFL(1) = std::numeric_limits<float>::quiet_NaN(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        ScratchFolder folder;
        write_data(folder, [&] {
            fill_spread_mooring();
            stamp_as_saved();
            c.change();
        });
        const std::string before = folder.read("CATDAT");
        const ProgramRun run = run_program("lintar-engine", "\n", folder.path());
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.screen, "\n ++> FATAL error: The data word " + std::string(c.word) +
                                  " holds no finite number;\n"
                                  "     correct it with lintar and run the engine again.\n"
                                  " \n Press <RETURN> to continue: ");
        EXPECT_EQ(folder.read("CATDAT"), before);
        for (const char* report : {"CATOUT.stxt", "MEANOUT.stxt", "OFFSETS.stxt"})
            EXPECT_FALSE(folder.has(report)) << report;
    }
}

// The spread mooring with a finite but absurd word, a moment centre of -3.4e38: it passes the
// check for numbers and reaches NaN in the arithmetic of the equilibrium summary.
void fill_absurd_moment_centre() {
    fill_spread_mooring();
    stamp_as_saved();
    TPCM.XSALM = -3.4e38f;
}

// The same with the reports sent to the screen (the output options' console).
void fill_absurd_moment_centre_on_screen() {
    fill_absurd_moment_centre();
    TPCM.IUNIT = TPCM.EDUNIT;
}

// The closing lines of a run whose reports hold values that are no numbers, after the line
// naming the reports written: `where` names the reports that hold them.
std::string invalid_results(const std::string& where) {
    return " ++> The results are not valid: values that are not numbers (NaN or infinity)\n"
           "     were written to " +
           where +
           ".\n"
           "     A data value far out of range gives them: correct it with lintar and run\n"
           "     the engine again.\n";
}

// The absurd moment centre: the run writes its reports, then names the one that holds values
// that are no numbers and ends with status 3, not as a success.
TEST(Engine, AReportHoldingAValueThatIsNoNumberMakesTheRunInvalid) {
    ScratchFolder folder;
    write_data(folder, fill_absurd_moment_centre);
    const ProgramRun run = run_program("lintar-engine", "", folder.path());
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.screen, spread_tables_screen() +
                              " >>> Computing mean vessel offset and orientation...\n" +
                              lateral_progress +
                              " >>> Reports written: CATOUT.stxt, MEANOUT.stxt, OFFSETS.stxt.\n" +
                              invalid_results("MEANOUT.stxt"));
    // The reports stay; the one named holds the values, the others none.
    const auto holds_one = [&](const char* report) {
        const std::string text = folder.read(report);
        return text.find("NaN") != std::string::npos || text.find("Infinity") != std::string::npos;
    };
    EXPECT_TRUE(holds_one("MEANOUT.stxt"));
    EXPECT_FALSE(holds_one("CATOUT.stxt"));
    EXPECT_FALSE(holds_one("OFFSETS.stxt"));
}

// The same run with the reports sent to the screen (the output options' console): the
// equilibrium summary shows the values that are no numbers there, no report file is written,
// and the run is just as invalid.
TEST(Engine, AReportShownOnTheScreenHoldingAValueThatIsNoNumberMakesTheRunInvalid) {
    ScratchFolder folder;
    write_data(folder, fill_absurd_moment_centre_on_screen);
    // Each page of the reports on the screen waits for a Return: 17 of them.
    const ProgramRun run = run_program("lintar-engine", std::string(17, '\n'), folder.path());
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.screen.find("\n    Z Mooring Moment (ft-kp)                              NaN"
                              "           NaN\n"),
              std::string::npos)
        << run.screen;
    EXPECT_TRUE(
        run.screen.ends_with("\n Press <RETURN> to continue:  >>> Reports written: none.\n" +
                             invalid_results("the reports shown on the screen")))
        << run.screen;
    // Nothing in the folder but the data file.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"CATDAT"});
}

// The same run with its input ending at the last page's pause: the error stop keeps status 1,
// and still names the reports that hold values that are no numbers.
TEST(Engine, AnErrorStopAfterAValueThatIsNoNumberStillNamesTheReports) {
    ScratchFolder folder;
    write_data(folder, fill_absurd_moment_centre_on_screen);
    const ProgramRun run = run_program("lintar-engine", std::string(16, '\n'), folder.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.screen.find(" NaN"), std::string::npos);
    EXPECT_TRUE(run.screen.ends_with(invalid_results("the reports shown on the screen")))
        << run.screen;
    EXPECT_EQ(run.screen.find(" >>> Reports written:"), std::string::npos) << run.screen;
}

// A file the editor would load with notes, updates or repairs is refused before any prompt:
// the engine runs a file as the editor saves it.
TEST(Engine, RefusesAFileThatNeedsTheEditorFirst) {
    struct Case {
        const char* name;
        std::function<void()> change;
        std::int32_t words; // of the file
        std::string reason;
    };
    const Case cases[] = {
        {"a short file", [] {}, tpcm_word_count - 1,
         "it does not hold the word count this program writes"},
        {"another program of the family", [] { TPCM.SIMTYP = 12; }, tpcm_word_count,
         "it was written by another program of the family"},
        {"an older version", [] { TPCM.VERNO = 6.5f; }, tpcm_word_count,
         "it was written by another version or on a machine of the other byte order"},
        {"the other byte order", [] { TPCM.CMPUTR = 3; }, tpcm_word_count,
         "it was written by another version or on a machine of the other byte order"},
        {"another precision", [] { TPCM.DP_FLAG = 1; }, tpcm_word_count,
         "it was written with another precision"},
        {"unit system 5", [] { TPCM.NUNTS = 5; }, tpcm_word_count,
         "its unit system word is damaged"},
        {"unit system 2147483647", [] { TPCM.NUNTS = 2147483647; }, tpcm_word_count,
         "its unit system word is damaged"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        fill_three_type_mooring();
        c.change();
        std::vector<std::uint32_t> image = tpcm_image();
        std::int32_t count = c.words;
        std::int32_t IERR = 0;
        DISKIO(0, count, (folder.path() / "CATDAT").string(), 1, IERR, image, 5);
        ASSERT_EQ(IERR, 0);
        reset_program_state();
        const std::string before = folder.read("CATDAT");
        const ProgramRun run = run_program("lintar-engine", "\n", folder.path());
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(
            run.screen,
            " ++> The analysis engine runs a data file as the editor saves it;\n"
            "     CATDAT needs the editor first: " +
                c.reason +
                ".\n"
                "     Open it with lintar, check it and save it, then run the engine again.\n");
        EXPECT_EQ(folder.read("CATDAT"), before);
        EXPECT_FALSE(folder.has("CATOUT.stxt"));
        EXPECT_FALSE(folder.has("DATUPWRN.stxt"));
    }
}

// A word count above the layout's is damage: the warning and the abort prompt, where "A" is
// the user's choice (status 0) and Return runs the file as it stands.
TEST(Engine, AWordCountAboveTheLayoutsIsShownAsDamage) {
    const std::string warning =
        " \n ++> Warning: Data file is seriously corrupt or from a very early version.\n"
        "              Inspect all editor pages with particular care...\n \n";
    for (const bool abort : {true, false}) {
        SCOPED_TRACE(abort ? "A" : "Return");
        ScratchFolder folder;
        write_data(folder, [] {
            fill_three_type_mooring();
            TPCM.NTOGO = tpcm_word_count + 100;
        });
        folder.write("LINE_STRAIN_DB.txt", three_type_strain_database());
        const ProgramRun run =
            run_program("lintar-engine", abort ? "A\n" : "\n\n\n\n", folder.path());
        EXPECT_TRUE(run.screen.starts_with(warning)) << run.screen;
        if (abort) {
            EXPECT_EQ(run.status, 0);
            EXPECT_FALSE(folder.has("CATOUT.stxt"));
        } else {
            EXPECT_TRUE(folder.has("CATOUT.stxt")) << run.screen;
        }
    }
}

// Something other than a regular file in place of the data file (a named pipe, a folder) is
// refused with what it is, without opening it: a named pipe would wait for a writer.
TEST(Engine, RefusesADataFileThatIsNoRegularFile) {
    struct Case {
        const char* what;
        std::function<void(const std::filesystem::path&)> make;
    };
    const Case cases[] = {
        {"a named pipe", [](const auto& name) { ASSERT_EQ(::mkfifo(name.c_str(), 0644), 0); }},
        {"a folder", [](const auto& name) { std::filesystem::create_directory(name); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFolder folder;
        c.make(folder.path() / "CATDAT");
        const ProgramRun run = run_program("lintar-engine", "", folder.path());
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.screen, "\n ++> \"CATDAT\" in this folder is " + std::string(c.what) +
                                  ", not a data file;\n"
                                  "     move it aside, or name the data file: lintar-engine "
                                  "<data file>.\n");
    }
}

// A report that cannot be created (a folder in its place): the open service's report, status
// 1, the data file as it was.
TEST(Engine, StopsWhenTheEquilibriumReportCannotBeCreated) {
    ScratchFolder folder;
    write_data(folder, [] {
        fill_spread_mooring();
        stamp_as_saved();
    });
    const std::string before = folder.read("CATDAT");
    std::filesystem::create_directory(folder.path() / "MEANOUT.stxt");
    const ProgramRun run = run_program("lintar-engine", "\n", folder.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(
        run.screen.ends_with("\n ++> File not found or file access error in QSTATIC\n"
                             "     File name: MEANOUT.stxt\n \n Press <RETURN> to continue: "))
        << run.screen;
    EXPECT_EQ(folder.read("CATDAT"), before);
}

// A report cut short (here by the file-size limit the engine inherits, as by a full disk):
// the file-access report names the report, says why and that the report on disk is
// incomplete, and the run fails.
TEST(Engine, AReportCutShortSaysWhyAndThatItIsIncomplete) {
    ScratchFolder folder;
    write_data(folder, [] {
        fill_spread_mooring();
        stamp_as_saved();
    });
    ProgramRun run;
    {
        const FileSizeLimit limit(16384);
        run = run_program("lintar-engine", "\n", folder.path());
    }
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.screen.ends_with("\n ++> File not found or file access error in Lintar \n"
                                     "     File name: CATOUT.stxt\n"
                                     "     Writing CATOUT.stxt failed: File too large\n"
                                     "     CATOUT.stxt on disk is incomplete\n"
                                     " \n"
                                     " Press <RETURN> to continue: "))
        << run.screen;
    EXPECT_EQ(folder.read("CATOUT.stxt").size(), 16384u);
}

TEST(Engine, HelpPrintsTheUsage) {
    for (const char* option : {"-h", "--help"}) {
        SCOPED_TRACE(option);
        ScratchFolder folder;
        const ProgramRun run = run_program("lintar-engine", "", folder.path(), {option});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.screen, engine_usage);
        EXPECT_FALSE(folder.has(option));
    }
}

// An option the engine does not know is a usage error (status 2), never a data-file name.
TEST(Engine, AnUnknownOptionPrintsTheUsage) {
    for (const char* option : {"--bogus", "-x"}) {
        SCOPED_TRACE(option);
        ScratchFolder folder;
        write_data(folder, fill_engine_mooring);
        const ProgramRun run = run_program("lintar-engine", "", folder.path(), {option});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.screen,
                  "lintar-engine: unknown option " + std::string(option) + "\n" + engine_usage);
        EXPECT_FALSE(folder.has("CATOUT.stxt"));
    }
}

// A buoy moored by three chain lines at 120 degrees, with a tanker on a slack hawser (the
// fourth line, of its own type): the static-equilibrium stage runs its two passes (the tanker
// on its hawser, then the buoy on its lines), the offset table moves the buoy and writes the
// hawser's table, and the engine ends normally.
TEST(Engine, RunsABuoyWithAHawser) {
    const auto fill = [](float tanker_load) {
        fill_buoy_with_hawser();
        stamp_as_saved();
        lateral_sequence_to_file(0.0f);
        if (tanker_load != 0.0f)
            pull_tanker_away(tanker_load);
    };
    {
        // Loaded: the tanker's pass moves it out on its hawser until the hawser holds the load;
        // the buoy's pass then takes the tanker's load through the hawser on its own lines.
        SCOPED_TRACE("tanker load");
        ScratchFolder folder;
        write_data(folder, [&] { fill(40.0f); });
        const ProgramRun run = run_program("lintar-engine", "\n\n", folder.path());
        EXPECT_EQ(run.status, 0) << run.screen;
        EXPECT_TRUE(folder.has("OFFSETS.stxt"));
        const std::string report = folder.read("MEANOUT.stxt");
        const std::string full = "IIb.  Full-Environment Equilibrium Summary";
        const auto tanker = report.find(full);
        ASSERT_NE(tanker, std::string::npos) << report;
        const auto buoy = report.find(full, tanker + 1);
        ASSERT_NE(buoy, std::string::npos) << report;
        // The hawser row of the still-water section and of the tanker's full environment: the
        // separation grows by the tanker's displacement, the horizontal tension is the load.
        const auto field = [](const std::string& line, int column, int width) {
            return std::stod(
                line.substr(static_cast<std::size_t>(column), static_cast<std::size_t>(width)));
        };
        const auto line_after = [&](const std::string& start, std::size_t from) {
            const auto at = report.find(start, from);
            return at == std::string::npos ? std::string()
                                           : report.substr(at, report.find('\n', at) - at);
        };
        const std::string still = line_after("   4/b", 0);
        const std::string loaded = line_after("   4/b", tanker);
        ASSERT_FALSE(still.empty());
        ASSERT_FALSE(loaded.empty());
        // The global column of a labelled row: the first number after the unit's ")".
        const auto global = [&](const std::string& label, std::size_t from) {
            const std::string line = line_after(label, from);
            return line.empty() ? std::nan("") : std::stod(line.substr(line.find(')') + 1));
        };
        const double moved = global("    X Displacement", tanker);
        EXPECT_NEAR(field(loaded, 29, 10), 40.0, 0.02);
        EXPECT_NEAR(field(loaded, 39, 10), field(still, 39, 10) - moved, 0.02);
        EXPECT_LT(moved, -1.0); // pulled away from the buoy, along -x
        EXPECT_NEAR(global("    X Mooring Force", tanker), 40.0, 0.02);
        // The buoy's mooring holds the tanker's load: 40 along +x, none across.
        EXPECT_NEAR(global("    X Mooring Force", buoy), 40.0, 0.02);
        EXPECT_NEAR(global("    Y Mooring Force", buoy), 0.0, 0.02);
    }
    ScratchFolder folder;
    write_data(folder, [&] { fill(0.0f); });
    // The slack hawser lies outside its table in the still-water report, and below the tables'
    // second row at the first point of the offset table: each warning's pause takes a Return.
    const ProgramRun run = run_program("lintar-engine", "\n\n", folder.path());
    EXPECT_EQ(run.status, 0) << run.screen;
    EXPECT_NE(run.screen.find("An estimated tension for line number  4"), std::string::npos);
    ASSERT_TRUE(folder.has("OFFSETS.stxt"));
    const std::string report = folder.read("OFFSETS.stxt");
    EXPECT_NE(report.find("Hawser"), std::string::npos) << report;
}

// A turret mooring: the four lines of the spread mooring led to fairleads round a turret 200
// ft forward of the centre, free to turn. The lines are mirror images about the vessel's axis,
// so the still-water state is balanced; at every point of a lateral sequence across that axis
// the turret takes its own angle, and the engine ends normally.
TEST(Engine, RunsAFreeTurretMooring) {
    const auto fill = [] {
        fill_spread_mooring();
        stamp_as_saved();
        TPCM.LSPM = 1;
        TPCM.LOCK_TRT = 0;
        TPCM.XSALM = 200.0f;
        constexpr float x[] = {20.0f, -20.0f, -20.0f, 20.0f};
        constexpr float y[] = {20.0f, 20.0f, -20.0f, -20.0f};
        for (int i = 1; i <= 4; ++i) {
            TPCM.RFLD(1, i) = TPCM.XSALM + x[i - 1];
            TPCM.RFLD(2, i) = y[i - 1];
        }
        TPCM.RMCTR(1) = TPCM.XSALM;
        TPCM.RMCTR(2) = 0.0f;
        lateral_sequence_to_file(60.0f);
    };
    ScratchFolder folder;
    write_data(folder, fill);
    const ProgramRun run = run_program("lintar-engine", "", folder.path());
    EXPECT_EQ(run.status, 0) << run.screen;
    ASSERT_TRUE(folder.has("OFFSETS.stxt"));
    EXPECT_NE(folder.read("OFFSETS.stxt").find("Most Exposed Line"), std::string::npos);
}

} // namespace
} // namespace lintar
