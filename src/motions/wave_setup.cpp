// motions/wave_setup.cpp: VESL1 with its input checks, names and spreading normalisation;
// COSPWR and GRIDPT.
#include "motions/wave_setup.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "hulls/hull_models.h"
#include "hulls/hull_support.h"
#include "motions/heading_list.h"
#include "motions/response_indices.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/algebra.h"
#include "util/angles.h"
#include "util/file_services.h"
#include "util/prompts.h"
#include "util/root_finders.h"
#include "util/sea_spectra.h"
#include "util/table_search.h"
#include "util/title_screens.h"
#include "util/wave_numbers.h"

#include <cmath>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lintar {

namespace {

// The unit of an unattended run: its prompts cannot be answered.
constexpr int unattended_unit = 41;

// The once-per-run store of the set-up: the natural-period check runs on the first call only.
struct WaveSetupStore {
    bool check_natural_periods = true;
};
WaveSetupStore wave_setup_store;
const StateReset reset_wave_setup_store{[] { wave_setup_store = {}; }, StoreKind::analysis};

// The names of a run: by vessel type, then by arrangement and program code.
struct MotionRunNames {
    std::string_view SIMNAM; // vessel-library program name, 8 characters
    std::string_view OUTFIL; // report file
    float VERSN = 6.8f;      // version on the title page
    std::string_view TITLE1; // report title
    std::string_view AUXSIM; // name of the calling service, 7 characters
    std::string_view TUGBRG; // what is being analysed
};

MotionRunNames run_names(std::int32_t VESTYP, std::int32_t ISPM, std::int32_t SIMTYP) {
    MotionRunNames n;
    switch (VESTYP) {
    case 2:
        n = {"Trevona ", "JACKSUM.stxt", 1.0f, " Jack-Up Vessels Afloat", "", ""};
        break;
    case 3:
    case 5:
    case 6:
        n = {"Ebrotan ", "SEMISUM.stxt", 6.8f, " Semi-Submersible Offshore Vessels", "", ""};
        break;
    case 4:
        n = {"Ulmaris ", "DISCSUM.stxt", 6.8f, " Disc-Shaped Buoys and Vessels", "", ""};
        break;
    default: // 1 and any value out of range
        n = {"Caldrun ", "SHIPSUM.stxt", 6.8f, " Displacement-Hull Offshore Vessels", "", ""};
        break;
    }
    if (ISPM == 1) {
        n.AUXSIM = "Ystoria";
        n.OUTFIL = "TANKSUM.stxt";
        n.TUGBRG = "tanker";
    } else if (ISPM == 2 && SIMTYP == 13) {
        n.AUXSIM = "Ostrevi";
        n.OUTFIL = "BUOYSUM.stxt";
        n.TUGBRG = "CALM buoy";
    } else if (ISPM == 2 && SIMTYP == 10) {
        n.AUXSIM = "Quelda ";
        n.OUTFIL = "TUGSUM.stxt";
        n.TUGBRG = "tugboat";
    } else if (ISPM == 3 && SIMTYP == 13) {
        n.AUXSIM = "Ostrevi";
        n.OUTFIL = "TANKSUM.stxt";
        n.TUGBRG = "moored vessel";
    } else if (ISPM == 3 && SIMTYP == 10) {
        n.AUXSIM = "Quelda ";
        n.OUTFIL = "BARGSUM.stxt";
        n.TUGBRG = "barge";
    } else if (ISPM == 4) {
        n.AUXSIM = "Brenvic";
        n.TUGBRG = "moored vessel";
    } else if (ISPM == 5) {
        n.AUXSIM = "Varnel ";
        n.TUGBRG = "moored vessel";
    } else if (ISPM == 6) {
        n.AUXSIM = "Gordax ";
        n.TUGBRG = "moored vessel";
    } else if (ISPM == 8) {
        n.AUXSIM = "Middren";
        n.TUGBRG = "caisson spar";
    } else if (SIMTYP == 16) {
        n.AUXSIM = "Pentrow";
        n.TUGBRG = "simulated vessel";
    }
    return n;
}

// A fatal input error of the set-up: its message, the Return pause, an error stop.
[[noreturn]] void refuse_input(const std::string& line1, const std::string& line2) {
    const int EDUNIT = TPCM.EDUNIT;
    fatal_stop(EDUNIT, keyboard_unit, {"", " ++> FATAL error: " + line1, "     " + line2});
}

} // namespace

