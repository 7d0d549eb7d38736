// runtime/edit_descriptors.cpp: the edit descriptors, digits apart from layout.
#include "runtime/edit_descriptors.h"

#include "runtime/assert.h"
#include "runtime/program_state.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <span>
#include <system_error>

namespace lintar {
namespace {

// Room for the digits of every field this program writes; wider ones spill to the heap.
constexpr std::size_t local_room = 128;

std::string asterisks(int w) {
    return std::string(static_cast<std::size_t>(std::max(w, 0)), '*');
}

// The text right-justified in w columns, or w asterisks when it is longer.
std::string right_justified(std::string_view text, int w) {
    if (w < 0 || text.size() > static_cast<std::size_t>(w))
        return asterisks(w);
    std::string out(static_cast<std::size_t>(w) - text.size(), ' ');
    out += text;
    return out;
}

// Set by not_finite, taken by the unit table at the next record it writes: only a value that
// is no finite number touches it, so finite values format at no extra cost.
bool not_finite_pending = false;
const StateReset reset_not_finite_pending{[] { not_finite_pending = false; }};

// An infinity or NaN in w columns, as gfortran writes it for every real descriptor, noted for
// the unit table (take_not_finite_written):
//   +Inf w=8 -> "Infinity"   +Inf w=7 -> "    Inf"   -Inf w=9 -> "-Infinity"
//   -Inf w=8 -> "    -Inf"   -Inf w=3 -> "***"       NaN of either sign, w=5 -> "  NaN"
std::string not_finite(double x, int w) {
    not_finite_pending = true;
    if (std::isnan(x))
        return right_justified("NaN", w);
    if (!std::signbit(x))
        return right_justified(w >= 8 ? "Infinity" : "Inf", w);
    return right_justified(w >= 9 ? "-Infinity" : "-Inf", w);
}

// One exact, correctly rounded conversion of v (ties to even) into the local buffer, or into
// `spill` when the local buffer is too small (a huge value under F, a very wide field).
std::span<char> convert(char (&local)[local_room], std::string& spill, double v,
                        std::chars_format format, int precision) {
    auto result = std::to_chars(local, local + local_room, v, format, precision);
    if (result.ec == std::errc{})
        return {local, result.ptr};
    // Fixed: at most 309 integer digits; scientific: at most 6 characters of exponent.
    spill.resize(static_cast<std::size_t>(precision) + 320);
    result = std::to_chars(spill.data(), spill.data() + spill.size(), v, format, precision);
    LINTAR_ASSERT(result.ec == std::errc{}, "the spill buffer holds every conversion");
    return {spill.data(), result.ptr};
}

// n >= 1 significant digits of v >= 0, and the exponent j with v ~ 0.DDD x 10^j.
// Rounding may carry into a new leading digit: 9.9996 to 4 digits is 0.1000 x 10^2.
// Zero has the exponent 0.
struct Significand {
    std::string_view digits;
    int exponent;
};

Significand significant_digits(char (&local)[local_room], std::string& spill, double v, int n) {
    const std::span<char> s = convert(local, spill, v, std::chars_format::scientific, n - 1);
    // s is "D.DDDe+XX", or "De+XX" for one digit: move the first digit over the point.
    char* const e_mark = std::find(s.data(), s.data() + s.size(), 'e');
    const char* first = s.data();
    if (n > 1) {
        s[1] = s[0];
        ++first;
    }
    int scientific_exponent = 0;
    std::from_chars(e_mark + 2, s.data() + s.size(), scientific_exponent);
    if (e_mark[1] == '-')
        scientific_exponent = -scientific_exponent;
    return {{first, static_cast<std::size_t>(e_mark - first)},
            v == 0.0 ? 0 : scientific_exponent + 1};
}

// The pieces of one number in its field; lay_out places them.
struct Layout {
    bool negative = false;
    std::string_view int_digits;    // digits before the point
    bool optional_zero = false;     // int_digits is a "0" that may go when room is short
    int frac_zeros = 0;             // zeros after the point before frac_digits
    std::string_view frac_digits;   // digits after them
    std::string_view exponent_text; // "E+05", "+101", or empty under F
    int trailing_blanks = 0;        // G's blanks after an F layout
};

// [-]int.frac[exponent] right-justified in w - trailing_blanks columns, then the blanks.
// The optional zero goes when the field is one short, never when no digit follows the point
// (F5.4 of 0.0025 -> ".0025", but F1.0 of 0.1 -> "*"); what still does not fit gives w
// asterisks.
std::string lay_out(Layout n, int w) {
    const std::size_t frac_len = static_cast<std::size_t>(n.frac_zeros) + n.frac_digits.size();
    std::size_t len = (n.negative ? 1u : 0u) + n.int_digits.size() + 1 + frac_len +
                      n.exponent_text.size() + static_cast<std::size_t>(n.trailing_blanks);
    if (w < 0 || len > static_cast<std::size_t>(w)) {
        if (!n.optional_zero || frac_len == 0 || len - 1 > static_cast<std::size_t>(w))
            return asterisks(w);
        n.int_digits = {};
        --len;
    }
    std::string out(static_cast<std::size_t>(w), ' ');
    char* p = out.data() + (static_cast<std::size_t>(w) - len);
    if (n.negative)
        *p++ = '-';
    p = std::copy(n.int_digits.begin(), n.int_digits.end(), p);
    *p++ = '.';
    p = std::fill_n(p, n.frac_zeros, '0');
    p = std::copy(n.frac_digits.begin(), n.frac_digits.end(), p);
    std::copy(n.exponent_text.begin(), n.exponent_text.end(), p);
    return out;
}

// The exponent part into `text`; its length, or 0 when the exponent does not fit.
//   e == 0 (Ew.d): 5 -> "E+05", -309 -> "-309" (three digits drop the E), 1000 -> no fit
//   e > 0 (Ew.dEe): 5 with e=3 -> "E+005", 11 with e=1 -> no fit; e above 9 never fits
std::size_t exponent_part(char (&text)[16], int exponent, int e) {
    const int magnitude = std::abs(exponent);
    int digits = 1;
    for (int m = magnitude; m >= 10; m /= 10)
        ++digits;
    int width = e;
    if (e == 0)
        width = digits <= 2 ? 2 : digits;
    if (digits > width || (e == 0 && digits > 3) || width > 9)
        return 0;
    std::size_t len = 0;
    if (e > 0 || digits <= 2)
        text[len++] = 'E';
    text[len++] = exponent < 0 ? '-' : '+';
    for (int i = width - 1, m = magnitude; i >= 0; --i, m /= 10)
        text[len + static_cast<std::size_t>(i)] = static_cast<char>('0' + m % 10);
    return len + static_cast<std::size_t>(width);
}

// kPEw.dEe from the digits already rounded to n significant places (n = d + 1 for k > 0,
// d + k otherwise); e == 0 is the default exponent form.
//   k = 0:  -12340 E10.4 -> "-.1234E+05"    k = 1: 1.0 1PE9.2 -> " 1.00E+00"
//   k = -1: 12345 -1PE10.3 -> " 0.012E+06"  k = 2: 0.0 2PE10.3 -> " 00.00E+00"
std::string exponent_layout(bool negative, Significand sig, int w, int e, int k) {
    // Zero, whose digits alone are zeros, keeps the exponent 0 under any scale factor.
    char text[16];
    const int exponent = sig.digits[0] == '0' ? 0 : sig.exponent - k;
    const std::size_t exp_len = exponent_part(text, exponent, e);
    if (exp_len == 0)
        return asterisks(w);
    Layout n;
    n.negative = negative;
    n.exponent_text = {text, exp_len};
    if (k <= 0) {
        n.int_digits = "0";
        n.optional_zero = true;
        n.frac_zeros = -k;
        n.frac_digits = sig.digits;
    } else {
        const std::size_t point = static_cast<std::size_t>(k);
        n.int_digits = sig.digits.substr(0, point);
        n.frac_digits = sig.digits.substr(point);
    }
    return lay_out(n, w);
}

std::string exponent_field(double x, int w, int d, int e, int k) {
    if (!std::isfinite(x))
        return not_finite(x, w);
    // A descriptor Fortran rejects gives asterisks where assertions are off.
    const bool valid = d >= 1 && k > -d && k < d + 2 && e >= 0 && e <= 9;
    LINTAR_ASSERT(valid, "kPEw.dEe needs d >= 1, -d < k < d + 2 and e <= 9");
    if (!valid)
        return asterisks(w);
    char local[local_room];
    std::string spill;
    const int n = k > 0 ? d + 1 : d + k;
    const Significand sig = significant_digits(local, spill, std::fabs(x), n);
    return exponent_layout(std::signbit(x), sig, w, e, k);
}

} // namespace

bool take_not_finite_written() {
    const bool pending = not_finite_pending;
    not_finite_pending = false;
    return pending;
}

// I: the magnitude's digits through unsigned arithmetic, so the most negative value has them.
std::string I(long long value, int w) {
    return I(value, w, 1);
}

std::string I(long long value, int w, int m) {
    const bool negative = value < 0;
    const unsigned long long magnitude = negative ? 0ull - static_cast<unsigned long long>(value)
                                                  : static_cast<unsigned long long>(value);
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, magnitude);
    std::size_t count = static_cast<std::size_t>(result.ptr - digits);
    if (magnitude == 0 && m == 0)
        count = 0; // I5.0 of 0: all blanks
    const std::size_t zeros =
        m > 0 && static_cast<std::size_t>(m) > count ? static_cast<std::size_t>(m) - count : 0;
    const std::size_t len = (negative ? 1u : 0u) + zeros + count;
    if (w < 0 || len > static_cast<std::size_t>(w))
        return asterisks(w);
    std::string out(static_cast<std::size_t>(w), ' ');
    char* p = out.data() + (static_cast<std::size_t>(w) - len);
    if (negative)
        *p++ = '-';
    p = std::fill_n(p, zeros, '0');
    std::copy(digits, digits + count, p);
    return out;
}

