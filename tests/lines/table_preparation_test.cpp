// Tests of the preparation of the line data for the tables: the trim-and-heel expansion to
// one line type per line, and the exclusion marks.
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/table_preparation.h"
#include "runtime/stop.h"
#include "support/console.h"
#include "support/mooring_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;

// Types 1..n of TPCM, each with the given lines (NLIN the total); every type's data carry its
// number: NELEM t, SLEN 100 t + e, ANCHGT 1000 + t, ANCTYP t mod 2, name "T<t>E<e>".
void define_types(const std::vector<std::vector<int>>& lines_of_type) {
    fill_new_file();
    TPCM.NTYP = static_cast<std::int32_t>(lines_of_type.size());
    TPCM.NLIN = 0;
    for (int t = 1; t <= TPCM.NTYP; ++t) {
        const auto& lines = lines_of_type[static_cast<std::size_t>(t - 1)];
        TPCM.NLINE(t) = static_cast<std::int32_t>(lines.size());
        for (std::size_t k = 0; k < lines.size(); ++k)
            TPCM.LINTYP(static_cast<int>(k) + 1, t) = lines[k];
        TPCM.NLIN += TPCM.NLINE(t);
        TPCM.NELEM(t) = t;
        for (int e = 1; e <= t; ++e) {
            TPCM.SLEN(e, t) = 100.0f * t + e;
            TPCM.WETWT(e, t) = 0.01f * t;
            TPCM.ALPHA(1, e, t) = 1e-5f * t;
            set_field_text(TPCM.SCOMP(e, t), "T" + std::to_string(t) + "E" + std::to_string(e));
        }
        TPCM.ANCHGT(t) = 1000.0f + t;
        TPCM.ANCTYP(t) = t % 2;
    }
}

// Whether type `now` holds the data type `was` had.
void expect_copy_of(int now, int was) {
    SCOPED_TRACE(::testing::Message() << "type " << now << " from type " << was);
    ASSERT_EQ(TPCM.NELEM(now), was);
    for (int e = 1; e <= was; ++e) {
        EXPECT_EQ(TPCM.SLEN(e, now), 100.0f * was + e);
        EXPECT_EQ(TPCM.ALPHA(1, e, now), 1e-5f * was);
        EXPECT_EQ(std::string(field_text(TPCM.SCOMP(e, now))),
                  ("T" + std::to_string(was) + "E" + std::to_string(e) + "    ").substr(0, 8));
    }
    EXPECT_EQ(TPCM.ANCHGT(now), 1000.0f + was);
    EXPECT_EQ(TPCM.ANCTYP(now), was % 2);
}

TEST(TrimAndHeel, EveryLineGetsALineTypeOfItsOwn) {
    ScriptedConsole console("\n");
    define_types({{1, 3}, {2}});
    TPCM.TRIMDG = 1.0f;
    expand_for_trim_and_heel();
    // Walking the old types from the top: line 2 (type 2) becomes type 3, then line 3 and
    // line 1 (type 1) types 2 and 1.
    EXPECT_EQ(TPCM.NTYP, 3);
    for (int t = 1; t <= 3; ++t)
        EXPECT_EQ(TPCM.NLINE(t), 1);
    EXPECT_EQ(TPCM.LINTYP(1, 1), 1);
    EXPECT_EQ(TPCM.LINTYP(1, 2), 3);
    EXPECT_EQ(TPCM.LINTYP(1, 3), 2);
    expect_copy_of(1, 1);
    expect_copy_of(2, 1);
    expect_copy_of(3, 2);
    EXPECT_EQ(console.screen(),
              "\n"
              " ++> Notice: A nonzero trim or heel angle requires adjustment of fairlead\n"
              "             locations and a separate interpolation table to be evaluated\n"
              "             for each mooring line. No changes will be made to the input \n"
              "             file BUT line TYPE assignments in the output stream may differ\n"
              "             from input line type assignments.\n"
              "\n"
              " \n Press <RETURN> to continue: ");
}

TEST(TrimAndHeel, ATypeWithoutLinesCorruptsNoOtherType) {
    // Type 1 has no line, so line 2 (type 3) takes type number 2 before old type 2 is copied
    // for line 1: copying in place would give line 1 type 3's data.
    ScriptedConsole console("\n");
    define_types({{}, {1}, {2}});
    TPCM.HEELDG = -2.0f;
    expand_for_trim_and_heel();
    EXPECT_EQ(TPCM.NTYP, 2);
    EXPECT_EQ(TPCM.LINTYP(1, 1), 1);
    EXPECT_EQ(TPCM.LINTYP(1, 2), 2);
    expect_copy_of(1, 2);
    expect_copy_of(2, 3);
}

