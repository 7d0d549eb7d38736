// datafile/prerun_checks.cpp: the consistency checks before an execution, and the message
// counter.
//
// Counts and line numbers come from the data file, so they are input: before any of them
// reaches into an array it is checked against the array's size. A count beyond its array is
// held to the array for the loops and reported as a fatal warning; a line number outside 1 to
// NLIN is reported by the line-number check and takes no part in any geometry.
#include "datafile/prerun_checks.h"
#include "blocks/lincom.h"

#include "blocks/tpcm.h"
#include "datafile/finite_reals.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/flags.h"
#include "util/prompts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>

namespace lintar {

namespace {

constexpr int KBD = 5;             // keyboard unit for the pauses
constexpr std::int32_t WRNLIM = 7; // messages per screen

// Sizes of the arrays that the counts and line numbers of the data reach into.
constexpr int slot_capacity = 151;   // line slots per type in LINTYP
constexpr int subline_capacity = 25; // sublines per type
constexpr int point_capacity = 149;  // vessel points of RACC and BRACC
constexpr int period_capacity = 100; // wave periods T

enum class Severity { warning, fatal };

// Writes one message on EDUNIT (an empty line, then its lines) and counts it through WRNINC in
// WARNEM or FWARN. Reads TPCM.EDUNIT; the pause of WRNINC reads the keyboard.
void report(Severity kind, std::initializer_list<std::string> lines, std::int32_t& WARNEM,
            std::int32_t& FWARN) {
    const int EDUNIT = TPCM.EDUNIT;
    write_record(EDUNIT, "");
    for (const std::string& line : lines)
        write_record(EDUNIT, line);
    std::int32_t& NWRN = kind == Severity::fatal ? FWARN : WARNEM;
    WRNINC(NWRN, WARNEM, FWARN, EDUNIT, KBD, WRNLIM);
}

// Iw for a number in a message; a number too wide for its field (a count of a damaged file)
// is written whole rather than as asterisks, so the message still says what was found.
std::string int_field(long long n, int w) {
    const std::string text = I(n, w);
    if (text.find('*') == std::string::npos)
        return text;
    return I(n, static_cast<int>(std::to_string(n).size()));
}

// F8.1, the real field of the messages.
std::string real_field(float x) {
    return F(x, 8, 1);
}

// The counts of the data held to the arrays they index (and to 0 from below); the data keep
// their own values, which the checks compare and print.
struct HeldCounts {
    int types = 0; // NTYP
    int lines = 0; // NLIN

