// End-to-end session through the mooring pages (pages 2, 3 and 14): a new file is edited item
// by item, its pages are written to the text mirror, and the save is read back word by word.
#include "support/console.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::ProgramRun;
using testing::read_text;
using testing::ScratchFolder;

std::string e2e_file(const std::string& name) {
    return read_text(std::filesystem::path(LINTAR_E2E_DIR) / name);
}

// The lines from the one holding the first `from` up to the one holding the first `to` after
// it (to the end without one).
std::string section(const std::string& text, const std::string& from, const std::string& to) {
    const auto line_start = [&](std::size_t at) {
        const auto newline = text.rfind('\n', at);
        return newline == std::string::npos ? 0 : newline + 1;
    };
    const auto first = text.find(from);
    if (first == std::string::npos)
        return {};
    const auto start = line_start(first);
    const auto last = text.find(to, first);
    return last == std::string::npos ? text.substr(start)
                                     : text.substr(start, line_start(last) - start);
}

// The lines of a mirror section without the empty and form-feed lines that separate its
// screens: how many of those a page gets depends on the pages before it.
std::string printed_lines(const std::string& text) {
    std::istringstream in(text);
    std::string kept;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line != "\f")
            kept += line + "\n";
    return kept;
}

// A word of the saved image, counting from 1 (the file is the image, little-endian words).
struct Image {
    std::string bytes;
    std::uint32_t word(int n) const {
        std::uint32_t w = 0;
        std::memcpy(&w, bytes.data() + 4 * static_cast<std::size_t>(n - 1), 4);
        return w;
    }
    std::int32_t integer(int n) const { return std::bit_cast<std::int32_t>(word(n)); }
    float real(int n) const { return std::bit_cast<float>(word(n)); }
};

TEST(MooringPagesSession, EditsReachTheirWordsAndTheMirror) {
    ScratchFolder folder;
    const ProgramRun run =
        testing::run_program("lintar", e2e_file("mooring_pages.in"), folder.path());
    ASSERT_EQ(run.status, 0);

    // The screens of pages 2, 3 and 14, from page 2's heading to the prompt the final page
    // follows.
    const std::string prompt = " \n Enter number of selection (\"H\" for help): ";
    const auto start = run.screen.find("  **** Page 2: General Mooring Information");
    const auto final_page = run.screen.find("Page 17:");
    ASSERT_NE(start, std::string::npos);
    ASSERT_NE(final_page, std::string::npos);
    const auto end = run.screen.rfind(prompt, final_page) + prompt.size();
    EXPECT_EQ(run.screen.substr(start, end - start), e2e_file("mooring_pages.out"));

    // The mirror: the three pages with their values and listings.
    const std::string mirror = folder.read("CATIN.stxt");
    const std::string pages = section(mirror, "  **** Page 2:", "****** Page 4A") +
                              section(mirror, " ****  Page 14:", "****  Page 15:");
    const std::string expected = e2e_file("mooring_pages_CATIN.stxt.out");
    EXPECT_EQ(printed_lines(pages), printed_lines(expected));

    // The saved data file, word by word as the layout places the members.
    const Image image{folder.read("CATDAT")};
    ASSERT_EQ(image.bytes.size(), 318704u);
    struct IntegerWord {
        const char* name;
        int word;
        std::int32_t value;
    };
    const IntegerWord integers[] = {
        {"NLIN", 28382, 3},       {"NTYP", 28227, 2},      {"HAWSLN", 28542, 3},
        {"HAWSTP", 28541, 2},     {"NUMTAB", 1915, 60},    {"LODTYP", 28538, 2},
        {"ANCDEF", 28540, 1},     {"MOORTP", 28536, 0},    {"ANCTYP(1)", 5277, 0},
        {"ANCTYP(149)", 5425, 0}, {"WLFLAG", 4994, 1},     {"NLINE(1)", 28077, 2},
        {"NLINE(2)", 28078, 1},   {"NELEM(1)", 28229, 1},  {"NELEM(2)", 28230, 3},
        {"NEXCLUDE", 5003, 2},    {"IDEXCLUDE1", 5004, 6}, {"IDEXCLUDE2", 5005, 0},
        {"INRLFG", 4996, 1},      {"NEXCLD_I", 5012, 1},   {"IDEXCLD1_I", 5013, 4},
        {"LRESET", 28535, 0},     {"STAMOT", 4984, 3},     {"LEQCND", 4986, 1},
    };
    for (const auto& w : integers) {
        SCOPED_TRACE(w.name);
        EXPECT_EQ(image.integer(w.word), w.value);
    }
    struct RealWord {
        const char* name;
        int word;
        float value;
    };
    const RealWord reals[] = {
        {"TLOAD", 1675, 1500.0f},
        {"HMIN", 1674, 5.0f},
        {"HTENS(1)", 62332, 100.0f},
        {"HTENS(2)", 62333, 110.0f},
        {"HTENS(3)", 62334, 120.0f},
        {"BTFRC0", 78235, 0.5f},
        {"DRAFT", 1412, 40.0f},
        {"TRIMDG", 1365, 1.5f},
        {"HEELDG", 1366, -2.0f},
        {"ANCHT0", 78232, 300.0f},
        {"ANCHGT(1)", 78082, 300.0f},
        {"ANCHGT(149)", 78230, 300.0f},
        {"RFLD(1,1)", 62482, 100.0f},
        {"RFLD(2,1)", 62483, 20.0f},
        {"RFLD(3,1)", 62484, 45.0f},
        {"RFLD(2,2)", 62486, -20.0f},
        {"RFLD(1,3)", 62488, -100.0f},
        {"RFLD(3,3)", 62490, 45.0f},
        {"RMCTR(3)", 78389, 10.0f},
        {"DURATN", 450, 2.5f},
        // Turned clockwise by 30 degrees: departure angles and headings lose 30.
        {"ANGDEP(1)", 77932, 0.0f},
        {"ANGDEP(2)", 77933, 120.0f},
        {"ANGDEP(3)", 77934, 240.0f},
        {"VESAN0", 1438, -15.0f},
        {"BVSAN0", 2672, -30.0f},
        {"SEAHDG(1)", 714, -30.0f},
        {"WAVHDG(1)", 418, -30.0f},
        {"CURHDG", 457, -30.0f},
        {"WNDHDG", 454, -30.0f},
        {"SWLHDG", 453, -30.0f},
        {"VGLDIR", 1406, -30.0f},
    };
    for (const auto& w : reals) {
        SCOPED_TRACE(w.name);
        EXPECT_EQ(image.real(w.word), w.value);
    }
}

} // namespace
} // namespace lintar
