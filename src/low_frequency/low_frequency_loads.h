// low_frequency/low_frequency_loads.h: the last chapter of the low-frequency report: the
// one-sigma, two-sigma and storm offset cases of the vessel, the mooring at the corners of the
// offset region, the extreme line loads per line (section VIa) and the net vessel loads at nine
// snapshot offsets (section VIb), with the results kept in OUTCOM, LINCOM and EQUILB for the
// support-data writers.
#pragma once

#include "blocks/temp_get_ang.h"

#include <array>
#include <string>

namespace lintar {

// LOWLOD: sections VIa and VIb of the low-frequency report on TPCM IUNIT (pages by PAGE, a
// Return pause after every printed block of line loads when IUNIT is the console; a negative
// answer restarts the three sigma levels from level 1). Reads EQUILB's mean state and the
// converted mode records (standard deviations, peak factors, peak sides), ERGCOM, TPCM, LINCOM's
// tables and mean line geometry. Writes OUTCOM (extreme tensions and geometry per line, case and
// side; the offset records, boxes and headings of the three levels; the snapshot loads LFVARR
// and the mean load), LINCOM (REXTRM, ZEXTRM, the corner and snapshot geometry, MAXEXP, MINEXP,
// RANCK and ZANCK by LBOUND), EQUILB's SIG_LF_RL, SIG_LF_PT and, with the auxiliary force on,
// VFCANG. With the support data asked for (WriteAuxDatFiles 1, CMPUTR not 3) writes the
// envelope records on unit 124 when it is open. With the offset report asked for (CATFBK 1, or
// BCTFBK 1 with program code 13) runs BUYDYN at two corners of every level with IUNIT 1 turned
// to 21, and puts EQUILB, IUNIT, LSPM and the lines' displaced geometry back afterwards.
// Ends the run as NLNCOR, XY_SIG_ROT2, XVECUPD, FMOOR2, LOADUP, NODE_EVAL2, TNSWRN and BUYDYN
// do.
void LOWLOD();

// The excursions of one kind (the sigma level's own, or a storm variant) on the plus and the
// minus side, in surge, sway and yaw, with the factor of each: the excursion over the first
// component of its sigma array once corrected (1.0 without correction).
struct Excursions {
    float SRG = 0.0f, SRGMIN = 0.0f, SWY = 0.0f, SWYMIN = 0.0f, YAW = 0.0f, YAWMNQ = 0.0f;
    float SRG_FAC = 1.0f, SRGMIN_FAC = 1.0f, SWY_FAC = 1.0f, SWYMIN_FAC = 1.0f;
    float YAW_FAC = 1.0f, YAWMNQ_FAC = 1.0f;
};

// The kinds of peak factor: the level's own (FSGPK ...), the second (FSGPKM ...) and the
// third (FSGPKS ...).
enum class PeakKind { main, second, third };

// The sigma arrays of the 13 load components (surge, sway, sway-yaw) as LOWLOD fills them from
// the mode records.
struct SigmaArrays {
    std::array<float, envelope_components> SIGMTN{}, SIGYLO{}, SIGYHI{};
};
SigmaArrays lowlod_sigma_arrays();

// The excursions of sigma level LFINDEX (3 the storm level) for peak kind `kind` before the
// nonlinear correction (steps of the first estimate and, unless a turret read under LEGACY,
// the sides taken from the mean offsets with the sway side from XNM_PARITY).
Excursions first_excursions(int LFINDEX, PeakKind kind, float XNM_PARITY, bool LEGACY);

// The nonlinear correction of the excursions and their factors against the restoring curves
// of ERGCOM (spread moorings), the offset table (turret surge) or none (program code 14: the
// factors only); `yaw_factors` false leaves the yaw factors at 1.0. Zero excursions and sigma
// components of zero or less keep the factor 1.0.
void correct_excursions(Excursions& e, const SigmaArrays& s, bool yaw_factors);

} // namespace lintar
