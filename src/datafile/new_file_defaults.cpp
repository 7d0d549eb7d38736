// datafile/new_file_defaults.cpp: the defaults of a new data file, and the mooring-part sizes.
#include "datafile/new_file_defaults.h"

#include "blocks/tpcm.h"
#include "runtime/assert.h"

#include <algorithm>
#include <cstring>

namespace lintar {

namespace {

// Selector words: one 4-bit model code per direction, 273 = code 1 in all three directions.
constexpr std::int32_t code_1_everywhere = 273;
constexpr std::int32_t code_2_everywhere = 546;
constexpr std::int32_t code_3_everywhere = 819;
constexpr std::int32_t code_4_everywhere = 1092;

// The second body's defaults of the tug-and-barge (10) and CALM-buoy-and-tanker (13)
// programs.
void second_body_defaults(std::int32_t CREATQ) {
    TpcmBlock& B = TPCM;
    B.BRLTYP = 1;
    for (float* factor : {&B.BBOWCF, &B.BVWDFC, &B.BWVFCX, &B.BWVFCY, &B.BWVFCM, &B.BWVDGCX,
                          &B.BWVDGCY, &B.BWVDGCM, &B.BVWDRGFC, &B.BXCURNTDN, &B.BXCURNTUP,
                          &B.BYCURNTDN, &B.BYCURNTUP, &B.BWNDCF, &B.BCURCF, &B.BXSHDW, &B.BYSHDW})
        *factor = 1.0f;
    B.BLCBRG = code_4_everywhere;
    B.BLWBRG = code_2_everywhere;
    if (CREATQ == 13) {
        B.BWVCOF = code_4_everywhere;
        B.BVSTYP = 4;
        B.IARCO = 1;
    } else {
        B.BWVCOF = code_1_everywhere;
        B.BVSTYP = 1;
        B.IARCO = 0;
    }
    B.BLODED = 100.0f;
    B.BDFTPC = 100.0f;
}

} // namespace

// new_file_defaults: a new data file's image. Clears words 1..NTOGOQ of TPCM, then sets the
// defaults of the top part and the second-body part for program type CREATQ (for this
// program, 8, also the offset counts and tolerances of the catenary-table part). The identity
// stamp of the start-up load completes the header afterwards. Never ends the run.
void new_file_defaults(std::int32_t CREATQ, std::int32_t NTOGOQ) {
    LINTAR_ASSERT(NTOGOQ >= 0 && NTOGOQ <= tpcm_word_count, "image size beyond TPCM");
    const auto words = static_cast<std::size_t>(std::clamp(NTOGOQ, 0, tpcm_word_count));
    std::memset(tpcm_bytes(TPCM).data(), 0, 4 * words);

    TpcmBlock& B = TPCM;
    for (int i = 1; i <= 6; ++i)
        B.MOTION(i) = 1;
    set_field_text(B.CID1P(), "");
    set_field_text(B.CID2P(), "");
    B.IVERS_SUFX = 0;

    B.IUNIT = 1;
    B.WAVTYP = 1;
    B.DWATR = 64.0f; // seawater, lbs/cubic foot
    B.WNDTYP = 1;
    B.NWP = 30;
    B.NDIR = 1;
    B.IVESL(1) = 1;
    B.NCURNT = 2;
    B.LFORCE = 1;
    B.LODRAO = 1;

    B.BOWFAC = 1.0f;
    B.STRNFC = 1.25f;
    for (float* factor :
         {&B.VWDFAC, &B.WVFCM, &B.WVFCX, &B.WVFCY, &B.WVDGCX, &B.WVDGCY, &B.WVDGCM, &B.VWDRGFC,
          &B.XCURNTDN, &B.XCURNTUP, &B.YCURNTDN, &B.YCURNTUP, &B.TWNDCF, &B.CURFAC})
        *factor = 1.0f;

    B.NA = 6;
    B.ROLTYP = 1;
    B.NEGSUM = 0;
    B.COSEXP = 2.0f;
    B.SWLWID = 0.1f;
    B.WAVWID = 0.1f;
    B.ANGSEC = 180.0f;
    B.DURATN = 1.0f;
    B.LOADED = 100.0f;
    B.DFTPCT = 100.0f;

    B.LCBARG = code_1_everywhere;
    B.LWBARG = code_1_everywhere;
    B.LWVCOF = code_1_everywhere;

    // Wave periods 5.0 s to 54.5 s in steps of 0.5 s, each one added to the one before (all
    // are exact in single precision).
    B.T(1) = 5.0f;
    for (int i = 2; i <= 100; ++i)
        B.T(i) = B.T(i - 1) + 0.5f;

    B.LRANDM = 0;
    B.LSWELL = 0;
    B.LSWEL2 = 0;
    B.LDYN = 1;
    B.LQUAS = 1;
    B.PRNRAO = 0;
    B.NSEAHG = 1;
    B.NSEAHT = 1;
    B.N_OCHI_COMP = 2;
    B.XSHDOW = 1.0f;
    B.YSHDOW = 1.0f;
    B.VESTYP = 1;

    switch (CREATQ) {
    case 10:
    case 13:
        second_body_defaults(CREATQ);
        break;
    case 1:
    case 7:
    case 11:
    case 12:
    case 15:
    case 16:
        B.VESTYP = 1;
        break;
    case 2:
        B.VESTYP = 2;
        break;
    case 3:
    case 14:
        B.VESTYP = 3;
        B.LWVCOF = code_2_everywhere;
        break;
    case 4:
        B.VESTYP = 4;
        B.LWVCOF = code_4_everywhere;
        break;
    case 8:
        B.VESTYP = 1;
        B.NLAT = 1;
        B.NOFFL = 1;
        B.EPSDST = 0.01f;
        B.EPSDEG = 0.01f;
        break;
    case 17:
        B.VESTYP = 3;
        B.LWVCOF = code_3_everywhere;
        break;
    default:
        break;
    }
}

// MRINIT: the mooring part's sizes for program type CREATP (always), and, only when ANSWER is
// 'C', the defaults of a mooring system of one line of one type. Writes TPCM. Never ends the
// run.
void MRINIT(char ANSWER, std::int32_t CREATP) {
    TpcmBlock& B = TPCM;
    B.NEWFLG = 0;
    B.MAXSHG = 1;
    B.MAXPRM = 1;
    B.MAXANG = 36;
    B.MAXDIR = 1;
    B.MAXELM = 25;
    B.IPLOTS = 0;

    if (CREATP == 10) {
        // A tow: one line of one type, the hawser.
        B.ISPM = 3;
        B.MAXDYN = 1;
        B.MAXLIN = 1;
        B.MAXTYP = 1;
        B.NDYNEV = 1;
        B.IDYNEV(1) = 1;
        B.NTYP = 1;
        B.NLINE(1) = 1;
        B.NLIN = 1;
        B.LINTYP(1, 1) = 1;
    } else {
        B.MAXDYN = 149;
        B.MAXLIN = 149;
        B.MAXTYP = 149;
        B.MAXCYL = 50;
        B.MAXPOD = 16;
        B.MAXEND = 100;
        B.MAXMEM = 50;
        if (CREATP != 8) {
            B.LRESET = 1;
            switch (CREATP) {
            case 12:
                B.ISPM = 4;
                break;
            case 15:
                B.ISPM = 5;
                break;
            case 14:
                B.ISPM = 6;
                B.VESTYP = 5;
                break;
            case 17:
                B.ISPM = 8;
                B.VESTYP = 6;
                break;
            case 13:
                B.ISPM = 7;
                break;
            default:
                break;
            }
        }
    }

    if (ANSWER != 'C')
        return;

    if (CREATP == 10 || CREATP == 13) {
        B.MOORTP = 0;
    } else {
        B.MOORTP = 1;
        B.CCOFDX = 1.0f;
        B.CCOFDY = 1.0f;
        B.CCOFDZ = 1.0f;
        B.NCYL = 1;
        for (int j = 1; j <= B.MAXCYL; ++j) {
            for (int k = 1; k <= 3; ++k) {
                B.CYLCM(k, j) = 1.0f;
                B.CYLCMI(k, j) = 1.0f;
                B.CYLCD(k, j) = 1.0f;
                B.CYLCDI(k, j) = 1.0f;
            }
        }
    }

    B.NTYP = 1;
    B.NLIN = 1;
    B.HAWSTP = 1;
    B.HAWSLN = 1;
    B.NLAYER = 1;
    B.IDYNEV(1) = 1;
    B.COFMAS = 1.0f;
    B.COFDMP = 1.0f;
    B.NDYNEV = 1;
    B.NUMTAB = 90;
    B.WLFLAG = 0;
    B.LBOUND = 1;
    B.STAMOT = 1;
    B.LRESET = 1;
    B.LEQCND = 1;
    B.LOWMOT = 1;

    // Line i uses line type i.
    for (int i = 1; i <= B.MAXLIN; ++i)
        B.LINTYP(i, 1) = i;

    for (int j = 1; j <= B.MAXTYP; ++j) {
        B.NELEM(j) = 1;
        B.NLINE(j) = 1;
        B.ANCTYP(j) = CREATP == 10 ? 0 : 1;
        for (int k = 1; k <= B.MAXELM; ++k) {
            set_field_text(B.SCOMP(k, j), "");
            B.COFMST(k, j) = 1.0f;
            B.COFDMT(k, j) = 1.0f;
        }
    }
}

} // namespace lintar
