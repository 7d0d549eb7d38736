// mooring_pages/curve_fit.cpp: the stress-strain curve fit of a subline's compliance law.
#include "mooring_pages/curve_fit.h"

#include "blocks/block_support.h"
#include "runtime/assert.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "util/answer_reader.h"
#include "util/prompts.h"
#include "util/range_checks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace lintar {

namespace {

constexpr std::int32_t max_points = 20;
constexpr std::int32_t leading_dimension = 20;

// The measured curve and the weighting choice, kept from one fit to the next.
struct CurveFitStore {
    std::int32_t NPTS = 0;
    std::array<float, max_points> X{};      // tensions
    std::array<float, max_points> Y{};      // elongations (decimal fractions)
    std::array<float, max_points> YP{};     // elongation per unit tension
    std::array<float, max_points> SIGMAY{}; // uncertainties: unused by the weightings asked for
    std::int32_t MODE = 0;                  // 0 unweighted, -1 weighted by 1/elongation
    float CHISQR = 0.0f;
};
CurveFitStore curve_fit;
const StateReset reset_curve_fit{[] { curve_fit = {}; }};

double& at(std::span<double> ARRAY, std::int32_t j, std::int32_t k) {
    return ARRAY[slot(j) + leading_dimension * slot(k)];
}

// The entry of ARAYIN's list: r in two columns, ")", the value in F13.4.
std::string array_entry(std::int32_t r, float value) {
    return I(r, 2) + ")" + F(value, 13, 4);
}

} // namespace

float DETRM(std::span<double> ARRAY, std::int32_t NORDER) {
    LINTAR_ASSERT(NORDER >= 0 && NORDER <= leading_dimension, "matrix order");
    float determinant = 1.0f;
    for (std::int32_t k = 1; k <= NORDER; ++k) {
        if (at(ARRAY, k, k) == 0.0) {
            std::int32_t j = k;
            while (j <= NORDER && at(ARRAY, k, j) == 0.0)
                ++j;
            if (j > NORDER)
                return 0.0f;
            for (std::int32_t i = k; i <= NORDER; ++i)
                std::swap(at(ARRAY, i, j), at(ARRAY, i, k));
            determinant = -determinant;
        }
        determinant = static_cast<float>(determinant * at(ARRAY, k, k));
        for (std::int32_t i = k + 1; i <= NORDER; ++i)
            for (std::int32_t j = k + 1; j <= NORDER; ++j)
                at(ARRAY, i, j) -= at(ARRAY, i, k) * at(ARRAY, k, j) / at(ARRAY, k, k);
    }
    return determinant;
}

bool POLFIT(std::span<const float> X, std::span<const float> Y, std::span<const float> SIGMAY,
            std::int32_t NPTS, std::int32_t NTERMS, std::int32_t MODE, std::span<float> A,
            float& CHISQR) {
    LINTAR_ASSERT(NTERMS >= 1 && NTERMS <= leading_dimension, "polynomial terms");
    const std::int32_t NMAX = 2 * NTERMS - 1;
    std::array<double, 2 * leading_dimension - 1> SUMX{};
    std::array<double, leading_dimension> SUMY{};
    double CHISQ = 0.0;
    for (std::int32_t i = 0; i < NPTS; ++i) {
        const double x = X[static_cast<std::size_t>(i)];
        const double y = Y[static_cast<std::size_t>(i)];
        double weight = 1.0;
        if (MODE < 0) {
            if (y < 0.0)
                weight = 1.0 / -y;
            else if (y > 0.0)
                weight = 1.0 / y;
        } else if (MODE > 0) {
            const double sigma = SIGMAY[static_cast<std::size_t>(i)];
            weight = 1.0 / (sigma * sigma);
        }
        double xterm = weight;
        for (std::int32_t n = 1; n <= NMAX; ++n) {
            SUMX[slot(n)] += xterm;
            xterm *= x;
        }
        double yterm = weight * y;
        for (std::int32_t n = 1; n <= NTERMS; ++n) {
            SUMY[slot(n)] += yterm;
            yterm *= x;
        }
        CHISQ += weight * y * y;
    }
    std::array<double, leading_dimension * leading_dimension> ARRAY{};
    const auto build = [&] {
        for (std::int32_t j = 1; j <= NTERMS; ++j)
            for (std::int32_t k = 1; k <= NTERMS; ++k)
                at(ARRAY, j, k) = SUMX[static_cast<std::size_t>(j + k - 2)];
    };
    build();
    const float DELTA = DETRM(ARRAY, NTERMS);
    // Singular normal equations determine no coefficients: A keeps the law it had, rather
    // than taking zeros that would make the subline inextensible without a word.
    if (DELTA == 0.0f) {
        CHISQR = 0.0f;
        return false;
    }
    for (std::int32_t l = 1; l <= NTERMS; ++l) {
        build();
        for (std::int32_t j = 1; j <= NTERMS; ++j)
            at(ARRAY, j, l) = SUMY[slot(j)];
        A[slot(l)] = DETRM(ARRAY, NTERMS) / DELTA;
    }
    for (std::int32_t j = 1; j <= NTERMS; ++j) {
        const double aj = A[slot(j)];
        CHISQ -= 2.0 * aj * SUMY[slot(j)];
        for (std::int32_t k = 1; k <= NTERMS; ++k)
            CHISQ += aj * A[slot(k)] * SUMX[static_cast<std::size_t>(j + k - 2)];
    }
    const auto FREE = static_cast<float>(NPTS - NTERMS);
    if (FREE != 0.0f)
        CHISQR = static_cast<float>(CHISQ / FREE);
    return true;
}

