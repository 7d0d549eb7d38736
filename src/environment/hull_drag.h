// environment/hull_drag.h: the wave-induced viscous drag load on the vessel in one direction
// for one sea component (the wind sea or one of two swells): its mean, and the spectral
// densities at one difference frequency of the slowly varying drag and of the drift-drag
// cross term. A ship hull is one strip with tabulated drag transfer functions; a
// semisubmersible-like hull sums its surface-piercing members.
//
// Arguments shared by every entry: LVARST 0 for the mean load, non-zero for the spectral
// densities at WC (rad/s); LCOMP 1 surge, 2 sway, 3 yaw; RELANG the sea direction relative to
// the vessel (radians); PSD the sea's spectrum on the wave grid; IWAVID 1 wind sea, 2 swell,
// 3 second swell. Results: FOUTD the mean drag load or the drag spectral density; FOUTR the
// mean drift load or the drift-drag cross density (the member model leaves FOUTR as it is in
// a mean-load call that has drag).
#pragma once

#include "environment/drag_preparation.h"
#include "util/spectral_moments.h"

#include <cstdint>
#include <functional>
#include <string>

namespace lintar {

// DRAGF: the ship model (DRAGF_SHIP), or the member model (DRAGF_SEMI) when TPCM SEMI_LIKE is
// set.
void DRAGF(std::int32_t LVARST, std::int32_t LCOMP, float RELANG, GridSpectrum PSD, float WC,
           float& FOUTD, float& FOUTR, std::int32_t IWAVID);

// DRAGF_SHIP: the drag weighting spectrum R^0.66667 PSD (R the PASCOM table RLRAO2, FDRGLAT or
// MDRGLAT of the component and sea) and the drift spectrum DRFTC x PSD; mean drag
// 1.5958 A CDEFF s^3 (s^2 the variance of the weighting spectrum, A = DWATR 0.0005 L / G, L the
// beam, the length or its square, CDEFF the current coefficient CURFAC x CRNTCF, its sign only
// for a disc-shaped hull) and mean drift DWATR 0.001 L x the drift variance; the spectral
// densities scale these by the normalised group value of the sea at WC. The current model is
// LCBARG for a displacement hull (VESTYP 1) and -cos, -sin (code 1911) for every other.
// An IWAVID outside 1 to 3 ends the run (" =+> Invalid IWAVID in dragf", the Return pause,
// status 1). Reads TPCM, WAVCOM, PASCOM, SINES HOVERD.
void DRAGF_SHIP(std::int32_t LVARST, std::int32_t LCOMP, float RELANG, GridSpectrum PSD, float WC,
                float& FOUTD, float& FOUTR, std::int32_t IWAVID);

// DRAGF_SEMI: the member model: per surface-piercing member (SIMCOM LPIERCE) of the TPCM member
// tables, the wave-zone and submerged drag increase and the drift along and across the flux
// (G_FRC_PREP), combined into the mean drag along the direction of the resulting load; for
// spectra, the members' drag and drift densities combined fully correlated, the narrow-band
// estimate at the spectral peak taking over when larger. Without a surface-piercing member, or
// for a sea without energy, both results are 0. An IWAVID outside 1 to 3 ends the run
// (" =+> Invalid IWAVID in dragf_semi", the Return pause, status 1); pitch and roll centres far
// apart, and a correlation underflow (once per sea component and run), are warned of with the
// abort prompt (an abort ends the run with status 0). Reads TPCM, SIMCOM, PASCOM, WAVCOM,
// EQUILB VESANG and the current profile.
void DRAGF_SEMI(std::int32_t LVARST, std::int32_t LCOMP, float RELANG, GridSpectrum PSD, float WC,
                float& FOUTD, float& FOUTR, std::int32_t IWAVID);

// The drift coefficient of the ship model at grid frequency IW for method DRFTYP (DOUSER 1: the
// user file USERDAT) and sea IWAVID (DRFTC with the caller tag "DRAGF ").
using ShipDrift = std::function<float(std::int32_t LCOMP, std::int32_t IW, std::int32_t DOUSER,
                                      std::int32_t DRFTYP, const std::string& USERDAT, float RELANG,
                                      std::int32_t IWAVID)>;

// The models with their drift coefficients given: DRAGF_SHIP passes DRFTC, DRAGF_SEMI
// DFC_ALIGN.
void ship_drag(std::int32_t LVARST, std::int32_t LCOMP, float RELANG, GridSpectrum PSD, float WC,
               float& FOUTD, float& FOUTR, std::int32_t IWAVID, const ShipDrift& drift);
void semi_drag(std::int32_t LVARST, std::int32_t LCOMP, float RELANG, GridSpectrum PSD, float WC,
               float& FOUTD, float& FOUTR, std::int32_t IWAVID, const AlignedDrift& drift);

} // namespace lintar
