// Tests of the new-file defaults and the mooring-part sizes, and of a new file's image on disk.
#include "datafile/new_file_defaults.h"

#include "blocks/tpcm.h"
#include "support/console.h"
#include "util/image_transfer.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::ScratchFolder;
using testing::ScriptedConsole;

constexpr int image_words = tpcm_word_count;

// Every word of TPCM set to a pattern that no default writes, so a word the defaults leave
// alone shows.
void fill_tpcm(std::uint32_t pattern) {
    for (int n = 1; n <= image_words; ++n)
        set_tpcm_word(TPCM, n, pattern);
}

// Words of a range of TPCM that are not zero.
std::vector<int> nonzero_words(TpcmWords range) {
    std::vector<int> found;
    for (int n = range.first; n <= range.last; ++n)
        if (tpcm_word(TPCM, n) != 0)
            found.push_back(n);
    return found;
}

std::vector<std::uint32_t> tpcm_image() {
    std::vector<std::uint32_t> words(image_words);
    std::memcpy(words.data(), tpcm_bytes(TPCM).data(), tpcm_byte_count);
    return words;
}

class NewFile : public ::testing::Test {
protected:
    ScratchFolder folder;
    ScriptedConsole console; // resets TPCM at the end
};

TEST_F(NewFile, DefaultsOfThisProgram) {
    fill_tpcm(0xBAADF00Du);
    new_file_defaults(8, image_words);
    const TpcmBlock& B = TPCM;
    EXPECT_EQ(B.VESTYP, 1);
    EXPECT_EQ(B.LCBARG, 273);
    EXPECT_EQ(B.LWBARG, 273);
    EXPECT_EQ(B.LWVCOF, 273);
    for (int i = 1; i <= 100; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(B.T(i), 5.0f + 0.5f * static_cast<float>(i - 1)); // exact in single precision
    }
    EXPECT_EQ(B.T(100), 54.5f);
    EXPECT_EQ(B.NWP, 30);
    EXPECT_EQ(B.DWATR, 64.0f);
    EXPECT_EQ(field_text(B.CID1P()), std::string(80, ' '));
    EXPECT_EQ(field_text(B.CID2P()), std::string(80, ' '));
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(B.MOTION(i), 1);
    EXPECT_EQ(B.STRNFC, 1.25f);
    EXPECT_EQ(B.ANGSEC, 180.0f);
    EXPECT_EQ(B.SWLWID, 0.1f);
    EXPECT_EQ(B.N_OCHI_COMP, 2);
    EXPECT_EQ(B.IVESL(1), 1);
    EXPECT_EQ(B.NLAT, 1);
    EXPECT_EQ(B.NOFFL, 1);
    EXPECT_EQ(B.EPSDST, 0.01f);
    EXPECT_EQ(B.EPSDEG, 0.01f);

    // The rest is zero: the header waits for the identity stamp, the second body and the
    // mooring system have no defaults here, and the catenary-table part has four.
    EXPECT_EQ(B.NTOGO, 0);
    EXPECT_EQ(B.SIMTYP, 0);
    EXPECT_EQ(B.reserved_6, 0);
    EXPECT_EQ(nonzero_words(tpcm_second_body_part), std::vector<int>{});
    EXPECT_EQ(nonzero_words(tpcm_hull_member_part), std::vector<int>{});
    EXPECT_EQ(nonzero_words(tpcm_mooring_part), std::vector<int>{});
    EXPECT_EQ(nonzero_words(tpcm_catenary_table_part),
              (std::vector<int>{78637, 78788, 78935, 78936})); // NOFFL, NLAT, EPSDST, EPSDEG
}

