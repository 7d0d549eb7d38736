// td_support/force_pages.cpp: the low-frequency force tables in report form.
#include "td_support/force_pages.h"

#include "blocks/equilb.h"
#include "blocks/tpcm.h"
#include "runtime/assert.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/angles.h"

#include <cmath>
#include <string>

namespace lintar {

namespace {

std::size_t entry(std::int32_t m) {
    return slot(m);
}

} // namespace

// WRITE_LF_NET_FRC_PG: title, environment headings, external force, moment reference, column
// heading and one row per heading entry.
void WRITE_LF_NET_FRC_PG(int IOUNIT, std::int32_t LANGARRQ, std::int32_t NUMSLOQ, float SLOINCQ,
                         float STARTA, std::span<const float> GLOB_VES_ATTACK_ANG,
                         std::span<const float> FXTMP, std::span<const float> FYTMP,
                         std::span<const float> MZTMP, float VESMOMQ, std::string_view TUNIT,
                         std::string_view MUNIT, std::string_view AUNIT, std::string_view GLBVES) {
    LINTAR_ASSERT(NUMSLOQ >= 0 && static_cast<std::size_t>(NUMSLOQ) <= FXTMP.size() &&
                      FYTMP.size() == FXTMP.size() && MZTMP.size() == FXTMP.size(),
                  "force tables shorter than their count");
    const TpcmBlock& T = TPCM;
    write_record(IOUNIT,
                 "   ****************  X. Environmental Force & Moment Summary   ***************");
    write_record(IOUNIT, "");
    auto heading_line = [&](std::string_view what, float heading) {
        Record r;
        r.T(22) << "Global Heading of " << what;
        r.T(48) << "=" << F(heading, 8, 2) << " deg";
        write_record(IOUNIT, r.text());
    };
    if (T.LWIND == 1)
        heading_line("Wind", T.WNDHDG);
    if (T.LCURNT == 1)
        heading_line("Current", T.CURHDG);
    if (T.LRANDM == 1)
        heading_line("Waves", T.SEAHDG(1));
    if (T.LSWELL == 1)
        heading_line("Swell", T.SWLHDG);
    if (T.AUXFRC == 1) {
        write_record(IOUNIT, "");
        write_record(IOUNIT, starting_at(28, "External Forces & Moments"));
        write_record(IOUNIT, starting_at(33, GLBVES));
        write_record(IOUNIT, "");
        auto force_line = [&](std::string_view label, float value, std::string_view unit) {
            write_record(IOUNIT, starting_at(30, std::string(label) + PE(value, 1, 10, 2) + " " +
                                                     std::string(unit)));
        };
        force_line("Fx = ", T.XVFRC, TUNIT);
        force_line("Fy = ", T.YVFRC, TUNIT);
        force_line("Mz = ", VESMOMQ, MUNIT);
    }
    write_record(IOUNIT, "");
    write_record(IOUNIT, "            Moments in this table are computed about Xves = " +
                             F(EQUILB.YAWARM, 8, 2) + " " + std::string(AUNIT));
    write_record(IOUNIT, "");
    const std::string t(TUNIT);
    write_record(IOUNIT,
                 "  Vessel   ---  Vessel System  ---   ---  Global System  ---    Net      Net");
    write_record(IOUNIT,
                 " Heading    VFx      VFy    Angle     GFx      GFy    Angle    Force    Moment");
    write_record(IOUNIT, "  (deg)   (" + t + ")  (" + t + ")  (deg)   (" + t + ")  (" + t +
                             ")  (deg)   (" + t + ")  (" + std::string(MUNIT) + ")");

    for (std::int32_t m = 1; m <= NUMSLOQ; ++m) {
        const float h = LANGARRQ != 0 ? 360.0f - GLOB_VES_ATTACK_ANG[entry(m)]
                                      : 360.0f - static_cast<float>(m - 1) * SLOINCQ - STARTA;
        const float psi = h / degrees_per_radian;
        const float VFx = FXTMP[entry(m)];
        const float VFy = FYTMP[entry(m)];
        const float net = std::sqrt(VFx * VFx + VFy * VFy);
        const float GFx = VFx * std::cos(psi) - VFy * std::sin(psi);
        const float GFy = VFx * std::sin(psi) + VFy * std::cos(psi);
        // A heading without net force has no direction: both angles print as 0.
        float global_angle = 0.0f;
        float vessel_angle = 0.0f;
        if (GFx != 0.0f || GFy != 0.0f) {
            global_angle = std::atan2(GFy, GFx) * degrees_per_radian;
            vessel_angle = std::atan2(VFy, VFx) * degrees_per_radian;
        }
        write_record(IOUNIT, " " + F(REDDEG2(h), 6, 1) + F(VFx, 9, 1) + F(VFy, 9, 1) +
                                 F(vessel_angle, 8, 1) + F(GFx, 9, 1) + F(GFy, 9, 1) +
                                 F(global_angle, 8, 1) + F(net, 9, 1) +
                                 PE(MZTMP[entry(m)], 1, 11, 2));
    }
}

// WRITE_LF_WND_FRC_PG: the count, then the relative angle and the three coefficients per row.
void WRITE_LF_WND_FRC_PG(int IOUNIT, std::int32_t NUMSLOQ, [[maybe_unused]] float DELTA_ANG,
                         std::span<const float> SLOHDGQ, std::span<const float> FXTMP,
                         std::span<const float> FYTMP, std::span<const float> MZTMP, float WNDSPD,
                         float WNDHDG, [[maybe_unused]] float VESANG_DEG) {
    LINTAR_ASSERT(NUMSLOQ >= 0 && static_cast<std::size_t>(NUMSLOQ) <= SLOHDGQ.size() &&
                      static_cast<std::size_t>(NUMSLOQ) <= FXTMP.size() &&
                      FYTMP.size() == FXTMP.size() && MZTMP.size() == FXTMP.size(),
                  "force tables shorter than their count");
    write_record(IOUNIT, " " + I(NUMSLOQ, 3));
    // Without a wind speed the entries are written as they are rather than divided by zero.
    const float scale = WNDSPD != 0.0f ? WNDSPD * WNDSPD : 1.0f;
    for (std::int32_t i = 1; i <= NUMSLOQ; ++i)
        write_record(IOUNIT,
                     " " + F(WNDHDG - SLOHDGQ[entry(i)], 8, 2) + E(FXTMP[entry(i)] / scale, 13, 4) +
                         E(FYTMP[entry(i)] / scale, 13, 4) + E(MZTMP[entry(i)] / scale, 13, 4));
}

} // namespace lintar