    static int held(std::int32_t count, int capacity) { return std::clamp(count, 0, capacity); }
    int lines_of_type(int t) const { return held(TPCM.NLINE(t), slot_capacity); }
    int sublines_of_type(int t) const { return held(TPCM.NELEM(t), subline_capacity); }
    // A line number that names a line of the data: 1 to NLIN (within the per-line tables).
    bool is_line(std::int32_t n) const { return n >= 1 && n <= lines; }
    // A line type of the data: 1 to NTYP (within the per-type tables).
    bool is_type(std::int32_t t) const { return t >= 1 && t <= types; }
};

// Counts beyond the arrays they index: one fatal warning per kind of count, naming the first
// line type for the per-type counts. Reads NTYP, NLIN, NLINE, NELEM.
void report_counts_beyond_capacity(const HeldCounts& held, std::int32_t& WARNEM,
                                   std::int32_t& FWARN) {
    if (TPCM.NTYP > lincom_types)
        report(Severity::fatal,
               {" ++> Fatal Warning: Number of line types (" + int_field(TPCM.NTYP, 2) +
                ") exceeds the capacity of " + int_field(lincom_types, 3) + "."},
               WARNEM, FWARN);
    if (TPCM.NLIN > lincom_lines)
        report(Severity::fatal,
               {" ++> Fatal Warning: Number of lines (" + int_field(TPCM.NLIN, 2) +
                ") exceeds the capacity of " + int_field(lincom_lines, 3) + "."},
               WARNEM, FWARN);
    for (int t = 1; t <= held.types; ++t) {
        if (TPCM.NLINE(t) > slot_capacity) {
            report(Severity::fatal,
                   {" ++> Fatal Warning: Number of lines in line type " + int_field(t, 2) + " (" +
                        int_field(TPCM.NLINE(t), 2) + ") exceeds the capacity of " +
                        int_field(slot_capacity, 3) + ",",
                    "     and possibly others."},
                   WARNEM, FWARN);
            break;
        }
    }
    for (int t = 1; t <= held.types; ++t) {
        if (TPCM.NELEM(t) > subline_capacity) {
            report(Severity::fatal,
                   {" ++> Fatal Warning: Number of sublines in line type " + int_field(t, 2) +
                        " (" + int_field(TPCM.NELEM(t), 2) + ") exceeds the capacity of " +
                        int_field(subline_capacity, 2) + ",",
                    "     and possibly others."},
                   WARNEM, FWARN);
            break;
        }
    }
}

// Program-type settings and the derived words set before any check: BTOUCH, NLWVFG,
// TENDON_FLG (with the tendon advice), PRNRAO, the barge fairlead of code 10, SHORTY, LONGIE.
void program_type_settings(std::int32_t& WARNEM, std::int32_t& FWARN) {
    TPCM.BTOUCH = 0;
    if (TPCM.SIMTYP == 14) {
        TPCM.NLWVFG = 0;
        TPCM.TENDON_FLG = 1;
        if (TPCM.LODTYP == 2)
            report(Severity::warning,
                   {" ++> Gordax generally performs best if you specify",
                    "     \"Mean line profile determined by distance to anchor\" or",
                    "     \"Mean line profile determined by horizontal tension\" or",
                    "     \"Mean line profile determined by fairlead line angle\"",
                    "     after *first* setting tendon length to achieve the desired",
                    "     top tension. (Typically, distance to anchor = 0,",
                    "     horizontal tension = 0 or fairlead line angle = 90.)"},
                   WARNEM, FWARN);
    } else if (TPCM.SIMTYP != 8) {
        TPCM.TENDON_FLG = 0; // this program keeps the user's tendon setting
    }

    TPCM.PRNRAO = (TPCM.LODINR == 0 && TPCM.LODWAV == 0 && TPCM.LANCLN == 0) ? 0 : 1;

    if (TPCM.SIMTYP == 10) { // the tug's line 1 leaves from the barge's first point
        TPCM.RFLD(1, 1) = TPCM.BRACC(1, 1);
        TPCM.RFLD(2, 1) = 0.0f;
        TPCM.RFLD(3, 1) = TPCM.BRACC(3, 1);
    }

    TPCM.SHORTY = 1.0e30f;
    TPCM.LONGIE = 0.0f;
}

// The pass over the line types: hawser anchor, BTOUCH, fairlead heights within a type, total
// lengths (SHORTY, LONGIE), non-positive sublines and the reach of each type to its anchor.
// Writes ANCTYP and ANCHGT of the hawser type, BTOUCH, SHORTY, LONGIE; reports after the pass.
void line_type_pass(const HeldCounts& held, std::int32_t& WARNEM, std::int32_t& FWARN) {
    const std::int32_t SIMTYP = TPCM.SIMTYP;
    bool heights_differ = false;
    int nonpositive_type = 0;
    int short_type = 0;

    for (int t = 1; t <= held.types; ++t) {
        // The anchor end of the hawser (or towline) is the storage vessel's first point.
        const bool hawser_rule =
            ((SIMTYP == 13 || SIMTYP == 8) && t == TPCM.HAWSTP && TPCM.IARCO == 1) || SIMTYP == 10;
        if (hawser_rule && held.is_type(TPCM.HAWSTP)) {
            TPCM.ANCTYP(TPCM.HAWSTP) = 0;
            TPCM.ANCHGT(TPCM.HAWSTP) = TPCM.DRAFT - TPCM.RACC(3, 1);
        }
        if (TPCM.ANCTYP(t) != 0)
            TPCM.BTOUCH = 1;

        // Lines of one type are expected to leave the vessel at one height.
        const int lines_of_type = held.lines_of_type(t);
        for (int i = 1; i < lines_of_type; ++i) {
            const std::int32_t a = TPCM.LINTYP(i, t);
            const std::int32_t b = TPCM.LINTYP(i + 1, t);
            if (held.is_line(a) && held.is_line(b) && TPCM.RFLD(3, a) != TPCM.RFLD(3, b))
                heights_differ = true;
        }

        float L = 0.0f;
        for (int e = 1; e <= held.sublines_of_type(t); ++e) {
            L += TPCM.SLEN(e, t);
            if (!(TPCM.SLEN(e, t) > 0.0f))
                nonpositive_type = t;
        }
        TPCM.SHORTY = std::min(TPCM.SHORTY, L);
        TPCM.LONGIE = std::max(TPCM.LONGIE, L);

        // Shortfall of the unstretched length against the fairlead's height above the anchor;
        // a type whose first line is not a line of the data has no fairlead to measure from.
        const std::int32_t first = TPCM.LINTYP(1, t);
        if (held.is_line(first)) {
            const float z = TPCM.RFLD(3, first);
            const float d = L - (TPCM.ANCHGT(t) + z - TPCM.DRAFT);
            if (d < 0.0f) {
                // Tendons stretch: a platform's lines may fall 2 percent short.
                if (SIMTYP != 14 || std::fabs(d / L) > 0.02f)
                    short_type = t;
            }
        }
    }

    if (heights_differ)
        report(Severity::warning,
               {" ++> Warning: Vertical positions of fairleads inconsistent",
                "     with the specified number of distinct line types."},
               WARNEM, FWARN);
    if (nonpositive_type != 0)
        report(Severity::fatal,
               {" ++> Fatal Warning: The line length for line type " +
                    int_field(nonpositive_type, 2) + ", ",
                "     and possibly others, is non-positive."},
               WARNEM, FWARN);
    if (TPCM.BTOUCH == 1 && short_type != 0 && SIMTYP != 17 && TPCM.TENDON_FLG == 0)
        report(Severity::warning,
               {" ++> Warning: The line length for line type " + int_field(short_type, 2) +
                    ", and possibly others,",
                "     is insufficient to reach the anchor."},
               WARNEM, FWARN);
}

// True when the elongation law a1 T + a2 T^2 + a3 T^3 cannot describe a line: a negative
// coefficient that makes the curve fall, or a slope a1 + 2 a2 T + 3 a3 T^2 that can vanish.
bool unrealizable_law(float a1, float a2, float a3) {
    if (a1 < 0.0f || a3 < 0.0f)
        return true;
    if (a3 == 0.0f)
        return a2 < 0.0f;
    return a2 * a2 > 3.0f * a1 * a3;
}

// Elastic laws of every subline that does not take its law from the strain database, the
// weakest breaking strength against the table load, and the first non-positive dry weight.
// Reads NTYP, NELEM, ALPHA, STRESS_STRAIN_FILE, TBRK, TLOAD, DRYWT.
void subline_checks(const HeldCounts& held, std::int32_t& WARNEM, std::int32_t& FWARN) {
    float B = 1.0e22f;
    bool any_unrealizable = false;
    for (int t = 1; t <= held.types; ++t) {
        for (int e = 1; e <= held.sublines_of_type(t); ++e) {
            B = std::min(B, TPCM.TBRK(e, t));
            if (BITVAL(TPCM.STRESS_STRAIN_FILE(t), e) != 0)
                continue;
            if (unrealizable_law(TPCM.ALPHA(1, e, t), TPCM.ALPHA(2, e, t), TPCM.ALPHA(3, e, t))) {
                any_unrealizable = true;
                report(Severity::warning,
                       {" ++> Warning: Physically unrealizable elastic characteristics or",
                        "     multi-valued stress-elongation curve detected for ",
                        "     (type,element) = (" + int_field(t, 2) + "," + int_field(e, 2) + ")."},
                       WARNEM, FWARN);
            }
        }
    }
    if (any_unrealizable)
        report(Severity::warning,
               {"     The simulation may run to completion but the interpolation tables will",
                "     possibly be meaningless. You should re-check your Alpha coefficients."},
               WARNEM, FWARN);

    if (B < 0.5f * TPCM.TLOAD)
        report(Severity::warning,
               {" ++> Warning: Maximum horizontal load is greater than",
                "     TWICE the breaking strength of the weakest line."},
               WARNEM, FWARN);

    for (int t = 1; t <= held.types; ++t) {
        for (int e = 1; e <= held.sublines_of_type(t); ++e) {
            if (!(TPCM.DRYWT(e, t) > 0.0f)) {
                report(Severity::warning,
                       {" ++> Warning: Nonpositive dry weight detected for",
                        "     (type,element) = (" + int_field(t, 2) + "," + int_field(e, 2) +
                            "), and possibly others.",
                        "     Default estimates will be applied."},
                       WARNEM, FWARN);
                return;
            }
        }
    }
}

// Wave height over water depth of the sea state: the regular wave (height, or slope turned
// into a height with the deep-water wave length of the middle period) or the significant
// heights of the random seas and swell. Reads the sea-state words of TPCM. A depth of 0 gives
// an infinite ratio for any wave (IEEE division), and none for a calm sea.
float wave_height_ratio() {
    const float DEPTH = TPCM.DEPTH;
    if (TPCM.SIMTYP != 8 && TPCM.LRANDM == 0 && TPCM.LSWELL == 0) {
        if (TPCM.LSLPHT == 0)
            return TPCM.SLPHT / DEPTH;
        // The middle period of the grid; a grid of fewer than two periods (or a damaged count)
        // is held to the periods there are.
        const int middle = std::clamp(TPCM.NWP / 2, 1, period_capacity);
        const float P = TPCM.T(middle);
        const float g = TPCM.NUNTS == 1 ? 9.8f : 32.152f;
        return P * P * g * TPCM.SLPHT / (2261.95f * DEPTH);
    }
    float H = 0.0f;
    if (TPCM.LRANDM == 0)
        H = TPCM.SWELHT;
    else if (TPCM.LSWELL == 0)
        H = TPCM.SWHT(1);
    else
        H = std::sqrt(TPCM.SWELHT * TPCM.SWELHT + TPCM.SWHT(1) * TPCM.SWHT(1));
    return 1.86f * H / DEPTH;
}

// Option checks of the line loads: spectral estimates at element ends, the wave-height ratio
// that calls for the large-amplitude line loads, and that algorithm's interpolation layers.
void line_load_options(std::int32_t& WARNEM, std::int32_t& FWARN) {
    if (TPCM.RMSFLG == 1 && TPCM.GETNODE == 1)
        report(Severity::warning,
               {" ++> Warning: The option \"Spectral estimates for line load WF standard "
                "deviations\"",
                "              is untested at nodes other than fairlead and anchor with",
                "              \"Line loads and motions at element end points\" requested;",
                "              consider disabling one or the other if possible."},
               WARNEM, FWARN);

    // The ratio matters to the other programs of the family only; this one has no wave
    // loads on its lines.
    if (TPCM.SIMTYP != 8) {
        const float r = wave_height_ratio();
        if (TPCM.TENDON_FLG == 0 && r > 0.05f && TPCM.NLWVFG == 0 && TPCM.BTOUCH == 1)
            report(Severity::warning,
                   {" ++> Warning: [Wave Height]/[Water Depth] ratio suggests use of",
                    "     \"large-amplitude\" wave-frequency line load algorithm."},
                   WARNEM, FWARN);
        if (TPCM.NLWVFG != 0 && (TPCM.NLAYER <= 1 || TPCM.ZSPAN <= 0.0f))
            report(Severity::warning,
                   {" ++> Warning: Large-amplitude wave-frequency line load algorithm selected "
                    "and",
                    "     no interpolation layers or zero vertical interpolation span."},
                   WARNEM, FWARN);
    }
}

// The bookkeeping of lines and types: total line number, sublines of the static-mooring
// program, and the line-number check (a number outside 1 to NLIN or used twice).
void line_number_checks(const HeldCounts& held, std::int32_t& WARNEM, std::int32_t& FWARN) {
    long long N = 0; // a damaged file's counts must not overflow the sum
    for (int t = 1; t <= held.types; ++t)
        N += TPCM.NLINE(t);
    if (N != TPCM.NLIN || TPCM.NTYP > TPCM.NLIN) {
        const bool fatal = N != TPCM.NLIN;
        report(fatal ? Severity::fatal : Severity::warning,
               {fatal ? " ++> Fatal Warning: Incorrect total line number."
                      : " ++> Warning: Incorrect total line number.",
                "     total line number = " + int_field(TPCM.NLIN, 2),
                "     total line types  = " + int_field(TPCM.NTYP, 2)},
               WARNEM, FWARN);
    }

    if (TPCM.SIMTYP == 7) {
        int crowded_type = 0;
        for (int t = 1; t <= held.types; ++t)
            if (TPCM.NELEM(t) > 3)
                crowded_type = t;
        if (crowded_type != 0)
            report(Severity::fatal,
                   {" ++> Fatal Warning: More than three sublines in type " +
                        int_field(crowded_type, 2) + ", and possibly others.",
                    "     Consolidate sublines or use clump weight/spring buoy options."},
                   WARNEM, FWARN);
    }

    // Each slot must name a line of the data, and no line may sit in two slots. The first
    // slot (types outermost) that fails is reported with its type. Every slot is checked on
    // its own, so a single slot with a bad number is found too.
    std::array<int, lincom_lines + 1> uses{};
    for (int t = 1; t <= held.types; ++t)
        for (int i = 1; i <= held.lines_of_type(t); ++i)
            if (held.is_line(TPCM.LINTYP(i, t)))
                ++uses[static_cast<std::size_t>(TPCM.LINTYP(i, t))];
    for (int t = 1; t <= held.types; ++t) {
        for (int i = 1; i <= held.lines_of_type(t); ++i) {
            const std::int32_t n = TPCM.LINTYP(i, t);
            if (!held.is_line(n) || uses[static_cast<std::size_t>(n)] > 1) {
                report(Severity::fatal,
                       {" ++> Fatal Warning: Line identification number error",
                        "     or line number duplication in line type " + int_field(t, 2)},
                       WARNEM, FWARN);
                return;
            }
        }
    }
}

// What the fairlead pass finds over lines 1 to NLIN.
struct FairleadSummary {
    bool all_at_origin = true;   // every fairlead exactly (0, 0, 0)
    bool all_angles_zero = true; // every departure angle exactly 0
    float R2 = 0.0f;             // largest squared plan distance from fairlead 1
    float S = 0.0f;              // sum of the fairleads' x less the turret centroid's
};

// The fairlead pass, and the buoy's words of the CALM and tow programs: the buoy's copy of the
// fairleads (BRACC), its fairlead centroid (BXSALM) and hawser fairlead height (BLNHT), and
// for the tow the second vessel point (RACC(k, 2)).
FairleadSummary fairlead_pass(const HeldCounts& held) {
    const std::int32_t SIMTYP = TPCM.SIMTYP;
    const bool buoy_program = SIMTYP == 13 || SIMTYP == 10;
    FairleadSummary found;
    const float x1 = TPCM.RFLD(1, 1);
    const float y1 = TPCM.RFLD(2, 1);
    float leg_sum = 0.0f; // x of the buoy's legs, the hawser left out
    int legs = 0;
    for (int i = 1; i <= held.lines; ++i) {
        const float x = TPCM.RFLD(1, i);
        const float y = TPCM.RFLD(2, i);
        const float z = TPCM.RFLD(3, i);
        if (buoy_program) {
            // The buoy keeps 149 points; a 150th line is refused by the line maximum check.
            if (i <= point_capacity)
                for (int k = 1; k <= 3; ++k)
                    TPCM.BRACC(k, i) = TPCM.RFLD(k, i);
            if (TPCM.IARCO == 1 && i != TPCM.HAWSLN) {
                leg_sum += x;
                ++legs;
            }
        }
        if (x != 0.0f || y != 0.0f || z != 0.0f)
            found.all_at_origin = false;
        if (TPCM.ANGDEP(i) != 0.0f)
            found.all_angles_zero = false;
        found.R2 = std::max(found.R2, (x - x1) * (x - x1) + (y - y1) * (y - y1));
        found.S += x - TPCM.XSALM;
    }

    if (SIMTYP == 13) {
        // The mean over the buoy's legs: with no leg but the hawser there is nothing to
        // average, and the centroid stays at the buoy's origin.
        TPCM.BXSALM = legs > 0 ? leg_sum / static_cast<float>(legs) : 0.0f;
        if (held.is_line(TPCM.HAWSLN))
            TPCM.BLNHT = TPCM.RFLD(3, TPCM.HAWSLN);
    } else if (SIMTYP == 10) {
        TPCM.BXSALM = TPCM.BRACC(1, 1);
        TPCM.BLNHT = TPCM.BRACC(3, 1);
        for (int k = 1; k <= 3; ++k)
            TPCM.RACC(k, 2) = TPCM.RACC(k, 1);
    }
    return found;
}

// Checks of the arrangement against the fairleads: spread or turret geometry, locked turret,
// external mooring forces, auxiliary-force spectra, the hawser of the CALM and tow programs,
// the turret centroid, missing fairleads and departure angles, the moment reporting centre.
// Writes XSALM, ENDHT and ANCTYP(HAWSTP) for codes 13 and 10.
void arrangement_checks(const HeldCounts& held, const FairleadSummary& found, std::int32_t& WARNEM,
                        std::int32_t& FWARN) {
    const std::int32_t SIMTYP = TPCM.SIMTYP;
    const bool LSPM = is_true(TPCM.LSPM);
    const bool buoy_program = SIMTYP == 13 || SIMTYP == 10;

    const float limit = (0.2f * TPCM.LWL) * (0.2f * TPCM.LWL);
    if ((!LSPM && found.R2 < limit) || (LSPM && found.R2 > limit)) {
        if (SIMTYP == 15)
            report(Severity::warning,
                   {" ++> Warning: Fairlead positions appear to be",
                    "     inconsistent with a turret mooring system."},
                   WARNEM, FWARN);
        else
            report(Severity::warning,
                   {" ++> Warning: Fairlead positions appear to be inconsistent with a spread "
                    "mooring system.",
                    "     If your mooring centroid is displaced longitudinally from your vessel "
                    "centroid,",
                    SIMTYP == 8 ? "     consider using the \"locked turret\" option."
                                : "     consider using Varnel with the \"locked turret\" option."},
                   WARNEM, FWARN);
    }

    if (LSPM && TPCM.LOCK_TRT == 1 && TPCM.MS3DOF == 0)
        report(Severity::warning,
               {" ++> Warning: With a locked turret, you probably want to use",
                "     the \"Brenvic-style 3-DOF equilibrium search\" option."},
               WARNEM, FWARN);

    if (LSPM) {
        const auto off_centroid = [](std::int32_t active, std::int32_t external, float x, float y) {
            return active == 1 && external == 1 && (x != TPCM.XSALM || y != 0.0f);
        };
        if (off_centroid(TPCM.AUXFRC, TPCM.LVMR1, TPCM.XVLOC, TPCM.YVLOC) ||
            off_centroid(TPCM.AXFC2, TPCM.LVMR2, TPCM.XVLOC2, TPCM.YVLOC2) ||
            off_centroid(TPCM.AXFC3, TPCM.LVMR3, TPCM.XVLOC3, TPCM.YVLOC3))
            report(Severity::warning,
                   {" ++> Warning: An external mooring force application point appears",
                    "     inconsistent with fairlead centroid."},
                   WARNEM, FWARN);
    }

    if (TPCM.AUXFRC == 1) {
        const bool undirected =
            (TPCM.SPECF1 != 0.0f && TPCM.XVFRC == 0.0f && TPCM.YVFRC == 0.0f) ||
            (TPCM.AXFC2 == 1 && TPCM.SPECF2 != 0.0f && TPCM.XVFRC2 == 0.0f &&
             TPCM.YVFRC2 == 0.0f) ||
            (TPCM.AXFC3 == 1 && TPCM.SPECF3 != 0.0f && TPCM.XVFRC3 == 0.0f && TPCM.YVFRC3 == 0.0f);
        if (undirected)
            report(Severity::fatal,
                   {" ++> Fatal Warning: A nonzero auxiliary force spectrum has no assigned "
                    "direction."},
                   WARNEM, FWARN);
    }

    if (buoy_program) {
        TPCM.XSALM = TPCM.RACC(1, 1);
        TPCM.ENDHT = TPCM.RACC(3, 1);
        if (TPCM.IARCO == 1) {
            // A hawser type that is not a line type of the data cannot be checked: it fails.
            bool single_hawser = false;
            if (held.is_type(TPCM.HAWSTP)) {
                TPCM.ANCTYP(TPCM.HAWSTP) = 0;
                single_hawser =
                    TPCM.NLINE(TPCM.HAWSTP) == 1 && TPCM.LINTYP(1, TPCM.HAWSTP) == TPCM.HAWSLN;
            }
            if (!single_hawser)
                report(Severity::fatal,
                       {" ++> Fatal Warning: Hawser line type has more than a single line",
                        "     OR hawser-associated line number is not equal to " +
                            int_field(TPCM.HAWSLN, 2)},
                       WARNEM, FWARN);
        }
        if (TPCM.RACC(1, 1) == 0.0f && TPCM.RACC(2, 1) == 0.0f && TPCM.RACC(3, 1) == 0.0f)
            report(Severity::warning,
                   {SIMTYP == 13 ? " ++> Warning: Missing tanker fairlead data?"
                                 : " ++> Warning: Missing barge fairlead data?"},
                   WARNEM, FWARN);
    }

    if (LSPM && !buoy_program && SIMTYP != 8 && std::fabs(found.S) > 0.02f * TPCM.BWL)
        report(Severity::warning,
               {" ++> Warning: Fairlead locations appear inconsistent",
                "     with specified turret centroid x-coordinate."},
               WARNEM, FWARN);

    if (found.all_at_origin) {
        if (LSPM)
            report(Severity::warning, {" ++> Warning: Missing fairlead data?"}, WARNEM, FWARN);
        else
            report(Severity::fatal, {" ++> Fatal Warning: Missing fairlead data."}, WARNEM, FWARN);
    }

    if (found.all_angles_zero) {
        if ((TPCM.NLIN > 1 && LSPM) || SIMTYP == 8)
            report(Severity::warning, {" ++> Warning: Missing line departure angle data?"}, WARNEM,
                   FWARN);
        else if (!LSPM && TPCM.TENDON_FLG == 0)
            report(Severity::fatal, {" ++> Fatal Warning: Missing line departure angle data."},
                   WARNEM, FWARN);
    }

    if (LSPM && SIMTYP != 8 && TPCM.XSALM == 0.0f)
        report(Severity::warning,
               {buoy_program ? " ++> Warning: Missing barge or tanker bow fairlead?"
                             : " ++> Warning: Missing turret centroid data?"},
               WARNEM, FWARN);

    if (TPCM.XSALM != TPCM.RMCTR(1) && !buoy_program && TPCM.IARCO != 1)
        report(
            Severity::warning,
            {" ++> Warning: Differing x values for {turret centroid, moment reporting "
             "center}:",
             "",
             "              {" + real_field(TPCM.XSALM) + ", " + real_field(TPCM.RMCTR(1)) + "}.",
             "", "     Is that what you really want?"},
            WARNEM, FWARN);
}

// Limits of the simulation programs (codes 10 and above, and the tendon and spar programs)
// and the damping, period and legacy options of the low-frequency analysis.
void simulation_checks(std::int32_t& WARNEM, std::int32_t& FWARN) {
    const std::int32_t SIMTYP = TPCM.SIMTYP;
    const bool LSPM = is_true(TPCM.LSPM);

    if (SIMTYP >= 10) {
        if (TPCM.NLIN <= 1 && !LSPM)
            report(Severity::fatal, {" ++> Fatal Warning: Single line systems MUST use Varnel."},
                   WARNEM, FWARN);

        bool beyond = TPCM.NDYNEV > TPCM.NLIN;
        const int listed = HeldCounts::held(TPCM.NDYNEV, lincom_lines);
        for (int k = 1; k <= listed; ++k)
            if (TPCM.IDYNEV(k) > TPCM.NLIN)
                beyond = true;
        if (beyond)
            report(Severity::fatal,
                   {" ++> Fatal Warning: A line number for dynamic evaluation",
                    "    exceeds the total line number."},
                   WARNEM, FWARN);

        if (TPCM.NLIN >= 150 || TPCM.NTYP >= 150)
            report(Severity::fatal,
                   {" ++> Fatal Warning: This simulation supports a maximum of " +
                    int_field(150, 3) + " lines."},
                   WARNEM, FWARN);
    }

    if (SIMTYP == 17 || TPCM.TENDON_FLG == 1) {
        const std::int32_t NLAYER = TPCM.NLAYER;
        const float ZSPAN = TPCM.ZSPAN;
        if (NLAYER <= 1 || ZSPAN <= 0.0f)
            report(Severity::fatal,
                   {" ++> Fatal Warning: This simulation requires a minimum of three "
                    "interpolation",
                    "     layers and a positive-definite vertical interpolation span"},
                   WARNEM, FWARN);
        if ((NLAYER <= 1 && ZSPAN > 0.0f) || (NLAYER > 1 && ZSPAN <= 0.0f))
            report(Severity::warning,
                   {" ++> Warning: Logical inconsistency between the number of interpolation "
                    "layers",
                    "     and the specified vertical interpolation span."},
                   WARNEM, FWARN);
    }

    const auto negative = [](std::int32_t on, float value) { return on != 0 && value < 0.0f; };
    const auto nonpositive = [](std::int32_t on, float value) {
        return on != 0 && !(value > 0.0f);
    };

    if (negative(TPCM.LSGLFD, TPCM.SGLFDP) || negative(TPCM.LSWLFD, TPCM.SWLFDP) ||
        negative(TPCM.LYWLFD, TPCM.YWLFDP))
        report(Severity::fatal,
               {" ++> Fatal Warning: Nonpositive user-specified low-frequency damping "
                "coefficient."},
               WARNEM, FWARN);

    if (TPCM.MORFBK != 0) {
        if (negative(TPCM.LSGDMP, TPCM.SGMDMP) || negative(TPCM.LSWDMP, TPCM.SWMDMP) ||
            negative(TPCM.LYWDMP, TPCM.YWMDMP))
            report(Severity::fatal,
                   {" ++> Fatal Warning: Nonpositive user-specified moor-modified damping "
                    "coefficient."},
                   WARNEM, FWARN);
        if (negative(TPCM.LSGPRD, TPCM.SGK) || negative(TPCM.LSWPRD, TPCM.SWK) ||
            negative(TPCM.LYWPRD, TPCM.YWK))
            report(Severity::fatal,
                   {" ++> Fatal Warning: Nonpositive user-specified moor-modified natural "
                    "period."},
                   WARNEM, FWARN);
    }

    if (TPCM.LQUAS != 0 &&
        (nonpositive(TPCM.LSGLFD, TPCM.SGLFDP) || nonpositive(TPCM.LSWLFD, TPCM.SWLFDP) ||
         nonpositive(TPCM.LYWLFD, TPCM.YWLFDP)))
        report(Severity::fatal,
               {" ++> Fatal Warning: A user-specified low-frequency damping is nonpositive."},
               WARNEM, FWARN);

    if (TPCM.LEGACY_ID == 1 && TPCM.WriteAuxDatFiles == 1)
        report(Severity::fatal,
               {" ++> Fatal Warning: Legacy modal treatment untested with time-domain "
                "analysis."},
               WARNEM, FWARN);
}

} // namespace

// LINWRN: the checks of the mooring description and the analysis options before an
// execution. Every check runs, in a fixed order, whatever earlier ones found; each finding is
// written on EDUNIT and counted in WARNEM or FWARN through WRNINC (which pauses after every
// seventh message). Reads TPCM; writes the settings it derives into TPCM (BTOUCH, TENDON_FLG,
// NLWVFG, PRNRAO, SHORTY, LONGIE, the hawser's anchor, and the buoy's words of codes 13 and
// 10). Ends the run only through the pause (end of input).
void LINWRN(std::int32_t& WARNEM, std::int32_t& FWARN) {
    program_type_settings(WARNEM, FWARN);

    HeldCounts held;
    held.types = HeldCounts::held(TPCM.NTYP, lincom_types);
    held.lines = HeldCounts::held(TPCM.NLIN, lincom_lines);
    report_counts_beyond_capacity(held, WARNEM, FWARN);

    if (TPCM.NUMTAB < 90)
        report(Severity::warning,
               {" ++> Warning: Specified table size (" + int_field(TPCM.NUMTAB, 2) +
                    ") is less than optimum.",
                "     Consider increasing table size to the maximum value of " + int_field(90, 2) +
                    "."},
               WARNEM, FWARN);

    line_type_pass(held, WARNEM, FWARN);
    subline_checks(held, WARNEM, FWARN);
    line_load_options(WARNEM, FWARN);
    line_number_checks(held, WARNEM, FWARN);
    const FairleadSummary found = fairlead_pass(held);
    arrangement_checks(held, found, WARNEM, FWARN);
    simulation_checks(WARNEM, FWARN);
}

void report_non_finite_reals(std::int32_t& WARNEM, std::int32_t& FWARN) {
    for (const std::string& word : non_finite_reals())
        report(Severity::fatal,
               {" ++> Fatal Warning: The data word " + word + " holds no finite number."}, WARNEM,
               FWARN);
}

// WRNINC: raises NWRN (the caller's WARNEM or FWARN itself) by one; when the total of both
// counts reaches a multiple of WRNLIM, the Return pause on EDUNIT and KBD and a cleared screen.
void WRNINC(std::int32_t& NWRN, const std::int32_t& WARNEM, const std::int32_t& FWARN, int EDUNIT,
            int KBD, std::int32_t WRNLIM) {
    NWRN = NWRN + 1;
    if (WRNLIM > 0 && (WARNEM + FWARN) % WRNLIM == 0) {
        std::int32_t dropped = 0;
        PRSRET(EDUNIT, KBD, dropped);
        CLEAR(EDUNIT);
    }
}

} // namespace lintar
