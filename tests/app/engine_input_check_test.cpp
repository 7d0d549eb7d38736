// The engine's refusal of reals that are no finite numbers, over the README's worked example
// (examples/spread_mooring.in, run through the editor in the process) and over a buoy with a
// tanker on its hawser, whose passes read the second body's section: every real of the data
// file's image within the data's counts, set to NaN in turn, is either refused by its name
// before any stage writes, or the three stages run and no report holds a non-finite number.
#include "app/engine_flow.h"
#include "app/engine_input_check.h"

#include "blocks/tpcm.h"
#include "editor/page_loop.h"
#include "runtime/stop.h"
#include "support/console.h"
#include "support/mooring_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;

// The worked example's data as the engine loads them: the editor session of the example's
// keyboard answers saves "CATDAT", which the engine's load reads.
std::unique_ptr<TpcmBlock> worked_example_data() {
    ScratchFolder folder;
    {
        ScriptedConsole console(
            read_text(std::filesystem::path(LINTAR_SOURCE_DIR) / "examples/spread_mooring.in"));
        EXPECT_EQ(run_until_stop([] { CATED(); }), StopKind::normal);
    }
    ScriptedConsole console;
    load_engine_data(engine_data_file);
    return std::make_unique<TpcmBlock>(TPCM);
}

// A buoy with a tanker on its hawser (support/mooring_fixture.h) as the editor saves it, the
// tanker pulled away from the buoy by a user's force of 40 kips (the environment's path of the
// static equilibrium), with a lateral sequence of 0, 10 and 20 ft reported to "OFFSETS.stxt".
// The static equilibrium's pass of the buoy and the offset table put the buoy's section of TPCM,
// a copy of the vessel's, in the vessel's place, and the tanker's load acts on the buoy at its
// end of the hawser. No current: this program's static equilibrium refuses one before it
// starts, so no stage reads CURHDG or CURSPD.
std::unique_ptr<TpcmBlock> buoy_data() {
    fill_buoy_with_hawser();
    stamp_as_saved();
    set_checked_line_lengths();
    lateral_sequence_to_file(0.0f);
    pull_tanker_away(40.0f);
    return std::make_unique<TpcmBlock>(TPCM);
}

// A real word of the image with every name it goes by ("SLEN(2, 1)"; "ROTCTR(2)" and "ROTCTY").
struct RealWord {
    int word = 0;
    std::vector<std::string> names;
};

std::vector<std::string> csv_fields(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, ',');)
        fields.push_back(field);
    return fields;
}

// How many slots of a dimension of this bound the example fills: its lines for the 150 of a
// line array (its line types and motion points are fewer), its most sublines for the 25 of a
// line type; every slot of any other dimension.
int example_slots(int bound, const TpcmBlock& X) {
    if (bound == 150 || bound == 149)
        return X.NLIN;
    if (bound == 25) {
        int most = 0;
        for (int t = 1; t <= X.NTYP; ++t)
            most = std::max<int>(most, X.NELEM(t));
        return most;
    }
    return bound;
}

// Every real word of the top part (site, environment, vessel), the second body's part when the
// data have a second body (a tow, a tanker with its buoy, a buoy with a hawser), the mooring
// part (lines and line types) and the offset specifications that lies within the data's counts,
// from the layout table of the image (each member with its type and bounds), with all its
// names.
std::vector<RealWord> example_real_words(const TpcmBlock& X) {
    const bool second_body = X.SIMTYP == 10 || X.SIMTYP == 13 || X.IARCO != 0;
    const std::string table =
        read_text(std::filesystem::path(LINTAR_SOURCE_DIR) / "src/blocks/tpcm_layout.csv");
    std::map<int, std::vector<std::string>> names;
    std::stringstream lines(table);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#' || line.rfind("part,", 0) == 0)
            continue;
        const std::vector<std::string> f = csv_fields(line);
        const int part = std::stoi(f.at(0));
        if (f.at(4) != "real32" ||
            !(part == 1 || (part == 2 && second_body) || part == 4 || part == 5))
            continue;
        const int first = std::stoi(f.at(1));
        std::vector<int> bounds;
        std::stringstream dims(f.at(5));
        for (int b = 0; dims >> b;)
            bounds.push_back(b);
        const int words = std::stoi(f.at(6));
        for (int n = 0; n < words; ++n) {
            std::string name = f.at(3);
            bool within = true;
            int rest = n;
            for (std::size_t d = 0; d < bounds.size(); ++d) {
                const int index = rest % bounds[d] + 1;
                rest /= bounds[d];
                within = within && index <= example_slots(bounds[d], X);
                name += (d == 0 ? "(" : ", ") + std::to_string(index);
            }
            if (within)
                names[first + n].push_back(bounds.empty() ? name : name + ")");
        }
    }
    std::vector<RealWord> result;
    for (auto& [word, word_names] : names)
        result.push_back({word, std::move(word_names)});
    return result;
}

