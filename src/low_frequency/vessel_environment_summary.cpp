// low_frequency/vessel_environment_summary.cpp: section III of the low-frequency report.
#include "low_frequency/vessel_environment_summary.h"

#include "blocks/equilb.h"
#include "blocks/sines.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "datafile/load_selectors.h"
#include "runtime/edit_descriptors.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/flags.h"
#include "util/prompts.h"
#include "util/unit_labels.h"
#include "util/wave_numbers.h"

#include <array>
#include <string_view>

namespace lintar {

namespace {

// clang-format off
constexpr std::array<std::string_view, 5> wind_models = {
    "User-Specified LOWDAT", "User-Specified WINDCOFS.txt", "Barge (Kelbrin)",
    "OCIMF Tanker '77 (extended)", "Cylindrical Vessel"};
constexpr std::array<std::string_view, 7> current_models = {
    "User-Specified LOWDAT", "User-Specified CRNTCOFS.txt", "Barge (Kelbrin)",
    "NSMB Tanker '91", "Extreme Cylindrical Bow '91", "OCIMF Tanker '77 ", "Cylindrical Vessel"};
constexpr std::array<std::string_view, 7> wave_models = {
    "User-Specified DRFTCOFS.txt", "Tanker (Legacy)", "Semi (Legacy)", "Buoy or round ship",
    "Caisson Spar", "Tanker (2001)", "Semi/TLP (2001)"};
// clang-format on

// The current codes of the NSMB tanker model: 4, and 15 in direction 1 (with the 40 % load
// curves for Cx); the OCIMF tanker's code, whose depth/draft limit is checked too.
constexpr std::int32_t nsmb_current = 4;
constexpr std::int32_t nsmb_40_percent = 15;
constexpr std::int32_t ocimf_current = 6;

// Entry `code` (1-based) of a name table, padded; a code outside the table has no name and
// gives a blank field, so that no selector value reaches past the table.
template <std::size_t N>
std::string model_name(const std::array<std::string_view, N>& table, std::int32_t code) {
    std::string name;
    if (code >= 1 && code <= static_cast<std::int32_t>(N))
        name = table[slot(code)];
    name.resize(load_model_name_width, ' ');
    return name;
}

std::string bow_word(float factor, std::string_view zero, std::string_view one) {
    if (factor == 0.0f)
        return std::string(zero);
    if (factor == 1.0f)
        return std::string(one);
    if (factor > 1.0f)
        return "Whoops!";
    return "Interpolated";
}

// The report's lines: five blanks, the 44-character dotted label, then the value.
class SectionWriter {
public:
    explicit SectionWriter(int unit) : unit_(unit) {}

