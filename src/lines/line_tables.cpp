// lines/line_tables.cpp: the line-table stage: preparation, load grid, table columns, mean
// states, tendon stiffnesses, report files and the splines across the layer rows.
#include "lines/line_tables.h"

#include "blocks/lincom.h"
#include "blocks/outcom.h"
#include "blocks/pascom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "lines/catenary_elements.h"
#include "lines/line_arrays.h"
#include "lines/line_shape.h"
#include "lines/mooring_force.h"
#include "lines/static_line_report.h"
#include "lines/strain_database.h"
#include "lines/stress_strain.h"
#include "lines/table_messages.h"
#include "lines/table_preparation.h"
#include "lines/tension_warnings.h"
#include "lines/vertical_line.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/file_services.h"
#include "util/flags.h"
#include "util/program_types.h"
#include "util/prompts.h"
#include "util/table_search.h"
#include "util/title_screens.h"
#include "util/wave_numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <numbers>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lintar {

namespace {

constexpr float vertical_slope = 1.0e15f; // the node slope of a vertical line
constexpr char ITYP1 = 'A';               // line type 1 is shown as "A"

// Gravity of the unit systems (ft/s^2, m/s^2).
constexpr float english_gravity = 32.152f;
constexpr float metric_gravity = 9.8f;

// Working data of MRSTAT: the starting compliance of the strain-curve sublines, restored at
// the start of every column, and the run's flag word of the tension-range warnings.
struct TableStore {
    std::array<float, 3 * lincom_elements * lincom_types> ALPHA0{};
    std::int32_t MRWRNS = 0;
};
TableStore table_store;
const StateReset reset_table_store{[] { table_store = {}; }};

float& ALPHA0(int k, int e, int t) {
    return table_store.ALPHA0[col_major(k, 3, e, lincom_elements, t, lincom_types)];
}

// The fatal messages of the stage: an empty line, the message lines, an empty line, the
// Return pause and the stop.
[[noreturn]] void refuse(std::initializer_list<std::string_view> lines) {
    const int EDUNIT = TPCM.EDUNIT;
    write_record(EDUNIT, "");
    for (const auto line : lines)
        write_record(EDUNIT, line);
    write_record(EDUNIT, "");
    fatal_stop(EDUNIT, keyboard_unit);
}

// ---- Debug dumps (NBUG = 1): a label line, then reals six to a line (E12.4) ----------------
void dump(std::string_view label, std::initializer_list<double> values) {
    if (TPCM.NBUG != 1)
        return;
    const int EDUNIT = TPCM.EDUNIT;
    write_record(EDUNIT, " " + A(label, 60));
    std::string line;
    int count = 0;
    for (const double v : values) {
        line += E(v, 12, 4);
        if (++count % 6 == 0) {
            write_record(EDUNIT, line);
            line.clear();
        }
    }
    if (!line.empty())
        write_record(EDUNIT, line);
}

// ---- The capacity of the tables ------------------------------------------------------------

// Refuses a description that the tables cannot hold or that would make a line without a
// type: counts beyond the arrays, lines listed under a type that do not exist, and line counts
// of the types that do not add up to NLIN. The editor's pages keep all of these; a data file
// from elsewhere is checked here before anything is built, since each would read or write
// beyond the tables.
void check_capacity() {
    const auto count_text = [](std::string_view name, std::int32_t value) {
        return "     " + std::string(name) + " = " + std::to_string(value);
    };
    const std::string head =
        " ++> The mooring description exceeds the capacity of the line tables:";
    if (TPCM.NTYP < 0 || TPCM.NTYP > lincom_types)
        refuse({head, count_text("number of line types", TPCM.NTYP)});
    if (TPCM.NLIN < 0 || TPCM.NLIN > lincom_lines)
        refuse({head, count_text("number of lines", TPCM.NLIN)});
    if (TPCM.NLAYER < 1 || TPCM.NLAYER > lincom_layers)
        refuse({head, count_text("number of interpolation layers", TPCM.NLAYER)});
    std::int32_t lines = 0;
    // The type under which each line is listed (0: none yet), so that a line listed twice is
    // refused before a table reads a line that has no type.
    std::array<std::int32_t, lincom_lines + 1> type_of_line{};
    for (int t = 1; t <= TPCM.NTYP; ++t) {
        if (TPCM.NELEM(t) < 0 || TPCM.NELEM(t) > lincom_elements)
            refuse({head, count_text("number of sublines of line type " + type_letter(t),
                                     TPCM.NELEM(t))});
        if (TPCM.NLINE(t) < 0 || TPCM.NLINE(t) > lincom_lines)
            refuse({head,
                    count_text("number of lines of line type " + type_letter(t), TPCM.NLINE(t))});
        for (int k = 1; k <= TPCM.NLINE(t); ++k)
            if (TPCM.LINTYP(k, t) < 1 || TPCM.LINTYP(k, t) > TPCM.NLIN)
                refuse({head, count_text("line number listed for line type " + type_letter(t),
                                         TPCM.LINTYP(k, t))});
        for (int k = 1; k <= TPCM.NLINE(t); ++k) {
            const std::int32_t line = TPCM.LINTYP(k, t);
            auto& listed_under = type_of_line[static_cast<std::size_t>(line)];
            if (listed_under != 0)
                refuse({" ++> Line " + std::to_string(line) +
                            " is listed twice in the lists of lines of the line types",
                        "     (under type " + type_letter(listed_under) + " and type " +
                            type_letter(t) + "): every line belongs to exactly one type."});
            listed_under = t;
        }
        lines += TPCM.NLINE(t);
    }
    if (lines != TPCM.NLIN)
        refuse({" ++> The numbers of lines of the line types do not add up to the number",
                "     of lines: " + std::to_string(lines) + " listed, " +
                    std::to_string(TPCM.NLIN) + " lines."});
}

// ---- The load grid ------------------------------------------------------------------------

// The horizontal loads of the table points: a doubling grid (HMIN, 2 HMIN, 4 HMIN, ... to
// point NCROSSOVER, then equal steps HINC) or a geometric one (HMIN at point 2 to TLOAD at
// point NUMTAB).
struct LoadGrid {
    bool doubling = false;
    float TMPRAT = 0.0f;
    float EXPC = 0.0f;
    float HINC = 0.0f;
    std::int32_t NCROSSOVER = 0;
};

// Sets the grid constants and HMIN's default, before the first type is built (so a data set
// whose type 1 has no line gets them too). Refuses a grid that cannot be built: no maximum
// load; fewer than 3 points (the geometric step divides by NUMTAB - 2) or more than the tables
// hold; a minimum load at or above the maximum (the grid would fall); a doubling grid with no
// room for its equal steps (HINC would divide by zero or be negative); a minimum load so small
// that the ratio of the two overflows.
LoadGrid load_grid() {
    if (TPCM.TLOAD <= 0.0f)
        refuse({" ++> No maximum tension value set for interpolation table"});
    if (TPCM.NUMTAB < 3)
        refuse({" ++> Fewer than 3 points set for interpolation table (NUMTAB = " +
                std::to_string(TPCM.NUMTAB) + ")"});
    if (TPCM.NUMTAB > lincom_points)
        refuse({" ++> More than 90 points set for interpolation table (NUMTAB = " +
                std::to_string(TPCM.NUMTAB) + ")"});
    bool LEGACY_INC = true;
    if (TPCM.HMIN <= 0.0f) {
        LEGACY_INC = false;
        TPCM.HMIN = TPCM.TENDON_FLG == 1 ? 0.1f : 0.05f;
    }
    if (TPCM.HMIN >= TPCM.TLOAD)
        refuse({" ++> Minimum tension value not below the maximum tension value set",
                "     for interpolation table"});

    LoadGrid g;
    const float TLOAD = TPCM.TLOAD;
    const float HMIN = TPCM.HMIN;
    g.TMPRAT = TLOAD / HMIN;
    // A minimum so small that the ratio overflows leaves the grid's logarithms infinite.
    if (!std::isfinite(g.TMPRAT))
        refuse({" ++> Minimum tension value too small for interpolation table: the ratio",
                "     of maximum to minimum tension is beyond the range of real numbers"});
    g.NCROSSOVER = static_cast<std::int32_t>(std::log(0.1f * TLOAD / HMIN) / std::log(2.0f)) + 1;
    const std::int32_t steps = TPCM.NUMTAB - g.NCROSSOVER - 1;
    g.HINC = steps > 0 ? 0.9f * TLOAD / static_cast<float>(steps) : 0.0f;
    g.EXPC = std::log(g.TMPRAT) / static_cast<float>(TPCM.NUMTAB - 2);

    // Line 1's profile value of a vertical or unloaded line asks for the doubling grid too.
    const float HTENS1 = TPCM.HTENS(1);
    const bool unloaded = (TPCM.LODTYP == 0 && HTENS1 == 90.0f) ||
                          (TPCM.LODTYP == 1 && HTENS1 == 0.0f) ||
                          (TPCM.LODTYP == 3 && HTENS1 == 0.0f);
    g.doubling = TPCM.SIMTYP == 14 || !LEGACY_INC || unloaded;
    if (g.doubling && steps <= 0)
        refuse({" ++> Too few points set for the doubling interpolation table:",
                "     NUMTAB must exceed " + std::to_string(g.NCROSSOVER + 1) +
                    " for this ratio of maximum to minimum tension."});
    return g;
}

// The load of point k from that of point k - 1.
double next_load(const LoadGrid& g, int k, double DPHLD) {
    if (g.doubling) {
        DPHLD = 2.0 * DPHLD;
        if (k > g.NCROSSOVER)
            DPHLD = DPHLD / 2.0 + static_cast<double>(g.HINC);
        return DPHLD;
    }
    return static_cast<double>(TPCM.HMIN * std::exp(static_cast<float>(k - 2) * g.EXPC));
}

// ---- Report files --------------------------------------------------------------------------

// clang-format off
constexpr StaticReportNames report_table[] = {
    {"Brenvic", "MOOROUT.stxt", "Catenary Spread-Moor Vessel Simulation",      "Brenvic "},
    {"Quelda ", "TOWOUT.stxt",  "Tugboat, Barge and Towline Simulation",       "Quelda "},
    {"Ostrevi", "CALMOUT.stxt", "Tanker, Buoy and Hawser Simulation",          "Ostrevi "},
    {"Lintar ", "CATOUT.stxt",  "Catenary-Elastic Mooring Statics Calculator", "Lintar "},
    {"Varnel ", "SPMOUT.stxt",  "Catenary Single-point Mooring Simulation",    "Varnel "},
    {"Gordax ", "TLPOUT.stxt",  "Tension Leg Platform Simulation",             "Gordax "},
    {"Middren", "SPAROUT.stxt", "Caisson Spar Mooring Simulation",             "Middren "},
};
constexpr std::int32_t report_codes[] = {12, 10, 13, 8, 15, 14, 17};
// clang-format on

// Opens the report (IUNIT 1) and plot files, writes the console banner and the title page.
void open_report(const StaticReportNames& names) {
    const int EDUNIT = TPCM.EDUNIT;
    if (TPCM.IUNIT == 1)
        RHOPEN(names.file, 1, 0, TPCM.IUNIT, names.label, EDUNIT);
    if (TPCM.IPLOTS != 0)
        RHOPEN(static_plot_file, 1, 0, static_plot_unit, names.label, EDUNIT);
    write_record(EDUNIT, "");
    write_record(EDUNIT, " >>> " + std::string(names.label) + " " + VERSION_STRING(TPCM.VERNO) +
                             "Copyright (c) " + I(TPCM.IYEAR, 4) + " Kelbrin Systems");
    write_record(EDUNIT, "");
    do {
        PAGE(TPCM.IUNIT, EDUNIT, 1, 99);
        TITLPG(TPCM.SIMTYP, names.title, names.short_name, TPCM.VERNO, TPCM.IUNIT);
        TPCM.LBACK = 0;
        if (TPCM.IUNIT == EDUNIT)
            PRSRET(EDUNIT, keyboard_unit, TPCM.LBACK);
    } while (TPCM.LBACK < 0);
}

void close_report(const StaticReportNames& names) {
    const int EDUNIT = TPCM.EDUNIT;
    if (TPCM.IPLOTS != 0)
        HCLOSE(static_plot_unit, static_plot_file, names.label, EDUNIT);
    if (TPCM.IUNIT == 1)
        HCLOSE(TPCM.IUNIT, names.file, names.label, EDUNIT);
}

// ---- One table column ----------------------------------------------------------------------

// The fairleads used for the tables: RFLD with the height of the current layer row.
using Fairleads = std::array<float, 3 * lincom_lines>;
float& RFLDP(Fairleads& f, int i, int line) {
    return f[col_major(i, 3, line, lincom_lines)];
}

bool two_body_arrangement() {
    const std::int32_t S = TPCM.SIMTYP;
    return S == 10 || ((S == 13 || S == 8) && TPCM.IARCO == 1);
}

// The progress message of a column (layer row L, type t), between empty lines.
void progress_message(int L, int t) {
    const int EDUNIT = TPCM.EDUNIT;
    const bool several = TPCM.NTYP > 1;
    std::string text;
    if (TPCM.NLAYER >= 2) {
        text = " >>> Preparing level " + I(L, 2) + " interpolation table";
        if (several)
            text +=
                " for line type " + type_letter(t, ITYP1) + " of " + I(TPCM.NTYP, 2) + " types...";
    } else {
        text = " >>> Preparing interpolation table";
        if (several)
            text +=
                " for line type " + type_letter(t, ITYP1) + " of " + I(TPCM.NTYP, 2) + " types...";
    }
    write_record(EDUNIT, "");
    write_record(EDUNIT, text);
    write_record(EDUNIT, "");
}

// The type's totals and masses: TOTLEN, TOTWGT, TOTLN, TOTWT,
// VIRT_LINMAS and LINE_MODEMAS of type t. A subline of no length has no mass and adds nothing
// to the modal mass (its own term would divide 0 by 0).
void type_totals_and_mass(int t) {
    LincomBlock& C = LINCOM;
    const int NELEM = TPCM.NELEM(t);
    const float G = WAVCOM.G;
    const float DIAMFC = TPCM.NUNTS != 1 ? 0.0833f : 0.001f;
    float TOTLEN = 0.0f;
    float TOTWGT = 0.0f;
    std::array<float, lincom_elements + 1> mass{};
    for (int e = 1; e <= NELEM; ++e) {
        const float s = TPCM.SLEN(e, t);
        const float w = TPCM.WETWT(e, t);
        const float d = TPCM.DRYWT(e, t) > 0.0f ? TPCM.DRYWT(e, t) : w;
        TOTLEN += s;
        TOTWGT += s * w;
        float m = (s * w + TPCM.COFMST(e, t) * s * (d - w)) / G;
        if (TPCM.SIMTYP == 14 && t == 1) {
            const float D = TPCM.DIAM(e, t) * DIAMFC;
            m = (0.00078539824f * D * D * TPCM.COFMST(e, t) * TPCM.DWATR + d) * s / G;
        }
        mass[static_cast<std::size_t>(e)] = m;
    }
    C.TOTLEN = TOTLEN;
    C.TOTWGT = TOTWGT;
    C.TOTLN(t) = TOTLEN;
    C.TOTWT(t) = TOTWGT;
    float sum = 0.0f;
    float modal = 0.0f;
    float theta = 0.0f;
    for (int e = 1; e <= NELEM; ++e) {
        const float s = TPCM.SLEN(e, t);
        const float m = mass[static_cast<std::size_t>(e)];
        sum += m;
        if (s == 0.0f || TOTLEN == 0.0f)
            continue;
        const float theta_next = theta + 2.0f * pi_single * s / TOTLEN;
        modal +=
            0.5f * m *
            (1.0f - TOTLEN * 0.5f / (s * pi_single) * (std::sin(theta_next) - std::sin(theta)));
        theta = theta_next;
    }
    C.VIRT_LINMAS(t) = TOTLEN != 0.0f ? sum / TOTLEN : 0.0f;
    C.LINE_MODEMAS(t) = modal;
}

// The submerged weight of the leg that hangs from the fairlead at zero load.
float fairlead_weight(int t, float f) {
    const int NELEM = TPCM.NELEM(t);
    const float TOTLEN = LINCOM.TOTLEN;
    float TOPLEN = 0.0f;
    if (TPCM.ANCTYP(t) == 0) {
        if (TPCM.SIMTYP == 10 || TPCM.SIMTYP == 13)
            TOPLEN = ((TPCM.BLNHT - TPCM.BDRAFT) + TOTLEN - (TPCM.ENDHT - TPCM.DRAFT)) * 0.5f;
        else
            TOPLEN = (TOTLEN + (f - TPCM.DRAFT) + TPCM.ANCHGT(t)) * 0.5f;
    } else {
        TOPLEN = TPCM.ANCHGT(t) + (f - TPCM.DRAFT);
    }
    float FLDWGT = 0.0f;
    float TMPLEN = 0.0f;
    for (int e = 1; e <= NELEM; ++e) {
        const float s = TPCM.SLEN(e, t);
        if (TMPLEN + s >= TOPLEN) {
            FLDWGT += (TOPLEN - TMPLEN) * TPCM.WETWT(e, t);
            dump("TOTLEN,TMPLEN,FLDWGT", {TOTLEN, TMPLEN, FLDWGT});
            break;
        }
        TMPLEN += s;
        FLDWGT += s * TPCM.WETWT(e, t);
        dump("TOTLEN,TMPLEN,FLDWGT", {TOTLEN, TMPLEN, FLDWGT});
    }
    return FLDWGT;
}

bool strain_subline(int t, int e) {
    return BITVAL(TPCM.STRESS_STRAIN_FILE(t), e) == 1;
}

// The curve of subline e of type t, as the spline routines take it.
std::span<const float> curve(const float (&words)[lincom_curve_size], int e, int t) {
    return std::span<const float>(words).subspan(
        col_major(1, lincom_curve_points, e, lincom_elements, t, lincom_types),
        lincom_curve_points);
}

[[noreturn]] void strain_range_stop(std::string_view pass, int t, int e) {
    refuse({" ++> " + std::string(pass) + " evaluation produced a nonzero IER in MRSTAT.",
            "     Try increasing the tension range in LINE_STRAIN_DB.txt by 50% or more",
            "     for (ityp,ielem) = (" + I(t, 2) + "," + I(e, 2) + "), and possibly others."});
}

// An estimate of the top slope at point k (load DPHLD) of the column of row L being built,
// for the shape search to start from. The top slope falls smoothly with the load, close to a
// power of it (about V/H while the line is slack), so the logarithm of the slope is
// extrapolated in the logarithm of the load through the points solved before, up to three:
// about 1e-4 of the slope off, where the previous point alone is 8e-2 off on the geometric
// grid of 90 points. Point 2 starts from point 2 of the row below (one height step away), and
// the first row's point 2 has no estimate. A slope that is not positive has no logarithm: the
// previous point's slope is the estimate then. Only the search's effort depends on this.
std::optional<float> slope_estimate(int k, int L, int t) {
    const LincomBlock& C = LINCOM;
    if (k == 2) {
        if (L == 1)
            return std::nullopt;
        const double below = std::tan(static_cast<double>(C.TOPANG(2, L - 1, t)));
        if (!(std::abs(below) < static_cast<double>(std::numeric_limits<float>::max())))
            return std::nullopt;
        return static_cast<float>(below);
    }
    const int n = std::min(k - 2, 3); // earlier points with a load: k - 1 down to k - n
    std::array<double, 3> x{};        // their log loads
    std::array<double, 3> y{};        // their log slopes
    for (int j = 1; j <= n; ++j) {
        const double slope = C.TANPHI(k - j, L, 1);
        if (!(slope > 0.0))
            return C.TANPHI(k - 1, L, 1);
        x[slot(j)] = std::log(static_cast<double>(C.HLOD(k - j)));
        y[slot(j)] = std::log(slope);
    }
    // Lagrange's polynomial through the n points, at the log of the current load.
    const double at = std::log(C.DPHLD);
    double log_slope = 0.0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) {
        double weight = 1.0;
        for (std::size_t j = 0; j < static_cast<std::size_t>(n); ++j)
            if (j != i)
                weight *= (at - x[j]) / (x[i] - x[j]);
        log_slope += weight * y[i];
    }
    const double slope = std::exp(log_slope);
    if (!(slope < static_cast<double>(std::numeric_limits<float>::max())))
        return C.TANPHI(k - 1, L, 1);
    return static_cast<float>(slope);
}

