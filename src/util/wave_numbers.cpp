// util/wave_numbers.cpp: wave number, group speed, slope functions and spectrum type names.
#include "util/wave_numbers.h"

#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/root_finders.h"

#include <array>
#include <cmath>
#include <string_view>

namespace lintar {

namespace {

// A name in its 30-character field.
std::string name30(std::string_view text) {
    std::string name(text);
    name.resize(30, ' ');
    return name;
}

// The name of a code in a table counted from 0, or " Index error" for a code outside it.
template <std::size_t N>
std::string pick_name(const std::array<std::string_view, N>& names, std::int32_t code) {
    if (code < 0 || code >= static_cast<std::int32_t>(N))
        return name30(" Index error");
    return name30(names[static_cast<std::size_t>(code)]);
}

} // namespace

// DISPRS: residual of the dispersion relation X tanh X = OMEGATMP (X = k d).
float DISPRS(float X, float OMEGATMP) {
    return OMEGATMP - X * std::tanh(X);
}

// WAVVEC: solves X tanh X = OMEGA^2 for X = k d with RTMI1 in [OMEGA^2, OMEGA^2 + 0.5], which
// always brackets the root (X tanh X < X, and (W + 0.5) tanh(W + 0.5) > W).
// A root-finder failure is reported on the screen as an internal error; after one answer line
// the run stops.
void WAVVEC(float OMEGA, float& WVVEC) {
    const float OMEGATMP = OMEGA * OMEGA;
    float F = 0.0f;
    std::int32_t IER = 0;
    RTMI1(
        WVVEC, F, [OMEGATMP](float X) { return DISPRS(X, OMEGATMP); }, OMEGATMP, OMEGATMP + 0.5f,
        1.0e-5f, 0.0f, 100, IER);
    if (IER == 0)
        return;
    // Codes 1 and 2 and any other code share one message shape.
    write_record(screen_unit,
                 " >>> IER = " + std::to_string(IER) + " in WAVVEC; Please contact Kelbrin.");
    write_record(screen_unit, "     press any letter key + <RETURN> to continue...");
    (void)read_answer(1);
    stop_program(StopKind::error);
}

// SINPHT, COSPHT: sine and cosine of the angle whose tangent is the slope QP.
float COSPHT(float QP) {
    return 1.0f / std::sqrt(1.0f + QP * QP);
}

float SINPHT(float QP) {
    return QP * COSPHT(QP);
}

// WAVPRT, WNDPRT, CURPRT: display names of the spectrum types; " Index error" for a code
// without one.
std::string WAVPRT(std::int32_t WAVTYP) {
    static constexpr std::array<std::string_view, 11> names{
        " Kelbrin swell spectrum", " Pierson-Moskowitz",
        " Mean JONSWAP",           " Sharp JONSWAP",
        " Squat JONSWAP",          " General JONSWAP",
        " Bretschneider",          " WAVSPEC.txt input file",
        " Legacy custom spectrum", " Ochi-Hubble",
        " TMA Shallow Water"};
    return pick_name(names, WAVTYP);
}

std::string WNDPRT(std::int32_t WNDTYP) {
    static constexpr std::array<std::string_view, 7> names{
        " Index error", " Davenport", " Legacy point spectrum",  " Steady wind",
        " A.P.I.",      " N.P.D.",    " WINDSPEC.txt input file"};
    return pick_name(names, WNDTYP);
}

std::string CURPRT(std::int32_t CURTYP) {
    static constexpr std::array<std::string_view, 5> names{
        " Index error", " Steady current", " Legacy point spectrum", " CRNTSPEC.txt input file",
        " Band-limited white spectrum"};
    return pick_name(names, CURTYP);
}

// group_speed: see the header; kd >= 80 takes the deep-water limit c / 2 exactly.
float group_speed(float G, float omega, float k, float depth, float deep_from) {
    const float kd = k * depth;
    if (kd >= deep_from)
        return 0.5f * omega / k;
    const float ch = std::cosh(kd);
    return G * (kd / ch + std::sinh(kd)) / (2.0f * omega * ch);
}

float depth_frequency_scale(float DEPTH, float G) {
    return std::sqrt(DEPTH / G);
}

float wave_number(float omega, float DEPTH, float G) {
    float kd = 0.0f;
    WAVVEC(omega * depth_frequency_scale(DEPTH, G), kd);
    return kd / DEPTH;
}

} // namespace lintar
