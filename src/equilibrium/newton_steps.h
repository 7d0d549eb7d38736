// equilibrium/newton_steps.h: the step rules the six-degree-of-freedom Newton searches share
// (the static equilibrium's and the offset table's): the damping of a search that swings, the
// halving of an estimate that has left the physical range, and the answer and the midpoint of
// their failure dialogues.
#pragma once

#include <array>
#include <cstdint>

namespace lintar {

using Vec6 = std::array<float, 6>;

// From this iteration count on, every other step is averaged with the last odd iterate.
inline constexpr std::int32_t damped_from = 25;

// Halvings of an estimate outside the rotation and heave limits. 150 bring any finite float
// within a limit of a millionth; a limit at or below zero (water depth not above the draft) can
// never be met, and the cap ends the halving there instead of looping for ever.
inline constexpr int halving_cap = 150;

// damped_step: XVEC -= DXVEC; from iteration ITRATN = damped_from on, odd iterations keep the
// result in XVEC_LAST and even ones average it with XVEC_LAST, which damps a search that swings
// between two states.
void damped_step(Vec6& XVEC, const Vec6& DXVEC, std::int32_t ITRATN, Vec6& XVEC_LAST);

// halve_into_range: halves the whole estimate while a rotation component exceeds ANGLIM or the
// heave exceeds heave_limit, at most halving_cap times. Returns whether it halved.
bool halve_into_range(Vec6& XVEC, float ANGLIM, float heave_limit);

// The answer to a search's failure dialogue, after its choices are listed on EDUNIT: in an
// unattended run (EDUNIT the diagnostics file) nobody can answer and the run stops (status 1);
// otherwise the last choice "A" is prompted and one letter read, returned in upper case.
char failure_dialogue_answer(int EDUNIT);

// The convergence failures whose estimate the user took at a failure dialogue ("C", or "Q" in
// the offset table) since the analysis began: counted by the dialogues, reported at the end of
// the engine's run.
void note_accepted_failure();
std::int32_t accepted_failures();

// The midpoint of the estimate and the last saved one, which "C" and "R" take.
void midpoint_estimate(Vec6& XVEC, const Vec6& XSAV);

} // namespace lintar
