// util/column_editor.cpp: the full-screen editor of one column of reals, with auto repeat.
#include "util/column_editor.h"

#include "blocks/block_support.h"
#include "runtime/assert.h"
#include "runtime/edit_descriptors.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/answer_reader.h"
#include "util/prompts.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace lintar {

namespace {

constexpr std::int32_t rows_per_column = 40;
constexpr std::int32_t max_rows_shown = 4 * rows_per_column;

// The whole-column operations, numbered on from the rows in use.
enum ColumnOperation : std::int32_t {
    auto_repeat = 1,
    delete_row = 2,
    insert_row = 3,
    add_constant = 4,
    add_constant_modulo_360 = 5,
};

// One entry of the display: (I3, ")", F10.2).
std::string entry(std::int32_t row, float value) {
    return I(row, 3) + ")" + F(value, 10, 2);
}

void show_column(std::string_view HEADER, std::span<const float> UPDAT, std::int32_t NUPDAT,
                 int IOSCRN) {
    std::string heading(1, ' ');
    heading += HEADER;
    write_record(IOSCRN, heading);
    write_record(IOSCRN, "");
    const std::int32_t shown = std::min(NUPDAT, max_rows_shown);
    for (std::int32_t i = 1; i <= std::min(shown, rows_per_column); ++i) {
        std::string line = " " + entry(i, UPDAT[slot(i)]);
        for (std::int32_t k = i + rows_per_column; k <= shown; k += rows_per_column)
            line += X(6) + entry(k, UPDAT[slot(k)]);
        write_record(IOSCRN, line);
    }
}

void show_menu(std::int32_t NUPDAT, int IOSCRN) {
    static constexpr std::string_view items[] = {
        ") Auto repeat",
        ") Delete a row & collapse array",
        ") Insert a null row & expand array",
        ") Add a constant value to each array element",
        ") Add a constant value to each array element (modulo 360)",
    };
    write_record(IOSCRN, "");
    for (std::int32_t k = 1; k <= 5; ++k) {
        write_record(IOSCRN, " " + I(NUPDAT + k, 3) + std::string(items[slot(k)]));
        if (k == 1)
            write_record(IOSCRN, "");
    }
}

// A real answer after a prompt; nothing when the answer is blank or unreadable.
std::optional<float> ask_real(std::string_view prompt, int IOSCRN, int KBD) {
    WRTLIN(prompt, IOSCRN);
    float value = 0.0f;
    bool CR = false;
    CRREAD(value, CR, KBD);
    if (CR)
        return std::nullopt;
    return value;
}

// A row number typed as a real, truncated toward zero; nothing unless it lies in 1..NUPDAT
// (checked directly, so that a column with no rows in use has no row to delete).
std::optional<std::int32_t> ask_row(std::string_view prompt, std::int32_t NUPDAT, int IOSCRN,
                                    int KBD) {
    const auto answer = ask_real(prompt, IOSCRN, KBD);
    if (!answer || !(std::fabs(*answer) < 1e9f))
        return std::nullopt;
    const auto row = static_cast<std::int32_t>(std::trunc(*answer));
    if (row < 1 || row > NUPDAT)
        return std::nullopt;
    return row;
}

} // namespace

void AUTORP(std::string_view HEADER, std::span<float> UPDAT, std::int32_t NUPDAT,
            std::int32_t MAXDAT, int IOSCRN, int KBD, std::int32_t& LCOPY) {
    LINTAR_ASSERT(MAXDAT >= 0 && static_cast<std::size_t>(MAXDAT) <= UPDAT.size(),
                  "column capacity");
    // A negative count (a damaged file) has no rows in use: the menu then counts from 1 and
    // no row number can name a row outside the column.
    NUPDAT = std::max(NUPDAT, 0);
    LINTAR_ASSERT(static_cast<std::size_t>(std::min(NUPDAT, max_rows_shown)) <= UPDAT.size(),
                  "rows shown lie in the column");
    // Rows are numbered from 1 as the user sees them; value(k) is row k.
    const auto value = [&](std::int32_t k) -> float& { return UPDAT[slot(k)]; };
    for (;;) {
        if (LCOPY == 0)
            CLEAR(IOSCRN);
        show_column(HEADER, UPDAT, NUPDAT, IOSCRN);
        if (NUPDAT > max_rows_shown) {
            write_record(IOSCRN, " ++> Array overflow in AUTORP.f");
            fatal_stop(IOSCRN, KBD);
        }
        if (LCOPY >= 1) {
            TWOPG(LCOPY, IOSCRN);
            return;
        }
        show_menu(NUPDAT, IOSCRN);
        std::int32_t ITEMP = 0, IPAG = 0;
        ENTSEL(ITEMP, IOSCRN, KBD, IPAG);

        if (ITEMP == code_help) {
            NOHELP(IOSCRN, KBD, IPAG);
            continue;
        }
        if (ITEMP == code_redraw)
            continue;
        if (ITEMP < 1)
            return;
        if (ITEMP <= NUPDAT) {
            // A running edit: row after row until a blank answer or the last row in use.
            for (std::int32_t k = ITEMP; k <= NUPDAT; ++k) {
                WRTLNI("Enter new value for # ", k, IOSCRN);
                float UTEMP = 0.0f;
                bool CR = false;
                CRREAD(UTEMP, CR, KBD);
                if (CR)
                    break;
                value(k) = UTEMP;
            }
            continue;
        }
        switch (ITEMP - NUPDAT) {
        case auto_repeat: {
            const auto start = ask_real("Enter starting value: ", IOSCRN, KBD);
            if (!start || MAXDAT < 1)
                break;
            value(1) = *start;
            const float TINC = ask_real("Enter increment: ", IOSCRN, KBD).value_or(0.0f);
            for (std::int32_t k = 2; k <= MAXDAT; ++k)
                value(k) = value(k - 1) + TINC;
            break;
        }
        case delete_row:
            if (const auto row = ask_row("Enter row number to delete: ", NUPDAT, IOSCRN, KBD)) {
                for (std::int32_t k = *row; k <= MAXDAT - 1; ++k)
                    value(k) = value(k + 1);
                value(MAXDAT) = 0.0f;
            }
            break;
        case insert_row:
            if (const auto row = ask_row("Enter row number to nullify: ", NUPDAT, IOSCRN, KBD)) {
                for (std::int32_t k = MAXDAT; k >= *row + 1; --k)
                    value(k) = value(k - 1);
                value(*row) = 0.0f;
            }
            break;
        case add_constant:
            if (const auto add = ask_real("Enter constant value: ", IOSCRN, KBD))
                for (std::int32_t k = 1; k <= MAXDAT; ++k)
                    value(k) += *add;
            break;
        case add_constant_modulo_360:
            if (const auto add = ask_real("Enter constant value: ", IOSCRN, KBD))
                for (std::int32_t k = 1; k <= MAXDAT; ++k)
                    value(k) = std::fabs(REDDEG(value(k) + *add));
            break;
        default:
            break; // beyond the menu: shown again, nothing changed
        }
    }
}

} // namespace lintar
