// Tests of the hull-model seam: the choice of model by vessel type, an installed model taking
// the place of the built one, and the stop for a vessel whose model is not available.
#include "hulls/hull_models.h"

#include "blocks/tpcm.h"
#include "support/console.h"
#include "support/fake_hull_model.h"

#include <gtest/gtest.h>
#include <string>

namespace lintar {
namespace {

using testing::FakeHullModel;
using testing::run_until_stop;
using testing::ScriptedConsole;

TEST(HullModelKind, FirstMatchingTestInTheDispatchOrder) {
    struct Case {
        std::int32_t VESTYP;
        std::int32_t SEMI_LIKE;
        HullModelKind kind;
    };
    const Case cases[] = {
        {1, 0, HullModelKind::ship},
        {1, 1, HullModelKind::ship}, // the vessel type is tested before the flag
        {2, 1, HullModelKind::jack_up},
        {3, 1, HullModelKind::semisubmersible},
        {5, 1, HullModelKind::semisubmersible},
        {6, -1, HullModelKind::semisubmersible}, // any nonzero logical is true
        {4, 1, HullModelKind::semisubmersible},
        {4, 0, HullModelKind::disc_buoy},
        {3, 0, HullModelKind::none},
        {7, 0, HullModelKind::none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "VESTYP " << c.VESTYP << " SEMI_LIKE " << c.SEMI_LIKE);
        EXPECT_EQ(hull_model_kind(c.VESTYP, c.SEMI_LIKE), c.kind);
    }
}

TEST(VesselHullModel, InstalledModelOrNoneOrAFatalStop) {
    ScriptedConsole console(std::string(5, '\n'));
    TPCM.EDUNIT = 6;
    TPCM.VESTYP = 7;
    TPCM.SEMI_LIKE = 0;
    EXPECT_EQ(vessel_hull_model(), nullptr);

    TPCM.VESTYP = 4;
    {
        FakeHullModel disc(HullModelKind::disc_buoy);
        EXPECT_EQ(vessel_hull_model(), &disc);
    }
    // Taken out again when the stand-in goes: the built disc-buoy model.
    HullModel* disc = vessel_hull_model();
    ASSERT_NE(disc, nullptr);
    EXPECT_TRUE(console.screen().empty());

    // The semisubmersible types take the member model.
    TPCM.VESTYP = 5;
    TPCM.SEMI_LIKE = 1;
    HullModel* semi = vessel_hull_model();
    ASSERT_NE(semi, nullptr);
    TPCM.VESTYP = 3;
    EXPECT_EQ(vessel_hull_model(), semi);
    EXPECT_NE(semi, disc);
    TPCM.VESTYP = 1;
    EXPECT_NE(vessel_hull_model(), semi);
    EXPECT_NE(vessel_hull_model(), disc);
}

} // namespace
} // namespace lintar
