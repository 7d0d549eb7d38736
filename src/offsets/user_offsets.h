// offsets/user_offsets.h: the user offsets file "INPUTOFF.txt" that page 6 switches on
// (FROMTABLE) and the offset-table analysis CATTBL reads.
//
// A plain text file in the working folder, read list-directed, every read starting on a new
// line: the number of blocks (sequences); then per block its number of rows, followed by the
// rows, six reals each: the x, y, z of the vessel reference point in the global system and a
// rotation vector (axis times angle, radians).
#pragma once

#include <array>
#include <cstdint>

namespace lintar {

inline constexpr int user_offsets_unit = 21;
inline constexpr std::int32_t max_user_offset_rows = 50;

// One block of the file: NOFF rows, row k in XVEC[k - 1].
struct UserOffsetBlock {
    std::int32_t NOFF = 0;
    std::array<std::array<float, 6>, max_user_offset_rows> XVEC{};
};

// Opens "INPUTOFF.txt" on unit 21 and returns its number of blocks. A missing file: the
// not-found message on EDUNIT, the abort pause and an error stop, whatever the answer. A count
// that is missing, not an integer or negative: FILERR and an error stop.
std::int32_t open_user_offsets(int EDUNIT);

// Reads the next block of the open file. A block of more than 50 rows: the message on
// EDUNIT and the Return pause, then its first 50 rows; the rest of the block is read and
// passed over, so that the next block starts at its own row count. A row count that is
// negative, or a row count or row value that is missing or does not read: FILERR and an error
// stop.
void read_user_offset_block(int EDUNIT, UserOffsetBlock& block);

} // namespace lintar
