// td_support/wave_frequency_damping.cpp: the wave-frequency line damping LDAMP.
#include "td_support/wave_frequency_damping.h"

#include "blocks/catcom.h"
#include "blocks/endcom.h"
#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/outcom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "line_dynamics/element_damping.h"
#include "line_dynamics/low_frequency_damping.h"
#include "lines/axial_stiffness.h"
#include "lines/catenary_elements.h"
#include "lines/dynamic_tension.h"
#include "lines/line_arrays.h"
#include "lines/line_shape.h"
#include "lines/stress_strain.h"
#include "motions/motion_files.h"
#include "runtime/assert.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/file_services.h"
#include "util/internal_error.h"
#include "util/table_search.h"
#include "util/wave_numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace lintar {

namespace {

using Complex = std::complex<float>;

// The degrees in a radian as this routine divides by them.
constexpr float ldamp_degrees_per_radian = 57.2957763671875f;

constexpr std::int32_t fewest_points = 5;
constexpr std::int32_t most_points = 19;

constexpr int fairlead_unit = 10;
constexpr int bow_unit = 11;
constexpr int relative_unit = 12;

bool tension_leg_program(const TpcmBlock& T) {
    return T.SIMTYP == 17 || (T.SIMTYP == 14 && T.LEGTLP == 0);
}

// The scratch motion files of the run: the fairlead file always; the other body's and the
// relative-motion file in a two-body run.
struct MotionFiles {
    std::string fairlead;
    std::string bow;
    bool two_body = false;
};

MotionFiles motion_files_of(const TpcmBlock& T) {
    MotionFiles f;
    f.fairlead = T.SIMTYP == 10 ? "TUGSTERN" : T.SIMTYP == 13 ? "BUOYMOTN" : "FAIRMOT";
    f.two_body = (T.SIMTYP == 10 || T.SIMTYP == 13) && T.IANC == 0;
    if (f.two_body)
        f.bow = T.SIMTYP == 10 ? "BARGEBOW" : "TANKBOW";
    return f;
}

// The mean state of line i of type t at anchor distance RANCPQ, as LINDRV solved it: the
// horizontal load, the end tensions, the end tangents from CATCOM, the top-slope bracket and
// the grounded length.
struct MeanState {
    float HMEAN = 0.0f;
    float TPTEN0 = 0.0f;
    float BTTEN0 = 0.0f;
    float QF = 0.0f;
    float QB = 0.0f;
    float TOPT1 = 0.0f;
    float TOPT2 = 0.0f;
    float BOTLEN = 0.0f;
};

MeanState mean_state(int i, int t, float RANCPQ) {
    const TpcmBlock& T = TPCM;
    const LincomBlock& C = LINCOM;
    const int L = C.MIDLYR;
    const int N = T.NELEM(t);
    const std::span<const float> HLOD(C.HLOD_words);
    MeanState m;
    m.QF = CATCOM.TANARR(1, i);
    m.QB = CATCOM.TANARR(N + 1, i);
    std::int32_t IER = 0;
    std::int32_t MIN = 1;
    const auto at_load = [&](std::span<const float> column) {
        float value = 0.0f;
        INTERP(HLOD, column, m.HMEAN, value, MIN);
        return value;
    };
    if (tension_leg_program(T)) {
        m.HMEAN = OUTCOM.H_MEAN(i, 4, 1);
        BSRCH(HLOD, m.HMEAN, IER, MIN, T.NUMTAB);
        m.TPTEN0 = OUTCOM.TMEAN(i);
        m.BTTEN0 = OUTCOM.BMEAN(i) - at_load(C.FFRICT_from(1, L, t));
        m.TOPT1 = 0.5f * std::tan(OUTCOM.TOPANG_MEAN(i, 4, 1));
        m.TOPT2 = 4.0f * m.TOPT1;
        m.BOTLEN = at_load(C.BOTLEN_from(1, L, t));
        return m;
    }
    const std::span<const float> ANCDST = C.ANCDST_from(1, L, t);
    BSRCH(ANCDST, RANCPQ, IER, MIN, T.NUMTAB);
    INTERP(ANCDST, HLOD, RANCPQ, m.HMEAN, MIN);
    m.TPTEN0 = at_load(C.TOPTEN_from(1, L, t));
    m.BTTEN0 =
        std::max(0.0f, m.HMEAN * std::sqrt(1.0f + m.QB * m.QB) - at_load(C.FFRICT_from(1, L, t)));
    m.TOPT1 = std::tan(C.TOPANG(MIN + 1, L, t));
    m.TOPT2 = std::tan(C.TOPANG(MIN, L, t));
    m.BOTLEN = at_load(C.BOTLEN_from(1, L, t));
    return m;
}

// The end motions of one set: the horizontal-load changes DH1 (fairlead) and DH2 (bottom
// end), the fairlead's vertical motion and the bottom end's motion.
struct EndMotion {
    Complex DH1, DH2, dzF, dxB, dzB;
};

// Node n's motion for a set: dx = DXSDH (DH1 + DH2) + DXSDZF (dzF - dzB) + dxB, and dz alike.
std::pair<Complex, Complex> node_motion(const EndMotion& s, int n, int i) {
    const CatcomBlock& K = CATCOM;
    const Complex dH = s.DH1 + s.DH2;
    const Complex dz = s.dzF - s.dzB;
    return {K.DXSDH(n, i) * dH + K.DXSDZF(n, i) * dz + s.dxB,
            K.DZSDH(n, i) * dH + K.DZSDZF(n, i) * dz + s.dzB};
}

// The horizontal and vertical fairlead motion of the unit slow motion IMOTN.
std::pair<float, float> unit_fairlead_motion(std::int32_t IMOTN, int i, float TMPANG0, float TMPANG,
                                             float FXCOMP, float QF) {
    const TpcmBlock& T = TPCM;
    switch (IMOTN) {
    case 1:
        return {std::cos(TMPANG), 0.0f};
    case 2:
        return {std::sin(TMPANG), 0.0f};
    case 3:
        return {-T.RFLD(1, i) * std::sin(TMPANG0) + T.RFLD(2, i) * std::cos(TMPANG0), 0.0f};
    case 4: {
        const float h = (T.RFLD(3, i) - T.VKG) * std::sin(TMPANG) * FXCOMP;
        return {h, h * QF};
    }
    case 5: {
        const float h = (T.RFLD(3, i) - T.VKG) * std::cos(TMPANG) * FXCOMP;
        return {h, h * QF};
    }
    default: // 6, heave
        return {0.0f, SINPHT(QF)};
    }
}

// The damping ratio's amplitude correction RI3 / RI2 of the damping integral at DELTMP, and
// its small-argument form.
float amplitude_correction(float DELTMP, int IOSCRN) {
    if (!(DELTMP > 1.0e-10f))
        return 1.06066f * DELTMP;
    const float DELTA = DELTMP * DELTMP;
    float RI3 = 0.0f;
    float RI2 = 0.0f;
    DMPINT(RI3, IOSCRN, 1.5f, DELTA);
    DMPINT(RI2, IOSCRN, 1.0f, DELTA);
    return RI3 / RI2;
}

} // namespace