// The shape of type t at the load DPHLD: the strain-curve sublines get the law of
// their estimated tension, and the line is solved again until every estimate stays in its
// curve interval. TOPT1, TOPT2 carry the slope bracket from point to point; the search starts
// from slope_estimate, and a repeated pass from the slope of the pass before.
void solve_point(int t, int k, float& TOPT1, float& TOPT2) {
    LincomBlock& C = LINCOM;
    const int NELEM = TPCM.NELEM(t);
    const bool strain_law = C.NEED_STRAIN_FILE != 0 && TPCM.STRESS_STRAIN_FILE(t) != 0;
    std::array<float, lincom_elements + 1> TMPTENQ{};
    std::array<std::int32_t, lincom_elements + 1> MIN2{};
    for (std::int32_t LOC_ERR = 0;;) {
        if (strain_law) {
            for (int e = 1; e <= NELEM; ++e) {
                if (!strain_subline(t, e))
                    continue;
                auto& T = TMPTENQ[static_cast<std::size_t>(e)];
                if (LOC_ERR == 0)
                    T = static_cast<float>(k == 2 ? C.DPHLD : C.DPHLD * C.SECARR(e));
                std::int32_t IER = 0;
                BSRCH(curve(C.TENS_ARR_words, e, t), T, IER, MIN2[static_cast<std::size_t>(e)],
                      C.NSTRS_STRN(e, t));
                if (IER != 0)
                    strain_range_stop("MIN2", t, e);
                GET_ALPHAS(T, curve(C.TENS_ARR_words, e, t), curve(C.E_ARR_words, e, t),
                           curve(C.SPLINE_2DERIV_words, e, t), C.NSTRS_STRN(e, t),
                           std::span<float, 3>(&TPCM.ALPHA(1, e, t), 3));
            }
        }
        SCLWLD(C.SCLWT_words, wetwt_column(t), C.DPHLD, NELEM);
        BETALD(alpha_slice(t), C.BETA_words, C.DPHLD, NELEM);
        std::optional<float> estimate;
        if (LOC_ERR > 0) {
            TOPT1 = static_cast<float>(0.5 * C.TMPTAN(1));
            TOPT2 = 2.0f * TOPT1;
            estimate = TOPT2;
        } else {
            estimate = slope_estimate(k, C.ILAYER, t);
        }
        ITER8P(TOPT1, TOPT2, estimate);
        if (!strain_law)
            return;
        bool DO_MORE = false;
        for (int e = 1; e <= NELEM; ++e) {
            TMPTENQ[static_cast<std::size_t>(e)] = static_cast<float>(C.DPHLD * C.SECARR(e));
            if (!strain_subline(t, e))
                continue;
            std::int32_t IER = 0;
            std::int32_t MIN2Q = 1;
            BSRCH(curve(C.TENS_ARR_words, e, t), TMPTENQ[static_cast<std::size_t>(e)], IER, MIN2Q,
                  C.NSTRS_STRN(e, t));
            if (IER != 0)
                strain_range_stop("MIN2Q", t, e);
            if (MIN2Q != MIN2[static_cast<std::size_t>(e)])
                DO_MORE = true;
        }
        if (!DO_MORE)
            return;
        LOC_ERR = LOC_ERR + 1;
        if (LOC_ERR >= 10)
            refuse({" ++> Alpha coefficient setting failed; contact Kelbrin"});
    }
}

