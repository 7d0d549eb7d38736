// low_frequency/mode_report.cpp: the single-amplitude and coupled-mode blocks of section V.
#include "low_frequency/mode_report.h"

#include "blocks/equilb.h"
#include "blocks/tpcm.h"
#include "line_dynamics/excursion_correction.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/flags.h"
#include "util/unit_labels.h"

#include <algorithm>
#include <array>
#include <complex>
#include <string_view>

namespace lintar {

namespace {

// Damping words are fractions of critical times 2; the report prints per cent of critical.
constexpr float percent_of_critical = 50.0f;

// The translational labels serve modes 1 and 6 and, without the turret rule, mode 2.
bool translational(std::int32_t IMOTN, bool LSPM) {
    return IMOTN == 1 || IMOTN == 6 || (IMOTN == 2 && !LSPM);
}

// A label by unit system: metric (1), English (0), kilonewtons (any other).
std::string by_units(std::int32_t NUNTS, std::string_view metric, std::string_view english,
                     std::string_view newtons) {
    if (NUNTS == 1)
        return std::string(metric);
    if (NUNTS == 0)
        return std::string(english);
    return std::string(newtons);
}

// A value whose divisor is zero has no finite value: its field is left blank instead of
// printing an infinity.
std::string quotient_field(float x, float divisor, int w, int d, bool exponent) {
    if (divisor == 0.0f)
        return std::string(static_cast<std::size_t>(w), ' ');
    const float q = x / divisor;
    return exponent ? E(q, w, d) : F(q, w, d);
}

class BlockWriter {
public:
    explicit BlockWriter(int unit) : unit_(unit) {}
    void line(std::string_view text) const { write_record(unit_, text); }
    void blank() const { write_record(unit_, ""); }
    // Seven blanks, the 45-character label, F10.2 and the unit.
    void value(std::string_view label, float x, std::string_view unit) const {
        line("       " + std::string(label) + F(x, 10, 2) + std::string(unit));
    }

private:
    int unit_;
};

// The parts of the damping part that LOWPK2 and LOWMODE share; the damping conversion and the
// modal stiffness are LOWPK2's alone and sit between the period's lines and the last ones.
void period_and_damping(const BlockWriter& out, const LfModeRecord& STUFF, std::int32_t LDAMP,
                        std::int32_t IMOTN) {
    const TpcmBlock& T = TPCM;
    out.value("Undamped period ............................ ", STUFF(TSURG.w), " sec");
    if (LDAMP == 0) {
        const auto due_to = [&](std::string_view label, float x) {
            out.value("Damping due to " + std::string(label), x, " percent");
        };
        const auto budget = [&](std::string_view label, int w) {
            due_to(label, STUFF(w) * percent_of_critical);
        };
        const bool drag = T.LEGDRG == 0;
        out.value("Still water damping ........................ ",
                  STUFF(GAMSTW.w) * percent_of_critical, " percent");
        if (T.LWIND != 0)
            budget("wind ........................ ", GAMWND.w);
        if (T.LCURNT != 0)
            budget("current ..................... ", GAMCUR.w);
        if (T.LRANDM != 0)
            budget("wave reflection ............. ", GAMWV.w);
        if (T.LRANDM != 0 && drag)
            budget("wave drag ................... ", GMWDG.w);
        if (T.LSWELL != 0) {
            budget("swell reflection ............ ", GAMSWL.w);
            if (drag)
                budget("swell drag .................. ", GMSDG.w);
        }
        if (T.LSWEL2 != 0) {
            budget("swell #2 reflection ......... ", GAMSWL_2.w);
            if (drag)
                budget("swell #2 drag ............... ", GMSDG_2.w);
        }
        if ((T.LRANDM != 0 || T.LSWELL != 0) && T.SIMTYP != 11)
            budget("wave-frequency line motions . ", GAMLIN.w);
        // The thrusters' damping is printed as stored.
        if (IMOTN == 1 && BITVAL(T.DPRFLG, 1) != 0)
            due_to("dynamic positioning thrusters ", T.DPXDMP);
        if (IMOTN == 2 && BITVAL(T.DPRFLG, 1) != 0)
            due_to("dynamic positioning thrusters ", T.DPYDMP);
        if (IMOTN == 3 && BITVAL(T.DPAFLG, 1) != 0)
            due_to("dynamic positioning thrusters ", T.DPADMP);
        if (T.AUXFRC == 1)
            budget("User Specified Force #1 ..... ", GM1UF1.w);
        if (T.AXFC2 == 1)
            budget("User Specified Force #2 ..... ", GM1UF2.w);
        if (T.AXFC3 == 1)
            budget("User Specified Force #3 ..... ", GM1UF3.w);
        out.blank();
        out.value("Total damping from linear sources .......... ",
                  STUFF(GAMTOT.w) * percent_of_critical, " percent");
        if (T.SIMTYP != 11) {
            out.blank();
            out.value("Linearized square-law line damping ......... ",
                      STUFF(GMLNSG.w) * percent_of_critical, " percent");
        }
        out.value("Linearized square-law hull damping ......... ",
                  (STUFF(GAMQSG.w) - STUFF(GMLNSG.w)) * percent_of_critical, " percent");
    }
    out.blank();
    out.value("Net equivalent linear damping .............. ", STUFF(EGMSG.w) * percent_of_critical,
              " percent");
}

void spectral_densities(const BlockWriter& out, std::int32_t IMOTN) {
    const TpcmBlock& T = TPCM;
    const std::string unit = T.NUNTS == 0 ? " (ft/s)^2/(rad/s)" : " (m/s)^2/(rad/s)";
    float wind = T.WNDDEN;
    float current = T.CURDEN;
    if (IMOTN == 2) {
        wind = T.WNDDNY;
        current = T.CURDNY;
    } else if (IMOTN == 3) {
        wind = T.WNDDNZ;
        current = T.CURDNZ;
    }
    if (T.LWIND == 1) {
        out.blank();
        out.line("       Wind spectral density:    " + E(wind, 10, 3) + unit);
    }
    if (T.LCURNT == 1)
        out.line("       Current spectral density: " + E(current, 10, 3) + unit);
}

// A sigma source of the variation part: its position in the record, its label, whether it
// is there and whether it is printed.
struct SigmaSource {
    int w;
    std::string_view label;
    bool present;
    bool printed;
};

} // namespace

// PHYSDP: the damping unit label. Reads and writes nothing else.
std::string PHYSDP(std::int32_t IMOTN, bool LSPM, std::int32_t NUNTS) {
    if (translational(IMOTN, LSPM))
        return by_units(NUNTS, " m.ton/(m/sec)", " k.lb/(ft/sec)", " k.Nwtn/(m/sec)");
    return by_units(NUNTS, " m.ton*m./(rad/sec)", " ft*kip/(rad/sec)", " k.Nwtn*m./(rad/sec)");
}

// SPRNGUNT: the stiffness unit label. Reads and writes nothing else.
std::string SPRNGUNT(std::int32_t IMOTN, bool LSPM, std::int32_t NUNTS) {
    if (translational(IMOTN, LSPM))
        return by_units(NUNTS, " m.ton/m", " k.lb/ft", " k.Nwtn/m");
    return by_units(NUNTS, " m.ton*m./rad", " kip*ft/rad", " k.Nwtn*m./rad");
}

// PK_FAC_LOC: the one-sided peak value of a pass. Reads and writes nothing else.
float PK_FAC_LOC(std::int32_t I, float PK_SIDE, float EQLOFF, float PK_MAX, float PK_MIN) {
    const bool positive = EQLOFF == 0.0f ? PK_SIDE > 0.0f : PK_SIDE * EQLOFF > 0.0f;
    const bool first = I == 1;
    return positive == first ? PK_MAX : PK_MIN;
}

namespace {

// The damping part of LOWPK2: period and damping, the damping conversion, the modal
// stiffness and the spectral densities.
void write_damping_part(const BlockWriter& out, const LfModeRecord& STUFF, const ModeCurve& curve,
                        std::int32_t LDAMP, std::int32_t IMOTN, bool turret_legacy) {
    const TpcmBlock& T = TPCM;
    period_and_damping(out, STUFF, LDAMP, IMOTN);
    out.blank();
    out.line(
        "       Damping conversion:  1% = " + quotient_field(0.04f, STUFF(GAMFAC.w), 10, 3, true) +
        PHYSDP(IMOTN, turret_legacy, T.NUNTS));
    out.line("       Average Modal Stiffness:  " + E(curve.SPRNGK, 10, 3) +
             SPRNGUNT(IMOTN, turret_legacy, T.NUNTS));
    spectral_densities(out, IMOTN);
}

// The extremes of pass I (p the side's sign): the most probable extreme in the storm and,
// with XTRMFL 1, the ensemble values; the sway of a legacy turret also as angles.
template <class Corrected, class AngleField>
void write_pass_extremes(const BlockWriter& out, const LfModeRecord& STUFF, const ModeCurve& curve,
                         std::int32_t I, float p, const std::string& unit, float unit_factor,
                         bool sway_as_angle, const Corrected& corrected,
                         const AngleField& angle_field) {
    const TpcmBlock& T = TPCM;
    const float sigma = STUFF(VARTOT.w);
    const float side = STUFF(PK_SURG_SIDE.w);
    const float e1 = corrected(
        p * PK_FAC_LOC(I, side, curve.EQLOFF, sigma * STUFF(FSGPK.w), sigma * STUFF(FSGPQ.w)));
    const float e2 = corrected(
        p * PK_FAC_LOC(I, side, curve.EQLOFF, sigma * STUFF(FSGPKM.w), sigma * STUFF(FSGPQM.w)));
    const float e3 = corrected(
        p * PK_FAC_LOC(I, side, curve.EQLOFF, sigma * STUFF(FSGPKS.w), sigma * STUFF(FSGPQS.w)));
    const std::string storm =
        "       Most probable extreme (MPE) in " + F(T.DURATN, 4, 1) + " hr. storm";
    out.blank();
    out.line(storm + F(e1 * unit_factor, 10, 2) + unit);
    if (T.XTRMFL == 1) {
        out.value("Multi-storm ensemble mean variation ........ ", e2 * unit_factor, unit);
        out.value("Mean + ensemble-wide standard deviation .... ", e3 * unit_factor, unit);
    }
    if (sway_as_angle) {
        out.blank();
        out.line(storm + angle_field(e1 * unit_factor) + " degrees");
        if (T.XTRMFL == 1) {
            out.line("       Multi-storm ensemble mean variation ........ " +
                     angle_field(e2 * unit_factor) + " degrees");
            out.line("       Mean + ensemble-wide standard deviation .... " +
                     angle_field(e3 * unit_factor) + " degrees");
        }
    }
}

} // namespace

// LOWPK2: the damping part unless SKIP_NM, then the two passes of the variation part. Reads
// TPCM; writes IUNIT; ends the run only through NLNCOR.
void LOWPK2(const LfModeRecord& STUFF, const ModeCurve& curve, std::int32_t LDAMP,
            std::int32_t IMOTN, float NETARM, bool LEGACY, bool SKIP_NM) {
    const TpcmBlock& T = TPCM;
    const BlockWriter out(T.IUNIT);
    const bool LSPM = T.LSPM != 0;
    // The unit labels and the angular lines treat the sway of a legacy turret file as a turn.
    const bool turret_legacy = LSPM && LEGACY;

    if (!SKIP_NM)
        write_damping_part(out, STUFF, curve, LDAMP, IMOTN, turret_legacy);

    const bool two = T.ONETWO == 0;
    const std::string word = two ? "Two" : "One";
    const float multiple = two ? 2.0f : 1.0f;
    const bool NLNCLC = T.SIMTYP != 14 && (IMOTN == 1 || ((IMOTN == 2 || IMOTN == 3) && !LSPM));
    const bool angular = IMOTN >= 3 && IMOTN <= 5;
    const std::string unit = angular ? std::string(" degrees") : std::string(UNITP(T.NUNTS + 7));
    const float unit_factor = angular ? degrees_per_radian : 1.0f;
    const bool sway_as_angle = IMOTN == 2 && turret_legacy;
    // The energy tables hold energy_curve_points entries; a longer table length reads no
    // further than they go.
    const std::int32_t NERG =
        std::min<std::int32_t>(T.NUMTAB, static_cast<std::int32_t>(curve.ERG.size()));
    const auto corrected = [&](float x) {
        if (!NLNCLC)
            return x;
        float DXNLIN = x;
        std::int32_t MIN = 0;
        NLNCOR(curve.ERG, curve.EQB, curve.DXMOT, x, DXNLIN, curve.SPRNGK, curve.FENV, curve.EQLOFF,
               NERG, MIN, LSPM, T.EDUNIT);
        return DXNLIN;
    };
    const auto angle_field = [&](float x) {
        return quotient_field(x * degrees_per_radian, NETARM, 10, 2, false);
    };

    out.blank();
    out.value("Offset associated with mean environment .... ", curve.EQLOFF * unit_factor, unit);

    const bool drag = T.LEGDRG == 0;
    const std::array<SigmaSource, 11> sources = {{
        {VARWND.w, "wind ....................", T.LWIND != 0 && T.WNDTYP != 3, true},
        {VARCUR.w, "current .................", T.LCURNT != 0 && T.CURTYP != 0, true},
        {VARWAV.w, "wave reflection .............", T.LRANDM != 0, true},
        {VWVDG.w, "wave drag ...............", T.LRANDM != 0, drag},
        {VARSWL.w, "swell reflection ........... ", T.LSWELL != 0, true},
        {VSWDG.w, "swell drag ..............", T.LSWELL != 0, drag},
        {VARSWL_2.w, "swell #2 reflection ..........", T.LSWELL != 0 && T.LSWEL2 != 0, true},
        {VSWDG_2.w, "swell #2 drag ...........", T.LSWELL != 0 && T.LSWEL2 != 0, drag},
        {VR1UF1.w, "User Force #1 ...........", T.AUXFRC == 1, true},
        {VR1UF2.w, "User Force #2 ...........", T.AXFC2 == 1, true},
        {VR1UF3.w, "User Force #3 ...........", T.AXFC3 == 1, true},
    }};

    const float OFFSET_SIGN = curve.EQLOFF >= 0.0f ? 1.0f : -1.0f;
    for (std::int32_t I = 1; I <= 2; ++I) {
        const float p = I == 1 ? OFFSET_SIGN : -OFFSET_SIGN;
        out.blank();
        if (IMOTN == 1 || IMOTN == 3 || LEGACY)
            out.line(std::string(" ++> Variations that <<") + (I == 1 ? "INCREASE" : "REDUCE") +
                     ">> mean environmental offset:");
        else
            out.line(" ++> Variations orthogonal to mean environmental offset (right-hand rule):");
        out.blank();

        for (const SigmaSource& s : sources) {
            if (!s.present)
                continue;
            const float x = corrected(p * multiple * STUFF(s.w));
            if (s.printed)
                out.line("       " + word + " sigma variation; " + A(s.label, 23) + " " +
                         F(x * unit_factor, 10, 2) + unit);
        }
        const float total = corrected(p * multiple * STUFF(VARTOT.w));
        if (sway_as_angle) {
            out.value("Total " + word + " sigma variation at midship ....... ", total * unit_factor,
                      unit);
            out.line("       Total " + word + " sigma angular variation .......... " +
                     angle_field(total * unit_factor) + " degrees");
        } else {
            out.value("Total " + word + " sigma variation .................. ", total * unit_factor,
                      unit);
        }

        write_pass_extremes(out, STUFF, curve, I, p, unit, unit_factor, sway_as_angle, corrected,
                            angle_field);
    }
}

// LOWMODE: the shared damping lines and the mode's contributions. Reads TPCM and EQUILB;
// writes IUNIT; never ends the run.
void LOWMODE(const LfModeRecord& STUFF, const LfModeRecord& STUFF1, const LfModeRecord& STUFF2,
             const LfModeRecord& STUFF3, std::int32_t LDAMP, std::int32_t IMOTN) {
    const TpcmBlock& T = TPCM;
    const BlockWriter out(T.IUNIT);
    period_and_damping(out, STUFF, LDAMP, IMOTN);
    spectral_densities(out, IMOTN);

    const std::string length(UNITP(T.NUNTS + 7));
    const float radial = std::abs(EQUILB.COMPs_VEC(1, IMOTN).get());
    const float across = std::abs(EQUILB.COMPs_VEC(2, IMOTN).get());
    const float yaw = std::abs(EQUILB.COMPs_VEC(3, IMOTN).get());
    out.blank();
    out.line(" ++> Mode #" + I(IMOTN, 1) + " mooring centroid RMS motion contributions");
    out.blank();
    out.value("Radial (aligned with mean offset) .......... ", STUFF1(VARTOT.w) * radial, length);
    out.value("Perpendicular (orthogonal to mean offset) .. ", STUFF2(VARTOT.w) * across, length);
    out.value("Yaw ........................................ ",
              STUFF3(VARTOT.w) * degrees_per_radian * yaw, " degrees");
    out.blank();
}

} // namespace lintar
