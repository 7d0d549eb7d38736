// lines/static_line_report.cpp: the static line report of one line type and layer row.
#include "lines/static_line_report.h"

#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/catenary_elements.h"
#include "lines/line_arrays.h"
#include "lines/line_shape.h"
#include "lines/line_tables.h"
#include "lines/stress_strain.h"
#include "lines/table_messages.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/answer_reader.h"
#include "util/flags.h"
#include "util/prompts.h"
#include "util/unit_labels.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lintar {

namespace {

// clang-format off
constexpr std::string_view title_I   = "*********************  I.  Line Characteristics Summary  *******************";
constexpr std::string_view title_Ib  = "******************   Ib.  Element Endpoint Position Table  *****************";
constexpr std::string_view title_Ic  = "*******************   Ic.  Element Endpoint Angle Table  *******************";
constexpr std::string_view title_III = "**********************  III.  Mean Condition Summary  **********************";
// clang-format on

// The words that name the two ends of the line and the place the positions are measured from.
struct EndWords {
    std::string_view top;          // "  Top ", "  Tug " or " Buoy "
    std::string_view end;          // "Anchor", " Barge" or "Tanker"
    std::string_view origin;       // origin of the positions
    std::string_view angle_origin; // origin of the angles
    std::string_view hawser;       // the hawser mark, or a blank
};

EndWords end_words() {
    const std::int32_t S = TPCM.SIMTYP;
    if (S == 10)
        return {"  Tug ", " Barge", "tug-side, in ", "tug", " "};
    if ((S == 13 || S == 8) && LINCOM.ITYP == TPCM.HAWSTP && TPCM.IARCO == 1)
        return {" Buoy ", "Tanker", "buoy-side, in ", "buoy", " [Hawser]"};
    return {"  Top ", "Anchor", "fairlead, in ", "fairlead", " "};
}

// A unit label of code base + NUNTS cut to the field width.
std::string label(std::int32_t code, int width) {
    return A(UNITS(code), width);
}
std::string length_unit() {
    return label(TPCM.NUNTS + 7, 2);
}
std::string force_unit() {
    return label(TPCM.NUNTS, 5);
}

// One report page: Return pause when the report is on the console, the answer in LBACK.
bool on_console() {
    return TPCM.IUNIT == TPCM.EDUNIT;
}
std::int32_t pause() {
    TPCM.LBACK = 0;
    if (on_console())
        PRSRET(TPCM.EDUNIT, keyboard_unit, TPCM.LBACK);
    return TPCM.LBACK;
}

void title_box(std::string_view title) {
    const int IUNIT = TPCM.IUNIT;
    const std::string frame = "  **" + std::string(72, ' ') + "**";
    write_record(IUNIT, frame);
    write_record(IUNIT, "  " + std::string(title));
    write_record(IUNIT, frame);
}

// The type line under every section title.
void type_line(const EndWords& words) {
    const int IUNIT = TPCM.IUNIT;
    const LincomBlock& C = LINCOM;
    const std::string letter = type_letter(C.ITYP);
    if (TPCM.NLAYER < 2) {
        write_record(IUNIT, " >>> Line Type " + letter + " of " + I(TPCM.NTYP, 2) + " type(s)" +
                                std::string(words.hawser));
        write_record(IUNIT, "     Endpoint vertical separation = " + F(C.DELTAZ, 8, 2) + " " +
                                length_unit());
    } else {
        write_record(IUNIT, " >>> Interpolation level " + I(C.ILAYER, 2) + " for line type " +
                                letter + " of " + I(TPCM.NTYP, 2) + " type(s)");
        write_record(IUNIT, "     Vertical distance to nominal fairlead " +
                                F(static_cast<float>(C.MIDLYR - C.ILAYER) * C.DLAYER, 8, 2) + " " +
                                length_unit());
        write_record(IUNIT, "     Vertical separation between endpoints " + F(C.DELTAZ, 8, 2) +
                                " " + length_unit());
    }
}

// The end tension of table point k: BOTOMZ at zero load, else the anchor-end tension less the
// seabed friction, never negative.
float end_tension(int k) {
    const LincomBlock& C = LINCOM;
    const int L = C.ILAYER;
    const int t = C.ITYP;
    if (k == 1)
        return C.BOTOMZ;
    const float T = C.HLOD(k) / std::cos(C.BOTANG(k, L, t)) - C.FFRICT(k, L, t);
    return T < 0.0f ? 0.0f : T;
}

// Section I: the subline table.
void subline_table(const EndWords& words) {
    const int IUNIT = TPCM.IUNIT;
    const int t = LINCOM.ITYP;
    PAGE(IUNIT, TPCM.EDUNIT, 1, 99);
    title_box(title_I);
    write_record(IUNIT, "");
    type_line(words);
    write_record(IUNIT, "");
    write_record(IUNIT, "");
    write_record(IUNIT,
                 " - Segment -  Length  Nominal  Submerged   ----   Elastic Coefficients   ----");
    write_record(IUNIT,
                 "    Type              Diameter   Weight      Alpha 1     Alpha 2     Alpha 3");
    const std::string force = force_unit();
    write_record(IUNIT, "               (" + length_unit() + ")     (" + label(TPCM.NUNTS + 3, 2) +
                            ")    (" + label(TPCM.NUNTS + 5, 6) + ")   (" + force + "**-1) (" +
                            force + "**-2) (" + force + "**-3)");
    write_record(IUNIT, "");
    for (int i = 1; i <= TPCM.NELEM(t); ++i) {
        std::string row = " " + I(i, 2) + "  " + std::string(field_text(TPCM.SCOMP(i, t))) +
                          F(TPCM.SLEN(i, t), 8, 2) + F(TPCM.DIAM(i, t), 8, 2) +
                          F(TPCM.WETWT(i, t) * 1000.0f, 10, 2) + "  ";
        if (BITVAL(TPCM.STRESS_STRAIN_FILE(t), i) == 1)
            row += "-> (TABULAR STRESS-STRAIN DATA FILE)";
        else
            row += E(TPCM.ALPHA(1, i, t), 12, 3) + E(TPCM.ALPHA(2, i, t), 12, 3) +
                   E(TPCM.ALPHA(3, i, t), 12, 3);
        write_record(IUNIT, row);
    }
}

// Section I: the interpolation table.
void interpolation_table(const EndWords& words) {
    const int IUNIT = TPCM.IUNIT;
    const LincomBlock& C = LINCOM;
    const int L = C.ILAYER;
    const int t = C.ITYP;
    const std::string top(words.top);
    const std::string end(words.end);
    const std::string force = force_unit();
    write_record(IUNIT, "");
    write_record(IUNIT, " " + std::string(77, '-'));
    write_record(IUNIT, "  Table  " + top + "    " + end + "    Horizontal  " +
                            "-- Line angle --   Endpoint   Bottom");
    write_record(IUNIT, "  Index  Tension   Tension    Tension    " + top + "    " + end +
                            "  Separation  Length");
    write_record(IUNIT, "         (" + force + ")   (" + force + ")    (" + force + ")    " +
                            "--   (deg)   ---     (" + length_unit() + ")      (" + length_unit() +
                            ")");
    write_record(IUNIT, "");
    for (int k = 1; k <= TPCM.NUMTAB; ++k) {
        if (TPCM.NBUG == 1) {
            write_record(TPCM.EDUNIT, " ITYP,ITABLE,DPVAR,BOTANG");
            write_record(TPCM.EDUNIT,
                         I(t, 5) + I(k, 5) + E(C.HLOD(k), 12, 4) + E(C.BOTANG(k, L, t), 12, 4));
        }
        write_record(IUNIT, "   " + I(k, 2) + F(C.TOPTEN(k, L, t), 11, 2) +
                                F(end_tension(k), 11, 2) + F(C.HLOD(k), 11, 2) +
                                F(C.TOPANG(k, L, t) * degrees_per_radian, 9, 1) +
                                F(C.BOTANG(k, L, t) * degrees_per_radian, 9, 1) + "   " +
                                F(C.ANCDST(k, L, t), 10, 2) + F(C.BOTLEN(k, L, t), 10, 2));
    }
}

// The line at table point k of the current row, for Sections Ib: laid once at the top slope
// the table stage found for that point (its shape is a function of that slope alone).
void resolve_point(int k) {
    LincomBlock& C = LINCOM;
    const int t = C.ITYP;
    const int NELEM = TPCM.NELEM(t);
    C.DPHLD = C.HLOD(k);
    if (C.NEED_STRAIN_FILE != 0 && TPCM.STRESS_STRAIN_FILE(t) != 0)
        LOAD_ALPHAS(C.DPHLD, C.ILAYER);
    SCLWLD(C.SCLWT_words, wetwt_column(t), C.DPHLD, NELEM);
    BETALD(alpha_slice(t), C.BETA_words, C.DPHLD, NELEM);
    LineSolve line = lincom_line_solve();
    (void)HTERR(line, C.TANPHI(k, C.ILAYER, 1));
    C.BOTLN = line.BOTLN;
    C.KELEM = line.KELEM;
}

// The element groups of the endpoint tables: 1-10, 11-20, 21-last; last is NELEM for the
// positions, NELEM + 1 for the angles (the nodes).
struct Group {
    int first;
    int last;
};
std::vector<Group> groups(int NELEM, int last) {
    std::vector<Group> g;
    if (NELEM <= 10)
        g = {{1, last}};
    else if (NELEM <= 20)
        g = {{1, 10}, {11, last}};
    else
        g = {{1, 10}, {11, 20}, {21, last}};
    return g;
}

// The element endpoint coordinates of table points 2..NUMTAB of the current row, from the
// fairlead: X and Z of the lower end of elements 1..NELEM, each point laid once for all pages.
struct EndpointPositions {
    int NELEM = 0;
    std::vector<double> X, Z; // point k, element i at (k - 2) NELEM + i - 1

