// Tests of TPCM: the layout table itself, member positions, 1-based column-major accessors,
// second names (typed ones keep every bit), logical words, the reset and the whole image.
#include "blocks/tpcm.h"
#include "runtime/process.h"
#include "runtime/program_state.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace lintar {
namespace {

using namespace std::string_view_literals;

// The image is defined as the bytes in memory; the expected integers of the character views
// below are written for this (Intel) byte order.
static_assert(std::endian::native == std::endian::little);

// ---- The layout table --------------------------------------------------------------------

struct LayoutRow {
    int line = 0;
    int part = 0;
    int first = 0;
    int last = 0;
    std::string name;
    std::string type;
    std::vector<int> dims;
    int words = 0;
    std::string second_name_of;
};

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator, start)) {
        fields.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    fields.push_back(text.substr(start));
    return fields;
}

int number(std::string_view field, int line) {
    int value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc{} || end != field.data() + field.size())
        ADD_FAILURE() << "line " << line << ": not a number: '" << field << "'";
    return value;
}

std::vector<LayoutRow> read_layout_table() {
    const std::string text =
        testing::read_text(std::string(LINTAR_SOURCE_DIR) + "/src/blocks/tpcm_layout.csv");
    std::vector<LayoutRow> rows;
    bool header_seen = false;
    int line_no = 0;
    for (std::string_view line : split(text, '\n')) {
        ++line_no;
        if (line.empty() || line.front() == '#')
            continue;
        if (!header_seen) {
            EXPECT_EQ(line, "part,first,last,name,type,dims,words,second_name_of");
            header_seen = true;
            continue;
        }
        const auto fields = split(line, ',');
        if (fields.size() != 8) {
            ADD_FAILURE() << "line " << line_no << " has " << fields.size() << " fields";
            continue;
        }
        LayoutRow row;
        row.line = line_no;
        row.part = number(fields[0], line_no);
        row.first = number(fields[1], line_no);
        row.last = number(fields[2], line_no);
        row.name = fields[3];
        row.type = fields[4];
        for (std::string_view dim : split(fields[5], ' '))
            if (!dim.empty())
                row.dims.push_back(number(dim, line_no));
        row.words = number(fields[6], line_no);
        row.second_name_of = fields[7];
        rows.push_back(row);
    }
    return rows;
}

bool is_reserved(const LayoutRow& row) {
    return row.name == "(reserved)";
}

int element_bytes(const std::string& type) {
    if (type == "int32" || type == "real32" || type == "logical32")
        return 4;
    if (type.starts_with("char*"))
        return std::stoi(type.substr(5));
    ADD_FAILURE() << "unknown type " << type;
    return 0;
}

std::string upper(std::string name) {
    std::ranges::transform(name, name.begin(), [](unsigned char c) { return std::toupper(c); });
    return name;
}

const LayoutRow* find_row(const std::vector<LayoutRow>& rows, std::string_view name) {
    const auto at = std::ranges::find(rows, name, &LayoutRow::name);
    return at == rows.end() ? nullptr : &*at;
}

TEST(TpcmLayoutTable, EveryRowFillsItsWordsWithItsType) {
    const auto rows = read_layout_table();
    ASSERT_EQ(rows.size(), 915u);
    std::set<std::string> names;
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "line " << row.line << ": " << row.name);
        EXPECT_EQ(row.words, row.last - row.first + 1);
        int elements = 1;
        for (int dim : row.dims)
            elements *= dim;
        if (is_reserved(row)) {
            EXPECT_TRUE(row.dims.empty());
            EXPECT_TRUE(row.second_name_of.empty());
            elements = row.words;
        } else {
            EXPECT_TRUE(names.insert(upper(row.name)).second) << "named twice";
        }
        EXPECT_EQ(elements * element_bytes(row.type), 4 * row.words);
        if (!row.second_name_of.empty()) {
            const LayoutRow* target = find_row(rows, row.second_name_of);
            ASSERT_NE(target, nullptr) << row.second_name_of << " is no member";
            EXPECT_TRUE(target->first <= row.first && row.first <= target->last);
        }
    }
}

