// Tests of the pauses, aborts, page breaks, centred lines and toggles, interactive and in an
// unattended run.
#include "support/console.h"
#include "util/prompts.h"

#include "runtime/units.h"

#include <gtest/gtest.h>
#include <string>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;

const std::string abort_prompt = "\a\n Enter \"A\" to abort or Press <RETURN> to continue: ";

// An unattended run: the dialogue goes to "Diagnostics.stxt" on unit 41.
struct Unattended {
    ScratchFolder folder;
    ScriptedConsole console{""}; // nothing may be read
    Unattended() {
        open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace, FileForm::formatted);
    }
};

TEST(Prsret, TruncatesTheNumberTyped) {
    struct Case {
        std::string answer;
        std::int32_t lback;
    };
    const Case cases[] = {
        {"2.7", 2},           {"-2.7", -2},          {"", 0}, {"abc", 0}, {"99", 99},
        {"1e30", 2147483520}, {"-1e30", -2147483520}};
    for (const auto& c : cases) {
        SCOPED_TRACE("answer \"" + c.answer + "\"");
        ScriptedConsole console(c.answer + "\n");
        std::int32_t lback = -99;
        PRSRET(screen_unit, keyboard_unit, lback);
        EXPECT_EQ(lback, c.lback);
        EXPECT_EQ(console.screen(), " \n Press <RETURN> to continue: ");
    }
}