TEST_F(NewFile, VesselTypeAndDriftSelectorByProgram) {
    struct Case {
        std::int32_t CREATQ;
        std::int32_t VESTYP;
        std::int32_t LWVCOF;
    };
    const Case cases[] = {{1, 1, 273},  {2, 2, 273},  {3, 3, 546},  {4, 4, 1092}, {7, 1, 273},
                          {8, 1, 273},  {9, 1, 273},  {10, 1, 273}, {11, 1, 273}, {12, 1, 273},
                          {13, 1, 273}, {14, 3, 546}, {15, 1, 273}, {16, 1, 273}, {17, 3, 819}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "program type " << c.CREATQ);
        new_file_defaults(c.CREATQ, image_words);
        EXPECT_EQ(TPCM.VESTYP, c.VESTYP);
        EXPECT_EQ(TPCM.LWVCOF, c.LWVCOF);
        EXPECT_EQ(TPCM.LWBARG, 273);
        EXPECT_EQ(TPCM.NLAT, c.CREATQ == 8 ? 1 : 0); // the catenary table is this program's
        const bool second_body = c.CREATQ == 10 || c.CREATQ == 13;
        EXPECT_EQ(nonzero_words(tpcm_second_body_part).empty(), !second_body);
    }
}

TEST_F(NewFile, SecondBodyOfTowAndCalmBuoy) {
    struct Case {
        std::int32_t CREATQ;
        std::int32_t BWVCOF, BVSTYP, IARCO;
    };
    for (const Case& c : {Case{10, 273, 1, 0}, Case{13, 1092, 4, 1}}) {
        SCOPED_TRACE(::testing::Message() << "program type " << c.CREATQ);
        fill_tpcm(0xBAADF00Du);
        new_file_defaults(c.CREATQ, image_words);
        const TpcmBlock& B = TPCM;
        EXPECT_EQ(B.BRLTYP, 1);
        for (const float factor :
             {B.BBOWCF, B.BVWDFC, B.BWVFCX, B.BWVFCY, B.BWVFCM, B.BWVDGCX, B.BWVDGCY, B.BWVDGCM,
              B.BVWDRGFC, B.BXCURNTDN, B.BXCURNTUP, B.BYCURNTDN, B.BYCURNTUP, B.BWNDCF, B.BCURCF,
              B.BXSHDW, B.BYSHDW})
            EXPECT_EQ(factor, 1.0f);
        EXPECT_EQ(B.BLCBRG, 1092);
        EXPECT_EQ(B.BLWBRG, 546);
        EXPECT_EQ(B.BWVCOF, c.BWVCOF);
        EXPECT_EQ(B.BVSTYP, c.BVSTYP);
        EXPECT_EQ(B.IARCO, c.IARCO);
        EXPECT_EQ(B.BLODED, 100.0f);
        EXPECT_EQ(B.BDFTPC, 100.0f);
        EXPECT_EQ(B.VESTYP, 1);
        EXPECT_EQ(B.NLAT, 0);
        EXPECT_EQ(nonzero_words(tpcm_mooring_part), std::vector<int>{});
    }
}

