// util/user_tables.h: the reading of a user table of pairs: a first line holding the row
// count N, then N lines of two numbers each (abscissa, value), read list-directed one READ per
// line, as the user spectra, coefficient and profile files are. Each reader keeps its own
// messages; this reads and says what went wrong.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lintar {

struct PairTable {
    std::vector<float> x;
    std::vector<float> y;
};

enum class PairTableStatus {
    ok,
    missing,         // no regular file of that name
    unreadable,      // the count or a pair cannot be read, or the file ends early
    count_too_large, // N above the reader's capacity
    count_too_small, // N below the least the reader takes
    out_of_order,    // two abscissae equal, or a step against the order asked for
};

// The order a table's abscissae must keep from row to row: none, strictly rising, or strictly
// monotonic (rising throughout or falling throughout, as the first two rows set).
enum class AbscissaOrder { any, rising, monotonic };

// True when the values keep `order` from each to the next; two equal values, or a value that
// is not a number, keep no order but `any`.
bool keeps_order(std::span<const float> values, AbscissaOrder order);

struct PairTableRead {
    PairTableStatus status = PairTableStatus::ok;
    std::int32_t N = 0; // the count read (also when it is refused)
    PairTable table;
};

// Reads file `name` on `unit`, which it leaves closed. The table is returned only when the
// whole file was read, N lies in least..most and the abscissae keep `order`.
PairTableRead read_pair_table(const std::string& name, int unit, std::int32_t least,
                              std::int32_t most, AbscissaOrder order);

// The same for rows of `columns` numbers each (the first column the abscissa): the values row
// by row in `values`.
struct RowTableRead {
    PairTableStatus status = PairTableStatus::ok;
    std::int32_t N = 0;
    std::vector<float> values; // N x columns, row after row
};
RowTableRead read_row_table(const std::string& name, int unit, std::int32_t least,
                            std::int32_t most, int columns, AbscissaOrder order);

// The file name on disk of a fixed-length name field: the field without its trailing blanks.
std::string file_name_of_field(const std::string& field);

// A name in the 13-character field the user-table readers keep (cut or blank-padded).
std::string name_field13(std::string_view text);

// The once-per-run warning of a frequency outside a user table, "Frequency outside
// user-supplied <what>", with the abort prompt: an abort answer, or any unattended run (IOOUT
// the diagnostics unit), ends the run; otherwise `warned` is set and the caller extrapolates.
// Does nothing once `warned` is set.
void warn_frequency_outside_table(bool& warned, std::string_view what, int IOOUT, int IOIN);

} // namespace lintar