    void line(std::string_view text) const { write_record(unit_, text); }
    void blank() const { write_record(unit_, ""); }
    // A label given with its dots.
    void value(std::string_view label, float x, std::string_view unit) const {
        line("     " + std::string(label) + F(x, 10, 2) + std::string(unit));
    }
    // A label made from its text.
    void named(std::string_view text, float x, std::string_view unit = "") const {
        value(dotted_label(text, 44), x, unit);
    }
    void text(std::string_view label, std::string_view words) const {
        line("     " + std::string(label) + std::string(words));
    }

private:
    int unit_;
};

// The depth/draft warning: on the console with the abort prompt, then in the report.
void depth_draft_warning(int IUNIT) {
    TpcmBlock& T = TPCM;
    const auto warn = [](int unit) {
        write_record(unit, "");
        write_record(unit, " ++> Warning: A water depth/draft parameter lies outside valid range");
        write_record(unit, "");
    };
    warn(T.EDUNIT);
    ABORT0(T.EDUNIT, keyboard_unit, T.LBACK);
    if (T.LBACK == -1)
        stop_program(StopKind::user_choice);
    warn(IUNIT);
}

// The current-model lines with their depth/draft parameters; true when one lies outside its
// valid range.
bool current_model_lines(const SectionWriter& out, const LowReportFlags& flags) {
    const TpcmBlock& T = TPCM;
    const float HOVERD = SINES.HOVERD;
    bool DFTWRN = false;
    const auto model_and_parameter = [&](std::string_view label, std::int32_t v, bool first) {
        const bool nsmb = v == nsmb_current || (first && v == nsmb_40_percent);
        float HOV100 = HOVERD;
        if (nsmb) {
            HOV100 = T.DFTPCT * 0.01f * HOVERD;
            DFTWRN = DFTWRN || HOV100 < 1.1f;
        } else {
            DFTWRN = DFTWRN || (v == ocimf_current && HOVERD < 1.05f);
        }
        out.text(label, " " + TNKCUR(nsmb ? nsmb_current : v));
        out.value("Water depth/draft parameter ............... ", HOV100, "");
    };
    out.blank();
    if (flags.SCRFM != 1) {
        model_and_parameter("Head-on Current Coefficients (Cx) ......... ",
                            NIBVAL(T.LCBARG, 1, T.EDUNIT), true);
        model_and_parameter("Beam-on Current Coefficients (Cy) ......... ",
                            NIBVAL(T.LCBARG, 2, T.EDUNIT), false);
        model_and_parameter("Current Moment Coefficients  (Cz) ......... ",
                            NIBVAL(T.LCBARG, 3, T.EDUNIT), false);
    } else {
        model_and_parameter("Current force model ....................... ",
                            NIBVAL(T.LCBARG, 1, T.EDUNIT), true);
    }
    return DFTWRN;
}

// The damping setting of one low-frequency mode.
void damping_setting(const SectionWriter& out, std::string_view mode, std::int32_t flag,
                     float percent) {
    const std::string is = std::string(mode) + " damping is .......................... ";
    if (flag != 0) {
        out.text(is, " User-specified");
        out.line("     " + std::string(mode) + " damping (percent of critical) ....... " +
                 F(percent, 11, 2));
    } else {
        out.text(is, " Computed");
    }
}

} // namespace

std::string TNKWND(std::int32_t code) {
    return model_name(wind_models, code);
}
std::string TNKCUR(std::int32_t code) {
    return model_name(current_models, code);
}
std::string TNKWAV(std::int32_t code) {
    return model_name(wave_models, code);
}

std::string BOWTPW(float BOWWND) {
    return bow_word(BOWWND, "Conventional", "Cylindrical");
}
std::string BOWTPC(float BOWCUR) {
    return bow_word(BOWCUR, "Conventional (w/bulb)", "Cylindrical (no bulb)");
}

namespace {

// The page's unit labels.
struct SummaryLabels {
    std::string length, density, force, knots, degrees, seconds, area;
};

SummaryLabels summary_labels() {
    const TpcmBlock& T = TPCM;
    SummaryLabels l;
    l.length = UNITP(T.NUNTS + 7);
    l.density = UNITP(T.NUNTS + 11);
    l.force = UNITP(T.NUNTS);
    l.knots = UNITP(13);
    l.degrees = UNITP(2);
    l.seconds = " seconds"; // a word of its own, not a page label
    // The drag areas carry the length label cut to ten characters.
    l.area = " square" + l.length.substr(0, 10);
    return l;
}

// The page heading and the vessel's particulars.
void write_vessel_particulars(const SectionWriter& out, const SummaryLabels& l) {
    const TpcmBlock& T = TPCM;
    const int IUNIT = T.IUNIT;
    const int EDUNIT = T.EDUNIT;
    const std::string& length = l.length;
    const std::string& density = l.density;
    const std::string& force = l.force;
    PAGE(IUNIT, EDUNIT, 1, 99);
    out.line(" ***********        III.  VESSEL AND ENVIRONMENT SUMMARY         ***********");
    LINES(IUNIT, 2);

    out.named("Water depth", T.DEPTH, length);
    out.named("Water density", T.DWATR, density);
    out.line("     " + dotted_label("Air density", 44) + F(WAVCOM.RHOAIR * WAVCOM.G, 10, 5) +
             density);
    out.named("Vessel displacement", T.DISPL, force);
    out.named("Transverse metacentric height", T.VKMT, length);
    out.named("Longitudinal metacentric height", T.VKML, length);
    out.named("Vertical center of buoyancy", T.TVKB, length);
    out.named("Vertical center of gravity", T.VKG, length);
    out.named("Vessel water plane area", T.AWP, " square" + length);
    if (T.SIMTYP == 15)
        out.named("Turret center X-coordinate", T.XSALM, length);
    out.named("Length of vessel at waterline", T.LWL, length);
    out.named("Beam of vessel at waterline", T.BWL, length);
    out.named("Vessel draft", T.DRAFT, length);
}

// The wind, current and wave coefficient models (TNKRID may rewrite the selectors), the
// tanker's bow shapes and deadweight, and the depth/draft warning.
void write_coefficient_models(const SectionWriter& out, const LowReportFlags& flags,
                              const SummaryLabels& l, std::int32_t& LWNBRG, std::int32_t& LCRBRG) {
    TpcmBlock& T = TPCM;
    const int IUNIT = T.IUNIT;
    const int EDUNIT = T.EDUNIT;
    const std::string& force = l.force;
    std::int32_t WNDUSR = 0, CURUSR = 0, WAVUSR = 0, LCTNKR = 0, LWTNKR = 0;
    TNKRID(T.LWBARG, flags.SWNFM, WNDUSR, T.LCBARG, flags.SCRFM, CURUSR, T.LWVCOF, flags.SWVFM,
           WAVUSR, LCTNKR, LWTNKR, LWNBRG, LCRBRG, EDUNIT);

    out.blank();
    if (flags.SWNFM != 1) {
        out.text("Head-on Wind Coefficients (Cx) ............ ",
                 " " + TNKWND(NIBVAL(T.LWBARG, 1, EDUNIT)));
        out.text("Beam-on Wind Coefficients (Cy) ............ ",
                 " " + TNKWND(NIBVAL(T.LWBARG, 2, EDUNIT)));
        out.text("Wind Moment Coefficients  (Cz) ............ ",
                 " " + TNKWND(NIBVAL(T.LWBARG, 3, EDUNIT)));
    } else {
        out.text("Wind force model .......................... ",
                 " " + TNKWND(NIBVAL(T.LWBARG, 1, EDUNIT)));
    }
    if (LWTNKR == 1) {
        const std::string shape = BOWTPW(T.BOWWND);
        out.text("Above-Water Bow Shape ..................... ", " " + shape);
        out.value("Freeboard-Based Load ...................... ", T.LOADED, " Percent");
        if (shape == "Interpolated")
            out.value("Bow Interpolation Factor .................. ", T.BOWWND, "");
    }

    const bool DFTWRN = current_model_lines(out, flags);
    if (NIBVAL(T.LCBARG, 1, EDUNIT) == nsmb_40_percent && T.DFTPCT != 100.0f) {
        out.blank();
        out.line("     >>> NSMB \"Mean\" 40% load curves utilized for Cx <<<");
    }
    if (LCTNKR != 0) {
        const std::string shape = BOWTPC(T.BOWCUR);
        out.text("Below-Water Bow Shape ..................... ", " " + shape);
        out.value("Draft-Based Load .......................... ", T.DFTPCT, " Percent");
        if (shape == "Interpolated")
            out.value("Bow Interpolation Factor ................... ", T.BOWCUR, "");
    }
    if (DFTWRN)
        depth_draft_warning(IUNIT);

    out.blank();
    if (flags.SWVFM != 1) {
        out.text("Head-on Wave Coefficients (Cx) ............ ",
                 " " + TNKWAV(NIBVAL(T.LWVCOF, 1, EDUNIT)));
        out.text("Beam-on Wave Coefficients (Cy) ............ ",
                 " " + TNKWAV(NIBVAL(T.LWVCOF, 2, EDUNIT)));
        out.text("Wave Moment Coefficients  (Cz) ............ ",
                 " " + TNKWAV(NIBVAL(T.LWVCOF, 3, EDUNIT)));
    } else {
        out.text("Second Order Wave Drift Force Model ....... ",
                 " " + TNKWAV(NIBVAL(T.LWVCOF, 1, EDUNIT)));
    }
    if (LWTNKR == 1) {
        out.blank();
        out.value("Tanker Deadweight ......................... ", T.DWTONS, force);
    }
}

// The wind conditions (with the drag centroids when LWNBRG is 1).
void write_wind_conditions(const SectionWriter& out, const SummaryLabels& l, std::int32_t LWNBRG) {
    const TpcmBlock& T = TPCM;
    const std::string& length = l.length;
    const std::string& knots = l.knots;
    const std::string& degrees = l.degrees;
    const std::string& area = l.area;
    // The condition headings stand where the value lines begin.
    if (T.LWIND != 0) {
        out.blank();
        out.line("     ------ WIND CONDITIONS ------");
        out.blank();
        out.text("Wind spectral type ........................ ", WNDPRT(T.WNDTYP));
        out.named("Wind speed", T.WNDSPD, knots);
        out.named("Wind heading", T.WNDHDG, degrees);
        out.named("Head-on effective drag area", T.TXWNDA, area);
        if (LWNBRG == 1)
            out.named("Head-on drag area centroid", T.XWARM, length);
        out.named("Beam-on effective drag area", T.YWNDAR, area);
        if (LWNBRG == 1)
            out.named("Beam-on drag area centroid", T.YWARM, length);
        out.named("Wind force enhancement factor", T.TWNDCF);
    }
}

// The current conditions (with the drag centroids when LCRBRG is 1).
void write_current_conditions(const SectionWriter& out, const SummaryLabels& l,
                              std::int32_t LCRBRG) {
    const TpcmBlock& T = TPCM;
    const std::string& length = l.length;
    const std::string& knots = l.knots;
    const std::string& degrees = l.degrees;
    const std::string& area = l.area;
    if (T.LCURNT != 0) {
        out.blank();
        out.line("     ------ CURRENT CONDITIONS ------");
        out.blank();
        out.text("Current spectral type ..................... ", CURPRT(T.CURTYP + 1));
        out.named("Current speed", T.CURSPD, knots);
        out.named("Current heading", T.CURHDG, degrees);
        out.named("Head-on effective drag area", T.XCURAR, area);
        if (LCRBRG == 1)
            out.named("Head-on drag area centroid", T.XCARM, length);
        out.named("Beam-on effective drag area", T.YCURAR, area);
        if (LCRBRG == 1)
            out.named("Beam-on drag area centroid", T.YCARM, length);
        out.named("Current force enhancement factor", T.CURFAC);
    }
}

// The seas and swells.
void write_wave_conditions(const SectionWriter& out, const SummaryLabels& l) {
    const TpcmBlock& T = TPCM;
    const std::string& length = l.length;
    const std::string& degrees = l.degrees;
    const std::string& seconds = l.seconds;
    if (T.LRANDM != 0 || T.LSWELL != 0) {
        out.blank();
        out.line("     ------ WAVE CONDITIONS ------");
        out.blank();
        if (T.LRANDM != 0) {
            out.text("Wave spectral type ........................ ", WAVPRT(T.WAVTYP));
            out.named("Computed significant wave height", EQUILB.SWHC, length);
            out.named("Direction of maximum seas", T.SEAHDG(1), degrees);
            out.named("Spectrum peak period", WAVCOM.TPK, seconds);
            if (T.WAVTYP == 0)
                out.named("Spectral bandwidth", T.WAVWID);
        }
        if (T.LSWELL != 0) {
            out.blank();
            out.text("Swell spectral type ....................... ", WAVPRT(T.SWLTYP));
            out.named("Computed significant swell height", WAVCOM.SWHSWL, length);
            out.value("Swell direction............................ ", T.SWLHDG, degrees);
            out.named("Swell period", T.SWELPD, seconds);
            if (T.SWLTYP == 0)
                out.named("Spectral bandwidth", T.SWLWID);
            if (T.LSWEL2 != 0) {
                out.blank();
                out.text("*Second* swell spectral type .............. ", WAVPRT(T.SWLTYP2));
                out.named("Computed significant swell height", WAVCOM.SWHSWL2, length);
                out.value("Swell direction............................ ", T.SWLHDG2, degrees);
                out.named("Swell period", T.SWELPD2, seconds);
                if (T.SWLTYP2 == 0)
                    out.named("Spectral bandwidth", T.SWLWID2);
            }
        }
        out.blank();
        out.named("Head-on wave drift force factor", T.BOWFAC);
        out.value("Variable wave drift enhancement factor .... ", T.VWDFAC, "");
    }
}

} // namespace

// write_vessel_environment_summary: the page in the order of its parts. Reads TPCM, EQUILB,
// WAVCOM, SINES; may rewrite the selectors of TPCM through TNKRID; writes IUNIT and, for the
// warning, EDUNIT and TPCM LBACK; ends the run when the user aborts at the warning.
void write_vessel_environment_summary(const LowReportFlags& flags) {
    const TpcmBlock& T = TPCM;
    const SectionWriter out(T.IUNIT);
    const SummaryLabels l = summary_labels();
    write_vessel_particulars(out, l);
    std::int32_t LWNBRG = 0, LCRBRG = 0;
    write_coefficient_models(out, flags, l, LWNBRG, LCRBRG);
    LINES(T.IUNIT, 1);
    damping_setting(out, "Surge", T.LSGLFD, T.SGLFDP);
    damping_setting(out, "Sway ", T.LSWLFD, T.SWLFDP);
    damping_setting(out, "Yaw  ", T.LYWLFD, T.YWLFDP);
    if (T.SIMTYP == 17) {
        damping_setting(out, "Roll ", T.LRLDMP, T.RLDAMP);
        damping_setting(out, "Pitch", T.LPTDMP, T.PTDAMP);
    }

    write_wind_conditions(out, l, LWNBRG);
    write_current_conditions(out, l, LCRBRG);
    write_wave_conditions(out, l);
}

} // namespace lintar
