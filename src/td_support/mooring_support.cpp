// td_support/mooring_support.cpp: the excursion diameter, the span and map keys, and the
// mooring support-data driver.
#include "td_support/mooring_support.h"

#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/outcom.h"
#include "blocks/tpcm.h"
#include "editor/identity.h"
#include "lines/mooring_force.h"
#include "runtime/edit_descriptors.h"
#include "runtime/run_inputs.h"
#include "runtime/units.h"
#include "td_support/damping_maps.h"
#include "td_support/environment_summary.h"
#include "td_support/force_map.h"
#include "td_support/td_aux_files.h"
#include "util/program_types.h"
#include "util/prompts.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace lintar {

namespace {

constexpr float no_reach = 1.0e20f;
constexpr std::int32_t seconds_per_day = 86400;

// The largest magnitude of the components of two corner records.
float largest_component(const std::array<float, 4>& a, const std::array<float, 4>& b) {
    float largest = 0.0f;
    for (std::size_t i = 0; i < 4; ++i)
        largest = std::max({largest, std::abs(a[i]), std::abs(b[i])});
    return largest;
}

void add_value(ContentDigest& digest, float value) {
    digest.add_floats(std::span<const float>(&value, 1));
}

std::string force_map_digest() {
    const TpcmBlock& P = TPCM;
    const LineTables tables = lincom_tables();
    const MooringLines lines = lincom_mooring_lines(1, P.NLIN);
    ContentDigest digest;
    const ProgramIdentity ID = CATTOP();
    digest.add_text(ID.NAME);
    add_value(digest, ID.VERNQ);
    for (const auto table :
         {tables.HLOD, tables.ANCDST, tables.TOPTEN, tables.BOTLEN, tables.TOPANG, tables.BOTANG,
          tables.FFRICT, tables.TT_SPLINE_DERIV, tables.ZDIST_ARR})
        digest.add_floats(table);
    for (const std::int32_t v : {tables.MIDLYR, tables.NLAYER, tables.NTAB, P.NLIN, P.NTYP, P.LSPM,
                                 P.LOCK_TRT, P.cylMap, P.NUNTS})
        digest.add_int(v);
    for (const float v : {tables.DLAYER, tables.ZSPAN, P.VESAN0, EQUILB.YAWARM, EQUILB.TRTNGL,
                          EQUILB.TRTNG0, LINCOM.TOTLN(1)})
        add_value(digest, v);
    for (const auto column : {lines.RANC, lines.ANGDEP, lines.RFL, lines.ANCHGT, lines.TOTWT})
        digest.add_floats(column);
    for (const std::int32_t id : lines.LINEID)
        digest.add_int(id);
    return digest.hex();
}

} // namespace

OffsetCorners offset_corners_of_blocks() {
    OffsetCorners c;
    for (int k = 1; k <= 4; ++k) {
        const auto at = slot(k);
        c.GXMAXQ[at] = OUTCOM.GXMAXQ(k, 3);
        c.GXMINQ[at] = OUTCOM.GXMINQ(k, 3);
        c.GYMAXQ[at] = OUTCOM.GYMAXQ(k, 3);
        c.GYMINQ[at] = OUTCOM.GYMINQ(k, 3);
    }
    return c;
}

float excursion_diameter(float excursionLimitDiameter, const OffsetCorners& corners,
                         std::int32_t NTYP, std::int32_t NUMTAB, std::int32_t NLIN, float DEPTH) {
    if (excursionLimitDiameter != 0.0f)
        return excursionLimitDiameter;
    const LincomBlock& C = LINCOM;
    const float XTEMP = largest_component(corners.GXMAXQ, corners.GXMINQ);
    const float YTEMP = largest_component(corners.GYMAXQ, corners.GYMINQ);
    float XSPAN = 3.0f * std::max(XTEMP, YTEMP);

    // The shortest reach of a line beyond its anchor radius and the shortest table range.
    float XSPA1 = no_reach;
    float XSPA2 = no_reach;
    const std::int32_t k = NUMTAB;
    const std::int32_t j = C.MIDLYR;
    for (std::int32_t t = 1; t <= NTYP; ++t) {
        XSPA1 = std::min(XSPA1, C.ANCDST(k, j, t) - C.RANC(t));
        XSPA2 = std::min(XSPA2, C.ANCDST(k, j, t) - C.ANCDST(1, j, t));
    }
    XSPA1 = 0.9f * XSPA1;
    if (XSPAN < 2.0f * XSPA1)
        XSPAN = 2.0f * XSPA1;
    if (XSPAN < 0.1f * DEPTH)
        XSPAN = 0.1f * DEPTH;
    if (NLIN == 1)
        XSPAN = 2.0f * XSPA2;
    return XSPAN;
}

std::int32_t span_key(float XSPAN, int EDUNIT) {
    // 2^31 is exact in a float; every float below it in magnitude truncates into range.
    constexpr float limit = 2147483648.0f;
    if (!(std::abs(XSPAN) < limit))
        fatal_stop(EDUNIT, keyboard_unit,
                   {"",
                    " ++> Fatal: Vorlakine excursion diameter " + G(XSPAN, 15, 6) +
                        " has no integer span key (excursionLimitDiameter)",
                    ""});
    return static_cast<std::int32_t>(XSPAN);
}

