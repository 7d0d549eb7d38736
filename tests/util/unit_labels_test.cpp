// Tests of the unit labels: exact texts, widths and the codes outside the tables.
#include "util/unit_labels.h"

#include <gtest/gtest.h>
#include <string>

namespace lintar {
namespace {

std::string pad(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

TEST(UnitLabels, TextsAndPadding) {
    EXPECT_EQ(UNITS(0), pad("k.lbs", 16));
    EXPECT_EQ(UNITS(8), pad("m.", 16));
    EXPECT_EQ(UNITS(12), pad("kgw/cubic meter", 16));
    EXPECT_EQ(UNITS(22), pad("ton-m", 16));
    EXPECT_EQ(UNITS(23), pad("", 16));
    EXPECT_EQ(UNITS(-1), pad("", 16));
    EXPECT_EQ(UNITP(7), pad(" feet", 16));
    EXPECT_EQ(UNITP(4), pad(" millimeters", 16));
    EXPECT_EQ(UNITP(17), pad(" height: ", 16));
    EXPECT_EQ(UNITP(20), pad("m.ton", 16));
    EXPECT_EQ(UNITP(21), pad(" Index error", 16));
    EXPECT_EQ(UNITP(-1), pad(" Index error", 16));
    EXPECT_EQ(CAPUN(2), pad("FT", 8));
    EXPECT_EQ(CAPUN(8), pad("FT", 8));
    EXPECT_EQ(CAPUN(11), pad("HEIGHT", 8));
    EXPECT_EQ(CAPUN(12), pad("ERROR !", 8));
    EXPECT_EQ(DOF(1), pad("SURGE", 8));
    EXPECT_EQ(DOF(6), pad("YAW", 8));
    EXPECT_EQ(DOF(0), pad("ERROR !", 8));
}

TEST(UnitLabels, EnglishAtTheBaseCodeMetricAtTheNext) {
    struct Pair {
        int base;
        const char* english;
        const char* metric;
    };
    const Pair pairs[] = {
        {0, " kips", " metric tons"},        {3, " inches", " millimeters"},
        {5, " lbs/foot", " kgw/meter"},      {7, " feet", " meters"},
        {9, " feet/feet", " meters/meters"}, {11, " lbs/cubic foot", " kgw/cubic meter"},
        {14, " feet/sec", " meters/sec"}};
    for (const auto& p : pairs) {
        SCOPED_TRACE(p.base);
        EXPECT_EQ(UNITP(p.base + 0), pad(p.english, 16));
        EXPECT_EQ(UNITP(p.base + 1), pad(p.metric, 16));
    }
}

} // namespace
} // namespace lintar
