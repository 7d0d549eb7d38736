// hulls/semi_hull.h: the semisubmersible model (vessel types 3, 5, 6): a hull of straight
// members whose wave forces are summed member by member; its characteristics, the member wave
// forces, the forces and RAOs with drag linearised about the motion, and report sections I and
// II.
//
// As in every hull model, mass-like quantities are per unit mass density of water (masses as
// displaced volumes, inertias as volume times length squared). Complex arithmetic is single
// precision. The time factor of every complex amplitude is exp(i w t); the incident wave of
// unit amplitude has the elevation exp(-i (kx x + ky y)) at the point (x, y), as in the rest of
// the vessel-motion routines.
#pragma once

#include <array>
#include <complex>
#include <cstdint>
#include <functional>
#include <span>

namespace lintar {

using SemiComplex = std::complex<float>;
using SemiVector3 = std::array<SemiComplex, 3>;
using SemiVector6 = std::array<SemiComplex, 6>;

// DIMADJ: the face of a box of dimensions DIM(1..3) seen along local axis INDEX (1..3): WIDTH =
// DIM(INDEX), LENGTH the larger of the two others (the second one when they are equal).
void DIMADJ(const float DIM[3], float& LENGTH, float& WIDTH, std::int32_t INDEX);

// SEMCHR: the characteristics operation. Reads TPCM (vessel section, the member list, NWP and
// the natural-period switches, NOWARN, EDUNIT), WAVCOM G and, for program types 14 and 17,
// PASCOM DELTA_DRAFT, TLPWGHT and the tendon stiffnesses; writes the hull words of HIMEM, the
// member tables and quadratic damping of SIMCOM, the semisubmersible words of PASCOM and the
// estimates of TPCM. Its three warnings (no member crossing the waterline, the waterline
// notice, the discrepancy block) are each given once per run on EDUNIT with the abort pause;
// an abort ends the run (status 0), as does an unattended run at the no-crossing warning of a
// tension-leg hull (status 1).
void SEMCHR();

// The wave of one evaluation of SUMALL: wave number and its components, encounter frequency,
// the amplitudes of the drag terms, the drag flag (0 inertia, 1 drag), the force scale, the
// squared steady speed and the wetness mode of the members.
struct SumallWave {
    float WAVK = 0.0f, WKX = 0.0f, WKY = 0.0f, WENC = 0.0f;
    float EXTAMP = 0.0f, WVAMP = 0.0f;
    std::int32_t DRGFLG = 0;
    float FORSCL = 0.0f, VCUR2 = 0.0f;
    std::int32_t WETMEM = 0;
};

// SUMALL: the complex wave force (CFORCE, elements 1-3) and moment about the rotation centres
// (elements 4-6) of all members for one wave, added to CFORCE. MOTION holds the complex
// surge, sway, heave, roll, pitch and yaw of the vessel per unit wave amplitude, read in the
// drag mode. Reads TPCM (member list, DRAG_ONLY, DEPTH, EDUNIT, NBUG), SIMCOM, HIMEM
// (EDRAFT, VTCRP, VTCRR, XCRPT, XCRYW) and WAVCOM G. Ends the run only at an abort answer to
// one of MEMFRC's warnings.
void SUMALL(SemiVector6& CFORCE, const SumallWave& wave, const SemiVector6& MOTION);

// The member of one MEMFRC call, in member axes (the member's vertical plane): wetted length,
// base point relative to the waterline, unit axis (no y component), wave-number components,
// water depth, gravity, the wetness code, the drag flag, the member motion (base velocity,
// in-plane and out-of-plane rotation amplitudes at the frequency WFREQ), the amplitudes and
// squared steady speed of the drag terms, and whether the top face takes drag.
struct MemberWave {
    float LEN = 0.0f;
    float RBASE[3] = {0.0f, 0.0f, 0.0f};
    float DIRMEM[3] = {0.0f, 0.0f, 1.0f};
    float KX = 0.0f, KY = 0.0f, WVK = 0.0f, WDEPTH = 0.0f, G = 9.8f;
    std::int32_t WETELM = 0, DRGFLG = 0;
    SemiVector3 BASVEL{};
    SemiComplex DELPHI{}, DELTHA{};
    float WFREQ = 0.0f, EXTAMP = 0.0f, WVAMP = 0.0f, VCUR2 = 0.0f;
    bool GET_TOP_DRAG = false;
};

// What MEMFRC returns: force and moment about the base point in member axes, the crossing code
// (0 none, 1 top above the water, -1 base above), the waterplane force and the end-face drag
// factors. Inertia mode: the force per unit wave amplitude, per unit water weight and cross-
// section area, of the incident-wave acceleration (coefficient 1); drag mode: the integral of
// the relative velocity times the root-mean-square relative speed.
struct MemberForce {
    SemiVector3 CFORCE{}, CMOMT{};
    std::int32_t PIERCE = 0;
    SemiComplex CWPFRC{}, CQDBOT{}, CQDTOP{};
};

// MEMFRC: the wave force on one member. Its warnings (axis out of the member plane; an element
// length that may exaggerate the forces or exceed the precision, once per run each) go to
// EDUNIT with the abort pause; an abort ends the run. NBUG set writes debug dumps and asks for
// the Simpson point count on KBD.
MemberForce MEMFRC(const MemberWave& m, int EDUNIT, std::int32_t NBUG, int KBD);

// PARTWY: the point DIST along the unit direction DIR from RSTART.
void PARTWY(const float RSTART[3], const float DIR[3], float DIST, float ROUT[3]);

// The scale values of the forces and RAOs, computed from the blocks on every call.
struct SemiScales {
    float m = 0.0f;                              // DWATRP / G
    float W2SCAL = 0.0f, WSCAL = 0.0f;           // frequency scale of a hull without restoring
    float HVFC = 0.0f, PTFC = 0.0f, RLFC = 0.0f; // heave, pitch, roll stiffness
    float HFCTLP = 1.0f, PFCTLP = 1.0f, RFCTLP = 1.0f;
    float ACLFAC = 0.0f; // drag scale
    float GPSG = 0.0f, GPSW = 0.0f, YAWFAC = 0.0f;
    float WH = 0.0f, WP = 0.0f, WR = 0.0f, WH2 = 0.0f, WP2 = 0.0f, WR2 = 0.0f;
};

// The scale values from TPCM, HIMEM and WAVCOM G; sets WAVCOM DWATRP and HIMEM SCALE, SDEPTH.
SemiScales semi_scales();

// GETRAO: the normalised forces CRFRC = FCOFS x CFORCE and, when SQLFRC is 1, the RAOs CRAO
// from them with the damping factors GAMHV, GAMPT, GAMRL, at encounter frequency WENC and wave
// number WAVK. Reads TPCM SQLFRC, SIMTYP and the damping switches. Every denominator is kept
// away from zero (an undamped resonance, a zero encounter frequency): the results stay finite.
void GETRAO(const SemiVector6& CFORCE, const std::array<float, 6>& FCOFS, SemiVector6& CRFRC,
            SemiVector6& CRAO, const SemiScales& s, float WENC, float GAMHV, float GAMPT,
            float GAMRL, float WAVK);

// The Newton iteration of SEMFRC on the motion x (CRAO, from its start value) to the fixed
// point x = F(x) of the drag evaluation F (DRAG_MAP), with the complex finite-difference Jacobian.
// A degree of freedom is converged when its Newton step is below 1 per cent of its modulus (0.001
// for a modulus of 0) or its amplitude (over k for a rotation) is at most 0.001. A singular
// Jacobian warns on EDUNIT with the abort pause and keeps the estimate, counted as not
// converged. After 100 iterations without convergence the question of ABORT3 names the heading
// and period: 1 accepts the degree of freedom, 99 ends the determinations (stop_periods),
// Return allows 100 more; an abort ends the run (status 0), an unattended run stops there
// (status 1).
enum class DragIteration { converged, stop_periods };
using DragEvaluation = std::function<SemiVector6(const SemiVector6&)>;
struct ConvergenceQuestion {
    int EDUNIT;
    float heading; // degrees
    float period;  // seconds
};
DragIteration iterate_drag_raos(SemiVector6& CRAO, const DragEvaluation& drag_map, float k,
                                const ConvergenceQuestion& q);

// The equivalent linear damping factor of a quadratic damping CQ under the exciting amplitude
// FORCE at frequency W for the inertia INERTIA_MASS (inertia times mass factor):
// sqrt(CQ 8/(3 pi) FORCE) / (W INERTIA_MASS), 0 when the divisor is 0.
float equivalent_damping_factor(float CQ, float FORCE, float W, float INERTIA_MASS);

// SEMFRC: the forces-and-RAOs operation. NPASS2 < 3: the characteristic passes (roll, pitch,
// heave) that linearise the quadratic damping into SIMCOM GAMRL, GAMPT, GAMHV; returns with
// NPASS2 2. NPASS2 >= 3: the normalised forces at every grid period of the heading IRAO in
// the result columns of RLDUM, the drag found by Newton iteration on the motion when SQLFRC is
// 1. Reads TPCM, HIMEM, WAVCOM, SIMCOM; writes WAVCOM DWATRP, HIMEM SCALE, SDEPTH, IW and the
// rebased indices. After 100 iterations without convergence it asks (ABORT3) whether to go on;
// the answer 99 lowers TPCM NWP to the periods done. Ends the run at an abort answer (status 0)
// and in an unattended run at that question (status 1).
void SEMFRC(std::int32_t& NPASS2);

// SEMRAO: the RAOs of the heading IRAO from its stored normalised forces, in place, at every
// grid period. Reads TPCM, HIMEM, WAVCOM, SIMCOM. Never ends the run; the results are finite.
void SEMRAO();

// CSIMQ: solves A x = B for the complex N x N matrix A (by columns) by Gaussian elimination
// with partial pivoting; the solution replaces B and A is destroyed. KS 0 solved, 1 singular
// (a pivot of modulus 0); B is then left part-way.
void CSIMQ(std::span<SemiComplex> A, std::span<SemiComplex> B, int N, std::int32_t& KS);

// CDIFF: CDIF = CP - CM, six elements. CEQUAL: copies N elements. CCLEAR: sets N elements to 0.
void CDIFF(SemiVector6& CDIF, const SemiVector6& CP, const SemiVector6& CM);
void CEQUAL(std::span<SemiComplex> CNEW, std::span<const SemiComplex> COLD, int N);
void CCLEAR(std::span<SemiComplex> CNEW, int N);

// SEMSUM: report section I (physical characteristics as input, then as estimated), two pages
// on IUNIT; on the console each page ends with the Return pause and a negative answer redraws
// the report from its first page. SEMOUT: report section II (natural periods, linearised
// damping), one page with the same pause rule. Read TPCM, HIMEM, PASCOM, SIMCOM, WAVCOM;
// write TPCM LBACK.
void SEMSUM();
void SEMOUT();

} // namespace lintar
