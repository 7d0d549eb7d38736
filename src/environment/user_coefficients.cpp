// environment/user_coefficients.cpp: the user force-coefficient files of wind and current.
#include "environment/user_coefficients.h"

#include "blocks/block_support.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/file_services.h"
#include "util/prompts.h"
#include "util/table_search.h"
#include "util/user_tables.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace lintar {

namespace {

constexpr int coefficient_unit = 31;
constexpr std::int32_t max_headings = 145;

// One reader's table: the headings (radians) and the three coefficient columns.
struct CoefficientFile {
    explicit CoefficientFile(const char* who) : WHOAMI(who) {}
    const char* WHOAMI;
    std::string LASTFILE = "========     ";
    bool FRSTIM = true;
    std::vector<float> HDGARR;
    std::array<std::vector<float>, 3> COF;
};

struct UserCoefficientStore {
    CoefficientFile wind{"USRWND"};
    CoefficientFile current{"USERWC"}; // the current reader reports under this name
};
UserCoefficientStore store;
const StateReset reset_store{[] { store = UserCoefficientStore{}; }, StoreKind::analysis};

void read_coefficients(CoefficientFile& file, const std::string& name, int IOOUT, int IOIN) {
    const RowTableRead read =
        read_row_table(name, coefficient_unit, 2, max_headings, 4, AbscissaOrder::rising);
    switch (read.status) {
    case PairTableStatus::ok:
        break;
    case PairTableStatus::missing: {
        write_record(IOOUT, " ++>  User-supplied force coefficients \"" + file_name_of_field(name) +
                                "\" not found");
        std::int32_t LBACK = 0;
        ABORT0(IOOUT, IOIN, LBACK);
        stop_program(LBACK == -1 ? StopKind::user_choice : StopKind::error);
    }
    case PairTableStatus::count_too_large:
    case PairTableStatus::count_too_small:
        fatal_stop(IOOUT, IOIN,
                   {" ++>  User-supplied force coefficient array in " + name,
                    "      dimension = [" + I(read.N, 3) + "] out of range; allowable",
                    read.N > max_headings ? "      dimension = [" + I(max_headings, 3) + "]"
                                          : std::string("      dimension = [2 to 145]")});
    case PairTableStatus::out_of_order:
        fatal_stop(IOOUT, IOIN,
                   {" ++>  User-supplied force coefficient headings in " + name,
                    "      must rise from row to row; correct the file and re-try."});
    case PairTableStatus::unreadable:
        FILERR(name, file.WHOAMI, IOOUT, IOIN);
    }
    const auto n = static_cast<std::size_t>(read.N);
    file.HDGARR.assign(n, 0.0f);
    for (auto& column : file.COF)
        column.assign(n, 0.0f);
    for (std::size_t i = 0; i < n; ++i) {
        file.HDGARR[i] = read.values[4 * i] / degrees_per_radian;
        for (std::size_t k = 0; k < 3; ++k)
            file.COF[k][i] = read.values[4 * i + 1 + k];
    }
}

float coefficient(CoefficientFile& file, std::int32_t LCOMP, float ANGLE, int IOOUT, int IOIN,
                  std::string_view USERDAT) {
    const std::string name = name_field13(USERDAT);
    if (file.FRSTIM || name != file.LASTFILE) {
        // The name is held only once its table is read whole: a failed read claims nothing.
        read_coefficients(file, name, IOOUT, IOIN);
        file.FRSTIM = false;
        file.LASTFILE = name;
    }
    const float h = REDRAD(ANGLE + pi_single);
    const std::span<const float> headings(file.HDGARR);
    std::int32_t IER = 0;
    std::int32_t MIN = 0;
    BSRCH(headings, h, IER, MIN, static_cast<std::int32_t>(headings.size()));
    const auto column = slot(std::clamp(LCOMP, std::int32_t{1}, std::int32_t{3}));
    float value = 0.0f;
    INTERP(headings, file.COF[column], h, value, MIN);
    return value;
}

} // namespace

float USRWND(std::int32_t LCOMP, float ANGLE, int IOOUT, int IOIN, std::string_view USERDAT) {
    return coefficient(store.wind, LCOMP, ANGLE, IOOUT, IOIN, USERDAT);
}

float USRCRN(std::int32_t LCOMP, float ANGLE, int IOOUT, int IOIN, std::string_view USERDAT) {
    return coefficient(store.current, LCOMP, ANGLE, IOOUT, IOIN, USERDAT);
}

} // namespace lintar