// check_wave_setup_input: the input checks that come before anything is written: what would
// divide by zero, run past a table or make the Simpson sums meaningless.
void check_wave_setup_input(float SWH) {
    const TpcmBlock& P = TPCM;
    check_wave_grid(P.EDUNIT, WaveGridRule::analysis);
    if (!(P.DEPTH > 0.0f))
        refuse_input("Water depth DEPTH =" + F(P.DEPTH, 10, 2) + " is not positive.",
                     "Vessel motions need a positive water depth.");
    const bool seas = P.LRANDM != 0;
    const std::int32_t NSEAHG = seas ? P.NSEAHG : 0;
    const std::int32_t NSEAHT = !seas ? 0 : (P.WAVTYP == 7 || P.WAVTYP == 8) ? 1 : P.NSEAHT;
    const std::int32_t NA = P.NA == 0 ? 6 : P.NA;
    if (NSEAHG > sea_heading_capacity)
        refuse_input("Number of sea headings NSEAHG =" + I(NSEAHG, 4) + " is too large.",
                     "At most 37 sea headings are allowed.");
    if (P.NDIR > 12)
        refuse_input("Number of wave headings NDIR =" + I(P.NDIR, 4) + " is too large.",
                     "At most 12 wave headings are allowed.");
    if (NSEAHT > 6)
        refuse_input("Number of sea heights NSEAHT =" + I(NSEAHT, 4) + " is too large.",
                     "At most 6 sea heights are allowed.");
    if (NA + 1 > heading_slot_capacity)
        refuse_input("Number of spreading steps NA =" + I(NA, 6) + " is too large.",
                     "NA + 1 may be at most 500.");
    if (seas && P.LSPRED != 0 && !(P.ANGSEC > 0.0f))
        refuse_input("Spreading sector ANGSEC =" + F(P.ANGSEC, 8, 2) + " degrees is not positive.",
                     "Short-crested seas need a positive spreading sector.");
    if (P.SIMTYP >= 10 && seas && P.LSWELL != 0 && P.SWELHT * P.SWELHT + SWH * SWH == 0.0f)
        refuse_input("Seas and swell are both on with zero heights;",
                     "the mean wave period of the storm is undefined.");
}

