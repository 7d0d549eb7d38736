// hulls/semi_forces.cpp: SEMFRC, the semisubmersible's forces and RAOs with the damping passes
// and the Newton iteration on the drag, SEMRAO, GETRAO, the complex solver CSIMQ and the
// six-vector helpers.
#include "blocks/himem.h"
#include "blocks/simcom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "hulls/hull_guards.h"
#include "hulls/hull_support.h"
#include "hulls/semi_hull.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/program_types.h"
#include "util/prompts.h"
#include "util/wave_numbers.h"

#include <cmath>
#include <string>

namespace lintar {

namespace {

using C = SemiComplex;
using CV6 = SemiVector6;

// The run's first pitch pass gives the asymmetry warning.
struct SemiForcesStore {
    bool FRSTIM = true;
};
SemiForcesStore semfrc_store;
const StateReset reset_semfrc_store{[] { semfrc_store = {}; }, StoreKind::analysis};

// Iterations between two convergence questions.
constexpr std::int32_t iterations_per_question = 100;
// The complex step of the finite-difference Jacobian.
const C jacobian_step(0.01f, 0.01f);

float ratio_or(float num, float den, float fallback) {
    return den != 0.0f ? num / den : fallback;
}

// A quotient whose divisor is kept away from zero: a real divisor of exactly 0 becomes 1e-10
// first (an undamped resonance), then any complex divisor below the guard becomes the guard.
C guarded_quotient(C num, float QR, float QI) {
    if (QR == 0.0f)
        QR = zero_divisor_guard;
    return num / guarded_divisor(C(QR, QI));
}

// -num / w^2, the response of a mass without restoring; a zero encounter frequency is held at
// the guard.
C mass_only(C num, float WENC2) {
    return -num / guarded_divisor(C(WENC2, 0.0f));
}

// The speed component along the waves of the heading IRAO.
float speed_along_waves(float speed) {
    return speed * std::cos((HIMEM.REDANG(WAVCOM.IRAO) - TPCM.VGLDIR) / degrees_per_radian);
}

// The wave amplitude of the drag terms at frequency w: half the regular wave height, or the
// wave slope (degrees) turned into an amplitude; times 1.414.
float drag_amplitude(float w) {
    const TpcmBlock& T = TPCM;
    float WVAMP = 0.0f;
    if (T.LSLPHT < 1) {
        WVAMP = T.SLPHT * 0.5f;
    } else {
        float kd = 0.0f;
        WAVVEC(HIMEM.WCONST * w, kd);
        WVAMP = kd > 0.0f ? (T.SLPHT / degrees_per_radian) * T.DEPTH / kd : 0.0f;
    }
    return WVAMP * 1.414f;
}

} // namespace

// semi_scales: see the header.
SemiScales semi_scales() {
    const TpcmBlock& T = TPCM;
    HimemBlock& H = HIMEM;
    WavcomBlock& W = WAVCOM;
    const float G = W.G;
    SemiScales s;
    W.DWATRP = T.DWATR * 0.001f;
    s.m = W.DWATRP / G;
    // g / DELTA^(1/3): a squared frequency.
    const float length = H.DELTA > 0.0f ? std::cbrt(H.DELTA) : 0.0f;
    s.W2SCAL = length > 0.0f ? G / length : G;
    s.WSCAL = std::sqrt(s.W2SCAL);
    if (T.AWP > 0.0f) {
        s.HVFC = W.DWATRP * T.AWP;
        s.HFCTLP = ratio_or(G * T.AWP, H.HC, 1.0f);
    } else {
        s.HVFC = s.m * H.HVMAS * s.W2SCAL;
        s.HFCTLP = 1.0f;
    }
    if (H.GML != 0.0f) {
        s.PTFC = std::abs(H.GML) * T.DISPL;
        s.PFCTLP = ratio_or(G * std::abs(H.GML) * H.DELTA, H.PRMT, 1.0f);
    } else {
        s.PTFC = s.m * H.PTCHI * s.W2SCAL;
        s.PFCTLP = 1.0f;
    }
    if (H.GMT != 0.0f) {
        s.RLFC = std::abs(H.GMT) * T.DISPL;
        s.RFCTLP = ratio_or(G * std::abs(H.GMT) * H.DELTA, H.RRMT, 1.0f);
    } else {
        s.RLFC = s.m * H.ROLI * s.W2SCAL;
        s.RFCTLP = 1.0f;
    }
    H.SCALE(1) = H.SCALE(2) = T.DISPL / degrees_per_radian;
    H.SCALE(3) = s.HVFC;
    H.SCALE(4) = s.RLFC / degrees_per_radian;
    H.SCALE(5) = H.SCALE(6) = s.PTFC / degrees_per_radian;
    H.SDEPTH = ratio_or(T.DEPTH, H.EDRAFT, 0.0f);
    s.ACLFAC = W.DWATRP * 0.5642f / G;
    s.GPSG = G / (H.CSG + 1.0f);
    s.GPSW = G / (H.CSW + 1.0f);
    s.YAWFAC = ratio_or(G * H.GML * H.DELTA, H.YAWI, 0.0f);
    s.WH = H.WH;
    s.WP = H.WP;
    s.WR = H.WR;
    s.WH2 = H.WH * H.WH;
    s.WP2 = H.WP * H.WP;
    s.WR2 = H.WR * H.WR;
    return s;
}

// GETRAO: see the header.
void GETRAO(const SemiVector6& CFORCE, const std::array<float, 6>& FCOFS, SemiVector6& CRFRC,
            SemiVector6& CRAO, const SemiScales& s, float WENC, float GAMHV, float GAMPT,
            float GAMRL, float WAVK) {
    const TpcmBlock& T = TPCM;
    for (std::size_t i = 0; i < 6; ++i)
        CRFRC[i] = FCOFS[i] * CFORCE[i];
    if (T.SQLFRC != 1)
        return;
    const float WENC2 = WENC * WENC;
    const float k = WAVK;
    CRAO[0] = mass_only(s.GPSG * k * CRFRC[0], WENC2);
    CRAO[1] = mass_only(s.GPSW * k * CRFRC[1], WENC2);
    CRAO[5] = mass_only(k * s.YAWFAC * CRFRC[5], WENC2);
    CRAO[2] = s.WH2 <= 0.0f ? mass_only(CRFRC[2] * s.W2SCAL, WENC2)
                            : guarded_quotient(s.WH2 * CRFRC[2], s.WH2 - WENC2,
                                               T.LHVDMP == 1 ? GAMHV * WENC * s.WH : 0.0f);
    CRAO[4] = s.WP2 <= 0.0f ? mass_only(k * CRFRC[4] * s.W2SCAL, WENC2)
                            : guarded_quotient(k * s.WP2 * CRFRC[4], s.WP2 - WENC2,
                                               T.LPTDMP == 1 ? GAMPT * WENC * s.WP : 0.0f);
    CRAO[3] = s.WR2 <= 0.0f ? mass_only(k * CRFRC[3] * s.W2SCAL, WENC2)
                            : guarded_quotient(k * s.WR2 * CRFRC[3], s.WR2 - WENC2,
                                               T.LRLDMP == 1 ? GAMRL * WENC * s.WR : 0.0f);
    if (tension_leg_or_spar(T.SIMTYP)) {
        CRAO[2] *= s.HFCTLP;
        CRAO[3] *= s.RFCTLP;
        CRAO[4] *= s.PFCTLP;
    }
}

// CSIMQ: see the header. Pure.
void CSIMQ(std::span<SemiComplex> A, std::span<SemiComplex> B, int N, std::int32_t& KS) {
    const auto a = [&](int i, int j) -> C& {
        return A[slot(j) * static_cast<std::size_t>(N) + slot(i)];
    };
    const auto b = [&](int i) -> C& { return B[slot(i)]; };
    KS = 0;
    for (int j = 1; j <= N; ++j) {
        int pivot = j;
        float biggest = std::abs(a(j, j));
        for (int i = j + 1; i <= N; ++i)
            if (std::abs(a(i, j)) > biggest) {
                biggest = std::abs(a(i, j));
                pivot = i;
            }
        if (!(biggest > 0.0f)) {
            KS = 1;
            return;
        }
        if (pivot != j) {
            for (int c = j; c <= N; ++c)
                std::swap(a(j, c), a(pivot, c));
            std::swap(b(j), b(pivot));
        }
        const C p = a(j, j);
        for (int c = j; c <= N; ++c)
            a(j, c) /= p;
        b(j) /= p;
        for (int i = j + 1; i <= N; ++i) {
            const C f = a(i, j);
            if (f == C(0.0f, 0.0f))
                continue;
            for (int c = j; c <= N; ++c)
                a(i, c) -= f * a(j, c);
            b(i) -= f * b(j);
        }
    }
    for (int i = N - 1; i >= 1; --i)
        for (int c = i + 1; c <= N; ++c)
            b(i) -= a(i, c) * b(c);
}

// CDIFF, CEQUAL, CCLEAR: see the header. Pure.
void CDIFF(SemiVector6& CDIF, const SemiVector6& CP, const SemiVector6& CM) {
    for (std::size_t i = 0; i < 6; ++i)
        CDIF[i] = CP[i] - CM[i];
}
void CEQUAL(std::span<SemiComplex> CNEW, std::span<const SemiComplex> COLD, int N) {
    for (std::size_t i = 0; i < static_cast<std::size_t>(N); ++i)
        CNEW[i] = COLD[i];
}
void CCLEAR(std::span<SemiComplex> CNEW, int N) {
    for (std::size_t i = 0; i < static_cast<std::size_t>(N); ++i)
        CNEW[i] = C(0.0f, 0.0f);
}

// iterate_drag_raos: see the header.
DragIteration iterate_drag_raos(SemiVector6& CRAO, const DragEvaluation& drag_map, float k,
                                const ConvergenceQuestion& q) {
    const int EDUNIT = q.EDUNIT;
    const auto residual_at = [&](const CV6& x) {
        CV6 r{};
        CDIFF(r, x, drag_map(x));
        return r;
    };
    std::int32_t NCOUNT = 0, NTOTL = 0;
    for (;;) {
        // The residual x - F(x) and its finite-difference Jacobian.
        CV6 CSAV = CRAO;
        CV6 CG0 = residual_at(CSAV);
        std::array<C, 36> GMATD{};
        for (std::size_t j = 0; j < 6; ++j) {
            CSAV[j] += jacobian_step;
            const CV6 CG1 = residual_at(CSAV);
            for (std::size_t i = 0; i < 6; ++i)
                GMATD[j * 6 + i] = (CG1[i] - CG0[i]) / jacobian_step;
            CSAV[j] -= jacobian_step;
        }
        // The Newton step. A singular Jacobian gives no step: the estimate stays, the
        // residual measures it, and the iteration counts as not converged.
        const CV6 residual = CG0;
        std::int32_t KERR = 0;
        CSIMQ(GMATD, CG0, 6, KERR);
        const bool singular = KERR != 0;
        if (singular) {
            write_record(EDUNIT, " ++> Warning: singular solution matrix in SEMFRC; error "
                                 "index = " +
                                     I(KERR, 3));
            std::int32_t LBACK = 0;
            ABORT0(EDUNIT, keyboard_unit, LBACK);
            if (LBACK < 0)
                stop_program(StopKind::user_choice);
            CG0 = residual;
            CRAO = CSAV;
        } else {
            CDIFF(CRAO, CSAV, CG0);
        }

        // The test, degree of freedom by degree of freedom.
        bool again = false;
        for (int i = 1; i <= 6 && !again; ++i) {
            const auto ii = slot(i);
            float RAMP = std::abs(CRAO[ii]);
            if (RAMP == 0.0f)
                RAMP = 0.001f;
            const float amplitude = i > 3 ? RAMP / k : RAMP;
            const bool unconverged =
                (singular && i == 1) || (std::abs(CG0[ii]) / RAMP >= 0.01f && amplitude > 0.001f);
            if (!unconverged)
                continue;
            ++NCOUNT;
            if (NCOUNT <= iterations_per_question) {
                again = true;
                break;
            }
            if (NCOUNT == iterations_per_question + 1)
                NTOTL += iterations_per_question;
            write_record(EDUNIT, " ++> Warning: No RAO convergence after " + I(NTOTL, 6) +
                                     " iterations for");
            write_record(EDUNIT, "     heading, = " + F(q.heading, 7, 2) +
                                     ", wave period =" + F(q.period, 7, 2) + ", DOF = " + I(i, 1));
            write_record(EDUNIT, "     Enter 1 to continue with current estimate,");
            write_record(EDUNIT, "     enter 99 to terminate additional RAO determinations OR ...");
            std::int32_t LBACK = 0;
            ABORT3(EDUNIT, keyboard_unit, LBACK);
            if (LBACK < 0)
                stop_program(StopKind::user_choice);
            if (LBACK == 1)
                continue; // this degree of freedom accepted as it is
            if (LBACK == 99)
                return DragIteration::stop_periods;
            NCOUNT = 1;
            again = true;
        }
        if (!again)
            return DragIteration::converged;
    }
}

// equivalent_damping_factor: see the header. Pure. (0.84882635 is 8 / (3 pi), the equivalent
// linearisation of a quadratic damping.)
float equivalent_damping_factor(float CQ, float FORCE, float W, float INERTIA_MASS) {
    return ratio_or(std::sqrt(CQ * 0.84882635f * FORCE), W * INERTIA_MASS, 0.0f);
}

namespace {

// One pass over the frequencies: a characteristic pass at one frequency in beam or head seas
// without speed, or the full pass over the grid at the heading IRAO with the vessel's speed.
struct ForcePass {
    bool characteristic;
    float pass_frequency, speed;
    std::int32_t last;
    float VCOMP, SINT, COST;
};

// force_pass: the set-up of pass NPASS2 (0 roll, 1 pitch, 2 heave, 3 the grid); a
// characteristic pass without a natural frequency takes the frequency scale. Headings and their
// cosine are kept off 0. Reads TPCM, HIMEM and WAVCOM IRAO.
ForcePass force_pass(std::int32_t NPASS2, const SemiScales& s) {
    const TpcmBlock& T = TPCM;
    HimemBlock& H = HIMEM;
    ForcePass pass{};
    pass.characteristic = NPASS2 < 3;
    float heading = 0.0f;
    pass.last = 1;
    if (pass.characteristic) {
        heading = NPASS2 == 0 ? half_pi_single : 0.0f;
        pass.pass_frequency = NPASS2 == 0 ? H.WR : NPASS2 == 1 ? H.WP : H.WH;
        if (pass.pass_frequency == 0.0f)
            pass.pass_frequency = s.WSCAL;
    } else {
        heading = H.REDANG(WAVCOM.IRAO) / degrees_per_radian;
        pass.last = T.NWP;
        pass.speed = T.VFWD;
    }
    pass.VCOMP = speed_along_waves(pass.speed);
    if (heading == 0.0f)
        heading = 1.0e-10f;
    pass.SINT = std::sin(heading);
    pass.COST = std::cos(heading);
    if (pass.COST == 0.0f)
        pass.COST = 1.0e-10f;
    return pass;
}

// The wave of one frequency of a pass: its frequency w and the wave of the member forces.
struct PassWave {
    float w;
    SumallWave wave;
};

// pass_wave: the wave of the current grid point in the pass (frequency w, wave number k):
// encounter frequency, wave-number components and drag amplitudes, inertia mode. Reads TPCM,
// HIMEM and WAVCOM; the grid point must be set.
PassWave pass_wave(const ForcePass& pass) {
    const HimemBlock& H = HIMEM;
    float w = 0.0f, k = 0.0f;
    if (pass.characteristic) {
        w = pass.pass_frequency;
        float kd = 0.0f;
        WAVVEC(H.WCONST * w, kd);
        k = kd / TPCM.DEPTH;
    } else {
        w = H.RLDUM(H.LW);
        k = H.RLDUM(H.LWK);
    }
    SumallWave wave;
    wave.WAVK = k;
    wave.WENC = w - pass.VCOMP * k;
    wave.WKX = k * pass.COST;
    wave.WKY = k * pass.SINT;
    wave.WVAMP = drag_amplitude(w);
    wave.EXTAMP = wave.WVAMP;
    wave.VCUR2 = pass.speed * pass.speed;
    wave.WETMEM = 0;
    wave.DRGFLG = 0;
    wave.FORSCL = WAVCOM.DWATRP;
    return {w, wave};
}

// add_drag: the drag forces about the motion estimate `motion` added to CFORCE, the wave that of
// the inertia forces in drag mode. Reads the blocks through SUMALL.
void add_drag(CV6& CFORCE, const SumallWave& inertia, const CV6& motion, const SemiScales& s) {
    SumallWave w = inertia;
    w.DRGFLG = 1;
    w.FORSCL = s.ACLFAC;
    SUMALL(CFORCE, w, motion);
}

// warn_asymmetry: the pitch pass's warning, once per run, that a roll force in head seas means
// a hull without port-starboard symmetry. Writes EDUNIT; ends the run on an abort answer.
void warn_asymmetry(std::int32_t NPASS2, const CV6& CRFRC, int EDUNIT) {
    if (NPASS2 != 1 || !semfrc_store.FRSTIM)
        return;
    semfrc_store.FRSTIM = false;
    if (std::abs(CRFRC[3]) > 0.005f) {
        write_record(EDUNIT, " ++> WARNING: This simulation does not rigorously "
                             "support Semisubmersibles");
        write_record(EDUNIT, "              lacking bilateral (port-starboard) "
                             "symmetry; proceed with caution");
        std::int32_t LBACK = 0;
        ABORT0(EDUNIT, keyboard_unit, LBACK);
        if (LBACK < 0)
            stop_program(StopKind::user_choice);
    }
}

// set_pass_damping: the damping factor of pass NPASS2, the equivalent linear damping of the
// quadratic damping at the response the force CFORCE of amplitude WVAMP drives at frequency w,
// or the user's damping. Reads TPCM and HIMEM; writes SIMCOM GAMRL, GAMPT or GAMHV.
void set_pass_damping(std::int32_t NPASS2, const CV6& CFORCE, float WVAMP, float w,
                      const SemiScales& s) {
    const TpcmBlock& T = TPCM;
    const HimemBlock& H = HIMEM;
    SimcomBlock& S = SIMCOM;
    const float TRLFAC = std::abs(CFORCE[3]) * WVAMP;
    const float TPTFAC = std::abs(CFORCE[4]) * WVAMP;
    const float THVFAC = std::abs(CFORCE[2]) * WVAMP;
    const auto equivalent = [&](float CQ, float force, float inertia) {
        return equivalent_damping_factor(CQ, force, w, inertia * s.m);
    };
    if (NPASS2 == 0)
        S.GAMRL = T.LRLDMP == 0 ? equivalent(S.CQRL, TRLFAC, H.ROLI) : T.RLDAMP * 0.02f;
    else if (NPASS2 == 1)
        S.GAMPT = T.LPTDMP == 0 ? equivalent(S.CQPT, TPTFAC, H.PTCHI) : T.PTDAMP * 0.02f;
    else
        S.GAMHV = T.LHVDMP == 0 ? equivalent(S.CQHV, THVFAC, H.HVMAS) : T.HVDAMP * 0.02f;
}

// store_normalised_forces: the normalised forces of the grid point into HIMEM CRLDUM.
void store_normalised_forces(const CV6& CRFRC) {
    HimemBlock& H = HIMEM;
    H.CRLDUM(H.LSG) = CRFRC[0];
    H.CRLDUM(H.LSW) = CRFRC[1];
    H.CRLDUM(H.LHV) = CRFRC[2];
    H.CRLDUM(H.LRL) = CRFRC[3];
    H.CRLDUM(H.LPT) = CRFRC[4];
    H.CRLDUM(H.LYA) = CRFRC[5];
}

// The vectors of the frequency loop: RAOs, normalised forces, forces, inertia forces.
struct ForceVectors {
    CV6 CRAO{}, CRFRC{}, CFORCE{}, CFKF{};
};

// solve_frequency: the forces and RAOs of grid point IW in the pass: the inertia forces, the
// drag about a zero motion, with SQLFRC 1 on the grid the Newton iteration on x = F(x) (F one
// drag evaluation and GETRAO) and the forces about the converged motion; then the damping
// factor of a characteristic pass or the store of a grid pass. Reads and writes the blocks as
// SEMFRC does. Returns stop_periods when the user stops the RAO determinations.
DragIteration solve_frequency(std::int32_t IW, const ForcePass& pass, std::int32_t NPASS2,
                              const SemiScales& s, ForceVectors& v) {
    TpcmBlock& T = TPCM;
    HimemBlock& H = HIMEM;
    SimcomBlock& S = SIMCOM;
    const PassWave at_frequency = pass_wave(pass);
    const float w = at_frequency.w;
    const SumallWave& wave = at_frequency.wave;
    const float k = wave.WAVK;
    const float WENC = wave.WENC;

    // Normalising factors.
    const std::array<float, 6> FCOFS = {1.0f / (T.DISPL * k), 1.0f / (T.DISPL * k),
                                        1.0f / s.HVFC,        1.0f / (s.RLFC * k),
                                        1.0f / (s.PTFC * k),  1.0f / (s.PTFC * k)};

    // Inertia forces.
    v.CFORCE = {};
    v.CFKF = {};
    v.CRAO = {};
    SUMALL(v.CFKF, wave, v.CRAO);
    v.CFORCE = v.CFKF;

    // Drag about the motion estimate (zero here), the normalised forces, the RAOs.
    if (T.SQLFRC == 1 || T.SQLFRC == 2 || (T.SQLFRC == 0 && pass.characteristic))
        add_drag(v.CFORCE, wave, v.CRAO, s);
    GETRAO(v.CFORCE, FCOFS, v.CRFRC, v.CRAO, s, WENC, S.GAMHV, S.GAMPT, S.GAMRL, k);

    if (T.SQLFRC == 1 && !pass.characteristic) {
        const auto F = [&](const CV6& x) {
            v.CFORCE = v.CFKF;
            add_drag(v.CFORCE, wave, x, s);
            CV6 Fx = x;
            GETRAO(v.CFORCE, FCOFS, v.CRFRC, Fx, s, WENC, S.GAMHV, S.GAMPT, S.GAMRL, k);
            return Fx;
        };
        const ConvergenceQuestion question{T.EDUNIT, H.REDANG(WAVCOM.IRAO), T.T(IW)};
        if (iterate_drag_raos(v.CRAO, F, k, question) == DragIteration::stop_periods)
            return DragIteration::stop_periods;
        v.CFORCE = v.CFKF;
        add_drag(v.CFORCE, wave, v.CRAO, s);
        GETRAO(v.CFORCE, FCOFS, v.CRFRC, v.CRAO, s, WENC, S.GAMHV, S.GAMPT, S.GAMRL, k);
    }

    if (pass.characteristic) {
        warn_asymmetry(NPASS2, v.CRFRC, T.EDUNIT);
        set_pass_damping(NPASS2, v.CFORCE, wave.WVAMP, w, s);
    } else {
        store_normalised_forces(v.CRFRC);
    }
    return DragIteration::converged;
}

} // namespace

// SEMFRC: see the header.
void SEMFRC(std::int32_t& NPASS2) {
    // Fresh vectors; the characteristic passes start from 10 per cent damping factors.
    ForceVectors v;
    if (NPASS2 == 0)
        SIMCOM.GAMHV = SIMCOM.GAMRL = SIMCOM.GAMPT = 0.1f;
    const SemiScales s = semi_scales();

    for (;;) {
        const ForcePass pass = force_pass(NPASS2, s);
        for (std::int32_t IW = 1; IW <= pass.last; ++IW) {
            set_grid_point(IW);
            if (solve_frequency(IW, pass, NPASS2, s, v) == DragIteration::stop_periods) {
                TPCM.NWP = IW - 1;
                return;
            }
        }
        if (!pass.characteristic || NPASS2 >= 2)
            return;
        ++NPASS2;
    }
}

// SEMRAO: see the header.
void SEMRAO() {
    const TpcmBlock& T = TPCM;
    HimemBlock& H = HIMEM;
    const SimcomBlock& S = SIMCOM;
    const SemiScales s = semi_scales();
    const float VCOMP = speed_along_waves(T.VFWD);
    const bool tlp = tension_leg_or_spar(T.SIMTYP);
    const float G = WAVCOM.G;
    // The restoring of the hull against the one the forces were normalised with.
    const float heave_factor =
        ((T.LHVPRD == 1 || tlp) && T.AWP > 0.0f) ? ratio_or(G * T.AWP, H.HC, 1.0f) : 1.0f;
    const float roll_factor =
        (T.LRLPRD == 1 || tlp) ? ratio_or(G * std::abs(H.GMT) * H.DELTA, H.RRMT, 1.0f) : 1.0f;
    const float pitch_factor =
        (T.LPTPRD == 1 || tlp) ? ratio_or(G * std::abs(H.GML) * H.DELTA, H.PRMT, 1.0f) : 1.0f;
    // With the iterated drag only a user damping enters (the drag is in the forces).
    const auto damping_rate = [&](std::int32_t user_switch, float GAM, float WENC, float wn) {
        return (T.SQLFRC == 1 && user_switch != 1) ? 0.0f : GAM * WENC * wn;
    };
    for (std::int32_t IW = 1; IW <= T.NWP; ++IW) {
        set_grid_point(IW);
        const float k = H.RLDUM(H.LWK);
        const float WENC = H.RLDUM(H.LW) - k * VCOMP;
        const float WENC2 = WENC * WENC;
        auto heave = H.CRLDUM(H.LHV);
        auto surge = H.CRLDUM(H.LSG);
        auto sway = H.CRLDUM(H.LSW);
        auto yaw = H.CRLDUM(H.LYA);
        auto pitch = H.CRLDUM(H.LPT);
        auto roll = H.CRLDUM(H.LRL);
        const C CH = heave, CSG = surge, CSW = sway, CYW = yaw, CP = pitch, CR = roll;
        C RH = s.WH <= 0.0f ? mass_only(CH * s.W2SCAL, WENC2)
                            : guarded_quotient(s.WH2 * CH, s.WH2 - WENC2,
                                               damping_rate(T.LHVDMP, S.GAMHV, WENC, s.WH));
        const C RSG = mass_only(CSG * s.GPSG * k, WENC2);
        const C RSW = mass_only(CSW * s.GPSW * k, WENC2);
        const C RYW = mass_only(CYW * s.YAWFAC * k, WENC2);
        C RP = s.WP <= 0.0f ? mass_only(CP * k * s.W2SCAL, WENC2)
                            : guarded_quotient(k * s.WP2 * CP, s.WP2 - WENC2,
                                               damping_rate(T.LPTDMP, S.GAMPT, WENC, s.WP));
        C RR = s.WR <= 0.0f ? mass_only(CR * k * s.W2SCAL, WENC2)
                            : guarded_quotient(k * s.WR2 * CR, s.WR2 - WENC2,
                                               damping_rate(T.LRLDMP, S.GAMRL, WENC, s.WR));
        heave = RH * heave_factor;
        surge = RSG;
        sway = RSW;
        yaw = RYW;
        pitch = RP * pitch_factor;
        roll = RR * roll_factor;
    }
}

} // namespace lintar
