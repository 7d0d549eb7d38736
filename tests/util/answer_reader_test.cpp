// Tests of the answer reader: page commands, numbers, the readers of reals and integer lists,
// the prompt writers, UPCASE and ONELIN.
#include "support/console.h"
#include "util/answer_reader.h"
#include "util/unit_labels.h"

#include "runtime/units.h"

#include <gtest/gtest.h>
#include <string>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScriptedConsole;

TEST(Readi, AnswersGiveTheirCodes) {
    struct Case {
        std::string answer;
        std::int32_t num, pagno; // after the answer; both start as 77 and 55
    };
    const Case cases[] = {
        {"J12", -1984, 12},
        {"j", -1984, 0},
        {"?3", -1978, 3},
        {"12", 12, 2},
        {"Help", 77, 55},
        {"H", -1979, 0},
        {"-1", -1, 1},
        {"-5", 0, 5},
        {"1 2", 12, 2},
        {"J 3", -1984, 3},
        {"1.5", 77, 55},
        {"Q", 0, 0},
        {"123456789", 123456, 23456},
        {"", 77, 55},
        {"      ", 77, 55},
        {"!", -2013, 55},
        {"f", -1980, 0},
        {"L", -1981, 0},
        {"s", -1982, 0},
        {"E", -1983, 0},
        {"m", -1985, 0},
        {"C", -1986, 0},
        {"d", -1987, 0},
        {"I", -1988, 0},
        {"x", -1989, 0},
        {"b", -1, 0},
        {"0", 0, 0},
        {std::string(100000, '4'), 444444, 44444},
        {"7\r", 7, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("answer \"" + c.answer.substr(0, 12) + "\"");
        ScriptedConsole console(c.answer + "\n");
        std::int32_t num = 77, pagno = 55;
        READI(num, keyboard_unit, pagno);
        EXPECT_EQ(num, c.num);
        EXPECT_EQ(pagno, c.pagno);
    }
}

TEST(Entsel, HelpScreenThenReturn) {
    ScriptedConsole console("H\n\n");
    std::int32_t lback = 5, pagno = 0;
    ENTSEL(lback, screen_unit, keyboard_unit, pagno);
    EXPECT_EQ(lback, -1979);
    EXPECT_EQ(console.screen(), " \n"
                                " Enter number of selection (\"H\" for help): "
                                "\n"
                                "\n"
                                " At any \"Enter number of selection\" prompt:\n"
                                "\n"
                                " (F)  First page\n"
                                " (L)  Last page\n"
                                " (S)  Skip ahead a page\n"
                                " (E)  Execute program\n"
                                " (B)  Back a page\n"
                                " (Jn) Jump to page \"n\"\n"
                                " (?)  Help summary for current page\n"
                                " (?n) Help on current page for selection \"n\"\n"
                                "\n"
                                " \n"
                                " Press <RETURN> to continue: ");
}

TEST(Entsel, BangRedrawsWithoutHelpAndBlankGivesZero) {
    {
        ScriptedConsole console("!\n");
        std::int32_t lback = 5, pagno = 0;
        ENTSEL(lback, screen_unit, keyboard_unit, pagno);
        EXPECT_EQ(lback, -1979);
        EXPECT_EQ(console.screen(), " \n Enter number of selection (\"H\" for help): ");
    }
    {
        ScriptedConsole console("\n");
        std::int32_t lback = 5, pagno = 0;
        ENTSEL(lback, screen_unit, keyboard_unit, pagno);
        EXPECT_EQ(lback, 0);
    }
    {
        // Unattended: the prompt is suppressed; the blank line still goes to the dialogue unit.
        testing::ScratchFolder folder;
        ScriptedConsole console("3\n");
        ASSERT_TRUE(open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace,
                              FileForm::formatted));
        std::int32_t lback = 5, pagno = 0;
        ENTSEL(lback, diagnostics_unit, keyboard_unit, pagno);
        EXPECT_EQ(lback, 3);
        EXPECT_EQ(console.screen(), "");
        close_unit(diagnostics_unit);
        EXPECT_EQ(folder.read("Diagnostics.stxt"), " \n");
    }
}