// F: the fixed conversion "III.DDD" (or "III" when d is 0) split at the point.
std::string F(double x, int w, int d) {
    if (!std::isfinite(x))
        return not_finite(x, w);
    LINTAR_ASSERT(d >= 0, "Fw.d needs d >= 0");
    if (d < 0)
        return asterisks(w);
    char local[local_room];
    std::string spill;
    const std::span<char> chars = convert(local, spill, std::fabs(x), std::chars_format::fixed, d);
    const std::string_view s(chars.data(), chars.size());
    const std::size_t int_len = d > 0 ? s.size() - static_cast<std::size_t>(d) - 1 : s.size();
    Layout n;
    n.negative = std::signbit(x);
    n.int_digits = s.substr(0, int_len);
    n.optional_zero = n.int_digits == "0";
    if (d > 0)
        n.frac_digits = s.substr(int_len + 1);
    return lay_out(n, w);
}

std::string E(double x, int w, int d) {
    return exponent_field(x, w, d, 0, 0);
}

std::string E(double x, int w, int d, int e) {
    LINTAR_ASSERT(e >= 1, "Ew.dEe needs e >= 1");
    return exponent_field(x, w, d, std::max(e, 1), 0);
}

std::string PE(double x, int k, int w, int d) {
    return exponent_field(x, w, d, 0, k);
}

