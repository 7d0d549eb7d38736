// editor/equilibrium_offset_page.cpp: page 7, continuous-equilibrium offset specifications.
#include "editor/pages.h"

#include "editor/page_placeholder.h"

#include <string>

namespace lintar {

// CATOF3: page 7, continuous-equilibrium offset specifications; for now the heading alone, under
// the page protocol (the items come with the page itself). Reads and writes TPCM's navigation
// words; ends the run only at the end of input.
void CATOF3(std::string_view PAGE) {
    const std::string heading[] = {
        "  ****  Page " + std::string(PAGE) +
        ": \"Continuous Equilibrium\" Static Offset Specifications  ****"};
    placeholder_page(heading);
}

} // namespace lintar
