// low_frequency/variance_envelope.h: the directional variance envelope of the low-frequency
// motion: the load components with their directions and sigmas, the combined variance along a
// direction, the roll and pitch sigmas about turned axes, and the direction of largest
// variance with the extreme offset candidates it gives.
//
// The components (13 entries): 1 net environment, 2 wind, 3 current on the vessel, 4 sea
// drift, 5 swell drift, 6 sea drag, 7 swell drag, 8 to 10 the auxiliary forces 1 to 3,
// 11 current on the lines, 12 second-swell drift, 13 second-swell drag.
#pragma once

#include "blocks/temp_get_ang.h"

#include <array>
#include <cstdint>
#include <span>

namespace lintar {

using ComponentTable = std::span<float, envelope_components>;
using ConstComponentTable = std::span<const float, envelope_components>;

// An auxiliary applied force as the envelope sees it: active or not, and its horizontal
// components in vessel axes.
struct EnvelopeAuxForce {
    bool active = false;
    float x = 0.0f;
    float y = 0.0f;
    float magnitude = 0.0f;
};

// The three auxiliary forces of TPCM at heading VESANG: force 2 counts only when force 1 is
// on, force 3 only when force 2 is. A force with coordinate code 1 is in vessel axes and taken
// as it is; any other code means global axes (the code has no other meaning), turned into
// vessel axes by VESANG.
std::array<EnvelopeAuxForce, 3> envelope_aux_forces(float VESANG);

// GET_ENV_F_ARRAYS: magnitude F_MAG and direction PHIF_V (vessel axes, radians) of the 13
// components, and PHIF_NM, the direction in the normal-mode frame (PHIF_V - MODE_ROT_ANG in
// [0, 2 pi)). Entries 8 to 10 of SIGMTN, SIGYLO, SIGYHI are set: 0, or the surge, sway and
// sway-yaw sigmas of load sources 19 to 21 for the active auxiliary forces; the other entries
// are the caller's. Reads EQUILB, TPCM (auxiliary forces) and LINCOM (line current load).
void GET_ENV_F_ARRAYS(ComponentTable F_MAG, ComponentTable PHIF_V, ComponentTable PHIF_NM,
                      ComponentTable SIGMTN, ComponentTable SIGYLO, ComponentTable SIGYHI);

// VAR_ALIGNED: the combined low-frequency variance along THETA_LINE (radians) of the eleven
// load sources, each (SRG_FAC surge sigma)^2 + (SWY_FAC sway sigma)^2 times cos^2 of the angle
// between THETA_LINE and the source's direction. Reads EQUILB and TPCM.
void VAR_ALIGNED(float& VAR_TOTL, float THETA_LINE, float SRG_FAC, float SWY_FAC);

// PR_SIG_ROT: roll and pitch sigmas about axes turned by THETA_ROT (radians), per source in
// entries 2 to 10 (wind, current, sea drift, swell drift, sea drag, swell drag, auxiliary
// forces 1 to 3) and combined in entry 1. VTCRRS and VTCRPS take no part. Reads EQUILB, TPCM.
void PR_SIG_ROT(std::span<float, 10> SIGR_OUT, std::span<float, 10> SIGP_OUT, float THETA_ROT,
                float ROL_FAC, float PIT_FAC, float VTCRRS, float VTCRPS);

// R_ENVELOPE: the variance along THETA of the components 2 to 13 of TEMP_GET_ANG.
// FIRST_DERIV: minus its first derivative; SECOND_DERIV: its second derivative.
float R_ENVELOPE(float THETA);
float FIRST_DERIV(float THETA);
float SECOND_DERIV(float THETA);

// One extreme offset candidate of the envelope: its key (squared distance from the origin),
// position and offset from the mean position.
struct EnvelopeCandidate {
    float R = 0.0f;
    float GX = 0.0f;
    float GY = 0.0f;
    float DGX = 0.0f;
    float DGY = 0.0f;
};

// ENVELOPE_SORT1: orders the four candidates by descending key in place, by passes of strict
// comparisons (equal keys are never exchanged); the farthest goes to MAX, the nearest to MIN.
void ENVELOPE_SORT1(std::array<EnvelopeCandidate, 4>& candidates, EnvelopeCandidate& MAX,
                    EnvelopeCandidate& MIN);

// XY_SIG_ROT2: fills TEMP_GET_ANG from the component sigmas RMS_X, RMS_Y (scaled by X_FAC,
// Y_FAC) and directions PHIF_NM, finds the direction of largest combined variance and returns
// it (radians, in the frame of PHI); XNM_PARITY is the sign of its tangent in the global
// frame. The candidate offsets (+/- the combined x and y sigmas around the mean position
// RVES(1), YCGVAR of EQUILB) are sorted by distance from the origin: with LPLUS the farthest,
// otherwise the nearest, is returned as each of the X, Y and R offsets. GET_PARITY_ONLY takes
// no part. Ends the run (message on EDUNIT, Return pause, error stop) when the direction search
// fails with a net environmental variance above 0.001, unless the failure is a search interval
// without a sign change while the combined sigmas are not negligible: then the direction is
// that of the combined sigmas.
float XY_SIG_ROT2(float& GX_MOT_X, float& GY_MOT_X, float& GX_MOT_Y, float& GY_MOT_Y,
                  float& GX_MOT_R, float& GY_MOT_R, float& XNM_PARITY, float XNM_TO_XGLOB_ANG,
                  ConstComponentTable RMS_X, ConstComponentTable RMS_Y, ConstComponentTable PHIF_NM,
                  bool GET_PARITY_ONLY, float X_FAC, float Y_FAC, bool LPLUS);

// The direction search of XY_SIG_ROT2 over TEMP_GET_ANG, given the summed x variance
// VAR_TOTL_BX and the combined sigmas sx, sy: the root of FIRST_DERIV in its bracket, the
// failure rule, and the quarter turn that makes a minimum of the variance its maximum.
float envelope_principal_direction(float VAR_TOTL_BX, float sx, float sy, int EDUNIT);

// The failure rule of the direction search for result code IER (not 0) with the finder's last
// value THETA0: the direction of the combined sigmas, the last value kept, or the end of the
// run, as XY_SIG_ROT2 describes (VARTOT1 is the net environmental variance).
float settle_direction_search_failure(std::int32_t IER, float THETA0, float sx, float sy,
                                      float VARTOT1, int EDUNIT);

} // namespace lintar
