// motions/user_raos.h: the six motion RAOs of a vessel from a user table ("USERRAOS.txt" and
// the per-body files), the unit-modulus defaults of a missing table, and the bilinear rule
// between the table's frequencies and headings.
//
// The file is read list-directed, one READ per record group: first NFREQ and NAZ (at most 121
// frequencies and 145 headings, at least 2 of each); then per heading one record with the
// heading in degrees and NFREQ records of 13 numbers: the frequency (rad/s) and the real and
// imaginary parts of the surge, sway, heave, roll, pitch and yaw RAOs. Frequencies and
// headings rise or fall strictly. Translations are per unit wave amplitude at the centre of
// gravity, rotations per unit wave slope.
#pragma once

#include <complex>
#include <cstdint>
#include <span>
#include <string_view>

namespace lintar {

// Frequencies and headings a user RAO table may hold (the leading dimensions of its store).
inline constexpr std::int32_t max_user_rao_frequencies = 121;
inline constexpr std::int32_t max_user_rao_headings = 145;

// USRRAO: the six RAOs of the heading REDANG(IRAO) at every grid frequency into the RAO columns
// of RLDUM (surge, SWRAO, HVRAO, RLRAO, PTRAO, YWRAO), from file DATFIL (a 13-character field).
// The file is read on the first call and whenever another name is passed; the table and its
// name are held only once the whole file is read. Rotations are multiplied by the wave number,
// then surge and sway move from the centre of gravity to the pitch and roll centres.
// Reads TPCM (NWP, VKG, EDUNIT) and HIMEM (REDANG, the frequency columns, VTCRP, VTCRR) and
// WAVCOM IRAO; writes HIMEM (IW and its indices, the RAO columns) and TPCM LBACK. Messages go
// to EDUNIT, answers come from the keyboard.
// A missing file is warned about with the abort pause and gives unit-modulus RAOs; an abort,
// or an unattended run, stops there. A table of too many or too few frequencies or headings,
// one whose frequencies or headings are not strictly monotonic, a value that does not read and
// a file that ends early stop the run (the message, the Return pause, an error stop). A grid
// frequency outside the table is warned about once per run with the abort pause (an abort or
// an unattended run stops) and extrapolated; a heading outside is extrapolated silently.
void USRRAO(std::string_view DATFIL);

// CINTRP4: CXOUT = the bilinear value at (WVAL, AVAL) in cell (MINW, MINA) of the plane CPLXAR
// (frequency by heading, leading dimension 121) over WARRAY and ANGARR; NFREQ and NAZ are the
// table's counts (the cell lies inside them).
void CINTRP4(std::span<const std::complex<float>> CPLXAR, std::span<const float> WARRAY,
             std::span<const float> ANGARR, float WVAL, float AVAL, std::complex<float>& CXOUT,
             std::int32_t MINW, std::int32_t MINA, std::int32_t NFREQ, std::int32_t NAZ);

// UNITRAO: the default RAOs of a missing table: modulus 1, surge at 45 degrees and each next
// value (sway, heave, roll, pitch, yaw) turned on by 60 degrees. FREQ and WVANGL are not used.
void UNITRAO(float FREQ, float WVANGL, std::complex<float>& SGRAO, std::complex<float>& SWRAO,
             std::complex<float>& HVRAO, std::complex<float>& PTRAO, std::complex<float>& RLRAO,
             std::complex<float>& YWRAO);

} // namespace lintar
