// mooring_pages/curve_fit.h: the stress-strain curve fit of a subline's compliance law, and
// the small array editor it collects the measured curve with.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace lintar {

// FITCRV: asks for 4 to 20 measured (tension, elongation) points and fits A(1..3) of the
// compliance law elongation = A1 T + A2 T^2 + A3 T^3. Leaves A unchanged when the user aborts,
// and when the points do not determine the law (then it says so and waits for Return). The
// points, their count and the weighting choice persist to the next call.
void FITCRV(std::span<float> A, int EDUNIT, int KBD);

// ARAYIN: full-screen editor of USRPSD(1..NWP), NWP at most 30, titled THENAM.
void ARAYIN(std::int32_t NWP, std::int32_t NUMPRD, int EDUNIT, int KBD, std::span<float> USRPSD,
            std::int32_t& ITEMP, std::string_view THENAM);

// POLFIT: least-squares fit of Y = A(1) + A(2) X + ... + A(NTERMS) X^(NTERMS-1) over NPTS
// points; MODE +1 weights 1/SIGMAY^2, 0 none, -1 1/|Y| (1 where Y is 0). Returns false, with A
// unchanged and CHISQR 0, when the normal equations are singular.
bool POLFIT(std::span<const float> X, std::span<const float> Y, std::span<const float> SIGMAY,
            std::int32_t NPTS, std::int32_t NTERMS, std::int32_t MODE, std::span<float> A,
            float& CHISQR);

// DETRM: the determinant of the NORDER by NORDER matrix ARRAY (leading dimension 20, by
// columns); destroys ARRAY.
float DETRM(std::span<double> ARRAY, std::int32_t NORDER);

} // namespace lintar