// The friction of a grounded length: BTFRC0 x the submerged weight TUCHDN finds on the seabed
// with the compliance BETA of LINCOM.
float friction(int t, float grounded) {
    LincomBlock& C = LINCOM;
    float BOTWGT = 0.0f;
    float UNSTRL = 0.0f;
    TUCHDN(grounded, wetwt_column(t), slen_column(t), C.BETA_words, TPCM.NELEM(t), C.DSLOPE, BOTWGT,
           C.BOTELM, UNSTRL);
    return TPCM.BTFRC0 * BOTWGT;
}

// The zero-load point of the column and its node slopes. The flag VRTFLG
// and FFRICT(1) are cleared first: VRTLIN leaves the flag alone when the line reaches the
// seabed and a transparent bottom has no friction, so an earlier build's values would
// otherwise survive. The grounded weight is found with the compliance at zero load (BETA 0,
// the grounded part carries no tension), not with the last solved point's.
void zero_load_point(int L, int t, float FLDWGT) {
    LincomBlock& C = LINCOM;
    const int NELEM = TPCM.NELEM(t);
    C.VRTFLG(L, t) = 0;
    C.FFRICT(1, L, t) = 0.0f;
    if (TPCM.ANCTYP(t) != 0) {
        VRTLIN(C.DELTAZ, t, C.VRTFLG(L, t), C.TOTWT(t), C.ANCDST(1, L, t), C.TOPANG(1, L, t),
               C.TOPTEN(1, L, t), C.BOTLEN(1, L, t), C.BOTANG(1, L, t));
        C.BOTOMZ = C.BOTLEN(1, L, t) > 0.0f ? 0.0f : C.TOPTEN(1, L, t) - C.TOTWGT;
        BETALD(alpha_slice(t), C.BETA_words, 0.0, NELEM);
        C.FFRICT(1, L, t) = friction(t, C.BOTLEN(1, L, t));
    } else {
        C.TOPANG(1, L, t) = half_pi_single;
        C.TOPTEN(1, L, t) = FLDWGT;
        C.ANCDST(1, L, t) = 0.0f;
        C.BOTLEN(1, L, t) = 0.0f;
        C.BOTANG(1, L, t) = -std::acos(0.000001f);
        C.BOTOMZ = C.TOTWGT - FLDWGT;
    }

    float s = 0.0f; // distance of node J from the fairlead along the line
    for (int J = 1; J <= NELEM + 1; ++J) {
        float slope = vertical_slope;
        if (C.VRTFLG(L, t) != 0) {
            slope = static_cast<float>(C.VRTFLG(L, t)) * vertical_slope;
        } else if (TPCM.ANCTYP(t) == 0) {
            if (s > C.TOTLEN / 2.0f)
                slope = -vertical_slope;
        } else if (TPCM.ANCTYP(t) == 1) {
            if (s > std::abs(TPCM.ANCHGT(t)))
                slope = 0.0f;
        }
        C.TANPHI(1, L, J) = slope;
        if (J <= NELEM)
            s += TPCM.SLEN(J, t);
    }
}

