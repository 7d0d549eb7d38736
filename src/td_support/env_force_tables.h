// td_support/env_force_tables.h: the environment side of the squall program's support data:
// its driver, and the low-frequency force tables: the surge force, sway force and yaw moment
// of each environmental component over 145 vessel headings.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace lintar {

// The heading grid of the tables: 145 entries 2.5 degrees apart, descending from 360.
inline constexpr int NUM_LO_TAB = 145;
inline constexpr float lf_table_step = 2.5f;
// The most heading entries a force table holds.
inline constexpr int lf_table_capacity = 361;

using LfTable = std::array<float, lf_table_capacity>;

// The ten arrays of one direction (surge force, sway force or yaw moment), entry m for
// heading entry m (entry m at index m - 1): the net force, the wind and current coefficients
// (force per squared speed), the sea, swell and second-swell drift and drag forces and the
// external force.
struct LfForceArrays {
    LfTable FNET_ARR{}, FWND_ARR{}, FCRNT_ARR{}, FWVDFT_ARR{}, FWVDRG_ARR{}, FSWLDFT_ARR{},
        FSWLDRG_ARR{}, FSWLDFT_ARR2{}, FSWLDRG_ARR2{}, FEXT_ARR{};
};

// The grid GLOB_VES_ATTACK_ANG: (145 - i) x 2.5 degrees for i = 1..145.
std::array<float, NUM_LO_TAB> lf_heading_grid();

// WRITE_SQUAL_ENV_DATA: the environment side of the support data: the spectra (AngSpecOut,
// timed into nAgnSpecSecs: wall-clock seconds, a day added across midnight; waveEnvironID its
// fingerprint), the RAOs re-evaluated at the vessel's own heading, then the force tables of
// the components present ("td_aux/LF_..._Frc_Cofs.vkdt", units 1236 to 1243 and 1249).
// mapMakeSecs and linDampSecs are not touched. Reads TPCM, EQUILB (VESANG changed for the
// load routines and restored), WAVCOM, SINES; writes the files (each under a temporary name
// until complete) and two notes on EDUNIT. A file that cannot be written (a missing "td_aux"
// folder) ends the run through the file-access report.
void WRITE_SQUAL_ENV_DATA(std::int32_t& waveEnvironID, std::int32_t& nAgnSpecSecs,
                          std::int32_t& mapMakeSecs, std::int32_t& linDampSecs);

// GET_LF_NET_FORCES: the ten arrays of direction IXYZ (1 surge, 2 sway, 3 yaw) for entries
// 1..NUMSLOQ; the attack angle of entry m is SLO_ATTAQ(m) when LANGARRQ is set, else
// (m - 1) SLOINC + STARTA (degrees), the vessel heading 360 - that. IOUNIT not 0 lists each
// heading's forces there. An IXYZ outside 1 to 3 ends the run (status 1) after its message and
// one answer (none in an unattended run). Reads TPCM, EQUILB, WAVCOM, SINES; VESANG changed
// for the load routines and restored; the RAOs re-evaluated at each heading when there are
// seas or swell.
void GET_LF_NET_FORCES(int IOUNIT, std::int32_t IXYZ, LfForceArrays& tables, std::int32_t NUMSLOQ,
                       std::span<const float> SLO_ATTAQ, std::int32_t LANGARRQ, float STARTA);

// WRITE_LF_FRC_PGS: one force table on the open unit IOUNIT: the row count, then rows
// 1..NUMSLOQ - 1 of angle ENV_HEADING + GLOB_VES_ATTACK_ANG(i) with entry i of FXTMP, FYTMP,
// MZTMP, and a last row at ENV_HEADING + GLOB_VES_ATTACK_ANG(NUMSLOQ) that repeats entry 1, so
// that the table closes on itself. With SCALED the values are divided by STRENGTH squared (not
// when STRENGTH is 0). DELTA_ANG and VESANG_DEG take no part.
void WRITE_LF_FRC_PGS(int IOUNIT, std::int32_t NUMSLOQ, float DELTA_ANG,
                      std::span<const float> GLOB_VES_ATTACK_ANG, std::span<const float> FXTMP,
                      std::span<const float> FYTMP, std::span<const float> MZTMP, float STRENGTH,
                      float ENV_HEADING, float VESANG_DEG, bool SCALED);

} // namespace lintar
