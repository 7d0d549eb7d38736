// Tests of the page text writers: the framed title, item lines and unit labels.
#include "datafile/page_text.h"
#include "support/console.h"

#include "runtime/edit_descriptors.h"
#include "runtime/units.h"

#include <gtest/gtest.h>

namespace lintar {
namespace {

using testing::ScriptedConsole;

TEST(PageText, FramedTitle) {
    ScriptedConsole console;
    PAGHDR("8", "Vessel", " Hydrostatic Characteristics", 74, screen_unit, 0);
    const std::string stars(14, '*');
    EXPECT_EQ(console.screen(),
              " " + stars + "  Page 8: Vessel Hydrostatic Characteristics  " + stars + "\n\n");
}

TEST(PageText, TitleTooLongForAFrame) {
    ScriptedConsole console;
    PAGHDR("16", "A very long", " page title", 30, screen_unit, 1);
    EXPECT_EQ(console.screen(), "    Page 16: A very long page title   \n\n");
}

TEST(PageText, ItemPrefixEndsOneColumnAfterTheValueColumn) {
    const std::string prefix = EDLNOT(3, "Water depth", 40);
    EXPECT_EQ(prefix.size(), 79u);
    EXPECT_EQ(prefix.substr(0, 41), "  3) Water depth " + std::string(24, '.'));
    EXPECT_EQ(prefix.substr(41), std::string(38, ' '));
    // No room for leaders: one blank.
    EXPECT_EQ(EDLNOT(12, "A label of thirty-three characters", 40).substr(0, 41),
              " 12) A label of thirty-three characters  ");
    // An item number of 100 does not fit its two columns.
    EXPECT_EQ(EDLNOT(100, "x", 10).substr(0, 5), " **) ");
    // More than 50 leader columns: the 50 dots right-justified in the field.
    EXPECT_EQ(EDLNOT(1, "x", 62).substr(0, 63),
              "  1) x " + std::string(6, ' ') + std::string(50, '.'));
}

TEST(PageText, ItemLinesNumberThemselves) {
    ScriptedConsole console;
    std::int32_t i = 1;
    // "(A,F10.2,A)": the whole prefix, the value and the whole unit label.
    const RealUnitFormat whole = [](std::string_view prefix, float v, std::string_view unit) {
        return A(prefix) + F(v, 10, 2) + A(unit);
    };
    OUTCFU(i, "Draft", 12.5f, whole, 7, screen_unit, 20);
    OUTCC0(
        i, "Name", "BARGE",
        [](std::string_view prefix, std::string_view t) { return A(prefix) + A(t, 8); },
        screen_unit, 20);
    OUTCI0(
        i, "Count", 4, [](std::string_view prefix, std::int32_t v) { return A(prefix) + I(v, 5); },
        screen_unit, 20);
    OUTTXT(i, "Convert ALL data values", screen_unit);
    EXPECT_EQ(i, 5);
    const std::string pad(79 - 21, ' ');
    EXPECT_EQ(console.screen(),
              "  1) Draft " + std::string(10, '.') + pad + "     12.50ft         \n" +
                  "  2) Name " + std::string(11, '.') + pad + "   BARGE\n" + "  3) Count " +
                  std::string(10, '.') + pad + "    4\n" + "  4) Convert ALL data values\n");
}

TEST(PageText, TheFormatTakesItsPartOfEachPiece) {
    // The vessel page's "(A57,F11.2,1X,A6)": the prefix cut to 57 columns, the unit to 6.
    ScriptedConsole console;
    std::int32_t i = 2;
    OUTCFU(
        i, "Transverse metacentric height (KMT)", 35.25f,
        [](std::string_view prefix, float v, std::string_view unit) {
            return A(prefix, 57) + F(v, 11, 2) + X(1) + A(unit, 6);
        },
        19, screen_unit, 56);
    EXPECT_EQ(console.screen(), "  2) Transverse metacentric height (KMT) " + std::string(16, '.') +
                                    "      35.25 ft^2  \n");
}

TEST(PageText, UnitLabels) {
    EXPECT_EQ(EUNIT(7), "ft         ");
    EXPECT_EQ(EUNIT(12), "kgw/m^3    ");
    EXPECT_EQ(EUNIT(20), "m^2        ");
    EXPECT_EQ(EUNIT(21), "           ");
    EXPECT_EQ(EUNIT(22), "Index Error");
    EXPECT_EQ(EUNIT(-1), "Index Error");
}

} // namespace
} // namespace lintar
