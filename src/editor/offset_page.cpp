// editor/offset_page.cpp: page 5, lateral, yaw and vertical offset specifications.
#include "editor/pages.h"

#include "editor/page_placeholder.h"

#include <string>

namespace lintar {

// CATOFF: page 5, lateral, yaw and vertical offset specifications; for now the heading alone, under
// the page protocol (the items come with the page itself). Reads and writes TPCM's navigation
// words; ends the run only at the end of input.
void CATOFF(std::string_view PAGE) {
    const std::string heading[] = {starting_at(
        7, " ****  Page " + std::string(PAGE) + ": \"Hand of God\" Offset Specifications  ****")};
    placeholder_page(heading);
}

} // namespace lintar