// The tendon stiffnesses of the type's lines, at the middle layer row of a
// tension-leg platform or spar: the change of top tension per unit rise of the fairlead, and
// each active line's contributions.
void tendon_stiffness(int t, const Fairleads& fairleads) {
    LincomBlock& C = LINCOM;
    const int M = C.MIDLYR;
    std::int32_t flag = 0;
    float dist = 0.0f, angle = 0.0f, top = 0.0f, grounded = 0.0f, bottom = 0.0f;
    VRTLIN(C.DELTAZ + 1.0f, t, flag, C.TOTWT(t), dist, angle, top, grounded, bottom);
    const float DELF = top - C.TOPTEN(1, M, t);
    for (int k = 1; k <= TPCM.NLINE(t); ++k) {
        const int line = TPCM.LINTYP(k, t);
        if (C.LINEID(line) > 1024)
            continue;
        const float x = fairleads[col_major(1, 3, line, lincom_lines)];
        const float y = fairleads[col_major(2, 3, line, lincom_lines)];
        const float z = fairleads[col_major(3, 3, line, lincom_lines)];
        const float VZCONTR = C.TOPTEN(1, M, t) * (TPCM.VKG - z);
        PASCOM.PTENDN += x * x * DELF + VZCONTR;
        PASCOM.RTENDN += y * y * DELF + VZCONTR;
        PASCOM.HTENDN += DELF;
        PASCOM.NET_TNDN_FRC += C.TOPTEN(1, M, t);
    }
}

