// Tests of the message counter of the checks before an execution.
#include "datafile/prerun_checks.h"
#include "support/console.h"

#include "runtime/units.h"

#include <gtest/gtest.h>

namespace lintar {
namespace {

TEST(Wrninc, PausesAfterEverySeventhMessageOfEitherKind) {
    testing::ScriptedConsole console("\n\n");
    std::int32_t warnem = 0, fwarn = 0;
    for (int k = 1; k <= 14; ++k) {
        std::int32_t& counter = k % 3 == 0 ? fwarn : warnem;
        WRNINC(counter, warnem, fwarn, screen_unit, keyboard_unit, 7);
        const auto pauses =
            console.screen().size() / std::string(" \n Press <RETURN> to continue: ").size();
        EXPECT_EQ(static_cast<int>(pauses), k / 7) << "after message " << k;
    }
    EXPECT_EQ(warnem, 10);
    EXPECT_EQ(fwarn, 4);
}

} // namespace
} // namespace lintar
