// datafile/offset_counts.h: the kinds of offset sequence and the counts of directions and
// points the data file states for each.
#pragma once

#include <cstdint>

namespace lintar {

// Sequence kinds (TABTYP), in the order the offset-table analysis runs them.
inline constexpr std::int32_t kind_lateral = 1;
inline constexpr std::int32_t kind_yaw = 2;
inline constexpr std::int32_t kind_oblique_rotation = 3;
inline constexpr std::int32_t kind_vertical = 4;
inline constexpr std::int32_t kind_rectilinear = 5;
inline constexpr std::int32_t kind_user = 6;
inline constexpr std::int32_t kind_forces = 7;
inline constexpr std::int32_t kind_couples = 8;

// The directions (sequences) and the points of each sequence of a kind (kind_lateral ..
// kind_couples) as the data file states them, held to what its arrays hold (ten directions,
// two yaw senses, fifty points). The user offsets (kind_user) count theirs in their own file:
// 0 here. Read TPCM.
std::int32_t offset_direction_count(std::int32_t TABTYP);
std::int32_t offset_point_count(std::int32_t TABTYP);

} // namespace lintar
