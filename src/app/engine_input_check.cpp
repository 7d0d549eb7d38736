// app/engine_input_check.cpp: the engine's refusal of a data file whose reals are not numbers.
#include "app/engine_input_check.h"

#include "datafile/finite_reals.h"
#include "runtime/units.h"
#include "util/prompts.h"

#include <string>
#include <vector>

namespace lintar {

void check_finite_input(int EDUNIT) {
    const std::vector<std::string> found = non_finite_reals();
    if (found.empty())
        return;
    fatal_stop(EDUNIT, keyboard_unit,
               {"", " ++> FATAL error: The data word " + found.front() + " holds no finite number;",
                "     correct it with lintar and run the engine again."});
}

} // namespace lintar
