// blocks/lf_mode_record.h: the names of the words of the low-frequency mode records in
// EQUILB.LFSTAT (six records of 51 reals: surge, sway, yaw, roll, pitch, heave). Each name is
// an accessor onto its word, so the statistics stay where the equilibrium stage left them.
#pragma once

#include "blocks/equilb.h"

namespace lintar {

// Positions inside a mode record (1-based).
namespace lf_position {
inline constexpr int period = 1;         // TSURG, TSWAY, TYAW, ...
inline constexpr int frequency = 2;      // WSURG, ...
inline constexpr int net_damping = 13;   // EGMSG, EGMLO, EGMHI, ...
inline constexpr int response = 14;      // seven response values from here: total first
inline constexpr int peak = 21;          // FSGPK, FLOPK, FHIPK
inline constexpr int peak_m = 25;        // FSGPKM, ...
inline constexpr int peak_d = 26;        // FSGPKD, ...
inline constexpr int peak_s = 27;        // FSGPKS, ...
inline constexpr int user_response = 31; // three user-force values from here
inline constexpr int peak_other = 34;    // FSGPQ, FLOPQ, FHIPQ
inline constexpr int peak_other_m = 35;  // FSGPQM, ...
inline constexpr int peak_other_d = 36;  // FSGPQD, ...
inline constexpr int peak_other_s = 37;  // FSGPQS, ...
inline constexpr int peak_side = 38;     // PK_SURG_SIDE, PK_SWAY_SIDE, PK_YAW_SIDE
inline constexpr int swell2_drift = 44;  // VARSWL_2, ...
inline constexpr int swell2_drag = 45;   // VSWDG_2, ...
} // namespace lf_position

// Word `position` of mode record `mode` (1 surge, 2 sway, 3 yaw, 4 roll, 5 pitch, 6 heave).
inline float& lf_mode_word(int mode, int position) {
    return EQUILB.LFSTAT(position, mode);
}

// Mode 1.
inline float& VARTOT() {
    return lf_mode_word(1, lf_position::response + 0);
}
inline float& VARWND() {
    return lf_mode_word(1, lf_position::response + 1);
}
inline float& VARCUR() {
    return lf_mode_word(1, lf_position::response + 2);
}
inline float& VARWAV() {
    return lf_mode_word(1, lf_position::response + 3);
}
inline float& VARSWL() {
    return lf_mode_word(1, lf_position::response + 4);
}
inline float& VWVDG() {
    return lf_mode_word(1, lf_position::response + 5);
}
inline float& VSWDG() {
    return lf_mode_word(1, lf_position::response + 6);
}
inline float& VR1UF1() {
    return lf_mode_word(1, lf_position::user_response + 0);
}
inline float& VR1UF2() {
    return lf_mode_word(1, lf_position::user_response + 1);
}
inline float& VR1UF3() {
    return lf_mode_word(1, lf_position::user_response + 2);
}
inline float& FSGPK() {
    return lf_mode_word(1, lf_position::peak);
}
inline float& FSGPKM() {
    return lf_mode_word(1, lf_position::peak_m);
}
inline float& FSGPKD() {
    return lf_mode_word(1, lf_position::peak_d);
}
inline float& FSGPKS() {
    return lf_mode_word(1, lf_position::peak_s);
}
inline float& FSGPQ() {
    return lf_mode_word(1, lf_position::peak_other);
}
inline float& FSGPQM() {
    return lf_mode_word(1, lf_position::peak_other_m);
}
inline float& FSGPQD() {
    return lf_mode_word(1, lf_position::peak_other_d);
}
inline float& FSGPQS() {
    return lf_mode_word(1, lf_position::peak_other_s);
}
inline float& PK_SURG_SIDE() {
    return lf_mode_word(1, lf_position::peak_side);
}
inline float& VARSWL_2() {
    return lf_mode_word(1, lf_position::swell2_drift);
}
inline float& VSWDG_2() {
    return lf_mode_word(1, lf_position::swell2_drag);
}

// Mode 2.
inline float& EVRLO() {
    return lf_mode_word(2, lf_position::response + 0);
}
inline float& VRWND2() {
    return lf_mode_word(2, lf_position::response + 1);
}
inline float& VRCUR2() {
    return lf_mode_word(2, lf_position::response + 2);
}
inline float& VRWAV2() {
    return lf_mode_word(2, lf_position::response + 3);
}
inline float& VRSWL2() {
    return lf_mode_word(2, lf_position::response + 4);
}
inline float& VWVDG2() {
    return lf_mode_word(2, lf_position::response + 5);
}
inline float& VSWDG2() {
    return lf_mode_word(2, lf_position::response + 6);
}
inline float& VR2UF1() {
    return lf_mode_word(2, lf_position::user_response + 0);
}
inline float& VR2UF2() {
    return lf_mode_word(2, lf_position::user_response + 1);
}
inline float& VR2UF3() {
    return lf_mode_word(2, lf_position::user_response + 2);
}
inline float& FLOPK() {
    return lf_mode_word(2, lf_position::peak);
}
inline float& FLOPKM() {
    return lf_mode_word(2, lf_position::peak_m);
}
inline float& FLOPKD() {
    return lf_mode_word(2, lf_position::peak_d);
}
inline float& FLOPKS() {
    return lf_mode_word(2, lf_position::peak_s);
}
inline float& FLOPQ() {
    return lf_mode_word(2, lf_position::peak_other);
}
inline float& FLOPQM() {
    return lf_mode_word(2, lf_position::peak_other_m);
}
inline float& FLOPQD() {
    return lf_mode_word(2, lf_position::peak_other_d);
}
inline float& FLOPQS() {
    return lf_mode_word(2, lf_position::peak_other_s);
}
inline float& PK_SWAY_SIDE() {
    return lf_mode_word(2, lf_position::peak_side);
}
inline float& VRSWL2_2() {
    return lf_mode_word(2, lf_position::swell2_drift);
}
inline float& VSWDG2_2() {
    return lf_mode_word(2, lf_position::swell2_drag);
}

// Mode 3.
inline float& EVRHI() {
    return lf_mode_word(3, lf_position::response + 0);
}
inline float& VRWND3() {
    return lf_mode_word(3, lf_position::response + 1);
}
inline float& VRCUR3() {
    return lf_mode_word(3, lf_position::response + 2);
}
inline float& VRWAV3() {
    return lf_mode_word(3, lf_position::response + 3);
}
inline float& VRSWL3() {
    return lf_mode_word(3, lf_position::response + 4);
}
inline float& VWVDG3() {
    return lf_mode_word(3, lf_position::response + 5);
}
inline float& VSWDG3() {
    return lf_mode_word(3, lf_position::response + 6);
}
inline float& VR3UF1() {
    return lf_mode_word(3, lf_position::user_response + 0);
}
inline float& VR3UF2() {
    return lf_mode_word(3, lf_position::user_response + 1);
}
inline float& VR3UF3() {
    return lf_mode_word(3, lf_position::user_response + 2);
}
inline float& FHIPK() {
    return lf_mode_word(3, lf_position::peak);
}
inline float& FHIPKM() {
    return lf_mode_word(3, lf_position::peak_m);
}
inline float& FHIPKD() {
    return lf_mode_word(3, lf_position::peak_d);
}
inline float& FHIPKS() {
    return lf_mode_word(3, lf_position::peak_s);
}
inline float& FHIPQ() {
    return lf_mode_word(3, lf_position::peak_other);
}
inline float& FHIPQM() {
    return lf_mode_word(3, lf_position::peak_other_m);
}
inline float& FHIPQD() {
    return lf_mode_word(3, lf_position::peak_other_d);
}
inline float& FHIPQS() {
    return lf_mode_word(3, lf_position::peak_other_s);
}
inline float& PK_YAW_SIDE() {
    return lf_mode_word(3, lf_position::peak_side);
}
inline float& VRSWL3_2() {
    return lf_mode_word(3, lf_position::swell2_drift);
}
inline float& VSWDG3_2() {
    return lf_mode_word(3, lf_position::swell2_drag);
}

} // namespace lintar