TEST(Abort, InteractiveAnswers) {
    struct Case {
        void (*pause)(int, int, std::int32_t&);
        std::string answer;
        std::int32_t lback;
    };
    const Case cases[] = {{ABORT0, "abort", -1}, {ABORT0, "x", 0},    {ABORT0, "", 0},
                          {SERV_ABORT, "a", -1}, {SERV_ABORT, "", 0}, {ABORT3, "99", 99},
                          {ABORT3, "1", 1},      {ABORT3, "", 0},     {ABORT3, "  A", -1},
                          {ABORT3, "abc", -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE("answer \"" + c.answer + "\"");
        ScriptedConsole console(c.answer + "\n");
        std::int32_t lback = -99;
        c.pause(screen_unit, keyboard_unit, lback);
        EXPECT_EQ(lback, c.lback);
        EXPECT_EQ(console.screen(), abort_prompt);
    }
}

TEST(Abort, Abort3StopsOnAnOptionItDoesNotOffer) {
    for (const std::string answer : {"5", "xyz"}) {
        SCOPED_TRACE(answer);
        ScriptedConsole console(answer + "\n\n");
        std::int32_t lback = 0;
        const auto stop = run_until_stop([&] { ABORT3(screen_unit, keyboard_unit, lback); });
        ASSERT_TRUE(stop);
        EXPECT_EQ(*stop, StopKind::error);
        std::string shown = answer;
        shown.resize(12, ' ');
        EXPECT_EQ(console.screen(), abort_prompt + "\n >>> Unrecognized option in ABORT3: " +
                                        shown + "\n     Press <Return> to continue\n");
    }
}

TEST(Abort, UnattendedRunContinuesOrStops) {
    {
        Unattended run;
        std::int32_t lback = -5;
        ABORT0(diagnostics_unit, keyboard_unit, lback);
        EXPECT_EQ(lback, 0);
        PRSRET(diagnostics_unit, keyboard_unit, lback);
        EXPECT_EQ(lback, 0);
        EXPECT_EQ(run.console.screen(), "");
    }
    for (auto* pause : {SERV_ABORT, ABORT3}) {
        Unattended run;
        std::int32_t lback = 0;
        const auto stop = run_until_stop([&] { pause(diagnostics_unit, keyboard_unit, lback); });
        ASSERT_TRUE(stop);
        EXPECT_EQ(*stop, StopKind::error);
        EXPECT_EQ(run.console.screen(), "");
    }
}

TEST(Wrnful, PausesAfterFiveWarnings) {
    {
        ScriptedConsole console;
        std::int32_t nwarn = 4;
        WRNFUL(nwarn, screen_unit, keyboard_unit);
        EXPECT_EQ(nwarn, 4);
        EXPECT_EQ(console.screen(), "");
    }
    {
        ScriptedConsole console("\n");
        std::int32_t nwarn = 5;
        WRNFUL(nwarn, screen_unit, keyboard_unit);
        EXPECT_EQ(nwarn, 0);
    }
    {
        ScriptedConsole console("-3\n");
        std::int32_t nwarn = 6;
        WRNFUL(nwarn, screen_unit, keyboard_unit);
        EXPECT_EQ(nwarn, 6);
    }
}

TEST(Pages, TwoScreensPerPageAndPageBreaks) {
    ScratchFolder folder;
    ScriptedConsole console;
    ASSERT_TRUE(open_unit(1, "CATIN.stxt", OpenStatus::replace, FileForm::formatted));
    std::int32_t lcopy = 0;
    for (int k = 0; k < 4; ++k)
        TWOPG(lcopy, 1);
    EXPECT_EQ(lcopy, 4);
    PAGE(diagnostics_unit, screen_unit, 1, 99);
    PAGE(screen_unit, screen_unit, 1, screen_unit); // the screen test comes first: a clear
    LINES(1, 2);
    LINES(1, -1);
    close_unit(1);
    EXPECT_EQ(folder.read("CATIN.stxt"), "\f\n\n\n\n\f\n\n\n\n\n\n");
    EXPECT_EQ(console.screen(), ""); // a clear writes nothing when the screen is no terminal
}

TEST(Pages, PrinterControlLine) {
    ScratchFolder folder;
    ScriptedConsole console;
    ASSERT_TRUE(open_unit(99, "print.txt", OpenStatus::replace, FileForm::formatted));
    PAGE(99, screen_unit, 1, 99);
    close_unit(99);
    EXPECT_EQ(folder.read("print.txt"), "1\n");
}

TEST(Center, CentresTwoTexts) {
    ScriptedConsole console;
    CENTER("0123456789", "abcde", 75, screen_unit);
    CENTER("odd", "", 8, screen_unit);
    EXPECT_EQ(console.screen(), std::string(30, ' ') + "0123456789abcde\n  odd\n");
}

TEST(Nohelp, ScreenAndPause) {
    ScriptedConsole console("\n");
    NOHELP(screen_unit, keyboard_unit, 3);
    EXPECT_EQ(console.screen(), "\n\n ++> Sorry, no help for this page...\n\n \n"
                                " Press <RETURN> to continue: ");
}

TEST(Toggles, YesNoTexts) {
    EXPECT_EQ(YESNO(1), "Yes");
    EXPECT_EQ(YESNO(0), "No ");
    EXPECT_EQ(YESNO(2), "Awk");
    EXPECT_EQ(YESNO_L(1), "Yes");
    EXPECT_EQ(YESNO_L(-1), "Yes");
    EXPECT_EQ(YESNO_L(0), "No ");
}

TEST(Toggles, FlipAndReport) {
    ScriptedConsole console;
    std::int32_t i = 0;
    TOGGLE(i);
    EXPECT_EQ(i, 1);
    TOGGLE(i);
    EXPECT_EQ(i, 0);
    i = 3;
    TOGGLE(i);
    EXPECT_EQ(i, 3);
    EXPECT_EQ(console.screen(), " >>> Invalid argument in Toggle\n");
    std::int32_t l = -1;
    TOGGLE_L(l);
    EXPECT_EQ(l, 0);
    TOGGLE_L(l);
    EXPECT_EQ(l, 1);
}

TEST(Toggles, BatchModeAsksInteractiveModeFlips) {
    struct Case {
        std::int32_t start, ibatch;
        std::string answer;
        std::int32_t result;
    };
    const Case cases[] = {{1, 1, "7", 1}, {1, 1, "0", 0}, {0, 1, "1", 1}, {1, 1, "", 1},
                          {1, 1, "L", 1}, {5, 0, "", 0},  {0, 0, "", 1},  {1, 0, "", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.start << " batch " << c.ibatch << " \"" << c.answer << '"');
        ScriptedConsole console(c.answer + "\n");
        std::int32_t i = c.start;
        TOGGLE2(i, c.ibatch, screen_unit, keyboard_unit);
        EXPECT_EQ(i, c.result);
        EXPECT_EQ(console.screen(), c.ibatch ? " Enter 1 for \"Yes\", 0 for \"No\": " : "");
    }
}

TEST(Toggles, LogicalAndNamedChoices) {
    {
        ScriptedConsole console("1\n\n0\n");
        std::int32_t l = 0;
        TOGGLE2_L(l, 1, screen_unit, keyboard_unit);
        EXPECT_EQ(l, 1);
        TOGGLE2_L(l, 1, screen_unit, keyboard_unit);
        EXPECT_EQ(l, 1);
        TOGGLE2_L(l, 1, screen_unit, keyboard_unit);
        EXPECT_EQ(l, 0);
        l = 0;
        TOGGLE2_L(l, 0, screen_unit, keyboard_unit);
        EXPECT_EQ(l, 1);
    }
    {
        ScriptedConsole console("0\n");
        std::int32_t i = 1;
        TOGGLE3(i, 1, screen_unit, keyboard_unit, "Metric", "English");
        EXPECT_EQ(i, 0);
        EXPECT_EQ(console.screen(), " Enter 1 for \"Metric\", 0 for \"English\": ");
    }
}

TEST(Inbug, BlankGivesZero) {
    ScriptedConsole console("\n3\n");
    std::int32_t nbug = 9;
    INBUG(nbug, screen_unit, keyboard_unit);
    EXPECT_EQ(nbug, 0);
    INBUG(nbug, screen_unit, keyboard_unit);
    EXPECT_EQ(nbug, 3);
    EXPECT_EQ(console.screen(), " Input NBUG:  Input NBUG: ");
}

} // namespace
} // namespace lintar
