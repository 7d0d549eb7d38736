// Tests of the page loop: which slots are shown, where each navigation code leads, and walks
// through the placeholder pages driven by the keyboard.
#include "editor/page_loop.h"
#include "support/console.h"

#include "blocks/tpcm.h"
#include "datafile/tpcm_image.h"
#include "runtime/units.h"
#include "util/answer_reader.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;

struct Arrangement {
    std::int32_t IARCO, NFCDIR, NTQDIR;
};

void arrange(const Arrangement& a) {
    TPCM.IARCO = a.IARCO;
    TPCM.NFCDIR = a.NFCDIR;
    TPCM.NTQDIR = a.NTQDIR;
}

TEST(PageLoop, SlotsShownFollowTheArrangement) {
    struct Case {
        Arrangement arrangement;
        std::vector<int> shown;
    };
    const Case cases[] = {
        {{0, 0, 0}, {1, 2, 3, 4, 5, 6, 7, 9, 14, 15, 16, 17}},
        {{0, 2, 0}, {1, 2, 3, 4, 5, 6, 7, 8, 14, 15, 16, 17}},
        {{0, 0, 1}, {1, 2, 3, 4, 5, 6, 7, 8, 14, 15, 16, 17}},
        {{1, 0, 0}, {1, 2, 3, 4, 5, 7, 14, 15, 16, 17}},
        {{1, 1, 0}, {1, 2, 3, 4, 5, 7, 8, 14, 15, 16, 17}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "IARCO " << c.arrangement.IARCO << " NFCDIR " << c.arrangement.NFCDIR
                     << " NTQDIR " << c.arrangement.NTQDIR);
        ScriptedConsole console;
        arrange(c.arrangement);
        std::vector<int> shown;
        for (int slot = 0; slot <= 18; ++slot)
            if (slot_shown(slot))
                shown.push_back(slot);
        EXPECT_EQ(shown, c.shown);
    }
}

TEST(PageLoop, NavigationCodesAfterADataPage) {
    struct Case {
        int slot;
        std::int32_t LBACK, IPAG;
        int next;
    };
    const Case cases[] = {
        {5, code_redraw, 0, 5}, {5, code_first, 0, 1},
        {5, code_last, 0, 17},  {5, code_execute, 0, 17},
        {5, code_skip, 0, 7},   {14, code_skip, 0, 16},
        {15, code_skip, 0, 1},  {16, code_skip, 0, 1},
        {5, code_jump, 12, 12}, {5, code_jump, 17, 17},
        {5, code_jump, 0, 1},   {5, code_jump, 18, 1},
        {5, 0, 0, 6},           {5, 7, 0, 6},
        {16, 0, 0, 17},         {5, code_back, 0, 4},
        {1, code_back, 0, 17},  {5, code_m, 0, 4},
        {5, code_x, 0, 4},      {5, -5, 0, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "slot " << c.slot << " LBACK " << c.LBACK);
        EXPECT_EQ(next_slot(c.slot, c.LBACK, c.IPAG), c.next);
    }
}

TEST(PageLoop, NavigationCodesAfterTheFinalPage) {
    struct Case {
        std::int32_t LBACK, IPAG;
        std::optional<int> next;
    };
    const Case cases[] = {
        {code_redraw, 0, 17},
        {code_last, 0, 17},
        {code_first, 0, 1},
        {code_skip, 0, 2},
        {code_jump, 9, 9},
        {code_jump, 40, 1},
        {code_back, 0, 16},
        {0, 0, 1},
        {-2, 0, std::nullopt},
        {101, 0, std::nullopt},
        {code_execute, 0, std::nullopt},
        {code_m, 0, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "LBACK " << c.LBACK);
        EXPECT_EQ(slot_after_final(c.LBACK, c.IPAG), c.next);
    }
}

// The headings on a screen, in order: the text after each "Page " up to its colon ("14",
// "4A").
std::vector<std::string> headings(const std::string& screen) {
    std::vector<std::string> found;
    for (auto at = screen.find("Page "); at != std::string::npos; at = screen.find("Page ", at)) {
        at += 5;
        const auto colon = screen.find(':', at);
        found.push_back(screen.substr(at, colon - at));
    }
    return found;
}

// The page numbers of the headings on a screen, in order.
std::vector<int> pages_shown(const std::string& screen) {
    std::vector<int> pages;
    for (const std::string& heading : headings(screen))
        pages.push_back(std::stoi(heading)); // "4A" is page 4
    return pages;
}