TEST(TrimAndHeel, StrainSelectionsAndBuoysGoWithTheCopies) {
    // One type of 14 lines: every new type takes the strain selection of subline 2; the spring
    // buoy and clump weight exist for types 1 to 12 only, and the words after them stay.
    ScriptedConsole console("\n");
    std::vector<int> lines;
    for (int i = 1; i <= 14; ++i)
        lines.push_back(i);
    define_types({lines, {}});
    TPCM.NELEM(1) = 2;
    TPCM.STRESS_STRAIN_FILE(1) = 0b10;
    TPCM.STRESS_STRAIN_FILE(13) = 0b111; // stale words of unused slots
    TPCM.SPRGBY(1) = 5.0f;
    TPCM.CLUMP(1) = 7.0f;
    const auto after_clump = TPCM.ZSPAN; // a word elsewhere, as a witness
    TPCM.TRIMDG = 0.5f;
    expand_for_trim_and_heel();
    EXPECT_EQ(TPCM.NTYP, 14);
    for (int t = 1; t <= 14; ++t)
        EXPECT_EQ(TPCM.STRESS_STRAIN_FILE(t), 0b10) << "type " << t;
    for (int t = 1; t <= 12; ++t) {
        EXPECT_EQ(TPCM.SPRGBY(t), 5.0f) << "type " << t;
        EXPECT_EQ(TPCM.CLUMP(t), 7.0f) << "type " << t;
    }
    EXPECT_EQ(TPCM.ZSPAN, after_clump);
}

TEST(TrimAndHeel, FairleadsAndTheMomentCentreTurnAboutTheKeelPoint) {
    // A pure trim turns (x, z - DRAFT) about the y axis, a pure heel (y, z - DRAFT) about the
    // x axis; one line, so no notice.
    constexpr double a = 3.0, x = 120.0, y = -15.0, z = 22.0, DRAFT = 10.0;
    const double r = a * std::numbers::pi / 180.0;
    for (const bool trim : {true, false}) {
        SCOPED_TRACE(trim ? "trim" : "heel");
        ScriptedConsole console;
        define_types({{1}});
        TPCM.DRAFT = static_cast<float>(DRAFT);
        (trim ? TPCM.TRIMDG : TPCM.HEELDG) = static_cast<float>(a);
        TPCM.RFLD(1, 1) = static_cast<float>(x);
        TPCM.RFLD(2, 1) = static_cast<float>(y);
        TPCM.RFLD(3, 1) = static_cast<float>(z);
        TPCM.RMCTRG(1) = 0.0f;
        TPCM.RMCTRG(2) = 0.0f;
        TPCM.RMCTRG(3) = static_cast<float>(DRAFT + 5.0);
        expand_for_trim_and_heel();
        const double h = z - DRAFT;
        if (trim) {
            EXPECT_NEAR(TPCM.RFLD(1, 1), x * std::cos(r) + h * std::sin(r), 1e-4);
            EXPECT_NEAR(TPCM.RFLD(2, 1), y, 1e-4);
            EXPECT_NEAR(TPCM.RFLD(3, 1), DRAFT - x * std::sin(r) + h * std::cos(r), 1e-4);
            EXPECT_NEAR(TPCM.RMCTRG(1), 5.0 * std::sin(r), 1e-5);
        } else {
            EXPECT_NEAR(TPCM.RFLD(1, 1), x, 1e-4);
            EXPECT_NEAR(TPCM.RFLD(2, 1), y * std::cos(r) - h * std::sin(r), 1e-4);
            EXPECT_NEAR(TPCM.RFLD(3, 1), DRAFT + y * std::sin(r) + h * std::cos(r), 1e-4);
            EXPECT_NEAR(TPCM.RMCTRG(2), -5.0 * std::sin(r), 1e-5);
        }
        EXPECT_EQ(console.screen(), "");
    }
}

TEST(TrimAndHeel, MinusOneAtTheNoticeStops) {
    ScriptedConsole console("-1\n");
    define_types({{1}, {2}});
    TPCM.TRIMDG = 1.0f;
    EXPECT_EQ(run_until_stop([] { expand_for_trim_and_heel(); }), StopKind::user_choice);
}

TEST(Exclusions, ListedLinesAreMarkedUpToLine120) {
    ScriptedConsole console;
    fill_new_file();
    TPCM.NLIN = 130;
    for (int i = 1; i <= 150; ++i) {
        LINCOM.LINEID(i) = 1 + i % 3;
        LINCOM.INRT_EXCL(i) = 1; // stale marks of an earlier build
    }
    TPCM.NEXCLUDE = 3;
    TPCM.IDEXCLUDE1 = 1 << 4;  // line 5
    TPCM.IDEXCLUDE2 = 1;       // line 31
    TPCM.IDEXCLUDE4 = 1 << 29; // line 120
    TPCM.NEXCLD_I = 2;
    TPCM.IDEXCLD1_I = 1 << 1;  // line 2
    TPCM.IDEXCLD3_I = 1 << 4;  // line 65
    TPCM.IDEXCLD4_I = 1 << 29; // line 120
    mark_line_exclusions();
    for (int i = 1; i <= 150; ++i) {
        const bool excluded = i == 5 || i == 31 || i == 120;
        EXPECT_EQ(LINCOM.LINEID(i), 1 + i % 3 + (excluded ? 1024 : 0)) << "line " << i;
        EXPECT_EQ(LINCOM.LINEID(i) % 1024, 1 + i % 3);
        const bool inertia = i == 2 || i == 65 || i == 120;
        EXPECT_EQ(LINCOM.INRT_EXCL(i), inertia ? 1 : 0) << "line " << i;
    }
}

} // namespace
} // namespace lintar
