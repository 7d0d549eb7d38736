// support/mooring_fixture.h: TPCM contents for tests: a new data file of this program as the
// editor leaves it, a valid spread mooring of four chain lines, a buoy with a hawser, and a
// lateral offset sequence.
//
// Header-only, so that the tests of any folder can include it ("support/mooring_fixture.h")
// without a change to the build.
#pragma once

#include "blocks/tpcm.h"
#include "datafile/new_file_defaults.h"
#include "runtime/units.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace lintar::testing {

// TPCM of a new data file of this program (type 8) as the final page sees it: the new-file
// defaults, the program's type and image size from the identity stamp, the mooring defaults of
// the editor's start-up for a new file (one line of one line type; every type has one line and
// one subline of zero length; LINTYP filled in its first column only), and the final page's
// entry settings. Output goes to the screen.
inline void fill_new_file() {
    new_file_defaults(8, tpcm_word_count);
    TPCM.NTOGO = tpcm_word_count;
    TPCM.SIMTYP = 8;
    TPCM.EDUNIT = screen_unit;

    // The editor's start-up settings of every load, then its mooring defaults for a new file.
    TPCM.LSWELL = TPCM.LCURNT = TPCM.LWIND = TPCM.LRANDM = TPCM.LDYN = TPCM.LOWMOT = 0;
    TPCM.LQUAS = 1;
    TPCM.MAXELM = 25;
    TPCM.MAXDYN = 149;
    TPCM.MAXLIN = 149;
    TPCM.MAXTYP = 149;
    TPCM.MOORTP = 1;
    TPCM.NTYP = 1;
    TPCM.NLIN = 1;
    TPCM.COFMAS = 1.0f;
    TPCM.COFDMP = 1.0f;
    TPCM.NUMTAB = 90;
    TPCM.NLAYER = 7;
    TPCM.STAMOT = 1;
    TPCM.LRESET = 1;
    TPCM.LEQCND = 1;
    for (int i = 1; i <= TPCM.MAXLIN; ++i)
        TPCM.LINTYP(i, 1) = i;
    for (int t = 1; t <= TPCM.MAXTYP; ++t) {
        TPCM.NELEM(t) = 1;
        TPCM.NLINE(t) = 1;
        TPCM.ANCTYP(t) = 1;
        for (int k = 1; k <= TPCM.MAXELM; ++k) {
            set_field_text(TPCM.SCOMP(k, t), "");
            TPCM.COFMST(k, t) = 1.0f;
            TPCM.COFDMT(k, t) = 1.0f;
        }
    }

    // The final page's settings on entry.
    TPCM.MS3DOF = 1;
}

// The stamp the editor puts on a file it saves: this program's version, year and platform,
// and the image size.
inline void stamp_as_saved() {
    TPCM.VERNO = 6.8f;
    TPCM.IYEAR = 2020;
    TPCM.CMPUTR = 5;
    TPCM.DAT_ID = 149;
}

// The line-length words the pre-run checks of a save set (SHORTY, LONGIE: the shortest and
// longest total length of the line types), from the data's sublines.
inline void set_checked_line_lengths() {
    TPCM.SHORTY = 1.0e30f;
    TPCM.LONGIE = 0.0f;
    for (int t = 1; t <= TPCM.NTYP; ++t) {
        float L = 0.0f;
        for (int e = 1; e <= TPCM.NELEM(t); ++e)
            L += TPCM.SLEN(e, t);
        TPCM.SHORTY = std::min(TPCM.SHORTY, L);
        TPCM.LONGIE = std::max(TPCM.LONGIE, L);
    }
}

// The second body's section of TPCM made a copy of the vessel's (the buoy of a CALM
// arrangement described as the vessel is), but for its own arrangement word BIARCO, 0.
inline void copy_vessel_to_buoy_section() {
    const auto bytes = tpcm_bytes(TPCM);
    std::copy_n(bytes.begin() + std::ptrdiff_t(tpcm_offset(tpcm_vessel_section.first)),
                4 * tpcm_vessel_section.count(),
                bytes.begin() + std::ptrdiff_t(tpcm_offset(tpcm_second_body_section.first)));
    TPCM.BIARCO = 0;
}

