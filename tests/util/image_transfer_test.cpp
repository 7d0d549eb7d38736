// Tests of the whole-image transfer: the file a write leaves, reads of whole, framed, short,
// long, cut and missing files, the "LOWDAT" count, and the plain word copies.
#include "support/console.h"
#include "util/image_transfer.h"

#include "runtime/units.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::ScratchFolder;
using testing::ScriptedConsole;

constexpr std::int32_t image_words = 79676;
constexpr std::uint32_t untouched = 0xA5A5A5A5u; // the caller's words before a read

// A recognisable image: word 1 its own count, word 2 the program type, then words that differ
// from each other and from their neighbours' positions.
std::vector<std::uint32_t> pattern_image(std::size_t words, std::uint32_t seed = 1) {
    std::vector<std::uint32_t> image(words);
    for (std::size_t i = 0; i < words; ++i)
        image[i] = static_cast<std::uint32_t>(i) * 2654435761u + seed;
    if (words >= 2) {
        image[0] = static_cast<std::uint32_t>(words);
        image[1] = 8;
    }
    return image;
}

// The bytes of words as this platform's files hold them: little-endian, back to back.
std::string file_bytes(const std::vector<std::uint32_t>& words) {
    std::string bytes;
    for (const std::uint32_t w : words)
        for (int b = 0; b < 4; ++b)
            bytes += static_cast<char>((w >> (8 * b)) & 0xFFu);
    return bytes;
}

// The same words framed by a leading and a trailing record-length word.
std::string framed_bytes(const std::vector<std::uint32_t>& words) {
    const std::string length = file_bytes({static_cast<std::uint32_t>(4 * words.size())});
    return length + file_bytes(words) + length;
}

struct ReadResult {
    std::int32_t IERR = -99;
    std::int32_t NTOGO = 0;
    std::vector<std::uint32_t> IDUM;
};

ReadResult read_file(const std::string& name, std::int32_t expected, std::int32_t CMPUTR = 5,
                     std::size_t array_words = 0) {
    ReadResult r;
    r.NTOGO = expected;
    r.IDUM.assign(array_words ? array_words : static_cast<std::size_t>(expected), untouched);
    DISKIO(1, r.NTOGO, name, 1, r.IERR, r.IDUM, CMPUTR);
    EXPECT_FALSE(unit_is_open(1)) << "the unit is left closed";
    return r;
}

// The first n words of a read equal the expected words, and the rest are the caller's.
void expect_copied(const ReadResult& r, const std::vector<std::uint32_t>& expected, std::size_t n) {
    ASSERT_LE(n, r.IDUM.size());
    ASSERT_LE(n, expected.size());
    for (std::size_t i = 0; i < n; ++i)
        ASSERT_EQ(r.IDUM[i], expected[i]) << "word " << i + 1;
    for (std::size_t i = n; i < r.IDUM.size(); ++i)
        ASSERT_EQ(r.IDUM[i], untouched) << "word " << i + 1 << " should be left alone";
}

class ImageTransfer : public ::testing::Test {
protected:
    ScratchFolder folder;
    ScriptedConsole console;
};

