// mooring_pages/output_options_page.cpp: page 14, output options.
#include "mooring_pages/mooring_pages.h"

#include "editor/page_placeholder.h"

#include <string>

namespace lintar {

// MOROT1: page 14, output options; for now the heading alone, under the page protocol (the
// items come with the page itself). Reads and writes TPCM's navigation words; ends the run
// only at the end of input.
void MOROT1(std::string_view PAGE) {
    const std::string heading[] = {" ****  Page " + std::string(PAGE) + ": Output options 1 ****",
                                   ""};
    placeholder_page(heading);
}

} // namespace lintar