std::int32_t ldamp_points(float DQF, float DQB) {
    // Held to the table's range before the conversion, so that no tangent overflows the int.
    const float span = std::abs(100.0f * (DQF - DQB));
    const std::int32_t m = span < 1000.0f ? static_cast<std::int32_t>(span) : 1000;
    return std::clamp(m - m % 2 + 1, fewest_points, most_points);
}

// LDAMP: the motion files read past their heading blocks, then line by line the mean state,
// the end motions, the element dissipation, the damping coefficient and the load levels.
void LDAMP(std::span<const float> RANCPQ, std::span<const float> ANGDPPQ, std::int32_t IMOTN,
           float VESANGQ, float& GAMCOF, float& HAMCOF, bool L_ROT, int IOUNITQ,
           std::int32_t EXPORT_WF_LOADS) {
    TpcmBlock& T = TPCM;
    LincomBlock& C = LINCOM;
    CatcomBlock& K = CATCOM;
    EndcomBlock& EC = ENDCOM;
    const int EDUNIT = T.EDUNIT;

    if (IMOTN < 1 || IMOTN > 6)
        internal_error_stop(EDUNIT, {" ++> Internal error: motion mode " + std::to_string(IMOTN) +
                                     " is not defined in LDAMP"});
    // 1. Without irregular seas the swells alone give the sea states.
    if (T.LRANDM == 0) {
        if (T.LSWEL2 == 1) {
            T.NSEAHT = 2;
            T.NSEAHG = 2;
        } else if (T.LSWELL == 1) {
            T.NSEAHT = 1;
            T.NSEAHG = 1;
        } else {
            GAMCOF = 0.0f;
            HAMCOF = 0.0f;
            return;
        }
    }

    // 2. The files, the end values and the constants.
    const float ROT_ANG = L_ROT ? EQUILB.BOW_ANC_CTR_ANG : 0.0f;
    const MotionFiles files = motion_files_of(T);
    open_motion_file_for_reading(fairlead_unit, files.fairlead, "LDAMP", EDUNIT);
    MotionFileReader fairlead(fairlead_unit, files.fairlead, "LDAMP", EDUNIT);
    std::optional<MotionFileReader> bow;
    std::optional<MotionFileReader> relative;
    if (files.two_body) {
        open_motion_file_for_reading(bow_unit, files.bow, "LDAMP", EDUNIT);
        bow.emplace(bow_unit, files.bow, "LDAMP", EDUNIT);
        open_motion_file_for_reading(relative_unit, relative_motion_file, "LDAMP", EDUNIT);
        relative.emplace(relative_unit, std::string(relative_motion_file), "LDAMP", EDUNIT);
    }
    EC.TGNRM1 = EC.TGNRM2 = EC.TGTAN1 = EC.TGTAN2 = 0.0f;
    EC.BGNRM1 = EC.BGNRM2 = EC.BGTAN1 = EC.BGTAN2 = 0.0f;
    const float DIAMFC = diameter_factor(T.NUNTS);
    const float G = WAVCOM.G;
    GAMCOF = 0.0f;
    HAMCOF = 0.0f;
    const float FACTR = 0.94f * T.DWATR / G;
    const std::int32_t SIGSEL = T.ONETWO == 1 ? 1 : 2;
    const float SIGFAC = T.ONETWO == 1 ? 1.0f : 2.0f;

    // 3. The heading blocks are read past; the sea state follows them.
    const std::int32_t NRAO = fairlead.heading_count();
    fairlead.skip_heading_blocks(NRAO);
    if (bow)
        bow->skip_heading_blocks(bow->heading_count());
    const std::array<float, 7> sea = fairlead.sea_state_header();
    if (bow)
        (void)bow->sea_state_header();
    EC.CWVHT = sea[0];
    EC.CSWLHT = sea[1];
    EC.CSWLHT2 = sea[2];
    EC.TPEAK = sea[3];

    std::vector<Complex> CTOPFIP(max_nodes + 1);
    std::vector<Complex> CTOPFIM(max_nodes + 1);
    std::vector<Complex> CXTEND_N(max_nodes + 1);
    std::vector<Complex> C_ADA_END_N(max_nodes + 1);
    for (int i = 1; i <= T.NLIN; ++i) {
        const auto at = static_cast<std::size_t>(i - 1);
        // 4. The line's records, read whether or not the line is active.
        for (int hinge = 1; hinge <= 3; ++hinge)
            (void)fairlead.pair();
        std::tie(EC.TGNRM1, EC.TGNRM2) = fairlead.pair();
        std::tie(EC.TGTAN1, EC.TGTAN2) = fairlead.pair();
        if (files.two_body && i != T.HAWSLN) {
            for (int hinge = 1; hinge <= 6; ++hinge)
                (void)fairlead.pair();
            std::tie(EC.BGNRM1, EC.BGNRM2) = bow->pair();
            std::tie(EC.BGTAN1, EC.BGTAN2) = bow->pair();
            std::tie(EC.RLNRM1, EC.RLNRM2) = relative->pair();
            std::tie(EC.RLTAN1, EC.RLTAN2) = relative->pair();
        } else {
            EC.RLNRM1 = EC.TGNRM1;
            EC.RLNRM2 = EC.TGNRM2;
            EC.RLTAN1 = EC.TGTAN1;
            EC.RLTAN2 = EC.TGTAN2;
        }
        C.TPTEN0 = 0.0f;
        std::array<float, 3> TMPLOD{};
        const std::int32_t id = C.LINEID(i);
        const int t = id % 1024;
        if (id <= 1024 && t != 0) {
            C.ITYP = t;
            const int N = T.NELEM(t);
            LINTAR_ASSERT(N >= 1 && N <= max_elements, "elements of a line type");

            // 5. The mean state and the line solved in it.
            MeanState m = mean_state(i, t, RANCPQ[at]);
            C.HMEAN = m.HMEAN;
            C.TPTEN0 = m.TPTEN0;
            C.BTTEN0 = m.BTTEN0;
            C.QF = m.QF;
            C.QB = m.QB;
            const float TFAC = m.HMEAN / G;
            C.DPHLD = C.HMEAN;
            C.DPHLD2 = (1.0 + C.DHFRAC) * C.DPHLD;
            C.DELTAZ = OUTCOM.DZTOTL(i, 4, 1);
            if (C.NEED_STRAIN_FILE != 0 && T.STRESS_STRAIN_FILE(t) != 0)
                LOAD_ALPHAS(C.DPHLD, C.MIDLYR);
            SCLWLD(C.SCLWT_words, wetwt_column(t), C.DPHLD, N);
            BETALD(alpha_slice(t), C.BETA_words, C.DPHLD, N);
            if (T.WLFLAG == 1)
                ITER8P(m.TOPT1, m.TOPT2);
            SCLWLD(C.SCLWTP_words, wetwt_column(t), C.DPHLD2, N);
            BETALD(alpha_slice(t), C.BETAP_words, C.DPHLD2, N);
            C.BOTELM = 0;
            if (T.ANCTYP(t) != 0 && m.BOTLEN > 0.0f) {
                float BOTWGT = 0.0f;
                float UNSTRL = 0.0f;
                TUCHDN(m.BOTLEN, wetwt_column(t), slen_column(t), ElementBetas(C.BETA_words), N,
                       C.DSLOPE, BOTWGT, C.BOTELM, UNSTRL);
            }
            C.FXCOMP = COSPHT(m.QF);
            C.FZCOMP = SINPHT(m.QF);
            C.BXCOMP = COSPHT(m.QB);
            C.BZCOMP = SINPHT(m.QB);

            // 6. The ends' wave-frequency motion. A line whose ends do not move at wave
            // frequency, or whose span does not change with its load, has no motion to damp.
            const float AMP = EC.TGTAN1 * EC.TGTAN1 + EC.BGTAN1 * EC.BGTAN1;
            const float DXSDH1 = K.DXSDH(1, i);
            const bool moving = AMP != 0.0f && EC.RLTAN1 != 0.0f && DXSDH1 != 0.0f;
            if (moving) {
                const float FRACT = EC.TGTAN1 * EC.TGTAN1 / AMP;
                const float FRACB = EC.BGTAN1 * EC.BGTAN1 / AMP;
                const Complex CAFLDH(FRACT * EC.RLTAN1, 0.0f);
                const Complex CABOTH(-FRACB * EC.RLTAN1, 0.0f);
                const float WFREQ = EC.RLTAN2 / EC.RLTAN1;
                const Complex DXFLDH = CAFLDH * C.FXCOMP;
                const Complex DZFLDH = CAFLDH * C.FZCOMP;
                const Complex DXBOTH = CABOTH * C.BXCOMP;
                const Complex DZBOTH = CABOTH * C.BZCOMP;
                const float AXTNDH = std::abs(CAFLDH - CABOTH);
                const float DXSDZF1 = K.DXSDZF(1, i);
                const EndMotion H{(DXFLDH - DXSDZF1 * DZFLDH) / DXSDH1,
                                  (-DXBOTH + DXSDZF1 * DZBOTH) / DXSDH1, DZFLDH, DXBOTH, DZBOTH};
                // The unit slow motion of the fairlead; the bottom end stays.
                const float A = T.SIMTYP == 13 ? EQUILB.BUYNGL() + EQUILB.VOFANG : VESANGQ;
                const float TMPANG0 = ANGDPPQ[at] / ldamp_degrees_per_radian - A;
                const float TMPANG = TMPANG0 - ROT_ANG;
                const auto [h, v] = unit_fairlead_motion(IMOTN, i, TMPANG0, TMPANG, C.FXCOMP, m.QF);
                const Complex DXFLDL(h, 0.0f);
                const Complex DZFLDL(v, 0.0f);
                const EndMotion L{(DXFLDL - DXSDZF1 * DZFLDL) / DXSDH1, {}, DZFLDL, {}, {}};

                // 7. and 8. The elements' dissipation under both motions.
                float DISS = 0.0f;
                float CQ = 0.0f;
                for (int e = 1; e <= N; ++e) {
                    const std::int32_t BOTFLG = C.BOTELM > 0 && e == C.BOTELM ? 1 : 0;
                    T.COFMAS = T.COFMST(e, t);
                    T.COFDMP = T.COFDMT(e, t);
                    const float WETWT = T.WETWT(e, t);
                    // A weightless element has no catenary length; it is integrated as straight.
                    const double TX = WETWT != 0.0f ? C.DPHLD / WETWT : 0.0;
                    const auto [xLt, zLt] = node_motion(L, e, i);
                    const auto [xLb, zLb] = node_motion(L, e + 1, i);
                    const auto [xHt, zHt] = node_motion(H, e, i);
                    const auto [xHb, zHb] = node_motion(H, e + 1, i);
                    const float DQTOP = K.TANARR(e, i);
                    const float DQBOT = K.TANARR(e + 1, i);
                    float D1 = 0.0f;
                    float D2 = 0.0f;
                    Complex CTXACC;
                    Complex CTZACC;
                    ELMDMP(TX, DQTOP, DQBOT, D1, D2, ldamp_points(DQTOP, DQBOT), xLt - xLb,
                           zLt - zLb, xLb, zLb, xHt - xHb, zHt - zHb, xHb, zHb, T.NBUG, EDUNIT, e,
                           CTXACC, CTZACC, BOTFLG);
                    DISS = DISS + D1 * T.COFDMP * T.DIAM(e, t);
                    CQ = CQ + D2 * T.COFDMP * T.DIAM(e, t);
                }

                // 9. The damping coefficient with the dynamic-stiffness correction.
                if (AXTNDH > 1.0e-9f && DISS != 0.0f) {
                    CQ = 3.0f * CQ * (0.001f * T.DWATR / G) * DIAMFC /
                         (8.0f * AXTNDH * AXTNDH * AXTNDH);
                    DISS = DISS * DIAMFC / AXTNDH;
                    float KELAS = 0.0f;
                    KELAST(KELAS, t, C.WAVEK_words, WFREQ, C.TPTEN0);
                    float KCAT = 0.0f;
                    float KSTAT = 0.0f;
                    KCATN(KCAT, KELAS, KSTAT, CAFLDH, CABOTH, K.DTFDAF(i), K.DTBDAB(i));
                    const float ALPHAP = KCAT / KELAS + 1.0f;
                    const float BETAPM = 8.0f * CQ * WFREQ * WFREQ / (9.424778f * KELAS);
                    // No cube term (BETAPM 0) leaves no amplitude to scale the damping by.
                    if (ALPHAP < 1.0e15f && BETAPM > 0.0f) {
                        const float ACRIT = ALPHAP * ALPHAP / (2.0f * BETAPM);
                        const float DELTMP = AXTNDH / ACRIT;
                        const float FAC1 = amplitude_correction(DELTMP, EDUNIT);
                        const float FAC2 = WFREQ * FAC1 * (ALPHAP / BETAPM) * DISS;
                        if (T.SIMTYP == 13 && t == T.HAWSTP)
                            HAMCOF = FAC2;
                        else
                            GAMCOF = GAMCOF + FAC2;
                    }
                }

                // 10. The top tension at three load levels.
                if (EXPORT_WF_LOADS != 0) {
                    const float RCYCLE = std::max(573.0f * T.DURATN * WFREQ, 7.4f);
                    const float TMPARG = 2.0f * std::log(RCYCLE);
                    for (int level = 1; level <= 3; ++level) {
                        float PKFACT = static_cast<float>(level);
                        if (level == 3) {
                            PKFACT = std::sqrt(TMPARG);
                            if (T.LBOUND == 0 || T.LBOUND == 3) {
                                const float HFSIGQ = OUTCOM.THDELP(i, SIGSEL);
                                const float LFSIGQ = OUTCOM.TQSRAN(i, SIGSEL, 1) - OUTCOM.TMEAN(i);
                                PKFACT = PKFACT * PKVAL(HFSIGQ, LFSIGQ, T.DURATN, WFREQ, SIGFAC);
                            }
                        }
                        K.CAFLD = Complex(FRACT * EC.RLTAN1 * PKFACT, 0.0f);
                        K.CABOT = Complex(-FRACB * EC.RLTAN1 * PKFACT, 0.0f);
                        double TX = 0.0;
                        bool CATSKP = false;
                        Complex CYCATP, CYCATM, CYELAP, CYELAM, CTOPFP, CBOTFP, CTOPFM, CBOTFM;
                        float STOPFP = 0.0f;
                        float STOPFM = 0.0f;
                        float XCATP = 0.0f;
                        DYNCOD(i, TX, CATSKP, WFREQ, DIAMFC, TFAC, CYCATP, CYCATM, CYELAP, CYELAM,
                               CTOPFP, CBOTFP, CTOPFM, CBOTFM, STOPFP, STOPFM, RANCPQ, CTOPFIP,
                               CTOPFIM, CXTEND_N, C_ADA_END_N, 0, XCATP, true);
                        TMPLOD[static_cast<std::size_t>(level - 1)] = std::abs(CTOPFP);
                    }
                }
            }
        }
        // 11. The line's load record.
        if (EXPORT_WF_LOADS == 1) {
            std::string record = " " + I(i, 4);
            for (const float value :
                 {static_cast<float>(C.TPTEN0), TMPLOD[0], TMPLOD[1], TMPLOD[2]})
                record += "  " + E(value, 12, 5);
            write_record(IOUNITQ, record);
        }
    }

    // 12. The results in force per velocity; the files closed.
    GAMCOF = GAMCOF * FACTR;
    HAMCOF = HAMCOF * FACTR;
    if (files.two_body) {
        HCLOSE(bow_unit, files.bow, "LDAMP", EDUNIT);
        HCLOSE(relative_unit, relative_motion_file, "LDAMP", EDUNIT);
    }
    HCLOSE(fairlead_unit, files.fairlead, "LDAMP", EDUNIT);
}

} // namespace lintar
