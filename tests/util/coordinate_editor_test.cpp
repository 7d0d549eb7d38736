// Tests of the coordinate-rows editor: screen, range operations, rotations, revert.
#include "support/console.h"
#include "util/coordinate_editor.h"

#include "runtime/units.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::ScriptedConsole;

using Rows = std::vector<std::array<float, 3>>;

std::vector<float> flat(const Rows& rows) {
    std::vector<float> r;
    for (const auto& row : rows)
        r.insert(r.end(), row.begin(), row.end());
    return r;
}

// Runs the editor on the rows with the keys (a blank answer after them leaves it).
std::vector<float> edit(const Rows& rows, const std::string& keys, std::string* screen = nullptr) {
    ScriptedConsole console(keys + "\n");
    std::vector<float> r = flat(rows);
    std::int32_t itemp = 0, lcopy = 0, ipag = 0;
    CORDIN("fairlead coordinates", r, static_cast<std::int32_t>(rows.size()), screen_unit,
           keyboard_unit, itemp, lcopy, ipag);
    if (screen)
        *screen = console.screen();
    return r;
}

void expect_rows(const std::vector<float>& got, const Rows& expected) {
    constexpr float tol = 2e-5f; // a rotation in double, stored as four-byte reals
    ASSERT_EQ(got.size(), 3 * expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        for (std::size_t c = 0; c < 3; ++c)
            EXPECT_NEAR(got[3 * i + c], expected[i][c], tol)
                << "row " << i + 1 << " coordinate " << c + 1;
}

const Rows five = {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}, {5, 5, 5}};

TEST(Cordin, Screen) {
    std::string screen;
    edit({{1, 0, 5}, {-2.5f, 100, 0}}, "", &screen);
    EXPECT_EQ(screen, " ++> Enter fairlead coordinates\n"
                      "            x          y          z\n"
                      "   1)        1.00       0.00       5.00\n"
                      "   2)       -2.50     100.00       0.00\n"
                      "\n"
                      "   3) Copy a single row to a range of rows\n"
                      "   4) Copy-Paste a range of rows\n"
                      "   5) Delete a range of rows & collapse array\n"
                      "   6) Insert null rows & expand array\n"
                      "\n"
                      "   7) Translate a range of rows by a constant vector (dx,dy,dz)\n"
                      "\n"
                      "   8) Rotate a range of rows counter-clockwise about z axis\n"
                      "   9) Fill a range of rows with incremental rotations of a selected row\n"
                      "  10) Fill array with incremental rotations of a contiguous group of rows\n"
                      " \n"
                      " Enter number of selection (\"H\" for help): ");
}

