// lines/strain_database.cpp: reading LINE_STRAIN_DB.txt.
#include "lines/strain_database.h"

#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/stress_strain.h"
#include "lines/table_messages.h"
#include "runtime/edit_descriptors.h"
#include "runtime/input_fields.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/file_services.h"
#include "util/prompts.h"

#include <string>

namespace lintar {

namespace {

// The last tension of a curve should reach this multiple of the largest table load.
constexpr float range_factor = 1.49f;

// A reader for one list-directed read of unit 21: it takes the records it needs.
ListReader one_read() {
    return ListReader([] { return read_line(strain_database_unit); });
}

// A read that fails or meets the end of the file ends the run through FILERR.
template <class T> void read_item(ListReader& reader, T& value, int EDUNIT) {
    if (reader.read(value) != ListStatus::ok)
        FILERR(strain_database_name, "MRSTAT", EDUNIT, keyboard_unit);
}

std::string pair_text(std::int32_t ITYP, std::int32_t IELEM) {
    return "(ityp,ielem) = (" + I(ITYP, 2) + "," + I(IELEM, 2) + ")";
}

} // namespace

// open_strain_database: unit 21 closed, then the file opened OLD; the not-found stop.
void open_strain_database(int EDUNIT) {
    close_unit(strain_database_unit);
    if (!open_unit(strain_database_unit, std::string(strain_database_name), OpenStatus::old_file,
                   FileForm::formatted))
        fatal_stop(EDUNIT, keyboard_unit,
                   {"",
                    " ++>  User-supplied stress-strain characteristics file "
                    "LINE_STRAIN_DB.txt not found",
                    ""});
}

// read_strain_curve: header, size and synchronisation checks, the points with their checks,
// the range warning and the spline. Reads unit 21; writes LINCOM's curve of (IELEM, ITYP) and
// ALPHA(1..3, IELEM, ITYP) of TPCM; messages on EDUNIT.
void read_strain_curve(std::int32_t ITYP, std::int32_t IELEM, float TLOAD, int EDUNIT) {
    LincomBlock& C = LINCOM;
    std::int32_t N = 0;
    std::int32_t ITYPQ = 0;
    std::int32_t IELEMQ = 0;
    {
        ListReader header = one_read();
        read_item(header, N, EDUNIT);
        read_item(header, ITYPQ, EDUNIT);
        read_item(header, IELEMQ, EDUNIT);
    }
    const std::string file(strain_database_name);
    if (N > lincom_curve_points)
        fatal_stop(EDUNIT, keyboard_unit,
                   {"",
                    " ++>  A stress-strain array size (" + I(N, 2) +
                        ") exceeds the maximum allowable (30)",
                    "      in " + file + ". Correct data file and re-try.", ""});
    // A curve needs two points: its first two give the starting compliance, and the spline
    // divides by the spacing of its points.
    if (N < 2)
        fatal_stop(EDUNIT, keyboard_unit,
                   {"",
                    " ++>  A stress-strain array size (" + I(N, 2) +
                        ") is below the minimum allowable ( 2)",
                    "      in " + file + " at " + pair_text(ITYP, IELEM) +
                        ". Correct data file and re-try.",
                    ""});
    if (ITYPQ != ITYP || IELEMQ != IELEM)
        fatal_stop(EDUNIT, keyboard_unit,
                   {"",
                    " ++>  Line type-subline number synchronization failed in "
                    "LINE_STRAIN_DB.txt",
                    "      at " + pair_text(ITYP, IELEM) + ". Correct data file and re-try.", ""});

    C.NSTRS_STRN(IELEM, ITYP) = N;
    float TPREV = 0.0f;
    float EPREV = 0.0f;
    for (int j = 1; j <= N; ++j) {
        float T = 0.0f;
        float E = 0.0f;
        {
            ListReader point = one_read();
            read_item(point, T, EDUNIT);
            read_item(point, E, EDUNIT);
        }
        // The spline and the bracketing searches need strictly rising tensions: two equal
        // tensions would divide by zero, falling ones fold the curve back on itself.
        if (j >= 2 && !(T > TPREV))
            fatal_stop(EDUNIT, keyboard_unit,
                       {"",
                        " ++>  Stress-strain tensions do not rise from point " + I(j - 1, 2) +
                            " to point " + I(j, 2),
                        "      in " + file + " at " + pair_text(ITYP, IELEM) +
                            ". Correct data file and re-try.",
                        ""});
        C.TENS_ARR(j, IELEM, ITYP) = T;
        C.E_ARR(j, IELEM, ITYP) = E;
        if (j == 2) {
            TPCM.ALPHA(1, IELEM, ITYP) = (C.E_ARR(2, IELEM, ITYP) - C.E_ARR(1, IELEM, ITYP)) /
                                         (C.TENS_ARR(2, IELEM, ITYP) - C.TENS_ARR(1, IELEM, ITYP));
            TPCM.ALPHA(2, IELEM, ITYP) = 0.0f;
            TPCM.ALPHA(3, IELEM, ITYP) = 0.0f;
        }
        if (E - EPREV < 0.0f || T - TPREV < 0.0f) {
            write_record(EDUNIT, "");
            write_record(EDUNIT, " ++>  Non-monotone tension or elongation array detected in "
                                 "LINE_STRAIN_DB.txt at");
            write_record(EDUNIT, "     " + pair_text(ITYP, IELEM) +
                                     ". This will likely result in a compromised simulation.");
            std::int32_t LBACK = 0;
            ABORT0(EDUNIT, keyboard_unit, LBACK);
            if (LBACK == -1)
                stop_program(StopKind::user_choice);
        }
        TPREV = T;
        EPREV = E;
    }

    if (C.TENS_ARR(N, IELEM, ITYP) < range_factor * TLOAD) {
        write_record(EDUNIT, "");
        write_record(EDUNIT,
                     " ++> Maximum tension value less than 1.5 times the maximum table range;");
        write_record(EDUNIT,
                     "     This may create problems; you should increase your tension range");
        write_record(EDUNIT, "     for " + pair_text(ITYP, IELEM) + "; in file LINE_STRAIN_DB.txt");
        write_record(EDUNIT, "");
        std::int32_t LBACK = 0;
        PRSRET(EDUNIT, keyboard_unit, LBACK);
    }

    const auto curve = [&](float* first) { return std::span<float>(first, lincom_curve_points); };
    SPLINE2(curve(&C.TENS_ARR(1, IELEM, ITYP)), curve(&C.E_ARR(1, IELEM, ITYP)), N, natural_end,
            natural_end, curve(&C.SPLINE_2DERIV(1, IELEM, ITYP)));
}

} // namespace lintar