// The tendon stiffnesses scaled by the water mass density, and the platform's weight on its
// tendons (after the last type of the middle row). A negative weight is fatal.
void finish_tendons() {
    const float DWFAC = WAVCOM.G * 1000.0f / TPCM.DWATR;
    PASCOM.HTENDN *= DWFAC;
    PASCOM.PTENDN *= DWFAC;
    PASCOM.RTENDN *= DWFAC;
    PASCOM.TLPWGHT = TPCM.DISPL - PASCOM.NET_TNDN_FRC;
    if (PASCOM.TLPWGHT < 0.0f)
        refuse({" ###>>> Displacement less than vertical mooring load!.",
                "        Inspect input file and re-submit."});
}

// Column search and interpolation of the type's table at layer row L.
std::span<const float> column(const float (&words)[lincom_table_size], int L, int t) {
    return std::span<const float>(words).subspan(
        col_major(1, lincom_points, L, lincom_layers, t, lincom_types), lincom_points);
}

// The mean state of every line of type t, at the middle layer row L.
void mean_states(int L, int t) {
    LincomBlock& C = LINCOM;
    const int NELEM = TPCM.NELEM(t);
    const std::int32_t NUMTAB = TPCM.NUMTAB;
    const std::span<const float> HLOD(C.HLOD_words);
    const int EDUNIT = TPCM.EDUNIT;
    for (int i = 1; i <= TPCM.NLIN; ++i) {
        if (C.LINEID(i) % 1024 != t)
            continue;
        const float HTENS = TPCM.HTENS(i);
        std::int32_t IER = 0;
        std::int32_t MIN = 1;
        float HMEAN = 0.0f;
        std::span<const float> from;
        float value = HTENS;
        switch (TPCM.LODTYP) {
        case 1:
            from = column(C.ANCDST_words, L, t);
            break;
        case 2:
            from = column(C.TOPTEN_words, L, t);
            break;
        case 3:
            from = HLOD;
            break;
        default: // 0, and any code outside 0..3: the fairlead angle
            from = column(C.TOPANG_words, L, t);
            value = HTENS / degrees_per_radian;
            break;
        }
        BSRCH(from, value, IER, MIN, NUMTAB);
        if (TPCM.LODTYP == 3)
            HMEAN = HTENS;
        else
            INTERP(from, HLOD, value, HMEAN, MIN);
        dump("HTENS(ILINE),HLOD", {HTENS, HMEAN});
        C.HMEAN = HMEAN;

        if (HMEAN > 0.0f) {
            if (MIN == 1 && TPCM.NLIN >= 2 && !(TPCM.SIMTYP == 13 && t == TPCM.HAWSTP) &&
                TPCM.TENDON_FLG != 1)
                TNSWRN(EDUNIT, keyboard_unit, ITYP1, i, t, "The pretension", 1, table_store.MRWRNS);
            if (HMEAN > TPCM.TLOAD)
                TNSWRN(EDUNIT, keyboard_unit, ITYP1, i, t, "The tension", 2, table_store.MRWRNS);
            C.DPHLD = HMEAN;
            SCLWLD(C.SCLWT_words, wetwt_column(t), C.DPHLD, NELEM);
            BETALD(alpha_slice(t), C.BETA_words, C.DPHLD, NELEM);
            float TOPT1 = C.TANPHI(MIN + 1, L, 1);
            float TOPT2 = C.TANPHI(MIN, L, 1);
            ITER8P(TOPT1, TOPT2);
            C.QF = static_cast<float>(C.TMPTAN(1));
            C.QB = static_cast<float>(C.TMPTAN(NELEM + 1));
            C.FXCOMP = COSPHT(C.QF);
            C.FZCOMP = SINPHT(C.QF);
            C.BXCOMP = COSPHT(C.QB);
            C.BZCOMP = SINPHT(C.QB);
            C.TPTEN0 = C.DPHLD * C.SECARR(1);
            C.BTTEN0 = C.DPHLD * C.SECARR(NELEM + 1);
            C.BOTLNM = C.BOTLN;
            INTERP(HLOD, column(C.ANCDST_words, L, t), HMEAN, C.RANC(i), MIN);
        } else {
            C.HMEAN = 0.0f;
            C.DPHLD = 0.0;
            C.FXCOMP = std::cos(C.TOPANG(1, L, t));
            C.FZCOMP = std::sin(C.TOPANG(1, L, t));
            C.BXCOMP = std::cos(C.BOTANG(1, L, t));
            C.BZCOMP = std::sin(C.BOTANG(1, L, t));
            C.TPTEN0 = C.TOPTEN(1, L, t);
            C.BTTEN0 = C.BOTOMZ;
            C.BOTLNM = C.BOTLEN(1, L, t);
            C.RANC(i) = static_cast<float>(C.BOTLNM);
        }
        if (TPCM.SIMTYP == 10) {
            TPCM.BLNANG = half_pi_single - std::atan(C.QF);
            TPCM.TLNANG = half_pi_single - std::atan(C.QB);
            C.ENDSEP = C.RANC(i);
        }
        dump("HMEAN,RANC,TPTEN0,BTTEN0,BOTLNM,BXCOMP,BZCOMP,FXCOMP,FZCOMP",
             {C.HMEAN, C.RANC(i), C.TPTEN0, C.BTTEN0, C.BOTLNM, C.BXCOMP, C.BZCOMP, C.FXCOMP,
              C.FZCOMP});
    }
}

