// util/coordinate_editor.cpp: the editor of a list of points given as (x, y, z) rows.
#include "util/coordinate_editor.h"

#include "blocks/block_support.h"
#include "runtime/assert.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/answer_reader.h"
#include "util/prompts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace lintar {

namespace {

// The working copies hold this many rows; beyond it rotations are refused.
constexpr std::int32_t copy_rows = 150;

// The range operations, numbered on from the rows.
enum RowOperation : std::int32_t {
    copy_row = 1,
    copy_paste = 2,
    delete_rows = 3,
    insert_rows = 4,
    translate = 5,
    rotate = 6,
    fill_row = 7,
    fill_group = 8,
    revert = 9,
};

using Row = std::array<double, 3>;

// 1-based row access to the caller's 3 by N rows.
struct Rows {
    std::span<float> R;
    float& at(std::int32_t coordinate, std::int32_t row) const {
        return R[3 * slot(row) + slot(coordinate)];
    }
    Row get(std::int32_t row) const { return {at(1, row), at(2, row), at(3, row)}; }
    void set(std::int32_t row, const Row& value) const {
        for (int c = 1; c <= 3; ++c)
            at(c, row) = static_cast<float>(value[slot(c)]);
    }
};

// (x, y) turned by the matrix of LODROT (the product ROT times (x, y) in double precision);
// z is kept.
Row turned(const Row& row, const double ROT[4]) {
    return {ROT[0] * row[0] + ROT[2] * row[1], ROT[1] * row[0] + ROT[3] * row[1], row[2]};
}

// clang-format off
constexpr std::string_view menu_items[] = {
    ") Copy a single row to a range of rows",
    ") Copy-Paste a range of rows",
    ") Delete a range of rows & collapse array",
    ") Insert null rows & expand array",
    ") Translate a range of rows by a constant vector (dx,dy,dz)",
    ") Rotate a range of rows counter-clockwise about z axis",
    ") Fill a range of rows with incremental rotations of a selected row",
    ") Fill array with incremental rotations of a contiguous group of rows",
    ") Revert to initial, unmodified coordinates",
};

// The help topics, one per menu item.
const std::vector<std::string_view> help_topics[] = {
    {"     Copies one chosen source row into each row of a range of rows.",
     "     Enter the destination range as first,last (e.g.: 1,3), then the",
     "     source row."},
    {"     Copies a contiguous range of source rows to another place in the",
     "     array, starting at the paste row. Enter the source range as",
     "     first,last (e.g.: 1,3), then the starting row for the paste."},
    {"     Eliminates a range of rows by collapsing the array upwards; the",
     "     last rows repeat the last row. Enter the range as first,last",
     "     (e.g.: 1,3)."},
    {"     Expands the array downwards, pushing the last rows off the end,",
     "     and inserts null rows in the range. Enter the range as first,last",
     "     (e.g.: 1,3)."},
    {"     Translates the selected rows by a user-specified 3-vector. Enter",
     "     the range as first,last (e.g.: 1,4), then the vector as dx,dy,dz."},
    {"     Rotates the (x,y) values of a range of rows counter-clockwise about",
     "     the z axis, by one angle for all rows. Enter the angle in degrees,",
     "     then the range as first,last (e.g.: 1,4)."},
    {"     Fills a range of rows with sequentially rotated copies of a baseline",
     "     row, each rotated relative to the row before it: for points with",
     "     periodic azimuthal symmetry, such as the fairleads of a round buoy",
     "     or turret. Enter the angle in degrees, the range as first,last",
     "     (e.g.: 1,3), then the source row."},
    {"     Fills the array with rotated copies of a contiguous group of rows:",
     "     for layouts of three or more bundles of two or more closely spaced",
     "     fairleads. Enter the angle in degrees, the group as first,last",
     "     (e.g.: 1,3), then the number of copies."},
    {"     Reverts to the values on entry to this window, for a global change",
     "     executed by mistake."},
};
// clang-format on

void show_help_topic(int IOSCRN, std::int32_t topic) {
    write_record(IOSCRN, " " + I(topic, 1) + std::string(menu_items[slot(topic)]));
    for (const auto line : help_topics[slot(topic)])
        write_record(IOSCRN, line);
    write_record(IOSCRN, "");
}

// A row range typed as integers (count of them read, presets 0); nothing for a blank answer.
std::optional<std::array<std::int32_t, 3>> ask_integers(std::string_view prompt, std::int32_t count,
                                                        int IOSCRN, int KBD) {
    WRTLIN(prompt, IOSCRN);
    std::array<std::int32_t, 3> values = {0, 0, 0};
    bool CR = false;
    READNI(std::span(values).first(static_cast<std::size_t>(count)), count, KBD, IOSCRN, CR);
    if (CR)
        return std::nullopt;
    return values;
}

struct Range {
    std::int32_t first, last;
};

// A (first,last) range checked against the rows; with `ordered`, last < first is refused too.
std::optional<Range> ask_range(std::string_view prompt, std::int32_t N, bool ordered, int IOSCRN,
                               int KBD, std::int32_t count = 2) {
    const auto values = ask_integers(prompt, count, IOSCRN, KBD);
    if (!values)
        return std::nullopt;
    std::int32_t IERR = 0;
    for (int k = 0; k < 2; ++k) {
        INDXCHK((*values)[static_cast<std::size_t>(k)], N, IERR, IOSCRN, KBD);
        if (IERR != 0)
            return std::nullopt;
    }
    const Range range{(*values)[0], (*values)[1]};
    if (ordered && range.last < range.first) {
        INDXERR(IOSCRN, KBD);
        return std::nullopt;
    }
    return range;
}

// One row number, read and checked like a range.
std::optional<std::int32_t> ask_row(std::string_view prompt, std::int32_t N, int IOSCRN, int KBD) {
    const auto values = ask_integers(prompt, 1, IOSCRN, KBD);
    if (!values)
        return std::nullopt;
    std::int32_t IERR = 0;
    INDXCHK((*values)[0], N, IERR, IOSCRN, KBD);
    if (IERR != 0)
        return std::nullopt;
    return (*values)[0];
}

void show_rows(std::string_view CTYPE, const Rows& rows, std::int32_t N, bool CHGFLG, int IOSCRN) {
    std::string heading = " ++> Enter ";
    heading += CTYPE;
    write_record(IOSCRN, heading);
    write_record(IOSCRN, X(5) + "       x          y          z");
    for (std::int32_t i = 1; i <= N; ++i)
        write_record(IOSCRN, " " + I(i, 3) + ") " + F(rows.at(1, i), 11, 2) +
                                 F(rows.at(2, i), 11, 2) + F(rows.at(3, i), 11, 2));
    if (N == 1)
        return;
    const std::int32_t items = CHGFLG ? revert : fill_group;
    for (std::int32_t k = 1; k <= items; ++k) {
        if (k == copy_row || k == translate || k == rotate)
            write_record(IOSCRN, "");
        write_record(IOSCRN, " " + I(N + k, 3) + std::string(menu_items[slot(k)]));
    }
}

const std::string array_limit_line =
    " ++> Array limit exceeded in CORDIN; coordinate rotations disabled";

} // namespace