namespace {

// The storm factor DURFAC, the mean period TAVG, the extreme wave and GAUSFK.
void storm_factors() {
    const TpcmBlock& P = TPCM;
    WavcomBlock& W = WAVCOM;
    if (P.SIMTYP < 10) {
        W.DURFAC = 1.3141f;
    } else {
        bool RANWVS = true;
        if (P.LRANDM != 0 && P.LSWELL != 0) {
            const float s2 = P.SWELHT * P.SWELHT;
            const float h2 = W.SWH * W.SWH;
            W.TAVG = (P.SWELPD * s2 + W.TPK * h2) / (s2 + h2);
        } else if (P.LRANDM != 0) {
            W.TAVG = W.TPK;
        } else if (P.LSWELL != 0) {
            W.TAVG = P.SWELPD;
        } else {
            // A frequency used as a period: it only serves the cycle count of the no-wave case.
            W.TAVG = std::sqrt(W.G / P.DRAFT);
            RANWVS = false;
        }
        float RCYCLE = P.DURATN > 0.0f ? P.DURATN * 3600.0f / W.TAVG : 1000.0f;
        // A storm shorter than one mean period would give the root of a negative logarithm:
        // the count is held at one cycle, which gives no extreme-value factor.
        if (!(RCYCLE >= 1.0f)) {
            RCYCLE = 1.0f;
            write_record(P.EDUNIT, " ++> Warning: Storm duration is shorter than one mean wave "
                                   "period; storm factor set to 0.");
        }
        W.DURFAC = 0.5f * std::sqrt(std::log(RCYCLE));
        if (P.LSLPHT == 0) {
            W.XTRMWV = RANWVS ? W.DURFAC * P.SLPHT : 0.5f * P.SLPHT;
        } else {
            float Q = 0.0f;
            WAVVEC(two_pi_single * HIMEM.WCONST / W.TAVG, Q);
            HIMEM.RSLOPE = RANWVS ? 2.0f * W.DURFAC * P.SLPHT / degrees_per_radian
                                  : P.SLPHT / degrees_per_radian;
            W.XTRMWV = HIMEM.RSLOPE * P.DEPTH / Q;
        }
    }
    W.GAUSFK() = 2.828f * W.DURFAC;
}

// The dimensions and base indices of HIMEM.
void lay_out_work_array() {
    HimemBlock& H = HIMEM;
    H.NARRAY = 100;
    H.MAXHT = 6;
    H.MAXHDG = 37;
    H.MAX_HT_TOT = 8;
    H.MAX_HDG_TOT = 39;
    H.NHTNHD_TOT = 312;
    H.NDOF = 6;
    H.NHTNHD = 222;
    H.MAXDIF = 2664;
    H.LCNSG = 1;
    H.LCNSWY = 101;
    H.LCNHV = 201;
    H.LCNROL = 301;
    H.LCNPIT = 401;
    H.LCNYAW = 501;
    H.NBASE = 1200;
    H.LCNW = 1201;
    H.LCNWK = 1301;
    H.LCNW2 = 1401;
    H.LCNPSD = 1501;
    H.LCNFTQ = 2301;
    H.LCNMOT = 4965;
    H.LCNACC = 7629;
    H.LCNVEL = 206097;
    H.LCNHNG = 404565;
    H.LCNDSP = 603033;
    H.LCNSIG = 801501;
    H.LCNSIG2 = 801503;
    H.LCNSWL = 801505;
    H.LCNSWL2 = 801507;
    H.LCNWV = 801509;
    H.LACRAO = 801533;
    H.NXTFRE = 802333;
}

// The natural periods of pitch, heave and roll against the grid, on the first call.
void check_natural_periods(int EDUNIT) {
    if (!wave_setup_store.check_natural_periods)
        return;
    const int NWP = TPCM.NWP;
    const std::span<const float> W(&HIMEM.RLDUM(HIMEM.LCNW), static_cast<std::size_t>(NWP));
    bool outside = false;
    for (const float w : {HIMEM.WP, HIMEM.WH, HIMEM.WR}) {
        std::int32_t IER = 0;
        std::int32_t MIN = 1;
        BSRCH(W, w, IER, MIN, NWP);
        outside = outside || IER != 0;
    }
    if (outside && !is_true(TPCM.SEMI_LIKE)) {
        write_record(EDUNIT,
                     " ++> Warning: A natural period of heave, pitch or roll lies outside the");
        write_record(
            EDUNIT,
            "              assigned period array. Serious computational errors may result.");
        write_record(
            EDUNIT,
            "              Consider widening your array to include all periods if possible.");
        PRSRET(EDUNIT, keyboard_unit, TPCM.LBACK);
    }
    wave_setup_store.check_natural_periods = false;
}

} // namespace

// COSPWR: see the header.
float COSPWR(float X, float COSEXP) {
    const float c = std::abs(std::cos(X));
    if (!(c > 1.0e-10f))
        return 0.0f;
    return std::pow(c, COSEXP);
}

// GRIDPT: see the header.
void GRIDPT(float OMEGA, std::int32_t& JJ) {
    JJ = nearest_grid_point(OMEGA);
}

