// hulls/ship_reports.cpp: SHPSUM and SHPOUT, report sections I and II of the ship-hull model.
#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "hulls/hull_report_lines.h"
#include "hulls/hull_support.h"
#include "hulls/ship_curves.h"
#include "hulls/ship_hull.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/prompts.h"
#include "util/unit_labels.h"

#include <string>
#include <string_view>

namespace lintar {

// SHPSUM: see the header.
void SHPSUM() {
    const TpcmBlock& P = TPCM;
    const HimemBlock& H = HIMEM;
    const std::string length(CAPUN(P.NUNTS));
    report_page([&](int IUNIT) {
        physical_characteristics(IUNIT);

        empty_lines(IUNIT, 1);
        subsection(IUNIT, 2, "----  DYNAMICALLY SIMILAR BOX CHARACTERISTICS  ----", 2);
        value_line(IUNIT, "BOX LENGTH ", H.SHIPL, length);
        value_line(IUNIT, "BOX WIDTH ", H.BEAM, length);
        value_line(IUNIT, "BOX DRAFT ", H.EDRAFT, length);
        empty_lines(IUNIT, 1);
        value_line(IUNIT, "TRIM ANGLE ", P.TRIMDG, "DEG");
        value_line(IUNIT, "HEEL ANGLE ", P.HEELDG, "DEG");
    });
}

// SHPOUT: see the header.
void SHPOUT() {
    const TpcmBlock& P = TPCM;
    const HimemBlock& H = HIMEM;
    const float RHOWTR = WAVCOM.RHOWTR;
    // A named struct, not a structured binding: the report lambda captures it (clang 14 cannot
    // capture a binding).
    const SectionTwoUnits units = section_two_units(P);

    // The zero-speed damping in per cent of critical at the natural frequencies.
    float A33 = 0.0f, A55 = 0.0f, B33 = 0.0f, B55 = 0.0f;
    DPMAS0(A33, A55, B33, B55, H.WP, grid_wave_number(H.JP) * H.XSCALE, H.HCONST, H.HMAS0, H.HMSRAT,
           H.PCONST, H.PMAS0, H.PMSRAT);
    const float Q1 = P.LPTDMP != 0 ? P.PTDAMP : 50.0f * B55 / (H.PTCHI * H.WP);
    DPMAS0(A33, A55, B33, B55, H.WH, grid_wave_number(H.JH) * H.XSCALE, H.HCONST, H.HMAS0, H.HMSRAT,
           H.PCONST, H.PMAS0, H.PMSRAT);
    const float Q2 = P.LHVDMP != 0 ? P.HVDAMP : 50.0f * B33 / (H.HVMAS * H.WH);
    const float Q3 = P.LRLDMP != 0 ? P.RLDAMP : 50.0f * H.GAMROL;

    report_page([&](int IUNIT) {
        section_two_heading(IUNIT, P.AUXVSH != 0, "++>", "CALDRUN");

        subsection(IUNIT, 3, "     ----  NATURAL PERIODS AT ZERO SPEED  ----", 3);
        motion_line(IUNIT, "NATURAL ROLL PERIOD ", two_pi_single / H.WR, "SECONDS");
        motion_line(IUNIT, "NATURAL PITCH PERIOD ", two_pi_single / H.WP, "SECONDS");
        motion_line(IUNIT, "NATURAL HEAVE PERIOD ", two_pi_single / H.WH, "SECONDS");

        subsection(IUNIT, 3, "----  QUASI-LINEAR ZERO SPEED DAMPING COEFFICIENTS  ----", 3);
        motion_line(IUNIT, "NATURAL ROLL DAMPING IN BEAM WAVES ", Q3, "PERCENT");
        damping_conversion_line(IUNIT, 0.02f * H.WR * RHOWTR * H.ROLI, units.roll_unit);
        motion_line(IUNIT, "NATURAL PITCH DAMPING IN HEAD WAVES ", Q1, "PERCENT");
        damping_conversion_line(IUNIT, 0.02f * H.WP * RHOWTR * H.PTCHI, units.roll_unit);
        motion_line(IUNIT, "NATURAL HEAVE DAMPING ", Q2, "PERCENT");
        damping_conversion_line(IUNIT, 0.02f * H.WH * RHOWTR * H.HVMAS, units.heave_unit);

        empty_lines(IUNIT, 3);
        motion_line(IUNIT, "REGULAR WAVE " + std::string(units.wave_label), P.SLPHT,
                    units.wave_unit);
        motion_line(IUNIT, "WATER DEPTH ", P.DEPTH, CAPUN(P.NUNTS));
    });
}

} // namespace lintar
