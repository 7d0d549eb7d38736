// low_frequency/low_frequency_report_fixture.h: the state the low-frequency report reads, set
// by hand: a ship on the four-line spread mooring of support/spread_mooring_tables.h in
// English units, with wind, current, sea, swell and a second swell, one fixed force in global
// axes, and every input of the report's pages (TPCM switches and data, the EQUILB
// equilibrium, load split and mode records as the static equilibrium leaves them, the ERGCOM
// energy curves, steps, springs and offsets, SINES HOVERD, the WAVCOM sea-state values and
// the lines' current load in LINCOM) filled with distinct non-zero values, so that no page
// hides a zero. The mode records hold variances (the report converts them).
//
// The three energy curves are one hardening spring tabulated at u = -44 .. 45 (entry i at
// u = i - 45): E = 0.5 u^2 + 0.0025 u^4 for u >= 0 and 0.5 u^2 below, equilibrium energy 0 at
// u = 0. Surge and sway take u in feet (step 1, spring 1), yaw in hundredths of a radian
// (step 0.01 rad, spring 10000), so that the linear energy 0.5 K x^2 is 0.5 u^2 in each.
// Header-only; shared by the tests of the report's sections.
#pragma once

#include "blocks/equilb.h"
#include "blocks/ergcom.h"
#include "blocks/lf_mode_record.h"
#include "blocks/lincom.h"
#include "blocks/sines.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "environment/net_environment.h"
#include "motions/wave_setup.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "support/fake_hull_model.h"
#include "support/spread_mooring_tables.h"

#include <complex>
#include <initializer_list>
#include <utility>

