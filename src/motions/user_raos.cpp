// motions/user_raos.cpp: USRRAO, CINTRP4 and UNITRAO.
#include "motions/user_raos.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "motions/response_indices.h"
#include "runtime/assert.h"
#include "runtime/input_fields.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/bilinear.h"
#include "util/file_services.h"
#include "util/prompts.h"
#include "util/table_search.h"
#include "util/user_tables.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace lintar {

namespace {

constexpr int rao_file_unit = 32;
constexpr std::size_t plane_size =
    static_cast<std::size_t>(max_user_rao_frequencies) * max_user_rao_headings;

// The table of the file last read, its name and the run's warning flag.
struct UserRaoTable {
    std::int32_t NFREQ = 0;
    std::int32_t NAZ = 0;
    std::array<float, max_user_rao_frequencies> WARRAY{};
    std::array<float, max_user_rao_headings> DEGARR{};
    // CURAO(i, j, k): frequency i, heading j, degree of freedom k, stored by columns with the
    // leading dimensions 121 and 145. Empty until a file is read (read_table sizes and zeroes
    // it): most runs read no user RAOs, and the 842 KB would only cost every start.
    std::vector<std::complex<float>> CURAO;
};

struct UserRaoStore {
    std::string LASTFILE = "========     "; // matches no file name
    bool FRSTIM = true;
    bool missing = false; // IERR: the file held is missing; unit RAOs stand in for it
    bool WARN1 = false;   // the frequency warning has been given in this run
    UserRaoTable table;
};

UserRaoStore store;
const StateReset reset_store{[] { store = UserRaoStore{}; }, StoreKind::analysis};

// True when the first n values rise strictly or fall strictly: BSRCH brackets in either
// direction, and a repeated value would make an interpolation cell of no width.
bool strictly_monotonic(std::span<const float> v, std::int32_t n) {
    return keeps_order(v.first(static_cast<std::size_t>(n)), AbscissaOrder::monotonic);
}

// The refusal of a table the interpolation cannot use: the lines, the Return pause, an error
// stop.
[[noreturn]] void refuse_table(const std::string& line1, const std::string& line2,
                               const std::string& name, int EDUNIT) {
    fatal_stop(EDUNIT, keyboard_unit, {line1, line2, "      file name " + name});
}

std::string dimensions(std::int32_t NFREQ, std::int32_t NAZ) {
    return "[" + std::to_string(NFREQ) + "," + std::to_string(NAZ) + "]";
}

// Reads the open file into TABLE, its RAO store sized and zeroed first; ends the run on a read
// error, an early end, or counts or abscissae the interpolation cannot use. The unit is closed
// before the checks of the lists.
void read_table(UserRaoTable& T, const std::string& name, int EDUNIT) {
    T.CURAO.assign(6 * plane_size, std::complex<float>{});
    const auto next_line = [] { return read_line(rao_file_unit); };
    const auto read_error = [&] {
        close_unit(rao_file_unit);
        FILERR(name, "USRRAO", EDUNIT, keyboard_unit);
    };
    {
        ListReader header(next_line);
        if (header.read(T.NFREQ) != ListStatus::ok || header.read(T.NAZ) != ListStatus::ok)
            read_error();
    }
    if (T.NFREQ > max_user_rao_frequencies || T.NAZ > max_user_rao_headings) {
        close_unit(rao_file_unit);
        fatal_stop(EDUNIT, keyboard_unit,
                   {" ++>  User-supplied RAO array dimensions = " + dimensions(T.NFREQ, T.NAZ) +
                        " out of range;",
                    "      maximum allowable array dimensions = " +
                        dimensions(max_user_rao_frequencies, max_user_rao_headings)});
    }
    // A table needs an interpolation cell in both directions: two frequencies, two headings.
    if (T.NFREQ < 2 || T.NAZ < 2) {
        close_unit(rao_file_unit);
        refuse_table(" ++>  User-supplied RAO array dimensions = " + dimensions(T.NFREQ, T.NAZ) +
                         " out of range;",
                     "      minimum allowable array dimensions = " + dimensions(2, 2), name,
                     EDUNIT);
    }
    for (std::int32_t j = 1; j <= T.NAZ; ++j) {
        if (ListReader(next_line).read(T.DEGARR[slot(j)]) != ListStatus::ok)
            read_error();
        for (std::int32_t i = 1; i <= T.NFREQ; ++i) {
            ListReader row(next_line);
            if (row.read(T.WARRAY[slot(i)]) != ListStatus::ok)
                read_error();
            for (std::size_t k = 0; k < 6; ++k) {
                float re = 0.0f;
                float im = 0.0f;
                if (row.read(re) != ListStatus::ok || row.read(im) != ListStatus::ok)
                    read_error();
                T.CURAO[slot(i) + slot(j) * max_user_rao_frequencies + k * plane_size] = {re, im};
            }
        }
    }
    HCLOSE(rao_file_unit, name, "USRRAO", EDUNIT);
    if (!strictly_monotonic(T.WARRAY, T.NFREQ))
        refuse_table(" ++>  User-supplied RAO frequencies out of order;",
                     "      they must rise or fall strictly", name, EDUNIT);
    if (!strictly_monotonic(T.DEGARR, T.NAZ))
        refuse_table(" ++>  User-supplied RAO headings out of order;",
                     "      they must rise or fall strictly", name, EDUNIT);
}

// The abort pause of a warning: an abort stops as the user chose, an unattended run (which
// cannot be asked) with an error.
void warning_pause(int EDUNIT) {
    ABORT0(EDUNIT, keyboard_unit, TPCM.LBACK);
    if (TPCM.LBACK < 0)
        stop_program(StopKind::user_choice);
    if (EDUNIT == diagnostics_unit)
        stop_program(StopKind::error);
}

// Loads file NAME: the table, or the missing-file state after the warning. The name is held
// only after either outcome is settled.
void load(const std::string& name, int EDUNIT) {
    close_unit(rao_file_unit);
    if (!open_unit(rao_file_unit, file_name_of_field(name), OpenStatus::old_file,
                   FileForm::formatted)) {
        write_record(EDUNIT, " ++> Warning: User-supplied vessel RAOs \"" +
                                 file_name_of_field(name) + "\" not found;");
        write_record(EDUNIT, "     Dimensionless RAOs will default to unity.");
        warning_pause(EDUNIT);
        store.missing = true;
    } else {
        // Read into a fresh table: a refused file leaves the one held before untouched.
        auto fresh = std::make_unique<UserRaoTable>();
        read_table(*fresh, name, EDUNIT);
        store.table = std::move(*fresh);
        store.missing = false;
    }
    store.FRSTIM = false;
    store.LASTFILE = name;
}

} // namespace

