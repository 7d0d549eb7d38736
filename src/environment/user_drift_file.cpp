// environment/user_drift_file.cpp: the user table of wave drift coefficients.
#include "environment/user_drift_file.h"

#include "runtime/input_fields.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/bilinear.h"
#include "util/file_services.h"
#include "util/prompts.h"
#include "util/table_search.h"
#include "util/user_tables.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace lintar {

namespace {

constexpr int drift_unit = 31;
constexpr std::size_t plane_size =
    static_cast<std::size_t>(drift_file_max_frequencies) * drift_file_max_headings;

// The table last read: frequency grid, headings (radians), and the coefficients by frequency,
// heading and component (planes of 121 x 145).
struct DriftTable {
    std::int32_t NFREQ = 0;
    std::int32_t NAZ = 0;
    std::vector<float> WARRAY;
    std::vector<float> ANGARR;
    std::vector<float> COF;

    std::span<const float> plane(std::int32_t LCOMP) const {
        return std::span<const float>(COF).subspan(slot(LCOMP) * plane_size, plane_size);
    }
};

struct DriftFileStore {
    std::string LASTFILE = "========     "; // matches no file name
    bool FRSTIM = true;
    bool WARN1 = false; // the out-of-range warning is given once per run
    DriftTable table;
};
DriftFileStore store;
const StateReset reset_store{[] { store = DriftFileStore{}; }, StoreKind::analysis};

enum class ReadStatus {
    ok,
    unreadable,
    too_large,
    too_small,
    frequencies_out_of_order,
    headings_out_of_order
};

// Reads the table of the open unit. Each record starts on a new line and ignores what its
// items leave over; a record may continue over lines.
ReadStatus read_table(DriftTable& table) {
    const auto next_line = [] { return read_line(drift_unit); };
    float counts[2] = {0.0f, 0.0f};
    {
        ListReader reader(next_line);
        for (float& count : counts)
            if (reader.read(count) != ListStatus::ok)
                return ReadStatus::unreadable;
    }
    if (!std::isfinite(counts[0]) || !std::isfinite(counts[1]))
        return ReadStatus::unreadable;
    // Counts are taken as written, truncated (12.9 is 12); held to the int range first.
    const auto count = [](float c) {
        return static_cast<std::int32_t>(std::clamp(c, -1.0e6f, 1.0e6f));
    };
    table.NFREQ = count(counts[0]);
    table.NAZ = count(counts[1]);
    if (table.NFREQ > drift_file_max_frequencies || table.NAZ > drift_file_max_headings)
        return ReadStatus::too_large;
    // One frequency or one heading leaves no cell to interpolate in.
    if (table.NFREQ < 2 || table.NAZ < 2)
        return ReadStatus::too_small;
    const auto nfreq = static_cast<std::size_t>(table.NFREQ);
    const auto naz = static_cast<std::size_t>(table.NAZ);
    table.WARRAY.assign(nfreq, 0.0f);
    table.ANGARR.assign(naz, 0.0f);
    table.COF.assign(3 * plane_size, 0.0f);
    for (std::size_t h = 0; h < naz; ++h) {
        float degrees = 0.0f;
        if (ListReader(next_line).read(degrees) != ListStatus::ok)
            return ReadStatus::unreadable;
        table.ANGARR[h] = degrees / degrees_per_radian_rounded;
        for (std::size_t f = 0; f < nfreq; ++f) {
            ListReader reader(next_line);
            float row[4] = {0.0f, 0.0f, 0.0f, 0.0f};
            for (float& value : row)
                if (reader.read(value) != ListStatus::ok)
                    return ReadStatus::unreadable;
            if (h == 0)
                table.WARRAY[f] = row[0];
            for (std::size_t k = 0; k < 3; ++k)
                table.COF[k * plane_size + h * drift_file_max_frequencies + f] = row[k + 1];
        }
    }
    if (!keeps_order(table.WARRAY, AbscissaOrder::monotonic))
        return ReadStatus::frequencies_out_of_order;
    if (!keeps_order(table.ANGARR, AbscissaOrder::monotonic))
        return ReadStatus::headings_out_of_order;
    return ReadStatus::ok;
}

// Reads file `name` into the store's table, or ends the run with a message naming the file.
void load(const std::string& name, int IOOUT, int IOIN) {
    close_unit(drift_unit);
    if (!open_unit(drift_unit, file_name_of_field(name), OpenStatus::old_file, FileForm::formatted))
        fatal_stop(IOOUT, IOIN,
                   {" ++>  User-supplied drift force coefficients \"" + file_name_of_field(name) +
                    "\" not found."});
    DriftTable table;
    const ReadStatus status = read_table(table);
    close_unit(drift_unit);
    const std::string counts = "      dimensions = [" + std::to_string(table.NFREQ) + "," +
                               std::to_string(table.NAZ) + "] out of range; allowable";
    switch (status) {
    case ReadStatus::ok:
        break;
    case ReadStatus::unreadable:
        FILERR(name, "DRFTCB", IOOUT, IOIN);
    case ReadStatus::too_large:
        fatal_stop(IOOUT, IOIN,
                   {" ++>  User-supplied drift force coefficient array ", counts,
                    "      dimensions = [" + std::to_string(drift_file_max_frequencies) + "," +
                        std::to_string(drift_file_max_headings) + "]"});
    case ReadStatus::too_small:
        fatal_stop(IOOUT, IOIN,
                   {" ++>  User-supplied drift force coefficient array in " + name, counts,
                    "      dimensions = [2 to 121,2 to 145]"});
    case ReadStatus::frequencies_out_of_order:
    case ReadStatus::headings_out_of_order:
        fatal_stop(IOOUT, IOIN,
                   {" ++>  User-supplied drift force coefficient " +
                        std::string(status == ReadStatus::frequencies_out_of_order ? "frequencies"
                                                                                   : "headings") +
                        " in " + name,
                    "      must rise or fall from entry to entry; correct the file and re-try."});
    }
    store.table = std::move(table);
}

} // namespace

