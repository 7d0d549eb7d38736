// offsets/offset_report.cpp: the table writer of the offset report, its range warnings and
// the list of offsets that failed to converge.
#include "offsets/offset_report.h"

#include "blocks/tpcm.h"
#include "offsets/line_pages.h"
#include "offsets/report_frame.h"
#include "offsets/summary_tables.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/flags.h"
#include "util/prompts.h"

#include <algorithm>

namespace lintar {

namespace {

// Entry IREP of a table of directions (3 values each) or angles, or zeros when the repetition
// lies outside the table: the box is never fed from words beyond the data file's arrays.
std::array<float, 3> direction(std::span<const float, 30> table, std::int32_t IREP) {
    if (IREP < 1 || IREP > 10)
        return {};
    const auto k = 3 * slot(IREP);
    return {table[k], table[k + 1], table[k + 2]};
}

template <std::size_t N> float angle(std::span<const float, N> table, std::int32_t IREP) {
    if (IREP < 1 || IREP > static_cast<std::int32_t>(N))
        return 0.0f;
    return table[slot(IREP)];
}

// F of OFF(row), or asterisks when OFF holds no such row.
std::string offset_field(std::span<const float> OFF, std::int32_t row, int w, int d) {
    if (row < 1 || static_cast<std::size_t>(row) > OFF.size())
        return std::string(static_cast<std::size_t>(w), '*');
    return F(OFF[slot(row)], w, d);
}

} // namespace

// TBLOT1: sets the offset-column labels, cuts the rows at the first out-of-range row (NOCUT
// 0), picks the page head's direction data for the run kind and writes the table.
OffsetReportOptions offset_report_options() {
    OffsetReportOptions o;
    o.IUNIT = TPCM.IUNIT;
    o.EDUNIT = TPCM.EDUNIT;
    o.NUNTS = TPCM.NUNTS;
    o.NLIN = TPCM.NLIN;
    o.IARCO = TPCM.IARCO;
    o.HAWSLN = TPCM.HAWSLN;
    o.HAWSTP = TPCM.HAWSTP;
    o.RMCTR = {TPCM.RMCTR(1), TPCM.RMCTR(2), TPCM.RMCTR(3)};
    o.TRIMDG = TPCM.TRIMDG;
    o.HEELDG = TPCM.HEELDG;
    o.AUXFRC = TPCM.AUXFRC;
    o.CRDSYS = TPCM.CRDSYS;
    o.XVFRC = TPCM.XVFRC;
    o.YVFRC = TPCM.YVFRC;
    o.VESMOM = TPCM.VESMOM;
    o.FCVES = TPCM.FCVES;
    o.TQVES = TPCM.TQVES;
    o.XINIT = TPCM.XINIT;
    o.YINIT = TPCM.YINIT;
    o.ZINIT = TPCM.ZINIT;
    o.YWINIT = TPCM.YWINIT;
    std::copy(std::begin(TPCM.PHIL_words), std::end(TPCM.PHIL_words), o.PHIL.begin());
    std::copy(std::begin(TPCM.PHIY_words), std::end(TPCM.PHIY_words), o.PHIY.begin());
    std::copy(std::begin(TPCM.OBLVEC_words), std::end(TPCM.OBLVEC_words), o.OBLVEC.begin());
    std::copy(std::begin(TPCM.OBLPTY_words), std::end(TPCM.OBLPTY_words), o.OBLPTY.begin());
    std::copy(std::begin(TPCM.FAPPNT_words), std::end(TPCM.FAPPNT_words), o.FAPPNT.begin());
    std::copy(std::begin(TPCM.FRCVEC_words), std::end(TPCM.FRCVEC_words), o.FRCVEC.begin());
    std::copy(std::begin(TPCM.TRQVEC_words), std::end(TPCM.TRQVEC_words), o.TRQVEC.begin());
    std::copy(std::begin(TPCM.RCTDIR_words), std::end(TPCM.RCTDIR_words), o.RCTDIR.begin());
    return o;
}

void TBLOT1(std::span<const float> OFF, std::span<const float> ARRAY, std::int32_t IDENT,
            std::int32_t TABTYP, std::int32_t IREP, std::int32_t NPAG,
            const OffsetTableRecords& records, std::int32_t AUXDSP, std::int32_t MTCHFT,
            std::int32_t NOCUT, std::span<const float, 3> ROTCTR, std::int32_t& NROW,
            const OffsetReportOptions& options, const OffsetReportInputs& inputs) {
    const std::int32_t OVRFLO = records.OVRFLO;
    const std::int32_t NOVFLO = records.NOVFLO;
    const std::int32_t SPNERR = records.SPNERR;
    const std::int32_t NVTOFL = records.NVTOFL;
    const std::span<const float, 10> PHIL(options.PHIL);
    const std::span<const float, 2> PHIY(options.PHIY);
    const std::span<const float, 30> OBLVEC(options.OBLVEC);
    const std::span<const float, 10> OBLPTY(options.OBLPTY);
    const std::span<const float, 30> FRCVEC(options.FRCVEC);
    const std::span<const float, 30> TRQVEC(options.TRQVEC);
    const std::span<const float, 30> RCTDIR(options.RCTDIR);
    TableCall call;
    call.OFF = OFF;
    call.ARRAY = ARRAY;
    call.IDENT = IDENT;
    call.TABTYP = TABTYP;
    call.NPAG = NPAG;
    call.OVRFLO = OVRFLO;
    call.BADLIN = records.BADLIN;
    call.NOVFLO = NOVFLO;
    call.SPNERR = SPNERR;
    call.VRTBAD = records.VRTBAD;
    call.NVTOFL = NVTOFL;
    call.AUXDSP = AUXDSP;
    call.MTCHFT = MTCHFT;
    call.FCVES = options.FCVES;
    call.TQVES = options.TQVES;
    call.NOCUT = NOCUT;
    call.XINIT = options.XINIT;
    call.YINIT = options.YINIT;
    call.ZINIT = options.ZINIT;
    call.YWINIT = options.YWINIT;
    call.FAPPNT = options.FAPPNT;
    std::copy(ROTCTR.begin(), ROTCTR.end(), call.ROTCTR.begin());
    call.FRSTFL = records.FRSTFL;
    call.ITFLWN = records.ITFLWN;
    call.NITRFL = records.NITRFL;
    call.options = &options;
    call.inputs = &inputs;

    // Offset-column labels.
    const std::string L = length_label(options.NUNTS);
    if (TABTYP == 2 || TABTYP == 3) {
        call.offset_label = " (deg)  ";
        call.offset_unit = " deg";
    } else if (TABTYP == 7 || TABTYP == 8) {
        call.offset_label = " Number ";
    } else {
        call.offset_label = "  (" + L + ")  ";
        call.offset_unit = " " + L + " ";
    }

    // Row cut. The overflow row can only shorten the table: a cut never brings back rows the
    // caller did not compute.
    if (NOCUT == 0) {
        if (OVRFLO == 1)
            NROW = std::min(NROW, NOVFLO - 1);
        if (SPNERR != 0 && NROW > NVTOFL - 1)
            NROW = NVTOFL - 1;
        NROW = std::max(NROW, std::int32_t{0});
    }
    call.NROW = NROW;

    // The box's data: only what the box of this kind shows.
    switch (TABTYP) {
    case 1:
        call.box_angle = angle(PHIL, IREP);
        break;
    case 2:
        call.box_angle = angle(PHIY, IREP);
        break;
    case 3:
        call.box_angle = angle(OBLPTY, IREP);
        call.box_vector = direction(OBLVEC, IREP);
        break;
    case 5:
        call.box_vector = direction(RCTDIR, IREP);
        break;
    case 6:
        call.box_vector = IREP >= 1 && IREP <= 10 ? direction(RCTDIR, IREP) : inputs.user_direction;
        break;
    case 7:
        call.box_vector = direction(FRCVEC, IREP);
        call.box_moment_axis = direction(TRQVEC, IREP);
        break;
    case 8:
        call.box_vector = direction(TRQVEC, IREP);
        break;
    default:
        break;
    }

    if ((IDENT >= 21 && IDENT <= 26) || (IDENT >= 94 && IDENT <= 99)) {
        write_section_page(call);
        if (IDENT >= 94)
            write_summary_table(call);
        else if (IDENT <= 22)
            write_net_loads(call);
        else
            write_stiffness_matrices(call);
    } else if (IDENT >= 1 && IDENT <= 13) {
        write_line_pages(call);
    } else {
        PAGE(options.IUNIT, options.EDUNIT, 1, 99);
    }
}

// OVFWRN: the warnings for the first offset beyond a line's lateral table and the first
// fairlead outside the vertical interpolation span. Writes to unit IUNIT only.
void OVFWRN(std::int32_t OVRFLO, std::int32_t NOVFLO, std::int32_t BADLIN, std::int32_t SPNERR,
            std::int32_t NVTOFL, std::int32_t VRTBAD, std::int32_t NROW, std::int32_t NOCUT,
            std::span<const float> OFF, int IUNIT, std::int32_t TABTYP) {
    (void)NOCUT;
    if (OVRFLO == 1 && NROW >= NOVFLO - 1) {
        write_record(IUNIT, "");
        write_record(IUNIT, " ++> Offset range exceeded lateral interpolation table bounds.");
        write_record(IUNIT, "     First occurrence was in mooring line " + I(BADLIN, 3) +
                                ", offset value " + offset_field(OFF, NOVFLO, 7, 2));
    }
    if (SPNERR != 0 && NROW >= NVTOFL - 1) {
        if (TABTYP == 3) {
            write_record(IUNIT, "");
            write_record(IUNIT, " ++> Rotation of more than " + offset_field(OFF, NVTOFL, 6, 1) +
                                    " degrees moves fairlead number " + I(VRTBAD, 3) + ", and");
            write_record(
                IUNIT, "     possibly others, outside the specified vertical interpolation span.");
        } else if (TABTYP == 4 || TABTYP == 5 || TABTYP == 7 || TABTYP == 8) {
            write_record(IUNIT, "");
            write_record(IUNIT, " ++> Vertical offset range exceeded vertical interpolation span.");
            write_record(IUNIT, "     First occurrence was in mooring line " + I(VRTBAD, 3) +
                                    ", offset value " + offset_field(OFF, NVTOFL, 7, 2));
        }
    }
}

// LODROW: the list of the offsets that failed to converge, in two 78-column lines.
void LODROW(std::int32_t NITRFL, std::int32_t FRSTFL, std::string& STROUT) {
    constexpr int most_listed = 25;
    constexpr int per_line = 19; // entries of 4 columns in a 78-column line
    STROUT.assign(156, ' ');
    int listed = 0;
    for (std::int32_t j = 1; j <= 31 && listed < most_listed; ++j) {
        if (BITVAL(NITRFL, j) != 1)
            continue;
        const long long number = static_cast<long long>(FRSTFL) + j - 1;
        const std::size_t at = static_cast<std::size_t>(listed / per_line) * 78 +
                               static_cast<std::size_t>(listed % per_line) * 4;
        STROUT.replace(at, 4, I(number, 3) + ",");
        ++listed;
    }
}

} // namespace lintar
