// hulls/hull_support.h: what every hull model does on the wave-period grid of the vessel-motion
// set-up (the rebased indices of one grid point, the grid point nearest a frequency) and the
// number dumps of its debug traces.
//
// The hull models sit below the vessel-motion routines, whose INDXUP and GRIDPT are these
// services under their own names.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace lintar {

// The rebased indices of grid point IW for the current heading's bases: HIMEM IW, IWM, LW,
// LW2, LWK and the complex elements LHV, LSG, LSW, LPT, LRL, LYA (INDXUP). Writes HIMEM only.
void set_grid_point(std::int32_t IW);

// The index of the period T(1..NWP) of TPCM nearest to 2 pi / OMEGA (GRIDPT): a period halfway
// between two takes the lower index, one beyond either end the end index. Reads TPCM.
std::int32_t nearest_grid_point(float OMEGA);

// Circular frequency and wave number of grid period k (1..NWP) from the columns of RLDUM.
float grid_frequency(std::int32_t k);
float grid_wave_number(std::int32_t k);

// A debug dump on UNIT: each line one blank and up to PER_LINE numbers in E12.4.
void debug_dump(int unit, std::initializer_list<float> values, int per_line = 6);

} // namespace lintar