TEST(Crread, RealAnswers) {
    struct Case {
        std::string answer;
        bool cr;
        float x; // starts as -7
    };
    const Case cases[] = {{"5", false, 5.0f},
                          {"abc", true, -7.0f},
                          {"", true, -7.0f},
                          {"1.5+3", false, 1500.0f},
                          {" 2.5e-1", false, 0.25f},
                          {"1 2", false, 12.0f},
                          {std::string(100000, '9'), false, 999999999999.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE("answer \"" + c.answer.substr(0, 12) + "\"");
        ScriptedConsole console(c.answer + "\n");
        float x = -7.0f;
        bool cr = !c.cr;
        CRREAD(x, cr, keyboard_unit);
        EXPECT_EQ(cr, c.cr);
        EXPECT_EQ(x, c.x);
    }
}

TEST(Crreal, ReadsUpToThreeValuesAndStopsQuietly) {
    struct Case {
        std::string answer;
        bool cr;
        float x1, x2, x3; // all start as 9
    };
    const Case cases[] = {{"1,2", false, 1, 2, 9},        {"1 2 3 4", false, 1, 2, 3},
                          {"1 abc 3", false, 1, 9, 9},    {"", true, 9, 9, 9},
                          {"xyz", false, 9, 9, 9},        {",5", false, 9, 5, 9},
                          {"1.5e1, -2", false, 15, -2, 9}};
    for (const auto& c : cases) {
        SCOPED_TRACE("answer \"" + c.answer + "\"");
        ScriptedConsole console(c.answer + "\n");
        float x1 = 9, x2 = 9, x3 = 9;
        bool cr = !c.cr;
        CRREAL(x1, x2, x3, cr, keyboard_unit);
        EXPECT_EQ(cr, c.cr);
        EXPECT_EQ(x1, c.x1);
        EXPECT_EQ(x2, c.x2);
        EXPECT_EQ(x3, c.x3);
    }
}

TEST(Readni, ReadsUpToNIntegers) {
    ScriptedConsole console("4 5\n1 2 3 4\n\n");
    std::int32_t values[4] = {7, 7, 7, 7};
    bool cr = true;
    READNI(values, 3, keyboard_unit, screen_unit, cr);
    EXPECT_FALSE(cr);
    EXPECT_EQ(values[0], 4);
    EXPECT_EQ(values[1], 5);
    EXPECT_EQ(values[2], 7);
    READNI(values, 3, keyboard_unit, screen_unit, cr);
    EXPECT_EQ(values[2], 3);
    EXPECT_EQ(values[3], 7); // beyond N
    READNI(values, 3, keyboard_unit, screen_unit, cr);
    EXPECT_TRUE(cr);
}

TEST(Readni, MoreThanFiftyOffersTheAbort) {
    {
        ScriptedConsole console("a\n");
        std::int32_t values[60] = {};
        bool cr = false;
        const auto stop =
            run_until_stop([&] { READNI(values, 60, keyboard_unit, screen_unit, cr); });
        ASSERT_TRUE(stop);
        EXPECT_EQ(*stop, StopKind::user_choice);
        EXPECT_EQ(console.screen(), "\n ++> Error in READNI...\n\n\a\n Enter \"A\" to abort or "
                                    "Press <RETURN> to continue: ");
    }
    {
        std::string answer;
        for (int k = 1; k <= 60; ++k)
            answer += "1 ";
        ScriptedConsole console("\n" + answer + "\n");
        std::int32_t values[60] = {};
        bool cr = false;
        READNI(values, 60, keyboard_unit, screen_unit, cr);
        // One 69-character line holds 35 values; the rest keep theirs.
        EXPECT_EQ(values[34], 1);
        EXPECT_EQ(values[35], 0);
    }
}

TEST(PromptWriters, LeaveTheLineOpen) {
    ScriptedConsole console("\n\n\n");
    WRTLIN("Enter new value: ", screen_unit);
    WRTLNI("Line", 7, screen_unit);
    WRTLIN("not shown", diagnostics_unit);
    float u1 = 0, u2 = 0, u3 = 0;
    bool cr = false;
    ENTCRD(7, u1, u2, u3, 2, screen_unit, keyboard_unit, cr);
    ENTCRD(12, u1, u2, u3, 3, diagnostics_unit, keyboard_unit, cr);
    ENTCRD(1, u1, u2, u3, 4, screen_unit, keyboard_unit, cr);
    EXPECT_EQ(console.screen(),
              " Enter new value:  Line  7   Enter new data for #  7 (x,y): "
              " Enter new data for # 12 (x,y,z):  Enter new data for #  1 ERROR!");
}

TEST(Enter, ValuesStringsAndCharacters) {
    ScriptedConsole console("42\n\n2.5\nxyz\nMOORING LINE NAME THAT IS TOO LONG\nab\n\nq\n");
    std::int32_t i = 3;
    ENTERI(i, screen_unit, keyboard_unit);
    EXPECT_EQ(i, 42);
    ENTERI(i, screen_unit, keyboard_unit);
    EXPECT_EQ(i, 42); // a blank answer keeps the value
    float x = 1;
    ENTERF(x, screen_unit, keyboard_unit);
    EXPECT_EQ(x, 2.5f);
    ENTERF(x, screen_unit, keyboard_unit);
    EXPECT_EQ(x, 2.5f);
    char name[8];
    ENTERA(name, screen_unit, keyboard_unit);
    EXPECT_EQ(std::string(name, 8), "MOORING ");
    ENTERA(name, screen_unit, keyboard_unit);
    EXPECT_EQ(std::string(name, 8), "ab      ");
    char answer = 'z';
    READC(answer, keyboard_unit);
    EXPECT_EQ(answer, ' ');
    READCP(answer);
    EXPECT_EQ(answer, 'q');
    EXPECT_EQ(console.screen(), " Enter new value:  Enter new value:  Enter new value: "
                                " Enter new value:  Enter new character string: "
                                " Enter new character string: ");
}

TEST(Upcase, LettersBlankAndOthers) {
    struct Case {
        char in, out;
        std::int32_t ierr;
    };
    const Case cases[] = {{'m', 'M', 0}, {'M', 'M', 0}, {' ', ' ', 2},
                          {'5', '5', 1}, {'{', '[', 1}, {'\xE9', '\xC9', 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(c.in)));
        char ch = c.in;
        std::int32_t ierr = -1;
        UPCASE(ch, ierr);
        EXPECT_EQ(ch, c.out);
        EXPECT_EQ(ierr, c.ierr);
    }
}

