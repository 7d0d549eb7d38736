// Tests of the second names of the equilibrium and vessel-motion blocks: each reaches the words
// of its primary storage, and the sizes the other routines rely on hold.
#include "blocks/equilb.h"
#include "blocks/ergcom.h"
#include "blocks/himem.h"
#include "blocks/local2.h"
#include "blocks/pascom.h"
#include "blocks/wavcom.h"
#include "runtime/program_state.h"

#include <complex>
#include <cstring>
#include <gtest/gtest.h>

namespace lintar {
namespace {

class BlockViews : public ::testing::Test {
protected:
    void SetUp() override { reset_program_state(); }
    void TearDown() override { reset_program_state(); }
};

TEST_F(BlockViews, VesselPositionOverlaps) {
    EQUILB.YCGVAR() = 12.5f;
    EQUILB.VESANG() = 0.25f;
    EXPECT_EQ(EQUILB.RVES(2), 12.5f);
    EXPECT_EQ(EQUILB.RVES(3), 0.25f);

    // A four-word copy from RTNK(1), as the two-body pass copies the tanker back.
    EQUILB.RTNK(1) = 1.0f;
    EQUILB.RYTNK() = 2.0f;
    EQUILB.TNKNGL() = 3.0f;
    EQUILB.RZTNK = 4.0f;
    std::memcpy(&EQUILB.RVES(1), &EQUILB.RTNK(1), 4 * sizeof(float));
    EXPECT_EQ(EQUILB.RVES(1), 1.0f);
    EXPECT_EQ(EQUILB.YCGVAR(), 2.0f);
    EXPECT_EQ(EQUILB.VESANG(), 3.0f);
    EXPECT_EQ(EQUILB.ZCGVAR, 4.0f);

    EQUILB.RYBUY() = 7.0f;
    EQUILB.BUYNGL() = 8.0f;
    EXPECT_EQ(EQUILB.RBUY(2), 7.0f);
    EXPECT_EQ(EQUILB.RBUY(3), 8.0f);
}

TEST_F(BlockViews, RollStatisticsAreRlstuf) {
    for (int w = 1; w <= lf_group_words; ++w) {
        SCOPED_TRACE(w);
        EQUILB.LFSTAT(w, 4) = static_cast<float>(w);
        EXPECT_EQ(EQUILB.RLSTUF()[static_cast<std::size_t>(w - 1)], static_cast<float>(w));
    }
    // The pitch group after it is not part of the view.
    EQUILB.LFSTAT(1, 5) = -1.0f;
    EXPECT_EQ(EQUILB.RLSTUF()[lf_group_words - 1], static_cast<float>(lf_group_words));
}

TEST_F(BlockViews, ModeVectorColumnsAreTheirSecondNames) {
    EQUILB.COMPs_VEC0(2, 2) = std::complex<float>(1.5f, -2.5f);
    EXPECT_EQ(EQUILB.COMPs_VEC2_0(2).get(), std::complex<float>(1.5f, -2.5f));
    EQUILB.COMPs_VEC3(3) = std::complex<float>(4.0f, 5.0f);
    EXPECT_EQ(EQUILB.COMPs_VEC(3, 3).get(), std::complex<float>(4.0f, 5.0f));
}

TEST_F(BlockViews, WaveBlockPairAndHimemRaoColumns) {
    WAVCOM.SHPLNQ() = 200.0f;
    WAVCOM.GAUSFK() = 3.5f;
    EXPECT_EQ(WAVCOM.SHPLNQ(1), 200.0f);
    EXPECT_EQ(WAVCOM.SHPLNQ(2), 3.5f);

    // SWRAO(1) is RLDUM words 201-202; YWRAO(100) words 1199-1200.
    HIMEM.SWRAO(1) = std::complex<float>(6.0f, 7.0f);
    EXPECT_EQ(HIMEM.RLDUM(201), 6.0f);
    EXPECT_EQ(HIMEM.RLDUM(202), 7.0f);
    HIMEM.YWRAO(100) = std::complex<float>(-1.0f, 2.0f);
    EXPECT_EQ(HIMEM.RLDUM(1199), -1.0f);
    EXPECT_EQ(HIMEM.RLDUM(1200), 2.0f);
    EXPECT_EQ(HIMEM.CRLDUM(600).get(), std::complex<float>(-1.0f, 2.0f));
    HIMEM.HVRAO(1) = std::complex<float>(9.0f, 0.0f);
    EXPECT_EQ(HIMEM.CRLDUM(201).get(), std::complex<float>(9.0f, 0.0f));
}

TEST(BlockSizes, AsTheRoutinesAddressThem) {
    EXPECT_EQ(sizeof(EquilbBlock), 4u * 1160u);
    EXPECT_EQ(sizeof(ErgcomBlock), 4u * 576u);
    EXPECT_EQ(sizeof(Local2Block), 8u);
    EXPECT_EQ(sizeof(WavcomBlock), 4u * 656u);
    EXPECT_EQ(sizeof(PascomBlock), 333200u);
    // Hull words, indices, heading tables, PSD, dimensions, RLDUM and LASTHI.
    EXPECT_EQ(sizeof(HimemBlock), 4u * (164u + 11u + 19611u + 100u + 57u + 848301u + 1u));
}

} // namespace
} // namespace lintar
