// util/user_spectrum.cpp: the user wave spectrum file "WAVSPEC.txt" (spectrum type 7).
#include "util/user_spectrum.h"

#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/file_services.h"
#include "util/prompts.h"
#include "util/table_search.h"
#include "util/user_tables.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace lintar {

namespace {

constexpr int spectrum_unit = 31;
constexpr std::int32_t max_rows = 1000;

// The table last read, kept for the rest of the run.
struct UserSpectrumStore {
    std::string name = "========     "; // matches no file name
    bool first_call = true;
    std::int32_t N = 0;
    std::array<float, max_rows> frequency{};
    std::array<float, max_rows> ordinate{};
    bool warned = false; // the out-of-range warning is given once per run
};

UserSpectrumStore store;
const StateReset reset_store{[] { store = UserSpectrumStore{}; }, StoreKind::analysis};

// The dimension report of a row count outside 2 to 1000, the Return pause and an error stop.
[[noreturn]] void bad_dimension(std::int32_t N, const std::string& name, int IOOUT, int IOIN) {
    write_record(IOOUT, " ++>  User-supplied wave spectral array in " + name);
    write_record(IOOUT, "      dimension = [" + std::to_string(N) + "] out of range; allowable");
    write_record(IOOUT, N > max_rows ? "      dimension = [" + std::to_string(max_rows) + "]"
                                     : std::string("      dimension = [2 to 1000]"));
    write_record(IOOUT, "");
    fatal_stop(IOOUT, IOIN);
}

// Reads the table of file `name` on the spectrum unit. Ends the run when the file is missing,
// cannot be read, or holds fewer than 2 or more than 1000 rows: fewer than two rows give no
// interval to interpolate in (and a single row would be divided by a zero width), so they are
// refused as the overlong table is. The frequencies must rise throughout or fall throughout:
// a repeated frequency would divide by a zero width, and an unordered table would send the
// search to the wrong rows.
void read_table(const std::string& name, int IOOUT, int IOIN) {
    const PairTableRead read =
        read_pair_table(name, spectrum_unit, 2, max_rows, AbscissaOrder::monotonic);
    switch (read.status) {
    case PairTableStatus::ok:
        break;
    case PairTableStatus::missing: {
        write_record(IOOUT, " ++>  User-supplied wave spectrum file \"" + name + "\" not found");
        write_record(IOOUT, "");
        std::int32_t LBACK = 0;
        ABORT0(IOOUT, IOIN, LBACK);
        stop_program(StopKind::error);
    }
    case PairTableStatus::count_too_large:
    case PairTableStatus::count_too_small:
        bad_dimension(read.N, name, IOOUT, IOIN);
    case PairTableStatus::out_of_order:
        fatal_stop(IOOUT, IOIN,
                   {" ++>  User-supplied wave spectrum frequencies in " + name,
                    "      must rise or fall from row to row; correct the file and re-try.", ""});
    default:
        FILERR(name, "UWVSPC", IOOUT, IOIN);
    }
    store.N = read.N;
    std::copy(read.table.x.begin(), read.table.x.end(), store.frequency.begin());
    std::copy(read.table.y.begin(), read.table.y.end(), store.ordinate.begin());
}

} // namespace

// UWVSPC: see the header. Reads the file on unit 31 on the first call and whenever another name
// is passed; the table, its name and the warned flag stay for the rest of the run. A frequency
// outside the table is warned about once per run with the abort prompt (an abort, or an
// unattended run, stops); the ordinate is then extrapolated from the end interval.
float UWVSPC(float W, int IOOUT, int IOIN, std::string_view USERDAT) {
    const std::string name = name_field13(USERDAT);
    if (store.first_call || name != store.name) {
        // The name is held only once its table is read whole: a failed read claims nothing.
        read_table(name, IOOUT, IOIN);
        store.first_call = false;
        store.name = name;
    }
    const auto n = static_cast<std::size_t>(store.N);
    const std::span<const float> frequency(store.frequency.data(), n);
    const std::span<const float> ordinate(store.ordinate.data(), n);
    std::int32_t IER = 0;
    std::int32_t MIN = 0;
    BSRCH(frequency, W, IER, MIN, store.N);
    if (IER == 1 || IER == 2)
        warn_frequency_outside_table(store.warned, "wave spectrum", IOOUT, IOIN);
    float S = 0.0f;
    INTERP(frequency, ordinate, W, S, MIN);
    return S;
}

} // namespace lintar