TEST(TpcmLayoutTable, EveryWordHasOneOwnerAndEachPartItsWords) {
    const auto rows = read_layout_table();
    std::vector<const LayoutRow*> owner(tpcm_word_count + 1, nullptr);
    for (const auto& row : rows) {
        if (!row.second_name_of.empty())
            continue;
        for (int word = row.first; word <= row.last; ++word) {
            ASSERT_TRUE(word >= 1 && word <= tpcm_word_count) << row.name;
            EXPECT_EQ(owner[word], nullptr) << "word " << word << " owned twice: " << row.name;
            owner[word] = &row;
        }
    }
    // Words that no member owns are the traps of the table: each takes the narrowest second
    // name covering it, which must be a single one.
    struct Run {
        int first;
        int last;
        std::string owner;
    };
    std::vector<Run> orphans;
    for (int word = 1; word <= tpcm_word_count; ++word) {
        if (owner[word] != nullptr)
            continue;
        const LayoutRow* narrowest = nullptr;
        int ties = 0;
        for (const auto& row : rows) {
            if (row.second_name_of.empty() || word < row.first || word > row.last)
                continue;
            if (narrowest == nullptr || row.words < narrowest->words) {
                narrowest = &row;
                ties = 0;
            } else if (row.words == narrowest->words) {
                ++ties;
            }
        }
        ASSERT_NE(narrowest, nullptr) << "word " << word << " has no name at all";
        EXPECT_EQ(ties, 0) << "word " << word;
        if (!orphans.empty() && orphans.back().last == word - 1 &&
            orphans.back().owner == narrowest->name)
            orphans.back().last = word;
        else
            orphans.push_back({word, word, narrowest->name});
    }
    const std::vector<Run> expected{{499, 499, "RTPCM1"},
                                    {5019, 5126, "IDUM0"},
                                    {78933, 78933, "ROTCTY"},
                                    {78934, 78934, "ROTCTZ"}};
    ASSERT_EQ(orphans.size(), expected.size());
    for (std::size_t n = 0; n < expected.size(); ++n) {
        SCOPED_TRACE(expected[n].owner);
        EXPECT_EQ(orphans[n].first, expected[n].first);
        EXPECT_EQ(orphans[n].last, expected[n].last);
        EXPECT_EQ(orphans[n].owner, expected[n].owner);
    }
    // The header stores them where the table puts them.
    EXPECT_EQ(offsetof(TpcmBlock, RTPCM1_rest), tpcm_offset(499));
    EXPECT_EQ(offsetof(TpcmBlock, IDUM0_rest), tpcm_offset(5019));
    EXPECT_EQ(offsetof(TpcmBlock, ROTCTY), tpcm_offset(78933));
    EXPECT_EQ(offsetof(TpcmBlock, ROTCTZ), tpcm_offset(78934));

    // The five parts follow each other in the table as in the image.
    const TpcmWords parts[] = {
        {1, 1987}, {1988, 3220}, {3221, 4975}, {4976, 78635}, {78636, 79676}};
    const TpcmWords declared[] = {tpcm_top_part, tpcm_second_body_part, tpcm_hull_member_part,
                                  tpcm_mooring_part, tpcm_catenary_table_part};
    const int counts[] = {1987, 1233, 1755, 73660, 1041};
    for (int part = 1; part <= 5; ++part) {
        SCOPED_TRACE(::testing::Message() << "part " << part);
        int first = tpcm_word_count + 1;
        int last = 0;
        for (const auto& row : rows)
            if (row.part == part) {
                first = std::min(first, row.first);
                last = std::max(last, row.last);
            }
        EXPECT_EQ(first, parts[part - 1].first);
        EXPECT_EQ(last, parts[part - 1].last);
        EXPECT_EQ(last - first + 1, counts[part - 1]);
        EXPECT_EQ(declared[part - 1].first, first);
        EXPECT_EQ(declared[part - 1].last, last);
    }
    EXPECT_TRUE(std::ranges::is_sorted(rows, {}, &LayoutRow::part));
    EXPECT_TRUE(std::ranges::is_sorted(rows, {}, &LayoutRow::first));
}

// ---- Positions and types -----------------------------------------------------------------