// A walk from page 1 over an unchanged image (so leaving with item 2 ends it at once).
std::vector<int> walk(const std::string& keyboard, const Arrangement& arrangement) {
    ScratchFolder folder;
    ScriptedConsole console(keyboard + "L\n2\n");
    arrange(arrangement);
    TPCM.NTYP = 1;
    TPCM.NELEM(1) = 1;
    TPCM.MS3DOF = 1; // as the final page sets it
    const auto image = tpcm_image();
    std::copy(image.begin(), image.end(), editor_store.IOBUF.begin());
    TPCM.EDUNIT = screen_unit;
    const auto stop = run_until_stop([] { walk_pages(1); });
    EXPECT_EQ(stop, StopKind::user_choice);
    EXPECT_FALSE(folder.has("CATDAT"));
    return pages_shown(console.screen());
}

TEST(PageLoop, WalksThroughThePagesByTheKeyboard) {
    struct Case {
        std::string name, keyboard;
        Arrangement arrangement;
        std::vector<int> pages;
    };
    const Case cases[] = {
        {"forward walk",
         "\n\n\n\n\n\n\n\n\n\n\n",
         {0, 0, 0},
         {1, 2, 3, 4, 5, 6, 7, 9, 14, 15, 16, 17, 17}},
        {"forward with a buoy and forces",
         "\n\n\n\n\n\n\n\n\n\n",
         {1, 1, 0},
         {1, 2, 3, 4, 5, 7, 8, 14, 15, 16, 17, 17}},
        {"backward walk", "B\nB\nB\nB\nB\nB\n", {0, 0, 0}, {1, 17, 16, 15, 14, 9, 7, 17}},
        {"back over page 6 with a buoy", "J7\nB\n", {1, 0, 0}, {1, 7, 5, 17}},
        {"jump to an empty page", "J10\n", {0, 0, 0}, {1, 14, 17}},
        {"jump to a hidden page 6", "J6\n", {1, 0, 0}, {1, 7, 17}},
        {"jump to a hidden page 8", "J8\n", {0, 0, 0}, {1, 9, 17}},
        {"jump out of range", "J0\nJ18\n", {0, 0, 0}, {1, 1, 1, 17}},
        {"skip", "S\nS\nJ16\nS\n", {0, 0, 0}, {1, 3, 5, 16, 1, 17}},
        {"skip from page 7 passes a hidden page 9", "J7\nS\n", {0, 1, 0}, {1, 7, 14, 17}},
        {"first and redraw", "J5\nH\n\nF\n", {0, 0, 0}, {1, 5, 5, 1, 17}},
        {"item numbers and help redraw", "4\n\n?\n\n", {0, 0, 0}, {1, 1, 1, 17}},
        {"final page and back", "L\nB\n", {0, 0, 0}, {1, 17, 16, 17}},
        {"final page, Return", "L\n\n", {0, 0, 0}, {1, 17, 1, 17}},
        {"final page, skip", "L\nS\n", {0, 0, 0}, {1, 17, 2, 17}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(walk(c.keyboard, c.arrangement), c.pages);
    }
}

TEST(PageLoop, SublinePageWalksTypesAndSublines) {
    ScratchFolder folder;
    // Types A (2 sublines), B (none), C (1): Return walks A1, A2, C1; back from A1 returns -1.
    ScriptedConsole console("J4\n\nB\nB\nB\n\n\n\n\n\nL\n2\n");
    TPCM.NTYP = 3;
    TPCM.NELEM(1) = 2;
    TPCM.NELEM(2) = 0;
    TPCM.NELEM(3) = 1;
    TPCM.MS3DOF = 1;
    const auto image = tpcm_image();
    std::copy(image.begin(), image.end(), editor_store.IOBUF.begin());
    TPCM.EDUNIT = screen_unit;
    EXPECT_EQ(run_until_stop([] { walk_pages(1); }), StopKind::user_choice);
    const std::string screen = console.screen();
    std::vector<std::string> screens;
    for (const std::string& heading : headings(screen))
        if (heading.starts_with("4"))
            screens.push_back(heading.substr(1));
    // A1 (Return) A2 (B) A1 (B) back to page 3 (B) page 2, then by Return page 3, A1, A2, C1
    // and page 5.
    EXPECT_EQ(screens, (std::vector<std::string>{"A", "A", "A", "A", "A", "C"}));
    EXPECT_EQ(pages_shown(screen), (std::vector<int>{1, 4, 4, 4, 3, 2, 3, 4, 4, 4, 5, 17}));
}

} // namespace
} // namespace lintar
