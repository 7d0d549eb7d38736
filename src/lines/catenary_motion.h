// lines/catenary_motion.h: the motion of the points of a catenary element under a small
// motion of its upper end, and the integrals of that motion along the element that the
// line damping and the wave-frequency line loads need.
//
// An element at a fixed point of its unstretched length is described by two parameters: P,
// the tangent of the line angle at its upper end, and T = H/w, its catenary length. CATMOT
// differentiates the separation of a point from the element's lower end with respect to both
// (PNTSEP at stepped tangents, and at the perturbed tension DPHLD2 of LINCOM) and turns the
// derivatives into the point's motion normal and tangential to the line per unit horizontal
// and vertical motion of the upper end. CATDMP integrates over the element by Simpson's rule
// in the tangent, which is an integral over unstretched arc length since the tangent falls
// linearly along it.
//
// The line being processed is the state of LINCOM (ITYP, DPHLD, DPHLD2, DHFRAC, SCLWT, SCLWTP,
// BETA, BETAP, DSLOPE, BOTELM) and the element data come from TPCM (WETWT, SLEN). CATDMP writes
// the upper-end derivatives DXFDP, DXFDT, DZFDP, DZFDT and their determinant JACOBY in CATCOM;
// CATMOT reads them.
#pragma once

#include <complex>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace lintar {

// labelled: a debug trace record, the label followed by the values in E12.4 fields.
std::string labelled(std::string_view label, std::initializer_list<double> values);

// What CATMOT finds at a point of an element: the point's normal (DADXF, DADZF) and
// tangential (DSDXF, DSDZF) motion per unit horizontal and vertical motion of the upper end,
// each times JACOBY; the derivatives DXDP, DXDT, DZDP, DZDT of the point's separation from the
// lower end; the cosine DXDSI and sine DZDSI of the line angle there.
struct CatenaryPointMotion {
    float DADXF = 0.0f, DADZF = 0.0f, DSDXF = 0.0f, DSDZF = 0.0f;
    double DXDP = 0.0, DXDT = 0.0, DZDP = 0.0, DZDT = 0.0;
    float DXDSI = 0.0f, DZDSI = 0.0f;
};

// CATMOT: the motion of the point of element IELEM where the tangent is QP (DQB and DQF at its
// lower and upper end; BOTFLG not 0 when its lower end rests on the seabed). With NBUG = 1 it
// writes trace records on EDUNIT and asks for a debug level. The element must have weight
// (CATDMP integrates a weightless one itself). Never ends the run.
CatenaryPointMotion CATMOT(float QP, double DQB, double DQF, int IELEM, std::int32_t BOTFLG);

// element_top_jacobian: CATMOT at the upper end of element IELEM (tangent DQF): the upper end's
// derivatives into CATCOM's DXFDP, DXFDT, DZFDP, DZFDT and their determinant into JACOBY (a
// zero determinant held at 1e-20), which it returns. CATDMP and ELMDMP start from it.
double element_top_jacobian(double DQB, double DQF, int IELEM, std::int32_t BOTFLG);

// CATDMP: integrates over element IELEM (catenary length TX, tangents DQF at the upper and DQB
// at the lower end) with NQP points (odd, at least 3), for the complex upper-end motion
// relative to the lower end (DXFLD, DZFLD) and the lower-end motion (DXBOT, DZBOT):
//   DISSIP  4/3 of the integral of the cubed normal amplitude (drag dissipation),
//   KEELMT, KEELML  integrals of the squared normal and tangential amplitude,
//   KEOOP   the out-of-plane inertia integral about XBASE when DO_OOP (else 0),
//   ADAMAX, ADATOP, LONTOP  the largest normal amplitude and the normal and tangential
//           amplitude at the upper end,
//   CTXACC, CTZACC  the end-force integrals (CTXACC 0 unless BOTFLG is not 0),
// all over unstretched arc length; DISOOP is always 0 and ZBASE is not used. An element lying
// on the seabed gives zeros. A weightless element (WETWT 0) is integrated as straight: its
// motion runs linearly from the lower-end to the upper-end motion, the limit of a catenary
// element as TX grows; TX is then not used. Writes CATCOM's DXFDP..DZFDT and JACOBY; never
// ends the run.
void CATDMP(double TX, double DQF, double DQB, float& DISSIP, float& DISOOP, float& KEELMT,
            float& KEELML, float& KEOOP, float XBASE, float ZBASE, std::int32_t NQP,
            std::complex<float> DXFLD, std::complex<float> DZFLD, std::complex<float> DXBOT,
            std::complex<float> DZBOT, float& ADAMAX, float& ADATOP, float& LONTOP,
            std::int32_t NBUG, int IELEM, std::complex<float>& CTXACC, std::complex<float>& CTZACC,
            std::int32_t BOTFLG, bool DO_OOP);

} // namespace lintar
