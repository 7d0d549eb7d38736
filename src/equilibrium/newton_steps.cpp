// equilibrium/newton_steps.cpp: the shared step rules of the six-degree-of-freedom searches.
#include "equilibrium/newton_steps.h"

#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/answer_reader.h"

#include <cmath>
#include <cstddef>

namespace lintar {

namespace {

struct AcceptedFailures {
    std::int32_t count = 0;
};
AcceptedFailures accepted_failures_store;
const StateReset reset_accepted_failures{[] { accepted_failures_store = {}; }, StoreKind::analysis};

} // namespace

void note_accepted_failure() {
    ++accepted_failures_store.count;
}

std::int32_t accepted_failures() {
    return accepted_failures_store.count;
}

void damped_step(Vec6& XVEC, const Vec6& DXVEC, std::int32_t ITRATN, Vec6& XVEC_LAST) {
    for (std::size_t k = 0; k < 6; ++k)
        XVEC[k] -= DXVEC[k];
    if (ITRATN < damped_from)
        return;
    if (ITRATN % 2 == 0) {
        for (std::size_t k = 0; k < 6; ++k)
            XVEC[k] = (XVEC[k] + XVEC_LAST[k]) * 0.5f;
    } else {
        XVEC_LAST = XVEC;
    }
}

bool halve_into_range(Vec6& XVEC, float ANGLIM, float heave_limit) {
    const auto outside = [&] {
        return std::abs(XVEC[3]) > ANGLIM || std::abs(XVEC[4]) > ANGLIM ||
               std::abs(XVEC[5]) > ANGLIM || std::abs(XVEC[2]) > heave_limit;
    };
    bool halved = false;
    for (int n = 0; n < halving_cap && outside(); ++n) {
        for (float& x : XVEC)
            x *= 0.5f;
        halved = true;
    }
    return halved;
}

char failure_dialogue_answer(int EDUNIT) {
    if (EDUNIT == diagnostics_unit)
        stop_program(StopKind::error); // nobody there to answer
    WRTLIN("    enter \"A\" to Abort the simulation: ", EDUNIT);
    char answer = ' ';
    READCP(answer);
    if (answer >= 'a' && answer <= 'z')
        answer = static_cast<char>(answer - 'a' + 'A');
    return answer;
}

void midpoint_estimate(Vec6& XVEC, const Vec6& XSAV) {
    for (std::size_t k = 0; k < 6; ++k)
        XVEC[k] = (XVEC[k] + XSAV[k]) * 0.5f;
}

} // namespace lintar