TEST(TpcmLayout, SpotPositionsInHeaderAndTable) {
    struct Spot {
        std::string_view name;
        int word;
        std::size_t offset;
    };
    const Spot spots[] = {
        {"NTOGO", 1, offsetof(TpcmBlock, NTOGO)},
        {"VERNO", 217, offsetof(TpcmBlock, VERNO)},
        {"LBACK", 700, offsetof(TpcmBlock, LBACK)},
        {"EDUNIT", 703, offsetof(TpcmBlock, EDUNIT)},
        {"IVESL", 754, offsetof(TpcmBlock, IVESL_words)},
        {"VESTYP", 777, offsetof(TpcmBlock, VESTYP)},
        {"RACC", 905, offsetof(TpcmBlock, RACC_words)},
        {"NUMTAB", 1915, offsetof(TpcmBlock, NUMTAB)},
        {"TOPCOM_LAST", 1987, offsetof(TpcmBlock, TOPCOM_LAST)},
        {"IBUOY", 1988, offsetof(TpcmBlock, IBUOY_words)},
        {"NAVBL", 3221, offsetof(TpcmBlock, NAVBL_words)},
        {"SEMCOM_LAST", 4975, offsetof(TpcmBlock, SEMCOM_LAST)},
        {"LODFRE", 4976, offsetof(TpcmBlock, LODFRE)},
        {"LINTYP", 5427, offsetof(TpcmBlock, LINTYP_words)},
        {"SCOMP", 28582, offsetof(TpcmBlock, SCOMP_chars)},
        {"MORCOM_LAST", 78635, offsetof(TpcmBlock, MORCOM_LAST)},
        {"NCATN", 78636, offsetof(TpcmBlock, NCATN_words)},
        {"NLAT", 78788, offsetof(TpcmBlock, NLAT)},
        {"ROTCTX", 78932, offsetof(TpcmBlock, ROTCTX)},
        {"FRCVEC", 79337, offsetof(TpcmBlock, FRCVEC_words)},
        {"TRQVEC", 79367, offsetof(TpcmBlock, TRQVEC_words)},
        {"LAST_CATNCOM", 79676, offsetof(TpcmBlock, LAST_CATNCOM)},
    };
    const auto rows = read_layout_table();
    for (const auto& spot : spots) {
        SCOPED_TRACE(spot.name);
        EXPECT_EQ(spot.offset, 4 * static_cast<std::size_t>(spot.word - 1));
        const LayoutRow* row = find_row(rows, spot.name);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->first, spot.word);
    }
    EXPECT_EQ(sizeof(TpcmBlock), 318704u);
    EXPECT_EQ(tpcm_word_count, 79676);
}

// Types come from the table, not from the first letter of the name.
static_assert(std::is_same_v<decltype(TpcmBlock::SIMTYP), std::int32_t>);
static_assert(std::is_same_v<decltype(TpcmBlock::VESTYP), std::int32_t>);
static_assert(std::is_same_v<decltype(TpcmBlock::EDUNIT), std::int32_t>);
static_assert(std::is_same_v<decltype(TpcmBlock::LOADED), float>);
static_assert(std::is_same_v<decltype(TpcmBlock::LWL), float>);
static_assert(std::is_same_v<decltype(TpcmBlock::LONGIE), float>);
static_assert(std::is_same_v<decltype(TpcmBlock::MORCOM_LAST), std::int32_t>);
static_assert(std::is_same_v<decltype(TpcmBlock::SEMCOM_LAST), float>);
static_assert(std::is_same_v<decltype(TpcmBlock::SEMI_LIKE), std::int32_t>);

TEST(TpcmLayoutTable, TypesThatBreakTheNamingRule) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"SIMTYP", "int32"},       {"VESTYP", "int32"},       {"EDUNIT", "int32"},
        {"LOADED", "real32"},      {"LWL", "real32"},         {"LONGIE", "real32"},
        {"SEMCOM_LAST", "real32"}, {"SEMI_LIKE", "logical32"}};
    const auto rows = read_layout_table();
    for (const auto& [name, type] : cases) {
        SCOPED_TRACE(name);
        const LayoutRow* row = find_row(rows, name);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->type, type);
    }
}

// ---- Accessors ---------------------------------------------------------------------------

class TpcmTest : public ::testing::Test {
protected:
    void SetUp() override { reset_program_state(); }
    void TearDown() override { reset_program_state(); }

