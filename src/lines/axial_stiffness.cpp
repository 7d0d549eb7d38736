// lines/axial_stiffness.cpp: axial stiffness and axial wave numbers of a line type.
#include "lines/axial_stiffness.h"

#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "lines/stress_strain.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/prompts.h"

#include <cmath>
#include <string>

namespace lintar {

namespace {

// Run-long memory of this file: the line types already warned of a negative compliance
// (EAWARN) and of a negative weight (WTWARN).
struct AxialStiffnessStore {
    bool EAWARN[151] = {};
    bool WTWARN[151] = {};
};
AxialStiffnessStore axial_store;
const StateReset reset_axial_stiffness{[] { axial_store = {}; }, StoreKind::analysis};

// π/4 x 0.001: the area of a circle per squared diameter, and weight density per 1000.
constexpr float quarter_pi_per_1000 = 0.00078539824f;
// The stiffness of a line without compliance.
constexpr float inextensible = 1.0e28f;

// The warning of a negative slope or weight of element IELEM of type ITYP, and its abort
// prompt; "A" ends the run.
void element_warning(std::string_view what, std::string_view replaced, std::string_view model,
                     std::int32_t ITYP, int IELEM) {
    const int EDUNIT = TPCM.EDUNIT;
    write_record(EDUNIT, "");
    write_record(EDUNIT,
                 std::string(" ++> Warning: A negative ") + std::string(what) + " was encountered");
    write_record(EDUNIT, "              in line (type,element) = (" + I(ITYP, 2) + "," +
                             I(IELEM, 2) + ").");
    write_record(EDUNIT, "              The " + std::string(replaced));
    write_record(EDUNIT, "              (" + std::string(model) + ") if you choose to continue");
    ABORT0(EDUNIT, keyboard_unit, TPCM.LBACK);
    if (TPCM.LBACK == -1)
        stop_program(StopKind::user_choice);
}

} // namespace

// KELAST: sums the compliance of the elements of type ITYP at the mean top tension and sets
// the wave number of each. Reads TPCM (NELEM, SLEN, ALPHA, COFMST, DRYWT, WETWT, DIAM, DWATR,
// NUNTS, EDUNIT) and WAVCOM.G; writes KELAS, WAVEK(1..NELEM), TPCM.COFMAS and TPCM.LBACK.
void KELAST(float& KELAS, std::int32_t ITYP, ArrayView<float, max_elements> WAVEK, float WFREQ,
            float TPTEN0) {
    const ElementAlphas ALPHA = alpha_slice(ITYP);
    const int NELEM = TPCM.NELEM(ITYP);
    bool ea_warned = false;
    bool wt_warned = false;
    KELAS = 0.0f;
    for (int i = 1; i <= NELEM; ++i) {
        TPCM.COFMAS = TPCM.COFMST(i, ITYP);
        float TMPEAI = EAINV(ALPHA, TPTEN0, i);
        if (TMPEAI < 0.0f) {
            if (!axial_store.EAWARN[ITYP]) {
                element_warning("stress-strain curve slope",
                                "slope value will be replaced by infinity", "inextensible line",
                                ITYP, i);
                ea_warned = true;
            }
            TMPEAI = 0.0f;
        }
        KELAS = KELAS + TPCM.SLEN(i, ITYP) * TMPEAI;

        float TMPWT = TPCM.DRYWT(i, ITYP);
        if (!(TMPWT > 0.0f)) {
            const float DIAM = TPCM.DIAM(i, ITYP);
            TMPWT = quarter_pi_per_1000 * DIAM * DIAM * TPCM.DWATR * TPCM.COFMAS;
            TMPWT = TPCM.NUNTS == 1 ? TMPWT * 1.0e-6f : TMPWT / 144.0f; // mm or inches
            TMPWT = TMPWT + TPCM.WETWT(i, ITYP);
            if (TMPWT < 0.0f) {
                TMPWT = 0.0f;
                if (TMPEAI != 0.0f && !axial_store.WTWARN[ITYP]) {
                    element_warning("dry segment weight", "weight value will be replaced by zero",
                                    "weightless line", ITYP, i);
                    wt_warned = true;
                }
            }
        }
        WAVEK(i) = WFREQ * std::sqrt(TMPEAI * TMPWT / WAVCOM.G);
    }
    // The flags are set once the type is done, so every element of the call is reported.
    if (ea_warned)
        axial_store.EAWARN[ITYP] = true;
    if (wt_warned)
        axial_store.WTWARN[ITYP] = true;
    KELAS = KELAS > 0.0f ? 1.0f / KELAS : inextensible;
}

} // namespace lintar