// A new file completed into a valid spread mooring, English units: a vessel of 600 ft by
// 100 ft at 40 ft draft in 300 ft of water; four lines from the corners of a 500 ft by 80 ft
// rectangle, 20 ft above the keel, at 45, 135, 225 and 315 degrees; every line 1000 ft of
// 3-inch chain then 1500 ft of 3.5-inch chain to a solid bottom at 300 ft; tables to 1000 kips.
// With line_types = 2 lines 3 and 4 form line type 2, a copy of type 1.
inline void fill_spread_mooring(int line_types = 1) {
    fill_new_file();
    TPCM.DEPTH = 300.0f;
    TPCM.DRAFT = 40.0f;
    TPCM.LWL = 600.0f;
    TPCM.BWL = 100.0f;

    TPCM.TLOAD = 1000.0f;
    TPCM.LODTYP = 2; // each line's mean profile set by its fairlead tension
    TPCM.ANCDEF = 1;
    TPCM.ANCHT0 = 300.0f;
    TPCM.BTFRC0 = 1.0f;

    TPCM.NLIN = 4;
    TPCM.HAWSLN = 4;
    constexpr float x[] = {250.0f, -250.0f, -250.0f, 250.0f};
    constexpr float y[] = {40.0f, 40.0f, -40.0f, -40.0f};
    constexpr float angle[] = {45.0f, 135.0f, 225.0f, 315.0f};
    for (int i = 1; i <= 4; ++i) {
        TPCM.RFLD(1, i) = x[i - 1];
        TPCM.RFLD(2, i) = y[i - 1];
        TPCM.RFLD(3, i) = 20.0f;
        TPCM.ANGDEP(i) = angle[i - 1];
        TPCM.HTENS(i) = 150.0f;
    }

    // Chain: dry weight per foot (kips/ft), breaking strength (kips), compliance 1/EA (1/kip).
    struct Chain {
        const char* name;
        float length, diameter, dry, wet, breaking, alpha1;
    };
    constexpr Chain chain[] = {
        {"CHAIN3", 1000.0f, 3.0f, 0.0900f, 0.0783f, 1100.0f, 1.0e-5f},
        {"CHAIN3.5", 1500.0f, 3.5f, 0.1225f, 0.1066f, 1450.0f, 7.5e-6f},
    };
    TPCM.NTYP = line_types;
    TPCM.HAWSTP = line_types;
    for (int t = 1; t <= line_types; ++t) {
        TPCM.NELEM(t) = 2;
        TPCM.ANCTYP(t) = 1;
        TPCM.ANCHGT(t) = 300.0f;
        for (int e = 1; e <= 2; ++e) {
            const Chain& c = chain[e - 1];
            set_field_text(TPCM.SCOMP(e, t), c.name);
            TPCM.SLEN(e, t) = c.length;
            TPCM.DIAM(e, t) = c.diameter;
            TPCM.DRYWT(e, t) = c.dry;
            TPCM.WETWT(e, t) = c.wet;
            TPCM.TBRK(e, t) = c.breaking;
            TPCM.ALPHA(1, e, t) = c.alpha1;
        }
    }
    if (line_types == 1) {
        TPCM.NLINE(1) = 4; // lines 1 to 4 are the defaults of LINTYP's first column
    } else {
        TPCM.NLINE(1) = 2;
        TPCM.NLINE(2) = 2;
        TPCM.LINTYP(1, 2) = 3;
        TPCM.LINTYP(2, 2) = 4;
    }
}

// One lateral sequence of 0, 10 and 20 length units in the direction (degrees), reported to
// "OFFSETS.stxt".
inline void lateral_sequence_to_file(float direction) {
    TPCM.NLAT = 1;
    TPCM.PHIL(1) = direction;
    TPCM.NOFFL = 3;
    TPCM.OFFL(1) = 0.0f;
    TPCM.OFFL(2) = 10.0f;
    TPCM.OFFL(3) = 20.0f;
    TPCM.IUNIT = 1;
}

// A buoy moored by three chain lines of the spread mooring at 120 degrees, 20 ft from its
// centre with horizontal pretensions of 150 kips (LODTYP 3), and a tanker on a slack hawser
// (IARCO 1), the fourth line, of its own type 2, leaving at 180 degrees; no moment centre
// offset; the buoy's section of TPCM a copy of the vessel's.
inline void fill_buoy_with_hawser() {
    fill_spread_mooring(2);
    TPCM.LODTYP = 3; // horizontal pretensions
    TPCM.NLINE(1) = 3;
    TPCM.NLINE(2) = 1;
    TPCM.LINTYP(1, 2) = 4;
    TPCM.IARCO = 1;
    TPCM.HAWSLN = 4;
    TPCM.HAWSTP = 2;
    for (int i = 1; i <= 3; ++i) {
        const float azimuth = 120.0f * static_cast<float>(i - 1);
        const float a = azimuth * std::numbers::pi_v<float> / 180.0f;
        TPCM.ANGDEP(i) = azimuth;
        TPCM.RFLD(1, i) = 20.0f * std::cos(a);
        TPCM.RFLD(2, i) = 20.0f * std::sin(a);
        TPCM.HTENS(i) = 150.0f;
    }
    TPCM.ANGDEP(4) = 180.0f;
    TPCM.RFLD(1, 4) = -20.0f;
    TPCM.RFLD(2, 4) = 0.0f;
    TPCM.HTENS(4) = 0.0f;
    for (int i = 1; i <= 3; ++i)
        TPCM.RMCTR(i) = 0.0f;
    copy_vessel_to_buoy_section();
}

// The tanker of a buoy with a hawser (the vessel section) pulled away from the buoy, along -x, by
// a user's force of LOAD in global axes: the static equilibrium takes its path with the
// environment.
inline void pull_tanker_away(float load) {
    TPCM.LQUAS = 1;
    TPCM.LRESET = 1;
    TPCM.AUXFRC = 1;
    TPCM.CRDSYS = 1;
    TPCM.XVFRC = -load;
    TPCM.YVFRC = 0.0f;
}

} // namespace lintar::testing