    static int nonzero_words() {
        int count = 0;
        for (int n = 1; n <= tpcm_word_count; ++n)
            count += tpcm_word(TPCM, n) != 0 ? 1 : 0;
        return count;
    }
};

constexpr std::uint32_t pattern = 0x40490FDBu; // pi as a real; a plain integer otherwise

void put_int(std::int32_t& word) {
    word = std::bit_cast<std::int32_t>(pattern);
}
void put_real(float& word) {
    word = std::bit_cast<float>(pattern);
}

// Each name, written once, changes exactly the word that the layout gives it.
TEST_F(TpcmTest, NamesReachTheirWords) {
    struct Case {
        std::string_view name;
        std::function<void()> write;
        int word;
    };
    TpcmBlock& b = TPCM;
    const Case cases[] = {
        // Arrays: 1-based, first index fastest.
        {"LINTYP(1,1)", [&] { put_int(b.LINTYP(1, 1)); }, 5427},
        {"LINTYP(2,1)", [&] { put_int(b.LINTYP(2, 1)); }, 5428},
        {"LINTYP(1,2)", [&] { put_int(b.LINTYP(1, 2)); }, 5427 + 151},
        {"LINTYP(151,150)", [&] { put_int(b.LINTYP(151, 150)); }, 28076},
        {"ALPHA(2,1,1)", [&] { put_real(b.ALPHA(2, 1, 1)); }, 47333},
        {"ALPHA(1,2,1)", [&] { put_real(b.ALPHA(1, 2, 1)); }, 47335},
        {"ALPHA(1,1,2)", [&] { put_real(b.ALPHA(1, 1, 2)); }, 47332 + 75},
        {"ALPHA(3,25,150)", [&] { put_real(b.ALPHA(3, 25, 150)); }, 58581},
        {"RACC(3,149)", [&] { put_real(b.RACC(3, 149)); }, 1351},
        {"BRACC(1,2)", [&] { put_real(b.BRACC(1, 2)); }, 2142},
        {"TRQVEC(1,1)", [&] { put_real(b.TRQVEC(1, 1)); }, 79367},
        // Second names of the same type.
        {"IDUM(1)", [&] { put_int(b.IDUM(1)); }, 1},
        {"CREATR", [&] { put_int(b.CREATR()); }, 2},
        {"NACC", [&] { put_int(b.NACC()); }, 754},
        {"BVESL(1)", [&] { put_int(b.BVESL(1)); }, 1988},
        {"SLOHDG(1)", [&] { put_real(b.SLOHDG(1)); }, 715},
        {"SLOHDG(39)", [&] { put_real(b.SLOHDG(39)); }, 753},
        {"RTPCM1(1)", [&] { put_real(b.RTPCM1(1)); }, 498},
        {"RTPCM1(2)", [&] { put_real(b.RTPCM1(2)); }, 499},
        {"IDUM0(1)", [&] { put_int(b.IDUM0(1)); }, 5018},
        {"IDUM0(2)", [&] { put_int(b.IDUM0(2)); }, 5019},
        {"IDUM0(109)", [&] { put_int(b.IDUM0(109)); }, 5126},
        {"LIN_DUM(1)", [&] { put_int(b.LIN_DUM(1)); }, 5427},
        {"YMCTR", [&] { put_real(b.YMCTR()); }, 78391},
        {"ND(1)", [&] { put_int(b.ND(1)); }, 78790},
        {"ROTCTR(1)", [&] { put_real(b.ROTCTR(1)); }, 78932},
        {"ROTCTR(2)", [&] { put_real(b.ROTCTR(2)); }, 78933},
        {"ROTCTR(3)", [&] { put_real(b.ROTCTR(3)); }, 78934},
        {"ROTCTY", [&] { put_real(b.ROTCTY); }, 78933},
        {"ROTCTZ", [&] { put_real(b.ROTCTZ); }, 78934},
        {"DIRGEN(3,10)", [&] { put_real(b.DIRGEN(3, 10)); }, 79366},
        {"OFFGEN(50)", [&] { put_real(b.OFFGEN(50)); }, 79446},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        reset_program_state();
        c.write();
        EXPECT_EQ(tpcm_word(TPCM, c.word), pattern);
        EXPECT_EQ(nonzero_words(), 1);
    }
}

