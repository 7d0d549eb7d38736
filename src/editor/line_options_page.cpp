// editor/line_options_page.cpp: page 15, line-specific output options.
#include "editor/pages.h"

#include "editor/page_placeholder.h"

#include <string>

namespace lintar {

// CATOT2: page 15, line-specific output options; for now the heading alone, under the page protocol
// (the items come with the page itself). Reads and writes TPCM's navigation words; ends the run
// only at the end of input.
void CATOT2(std::string_view PAGE) {
    const std::string heading[] = {
        starting_at(14, " ****  Page " + std::string(PAGE) + ": Line-Specific Options ****")};
    placeholder_page(heading);
}

} // namespace lintar