namespace lintar::testing {

// Entry i (1..90) of the hardening energy curve.
inline float report_energy(int i) {
    const double u = i - 45;
    return static_cast<float>(u < 0.0 ? 0.5 * u * u : 0.5 * u * u + 0.0025 * u * u * u * u);
}

// Sets the words of one mode record: (position, value) pairs.
inline void set_mode_words(int g, std::initializer_list<std::pair<int, float>> words) {
    for (const auto& [w, value] : words)
        EQUILB.LFSTAT(w, g) = value;
}

// Resets the program state first.
inline void set_up_low_frequency_report() {
    reset_program_state();
    fill_spread_tables(Chain{}, 1, 0.0f);
    TpcmBlock& T = TPCM;
    EquilbBlock& E = EQUILB;
    ErgcomBlock& C = ERGCOM;

    // Units, program, devices: the report on unit 1 (a file), the console on unit 6.
    T.NUNTS = 0;
    T.SIMTYP = 12;
    T.LSPM = 0;
    T.LEGACY_ID = 0;
    T.IUNIT = 1;
    T.EDUNIT = screen_unit;
    T.LOWMOT = 1;

    // Site and vessel.
    T.DEPTH = 300.0f;
    T.DWATR = 64.0f;
    WAVCOM.RHOAIR = 0.0024356f;
    WAVCOM.G = 32.152f;
    T.DISPL = 125000.0f;
    T.VKMT = 12.5f;
    T.VKML = 410.25f;
    T.TVKB = 9.75f;
    T.VKG = 30.5f;
    T.AWP = 52000.0f;
    T.XSALM = 210.0f;
    T.LWL = 800.0f;
    T.BWL = 140.0f;
    T.DRAFT = 18.0f;
    T.DWTONS = 98000.0f;
    SINES.HOVERD = 300.0f / 18.0f;

    // Load models: the tanker wind model in all three directions (bow interpolated); current
    // OCIMF tanker (Cx), NSMB tanker (Cy) and barge (Cz); drift tanker 2001, legacy, 2001.
    T.LWBARG = 0x444;
    T.BOWWND = 0.5f;
    T.LOADED = 75.0f;
    T.LCBARG = 0x346;
    T.BOWCUR = 1.0f;
    T.DFTPCT = 80.0f;
    T.LWVCOF = 0x626;

    // Low-frequency damping: sway given by the user, the others computed.
    T.LSGLFD = 0;
    T.SGLFDP = 2.25f;
    T.LSWLFD = 1;
    T.SWLFDP = 3.5f;
    T.LYWLFD = 0;
    T.YWLFDP = 4.75f;
    T.LRLDMP = 1;
    T.RLDAMP = 6.25f;
    T.LPTDMP = 0;
    T.PTDAMP = 7.5f;

    // Wind.
    T.LWIND = 1;
    T.WNDTYP = 1;
    T.WNDSPD = 45.0f;
    T.WNDHDG = 30.0f;
    T.TXWNDA = 6500.0f;
    T.XWARM = 12.0f;
    T.YWNDAR = 28000.0f;
    T.YWARM = 36.0f;
    T.TWNDCF = 1.1f;
    T.WNDDEN = 0.0125f;
    T.WNDDNY = 0.0375f;
    T.WNDDNZ = 0.0625f;

    // Current.
    T.LCURNT = 1;
    T.CURTYP = 1;
    T.CURSPD = 2.5f;
    T.CURHDG = 60.0f;
    T.XCURAR = 2520.0f;
    T.XCARM = 15.5f;
    T.YCURAR = 14400.0f;
    T.YCARM = -8.25f;
    T.CURFAC = 1.2f;
    T.CURDEN = 0.0008f;
    T.CURDNY = 0.0024f;
    T.CURDNZ = 0.0056f;
    T.LCURML = 1;
    LINCOM.FCURNT_LNS = 30.0f;
    LINCOM.CURF_ANG_LINS = 1.0f;

    // Sea, swell and second swell.
    T.LRANDM = 1;
    T.WAVTYP = 2;
    T.WAVWID = 0.06f;
    T.SEAHDG(1) = 45.0f;
    E.SWHC = 24.5f;
    WAVCOM.TPK = 12.8f;
    T.LSWELL = 1;
    T.SWLTYP = 0;
    T.SWLWID = 0.08f;
    T.SWLHDG = 75.0f;
    T.SWELPD = 16.0f;
    WAVCOM.SWHSWL = 6.5f;
    T.LSWEL2 = 1;
    T.SWLTYP2 = 3;
    T.SWLWID2 = 0.12f;
    T.SWLHDG2 = 100.0f;
    T.SWELPD2 = 20.0f;
    WAVCOM.SWHSWL2 = 4.25f;
    T.BOWFAC = 0.85f;
    T.VWDFAC = 1.15f;
    T.LEGDRG = 0;

    // One fixed force, in global axes, acting on the vessel; no dynamic positioning.
    T.AUXFRC = 1;
    T.XVFRC = 150.0f;
    T.YVFRC = -40.0f;
    T.VESMOM = 2500.0f;
    T.CRDSYS = 0;
    T.LVMR1 = 0;
    T.AXFC2 = 0;
    T.AXFC3 = 0;
    T.DPAFLG = 0;
    T.DPRFLG = 0;
    T.DPXDMP = 0.5f;
    T.DPYDMP = 0.75f;
    T.DPADMP = 1.25f;

    // Statistics options.
    T.ONETWO = 0;
    T.DURATN = 3.0f;
    T.XTRMFL = 1;

    // The most stable equilibrium and its mean loads (vessel axes).
    E.VESANG() = 0.5f;
    E.RVES(1) = 12.5f;
    E.YCGVAR() = -4.75f;
    E.TRTNGL = 0.75f;
    E.YAWARM = 40.0f;
    E.GOFANG = 0.2f;
    E.MODE_ROT_ANG = 0.3f;
    E.SXWND = 120.5f;
    E.SYWND = -35.3f;
    E.SXWAV = 40.7f;
    E.SYWAV = 10.5f;
    E.SXWVDG = 5.2f;
    E.SYWVDG = -2.1f;
    E.SXSWL = 18.5f;
    E.SYSWL = 6.7f;
    E.SXSWDG = 1.5f;
    E.SYSWDG = 0.5f;
    E.SXSWL2 = 7.2f;
    E.SYSWL2 = -3.5f;
    E.SXSWDG2 = 0.7f;
    E.SYSWDG2 = -0.3f;
    E.SXCUR = 60.2f;
    E.SYCUR = 22.5f;
    E.FXENV = 412.5f;
    E.FYENV = -18.7f;
    E.TZENV = -1520.0f;
    E.ISTAB = 2;
    E.FTOT(2) = 395.0f;
    for (int i = 1; i <= 90; ++i)
        E.OFFSET(i) = static_cast<float>(i - 45);

    // Mode shapes of the coupled modes (radial, perpendicular, yaw by column).
    E.COMPs_VEC(1, 1) = std::complex<float>(0.6f, 0.8f);
    E.COMPs_VEC(2, 1) = std::complex<float>(0.3f, 0.0f);
    E.COMPs_VEC(3, 1) = std::complex<float>(0.0f, 0.1f);
    E.COMPs_VEC(1, 2) = std::complex<float>(0.2f, 0.0f);
    E.COMPs_VEC(2, 2) = std::complex<float>(0.0f, -0.9f);
    E.COMPs_VEC(3, 2) = std::complex<float>(0.4f, 0.3f);
    E.COMPs_VEC(1, 3) = std::complex<float>(0.1f, 0.0f);
    E.COMPs_VEC(2, 3) = std::complex<float>(0.5f, 0.0f);
    E.COMPs_VEC(3, 3) = std::complex<float>(0.0f, 0.8f);

    // Energy curves, steps, springs, offsets.
    for (int i = 1; i <= energy_curve_points; ++i)
        C.PENFUN(i) = C.SWYERG(i) = C.YAWERG(i) = report_energy(i);
    C.EQBSRG = C.EQBSWY = C.EQBYAW = 0.0f;
    C.DXSRG = 1.0f;
    C.DYSWY = 1.0f;
    C.DZYAW = 0.01f;
    C.SPRNGX_L = 1.0f;
    C.SPRNGY_L = 1.0f;
    C.SPRNGZ_L = 10000.0f;
    C.SPRNGX = 1.5f;
    C.SPRNGY = 2.5f;
    C.SPRNGZ = 12000.0f;
    C.SPRNGR = 80000.0f;
    C.SPRNGP = 950000.0f;
    C.SRGOFF = 6.5f;
    C.SWYOFF = -3.25f;
    C.YAWOFF = 0.035f;
    C.ROLOFF = 0.0125f;
    C.PITOFF = -0.0075f;
    C.REQLIB = 20.0f;

    // Mode 1, surge: damping (fractions of critical times 2), variances, peak factors.
    set_mode_words(
        lf_surge,
        {{TSURG.w, 120.0f},   {WSURG.w, 0.0523599f},  {GAMSTW.w, 0.01f},     {GAMWND.w, 0.004f},
         {GAMCUR.w, 0.006f},  {GAMWV.w, 0.012f},      {GAMSWL.w, 0.003f},    {GMWDG.w, 0.002f},
         {GMSDG.w, 0.001f},   {GAMTOT.w, 0.05f},      {GAMQSG.w, 0.03f},     {GMLNSG.w, 0.018f},
         {EGMSG.w, 0.08f},    {VARTOT.w, 25.0f},      {VARWND.w, 0.64f},     {VARCUR.w, 0.36f},
         {VARWAV.w, 0.81f},   {VARSWL.w, 0.25f},      {VWVDG.w, 0.09f},      {VSWDG.w, 0.04f},
         {FSGPK.w, 3.0f},     {GAMLIN.w, 0.008f},     {EMSURG.w, 3.9e6f},    {GAMFAC.w, 0.002f},
         {FSGPKM.w, 3.2f},    {FSGPKD.w, 0.35f},      {FSGPKS.w, 3.6f},      {GM1UF1.w, 0.0024f},
         {VR1UF1.w, 0.16f},   {FSGPQ.w, 2.8f},        {FSGPQM.w, 3.1f},      {FSGPQD.w, 0.3f},
         {FSGPQS.w, 3.4f},    {PK_SURG_SIDE.w, 1.0f}, {GAMSWL_2.w, 0.0016f}, {GMSDG_2.w, 0.0004f},
         {VARSWL_2.w, 0.49f}, {VSWDG_2.w, 0.01f}});
    // Mode 2, sway (its damping given by the user, so no budget is printed).
    set_mode_words(lf_sway, {{TSWAY.w, 95.0f},       {WYAWLO.w, 0.0661388f}, {GAMSTW.w, 0.014f},
                             {GAMWND.w, 0.005f},     {GAMCUR.w, 0.007f},     {GAMWV.w, 0.009f},
                             {GAMSWL.w, 0.0022f},    {GMWDG.w, 0.0018f},     {GMSDG.w, 0.0012f},
                             {GAMTOT.w, 0.044f},     {GAMQSG.w, 0.026f},     {GMLNSG.w, 0.016f},
                             {EGMSG.w, 0.07f},       {VARTOT.w, 16.0f},      {VARWND.w, 0.25f},
                             {VARCUR.w, 0.16f},      {VARWAV.w, 0.36f},      {VARSWL.w, 0.09f},
                             {VWVDG.w, 0.04f},       {VSWDG.w, 0.01f},       {FSGPK.w, 3.1f},
                             {GAMLIN.w, 0.006f},     {GAMFAC.w, 0.004f},     {FSGPKM.w, 3.3f},
                             {FSGPKS.w, 3.7f},       {GM1UF1.w, 0.003f},     {VR1UF1.w, 0.49f},
                             {FSGPQ.w, 2.9f},        {FSGPQM.w, 3.0f},       {FSGPQS.w, 3.5f},
                             {PK_SURG_SIDE.w, 1.0f}, {GAMSWL_2.w, 0.0014f},  {GMSDG_2.w, 0.0006f},
                             {VARSWL_2.w, 0.64f},    {VSWDG_2.w, 0.0025f}});
    // Mode 3, yaw (radians).
    set_mode_words(lf_yaw, {{TYAW.w, 60.0f},         {WYAWHI.w, 0.1047198f}, {GAMSTW.w, 0.016f},
                            {GAMWND.w, 0.0036f},     {GAMCUR.w, 0.0044f},    {GAMWV.w, 0.0108f},
                            {GAMSWL.w, 0.0028f},     {GMWDG.w, 0.0024f},     {GMSDG.w, 0.0014f},
                            {GAMTOT.w, 0.062f},      {GAMQSG.w, 0.034f},     {GMLNSG.w, 0.02f},
                            {EGMSG.w, 0.096f},       {VARTOT.w, 0.0004f},    {VARWND.w, 1.0e-6f},
                            {VARCUR.w, 4.0e-6f},     {VARWAV.w, 9.0e-6f},    {VARSWL.w, 1.6e-5f},
                            {VWVDG.w, 2.5e-5f},      {VSWDG.w, 3.6e-5f},     {FSGPK.w, 3.0f},
                            {GAMLIN.w, 0.0052f},     {GAMFAC.w, 0.008f},     {FSGPKM.w, 3.25f},
                            {FSGPKS.w, 3.75f},       {GM1UF1.w, 0.0032f},    {VR1UF1.w, 4.9e-5f},
                            {FSGPQ.w, 2.75f},        {FSGPQM.w, 3.05f},      {FSGPQS.w, 3.55f},
                            {PK_SURG_SIDE.w, -1.0f}, {GAMSWL_2.w, 0.0018f},  {GMSDG_2.w, 0.0008f},
                            {VARSWL_2.w, 6.4e-5f},   {VSWDG_2.w, 8.1e-5f}});
    // Modes 4 to 6: roll, pitch (radians) and heave (feet).
    for (int g = lf_roll; g <= lf_heave; ++g) {
        const float s = static_cast<float>(g - 3); // 1, 2, 3
        set_mode_words(
            g,
            {{TSURG.w, 20.0f + 5.0f * s}, {GAMSTW.w, 0.01f * s},       {GAMWND.w, 0.002f * s},
             {GAMCUR.w, 0.003f * s},      {GAMWV.w, 0.004f * s},       {GAMSWL.w, 0.0015f * s},
             {GMWDG.w, 0.001f * s},       {GMSDG.w, 0.0005f * s},      {GAMTOT.w, 0.03f * s},
             {GAMQSG.w, 0.02f * s},       {GMLNSG.w, 0.012f * s},      {EGMSG.w, 0.05f * s},
             {VARTOT.w, 1.0e-4f * s},     {VARWND.w, 4.0e-6f * s},     {VARCUR.w, 9.0e-6f * s},
             {VARWAV.w, 1.6e-5f * s},     {VARSWL.w, 2.5e-5f * s},     {VWVDG.w, 3.6e-5f * s},
             {VSWDG.w, 4.9e-5f * s},      {FSGPK.w, 3.0f + 0.1f * s},  {GAMLIN.w, 0.002f * s},
             {GAMFAC.w, 0.01f * s},       {FSGPKM.w, 3.2f + 0.1f * s}, {FSGPKS.w, 3.6f + 0.1f * s},
             {GM1UF1.w, 0.001f * s},      {VR1UF1.w, 6.4e-5f * s},     {FSGPQ.w, 2.8f + 0.1f * s},
             {FSGPQM.w, 3.0f + 0.1f * s}, {FSGPQS.w, 3.4f + 0.1f * s}, {PK_SURG_SIDE.w, 1.0f},
             {GAMSWL_2.w, 0.0007f * s},   {GMSDG_2.w, 0.0003f * s},    {VARSWL_2.w, 8.1e-5f * s},
             {VSWDG_2.w, 1.0e-4f * s}});
    }
}

// The yaw moments at the equilibrium heading, as TORQUE2 would return them for the fixture.
inline TorqueParts report_moments() {
    TorqueParts Q;
    Q.WIND_TQ = -8200.5f;
    Q.CUR_TQ = 4100.7f;
    Q.WAV_RFL_TQ = 1250.3f;
    Q.WAV_DRG_TQ = -75.5f;
    Q.SWEL_RFL_TQ = 640.0f;
    Q.SWEL_DRG_TQ = 12.8f;
    Q.SWEL_RFL_TQ2 = -210.5f;
    Q.SWEL_DRG_TQ2 = 3.2f;
    Q.AUX1_TQ = 2650.5f;
    Q.DP_TQ = -45.0f;
    Q.TORQUE_VAL = 171.0f;
    return Q;
}

// The vessel-motion set-up the static-equilibrium stage leaves before the report, for the
// report's own evaluation of the yaw moments (TORQUE2 re-evaluates the RAOs at the heading):
// a grid of 31 periods from 3 to 33 s and the stand-in hull `fake`, installed for the ship.
// The spectra stay empty (the report prints the heights the fixture gives), so the waves
// drift nothing.
inline void set_up_report_motions(FakeHullModel& fake) {
    TpcmBlock& T = TPCM;
    T.NWP = 31;
    for (int k = 1; k <= T.NWP; ++k)
        T.T(k) = static_cast<float>(2 + k);
    T.VESTYP = 1;
    T.SEMI_LIKE = 0;
    T.NEGSUM = 1;
    T.NDIR = 1;
    T.WAVHDG(1) = 0.0f;
    T.LSPRED = 0;
    T.NSEAHT = 1;
    T.NSEAHG = 1;
    T.SWHT(1) = EQUILB.SWHC; // the heights the fixture's sea state gives
    T.SWELHT = WAVCOM.SWHSWL;
    T.SWELHT2 = WAVCOM.SWHSWL2;
    const std::int32_t hide = T.hideOrmanelReports;
    T.hideOrmanelReports = 1;
    install_hull_model(HullModelKind::ship, &fake);
    VESL1();
    T.hideOrmanelReports = hide;
}

} // namespace lintar::testing
