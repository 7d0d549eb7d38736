// offsets/line_pages.cpp: the per-line pages, net-load tables and stiffness matrices of the
// offset report.
#include "offsets/line_pages.h"

#include "blocks/tpcm.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/prompts.h"
#include "util/unit_labels.h"

#include <algorithm>
#include <string>

namespace lintar {

namespace {

void put(const TableCall& call, std::string_view line) {
    write_record(call.options->IUNIT, line);
}

// The title of a per-line page, the UNITS code of its values (before adding NUNTS where the
// unit depends on the unit system) and the characters of the unit label shown.
struct LinePageKind {
    std::string_view title;
    std::int32_t unit_code;
    bool by_unit_system;
    int shown;
};

// clang-format off
constexpr LinePageKind line_page_kinds[13] = {
    {"Total Fairlead Line Tensions",                     0,  true,  5},
    {"Fairlead Global Horizontal Tension Components",    0,  true,  5},
    {"Fairlead Global Vertical Tension Components",      0,  true,  5},
    {"Suspended Line Lengths (Unstretched)",             7,  true,  2},
    {"Anchor Pull Perpendicular to Bottom",              0,  true,  5},
    {"Global Declination Angles at Fairlead",            2,  false, 3},
    {"Anchor Pull Parallel to Bottom",                   0,  true,  5},
    {"Line Departure Angle at Anchor (from Horizontal)", 2,  false, 3},
    {"Line Remaining on Bottom (Unstretched)",           7,  true,  2},
    {"Global Fairlead-to-Anchor Horizontal Distance",    7,  true,  2},
    {"Plan-View Global Departure Angles",                2,  false, 3},
    {"Mooring Line Potential Energy",                    19, true,  9},
    {"Total Line Tension at Anchor",                     0,  true,  5},
};
// clang-format on

} // namespace

// write_line_pages: for each page, its head (title, unit, box, initial state, line numbers,
// offset head), one row per offset with the values of the page's lines, and the table tail.
// Lines run 8p - 7 to 8p on page p and to TPCM NLIN on the last page, never beyond the 150
// values a row holds. Reads the options' NUNTS and NLIN; sets TPCM IPAG.
void write_line_pages(const TableCall& call) {
    const LinePageKind& kind = line_page_kinds[slot(call.IDENT)];
    const std::int32_t code =
        kind.by_unit_system ? kind.unit_code + call.options->NUNTS : kind.unit_code;
    const int W = kind.shown;
    const std::string unit_line = X((76 - W) / 2) + "(" + text_field(UNITS(code), W) + ")";
    const bool energy = call.IDENT == 12;
    const std::int32_t NLIN = std::min(call.options->NLIN, std::int32_t{report_values_per_row});

    for (TPCM.IPAG = 1; TPCM.IPAG <= call.NPAG; ++TPCM.IPAG) {
        const std::int32_t page = TPCM.IPAG;
        const std::int32_t first = 8 * page - 7;
        const std::int32_t last =
            std::min(page == call.NPAG ? NLIN : 8 * page, std::int32_t{report_values_per_row});
        PAGE(call.options->IUNIT, call.options->EDUNIT, 1, 99);
        put(call, title_line(kind.title));
        put(call, unit_line);
        put(call, "");
        write_offset_box(call);
        write_initial_state(call);
        put(call, "");
        put(call, "");
        // The layout closes every line number with 6 blanks, the last one included.
        std::string numbers = " " + std::string(" Line #:") + X(2);
        for (std::int32_t n = first; n <= last; ++n)
            numbers += I(n, 3) + std::string(6, ' ');
        put(call, numbers);
        if (call.TABTYP == 7 || call.TABTYP == 8) {
            put(call, "");
            put(call, X(2) + "Offset");
            put(call, X(2) + "Number");
            put(call, "");
        } else {
            const std::string D = call.TABTYP == 2 || call.TABTYP == 3
                                      ? "deg"
                                      : text_field(UNITS(call.options->NUNTS + 7), 3);
            put(call, "");
            put(call, X(1) + "Offset");
            put(call, X(1) + "(" + D + ")");
            put(call, "");
        }
        for (int r = 1; r <= call.rows(); ++r) {
            std::string row = std::string(call.marker(r)) + F(call.offset(r), 7, 2);
            for (std::int32_t n = first; n <= last; ++n)
                row += energy ? ES(call.value(n, r), 9, 2) : F(call.value(n, r), 9, 2);
            put(call, row);
        }
        write_table_tail(call);
    }
}

// write_net_loads: the head of the net-load table, one row of forces and moments per offset
// (E10.4 fields), and the table tail.
void write_net_loads(const TableCall& call) {
    const std::string force = force_label(call.options->NUNTS);
    const std::string L = length_label(call.options->NUNTS);
    if (call.IDENT == 21) {
        put(call, X(10) + "<--- Vessel-Relative Forces  ---> <--- Vessel-Relative Moments  --->");
        put(call,
            X(3) + "Offset    Fvx         Fvy         Fvz         Mvx         Mvy         Mvz");
    } else {
        put(call, X(10) + "<-------- Global Forces -------->  <-------- Global Moments -------->");
        put(call,
            X(3) + "Offset    Fgx         Fgy         Fgz         Mgx         Mgy         Mgz");
    }
    put(call, X(2) + call.offset_label + "   --------- (" + force +
                  ") ---------         ------- (" + force + "*" + L + ") --------");
    put(call, "");
    put(call, "");
    for (int r = 1; r <= call.rows(); ++r) {
        std::string row = std::string(call.marker(r)) + F(call.offset(r), 6, 1);
        for (int k = 1; k <= 6; ++k)
            row += X(2) + E(call.value(k, r), 10, 4);
        put(call, row);
    }
    write_table_tail(call);
}

// write_stiffness_matrices: the matrix title and legend, then for each offset a block head
// naming the offset and the six rows of derivatives (row i: the loads' derivatives with
// respect to displacement i). No range warnings, pause or note follow.
void write_stiffness_matrices(const TableCall& call) {
    put(call, "");
    switch (call.IDENT) {
    case 24:
        put(call, "     >>> Raw Mooring Stiffness matrix in vessel-bound system (Vx, Vy, Vz)");
        break;
    case 23:
        put(call, "     >>> Raw Mooring Stiffness matrix in earth-bound system (Gx, Gy, Gz)");
        break;
    case 25:
        put(call, "     >>> Symmetrized Stiffness matrix in vessel-bound system (Vx, Vy, Vz)");
        break;
    default:
        put(call, "     >>> Symmetrized Stiffness matrix in earth-bound system (Gx, Gy, Gz)");
        break;
    }
    put(call, "");
    // clang-format off
    constexpr std::string_view legend[6] = {
        "| dFx/dx  dFy/dx  dFz/dx  dMx/dx  dMy/dx  dMz/dx  |",
        "| dFx/dy  dFy/dy  dFz/dy  dMx/dy  dMy/dy  dMz/dy  |",
        "| dFx/dz  dFy/dz  dFz/dz  dMx/dz  dMy/dz  dMz/dz  |",
        "| dFx/dPx dFy/dPx dFz/dPx dMx/dPx dMy/dPx dMz/dPx |",
        "| dFx/dPy dFy/dPy dFz/dPy dMx/dPy dMy/dPy dMz/dPy |",
        "| dFx/dPz dFy/dPz dFz/dPz dMx/dPz dMy/dPz dMz/dPz |",
    };
    // clang-format on
    for (const auto line : legend)
        put(call, X(14) + std::string(line));
    const std::string dashes = std::string(" -------------------------------------") +
                               "----------------------------------------";
    const bool numbered = call.TABTYP == 7 || call.TABTYP == 8;
    for (int r = 1; r <= call.rows(); ++r) {
        put(call, "");
        put(call, dashes);
        put(call, std::string(" Column =>  1          2           3") +
                      "            4           5           6");
        put(call, dashes);
        put(call, "  Row");
        Record offset_line;
        offset_line << "   |";
        offset_line.T(28);
        if (numbered)
            offset_line << " Offset Number = " + nearest_int(call.offset(r), 3);
        else
            offset_line << " Offset Value  = " + F(call.offset(r), 8, 2) + call.offset_unit;
        put(call, offset_line.text());
        put(call, "   v");
        put(call, "");
        for (int i = 1; i <= 6; ++i) {
            std::string line = I(i, 4) + X(3) + E(call.value(6 * (i - 1) + 1, r), 10, 4);
            for (int j = 2; j <= 6; ++j)
                line += X(2) + E(call.value(6 * (i - 1) + j, r), 10, 4);
            put(call, line);
        }
    }
}

} // namespace lintar
