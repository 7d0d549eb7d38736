// app/engine_flow.cpp: the run of the analysis engine.
#include "app/engine_flow.h"

#include "app/engine_input_check.h"
#include "blocks/equilb.h"
#include "blocks/tpcm.h"
#include "datafile/startup_load.h"
#include "editor/identity.h"
#include "environment/wave_table_check.h"
#include "equilibrium/static_equilibrium.h"
#include "lines/line_tables.h"
#include "low_frequency/low_frequency_report.h"
#include "offsets/offset_tables.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "util/prompts.h"

#include <memory>

namespace lintar {

namespace {

// The low-frequency report reads statistics that the static-equilibrium stage does not leave:
// without its mode periods (all zero) nothing can be reported.
bool low_frequency_inputs_present() {
    for (int g = 1; g <= 6; ++g)
        if (EQUILB.LFSTAT(1, g) != 0.0f)
            return true;
    return false;
}

// The low-frequency stage: refused before it opens any file while no stage computes its
// inputs; the support data, which it writes, are refused with it.
void run_low_frequency_stage() {
    if (!low_frequency_inputs_present())
        fatal_stop(
            TPCM.EDUNIT, keyboard_unit,
            {" ++> FATAL error: the low-frequency report cannot be written: no stage computes",
             "     its inputs (the low-frequency mode statistics, the energy curves, springs",
             "     and offsets, the mode vectors and offset directions)."});
    std::int32_t nAgnSpecSecs = 0, mapMakeSecs = 0, linDampSecs = 0;
    QUASOT(nAgnSpecSecs, mapMakeSecs, linDampSecs);
}

} // namespace

// run_stage_rule: which stages run for which program code. This rule is the project's own,
// told here and only pointed to from the header and the README ("The engine's stages"): the
// program's family has other codes, and this program sets no order of stages for them.
//   1. MRSTAT, the line tables and the static line report;
//   2. QSTAT, the static equilibrium, which runs the vessel-motion set-up VESL1 itself when
//      LQUAS is set and the program code is not 8;
//   3. CATTBL, the offset table, for program code 8, this program's own analysis;
//   4. the low-frequency stage (QUASOT: the low-frequency report "LOWOUT.stxt" and, when asked
//      for, the squall program's support data under "td_aux") when the code is not 8 and both
//      LQUAS and LOWMOT are set (without LOWMOT it writes no report and no support data).
// The low-frequency stage is refused (" ++> FATAL error: the low-frequency report cannot be
// written: ..." and two more lines, the Return pause, status 1) while no stage computes its
// inputs: the mode periods of EQUILB are all zero. Every image this program's engine loads
// carries code 8, so it runs stages 1 to 3; the other branches are reached with images of the
// family's codes in memory. Reads and writes what the stages do.
void run_stage_rule() {
    MRSTAT();
    QSTAT();
    if (TPCM.SIMTYP == 8) {
        CATTBL();
        return;
    }
    if (TPCM.LQUAS != 0 && TPCM.LOWMOT != 0)
        run_low_frequency_stage();
}

// load_engine_data: the engine's load with this program's identity and the data file DATFIL.
// Reads the data file; writes TPCM.
void load_engine_data(std::string_view DATFIL) {
    ProgramIdentity ID = CATTOP();
    ID.DATFIL = DATFIL;
    load_for_analysis(ID, tpcm_word_count);
}

// run_engine_stages: the checks of the input the stages use (every real a finite number, then
// the static equilibrium's and the wave-load models'), then the stages of run_stage_rule. Reads
// TPCM, writes the analysis blocks; the reports go to their files. The checks and each stage may
// end the run (see their own headers); the checks write no file. Each analysis starts with the
// analysis routines' own stores fresh (their first-call state, caches and once-per-run warnings)
// and works on a copy of the data: the stages turn the headings to radians and set the pass words
// in place, and the data are put back afterwards, so that a second analysis in the same process
// starts from the same data.
void run_engine_stages() {
    reset_analysis_state();
    // ScopeRestore's guard for the whole image, with the copy on the heap: ScopeRestore keeps
    // its copy inside itself, which for TPCM would put 318,704 bytes on this frame's stack.
    // Like ScopeRestore it puts the data back however the stages end, a stop included.
    struct DataRestore {
        std::unique_ptr<TpcmBlock> data = std::make_unique<TpcmBlock>(TPCM);
        ~DataRestore() { TPCM = *data; }
    } restore;
    check_finite_input(TPCM.EDUNIT);
    check_static_equilibrium_input(TPCM.EDUNIT);
    check_wave_load_tables(TPCM.EDUNIT);
    run_stage_rule();
}

void run_engine(std::string_view DATFIL) {
    load_engine_data(DATFIL);
    run_engine_stages();
}

} // namespace lintar
