// runtime/edit_descriptors.h: formatted output, one function per edit descriptor.
//
// Each function lays out one value exactly as the Fortran edit descriptor of the same name
// would (gfortran is the reference the tests are made with): digits come from one exact,
// correctly rounded conversion of the binary value, an exact tie going to the even digit as
// gfortran's does; a value that does not fit its field gives w asterisks. A float passed here
// converts exactly to double, so a four-byte real prints with its own digits. A negative value
// keeps its sign when it rounds to zero, and so does -0.0. Infinities and NaN print in any
// real descriptor's w columns as "Infinity"/"Inf", "-Infinity"/"-Inf" and "NaN".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lintar {

// Iw, Iw.m: the integer right-justified, at least m digits (Iw is Iw.1).
//        -1234 I5   -> "-1234"          -1234 I4 -> "****"
//           -1 I5.3 -> " -001"              0 I5.0 -> "     "  (no digits at all)
std::string I(long long value, int w);
std::string I(long long value, int w, int m);

// Fw.d: [-]i.ddd right-justified in w columns.
//        0.125 F5.2 -> " 0.12"     an exact tie goes to the even digit
//       0.0025 F5.4 -> ".0025"     the optional zero goes first
//       -0.001 F5.2 -> "-0.00"     the sign stays on a value that rounds to zero
//          0.1 F1.0 -> "*"         "0." keeps its zero: there is no "."
std::string F(double x, int w, int d);

// Ew.d, Ew.dEe: [-]0.ddddE+xx in exactly w columns (d >= 1).
//       392.65 E12.4   -> "  0.3926E+03"   the double lies just below 392.65
//       -12340 E10.4   -> "-.1234E+05"     the optional zero goes first
//      -1.0e100 E10.3  -> "-0.100+101"     a three-digit exponent drops the E
//      -1.0e10 E12.3E1 -> "************"   with Ee the exponent must fit in e digits
std::string E(double x, int w, int d);
std::string E(double x, int w, int d, int e);

// kPEw.d: scale factor k (-d < k < d + 2): k > 0 gives k digits before the point and d-k+1
// after, k <= 0 gives -k zeros after the point and d+k significant digits.
//          1.0 1PE9.2  -> " 1.00E+00"   the zero before the point is no longer optional
//      12345.0 -1PE10.3 -> " 0.012E+06"
std::string PE(double x, int k, int w, int d);

// ESw.d: [-]d.dddE+xx, the same layout as 1PEw.d.
//      12345.0 ES10.3 -> " 1.234E+04"       0.0 ES8.3 -> "********"
std::string ES(double x, int w, int d);

// Gw.d (d >= 1): when x rounded to d significant digits lies in [0.1, 10^d), F(w-4).(d-j)
// followed by 4 blanks, j digits before the point; otherwise Ew.d. Zero is F(w-4).(d-1).
//      99999.4 G12.5 -> "  99999.    "   99999.5 G12.5 -> " 0.10000E+06"
//         0.05 G12.5 -> " 0.50000E-01"      -5.0 G8.3  -> "********" (no room for F4.2)
std::string G(double x, int w, int d);

// True when a real descriptor has laid out a NaN or an infinity (in letters or, in a field
// too narrow for them, asterisks) since the last call; the call clears the mark. The unit
// table asks at every record it writes, so that the run can tell which files hold such values:
// a value is formatted and then written in its record before the next record is written.
bool take_not_finite_written();

// A, Aw: the text; with w, its first w characters, or a shorter text right-justified.
//     "abcdef" A3 -> "abc"           "abcdef" A8 -> "  abcdef"
std::string A(std::string_view text);
std::string A(std::string_view text, int w);

// The text placed so that it starts in the given column (1 for the first): the T edit
// descriptor of a record that begins with it.
std::string starting_at(int column, std::string_view text);

// nX: n blanks. Fortran writes those blanks only when something follows them in the record;
// at the end of a record use Record::TR, which writes nothing by itself.
std::string X(int n);

// One output record under construction, for formats that position with Tn, TLn or TRn.
// Text is written at the current column (1-based), overwriting what is there and padding
// with blanks; the cursor then moves past it. Moving the cursor alone writes nothing, so a
// record ends at the last character written, as a Fortran record does.
//     << "ab" T(10) << "cdef" TL(4) << "x"  -> "ab       xdef"
//     << "abc" TL(5) << "z"                  -> "zbc"
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

// List-directed output: the items of a WRITE (u, *) record, each with the blanks that separate
// it from the one before, for the files that other programs read back.
//
// An integer: I12, the separating blank and gfortran's eleven columns of a default integer.
// The records of the mooring force map, the damping maps and the force spectra files.
//          90 -> "          90"
std::string list_directed_int(long long value);

// A real in seventeen columns, nine significant digits: |x| in [0.1, 1e9) in fixed form with
// four trailing blanks, else 1PE. Two forms, the output deciding the width of the field:
// - list_directed_real: one blank, then sixteen columns (G16.9, else 1PE16.8), gfortran's own
//   list-directed REAL. The envelope data file of the low-frequency loads.
// - list_directed_real_g15: two blanks, then fifteen columns (G15.9, else 1PE15.8). The first
//   line of the one-line mooring loads table (its TOTLN(1)). The narrower field gives up the 0
//   before the point of a negative value under 1 in magnitude, and writes -0 as 0; every other
//   value it writes as list_directed_real does.
//        -2.5 -> "  -2.50000000    " either way
//        -0.5 -> " -0.500000000    " (list_directed_real), "  -.500000000    " (_g15)
std::string list_directed_real(float x);
std::string list_directed_real_g15(float x);

} // namespace lintar
