// low_frequency/mode_report.h: the blocks of one low-frequency mode in section V of the
// low-frequency report: the single-amplitude dynamics (LOWPK2) and the coupled-mode results
// (LOWMODE), with their unit labels and the choice of the one-sided peak factor.
#pragma once

#include "blocks/lf_mode_record.h"

#include <cstdint>
#include <span>
#include <string>

namespace lintar {

// PHYSDP: the damping unit label of mode IMOTN: translational for modes 1 and 6, and for
// mode 2 when LSPM is false; rotational otherwise. NUNTS 1 metric, 0 English, any other
// value kilonewtons.
std::string PHYSDP(std::int32_t IMOTN, bool LSPM, std::int32_t NUNTS);
// SPRNGUNT: the stiffness unit label, with the same choices.
std::string SPRNGUNT(std::int32_t IMOTN, bool LSPM, std::int32_t NUNTS);

// PK_FAC_LOC: the peak value of pass I (1 or 2) of a mode. The peak side is positive when
// PK_SIDE > 0 if EQLOFF is 0, else when PK_SIDE x EQLOFF > 0; on a positive side pass 1 takes
// PK_MAX and pass 2 PK_MIN, on the other side the other way round.
float PK_FAC_LOC(std::int32_t I, float PK_SIDE, float EQLOFF, float PK_MAX, float PK_MIN);

// The restoring curve of a mode and its mean load, handed to NLNCOR: the energy table ERG
// with its equilibrium value EQB, the offsets DXMOT (the table of offsets of a turret
// mooring, else one element, the table step), the linear spring SPRNGK, the mean load FENV
// and the mean offset EQLOFF (also printed, and the sign reference of the directions).
struct ModeCurve {
    std::span<const float> ERG;
    float EQB = 0.0f;
    std::span<const float> DXMOT;
    float SPRNGK = 0.0f;
    float FENV = 0.0f;
    float EQLOFF = 0.0f;
};

// LOWPK2: the single-amplitude dynamics block of mode IMOTN (1 surge or high lateral, 2 sway
// or low lateral, 3 yaw, 4 roll, 5 pitch) from its record STUFF on IUNIT: unless SKIP_NM,
// the period, the damping budget (when LDAMP is 0), the net damping, its conversion, the
// stiffness and the spectral densities; then the mean offset and, in both directions from
// it, the sigma variations by source, the total and the extremes, each carried onto the
// energy curve by NLNCOR for the surge mode and, without a turret, the sway and yaw modes
// (never for program code 14). NETARM turns the sway of a legacy turret file into an angle.
// Reads TPCM; ends the run only through NLNCOR (an energy outside the table).
void LOWPK2(const LfModeRecord& STUFF, const ModeCurve& curve, std::int32_t LDAMP,
            std::int32_t IMOTN, float NETARM, bool LEGACY, bool SKIP_NM);

// LOWMODE: the coupled-mode block of normal mode IMOTN (1 to 3) on IUNIT: the period, the
// damping budget (when LDAMP is 0), the net damping and the spectral densities as LOWPK2
// prints them, then the root-mean-square motion of the mooring centroid that the mode gives
// radially, across the mean offset and in yaw: the total sigmas of STUFF1, STUFF2, STUFF3
// times the moduli of the mode shape's column IMOTN of COMPs_VEC in EQUILB. Reads TPCM and
// EQUILB.
void LOWMODE(const LfModeRecord& STUFF, const LfModeRecord& STUFF1, const LfModeRecord& STUFF2,
             const LfModeRecord& STUFF3, std::int32_t LDAMP, std::int32_t IMOTN);

} // namespace lintar
