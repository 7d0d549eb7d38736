// offsets/summary_tables.cpp: the summary tables of the offset report.
#include "offsets/summary_tables.h"

#include "blocks/tpcm.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"

#include <string>

namespace lintar {

namespace {

// The labels of the column heads.
struct HeadLabels {
    explicit HeadLabels(std::int32_t NUNTS)
        : F(force_label(NUNTS)), L(length_label(NUNTS)), E(energy_label(NUNTS)) {}
    std::string F;
    std::string L;
    std::string E;
    std::string P(std::string_view label) const { return "(" + std::string(label) + ")"; }
    std::string FL() const { return "(" + F + "*" + L + ")"; }
};

void put(const TableCall& call, std::string_view line) {
    write_record(call.options->IUNIT, line);
}

bool rotational(std::int32_t TABTYP) {
    return TABTYP == 2 || TABTYP == 3;
}

bool continuous(std::int32_t TABTYP) {
    return TABTYP == 7 || TABTYP == 8;
}

// 6 blanks, ">>> Line Number nnn, Line Type nnn, Unstretched Length:" and the hawser's length.
void hawser_line(const TableCall& call, const HeadLabels& h) {
    put(call, X(6) + ">>> Line Number " + I(call.options->HAWSLN, 3) + ", Line Type " +
                  I(call.options->HAWSTP, 3) + ", Unstretched Length:" +
                  F(call.inputs->hawser_length, 7, 2) + " " + h.L + " <<<");
}

// Code 99: the most exposed line at every row.
void most_exposed_line(const TableCall& call) {
    const HeadLabels h(call.options->NUNTS);
    const std::int32_t kind = call.TABTYP;
    if (kind == 7) {
        put(call, "");
        put(call, " >>> Table Notes:");
        put(call, "");
        put(call, "     For \"continuous offset\" sequences, the \"Total Restoring Force\" is");
        put(call, "     defined as the component of *Net* mooring force along the instantaneous");
        put(call, "     offset vector (i.e., the displacement vector from the initial CG");
        put(call,
            "     location to the CG location at the translated/rotated location/orientation");
        put(call, "     in question). The instantaneous offset vector is *not* in general");
        put(call, "     parallel to the net force vector and may also differ in direction from");
        put(call, "     one offset row to the next in a sequence.");
        put(call, "");
    } else if (kind == 8) {
        put(call, "");
        put(call, " >>> Table Notes:");
        put(call, "");
        put(call, "     For \"continuous offset\" sequences, the \"Total Restoring Moment\" is");
        put(call, "     defined as the component of *Net* mooring moment along the applied ");
        put(call, "     torque vector and will therefore point in the same direction from");
        put(call, "     one offset row to the next in a sequence.");
        put(call, "");
    }
    if (call.options->IARCO != 1)
        put(call, X(18) + "----  Most Exposed Line Characteristics  ----");
    else
        put(call, X(13) + "----  Most Exposed Line Characteristics: Buoy Data  ----");
    put(call, "");
    put(call, "");

    const std::string tensions =
        X(4) + h.P(h.F) + X(1) + h.P(h.F) + X(1) + h.P(h.F) + X(4) + h.P(h.L) + X(6) + h.P(h.F);
    if (rotational(kind)) {
        const std::string R = kind == 2 ? "Total Yaw" : "  Total  ";
        put(call, X(39) + "Unstretched" + X(3) + "Anchor Forces" + X(4) + R);
        put(call, X(15) + "-- Fairlead Tensions --" + X(2) + "Suspended" + X(4) + "Rel. to" +
                      " Bottom" + X(3) + "Restoring");
        put(call, X(1) + "Offset" + X(2) + "Line" + X(3) + "Total   Horiz.  Vert." + X(4) +
                      "Length" + X(3) + "<Parallel> <Perp.>" + X(3) + "Moment");
        put(call, X(2) + "(deg)" + X(3) + "#" + tensions + X(2) + h.P(h.F) + X(2) + h.FL());
    } else if (kind == 8) {
        put(call, X(39) + "Unstretched" + X(3) + "Anchor Forces" + X(6) + "Total");
        put(call, X(15) + "-- Fairlead Tensions --" + X(2) + "Suspended" + X(4) + "Rel. to" +
                      " Bottom" + X(3) + "Restoring");
        put(call, X(1) + "Offset" + X(2) + "Line" + X(3) + "Total   Horiz.  Vert." + X(4) +
                      "Length" + X(3) + "<Parallel> <Perp.>" + X(3) + "Moment");
        put(call, X(1) + "Number" + X(3) + "#" + tensions + X(2) + h.P(h.F) + X(2) + h.FL());
    } else {
        // Kind 7 and the translations 1, 4, 5, 6; only the translations mark a buoy.
        const std::string B = kind != 7 && call.options->IARCO == 1 ? "  Buoy" : X(6);
        put(call, X(39) + "Unstretched" + X(3) + "Anchor Forces" + X(7) + "Total");
        put(call, B + X(9) + "-- Fairlead Tensions --" + X(2) + "Suspended" + X(4) + "Rel. to" +
                      " Bottom" + X(4) + "Restoring");
        put(call, X(1) + "Offset" + X(2) + "Line" + X(3) + "Total   Horiz.  Vert." + X(4) +
                      "Length" + X(4) + "<Parallel> <Perp.>" + X(4) + "Force");
        const std::string lead =
            kind == 7 ? X(1) + "Number" + X(3) + "#" : X(2) + h.P(h.L) + X(4) + "#";
        put(call, lead + tensions + X(3) + h.P(h.F) + X(3) + h.P(h.F));
    }
    put(call, "");
    for (int r = 1; r <= call.rows(); ++r)
        put(call, std::string(call.marker(r)) + F(call.offset(r), 6, 1) + X(2) +
                      truncated_int(call.value(1, r), 2) + F(call.value(2, r), 9, 2) +
                      F(call.value(3, r), 9, 2) + F(call.value(4, r), 9, 2) + X(2) +
                      F(call.value(5, r), 8, 1) + X(2) + F(call.value(6, r), 8, 2) + X(1) +
                      F(call.value(7, r), 8, 2) + X(2) + ES(call.value(8, r), 11, 3));
}

// Code 97: the hawser's tensions and forces at every row.
void hawser_characteristics(const TableCall& call) {
    const HeadLabels h(call.options->NUNTS);
    put(call, X(18) + "-------     Hawser Characteristics     ------");
    put(call, "");
    hawser_line(call, h);
    put(call, "");
    put(call, "");
    Record head;
    head << "    Net";
    head.T(50) << "Vessel Forces" << X(7) << "Total";
    put(call, head.text());
    put(call, "   Vessel    Buoy    -- Buoy-End Tensions --    Rel. to  Bottom    Restoring");
    put(call, "   Offset   Offset    Total   Horiz.  Vert.    <Parallel> <Perp.>    Force");
    put(call, X(4) + h.P(h.L) + X(5) + h.P(h.L) + X(4) + h.P(h.F) + X(1) + h.P(h.F) + X(1) +
                  h.P(h.F) + X(4) + h.P(h.F) + X(3) + h.P(h.F) + X(3) + h.P(h.F));
    put(call, "");
    for (int r = 1; r <= call.rows(); ++r)
        put(call, std::string(call.marker(r)) + F(call.offset(r) + call.value(1, r), 8, 2) +
                      F(call.offset(r), 8, 2) + F(call.value(2, r), 9, 2) +
                      F(call.value(3, r), 9, 2) + F(call.value(4, r), 9, 2) + X(2) +
                      F(call.value(6, r), 8, 2) + X(1) + F(call.value(7, r), 8, 2) + X(2) +
                      ES(call.value(8, r), 11, 3));
}

// Code 96: the most exposed line's potential energy and the whole mooring's at every row.
// Rotational sequences head the offset column "(deg)", as their offsets are angles.
void most_exposed_energy(const TableCall& call) {
    const HeadLabels h(call.options->NUNTS);
    if (call.options->IARCO != 1)
        put(call, X(18) + "----  Most Exposed Line Potential Energy  ----");
    else
        put(call, X(13) + "----  Most Exposed Line Potential Energy: Buoy Data  ----");
    put(call, "");
    put(call, "");
    put(call, X(39) + "Unstretched     Line       Total Moor");
    put(call,
        X(6) + X(9) + "-- Fairlead Tensions --" + X(2) + "Suspended    Potential     Potential");
    put(call, X(1) + "Offset" + X(2) + "Line" + X(3) + "Total   Horiz.  Vert." + X(4) +
                  "Length       Energy        Energy");
    std::string lead;
    if (continuous(call.TABTYP))
        lead = X(1) + "Number" + X(3) + "#";
    else if (rotational(call.TABTYP))
        lead = X(2) + "(deg)" + X(3) + "#";
    else
        lead = X(2) + h.P(h.L) + X(4) + "#";
    put(call, lead + X(4) + h.P(h.F) + X(1) + h.P(h.F) + X(1) + h.P(h.F) + X(4) + h.P(h.L) + X(6) +
                  h.P(h.E) + X(3) + h.P(h.E));
    put(call, "");
    for (int r = 1; r <= call.rows(); ++r)
        put(call, std::string(call.marker(r)) + F(call.offset(r), 6, 1) + X(2) +
                      truncated_int(call.value(1, r), 2) + F(call.value(2, r), 9, 2) +
                      F(call.value(3, r), 9, 2) + F(call.value(4, r), 9, 2) + X(2) +
                      F(call.value(5, r), 8, 1) + ES(call.value(6, r), 14, 3) +
                      ES(call.value(7, r), 14, 3));
}

// Code 94: the hawser's, the buoy's and the system's potential energy at every row.
void hawser_energy(const TableCall& call) {
    const HeadLabels h(call.options->NUNTS);
    put(call, X(18) + "-------     Hawser Energy Characteristics     ------");
    put(call, "");
    hawser_line(call, h);
    put(call, "");
    put(call, "");
    Record head;
    head << "    Net";
    head.T(48) << " Hawser       Buoy       System";
    put(call, head.text());
    put(call, "   Vessel    Buoy    -- Buoy-End Tensions --   Potential   Potential   Potential");
    put(call, "   Offset   Offset    Total   Horiz.  Vert.     Energy      Energy      Energy");
    put(call, X(4) + h.P(h.L) + X(5) + h.P(h.L) + X(4) + h.P(h.F) + X(1) + h.P(h.F) + X(1) +
                  h.P(h.F) + X(3) + "-------    " + h.P(h.E) + "    -------");
    put(call, "");
    for (int r = 1; r <= call.rows(); ++r)
        put(call, std::string(call.marker(r)) + F(call.value(1, r), 8, 2) +
                      F(call.offset(r), 8, 2) + F(call.value(2, r), 9, 2) +
                      F(call.value(3, r), 9, 2) + F(call.value(4, r), 9, 2) +
                      ES(call.value(5, r), 12, 3) + ES(call.value(6, r), 12, 3) +
                      ES(call.value(7, r), 12, 3));
}

// Code 98: the total restoring load with the induced moments and forces at every row.
void cross_coupling(const TableCall& call) {
    const HeadLabels h(call.options->NUNTS);
    const std::string plus = X(25) + "+++++++++++++++++++++++++++++++";
    put(call, plus);
    put(call, "");
    put(call, X(25) + "Total Restoring Characteristics");
    put(call, X(27) + "and Cross-Coupling Summary");
    put(call, "");
    if (call.options->IARCO == 1) {
        put(call, X(32) + ">>> Buoy Data <<<");
        put(call, "");
    }
    put(call, plus);
    put(call, "");
    put(call, "");
    const std::int32_t kind = call.TABTYP;
    if (rotational(kind) || kind == 8) {
        const std::string R = kind == 2 ? "Total Yaw" : "  Total  ";
        put(call,
            X(14) + R + X(2) + "---- Induced Moments ----" + X(3) + "  Vessel-Relative Forces ");
        put(call, X(14) + "Restoring                       ");
        put(call, X(4) + "Offset" + X(5) + "Moment" + X(4) + "Roll      Pitch       Yaw" + X(4) +
                      " Surge    Sway    Heave");
        const std::string lead = kind == 8 ? X(4) + "Number" + X(3) : X(4) + "(deg)" + X(4);
        put(call, lead + h.FL() + X(2) + "------  " + h.FL() + "  -----" + X(3) + " ------- " +
                      h.P(h.F) + " --------");
        put(call, "");
        put(call, "");
        for (int r = 1; r <= call.rows(); ++r)
            put(call, std::string(call.first_out_of_range(r) ? ">   " : "    ") +
                          F(call.offset(r), 6, 1) + X(2) + ES(call.value(1, r), 11, 3) +
                          ES(call.value(2, r), 10, 2) + ES(call.value(3, r), 10, 2) +
                          ES(call.value(4, r), 10, 2) + F(call.value(5, r), 8, 1) +
                          F(call.value(6, r), 8, 1) + F(call.value(7, r), 9, 1));
    } else {
        put(call, X(10) + "Total" + X(3) + "---- Induced Moments ----" + X(4) +
                      "---- Vessel-Relative Forces ----");
        put(call, X(8) + "Restoring" + X(2) + "                         " + X(3) + "Orthogonal");
        put(call, X(1) + "Offset" + X(3) + "Force" + X(4) + "Roll      Pitch      Yaw" + X(4) +
                      "to Offset" + X(2) + "Surge   Sway    Heave");
        const std::string lead =
            kind == 7 ? X(1) + "Number" + X(2) + h.P(h.F) : X(2) + h.P(h.L) + X(3) + h.P(h.F);
        put(call, lead + X(2) + "-------- " + h.FL() + " -----" + X(4) + "------------ " +
                      h.P(h.F) + "------------");
        put(call, "");
        put(call, "");
        for (int r = 1; r <= call.rows(); ++r)
            put(call, std::string(call.marker(r)) + F(call.offset(r), 6, 1) +
                          F(call.value(1, r), 8, 1) + ES(call.value(2, r), 10, 2) +
                          ES(call.value(3, r), 10, 2) + ES(call.value(4, r), 10, 2) +
                          F(call.value(5, r), 8, 1) + F(call.value(6, r), 9, 1) +
                          F(call.value(7, r), 9, 1) + F(call.value(8, r), 9, 1));
    }
}

// Code 95: the load applied and the equilibrium position reached at every row; no marker.
void equilibrium_positions(const TableCall& call) {
    const HeadLabels h(call.options->NUNTS);
    put(call, "");
    put(call, X(32) + "----  C.G. Offset ----   --- Angular Offset ---");
    put(call, "Offset  Force    Moment                " + h.P(h.L) + "                     (deg)");
    put(call, "Number " + h.P(h.F) + " " + h.P(h.E) +
                  "    Gx        Gy        Gz     Pitch    Roll    Yaw");
    put(call, "");
    for (int r = 1; r <= call.rows(); ++r)
        put(call, truncated_int(call.offset(r), 3) + X(1) + ES(call.value(1, r), 10, 2) +
                      ES(call.value(2, r), 10, 2) + F(call.value(3, r), 10, 3) +
                      F(call.value(4, r), 10, 3) + F(call.value(5, r), 10, 3) +
                      F(call.value(6, r), 8, 2) + F(call.value(7, r), 8, 2) +
                      F(call.value(8, r), 8, 2));
}

} // namespace

// write_summary_table: one summary table by its code, then the table tail.
void write_summary_table(const TableCall& call) {
    switch (call.IDENT) {
    case 99:
        most_exposed_line(call);
        break;
    case 97:
        hawser_characteristics(call);
        break;
    case 96:
        most_exposed_energy(call);
        break;
    case 94:
        hawser_energy(call);
        break;
    case 98:
        cross_coupling(call);
        break;
    case 95:
        equilibrium_positions(call);
        break;
    default:
        return;
    }
    write_table_tail(call);
}

} // namespace lintar
