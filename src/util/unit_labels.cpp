// util/unit_labels.cpp: unit labels by code.
#include "util/unit_labels.h"

#include <array>
#include <string>

namespace lintar {

namespace {

template <std::size_t N, std::size_t Width>
std::array<std::string, N> padded(const std::array<std::string_view, N>& labels) {
    std::array<std::string, N> out;
    for (std::size_t k = 0; k < N; ++k) {
        out[k] = std::string(labels[k]);
        out[k].resize(Width, ' ');
    }
    return out;
}

// clang-format off
const auto report_labels = padded<23, 16>({
    "k.lbs", "m.ton", "degrees", "in", "mm", "lbs/ft", "kgw/m.", "ft", "m.", "feet/feet",
    "meters/meters", "lbs/cubic foot", "kgw/cubic meter", "knots", "feet/sec", "meters/sec",
    "seconds", "height", "slope", "foot-kips", "ton-meters", "ft-kp", "ton-m"});
const auto page_labels = padded<21, 16>({
    " kips", " metric tons", " degrees", " inches", " millimeters", " lbs/foot", " kgw/meter",
    " feet", " meters", " feet/feet", " meters/meters", " lbs/cubic foot", " kgw/cubic meter",
    " knots", " feet/sec", " meters/sec", " seconds", " height: ", " slope: ", "k.lbs", "m.ton"});
const auto heading_labels = padded<12, 8>({
    "FEET", "METERS", "FT", "M.", "K.LBS", "M.TONS", "LBS", "KGW", "FT", "DEG", "SLOPE", "HEIGHT"});
const auto dof_names = padded<6, 8>({"SURGE", "SWAY", "HEAVE", "ROLL", "PITCH", "YAW"});
const std::string blank16(16, ' ');
const std::string index_error = [] { std::string s = " Index error"; s.resize(16, ' '); return s; }();
const std::string error8 = "ERROR ! ";
// clang-format on

template <std::size_t N>
std::string_view pick(const std::array<std::string, N>& labels, std::int32_t code,
                      const std::string& otherwise) {
    if (code < 0 || code >= static_cast<std::int32_t>(N))
        return otherwise;
    return labels[static_cast<std::size_t>(code)];
}

} // namespace

std::string_view UNITS(std::int32_t NUNTS) {
    return pick(report_labels, NUNTS, blank16);
}
std::string_view UNITP(std::int32_t NUNTS) {
    return pick(page_labels, NUNTS, index_error);
}
std::string_view CAPUN(std::int32_t IUNTS) {
    return pick(heading_labels, IUNTS, error8);
}
std::string_view DOF(std::int32_t IDOF) {
    return pick(dof_names, IDOF - 1, error8);
}

} // namespace lintar
