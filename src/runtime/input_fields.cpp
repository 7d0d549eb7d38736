// runtime/input_fields.cpp: numeric fields read with blanks ignored, and the list-directed reader.
#include "runtime/input_fields.h"

#include "runtime/assert.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <memory_resource>
#include <system_error>
#include <utility>

namespace lintar {

namespace {

// Character classes of numeric input.
bool is_digit(char c) {
    return c >= '0' && c <= '9';
}
bool is_sign(char c) {
    return c == '+' || c == '-';
}
bool is_exponent_letter(char c) {
    return c == 'E' || c == 'e' || c == 'D' || c == 'd' || c == 'Q' || c == 'q';
}

// A field's characters, blanks dropped, are gathered in one buffer for std::from_chars: this
// many bytes on the stack hold a field of ordinary width; a longer one takes one heap block.
constexpr std::size_t field_stack_bytes = 256;

// Exponent digits beyond this only push a value further out of range; the cap keeps the
// exponent arithmetic inside 64 bits for a field of any length.
constexpr std::int64_t exponent_cap = 1'000'000'000;

// Fw.d with blanks ignored, for float and double alike.
// "  -1 2.5 E+ 1" reads as -125; "125" with d = 1 as 12.5; "" and "   " as 0.
template <typename Real> std::optional<Real> read_fixed_field(std::string_view field, int d) {
    LINTAR_ASSERT(d >= 0, "Fw.d needs d >= 0");
    std::byte stack[field_stack_bytes];
    std::pmr::monotonic_buffer_resource pool(stack, sizeof stack);
    std::pmr::string text(&pool); // the mantissa's digits and point, then "e" and the exponent
    text.reserve(field.size() + 24);

    std::size_t i = 0;
    const auto skip_blanks = [&] {
        while (i < field.size() && field[i] == ' ')
            ++i;
    };
    skip_blanks();
    if (i == field.size())
        return Real{0};
    bool negative = false;
    if (is_sign(field[i])) {
        negative = field[i] == '-';
        ++i;
    }

    // Mantissa. The decimal magnitude of its first significant digit tells, when the value
    // is out of range, whether it is too large or too small.
    bool point = false;
    bool significant = false;         // a nonzero digit has been seen
    std::int64_t mantissa_digits = 0; // all digits
    std::int64_t integer_digits = 0;  // significant digits before the point
    std::int64_t fraction_zeros = 0;  // zeros after the point before the first nonzero digit
    for (; i < field.size(); ++i) {
        const char c = field[i];
        if (c == ' ')
            continue;
        if (is_digit(c)) {
            ++mantissa_digits;
            significant = significant || c != '0';
            if (!point && significant)
                ++integer_digits;
            else if (point && !significant)
                ++fraction_zeros;
            text.push_back(c);
        } else if (c == '.' && !point) {
            point = true;
            text.push_back(c);
        } else {
            break;
        }
    }
    if (mantissa_digits == 0) // "+", ".", "-.", "E5": no number at all
        return std::nullopt;

    // Exponent: a letter with an optional sign, or a sign alone ("1.5+3").
    std::int64_t exponent = 0;
    if (i < field.size()) {
        if (is_exponent_letter(field[i]))
            ++i;
        else if (!is_sign(field[i]))
            return std::nullopt; // a letter, a second point, a tab, ...
        skip_blanks();
        bool exponent_negative = false;
        if (i < field.size() && is_sign(field[i])) {
            exponent_negative = field[i] == '-';
            ++i;
        }
        int exponent_digits = 0;
        for (; i < field.size(); ++i) {
            const char c = field[i];
            if (c == ' ')
                continue;
            if (!is_digit(c))
                return std::nullopt;
            ++exponent_digits;
            exponent = std::min(exponent * 10 + (c - '0'), exponent_cap);
        }
        if (exponent_digits == 0)
            return std::nullopt;
        if (exponent_negative)
            exponent = -exponent;
    }
    // Without a point the field holds d implied decimals: the scale goes into the decimal
    // exponent, so the text is still rounded only once.
    if (!point)
        exponent -= d;

    Real value{0};
    if (significant) {
        char exponent_text[24];
        const auto written =
            std::to_chars(exponent_text, exponent_text + sizeof exponent_text, exponent);
        text.push_back('e');
        text.append(exponent_text, written.ptr);
        const char* const end = text.data() + text.size();
        const auto read = std::from_chars(text.data(), end, value);
        if (read.ec == std::errc::result_out_of_range) {
            // from_chars reports a result that rounds to zero as out of range too; Fortran
            // reads such a value as zero. A value too large is an error, not an infinity.
            const std::int64_t magnitude =
                (integer_digits > 0 ? integer_digits : -fraction_zeros) + exponent;
            if (magnitude > 0)
                return std::nullopt;
            value = Real{0};
        } else if (read.ec != std::errc{} || read.ptr != end) {
            return std::nullopt;
        }
    }
    return negative ? -value : value;
}

} // namespace

// read_integer_field: Iw with blanks ignored. Reads only its argument.
std::optional<std::int32_t> read_integer_field(std::string_view field) {
    std::byte stack[field_stack_bytes];
    std::pmr::monotonic_buffer_resource pool(stack, sizeof stack);
    std::pmr::string digits(&pool); // the sign when negative, then the digits
    digits.reserve(field.size());

    std::size_t i = 0;
    while (i < field.size() && field[i] == ' ')
        ++i;
    if (i == field.size())
        return 0;
    if (is_sign(field[i])) {
        if (field[i] == '-')
            digits.push_back('-');
        ++i;
    }
    bool any_digit = false;
    for (; i < field.size(); ++i) {
        const char c = field[i];
        if (c == ' ')
            continue;
        if (!is_digit(c))
            return std::nullopt;
        any_digit = true;
        digits.push_back(c);
    }
    if (!any_digit)
        return std::nullopt;
    std::int32_t value = 0;
    const char* const end = digits.data() + digits.size();
    const auto read = std::from_chars(digits.data(), end, value);
    if (read.ec != std::errc{} || read.ptr != end)
        return std::nullopt; // beyond 32 bits
    return value;
}

// read_real_field: Fw.d with blanks ignored, rounded straight to float. Reads only its argument.
std::optional<float> read_real_field(std::string_view field, int d) {
    return read_fixed_field<float>(field, d);
}

// read_double_field: Fw.d with blanks ignored, rounded to double. Reads only its argument.
std::optional<double> read_double_field(std::string_view field, int d) {
    return read_fixed_field<double>(field, d);
}

// ---------------------------------------------------------------------------------------------
// List-directed reading.

namespace {

// Blanks between values; a carriage return or a line end left in a text counts as one.
bool is_list_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool ends_value(char c) {
    return is_list_blank(c) || c == ',' || c == '/';
}

enum class ValueKind {
    null,   // no value: the item keeps its own
    plain,  // an undelimited value
    quoted, // a value between quotes, the quotes taken off and doubled quotes made single
    bad,    // a value that is no value of any type: a zero repeat count, an open quote, ...
    slash,  // the read has ended
    end     // the data has ended
};

struct ListValue {
    ValueKind kind;
    std::string_view text; // plain and quoted: the value's characters
};

} // namespace

struct ListReader::Impl {
    std::function<std::optional<std::string>()> next_record; // empty for an internal read
    std::string record;                                      // the record being read
    std::size_t cursor = 0;                                  // next character of record
    bool no_more_records = false;
    bool slash = false;
    bool separator_due = false;   // a value has been taken: the next comma is its separator
    bool begun = false;           // a value, a null value or a separator has been met
    int records_taken = 0;        // records asked for and given
    std::int64_t copies_left = 0; // further copies of `repeated` from an r*c or r*
    ListValue repeated{ValueKind::null, {}};
    std::string unquoted; // a quoted value with doubled quotes, made single

