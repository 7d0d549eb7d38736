// util/user_tables.cpp: the reading of a user table of pairs.
#include "util/user_tables.h"

#include "runtime/input_fields.h"
#include "runtime/units.h"

#include <cstddef>

namespace lintar {

std::string file_name_of_field(const std::string& field) {
    const auto end = field.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : field.substr(0, end + 1);
}

PairTableRead read_pair_table(const std::string& name, int unit, std::int32_t least,
                              std::int32_t most, bool rising) {
    PairTableRead result;
    close_unit(unit);
    if (!open_unit(unit, file_name_of_field(name), OpenStatus::old_file, FileForm::formatted)) {
        result.status = PairTableStatus::missing;
        return result;
    }
    const auto finish = [&](PairTableStatus status) {
        close_unit(unit);
        result.status = status;
        if (status != PairTableStatus::ok)
            result.table = {};
        return result;
    };
    // Each READ starts on a new line and ignores what its items leave over.
    const auto next_line = [unit] { return read_line(unit); };
    if (ListReader(next_line).read(result.N) != ListStatus::ok)
        return finish(PairTableStatus::unreadable);
    if (result.N > most)
        return finish(PairTableStatus::count_too_large);
    if (result.N < least)
        return finish(PairTableStatus::count_too_small);
    const auto n = static_cast<std::size_t>(result.N);
    result.table.x.resize(n);
    result.table.y.resize(n);
    for (std::size_t row = 0; row < n; ++row) {
        ListReader reader(next_line);
        if (reader.read(result.table.x[row]) != ListStatus::ok ||
            reader.read(result.table.y[row]) != ListStatus::ok)
            return finish(PairTableStatus::unreadable);
        if (rising && row > 0 && !(result.table.x[row] > result.table.x[row - 1]))
            return finish(PairTableStatus::not_increasing);
    }
    return finish(PairTableStatus::ok);
}

} // namespace lintar
