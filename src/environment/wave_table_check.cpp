// environment/wave_table_check.cpp: the wave-load models refused for want of their tables.
#include "environment/wave_table_check.h"

#include "blocks/tpcm.h"
#include "hulls/hull_models.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/flags.h"
#include "util/internal_error.h"
#include "util/prompts.h"

#include <algorithm>

namespace lintar {

std::vector<std::string> wave_table_refusal() {
    const TpcmBlock& T = TPCM;
    const std::string vessel(vessel_type_name(T.VESTYP));
    const bool wave_drag = T.LEGDRG == 0;
    if (T.VESTYP == 4 && wave_drag)
        return {" ++> FATAL error: wave drag is not available for a " + vessel + ":",
                "     no hull model fills its drag tables; switch the vessel's wave drag off."};
    if (T.VESTYP != 1)
        for (std::int32_t k = 1; k <= 3; ++k) {
            const std::int32_t code = NIBVAL(T.LWVCOF, k, screen_unit);
            if (code == 5 || code == 7)
                return {" ++> FATAL error: the vertical-cylinder drift model (code " + I(code, 1) +
                            ") is not available for a " + vessel + ";",
                        "     choose another wave drift model."};
        }
    if (T.SEMI_LIKE != 0 && wave_drag &&
        (NIBVAL(T.LWVCOF, 1, screen_unit) != 1 || NIBVAL(T.LWVCOF, 2, screen_unit) != 1))
        return {" ++> FATAL error: wave drag on a " + vessel +
                    " needs the user drift file for surge and sway;",
                "     use a user drift file (drift model 1) or switch the vessel's wave drag off."};
    return {};
}

void check_wave_load_tables(int IOSCRN) {
    const TpcmBlock& T = TPCM;
    if (T.LRANDM == 0 && T.LSWELL == 0 && T.LSWEL2 == 0)
        return;
    const std::vector<std::string> refusal = wave_table_refusal();
    if (refusal.empty())
        return;
    for (const std::string& line : refusal)
        write_record(IOSCRN, line);
    fatal_stop(IOSCRN, keyboard_unit);
}

void guard_wave_load_tables(int IOSCRN) {
    const std::vector<std::string> refusal = wave_table_refusal();
    if (refusal.empty())
        return;
    write_record(IOSCRN, " >>> Internal error: a wave load was asked for without its tables.");
    for (const std::string& line : refusal)
        write_record(IOSCRN, line);
    internal_error_stop(IOSCRN, {});
}

} // namespace lintar
