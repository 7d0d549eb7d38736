// environment/current_profile.cpp: the current profile and the mean speed over the draft.
#include "environment/current_profile.h"

#include "blocks/curprof.h"
#include "blocks/tpcm.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/file_services.h"
#include "util/prompts.h"
#include "util/user_tables.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>

namespace lintar {

namespace {

constexpr int profile_unit = 31;
const std::string profile_file = "CRNTPROF.txt";

struct CurrentProfileStore {
    bool first_call = true;
};
CurrentProfileStore store;
const StateReset reset_store{[] { store = CurrentProfileStore{}; }, StoreKind::analysis};

// Levels 1..n of CURPROF at the given depths, speeds and one heading.
void set_level(int i, float depth, float speed, float heading) {
    CURPROF.DPTHIPF(i) = depth;
    CURPROF.VELIPF(i) = speed;
    CURPROF.CURHDGPF(i) = heading;
}

// The user file's levels into CURPROF; the note when the heading changes above the draft.
void read_user_profile(float DRFT_MAX, int IOOUT, int IOIN) {
    const RowTableRead read =
        read_row_table(profile_file, profile_unit, 1, curprof_levels, 3, AbscissaOrder::any);
    switch (read.status) {
    case PairTableStatus::ok:
        break;
    case PairTableStatus::missing: {
        write_record(IOOUT,
                     " ++>  User-supplied current profile \"" + profile_file + "\" not found");
        std::int32_t LBACK = 0;
        ABORT0(IOOUT, IOIN, LBACK);
        stop_program(LBACK == -1 ? StopKind::user_choice : StopKind::error);
    }
    case PairTableStatus::count_too_large:
    case PairTableStatus::count_too_small:
        fatal_stop(IOOUT, IOIN,
                   {" ++>  User-supplied current profile array in " + profile_file,
                    "      dimension = [" + std::to_string(read.N) + "] out of range; allowable",
                    read.N > curprof_levels
                        ? "      dimension = [" + std::to_string(curprof_levels) + "]"
                        : std::string("      dimension = [1 to 101]")});
    default:
        FILERR(profile_file, "CURPROF_INIT", IOOUT, IOIN);
    }
    CURPROF.NCURNTPF = read.N;
    bool heading_changes = false;
    for (int i = 1; i <= read.N; ++i) {
        const auto row = 3 * slot(i);
        set_level(i, read.values[row], read.values[row + 1], read.values[row + 2]);
        if (CURPROF.DPTHIPF(i) < DRFT_MAX && CURPROF.CURHDGPF(i) != TPCM.CURHDG)
            heading_changes = true;
    }
    if (heading_changes) {
        write_record(IOOUT, " ++>  Note: The current direction specified in " + profile_file +
                                " changes at a depth");
        write_record(IOOUT,
                     "      less than vessel draft; vessel forces are computed assuming constant");
        write_record(
            IOOUT,
            "      current direction down to the vessel draft. Mooring line and riser forces");
        write_record(IOOUT, "      will, however, reflect the current direction as specified in " +
                                profile_file + ".");
        std::int32_t LBACK = 0;
        PRSRET(IOOUT, IOIN, LBACK);
    }
}

} // namespace

void CURPROF_INIT(float DRFT_MAX, float& DZMIN, int IOOUT, int IOIN) {
    if (!store.first_call)
        return;
    const float DEPTH = TPCM.DEPTH;
    const float speed = TPCM.CURSPD;
    const float heading = TPCM.CURHDG;
    if (TPCM.LCURNT == 0) {
        CURPROF.NCURNTPF = 2;
        set_level(1, 0.5f * DEPTH, 0.0f, 0.0f);
        set_level(2, DEPTH, 0.0f, 0.0f);
        TPCM.CURSPD = 0.0f;
    } else if (TPCM.LCSTCR == 0) {
        constexpr float fractions[7] = {0.3f, 0.6f, 0.7f, 0.8f, 0.9f, 0.975f, 1.0f};
        CURPROF.NCURNTPF = 7;
        for (int i = 1; i <= 7; ++i) {
            const float depth = DEPTH * fractions[slot(i)];
            set_level(i, depth, i < 7 ? speed * VONE7TH(DEPTH, depth) : 0.0f, heading);
        }
    } else if (TPCM.LCSTCR == 1) {
        CURPROF.NCURNTPF = 5;
        for (int i = 1; i <= 5; ++i)
            set_level(i, DEPTH * 0.2f * static_cast<float>(i), speed, heading);
    } else if (TPCM.LCSTCR == 3) {
        read_user_profile(DRFT_MAX, IOOUT, IOIN);
    } else {
        // The data file's table: at most five levels, whatever a damaged count says.
        const std::int32_t n = std::clamp(TPCM.NCURNT, std::int32_t{0}, std::int32_t{5});
        CURPROF.NCURNTPF = n;
        for (int i = 1; i <= n; ++i)
            set_level(i, TPCM.DPTHI(i), TPCM.VELI(i), heading);
    }
    store.first_call = false;

    DZMIN = 1.0e20f;
    if (CURPROF.NCURNTPF >= 1)
        DZMIN = std::min(DZMIN, CURPROF.DPTHIPF(1));
    for (int i = 2; i <= CURPROF.NCURNTPF; ++i)
        DZMIN = std::min(DZMIN, CURPROF.DPTHIPF(i) - CURPROF.DPTHIPF(i - 1));
}

float VONE7TH(float WDEPTH, float ZTOSURF) {
    const float x = 1.0f - ZTOSURF / WDEPTH;
    return x > 0.0f ? std::pow(x, 0.14285715f) : 0.0f;
}

float AVGCUR(float DEPTH, float DRAFT, std::int32_t LCSTCR, std::span<const float> VELI,
             std::span<const float> DPTHI, float CURSPD, std::int32_t NCURNT) {
    // Over no depth the mean is the surface speed (and the forms below would divide by zero).
    if (!(DRAFT > 0.0f))
        return CURSPD;
    if (LCSTCR == 0) {
        const float t = DRAFT / DEPTH;
        constexpr float nine_sevenths = 1.2857143f;
        return CURSPD * std::sqrt((1.0f - std::pow(1.0f - t, nine_sevenths)) / (t * nine_sevenths));
    }
    if (LCSTCR == 1)
        return CURSPD;
    // Any other kind is the piecewise-linear profile, as the profile table treats it.
    const auto n = std::min(static_cast<std::size_t>(std::max(NCURNT, std::int32_t{0})),
                            std::min(VELI.size(), DPTHI.size()));
    if (n == 0)
        return CURSPD;
    float z_top = 0.0f;
    float v_top = CURSPD;
    float v_end = CURSPD;
    float sum = 0.0f;
    bool reached_draft = false;
    for (std::size_t i = 0; i < n; ++i) {
        const float dz = DPTHI[i] - z_top;
        if (dz > 0.0f) {
            const float a = (VELI[i] - v_top) / dz;
            float length = dz;
            v_end = VELI[i];
            if (DPTHI[i] >= DRAFT) {
                length = DRAFT - z_top;
                v_end = v_top + (DRAFT - z_top) * (VELI[i] - v_top) / dz;
                reached_draft = true;
            }
            if (a != 0.0f)
                sum += (v_end * v_end * v_end - v_top * v_top * v_top) / (3.0f * a);
            else
                sum += (v_end * v_end + v_end * v_top + v_top * v_top) * length / 3.0f;
            if (reached_draft)
                break;
        } else {
            v_end = VELI[i]; // a level with no thickness above it: its speed carries on
        }
        z_top = DPTHI[i];
        v_top = VELI[i];
    }
    if (!reached_draft)
        sum += (DRAFT - DPTHI[n - 1]) * v_end * v_end;
    return std::sqrt(sum / DRAFT);
}

} // namespace lintar