// MRINIT without "C": the sizes, and for other programs than this one the reset switch and
// the mooring arrangement; with "C" also the one-line mooring system.
TEST_F(NewFile, MooringSizesByProgram) {
    struct Case {
        std::int32_t CREATP;
        std::int32_t ISPM, VESTYP, LRESET, MAXLIN;
    };
    constexpr std::int32_t kept = 0x5A5A5A5A; // a word MRINIT must not touch
    const Case cases[] = {{8, kept, kept, kept, 149}, {10, 3, kept, kept, 1}, {12, 4, kept, 1, 149},
                          {13, 7, kept, 1, 149},      {14, 6, 5, 1, 149},     {15, 5, kept, 1, 149},
                          {17, 8, 6, 1, 149},         {7, kept, kept, 1, 149}};
    for (const char ANSWER : {'M', 'E'}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << "program type " << c.CREATP << ", " << ANSWER);
            fill_tpcm(static_cast<std::uint32_t>(kept));
            MRINIT(ANSWER, c.CREATP);
            const TpcmBlock& B = TPCM;
            EXPECT_EQ(B.NEWFLG, 0);
            EXPECT_EQ(B.MAXSHG, 1);
            EXPECT_EQ(B.MAXPRM, 1);
            EXPECT_EQ(B.MAXANG, 36);
            EXPECT_EQ(B.MAXDIR, 1);
            EXPECT_EQ(B.MAXELM, 25);
            EXPECT_EQ(B.IPLOTS, 0);
            EXPECT_EQ(B.ISPM, c.ISPM);
            EXPECT_EQ(B.VESTYP, c.VESTYP);
            EXPECT_EQ(B.LRESET, c.LRESET);
            EXPECT_EQ(B.MAXLIN, c.MAXLIN);
            EXPECT_EQ(B.MAXTYP, c.MAXLIN);
            EXPECT_EQ(B.MAXDYN, c.MAXLIN);
            EXPECT_EQ(B.MAXCYL, c.CREATP == 10 ? kept : 50);
            EXPECT_EQ(B.NTYP, c.CREATP == 10 ? 1 : kept);
            EXPECT_EQ(B.LINTYP(1, 1), c.CREATP == 10 ? 1 : kept);
            // The defaults of a new mooring system wait for "C".
            EXPECT_EQ(B.MOORTP, kept);
            EXPECT_EQ(B.NUMTAB, kept);
            EXPECT_EQ(B.NELEM(1), kept);
        }
    }
}

TEST_F(NewFile, MooringDefaultsOfANewFile) {
    struct Case {
        std::int32_t CREATP;
        std::int32_t MOORTP, ANCTYP, types;
        bool cylinders;
    };
    constexpr std::int32_t kept = 0x5A5A5A5A;
    const Case cases[] = {
        {8, 1, 1, 149, true}, {10, 0, 0, 1, false}, {13, 0, 1, 149, false}, {12, 1, 1, 149, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "program type " << c.CREATP);
        fill_tpcm(static_cast<std::uint32_t>(kept));
        MRINIT('C', c.CREATP);
        const TpcmBlock& B = TPCM;
        EXPECT_EQ(B.MOORTP, c.MOORTP);
        EXPECT_EQ(B.CYLCM(1, 1), c.cylinders ? 1.0f : std::bit_cast<float>(kept));
        EXPECT_EQ(B.CYLCDI(3, 50), c.cylinders ? 1.0f : std::bit_cast<float>(kept));
        EXPECT_EQ(B.NCYL, c.cylinders ? 1 : kept);
        EXPECT_EQ(B.CCOFDZ, c.cylinders ? 1.0f : std::bit_cast<float>(kept));
        EXPECT_EQ(B.NTYP, 1);
        EXPECT_EQ(B.NLIN, 1);
        EXPECT_EQ(B.HAWSTP, 1);
        EXPECT_EQ(B.NLAYER, 1);
        EXPECT_EQ(B.COFMAS, 1.0f);
        EXPECT_EQ(B.COFDMP, 1.0f);
        EXPECT_EQ(B.NUMTAB, 90);
        EXPECT_EQ(B.WLFLAG, 0);
        EXPECT_EQ(B.LRESET, 1); // this program too: a new file starts with it
        if (c.CREATP == 8) {
            EXPECT_EQ(B.ISPM, kept); // the mooring arrangement is the user's
        }
        EXPECT_EQ(B.LOWMOT, 1);
        // Line i uses type i; every type has one subline of unnamed material.
        for (int i = 1; i <= c.types; ++i)
            ASSERT_EQ(B.LINTYP(i, 1), i) << "line " << i;
        EXPECT_EQ(B.LINTYP(c.types + 1, 1), kept);
        EXPECT_EQ(B.LINTYP(1, 2), kept);
        for (int j = 1; j <= c.types; ++j) {
            ASSERT_EQ(B.NELEM(j), 1) << "type " << j;
            ASSERT_EQ(B.NLINE(j), 1) << "type " << j;
            ASSERT_EQ(B.ANCTYP(j), c.ANCTYP) << "type " << j;
            for (int k = 1; k <= 25; ++k) {
                ASSERT_EQ(field_text(B.SCOMP(k, j)), "        ") << k << ", " << j;
                ASSERT_EQ(B.COFMST(k, j), 1.0f);
                ASSERT_EQ(B.COFDMT(k, j), 1.0f);
            }
        }
        EXPECT_EQ(B.NELEM(c.types + 1), kept);
        EXPECT_EQ(B.COFMST(1, c.types + 1), std::bit_cast<float>(kept));
    }
}

