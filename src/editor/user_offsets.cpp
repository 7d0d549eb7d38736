// editor/user_offsets.cpp: the user offsets file "INPUTOFF.txt".
#include "editor/user_offsets.h"

#include "runtime/edit_descriptors.h"
#include "runtime/input_fields.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/file_services.h"
#include "util/prompts.h"

#include <algorithm>
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
    std::int32_t NREP = 0;
    ListReader reader = next_read();
    read_or_stop(reader, NREP, EDUNIT);
    return std::max<std::int32_t>(NREP, 0);
}

// read_user_offset_block: the next block, cut to 50 rows; stops when it does not read.
void read_user_offset_block(int EDUNIT, UserOffsetBlock& block) {
    std::int32_t NOFF = 0;
    ListReader count = next_read();
    read_or_stop(count, NOFF, EDUNIT);
    if (NOFF > max_user_offset_rows) {
        write_record(EDUNIT, "");
        write_record(EDUNIT, " ++>  User-supplied offsets are limited to " +
                                 I(max_user_offset_rows, 3) + " rows per repetition block.");
        write_record(EDUNIT, "      Your requested oversized block will be truncated.");
        write_record(EDUNIT, "");
        std::int32_t dropped = 0;
        PRSRET(EDUNIT, keyboard_unit, dropped);
        NOFF = max_user_offset_rows;
    }
    // A negative count has no rows (it would otherwise reach the report as a row count).
    block.NOFF = std::max<std::int32_t>(NOFF, 0);
    for (std::int32_t k = 1; k <= block.NOFF; ++k) {
        auto& row = block.XVEC[static_cast<std::size_t>(k - 1)];
        row.fill(0.0f);
        ListReader reader = next_read();
        for (float& value : row)
            read_or_stop(reader, value, EDUNIT);
    }
}

} // namespace lintar
