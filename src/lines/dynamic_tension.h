// lines/dynamic_tension.h: the wave-frequency dynamic tension of a mooring line under a given
// motion of its two ends (DYNCOD), the catenary stiffness seen by that motion (KCATN), and the
// bandwidth-corrected extreme-value factor used with the results (PKVAL).
//
// DYNCOD takes the mean shape of line ILIN from CATCOM (node tangents and node motion
// derivatives, end-tension derivatives, end motions CAFLD and CABOT) and from LINCOM (the mean
// state ITYP, DPHLD, DPHLD2, BETA, SCLWT, BOTELM, TPTEN0, the line tables), integrates the
// line's drag and inertia over its elements (CATDMP), and combines its axial elasticity
// (KELAST) in series with its catenary stiffness (KCATN, or from the tables with FOBLQ in the
// nonlinear model) through CATSTR and LNGWAV.
#pragma once

#include <complex>
#include <cstdint>
#include <span>

namespace lintar {

// KCATN: the quasi-static stiffness KSTAT = |DTFDAF CAFLD + DTBDAB CABOT| / |CAFLD - CABOT|
// (DTFDAF when the ends move alike) and the catenary stiffness KCAT in series with KELAS that
// gives it (1e5 KELAS when KSTAT is not below KELAS). Reads only its arguments.
void KCATN(float& KCAT, float KELAS, float& KSTAT, std::complex<float> CAFLD,
           std::complex<float> CABOT, float DTFDAF, float DTBDAB);

// PKVAL: the factor on the extreme wave-frequency tension for a combined wave- and
// low-frequency process: sqrt(ln N_eff / ln N), N = 573 DURATN WFREQ wave cycles in a storm
// of DURATN hours at mean frequency WFREQ (rad/s), N_eff the cycles that carry the extremes
// given the ratio of the wave-frequency (SIGHF) to the low-frequency (SIGLF) standard
// deviation; both counts held at 7.4 or more. SIGFAC is not used.
float PKVAL(float SIGHF, float SIGLF, float DURATN, float WFREQ, float SIGFAC);

// DYNCOD: the complex dynamic tension of line ILIN at frequency WFREQ for the extension (P)
// and compression (M) half-cycles: at the top (CTOPFP, CTOPFM), the bottom (CBOTFP, CBOTFM)
// and, with GETNODEQ, every node (CTOPFIP, CTOPFIM); the catenary and elastic parts of the end
// extension (CYCATP, CYCATM, CYELAP, CYELAM), the quasi-static tension changes (STOPFP,
// STOPFM), the amplitude ratio XCATP and, per element, the end extension scaled to the
// tangential and normal motion at the element's top (CXTEND_N, C_ADA_END_N; 0 when the ends
// move alike). RANCPT holds the mean anchor distance of each line (1-based), DIAMFC the factor
// from the diameter unit to the length unit; TX is work (the catenary length of the element
// last integrated, 0 for a weightless one), CATSKP is set true, TFAC is not used. Writes
// LINCOM (FXCOMP, FZCOMP, BXCOMP, BZCOMP, QF, QB, WAVEK), CATCOM (KELAS, KCTAN, KSTAT, KRAT,
// the element derivatives) and TPCM (COFMAS, COFDMP, LBACK). The inertial-correction warnings
// (with WRNFLG, once per run) and FOBLQ's warnings go to EDUNIT with an abort prompt; an abort
// ends the run, and so does a failed nonlinear root in CATSTR.
void DYNCOD(std::int32_t ILIN, double& TX, bool& CATSKP, float WFREQ, float DIAMFC, float TFAC,
            std::complex<float>& CYCATP, std::complex<float>& CYCATM, std::complex<float>& CYELAP,
            std::complex<float>& CYELAM, std::complex<float>& CTOPFP, std::complex<float>& CBOTFP,
            std::complex<float>& CTOPFM, std::complex<float>& CBOTFM, float& STOPFP, float& STOPFM,
            std::span<const float> RANCPT, std::span<std::complex<float>> CTOPFIP,
            std::span<std::complex<float>> CTOPFIM, std::span<std::complex<float>> CXTEND_N,
            std::span<std::complex<float>> C_ADA_END_N, std::int32_t GETNODEQ, float& XCATP,
            bool WRNFLG);

} // namespace lintar
