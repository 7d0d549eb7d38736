// hulls/disc_reports.cpp: DSKSUM and DSKOUT, report sections I and II of the disc buoy.
#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "hulls/disc_hull.h"
#include "hulls/hull_report_lines.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/prompts.h"
#include "util/unit_labels.h"

#include <string>
#include <string_view>

namespace lintar {

namespace {

// One damping line and its conversion: per cent of critical, and what 1 % is at frequency W
// on the inertia (a volume) of the mode.
void damping_lines(int IUNIT, std::string_view label, float percent, float W, float inertia,
                   std::string_view unit) {
    motion_line(IUNIT, label, percent, "PERCENT");
    damping_conversion_line(IUNIT, 0.02f * W * WAVCOM.RHOWTR * inertia, unit);
}

} // namespace

// DSKSUM: see the header.
void DSKSUM() {
    report_page([](int IUNIT) { physical_characteristics(IUNIT); });
}

// DSKOUT: see the header.
void DSKOUT() {
    const TpcmBlock& P = TPCM;
    const HimemBlock& H = HIMEM;
    const float RHOWTR = WAVCOM.RHOWTR;
    // A named struct, not a structured binding: the report lambda captures it (clang 14 cannot
    // capture a binding).
    const SectionTwoUnits units = section_two_units(P);

    // The damping of a rotation or heave: the calibrated viscous part, moored with the
    // mooring's part on the mode's inertia, or the user's per cent.
    const auto damping = [&](std::int32_t damping_switch, float user, float GAM, float mooring,
                             float W, float inertia) {
        if (damping_switch != 0)
            return user;
        const float unmoored = 50.0f * GAM;
        return P.MORFBK == 1 ? unmoored + 50.0f * mooring / (W * RHOWTR * inertia) : unmoored;
    };
    const float roll = damping(P.LRLDMP, P.RLDAMP, H.GAMROL, P.RLMDMP, H.WR, H.ROLI);
    const float pitch = damping(P.LPTDMP, P.PTDAMP, H.GAMPIT, P.PTMDMP, H.WP, H.PTCHI);
    const float heave = damping(P.LHVDMP, P.HVDAMP, H.GAMHEV, P.HVMDMP, H.WH, H.HVMAS);

    report_page([&](int IUNIT) {
        section_two_heading(IUNIT, P.AUXVSH != 0, ">>>", "ULMARIS");

        subsection(IUNIT, 3, "     ----  NATURAL PERIODS AT ZERO SPEED  ----", 3);
        if (P.MORFBK == 0) {
            motion_line(IUNIT, "UNMOORED ROLL PERIOD ", two_pi_single / H.WR, "SECONDS");
            motion_line(IUNIT, "UNMOORED PITCH PERIOD ", two_pi_single / H.WP, "SECONDS");
            motion_line(IUNIT, "UNMOORED HEAVE PERIOD ", two_pi_single / H.WH, "SECONDS");
        } else if (P.MORFBK == 1) {
            motion_line(IUNIT, "MOOR-MODIFIED ROLL PERIOD ", two_pi_single / H.WR, "SECONDS");
            motion_line(IUNIT, "MOOR-MODIFIED PITCH PERIOD ", two_pi_single / H.WP, "SECONDS");
            motion_line(IUNIT, "MOOR-MODIFIED HEAVE PERIOD ", two_pi_single / H.WH, "SECONDS");
            motion_line(IUNIT, "MOOR-MODIFIED SURGE PERIOD ", two_pi_single / H.WSG, "SECONDS");
            motion_line(IUNIT, "MOOR-MODIFIED SWAY PERIOD ", two_pi_single / H.WSW, "SECONDS");
            motion_line(IUNIT, "MOOR-MODIFIED YAW PERIOD ", two_pi_single / H.WY, "SECONDS");
        }

        subsection(IUNIT, 3, "----  QUASI-LINEAR DAMPING COEFFICIENTS  ----", 3);
        if (P.MORFBK == 0) {
            damping_lines(IUNIT, "UNMOORED ROLL DAMPING ", roll, H.WR, H.ROLI, units.roll_unit);
            damping_lines(IUNIT, "UNMOORED PITCH DAMPING ", pitch, H.WP, H.PTCHI, units.roll_unit);
            damping_lines(IUNIT, "UNMOORED HEAVE DAMPING ", heave, H.WH, H.HVMAS, units.heave_unit);
        } else if (P.MORFBK == 1) {
            damping_lines(IUNIT, "MOOR-MODIFIED ROLL DAMPING ", roll, H.WR, H.ROLI,
                          units.roll_unit);
            damping_lines(IUNIT, "MOOR-MODIFIED PITCH DAMPING ", pitch, H.WP, H.PTCHI,
                          units.roll_unit);
            damping_lines(IUNIT, "MOOR-MODIFIED HEAVE DAMPING ", heave, H.WH, H.HVMAS,
                          units.heave_unit);
            damping_lines(IUNIT, "MOOR-MODIFIED SURGE DAMPING ",
                          P.LSGDMP == 0 ? 50.0f * H.GAMSRG : P.SGMDMP, H.WSG, H.SGMAS,
                          units.heave_unit);
            damping_lines(IUNIT, "MOOR-MODIFIED SWAY DAMPING ",
                          P.LSWDMP == 0 ? 50.0f * H.GAMSWY : P.SWMDMP, H.WSW, H.SGMAS,
                          units.heave_unit);
            // No routine calibrates the yaw damping: GAMYAW stays as the block holds it.
            damping_lines(IUNIT, "MOOR-MODIFIED YAW DAMPING ",
                          P.LYWDMP == 0 ? 50.0f * H.GAMYAW : P.YWMDMP, H.WY, H.YAWI,
                          units.roll_unit);
        }

        empty_lines(IUNIT, 3);
        motion_line(IUNIT, "REGULAR WAVE " + std::string(units.wave_label), P.SLPHT,
                    units.wave_unit);
        motion_line(IUNIT, "WATER DEPTH ", P.DEPTH, CAPUN(P.NUNTS));
    });
}

} // namespace lintar
