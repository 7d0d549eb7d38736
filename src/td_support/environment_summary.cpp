// td_support/environment_summary.cpp: the environment summary file.
#include "td_support/environment_summary.h"

#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "environment/group_speed.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "td_support/td_aux_files.h"
#include "util/angles.h"

#include <string>

namespace lintar {

namespace {

std::span<const float, 100> grid(const float (&words)[wave_grid_capacity]) {
    return std::span<const float, 100>(words, wave_grid_capacity);
}

// 1X, A10, I3, 10F20.10 with the values given.
std::string labelled_record(std::string_view label, std::int32_t type,
                            std::initializer_list<float> values) {
    // The label is a ten-character text, so it stands left in its field.
    std::string padded(label);
    padded.resize(10, ' ');
    std::string text = " " + A(padded, 10) + I(type, 3);
    for (const float v : values)
        text += F(v, 20, 10);
    return text;
}

} // namespace

TdEnvironment td_environment_of_blocks() {
    const TpcmBlock& P = TPCM;
    const EquilbBlock& E = EQUILB;
    const WavcomBlock& W = WAVCOM;
    TdEnvironment env{.sea = {grid(W.WPSD_words)},
                      .swell = {grid(W.SWLPSD_words)},
                      .swell2 = {grid(W.SWLPSD2_words)}};
    env.NUNTS = P.NUNTS;
    env.LWIND = P.LWIND;
    env.LCURNT = P.LCURNT;
    env.LCURML = P.LCURML;
    env.LRANDM = P.LRANDM;
    env.LSWELL = P.LSWELL;
    env.LSWEL2 = P.LSWEL2;
    env.LEGDRG = P.LEGDRG;
    env.AUXFRC = P.AUXFRC;
    env.AXFC2 = P.AXFC2;
    env.AXFC3 = P.AXFC3;
    env.WNDTYP = P.WNDTYP;
    env.WNDHDG = P.WNDHDG;
    env.WNDSPD = P.WNDSPD;
    env.WNDDEN = P.WNDDEN;
    env.WSPEC_HGT = P.WSPEC_HGT;
    env.APIPRM = P.APIPRM;
    env.CURTYP = P.CURTYP;
    env.CURHDG = P.CURHDG;
    env.CURSPD = P.CURSPD;
    env.CURDEN = P.CURDEN;
    env.FCURNT_LNS = LINCOM.FCURNT_LNS;
    env.CURF_ANG_LINS = LINCOM.CURF_ANG_LINS;
    env.sea.TYP = P.WAVTYP;
    env.sea.HDG = P.SEAHDG(1);
    env.sea.ATTACK = E.SWAVE_ATTACK;
    env.sea.HT = P.SWHT(1);
    env.sea.PD = W.TPK;
    env.swell.TYP = P.SWLTYP;
    env.swell.HDG = P.SWLHDG;
    env.swell.ATTACK = E.SSWEL_ATTACK;
    env.swell.HT = P.SWELHT;
    env.swell.PD = P.SWELPD;
    env.swell2.TYP = P.SWLTYP2;
    env.swell2.HDG = P.SWLHDG2;
    env.swell2.ATTACK = E.SSWEL_ATTACK2;
    env.swell2.HT = P.SWELHT2;
    env.swell2.PD = P.SWELPD2;
    return env;
}

float knot_speed(std::int32_t NUNTS) {
    return NUNTS == 1 ? 0.51444447f : 1.68780982f;
}

// WRITE_TD_MISC: the seven records, each wave system's group speeds from its spectrum.
void WRITE_TD_MISC(const TdEnvironment& env, float XSPAN, float YSPAN, int EDUNIT) {
    TdAuxFile file(td_environment_file, "WRITE_TD_MISC", EDUNIT);
    const int unit = file.unit();
    const float knot = knot_speed(env.NUNTS);

    std::string flags = " ";
    for (const std::int32_t f : {env.LWIND, env.LCURNT, env.LCURML, env.LRANDM, env.LSWELL,
                                 env.LSWEL2, env.LEGDRG, env.AUXFRC, env.AXFC2, env.AXFC3})
        flags += I(f, 3);
    write_record(unit, flags);
    write_record(unit,
                 labelled_record("Wind", env.WNDTYP,
                                 {env.WNDHDG, env.WNDSPD, env.WNDDEN, env.WSPEC_HGT, env.APIPRM}));
    write_record(unit, labelled_record("Current", env.CURTYP,
                                       {env.CURHDG, env.CURSPD, env.CURDEN, env.FCURNT_LNS,
                                        env.CURF_ANG_LINS * degrees_per_radian_rounded}));

    const std::pair<std::string_view, const TdWaveSystem*> systems[] = {
        {"Waves", &env.sea}, {"Swell", &env.swell}, {"Swell2", &env.swell2}};
    std::int32_t s = 0;
    for (const auto& [label, w] : systems) {
        ++s;
        std::int32_t IPEAK = 0;
        const float VGX = GRPSPD(w->PSD, 1, w->ATTACK, IPEAK, s) / knot;
        const float VGY = GRPSPD(w->PSD, 2, w->ATTACK, IPEAK, s) / knot;
        write_record(unit, labelled_record(label, w->TYP, {w->HDG, VGX, VGY, w->HT, w->PD}));
    }
    write_record(unit, " Xspan_Yspan" + F(XSPAN, 15, 6) + F(YSPAN, 15, 6));
    file.commit();
}

} // namespace lintar