TEST(Onelin, DotLeadersKeepTheValuesInOneColumn) {
    ScriptedConsole console;
    ONELIN("Water depth at site.", 1234.5f, UNITS, 7, screen_unit); // 20 characters
    ONELIN("Density", -0.004f, UNITS, 12, screen_unit);
    const std::string ten(10, ' ');
    EXPECT_EQ(console.screen(), ten + "Water depth at site. " + std::string(17, '.') +
                                    "   1234.50 ft" + std::string(14, ' ') + "\n" + ten +
                                    "Density " + std::string(30, '.') +
                                    "     -0.00 kgw/cubic meter \n");
}

TEST(OverlongAnswers, EveryReaderCutsToItsField) {
    const std::string digits(100000, '3');
    {
        ScriptedConsole console(digits + "\n");
        float a = 0, b = 7, c = 7;
        bool cr = true;
        CRREAL(a, b, c, cr, keyboard_unit); // 63 threes do not fit a four-byte real
        EXPECT_FALSE(cr);
        EXPECT_EQ(a, 0.0f);
        EXPECT_EQ(b, 7.0f);
    }
    {
        ScriptedConsole console(std::string(100000, ' ') + "5\n");
        std::int32_t values[2] = {9, 9};
        bool cr = false;
        READNI(values, 2, keyboard_unit, screen_unit, cr); // the 5 lies beyond the field
        EXPECT_TRUE(cr);
        EXPECT_EQ(values[0], 9);
    }
    {
        ScriptedConsole console(std::string(100000, 'Q') + "\n" + digits + "\n");
        char text[80];
        ENTERA(text, screen_unit, keyboard_unit);
        EXPECT_EQ(std::string(text, 80), std::string(80, 'Q'));
        char answer = ' ';
        READC(answer, keyboard_unit);
        EXPECT_EQ(answer, '3');
    }
}

TEST(EndOfInput, EveryReaderEndsTheSession) {
    const std::function<void()> readers[] = {
        [] {
            std::int32_t n = 0, p = 0;
            READI(n, keyboard_unit, p);
        },
        [] {
            float x = 0;
            bool cr = false;
            CRREAD(x, cr, keyboard_unit);
        },
        [] {
            float a = 0, b = 0, c = 0;
            bool cr = false;
            CRREAL(a, b, c, cr, keyboard_unit);
        },
        [] {
            std::int32_t v[3];
            bool cr = false;
            READNI(v, 3, keyboard_unit, screen_unit, cr);
        },
        [] {
            char c = ' ';
            READC(c, keyboard_unit);
        },
        [] {
            char s[4];
            ENTERA(s, screen_unit, keyboard_unit);
        },
    };
    for (const auto& reader : readers) {
        ScriptedConsole console("");
        const auto stop = run_until_stop(reader);
        ASSERT_TRUE(stop);
        EXPECT_EQ(*stop, StopKind::error);
        EXPECT_NE(console.screen().find(" ++> End of input: session ended.\n"), std::string::npos);
    }
}

} // namespace
} // namespace lintar
