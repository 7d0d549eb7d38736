// equilibrium/line_current_drag.h: LINDRG, the mean current drag on the mooring lines at the
// vessel's present position, and the integration routines it is made of.
//
// The drag along a line is the integral over its elements of v|v| times the ratio of normal
// flow to current speed, per unit of arc length, v read from the current profile (CURPROF) at
// each point's depth; speeds are in knots and V2FAC turns their squares into (length unit per
// second)^2. A catenary element is integrated in its slope q = tan(line angle), which falls
// linearly along it; a straight line over depth. The split integrals weigh, over the
// suspended line, the drag carried below each point, and so divide the line's drag between
// the fairlead (the vessel's share) and the anchor. Every integral is a composite Simpson rule
// of NQP points (odd, at least 51), NQP set by the thinnest profile layer.
//
// Vertical coordinates: z positive up from the still-water surface, depth = -z. ZVAR is the
// level below which drag counts.
#pragma once

#include "blocks/curprof.h"
#include "lines/line_arrays.h"

#include <cstdint>
#include <span>
#include <vector>

namespace lintar {

// current_drag_points: NQP for a water depth and profile: 2 x (DEPTH / thinnest layer,
// truncated) + 1, at least 51; the thinnest layer is the first level's depth or a difference
// of consecutive depths (1.0E20 without levels); a layer not thicker than 0 gives 51.
std::int32_t current_drag_points(float DEPTH, const CurprofBlock& profile);

// The current at a depth: speed (knots) and heading (degrees), linear between the profile's
// levels, from the surface values CURSPD, CURHDG down to the first level, extrapolated below
// the last (a negative extrapolated speed counts as 0, the heading is never clamped). A
// profile without levels is the surface current at every depth.
struct CurrentAtDepth {
    float speed = 0.0f;
    float heading = 0.0f;
};
CurrentAtDepth current_at_depth(const CurprofBlock& profile, float CURSPD, float CURHDG,
                                float depth);

// The integrands of one catenary element at its NQP points (Simpson weight included), with
// the points' depths; when the depths rise along the element, the sums of every tail of points
// (tail_x[k]: points k..NQP). Built by LINDRG once per line.
struct ElementSamples {
    bool skipped = false;        // on the seabed slope or weightless: contributes 0
    bool two_components = false; // heading profile: x and y components
    bool monotonic = false;
    double h = 0.0; // slope step
    std::vector<double> depth, wf_x, wf_y, tail_x, tail_y;
};

// The line whose drag is integrated and the current acting on it: what the integration
// routines read besides their arguments (the state LINDRG leaves in LINCOM for the catenary
// routines, as values and views).
struct DragLine {
    // The current.
    const CurprofBlock* profile = nullptr;
    float CURSPD = 0.0f; // surface speed, knots
    float CURHDG = 0.0f; // surface heading, degrees
    // The line type's elements.
    std::int32_t NELEM = 0;
    ElementReals SLEN{nullptr};
    ElementReals DIAM{nullptr};   // inches or millimetres
    ElementReals COFDMT{nullptr}; // transverse drag coefficient
    ElementReals WETWT{nullptr};
    // The solved catenary (unused for a straight line).
    ElementValues SCLWT{nullptr};
    ElementBetas BETA{nullptr};
    NodeValues TMPTAN{nullptr};
    NodeValues SECARR{nullptr};
    std::int32_t BOTELM = 0; // touchdown element, 0 none
    double DSLOPE = 0.0;     // tangent of the seabed slope
    double HMEAN = 0.0;      // horizontal tension
    // The drag factor of the element last integrated (COFDMP of TPCM), when not null.
    float* COFDMP = nullptr;
    // The catenary's integrands at the line's SINFC2 (or azimuth, under the heading profile),
    // one per element, when not null: FXINTEG and FXYINTEG2 then add these terms rather than
    // evaluate them again (the same terms, summed from the bottom up).
    const std::vector<ElementSamples>* samples = nullptr;
};

// The eight current-flexibility integrals of one element (or of a line, summed).
struct FlexIntegrals {
    double DTZS_INT1 = 0.0, DTZS_INT2 = 0.0, DTZS_INT3 = 0.0;
    double DZS_INT1 = 0.0, DZS_INT2 = 0.0, DZS_INT3 = 0.0, DZS_INT4 = 0.0, DZS_INT5 = 0.0;
};

// The split integrals of one element: numerators and denominators of the anchor's share along
// (X) and across (Y) the line, and the flexibility integrals when asked for.
struct SplitIntegrals {
    double XNUMR8 = 0.0, YNUMR8 = 0.0, XDENOM = 0.0, YDENOM = 0.0;
    FlexIntegrals flex;
    // Points left out because the line's tension or slope is 0 there.
    std::int32_t degenerate_points = 0;
};

// V2INTEG: the integral of v|v| sqrt(q^2 + SINFC2) DZFCNOQ(R) / SCLWT over catenary element
// IELEM, q from DQF down to DQB, the element's top at ZELMTOP; points not below ZVAR count 0,
// and an element on the seabed slope (at or below the touchdown element, DQF <= DSLOPE) is 0.
float V2INTEG(const DragLine& line, double DQF, double DQB, float ZELMTOP, float ZVAR, float SINFC2,
              std::int32_t NQP, std::int32_t IELEM);

// V2INTEG2: V2INTEG with the local heading theta(d): sin^2(theta - PHITMP) for SINFC2, and the
// integrand times cos theta and sin theta into FXLNTMP, FYLNTMP (PHITMP the line's azimuth).
void V2INTEG2(const DragLine& line, float& FXLNTMP, float& FYLNTMP, double DQF, double DQB,
              float ZELMTOP, float ZVAR, float PHITMP, std::int32_t NQP, std::int32_t IELEM);

// VRTDRG: the integral of v|v| over depth from -ZELMTOP down to -ZELMBOT.
float VRTDRG(const DragLine& line, float ZELMBOT, float ZELMTOP, std::int32_t NQP,
             std::int32_t IELEM);

// VRTDRG2: VRTDRG times cos theta and sin theta of the local heading. PHITMP is not read.
void VRTDRG2(const DragLine& line, float& FXLNTMP, float& FYLNTMP, float ZELMBOT, float ZELMTOP,
             float PHITMP, std::int32_t NQP, std::int32_t IELEM);

// FXINTEG: the drag sum sum_e V2FAC x COFDMP_e x (element integral) of the line below ZVAR, the
// line's top at ZLINTOP; a straight line (LVRTLIN) at VRTANG from the vertical.
float FXINTEG(const DragLine& line, float ZVAR, float ZLINTOP, float SINFC2, std::int32_t ILIN,
              std::int32_t NQP, bool LVRTLIN, float VRTANG, float DIAMFC, float V2FAC);

// FXYINTEG2: FXINTEG under the heading profile, its x and y components (global axes).
void FXYINTEG2(const DragLine& line, float& FXINTEG, float& FYINTEG, float ZVAR, float ZLINTOP,
               float ANGDPQ, float SINFC2, std::int32_t ILIN, std::int32_t NQP, bool LVRTLIN,
               float VRTANG, float DIAMFC, float V2FAC);

// The split integrals of catenary element IELEM (slope DQF to DQB, top at ZELMTOP) under one
// heading (TOPBOTFIX) or the heading profile (TOPBOTFIX2, line azimuth ANGDPQ).
SplitIntegrals TOPBOTFIX(const DragLine& line, std::int32_t NQP, std::int32_t ILIN, float DIAMFC,
                         float V2FAC, float SINFC2, std::int32_t IELEM, bool LVRTLIN, float VRTANG,
                         double DQF, double DQB, float ZELMTOP, float ZLINTOP, bool GET_CRNT_FLEX);
SplitIntegrals TOPBOTFIX2(const DragLine& line, std::int32_t NQP, std::int32_t ILIN, float DIAMFC,
                          float V2FAC, float SINFC2, std::int32_t IELEM, bool LVRTLIN, float VRTANG,
                          float ANGDPQ, double DQF, double DQB, float ZELMTOP, float ZLINTOP,
                          bool GET_CRNT_FLEX);

// The split integrals of straight element IELEM from ZELMBOT up to ZELMTOP, bottom tension
// BOTTENI, weight WETWT per length, under one heading (TOPBOTFIXV) or the heading profile
// (TOPBOTFIXV2).
SplitIntegrals TOPBOTFIXV(const DragLine& line, std::int32_t NQP, std::int32_t ILIN, float DIAMFC,
                          float V2FAC, float SINFC2, std::int32_t IELEM, bool LVRTLIN, float VRTANG,
                          float ZELMTOP, float ZELMBOT, float ZLINTOP, float BOTTENI, float WETWT,
                          bool GET_CRNT_FLEX);
SplitIntegrals TOPBOTFIXV2(const DragLine& line, std::int32_t NQP, std::int32_t ILIN, float DIAMFC,
                           float V2FAC, float SINFC2, std::int32_t IELEM, bool LVRTLIN,
                           float VRTANG, float ANGDPQ, float ZELMTOP, float ZELMBOT, float ZLINTOP,
                           float BOTTENI, float WETWT, bool GET_CRNT_FLEX);

// LINDRG: the current drag on lines MINLN..MAXLN (those with LINEID up to 1024) at
// fairlead-anchor distances RANCQ, vertical fairlead offsets ZANCQ (six-degree-of-freedom
// program codes) and azimuths ANGDPQ (degrees): per line its load on the vessel FCLTOTQ and the
// magnitudes of its parts along and across the azimuth FCLPARQ, FCLPRPQ; their sum FCURNTQ,
// its direction CURFANG_LNS (radians), TCURNTQ = 0, the lever-arm sums XYCRMGQ, XYCRMBQ; with
// GET_CRNT_FLEXQ the flexibility terms of each line type from its first line in the range; and
// SPRDCRNT, whether some profile level's heading differs from the surface heading.
// Reads TPCM, LINCOM's tables and line identities, CURPROF and WAVCOM's G; leaves the last
// line's state in LINCOM (ITYP, HMEAN, DPHLD, TPTEN0, BTTEN0, DELTAZ, QF, QB, the four
// components, BOTELM and the solved catenary) and the last element's drag factor in TPCM's
// COFDMP. A distance outside a line's table (on the table path) writes " ++> BSCRCH: Nonzero
// IER =" with the code and " in LINDRG" on EDUNIT and offers the abort prompt: "A" ends the
// run (the user's choice), Return or an unattended run go on with the extrapolated values.
// The first point of zero tension or slope left out of a sum writes one warning per run.
// Ends the run as LOADUP, LOAD_ALPHAS and ITER8P do.
void LINDRG(std::int32_t MINLN, std::int32_t MAXLN, std::span<const float> RANCQ,
            std::span<const float> ZANCQ, std::span<const float> ANGDPQ, float& FCURNTQ,
            float& CURFANG_LNS, float& TCURNTQ, float& XYCRMGQ, float& XYCRMBQ,
            std::span<float> FCLTOTQ, std::span<float> FCLPARQ, std::span<float> FCLPRPQ,
            bool GET_CRNT_FLEXQ, std::span<float> DZ_CRNT_FLEXQ, std::span<float> DTZ_CRNT_FLEXQ,
            bool& SPRDCRNT);

// LINDRG on LINCOM's displaced geometry (RANCP, ZANCP, ANGDPP) into LINCOM's results
// (FCURNT_LNS .. DTZ_CRNT_FLEX), as the equilibrium solvers call it. Returns SPRDCRNT.
bool lincom_line_drag(std::int32_t MINLN, std::int32_t MAXLN, bool GET_CRNT_FLEX);

} // namespace lintar