void LODROT(double ANGLE, double ROT[4]) {
    const double t = ANGLE / static_cast<double>(degrees_per_radian);
    ROT[0] = std::cos(t);  // ROT(1,1)
    ROT[1] = -std::sin(t); // ROT(2,1)
    ROT[2] = std::sin(t);  // ROT(1,2)
    ROT[3] = std::cos(t);  // ROT(2,2)
}

void INDXERR(int IOSCRN, int KBD) {
    write_record(IOSCRN, "");
    write_record(IOSCRN, "  >>> Row identification error...");
    std::int32_t dropped = 0;
    PRSRET(IOSCRN, KBD, dropped);
}

void INDXCHK(std::int32_t I, std::int32_t N, std::int32_t& IERR, int IOSCRN, int KBD) {
    IERR = 0;
    if (I >= 1 && I <= N)
        return;
    INDXERR(IOSCRN, KBD);
    IERR = 1;
}

void CRDHLP(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t IDENT, std::int32_t HLPFLG) {
    (void)IDENT;
    CLEAR(IOSCRN);
    const std::string stars(16, '*');
    write_record(IOSCRN, " " + stars + "  Coordinate Input Definition Notes  " + stars);
    write_record(IOSCRN, "");
    std::int32_t dropped = 0;
    if (LINE != 0) {
        write_record(IOSCRN, "");
        write_record(IOSCRN, " ++> Item Number " + I(LINE, LINE <= 9 ? 2 : 3));
        const std::int32_t topic = LINE - HLPFLG;
        if (topic >= 1 && topic <= 9) {
            show_help_topic(IOSCRN, topic);
        } else {
            write_record(IOSCRN, "");
            write_record(IOSCRN, " ++> Sorry, no help for this item ...");
            write_record(IOSCRN, "");
        }
        PRSRET(IOSCRN, KBD, dropped);
        return;
    }
    for (const auto& [first, last] : {std::pair{1, 6}, std::pair{7, 9}}) {
        for (std::int32_t topic = first; topic <= last; ++topic)
            show_help_topic(IOSCRN, topic);
        PRSRET(IOSCRN, KBD, dropped);
        CLEAR(IOSCRN);
    }
}

