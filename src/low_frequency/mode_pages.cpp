// low_frequency/mode_pages.cpp: the conversion of the mode statistics and the pages of
// section V.
#include "low_frequency/mode_pages.h"

#include "blocks/equilb.h"
#include "blocks/ergcom.h"
#include "blocks/lf_mode_record.h"
#include "blocks/tpcm.h"
#include "equilibrium/equilibrium_geometry.h"
#include "low_frequency/mode_report.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/prompts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string>
#include <string_view>

namespace lintar {

namespace {

// The positions of a record that hold variances until the conversion.
constexpr std::array<LfWord, 12> variance_words = {VARTOT, VARWND, VARCUR,   VARWAV,
                                                   VARSWL, VWVDG,  VSWDG,    VR1UF1,
                                                   VR1UF2, VR1UF3, VARSWL_2, VSWDG_2};

std::span<const float> one(const float& x) {
    return std::span<const float>(&x, 1);
}

// The net load at the most stable equilibrium, FTOT(ISTAB). An ISTAB outside the table (no
// stable equilibrium was marked) names no load: 0 is passed on instead of a word outside it.
float stable_load(EquilbBlock& B) {
    constexpr int candidates = 30;
    return B.ISTAB >= 1 && B.ISTAB <= candidates ? B.FTOT(B.ISTAB) : 0.0f;
}

std::span<const float> curve_table(float* words) {
    return std::span<const float>(words, energy_curve_points);
}

// The title line of the single-amplitude pages V.
constexpr std::string_view section_v_title =
    " *******     V.  LOW-FREQUENCY SINGLE-AMPLITUDE DYNAMICS SUMMARY    *******";

// A page V: title, the mode's text, its block.
void mode_page(std::string_view text, const LfModeRecord& record, const ModeCurve& curve,
               std::int32_t LDAMP, std::int32_t IMOTN, const LowReportFlags& flags) {
    const TpcmBlock& T = TPCM;
    PAGE(T.IUNIT, T.EDUNIT, 1, 99);
    write_record(T.IUNIT, section_v_title);
    write_record(T.IUNIT, "");
    write_record(T.IUNIT, " " + std::string(text));
    write_record(T.IUNIT, "");
    LOWPK2(record, curve, LDAMP, IMOTN, EQUILB.NETARM, flags.LEGACY, false);
}

} // namespace

// convert_mode_statistics: NETARM, then the square roots in place. Reads TPCM, ERGCOM;
// writes EQUILB; never ends the run.
void convert_mode_statistics(const LowReportFlags& flags) {
    const TpcmBlock& T = TPCM;
    EquilbBlock& B = EQUILB;
    float NETARM = 1.0f;
    if (T.LSPM != 0 && flags.LEGACY) {
        const float a = B.YAWARM;
        const float r = ERGCOM.REQLIB;
        const float square =
            a * a + r * r - 2.0f * r * std::abs(a) * std::cos(B.VESANG() - B.GOFANG);
        // Rounding can leave a slightly negative square where the two sides are equal and in
        // line: the arm is then 0, not NaN.
        NETARM = std::sqrt(std::max(square, 0.0f));
    }
    B.NETARM = NETARM;
    for (int g = lf_surge; g <= lf_heave; ++g) {
        const LfModeRecord record = lf_mode_record(g);
        for (const LfWord word : variance_words) {
            float& v = record(word.w);
            v = std::sqrt(std::abs(v));
            if (g == lf_sway)
                v *= NETARM;
        }
    }
}

namespace {

// Pages Va and Vb of a turret mooring not read under LEGACY: the three normal modes, then the
// single-amplitude dynamics of the three motions. True when the user went back at a pause.
bool write_turret_mode_pages(const LowReportFlags& flags, const ModeCurve& sway_curve,
                             const ModeCurve& yaw_curve) {
    const TpcmBlock& T = TPCM;
    EquilbBlock& B = EQUILB;
    ErgcomBlock& C = ERGCOM;
    const int IUNIT = T.IUNIT;
    const LfModeRecord surge = lf_mode_record(lf_surge);
    const LfModeRecord sway = lf_mode_record(lf_sway);
    const LfModeRecord yaw = lf_mode_record(lf_yaw);
    const auto line = [IUNIT](std::string_view text) { write_record(IUNIT, text); };
    PAGE(IUNIT, T.EDUNIT, 1, 99);
    line(" **********        Va. LOW-FREQUENCY NORMAL MODE PROPERTIES      **********");
    line("");
    line(" Note: Modal summaries are provided for *qualitative* purposes only.");
    line("       For quantitative assessments use low-frequency motions and spectra.");
    line("");
    constexpr std::array<std::string_view, 3> descriptions = {
        "High-energy lateral mode, usually dominated by motion parallel to mean offset",
        "Low Sway-Yaw mode (relatively long period, low energy)",
        "High Sway-Yaw mode (relatively short period, high energy)"};
    for (int n = 1; n <= 3; ++n) {
        line(" >>> Mode #" + I(n, 1) + ": " + std::string(descriptions[slot(n)]));
        line("");
        // Every mode passes the surge damping flag.
        LOWMODE(lf_mode_record(n), surge, sway, yaw, T.LSGLFD, n);
    }
    if (report_page_pause())
        return true;

    const ModeCurve surge_curve{curve_table(C.PENFUN_words),
                                C.EQBSRG,
                                curve_table(B.OFFSET_words),
                                C.SPRNGX_L,
                                stable_load(B),
                                C.SRGOFF};
    PAGE(IUNIT, T.EDUNIT, 1, 99);
    line(" *******    Vb.  LOW-FREQUENCY SINGLE-AMPLITUDE DYNAMICS SUMMARY    *******");
    line("");
    line(" >>> MOORING CENTROID MOTIONS PARALLEL TO MEAN OFFSET");
    LOWPK2(surge, surge_curve, T.LSGLFD, 1, B.NETARM, flags.LEGACY, true);
    line("");
    line(" >>> MOORING CENTROID MOTIONS ORTHOGONAL TO MEAN OFFSET");
    LOWPK2(sway, sway_curve, T.LSWLFD, 2, B.NETARM, flags.LEGACY, true);
    line("");
    line(" >>> YAW");
    LOWPK2(yaw, yaw_curve, T.LYWLFD, 3, B.NETARM, flags.LEGACY, true);
    if (report_page_pause())
        return true;
    return false;
}

// One page per motion (surge, sway, yaw), each followed by the pause. True when the user went
// back at a pause.
bool write_motion_mode_pages(const LowReportFlags& flags, const ModeCurve& sway_curve,
                             const ModeCurve& yaw_curve) {
    const TpcmBlock& T = TPCM;
    EquilbBlock& B = EQUILB;
    ErgcomBlock& C = ERGCOM;
    const LfModeRecord surge = lf_mode_record(lf_surge);
    const LfModeRecord sway = lf_mode_record(lf_sway);
    const LfModeRecord yaw = lf_mode_record(lf_yaw);
    std::array<std::string_view, 3> texts;
    ModeCurve surge_curve;
    if (T.LSPM != 0) {
        texts = {"High-energy mode, dominated by mooring centroid motion parallel to mean "
                 "offset",
                 "Low Sway-Yaw mode (relatively long period, low energy)",
                 "High Sway-Yaw mode (relatively short period, high energy)"};
        surge_curve = {curve_table(C.PENFUN_words),
                       C.EQBSRG,
                       curve_table(B.OFFSET_words),
                       C.SPRNGX_L,
                       stable_load(B),
                       C.REQLIB};
    } else {
        if (flags.LEGACY)
            texts = {"Approximate Surge normal mode:", "Approximate Sway normal mode:",
                     "Yaw normal mode:"};
        else
            texts = {
                "High lateral mode (motion roughly parallel to mean offset):",
                "Low lateral mode (motion roughly orthogonal to mean offset):", "Yaw normal mode:"};
        surge_curve = {
            curve_table(C.PENFUN_words), C.EQBSRG, one(C.DXSRG), C.SPRNGX_L, B.FXENV, C.SRGOFF};
    }
    mode_page(texts[0], surge, surge_curve, T.LSGLFD, 1, flags);
    if (report_page_pause())
        return true;
    mode_page(texts[1], sway, sway_curve, T.LSWLFD, 2, flags);
    if (report_page_pause())
        return true;
    mode_page(texts[2], yaw, yaw_curve, T.LYWLFD, 3, flags);
    if (report_page_pause())
        return true;
    return false;
}

// The roll and pitch pages of program code 17. True when the user went back at a pause.
bool write_roll_pitch_pages(const LowReportFlags& flags) {
    const TpcmBlock& T = TPCM;
    EquilbBlock& B = EQUILB;
    ErgcomBlock& C = ERGCOM;
    float ROLTMP = C.ROLOFF;
    float PITTMP = C.PITOFF;
    std::string_view roll_text = "Approximate Roll normal mode:";
    std::string_view pitch_text = "Approximate Pitch normal mode:";
    if (!flags.LEGACY) {
        // Into the frame of the mean offset: a turn of the pair by -(VESANG + MODE_ROT_ANG).
        ROT2D(ROLTMP, PITTMP, -(B.VESANG() + B.MODE_ROT_ANG));
        roll_text = "\"Low\" pitch/roll angular mode (angular motions about mean offset vector):";
        pitch_text = "\"High\" pitch/roll angular mode (angular motions confined to mean "
                     "offset plane):";
    }
    const LfModeRecord roll(B.RLSTUF());
    mode_page(roll_text, roll,
              {curve_table(C.PENFUN_words), C.EQBSRG, one(C.DXSRG), C.SPRNGR, B.FXENV, ROLTMP},
              T.LRLDMP, 4, flags);
    if (report_page_pause())
        return true;
    mode_page(pitch_text, lf_mode_record(lf_pitch),
              {curve_table(C.PENFUN_words), C.EQBSRG, one(C.DXSRG), C.SPRNGP, B.FXENV, PITTMP},
              T.LPTDMP, 5, flags);
    if (report_page_pause())
        return true;
    return false;
}

} // namespace

// write_mode_pages: the pages in order, each followed by the pause. Reads TPCM, EQUILB,
// ERGCOM; writes IUNIT (and EDUNIT, TPCM LBACK at a console pause); ends the run only
// through NLNCOR.
bool write_mode_pages(const LowReportFlags& flags) {
    const TpcmBlock& T = TPCM;
    EquilbBlock& B = EQUILB;
    ErgcomBlock& C = ERGCOM;
    const ModeCurve sway_curve{
        curve_table(C.SWYERG_words), C.EQBSWY, one(C.DYSWY), C.SPRNGY_L, B.FYENV, C.SWYOFF};
    const ModeCurve yaw_curve{
        curve_table(C.YAWERG_words), C.EQBYAW, one(C.DZYAW), C.SPRNGZ_L, B.TZENV, C.YAWOFF};
    if (T.LSPM != 0 && flags.NOT_LEGACY) {
        if (write_turret_mode_pages(flags, sway_curve, yaw_curve))
            return true;
    } else if (write_motion_mode_pages(flags, sway_curve, yaw_curve)) {
        return true;
    }
    return T.SIMTYP == 17 && write_roll_pitch_pages(flags);
}

} // namespace lintar
