// The engine's run of its stages in the process: one analysis after another on the same data.
#include "app/engine_flow.h"

#include "support/mooring_fixture.h"

#include "blocks/tpcm.h"
#include "datafile/tpcm_image.h"
#include "runtime/program_state.h"
#include "support/console.h"
#include "util/image_transfer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;

// The spread mooring of the editor's tests at a heading of 30 degrees with its first line
// pulling harder, so that the analysis converts the headings, resets the unstable still-water
// state (which rewrites the lines' azimuths and the heading in TPCM) and runs the offset table.
void write_unbalanced_spread() {
    fill_spread_mooring();
    stamp_as_saved();
    set_checked_line_lengths();
    TPCM.HTENS(1) = 300.0f;
    TPCM.VESAN0 = 30.0f;
    std::vector<std::uint32_t> image = tpcm_image();
    std::int32_t count = tpcm_word_count;
    std::int32_t IERR = 0;
    DISKIO(0, count, "CATDAT", 1, IERR, image, 5);
    ASSERT_EQ(IERR, 0);
    reset_program_state();
}

// A second analysis in the same process (the tests', a family flow's) starts from the data as
// loaded and with the analysis routines' stores fresh: it writes the same reports and the same
// screen, and the data are unchanged after each analysis (the headings in degrees).
TEST(EngineFlow, ASecondAnalysisStartsFromTheSameData) {
    ScratchFolder folder;
    write_unbalanced_spread();
    ScriptedConsole console("\n\n");
    load_engine_data(engine_data_file);
    const auto data = std::make_unique<TpcmBlock>(TPCM);

    struct Outcome {
        std::string screen, MEANOUT, OFFSETS;
    };
    std::vector<Outcome> runs;
    for (int n = 1; n <= 2; ++n) {
        SCOPED_TRACE(n);
        const std::size_t before = console.screen().size();
        EXPECT_FALSE(run_until_stop([] { run_engine_stages(); }));
        runs.push_back({console.screen().substr(before), folder.read("MEANOUT.stxt"),
                        folder.read("OFFSETS.stxt")});
        EXPECT_EQ(TPCM.VESAN0, 30.0f);
        for (int w = 1; w <= tpcm_word_count; ++w)
            if (tpcm_word(TPCM, w) != tpcm_word(*data, w))
                ADD_FAILURE() << "TPCM word " << w << " differs";
    }
    EXPECT_NE(runs[0].screen.find("have been modified"), std::string::npos) << runs[0].screen;
    EXPECT_EQ(runs[1].screen, runs[0].screen);
    EXPECT_EQ(runs[1].MEANOUT, runs[0].MEANOUT);
    EXPECT_EQ(runs[1].OFFSETS, runs[0].OFFSETS);
}

} // namespace
} // namespace lintar