    double at(char axis, int k, int i) const {
        const auto n = slot(k - 1) * static_cast<std::size_t>(NELEM) + slot(i);
        return axis == 'X' ? X[n] : Z[n];
    }
};

EndpointPositions endpoint_positions() {
    const LincomBlock& C = LINCOM;
    const int t = C.ITYP;
    EndpointPositions p;
    p.NELEM = TPCM.NELEM(t);
    const auto n = static_cast<std::size_t>(p.NELEM);
    const auto points = static_cast<std::size_t>(std::max(TPCM.NUMTAB - 1, 0));
    p.X.resize(points * n);
    p.Z.resize(points * n);
    for (int k = 2; k <= TPCM.NUMTAB; ++k) {
        resolve_point(k);
        const auto from = static_cast<std::size_t>(k - 2) * n;
        const std::span<double> X(p.X.data() + from, n);
        const std::span<double> Z(p.Z.data() + from, n);
        XDIST_all(C.SCLWT_words, C.SECARR_words, C.TMPTAN_words, C.BETA_words, p.NELEM,
                  TPCM.ANCTYP(t), slen_column(t), C.DSLOPE, X);
        ZDIST_all(C.SCLWT_words, C.SECARR_words, C.BETA_words, slen_column(t), C.TMPTAN_words, Z);
        for (double& z : Z)
            z = -z;
    }
    return p;
}

// Section Ib, one page of coordinates (X or Z) of a group. Returns the pause's answer.
std::int32_t position_page(const EndWords& words, Group g, char axis,
                           const EndpointPositions& positions) {
    const int IUNIT = TPCM.IUNIT;
    PAGE(IUNIT, TPCM.EDUNIT, 1, 99);
    title_box(title_Ib);
    write_record(IUNIT, "");
    type_line(words);
    write_record(IUNIT, "");
    write_record(IUNIT, " >>> Element \"i\" endpoint coordinates (Xi or Zi; from " +
                            std::string(words.origin) + length_unit() + ")");
    write_record(IUNIT, "");
    write_record(IUNIT, "  Table");
    Record heads;
    heads << "  Index";
    heads.TR(4);
    for (int i = g.first; i <= g.last; ++i) {
        heads << std::string(1, axis) << I(i, 2);
        heads.TR(7);
    }
    write_record(IUNIT, heads.text());
    for (int k = 2; k <= TPCM.NUMTAB; ++k) {
        std::string row = "   " + I(k, 2) + "  ";
        for (int i = g.first; i <= g.last; ++i)
            row += F(positions.at(axis, k, i), 10, 3);
        write_record(IUNIT, row);
    }
    return pause();
}

// Section Ic, one page of node angles of a group. Returns the pause's answer.
std::int32_t angle_page(const EndWords& words, Group g) {
    const int IUNIT = TPCM.IUNIT;
    const LincomBlock& C = LINCOM;
    PAGE(IUNIT, TPCM.EDUNIT, 1, 99);
    title_box(title_Ic);
    write_record(IUNIT, "");
    type_line(words);
    write_record(IUNIT, " >>> Endpoint angle Ti at " + std::string(words.angle_origin) +
                            "-end of element \"i\" in degrees");
    write_record(IUNIT, "");
    write_record(IUNIT, "  Table");
    Record heads;
    heads << "  Index";
    heads.TR(4);
    for (int n = g.first; n <= g.last; ++n) {
        heads << "T" << I(n, 2);
        heads.TR(5);
    }
    write_record(IUNIT, heads.text());
    for (int k = 1; k <= TPCM.NUMTAB; ++k) {
        std::string row = "   " + I(k, 2) + "  ";
        for (int n = g.first; n <= g.last; ++n)
            row += F(std::atan(C.TANPHI(k, C.ILAYER, n)) * degrees_per_radian, 8, 2);
        write_record(IUNIT, row);
    }
    return pause();
}

// The five table curves on the plot file.
void plot_curves(const EndWords& words) {
    constexpr int U = static_plot_unit;
    const LincomBlock& C = LINCOM;
    const int L = C.ILAYER;
    const int t = C.ITYP;
    const int NUMTAB = TPCM.NUMTAB;
    const std::string x_label = "Endpoint Separation (" + length_unit() + ")";
    const std::string force_label = "Force in " + force_unit();
    const std::string top(words.top);
    const std::string end(words.end);
    const auto curve = [&](std::string_view y_label, const std::string& title, int abscissae,
                           auto ordinate, const std::string& legend) {
        write_record(U, I(1, 5));
        write_record(U, x_label);
        write_record(U, std::string(y_label));
        write_record(U, title);
        write_record(U, I(NUMTAB, 5));
        write_record(U, I(abscissae, 5));
        if (abscissae == 1)
            for (int k = 1; k <= NUMTAB; ++k)
                write_record(U, F(C.ANCDST(k, L, t), 10, 2));
        for (int k = 1; k <= NUMTAB; ++k)
            write_record(U, F(ordinate(k), 10, 2));
        write_record(U, legend);
    };
    write_record(U, I(TPCM.IUNIT, 5));
    write_record(U, I(6, 5));
    curve(
        force_label, "Interpolation Table for Horizontal Force", 1,
        [&](int k) { return C.HLOD(k); }, "Net Horizontal Force");
    curve(
        force_label, "Interpolation Table for Total Tension at " + end, 0,
        [&](int k) { return end_tension(k); }, "Line Tension at " + end);
    curve(
        force_label, "Interpolation Table for Total Tension at" + top, 0,
        [&](int k) { return C.TOPTEN(k, L, t); }, "Line Tension at" + top);
    curve(
        "Angle in degrees", "Interpolation Table for Line angle at " + end, 0,
        [&](int k) { return C.BOTANG(k, L, t) * degrees_per_radian; }, "Line angle at " + end);
    curve(
        "Angle in degrees", "Interpolation Table for Line angle at" + top, 0,
        [&](int k) { return C.TOPANG(k, L, t) * degrees_per_radian; }, "Towline angle at" + top);
}

// Section III of a tow: the mean condition. Returns the pause's answer.
std::int32_t mean_condition() {
    const int IUNIT = TPCM.IUNIT;
    const LincomBlock& C = LINCOM;
    const std::int32_t N = TPCM.NUNTS;
    PAGE(IUNIT, TPCM.EDUNIT, 1, 99);
    title_box(title_III);
    write_record(IUNIT, " --- SITE:");
    ONELIN("Water Depth", TPCM.DEPTH, UNITS, N + 7, IUNIT);
    ONELIN("Water Density", TPCM.DWATR, UNITS, N + 11, IUNIT);
    ONELIN("Mean forward speed", TPCM.VFWD, UNITS, N + 14, IUNIT);
    write_record(IUNIT, " --- TUGBOAT:");
    ONELIN("Displacement", TPCM.BDISPL, UNITS, N, IUNIT);
    ONELIN("Transverse GM", TPCM.BVKMT - TPCM.BVKG, UNITS, N + 7, IUNIT);
    ONELIN("Draft", TPCM.BDRAFT, UNITS, N + 7, IUNIT);
    ONELIN("Keel-to-Towpoint height", TPCM.BLNHT, UNITS, N + 7, IUNIT);
    write_record(IUNIT, " --- BARGE:");
    ONELIN("Displacement", TPCM.DISPL, UNITS, N, IUNIT);
    ONELIN("Transverse GM", TPCM.VKMT - TPCM.VKG, UNITS, N + 7, IUNIT);
    ONELIN("Draft", TPCM.DRAFT, UNITS, N + 7, IUNIT);
    ONELIN("Keel-to-Towpoint height", TPCM.ENDHT, UNITS, N + 7, IUNIT);
    write_record(IUNIT, " --- TOWLINE:");
    ONELIN("Mean horizontal tension", C.HMEAN, UNITS, N, IUNIT);
    ONELIN("Tugboat end total tension", static_cast<float>(C.TPTEN0), UNITS, N, IUNIT);
    ONELIN("Tugboat end towline angle", TPCM.BLNANG * degrees_per_radian, UNITS, 2, IUNIT);
    ONELIN("Barge end total tension", static_cast<float>(C.BTTEN0), UNITS, N, IUNIT);
    ONELIN("Barge end towline angle", TPCM.TLNANG * degrees_per_radian, UNITS, 2, IUNIT);
    ONELIN("Mean endpoint separation", C.ENDSEP, UNITS, N + 7, IUNIT);
    return pause();
}

// The steps of the report and where a negative answer at a pause leads.
enum class Step { subline_table, interpolation_table, endpoint_tables, mean_condition, done };

} // namespace

