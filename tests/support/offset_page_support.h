// support/offset_page_support.h: running one offset page on a scripted keyboard.
#pragma once

#include "support/console.h"

#include "blocks/tpcm.h"
#include "runtime/units.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lintar::testing {

inline const std::string selection_prompt = " \n Enter number of selection (\"H\" for help): ";
inline const std::string new_value_prompt = " Enter new value: ";
inline const std::string return_prompt = " \n Press <RETURN> to continue: ";

// What a page left: the screen, the stop that ended it (nothing when it returned), and LBACK.
struct PageRun {
    std::string screen;
    std::optional<StopKind> stop;
    std::int32_t LBACK = 0;
};

// Runs PAGE on the keys in a fresh program state that `arrange` fills (EDUNIT is the screen),
// then hands the result to `check` while TPCM still holds what the page left.
inline void on_page(void (*PAGE)(std::string_view), std::string_view number,
                    const std::string& keys, const std::function<void()>& arrange,
                    const std::function<void(const PageRun&)>& check) {
    ScriptedConsole console(keys);
    TPCM.EDUNIT = screen_unit;
    arrange();
    PageRun run;
    run.stop = run_until_stop([&] { PAGE(number); });
    run.screen = console.screen();
    run.LBACK = TPCM.LBACK;
    check(run);
}

// How often a piece of text occurs on a screen.
inline std::size_t occurrences(const std::string& text, std::string_view piece) {
    std::size_t n = 0;
    for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++n;
    return n;
}

} // namespace lintar::testing
