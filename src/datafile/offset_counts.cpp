// datafile/offset_counts.cpp: the counts of directions and points of each kind of offset
// sequence.
#include "datafile/offset_counts.h"

#include "blocks/tpcm.h"

#include <algorithm>

namespace lintar {

namespace {

// The data file's counts are held to what its arrays hold (ten directions, two yaw senses,
// fifty points), so that a damaged file cannot make a reader go past them.
std::int32_t held(std::int32_t count, std::int32_t most) {
    return std::clamp<std::int32_t>(count, 0, most);
}

} // namespace

std::int32_t offset_direction_count(std::int32_t TABTYP) {
    switch (TABTYP) {
    case kind_lateral:
        return held(TPCM.NLAT, 10);
    case kind_yaw:
        return held(TPCM.NYAW, 2);
    case kind_oblique_rotation:
        return held(TPCM.NOBLDR, 10);
    case kind_vertical:
        return TPCM.NVERT > 0 ? 1 : 0;
    case kind_rectilinear:
        return held(TPCM.NRCTDR, 10);
    case kind_forces:
        return held(TPCM.NFCDIR, 10);
    case kind_couples:
        return TPCM.MTCHFT != 0 ? 0 : held(TPCM.NTQDIR, 10);
    default:
        return 0;
    }
}

std::int32_t offset_point_count(std::int32_t TABTYP) {
    switch (TABTYP) {
    case kind_lateral:
        return held(TPCM.NOFFL, 50);
    case kind_yaw:
        return held(TPCM.NOFFY, 50);
    case kind_oblique_rotation:
        return held(TPCM.NOFFOB, 50);
    case kind_vertical:
        return held(TPCM.NVERT, 50);
    case kind_rectilinear:
        return held(TPCM.NRCTOF, 50);
    case kind_forces:
        return held(TPCM.NFCOFF, 50);
    case kind_couples:
        return held(TPCM.NTQOFF, 50);
    default:
        return 0;
    }
}

} // namespace lintar
