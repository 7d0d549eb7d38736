// Tests of LINCOM: 1-based accessors in Fortran order, the table views a reader receives, and
// the reset.
#include "blocks/lincom.h"
#include "runtime/program_state.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace lintar {
namespace {

TEST(Lincom, AccessorsAreFortranOrderFromOne) {
    reset_program_state();
    // Table entry (k, L, t) lies at (k-1) + 90 (L-1) + 90 x 29 (t-1).
    LINCOM.ANCDST(3, 2, 5) = 1.5f;
    EXPECT_EQ(LINCOM.ANCDST_words[2 + 90 * 1 + 90 * 29 * 4], 1.5f);
    LINCOM.FFRICT(90, 29, 150) = 2.5f;
    EXPECT_EQ(LINCOM.FFRICT_words[lincom_table_size - 1], 2.5f);
    LINCOM.TANPHI(1, 2, 26) = 3.5f;
    EXPECT_EQ(LINCOM.TANPHI_words[90 * 1 + 90 * 29 * 25], 3.5f);
    LINCOM.VRTFLG(4, 2) = -1;
    EXPECT_EQ(LINCOM.VRTFLG_words[3 + 29], -1);
    LINCOM.BETA(3, 2) = 4.5;
    EXPECT_EQ(LINCOM.BETA_words[2 + 3], 4.5);
    LINCOM.E_ARR(30, 25, 2) = 5.5f;
    EXPECT_EQ(LINCOM.E_ARR_words[29 + 30 * 24 + 30 * 25], 5.5f);
    LINCOM.NSTRS_STRN(25, 150) = 7;
    EXPECT_EQ(LINCOM.NSTRS_STRN_words[25 * 150 - 1], 7);

    // A reader's view of a column reaches the same point of the next layer row 90 entries on.
    LINCOM.TOPTEN(4, 3, 2) = 10.0f;
    LINCOM.TOPTEN(4, 4, 2) = 20.0f;
    const auto column = LINCOM.TOPTEN_from(1, 3, 2);
    EXPECT_EQ(column[3], 10.0f);
    EXPECT_EQ(column[3 + 90], 20.0f);
    EXPECT_EQ(column.size(), lincom_table_size - 90 * 2 - 90 * 29);

    reset_program_state();
    EXPECT_EQ(LINCOM.ANCDST(3, 2, 5), 0.0f);
    EXPECT_EQ(LINCOM.VRTFLG(4, 2), 0);
    EXPECT_EQ(LINCOM.BETA(3, 2), 0.0);
}

} // namespace
} // namespace lintar
