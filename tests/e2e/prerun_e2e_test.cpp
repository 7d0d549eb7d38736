// End-to-end runs of an Execute that the checks before an execution refuse: a new file has no
// line length, no fairleads and no water depth.
#include "support/console.h"

#include <gtest/gtest.h>
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

} // namespace
} // namespace lintar