TEST_F(TpcmTest, SecondNamesReadTheWordsOfTheirMember) {
    TPCM.SLO_PD_MIN = 0.25f;
    TPCM.DOHINGE = 7;
    TPCM.ROTCTX = 1.0f;
    TPCM.ROTCTY = 2.0f;
    TPCM.ROTCTZ = 3.0f;
    TPCM.SEAHDG(40) = 45.0f;
    TPCM.FRCVEC(2, 3) = -1.5f;
    TPCM.RMCTRG(3) = 9.0f;
    const TpcmBlock& view = TPCM;
    EXPECT_EQ(view.RTPCM1(1), 0.25f);
    EXPECT_EQ(view.IDUM0(1), 7);
    EXPECT_EQ(view.ROTCTR(1), 1.0f);
    EXPECT_EQ(view.ROTCTR(2), 2.0f);
    EXPECT_EQ(view.ROTCTR(3), 3.0f);
    EXPECT_EQ(view.SLOHDG(39), 45.0f);
    EXPECT_EQ(view.DIRGEN(2, 3), -1.5f);
    EXPECT_EQ(view.ZMCTR(), 9.0f);
    // A second name is a reference, not a copy.
    EXPECT_EQ(&TPCM.RTPCM1(1), &TPCM.SLO_PD_MIN);
    EXPECT_EQ(&TPCM.ROTCTR(3), &TPCM.ROTCTZ);
}

// The little-endian integer whose four bytes are the given characters.
std::int32_t chars_as_int(std::string_view four) {
    std::uint32_t value = 0;
    for (int n = 3; n >= 0; --n)
        value = (value << 8) | static_cast<unsigned char>(four[static_cast<std::size_t>(n)]);
    return std::bit_cast<std::int32_t>(value);
}

TEST_F(TpcmTest, TypedSecondNamesKeepEveryBit) {
    // Integer views of the title characters.
    set_field_text(TPCM.CID1P(), "Spread mooring, 12 lines");
    EXPECT_EQ(field_text(TPCM.CID1(2)), "ad m"sv);
    EXPECT_EQ(TPCM.IDENT1(2), chars_as_int("ad m"));
    EXPECT_EQ(TPCM.IDENT1(20), chars_as_int("    "));
    TPCM.IDENT2(20) = chars_as_int("ABCD");
    EXPECT_EQ(field_text(TPCM.CID2(20)), "ABCD"sv);
    EXPECT_EQ(tpcm_word(TPCM, 99), static_cast<std::uint32_t>(chars_as_int("ABCD")));
    TPCM.IDENT2(1) = TPCM.IDENT1(1); // one view assigned to another copies the value
    EXPECT_EQ(field_text(TPCM.CID2(1)), "Spre"sv);

    // Character view of an integer word.
    TPCM.IVERSN = chars_as_int("6.8 ");
    const std::array<char, 4> version = TPCM.CVERSN();
    EXPECT_EQ(std::string_view(version.data(), 4), "6.8 "sv);
    TPCM.CVERSN() = std::array<char, 4>{'7', '.', '0', '1'};
    EXPECT_EQ(TPCM.IVERSN, chars_as_int("7.01"));

    // Integer view of a real word: a signalling NaN with a payload passes unchanged.
    TPCM.SLEN_DUM(1) = std::bit_cast<std::int32_t>(0x7F800001u);
    EXPECT_EQ(tpcm_word(TPCM, 36082), 0x7F800001u);
    EXPECT_TRUE(std::isnan(TPCM.SLEN(1, 1)));
    TPCM.SLEN(1, 1) = 1.0f;
    EXPECT_EQ(TPCM.SLEN_DUM(1), 0x3F800000);

    // Integer view of the 8-character subline names: two words per name.
    set_field_text(TPCM.SCOMP(3, 2), "WIRE-6X3");
    EXPECT_EQ(TPCM.ISCOMP(1, 3, 2), chars_as_int("WIRE"));
    EXPECT_EQ(TPCM.ISCOMP(2, 3, 2), chars_as_int("-6X3"));
    const int scomp_word = 28582 + 2 * (2 + 25 * 1); // SCOMP(3,2): entry 28, two words each
    EXPECT_EQ(tpcm_word(TPCM, scomp_word), static_cast<std::uint32_t>(chars_as_int("WIRE")));
    TPCM.ISCOMP(2, 25, 150) = chars_as_int("LAST");
    EXPECT_EQ(field_text(TPCM.SCOMP(25, 150)), std::string_view("\0\0\0\0LAST", 8));
    EXPECT_EQ(tpcm_word(TPCM, 36081), static_cast<std::uint32_t>(chars_as_int("LAST")));
    const TpcmBlock& view = TPCM;
    EXPECT_EQ(view.ISCOMP(1, 3, 2), chars_as_int("WIRE"));
    EXPECT_EQ(field_text(view.SCOMP(3, 2)), "WIRE-6X3"sv);
}