// ARAYIN: shows the array in two columns of 15 rows and edits it from the selected entry on,
// until the selection is 0. Any other page command only redraws the list.
void ARAYIN(std::int32_t NWP, std::int32_t NUMPRD, int EDUNIT, int KBD, std::span<float> USRPSD,
            std::int32_t& ITEMP, std::string_view THENAM) {
    (void)NUMPRD;
    LINTAR_ASSERT(NWP >= 0 && static_cast<std::size_t>(NWP) <= USRPSD.size(), "array length");
    const auto value = [&](std::int32_t r) -> float& { return USRPSD[slot(r)]; };
    for (;;) {
        CLEAR(EDUNIT);
        std::string title = " -->> Array input for ";
        title += THENAM;
        write_record(EDUNIT, title);
        write_record(EDUNIT, "");
        for (std::int32_t r = 1; r <= std::min(NWP, 15); ++r) {
            std::string line = " " + array_entry(r, value(r));
            if (NWP >= r + 15)
                line += "  " + array_entry(r + 15, value(r + 15));
            write_record(EDUNIT, line);
        }
        std::int32_t IPAG = 0;
        ENTSEL(ITEMP, EDUNIT, KBD, IPAG);
        if (ITEMP == code_help) {
            NOHELP(EDUNIT, KBD, IPAG);
            continue;
        }
        if (ITEMP == 0)
            return;
        if (ITEMP < 0)
            continue;
        MAXCHK(ITEMP, NWP);
        for (std::int32_t k = ITEMP; k >= 1 && k <= NWP; ++k) {
            WRTLNI("Enter new value for # ", k, EDUNIT);
            float answer = 0.0f;
            bool CR = false;
            CRREAD(answer, CR, KBD);
            if (CR)
                break;
            value(k) = answer;
        }
    }
}

void FITCRV(std::span<float> A, int EDUNIT, int KBD) {
    auto& s = curve_fit;
    constexpr std::int32_t NTERMS = 3;
    const std::string ENTNUM =
        "Enter number of data points (max " + I(max_points, 2) + ", min 4; -1 to abort): ";
    for (;;) {
        // The count, asked again while below 4.
        do {
            write_record(EDUNIT, "");
            WRTLIN(ENTNUM, EDUNIT);
            std::int32_t IPAG = 0;
            READI(s.NPTS, KBD, IPAG);
            if (s.NPTS <= 0)
                return;
            MAXCHK(s.NPTS, max_points);
        } while (s.NPTS < 4);

        std::int32_t ITEMP = 0;
        ARAYIN(s.NPTS, max_points, EDUNIT, KBD, s.X, ITEMP,
               "NONZERO Tension values (a point at [0,0] is ASSUMED)");
        ARAYIN(s.NPTS, max_points, EDUNIT, KBD, s.Y, ITEMP,
               "NONZERO Elongation values (a point at [0,0] is ASSUMED)");
        bool has_zero = false;
        for (std::int32_t i = 0; i < s.NPTS && !has_zero; ++i) {
            const auto k = static_cast<std::size_t>(i);
            if (s.X[k] == 0.0f || s.Y[k] == 0.0f) {
                write_record(EDUNIT, " A tension or elongation of zero is not allowed;");
                write_record(EDUNIT, " a point at (0,0) is ASSUMED! - reenter arrays");
                has_zero = true;
            } else {
                s.YP[k] = s.Y[k] / s.X[k];
            }
        }
        if (has_zero)
            continue;
        break;
    }
    for (;;) {
        write_record(EDUNIT, std::string(" Curve fit will be ") +
                                 (s.MODE == 0 ? "unweighted" : "weighted by 1/elongation") +
                                 "; to CHANGE weighting method,");
        WRTLIN("enter \"C\"; otherwise press <Return> to continue:", EDUNIT);
        if (EDUNIT == diagnostics_unit)
            break;
        char answer = ' ';
        READCP(answer);
        if (answer != 'C' && answer != 'c')
            break;
        s.MODE = s.MODE == 0 ? -1 : 0;
    }
    if (!POLFIT(s.X, s.YP, s.SIGMAY, s.NPTS, NTERMS, s.MODE, A, s.CHISQR)) {
        write_record(EDUNIT,
                     " ++> Curve fit failed: the points do not determine the compliance law.");
        std::int32_t dropped = 0;
        PRSRET(EDUNIT, KBD, dropped);
    }
}

} // namespace lintar
