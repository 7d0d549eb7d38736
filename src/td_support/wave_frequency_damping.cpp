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
#include "util/angles.h"
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
#include <utility>
#include <vector>

namespace lintar {

namespace {

using Complex = std::complex<float>;

constexpr std::int32_t fewest_points = 5;
constexpr std::int32_t most_points = 19;

constexpr int fairlead_unit = 10;
constexpr int bow_unit = 11;
constexpr int relative_unit = 12;

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

// The sea states of a run without irregular seas come from its swells (NSEAHT and NSEAHG of
// TPCM, 2 with a second swell, 1 with one); false when there is no swell either. Reads TPCM's
// LRANDM, LSWELL, LSWEL2; writes NSEAHT, NSEAHG.
bool sea_states_present(TpcmBlock& T) {
    if (T.LRANDM != 0)
        return true;
    if (T.LSWEL2 == 1) {
        T.NSEAHT = 2;
        T.NSEAHG = 2;
    } else if (T.LSWELL == 1) {
        T.NSEAHT = 1;
        T.NSEAHG = 1;
    } else {
        return false;
    }
    return true;
}

// One end's set of sea-state pairs as the motion run writes it: three ball-hinge pairs (read
// past), then the normal pair (the motion across the line, the two transverse components of the
// line axes) and the tangential pair (the motion along the line's tangent).
struct EndPairs {
    std::pair<float, float> normal;
    std::pair<float, float> tangential;
};

EndPairs read_end_pairs(MotionFileReader& reader) {
    for (int hinge = 1; hinge <= 3; ++hinge)
        (void)reader.pair();
    EndPairs e;
    e.normal = reader.pair();
    e.tangential = reader.pair();
    return e;
}

// The motion files opened for reading: the fairlead file, and in a two-body run the other
// body's and the relative-motion file. The buoy's file and a single body's hold one set of end
// pairs per line; the tug's file holds one set per sea state, of its stern, from which every
// tow line leaves; the other body's file holds one set per sea state of its end of the lines
// between the bodies (its bow), and "RELMOT" one set per sea state of the second point of the
// second body's run, taken as the relative motion of the two ends. The first sea state is the
// one read (the net damping's motion run has one): each single set is read once, by the first
// line that needs it, and shared by the lines after it.
struct MotionReaders {
    std::optional<MotionFileReader> fairlead;
    std::optional<MotionFileReader> bow;
    std::optional<MotionFileReader> relative;
    bool fairlead_per_line = true;
    std::optional<EndPairs> fairlead_set;
    std::optional<EndPairs> bow_set;
    std::optional<EndPairs> relative_set;
};

void open_motion_readers(MotionReaders& r, const MotionFiles& files, const TpcmBlock& T) {
    const int EDUNIT = T.EDUNIT;
    open_motion_file_for_reading(fairlead_unit, files.fairlead, "LDAMP", EDUNIT);
    r.fairlead.emplace(fairlead_unit, files.fairlead, "LDAMP", EDUNIT);
    r.fairlead_per_line = T.SIMTYP != 10;
    if (files.two_body) {
        open_motion_file_for_reading(bow_unit, files.bow, "LDAMP", EDUNIT);
        r.bow.emplace(bow_unit, files.bow, "LDAMP", EDUNIT);
        open_motion_file_for_reading(relative_unit, relative_motion_file, "LDAMP", EDUNIT);
        r.relative.emplace(relative_unit, std::string(relative_motion_file), "LDAMP", EDUNIT);
    }
}

// The files read past their heading blocks to the sea state, whose wave and swell heights and
// peak period are stored in ENDCOM (CWVHT, CSWLHT, CSWLHT2, TPEAK).
void read_to_sea_state(MotionReaders& r) {
    EndcomBlock& EC = ENDCOM;
    const std::int32_t NRAO = r.fairlead->heading_count();
    r.fairlead->skip_heading_blocks(NRAO);
    if (r.bow)
        r.bow->skip_heading_blocks(r.bow->heading_count());
    const std::array<float, 7> sea = r.fairlead->sea_state_header();
    if (r.bow)
        (void)r.bow->sea_state_header();
    EC.CWVHT = sea[0];
    EC.CSWLHT = sea[1];
    EC.CSWLHT2 = sea[2];
    EC.TPEAK = sea[3];
}

// The single set of a file, read when first asked for.
const EndPairs& shared_end_pairs(std::optional<EndPairs>& set, MotionFileReader& reader) {
    if (!set)
        set = read_end_pairs(reader);
    return *set;
}

// The records of line i, read whether or not the line is active, stored in ENDCOM: the
// fairlead's normal and tangential pairs (TGNRM, TGTAN); in a two-body run, the hawser line
// excepted, the other body's end (BGNRM, BGTAN) and the relative ones (RLNRM, RLTAN), else the
// fairlead's as the relative ones. Each set comes with its own three hinge pairs in its own
// file, read past.
void read_line_records(MotionReaders& r, bool two_body_line) {
    EndcomBlock& EC = ENDCOM;
    const EndPairs top = r.fairlead_per_line ? read_end_pairs(*r.fairlead)
                                             : shared_end_pairs(r.fairlead_set, *r.fairlead);
    std::tie(EC.TGNRM1, EC.TGNRM2) = top.normal;
    std::tie(EC.TGTAN1, EC.TGTAN2) = top.tangential;
    if (two_body_line) {
        const EndPairs& bottom = shared_end_pairs(r.bow_set, *r.bow);
        std::tie(EC.BGNRM1, EC.BGNRM2) = bottom.normal;
        std::tie(EC.BGTAN1, EC.BGTAN2) = bottom.tangential;
        const EndPairs& relative = shared_end_pairs(r.relative_set, *r.relative);
        std::tie(EC.RLNRM1, EC.RLNRM2) = relative.normal;
        std::tie(EC.RLTAN1, EC.RLTAN2) = relative.tangential;
    } else {
        EC.RLNRM1 = EC.TGNRM1;
        EC.RLNRM2 = EC.TGNRM2;
        EC.RLTAN1 = EC.TGTAN1;
        EC.RLTAN2 = EC.TGTAN2;
    }
}

// The ends' wave-frequency motion of line i and the unit slow motion of its fairlead: the
// shares FRACT and FRACB of the relative motion at the fairlead and at the bottom end, the
// end amplitudes CAFLDH and CABOTH, the frequency WFREQ, the stretch amplitude AXTNDH, and the
// two sets of end motions (H wave-frequency, L slow; the bottom end stays in the slow one).
struct WaveEndMotion {
    float FRACT = 0.0f;
    float FRACB = 0.0f;
    Complex CAFLDH;
    Complex CABOTH;
    float WFREQ = 0.0f;
    float AXTNDH = 0.0f;
    EndMotion H;
    EndMotion L;
};

// Reads ENDCOM's end records, LINCOM's end components (FXCOMP ..), CATCOM's node derivatives
// of line i, TPCM and EQUILB for the heading; the line's plan angle ANGDPP (degrees) and the
// rotation ROT_ANG. The caller has checked that the ends move and DXSDH(1, i) is not 0.
WaveEndMotion wave_end_motion(int i, std::int32_t IMOTN, float ANGDPP, float VESANGQ, float ROT_ANG,
                              float QF) {
    const TpcmBlock& T = TPCM;
    const LincomBlock& C = LINCOM;
    const CatcomBlock& K = CATCOM;
    const EndcomBlock& EC = ENDCOM;
    WaveEndMotion w;
    const float AMP = EC.TGTAN1 * EC.TGTAN1 + EC.BGTAN1 * EC.BGTAN1;
    const float DXSDH1 = K.DXSDH(1, i);
    w.FRACT = EC.TGTAN1 * EC.TGTAN1 / AMP;
    w.FRACB = EC.BGTAN1 * EC.BGTAN1 / AMP;
    w.CAFLDH = Complex(w.FRACT * EC.RLTAN1, 0.0f);
    w.CABOTH = Complex(-w.FRACB * EC.RLTAN1, 0.0f);
    w.WFREQ = EC.RLTAN2 / EC.RLTAN1;
    const Complex DXFLDH = w.CAFLDH * C.FXCOMP;
    const Complex DZFLDH = w.CAFLDH * C.FZCOMP;
    const Complex DXBOTH = w.CABOTH * C.BXCOMP;
    const Complex DZBOTH = w.CABOTH * C.BZCOMP;
    w.AXTNDH = std::abs(w.CAFLDH - w.CABOTH);
    const float DXSDZF1 = K.DXSDZF(1, i);
    w.H = EndMotion{(DXFLDH - DXSDZF1 * DZFLDH) / DXSDH1, (-DXBOTH + DXSDZF1 * DZBOTH) / DXSDH1,
                    DZFLDH, DXBOTH, DZBOTH};
    // The unit slow motion of the fairlead; the bottom end stays.
    const float A = T.SIMTYP == 13 ? EQUILB.BUYNGL() + EQUILB.VOFANG : VESANGQ;
    const float TMPANG0 = ANGDPP / degrees_per_radian - A;
    const float TMPANG = TMPANG0 - ROT_ANG;
    const auto [h, v] = unit_fairlead_motion(IMOTN, i, TMPANG0, TMPANG, C.FXCOMP, QF);
    const Complex DXFLDL(h, 0.0f);
    const Complex DZFLDL(v, 0.0f);
    w.L = EndMotion{(DXFLDL - DXSDZF1 * DZFLDL) / DXSDH1, {}, DZFLDL, {}, {}};
    return w;
}

// The elements' dissipation of line i of type t under both motions: ELMDMP's two integrals
// times each element's damping coefficient and diameter, summed (DISS, CQ). Reads TPCM,
// LINCOM, CATCOM; writes TPCM's COFMAS and COFDMP and what ELMDMP writes.
struct ElementDissipation {
    float DISS = 0.0f;
    float CQ = 0.0f;
};

ElementDissipation element_dissipation(int i, int t, const WaveEndMotion& w) {
    TpcmBlock& T = TPCM;
    const LincomBlock& C = LINCOM;
    const CatcomBlock& K = CATCOM;
    ElementDissipation sums;
    const int N = T.NELEM(t);
    for (int e = 1; e <= N; ++e) {
        const std::int32_t BOTFLG = C.BOTELM > 0 && e == C.BOTELM ? 1 : 0;
        T.COFMAS = T.COFMST(e, t);
        T.COFDMP = T.COFDMT(e, t);
        const float WETWT = T.WETWT(e, t);
        // A weightless element has no catenary length; it is integrated as straight.
        const double TX = WETWT != 0.0f ? C.DPHLD / WETWT : 0.0;
        const auto [xLt, zLt] = node_motion(w.L, e, i);
        const auto [xLb, zLb] = node_motion(w.L, e + 1, i);
        const auto [xHt, zHt] = node_motion(w.H, e, i);
        const auto [xHb, zHb] = node_motion(w.H, e + 1, i);
        const float DQTOP = K.TANARR(e, i);
        const float DQBOT = K.TANARR(e + 1, i);
        float D1 = 0.0f;
        float D2 = 0.0f;
        Complex CTXACC;
        Complex CTZACC;
        ELMDMP(TX, DQTOP, DQBOT, D1, D2, ldamp_points(DQTOP, DQBOT), xLt - xLb, zLt - zLb, xLb, zLb,
               xHt - xHb, zHt - zHb, xHb, zHb, T.NBUG, T.EDUNIT, e, CTXACC, CTZACC, BOTFLG);
        sums.DISS = sums.DISS + D1 * T.COFDMP * T.DIAM(e, t);
        sums.CQ = sums.CQ + D2 * T.COFDMP * T.DIAM(e, t);
    }
    return sums;
}

// The damping coefficient of line i of type t with the dynamic-stiffness correction, before
// the factor to force per velocity; none when the stretch amplitude or the dissipation is 0,
// or when the stiffness leaves no cube term to scale the damping by. Reads TPCM, LINCOM
// (WAVEK, TPTEN0), CATCOM's end derivatives; KELAST and KCATN write what they write.
std::optional<float> damping_coefficient(int i, int t, const WaveEndMotion& w,
                                         ElementDissipation sums, float DIAMFC) {
    const TpcmBlock& T = TPCM;
    LincomBlock& C = LINCOM;
    const CatcomBlock& K = CATCOM;
    const float G = WAVCOM.G;
    if (!(w.AXTNDH > 1.0e-9f && sums.DISS != 0.0f))
        return std::nullopt;
    const float AXTNDH = w.AXTNDH;
    const float WFREQ = w.WFREQ;
    const float CQ =
        3.0f * sums.CQ * (0.001f * T.DWATR / G) * DIAMFC / (8.0f * AXTNDH * AXTNDH * AXTNDH);
    const float DISS = sums.DISS * DIAMFC / AXTNDH;
    float KELAS = 0.0f;
    KELAST(KELAS, t, C.WAVEK_words, WFREQ, C.TPTEN0);
    float KCAT = 0.0f;
    float KSTAT = 0.0f;
    KCATN(KCAT, KELAS, KSTAT, w.CAFLDH, w.CABOTH, K.DTFDAF(i), K.DTBDAB(i));
    const float ALPHAP = KCAT / KELAS + 1.0f;
    const float BETAPM = 8.0f * CQ * WFREQ * WFREQ / (9.424778f * KELAS);
    // No cube term (BETAPM 0) leaves no amplitude to scale the damping by.
    if (!(ALPHAP < 1.0e15f && BETAPM > 0.0f))
        return std::nullopt;
    const float ACRIT = ALPHAP * ALPHAP / (2.0f * BETAPM);
    const float DELTMP = AXTNDH / ACRIT;
    const float FAC1 = amplitude_correction(DELTMP, T.EDUNIT);
    return WFREQ * FAC1 * (ALPHAP / BETAPM) * DISS;
}

// The scratch arrays DYNCOD fills for each solve.
struct DyncodScratch {
    std::vector<Complex> CTOPFIP = std::vector<Complex>(max_nodes + 1);
    std::vector<Complex> CTOPFIM = std::vector<Complex>(max_nodes + 1);
    std::vector<Complex> CXTEND_N = std::vector<Complex>(max_nodes + 1);
    std::vector<Complex> C_ADA_END_N = std::vector<Complex>(max_nodes + 1);
};

// The top tension amplitude of line i at three load levels: the end motions scaled by 1, 2
// and the expected peak factor of the storm (with the low-frequency share of the tension in
// the bounded cases), each solved by DYNCOD. Reads TPCM, OUTCOM, ENDCOM; writes CATCOM's
// CAFLD, CABOT and what DYNCOD writes.
std::array<float, 3> top_tension_levels(int i, const WaveEndMotion& w, float DIAMFC, float TFAC,
                                        std::span<const float> RANCPQ, DyncodScratch& scratch) {
    const TpcmBlock& T = TPCM;
    CatcomBlock& K = CATCOM;
    const EndcomBlock& EC = ENDCOM;
    const std::int32_t SIGSEL = T.ONETWO == 1 ? 1 : 2;
    const float SIGFAC = T.ONETWO == 1 ? 1.0f : 2.0f;
    const float WFREQ = w.WFREQ;
    std::array<float, 3> TMPLOD{};
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
        K.CAFLD = Complex(w.FRACT * EC.RLTAN1 * PKFACT, 0.0f);
        K.CABOT = Complex(-w.FRACB * EC.RLTAN1 * PKFACT, 0.0f);
        double TX = 0.0;
        bool CATSKP = false;
        Complex CYCATP, CYCATM, CYELAP, CYELAM, CTOPFP, CBOTFP, CTOPFM, CBOTFM;
        float STOPFP = 0.0f;
        float STOPFM = 0.0f;
        float XCATP = 0.0f;
        DYNCOD(i, TX, CATSKP, WFREQ, DIAMFC, TFAC, CYCATP, CYCATM, CYELAP, CYELAM, CTOPFP, CBOTFP,
               CTOPFM, CBOTFM, STOPFP, STOPFM, RANCPQ, scratch.CTOPFIP, scratch.CTOPFIM,
               scratch.CXTEND_N, scratch.C_ADA_END_N, 0, XCATP, true);
        TMPLOD[slot(level)] = std::abs(CTOPFP);
    }
    return TMPLOD;
}

// What one active line gives: its damping coefficient (none when it adds nothing) and its
// top tension at the three load levels (0 unless asked for).
struct LineWaveDamping {
    std::optional<float> FAC2;
    std::array<float, 3> TMPLOD{};
};

// Line i of type t at distance RANCPQ[i - 1]: solved in its mean state (the end components
// stored in LINCOM), then, when its ends move at wave frequency and its span changes with its
// load, the element dissipation, the damping coefficient and, when EXPORT_WF_LOADS, the load
// levels.
LineWaveDamping line_wave_damping(int i, int t, std::span<const float> RANCPQ, float ANGDPP,
                                  std::int32_t IMOTN, float VESANGQ, float ROT_ANG, float DIAMFC,
                                  std::int32_t EXPORT_WF_LOADS, DyncodScratch& scratch) {
    const TpcmBlock& T = TPCM;
    LincomBlock& C = LINCOM;
    const EndcomBlock& EC = ENDCOM;
    LineWaveDamping result;
    [[maybe_unused]] const int N = T.NELEM(t);
    LINTAR_ASSERT(N >= 1 && N <= max_elements, "elements of a line type");

    // The mean state and the line solved in it. The end values are the tangents of the shape
    // LINDRV solved: the end components and the bottom tension are taken from tangents. The
    // tension-leg programs bracket the shape about the top angle of the mean results their
    // state comes from; the shape is solved again only with the water-level search on, else
    // the solve's arrays stand as they are.
    const FairleadState m = fairlead_mean_state(
        lincom_tables(), i, t, RANCPQ[slot(i)], six_dof_lines(T.SIMTYP, T.LEGTLP),
        {LineEnds::solved_tangents, TensionLegBracket::mean_top_angle});
    const float TFAC = m.HMEAN / WAVCOM.G;
    solve_in_mean_state(i, t, m, T.WLFLAG == 1);
    C.FXCOMP = COSPHT(m.QF);
    C.FZCOMP = SINPHT(m.QF);
    C.BXCOMP = COSPHT(m.QB);
    C.BZCOMP = SINPHT(m.QB);

    // A line whose ends do not move at wave frequency, or whose span does not change with its
    // load, has no motion to damp.
    const float AMP = EC.TGTAN1 * EC.TGTAN1 + EC.BGTAN1 * EC.BGTAN1;
    if (!(AMP != 0.0f && EC.RLTAN1 != 0.0f && CATCOM.DXSDH(1, i) != 0.0f))
        return result;
    const WaveEndMotion w = wave_end_motion(i, IMOTN, ANGDPP, VESANGQ, ROT_ANG, m.QF);
    const ElementDissipation sums = element_dissipation(i, t, w);
    result.FAC2 = damping_coefficient(i, t, w, sums, DIAMFC);
    if (EXPORT_WF_LOADS != 0)
        result.TMPLOD = top_tension_levels(i, w, DIAMFC, TFAC, RANCPQ, scratch);
    return result;
}

// The load record of line i: its number, mean top tension and the three load levels.
std::string line_load_record(int i, float TPTEN0, const std::array<float, 3>& TMPLOD) {
    std::string record = " " + I(i, 4);
    for (const float value : {TPTEN0, TMPLOD[0], TMPLOD[1], TMPLOD[2]})
        record += "  " + E(value, 12, 5);
    return record;
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
    EndcomBlock& EC = ENDCOM;
    const int EDUNIT = T.EDUNIT;

    if (IMOTN < 1 || IMOTN > 6)
        internal_error_stop(EDUNIT, {" ++> Internal error: motion mode " + std::to_string(IMOTN) +
                                     " is not defined in LDAMP"});
    // Without irregular seas the swells alone give the sea states.
    if (!sea_states_present(T)) {
        GAMCOF = 0.0f;
        HAMCOF = 0.0f;
        return;
    }

    // The files, the end values and the constants.
    const float ROT_ANG = L_ROT ? EQUILB.BOW_ANC_CTR_ANG : 0.0f;
    const MotionFiles files = motion_files_of(T);
    MotionReaders readers;
    open_motion_readers(readers, files, T);
    EC.TGNRM1 = EC.TGNRM2 = EC.TGTAN1 = EC.TGTAN2 = 0.0f;
    EC.BGNRM1 = EC.BGNRM2 = EC.BGTAN1 = EC.BGTAN2 = 0.0f;
    const float DIAMFC = diameter_factor(T.NUNTS);
    GAMCOF = 0.0f;
    HAMCOF = 0.0f;
    const float FACTR = 0.94f * T.DWATR / WAVCOM.G;

    // The heading blocks are read past; the sea state follows them.
    read_to_sea_state(readers);

    DyncodScratch scratch;
    for (int i = 1; i <= T.NLIN; ++i) {
        read_line_records(readers, files.two_body && i != T.HAWSLN);
        C.TPTEN0 = 0.0f;
        std::array<float, 3> TMPLOD{};
        const std::int32_t id = C.LINEID(i);
        const int t = id % 1024;
        if (id <= 1024 && t != 0) {
            C.ITYP = t;
            const LineWaveDamping line =
                line_wave_damping(i, t, RANCPQ, ANGDPPQ[slot(i)], IMOTN, VESANGQ, ROT_ANG, DIAMFC,
                                  EXPORT_WF_LOADS, scratch);
            if (line.FAC2 && T.SIMTYP == 13 && t == T.HAWSTP)
                HAMCOF = *line.FAC2;
            else if (line.FAC2)
                GAMCOF = GAMCOF + *line.FAC2;
            TMPLOD = line.TMPLOD;
        }
        if (EXPORT_WF_LOADS == 1)
            write_record(IOUNITQ, line_load_record(i, static_cast<float>(C.TPTEN0), TMPLOD));
    }

    // The results in force per velocity; the files closed.
    GAMCOF = GAMCOF * FACTR;
    HAMCOF = HAMCOF * FACTR;
    if (files.two_body) {
        HCLOSE(bow_unit, files.bow, "LDAMP", EDUNIT);
        HCLOSE(relative_unit, relative_motion_file, "LDAMP", EDUNIT);
    }
    HCLOSE(fairlead_unit, files.fairlead, "LDAMP", EDUNIT);
}

} // namespace lintar