// Whether a text holds a non-finite number as the runtime's edit descriptors write it ("NaN",
// "Inf", "Infinity") or as C++ does ("nan", "inf"): a word of letters standing alone.
bool holds_non_finite(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        if (!std::isalpha(static_cast<unsigned char>(text[at]))) {
            ++at;
            continue;
        }
        const std::size_t start = at;
        while (at < text.size() && std::isalpha(static_cast<unsigned char>(text[at])))
            ++at;
        std::string word(text.substr(start, at - start));
        std::transform(word.begin(), word.end(), word.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (word == "nan" || word == "inf" || word == "infinity")
            return true;
    }
    return false;
}

std::string refusal(const std::string& name) {
    return " ++> FATAL error: The data word " + name +
           " holds no finite number;\n     correct it with lintar and run the engine again.\n";
}

// The engine's check of TPCM with word W set to NaN, on CONSOLE: empty when it passes,
// otherwise the refusal's screen. A refusal that names none of W's names is recorded as a
// failure. The word is put back.
std::string check_of(ScriptedConsole& console, const RealWord& w) {
    const std::uint32_t kept = tpcm_word(TPCM, w.word);
    set_tpcm_word(TPCM, w.word,
                  std::bit_cast<std::uint32_t>(std::numeric_limits<float>::quiet_NaN()));
    console.clear_screen_text();
    const auto stop = run_until_stop([] { check_finite_input(TPCM.EDUNIT); });
    set_tpcm_word(TPCM, w.word, kept);
    if (!stop)
        return {};
    EXPECT_EQ(stop, StopKind::error);
    const std::string screen = console.screen();
    const bool named = std::any_of(w.names.begin(), w.names.end(), [&](const std::string& name) {
        return screen.find(refusal(name)) != std::string::npos;
    });
    EXPECT_TRUE(named) << screen;
    return screen;
}

// The three stages on the DATA with the words WORDS set to NaN, in a fresh folder: empty when
// they end normally and no file they wrote holds a non-finite number, otherwise what went wrong.
std::string stages_fault(const TpcmBlock& data, const std::vector<RealWord>& words) {
    ScratchFolder folder;
    ScriptedConsole console(std::string(20, '\n'));
    TPCM = data;
    for (const RealWord& w : words)
        set_tpcm_word(TPCM, w.word,
                      std::bit_cast<std::uint32_t>(std::numeric_limits<float>::quiet_NaN()));
    const auto stop = run_until_stop([] { run_engine_stages(); });
    if (stop) {
        const std::string screen = console.screen();
        return "the run stopped: ..." +
               screen.substr(screen.size() - std::min<std::size_t>(screen.size(), 300));
    }
    std::string fault;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        const std::string file = entry.path().filename().string();
        if (holds_non_finite(folder.read(file)))
            fault += (fault.empty() ? "a non-finite number in " : ", ") + file;
    }
    return fault;
}

// The member a word belongs to: its first name without indices.
std::string member_of(const RealWord& w) {
    const std::string& name = w.names.front();
    return name.substr(0, name.find('('));
}

// The worked example's data, made once for the suite.
class EngineInputCheck : public ::testing::Test {
protected:
    static void SetUpTestSuite() { example_ = worked_example_data(); }
    static void TearDownTestSuite() { example_.reset(); }
    static inline std::unique_ptr<TpcmBlock> example_;
};

// Each real word of DATA within its counts, set to NaN in turn, is refused by the engine's check
// by its name, or the three stages run on it and write no non-finite number. The check is run
// word by word; the stages, which take some milliseconds, run once for the words of a member
// that the check passes, all NaN together (a slot the stages read puts its NaN in a report
// whatever the member's other slots hold), and word by word again only when that run shows a
// fault, to name the word.
void sweep_reals(const TpcmBlock& data) {
    ASSERT_EQ(stages_fault(data, {}), "") << "the data as they are";
    const std::vector<RealWord> words = example_real_words(data);
    ASSERT_GT(words.size(), 1000u);

    std::map<std::string, std::vector<RealWord>> passed; // by member
    {
        ScriptedConsole console(std::string(words.size(), '\n'));
        TPCM = data;
        for (const RealWord& w : words) {
            SCOPED_TRACE(w.names.front());
            if (check_of(console, w).empty())
                passed[member_of(w)].push_back(w);
        }
    }
    for (const auto& [member, member_words] : passed) {
        if (stages_fault(data, member_words).empty())
            continue;
        for (const RealWord& w : member_words)
            EXPECT_EQ(stages_fault(data, {w}), "")
                << w.names.front() << " (word " << w.word << ") passes the check";
    }
}