namespace {

// The rows as they were when the current selection was made: every copy and rotation reads its
// sources here, so overlapping source and destination ranges are safe.
using SourceRows = std::vector<Row>;

const Row& source_row(const SourceRows& sources, std::int32_t row) {
    return sources[slot(row)];
}

// edit_rows_from: a running edit of the rows from row ITEMP on, each row's values serving as
// presets, until a blank answer. Reads and writes the rows; returns whether a row was changed.
bool edit_rows_from(const Rows& rows, std::int32_t ITEMP, std::int32_t N, int IOSCRN, int KBD) {
    bool changed = false;
    for (std::int32_t k = ITEMP; k <= N; ++k) {
        float U1 = rows.at(1, k), U2 = rows.at(2, k), U3 = rows.at(3, k);
        bool CR = false;
        ENTCRD(k, U1, U2, U3, 3, IOSCRN, KBD, CR);
        if (CR)
            break;
        rows.at(1, k) = U1;
        rows.at(2, k) = U2;
        rows.at(3, k) = U3;
        changed = true;
    }
    return changed;
}

// ask_rotation: the rotation angle of a rotating item, into ROT. Beyond the working copies the
// item is refused with the array-limit line and a Return pause. Returns false when the item is
// abandoned (refused, or a blank answer).
bool ask_rotation(bool over_limit, double ROT[4], int IOSCRN, int KBD) {
    if (over_limit) {
        write_record(IOSCRN, array_limit_line);
        std::int32_t dropped = 0;
        PRSRET(IOSCRN, KBD, dropped);
        return false;
    }
    WRTLIN("Enter rotation angle (degrees): ", IOSCRN);
    float answer = 0.0f;
    bool CR = false;
    CRREAD(answer, CR, KBD);
    if (CR)
        return false;
    const double ANGLE = -static_cast<double>(answer);
    LODROT(ANGLE, ROT);
    return true;
}

// copy_single_row: one source row into each row of a destination range. Returns whether the rows
// were changed.
bool copy_single_row(const Rows& rows, const SourceRows& sources, std::int32_t N, int IOSCRN,
                     int KBD) {
    const auto range =
        ask_range("Enter (first,last) destination rows (e.g.: 1,3): ", N, true, IOSCRN, KBD);
    if (!range)
        return false;
    const auto from = ask_row("Enter source row for Copy: ", N, IOSCRN, KBD);
    if (!from)
        return false;
    for (std::int32_t k = range->first; k <= range->last; ++k)
        rows.set(k, source_row(sources, *from));
    return true;
}

// copy_paste_rows: a contiguous range of rows copied to start at the paste row, cut at the last
// row. Returns whether the rows were changed.
bool copy_paste_rows(const Rows& rows, const SourceRows& sources, std::int32_t N, int IOSCRN,
                     int KBD) {
    const auto range = ask_range("Enter (first,last) contiguous rows to Copy (e.g.: 1,3): ", N,
                                 false, IOSCRN, KBD);
    if (!range)
        return false;
    const auto paste = ask_row("Enter starting row for Paste: ", N, IOSCRN, KBD);
    if (!paste)
        return false;
    const std::int32_t end = std::min(*paste + range->last - range->first, N);
    for (std::int32_t k = *paste; k <= end; ++k)
        rows.set(k, source_row(sources, range->first + (k - *paste)));
    return true;
}

// delete_row_range: a range of rows removed by moving the rows below it up; the last rows repeat
// the last row. Returns whether the rows were changed.
bool delete_row_range(const Rows& rows, std::int32_t N, int IOSCRN, int KBD) {
    const auto range = ask_range("Enter (first,last) contiguous rows to delete (e.g.: 1,3): ", N,
                                 true, IOSCRN, KBD);
    if (!range)
        return false;
    const std::int32_t D = range->last - range->first + 1;
    for (std::int32_t k = range->first; k <= N; ++k)
        rows.set(k, rows.get(std::min(k + D, N)));
    return true;
}

// insert_null_rows: the rows from a range on moved down (the last ones pushed off the end) and
// the range zeroed. Returns whether the rows were changed.
bool insert_null_rows(const Rows& rows, std::int32_t N, int IOSCRN, int KBD) {
    const auto range = ask_range("Enter (first,last) contiguous rows to zero out (e.g.: 1,3): ", N,
                                 true, IOSCRN, KBD);
    if (!range)
        return false;
    const std::int32_t D = range->last - range->first + 1;
    for (std::int32_t k = N; k >= range->last + 1; --k)
        rows.set(k, rows.get(k - D));
    for (std::int32_t k = range->first; k <= range->last; ++k)
        rows.set(k, {0.0, 0.0, 0.0});
    return true;
}

// translate_rows: a range of rows, typed as reals, moved by an offset vector. Row numbers outside
// 1..N are ignored without a message. Returns whether the rows were changed.
bool translate_rows(const Rows& rows, std::int32_t N, int IOSCRN, int KBD) {
    WRTLIN("Enter (first,last) contiguous rows to translate (e.g.: 1,4) ", IOSCRN);
    float first = 0.0f, last = 0.0f, unused = 0.0f;
    bool CR = false;
    CRREAL(first, last, unused, CR, KBD);
    if (CR)
        return false;
    const auto row_of = [N](float typed) -> std::optional<std::int32_t> {
        if (!(std::fabs(typed) < 1e9f))
            return std::nullopt;
        const auto row = static_cast<std::int32_t>(std::trunc(typed));
        if (row < 1 || row > N)
            return std::nullopt;
        return row;
    };
    const auto from = row_of(first), to = row_of(last);
    if (!from || !to)
        return false;
    WRTLIN("Enter offset vector (dx,dy,dz): ", IOSCRN);
    float dx = 0.0f, dy = 0.0f, dz = 0.0f;
    CRREAL(dx, dy, dz, CR, KBD);
    if (CR)
        return false;
    for (std::int32_t k = *from; k <= *to; ++k) {
        rows.at(1, k) += dx;
        rows.at(2, k) += dy;
        rows.at(3, k) += dz;
    }
    return true;
}

// rotate_rows: a range of rows turned by ROT about the z axis. Returns whether the rows were
// changed.
bool rotate_rows(const Rows& rows, const SourceRows& sources, const double ROT[4], std::int32_t N,
                 int IOSCRN, int KBD) {
    const auto range = ask_range("Enter (first,last) contiguous rows to rotate (e.g.: 1,4) ", N,
                                 true, IOSCRN, KBD);
    if (!range)
        return false;
    for (std::int32_t k = range->first; k <= range->last; ++k)
        rows.set(k, turned(source_row(sources, k), ROT));
    return true;
}

// fill_with_turned_row: a range of rows filled with a source row, each filled row turning the
// row before it once more by ROT; z is the source row's. Returns whether the rows were changed.
bool fill_with_turned_row(const Rows& rows, const SourceRows& sources, const double ROT[4],
                          std::int32_t N, int IOSCRN, int KBD) {
    const auto range =
        ask_range("Enter (first,last) contiguous rows to fill (e.g.: 1,3): ", N, true, IOSCRN, KBD);
    if (!range)
        return false;
    const auto from = ask_row("Enter source row to rotate: ", N, IOSCRN, KBD);
    if (!from)
        return false;
    Row current = source_row(sources, *from);
    for (std::int32_t k = range->first; k <= range->last; ++k) {
        current = turned(current, ROT);
        rows.set(k, {current[0], current[1], source_row(sources, *from)[2]});
    }
    return true;
}

// fill_with_turned_group: the rows from the first on filled with copies of a contiguous group of
// rows, each copy turned once more by ROT; z is the group's. Returns whether the rows were
// changed.
bool fill_with_turned_group(const Rows& rows, const SourceRows& sources, const double ROT[4],
                            std::int32_t N, int IOSCRN, int KBD) {
    const auto group =
        ask_range("Enter (first,last) contiguous source rows in group (e.g.: 1,3): ", N, false,
                  IOSCRN, KBD, 3);
    if (!group)
        return false;
    const auto copies = ask_row("Enter number of copies of rotated group: ", N, IOSCRN, KBD);
    if (!copies)
        return false;
    const std::int32_t G = group->last - group->first + 1;
    std::vector<Row> turned_group;
    for (std::int32_t j = 1; j <= G; ++j)
        turned_group.push_back(source_row(sources, group->first + j - 1));
    for (std::int32_t k = 1; k <= *copies && G > 0; ++k) {
        for (std::int32_t j = 1; j <= G; ++j) {
            const std::int32_t row = (k - 1) * G + j;
            if (row > N)
                break;
            const Row& xy = turned_group[slot(j)];
            rows.set(row, {xy[0], xy[1], rows.at(3, group->first + j - 1)});
        }
        for (auto& member : turned_group)
            member = turned(member, ROT);
    }
    return true;
}

// apply_range_item: the range operation `item` of the menu (all but the revert). Reads the
// keyboard through KBD; returns whether the rows were changed.
bool apply_range_item(std::int32_t item, const Rows& rows, const SourceRows& sources,
                      const double ROT[4], std::int32_t N, int IOSCRN, int KBD) {
    switch (item) {
    case copy_row:
        return copy_single_row(rows, sources, N, IOSCRN, KBD);
    case copy_paste:
        return copy_paste_rows(rows, sources, N, IOSCRN, KBD);
    case delete_rows:
        return delete_row_range(rows, N, IOSCRN, KBD);
    case insert_rows:
        return insert_null_rows(rows, N, IOSCRN, KBD);
    case translate:
        return translate_rows(rows, N, IOSCRN, KBD);
    case rotate:
        return rotate_rows(rows, sources, ROT, N, IOSCRN, KBD);
    case fill_row:
        return fill_with_turned_row(rows, sources, ROT, N, IOSCRN, KBD);
    case fill_group:
        return fill_with_turned_group(rows, sources, ROT, N, IOSCRN, KBD);
    default:
        return false; // shown again, nothing changed
    }
}

} // namespace