// The table build for layer row L and line type t.
void build_column(int L, int t, const LoadGrid& grid, Fairleads& fairleads) {
    LincomBlock& C = LINCOM;
    const int NELEM = TPCM.NELEM(t);
    C.ITYP = t;
    const int first = TPCM.LINTYP(1, t);
    const float f = RFLDP(fairleads, 3, first);

    // Vertical span.
    if (two_body_arrangement()) {
        if (t != TPCM.HAWSTP)
            C.DELTAZ = f - TPCM.BDRAFT + TPCM.ANCHGT(t);
        else
            C.DELTAZ = f - TPCM.BDRAFT - (TPCM.ENDHT - TPCM.DRAFT);
    } else {
        C.DELTAZ = f - TPCM.DRAFT + TPCM.ANCHGT(t);
    }
    if (L == C.MIDLYR) {
        for (int k = 1; k <= TPCM.NLINE(t); ++k) {
            OUTCOM.DZTOTL(TPCM.LINTYP(k, t), 4, 1) = C.DELTAZ;
            OUTCOM.DZTOTL(TPCM.LINTYP(k, t), 4, 2) = C.DELTAZ;
        }
    }

    type_totals_and_mass(t);
    const float FLDWGT = fairlead_weight(t, f);
    for (int e = 1; e <= NELEM; ++e)
        if (strain_subline(t, e) && C.NEED_STRAIN_FILE != 0)
            for (int k = 1; k <= 3; ++k)
                TPCM.ALPHA(k, e, t) = ALPHA0(k, e, t);

    progress_message(L, t);
    dump("WTSCL(ITYP),HMIN,TLOAD,TMPRAT,EXPC,DELTAZ",
         {C.TOTWGT > 0.0f ? 0.01f * C.TOTWGT : 0.0001f * TPCM.TLOAD, TPCM.HMIN, TPCM.TLOAD,
          grid.TMPRAT, grid.EXPC, C.DELTAZ});

    C.HLOD(1) = 0.0f;
    zero_load_point(L, t, FLDWGT);
    if (tension_leg_or_spar(TPCM.SIMTYP) && L == C.MIDLYR)
        tendon_stiffness(t, fairleads);

    // The load points.
    C.DPHLD = static_cast<double>(TPCM.HMIN) / 2.0;
    float TOPT1 = 0.01f * grid.TMPRAT;
    float TOPT2 = 100.0f * grid.TMPRAT;
    C.WTRLEV = TPCM.RFLD(3, first) - TPCM.DRAFT;
    for (int k = 2; k <= TPCM.NUMTAB; ++k) {
        C.ITABLE = k;
        C.DPHLD = next_load(grid, k, C.DPHLD);
        solve_point(t, k, TOPT1, TOPT2);
        C.HLOD(k) = static_cast<float>(C.DPHLD);
        C.TOPTEN(k, L, t) = static_cast<float>(C.DPHLD * C.SECARR(1));
        C.ANCDST(k, L, t) =
            static_cast<float>(XDIST(C.SCLWT_words, C.SECARR_words, C.TMPTAN_words, C.BETA_words,
                                     NELEM, NELEM, TPCM.ANCTYP(t), slen_column(t), C.DSLOPE));
        for (int J = 1; J <= NELEM + 1; ++J)
            C.TANPHI(k, L, J) = static_cast<float>(C.TMPTAN(J));
        C.TOPANG(k, L, t) = static_cast<float>(std::atan(C.TMPTAN(1)));
        C.BOTANG(k, L, t) = static_cast<float>(std::atan(C.TMPTAN(NELEM + 1)));
        C.BOTLEN(k, L, t) = static_cast<float>(C.BOTLN);
        C.FFRICT(k, L, t) = friction(t, C.BOTLEN(k, L, t));
    }
    if (TPCM.NBUG == 1) {
        dump("NELEM(ITYP),ITYP,ILAYER", {double(NELEM), double(t), double(L)});
        for (int k = 1; k <= TPCM.NUMTAB; ++k)
            dump("HLOD(I),ANCDST(I),TOPTEN(I),TOPANG(I)",
                 {C.HLOD(k), C.ANCDST(k, L, t), C.TOPTEN(k, L, t), C.TOPANG(k, L, t)});
    }

    if (L == C.MIDLYR)
        mean_states(L, t);
}

