// editor/net_loads_page.cpp: page 16, net vessel loads and miscellaneous options.
#include "editor/pages.h"

#include "editor/page_placeholder.h"

#include <string>

namespace lintar {

// CATOT3: page 16, net vessel loads and miscellaneous options; for now the heading alone, under the
// page protocol (the items come with the page itself). Reads and writes TPCM's navigation words;
// ends the run only at the end of input.
void CATOT3(std::string_view PAGE) {
    const std::string heading[] = {starting_at(
        5, " ****  Page " + std::string(PAGE) + ": Net Vessel Loads & Miscellaneous Options ****")};
    placeholder_page(heading);
}

} // namespace lintar
