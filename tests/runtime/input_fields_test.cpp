// Tests of formatted input: Iw and Fw.d fields with blanks ignored, and list-directed reading.
//
// The expected values were made by gfortran 12 from the same texts (the probe programs beside
// this file, input_fields_probe_*.f90, say how); rows where this reader differs on purpose say
// so. The tests themselves do not need gfortran.
#include "runtime/input_fields.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lintar {
namespace {

// ---------------------------------------------------------------------------------------------
// Iw

struct IntegerCase {
    std::string_view field;
    std::optional<std::int32_t> value; // nothing: the field does not read
};

// gfortran: read(field, '(BN,Iw)', iostat=ios) n, w the length of the field.
const IntegerCase integer_cases[] = {
    // Six-character answers as typed at a prompt.
    {"1 2   ", 12},
    {"-1    ", -1},
    {" -  5 ", -5},
    {"      ", 0},
    {"1.5   ", std::nullopt},
    {"J     ", std::nullopt},
    {"1e3   ", std::nullopt},
    {"+     ", std::nullopt},
    {"-     ", std::nullopt},
    {"+-5   ", std::nullopt},
    {"++1   ", std::nullopt},
    {"1-2   ", std::nullopt},
    {"1+    ", std::nullopt},
    {"\t5", std::nullopt}, // a tab is no blank in a field
    {"0005", 5},
    {"- 0", 0},
    {"", 0}, // no characters at all: as all blank
    // The ends of 32 bits.
    {"2147483647", 2147483647},
    {"-2147483648", -2147483647 - 1},
    {"2147483648", std::nullopt},
    {"-2147483649", std::nullopt},
    {"99999999999999999999", std::nullopt},
};

TEST(IntegerField, ReadsWithBlanksIgnoredLikeGfortran) {
    for (const auto& c : integer_cases) {
        SCOPED_TRACE(testing::Message() << "I field \"" << c.field << '"');
        EXPECT_EQ(read_integer_field(c.field), c.value);
    }
}

TEST(IntegerField, AFieldOfAHundredThousandCharacters) {
    const std::string digits = std::string(50000, ' ') + "- " + std::string(49990, '0') + "42";
    EXPECT_EQ(read_integer_field(digits + std::string(100000 - digits.size(), ' ')), -42);
    EXPECT_EQ(read_integer_field(std::string(100000, ' ')), 0);
    EXPECT_EQ(read_integer_field(std::string(100000, '9')), std::nullopt);
    EXPECT_EQ(read_integer_field(std::string(99999, '1') + "x"), std::nullopt);
}

// ---------------------------------------------------------------------------------------------
// Fw.d

// prefix, then count copies of fill, then suffix (GCC 12 warns wrongly on "text" + string).
std::string spelled(std::string_view prefix, std::size_t count, char fill,
                    std::string_view suffix) {
    std::string text(prefix);
    text.append(count, fill);
    text.append(suffix);
    return text;
}

std::uint32_t bits(float x) {
    return std::bit_cast<std::uint32_t>(x);
}
std::uint64_t bits(double x) {
    return std::bit_cast<std::uint64_t>(x);
}

struct RealCase {
    std::string_view field;
    int d;
    std::optional<std::uint32_t> value_bits; // the float's bits, as gfortran printed them (Z8)
};

// gfortran: read(field, '(BN,Fw.d)', iostat=ios) x with x a four-byte real.
const RealCase real_cases[] = {
    {"5           ", 0, 0x40A00000}, // 5
    {"1.5+3       ", 0, 0x44BB8000}, // 1500: a bare signed exponent
    {"2-1         ", 0, 0x3E4CCCCD}, // 0.2
    {"1.5e3", 0, 0x44BB8000},
    {"1.5E+3", 0, 0x44BB8000},
    {"1.5E+03", 0, 0x44BB8000},
    {"1.5D3", 0, 0x44BB8000},
    {"1.5q3", 0, 0x44BB8000},
    {"1.5d-3", 0, 0x3AC49BA6}, // 0.0015
    {"+.5e1", 0, 0x40A00000},
    {".5", 0, 0x3F000000},
    {"5.", 0, 0x40A00000},
    {"+5", 0, 0x40A00000},
    {"1 . 5", 0, 0x3FC00000}, // blanks anywhere are dropped
    {"1e 3", 0, 0x447A0000},
    {"5 E 2", 0, 0x43FA0000},
    {"    ", 0, 0x00000000},
    {"   ", 3, 0x00000000},
    // Without a point the field holds d decimals; with one, d does not matter.
    {"123", 2, 0x3F9D70A4}, // 1.23
    {"12 3", 2, 0x3F9D70A4},
    {"1.23", 2, 0x3F9D70A4},
    {"123e1", 2, 0x4144CCCD}, // 12.3: the scale applies with an exponent too
    {"-5", 2, 0xBD4CCCCD},    // -0.05
    {"12345", 5, 0x3DFCD35B}, // 0.12345
    {"1", 9, 0x3089705F},     // 1e-9
    // Rounded once, to the nearest float; through double the first would give 1.0.
    {"1.00000005960464477539062501", 0, 0x3F800001},
    {"1.000000059604644775390625", 0, 0x3F800000}, // a tie goes to even
    {"0.1", 0, 0x3DCCCCCD},
    {"16777217", 0, 0x4B800000},
    // Too small for a float: the nearest subnormal, or zero.
    {"1e-40", 0, 0x000116C2},
    {"1e-50", 0, 0x00000000},
    // No number.
    {"1.5e", 0, std::nullopt},
    {"1.5e+", 0, std::nullopt},
    {"1e+", 0, std::nullopt},
    {"5d", 0, std::nullopt},
    {"5.e", 0, std::nullopt},
    {"1..5", 0, std::nullopt},
    {"abc", 0, std::nullopt},
    {"J", 0, std::nullopt},
    {"1.5x", 0, std::nullopt},
    {"1.5ee3", 0, std::nullopt},
    {"1.5e+-3", 0, std::nullopt},
    {"1.5e3.0", 0, std::nullopt},
    {"1+3+4", 0, std::nullopt},
    {"1.5e3 x", 0, std::nullopt},
    {"1,5", 0, std::nullopt},
    {"1/5", 0, std::nullopt},
    {"\t5", 0, std::nullopt},
    // gfortran reads these as zero (and "--1" as -0); a lone sign or point is no number here.
    {"+", 0, std::nullopt},
    {"-", 0, std::nullopt},
    {".", 0, std::nullopt},
    {"-.", 0, std::nullopt},
    {"e5", 0, std::nullopt},
    {".e5", 0, std::nullopt},
    {"--1", 0, std::nullopt},
    // gfortran gives an infinity or a NaN; a number too large for a float is an error here,
    // and INF and NAN are letters.
    {"1e39", 0, std::nullopt},
    {"-1e39", 0, std::nullopt},
    {"3.4028236e38", 0, std::nullopt}, // rounds up past the largest float
    {"1E999", 0, std::nullopt},
    {"inf", 0, std::nullopt},
    {"nan", 0, std::nullopt},
};

TEST(RealField, ReadsLikeGfortranAndRoundsOnceToFloat) {
    for (const auto& c : real_cases) {
        SCOPED_TRACE(testing::Message()
                     << "F" << c.field.size() << '.' << c.d << " of \"" << c.field << '"');
        const std::optional<float> x = read_real_field(c.field, c.d);
        ASSERT_EQ(x.has_value(), c.value_bits.has_value());
        if (x) {
            EXPECT_EQ(bits(*x), *c.value_bits) << *x;
        }
    }
}

struct DoubleCase {
    std::string_view field;
    int d;
    std::optional<double> value;
};

// gfortran: the same read into a double-precision x.
const DoubleCase double_cases[] = {
    {"0.1", 0, 0.1},
    {"1.5+3", 0, 1500.0},
    {"2-1", 0, 0.2},
    {"123", 2, 1.23},
    {"1.00000005960464477539062501", 0, 0x1.000001p0}, // 1 + 2**-24 exactly
    {"1d-400", 0, 0.0},
    {"1e309", 0, std::nullopt}, // gfortran: infinity
    {"1.5e", 0, std::nullopt},
};

TEST(DoubleField, ReadsLikeGfortran) {
    for (const auto& c : double_cases) {
        SCOPED_TRACE(testing::Message()
                     << "F" << c.field.size() << '.' << c.d << " of \"" << c.field << '"');
        const std::optional<double> x = read_double_field(c.field, c.d);
        ASSERT_EQ(x.has_value(), c.value.has_value());
        if (x) {
            EXPECT_EQ(bits(*x), bits(*c.value)) << *x;
        }
    }
}

TEST(RealField, AFieldOfAHundredThousandCharacters) {
    std::string field = std::string(40000, ' ') + "-" + std::string(20000, '0') + "1.5";
    field += std::string(40000 - 6, '0') + "+3";
    field.resize(100000, ' ');
    EXPECT_EQ(read_real_field(field), -1500.0f);
    EXPECT_EQ(read_double_field(field), -1500.0);
    // The value sits behind 99,990 zeros after the point.
    EXPECT_EQ(read_double_field(spelled(".", 99990, '0', "25e99995")), 2.5e4);
    // An exponent of any length: too large, or too small (zero).
    EXPECT_EQ(read_real_field(spelled("1e", 99998, '9', "")), std::nullopt);
    EXPECT_EQ(read_real_field(spelled("1e-", 99997, '9', "")), 0.0f);
    EXPECT_EQ(read_real_field(std::string(100000, ' '), 3), 0.0f);
    EXPECT_EQ(read_real_field(std::string(99999, '1') + "x"), std::nullopt);
}

// ---------------------------------------------------------------------------------------------
// List-directed reading

// One letter per item: o ok, x error, e end of data.
char letter(ListStatus status) {
    switch (status) {
    case ListStatus::ok:
        return 'o';
    case ListStatus::error:
        return 'x';
    case ListStatus::end_of_data:
        return 'e';
    }
    return '?';
}

// Reads n items of one type, each starting at `unset`; gives their values and status letters.
template <typename T> struct ListResult {
    std::vector<T> values;
    std::string statuses;
};

template <typename T> ListResult<T> read_items(ListReader& reader, int n, T unset) {
    ListResult<T> result;
    for (int i = 0; i < n; ++i) {
        T value = unset;
        result.statuses += letter(reader.read(value));
        result.values.push_back(value);
    }
    return result;
}

constexpr std::int32_t unset_int = -777;
constexpr float unset_real = -777.0f;

struct IntListCase {
    std::string_view text;
    std::vector<std::int32_t> values; // three items, -777 where an item keeps its value
    std::string_view statuses;
    bool slash;
};

// gfortran: read(text, *, iostat=ios) i1, i2, i3 with every item -777 before the read.
// Where gfortran meets an error it ends the read; this reader passes over the bad value and
// goes on, so the items after it are this reader's own.
const IntListCase int_list_cases[] = {
    {"1 2 3", {1, 2, 3}, "ooo", false},
    {"1,2,3", {1, 2, 3}, "ooo", false},
    {"1 , 2 ,3", {1, 2, 3}, "ooo", false},
    {"1\t2\t3", {1, 2, 3}, "ooo", false},
    {"1\r 2 3\r", {1, 2, 3}, "ooo", false}, // a stray carriage return is a blank
    {"+5 -6 +0", {5, -6, 0}, "ooo", false},
    {"1 2 3 4", {1, 2, 3}, "ooo", false},
    {"1 2 3,", {1, 2, 3}, "ooo", false},
    // Null values.
    {"1,,3", {1, -777, 3}, "ooo", false},
    {"1 , , 3", {1, -777, 3}, "ooo", false},
    {",2,3", {-777, 2, 3}, "ooo", false},
    {" , 2 3", {-777, 2, 3}, "ooo", false},
    {"1, ,,3", {1, -777, -777}, "ooo", false},
    // Slash.
    {"1,2/", {1, 2, -777}, "ooo", true},
    {"1 / 2 3", {1, -777, -777}, "ooo", true},
    {"5/3 4", {5, -777, -777}, "ooo", true},
    {"/", {-777, -777, -777}, "ooo", true},
    // Repeats.
    {"3*7", {7, 7, 7}, "ooo", false},
    {"2*7 9", {7, 7, 9}, "ooo", false},
    {"1*5 2 3", {5, 2, 3}, "ooo", false},
    {"2* 9", {-777, -777, 9}, "ooo", false},
    {"2*,9", {-777, -777, 9}, "ooo", false},
    {"1 2*", {1, -777, -777}, "ooo", false},
    {"2*/ 9", {-777, -777, -777}, "ooo", true},
    // The data ends.
    {"1 2", {1, 2, -777}, "ooe", false},
    {",,", {-777, -777, -777}, "ooe", false},
    {"", {-777, -777, -777}, "eee", false},
    {"   ", {-777, -777, -777}, "eee", false},
    // Values that are no integers.
    {"1.5 2 3", {-777, 2, 3}, "xoo", false},
    {"1 x 3", {1, -777, 3}, "oxo", false},
    {"1e3 2 3", {-777, 2, 3}, "xoo", false},
    {"'5' 2 3", {-777, 2, 3}, "xoo", false},
    {"2147483648 1 2", {-777, 1, 2}, "xoo", false},
    {"0*5 1 2", {-777, 1, 2}, "xoo", false},          // a zero repeat count
    {"9999999999*5 1 2", {-777, 1, 2}, "xoo", false}, // a repeat count beyond 32 bits
    {"2*1.5 3", {-777, -777, 3}, "xxo", false},
    {"1;2;3", {-777, -777, -777}, "xee", false}, // gfortran takes ';' as a comma here
};

TEST(ListReader, IntegerItems) {
    for (const auto& c : int_list_cases) {
        SCOPED_TRACE(testing::Message() << "text \"" << c.text << '"');
        ListReader reader(c.text);
        const auto result = read_items(reader, 3, unset_int);
        EXPECT_EQ(result.values, c.values);
        EXPECT_EQ(result.statuses, c.statuses);
        EXPECT_EQ(reader.ended_by_slash(), c.slash);
    }
}

struct RealListCase {
    std::string_view text;
    std::vector<float> values;
    std::string_view statuses;
};

// gfortran: read(text, *, iostat=ios) x1, x2, x3 with four-byte reals.
const RealListCase real_list_cases[] = {
    {"1.5+3 2-1 .5", {1500.0f, 0.2f, 0.5f}, "ooo"},
    {"5. 1.5d3 1.5q3", {5.0f, 1500.0f, 1500.0f}, "ooo"},
    {"1.5E-3,+.5e1 -7", {1.5e-3f, 5.0f, -7.0f}, "ooo"},
    {"1e-50 2*1.5", {0.0f, 1.5f, 1.5f}, "ooo"},
    {"1,5 2", {1.0f, 5.0f, 2.0f}, "ooo"}, // the comma separates: no decimal comma
    {"1.5,2", {1.5f, 2.0f, -777.0f}, "ooe"},
    {"1.5/", {1.5f, -777.0f, -777.0f}, "ooo"},
    {"1 . 5", {1.0f, -777.0f, 5.0f}, "oxo"},
    {"abc 2 x", {-777.0f, 2.0f, -777.0f}, "xox"},
    // gfortran reads INF, NAN and 1e39 as infinities and NaN: errors here.
    {"inf nan 1e39", {-777.0f, -777.0f, -777.0f}, "xxx"},
};

TEST(ListReader, RealItems) {
    for (const auto& c : real_list_cases) {
        SCOPED_TRACE(testing::Message() << "text \"" << c.text << '"');
        ListReader reader(c.text);
        const auto result = read_items(reader, 3, unset_real);
        EXPECT_EQ(result.values, c.values);
        EXPECT_EQ(result.statuses, c.statuses);
    }
}

TEST(ListReader, RealItemsRejectWhatIsNoNumber) {
    // gfortran: each is a bad real in item 1 ("." and "-." it reads as zero, with an error).
    for (const std::string_view bad : {".", "+", "-", "-.", "e5", ".e5", "1.5e", "1e+", "1..5",
                                       "'1.5'", "1.5x", "1.0e+-3", "--1", "0*1.5"}) {
        SCOPED_TRACE(testing::Message() << "value \"" << bad << '"');
        ListReader reader(std::string(bad) + " 2");
        const auto result = read_items(reader, 2, unset_real);
        EXPECT_EQ(result.values, (std::vector<float>{-777.0f, 2.0f}));
        EXPECT_EQ(result.statuses, "xo");
    }
}

TEST(ListReader, DoubleItemsRoundToDouble) {
    ListReader reader("0.1 1.5+3 1.00000005960464477539062501");
    const auto result = read_items(reader, 3, -777.0);
    EXPECT_EQ(result.values, (std::vector<double>{0.1, 1500.0, 0x1.000001p0}));
    EXPECT_EQ(result.statuses, "ooo");
}

struct TextListCase {
    std::string_view text;
    std::vector<std::string> values; // "unset" where an item keeps its value
    std::string_view statuses;
    bool slash;
};

// gfortran: read(text, *, iostat=ios) c1, c2, c3 with character(len=12) items set to 'unset'.
const TextListCase text_list_cases[] = {
    {"abc def ghi", {"abc", "def", "ghi"}, "ooo", false},
    {"1.5 2 x", {"1.5", "2", "x"}, "ooo", false},
    {"'a b' \"c d\" e", {"a b", "c d", "e"}, "ooo", false},
    {"'it''s' \"say \"\"hi\"\"\" 'mixed\"q'", {"it's", "say \"hi\"", "mixed\"q"}, "ooo", false},
    {"'''' ''", {"'", "", "unset"}, "ooe", false},
    {"'' x y", {"", "x", "y"}, "ooo", false},
    {"ab'c d e", {"ab'c", "d", "e"}, "ooo", false}, // only a leading quote delimits
    {"*5 x y", {"*5", "x", "y"}, "ooo", false},
    {"a*b c d", {"a*b", "c", "d"}, "ooo", false},
    {"abc,def/ghi", {"abc", "def", "unset"}, "ooo", true},
    {"abc/def", {"abc", "unset", "unset"}, "ooo", true},
    {"'abc'/ x", {"abc", "unset", "unset"}, "ooo", true},
    {"'a/b,c' d", {"a/b,c", "d", "unset"}, "ooe", false},
    {",'x',", {"unset", "x", "unset"}, "ooe", false},
    {"'abc' ,'d'", {"abc", "d", "unset"}, "ooe", false},
    {"2*xy z", {"xy", "xy", "z"}, "ooo", false},
    {"2*'a b' c", {"a b", "a b", "c"}, "ooo", false},
    {"2*'x''y'", {"x'y", "x'y", "unset"}, "ooe", false},
    {"3*", {"unset", "unset", "unset"}, "ooo", false},
    // A closing quote must end the value.
    {"'abc'def g", {"unset", "g", "unset"}, "xoe", false},
    // gfortran goes on past the end of the record for the closing quote and finds the end of
    // the data; here a quoted value ends in its own record, and an open quote is an error.
    {"'abc", {"unset", "unset", "unset"}, "xee", false},
};

TEST(ListReader, CharacterItems) {
    for (const auto& c : text_list_cases) {
        SCOPED_TRACE(testing::Message() << "text \"" << c.text << '"');
        ListReader reader(c.text);
        const auto result = read_items(reader, 3, std::string("unset"));
        EXPECT_EQ(result.values, c.values);
        EXPECT_EQ(result.statuses, c.statuses);
        EXPECT_EQ(reader.ended_by_slash(), c.slash);
    }
}

TEST(ListReader, MixedItemsAndLettersWhereNumbersAreExpected) {
    // gfortran: read(text, *) n, name, x and read(text, *) n, x, name.
    {
        ListReader reader("5 name 1.5");
        std::int32_t n = unset_int;
        std::string name = "unset";
        float x = unset_real;
        EXPECT_EQ(reader.read(n), ListStatus::ok);
        EXPECT_EQ(reader.read(name), ListStatus::ok);
        EXPECT_EQ(reader.read(x), ListStatus::ok);
        EXPECT_EQ(n, 5);
        EXPECT_EQ(name, "name");
        EXPECT_EQ(x, 1.5f);
    }
    {
        ListReader reader("5 abc 'tail end'");
        std::int32_t n = unset_int;
        float x = unset_real;
        std::string name = "unset";
        EXPECT_EQ(reader.read(n), ListStatus::ok);
        EXPECT_EQ(reader.read(x), ListStatus::error); // gfortran: bad real in item 2
        EXPECT_EQ(reader.read(name), ListStatus::ok);
        EXPECT_EQ(x, unset_real);
        EXPECT_EQ(name, "tail end");
    }
}

TEST(ListReader, KeepsItsOwnCopyOfTheText) {
    ListReader reader(std::string("12 ") + std::string(40, '7')); // the string dies here
    std::int32_t n = 0;
    std::string rest;
    EXPECT_EQ(reader.read(n), ListStatus::ok);
    EXPECT_EQ(reader.read(rest), ListStatus::ok);
    EXPECT_EQ(n, 12);
    EXPECT_EQ(rest, std::string(40, '7'));
}

TEST(ListReader, AfterASlashEveryItemKeepsItsValue) {
    ListReader reader("1 / 2");
    std::int32_t n = unset_int;
    float x = unset_real;
    std::string s = "unset";
    EXPECT_EQ(reader.read(n), ListStatus::ok);
    EXPECT_FALSE(reader.ended_by_slash());
    n = unset_int;
    EXPECT_EQ(reader.read(n), ListStatus::ok);
    EXPECT_TRUE(reader.ended_by_slash());
    EXPECT_EQ(reader.read(x), ListStatus::ok);
    EXPECT_EQ(reader.read(s), ListStatus::ok);
    EXPECT_EQ(n, unset_int);
    EXPECT_EQ(x, unset_real);
    EXPECT_EQ(s, "unset");
}

// Records given one at a time; counts how often the reader asks.
struct Records {
    std::vector<std::string> lines;
    std::size_t next = 0;
    int asked = 0;
    std::function<std::optional<std::string>()> source() {
        return [this]() -> std::optional<std::string> {
            ++asked;
            if (next == lines.size())
                return std::nullopt;
            return lines[next++];
        };
    }
};

struct RecordsCase {
    std::vector<std::string> lines;
    std::vector<std::int32_t> values; // three integer items
    std::string_view statuses;
    int asked; // records asked for, the last unanswered one included
};

// gfortran: the records written to a file, then read(unit, *, iostat=ios) i1, i2, i3.
const RecordsCase records_cases[] = {
    {{"1", "2", "3"}, {1, 2, 3}, "ooo", 3}, // no record is asked for after the last item
    {{"1 2", "3 4", "5"}, {1, 2, 3}, "ooo", 2},
    {{"1,", "2", "3"}, {1, 2, 3}, "ooo", 3}, // a record end after a comma is no null value
    {{"1,,", "3"}, {1, -777, 3}, "ooo", 2},
    {{"2*", "5"}, {-777, -777, 5}, "ooo", 2},
    {{"1", "", "  ", "3"}, {1, 3, -777}, "ooe", 5}, // blank records give nothing
    // A leading comma gives a null value in the first record only.
    {{"", ",5"}, {5, -777, -777}, "oee", 3},
    {{" ", ",,5"}, {-777, 5, -777}, "ooe", 3},
    {{",", ",5"}, {-777, -777, 5}, "ooo", 2},
    {{"1,", ",3"}, {1, -777, 3}, "ooo", 2},
    {{"1", ",2", "3"}, {1, 2, 3}, "ooo", 3},
    {{"1 /", "2 3"}, {1, -777, -777}, "ooo", 1},
    {{"1\r", "2\r", "3\r"}, {1, 2, 3}, "ooo", 3},
    {{"1 2"}, {1, 2, -777}, "ooe", 2}, // the end of the file is met once, then remembered
    {{}, {-777, -777, -777}, "eee", 1},
    {{"1 'ab", "cd' 3"}, {1, -777, -777}, "oxx", 2}, // a quoted value does not go on
};

TEST(ListReader, ReadsAcrossRecords) {
    for (std::size_t row = 0; row < std::size(records_cases); ++row) {
        const RecordsCase& c = records_cases[row];
        SCOPED_TRACE(testing::Message() << "records case " << row);
        Records records{c.lines};
        ListReader reader(records.source());
        const auto result = read_items(reader, 3, unset_int);
        EXPECT_EQ(result.values, c.values);
        EXPECT_EQ(result.statuses, c.statuses);
        EXPECT_EQ(records.asked, c.asked);
        // Once the file has ended, the reader does not ask again.
        if (c.statuses.back() == 'e') {
            std::int32_t n = 0;
            EXPECT_EQ(reader.read(n), ListStatus::end_of_data);
            EXPECT_EQ(records.asked, c.asked);
        }
    }
}

TEST(ListReader, ATableOfManyValues) {
    // 2,000 rows of "i, i/4" as a user table would hold them, read back in one pass.
    Records records;
    for (int i = 1; i <= 2000; ++i)
        records.lines.push_back(std::to_string(i) + ", " + std::to_string(i / 4) + "." +
                                std::to_string(i % 4 * 25) + "  ");
    ListReader reader(records.source());
    for (int i = 1; i <= 2000; ++i) {
        std::int32_t n = 0;
        double x = 0.0;
        ASSERT_EQ(reader.read(n), ListStatus::ok);
        ASSERT_EQ(reader.read(x), ListStatus::ok);
        ASSERT_EQ(n, i);
        ASSERT_EQ(x, i / 4.0);
    }
    std::int32_t n = 0;
    EXPECT_EQ(reader.read(n), ListStatus::end_of_data);
}

TEST(ListReader, AHundredThousandCharacterRecord) {
    const std::string quoted = std::string(50000, 'a') + "''" + std::string(49990, 'b');
    ListReader reader(std::string(1, '\'') + quoted + "' 7");
    std::string s;
    std::int32_t n = 0;
    EXPECT_EQ(reader.read(s), ListStatus::ok);
    EXPECT_EQ(reader.read(n), ListStatus::ok);
    EXPECT_EQ(s, std::string(50000, 'a') + "'" + std::string(49990, 'b'));
    EXPECT_EQ(n, 7);
}

} // namespace
} // namespace lintar
