// motions/rao_report.cpp: RUTIL, RAOOUT and HEADR2.
#include "motions/rao_report.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "motions/response_indices.h"
#include "motions/response_spectra.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/bessel_gamma.h"
#include "util/prompts.h"
#include "util/unit_labels.h"

#include <cmath>
#include <complex>
#include <string>
#include <string_view>
#include <vector>

namespace lintar {

namespace {

// The text without its trailing blanks.
std::string trimmed(std::string_view text) {
    const auto end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

// A line of the report, and with IPLOTS 1 the same fields separated by tabs on the plot file.
void report_line(const std::string& text, const std::vector<std::string>& plot_fields) {
    write_record(TPCM.IUNIT, text);
    if (TPCM.IPLOTS != 1)
        return;
    std::string plot;
    for (std::size_t i = 0; i < plot_fields.size(); ++i) {
        if (i > 0)
            plot += '\t';
        plot += plot_fields[i];
    }
    write_record(rao_plot_unit, plot);
}
void report_line(const std::string& text) {
    report_line(text, {trimmed(text.substr(std::min(text.find_first_not_of(' '), text.size())))});
}

// The length unit of the headings: "FT" or "M.".
std::string length_unit() {
    return std::string(CAPUN(TPCM.NUNTS + 2)).substr(0, 2);
}

// The speed along the wave direction of heading IRAO.
float speed_along_waves() {
    return TPCM.VFWD * std::cos((HIMEM.REDANG(WAVCOM.IRAO) - TPCM.VGLDIR) / degrees_per_radian);
}

// The RAO of degree of freedom d at grid point IW (HIMEM IW and its indices set), corrected to
// the centre of gravity when LCGFLG is 1.
std::complex<float> column_value(int d, bool force_table) {
    HimemBlock& H = HIMEM;
    const std::int32_t IWM = H.IWM;
    const auto rao = [&](int dof) { return H.CRLDUM((dof - 1) * H.NARRAY + IWM + 1).get(); };
    std::complex<float> C = rao(d);
    if (TPCM.LCGFLG != 1)
        return C;
    const float CTMPP = H.VTCRP - TPCM.VKG;
    const float CTMPR = H.VTCRR - TPCM.VKG;
    if (force_table) {
        // Torques about the centre of gravity from the forces; no transfer on an axis whose
        // metacentric height is not positive.
        if (d == 5)
            C += (H.GML > 0.0f ? CTMPP / H.GML : 0.0f) * rao(1);
        if (d == 4)
            C -= (H.GMT > 0.0f ? CTMPR / H.GMT : 0.0f) * rao(2);
    } else {
        if (d == 1)
            C -= CTMPP * rao(5);
        if (d == 2)
            C += CTMPR * rao(4);
    }
    return C;
}

// The amplitude of a column value as reported: a response rotation in degrees per unit length
// (LENDEG 1) or per unit wave slope.
float reported_amplitude(std::complex<float> C, int d, bool force_table, float k) {
    float amp = std::abs(C);
    if (!force_table && d >= 4)
        amp = TPCM.LENDEG == 1 ? amp * degrees_per_radian : amp / k;
    return amp;
}

// The period of grid point IW as tabulated: the encounter period of a moving vessel.
float tabulated_period(int IW, float VCOMP) {
    const HimemBlock& H = HIMEM;
    if (TPCM.VFWD == 0.0f)
        return TPCM.T(IW);
    return two_pi_single / (H.RLDUM(H.LW) - H.RLDUM(H.LWK) * VCOMP);
}

// The unit label of a response column (9 characters).
std::string_view response_unit(int d) {
    const bool metric = TPCM.NUNTS == 1;
    if (d <= 3)
        return metric ? "( M./ M.)" : "(FT./FT.)";
    if (TPCM.LENDEG == 1)
        return metric ? "(DEG/ M.)" : "(DEG/FT.)";
    return "(DEG/DEG)";
}

// The curve blocks of IPLOTS 2, one per column.
void plot_curves(bool force_table, float VCOMP) {
    HimemBlock& H = HIMEM;
    const int NWP = TPCM.NWP;
    const bool metric = TPCM.NUNTS == 1;
    for (int c = 1; c <= H.NCOL; ++c) {
        const int d = H.IDCLMN(c);
        write_record(rao_plot_unit, I(H.NCURV, 5));
        write_record(rao_plot_unit, "ENCOUNTER PERIOD IN SECONDS");
        if (force_table) {
            write_record(rao_plot_unit, "DIMENSIONLESS RAO");
        } else {
            const std::string u1 = d <= 3 ? (metric ? "  M" : " FT") : "DEG";
            const std::string u2 =
                d <= 3 || TPCM.LENDEG == 1 ? (metric ? "M  " : "FT ") : std::string("DEG");
            write_record(rao_plot_unit, u1 + " PER " + u2);
        }
        write_record(rao_plot_unit,
                     std::string(force_table ? "FORCE/TORQUE RAO (S.A./S.A.) FOR WAVE HEADING"
                                             : "RESPONSE RAO (S.A./S.A.) FOR WAVE HEADING") +
                         F(H.REDANG(WAVCOM.IRAO), 8, 2) + " DEGREES");
        write_record(rao_plot_unit, I(NWP, 5));
        write_record(rao_plot_unit, I(H.IXFLAG, 5));
        if (H.IXFLAG != 0) {
            for (int IW = 1; IW <= NWP; ++IW) {
                H.IW = IW;
                INDXUP();
                write_record(rao_plot_unit, F(tabulated_period(IW, VCOMP), 8, 2));
            }
            H.IXFLAG = 0;
        }
        for (int IW = 1; IW <= NWP; ++IW) {
            H.IW = IW;
            INDXUP();
            const float k = H.RLDUM(H.LWK);
            write_record(
                rao_plot_unit,
                F(reported_amplitude(column_value(d, force_table), d, force_table, k), 8, 2));
        }
        write_record(rao_plot_unit, trimmed(DOF(d)));
        H.NCURV = H.NCURV + 1;
    }
}

} // namespace

// RUTIL: see the header.
void RUTIL() {
    HimemBlock& H = HIMEM;
    H.NCOL = 0;
    bool ROLL = TPCM.MOTION(4) == 1;
    int count = 0;
    for (int d = 1; d <= 6; ++d) {
        if (TPCM.MOTION(d) == 0)
            continue;
        ++count;
        H.NCOL = H.NCOL + 1;
        H.IDCLMN(H.NCOL) = d;
        if (count == 3) {
            if (d >= 4 && ROLL) {
                RAOOUT(true);
                ROLL = false;
            } else {
                RAOOUT(false);
            }
            H.NCOL = 0;
        }
    }
    if (count != 0 && count != 3)
        RAOOUT(ROLL);
}

// HEADR2: see the header.
void HEADR2(bool ROLINF) {
    const TpcmBlock& P = TPCM;
    const int IUNIT = P.IUNIT;
    const bool plot = P.IPLOTS == 1;
    const auto both = [&](const std::string& text) {
        write_record(IUNIT, text);
        if (plot)
            write_record(rao_plot_unit, text);
    };
    PAGE(IUNIT, P.EDUNIT, 1, 99);
    const std::string edge = "   **" + std::string(72, ' ') + "**";
    both(edge);
    both("   ***************  II.  UNMOORED VESSEL MOTION CHARACTERISTICS  **************");
    both(edge);
    write_record(IUNIT, "");
    write_record(IUNIT, "");
    const std::string lead(31, ' ');
    const std::string unit = length_unit();
    both("     ----  REGULAR WAVE DATA:  WAVE HEADING        =" +
         F(HIMEM.REDANG(WAVCOM.IRAO), 6, 1) + " DEG");
    both(lead + "WAVE " + A(CAPUN(P.LSLPHT == 0 ? 11 : 10), 7) + "        =" + F(P.SLPHT, 6, 1) +
         " " + (P.LSLPHT == 0 ? trimmed(unit) : std::string("DEG")));
    both(lead + "VESSEL SPEED        =" + F(P.VFWD, 6, 1) + " " + unit + "/SEC");
    both(lead + "DIRECTION OF MOTION =" + F(P.VFWD != 0.0f ? P.VGLDIR : 0.0f, 6, 1) + " DEG");
    if (HIMEM.LFRFLG == 0 && P.VESTYP == 1 && ROLINF) {
        const float damping = P.LRLDMP != 0 ? P.RLDAMP : HIMEM.GAMRLI * 50.0f;
        write_record(IUNIT, lead + "ROLL DAMPING        =" + F(damping, 6, 1) + " PERCENT");
    }
    write_record(IUNIT, "");
}

// RAOOUT: see the header.
void RAOOUT(bool ROLINF) {
    TpcmBlock& P = TPCM;
    HimemBlock& H = HIMEM;
    const int IUNIT = P.IUNIT;
    const bool force_table = H.LFRFLG == 1;
    const std::string ENCNTR = P.VFWD != 0.0f ? "ENCOUNTER" : std::string(9, ' ');
    const float VCOMP = speed_along_waves();
    const std::string unit = length_unit();
    const bool slope = P.LSLPHT == 0;
    do {
        HEADR2(ROLINF);
        const std::string title = force_table ? "+++  DIMENSIONLESS DRIVING FORCE/TORQUE RAOS  +++"
                                              : "+++  QUASI-LINEAR RESPONSE RAOS (S.A./S.A.)  +++";
        report_line(std::string(29, ' ') + title);
        write_record(IUNIT, "");
        write_record(IUNIT, "");
        if (P.AUXVSH != 0 && !force_table) {
            report_line(" >>> NOTE:  The following RAO data are USER-SUPPLIED");
            write_record(IUNIT, "");
        }
        std::string columns = " " + ENCNTR + std::string(24, ' ');
        std::vector<std::string> column_fields{trimmed(ENCNTR), "", "", ""};
        for (int c = 1; c <= H.NCOL; ++c) {
            if (c > 1)
                columns += std::string(9, ' ');
            columns += A(DOF(H.IDCLMN(c)), 8);
            column_fields.push_back(trimmed(DOF(H.IDCLMN(c))));
        }
        report_line(columns, column_fields);
        if (!force_table) {
            std::string units(28, ' ');
            std::vector<std::string> unit_fields{"", "", ""};
            for (int c = 1; c <= H.NCOL; ++c) {
                units += "    " + std::string(response_unit(H.IDCLMN(c))) + "    ";
                unit_fields.emplace_back(response_unit(H.IDCLMN(c)));
            }
            report_line(units, unit_fields);
        }
        report_line("   WAVE     WAVE    WAVE", {"WAVE", "WAVE", "WAVE"});
        const std::string third = A(CAPUN(slope ? 10 : 11), 6);
        std::string names = "  PERIOD   LENGTH   " + third;
        std::vector<std::string> name_fields{"PERIOD", "LENGTH", trimmed(third)};
        for (int c = 1; c <= H.NCOL; ++c) {
            names += "       AM/PHASE  ";
            name_fields.emplace_back("AM/PHASE");
        }
        report_line(names, name_fields);
        const std::string third_unit = slope ? std::string("DEG") : unit + " ";
        report_line("  (SEC)     (" + unit + ")    (" + third_unit + ")",
                    {"(SEC)", "(" + unit + ")", "(" + trimmed(third_unit) + ")"});
        write_record(IUNIT, "");
        write_record(IUNIT, "");
        for (int IW = 1; IW <= P.NWP; ++IW) {
            H.IW = IW;
            INDXUP();
            const float k = H.RLDUM(H.LWK);
            const float period = tabulated_period(IW, VCOMP);
            const float length = two_pi_single / k;
            const float third_value = slope ? P.SLPHT * k * degrees_per_radian / 2.0f
                                            : 2.0f * P.SLPHT / degrees_per_radian / k;
            std::string row =
                "  " + F(period, 6, 2) + "  " + F(length, 7, 1) + "  " + F(third_value, 6, 2);
            std::vector<std::string> fields{trimmed(F(period, 6, 2)), trimmed(F(length, 7, 1)),
                                            trimmed(F(third_value, 6, 2))};
            for (int c = 1; c <= H.NCOL; ++c) {
                const int d = H.IDCLMN(c);
                const std::complex<float> C = column_value(d, force_table);
                const float amp = reported_amplitude(C, d, force_table, k);
                const float phase = PHASE(C);
                row += F(amp, 10, 3) + "/" + F(phase, 6, 1);
                fields.push_back(trimmed(F(amp, 10, 3).substr(0)));
                fields.push_back(trimmed(F(phase, 6, 1)));
            }
            for (auto& f : fields)
                f = f.substr(std::min(f.find_first_not_of(' '), f.size()));
            report_line(row, fields);
        }
        if (force_table) {
            SCALEF();
        } else {
            write_record(IUNIT, "");
            write_record(IUNIT, "");
            write_record(IUNIT, std::string(" >>> Note: Surge and sway RAOs evaluated at ") +
                                    (P.LCGFLG == 1 ? "vessel center of gravity (VKG)"
                                                   : "\"natural\" pitch and roll centers"));
        }
        P.LBACK = 0;
        if (IUNIT == P.EDUNIT)
            PRSRET(P.EDUNIT, keyboard_unit, P.LBACK);
    } while (P.LBACK < 0);
    if (P.IPLOTS == 2)
        plot_curves(force_table, VCOMP);
}

} // namespace lintar
