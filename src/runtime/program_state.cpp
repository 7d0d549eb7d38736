// runtime/program_state.cpp: the registry of state resets.
#include "runtime/program_state.h"

#include <vector>

namespace lintar {

namespace {
std::vector<void (*)()>& resets() {
    static std::vector<void (*)()> list; // built during static initialisation, in any order
    return list;
}
} // namespace

StateReset::StateReset(void (*reset)()) {
    resets().push_back(reset);
}

void reset_program_state() {
    for (auto* reset : resets())
        reset();
}

} // namespace lintar
