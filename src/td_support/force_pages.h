// td_support/force_pages.h: the low-frequency force tables in report form: the page of the
// net environmental force by vessel heading and the plain table of wind force coefficients.
// Both write on a formatted unit the caller has opened.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace lintar {

// WRITE_LF_NET_FRC_PG: the page "X. Environmental Force & Moment Summary" on IOUNIT: the
// global headings of the environments present, the external force (AUXFRC 1; VESMOMQ its
// moment, GLBVES the label of its axes), the moment reference, then one row per heading entry
// m = 1..NUMSLOQ: the vessel heading (360 - GLOB_VES_ATTACK_ANG(m) when LANGARRQ is set, else
// 360 - (m - 1) SLOINCQ - STARTA), the net force FXTMP, FYTMP in vessel and in global axes
// with their directions, its size and the yaw moment MZTMP. TUNIT, MUNIT, AUNIT: the force,
// moment and length unit labels. Reads TPCM and EQUILB YAWARM; cannot end the run.
void WRITE_LF_NET_FRC_PG(int IOUNIT, std::int32_t LANGARRQ, std::int32_t NUMSLOQ, float SLOINCQ,
                         float STARTA, std::span<const float> GLOB_VES_ATTACK_ANG,
                         std::span<const float> FXTMP, std::span<const float> FYTMP,
                         std::span<const float> MZTMP, float VESMOMQ, std::string_view TUNIT,
                         std::string_view MUNIT, std::string_view AUNIT, std::string_view GLBVES);

// WRITE_LF_WND_FRC_PG: NUMSLOQ, then per entry the relative wind angle WNDHDG - SLOHDGQ(i)
// and the three force entries divided by the squared wind speed (as they are when WNDSPD is 0:
// there is no speed to divide by). DELTA_ANG and VESANG_DEG take no part. Cannot end the run.
void WRITE_LF_WND_FRC_PG(int IOUNIT, std::int32_t NUMSLOQ, float DELTA_ANG,
                         std::span<const float> SLOHDGQ, std::span<const float> FXTMP,
                         std::span<const float> FYTMP, std::span<const float> MZTMP, float WNDSPD,
                         float WNDHDG, float VESANG_DEG);

} // namespace lintar
