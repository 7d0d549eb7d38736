// offsets/user_offsets.cpp: the user offsets file "INPUTOFF.txt".
#include "offsets/user_offsets.h"

#include "blocks/block_support.h"
#include "runtime/edit_descriptors.h"
#include "runtime/input_fields.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/file_services.h"
#include "util/prompts.h"

#include <array>
#include <string>

namespace lintar {

namespace {

constexpr std::string_view file_name = "INPUTOFF.txt";
constexpr std::string_view reader_name = "CATTBL"; // the analysis that reads the file

// One list-directed read: it starts on the next line and takes further lines as its items
// need them; what it leaves of its last line is passed over.
ListReader next_read() {
    return ListReader([] { return read_line(user_offsets_unit); });
}

template <typename T> void read_or_stop(ListReader& reader, T& value, int EDUNIT) {
    if (reader.read(value) != ListStatus::ok)
        FILERR(file_name, reader_name, EDUNIT, keyboard_unit);
}

// A count of blocks or rows: a negative one is a damaged file, reported as one.
std::int32_t read_count(int EDUNIT) {
    std::int32_t count = 0;
    ListReader reader = next_read();
    read_or_stop(reader, count, EDUNIT);
    if (count < 0)
        FILERR(file_name, reader_name, EDUNIT, keyboard_unit);
    return count;
}

// One row of six reals.
void read_row(std::array<float, 6>& row, int EDUNIT) {
    row.fill(0.0f);
    ListReader reader = next_read();
    for (float& value : row)
        read_or_stop(reader, value, EDUNIT);
}

} // namespace

// open_user_offsets: the file on unit 21 and its number of blocks; stops when it is missing or
// unreadable.
std::int32_t open_user_offsets(int EDUNIT) {
    // The file has its own not-found report (rather than the file services' access report),
    // naming it in its 13-character field.
    if (!open_unit(user_offsets_unit, std::string(file_name), OpenStatus::old_file,
                   FileForm::formatted)) {
        write_record(EDUNIT, "");
        write_record(EDUNIT, " ++>  User-supplied offsets file \"INPUTOFF.txt \" not found");
        write_record(EDUNIT, "");
        std::int32_t LBACK = 0;
        ABORT0(EDUNIT, keyboard_unit, LBACK);
        stop_program(StopKind::error);
    }
    return read_count(EDUNIT);
}

// read_user_offset_block: the next block, cut to 50 rows; stops when it does not read.
void read_user_offset_block(int EDUNIT, UserOffsetBlock& block) {
    std::int32_t NOFF = read_count(EDUNIT);
    std::int32_t passed_over = 0;
    if (NOFF > max_user_offset_rows) {
        write_record(EDUNIT, "");
        write_record(EDUNIT, " ++>  User-supplied offsets are limited to " +
                                 I(max_user_offset_rows, 3) + " rows per repetition block.");
        write_record(EDUNIT, "      Your requested oversized block will be truncated.");
        write_record(EDUNIT, "");
        std::int32_t LBACK = 0; // the answer at the pause changes nothing
        PRSRET(EDUNIT, keyboard_unit, LBACK);
        passed_over = NOFF - max_user_offset_rows;
        NOFF = max_user_offset_rows;
    }
    block.NOFF = NOFF;
    for (std::int32_t k = 1; k <= block.NOFF; ++k)
        read_row(block.XVEC[slot(k)], EDUNIT);
    // The rows beyond the fiftieth are read and dropped: were they left, the next block's row
    // count would be taken from the first of them.
    std::array<float, 6> dropped{};
    for (std::int32_t k = 1; k <= passed_over; ++k)
        read_row(dropped, EDUNIT);
}

} // namespace lintar
