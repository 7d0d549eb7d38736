// editor/site_conditions_page.cpp: page 1, site conditions.
#include "editor/pages.h"

#include "editor/page_placeholder.h"

#include <string>

namespace lintar {

// STATIC: page 1, site conditions; for now the heading alone, under the page protocol (the items
// come with the page itself). Reads and writes TPCM's navigation words; ends the run only at the
// end of input.
void STATIC() {
    const std::string heading[] = {starting_at(20, " ****  Page 1: Site conditions  ****"), "", "",
                                   ""};
    placeholder_page(heading);
}

} // namespace lintar
