// hulls/disc_line_springs.cpp: the mooring lines' dynamic springs at the disc buoy and the
// turn of a line's direction there.
#include "hulls/disc_line_springs.h"

#include "blocks/catcom.h"
#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "line_dynamics/low_frequency_damping.h"
#include "lines/catenary_elements.h"
#include "lines/dynamic_tension.h"
#include "lines/line_arrays.h"
#include "lines/mean_line_state.h"
#include "lines/mooring_force.h"
#include "lines/stress_strain.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "util/algebra.h"
#include "util/angles.h"

#include <cmath>
#include <cstddef>

namespace lintar {

namespace {

// Below this |cos THETA| the line is taken as near vertical and its turn in the vertical
// plane comes from the vertical tension.
constexpr float near_vertical_cosine = 0.02f;
// A line whose horizontal projection of its unit direction is below this is vertical: it has
// no plan angle to turn.
constexpr float vertical_line_projection = 1.0e-6f;

// Run-long memory of this file: the warning on a line whose direction cannot turn is given
// once per line and run.
struct LineSpringsStore {
    std::array<bool, lincom_lines> fixed_direction_warned{};
};
LineSpringsStore line_springs_store;
const StateReset reset_line_springs_store{[] { line_springs_store = {}; }};

void warn_fixed_direction(int line) {
    bool& warned = line_springs_store.fixed_direction_warned[slot(line)];
    if (warned)
        return;
    warned = true;
    const int EDUNIT = TPCM.EDUNIT;
    write_record(EDUNIT, " ");
    write_record(EDUNIT, " ++> Warning: line" + I(line, 4) +
                             " hangs vertically at the buoy or its span does not change;");
    write_record(EDUNIT, "     its direction at the buoy turns with the buoy only.");
}

// Sets LINCOM's mean state of line `line` of type t at distance RANCQ for DYNCOD: loads,
// scaled weights and compliances at the mean and the raised load, the touchdown element.
// Returns the table state.
MeanLineState set_up_line(int t, float RANCQ) {
    const TpcmBlock& T = TPCM;
    LincomBlock& C = LINCOM;
    const MeanLineState m = table_line_state(lincom_tables(), t, RANCQ);
    const int N = T.NELEM(t);
    C.ITYP = t;
    C.HMEAN = m.HMEAN;
    C.TPTEN0 = m.TTEN;
    const float tan_bottom = std::tan(m.BANG);
    C.BTTEN0 = m.HMEAN * std::sqrt(1.0f + tan_bottom * tan_bottom);
    C.DPHLD = C.HMEAN;
    C.DPHLD2 = (1.0 + C.DHFRAC) * C.DPHLD;
    if (C.NEED_STRAIN_FILE != 0 && T.STRESS_STRAIN_FILE(t) != 0)
        LOAD_ALPHAS(C.DPHLD, C.MIDLYR);
    SCLWLD(C.SCLWTP_words, wetwt_column(t), C.DPHLD2, N);
    BETALD(alpha_slice(t), C.BETAP_words, C.DPHLD2, N);
    SCLWLD(C.SCLWT_words, wetwt_column(t), C.DPHLD, N);
    BETALD(alpha_slice(t), C.BETA_words, C.DPHLD, N);
    C.BOTELM = 0;
    if (m.BLEN > 0.0f) {
        float BOTWGT = 0.0f;
        float UNSTRL = 0.0f;
        TUCHDN(m.BLEN, wetwt_column(t), slen_column(t), ElementBetas(C.BETA_words), N, C.DSLOPE,
               BOTWGT, C.BOTELM, UNSTRL);
    }
    return m;
}

} // namespace

// line_direction_change: see the header. Pure.
LineDirectionChange line_direction_change(const LineMeanState& line, const Vec3& D,
                                          const Vec3& OMEGA) {
    LineDirectionChange r;
    Vec3 u{};
    RCTNGL(line.THETA, line.PHI, u);
    const Vec3 z{0.0f, 0.0f, 1.0f};
    Vec3 uxz{};
    XPROD(u, z, uxz);
    const float projection = VMOD(uxz);
    const float plan_arm = line.RANCQ * projection;
    const float ct = std::cos(line.THETA);
    const float st = std::sin(line.THETA);
    const float cp = std::cos(line.PHI);
    const float sp = std::sin(line.PHI);

    r.degenerate = projection < vertical_line_projection || line.RANCQ <= 0.0f ||
                   line.DXSDH == 0.0f || line.TPTEN0 == 0.0f;
    if (!r.degenerate) {
        // The span's change: the fairlead moving away from the anchor (against the plan
        // direction PHI, which points to the anchor) lengthens it.
        const float xq = -(cp * D[0] + sp * D[1]);
        const float dz = D[2];
        r.DPHIV = DOTP(uxz, D) / plan_arm;
        const float DTT = line.DTFDXF * xq + line.DTFDZF * dz;
        const float DTX = (xq - line.DXSDZF * dz) / line.DXSDH;
        const float DTZ = line.DTZFDH * DTX + line.DTZFDZ * dz;
        if (std::abs(ct) > near_vertical_cosine)
            r.DTHETV = (DTX - DTT * st) / (ct * line.TPTEN0);
        else
            r.DTHETV = (DTT * ct - DTZ) / (st * line.TPTEN0);
    }
    Vec3 rigid{};
    XPROD(u, OMEGA, rigid);
    r.du = {ct * cp * r.DTHETV - st * sp * r.DPHIV + rigid[0],
            ct * sp * r.DTHETV + st * cp * r.DPHIV + rigid[1], -st * r.DTHETV + rigid[2]};
    return r;
}

// line_load_at_buoy: see the header. Pure.
BuoyLineLoad line_load_at_buoy(std::complex<float> CTOPFP, const Vec3& u, float TPTEN0,
                               const Vec3& du, const Vec3& r) {
    BuoyLineLoad load;
    for (int i = 0; i < 3; ++i)
        load.F[i] = CTOPFP * u[i] + TPTEN0 * du[i];
    CXPROD(r, load.F, load.M);
    return load;
}

// add_line_load: see the header. Pure.
void add_line_load(LineSpringSums& sums, const BuoyLineLoad& load, const std::array<float, 6>& DISP,
                   float WFREQ) {
    for (int i = 0; i < 6; ++i) {
        if (DISP[i] == 0.0f)
            continue;
        const std::complex<float> c = i < 3 ? load.F[i] : load.M[i - 3];
        sums.spring[i] += std::abs(c.real() / DISP[i]);
        sums.damping[i] += std::abs(c.imag() / (DISP[i] * WFREQ));
        sums.net[i] += c;
    }
}

// DYNSPR: line by line, the fairlead's motion along the line, the line's dynamic tension, the
// turn of its direction, and its load added to the sums.
LineSpringSums DYNSPR(const std::array<float, 6>& DISP, float WFREQ, std::span<const float> RANCQ) {
    const TpcmBlock& T = TPCM;
    const LincomBlock& C = LINCOM;
    CatcomBlock& K = CATCOM;
    LineSpringSums sums;
    const float DIAMFC = diameter_factor(T.NUNTS);
    const Vec3 OMEGA{DISP[3], DISP[4], DISP[5]};
    const float heading = T.SIMTYP == 13 ? EQUILB.BUYNGL() : EQUILB.VESANG();
    for (int line = 1; line <= T.NLIN; ++line) {
        if (C.LINEID(line) > 1024)
            continue;
        const int t = C.LINEID(line) % 1024;
        if (t == 0)
            continue;
        const float R = RANCQ[slot(line)];
        const MeanLineState m = set_up_line(t, R);

        // The line's direction at the fairlead and the fairlead's displacement.
        const float THETA = m.TANG + half_pi_single;
        const float PHI = ANGSYM(C.ANGDPP(line) / degrees_per_radian_rounded - heading);
        const Vec3 r{T.RFLD(1, line), T.RFLD(2, line), T.RFLD(3, line) - T.DRAFT};
        const Vec3 d{DISP[0] + r[2] * OMEGA[1] - r[1] * OMEGA[2],
                     DISP[1] + r[0] * OMEGA[2] - r[2] * OMEGA[0],
                     DISP[2] + r[1] * OMEGA[0] - r[0] * OMEGA[1]};
        Vec3 u{};
        RCTNGL(THETA, PHI, u);
        // Along the tension's direction from its derivatives (TENSRF set), else along the line.
        // A line without those derivatives (LINDRV zeroes them) keeps the line's direction.
        Vec3 along = u;
        if (T.TENSRF != 0 && K.DTFDXF(line) != 0.0f)
            RCTNGL(std::atan(K.DTFDZF(line) / K.DTFDXF(line)) + half_pi_single, PHI, along);
        // DYNCOD takes the fairlead's motion along the line as positive when it stretches the
        // line, that is away from the anchor, against u.
        K.CAFLD = std::complex<float>(-DOTP(d, along), 0.0f);
        K.CABOT = std::complex<float>(0.0f, 0.0f);

        // The dynamic tension at the fairlead.
        double TX = 0.0;
        bool CATSKP = false;
        std::complex<float> CYCATP, CYCATM, CYELAP, CYELAM, CTOPFP, CBOTFP, CTOPFM, CBOTFM;
        float STOPFP = 0.0f;
        float STOPFM = 0.0f;
        float XCATP = 0.0f;
        std::array<std::complex<float>, max_nodes> CTOPFIP{}, CTOPFIM{}, CXTEND_N{}, C_ADA_END_N{};
        const float TFAC = m.HMEAN / WAVCOM.G;
        DYNCOD(line, TX, CATSKP, WFREQ, DIAMFC, TFAC, CYCATP, CYCATM, CYELAP, CYELAM, CTOPFP,
               CBOTFP, CTOPFM, CBOTFM, STOPFP, STOPFM, RANCQ, CTOPFIP, CTOPFIM, CXTEND_N,
               C_ADA_END_N, 0, XCATP, true);

        // The turn of the direction and the line's load.
        const auto TPTEN0 = static_cast<float>(C.TPTEN0);
        const LineMeanState state{THETA,
                                  PHI,
                                  R,
                                  TPTEN0,
                                  K.DTFDXF(line),
                                  K.DTFDZF(line),
                                  K.DTZFDH(line),
                                  K.DTZFDZ(line),
                                  K.DXSDZF(1, line),
                                  K.DXSDH(1, line)};
        const LineDirectionChange turn = line_direction_change(state, d, OMEGA);
        if (turn.degenerate)
            warn_fixed_direction(line);
        add_line_load(sums, line_load_at_buoy(CTOPFP, u, TPTEN0, turn.du, r), DISP, WFREQ);
    }
    return sums;
}

} // namespace lintar
