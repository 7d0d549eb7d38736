// environment/gust_spectra.cpp: the wind and current gust spectra and their user files.
#include "environment/gust_spectra.h"
#include "util/angles.h"

#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/file_services.h"
#include "util/prompts.h"
#include "util/table_search.h"
#include "util/user_tables.h"

#include <cmath>
#include <span>
#include <string>

namespace lintar {

namespace {

constexpr int spectrum_unit = 31;
constexpr std::int32_t max_points = 1000;

// What one user spectrum reader keeps for the run.
struct UserSpectrum {
    UserSpectrum(const char* who, const char* what, const char* line)
        : WHOAMI(who), subject(what), advice(line) {}
    const char* WHOAMI;  // the routine named in file-error reports
    const char* subject; // "wind" or "current", in the warning
    const char* advice;  // the warning's second line (the two readers differ by a blank)
    std::string LASTFILE = "========     ";
    bool FRSTIM = true;
    PairTable table;
    bool WARN1 = false; // the out-of-range warning, once per run
};

struct GustSpectraStore {
    UserSpectrum wind{"UWNDSPEC", "wind",
                      "     The associated spectral values will be set to zero. If this is not "
                      "what you want, extend the spectrum. "};
    UserSpectrum current{"UCURSPEC", "current",
                         "     The associated spectral values will be set to zero. If this is "
                         "not what you want, extend the spectrum."};
    bool type_warned = false;
};
GustSpectraStore store;
const StateReset reset_store{[] { store = GustSpectraStore{}; }, StoreKind::analysis};

// The stop after a fatal message: the Return pause, not on the diagnostics unit.
[[noreturn]] void quit_after(int IOSCRN, std::string_view message) {
    write_record(IOSCRN, message);
    if (IOSCRN != diagnostics_unit)
        (void)read_answer(1);
    stop_program(StopKind::error);
}

// The name in its 12-character field, as the callers pass it.
std::string field12(std::string_view text) {
    std::string name(text.substr(0, std::min<std::size_t>(text.size(), 12)));
    name.resize(12, ' ');
    return name;
}

void read_user_spectrum(UserSpectrum& reader, const std::string& name, int IOOUT) {
    const PairTableRead read =
        read_pair_table(name, spectrum_unit, 2, max_points, AbscissaOrder::rising);
    switch (read.status) {
    case PairTableStatus::ok:
        break;
    case PairTableStatus::missing: {
        write_record(IOOUT, "");
        write_record(IOOUT, " ++>  User-supplied spectrum file \"" + file_name_of_field(name) +
                                "\" not found");
        write_record(IOOUT, "");
        std::int32_t LBACK = 0;
        ABORT0(IOOUT, keyboard_unit, LBACK);
        stop_program(LBACK == -1 ? StopKind::user_choice : StopKind::error);
    }
    case PairTableStatus::count_too_large:
    case PairTableStatus::count_too_small:
        // The counts are written whole: a three-column field would show 1001 and the limit
        // of 1000 as asterisks.
        fatal_stop(IOOUT, keyboard_unit,
                   {"", " ++>  User-supplied spectrum array in " + name,
                    "      dimension = [" + std::to_string(read.N) + "] out of range; allowable",
                    read.N > max_points ? "      dimension = [" + std::to_string(max_points) + "]"
                                        : std::string("      dimension = [2 to 1000]")});
    case PairTableStatus::out_of_order:
        fatal_stop(IOOUT, keyboard_unit,
                   {"", " ++>  User-supplied spectrum frequencies in " + name,
                    "      must rise from row to row; correct the file and re-try."});
    case PairTableStatus::unreadable:
        FILERR(name, reader.WHOAMI, IOOUT, keyboard_unit);
    }
    reader.table = read.table;
}

float user_spectrum(UserSpectrum& reader, float W, int IOOUT, std::string_view USERDAT) {
    const std::string name = field12(USERDAT);
    if (reader.FRSTIM || name != reader.LASTFILE) {
        // The name is held only once its table is read whole: a failed read claims nothing.
        read_user_spectrum(reader, name, IOOUT);
        reader.FRSTIM = false;
        reader.LASTFILE = name;
    }
    const std::span<const float> WARRAY(reader.table.x);
    const std::span<const float> WSPEC(reader.table.y);
    const auto N = static_cast<std::int32_t>(WARRAY.size());
    std::int32_t IER = 0;
    std::int32_t MIN = 0;
    BSRCH(WARRAY, W, IER, MIN, N);
    if (IER == 1 || IER == 2) {
        if (!reader.WARN1) {
            reader.WARN1 = true;
            write_record(IOOUT, "");
            write_record(IOOUT,
                         std::string(" ++> Warning: Frequencies are required lying outside") +
                             " the range of your user-supplied " + reader.subject + " spectrum.");
            write_record(IOOUT, reader.advice);
            write_record(IOOUT, "     Required Interval: " + E(WARRAY.front(), 9, 3) + " to " +
                                    E(WARRAY.back(), 9, 3) + " radians/sec");
            std::int32_t LBACK = 0;
            ABORT0(IOOUT, keyboard_unit, LBACK);
            if (LBACK == -1)
                stop_program(StopKind::user_choice);
        }
        return 0.0f;
    }
    float S = 0.0f;
    INTERP(WARRAY, WSPEC, W, S, MIN);
    return S;
}

} // namespace

float WNDSPC(float W0, float VEL, float WNDDEN, std::int32_t NUNTS, std::int32_t WNDTYP,
             float APIPRM, float WSPEC_HGT, float& V_ADJ_RAT, int IOSCRN) {
    float VELP = 0.0f;
    float L = 0.0f;
    float ZREF = 0.0f;
    if (NUNTS == 0) {
        VELP = VEL * 1.6867f;
        L = 626.67f;
        ZREF = 32.81f;
    } else if (NUNTS == 1) {
        VELP = VEL * 0.5139f;
        L = 191.0f;
        ZREF = 10.0f;
    } else {
        quit_after(IOSCRN, " >>! NUNTS error in WNDSPC, <RETURN> to quit");
    }
    V_ADJ_RAT = 1.0f;
    switch (WNDTYP) {
    case 1: {
        // A calm has no gusts: the length-scale form would divide by the zero speed.
        if (VELP == 0.0f)
            return 0.0f;
        const float X = W0 * L / VELP;
        return 0.02f * VELP * L * X / std::pow(1.0f + X * X, 1.333333f);
    }
    case 2:
        return WNDDEN;
    case 3:
        return 0.0f;
    case 4: {
        if (!(APIPRM > 0.0f))
            quit_after(IOSCRN, " >>! API parameter error in WNDSPC, <RETURN> to quit");
        if (VELP == 0.0f) // a calm: the peak frequency would be 0
            return 0.0f;
        const float WP = APIPRM * VELP * two_pi_single / ZREF;
        return 0.02676f * VELP * VELP / (WP * std::pow(1.0f + 1.5f * W0 / WP, 1.66667f));
    }
    case 5: {
        const float h = NUNTS == 0 ? WSPEC_HGT / 32.81f : WSPEC_HGT * 0.1f;
        const float u = VEL * 0.05139f;
        const float C = 0.0573f * std::sqrt(1.0f + 1.5f * u);
        const float zc = std::exp(-1.0f / C);
        if (h > 1.01f * zc) {
            const float r = 1.0f + C * std::log(h);
            V_ADJ_RAT = 1.0f / (r * r);
        } else {
            V_ADJ_RAT = 0.0f;
        }
        if (u == 0.0f) // a calm: no fluctuation (the frequency scale divides by the speed)
            return 0.0f;
        const float f =
            (W0 / two_pi_single) * 172.0f * std::pow(h, 0.6666667f) / std::pow(u, 0.75f);
        float S = (320.0f / two_pi_single) * u * u * std::pow(h, 0.45f) /
                  std::pow(1.0f + std::pow(f, 0.468f), 3.5612535f);
        if (NUNTS == 0)
            S = S * 10.764f;
        return S;
    }
    case 6:
        return UWNDSPEC(W0, IOSCRN, "WINDSPEC.txt");
    default:
        if (!store.type_warned) {
            store.type_warned = true;
            write_record(IOSCRN, " ++> Warning: Wind spectrum type " + std::to_string(WNDTYP) +
                                     " is not defined; its spectral density is taken as 0.");
        }
        return 0.0f;
    }
}

float CURSPC(float W0, float CURDEN, std::int32_t CURTYP, int IOSCRN) {
    switch (CURTYP) {
    case 0:
        return 0.0f;
    case 1:
        return CURDEN;
    case 3:
        return W0 <= 0.1257f ? CURDEN : 0.0f;
    default:
        return UCURSPEC(W0, IOSCRN, "CRNTSPEC.txt");
    }
}

float UWNDSPEC(float W, int IOOUT, std::string_view USERDAT) {
    return user_spectrum(store.wind, W, IOOUT, USERDAT);
}

float UCURSPEC(float W, int IOOUT, std::string_view USERDAT) {
    return user_spectrum(store.current, W, IOOUT, USERDAT);
}

} // namespace lintar
