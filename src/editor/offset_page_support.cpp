// editor/offset_page_support.cpp: what the offset pages share.
#include "editor/offset_page_support.h"

#include "blocks/tpcm.h"
#include "editor/final_page.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/answer_reader.h"
#include "util/column_editor.h"
#include "util/coordinate_editor.h"
#include "util/prompts.h"
#include "util/range_checks.h"
#include "util/unit_labels.h"

#include <algorithm>

namespace lintar {

// rows_for_editor: the count held to 0..capacity.
std::int32_t rows_for_editor(std::int32_t count, std::int32_t capacity) {
    return std::clamp<std::int32_t>(count, 0, capacity);
}

// length_heading: the text, the length label in seven characters, ")", padded to 45.
std::string length_heading(std::string_view TEXT, std::int32_t NUNTS) {
    std::string heading(TEXT);
    heading += UNITP(7 + NUNTS).substr(0, 7);
    heading += ')';
    if (heading.size() < 45)
        heading.resize(45, ' ');
    return heading;
}

// count_line: label, I2 maximum, ")", leader, I2 count.
std::string count_line(std::string_view label, std::int32_t MAX, std::string_view leader,
                       std::int32_t value) {
    return std::string(label) + I(MAX, 2) + ")" + std::string(leader) + I(value, 2);
}

// coordinate_loop: CORDIN on the rows; true when a page command (now in LBACK) ended it.
bool coordinate_loop(std::string_view CTYPE, std::span<float> R, std::int32_t N) {
    std::int32_t ITEMP = 0;
    CORDIN(CTYPE, R, N, TPCM.EDUNIT, keyboard_unit, ITEMP, TPCM.LCOPY, TPCM.IPAG);
    if (ITEMP >= 0)
        return false; // left with Return: the page is drawn again
    TPCM.LBACK = ITEMP;
    return true;
}

// coordinate_row: the coordinate loop on a copy of one row held in three members.
bool coordinate_row(std::string_view CTYPE, float& X, float& Y, float& Z) {
    // The three members are separate words of the block, edited as one row of a copy.
    float row[3] = {X, Y, Z};
    const bool left = coordinate_loop(CTYPE, row, 1);
    X = row[0];
    Y = row[1];
    Z = row[2];
    return left;
}

// list_rows: CORDIN in the mirror pass.
void list_rows(std::string_view CTYPE, std::span<float> R, std::int32_t N) {
    std::int32_t ITEMP = 0;
    CORDIN(CTYPE, R, N, TPCM.EDUNIT, keyboard_unit, ITEMP, TPCM.LCOPY, TPCM.IPAG);
}

void run_offset_page(const std::function<void()>& draw_page, const std::function<void()>& list_data,
                     const std::function<void()>& help,
                     const std::function<bool(std::int32_t)>& run_item) {
    for (;;) {
        draw_page();
        if (TPCM.LCOPY != 0) {
            TWOPG(TPCM.LCOPY, TPCM.EDUNIT);
            TPCM.LBACK = 0;
            list_data();
            return;
        }
        ENTSEL(TPCM.LBACK, TPCM.EDUNIT, keyboard_unit, TPCM.IPAG);
        if (TPCM.LBACK == code_help) {
            help();
            continue;
        }
        if (TPCM.LBACK < 1)
            return;
        if (run_item(TPCM.LBACK))
            return;
    }
}

// edit_column: AUTORP on the column, the count held to its capacity.
void edit_column(std::string_view heading, std::span<float> column, std::int32_t count) {
    const auto capacity = static_cast<std::int32_t>(column.size());
    AUTORP(heading, column, rows_for_editor(count, capacity), capacity, TPCM.EDUNIT, keyboard_unit,
           TPCM.LCOPY);
}

// draw_offset_page: the screen of an offset page. Writes to EDUNIT.
void draw_offset_page(const std::string& heading, std::int32_t item_count,
                      const std::function<bool(std::int32_t)>& blank_before,
                      const std::function<std::optional<std::string>(std::int32_t)>& item_line) {
    if (TPCM.LCOPY == 0)
        CLEAR(TPCM.EDUNIT);
    write_record(TPCM.EDUNIT, heading);
    for (std::int32_t item = 1; item <= item_count; ++item) {
        if (blank_before(item))
            write_record(TPCM.EDUNIT, "");
        if (const auto line = item_line(item))
            write_record(TPCM.EDUNIT, *line);
    }
}

// enter_count: reads the keyboard, writes to EDUNIT.
void enter_count(std::int32_t& count, std::int32_t MAX) {
    ENTERI(count, TPCM.EDUNIT, keyboard_unit);
    MAXCHK(count, MAX);
}

// edit_senses: the column editor, then the check of the senses, until the check passes.
void edit_senses(std::string_view heading, std::span<float> column, std::int32_t count) {
    const auto capacity = static_cast<std::int32_t>(column.size());
    std::int32_t ITEMP = 0;
    do {
        edit_column(heading, column, count);
        PARCHK(column, rows_for_editor(count, capacity), TPCM.EDUNIT, keyboard_unit, ITEMP);
    } while (ITEMP < 0);
}

} // namespace lintar
