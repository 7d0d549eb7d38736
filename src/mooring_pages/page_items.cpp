// mooring_pages/page_items.cpp: the dialogue pieces the mooring pages share.
#include "mooring_pages/page_items.h"

#include "blocks/tpcm.h"
#include "runtime/assert.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/answer_reader.h"
#include "util/column_editor.h"
#include "util/prompts.h"
#include "util/range_checks.h"
#include "util/word_arrays.h"

#include <algorithm>
#include <vector>

namespace lintar {

std::string I_fit(long long value, int w) {
    const std::string digits = std::to_string(value);
    return static_cast<int>(digits.size()) > w ? digits : I(value, w);
}

void enter_count(std::int32_t& N, std::int32_t MAX, int IOSCRN) {
    const std::int32_t before = N;
    ENTERI(N, IOSCRN, keyboard_unit);
    // READI takes no typed number below -1, so anything lower is a page-command code.
    if (N < code_back)
        N = before;
    MAXCHK(N, MAX);
}

void edit_integer_column(std::string_view HEADER, std::span<std::int32_t> list,
                         std::span<float> work, std::int32_t NROWS, std::int32_t MAXDAT) {
    LINTAR_ASSERT(list.size() == work.size() && MAXDAT >= 0 &&
                      static_cast<std::size_t>(MAXDAT) <= list.size(),
                  "integer column and its work column");
    const auto count = static_cast<std::int32_t>(list.size());
    FILLUP(list.data(), work.data(), 1, count);
    AUTORP(HEADER, work, NROWS, MAXDAT, TPCM.EDUNIT, keyboard_unit, TPCM.LCOPY);
    FILLUP(list.data(), work.data(), 0, count);
}

bool edit_checked_column(std::string_view HEADER, std::span<std::int32_t> list,
                         std::span<float> work, std::int32_t NROWS, std::int32_t MAXDAT,
                         const std::function<bool()>& accepted,
                         const std::function<void()>& complain, std::span<const std::string> note) {
    const std::vector<std::int32_t> on_entry(list.begin(), list.end());
    for (bool re_edit = false;; re_edit = true) {
        const std::vector<std::int32_t> before(list.begin(), list.end());
        edit_integer_column(HEADER, list, work, NROWS, MAXDAT);
        if (TPCM.LCOPY != 0 || accepted())
            return true;
        // The forced re-edit has a way out: leaving it unchanged gives the item up, with the
        // values it had (the pre-run checks still stop a run on values that do not fit).
        if (re_edit && std::equal(list.begin(), list.end(), before.begin())) {
            std::copy(on_entry.begin(), on_entry.end(), list.begin());
            write_record(TPCM.EDUNIT, "");
            for (const std::string& line : note)
                write_record(TPCM.EDUNIT, line);
            std::int32_t dropped = 0;
            PRSRET(TPCM.EDUNIT, keyboard_unit, dropped);
            return false;
        }
        complain();
    }
}

} // namespace lintar