std::string user_drift_file_name(std::int32_t SIMTYP, std::int32_t ISPM) {
    if (SIMTYP == 13 && ISPM == 2)
        return "BUOYDRFT.txt ";
    if (SIMTYP == 13 && ISPM == 3)
        return "TANKDRFT.txt ";
    if (SIMTYP == 10 && ISPM == 2)
        return "TUGDRFT.txt  ";
    if (SIMTYP == 10 && ISPM == 3)
        return "BARGDRFT.txt ";
    return "DRFTCOFS.txt ";
}

void INTRP4(std::span<const float> COFARR, std::span<const float> WARRAY,
            std::span<const float> ANGARR, float WVAL, float AVAL, float& OUTVAL, std::int32_t MINW,
            std::int32_t MINA, std::int32_t /*NFREQ*/, std::int32_t /*NAZ*/) {
    OUTVAL = bilinear_in_cell<float>(COFARR, drift_file_max_frequencies, WARRAY, ANGARR, WVAL, AVAL,
                                     MINW, MINA);
}

float DRFTCB(float WCOMOV, std::int32_t LCOMP, float ANGLE, int IOOUT, int IOIN,
             std::string_view USERDAT) {
    const std::string name = name_field13(USERDAT);
    if (store.FRSTIM || name != store.LASTFILE) {
        // The name is held only once its table is read whole: a failed read claims nothing.
        load(name, IOOUT, IOIN);
        store.FRSTIM = false;
        store.LASTFILE = name;
    }
    const DriftTable& table = store.table;
    const float heading = REDRAD(ANGLE + pi_single);
    std::int32_t IER = 0;
    std::int32_t MINA = 0;
    BSRCH(table.ANGARR, heading, IER, MINA, table.NAZ);
    std::int32_t MINW = 0;
    BSRCH(table.WARRAY, WCOMOV, IER, MINW, table.NFREQ);
    if (IER == 1 || IER == 2)
        warn_frequency_outside_table(store.WARN1, "drift coefficient", IOOUT, IOIN);
    const auto component = std::clamp(LCOMP, std::int32_t{1}, std::int32_t{3});
    float value = 0.0f;
    INTRP4(table.plane(component), table.WARRAY, table.ANGARR, WCOMOV, heading, value, MINW, MINA,
           table.NFREQ, table.NAZ);
    return value;
}

} // namespace lintar
