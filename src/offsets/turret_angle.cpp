// offsets/turret_angle.cpp: GET_TRT_ANG, the angle a freely turning turret takes at a trial
// vessel position.
#include "offsets/turret_angle.h"

#include "runtime/edit_descriptors.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/prompts.h"
#include "util/root_finders.h"

#include <cstdint>
#include <string>

namespace lintar {

// GET_TRT_ANG: the turret angle at which the yaw moment of the lines about the turret vanishes
// and is restoring. Reads only MOMENT's values; writes TRTNGL. A root-finder failure, or a root
// unstable in both orientations tried, writes its message on EDUNIT, pauses on KBD and ends the run
// with an error stop.
void GET_TRT_ANG(float VESANG, float& TRTNGL, bool PNTTRT, std::int32_t LOCK_TRT, int EDUNIT,
                 int KBD, float HALF_WIDTH, float FLIP, const TurretMoment& MOMENT) {
    // A turret locked to the hull, or with no moment arm, points where the vessel does.
    if (LOCK_TRT == 1 || PNTTRT) {
        TRTNGL = VESANG;
        return;
    }

    const float EF = 0.0f;
    const float EX = 1.0e-6f;
    const std::int32_t ITR = 100;
    bool FRSTIM = true;
    for (;;) {
        const float S1 = TRTNGL - HALF_WIDTH;
        const float S2 = TRTNGL + HALF_WIDTH;
        float FVAL = 0.0f;
        std::int32_t IER = 0;
        RTMI1(TRTNGL, FVAL, MOMENT, S1, S2, EX, EF, ITR, IER);
        if (IER != 0) {
            // The line as a list-directed write gives it: a leading blank, the code in twelve
            // columns and a blank before the text that follows a number.
            write_record(EDUNIT, "  IER = " + I(IER, 12) + "  in turret orientation calc");
            fatal_stop(EDUNIT, KBD);
        }

        // Restoring when the moment does not grow as the turret turns on past the root.
        const float DTZTMP = MOMENT(TRTNGL) - MOMENT(TRTNGL + 0.1f);
        if (DTZTMP >= 0.0f)
            return;
        if (!FRSTIM)
            break;
        // Unstable: look once more around the opposite orientation.
        TRTNGL = TRTNGL + FLIP;
        FRSTIM = false;
    }

    write_record(EDUNIT, "");
    write_record(EDUNIT, " ++> Fatal Condition: Equilibrium condition determination");
    write_record(EDUNIT, "      failed in GET_MOOR_FORCES for unknown reasons");
    write_record(EDUNIT, "");
    fatal_stop(EDUNIT, KBD);
}

} // namespace lintar