// spreading_normalisation: see the header.
SpreadingNormalisation spreading_normalisation(float ANGSEC, float COSEXP, int IOSCRN) {
    SpreadingNormalisation s;
    if (ANGSEC <= 360.0f) {
        s.QQ = ANGSEC;
        s.QF = FACTRI(COSEXP, IOSCRN, keyboard_unit);
        return s;
    }
    // A sector wider than a circle is cut to one; the cut function has no closed form.
    s.QQ = 360.0f;
    const float XU = 565.4867f / ANGSEC; // 180 pi / ANGSEC radians
    float EPS = 1.0e-4f;
    std::int32_t NDIM = 10;
    std::vector<float> AUX;
    int attempts = 0;
    float QF = 0.0f;
    for (;;) {
        if (++attempts > 100) {
            write_record(IOSCRN, " ++> Possible COSEXP integration failure in VESL1");
            std::int32_t LBACK = 0;
            ABORT0(IOSCRN, keyboard_unit, LBACK);
            if (LBACK < 0)
                stop_program(StopKind::user_choice);
            if (IOSCRN == unattended_unit)
                stop_program(StopKind::error);
            attempts = 1;
        }
        AUX.assign(static_cast<std::size_t>(NDIM), 0.0f);
        std::int32_t IER = 0;
        QATR(
            0.0f, XU, EPS, NDIM, [COSEXP](float x) { return COSPWR(x, COSEXP); }, QF, IER, AUX);
        if (IER == 1) {
            if (std::abs(QF) > 10.0f * EPS) {
                EPS = EPS * 10.0f;
                continue;
            }
            fatal_stop(IOSCRN, keyboard_unit,
                       {" ++> FATAL error: unfixable roundoff error in VESL1"});
        }
        if (IER == 2) {
            if (NDIM <= 40) {
                NDIM = NDIM * 2;
                continue;
            }
            fatal_stop(IOSCRN, keyboard_unit, {"++> FATAL error: NDIM > NDMSUP in VESL1"});
        }
        if (0.01f * QF >= EPS)
            break;
        EPS = 0.008f * QF;
    }
    s.QF = 2.0f * QF;
    return s;
}

