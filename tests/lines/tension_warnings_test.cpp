// Tests of the tension-range warning TNSWRN.
#include "lines/tension_warnings.h"
#include "runtime/stop.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <string>

namespace lintar {
namespace {

using namespace lintar::testing;

const std::string abort_pause = "\a\n Enter \"A\" to abort or Press <RETURN> to continue: ";

TEST(TensionWarnings, EachKindIsGivenOncePerFlagWord) {
    ScriptedConsole console("\n\n\n");
    std::int32_t MRWRNS = 0;
    TNSWRN(6, 5, 'A', 7, 3, "The pretension", 1, MRWRNS);
    TNSWRN(6, 5, 'A', 9, 2, "The pretension", 1, MRWRNS); // silenced: bit 1 is set
    TNSWRN(6, 5, 'a', 12, 2, "A fairlead-anchor distance", 2, MRWRNS);
    TNSWRN(6, 5, 'A', 12, 2, "The tension", 3, MRWRNS); // no such kind
    EXPECT_EQ(MRWRNS, 3);
    EXPECT_EQ(console.screen(),
              " ++> Warning: The pretension for line number  7, and possibly\n"
              "              others, lies between interpolation rows 1 and 2\n"
              "              of line type C. This may lead to unphysical\n"
              "              results and/or serious interpolation errors.\n" +
                  abort_pause +
                  " ++> Warning: A fairlead-anchor distance for line number 12, and possibly\n"
                  "              others, lies outside the reliable interpolation range for\n"
                  "              line type b. This may lead to unphysical\n"
                  "              results and/or serious interpolation errors.\n" +
                  abort_pause);
}

TEST(TensionWarnings, AnAbortAtThePauseStops) {
    ScriptedConsole console("a\n");
    std::int32_t flags = 0;
    EXPECT_EQ(run_until_stop([&] { TNSWRN(6, 5, 'A', 1, 1, "The tension", 2, flags); }),
              StopKind::user_choice);
}

} // namespace
} // namespace lintar
