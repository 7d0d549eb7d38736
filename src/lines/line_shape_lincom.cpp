// lines/line_shape_lincom.cpp: the line of LINCOM as a LineSolve, for the table stage and the
// static line report, which keep their line in LINCOM.
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/line_shape.h"

namespace lintar {

LineSolve lincom_line_solve() {
    LincomBlock& C = LINCOM;
    const std::int32_t t = C.ITYP;
    return LineSolve{
        .ITYP = t,
        .NELEM = TPCM.NELEM(t),
        .SLEN = slen_column(t),
        .DRYWT = drywt_column(t),
        .ANCTYP = TPCM.ANCTYP(t),
        .WLFLAG = TPCM.WLFLAG,
        .PULLDN = TPCM.PULLDN,
        .AREA = TPCM.AWP * TPCM.DWATR,
        .NLINE1 = TPCM.NLINE(1),
        // Read only where the pull-down uses it: a vessel without water-plane area has none.
        .TOPTEN_MID =
            TPCM.PULLDN != 0 && TPCM.AWP * TPCM.DWATR != 0.0f ? C.TOPTEN(1, C.MIDLYR, t) : 0.0f,
        .DELTAZ = C.DELTAZ,
        .DSLOPE = C.DSLOPE,
        .WTRLEV = C.WTRLEV,
        .DPHLD = C.DPHLD,
        .SCLWT = ArrayView<double, max_elements>(C.SCLWT_words),
        .BETA = ArrayView<double, 3, max_elements>(C.BETA_words),
        .TMPTAN = ArrayView<double, max_nodes>(C.TMPTAN_words),
        .SECARR = ArrayView<double, max_nodes>(C.SECARR_words),
        .BOTLN = C.BOTLN,
        .KELEM = C.KELEM,
        .NBUG = TPCM.NBUG,
        .EDUNIT = TPCM.EDUNIT,
    };
}

void ITER8P(float& TOPT1, float& TOPT2, std::optional<float> estimate) {
    LineSolve line = lincom_line_solve();
    ITER8P(line, TOPT1, TOPT2, estimate);
    LINCOM.BOTLN = line.BOTLN;
    LINCOM.KELEM = line.KELEM;
}

} // namespace lintar
