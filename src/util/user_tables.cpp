// util/user_tables.cpp: the reading of a user table of pairs.
#include "util/user_tables.h"

#include "runtime/input_fields.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/prompts.h"

#include <algorithm>
#include <cstddef>

namespace lintar {

std::string file_name_of_field(const std::string& field) {
    const auto end = field.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : field.substr(0, end + 1);
}

std::string name_field13(std::string_view text) {
    std::string name(text.substr(0, std::min<std::size_t>(text.size(), 13)));
    name.resize(13, ' ');
    return name;
}

void warn_frequency_outside_table(bool& warned, std::string_view what, int IOOUT, int IOIN) {
    if (warned)
        return;
    write_record(IOOUT, " ++> Warning: Frequency outside user-supplied " + std::string(what));
    write_record(IOOUT, "     range; \"continue\" to extrapolate outside available range.");
    std::int32_t LBACK = 0;
    ABORT0(IOOUT, IOIN, LBACK);
    if (LBACK == -1)
        stop_program(StopKind::user_choice);
    if (IOOUT == diagnostics_unit)
        stop_program(StopKind::error);
    warned = true;
}

bool keeps_order(std::span<const float> values, AbscissaOrder order) {
    if (order == AbscissaOrder::any)
        return true;
    bool rising = true;
    bool falling = order == AbscissaOrder::monotonic;
    for (std::size_t i = 1; i < values.size(); ++i) {
        rising = rising && values[i] > values[i - 1];
        falling = falling && values[i] < values[i - 1];
    }
    return rising || falling;
}

RowTableRead read_row_table(const std::string& name, int unit, std::int32_t least,
                            std::int32_t most, int columns, AbscissaOrder order) {
    RowTableRead result;
    close_unit(unit);
    if (!open_unit(unit, file_name_of_field(name), OpenStatus::old_file, FileForm::formatted)) {
        result.status = PairTableStatus::missing;
        return result;
    }
    const auto finish = [&](PairTableStatus status) {
        close_unit(unit);
        result.status = status;
        if (status != PairTableStatus::ok)
            result.values.clear();
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
    const auto width = static_cast<std::size_t>(columns);
    std::vector<float> abscissae(static_cast<std::size_t>(result.N));
    result.values.resize(static_cast<std::size_t>(result.N) * width);
    for (std::size_t row = 0; row < static_cast<std::size_t>(result.N); ++row) {
        ListReader reader(next_line);
        for (std::size_t c = 0; c < width; ++c)
            if (reader.read(result.values[row * width + c]) != ListStatus::ok)
                return finish(PairTableStatus::unreadable);
        abscissae[row] = result.values[row * width];
    }
    return finish(keeps_order(abscissae, order) ? PairTableStatus::ok
                                                : PairTableStatus::out_of_order);
}

PairTableRead read_pair_table(const std::string& name, int unit, std::int32_t least,
                              std::int32_t most, AbscissaOrder order) {
    const RowTableRead rows = read_row_table(name, unit, least, most, 2, order);
    PairTableRead result;
    result.status = rows.status;
    result.N = rows.N;
    for (std::size_t k = 0; k + 1 < rows.values.size(); k += 2) {
        result.table.x.push_back(rows.values[k]);
        result.table.y.push_back(rows.values[k + 1]);
    }
    return result;
}

} // namespace lintar