std::vector<std::string> force_map_key(std::int32_t span) {
    return {" span " + std::to_string(span), " inputs " + force_map_digest()};
}

std::vector<std::string> damping_maps_key(std::int32_t NLIN, std::int32_t waveEnvironID,
                                          std::int32_t span) {
    return {" lines " + std::to_string(NLIN) + " environment " + std::to_string(waveEnvironID) +
                " span " + std::to_string(span),
            " inputs " + force_map_digest() + " " + run_input_digest()};
}

std::int32_t elapsed_seconds(std::int32_t start_minutes, std::int32_t start_seconds,
                             std::int32_t end_minutes, std::int32_t end_seconds) {
    std::int32_t seconds = (end_minutes * 60 + end_seconds) - (start_minutes * 60 + start_seconds);
    if (seconds < 0)
        seconds += seconds_per_day;
    return seconds;
}

namespace {

// A console message between empty lines.
void message(int EDUNIT, const std::string& text) {
    write_record(EDUNIT, "");
    write_record(EDUNIT, text);
    write_record(EDUNIT, "");
}

constexpr TdAuxFileSpec force_map_set[] = {force_map_file, one_line_map_file};
constexpr TdAuxFileSpec damping_map_set[] = {wf_damping_map_file, fairlead_load_map_file,
                                             quad_cof_map_file, line_mass_map_file};

} // namespace

// WRITE_SQUAL_MOOR_DATA: the diameter, the messages, the keys, then the files in order.
void WRITE_SQUAL_MOOR_DATA(std::int32_t waveEnvironID, std::int32_t nAgnSpecSecs,
                           std::int32_t& mapMakeSecs, std::int32_t& linDampSecs) {
    (void)nAgnSpecSecs;
    TpcmBlock& P = TPCM;
    const int EDUNIT = P.EDUNIT;
    const float XSPAN = excursion_diameter(P.excursionLimitDiameter, offset_corners_of_blocks(),
                                           P.NTYP, P.NUMTAB, P.NLIN, P.DEPTH);
    const float YSPAN = XSPAN;
    const std::int32_t span = span_key(XSPAN, EDUNIT);

    message(EDUNIT, " >>> Vorlakine support mapping for heading-dependent spectra...");
    message(EDUNIT, " >>> Vorlakine Excursion Diameter:" + F(XSPAN, 10, 2));
    if (tension_leg_or_spar(P.SIMTYP)) {
        message(EDUNIT, " ++> Vorlakine Alert: Middren and Gordax mooring & line tension maps "
                        "not rigorously supported ...");
        std::int32_t LBACK = 0;
        PRSRET(EDUNIT, keyboard_unit, LBACK);
    }

    // Which sets are current on disk, decided before anything is written.
    const std::vector<std::string> force_key = force_map_key(span);
    const std::vector<std::string> damping_key = damping_maps_key(P.NLIN, waveEnvironID, span);
    const bool all = P.ForceAllRebuilds == 1;
    const bool REBUILD_MOOR_MAP =
        all || !map_set_current(force_map_set, force_map_key_file, force_key);
    const bool REBUILD_LF_LINE_DMP =
        all || !map_set_current(damping_map_set, damping_maps_key_file, damping_key);

    WRITE_TD_MISC(td_environment_of_blocks(), XSPAN, YSPAN, EDUNIT);

    if (REBUILD_MOOR_MAP) {
        message(EDUNIT, " >>> Vorlakine: building mooring force map...");
        forget_map_key(force_map_key_file);
        TdAuxFile map(force_map_file, td_aux_caller, EDUNIT);
        TdAuxFile one_line(one_line_map_file, td_aux_caller, EDUNIT);
        GET_MOOR_FORCES_MAP(EDUNIT, map.unit(), one_line.unit(), map_mooring_of_blocks(),
                            EQUILB.TRTNGL, XSPAN, YSPAN, P.cylMap != 0, mapMakeSecs);
        map.commit();
        one_line.commit();
        write_map_key(force_map_key_file, force_key, EDUNIT);
    }
    if (REBUILD_LF_LINE_DMP) {
        message(EDUNIT, " >>> Vorlakine: building wave-frequency line damping map...");
        forget_map_key(damping_maps_key_file);
        TdAuxFile wf(wf_damping_map_file, td_aux_caller, EDUNIT);
        TdAuxFile cof(quad_cof_map_file, td_aux_caller, EDUNIT);
        TdAuxFile mass(line_mass_map_file, td_aux_caller, EDUNIT);
        TdAuxFile loads(fairlead_load_map_file, td_aux_caller, EDUNIT);
        // The lines' vertical offsets of the mean position.
        const std::vector<float> ZANCQ(LINCOM.ZANCP_words, LINCOM.ZANCP_words + lincom_lines);
        GET_LINE_DAMP_MAP(EDUNIT, wf.unit(), loads.unit(), cof.unit(), mass.unit(),
                          map_mooring_of_blocks(), ZANCQ, EQUILB.TRTNGL, XSPAN, YSPAN, P.LRANDM,
                          P.LSWELL, linDampSecs, waveEnvironID);
        loads.commit();
        wf.commit();
        cof.commit();
        mass.commit();
        write_map_key(damping_maps_key_file, damping_key, EDUNIT);
    }
    message(EDUNIT, " >>> End Vorlakine mooring maps preparation...");
}

} // namespace lintar