TEST_F(ImageTransfer, WriteLeavesExactlyTheWordsLittleEndian) {
    std::vector<std::uint32_t> image = pattern_image(image_words);
    folder.write("CATDAT", std::string(400000, 'x')); // a longer old file is replaced whole
    std::int32_t NTOGO = image_words;
    std::int32_t IERR = -99;
    DISKIO(0, NTOGO, "CATDAT      ", 1, IERR, image, 5);
    EXPECT_EQ(IERR, 0);
    EXPECT_FALSE(unit_is_open(1));
    EXPECT_FALSE(folder.has("CATDAT      "));
    const std::string bytes = folder.read("CATDAT");
    ASSERT_EQ(bytes.size(), 318704u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x3C\x37\x01\x00", 4)); // 79,676 = 0x0001373C
    EXPECT_EQ(bytes, file_bytes(image));

    std::int32_t fresh_count = 3; // a file that was not there is created
    DISKIO(0, fresh_count, "LASTBAK", 1, IERR, image, 5);
    EXPECT_EQ(IERR, 0);
    EXPECT_EQ(folder.read("LASTBAK"), file_bytes({image[0], image[1], image[2]}));
}

TEST_F(ImageTransfer, WriteThatCannotOpenItsFileReportsIt) {
    std::vector<std::uint32_t> image = pattern_image(10);
    std::int32_t NTOGO = 10;
    std::int32_t IERR = 0;
    DISKIO(0, NTOGO, "no_such_folder/CATDAT", 1, IERR, image, 5);
    EXPECT_EQ(IERR, 3);
    EXPECT_FALSE(unit_is_open(1));
}

// Plain and framed files of the whole image read identically.
TEST_F(ImageTransfer, WholeImageReadsBackPlainOrFramed) {
    const std::vector<std::uint32_t> image = pattern_image(image_words);
    folder.write("CATDAT", file_bytes(image));
    folder.write("CATBAK", framed_bytes(image));
    for (const char* name : {"CATDAT", "CATBAK"}) {
        for (const std::int32_t code : {5, 4}) {
            SCOPED_TRACE(::testing::Message() << name << ", computer code " << code);
            const ReadResult r = read_file(name, image_words, code);
            EXPECT_EQ(r.IERR, 0);
            EXPECT_EQ(r.NTOGO, image_words);
            expect_copied(r, image, image_words);
        }
    }
}

TEST_F(ImageTransfer, WriteThenReadReturnsEveryBit) {
    std::vector<std::uint32_t> image = pattern_image(image_words);
    image[5] = 0xDEADBEEFu;                           // a reserved word
    image[100] = 0x7FA00001u;                         // a signalling NaN payload
    image[101] = 0xFFC12345u;                         // a quiet NaN with a payload
    image[102] = std::bit_cast<std::uint32_t>(-0.0f); // a negative zero
    image[103] = 0xFFFFFFFFu;                         // a logical true written as -1
    image[104] = std::bit_cast<std::uint32_t>(std::numeric_limits<float>::denorm_min());
    std::int32_t NTOGO = image_words;
    std::int32_t IERR = -99;
    DISKIO(0, NTOGO, "CATDAT", 1, IERR, image, 5);
    ASSERT_EQ(IERR, 0);
    const ReadResult r = read_file("CATDAT", image_words);
    EXPECT_EQ(r.IERR, 0);
    EXPECT_EQ(r.IDUM, image);
}

// Files whose word count differs from the one expected: the words that fit are copied, the
// caller's other words stay, the count found comes back with status 4.
TEST_F(ImageTransfer, ShortLongAndCutFiles) {
    struct Case {
        const char* what;
        std::string bytes;
        std::int32_t code;
        std::int32_t IERR;
        std::int32_t NTOGO;
        std::size_t copied;
    };
    std::vector<std::uint32_t> image = pattern_image(image_words + 24);
    image[0] = image_words; // the count of the program that wrote it
    const std::vector<std::uint32_t> short_image(image.begin(), image.begin() + 79000);
    const std::vector<std::uint32_t> whole(image.begin(), image.begin() + image_words);
    const std::string length = file_bytes({4u * image_words});
    const Case cases[] = {
        {"79,000 words", file_bytes(short_image), 5, 4, 79000, 79000},
        {"24 words too many", file_bytes(image), 5, 4, image_words + 24, image_words},
        {"a trailing partial word", file_bytes(whole) + "abc", 5, 0, image_words, image_words},
        {"79,000 words and two bytes", file_bytes(short_image) + "ab", 5, 4, 79000, 79000},
        // A framed record cut short has lost its trailing length word: all it holds is data.
        {"framed, cut at 79,000 words", length + file_bytes(short_image), 5, 4, 79000, 79000},
        {"framed, trailing length word missing", length + file_bytes(whole), 5, 0, image_words,
         image_words},
        {"framed, cut, another computer", length + file_bytes(short_image), 4, 4, 79000, 79000},
        // Another computer takes the record's announced length; this one the file's end.
        {"framed, words after the record, another computer",
         framed_bytes(whole) + file_bytes({1, 2, 3}), 4, 0, image_words, image_words},
        {"framed, words after the record", framed_bytes(whole) + file_bytes({1, 2, 3}), 5, 4,
         image_words + 3, image_words},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        folder.write("CATDAT", c.bytes);
        const ReadResult r = read_file("CATDAT", image_words, c.code);
        EXPECT_EQ(r.IERR, c.IERR);
        EXPECT_EQ(r.NTOGO, c.NTOGO);
        expect_copied(r, image, c.copied);
    }
}

// A file that cannot be read at all changes nothing: missing (status 1, the count kept), or
// too short to hold its first two words (status 4, count 0).
TEST_F(ImageTransfer, MissingAndNearlyEmptyFilesChangeNothing) {
    struct Case {
        const char* what;
        const char* bytes; // nullptr: no file
        std::int32_t IERR;
        std::int32_t NTOGO;
    };
    const Case cases[] = {
        {"missing", nullptr, 1, image_words}, {"empty", "", 4, 0},
        {"three bytes", "abc", 4, 0},         {"one word", "abcd", 4, 0},
        {"seven bytes", "abcdefg", 4, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.bytes)
            folder.write("CATDAT", c.bytes);
        else
            std::filesystem::remove(folder.path() / "CATDAT");
        const ReadResult r = read_file("CATDAT", image_words);
        EXPECT_EQ(r.IERR, c.IERR);
        EXPECT_EQ(r.NTOGO, c.NTOGO);
        expect_copied(r, {}, 0);
    }
}

// Two leading zero words are the start of a (damaged) image, not an empty record.
TEST_F(ImageTransfer, LeadingZeroWordsAreData) {
    std::vector<std::uint32_t> image = pattern_image(image_words);
    image[0] = 0;
    image[1] = 0;
    folder.write("CATDAT", file_bytes(image));
    const ReadResult r = read_file("CATDAT", image_words);
    EXPECT_EQ(r.IERR, 0);
    expect_copied(r, image, image_words);
}

// A file beyond the work buffer is read up to 126,831 words.
TEST_F(ImageTransfer, ReadStopsAtTheBufferSize) {
    const std::vector<std::uint32_t> image = pattern_image(126831 + 50);
    folder.write("BIGDAT", file_bytes(image));
    const ReadResult r = read_file("BIGDAT", 130000);
    EXPECT_EQ(r.IERR, 4);
    EXPECT_EQ(r.NTOGO, 126831);
    expect_copied(r, image, 126831);
}

// "LOWDAT" gives its 680 words; its first word is recognised as a record length only when it
// is 2,720. A short file reports its true count, and no word of an earlier read reaches it.
TEST_F(ImageTransfer, LowdatCounts) {
    const std::vector<std::uint32_t> image = pattern_image(700, 77);
    const std::vector<std::uint32_t> exact(image.begin(), image.begin() + 680);
    std::vector<std::uint32_t> framed_by_chance = exact;
    framed_by_chance[0] = 40; // four times the second word: the rule of other files
    framed_by_chance[1] = 10;
    struct Case {
        const char* what;
        std::string bytes;
        const std::vector<std::uint32_t>* words;
        std::int32_t IERR;
        std::int32_t NTOGO;
        std::size_t copied;
    };
    const Case cases[] = {
        {"680 words", file_bytes(exact), &exact, 0, 680, 680},
        {"framed", framed_bytes(exact), &exact, 0, 680, 680},
        {"700 words", file_bytes(image), &image, 0, 680, 680},
        {"first word four times the second", file_bytes(framed_by_chance), &framed_by_chance, 0,
         680, 680},
        {"600 words", file_bytes({image.begin(), image.begin() + 600}), &image, 4, 600, 600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        folder.write("LOWDAT", c.bytes);
        const ReadResult r = read_file("LOWDAT      ", 680);
        EXPECT_EQ(r.IERR, c.IERR);
        EXPECT_EQ(r.NTOGO, c.NTOGO);
        expect_copied(r, *c.words, c.copied);
    }
}

TEST(WordCopies, AscendingCopiesKeepEveryBit) {
    std::vector<std::int32_t> ints = {1, 2, 3, 4, 5};
    std::vector<std::int32_t> target(5, -7);
    MOVCOM(0, ints.data(), target.data());
    EXPECT_EQ(target, std::vector<std::int32_t>(5, -7));
    MOVCOM(-3, ints.data(), target.data());
    EXPECT_EQ(target, std::vector<std::int32_t>(5, -7));
    MOVCOM(3, ints.data(), target.data());
    EXPECT_EQ(target, (std::vector<std::int32_t>{1, 2, 3, -7, -7}));
    // Down by one within the same array, first word first.
    MOVCOM(4, ints.data() + 1, ints.data());
    EXPECT_EQ(ints, (std::vector<std::int32_t>{2, 3, 4, 5, 5}));

    const float reals[3] = {std::bit_cast<float>(0x7FA00001u), -0.0f, 1.5f};
    float real_copy[3] = {};
    MOVREL(3, reals, real_copy);
    EXPECT_EQ(std::memcmp(reals, real_copy, sizeof reals), 0);

    double doubles[4] = {std::bit_cast<double>(0x7FF4000000000001ull), -0.0, 2.5, 9.0};
    MOVDP(3, doubles + 1, doubles);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(doubles[0]), std::bit_cast<std::uint64_t>(-0.0));
    EXPECT_EQ(doubles[1], 2.5);
    EXPECT_EQ(doubles[2], 9.0);
    double payload = 0.0;
    const double source = std::bit_cast<double>(0x7FF4000000000001ull);
    MOVDP(1, &source, &payload);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(payload), 0x7FF4000000000001ull);
}

} // namespace
} // namespace lintar
