// blocks/lf_mode_record.h: names of the words of the low-frequency mode records in EQUILB
// (group 15, LFSTAT(w, g)) and a 1-based view of one mode's record.
//
// Each name is a constant (word w, mode g) over EQUILB.LFSTAT, not second storage: read and
// write the word with lf(VARTOT), use VARTOT.w as the position inside any mode's record
// (STUFF(VARTOT.w) is the total sigma of whatever mode STUFF is). The surge names give every
// position; the other modes name the words the low-frequency report reads.
#pragma once

#include "blocks/block_support.h"
#include "blocks/equilb.h"

#include <span>

namespace lintar {

// The modes, in the order of the records.
inline constexpr int lf_surge = 1, lf_sway = 2, lf_yaw = 3, lf_roll = 4, lf_pitch = 5, lf_heave = 6;

// Word w (1..51) of mode g (1..6).
struct LfWord {
    int w;
    int g;
};

// clang-format off
// Mode 1: surge, or the high-energy lateral mode. Every position of a record.
inline constexpr LfWord TSURG{1, 1}, WSURG{2, 1};
// Damping budget (fractions of critical times 2): still water, wind, current, wave reflection,
// swell reflection, wave drag, swell drag, total linear, square-law total, its line part, net.
inline constexpr LfWord GAMSTW{3, 1}, GAMWND{4, 1}, GAMCUR{5, 1}, GAMWV{6, 1}, GAMSWL{7, 1},
    GMWDG{8, 1}, GMSDG{9, 1}, GAMTOT{10, 1}, GAMQSG{11, 1}, GMLNSG{12, 1}, EGMSG{13, 1};
// Response variances (standard deviations once the report has converted them): total, wind,
// current, wave reflection, swell reflection, wave drag, swell drag.
inline constexpr LfWord VARTOT{14, 1}, VARWND{15, 1}, VARCUR{16, 1}, VARWAV{17, 1},
    VARSWL{18, 1}, VWVDG{19, 1}, VSWDG{20, 1};
// Peak factor of the most probable extreme, line-motion damping, mass, damping conversion
// divisor, peak factors of the ensemble mean, of its deviation and of mean plus deviation.
inline constexpr LfWord FSGPK{21, 1}, GAMLIN{22, 1}, EMSURG{23, 1}, GAMFAC{24, 1},
    FSGPKM{25, 1}, FSGPKD{26, 1}, FSGPKS{27, 1};
// Damping and variance of the three user-specified forces.
inline constexpr LfWord GM1UF1{28, 1}, GM1UF2{29, 1}, GM1UF3{30, 1}, VR1UF1{31, 1},
    VR1UF2{32, 1}, VR1UF3{33, 1};
// Peak factors of the other side; the side the first set belongs to (its sign); spare.
inline constexpr LfWord FSGPQ{34, 1}, FSGPQM{35, 1}, FSGPQD{36, 1}, FSGPQS{37, 1},
    PK_SURG_SIDE{38, 1}, SGD6{39, 1}, SGD7{40, 1}, SGD8{41, 1};
// Second swell: reflection and drag damping, reflection and drag variance.
inline constexpr LfWord GAMSWL_2{42, 1}, GMSDG_2{43, 1}, VARSWL_2{44, 1}, VSWDG_2{45, 1};
// Coupling words to degrees of freedom 6 down to 1.
inline constexpr LfWord DOF1_6{46, 1}, DOF1_5{47, 1}, DOF1_4{48, 1}, DOF1_3{49, 1},
    DOF1_2{50, 1}, DOF1_1{51, 1};

// Mode 2: sway, or the low sway-yaw mode.
inline constexpr LfWord TSWAY{1, 2}, WYAWLO{2, 2}, GMSTW2{3, 2}, GMTOT2{10, 2}, GAMQLO{11, 2},
    GMLNLO{12, 2}, EGMLO{13, 2}, EVRLO{14, 2}, VRWND2{15, 2}, VRCUR2{16, 2}, VRWAV2{17, 2},
    VRSWL2{18, 2}, VWVDG2{19, 2}, VSWDG2{20, 2}, FLOPK{21, 2}, GMLIN2{22, 2}, EMILO{23, 2},
    GMODE2{24, 2}, FLOPKM{25, 2}, FLOPKD{26, 2}, FLOPKS{27, 2}, GM2UF1{28, 2}, GM2UF2{29, 2},
    GM2UF3{30, 2}, VR2UF1{31, 2}, VR2UF2{32, 2}, VR2UF3{33, 2}, FLOPQ{34, 2}, FLOPQM{35, 2},
    FLOPQD{36, 2}, FLOPQS{37, 2}, PK_SWAY_SIDE{38, 2}, SWD6{39, 2}, SWD7{40, 2}, SWD8{41, 2},
    GMSWL2_2{42, 2}, VRSWL2_2{44, 2}, VSWDG2_2{45, 2}, DOF2_6{46, 2}, DOF2_1{51, 2};

// Mode 3: yaw, or the high sway-yaw mode.
inline constexpr LfWord TYAW{1, 3}, WYAWHI{2, 3}, GMSTW3{3, 3}, GMTOT3{10, 3}, GAMQHI{11, 3},
    GMLNHI{12, 3}, EGMHI{13, 3}, EVRHI{14, 3}, VRWND3{15, 3}, VRCUR3{16, 3}, VRWAV3{17, 3},
    VRSWL3{18, 3}, VWVDG3{19, 3}, VSWDG3{20, 3}, FHIPK{21, 3}, GMLIN3{22, 3}, EMI{23, 3},
    GMODE3{24, 3}, FHIPKM{25, 3}, FHIPKD{26, 3}, FHIPKS{27, 3}, GM3UF1{28, 3}, GM3UF2{29, 3},
    GM3UF3{30, 3}, VR3UF1{31, 3}, VR3UF2{32, 3}, VR3UF3{33, 3}, FHIPQ{34, 3}, FHIPQM{35, 3},
    FHIPQD{36, 3}, FHIPQS{37, 3}, PK_YAW_SIDE{38, 3}, YD6{39, 3}, YD7{40, 3}, YD8{41, 3},
    GMSWL3_2{42, 3}, VRSWL3_2{44, 3}, VSWDG3_2{45, 3}, DOF3_6{46, 3}, DOF3_1{51, 3};

// Modes 4, 5, 6: roll (its first word has no name; RLSTUF is the whole record), pitch, heave.
inline constexpr LfWord WROLL{2, 4}, GAMQ4{11, 4}, GMLN4{12, 4}, EGM4{13, 4}, EVR4{14, 4},
    VRWND4{15, 4}, VSWDG4{20, 4}, GMLIN4{22, 4}, EMI4{23, 4}, GMODE4{24, 4},
    PK_ROLL_SIDE{38, 4};
inline constexpr LfWord TPTCH{1, 5}, WPTCH{2, 5}, GAMQ5{11, 5}, GMLN5{12, 5}, EGM5{13, 5},
    EVR5{14, 5}, VRWND5{15, 5}, VSWDG5{20, 5}, PK_PITCH_SIDE{38, 5};
inline constexpr LfWord THEV{1, 6}, WHEV{2, 6}, GAMQ6{11, 6}, GMLN6{12, 6}, EGM6{13, 6},
    EVR6{14, 6}, VRWND6{15, 6}, VSWDG6{20, 6}, HEAVE_SIGN{38, 6};
// clang-format on

// The word named by `word` in EQUILB.
inline float& lf(LfWord word) {
    return EQUILB.LFSTAT(word.w, word.g);
}

// A named word and the words after it read as a series, element s (1-based) being word
// w + s - 1 of the same record: lf_series(EGMSG, s) is the net low-frequency sigma of load
// source s in the surge record (EGMSG itself for s = 1).
inline float& lf_series(LfWord word, int s) {
    return EQUILB.LFSTAT(word.w + s - 1, word.g);
}

// One mode's record of lf_group_words words, read and written by position 1..51.
class LfModeRecord {
public:
    explicit LfModeRecord(std::span<float, lf_group_words> words) : words_(words) {}
    float& operator()(int w) const { return words_[col_major(w, lf_group_words)]; }
    std::span<float, lf_group_words> words() const { return words_; }

private:
    std::span<float, lf_group_words> words_;
};

// The record of mode g (1..6) in EQUILB.
inline LfModeRecord lf_mode_record(int g) {
    return LfModeRecord(std::span<float, lf_group_words>(&EQUILB.LFSTAT(1, g), lf_group_words));
}

} // namespace lintar