TEST(Cordin, RangeOperations) {
    struct Case {
        const char* name;
        Rows rows;
        std::string keys;
        Rows expected;
    };
    const Case cases[] = {
        {"rotate by 90", {{1, 0, 5}, {2, 2, 2}}, "8\n90\n1,1\n", {{0, 1, 5}, {2, 2, 2}}},
        {"fill a range with rotations of a row",
         {{10, 0, 2}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
         "11\n90\n2,4\n1\n",
         {{10, 0, 2}, {0, 10, 2}, {-10, 0, 2}, {0, -10, 2}}},
        {"delete rows 2 to 3",
         five,
         "8\n2,3\n",
         {{1, 1, 1}, {4, 4, 4}, {5, 5, 5}, {5, 5, 5}, {5, 5, 5}}},
        {"insert rows 2 to 3",
         five,
         "9\n2,3\n",
         {{1, 1, 1}, {0, 0, 0}, {0, 0, 0}, {2, 2, 2}, {3, 3, 3}}},
        {"copy-paste over its own source",
         five,
         "7\n1,3\n2\n",
         {{1, 1, 1}, {1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {5, 5, 5}}},
        {"copy-paste cut at the last row",
         five,
         "7\n1,3\n4\n",
         {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {1, 1, 1}, {2, 2, 2}}},
        {"copy one row to a range",
         five,
         "6\n2,4\n5\n",
         {{1, 1, 1}, {5, 5, 5}, {5, 5, 5}, {5, 5, 5}, {5, 5, 5}}},
        {"translate",
         five,
         "10\n2,3\n1,-1,0.5\n",
         {{1, 1, 1}, {3, 1, 2.5f}, {4, 2, 3.5f}, {4, 4, 4}, {5, 5, 5}}},
        {"translate ignores a row outside", five, "10\n0,3\n", five},
        {"range in the wrong order is refused", five, "6\n4,2\n\n", five},
        {"row outside the table is refused", five, "6\n2,9\n\n", five},
        {"running edit with presets",
         five,
         "4\n7,8,9\n\n",
         {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {7, 8, 9}, {5, 5, 5}}},
        {"revert", five, "8\n2,3\n14\n", five},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        expect_rows(edit(c.rows, c.keys), c.expected);
    }
}

TEST(Cordin, GroupFill) {
    const float c120 = -0.5f, s120 = std::sqrt(3.0f) / 2.0f;
    const Rows rows = {{10, 0, 1}, {10, 1, 2}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}};
    const auto turn = [](float x, float y, float c, float s) {
        return std::array<float, 2>{x * c - y * s, x * s + y * c};
    };
    const auto a1 = turn(10, 0, c120, s120), b1 = turn(10, 1, c120, s120);
    const auto a2 = turn(10, 0, c120, -s120), b2 = turn(10, 1, c120, -s120);
    expect_rows(edit(rows, "14\n120\n1,2\n3\n"), {{10, 0, 1},
                                                  {10, 1, 2},
                                                  {a1[0], a1[1], 1},
                                                  {b1[0], b1[1], 2},
                                                  {a2[0], a2[1], 1},
                                                  {b2[0], b2[1], 2}});
}

TEST(Cordin, RevertIsListedOnlyAfterAChange) {
    std::string screen;
    edit(five, "8\n2,3\n14\n", &screen);
    const std::string revert_item = "  14) Revert to initial, unmodified coordinates\n";
    const auto first = screen.find(revert_item);
    ASSERT_NE(first, std::string::npos);
    const auto last_screen = screen.rfind(" ++> Enter fairlead coordinates");
    EXPECT_LT(first, last_screen);
    EXPECT_EQ(screen.find(revert_item, last_screen), std::string::npos);
}

TEST(Cordin, OneRowHasNoMenu) {
    std::string screen;
    expect_rows(edit({{1, 2, 3}}, "2\n", &screen), {{1, 2, 3}});
    EXPECT_EQ(screen.find("Copy"), std::string::npos);
}

TEST(Cordin, PageCommandIsLeftForThePage) {
    ScriptedConsole console("L\n");
    std::vector<float> r = flat(five);
    std::int32_t itemp = 0, lcopy = 0, ipag = 0;
    CORDIN("points", r, 5, screen_unit, keyboard_unit, itemp, lcopy, ipag);
    EXPECT_EQ(itemp, -1981);
}

TEST(Cordin, HelpForOneItem) {
    ScriptedConsole console("?6\n\n\n");
    std::vector<float> r = flat(five);
    std::int32_t itemp = 0, lcopy = 0, ipag = 0;
    CORDIN("points", r, 5, screen_unit, keyboard_unit, itemp, lcopy, ipag);
    const std::string screen = console.screen();
    EXPECT_NE(
        screen.find(" ****************  Coordinate Input Definition Notes  ****************\n\n"
                    "\n ++> Item Number  6\n 1) Copy a single row to a range of rows\n"),
        std::string::npos);
}

TEST(Cordin, CopyPass) {
    testing::ScratchFolder folder;
    ScriptedConsole console("");
    ASSERT_TRUE(open_unit(1, "CATIN.stxt", OpenStatus::replace, FileForm::formatted));
    std::vector<float> r = {1, 2, 3};
    std::int32_t itemp = 5, lcopy = 2, ipag = 0;
    CORDIN("points", r, 1, 1, keyboard_unit, itemp, lcopy, ipag);
    EXPECT_EQ(itemp, 0);
    EXPECT_EQ(lcopy, 3);
    close_unit(1);
    EXPECT_EQ(folder.read("CATIN.stxt"), " ++> Enter points\n            x          y          z\n"
                                         "   1)        1.00       2.00       3.00\n\f\n");
}

TEST(Cordin, Lodrot) {
    double rot[4];
    LODROT(90.0, rot);
    EXPECT_NEAR(rot[0], 0.0, 1e-7);
    EXPECT_NEAR(rot[1], -1.0, 1e-12);
    EXPECT_NEAR(rot[2], 1.0, 1e-12);
}

} // namespace
} // namespace lintar
