// low_frequency/offset_region.h: the region of vessel offsets that the low-frequency line
// loads are searched over (its points and corner records in global X and Y), the plane
// rotation matrices between vessel and global axes, the net-load snapshot table, and the move
// of the six-degree-of-freedom position to a trial offset.
#pragma once

#include <cstdint>
#include <span>

namespace lintar {

// GETANG: atan2(Y, X), or 0 when both are 0. Reads and writes nothing else.
float GETANG(float X, float Y);

// V_G_ROTMAT: the 2 x 2 rotation from vessel to global axes at heading A (radians), stored by
// columns: M(1,1) = cos A, M(2,1) = sin A, M(1,2) = -sin A, M(2,2) = cos A.
void V_G_ROTMAT(std::span<float, 4> M, float A);

// G_V_ROTMAT: the rotation from global to vessel axes, the transpose of V_G_ROTMAT.
void G_V_ROTMAT(std::span<float, 4> M, float A);

// An offset corner record: global X, global Y, and the vessel heading there (radians).
using CornerRecord = std::span<float, 3>;

// GET_CORNERS: the bounding box (XRMAX, YRMAX, XRMIN, YRMIN) of the NPOINT points (XPOINT,
// YPOINT) and the four corner records: each point is turned by the yaw excursion NETYAW either
// way about the heading VESANG, and the point whose turned position reaches farthest in +X,
// +Y, -X, -Y gives XMAXQ, YMAXQ, XMINQ, YMINQ (its own X, Y and the heading of that turn).
// Only a strictly farther point replaces a record, so equal candidates keep the first point.
// Writes only its arguments.
void GET_CORNERS(float VESANG, float NETYAW, std::span<const float> XPOINT,
                 std::span<const float> YPOINT, std::int32_t NPOINT, float& XRMAX, float& YRMAX,
                 float& XRMIN, float& YRMIN, CornerRecord XMAXQ, CornerRecord YMAXQ,
                 CornerRecord XMINQ, CornerRecord YMINQ);

// The along-offset and across-offset extents GLOB_XY builds its region from.
struct OffsetRegionInputs {
    float YAWARM = 0.0f;      // yaw lever arm
    float VESANG = 0.0f;      // vessel heading, radians
    float XC = 0.0f;          // mean offset, global X
    float YC = 0.0f;          // mean offset, global Y
    std::int32_t LFINDEX = 0; // sigma level of the region
    std::int32_t IPEAK = 0;   // the level whose across-offset terms are peak values
    std::int32_t ELIPSM = 0;  // nonzero: elliptical region; 0: rectangle
    float SURGP = 0.0f;       // excursion along the offset direction, plus side
    float SURGM = 0.0f;       // the same, minus side
    float SRGSIG = 0.0f;      // takes no part
    float LOSWYW = 0.0f;      // low-frequency sway-yaw term
    float LSYSIG = 0.0f;      // takes no part
    float HISWYW = 0.0f;      // high-frequency sway-yaw term
    float HSYSIG = 0.0f;      // its sigma
    float YAW_COR_FAC = 0.0f; // yaw correlation factor
    bool LEGACY = false;      // legacy modal treatment
};

// What GLOB_XY returns: the global extremes, the four corner records and the yaw extremes.
struct OffsetRegion {
    float XMAX = 0.0f, YMAX = 0.0f, XMIN = 0.0f, YMIN = 0.0f;
    float XMAXQ[3] = {}, YMAXQ[3] = {}, XMINQ[3] = {}, YMINQ[3] = {};
    float YAWMAXQ = 0.0f, YAWMINQ = 0.0f;
};

// GLOB_XY: the region of offsets around the mean offset (XC, YC) as a rectangle or an ellipse
// set along the offset direction, its four points handed to GET_CORNERS. A mean offset of
// (0, 0) sets the region along global X. An ellipse whose offset direction lies along global
// X takes its points at the ends of its axes (the general formulas divide by the tangent of
// the direction); so does an ellipse of zero width. Writes only its result.
OffsetRegion GLOB_XY(const OffsetRegionInputs& in);

// The four points of the region in the order GLOB_XY hands them to GET_CORNERS (global X, Y).
struct RegionPoints {
    float XPOINT[4] = {};
    float YPOINT[4] = {};
    float NETYAW = 0.0f;
};
RegionPoints offset_region_points(const OffsetRegionInputs& in);

// Rows and columns of the net-load snapshot table ARRAY(6, 12).
inline constexpr int snapshot_loads = 6;
inline constexpr int snapshot_columns = 12;

// LOADVF: stores one net load in its column of ARRAY(6, 12) (the column by level LFINDEX 1 to
// 3, x/y index XYINDEX and plus/minus index PMINDEX): the horizontal force (F1, F2) taken from
// global to vessel axes at heading VESANG, then the force (with F3) and the moment (F4, F5,
// F6) each multiplied by the transpose of the 3 x 3 rotation ROTVES (stored by columns).
void LOADVF(std::span<float, snapshot_loads * snapshot_columns> ARRAY,
            std::span<const float, 9> ROTVES, float VESANG, std::int32_t LFINDEX,
            std::int32_t XYINDEX, std::int32_t PMINDEX, float F1, float F2, float F3, float F4,
            float F5, float F6);

// The column of the snapshot table for level LFINDEX (1 to 3) and the two indices.
int snapshot_column(std::int32_t LFINDEX, std::int32_t XYINDEX, std::int32_t PMINDEX);

// XVECUPD: the six-degree-of-freedom position XVECQ (x, y, heave, rotation vector in radians)
// of a spar or tension-leg platform moved from the equilibrium (RVES, YCGVAR, VESANG, ZCGVAR of
// EQUILB) to the trial position RVESQ (x, y, heading, heave). The offset, taken into the frame
// of the low-frequency modes (heading plus MODE_ROT_ANG), brings the set-down of ZPULLDOWN and
// the roll, pitch and yaw of the pull-down derivatives along. Program code 17 (spar): XVECQ is
// the trial offset with the still-water angles XVECTK(4..6) plus those pulls. Program code 14
// (tension-leg platform): the offsets times the modes' stiffnesses (frequency squared times the
// mass term of the surge, sway, roll, pitch and yaw records) are an initial load, under which
// EQFND3 solves the equilibrium, environment on, from the trial position; RVESQ becomes that
// solution and EQUILB.WLF_EFF the effective frequency of the horizontal pair (sqrt of the
// surge and sway frequencies' product without an offset or a surge mass term). The solver's
// moves of EQUILB's position and rotation words and of ERGCOM's angle offsets are undone, so
// the next trial position is again taken from the equilibrium. Other program codes leave XVECQ
// as passed. Then for every code: ZLEVL = XVECQ(3), ROTVLQ the rotation's size in degrees,
// ROTDRQ its direction ((1, 0, 0) without rotation), ROTMDQ = 1.
void XVECUPD(std::span<float, 4> RVESQ, std::span<float, 6> XVECQ, float& ZLEVL,
             std::span<float, 3> ROTDRQ, float& ROTVLQ, float& ROTMDQ);

} // namespace lintar
