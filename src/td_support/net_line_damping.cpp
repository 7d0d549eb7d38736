// td_support/net_line_damping.cpp: the net line damping at one vessel offset.
#include "td_support/net_line_damping.h"
#include "util/angles.h"

#include "blocks/catcom.h"
#include "blocks/himem.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "line_dynamics/low_frequency_damping.h"
#include "line_dynamics/mean_line_shape.h"
#include "lines/catenary_elements.h"
#include "motions/motion_files.h"
#include "motions/rao_driver.h"
#include "motions/wave_setup.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "td_support/force_map.h"
#include "td_support/wave_frequency_damping.h"
#include "util/file_services.h"
#include "util/scope_restore.h"
#include "util/table_search.h"

#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace lintar {

namespace {

constexpr int line_angle_write_unit = 10;

// The vertical angle of line n at its fairlead plus pi/2: from the end-tension derivatives on
// a constant-tension surface, from the tables blended between two layer rows at the line's
// depth in the tension-leg programs, else from the tables in row MIDLYR.
float line_vertical_angle(int n, float RANCHR, float ZANCHR) {
    const TpcmBlock& T = TPCM;
    const LincomBlock& C = LINCOM;
    const int t = C.LINEID(n) % 1024;
    if (T.TENSRF != 0)
        return half_pi_single + std::atan(CATCOM.DTFDZF(n) / CATCOM.DTFDXF(n));
    std::int32_t IER = 0;
    std::int32_t MIN = 1;
    float angle = 0.0f;
    if (T.SIMTYP == 17 || (T.SIMTYP == 14 && T.LEGTLP == 0)) {
        std::int32_t ILAYER = 1;
        float DELLAY = 0.0f;
        std::int32_t OUTWRN = 0;
        SETLYR(T.NLAYER, C.MIDLYR, C.DLAYER, T.ZSPAN, ZANCHR, ILAYER, DELLAY, OUTWRN);
        const auto anc = C.ANCDST_from(1, ILAYER, t);
        BSRCHQ(anc, DELLAY, RANCHR, IER, MIN, T.NUMTAB);
        INTRPQ(anc, C.TOPANG_from(1, ILAYER, t), RANCHR, angle, MIN, DELLAY);
        return angle + half_pi_single;
    }
    const auto anc = C.ANCDST_from(1, C.MIDLYR, t);
    BSRCH(anc, RANCHR, IER, MIN, T.NUMTAB);
    INTERP(anc, C.TOPANG_from(1, C.MIDLYR, t), RANCHR, angle, MIN);
    return angle + half_pi_single;
}

} // namespace

// GET_NET_LF_LINES_QUAD_DAMP: three QDAMP calls on the mean shapes at the offset.
void GET_NET_LF_LINES_QUAD_DAMP(float RX, float RY, float VESANG, int IOUNIT_DMP, int IOUNIT_MASS,
                                std::span<const float> RANCHR, std::span<const float> ANGDPR,
                                std::span<const float> ZANCHR, std::span<const float, 3> VESLOC,
                                float YAWARM) {
    LINDRV(RANCHR, ZANCHR);
    std::array<float, 3> DISSIP{};
    std::array<float, 3> inertia{};
    for (std::int32_t m = 1; m <= 3; ++m) {
        const auto at = slot(m);
        float MASS_L = 0.0f;
        float MASS_T = 0.0f;
        float MASS_OOP = 0.0f;
        QDAMP(RANCHR, ANGDPR, m, DISSIP[at], VESLOC[2], false, MASS_L, MASS_T, MASS_OOP,
              inertia[at], true);
    }
    const float FAC = YAWARM != 0.0f ? YAWARM * YAWARM : 1.0f;
    write_record(IOUNIT_DMP,
                 map_entry(RX, RY, VESANG,
                           {0.375f * DISSIP[0], 0.375f * DISSIP[1], 0.375f * DISSIP[2] / FAC}));
    write_record(IOUNIT_MASS, map_entry(RX, RY, VESANG, {inertia[0], inertia[1], inertia[2]}));
}

std::int32_t line_angle_blocks() {
    return WAVCOM.NRAO;
}