// CINTRP4: see the header.
void CINTRP4(std::span<const std::complex<float>> CPLXAR, std::span<const float> WARRAY,
             std::span<const float> ANGARR, float WVAL, float AVAL, std::complex<float>& CXOUT,
             std::int32_t MINW, std::int32_t MINA, std::int32_t NFREQ, std::int32_t NAZ) {
    (void)NFREQ;
    (void)NAZ;
    CXOUT =
        bilinear_in_cell(CPLXAR, max_user_rao_frequencies, WARRAY, ANGARR, WVAL, AVAL, MINW, MINA);
}

// UNITRAO: see the header.
void UNITRAO(float FREQ, float WVANGL, std::complex<float>& SGRAO, std::complex<float>& SWRAO,
             std::complex<float>& HVRAO, std::complex<float>& PTRAO, std::complex<float>& RLRAO,
             std::complex<float>& YWRAO) {
    (void)FREQ;
    (void)WVANGL;
    const std::complex<float> turn(0.5f, 0.8660254f); // 60 degrees
    SGRAO = {std::sqrt(0.5f), std::sqrt(0.5f)};
    SWRAO = SGRAO * turn;
    HVRAO = SWRAO * turn;
    RLRAO = HVRAO * turn;
    PTRAO = RLRAO * turn;
    YWRAO = PTRAO * turn;
}

// USRRAO: see the header.
void USRRAO(std::string_view DATFIL) {
    HimemBlock& H = HIMEM;
    const int EDUNIT = TPCM.EDUNIT;
    const std::string name = name_field13(DATFIL);
    if (store.FRSTIM || name != store.LASTFILE)
        load(name, EDUNIT);

    const UserRaoTable& T = store.table;
    LINTAR_ASSERT(store.missing || T.CURAO.size() == 6 * plane_size, "user RAO table read");
    const float DEGTMP = H.REDANG(WAVCOM.IRAO);
    const std::span<const float> WARRAY(T.WARRAY.data(), static_cast<std::size_t>(T.NFREQ));
    const std::span<const float> DEGARR(T.DEGARR.data(), static_cast<std::size_t>(T.NAZ));
    for (int IW = 1; IW <= TPCM.NWP; ++IW) {
        H.IW = IW;
        INDXUP();
        const float omega = H.RLDUM(H.LW);
        std::array<std::complex<float>, 6> C{};
        if (store.missing) {
            UNITRAO(omega, DEGTMP, C[0], C[1], C[2], C[4], C[3], C[5]);
        } else {
            std::int32_t IERA = 0;
            std::int32_t MINA = 1;
            std::int32_t IERW = 0;
            std::int32_t MINW = 1;
            BSRCH(DEGARR, DEGTMP, IERA, MINA, T.NAZ);
            BSRCH(WARRAY, omega, IERW, MINW, T.NFREQ);
            if ((IERW == 1 || IERW == 2) && !store.WARN1) {
                write_record(EDUNIT, " ++> Warning: Frequency outside user-supplied RAO range;");
                write_record(EDUNIT, "     \"continue\" to extrapolate outside available range.");
                warning_pause(EDUNIT);
                store.WARN1 = true;
            }
            for (std::size_t k = 0; k < 6; ++k)
                CINTRP4(std::span<const std::complex<float>>(&T.CURAO[k * plane_size], plane_size),
                        WARRAY, DEGARR, omega, DEGTMP, C[k], MINW, MINA, T.NFREQ, T.NAZ);
        }
        // Rotations per unit wave slope become rotations per unit wave amplitude.
        const float k_wave = H.RLDUM(H.LWK);
        for (std::size_t k = 3; k < 6; ++k)
            C[k] *= k_wave;
        // Surge and sway from the centre of gravity to the pitch and roll centres.
        C[0] += (H.VTCRP - TPCM.VKG) * C[4];
        C[1] -= (H.VTCRR - TPCM.VKG) * C[3];
        H.CRLDUM(H.LSG) = C[0];
        H.CRLDUM(H.LSW) = C[1];
        H.CRLDUM(H.LHV) = C[2];
        H.CRLDUM(H.LRL) = C[3];
        H.CRLDUM(H.LPT) = C[4];
        H.CRLDUM(H.LYA) = C[5];
    }
}

} // namespace lintar
