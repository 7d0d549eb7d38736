// editor/pre_offset_page.cpp: page 9, pre-offset conditions.
#include "editor/pages.h"

#include "editor/page_placeholder.h"

#include <string>

namespace lintar {

// CATOF4: page 9, pre-offset conditions; for now the heading alone, under the page protocol (the
// items come with the page itself). Reads and writes TPCM's navigation words; ends the run only at
// the end of input.
void CATOF4(std::string_view PAGE) {
    const std::string heading[] = {
        starting_at(12, " ****  Page " + std::string(PAGE) + ": Pre-Offset Conditions  ****")};
    placeholder_page(heading);
}

} // namespace lintar
