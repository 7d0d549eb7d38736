// equilibrium/equilibrium_geometry.h: the small geometry routines the equilibrium solvers,
// the line results, the report and the low-frequency analysis share: plane rotation, the
// tension-leg pull-down polynomials, the applied forces that move with the mooring, a line
// tension adjusted for an added force, and the nodes of one line at its mean state.
// (The vector difference and mean VECDIF, VECAVG live with EQUILB in blocks/equilb.h.)
#pragma once

#include <cstdint>
#include <span>

namespace lintar {

// ROT2D: turns the pair (FX, FY) by +ANGLE (radians) in place, both new values from the old.
// Reads and writes only its arguments.
void ROT2D(float& FX, float& FY, float ANGLE);

// ZPULLDOWN: the vertical set-down A r^2 + B r^4 of a tension-leg hull at the horizontal
// offset RVEC (r^2 = RVEC(1)^2 + RVEC(2)^2).
float ZPULLDOWN(std::span<const float, 2> RVEC, float A, float B);

// ANGLEPULL: a degree of freedom linear in the horizontal offset from RVEC0, with derivatives
// AX, AY: (RVEC(1) - RVEC0(1)) AX + (RVEC(2) - RVEC0(2)) AY.
float ANGLEPULL(std::span<const float, 2> RVEC, std::span<const float, 2> RVEC0, float AX,
                float AY);

// TENADJ2: adds to (FXENV, FYENV) the applied forces of TPCM that move with the mooring (the
// first, second and third, each when its switch and its move-with-mooring switch are 1),
// turned from their own axes (global, or vessel axes at heading VESANG) into the axes asked
// for (CRDSTM 0 global, otherwise vessel); then VFCANG = atan2(FYENV, FXENV), 0 for a zero
// pair. Reads TPCM; writes only its arguments.
void TENADJ2(float& FXENV, float& FYENV, float& VFCANG, float VESANG, std::int32_t CRDSTM);

// TENADJ: a line tension TTEN of horizontal part XTEN adjusted for an added force of parts
// FCLPAR along and FCLPRP across the line: PANG the angle of the cross part, ZTEN the vertical
// part of the old tension, XTEN the new horizontal part, TTEN the new tension, VANG its angle
// above the horizontal. FCTOT is not used. No routine of the program calls it.
void TENADJ(float& TTEN, float& XTEN, float& ZTEN, float FCLPAR, float FCLPRP, float FCTOT,
            float& VANG, float& PANG);

// Where NODE_EVAL2 puts the nodes of the line (node 1 the fairlead, NELEM + 1 the anchor end;
// 26 values each, the nodes beyond NELEM + 1 left as they are): slope, tension, horizontal
// distance from the anchor, lateral offset, height above the anchor.
struct LineNodes {
    std::span<float, 26> NODE_T;
    std::span<float, 26> NODE_LOAD;
    std::span<float, 26> NODE_X;
    std::span<float, 26> NODE_Y;
    std::span<float, 26> NODE_Z;
};

// NODE_EVAL2: solves line type ITYPQ (line ILINQ) at horizontal load RFORCE over the vertical
// span DELTAZP, its top slope searched within 5 % of tan(TOPANQ), with the strain law of layer
// row LAYER when the type has a stress-strain curve; the fairlead stands Y_FAIRLEAD to the side
// of the line's plane. Returns the nodes in `nodes` and the top angle TOPANQ, top tension
// TTTMP, bottom tension BTTMP, vertical top force FGZTMP (negative down) and bottom angle
// BTANGQ of the solved line. Writes LINCOM's DELTAZ, ITYP, DPHLD and the line being solved
// (SCLWT, BETA, TMPTAN, SECARR, BOTLN, KELEM), and the type's ALPHA when a curve is fitted.
// Ends the run as ITER8P and LOAD_ALPHAS do.
void NODE_EVAL2(std::int32_t ITYPQ, std::int32_t ILINQ, float DELTAZP, float RFORCE, float& TOPANQ,
                std::int32_t LAYER, float& TTTMP, float& BTTMP, float& FGZTMP, float& BTANGQ,
                float Y_FAIRLEAD, const LineNodes& nodes);

} // namespace lintar