// A new file's image on disk: 318,704 bytes led by its own word count, and it reads back.
TEST_F(NewFile, ImageWrittenAndReadBack) {
    new_file_defaults(8, image_words);
    TPCM.NTOGO = image_words; // the identity stamp's count
    TPCM.SIMTYP = 8;
    std::vector<std::uint32_t> image = tpcm_image();
    std::int32_t NTOGO = image_words;
    std::int32_t IERR = -99;
    DISKIO(0, NTOGO, "CATDAT", 1, IERR, image, 5);
    ASSERT_EQ(IERR, 0);
    const std::string bytes = folder.read("CATDAT");
    ASSERT_EQ(bytes.size(), 318704u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x3C\x37\x01\x00", 4)); // 79,676

    std::vector<std::uint32_t> loaded(image_words, 0u);
    DISKIO(1, NTOGO, "CATDAT", 1, IERR, loaded, 5);
    EXPECT_EQ(IERR, 0);
    EXPECT_EQ(NTOGO, image_words);
    EXPECT_EQ(loaded, image);

    // The same words framed by two record-length words read identically.
    const std::string length("\xF0\xDC\x04\x00", 4); // 318,704
    folder.write("CATBAK", length + bytes + length);
    std::vector<std::uint32_t> framed(image_words, 0u);
    DISKIO(1, NTOGO, "CATBAK", 1, IERR, framed, 5);
    EXPECT_EQ(IERR, 0);
    EXPECT_EQ(framed, image);
}

// A save and a load return the block bit for bit: reserved words, NaN payloads, -0.0 and
// logical words written as -1 by another build.
TEST_F(NewFile, SaveAndLoadKeepEveryBit) {
    new_file_defaults(8, image_words);
    TPCM.NTOGO = image_words;
    TPCM.reserved_6 = std::bit_cast<std::int32_t>(0xDEADBEEFu);
    TPCM.reserved_8_13[5] = -1;
    TPCM.DWATR = std::bit_cast<float>(0x7FA00001u);  // a signalling NaN
    TPCM.COSEXP = std::bit_cast<float>(0xFFC0BEEFu); // a quiet NaN with a payload
    TPCM.EPSDST = -0.0f;
    TPCM.SEMI_LIKE = -1; // logical true from another build
    TPCM.T(7) = std::numeric_limits<float>::denorm_min();
    set_field_text(TPCM.CID1P(), "Odd \x01\xFF title");
    const auto saved = std::make_unique<TpcmBlock>(TPCM);

    std::vector<std::uint32_t> image = tpcm_image();
    std::int32_t NTOGO = image_words;
    std::int32_t IERR = -99;
    DISKIO(0, NTOGO, "CATDAT", 1, IERR, image, 5);
    ASSERT_EQ(IERR, 0);

    std::memset(tpcm_bytes(TPCM).data(), 0, tpcm_byte_count);
    std::vector<std::uint32_t> loaded(image_words, 0u);
    DISKIO(1, NTOGO, "CATDAT", 1, IERR, loaded, 5);
    ASSERT_EQ(IERR, 0);
    std::memcpy(tpcm_bytes(TPCM).data(), loaded.data(), tpcm_byte_count);
    EXPECT_EQ(std::memcmp(tpcm_bytes(TPCM).data(), tpcm_bytes(*saved).data(), tpcm_byte_count), 0);
}

} // namespace
} // namespace lintar
