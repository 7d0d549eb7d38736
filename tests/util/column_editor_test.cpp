// Tests of the column editor: its screen, the whole-column operations, the copy pass.
#include "support/console.h"
#include "util/column_editor.h"

#include "runtime/units.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScriptedConsole;

const std::string selection_prompt = " \n Enter number of selection (\"H\" for help): ";

std::string menu(int n) {
    const auto item = [](int k) {
        std::string number = std::to_string(k);
        return std::string(4 - number.size(), ' ') + number + ")";
    };
    return "\n" + item(n + 1) + " Auto repeat\n\n" + item(n + 2) +
           " Delete a row & collapse array\n" + item(n + 3) +
           " Insert a null row & expand array\n" + item(n + 4) +
           " Add a constant value to each array element\n" + item(n + 5) +
           " Add a constant value to each array element (modulo 360)\n";
}

TEST(Autorp, ScreenOfAShortColumn) {
    ScriptedConsole console("\n");
    std::vector<float> column = {1.0f, -2.5f, 360.0f, 4.0f, 5.0f};
    std::int32_t lcopy = 0;
    AUTORP("Lateral offsets", column, 3, 5, screen_unit, keyboard_unit, lcopy);
    EXPECT_EQ(console.screen(), " Lateral offsets\n\n"
                                "   1)      1.00\n"
                                "   2)     -2.50\n"
                                "   3)    360.00\n" +
                                    menu(3) + selection_prompt);
}

TEST(Autorp, ColumnsFollowTheRowsInUse) {
    struct Case {
        int rows;
        std::string first_line; // the first row line of the screen
    };
    const std::string one = "   1)      0.00";
    const std::string six(6, ' ');
    const Case cases[] = {
        {40, one},
        {41, one + six + " 41)      0.00"},
        {160, one + six + " 41)      0.00" + six + " 81)      0.00" + six + "121)      0.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rows);
        ScriptedConsole console("\n");
        std::vector<float> column(160, 0.0f);
        std::int32_t lcopy = 0;
        AUTORP("H", column, c.rows, 160, screen_unit, keyboard_unit, lcopy);
        const std::string screen = console.screen();
        const auto start = screen.find("\n\n") + 2;
        EXPECT_EQ(screen.substr(start, screen.find('\n', start) - start), c.first_line);
        EXPECT_NE(screen.find(menu(c.rows)), std::string::npos);
        // Every row once, the five items, and the two parentheses of the prompt and item 5.
        EXPECT_EQ(std::count(screen.begin(), screen.end(), ')'), c.rows + 7);
    }
    {
        ScriptedConsole console("\n");
        std::vector<float> column(161, 0.0f);
        std::int32_t lcopy = 0;
        const auto stop = run_until_stop(
            [&] { AUTORP("H", column, 161, 161, screen_unit, keyboard_unit, lcopy); });
        ASSERT_TRUE(stop);
        EXPECT_EQ(*stop, StopKind::error);
        EXPECT_NE(console.screen().find(" ++> Array overflow in AUTORP.f\n \n Press <RETURN>"),
                  std::string::npos);
    }
}

TEST(Autorp, Operations) {
    struct Case {
        const char* name;
        std::string keys; // after them a blank answer leaves the editor
        std::vector<float> expected;
    };
    // Three rows in use, capacity five: items 4 to 8 are the operations.
    const Case cases[] = {
        {"running edit stops at a blank", "2\n7\n\n", {1, 7, 3, 4, 5}},
        {"running edit ends at the last row in use", "2\n7\n8\n", {1, 7, 8, 4, 5}},
        {"auto repeat, blank increment", "4\n10\n\n", {10, 10, 10, 10, 10}},
        {"auto repeat with increment", "4\n10\n2.5\n", {10, 12.5, 15, 17.5, 20}},
        {"auto repeat cancelled", "4\n\n", {1, 2, 3, 4, 5}},
        {"delete the last row in use pulls the reserve", "5\n3\n", {1, 2, 4, 5, 0}},
        {"delete 2.9 deletes row 2", "5\n2.9\n", {1, 3, 4, 5, 0}},
        {"delete row 0 does nothing", "5\n0\n", {1, 2, 3, 4, 5}},
        {"delete beyond the rows in use does nothing", "5\n4\n", {1, 2, 3, 4, 5}},
        {"insert at row 1", "6\n1\n", {0, 1, 2, 3, 4}},
        {"add a constant to the whole capacity", "7\n-1\n", {0, 1, 2, 3, 4}},
        {"add modulo 360", "8\n30\n", {31, 32, 33, 34, 35}},
        {"beyond the menu changes nothing", "9\n", {1, 2, 3, 4, 5}},
        {"help then leave", "?\n\n", {1, 2, 3, 4, 5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console(c.keys + "\n");
        std::vector<float> column = {1, 2, 3, 4, 5};
        std::int32_t lcopy = 0;
        AUTORP("H", column, 3, 5, screen_unit, keyboard_unit, lcopy);
        EXPECT_EQ(column, c.expected);
    }
    // No rows in use, and a negative count from a damaged file held to none: items 1 to 5.
    for (const std::int32_t rows : {0, -3}) {
        SCOPED_TRACE(rows);
        ScriptedConsole console("5\n30\n\n");
        std::vector<float> column = {350};
        std::int32_t lcopy = 0;
        AUTORP("H", column, rows, 1, screen_unit, keyboard_unit, lcopy);
        EXPECT_EQ(column[0], 20.0f);
        const std::string shown = " H\n\n" + menu(0) + selection_prompt;
        EXPECT_EQ(console.screen(), shown + " Enter constant value: " + shown);
    }
}

TEST(Autorp, PageCommandsLeaveAndKeepTheChanges) {
    ScriptedConsole console("1\n9\n\nL\n");
    std::vector<float> column = {1, 2};
    std::int32_t lcopy = 0;
    AUTORP("H", column, 2, 2, screen_unit, keyboard_unit, lcopy);
    EXPECT_EQ(column[0], 9.0f);
}

TEST(Autorp, CopyPassWritesWithoutReading) {
    testing::ScratchFolder folder;
    ScriptedConsole console(""); // any read would end the input
    ASSERT_TRUE(open_unit(1, "CATIN.stxt", OpenStatus::replace, FileForm::formatted));
    std::vector<float> column = {1.5f, 2.0f};
    std::int32_t lcopy = 1;
    AUTORP("Yaw offsets", column, 2, 2, 1, keyboard_unit, lcopy);
    EXPECT_EQ(lcopy, 2);
    close_unit(1);
    EXPECT_EQ(folder.read("CATIN.stxt"),
              " Yaw offsets\n\n   1)      1.50\n   2)      2.00\n\n\n\n");
}

} // namespace
} // namespace lintar
