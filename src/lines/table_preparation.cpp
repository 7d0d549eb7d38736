// lines/table_preparation.cpp: trim and heel expansion and line exclusions.
#include "lines/table_preparation.h"

#include "blocks/lincom.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/algebra.h"
#include "util/angles.h"
#include "util/flags.h"
#include "util/prompts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

namespace lintar {

namespace {

constexpr int buoy_types = 12;    // SPRGBY and CLUMP hold types 1..12
constexpr int listed_lines = 120; // four 30-bit words of line numbers
constexpr int bits_per_word = 30;

// Turns the point (x, y, z) by ROTVES about the point at keel height DRAFT.
void rotate_about_keel(const std::array<float, 9>& ROTVES, float DRAFT, float& x, float& y,
                       float& z) {
    const std::array<float, 3> point{x, y, z - DRAFT};
    std::array<float, 3> turned{};
    GMPRD(ROTVES, point, turned, 3, 3, 1);
    x = turned[0];
    y = turned[1];
    z = turned[2] + DRAFT;
}

// Whether line n (1..120) is set in the four 30-bit words.
bool listed(const std::array<std::int32_t, 4>& words, int n) {
    const int word = (n - 1) / bits_per_word;
    const int bit = n - bits_per_word * word;
    return BITVAL(words[static_cast<std::size_t>(word)], bit) == 1;
}

} // namespace

// COPY2: the subline's values, its selection bit and, within types 1..12, the type's buoy and
// clump. Writes TPCM only.
void COPY2(std::int32_t IELTO, std::int32_t IELFRM, std::int32_t ITPTO, std::int32_t ITPFRM,
           const TpcmBlock& SOURCE) {
    set_field_text(TPCM.SCOMP(IELTO, ITPTO), field_text(SOURCE.SCOMP(IELFRM, ITPFRM)));
    TPCM.SLEN(IELTO, ITPTO) = SOURCE.SLEN(IELFRM, ITPFRM);
    TPCM.DIAM(IELTO, ITPTO) = SOURCE.DIAM(IELFRM, ITPFRM);
    TPCM.WETWT(IELTO, ITPTO) = SOURCE.WETWT(IELFRM, ITPFRM);
    for (int k = 1; k <= 3; ++k)
        TPCM.ALPHA(k, IELTO, ITPTO) = SOURCE.ALPHA(k, IELFRM, ITPFRM);
    TPCM.TBRK(IELTO, ITPTO) = SOURCE.TBRK(IELFRM, ITPFRM);
    TPCM.COFMST(IELTO, ITPTO) = SOURCE.COFMST(IELFRM, ITPFRM);
    TPCM.COFDMT(IELTO, ITPTO) = SOURCE.COFDMT(IELFRM, ITPFRM);
    TPCM.DRYWT(IELTO, ITPTO) = SOURCE.DRYWT(IELFRM, ITPFRM);
    TPCM.MOORDUMMY(IELTO, ITPTO) = SOURCE.MOORDUMMY(IELFRM, ITPFRM);
    BITSET(TPCM.STRESS_STRAIN_FILE(ITPTO), IELTO, BITVAL(SOURCE.STRESS_STRAIN_FILE(ITPFRM), IELFRM),
           TPCM.EDUNIT);
    if (ITPTO <= buoy_types) {
        TPCM.SPRGBY(ITPTO) = ITPFRM <= buoy_types ? SOURCE.SPRGBY(ITPFRM) : 0.0f;
        TPCM.CLUMP(ITPTO) = ITPFRM <= buoy_types ? SOURCE.CLUMP(ITPFRM) : 0.0f;
    }
}

// expand_for_trim_and_heel: the rotation ROTVES of the trim a and heel b, rows (cos a, 0,
// sin a), (sin a sin b, cos b, -cos a sin b), (-sin a cos b, sin b, cos a cos b); then the new
// types, counted down from NLIN while the old types and their lines are walked from the top.
// Every new type is copied from a snapshot of the data as loaded: copying in place would
// overwrite an old type that is still to be copied whenever some type has no lines. Reads and
// writes TPCM; EDUNIT for the notice.
void expand_for_trim_and_heel() {
    if (TPCM.TRIMDG == 0.0f && TPCM.HEELDG == 0.0f)
        return;
    const float a = TPCM.TRIMDG / degrees_per_radian;
    const float b = TPCM.HEELDG / degrees_per_radian;
    // Stored by columns: element (row r, column c) at (c - 1) x 3 + r.
    // clang-format off
    const std::array<float, 9> ROTVES{
        std::cos(a),                std::sin(a) * std::sin(b), -std::sin(a) * std::cos(b),
        0.0f,                       std::cos(b),               std::sin(b),
        std::sin(a),               -std::cos(a) * std::sin(b),  std::cos(a) * std::cos(b)};
    // clang-format on

    const int EDUNIT = TPCM.EDUNIT;
    if (TPCM.NLIN >= 2) {
        write_record(EDUNIT, "");
        write_record(EDUNIT,
                     " ++> Notice: A nonzero trim or heel angle requires adjustment of fairlead");
        write_record(EDUNIT,
                     "             locations and a separate interpolation table to be evaluated");
        write_record(EDUNIT,
                     "             for each mooring line. No changes will be made to the input ");
        write_record(EDUNIT,
                     "             file BUT line TYPE assignments in the output stream may differ");
        write_record(EDUNIT, "             from input line type assignments.");
        write_record(EDUNIT, "");
        PRSRET(EDUNIT, keyboard_unit, TPCM.LBACK);
        if (TPCM.LBACK == -1)
            stop_program(StopKind::user_choice);
    }

    rotate_about_keel(ROTVES, TPCM.DRAFT, TPCM.RMCTRG(1), TPCM.RMCTRG(2), TPCM.RMCTRG(3));

    const auto original = std::make_unique<TpcmBlock>(TPCM);
    std::array<std::int32_t, 151> LINSAV{};
    std::int32_t KTYP = TPCM.NLIN;
    for (std::int32_t t = original->NTYP; t >= 1; --t) {
        for (std::int32_t k = original->NLINE(t); k >= 1; --k) {
            const std::int32_t LINNUM = original->LINTYP(k, t);
            rotate_about_keel(ROTVES, TPCM.DRAFT, TPCM.RFLD(1, LINNUM), TPCM.RFLD(2, LINNUM),
                              TPCM.RFLD(3, LINNUM));
            LINSAV[static_cast<std::size_t>(KTYP)] = LINNUM;
            TPCM.NELEM(KTYP) = original->NELEM(t);
            TPCM.STRESS_STRAIN_FILE(KTYP) = 0;
            for (std::int32_t e = 1; e <= original->NELEM(t); ++e)
                COPY2(e, e, KTYP, t, *original);
            TPCM.ANCHGT(KTYP) = original->ANCHGT(t);
            TPCM.ANCTYP(KTYP) = original->ANCTYP(t);
            KTYP = KTYP - 1;
        }
    }
    for (std::int32_t t = 1; t <= TPCM.NLIN; ++t) {
        TPCM.NLINE(t) = 1;
        TPCM.LINTYP(1, t) = LINSAV[static_cast<std::size_t>(t)];
    }
    TPCM.NTYP = TPCM.NLIN;
}

// mark_line_exclusions: reads NLIN, NEXCLUDE, IDEXCLUDE1..4, NEXCLD_I, IDEXCLD1_I..4_I of
// TPCM; writes LINEID and INRT_EXCL of LINCOM. All four words of both lists are read, so
// lines 61 to 120 can be excluded from the inertial correction as the list allows; the
// inertial marks are cleared first, so that none survives from an earlier build.
void mark_line_exclusions() {
    const int last = std::min<int>(TPCM.NLIN, listed_lines);
    for (int i = 1; i <= lincom_lines; ++i)
        LINCOM.INRT_EXCL(i) = 0;
    if (TPCM.NEXCLUDE != 0) {
        const std::array<std::int32_t, 4> words{TPCM.IDEXCLUDE1, TPCM.IDEXCLUDE2, TPCM.IDEXCLUDE3,
                                                TPCM.IDEXCLUDE4};
        for (int i = 1; i <= last; ++i)
            if (listed(words, i))
                LINCOM.LINEID(i) += 1024;
    }
    if (TPCM.NEXCLD_I != 0) {
        const std::array<std::int32_t, 4> words{TPCM.IDEXCLD1_I, TPCM.IDEXCLD2_I, TPCM.IDEXCLD3_I,
                                                TPCM.IDEXCLD4_I};
        for (int i = 1; i <= last; ++i)
            LINCOM.INRT_EXCL(i) = listed(words, i) ? 1 : 0;
    }
}

} // namespace lintar
