// lines/line_response.h: the line response models of the wave-frequency line dynamics: the
// split of an end extension between the catenary and the elastic stretch (CATSTR), the axial
// wave transfer of the elastic stretch into end and node tensions (LNGWAV), and the catenary
// stiffness and its quadratic correction for finite extension and compression read from the
// line tables (FOBLQ).
//
// The catenary part is a spring KCAT with the line's mass and linearised quadratic drag, in
// series with the axial elasticity KELAS: KELAS (x - y) = (KCAT - w^2 m + i w c) y for an end
// extension x and a catenary part y, the drag constant c growing with the catenary amplitude.
#pragma once

#include "lines/line_arrays.h"

#include <complex>
#include <cstdint>
#include <span>

namespace lintar {

// The coefficients of NULTMP (the TMPCM2 block of the program, here handed over directly).
struct NultmpCoefficients {
    float BETACP = 0.0f; // stiffness term KRAT + 1 - w^2 m / KELAS
    float GMCOEF = 0.0f; // squared drag term A^2
    float DELCOF = 0.0f; // nonlinear stiffness term |SIGCAT AXTEND / KELAS|
};

// NULTMP: 1 - X^2 ((BETACP + DELCOF X)^2 + GMCOEF X^2), whose root in X is the amplitude
// ratio of the nonlinear catenary solution.
float NULTMP(float X, const NultmpCoefficients& TMPCM2);

// CATSTR: splits the end extension CXTEND into its catenary part CYCAT and elastic part CYELAS
// for frequency WFREQ, line mass CATMASQ, quadratic drag constant CQUAD, stiffness ratio
// KRAT = KCAT / KELAS and, when NLCAT, the nonlinear catenary stiffness SIGCAT on the half
// cycle PARITQ (+1 extension, -1 compression). Writes CQCNST (linearised drag constant; 1.2
// in place of 8 / (3 pi) in it for the spar program, CREATR 17) and XCAT = |CYCAT| / |CXTEND|
// (nothing but the zero parts for a zero extension). When the nonlinear root cannot be found
// it writes the message naming line ILINE on IOSCRN, pauses (KBD) and ends the run (status 1).
void CATSTR(float WFREQ, std::complex<float> CXTEND, float SIGCAT, float PARITQ, float CATMASQ,
            float CQUAD, std::complex<float>& CYCAT, std::complex<float>& CYELAS, float KRAT,
            float KELAS, float& CQCNST, float& XCAT, int IOSCRN, int KBD, bool NLCAT,
            std::int32_t CREATR, std::int32_t ILINE);

// LNGWAV: the dynamic tension at the two ends (CTOPF at the far end of the walk, CBOTF at its
// start) of a line whose elements carry axial waves (wave numbers WAVEK of LINCOM, compliance
// EAINV at TSTAT), fixed at the start of the walk and stretched by CYELAS at its far end; the
// walk runs from the anchor (element NELEM) up when IREVRS is 1, else from the fairlead down.
// With GETNODE, CTOPFI gets the tension at every node 1..NELEM+1. A line without wave numbers
// is a lumped catenary spring: both ends and every node carry
//   CYCAT ((SIGCAT |CYCAT| + KCTAN - WFREQ^2 CATMASQ) + i CQCNST WFREQ XCAT).
// Reads CATCOM (KCTAN) and LINCOM (WAVEK); NBUG and IOSCRN are not used. Never ends the run.
void LNGWAV(float WFREQ, std::complex<float> CYCAT, std::complex<float> CYELAS, float CATMASQ,
            float CQCNST, float XCAT, float SIGCAT, float TSTAT, std::complex<float>& CTOPF,
            std::complex<float>& CBOTF, std::int32_t NBUG, int IOSCRN, std::int32_t IREVRS,
            ElementReals SLEN, ElementAlphas ALPHA, int NELEM,
            std::span<std::complex<float>> CTOPFI, bool GETNODE);

// FOBLQ: from the line tables of type ITYP (LINCOM: ANCDST, TOPTEN, TOPANG, HLOD, TOTWT), the
// tension change of line ILINE (fairlead RFLD, anchor depth ANCHGT of TPCM) when its fairlead
// moves along the line (direction cosine FXCOMP, sine FZCOMP) from the mean anchor distance
// RANCQ: a probe pass gives the catenary stiffness KCATO and the secant stiffness KSTATN, an
// extension of EXTNSN and a compression of EXTNSN the quadratic coefficients SIGCP, SIGCM and
// catenary displacements YCATP, YCATM, so that each half's catenary tension change is
// (SIGC YCAT + KCATO) YCAT. A pass whose tension change the elastic stretch alone explains is
// purely elastic (YCAT = 0; KCATO = KCAT on the probe). RFORCE and FGZTMP are the horizontal
// and vertical line force at the fairlead of the last pass. Warnings go to IOSCRN with the
// abort prompts of KBD (in an unattended run no prompt, and the repeatable warnings are
// silenced as if 99 were answered); an abort ends the run.
void FOBLQ(std::int32_t ILINE, std::int32_t ITYP, float RANCQ, float EXTNSN, float KCAT,
           float KELAS, std::int32_t MIDLYR, float DLAYER, std::int32_t NLAYER, std::int32_t NTAB,
           float ZSPAN, float XMCTR, float YMCTR, float ZMCTR, int IOSCRN, int KBD, float& RFORCE,
           float& FGZTMP, float& KSTATN, float FXCOMP, float FZCOMP, float& KCATO, float& SIGCP,
           float& SIGCM, float& YCATP, float& YCATM);

} // namespace lintar