// STTOUT: the sections in order, as a walk over the steps; see the header.
void STTOUT() {
    const EndWords words = end_words();
    TPCM.LBACK = 0;
    Step step = TPCM.STAMOT == 0 ? Step::mean_condition : Step::subline_table;
    while (step != Step::done) {
        switch (step) {
        case Step::subline_table:
            subline_table(words);
            step = pause() < 0 ? Step::mean_condition : Step::interpolation_table;
            break;
        case Step::interpolation_table:
            interpolation_table(words);
            step = pause() < 0 ? Step::subline_table : Step::endpoint_tables;
            break;
        case Step::endpoint_tables: {
            step = Step::mean_condition;
            if (BITVAL(TPCM.STAMOT, 2) != 1)
                break;
            const int NELEM = TPCM.NELEM(LINCOM.ITYP);
            const EndpointPositions positions = endpoint_positions();
            bool restart = false;
            for (const char axis : {'X', 'Z'})
                for (const Group g : groups(NELEM, NELEM))
                    if (!restart && position_page(words, g, axis, positions) < 0)
                        restart = true;
            for (const Group g : groups(NELEM, NELEM + 1))
                if (!restart && angle_page(words, g) < 0)
                    restart = true;
            if (restart) {
                step = Step::subline_table;
                break;
            }
            if (TPCM.IPLOTS != 0)
                plot_curves(words);
            break;
        }
        case Step::mean_condition:
            step = Step::done;
            if (TPCM.SIMTYP == 10 && TPCM.LEQCND != 0 && mean_condition() < 0)
                step = Step::interpolation_table;
            break;
        case Step::done:
            break;
        }
    }
}

} // namespace lintar