std::string ES(double x, int w, int d) {
    return exponent_field(x, w, d, 0, 1);
}

// G: the digits rounded to d places decide the layout, so the switch from F to E follows the
// rounded value (999.5 G10.3 rounds to 1000 and takes E; 998.5 rounds to 998 and takes F).
std::string G(double x, int w, int d) {
    if (!std::isfinite(x))
        return not_finite(x, w);
    LINTAR_ASSERT(d >= 1, "Gw.d needs d >= 1");
    if (d < 1)
        return asterisks(w);
    Layout n;
    n.negative = std::signbit(x);
    n.trailing_blanks = 4;
    n.optional_zero = true;
    if (x == 0.0) { // F(w-4).(d-1): 0.0 G10.3 -> "  0.00    "
        n.int_digits = "0";
        n.frac_zeros = d - 1;
        return lay_out(n, w);
    }
    char local[local_room];
    std::string spill;
    const Significand sig = significant_digits(local, spill, std::fabs(x), d);
    if (sig.exponent < 0 || sig.exponent > d) // 0.05 G12.5 -> " 0.50000E-01"
        return exponent_layout(n.negative, sig, w, 0, 0);
    // F(w-4).(d-j): 0.0999995 G12.5 -> " 0.10000    ", 99999.4 G12.5 -> "  99999.    "
    const std::size_t j = static_cast<std::size_t>(sig.exponent);
    n.int_digits = j == 0 ? std::string_view("0") : sig.digits.substr(0, j);
    n.optional_zero = j == 0;
    n.frac_digits = sig.digits.substr(j);
    return lay_out(n, w);
}

