// runtime/input_fields.h: formatted input: numeric fields and list-directed reading.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace lintar {

// Iw input with blanks ignored (BN): blanks anywhere in the field are dropped ("1 2" is 12,
// " -  5" is -5), an all-blank field is 0; one sign may lead. Nothing when anything else is in
// the field (a letter, a point, a tab, a second sign, a lone sign) or the value does not fit
// 32 bits.
std::optional<std::int32_t> read_integer_field(std::string_view field);

// Fw.d input with blanks ignored: an all-blank field is 0; a field without a decimal point is
// scaled by 10**-d ("123" with d = 2 is 1.23, "123E1" is 12.3); the exponent is a letter E, D
// or Q (either case) with an optional sign, or a bare sign ("1.5+3" is 1500, "2-1" is 0.2).
// The decimal text is rounded once, straight to the result's type, so the float form gives the
// nearest float. A value too small for the type reads as zero.
// Nothing for: a letter other than an exponent letter (INF and NAN too), two points, an
// exponent without digits, a lone sign or point (no digit in the mantissa), or a value too
// large for the type. d must not be negative.
std::optional<float> read_real_field(std::string_view field, int d = 0);
std::optional<double> read_double_field(std::string_view field, int d = 0);

// List-directed reading: values separated by blanks, tabs or commas (one comma between blanks
// marks one separator; two commas in a row give a null value, which leaves its item as it
// was, and so does a leading comma); a slash ends the read, leaving every later item as it
// was; r*c repeats c r times and r* gives r null values; character values may be quoted with
// ' or " (a doubled quote inside stands for one) or undelimited, ending at a blank, a comma or
// a slash. A carriage return counts as a blank. A read takes further records as it needs them;
// the end of a record separates values like a blank and never gives a null value. A quoted
// value ends in its own record: one without its closing quote is an error.
//
// One reader serves one READ: its items are read one call at a time, in order. A value that
// does not read as its item's type is an error for that item and is passed over, so the next
// call takes the next value.
enum class ListStatus {
    ok,          // the item was given a value, or kept its value (null, or after a slash)
    end_of_data, // the text or file ended before the item
    error        // the value does not read as the item's type; the item keeps its value
};

class ListReader {
public:
    // An internal read of one text (the reader keeps its own copy): its end is the end of the
    // data.
    explicit ListReader(std::string_view text);
    // A read across records: next_record gives the next line, or nothing at the end of file.
    // The first record is asked for by the first read; no record is asked for after the last
    // item's value, nor again once it has given nothing.
    explicit ListReader(std::function<std::optional<std::string>()> next_record);

    // Integer items take an optional sign and digits; real items take integers and every form
    // read_real_field accepts (with d = 0); character items take any value.
    ListStatus read(std::int32_t& value);
    ListStatus read(float& value);
    ListStatus read(double& value);
    ListStatus read(std::string& value); // the value's characters, without quotes

    // True once a slash has ended the read.
    bool ended_by_slash() const;

private:
    struct Impl;
    std::shared_ptr<Impl> impl_;
};

} // namespace lintar
