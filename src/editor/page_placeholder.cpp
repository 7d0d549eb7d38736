// editor/page_placeholder.cpp: the page protocol of a page whose items are not built yet.
#include "editor/page_placeholder.h"

#include "blocks/tpcm.h"
#include "runtime/units.h"
#include "util/answer_reader.h"
#include "util/prompts.h"

namespace lintar {

std::string starting_at(int column, std::string_view text) {
    return std::string(static_cast<std::size_t>(column > 1 ? column - 1 : 0), ' ') +
           std::string(text);
}

void placeholder_page(std::span<const std::string> heading) {
    placeholder_page([heading] {
        if (TPCM.LCOPY == 0)
            CLEAR(TPCM.EDUNIT);
        for (const std::string& line : heading)
            write_record(TPCM.EDUNIT, line);
    });
}

void placeholder_page(const std::function<void()>& draw_heading) {
    for (;;) {
        draw_heading();
        if (TPCM.LCOPY != 0) {
            TWOPG(TPCM.LCOPY, TPCM.EDUNIT);
            TPCM.LBACK = 0;
            return;
        }
        ENTSEL(TPCM.LBACK, TPCM.EDUNIT, keyboard_unit, TPCM.IPAG);
        if (TPCM.LBACK == code_help) {
            NOHELP(TPCM.EDUNIT, keyboard_unit, TPCM.IPAG);
            continue;
        }
        if (TPCM.LBACK <= 0)
            return;
        // An item number: the page has no items yet, so it is only drawn again.
    }
}

} // namespace lintar
