// low_frequency/low_frequency_report.cpp: the low-frequency report driver QUASOT.
#include "low_frequency/low_frequency_report.h"

#include "blocks/tpcm.h"
#include "low_frequency/low_frequency_loads.h"
#include "low_frequency/mode_pages.h"
#include "low_frequency/report_context.h"
#include "low_frequency/static_equilibrium_summary.h"
#include "low_frequency/vessel_environment_summary.h"
#include "runtime/units.h"
#include "td_support/env_force_tables.h"
#include "td_support/mooring_support.h"
#include "util/file_services.h"
#include "util/prompts.h"

namespace lintar {

namespace {

constexpr std::string_view MAINPG = "QUASOT";
constexpr std::string_view lowlod_tag = "LOWLOD";

// The switches that decide which files the driver opens and closes.
struct ReportFiles {
    bool report = false;   // "LOWOUT.stxt" on IUNIT 1
    bool offsets = false;  // "OFFSETS.stxt" on unit 21
    bool envelope = false; // the envelope data on unit 124, with the support data
};

ReportFiles report_files() {
    const TpcmBlock& T = TPCM;
    ReportFiles f;
    f.report = T.IUNIT == 1 && T.LOWMOT != 0;
    f.offsets = T.IUNIT == 1 && (T.CATFBK == 1 || (T.BCTFBK == 1 && T.SIMTYP == 13));
    f.envelope = T.WriteAuxDatFiles == 1 && T.CMPUTR != 3;
    return f;
}

// Sections III, IV and V from section III on: true when a pause asked for the report to start
// again at section III.
bool write_sections_iii_to_v(const LowReportFlags& flags, bool& converted) {
    write_vessel_environment_summary(flags);
    if (report_page_pause())
        return true;
    // The statistics are converted once per call: a restart finds them converted.
    if (!converted) {
        convert_mode_statistics(flags);
        converted = true;
    }
    write_static_equilibrium_summary(flags);
    if (report_page_pause())
        return true;
    return write_mode_pages(flags);
}

} // namespace

// QUASOT: in the order of its steps.
void QUASOT(std::int32_t& nAgnSpecSecs, std::int32_t& mapMakeSecs, std::int32_t& linDampSecs) {
    TpcmBlock& T = TPCM;
    nAgnSpecSecs = 0;
    mapMakeSecs = 0;
    linDampSecs = 0;
    std::int32_t waveEnvironID = 0;
    const int EDUNIT = T.EDUNIT;

    // The debug trace.
    if (T.NBUG0 == 1) {
        write_record(EDUNIT, " ### In QUASOT:");
        INBUG(T.NBUG, EDUNIT, keyboard_unit);
    } else {
        T.NBUG = 0;
    }
    // The report's flags, the load-model flags among them.
    const LowReportFlags flags = low_report_flags();
    // The console note.
    write_record(EDUNIT, "");
    write_record(EDUNIT, " >>> Outputting low-frequency dynamics data...");
    write_record(EDUNIT, "");
    if (T.NBUG0 != 0)
        INBUG(T.NBUG, EDUNIT, keyboard_unit);

    // The files, each under its condition.
    const ReportFiles files = report_files();
    if (files.report)
        RHOPEN(LOWOUT, 1, 0, T.IUNIT, MAINPG, EDUNIT);
    if (files.offsets)
        RHOPEN(OFSFIL, 1, 0, offset_file_unit, lowlod_tag, EDUNIT);
    if (files.envelope)
        RHOPEN(ENVELOPE_VIS_DAT, 1, 0, envelope_file_unit, MAINPG, EDUNIT);

    // Without LOWMOT only the conversion; otherwise sections III to V, again from
    // section III while a pause asks for it.
    T.LBACK = 0;
    if (T.LOWMOT == 0) {
        convert_mode_statistics(flags);
        return;
    }
    bool converted = false;
    while (write_sections_iii_to_v(flags, converted)) {
    }

    // Sections VIa and VIb, the offset file and the envelope data.
    LOWLOD();

    // The files closed. The envelope data stay open for the other programs and moorings;
    // the end of the run closes them.
    if (files.envelope && (T.SIMTYP == 15 || flags.SPREAD))
        HCLOSE(envelope_file_unit, ENVELOPE_VIS_DAT, lowlod_tag, EDUNIT);
    if (T.IUNIT == 1) {
        HCLOSE(T.IUNIT, LOWOUT, MAINPG, EDUNIT);
        if (files.offsets)
            HCLOSE(offset_file_unit, OFSFIL, lowlod_tag, EDUNIT);
    }

    // The support data, with the vessel-motion reports of the writers' stages off.
    if (T.WriteAuxDatFiles == 1 && T.CMPUTR != 3) {
        T.hideOrmanelReports = 1;
        WRITE_SQUAL_ENV_DATA(waveEnvironID, nAgnSpecSecs, mapMakeSecs, linDampSecs);
        WRITE_SQUAL_MOOR_DATA(waveEnvironID, nAgnSpecSecs, mapMakeSecs, linDampSecs);
        T.hideOrmanelReports = 0;
    }
}

} // namespace lintar