// GET_NET_WF_DAMP: the motion run at the offset, then three LDAMP calls.
void GET_NET_WF_DAMP(float RX, float RY, float VESANG, int IO_WF_LN_DAMP, int IO_FLD_LOAD_MAP,
                     std::span<const float> RANCHR, std::span<const float> ANGDPR,
                     std::span<const float> ZANCHR, bool VESDAT, std::span<const float, 3> VESLOC) {
    TpcmBlock& T = TPCM;
    const int EDUNIT = T.EDUNIT;
    std::memset(&HIMEM, 0, sizeof HIMEM);
    const float h = VESLOC[2];
    LINDRV(RANCHR, ZANCHR);

    // One sea heading and direction, turned to the vessel.
    T.LFORCE = 1;
    T.LODRAO = 1;
    T.NSEAHT = 1;
    T.NSEAHG = 1;
    T.NDIR = 1;
    const ScopeRestore keep_plots(T.IPLOTS);
    std::optional<ScopeRestore<std::int32_t>> keep_negsum;
    // The line damping reads the fairleads' displacement statistics, which only the
    // displacement pass of the point motions makes.
    const ScopeRestore keep_ldsp(T.LDSP);
    T.IPLOTS = 0;
    if (!VESDAT) {
        keep_negsum.emplace(T.NEGSUM);
        T.NEGSUM = 1;
    }
    T.LDSP = 1;
    // The headings, turned by the map's heading for the motion run, are put back on return.
    const ScopeRestore keep_sea(T.SEAHDG(1)), keep_wave(T.WAVHDG(1)), keep_current(T.CURHDG),
        keep_wind(T.WNDHDG), keep_swell(T.SWLHDG), keep_swell2(T.SWLHDG2), keep_speed(T.VGLDIR);
    const float turn = h * degrees_per_radian;
    for (float* const heading :
         {&T.SEAHDG(1), &T.WAVHDG(1), &T.CURHDG, &T.WNDHDG, &T.SWLHDG, &T.SWLHDG2, &T.VGLDIR})
        *heading = *heading - turn;
    if (T.LRANDM != 0)
        T.WAVHDG(1) = T.SEAHDG(1);
    else if (T.LSWELL != 0)
        T.WAVHDG(1) = T.SWLHDG;

    // The set-up builds the list of relative headings; the line angles follow, one block per
    // heading of that list, for the motion run to read.
    VESL1();
    std::vector<std::array<float, 2>> angles(static_cast<std::size_t>(std::max(T.NLIN, 0)));
    for (int n = 1; n <= T.NLIN; ++n) {
        const auto at = slot(n);
        angles[at] = {ANGDPR[at] * radians_per_degree - h,
                      line_vertical_angle(n, RANCHR[at], ZANCHR[at])};
        if (T.NBUG != 0) {
            write_record(EDUNIT, I(n, 12) + I(LINCOM.LINEID(n) % 1024, 12));
            write_record(EDUNIT,
                         " ANGDPR(ILIN),ANGLE" + F(ANGDPR[at], 12, 4) + F(angles[at][1], 12, 4));
        }
    }
    open_motion_file_for_writing(line_angle_write_unit, line_angle_file, "GET_NET_WF_DAMP", EDUNIT);
    for (std::int32_t c = 1; c <= line_angle_blocks(); ++c)
        write_line_angle_block(line_angle_write_unit, angles);
    HCLOSE(line_angle_write_unit, line_angle_file, "GET_NET_WF_DAMP", EDUNIT);
    VESL2();

    write_record(IO_FLD_LOAD_MAP, map_entry(RX, RY, VESANG, {}));
    std::array<float, 3> GAMCOF{};
    for (std::int32_t m = 1; m <= 3; ++m) {
        float HAMCOF = 0.0f;
        LDAMP(RANCHR, ANGDPR, m, h, GAMCOF[slot(m)], HAMCOF, false, IO_FLD_LOAD_MAP,
              m == 1 ? 1 : 0);
    }
    write_record(
        IO_WF_LN_DAMP,
        map_entry(RX, RY, VESANG, {GAMCOF[0] / 1000.0f, GAMCOF[1] / 1000.0f, GAMCOF[2] / 1000.0f}));
}

} // namespace lintar