// The taut-line warning: the middle row hangs taut at zero load, the row below it
// is slack.
void taut_line_warning(int t) {
    const int EDUNIT = TPCM.EDUNIT;
    write_record(EDUNIT, "");
    write_record(EDUNIT, " ++> Line type " + type_letter(t, ITYP1) +
                             ", and possibly others, is initially taut; however");
    write_record(EDUNIT, "     it goes limp within the first adjacent interpolation layer.");
    write_record(EDUNIT, "     If possible, you should decrease layer thickness until ");
    write_record(EDUNIT, "     this condition is remedied.");
    write_record(EDUNIT, "");
    std::int32_t LBACK = 0;
    ABORT0(EDUNIT, keyboard_unit, LBACK);
    if (LBACK == -1)
        stop_program(StopKind::user_choice);
}

} // namespace

StaticReportNames static_report_names(std::int32_t SIMTYP) {
    for (std::size_t i = 0; i < std::size(report_codes); ++i)
        if (report_codes[i] == SIMTYP)
            return report_table[i];
    return report_table[3];
}

namespace {

// set_layer_rows: the moment centre of the lines and the layer rows: the middle row (two below
// the top for tendons) and the row spacing over the span, one row at the entered height when
// fewer than two are asked for. Returns the height of the lowest row relative to the entered
// fairlead heights. Writes TPCM (RMCTRG, ZSPAN) and LINCOM (MIDLYR, DLAYER).
float set_layer_rows() {
    LincomBlock& C = LINCOM;
    for (int i = 1; i <= 3; ++i)
        TPCM.RMCTRG(i) = TPCM.RMCTR(i);
    if (TPCM.NLAYER < 2) {
        TPCM.ZSPAN = 0.0f;
        C.DLAYER = 0.0f;
        C.MIDLYR = 1;
    } else {
        C.MIDLYR = TPCM.TENDON_FLG == 1 ? TPCM.NLAYER - 2 : (TPCM.NLAYER + 1) / 2;
        C.DLAYER = TPCM.ZSPAN / static_cast<float>(TPCM.NLAYER - 1);
    }
    return static_cast<float>(1 - C.MIDLYR) * C.DLAYER;
}

// assign_lines: each line's type in LINCOM.LINEID (0 for no line) and its fairlead at the
// lowest layer row (ZBOT below the entered height), which it returns; the strain curves of
// the types that take them from the strain database, read once. Reads TPCM; writes LINCOM
// (LINEID, NEED_STRAIN_FILE) and ALPHA0; a strain-database failure ends the run.
Fairleads assign_lines(float ZBOT) {
    LincomBlock& C = LINCOM;
    C.NEED_STRAIN_FILE = 0;
    for (int t = 1; t <= TPCM.NTYP; ++t)
        if (TPCM.STRESS_STRAIN_FILE(t) != 0)
            C.NEED_STRAIN_FILE = 1;
    if (C.NEED_STRAIN_FILE != 0)
        open_strain_database(TPCM.EDUNIT);
    Fairleads fairleads{};
    for (int i = 1; i <= lincom_lines; ++i)
        C.LINEID(i) = 0;
    for (int t = 1; t <= TPCM.NTYP; ++t) {
        for (int k = 1; k <= TPCM.NLINE(t); ++k) {
            const int line = TPCM.LINTYP(k, t);
            C.LINEID(line) = t;
            RFLDP(fairleads, 1, line) = TPCM.RFLD(1, line);
            RFLDP(fairleads, 2, line) = TPCM.RFLD(2, line);
            RFLDP(fairleads, 3, line) = TPCM.RFLD(3, line) + ZBOT;
            dump("ITYP,NTYP,ILINE,NLIN,LINTYP(ILINE,ITYP),LINEID(ILINE)",
                 {double(t), double(TPCM.NTYP), double(k), double(TPCM.NLIN), double(line),
                  double(C.LINEID(line))});
        }
        if (C.NEED_STRAIN_FILE == 0 || TPCM.STRESS_STRAIN_FILE(t) == 0)
            continue;
        for (int e = 1; e <= TPCM.NELEM(t); ++e) {
            if (!strain_subline(t, e))
                continue;
            read_strain_curve(t, e, TPCM.TLOAD, TPCM.EDUNIT);
            for (int k = 1; k <= 3; ++k)
                ALPHA0(k, e, t) = TPCM.ALPHA(k, e, t);
        }
    }
    if (C.NEED_STRAIN_FILE != 0)
        close_unit(strain_database_unit);
    return fairleads;
}

// finish_tables: the taut-line warning (a middle row with a row below it, once) and the
// top-tension splines across the layer rows of each type. Reads TPCM and LINCOM; writes
// LINCOM.TT_SPLINE_DERIV; an abort at the warning ends the run.
void finish_tables() {
    LincomBlock& C = LINCOM;
    bool FRSTIM = true;
    for (int t = 1; t <= TPCM.NTYP; ++t) {
        if (TPCM.NLAYER >= 2 && C.MIDLYR >= 2 && C.VRTFLG(C.MIDLYR, t) == 1 &&
            C.VRTFLG(C.MIDLYR - 1, t) == 0 && FRSTIM && !(TPCM.SIMTYP == 14 && t != 1)) {
            FRSTIM = false;
            taut_line_warning(t);
        }
        const std::span<const float> table =
            std::span<const float>(C.TOPTEN_words)
                .subspan(col_major(1, lincom_points, 1, lincom_layers, t, lincom_types));
        const std::span<float> derivatives =
            std::span<float>(C.TT_SPLINE_DERIV_words)
                .subspan(col_major(1, lincom_points, 1, lincom_layers, t, lincom_types));
        splie2(C.HLOD_words, C.ZDIST_ARR_words, table, TPCM.NUMTAB, TPCM.NLAYER, derivatives);
    }
}

} // namespace

