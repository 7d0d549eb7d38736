// runtime/program_state.cpp: the registry of state resets.
#include "runtime/program_state.h"

#include <vector>

namespace lintar {

namespace {
struct Registered {
    void (*reset)();
    StoreKind kind;
};

std::vector<Registered>& resets() {
    static std::vector<Registered> list; // built during static initialisation, in any order
    return list;
}
} // namespace

StateReset::StateReset(void (*reset)(), StoreKind kind) {
    resets().push_back({reset, kind});
}

void reset_program_state() {
    for (const Registered& r : resets())
        r.reset();
}

void reset_analysis_state() {
    for (const Registered& r : resets())
        if (r.kind == StoreKind::analysis)
            r.reset();
}

} // namespace lintar
