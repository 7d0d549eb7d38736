// Tests of the edit descriptors against the texts gfortran writes for the same values.
#include "runtime/edit_descriptors.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>

namespace lintar {
namespace {

// The next blank-separated token of `rest`, which moves past it.
std::string_view next_token(std::string_view& rest) {
    const std::size_t start = rest.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return rest = {};
    const std::size_t end = std::min(rest.find(' ', start), rest.size());
    const std::string_view token = rest.substr(start, end - start);
    rest.remove_prefix(end);
    return token;
}

template <typename T> T number(std::string_view text, int base = 10) {
    T value{};
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, base);
    EXPECT_TRUE(result.ec == std::errc{} && result.ptr == text.data() + text.size()) << text;
    return value;
}

// A descriptor of the table, "[kP]<letters>w[.d][Ee]": 1PE9.2, ES10.3, E12.3E3, I5.3, A8, A.
struct Descriptor {
    int k = 0;
    std::string_view letters;
    int w = -1, d = -1, e = -1;
};

Descriptor parse_descriptor(std::string_view text) {
    Descriptor f;
    if (const std::size_t p = text.find('P'); p != std::string_view::npos) {
        f.k = number<int>(text.substr(0, p));
        text.remove_prefix(p + 1);
    }
    const std::size_t w_start = std::min(text.find_first_of("0123456789"), text.size());
    f.letters = text.substr(0, w_start);
    text.remove_prefix(w_start);
    const auto field = [&text](char mark, int& value) {
        if (text.empty() || (mark != '\0' && text[0] != mark))
            return;
        if (mark != '\0')
            text.remove_prefix(1);
        const std::size_t end = std::min(text.find_first_of(".E"), text.size());
        value = number<int>(text.substr(0, end));
        text.remove_prefix(end);
    };
    field('\0', f.w);
    field('.', f.d);
    field('E', f.e);
    return f;
}

std::string format_real(double x, const Descriptor& f) {
    if (f.letters == "F")
        return F(x, f.w, f.d);
    if (f.letters == "E" && f.k != 0)
        return PE(x, f.k, f.w, f.d);
    if (f.letters == "E")
        return f.e < 0 ? E(x, f.w, f.d) : E(x, f.w, f.d, f.e);
    if (f.letters == "ES")
        return ES(x, f.w, f.d);
    if (f.letters == "G")
        return G(x, f.w, f.d);
    ADD_FAILURE() << "no real descriptor " << f.letters;
    return {};
}

// Our text for one row of the table: "r8 <bits> <decimal> <descriptor>", "r4 ...",
// "i8 <value> <descriptor>" or "a [value] <descriptor>", each followed by " [text]".
std::string format_row(std::string_view row) {
    std::string_view rest = row;
    const std::string_view kind = next_token(rest);
    if (kind == "a") {
        const std::size_t close = rest.find("] ");
        const std::string_view value = rest.substr(2, close - 2);
        rest.remove_prefix(close + 1);
        const Descriptor f = parse_descriptor(next_token(rest));
        return f.w < 0 ? A(value) : A(value, f.w);
    }
    if (kind == "i8") {
        const auto value = number<long long>(next_token(rest));
        const Descriptor f = parse_descriptor(next_token(rest));
        return f.d < 0 ? I(value, f.w) : I(value, f.w, f.d);
    }
    const std::string_view bits = next_token(rest);
    next_token(rest); // the decimal, for reading only
    const Descriptor f = parse_descriptor(next_token(rest));
    if (kind == "r4") // passed as a float: it must print with its own digits
        return format_real(std::bit_cast<float>(number<std::uint32_t>(bits, 16)), f);
    EXPECT_EQ(kind, "r8");
    return format_real(std::bit_cast<double>(number<std::uint64_t>(bits, 16)), f);
}

TEST(EditDescriptors, MatchGfortranOnEveryRowOfTheTable) {
    const std::string table = testing::read_text(testing::test_data("edit_descriptor_cases.txt"));
    std::string_view rest = table;
    int line_number = 0;
    int rows = 0;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        const std::string_view row = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        ++line_number;
        if (row.empty() || row[0] == '#')
            continue;
        SCOPED_TRACE(::testing::Message() << "line " << line_number << ": " << row);
        const std::size_t open = row.rfind(" [");
        ASSERT_TRUE(open != std::string_view::npos && row.back() == ']');
        EXPECT_EQ(format_row(row.substr(0, open)), row.substr(open + 2, row.size() - open - 3));
        ++rows;
    }
    EXPECT_GT(rows, 0);
}

// Written from Fortran's positioning rules and checked with gfortran: T, TL and TR move the
// cursor, text overwrites, skipped columns fill with blanks only when something is written.
TEST(EditDescriptors, RecordPositionsWithTabs) {
    struct Case {
        const char* format;
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"(A,T10,A)", ((Record() << "ab").T(10) << "cdef").text(), "ab       cdef"},
        {"(A,T10,A,TL4,A)", (((Record() << "ab").T(10) << "cdef").TL(4) << "x").text(),
         "ab       xdef"},
        {"(A,TL5,A)", ((Record() << "abc").TL(5) << "z").text(), "zbc"},
        {"(A,TR3)", (Record() << "ab").TR(3).text(), "ab"},
        {"(A,5X,A)", ((Record() << "ab").TR(5) << "c").text(), "ab     c"},
        {"(A,T2,A)", ((Record() << "abcdef").T(2) << "XY").text(), "aXYdef"},
        {"(T5,A,T1,A)", ((Record().T(5) << "x").T(1) << "y").text(), "y   x"},
        {"(A,T3,A)", ((Record() << "a").T(3) << "").text(), "a "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(c.text, c.expected);
    }
}

// The list-directed items, texts written by gfortran. list_directed_real is write (u, *) x of
// a default real; list_directed_real_g15 is (2X, 1PG15.9) where that takes the F form, else
// (2X, 1PE15.8), and zero of either sign is the list-directed "0.00000000" of +0.
TEST(EditDescriptors, ListDirectedItemsMatchGfortran) {
    struct Case {
        float x;
        const char* list_directed;
        const char* g15;
    };
    const Case cases[] = {
        {1.0f, "   1.00000000    ", "   1.00000000    "},
        {0.0f, "   0.00000000    ", "   0.00000000    "},
        {-0.0f, "  -0.00000000    ", "   0.00000000    "},
        {-2.5f, "  -2.50000000    ", "  -2.50000000    "},
        {0.5f, "  0.500000000    ", "  0.500000000    "},
        {-0.5f, " -0.500000000    ", "  -.500000000    "},
        {3000.0f, "   3000.00000    ", "   3000.00000    "},
        {123456.0f, "   123456.000    ", "   123456.000    "},
        {1.0e-5f, "   9.99999975E-06", "   9.99999975E-06"},
        {0.099999994f, "   9.99999940E-02", "   9.99999940E-02"},
        {1.0e9f, "   1.00000000E+09", "   1.00000000E+09"},
        {-1.5e12f, "  -1.50000003E+12", "  -1.50000003E+12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list_directed);
        EXPECT_EQ(list_directed_real(c.x), c.list_directed);
        EXPECT_EQ(list_directed_real_g15(c.x), c.g15);
    }
    // gfortran: write (u, *) 90, -7, 0 and the widest values of a default integer.
    EXPECT_EQ(list_directed_int(90) + list_directed_int(-7) + list_directed_int(0),
              "          90          -7           0");
    EXPECT_EQ(list_directed_int(2147483647) + list_directed_int(-2147483647),
              "  2147483647 -2147483647");
}

} // namespace
} // namespace lintar