// MRSTAT: the steps of the stage in their order; see the header.
void MRSTAT() {
    LincomBlock& C = LINCOM;
    table_store.MRWRNS = 0;

    check_capacity();
    if (TPCM.TENDON_FLG == 1 && TPCM.NLAYER == 2)
        refuse({" ++> Tendon interpolation tables need at least 3 layers (2 are set)"});
    const LoadGrid grid = load_grid();
    // The line masses and the tendon stiffnesses need gravity; the vessel-motion set-up sets
    // it, and when it has not run it comes from the unit system.
    if (!(WAVCOM.G > 0.0f))
        WAVCOM.G = TPCM.NUNTS == 1 ? metric_gravity : english_gravity;

    // Preparation: moment centre and layer rows.
    const float ZBOT = set_layer_rows();
    expand_for_trim_and_heel();
    if (TPCM.NBUG0 == 1) {
        write_record(TPCM.EDUNIT, " ### In MRSTAT:");
        INBUG(TPCM.NBUG, TPCM.EDUNIT, keyboard_unit);
    } else {
        TPCM.NBUG = 0;
    }

    // Lines and strain curves.
    Fairleads fairleads = assign_lines(ZBOT);
    mark_line_exclusions();

    // Report set-up. A report device other than the disk file or the console (a printer unit)
    // has no device here: the report then goes to the disk file.
    if (TPCM.IUNIT != 1 && TPCM.IUNIT != TPCM.EDUNIT)
        TPCM.IUNIT = 1;
    const StaticReportNames names = static_report_names(TPCM.SIMTYP);
    open_report(names);
    C.BOTLN = 0.0;
    C.BOTLNM = 0.0;
    C.DSLOPE = 0.0;
    PASCOM.HTENDN = PASCOM.PTENDN = PASCOM.RTENDN = PASCOM.NET_TNDN_FRC = 0.0f;

    // The table columns, layer row by layer row.
    for (int L = 1; L <= TPCM.NLAYER; ++L) {
        C.ILAYER = L;
        C.ZDIST_ARR(L) = static_cast<float>(L);
        for (int t = 1; t <= TPCM.NTYP; ++t) {
            if (TPCM.NLINE(t) < 1)
                continue;
            build_column(L, t, grid, fairleads);
            if (BITVAL(TPCM.STAMOT, 1) == 1)
                STTOUT();
        }
        if (tension_leg_or_spar(TPCM.SIMTYP) && L == C.MIDLYR)
            finish_tendons();
        // The next row's fairleads. Every line of the type is raised (the table uses the
        // first line's height), so that the tendon terms of every line see its own height at
        // the middle row.
        for (int t = 1; t <= TPCM.NTYP; ++t)
            for (int k = 1; k <= TPCM.NLINE(t); ++k)
                RFLDP(fairleads, 3, TPCM.LINTYP(k, t)) += C.DLAYER;
    }

    finish_tables();
    widen_line_tables(); // the double-precision stiffness widens its copies anew
    close_report(names);
}

} // namespace lintar
