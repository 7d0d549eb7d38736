// environment/group_speed.cpp: the group speed of the drift routines.
#include "environment/group_speed.h"

#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "environment/user_drift_file.h"
#include "environment/wave_drift.h"
#include "util/flags.h"
#include "util/wave_numbers.h"

#include <cmath>
#include <limits>
#include <string>

namespace lintar {

float GROUPSPD(float W, float K, float DEPTH, float G) {
    // Deep water strictly above kd = 30: from the next four-byte value on.
    const float deep_from = std::nextafter(30.0f, std::numeric_limits<float>::infinity());
    return group_speed(G, W, K, DEPTH, deep_from);
}

float GRPSPD(std::span<const float, 100> PSD, std::int32_t LCOMP, float RELANG, std::int32_t& IPEAK,
             std::int32_t IWAVID) {
    const TpcmBlock& T = TPCM;
    IPEAK = 0;
    float PEAK = -1.0f;
    const std::int32_t DRFTYP = NIBVAL(T.LWVCOF, LCOMP, T.EDUNIT);
    const std::int32_t DOUSER = DRFTYP == 1 ? 1 : 0;
    const std::string USERDAT =
        DOUSER == 1 ? user_drift_file_name(T.SIMTYP, T.ISPM) : std::string(13, ' ');
    bool FRSTIM = true;
    for (std::int32_t i = 1; i <= T.NWP; ++i) {
        const float c = DRFTC(LCOMP, i, DOUSER, DRFTYP, USERDAT, RELANG, FRSTIM, "GRPSPD", IWAVID);
        const float load = std::abs(c * PSD[slot(i)]);
        if (load > PEAK) {
            IPEAK = i;
            PEAK = load;
        }
    }
    if (IPEAK == 0)
        return 0.0f;
    return GROUPSPD(WAVCOM.W(IPEAK), WAVCOM.WVK(IPEAK), T.DEPTH, WAVCOM.G);
}

} // namespace lintar
