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

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace lintar {

namespace {

std::size_t slot(std::int32_t m) {
    return static_cast<std::size_t>(m - 1);
}

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

// GET_LF_NET_FORCES: per heading entry, the wind and current (as forces and as coefficients),
// the drift and drag of each wave system and the external force, and their sum.
void GET_LF_NET_FORCES(int IOUNIT, std::int32_t IXYZ, LfForceArrays& tables, std::int32_t NUMSLOQ,
                       std::span<const float> SLO_ATTAQ, std::int32_t LANGARRQ, float STARTA) {
    const TpcmBlock& T = TPCM;
    LINTAR_ASSERT(NUMSLOQ >= 0 && NUMSLOQ <= lf_table_capacity, "heading count beyond the tables");
    LINTAR_ASSERT(LANGARRQ == 0 || static_cast<std::size_t>(NUMSLOQ) <= SLO_ATTAQ.size(),
                  "attack angles shorter than their count");

    // 1. The projected areas and drift coefficient of the direction.
    float wind_area = 0.0f;
    float current_area = 0.0f;
    float drift_coefficient = 0.0f;
    switch (IXYZ) {
    case 1:
        wind_area = T.TXWNDA;
        current_area = T.XCURAR;
        drift_coefficient = WAVCOM.BOWCF;
        break;
    case 2:
        wind_area = T.YWNDAR;
        current_area = T.YCURAR;
        drift_coefficient = WAVCOM.BEAMCF;
        break;
    case 3:
        wind_area = T.YWNDAR * T.LWL;
        current_area = T.YCURAR * T.LWL;
        drift_coefficient = WAVCOM.BEAMCF * T.LWL;
        break;
    default:
        // Nobody can answer in an unattended run: there the run stops without reading.
        inoperative_stop(T.EDUNIT, {" +=> Index error in GET_LF_NET_FORCES; please contact Kelbrin",
                                    "     Press X to exit..."});
    }

    // 2. The knot conversion and the load factors of a unit speed.
    const float CNVKTS = T.NUNTS == 1 ? 0.5142f : 1.687f;
    const float WNDCOF0 = T.TWNDCF * WAVCOM.RHOAIR / 2000.0f;
    const float CURCOF0 = T.DWATR / WAVCOM.G * T.CURFAC / 2000.0f;
    const float VESANG_saved = EQUILB.VESANG();
    const float YAWARM = EQUILB.YAWARM;

    for (std::int32_t m = 1; m <= NUMSLOQ; ++m) {
        // 3. The attack angle and the vessel heading the load routines see.
        const float a =
            LANGARRQ != 0 ? SLO_ATTAQ[slot(m)] : static_cast<float>(m - 1) * T.SLOINC + STARTA;
        const float psi = (360.0f - a) / degrees_per_radian;
        EQUILB.VESANG() = psi;

        // 4. Wind. Without wind the table holds the coefficient of a unit load factor; with a
        // wind, the force divided by the squared speed (a zero speed takes the first form
        // rather than dividing by zero).
        const float WNDANG = REDRAD(T.LWIND == 1 ? T.WNDHDG / degrees_per_radian - psi + pi_single
                                                 : pi_single - psi);
        TRIGLD(WNDANG);
        auto wind_cf = [&](std::int32_t k) {
            return WINDCF(k, T.LWBARG, T.LOADED, T.BOWWND, T.SIZE, WNDANG, T.TXWNDA, T.YWNDAR,
                          T.XWARM, T.YWARM, T.LWL, T.BWL, T.EDUNIT, T.ISPM, T.SIMTYP);
        };
        const float wind_sway = IXYZ == 3 ? T.YWNDAR * wind_cf(2) : 0.0f;
        float FWIND = wind_area * wind_cf(IXYZ) - YAWARM * wind_sway;
        float FWIND_COF = 0.0f;
        const float wind_speed = T.WNDSPD * CNVKTS;
        if (T.LWIND == 1 && wind_speed != 0.0f) {
            FWIND = FWIND * SINES.WNDCOF;
            FWIND_COF = FWIND / (wind_speed * wind_speed);
        } else {
            FWIND_COF = FWIND * WNDCOF0;
            FWIND = T.LWIND == 1 ? FWIND * SINES.WNDCOF : 0.0f;
        }

        // 5. Current, the same way.
        const float CURANG = REDRAD(T.LCURNT == 1 ? T.CURHDG / degrees_per_radian - psi + pi_single
                                                  : pi_single - psi);
        TRIGLD(CURANG);
        auto current_cf = [&](std::int32_t k) {
            return CRNTCF(k, T.LCBARG, T.DFTPCT, T.BOWCUR, SINES.HOVERD, CURANG, T.XCURAR, T.YCURAR,
                          T.XCARM, T.YCARM, T.LWL, T.BWL, T.EDUNIT, T.ISPM, T.SIMTYP);
        };
        const float current_sway = IXYZ == 3 ? T.YCURAR * current_cf(2) : 0.0f;
        float FCURNT = current_area * current_cf(IXYZ) - YAWARM * current_sway;
        float FCURNT_COF = 0.0f;
        const float current_speed = T.CURSPD * CNVKTS;
        if (T.LCURNT == 1 && current_speed != 0.0f) {
            FCURNT = FCURNT * SINES.CURCOF;
            FCURNT_COF = FCURNT / (current_speed * current_speed);
        } else {
            FCURNT_COF = FCURNT * CURCOF0;
            FCURNT = T.LCURNT == 1 ? FCURNT * SINES.CURCOF : 0.0f;
        }

        // 6. The RAOs at this heading, for the drift and drag routines.
        if (T.LRANDM == 1 || T.LSWELL == 1) {
            float dummy = 0.0f;
            RELRAOUP(dummy, psi, 1, false, true);
        }

        // 7, 8. The wave systems.
        WaveLoad sea, swell, swell2;
        if (T.LRANDM == 1)
            sea = wave_load(IXYZ, T.SEAHDG(1), psi, WAVCOM.WPSD_words, 1, drift_coefficient);
        if (T.LSWELL == 1)
            swell = wave_load(IXYZ, T.SWLHDG, psi, WAVCOM.SWLPSD_words, 2, drift_coefficient);
        if (T.LSWEL2 == 1)
            swell2 = wave_load(IXYZ, T.SWLHDG2, psi, WAVCOM.SWLPSD2_words, 3, drift_coefficient);

        // 9. The external force, given in global (CRDSYS 0) or vessel (1) components.
        float FEXT = 0.0f;
        if (T.AUXFRC == 1) {
            const float c = std::cos(psi);
            const float s = std::sin(psi);
            if (IXYZ == 1)
                FEXT = T.CRDSYS == 0 ? T.XVFRC * c + T.YVFRC * s : T.CRDSYS == 1 ? T.XVFRC : 0.0f;
            else if (IXYZ == 2)
                FEXT = T.CRDSYS == 0 ? T.YVFRC * c - T.XVFRC * s : T.CRDSYS == 1 ? T.YVFRC : 0.0f;
            else {
                const float b = T.CRDSYS != 0 ? EQUILB.PHIFEX : EQUILB.PHIFEX - psi;
                FEXT = ((T.XVLOC - YAWARM) * std::sin(b) - T.YVLOC * std::cos(b)) * EQUILB.FEXTRN +
                       T.VESMOM;
            }
        }

        // 10, 11. The net force and the entry.
        const float FNET = FWIND + FCURNT + sea.drift + sea.drag + swell.drift + swell.drag +
                           swell2.drift + swell2.drag + FEXT;
        tables.FNET_ARR[slot(m)] = FNET;
        tables.FWND_ARR[slot(m)] = FWIND_COF;
        tables.FCRNT_ARR[slot(m)] = FCURNT_COF;
        tables.FWVDFT_ARR[slot(m)] = sea.drift;
        tables.FWVDRG_ARR[slot(m)] = sea.drag;
        tables.FSWLDFT_ARR[slot(m)] = swell.drift;
        tables.FSWLDRG_ARR[slot(m)] = swell.drag;
        tables.FSWLDFT_ARR2[slot(m)] = swell2.drift;
        tables.FSWLDRG_ARR2[slot(m)] = swell2.drag;
        tables.FEXT_ARR[slot(m)] = FEXT;

        // 12. The diagnostic listing.
        if (IOUNIT != 0) {
            std::string line = " " + F(REDDEG2(360.0f - a), 6, 1);
            auto add = [&](float v) { line += "  " + PE(v, 1, 10, 3); };
            if (T.LEGDRG == 0)
                for (float v :
                     {sea.drift, sea.drag, FWIND, FCURNT, swell.drift, swell.drag, FEXT, FNET})
                    add(v);
            else
                for (float v : {sea.drift, FWIND, FCURNT, swell.drift, FEXT, FNET})
                    add(v);
            write_record(IOUNIT, line);
        }
    }
    // 13. The vessel's own heading back.
    EQUILB.VESANG() = VESANG_saved;
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

    // 2. The spectra, timed on the wall clock. The difference of two readings goes negative
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

    // 3. The spectra left the RAOs at other headings.
    float RELDEG = 0.0f;
    RELRAOUP(RELDEG, EQUILB.VESANG(), 1, false, true);

    // 1, 4. The files whose component is present, in unit order.
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

    // 5, 6. The grid and the three directions.
    const std::array<float, NUM_LO_TAB> grid = lf_heading_grid();
    const auto forces = std::make_unique<std::array<LfForceArrays, 3>>();
    for (std::int32_t IXYZ = 1; IXYZ <= 3; ++IXYZ)
        GET_LF_NET_FORCES(0, IXYZ, (*forces)[slot(IXYZ)], NUM_LO_TAB, grid, 1, 0.0f);

    write_record(EDUNIT, "");
    write_record(EDUNIT, " >>> Vorlakine: building low-frequency coefficient tables...");
    write_record(EDUNIT, "");

    // 8. Each file from its component's arrays.
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