std::string A(std::string_view text) {
    return std::string(text);
}

std::string A(std::string_view text, int w) {
    if (w <= 0)
        return {};
    if (text.size() >= static_cast<std::size_t>(w))
        return std::string(text.substr(0, static_cast<std::size_t>(w)));
    return right_justified(text, w);
}

std::string X(int n) {
    return std::string(static_cast<std::size_t>(std::max(n, 0)), ' ');
}

// Even an empty text fills the skipped columns: (A, T3, A) of "a" and "" is "a ".
Record& Record::operator<<(std::string_view text) {
    const std::size_t end = cursor_ + text.size();
    if (text_.size() < end)
        text_.resize(end, ' ');
    std::copy(text.begin(), text.end(), text_.begin() + static_cast<std::ptrdiff_t>(cursor_));
    cursor_ = end;
    return *this;
}

Record& Record::T(int column) {
    LINTAR_ASSERT(column >= 1, "Tn needs n >= 1");
    cursor_ = static_cast<std::size_t>(std::max(column, 1) - 1);
    return *this;
}

Record& Record::TL(int n) {
    const std::size_t back = static_cast<std::size_t>(std::max(n, 0));
    cursor_ = cursor_ > back ? cursor_ - back : 0;
    return *this;
}

Record& Record::TR(int n) {
    cursor_ += static_cast<std::size_t>(std::max(n, 0));
    return *this;
}

std::string starting_at(int column, std::string_view text) {
    return std::string(static_cast<std::size_t>(column > 1 ? column - 1 : 0), ' ') +
           std::string(text);
}

// ---- List-directed output ------------------------------------------------------------------

std::string list_directed_int(long long value) {
    return I(value, 12);
}

std::string list_directed_real(float x) {
    const double v = x;
    const double a = std::fabs(v);
    if (a == 0.0 || (a >= 0.1 && a < 1.0e9)) {
        const std::string g = G(v, 16, 9);
        if (g.find('*') == std::string::npos && g.find('E') == std::string::npos)
            return " " + g;
    }
    return " " + PE(v, 1, 16, 8);
}

std::string list_directed_real_g15(float x) {
    const float a = std::abs(x);
    if (x == 0.0f)
        return "   0.00000000    ";
    if (a >= 0.1f && a < 1.0e9f)
        return "  " + G(x, 15, 9);
    return "  " + PE(x, 1, 15, 8);
}

} // namespace lintar
