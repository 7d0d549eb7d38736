// datafile/unit_conversion.cpp: English/metric conversion of every dimensional value of TPCM.
//
// Every factor is a four-byte real, and every converted value is multiplied by its factor and
// stored back as a four-byte real: converting twice returns the values only to within
// rounding.
#include "datafile/unit_conversion.h"

#include "blocks/tpcm.h"
#include "datafile/tpcm_image.h"
#include "util/flags.h"
#include "util/prompts.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <initializer_list>
#include <span>
#include <vector>

namespace lintar {

namespace {

// The factor table.
constexpr float metres_to_feet = 3.2808399f;
constexpr float tons_to_kips = 2.204622f;
constexpr float feet_to_metres = 0.3048f;
constexpr float kips_to_tons = 0.45359248f;
constexpr float mm_to_inches = 0.03937f;
constexpr float inches_to_mm = 25.400051f;

// The factors of one call, chosen by NUNTS as it stands, derived once in four-byte reals.
struct Factors {
    float L, F, D;
    float L2, L3, F_per_L, F_times_L, density;
    Factors() {
        const bool to_metric = TPCM.NUNTS == 1;
        L = to_metric ? feet_to_metres : metres_to_feet;
        F = to_metric ? kips_to_tons : tons_to_kips;
        D = to_metric ? inches_to_mm : mm_to_inches;
        L2 = L * L;
        L3 = L * L2;
        F_per_L = F / L;
        F_times_L = F * L;
        density = F_per_L / L2;
    }
};

void scale(float factor, std::initializer_list<float*> values) {
    for (float* value : values)
        *value *= factor;
}

template <std::size_t N> void scale(float factor, float (&values)[N]) {
    for (float& value : values)
        value *= factor;
}

} // namespace

std::string_view unit_system_name(std::int32_t NUNTS) {
    return NUNTS == 0 ? "English" : "metric";
}

// TOPCVRT: the top part: site, environment and the offset-table loads. Toggles NUNTS first.
void TOPCVRT() {
    TOGGLE(TPCM.NUNTS);
    const Factors f;
    auto& T = TPCM;
    scale(f.L, T.DPTHI_words);
    scale(f.L, T.SWHT_words);
    scale(f.L,
          {&T.DEPTH, &T.SLOARM, &T.SWELHT, &T.WSPEC_HGT, &T.excursionLimitDiameter, &T.OFFINC});
    if (T.LSLPHT == 0)
        T.SLPHT *= f.L; // a wave height; a slope stays as it is
    scale(f.L2, {&T.CURDEN, &T.CURDNY, &T.CURDNZ, &T.WNDDEN, &T.WNDDNY, &T.WNDDNZ});
    scale(f.L2, T.USRPSD_words);
    T.DWATR *= f.density;
    scale(f.F, T.AUXFOR_words);
    // The couples of the force-couple offsets are moments: force times length.
    scale(f.F_times_L, T.AUXTRQ_words);
    scale(f.F, {&T.HMIN, &T.TLOAD});
}

// VESCVRT: the vessel section.
void VESCVRT() {
    const Factors f;
    auto& T = TPCM;
    scale(f.L, T.RACC_words);
    scale(f.L,
          {&T.BILGR,  &T.BWL,    &T.CNTSEP, &T.DKEEL,  &T.DPXLOC, &T.DPXPNT, &T.DPYLOC, &T.DPYPNT,
           &T.DRAFT,  &T.ENDHT,  &T.GMLEST, &T.GMTEST, &T.LWL,    &T.PGYR,   &T.PNDARM, &T.RGYR,
           &T.RKEEL,  &T.TKEEL,  &T.VCBEST, &T.TVKB,   &T.VKG,    &T.VKML,   &T.VKMT,   &T.XCARM,
           &T.XCBEST, &T.XSALM,  &T.XVLOC,  &T.XVLOC2, &T.XVLOC3, &T.XWARM,  &T.XWPCTR, &T.YCARM,
           &T.YCBEST, &T.YGYR,   &T.YVLOC,  &T.YVLOC2, &T.YVLOC3, &T.YWARM,  &T.YWPCTR, &T.ZVLOC,
           &T.ZVLOC2, &T.ZVLOC3, &T.ZXCARM, &T.ZYCARM, &T.ZXWARM, &T.ZYWARM});
    scale(f.L2, {&T.AWP, &T.AWPEST, &T.XCURAR, &T.TXWNDA, &T.YCURAR, &T.YWNDAR});
    scale(f.F, {&T.DISPL, &T.DWTONS, &T.DPXFRC, &T.DPYFRC, &T.XVFRC, &T.XVFRC2, &T.XVFRC3, &T.YVFRC,
                &T.YVFRC2, &T.YVFRC3, &T.ZVFRC, &T.ZVFRC2, &T.ZVFRC3, &T.TLP_TENSION, &T.DPASPR});
    scale(f.F_times_L, {&T.VESMOM, &T.XVSMO1, &T.YVSMO1, &T.VESMO2, &T.XVSMO2, &T.YVSMO2, &T.VESMO3,
                        &T.XVSMO3, &T.YVSMO3, &T.DPMOM});
    scale(f.F * f.F, {&T.SPECF1, &T.SPECF2, &T.SPECF3});
    scale(f.F_times_L * f.F_times_L, {&T.SPECM1, &T.SPECM2, &T.SPECM3});
    scale(f.F_per_L, {&T.DPXSPR, &T.DPYSPR, &T.HVK, &T.SGK, &T.SWK, &T.PTK, &T.RLK, &T.YWK});
}

// SEMCVRT: the hull members.
void SEMCVRT() {
    const Factors f;
    scale(f.L, TPCM.RCYLB_words);
    scale(f.L, TPCM.RCYLT_words);
    scale(f.L, TPCM.DIAMS_words);
    scale(f.L2, TPCM.XAREA_words);
}

// MORCVRT: the mooring part: lines, line types and sublines.
void MORCVRT() {
    const Factors f;
    auto& T = TPCM;
    scale(f.L, T.ANCHGT_words);
    scale(f.L, T.SLEN_words);
    scale(f.L, T.RFLD_words);
    scale(f.L, T.RMCTR_words);
    scale(f.L, T.RMCTRG_words);
    scale(f.L, {&T.ANCHT0, &T.LONGIE, &T.SHORTY, &T.ZSPAN});
    scale(f.D, T.DIAM_words);
    // The clump weights and buoy springs are held for the 12 entries the data file stores.
    scale(f.F, T.CLUMP_words);
    scale(f.F, T.SPRGBY_words);
    scale(f.F, T.TBRK_words);
    scale(f.F_per_L, T.WETWT_words);
    scale(f.F_per_L, T.DRYWT_words);
    // The elongation law e = a1 T + a2 T^2 + a3 T^3: coefficient k takes 1/F^k.
    const float inverse[3] = {1.0f / f.F, 1.0f / (f.F * f.F), 1.0f / (f.F * f.F * f.F)};
    for (std::size_t w = 0; w < std::size(T.ALPHA_words); ++w)
        T.ALPHA_words[w] *= inverse[w % 3];
    // The mean-profile values follow the rule they hold: angles stay, distances are lengths,
    // tensions and horizontal forces are forces.
    float profile = 1.0f;
    switch (T.LODTYP) {
    case 0:
        return;
    case 1:
        profile = f.L;
        break;
    case 2:
    case 3:
        profile = f.F;
        break;
    default:
        break;
    }
    scale(profile, T.HTENS_words);
}

// TUGCVRT: the second body, converted by the vessel rules: its 913 words are exchanged with
// the vessel section, converted there, and exchanged back.
void TUGCVRT() {
    const BodySectionsExchanged sections(TPCM);
    VESCVRT();
}

// CATCVRT: this program's offset specifications.
void CATCVRT() {
    const Factors f;
    auto& T = TPCM;
    scale(f.L, {&T.EPSDST, &T.XINIT, &T.YINIT, &T.ZINIT, &T.ROTCTX, &T.ROTCTY, &T.ROTCTZ});
    scale(f.L, T.FAPPNT_words);
    scale(f.L, T.RCTOFF_words);
    scale(f.L, T.VRTOFF_words);
    scale(f.L, T.OFFL_words);
    scale(f.F, T.FRCOFF_words);
    scale(f.F_times_L, T.TRQOFF_words);
}

// STMCVRT: the static-mooring program's offset table OFFL(50, 8), its own view of the words
// from OFFL on.
void STMCVRT() {
    const Factors f;
    constexpr int first_word = 78804; // OFFL
    for (int n = first_word; n < first_word + 400; ++n) {
        const float value = std::bit_cast<float>(tpcm_word(TPCM, n)) * f.L;
        set_tpcm_word(TPCM, n, std::bit_cast<std::uint32_t>(value));
    }
}

void convert_all_units(std::int32_t SIMTYP) {
    TOPCVRT();
    VESCVRT();
    switch (SIMTYP) {
    case 3:
        SEMCVRT();
        break;
    case 11:
        break; // the SALM buoy section is no part of this program's data layout
    case 7:
        MORCVRT();
        STMCVRT();
        break;
    case 8:
        MORCVRT();
        CATCVRT();
        break;
    case 12:
    case 14:
    case 15:
    case 17:
        SEMCVRT();
        MORCVRT();
        break;
    case 10:
    case 13:
        TUGCVRT();
        SEMCVRT();
        MORCVRT();
        break;
    default:
        break;
    }
}

// convert_image_units: the image goes through TPCM, whose own words are put back afterwards.
void convert_image_units(std::span<std::uint32_t> image, std::int32_t SIMTYP) {
    const std::vector<std::uint32_t> session = tpcm_image();
    set_tpcm_image(image);
    convert_all_units(SIMTYP);
    const std::vector<std::uint32_t> converted = tpcm_image();
    std::copy(converted.begin(), converted.end(), image.begin());
    set_tpcm_image(session);
}

} // namespace lintar
