// low_frequency/vessel_environment_summary.h: section III of the low-frequency report, the
// vessel's hydrostatic data, the load models with their bow shapes, the low-frequency damping
// settings and the wind, current and wave conditions; the names of the load models.
#pragma once

#include "low_frequency/report_context.h"

#include <cstdint>
#include <string>

namespace lintar {

// Width of a load-model name in the report.
inline constexpr int load_model_name_width = 29;

// The names of the wind (TNKWND, codes 1 to 5), current (TNKCUR, 1 to 7) and wave-drift
// (TNKWAV, 1 to 7) models, padded to load_model_name_width. A code without a name (outside
// those ranges, 15 included: the current section names it as model 4) gives a blank field.
std::string TNKWND(std::int32_t code);
std::string TNKCUR(std::int32_t code);
std::string TNKWAV(std::int32_t code);

// The bow-shape words of the wind (BOWTPW from BOWWND) and current (BOWTPC from BOWCUR)
// models: 0 conventional, 1 cylindrical, above 1 "Whoops!", anything else "Interpolated".
std::string BOWTPW(float BOWWND);
std::string BOWTPC(float BOWCUR);

// Section III, as one page on IUNIT (PAGE first). Reads TPCM, EQUILB (SWHC), WAVCOM (RHOAIR,
// G, TPK, SWHSWL, SWHSWL2) and SINES (HOVERD); TNKRID may spread direction 1's code of a
// single-model selector of TPCM over directions 2 and 3. When a water depth/draft parameter
// lies outside its valid range the warning goes to the console EDUNIT with the abort prompt:
// "A" there ends the run (a user's choice); otherwise the warning goes into the report too.
void write_vessel_environment_summary(const LowReportFlags& flags);

} // namespace lintar
