// line_dynamics/element_damping.h: the drag dissipation of one catenary element under a slow
// (low-frequency) motion in the presence of its wave-frequency motion (ELMDMP), and the damping
// integral whose ratio for two exponents corrects the amplitude of a linearised drag damping
// (DMPINT, its integrand SUBINT).
//
// ELMDMP reads the line being processed from LINCOM (BOTELM, DSLOPE and what CATMOT reads) and
// writes the upper-end derivatives of the element in CATCOM, as the element integration of the
// wave-frequency line dynamics does.
#pragma once

#include <complex>
#include <cstdint>

namespace lintar {

// ELMDMP: integrates over element IELEM (catenary length TX = H / w, tangents DQF at its upper
// and DQB at its lower end) by Simpson's rule in the tangent over NQP points (odd, 3 to 19),
// with the normal motion a of the unit low-frequency motion (the upper end moving DXFLDL,
// DZFLDL relative to the lower end, which moves DXBOTL, DZBOTL) and b of the wave-frequency
// motion (DXFLDH .. DZBOTH):
//   DISSIP  the integral of a^2 b over the unstretched arc,
//   DISSP2  4/3 of the integral of b^3.
// Both are 0 for an element lying on the seabed (at or past the touchdown element BOTELM and
// not rising more steeply than the seabed, or with no touchdown and not rising above it) and
// for an element with equal end tangents. BOTFLG (1 for the touchdown element) is handed to
// CATMOT. NBUG, EDUNIT, CTXACC and CTZACC are not used. Writes CATCOM's DXFDP, DXFDT, DZFDP,
// DZFDT and JACOBY (1e-20 in place of an exactly singular determinant). Never ends the run.
void ELMDMP(double TX, double DQF, double DQB, float& DISSIP, float& DISSP2, std::int32_t NQP,
            std::complex<float> DXFLDL, std::complex<float> DZFLDL, std::complex<float> DXBOTL,
            std::complex<float> DZBOTL, std::complex<float> DXFLDH, std::complex<float> DZFLDH,
            std::complex<float> DXBOTH, std::complex<float> DZBOTH, std::int32_t NBUG, int EDUNIT,
            int IELEM, std::complex<float>& CTXACC, std::complex<float>& CTZACC,
            std::int32_t BOTFLG);

// SUBINT: the integrand exp(-X) (sqrt(DELTA X + 1) - 1)^RNOVR2 of the damping integral.
float SUBINT(float X, float RNOVR2, float DELTA);

// DMPINT: Y = the integral from 0 to infinity of SUBINT(x, RNOVR2, DELTA):
// - DELTA below 0.001: its series Gamma(RNOVR2 + 1) (DELTA / 2)^RNOVR2 (1 - RNOVR2 (RNOVR2 + 1)
//   DELTA / 4);
// - otherwise QATR from 0 to an upper limit of 10, 20, 40 and 80 until the neglected tail
//   (estimated by GMAPRX) is at most 1 % of Y, with the tolerance and table size raised when
//   QATR meets rounding errors or runs out of levels, and the tolerance lowered to 0.8 % of Y.
// IOSCRN is the dialogue unit (41 in an unattended run). Ends the run (status 1) after its
// fatal message and the Return pause when the gamma function fails, when rounding errors
// cannot be overcome, when 80 levels are too few or the integrand leaves the four-byte range
// (the quadrature's value is then not finite, and more levels would only double the work),
// and when the tail is still too large at 80.
// After 100 quadratures it warns of a possible iteration failure and offers the abort prompt:
// "A" ends the run (the user's choice), Return goes on with a fresh count; an unattended run
// stops there (status 1).
void DMPINT(float& Y, int IOSCRN, float RNOVR2, float DELTA);

} // namespace lintar
