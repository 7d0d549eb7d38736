// runtime/edit_descriptors.h: formatted output, one function per edit descriptor.
//
// Each function lays out one value exactly as the Fortran edit descriptor of the same name
// would (gfortran is the reference the tests are made with): digits come from one exact,
// correctly rounded conversion of the binary value; a value that does not fit its field gives
// w asterisks. A float passed here converts exactly to double, so a four-byte real prints with
// its own digits.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lintar {

std::string I(long long value, int w);         // Iw
std::string I(long long value, int w, int m);  // Iw.m: at least m digits
std::string F(double x, int w, int d);         // Fw.d
std::string E(double x, int w, int d);         // Ew.d
std::string E(double x, int w, int d, int e);  // Ew.dEe
std::string PE(double x, int k, int w, int d); // kPEw.d: scale factor k
std::string ES(double x, int w, int d);        // ESw.d
std::string G(double x, int w, int d);         // Gw.d
std::string A(std::string_view text);          // A: the whole text
std::string A(std::string_view text, int w);   // Aw
std::string X(int n);                          // nX: n blanks

// One output record under construction, for formats that position with Tn, TLn or TRn.
// Text is written at the current column (1-based), overwriting what is there and padding
// with blanks; the cursor then moves past it.
class Record {
public:
    Record& operator<<(std::string_view text);
    Record& T(int column); // Tn: the cursor to column n
    Record& TL(int n);     // TLn: n columns left (not before column 1)
    Record& TR(int n);     // TRn, nX: n columns right
    const std::string& text() const { return text_; }

private:
    std::string text_;
    std::size_t cursor_ = 0; // 0-based position of the next character
};

} // namespace lintar
