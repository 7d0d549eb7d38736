// util/unit_labels.h: unit labels by code, and the names of the degrees of freedom.
//
// A label code is a base code plus the unit system NUNTS (0 English, 1 metric): 7 + NUNTS is a
// length, 0 + NUNTS a force. Every label comes blank-padded to its routine's width.
#pragma once

#include <cstdint>
#include <string_view>

namespace lintar {

std::string_view UNITS(std::int32_t NUNTS); // report labels, 16 characters
std::string_view UNITP(std::int32_t NUNTS); // page labels, 16 characters
std::string_view CAPUN(std::int32_t IUNTS); // upper-case headings, 8 characters
std::string_view DOF(std::int32_t IDOF);    // SURGE .. YAW, 8 characters

} // namespace lintar
