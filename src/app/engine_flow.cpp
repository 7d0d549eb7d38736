// app/engine_flow.cpp: the run of the analysis engine.
#include "app/engine_flow.h"

#include "blocks/tpcm.h"
#include "datafile/startup_load.h"
#include "editor/identity.h"
#include "environment/wave_table_check.h"
#include "equilibrium/static_equilibrium.h"
#include "lines/line_tables.h"
#include "offsets/offset_tables.h"

namespace lintar {

// load_engine_data: the engine's load with this program's identity and the data file DATFIL.
// Reads the data file; writes TPCM.
void load_engine_data(std::string_view DATFIL) {
    ProgramIdentity ID = CATTOP();
    ID.DATFIL = DATFIL;
    load_for_analysis(ID, tpcm_word_count);
}

// run_engine_stages: the checks of the input the stages use (the static equilibrium's and the
// wave-load models'), then MRSTAT, QSTAT and CATTBL. Reads and writes TPCM and the analysis
// blocks; the reports go to their files. The checks and each stage may end the run (see their
// own headers); the checks write no file.
void run_engine_stages() {
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