TEST_F(EngineInputCheck, EveryRealOfTheWorkedExampleIsRefusedOrReportsStayFinite) {
    sweep_reals(*example_);
}

// With a second body, the words of its section that the buoy's passes read (its trim, heel,
// centroid, draft, heading and moment, its centre of gravity, its end of the hawser) are refused
// like the vessel's, and so is the vessel's centre of gravity, which the user's force reads.
TEST_F(EngineInputCheck, EveryRealOfABuoyWithAHawserIsRefusedOrReportsStayFinite) {
    sweep_reals(*buoy_data());
}

// The check reads what the stages read and no more: slots beyond the example's counts, words
// the stages write before they read them or only copy, and words read only under a switch
// that is off may hold anything a stored file holds; with the switch on, the word is refused.
TEST_F(EngineInputCheck, RefusesOnlyWhatTheStagesRead) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* name;
        void (*change)(TpcmBlock& T, float nan);
        bool refused;
    };
    // clang-format off
    const Case cases[] = {
        {"SLEN(4, 1)", [](TpcmBlock& T, float x) { T.SLEN(4, 1) = x; }, false},   // 3 sublines
        {"SLEN(1, 2)", [](TpcmBlock& T, float x) { T.SLEN(1, 2) = x; }, false},   // 1 line type
        {"ALPHA(3, 4, 1)", [](TpcmBlock& T, float x) { T.ALPHA(3, 4, 1) = x; }, false},
        {"ANCHGT(2)", [](TpcmBlock& T, float x) { T.ANCHGT(2) = x; }, false},
        {"CLUMP(2)", [](TpcmBlock& T, float x) { T.CLUMP(2) = x; }, false},
        {"HTENS(9)", [](TpcmBlock& T, float x) { T.HTENS(9) = x; }, false},       // 8 lines
        {"RFLD(3, 9)", [](TpcmBlock& T, float x) { T.RFLD(3, 9) = x; }, false},
        {"RACC(1, 2)", [](TpcmBlock& T, float x) { T.RACC(1, 2) = x; }, false},   // 1 point
        {"PHIL(10)", [](TpcmBlock& T, float x) { T.PHIL(10) = x; }, false},
        {"OFFL(50)", [](TpcmBlock& T, float x) { T.OFFL(50) = x; }, false},
        {"DPXFRC", [](TpcmBlock& T, float x) { T.DPXFRC = x; }, false},           // a result
        {"TLNANG", [](TpcmBlock& T, float x) { T.TLNANG = x; }, false},
        {"RMCTRG(1)", [](TpcmBlock& T, float x) { T.RMCTRG(1) = x; }, false},
        {"MOORDUMMY(1, 1)", [](TpcmBlock& T, float x) { T.MOORDUMMY(1, 1) = x; }, false},
        {"BDISPL", [](TpcmBlock& T, float x) { T.BDISPL = x; }, false},           // one body
        {"CURSPD", [](TpcmBlock& T, float x) { T.CURSPD = x; }, false},           // no current
        {"ANCHGT(1)", [](TpcmBlock& T, float x) { T.ANCHGT(1) = x; }, true},
        {"SLEN(3, 1)", [](TpcmBlock& T, float x) { T.SLEN(3, 1) = x; }, true},
        {"ALPHA(3, 3, 1)", [](TpcmBlock& T, float x) { T.ALPHA(3, 3, 1) = x; }, true},
        {"RFLD(3, 8)", [](TpcmBlock& T, float x) { T.RFLD(3, 8) = x; }, true},
        {"RACC(3, 1)", [](TpcmBlock& T, float x) { T.RACC(3, 1) = x; }, true},
        {"ROTCTR(3)", [](TpcmBlock& T, float x) { T.ROTCTZ = x; }, true},
        {"BDISPL", [](TpcmBlock& T, float x) { T.BDISPL = x; T.IARCO = 1; }, true},
        {"BRACC(2, 1)",
         [](TpcmBlock& T, float x) { T.BRACC(2, 1) = x; T.IBUOY(1) = 1; T.IARCO = 1; }, true},
        {"CURSPD", [](TpcmBlock& T, float x) { T.CURSPD = x; T.LCURNT = 1; }, true},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.name << (c.refused ? " read" : " not read"));
        ScriptedConsole console("\n");
        TPCM = *example_;
        c.change(TPCM, nan);
        const auto stop = run_until_stop([] { check_finite_input(TPCM.EDUNIT); });
        if (c.refused) {
            EXPECT_EQ(stop, StopKind::error);
            EXPECT_EQ(console.screen(),
                      "\n" + refusal(c.name) + " \n Press <RETURN> to continue: ");
        } else {
            EXPECT_EQ(stop, std::nullopt) << console.screen();
        }
    }
}

} // namespace
} // namespace lintar
