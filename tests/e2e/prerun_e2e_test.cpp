// End-to-end runs of an Execute that the checks before an execution refuse: a new file has no
// line length, no fairleads and no water depth; a damaged file holds a word that is no number.
#include "support/console.h"
#include "support/data_files.h"
#include "support/mooring_fixture.h"

#include "blocks/tpcm.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace lintar {
namespace {

using testing::ProgramRun;
using testing::ScratchFolder;

const std::string refusals = "\n ++> Fatal Warning: The line length for line type  1, \n"
                             "     and possibly others, is non-positive.\n"
                             "\n ++> Warning: Nonpositive dry weight detected for\n"
                             "     (type,element) = ( 1, 1), and possibly others.\n"
                             "     Default estimates will be applied.\n"
                             "\n ++> Fatal Warning: Missing fairlead data.\n"
                             "\n ++> Warning: Missing line departure angle data?\n"
                             "\n ++> Fatal Warning: Nonpositive water depth.\n";

std::size_t count(const std::string& text, const std::string& piece) {
    std::size_t n = 0;
    for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++n;
    return n;
}

void create_new_file(const ScratchFolder& folder) {
    ASSERT_EQ(testing::run_program("lintar", "C\nL\n1\n", folder.path()).status, 0);
}

TEST(PrerunChecks, InteractiveExecuteIsRefusedAndTheMenuComesBack) {
    ScratchFolder folder;
    create_new_file(folder);
    const std::string before = folder.read("CATDAT");
    // Execute, Return at the pause after the messages, then the input ends at the menu.
    const ProgramRun session = testing::run_program("lintar", "M\nL\n3\n\n", folder.path());
    EXPECT_EQ(session.status, 1); // the input ended at the menu
    EXPECT_NE(session.screen.find(refusals + " \n Press <RETURN> to continue: "),
              std::string::npos);
    EXPECT_EQ(count(session.screen, " 3) Execute simulation in interactive mode\n"), 2u);
    EXPECT_EQ(session.screen.find("it is ready for submission to the server."), std::string::npos);
    EXPECT_FALSE(folder.has("CATIN.stxt"));
    EXPECT_EQ(folder.read("CATDAT"), before);
    EXPECT_FALSE(folder.has("CATBAK"));
}

TEST(PrerunChecks, SilentExecuteWritesTheMessagesAndStops) {
    ScratchFolder folder;
    create_new_file(folder);
    const std::string before = folder.read("CATDAT");
    const ProgramRun session = testing::run_program("lintar", "M\nL\n4\n", folder.path());
    EXPECT_EQ(session.status, 1);
    EXPECT_NE(folder.read("Diagnostics.stxt").find(refusals), std::string::npos);
    EXPECT_EQ(session.screen.find("Fatal Warning"), std::string::npos);
    EXPECT_FALSE(folder.has("CATIN.stxt"));
    EXPECT_EQ(folder.read("CATDAT"), before);
    EXPECT_FALSE(folder.has("CATBAK"));
}

// A spread mooring saved with BTFRC0 that is no number (a damaged file): the Execute names the
// word as a fatal warning and comes back to the menu, saves nothing and writes no mirror file,
// where the same file with a number there passes and is saved ready for the engine.
TEST(PrerunChecks, ExecuteRefusesAWordThatIsNoFiniteNumber) {
    for (const float BTFRC0 : {1.0f, std::numeric_limits<float>::quiet_NaN()}) {
        const bool damaged = BTFRC0 != BTFRC0;
        SCOPED_TRACE(damaged ? "BTFRC0 NaN" : "BTFRC0 1.0");
        ScratchFolder folder;
        testing::write_data_file((folder.path() / "CATDAT").string(), [&] {
            testing::fill_spread_mooring();
            testing::stamp_as_saved();
            testing::set_checked_line_lengths();
            TPCM.BTFRC0 = BTFRC0;
        });
        const std::string before = folder.read("CATDAT");
        const ProgramRun session = testing::run_program("lintar", "M\nL\n3\n\n", folder.path());
        const bool passed =
            session.screen.find("This data file passed preliminary error checks;") !=
            std::string::npos;
        if (!damaged) {
            EXPECT_EQ(session.status, 0) << session.screen;
            EXPECT_TRUE(passed);
            EXPECT_TRUE(folder.has("CATIN.stxt"));
            continue;
        }
        EXPECT_EQ(session.status, 1); // the input ended at the menu
        EXPECT_FALSE(passed);
        EXPECT_NE(session.screen.find("\n ++> Fatal Warning: The data word BTFRC0 holds no finite "
                                      "number.\n \n Press <RETURN> to continue: "),
                  std::string::npos)
            << session.screen;
        EXPECT_EQ(count(session.screen, "Fatal Warning"), 1u);
        EXPECT_EQ(count(session.screen, " 3) Execute simulation in interactive mode\n"), 2u);
        EXPECT_FALSE(folder.has("CATIN.stxt"));
        EXPECT_EQ(folder.read("CATDAT"), before);
    }
}

} // namespace
} // namespace lintar
