// motions/rao_reevaluation.h: the vessel's RAOs re-evaluated at the heading and draft of the
// moment (the hull model recomputed only when either has moved past its threshold), and the
// wave-frequency statistics and per-frequency tables they give in PASCOM.
//
// Wave systems: 1 the seas, 2 the first swell, 3 the second swell.
#pragma once

#include <cstdint>
#include <string>

namespace lintar {

// USRDATSEL: the user RAO file of a program code CREATR and body ISPM: "UBUOYRAO.txt" (code 13,
// ISPM 2), "UTANKRAO.txt" (13, any other), "UTUGSRAO.txt" (10, ISPM 2), "UBARGRAO.txt" (10, any
// other), else "USERRAOS.txt"; in its 13-character field.
std::string USRDATSEL(std::int32_t CREATR, std::int32_t ISPM);

// RELRAOUP: for each wave system present, the RAOs at vessel heading TNKANG (radians) and the
// draft change DELTA_DRAFT of PASCOM, then RELRAO. The hull model (or the user RAO file) is run
// again when FORCE_NEW_RAO is set, the system was never computed, or its own last heading moved
// by more than 0.02 rad or its last draft change by more than 0.2; otherwise the RAOs saved for
// that system are put back. With ITYPFLG 1 the relative heading RELDEG (degrees) comes from
// each system's direction, with 0 it is used as given for all, and the seas' drag tables then
// serve the swell (or the swell's the seas in a swell-only run). DOSPEC asks for the
// statistics: the combined RMS words start from zero on each such call.
void RELRAOUP(float& RELDEG, float TNKANG, std::int32_t ITYPFLG, bool DOSPEC, bool FORCE_NEW_RAO);

// RELRAO: the response spectra of wave system IWAVID at vessel heading VESANG (radians) from
// the RAO columns of HIMEM at heading slot IRAO: the per-frequency tables HOR_WAV_RAO,
// ANG_WAV_RAO, HRAO (and for the displacement hull RLRAO2, RLRAOH2, FDRGLAT, MDRGLAT) and, with
// DOSPEC, the statistics, RMS words combined with the other systems' as a root sum of squares
// and variances summed, bandwidths and peak periods from the dominant system (the seas when
// present, else the first swell). An IWAVID other than 1 to 3 stops the run.
void RELRAO(float VESANG, bool DOSPEC, std::int32_t IWAVID);

} // namespace lintar
