// mooring_pages/general_mooring_page.cpp: page 2, general mooring information.
#include "mooring_pages/mooring_pages.h"

#include "blocks/tpcm.h"
#include "editor/page_placeholder.h"

#include <string>

namespace lintar {

// MOORLN: page 2, general mooring information; for now the heading alone, under the page
// protocol (the items come with the page itself). The heading names the hawser when this
// program's arrangement includes one (IARCO = 1). Reads and writes TPCM's navigation words;
// ends the run only at the end of input.
void MOORLN(std::string_view PAGE) {
    const bool hawser = (TPCM.SIMTYP == 13 || TPCM.SIMTYP == 8) && TPCM.IARCO == 1;
    const std::string heading[] = {"  **** Page " + std::string(PAGE) +
                                       ": General Mooring Information" +
                                       (hawser ? " <<INCLUDES hawser>> ****" : " ****"),
                                   ""};
    placeholder_page(heading);
}

} // namespace lintar