TEST(TpcmCharacterFields, AssignmentCutsOrPadsWithBlanks) {
    std::array<char, 8> storage{};
    const std::span<char, 8> field(storage);
    set_field_text(field, "CHAIN");
    EXPECT_EQ(field_text(field), "CHAIN   "sv);
    set_field_text(field, "POLYESTER ROPE");
    EXPECT_EQ(field_text(field), "POLYESTE"sv);
    set_field_text(field, "");
    EXPECT_EQ(field_text(field), "        "sv);
}

TEST_F(TpcmTest, LogicalWordsKeepTheirBitsUnlessTheTruthChanges) {
    struct Case {
        std::int32_t before;
        bool value;
        std::int32_t after;
    };
    const Case cases[] = {{0, true, 1},  {1, true, 1},   {-1, true, -1}, {7, true, 7},
                          {0, false, 0}, {-1, false, 0}, {2, false, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.before << " set " << c.value);
        TPCM.SEMI_LIKE = c.before;
        EXPECT_EQ(is_true(TPCM.SEMI_LIKE), c.before != 0);
        set_logical(TPCM.SEMI_LIKE, c.value);
        EXPECT_EQ(TPCM.SEMI_LIKE, c.after);
    }
}

// ---- The whole image ---------------------------------------------------------------------

TEST_F(TpcmTest, TheImageCopiesWordForWordAndTheResetZeroesIt) {
    std::vector<std::uint32_t> words(tpcm_word_count);
    for (std::size_t n = 0; n < words.size(); ++n)
        words[n] = static_cast<std::uint32_t>(n + 1) * 2654435761u; // reserved words and NaNs too
    std::memcpy(tpcm_bytes(TPCM).data(), words.data(), tpcm_byte_count);
    EXPECT_EQ(tpcm_word(TPCM, 6), 6u * 2654435761u); // reserved_6
    EXPECT_EQ(TPCM.NTOGO, std::bit_cast<std::int32_t>(2654435761u));
    const auto copy = std::make_unique<TpcmBlock>(TPCM);
    EXPECT_EQ(std::memcmp(tpcm_bytes(*copy).data(), words.data(), tpcm_byte_count), 0);

    set_tpcm_word(TPCM, 79676, 5u);
    EXPECT_EQ(TPCM.LAST_CATNCOM, 5);

    reset_program_state();
    EXPECT_EQ(nonzero_words(), 0);
}

#ifndef NDEBUG
TEST(TpcmDeathTest, AnIndexOutsideTheBoundsStopsADebugBuild) {
    EXPECT_DEATH(TPCM.LINTYP(152, 1), "out of its bounds");
    EXPECT_DEATH(TPCM.LINTYP(1, 0), "out of its bounds");
    EXPECT_DEATH(TPCM.IDUM(2), "out of its bounds");
    EXPECT_DEATH(TPCM.ROTCTR(4), "out of its bounds");
}
#endif

// ---- The generated header ----------------------------------------------------------------

TEST(TpcmHeader, IsTheGeneratorsOutputOfTheTable) {
    if (run_command("command -v python3 > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 not found";
    const std::string generator = std::string(LINTAR_SOURCE_DIR) + "/tools/gen_tpcm.py";
    EXPECT_EQ(run_command("python3 '" + generator + "' --check"), 0)
        << "src/blocks/tpcm.h is out of date: run tools/gen_tpcm.py";
}

} // namespace
} // namespace lintar