// VESL1: see the header.
void VESL1() {
    TpcmBlock& P = TPCM;
    WavcomBlock& W = WAVCOM;
    HimemBlock& H = HIMEM;
    const int EDUNIT = P.EDUNIT;

    // Names. Then the checks of the input and of the hull model, before any output.
    const MotionRunNames names = run_names(P.VESTYP, P.ISPM, P.SIMTYP);
    check_wave_setup_input(WAVCOM.SWH);
    // The hull model (none for some vessel types); one that is not available stops the run
    // here, before the report is opened.
    HullModel* const model = vessel_hull_model();
    // The spreading normalisation depends on nothing written before it in the set-up; it
    // is taken here so that an exponent FACTRI refuses stops before the report is opened.
    const SpreadingNormalisation s = spreading_normalisation(P.ANGSEC, P.COSEXP, EDUNIT);

    // The report file.
    const int IUNIT = P.IUNIT;
    const bool report_file = IUNIT == 1 && P.NEGSUM == 0;
    if (report_file)
        RHOPEN(names.OUTFIL, 1, 0, IUNIT, names.SIMNAM, EDUNIT);

    // Debug trace, screen, banner.
    if (P.NBUG0 == 1) {
        write_record(EDUNIT, " ### In VESL1:");
        INBUG(P.NBUG, EDUNIT, keyboard_unit);
    } else {
        P.NBUG = 0;
    }
    if (P.ISPM == 0 && P.SIMTYP != 16)
        CLEAR(EDUNIT);
    const bool show_progress = P.hideOrmanelReports == 0;
    if (show_progress) {
        write_record(EDUNIT, " >>> " + std::string(names.SIMNAM) + VERSION_STRING(names.VERSN) +
                                 "Copyright (c) " + I(P.IYEAR, 4) + " Kelbrin Systems");
        if (P.ISPM != 0 || P.SIMTYP == 16)
            write_record(EDUNIT, " --> In " + std::string(names.AUXSIM) +
                                     " service for motions of " + std::string(names.TUGBRG));
    }

    // Constants.
    W.G = P.NUNTS != 0 ? 9.8f : 32.152f;
    H.WCONST = depth_frequency_scale(P.DEPTH, W.G);
    W.RHOWTR = P.DWATR * 0.001f / W.G;

    // Storm factors, sea-height count.
    storm_factors();
    if (P.WAVTYP == 7 || P.WAVTYP == 8)
        P.NSEAHT = 1;
    if (P.LRANDM == 0) {
        P.NSEAHT = 0;
        P.NSEAHG = 0;
    }
    P.NUM_SWEL = P.LSWELL + P.LSWEL2;

    // Layout, spreading steps and normalisation.
    lay_out_work_array();
    if (P.NA == 0)
        P.NA = 6;
    set_logical(W.LWVCMP, false);
    W.NSPEC = P.WAVTYP;
    W.NA2 = P.NA / 2;
    set_logical(W.LEXP, true);
    W.DA = s.QQ / (static_cast<float>(P.NA) * degrees_per_radian);
    W.DADEG = s.QQ / static_cast<float>(P.NA);
    // The Simpson weight h / 3 of the heading integration folded into the normalisation; a
    // sector of no width (long-crested seas only, see the checks) has no spreading to weigh.
    W.ANGNRM = P.ANGSEC > 0.0f ? (180.0f / P.ANGSEC) * W.DA / (3.0f * s.QF) : 0.0f;

    // The relative headings.
    H.NPASS = 0;
    for (int i = 1; i <= heading_slot_capacity; ++i)
        set_logical(H.LRAO(i), false);
    if (P.LSPRED == 0)
        set_logical(W.LEXP, false);
    LOADN();

    // The grid words and the frequency columns.
    H.EPS = 1.0e-5f;
    set_wave_grid();
    if (show_progress)
        write_record(EDUNIT, " --> Computing shallow water wave lengths...");
    for (int IW = 1; IW <= P.NWP; ++IW) {
        H.IW = IW;
        INDXUP();
        H.RLDUM(H.LW) = two_pi_single / P.T(IW);
        H.RLDUM(H.LW2) = H.RLDUM(H.LW) * H.RLDUM(H.LW);
        W.W(IW) = H.RLDUM(H.LW);
        W.W2(IW) = H.RLDUM(H.LW2);
        H.RLDUM(H.LWK) = wave_number(H.RLDUM(H.LW), P.DEPTH, W.G);
    }

    // The grid index of the default swell's period.
    if (P.SWLTYP == 0) {
        W.NSWEL = static_cast<std::int32_t>((P.SWELPD - W.TS) / W.DT + 1.5f);
        W.DELSWL = P.SWLWID;
    }

    // The hull model's characteristics, forces and RAOs.
    if (show_progress)
        write_record(EDUNIT, " --> Computing vessel resonance characteristics...");
    W.SHPLNQ() = P.LWL;
    W.BEAMQ = P.BWL;
    W.DRAFTQ = P.DRAFT;
    if (model != nullptr) {
        model->characteristics();
        std::int32_t NPASS2 = 0;
        model->forces_and_raos(NPASS2);
    }

    // Title page, report sections I and II.
    if (P.NEGSUM != 1) {
        do {
            PAGE(IUNIT, EDUNIT, 1, 99);
            TITLPG(P.SIMTYP, names.TITLE1, names.SIMNAM, names.VERSN, IUNIT);
            P.LBACK = 0;
            if (IUNIT == EDUNIT)
                PRSRET(EDUNIT, keyboard_unit, P.LBACK);
        } while (P.LBACK < 0);
        if (model != nullptr) {
            model->report_section_1();
            model->report_section_2();
        }
    }

    // The natural periods against the grid, the end of the set-up.
    check_natural_periods(EDUNIT);
    W.BIGWVS = 1;
    if (P.LSWELL == 1 && P.SWELHT > P.SWHT(1))
        W.BIGWVS = W.ISWELL;
    P.WPITCH = H.WP;
    if (report_file)
        HCLOSE(IUNIT, names.OUTFIL, names.SIMNAM, EDUNIT);
}

} // namespace lintar
