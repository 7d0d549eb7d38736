// line_dynamics/low_frequency_damping.cpp: low-frequency quadratic line damping and inertia.
#include "line_dynamics/low_frequency_damping.h"
#include "util/angles.h"

#include "blocks/catcom.h"
#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/outcom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "lines/catenary_elements.h"
#include "lines/catenary_motion.h"
#include "lines/line_arrays.h"
#include "lines/line_shape.h"
#include "lines/mean_line_state.h"
#include "lines/mooring_force.h"
#include "lines/stress_strain.h"
#include "runtime/assert.h"
#include "runtime/units.h"
#include "util/prompts.h"
#include "util/table_search.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <cstdlib>

namespace lintar {

namespace {

using Complex = std::complex<float>;

// The Simpson points of an element: at least 5, at most 19.
constexpr std::int32_t fewest_points = 5;
constexpr std::int32_t most_points = 19;

// The unit vessel motion at the fairlead of line n: its part in the line's vertical plane
// (IP) and normal to it (OP).
struct FairleadMotion {
    float IP = 0.0f;
    float OP = 0.0f;
};

FairleadMotion fairlead_motion(int n, std::int32_t IMOTN, float ANGDPPQ, float VESANGQ,
                               float rotation) {
    const TpcmBlock& T = TPCM;
    const float heading = T.SIMTYP == 13 ? EQUILB.BUYNGL() + EQUILB.VOFANG : VESANGQ;
    const float a = ANGDPPQ / degrees_per_radian - heading;
    const float a_rot = a - rotation;
    if (IMOTN == 1)
        return {std::cos(a_rot), -std::sin(a_rot)};
    if (IMOTN == 2)
        return {std::sin(a_rot), std::cos(a_rot)};
    const float x = T.RFLD(1, n);
    const float y = T.RFLD(2, n);
    return {-x * std::sin(a) + y * std::cos(a), x * std::cos(a) + y * std::sin(a)};
}

// The sums of one line.
struct LineSums {
    float DISSIP = 0.0f;
    float MASS_L = 0.0f;
    float MASS_T = 0.0f;
    float MASS_OOP = 0.0f;
};

LineSums line_damping(int n, int t, float RANCPQ, const FairleadMotion& motion, float DIAMFC,
                      float DWOVRG, std::int32_t NBUG, bool DO_OOP) {
    const TpcmBlock& T = TPCM;
    LincomBlock& C = LINCOM;
    const CatcomBlock& K = CATCOM;
    const int N = T.NELEM(t);
    LINTAR_ASSERT(N >= 1 && N <= max_elements, "elements of a line type");
    LineSums sums;
    // A line whose span does not change with its load has no node motions to give.
    const float DXSDH1 = K.DXSDH(1, n);
    if (DXSDH1 == 0.0f)
        return sums;

    // The fairlead moves IP horizontally in the line's plane; the anchor does not move.
    const Complex DXFLD(motion.IP, 0.0f);
    const Complex DZFLD(0.0f, 0.0f);
    const Complex DXBOT(0.0f, 0.0f);
    const Complex DZBOT(0.0f, 0.0f);
    const Complex DELH1 = (DXFLD - K.DXSDZF(1, n) * DZFLD) / DXSDH1;
    const Complex DELH2 = (K.DXSDZF(1, n) * DZBOT - DXBOT) / DXSDH1;
    std::array<Complex, max_nodes> x{};
    std::array<Complex, max_nodes> z{};
    for (int k = 1; k <= N + 1; ++k) {
        const auto at = slot(k);
        x[at] = DXBOT + K.DXSDH(k, n) * (DELH1 + DELH2) + K.DXSDZF(k, n) * (DZFLD - DZBOT);
        z[at] = DZBOT + K.DZSDH(k, n) * (DELH1 + DELH2) + K.DZSDZF(k, n) * (DZFLD - DZBOT);
    }

    const float G = WAVCOM.G;
    const ElementReals SLEN = slen_column(t);
    for (int e = 1; e <= N; ++e) {
        const float DQF = K.TANARR(e, n);
        const float DQB = K.TANARR(e + 1, n);
        if (DQF == DQB)
            continue;
        const std::int32_t BOTFLG = C.BOTELM != 0 && e == C.BOTELM ? 1 : 0;
        TPCM.COFMAS = T.COFMST(e, t);
        TPCM.COFDMP = T.COFDMT(e, t);
        const float WETWT = T.WETWT(e, t);
        // A weightless element has no catenary length; CATDMP integrates it as straight.
        const double TX = WETWT != 0.0f ? C.DPHLD / WETWT : 0.0;
        const std::int32_t NQP = qdamp_points(DQF, DQB);
        const auto XBASE =
            static_cast<float>(RANCPQ - XDIST(C.SCLWT_words, C.SECARR_words, C.TMPTAN_words,
                                              C.BETA_words, e, N, T.ANCTYP(t), SLEN, C.DSLOPE));
        const auto upper = slot(e);
        const auto lower = static_cast<std::size_t>(e);
        float d = 0.0f;
        float DISOOP = 0.0f;
        float KEELMT = 0.0f;
        float KEELML = 0.0f;
        float KEOOP = 0.0f;
        float ADAMAX = 0.0f;
        float ADATOP = 0.0f;
        float LONTOP = 0.0f;
        Complex CTXACC;
        Complex CTZACC;
        CATDMP(TX, DQF, DQB, d, DISOOP, KEELMT, KEELML, KEOOP, XBASE, 0.0f, NQP,
               x[upper] - x[lower], z[upper] - z[lower], x[lower], z[lower], ADAMAX, ADATOP, LONTOP,
               NBUG, e, CTXACC, CTZACC, BOTFLG, DO_OOP);

        // Mass per length: the line's own and the water it displaces (from the dry weight
        // when given, else from the diameter).
        const float DRYWT = T.DRYWT(e, t);
        const float D = T.DIAM(e, t) * DIAMFC;
        const float MASDSP =
            DRYWT > 0.0f ? (DRYWT - WETWT) / G : DWOVRG * quarter_pi_single * D * D;
        const float w = std::max(0.0f, WETWT / G + MASDSP);
        const float w_added = std::max(0.0f, w + TPCM.COFMAS * MASDSP);
        sums.MASS_L = sums.MASS_L + 2.0f * KEELML * w;
        sums.MASS_T = sums.MASS_T + 2.0f * KEELMT * w_added;
        // The out-of-plane motion turns the line about its anchor: per unit of it the line
        // turns through OP / RANCPQ. A line without span has no such turn to give.
        if (KEOOP != 0.0f && RANCPQ != 0.0f) {
            const float turn = std::abs(motion.OP) / RANCPQ;
            sums.MASS_OOP = sums.MASS_OOP + 2.0f * KEOOP * w_added * turn * turn;
        }
        sums.DISSIP = sums.DISSIP + d * (DWOVRG * T.DIAM(e, t) * DIAMFC) * TPCM.COFDMP;
    }
    return sums;
}

} // namespace

std::int32_t qdamp_points(float DQF, float DQB) {
    // The difference is taken in four bytes; its truncation is held to the table's range
    // before the conversion, so that no tangent can overflow the integer.
    const float span = std::abs(10.0f * (DQF - DQB));
    const std::int32_t m = span < 1000.0f ? static_cast<std::int32_t>(span) : 1000;
    return std::clamp(m - m % 2 + 1, fewest_points, most_points);
}

float diameter_factor(std::int32_t NUNTS) {
    return NUNTS == 1 ? 0.001f : 0.0833f;
}

void solve_in_mean_state(int n, int t, const FairleadState& m, bool solve_shape) {
    const TpcmBlock& T = TPCM;
    LincomBlock& C = LINCOM;
    const int N = T.NELEM(t);
    C.HMEAN = m.HMEAN;
    C.TPTEN0 = m.TPTEN0;
    C.BTTEN0 = m.BTTEN0;
    C.QF = m.QF;
    C.QB = m.QB;
    C.DPHLD = C.HMEAN;
    C.DPHLD2 = (1.0 + C.DHFRAC) * C.DPHLD;
    C.DELTAZ = OUTCOM.DZTOTL(n, 4, 1);
    if (C.NEED_STRAIN_FILE != 0 && T.STRESS_STRAIN_FILE(t) != 0)
        LOAD_ALPHAS(C.DPHLD, C.MIDLYR);
    SCLWLD(C.SCLWT_words, wetwt_column(t), C.DPHLD, N);
    BETALD(alpha_slice(t), C.BETA_words, C.DPHLD, N);
    if (solve_shape) {
        float TOPT1 = m.TOPT1;
        float TOPT2 = m.TOPT2;
        ITER8P(TOPT1, TOPT2);
    }
    SCLWLD(C.SCLWTP_words, wetwt_column(t), C.DPHLD2, N);
    BETALD(alpha_slice(t), C.BETAP_words, C.DPHLD2, N);

    // The touchdown element.
    C.BOTELM = 0;
    if (T.ANCTYP(t) != 0 && m.BOTLEN > 0.0f) {
        float BOTWGT = 0.0f;
        float UNSTRL = 0.0f;
        TUCHDN(m.BOTLEN, wetwt_column(t), slen_column(t), ElementBetas(C.BETA_words), N, C.DSLOPE,
               BOTWGT, C.BOTELM, UNSTRL);
    }
}

// QDAMP: every active line re-solved at its anchor distance, its elements integrated.
void QDAMP(std::span<const float> RANCPQ, std::span<const float> ANGDPPQ, std::int32_t IMOTN,
           float& DISSIP, float VESANGQ, bool L_ROT, float& MASS_L, float& MASS_T, float& MASS_OOP,
           float& SYS_VIRTUAL_INERTIA, bool DO_OOP) {
    TpcmBlock& T = TPCM;
    LincomBlock& C = LINCOM;
    T.LBACK = 0;
    const float rotation = L_ROT ? EQUILB.BOW_ANC_CTR_ANG : 0.0f;
    if (T.NBUG0 == 1) {
        write_record(T.EDUNIT, " ### In QDAMP:");
        INBUG(T.NBUG, T.EDUNIT, keyboard_unit);
    } else {
        T.NBUG = 0;
    }
    const std::int32_t NBUG = T.NBUG;
    const float DIAMFC = diameter_factor(T.NUNTS);
    const float DWOVRG = 0.001f * T.DWATR / WAVCOM.G;

    DISSIP = 0.0f;
    SYS_VIRTUAL_INERTIA = 0.0f;
    for (int n = 1; n <= T.NLIN; ++n) {
        MASS_L = 0.0f;
        MASS_T = 0.0f;
        MASS_OOP = 0.0f;
        if (C.LINEID(n) > 1024)
            continue;
        const int t = C.LINEID(n) % 1024;
        if (t == 0)
            continue;
        C.ITYP = t;
        const auto at = slot(n);

        // The mean state and the line solved in it. Off the tension-leg programs the end values
        // are the angles of the tables at the line's distance: the fairlead motion along the
        // line below takes the cosine of the top one as an angle. The tension-leg programs
        // bracket the shape about the top tangent their end values come from.
        const FairleadState m = fairlead_mean_state(
            lincom_tables(), n, t, RANCPQ[at], six_dof_lines(T.SIMTYP, T.LEGTLP),
            {LineEnds::table_angles, TensionLegBracket::solved_top_tangent});
        solve_in_mean_state(n, t, m, true);

        // The fairlead's motion; the motion along the line for the services takes the cosine
        // of the top value as it stands (an angle from the tables, the tangent of the mean
        // results in the tension-leg programs).
        const FairleadMotion motion = fairlead_motion(n, IMOTN, ANGDPPQ[at], VESANGQ, rotation);
        CATCOM.CAFLD = Complex(motion.IP * std::cos(C.QF), 0.0f);
        CATCOM.CABOT = Complex(0.0f, 0.0f);

        const LineSums sums = line_damping(n, t, RANCPQ[at], motion, DIAMFC, DWOVRG, NBUG, DO_OOP);
        MASS_L = sums.MASS_L;
        MASS_T = sums.MASS_T;
        MASS_OOP = sums.MASS_OOP;
        DISSIP = DISSIP + sums.DISSIP;
        SYS_VIRTUAL_INERTIA = SYS_VIRTUAL_INERTIA + MASS_L + MASS_T + MASS_OOP;
    }
}

} // namespace lintar
