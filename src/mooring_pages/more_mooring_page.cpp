// mooring_pages/more_mooring_page.cpp: page 3, more general mooring information.
#include "mooring_pages/mooring_pages.h"

#include "blocks/tpcm.h"
#include "editor/page_placeholder.h"

#include <string>

namespace lintar {

// MORLN2: page 3, more general mooring information; for now the heading alone, under the page
// protocol (the items come with the page itself). Reads and writes TPCM's navigation words;
// ends the run only at the end of input.
void MORLN2(std::string_view PAGE) {
    const bool hawser = (TPCM.SIMTYP == 13 || TPCM.SIMTYP == 8) && TPCM.IARCO == 1;
    const std::string heading[] = {"  **** Page " + std::string(PAGE) +
                                       ": More General Mooring Information" +
                                       (hawser ? " <<INCLUDES hawser>> ****" : " ****"),
                                   ""};
    placeholder_page(heading);
}

} // namespace lintar
