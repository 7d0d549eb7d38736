// low_frequency/static_equilibrium_summary.cpp: section IV of the low-frequency report.
#include "low_frequency/static_equilibrium_summary.h"

#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/flags.h"
#include "util/prompts.h"
#include "util/unit_labels.h"

#include <array>
#include <cmath>
#include <string>
#include <string_view>

namespace lintar {

namespace {

// A fixed force of TPCM: its switch, components, axes and point of action.
struct FixedForce {
    std::int32_t on;
    float x, y, moment;
    std::int32_t axes;     // 1: vessel axes, else global axes
    std::int32_t moorings; // 1: acts on the moorings, else on the vessel
};

std::array<FixedForce, 3> fixed_forces() {
    const TpcmBlock& T = TPCM;
    return {{{T.AUXFRC, T.XVFRC, T.YVFRC, T.VESMOM, T.CRDSYS, T.LVMR1},
             {T.AXFC2, T.XVFRC2, T.YVFRC2, T.VESMO2, T.CRDS2, T.LVMR2},
             {T.AXFC3, T.XVFRC3, T.YVFRC3, T.VESMO3, T.CRDS3, T.LVMR3}}};
}

// A force pair: "(", x, ",", y, ")" with each value in F9.1.
std::string pair(float x, float y) {
    return "(" + F(x, 9, 1) + "," + F(y, 9, 1) + ")";
}

// Text starting in the given column of a record that begins with `head`.
std::string at_column(std::string_view head, int column, std::string_view text) {
    Record r;
    r << head;
    r.T(column) << text;
    return r.text();
}

} // namespace

// write_static_equilibrium_summary: the moments of TORQUE2 at VESANG, then the page.
void write_static_equilibrium_summary(const LowReportFlags& flags) {
    write_static_equilibrium_summary(flags, TORQUE2(EQUILB.VESANG()));
}

namespace {

// The page's unit and its unit words.
struct PageUnits {
    int IUNIT = 1;
    std::string MUNIT, FUNIT, AUNIT, force, moment_word, length;
};

PageUnits page_units() {
    const TpcmBlock& T = TPCM;
    const bool english = T.NUNTS == 0;
    PageUnits u;
    u.IUNIT = T.IUNIT;
    u.MUNIT = english ? " ft-kips" : " m.ton-m";
    u.FUNIT = english ? " k.lbs" : " m.ton";
    u.AUNIT = english ? "ft" : "m ";
    u.force = UNITP(T.NUNTS).substr(0, 12);
    u.moment_word = UNITS(T.NUNTS + 19);
    u.length = UNITP(T.NUNTS + 7);
    return u;
}

// The page heading, the headings and the offset of the equilibrium.
void write_equilibrium_position(const PageUnits& u, const LowReportFlags& flags) {
    const TpcmBlock& T = TPCM;
    const EquilbBlock& B = EQUILB;
    const auto line = [&u](std::string_view text) { write_record(u.IUNIT, text); };
    const int IUNIT = u.IUNIT;
    const std::string& length = u.length;
    const float VESANG = B.VESANG();
    PAGE(IUNIT, T.EDUNIT, 1, 99);
    line(" ***********           IV.  STATIC EQUILIBRIUM SUMMARY           ***********");
    LINES(IUNIT, 2);
    line(" >>> Most stable equilibrium <<<");
    line(" -- (Global Coordinate System) --");
    line("   Vessel heading ............................. " +
         F(REDDEG(VESANG * degrees_per_radian), 10, 2) + " degrees");
    if (T.SIMTYP == 15)
        line("   Turret heading ............................. " +
             F(REDDEG(B.TRTNGL * degrees_per_radian), 10, 2) + " degrees");

    const float XTMP = B.RVES(1);
    const float YTMP = B.YCGVAR();
    // An offset at the origin has no direction; it prints 0 whatever the signs of the zeros.
    const float direction =
        XTMP == 0.0f && YTMP == 0.0f ? 0.0f : std::atan2(YTMP, XTMP) * degrees_per_radian;
    line("");
    line("   " + flags.CENTROID + " Global X displacement .... " + F(XTMP, 10, 2) + length);
    line("   " + flags.CENTROID + " Global Y displacement .... " + F(YTMP, 10, 2) + length);
    line("   " + flags.CENTROID + " Global offset direction .. " + F(direction, 10, 2) +
         " degrees");
}

// The fixed forces and moments as given, and the dynamic-positioning settings.
void write_fixed_forces(const PageUnits& u, const std::array<FixedForce, 3>& forces) {
    const TpcmBlock& T = TPCM;
    const auto line = [&u](std::string_view text) { write_record(u.IUNIT, text); };
    const std::string& MUNIT = u.MUNIT;
    const std::string& FUNIT = u.FUNIT;
    const std::string& AUNIT = u.AUNIT;
    const std::string& force = u.force;
    const bool dp_heading = BITVAL(T.DPAFLG, 1) != 0;
    const bool dp_position = BITVAL(T.DPRFLG, 1) != 0;
    for (std::size_t k = 0; k < forces.size(); ++k) {
        const FixedForce& f = forces[k];
        if (f.on == 0)
            continue;
        const std::string number = std::to_string(k + 1);
        line("");
        line(" Fixed force/moment #" + number + " on " +
             (f.moorings == 1 ? "<moorings>" : "<<vessel>>") + " in " +
             (f.axes == 1 ? "<<Vessel>>" : "<<Global>>") + " system");
        line(at_column("   User-specified (x,y) forces:", 44, pair(f.x, f.y) + FUNIT));
        line(at_column("   User-specified vertical moment:", 57, E(f.moment, 10, 3) + " " + MUNIT));
    }
    if (dp_heading) {
        line("");
        line(" Dynamic Positioning <<Vessel>>");
        line("");
        line(at_column("   D-P mean vertical moment:", 57, E(T.DPMOM, 10, 3) + " " + MUNIT));
        line(at_column("   D-P torsional spring coefficient:", 57,
                       E(T.DPASPR, 10, 3) + MUNIT + "/rad"));
    }
    if (dp_position) {
        line(" ");
        line(at_column("   D-P mean (x,y) forces:", 44, pair(T.DPXFRC, T.DPYFRC) + force));
        line(at_column("   D-P lateral (x,y) spring coefficients:", 47,
                       "(" + F(T.DPXSPR, 9, 1) + "," + F(T.DPYSPR, 9, 1) + ") " + FUNIT + "/" +
                           AUNIT));
    }
}

// The mean environmental forces in vessel axes by source, and their net.
void write_environmental_forces(const PageUnits& u, const std::array<FixedForce, 3>& forces) {
    const TpcmBlock& T = TPCM;
    const EquilbBlock& B = EQUILB;
    const auto line = [&u](std::string_view text) { write_record(u.IUNIT, text); };
    const std::string& force = u.force;
    const float VESANG = B.VESANG();
    const bool dp_position = BITVAL(T.DPRFLG, 1) != 0;
    line("");
    line(" Environmental forces: Most stable equilibrium");
    line("");
    line(" -- (Earth-Vertical Vessel Coordinates; X-Axis = Vessel Centerline) --");
    line("");
    const bool drag = T.LEGDRG == 0;
    const auto force_line = [&](std::string_view source, float x, float y) {
        line("   Mean (x,y) forces; " + std::string(source) + " " + pair(x, y) + force);
    };
    if (T.LWIND != 0)
        force_line("wind:               ", B.SXWND, B.SYWND);
    if (T.LRANDM != 0)
        force_line("wave reflection:    ", B.SXWAV, B.SYWAV);
    if (T.LRANDM != 0 && drag)
        force_line("wave drag:          ", B.SXWVDG, B.SYWVDG);
    if (T.LSWELL != 0)
        force_line("swell reflection:   ", B.SXSWL, B.SYSWL);
    if (T.LSWELL != 0 && drag)
        force_line("swell drag:         ", B.SXSWDG, B.SYSWDG);
    if (T.LSWEL2 != 0)
        force_line("swell #2 reflection:", B.SXSWL2, B.SYSWL2);
    if (T.LSWEL2 != 0 && drag)
        force_line("swell #2 drag:      ", B.SXSWDG2, B.SYSWDG2);
    if (T.LCURNT != 0)
        force_line("current (vessel):   ", B.SXCUR, B.SYCUR);
    if (T.LCURNT != 0 && T.LCURML != 0) {
        const float a = LINCOM.CURF_ANG_LINS - VESANG;
        force_line("current (lines):    ", LINCOM.FCURNT_LNS * std::cos(a),
                   LINCOM.FCURNT_LNS * std::sin(a));
    }
    for (std::size_t k = 0; k < forces.size(); ++k) {
        const FixedForce& f = forces[k];
        if (f.on == 0)
            continue;
        float x = f.x;
        float y = f.y;
        if (f.axes != 1) { // global axes turned into vessel axes
            x = f.x * std::cos(VESANG) + f.y * std::sin(VESANG);
            y = f.y * std::cos(VESANG) - f.x * std::sin(VESANG);
        }
        line(at_column("   User-specified #" + std::to_string(k + 1) + " (x,y) forces:", 44,
                       pair(x, y) + force));
    }
    if (dp_position)
        line(at_column("   D-P mean (x,y) forces:", 44, pair(T.DPXFRC, T.DPYFRC) + force));
    line("");
    line("   Net mean (x,y) environmental forces:    " + pair(B.FXENV, B.FYENV) + force);
}

// The mean yaw moments by source, and their net.
void write_environmental_moments(const PageUnits& u, const std::array<FixedForce, 3>& forces,
                                 const TorqueParts& moments) {
    const TpcmBlock& T = TPCM;
    const EquilbBlock& B = EQUILB;
    const auto line = [&u](std::string_view text) { write_record(u.IUNIT, text); };
    const std::string& moment_word = u.moment_word;
    const bool drag = T.LEGDRG == 0;
    const bool dp_heading = BITVAL(T.DPAFLG, 1) != 0;
    line("");
    line(" Environmental moments: Most stable equilibrium");
    line("");
    line(" -- (Moments about mooring centroid: Vx =" + F(B.YAWARM, 8, 2) + ") --");
    line("");
    const auto moment_line = [&](std::string_view source, float m) {
        line("   Mean z moment; " + std::string(source) + F(m, 15, 1) + " " + moment_word);
    };
    if (T.LWIND != 0)
        moment_line("wind:               ", moments.WIND_TQ);
    if (T.LRANDM != 0)
        moment_line("wave reflection:    ", moments.WAV_RFL_TQ);
    if (T.LRANDM != 0 && drag)
        moment_line("wave drag:          ", moments.WAV_DRG_TQ);
    if (T.LSWELL != 0)
        moment_line("swell reflection:   ", moments.SWEL_RFL_TQ);
    if (T.LSWELL != 0 && drag)
        moment_line("swell drag:         ", moments.SWEL_DRG_TQ);
    if (T.LSWEL2 != 0)
        moment_line("swell #2 reflection:", moments.SWEL_RFL_TQ2);
    if (T.LSWEL2 != 0 && drag)
        moment_line("swell #2 drag:      ", moments.SWEL_DRG_TQ2);
    if (T.LCURNT != 0)
        moment_line("current (vessel):   ", moments.CUR_TQ);
    const std::array<float, 3> user_moments = {moments.AUX1_TQ, moments.AUX2_TQ, moments.AUX3_TQ};
    const auto at_39 = [&](std::string_view head, float m) {
        line(at_column(head, 39, F(m, 15, 1) + " " + moment_word));
    };
    for (std::size_t k = 0; k < forces.size(); ++k)
        if (forces[k].on != 0)
            at_39("   User-specified #" + std::to_string(k + 1) + " moment:", user_moments[k]);
    if (dp_heading)
        at_39("   D-P mean moment:", moments.DP_TQ);
    line("");
    at_39("   Net Mean z moment:", moments.TORQUE_VAL);
}

} // namespace

// write_static_equilibrium_summary: the page with given moments. Reads TPCM, EQUILB, LINCOM;
// writes IUNIT; never ends the run.
void write_static_equilibrium_summary(const LowReportFlags& flags, const TorqueParts& moments) {
    const PageUnits u = page_units();
    const std::array<FixedForce, 3> forces = fixed_forces();
    write_equilibrium_position(u, flags);
    write_fixed_forces(u, forces);
    write_environmental_forces(u, forces);
    write_environmental_moments(u, forces, moments);
}

} // namespace lintar
