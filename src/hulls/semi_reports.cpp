// hulls/semi_reports.cpp: SEMSUM and SEMOUT, report sections I and II of the semisubmersible
// model.
#include "blocks/himem.h"
#include "blocks/pascom.h"
#include "blocks/simcom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "hulls/hull_report_lines.h"
#include "hulls/semi_hull.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/program_types.h"
#include "util/prompts.h"
#include "util/unit_labels.h"

#include <cmath>
#include <string>
#include <string_view>

namespace lintar {

namespace {

// A section I line with the input value and, for a pulled-down or phantom-weight hull, the
// effective value beside it.
void paired_line(int IUNIT, std::string_view label, float input, bool paired, float effective,
                 std::string_view unit) {
    write_record(IUNIT, X(15) + dotted(label, 39) + F(input, 10, 2) +
                            (paired ? F(effective, 10, 2) : std::string()) + " " +
                            std::string(unit));
}

// The period of a natural frequency in the F6.1 field; a zero frequency (no restoring) has no
// period and prints a marker.
std::string period_text(float w) {
    return w > 0.0f ? F(two_pi_single / w, 6, 1) : std::string("   ---");
}

// The natural frequency of a restoring and an inertia, 0 when there is none.
float frequency_of(float restoring, float inertia) {
    return restoring > 0.0f && inertia > 0.0f ? std::sqrt(restoring / inertia) : 0.0f;
}

void section_1_banner(int IUNIT, std::string_view banner) {
    frame_line(IUNIT);
    write_record(IUNIT, "   " + std::string(banner));
    frame_line(IUNIT);
}

} // namespace

// SEMSUM: see the header.
void SEMSUM() {
    TpcmBlock& P = TPCM;
    const HimemBlock& H = HIMEM;
    const bool flag = tension_leg_or_spar(P.SIMTYP) || P.LPHANTOM_WGHT == 1;
    const std::string length(CAPUN(P.NUNTS));
    const std::string weight(CAPUN(P.NUNTS + 4));
    const std::string density_weight = A(CAPUN(P.NUNTS + 6), 3);
    const std::string volume = P.NUNTS == 0 ? std::string("FOOT ") : A(CAPUN(P.NUNTS), 5);
    const std::string square = " SQUARE " + length;
    const float trim = std::sin(P.TRIMDG / degrees_per_radian);
    const float heel = std::sin(P.HEELDG / degrees_per_radian);

    const auto page_1 = [&](int IUNIT) {
        section_1_banner(IUNIT, "*************   I.  PHYSICAL CHARACTERISTICS SUMMARY "
                                "(AS INPUT)  ***********");
        empty_lines(IUNIT, 1);
        subsection(IUNIT, 2, "     ----  SITE CHARACTERISTICS  ----", 2);
        value_line(IUNIT, "WATER DEPTH ", P.DEPTH, length);
        value_line(IUNIT, "WATER DENSITY ", P.DWATR, density_weight + "/CUBIC " + volume);

        empty_lines(IUNIT, 1);
        subsection(IUNIT, 2, "----  VESSEL CHARACTERISTICS  ----", 2);
        value_line(IUNIT, "DISPLACEMENT ", P.DISPL, weight);
        write_record(IUNIT, X(15) + dotted("WATER PLANE AREA ", 39) + F(P.AWP, 10, 2) + square);
        value_line(IUNIT, "VERTICAL (Z) KB ", P.TVKB, length);
        value_line(IUNIT, "DRAFT ", P.DRAFT, length);
        empty_lines(IUNIT, 1);
        value_line(IUNIT, "VERTICAL (Z) KG ", P.VKG, length);
        // The model takes the centre of gravity on the vessel's vertical axis.
        value_line(IUNIT, "LONGITUDINAL (X) CG ", 0.0f, length);
        value_line(IUNIT, "TRANSVERSE (Y) CG ", 0.0f, length);
        empty_lines(IUNIT, 1);
        value_line(IUNIT, "PITCH GYRADIUS ", P.PGYR, length);
        value_line(IUNIT, "ROLL GYRADIUS ", P.RGYR, length);
        value_line(IUNIT, "YAW GYRADIUS ", P.YGYR, length);
        empty_lines(IUNIT, 1);
        // The metacentric values as input, and as effective beside them with the flag; the
        // righting arm is GM times the sine of the trim or heel angle.
        const float GML_in = P.VKML - P.VKG;
        paired_line(IUNIT, "LONGITUDINAL GM (GML) ", GML_in, flag, H.GML, length);
        paired_line(IUNIT, "LONGITUDINAL RIGHTING ARM ", GML_in * trim, flag, H.GML * trim, length);
        paired_line(IUNIT, "LONGITUDINAL KM (KML) ", P.VKML, flag, H.EVKML, length);
        paired_line(IUNIT, "LONGITUDINAL IWP/DELTA ", P.VKML - P.TVKB, flag, H.EVKML - H.EVKB,
                    length);
        empty_lines(IUNIT, 1);
        const float GMT_in = P.VKMT - P.VKG;
        paired_line(IUNIT, "TRANSVERSE GM (GMT) ", GMT_in, flag, H.GMT, length);
        paired_line(IUNIT, "TRANSVERSE RIGHTING ARM ", GMT_in * heel, flag, H.GMT * heel, length);
        paired_line(IUNIT, "TRANSVERSE KM (KMT) ", P.VKMT, flag, H.EVKMT, length);
        paired_line(IUNIT, "TRANSVERSE IWP/DELTA ", P.VKMT - P.TVKB, flag, H.EVKMT - H.EVKB,
                    length);
        empty_lines(IUNIT, 1);
        value_line(IUNIT, "TRIM ANGLE ", P.TRIMDG, "DEG");
        value_line(IUNIT, "HEEL ANGLE ", P.HEELDG, "DEG");
    };

    const auto page_2 = [&](int IUNIT) {
        section_1_banner(IUNIT, "***********   I.  PHYSICAL CHARACTERISTICS SUMMARY "
                                "(AS ESTIMATED)  *********");
        empty_lines(IUNIT, 2);
        if (tension_leg_or_spar(P.SIMTYP))
            value_line(IUNIT, "VERTICAL PULL-DOWN ", PASCOM.DELTA_DRAFT, length);
        value_line(IUNIT, "DISPLACEMENT ", H.EDISPL, weight);
        write_record(IUNIT, X(15) + dotted("WATER PLANE AREA ", 39) + F(P.AWPEST, 10, 2) + square);
        value_line(IUNIT, "VERTICAL (Z) KB ", P.VCBEST, length);
        value_line(IUNIT, "DRAFT ", H.EDRAFT, length);
        empty_lines(IUNIT, 1);
        value_line(IUNIT, flag ? "EQUIVALENT VERTICAL KG " : "VERTICAL (Z) KG ", H.EVKG, length);
        value_line(IUNIT, "FORWARD (X) KB ", P.XCBEST, length);
        value_line(IUNIT, "LATERAL (Y) KB ", P.YCBEST, length);
        value_line(IUNIT, "FORWARD (X) WATERPLANE CENTROID  ", P.XWPCTR, length);
        value_line(IUNIT, "LATERAL (Y) WATERPLANE CENTROID  ", P.YWPCTR, length);
        empty_lines(IUNIT, 1);
        value_line(IUNIT, "LONGITUDINAL GM (GML) ", P.GMLEST, length);
        value_line(IUNIT, "PITCH CENTER OF ROTATION ", H.VTCRP, length);
        empty_lines(IUNIT, 1);
        value_line(IUNIT, "TRANSVERSE GM (GMT) ", P.GMTEST, length);
        value_line(IUNIT, "ROLL CENTER OF ROTATION ", H.VTCRR, length);
    };

    // Both pages, each ending with the console pause; a redraw asked at either starts again
    // from page 1.
    for (;;) {
        PAGE(P.IUNIT, P.EDUNIT, 1, 99);
        page_1(P.IUNIT);
        if (report_pause())
            continue;
        PAGE(P.IUNIT, P.EDUNIT, 1, 99);
        page_2(P.IUNIT);
        if (!report_pause())
            return;
    }
}

// SEMOUT: see the header.
void SEMOUT() {
    const TpcmBlock& P = TPCM;
    const HimemBlock& H = HIMEM;
    const SimcomBlock& S = SIMCOM;
    const PascomBlock& Q = PASCOM;
    const float RHOWTR = WAVCOM.RHOWTR;
    // A named struct, not a structured binding: the report lambda captures it (clang 14 cannot
    // capture a binding).
    const SectionTwoUnits units = section_two_units(P);

    // A tension-leg platform of type 17: the natural frequencies without the tendons (or the
    // user's), beside the moored ones.
    const bool tendons = P.SIMTYP == 17;
    float WR0 = H.WR, WP0 = H.WP, WH0 = H.WH;
    if (tendons) {
        WR0 = P.LRLPRD == 1 ? H.WR : frequency_of(H.RRMT - Q.RTENDN, H.ROLI);
        WP0 = P.LPTPRD == 1 ? H.WP : frequency_of(H.PRMT - Q.PTENDN, H.PTCHI);
        WH0 = P.LHVPRD == 1 ? H.WH : frequency_of(H.HC - Q.HTENDN, H.HVMAS);
    }

    report_page([&](int IUNIT) {
        section_two_heading(IUNIT, P.AUXVSH != 0, "++>", "EBROTAN");

        subsection(IUNIT, 3, "     ----  NATURAL PERIODS AT ZERO SPEED  ----", 3);
        motion_text_line(IUNIT, "NATURAL ROLL PERIOD ", period_text(WR0), "SECONDS");
        motion_text_line(IUNIT, "NATURAL PITCH PERIOD ", period_text(WP0), "SECONDS");
        motion_text_line(IUNIT, "NATURAL HEAVE PERIOD ", period_text(WH0), "SECONDS");
        if (tendons) {
            motion_text_line(IUNIT, "MOOR-MODIFIED ROLL PERIOD ", period_text(H.WR), "SECONDS");
            motion_text_line(IUNIT, "MOOR-MODIFIED PITCH PERIOD ", period_text(H.WP), "SECONDS");
            motion_text_line(IUNIT, "MOOR-MODIFIED HEAVE PERIOD ", period_text(H.WH), "SECONDS");
        }

        subsection(IUNIT, 3, "----  QUASI-LINEAR ZERO SPEED DAMPING COEFFICIENTS  ----", 3);
        motion_line(IUNIT, "NATURAL ROLL DAMPING ", S.GAMRL * 50.0f, "PERCENT");
        damping_conversion_line(IUNIT, WR0 * 0.02f * RHOWTR * H.ROLI, units.roll_unit);
        motion_line(IUNIT, "NATURAL PITCH DAMPING ", S.GAMPT * 50.0f, "PERCENT");
        damping_conversion_line(IUNIT, WP0 * 0.02f * RHOWTR * H.PTCHI, units.roll_unit);
        motion_line(IUNIT, "NATURAL HEAVE DAMPING ", S.GAMHV * 50.0f, "PERCENT");
        damping_conversion_line(IUNIT, WH0 * 0.02f * RHOWTR * H.HVMAS, units.heave_unit);

        empty_lines(IUNIT, 3);
        motion_line(IUNIT, "REGULAR WAVE " + std::string(units.wave_label), P.SLPHT,
                    units.wave_unit);
        motion_line(IUNIT, "WATER DEPTH ", P.DEPTH, CAPUN(P.NUNTS));
    });
}

} // namespace lintar
