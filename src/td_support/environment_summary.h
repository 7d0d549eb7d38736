// td_support/environment_summary.h: the environment summary of the squall program's support
// data, "td_aux/TD_Environment.vkdt" (WRITE_TD_MISC).
#pragma once

#include <cstdint>
#include <span>

namespace lintar {

// One wave system of the summary: spectrum on the grid, type, heading (degrees), attack angle
// for the group speed, height and period.
struct TdWaveSystem {
    std::span<const float, 100> PSD;
    std::int32_t TYP = 0;
    float HDG = 0.0f;
    float ATTACK = 0.0f;
    float HT = 0.0f;
    float PD = 0.0f;
};

// What the summary writes, as the driver hands it over from TPCM, LINCOM, EQUILB and WAVCOM.
struct TdEnvironment {
    std::int32_t NUNTS = 0;
    std::int32_t LWIND = 0, LCURNT = 0, LCURML = 0, LRANDM = 0, LSWELL = 0, LSWEL2 = 0;
    std::int32_t LEGDRG = 0, AUXFRC = 0, AXFC2 = 0, AXFC3 = 0;
    std::int32_t WNDTYP = 0;
    float WNDHDG = 0.0f, WNDSPD = 0.0f, WNDDEN = 0.0f, WSPEC_HGT = 0.0f, APIPRM = 0.0f;
    std::int32_t CURTYP = 0;
    float CURHDG = 0.0f, CURSPD = 0.0f, CURDEN = 0.0f, FCURNT_LNS = 0.0f, CURF_ANG_LINS = 0.0f;
    TdWaveSystem sea, swell, swell2;
};

// The summary's inputs from the blocks: TPCM's flags, wind, current, sea (SEAHDG(1), SWHT(1),
// WAVCOM's TPK), swell and second swell; LINCOM's FCURNT_LNS, CURF_ANG_LINS; EQUILB's attack
// angles; WAVCOM's spectra.
TdEnvironment td_environment_of_blocks();

// The knot in the length unit per second of the unit system (NUNTS 1 metric, else English).
float knot_speed(std::int32_t NUNTS);

// WRITE_TD_MISC: writes "td_aux/TD_Environment.vkdt" on unit 1232: the presence flags, the
// wind and current records (the lines' current-load angle in degrees), a record per wave
// system whether present or not (sea, swell, second swell; group speeds x and y from GRPSPD in
// knots) and the excursion diameters XSPAN, YSPAN. The file is written under a temporary name
// and takes its own name once complete. A file that cannot be written is reported naming it
// and "WRITE_TD_MISC" on EDUNIT, which stops the run (status 1).
void WRITE_TD_MISC(const TdEnvironment& env, float XSPAN, float YSPAN, int EDUNIT);

} // namespace lintar