    bool take_record();
    ListValue next_value();
    ListValue value_at_cursor();
    void pass_value();
};

// Moves to the next record; false, for good, once there is none.
bool ListReader::Impl::take_record() {
    if (no_more_records || !next_record) {
        no_more_records = true;
        return false;
    }
    std::optional<std::string> line = next_record();
    if (!line) {
        no_more_records = true;
        return false;
    }
    record = std::move(*line);
    cursor = 0;
    ++records_taken;
    return true;
}

// Passes over the rest of an undelimited value.
void ListReader::Impl::pass_value() {
    while (cursor < record.size() && !ends_value(record[cursor]))
        ++cursor;
}

// The value that starts at the cursor (not a separator), quoted or not.
//   'it''s'   -> quoted "it's"       (the text points into unquoted)
//   'a b'     -> quoted "a b"        (the text points into the record)
//   'abc'def  -> bad                 a closing quote must end the value
//   'abc      -> bad                 a quoted value ends in its own record
//   ab'c      -> plain "ab'c"        only a leading quote delimits
ListValue ListReader::Impl::value_at_cursor() {
    const char quote = record[cursor];
    if (quote != '\'' && quote != '"') {
        const std::size_t start = cursor;
        pass_value();
        return {ValueKind::plain, std::string_view(record).substr(start, cursor - start)};
    }
    const std::size_t start = ++cursor;
    bool doubled = false;
    for (;;) {
        const std::size_t close = record.find(quote, cursor);
        if (close == std::string::npos) {
            cursor = record.size();
            return {ValueKind::bad, {}};
        }
        if (close + 1 < record.size() && record[close + 1] == quote) {
            if (!doubled)
                unquoted.clear();
            doubled = true;
            unquoted.append(record, cursor, close + 1 - cursor); // up to one of the two quotes
            cursor = close + 2;
            continue;
        }
        std::string_view text;
        if (doubled) {
            unquoted.append(record, cursor, close - cursor);
            text = unquoted;
        } else {
            text = std::string_view(record).substr(start, close - start);
        }
        cursor = close + 1;
        if (cursor < record.size() && !ends_value(record[cursor])) {
            pass_value();
            return {ValueKind::bad, {}};
        }
        return {ValueKind::quoted, text};
    }
}

// The next value for an item: skips blanks and the separator after the last value, takes
// records as needed, and deals out the copies of a repeated value one at a time.
//   "1,,3"   -> 1, null, 3          "1 , , 3" alike
//   ",2"     -> null, 2             a leading comma, in the first record only
//   "3*7"    -> 7, 7, 7             "2* 9" -> null, null, 9
//   "1/ 2"   -> 1, slash            and slash for every later item
ListValue ListReader::Impl::next_value() {
    if (copies_left > 0) {
        --copies_left;
        return repeated;
    }
    if (slash)
        return {ValueKind::slash, {}};
    for (;;) {
        while (cursor < record.size() && is_list_blank(record[cursor]))
            ++cursor;
        if (cursor == record.size()) {
            if (!take_record())
                return {ValueKind::end, {}};
            continue;
        }
        const char c = record[cursor];
        if (c == ',') {
            ++cursor;
            if (separator_due) {
                separator_due = false;
                continue;
            }
            // Only in the first record does a comma before any value give a null value; in
            // a later record it follows the blank of the record end as one separator.
            const bool first_record = records_taken <= 1;
            if (!begun && !first_record) {
                begun = true;
                continue;
            }
            begun = true;
            return {ValueKind::null, {}}; // the comma closes a value that is not there
        }
        if (c == '/') {
            ++cursor;
            slash = true;
            return {ValueKind::slash, {}};
        }
        break;
    }
    separator_due = true;
    begun = true;

    // A repeat count: digits, then a star.
    std::size_t star = cursor;
    while (star < record.size() && is_digit(record[star]))
        ++star;
    if (star == cursor || star == record.size() || record[star] != '*')
        return value_at_cursor();
    std::int32_t count = 0;
    const auto read = std::from_chars(record.data() + cursor, record.data() + star, count);
    cursor = star + 1;
    if (read.ec != std::errc{} || count < 1) {
        pass_value();
        return {ValueKind::bad, {}};
    }
    const ListValue value = cursor == record.size() || ends_value(record[cursor])
                                ? ListValue{ValueKind::null, {}}
                                : value_at_cursor();
    if (value.kind == ValueKind::bad)
        return value;
    repeated = value;
    copies_left = count - 1;
    return value;
}

namespace {

// Gives a numeric item the value read by parse, or tells why it keeps its own.
template <typename Number, typename Parse>
ListStatus read_number(const ListValue& value, Number& item, Parse parse) {
    switch (value.kind) {
    case ValueKind::end:
        return ListStatus::end_of_data;
    case ValueKind::null:
    case ValueKind::slash:
        return ListStatus::ok;
    case ValueKind::bad:
    case ValueKind::quoted: // '5' is a character value
        return ListStatus::error;
    case ValueKind::plain:
        break;
    }
    const auto number = parse(value.text);
    if (!number)
        return ListStatus::error;
    item = *number;
    return ListStatus::ok;
}

} // namespace

// ListReader: an internal read of text; the reader keeps a copy, so a temporary string serves.
ListReader::ListReader(std::string_view text) : impl_(std::make_shared<Impl>()) {
    impl_->record.assign(text);
}

// ListReader: a read over the records that next_record gives.
ListReader::ListReader(std::function<std::optional<std::string>()> next_record)
    : impl_(std::make_shared<Impl>()) {
    impl_->next_record = std::move(next_record);
}

// read: one integer item; a value must be an optional sign and digits within 32 bits.
ListStatus ListReader::read(std::int32_t& value) {
    return read_number(impl_->next_value(), value,
                       [](std::string_view text) { return read_integer_field(text); });
}

// read: one real item, rounded straight to float.
ListStatus ListReader::read(float& value) {
    return read_number(impl_->next_value(), value,
                       [](std::string_view text) { return read_real_field(text); });
}

// read: one double-precision item.
ListStatus ListReader::read(double& value) {
    return read_number(impl_->next_value(), value,
                       [](std::string_view text) { return read_double_field(text); });
}

// read: one character item: an undelimited value as it stands, a quoted one without quotes.
ListStatus ListReader::read(std::string& value) {
    const ListValue next = impl_->next_value();
    switch (next.kind) {
    case ValueKind::end:
        return ListStatus::end_of_data;
    case ValueKind::null:
    case ValueKind::slash:
        return ListStatus::ok;
    case ValueKind::bad:
        return ListStatus::error;
    case ValueKind::plain:
    case ValueKind::quoted:
        value.assign(next.text);
        return ListStatus::ok;
    }
    return ListStatus::error;
}

// ended_by_slash: whether a slash has ended the read.
bool ListReader::ended_by_slash() const {
    return impl_->slash;
}

} // namespace lintar
