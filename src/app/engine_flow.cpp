// app/engine_flow.cpp: the run of the analysis engine.
#include "app/engine_flow.h"

#include "blocks/tpcm.h"
#include "datafile/startup_load.h"
#include "editor/identity.h"
#include "environment/wave_table_check.h"
#include "equilibrium/static_equilibrium.h"
#include "lines/line_tables.h"
#include "offsets/offset_tables.h"
#include "runtime/program_state.h"

#include <memory>

namespace lintar {

// load_engine_data: the engine's load with this program's identity and the data file DATFIL.
// Reads the data file; writes TPCM.
void load_engine_data(std::string_view DATFIL) {
    ProgramIdentity ID = CATTOP();
    ID.DATFIL = DATFIL;
    load_for_analysis(ID, tpcm_word_count);
}

// run_engine_stages: the checks of the input the stages use (the static equilibrium's and the
// wave-load models'), then MRSTAT, QSTAT and CATTBL. Reads TPCM, writes the analysis blocks;
// the reports go to their files. The checks and each stage may end the run (see their own
// headers); the checks write no file.
// Each analysis starts with the analysis routines' own stores fresh (their first-call state,
// caches and once-per-run warnings) and works on a copy of the data: the stages turn the
// headings to radians and set the pass words in place, and the data are put back afterwards,
// so that a second analysis in the same process starts from the same data.
void run_engine_stages() {
    reset_analysis_state();
    struct DataRestore {
        std::unique_ptr<TpcmBlock> data = std::make_unique<TpcmBlock>(TPCM);
        ~DataRestore() { TPCM = *data; }
    } restore;
    check_static_equilibrium_input(TPCM.EDUNIT);
    check_wave_load_tables(TPCM.EDUNIT);
    MRSTAT();
    QSTAT();
    CATTBL();
}

void run_engine(std::string_view DATFIL) {
    load_engine_data(DATFIL);
    run_engine_stages();
}

} // namespace lintar
