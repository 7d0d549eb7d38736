// td_support/squall_options.h: the squall program's options file (SQUALDAT): its writer and
// reader over SQUALCOM, and the tests of the user's choices against the defaults.
#pragma once

#include "blocks/squalcom.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace lintar {

// The unit the options file is written and read on.
inline constexpr int squall_options_unit = 1233;

// WRITE_TD_OPTS: writes the options of SQUALCOM to the file SQUAL_IO: the version record
// (the squall program's version SQ_VERNOQ, SQ_VERS_SUFXQ and this program's VERNOQ,
// VERS_SUFXQ), the list lengths, the storm duration DURATNQ (hours, written in seconds) with
// the number of dynamic events NDYNEVQ, the logical and integer options, the first
// nFldReports entries of the event list IDYNEVQ and of linePicks, and the real options; a tab
// before every value. The file is written under a temporary name and renamed over the old one
// when complete, so an old file survives a failed write. Reads SQUALCOM; writes unit 1233.
// A file that cannot be written or renamed ends the run (status 1) after
// "++> I/O Error in WRITE_TD_OPTS; aborting... " on the console.
void WRITE_TD_OPTS(std::string_view SQUAL_IO, float VERNOQ, std::int32_t VERS_SUFXQ,
                   float SQ_VERNOQ, std::int32_t SQ_VERS_SUFXQ, float DURATNQ, std::int32_t NDYNEVQ,
                   std::span<const std::int32_t, squall_event_count> IDYNEVQ,
                   std::span<const std::int32_t, squall_event_count> linePicks);

// READ_TD_OPTS: reads the file SQUAL_IO back: the version record into VERSION_DAT (80
// characters), the duration (seconds) and event count into fullDuration_D and nFldReports_D,
// the option lists into SQUALCOM, the event list into defaultPics and the line picks into
// linePicks. iBadOpts: 0 read whole; 2 read, but its list lengths are not 53, 32 and 52 (the
// file is kept); 1 unreadable: a record missing or not readable, a list longer than its list
// in SQUALCOM, a negative length, or an event count (nFldReports) outside 0 to 39. An
// unreadable file changes no option and is kept as SQUAL_IO + ".bad" (replacing an older
// one), so that the caller can write a fresh file without losing the user's. A missing file
// ends the run (status 1) after "++> I/O Error in READ_TD_OPTS (missing SQUALDAT?);
// aborting... " on the console.
void READ_TD_OPTS(std::string_view SQUAL_IO, std::int32_t& iBadOpts,
                  std::span<std::int32_t, squall_event_count> linePicks,
                  std::span<std::int32_t, squall_event_count> defaultPics,
                  std::string& VERSION_DAT);

// The name an unreadable options file is kept under.
std::string bad_options_name(std::string_view SQUAL_IO);

// overRideLinePicks_F: true when the counts differ, or, with equal counts, when one of the
// first nFldReports entries differs (at most 39 are compared).
bool overRideLinePicks_F(std::span<const std::int32_t, squall_event_count> linePicks,
                         std::int32_t nFldReports,
                         std::span<const std::int32_t, squall_event_count> defaultPics,
                         std::int32_t nDefaultFldReports);

// overRideFullDuration_F: true when the two durations differ.
bool overRideFullDuration_F(float fullDurationHrs, float DURATNQ);

} // namespace lintar