void CORDIN(std::string_view CTYPE, std::span<float> R, std::int32_t N, int IOSCRN, int KBD,
            std::int32_t& ITEMP, std::int32_t& LCOPY, std::int32_t& IPAG) {
    LINTAR_ASSERT(N >= 0 && static_cast<std::size_t>(3 * N) <= R.size(), "rows of the editor");
    const Rows rows{R};
    const bool over_limit = N > copy_rows;
    if (over_limit && LCOPY == 0) {
        CLEAR(IOSCRN);
        write_record(IOSCRN, array_limit_line);
        write_record(IOSCRN, "");
        std::int32_t answer = 0;
        ABORT0(IOSCRN, KBD, answer);
        if (answer == -1)
            return;
    }
    // The rows on entry, for the revert item (the first 150 rows).
    std::vector<Row> RSAVE;
    for (std::int32_t i = 1; i <= std::min(N, copy_rows); ++i)
        RSAVE.push_back(rows.get(i));
    bool CHGFLG = false;
    // The sources of the copies and rotations hold every row, so the copy items stay right
    // beyond 150 rows too.
    SourceRows RTDP2(static_cast<std::size_t>(N));

    for (;;) {
        if (LCOPY == 0)
            CLEAR(IOSCRN);
        show_rows(CTYPE, rows, N, CHGFLG, IOSCRN);
        if (LCOPY >= 1) {
            TWOPG(LCOPY, IOSCRN);
            ITEMP = 0;
            return;
        }
        for (std::int32_t i = 1; i <= N; ++i)
            RTDP2[slot(i)] = rows.get(i);
        ENTSEL(ITEMP, IOSCRN, KBD, IPAG);

        if (ITEMP == code_help) {
            if (N == 1)
                CRDHLP(IOSCRN, KBD, 1, 0, 1);
            else
                CRDHLP(IOSCRN, KBD, IPAG, 0, N);
            continue;
        }
        if (ITEMP == code_redraw)
            continue;
        if (ITEMP < 1)
            return;
        if (ITEMP <= N) {
            if (edit_rows_from(rows, ITEMP, N, IOSCRN, KBD))
                CHGFLG = true;
            continue;
        }
        const std::int32_t item = N == 1 ? ITEMP : ITEMP - N;
        double ROT[4] = {1.0, 0.0, 0.0, 1.0};
        if ((N == 1 && item >= 7 && item <= 9) ||
            (N > 1 && (item == rotate || item == fill_row || item == fill_group))) {
            if (!ask_rotation(over_limit, ROT, IOSCRN, KBD))
                continue;
        }
        if (N == 1)
            continue; // one row has no menu

        if (item != revert) {
            if (apply_range_item(item, rows, RTDP2, ROT, N, IOSCRN, KBD))
                CHGFLG = true;
        } else if (CHGFLG) {
            for (std::int32_t i = 1; i <= static_cast<std::int32_t>(RSAVE.size()); ++i)
                rows.set(i, RSAVE[slot(i)]);
            CHGFLG = false;
        }
    }
}

} // namespace lintar
