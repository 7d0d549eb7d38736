// td_support/env_force_tables.cpp: the environment side of the support data and the
// low-frequency force tables.
#include "td_support/env_force_tables.h"

#include "blocks/equilb.h"
#include "blocks/sines.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "environment/current_coefficients.h"
#include "environment/fourier_basis.h"
#include "environment/hull_drag.h"
#include "environment/wave_drift.h"
#include "environment/wind_coefficients.h"
#include "motions/rao_reevaluation.h"
#include "runtime/assert.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "td_support/force_spectra.h"
#include "td_support/td_aux_files.h"
#include "util/angles.h"
#include "util/file_services.h"
#include "util/prompts.h"
#include "util/scope_restore.h"

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace lintar {

namespace {

// The mean drift and drag of one wave system in direction IXYZ at relative angle `angle`.
struct WaveLoad {
    float drift = 0.0f;
    float drag = 0.0f;
};

WaveLoad wave_load(std::int32_t IXYZ, float heading, float psi, std::span<const float, 100> PSD,
                   std::int32_t IWAVID, float drift_coefficient) {
    const TpcmBlock& T = TPCM;
    const float YAWARM = EQUILB.YAWARM;
    const float angle = REDRAD(heading / degrees_per_radian - psi + pi_single);
    TRIGLD(angle);
    WaveLoad L;
    // The yaw moment is taken about the point at YAWARM on the vessel's x axis.
    const float YFORCE =
        IXYZ == 3 ? WAVCOM.BEAMCF * DRIFTF(0, 2, angle, PSD, 0.0f, 0, IWAVID) : 0.0f;
    L.drift = drift_coefficient * DRIFTF(0, IXYZ, angle, PSD, 0.0f, 0, IWAVID) - YFORCE * YAWARM;
    if (T.LEGDRG == 0) {
        float mean = 0.0f;
        float scratch = 0.0f;
        DRAGF(0, IXYZ, angle, PSD, 0.0f, mean, scratch, IWAVID);
        L.drag = mean;
        if (IXYZ == 3) {
            float sway = 0.0f;
            DRAGF(0, 2, angle, PSD, 0.0f, sway, scratch, IWAVID);
            L.drag -= YAWARM * sway;
        }
    }
    return L;
}

// One force-table file: its name, unit, condition, heading base and strength.
struct TableFile {
    const char* base;
    int unit;
    bool written;
    float heading;
    float strength;
};

} // namespace

std::array<float, NUM_LO_TAB> lf_heading_grid() {
    std::array<float, NUM_LO_TAB> grid{};
    for (int i = 1; i <= NUM_LO_TAB; ++i)
        grid[slot(i)] = static_cast<float>(NUM_LO_TAB - i) * lf_table_step;
    return grid;
}

namespace {

// The projected wind and current areas and the drift coefficient of direction IXYZ (1 surge,
// 2 sway, 3 yaw: the sway values times the waterline length). Reads TPCM and WAVCOM; ends the
// run, after its message, for any other direction.
struct DirectionFactors {
    float wind_area = 0.0f;
    float current_area = 0.0f;
    float drift_coefficient = 0.0f;
};

DirectionFactors direction_factors(std::int32_t IXYZ) {
    const TpcmBlock& T = TPCM;
    switch (IXYZ) {
    case 1:
        return {T.TXWNDA, T.XCURAR, WAVCOM.BOWCF};
    case 2:
        return {T.YWNDAR, T.YCURAR, WAVCOM.BEAMCF};
    case 3:
        return {T.YWNDAR * T.LWL, T.YCURAR * T.LWL, WAVCOM.BEAMCF * T.LWL};
    default:
        // Nobody can answer in an unattended run: there the run stops without reading.
        inoperative_stop(T.EDUNIT, {" +=> Index error in GET_LF_NET_FORCES; please contact Kelbrin",
                                    "     Press X to exit..."});
    }
    return {};
}

// A wind or current load as the table keeps it: the force, and its coefficient.
struct ScaledLoad {
    float force = 0.0f;
    float coefficient = 0.0f;
};

// The force F of a unit load factor scaled by the block's load factor: with the load on and a
// speed, the force and the force divided by the squared speed; otherwise the coefficient of
// the unit factor (F times unit_factor) and the force only when the load is on (a zero speed
// takes this form rather than dividing by zero).
ScaledLoad scaled_load(float F, bool on, float speed, float block_factor, float unit_factor) {
    ScaledLoad L;
    if (on && speed != 0.0f) {
        L.force = F * block_factor;
        L.coefficient = L.force / (speed * speed);
    } else {
        L.coefficient = F * unit_factor;
        L.force = on ? F * block_factor : 0.0f;
    }
    return L;
}

// The wind or the current as the table reads it: whether it blows, the heading it comes from
// (degrees), its sway area, its speed in knots converted, the block's load factor and the
// factor of a unit load.
struct FlowLoad {
    bool on = false;
    float heading = 0.0f;
    float sway_area = 0.0f;
    float speed = 0.0f;
    float block_factor = 0.0f;
    float unit_factor = 0.0f;
};

// The load of the flow f in direction IXYZ at vessel heading psi (radians), from its
// coefficient cf(k, angle) in direction k at the relative angle; the yaw moment about the point
// at YAWARM. TRIGLD sets the trigonometric words of the angle for the coefficient routine.
template <class Coefficient>
ScaledLoad flow_load(std::int32_t IXYZ, float psi, float area, float YAWARM, const FlowLoad& f,
                     const Coefficient& cf) {
    const float angle =
        REDRAD(f.on ? f.heading / degrees_per_radian - psi + pi_single : pi_single - psi);
    TRIGLD(angle);
    const float sway = IXYZ == 3 ? f.sway_area * cf(2, angle) : 0.0f;
    const float force = area * cf(IXYZ, angle) - YAWARM * sway;
    return scaled_load(force, f.on, f.speed, f.block_factor, f.unit_factor);
}

// The wind load in direction IXYZ at vessel heading psi. Reads TPCM, WAVCOM, SINES.
ScaledLoad wind_load(std::int32_t IXYZ, float psi, float area, float CNVKTS, float YAWARM) {
    const TpcmBlock& T = TPCM;
    const FlowLoad wind{T.LWIND == 1,      T.WNDHDG,     T.YWNDAR,
                        T.WNDSPD * CNVKTS, SINES.WNDCOF, T.TWNDCF * WAVCOM.RHOAIR / 2000.0f};
    return flow_load(IXYZ, psi, area, YAWARM, wind, [&](std::int32_t k, float angle) {
        return WINDCF(k, T.LWBARG, T.LOADED, T.BOWWND, T.SIZE, angle, T.TXWNDA, T.YWNDAR, T.XWARM,
                      T.YWARM, T.LWL, T.BWL, T.EDUNIT, T.ISPM, T.SIMTYP);
    });
}

// The current load, the same way.
ScaledLoad current_load(std::int32_t IXYZ, float psi, float area, float CNVKTS, float YAWARM) {
    const TpcmBlock& T = TPCM;
    const FlowLoad current{T.LCURNT == 1, T.CURHDG,
                           T.YCURAR,      T.CURSPD * CNVKTS,
                           SINES.CURCOF,  T.DWATR / WAVCOM.G * T.CURFAC / 2000.0f};
    return flow_load(IXYZ, psi, area, YAWARM, current, [&](std::int32_t k, float angle) {
        return CRNTCF(k, T.LCBARG, T.DFTPCT, T.BOWCUR, SINES.HOVERD, angle, T.XCURAR, T.YCURAR,
                      T.XCARM, T.YCARM, T.LWL, T.BWL, T.EDUNIT, T.ISPM, T.SIMTYP);
    });
}

// The external force in direction IXYZ at vessel heading psi, given in global (CRDSYS 0) or
// vessel (1) components; 0 without one. Reads TPCM and EQUILB.
float external_force(std::int32_t IXYZ, float psi, float YAWARM) {
    const TpcmBlock& T = TPCM;
    if (T.AUXFRC != 1)
        return 0.0f;
    const float c = std::cos(psi);
    const float s = std::sin(psi);
    if (IXYZ == 1)
        return T.CRDSYS == 0 ? T.XVFRC * c + T.YVFRC * s : T.CRDSYS == 1 ? T.XVFRC : 0.0f;
    if (IXYZ == 2)
        return T.CRDSYS == 0 ? T.YVFRC * c - T.XVFRC * s : T.CRDSYS == 1 ? T.YVFRC : 0.0f;
    const float b = T.CRDSYS != 0 ? EQUILB.PHIFEX : EQUILB.PHIFEX - psi;
    return ((T.XVLOC - YAWARM) * std::sin(b) - T.YVLOC * std::cos(b)) * EQUILB.FEXTRN + T.VESMOM;
}

// One heading entry of the tables: the wind and current, the drift and drag of each wave
// system, the external force and their sum.
struct NetForceEntry {
    ScaledLoad wind;
    ScaledLoad current;
    WaveLoad sea, swell, swell2;
    float FEXT = 0.0f;
    float FNET = 0.0f;
};

// The entry at vessel heading psi. Reads TPCM, WAVCOM, EQUILB (VESANG set to psi by the
// caller); RELRAOUP sets the RAOs of the heading for the drift and drag routines.
NetForceEntry net_force_entry(std::int32_t IXYZ, float psi, const DirectionFactors& d, float CNVKTS,
                              float YAWARM) {
    const TpcmBlock& T = TPCM;
    NetForceEntry e;
    e.wind = wind_load(IXYZ, psi, d.wind_area, CNVKTS, YAWARM);
    e.current = current_load(IXYZ, psi, d.current_area, CNVKTS, YAWARM);
    if (T.LRANDM == 1 || T.LSWELL == 1) {
        float dummy = 0.0f;
        RELRAOUP(dummy, psi, 1, false, true);
    }
    if (T.LRANDM == 1)
        e.sea = wave_load(IXYZ, T.SEAHDG(1), psi, WAVCOM.WPSD_words, 1, d.drift_coefficient);
    if (T.LSWELL == 1)
        e.swell = wave_load(IXYZ, T.SWLHDG, psi, WAVCOM.SWLPSD_words, 2, d.drift_coefficient);
    if (T.LSWEL2 == 1)
        e.swell2 = wave_load(IXYZ, T.SWLHDG2, psi, WAVCOM.SWLPSD2_words, 3, d.drift_coefficient);
    e.FEXT = external_force(IXYZ, psi, YAWARM);
    e.FNET = e.wind.force + e.current.force + e.sea.drift + e.sea.drag + e.swell.drift +
             e.swell.drag + e.swell2.drift + e.swell2.drag + e.FEXT;
    return e;
}

// Entry m of the tables.
void store_entry(LfForceArrays& tables, std::int32_t m, const NetForceEntry& e) {
    tables.FNET_ARR[slot(m)] = e.FNET;
    tables.FWND_ARR[slot(m)] = e.wind.coefficient;
    tables.FCRNT_ARR[slot(m)] = e.current.coefficient;
    tables.FWVDFT_ARR[slot(m)] = e.sea.drift;
    tables.FWVDRG_ARR[slot(m)] = e.sea.drag;
    tables.FSWLDFT_ARR[slot(m)] = e.swell.drift;
    tables.FSWLDRG_ARR[slot(m)] = e.swell.drag;
    tables.FSWLDFT_ARR2[slot(m)] = e.swell2.drift;
    tables.FSWLDRG_ARR2[slot(m)] = e.swell2.drag;
    tables.FEXT_ARR[slot(m)] = e.FEXT;
}

// The diagnostic row of the entry at attack angle a (degrees); the drag columns only when the
// drag is computed (LEGDRG 0).
std::string entry_row(float a, const NetForceEntry& e, std::int32_t LEGDRG) {
    std::string line = " " + F(REDDEG2(360.0f - a), 6, 1);
    auto add = [&](float v) { line += "  " + PE(v, 1, 10, 3); };
    if (LEGDRG == 0)
        for (float v : {e.sea.drift, e.sea.drag, e.wind.force, e.current.force, e.swell.drift,
                        e.swell.drag, e.FEXT, e.FNET})
            add(v);
    else
        for (float v : {e.sea.drift, e.wind.force, e.current.force, e.swell.drift, e.FEXT, e.FNET})
            add(v);
    return line;
}

} // namespace

// GET_LF_NET_FORCES: per heading entry, the wind and current (as forces and as coefficients),
// the drift and drag of each wave system and the external force, and their sum. The load
// routines see the entry's heading in EQUILB's VESANG, which is the vessel's own again after.
void GET_LF_NET_FORCES(int IOUNIT, std::int32_t IXYZ, LfForceArrays& tables, std::int32_t NUMSLOQ,
                       std::span<const float> SLO_ATTAQ, std::int32_t LANGARRQ, float STARTA) {
    const TpcmBlock& T = TPCM;
    LINTAR_ASSERT(NUMSLOQ >= 0 && NUMSLOQ <= lf_table_capacity, "heading count beyond the tables");
    LINTAR_ASSERT(LANGARRQ == 0 || static_cast<std::size_t>(NUMSLOQ) <= SLO_ATTAQ.size(),
                  "attack angles shorter than their count");
    const DirectionFactors d = direction_factors(IXYZ);
    const float CNVKTS = T.NUNTS == 1 ? 0.5142f : 1.687f;
    const float YAWARM = EQUILB.YAWARM;
    const ScopeRestore keep_heading(EQUILB.VESANG());
    for (std::int32_t m = 1; m <= NUMSLOQ; ++m) {
        const float a =
            LANGARRQ != 0 ? SLO_ATTAQ[slot(m)] : static_cast<float>(m - 1) * T.SLOINC + STARTA;
        const float psi = (360.0f - a) / degrees_per_radian;
        EQUILB.VESANG() = psi;
        const NetForceEntry e = net_force_entry(IXYZ, psi, d, CNVKTS, YAWARM);
        store_entry(tables, m, e);
        if (IOUNIT != 0)
            write_record(IOUNIT, entry_row(a, e, T.LEGDRG));
    }
}

// WRITE_LF_FRC_PGS: the row count, the rows, and the closing row that repeats the first.
void WRITE_LF_FRC_PGS(int IOUNIT, std::int32_t NUMSLOQ, [[maybe_unused]] float DELTA_ANG,
                      std::span<const float> GLOB_VES_ATTACK_ANG, std::span<const float> FXTMP,
                      std::span<const float> FYTMP, std::span<const float> MZTMP, float STRENGTH,
                      float ENV_HEADING, [[maybe_unused]] float VESANG_DEG, bool SCALED) {
    LINTAR_ASSERT(NUMSLOQ >= 1 && static_cast<std::size_t>(NUMSLOQ) <= GLOB_VES_ATTACK_ANG.size() &&
                      static_cast<std::size_t>(NUMSLOQ) <= FXTMP.size() &&
                      FYTMP.size() == FXTMP.size() && MZTMP.size() == FXTMP.size(),
                  "force table shorter than its count");
    const float scale = SCALED && STRENGTH != 0.0f ? STRENGTH * STRENGTH : 1.0f;
    write_record(IOUNIT, " " + I(NUMSLOQ, 4));
    for (std::int32_t i = 1; i <= NUMSLOQ; ++i) {
        const std::size_t k = i < NUMSLOQ ? slot(i) : 0;
        write_record(IOUNIT, " " + F(ENV_HEADING + GLOB_VES_ATTACK_ANG[slot(i)], 8, 2) +
                                 E(FXTMP[k] / scale, 17, 8) + E(FYTMP[k] / scale, 17, 8) +
                                 E(MZTMP[k] / scale, 17, 8));
    }
}

// WRITE_SQUAL_ENV_DATA: the spectra, timed; the RAOs back at the vessel's heading; the force
// tables of the components present.
void WRITE_SQUAL_ENV_DATA(std::int32_t& waveEnvironID, std::int32_t& nAgnSpecSecs,
                          [[maybe_unused]] std::int32_t& mapMakeSecs,
                          [[maybe_unused]] std::int32_t& linDampSecs) {
    const TpcmBlock& T = TPCM;
    const int EDUNIT = T.EDUNIT;

    // The spectra, timed on the wall clock. The difference of two readings goes negative
    // across midnight: a day is added then.
    const float VESANG_saved = EQUILB.VESANG();
    std::int32_t minutes_before = 0, seconds_before = 0, minutes_after = 0, seconds_after = 0;
    RHTIME(minutes_before, seconds_before);
    AngSpecOut(EQUILB.VESANG(), waveEnvironID);
    RHTIME(minutes_after, seconds_after);
    nAgnSpecSecs = (minutes_after - minutes_before) * 60 + seconds_after - seconds_before;
    if (nAgnSpecSecs < 0)
        nAgnSpecSecs += 86400;
    EQUILB.VESANG() = VESANG_saved;

    // The spectra left the RAOs at other headings.
    float RELDEG = 0.0f;
    RELRAOUP(RELDEG, EQUILB.VESANG(), 1, false, true);

    // The files whose component is present, in unit order.
    const TableFile files[] = {
        {"LF_Wind_Frc_Cofs.vkdt", 1236, true, T.LWIND == 1 ? T.WNDHDG : 0.0f, T.WNDSPD},
        {"LF_Crnt_Frc_Cofs.vkdt", 1237, true, T.LCURNT == 1 ? T.CURHDG : 0.0f, T.CURSPD},
        {"LF_WvDrft_Frc_Cofs.vkdt", 1238, T.LRANDM == 1, T.SEAHDG(1), WAVCOM.SWH},
        {"LF_WvDrag_Frc_Cofs.vkdt", 1239, T.LRANDM == 1, T.SEAHDG(1), WAVCOM.SWH},
        {"LF_SwlDrft_Frc_Cofs.vkdt", 1240, T.LSWELL == 1, T.SWLHDG, T.SWELHT},
        {"LF_SwlDrag_Frc_Cofs.vkdt", 1241, T.LSWELL == 1, T.SWLHDG, T.SWELHT},
        {"LF_SwlDrft2_Frc_Cofs.vkdt", 1242, T.LSWEL2 == 1, T.SWLHDG2, T.SWELHT2},
        {"LF_SwlDrag2_Frc_Cofs.vkdt", 1243, T.LSWEL2 == 1, T.SWLHDG2, T.SWELHT2},
        {"LF_External_Frc_Cofs.vkdt", 1249, T.AUXFRC == 1, EQUILB.PHIFEX, 1.0f},
    };
    // Each file is written under a temporary name and takes its own when complete.
    std::vector<std::unique_ptr<TdAuxFile>> open_files;
    for (const TableFile& f : files)
        open_files.push_back(
            f.written ? std::make_unique<TdAuxFile>(TdAuxFileSpec{f.base, f.unit}, "QUASOT", EDUNIT)
                      : nullptr);

    // The grid and the three directions.
    const std::array<float, NUM_LO_TAB> grid = lf_heading_grid();
    const auto forces = std::make_unique<std::array<LfForceArrays, 3>>();
    for (std::int32_t IXYZ = 1; IXYZ <= 3; ++IXYZ)
        GET_LF_NET_FORCES(0, IXYZ, (*forces)[slot(IXYZ)], NUM_LO_TAB, grid, 1, 0.0f);

    write_record(EDUNIT, "");
    write_record(EDUNIT, " >>> Vorlakine: building low-frequency coefficient tables...");
    write_record(EDUNIT, "");

    // Each file from its component's arrays.
    using Member = LfTable LfForceArrays::*;
    const Member members[] = {
        &LfForceArrays::FWND_ARR,     &LfForceArrays::FCRNT_ARR,    &LfForceArrays::FWVDFT_ARR,
        &LfForceArrays::FWVDRG_ARR,   &LfForceArrays::FSWLDFT_ARR,  &LfForceArrays::FSWLDRG_ARR,
        &LfForceArrays::FSWLDFT_ARR2, &LfForceArrays::FSWLDRG_ARR2, &LfForceArrays::FEXT_ARR};
    const float VESANG_DEG = EQUILB.VESANG() * degrees_per_radian;
    for (std::size_t k = 0; k < std::size(files); ++k) {
        const TableFile& f = files[k];
        if (!f.written)
            continue;
        const std::array<LfForceArrays, 3>& A = *forces;
        WRITE_LF_FRC_PGS(f.unit, NUM_LO_TAB, lf_table_step, grid, A[0].*members[k],
                         A[1].*members[k], A[2].*members[k], f.strength, f.heading, VESANG_DEG,
                         false);
        open_files[k]->commit();
    }

    write_record(EDUNIT, "");
    write_record(EDUNIT, " >>> End Vorlakine support enviromental mapping...");
    write_record(EDUNIT, "");
}

} // namespace lintar
