// app/engine_flow.cpp: the run of the analysis engine.
#include "app/engine_flow.h"

#include "blocks/tpcm.h"
#include "datafile/startup_load.h"
#include "editor/identity.h"
#include "equilibrium/static_equilibrium.h"
#include "lines/line_tables.h"
#include "offsets/offset_tables.h"
#include "runtime/stop.h"
#include "runtime/units.h"

#include <cstdint>
#include <vector>

namespace lintar {

// load_engine_data: IOINIT with this program's identity and the data file DATFIL. Reads the
// keyboard (the title-screen choice) and the data file; writes TPCM.
void load_engine_data(std::string_view DATFIL) {
    ProgramIdentity ID = CATTOP();
    ID.DATFIL = DATFIL;
    std::vector<std::uint32_t> IOBUF(tpcm_word_count);
    char ANSWER = ' ';
    std::int32_t JMPLOC = 0;
    std::int32_t IERR0 = 0;
    std::int32_t IERR1 = 0;
    TPCM.LCOPY = 0;
    IOINIT(ID, IOBUF, ANSWER, JMPLOC, IERR0, IERR1, tpcm_word_count);
    if (ANSWER != 'E') {
        write_record(TPCM.EDUNIT, " ++> The analysis engine runs an existing data file only.");
        stop_program(StopKind::error);
    }
}

// run_engine_stages: MRSTAT, then QSTAT, then CATTBL. Reads and writes TPCM and the analysis
// blocks; the reports go to their files. Each stage may end the run (see its own header).
void run_engine_stages() {
    MRSTAT();
    QSTAT();
    CATTBL();
}

void run_engine(std::string_view DATFIL) {
    load_engine_data(DATFIL);
    run_engine_stages();
}

} // namespace lintar
