// runtime/input_fields.h: formatted input: numeric fields and list-directed reading.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace lintar {

// Iw input: blanks anywhere in the field are ignored ("1 2" is 12), an all-blank field is 0;
// a sign may lead. Nothing when the field is not an integer or does not fit 32 bits.
std::optional<std::int32_t> read_integer_field(std::string_view field);

// Fw.d input with blanks ignored: an all-blank field is 0; a field without a decimal point is
// scaled by 10**-d; exponents E, D, Q (either case) or a bare signed exponent ("1.5+3") are
// accepted. The float form rounds the decimal text once, straight to four bytes.
std::optional<float> read_real_field(std::string_view field, int d = 0);
std::optional<double> read_double_field(std::string_view field, int d = 0);

// List-directed reading: values separated by blanks, tabs or commas (one comma between blanks
// marks one separator; two commas in a row give a null value, which leaves its item as it
// was); a slash ends the read, leaving every later item as it was; r*c repeats c r times and
// r* gives r null values; character values may be quoted with ' or " (a doubled quote inside
// stands for one). A read takes further records as it needs them.
enum class ListStatus {
    ok,          // the item was given a value, or kept its value (null, or after a slash)
    end_of_data, // the text or file ended before the item
    error        // the value does not read as the item's type; the item keeps its value
};

class ListReader {
public:
    // An internal read of one text: its end is the end of the data.
    explicit ListReader(std::string_view text);
    // A read across records: next_record gives the next line, or nothing at the end of file.
    explicit ListReader(std::function<std::optional<std::string>()> next_record);

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
