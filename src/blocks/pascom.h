// blocks/pascom.h: PASCOM, the vessel-response results handed to the mooring analysis.
//
// The hull models' added-mass, damping, spring and force words, the wave-frequency statistics
// of the RAO re-evaluation, the tendon words that the line-table stage and the static
// equilibrium write, and the per-frequency tables of the drift and drag routines, in their
// declaration order (3,624 words), then a reserve that no routine addresses: 333,200 bytes in
// all. The block is zero at program start.
#pragma once

#include "blocks/block_support.h"

#include <complex>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace lintar {

// Words of the whole block, and of its declared members before the reserve.
inline constexpr int pascom_word_count = 83300;
inline constexpr int pascom_member_words = 3624;
// Wave systems of the per-frequency tables: 1 seas, 2 first swell, 3 second swell.
inline constexpr int wave_system_count = 3;
// Grid points and mooring lines of the tables.
inline constexpr int pascom_grid_capacity = 100;
inline constexpr int pascom_line_capacity = 150;

struct PascomBlock {
    float CMSRG, CMSWY, CMYAW; // surge, sway, yaw added mass (semisubmersible)
    float ACDSG, ACDSW;        // surge and sway drag values (semisubmersible)
    float PTENDN;              // pitch stiffness of the tendons, per unit water mass density
    float RTENDN;              // roll stiffness of the tendons, per unit water mass density
    float HTENDN;              // heave stiffness of the tendons, per unit water mass density
    float VTCRPS, VTCRRS;      // heights of the pitch and roll centres (semisubmersible)
    float MENWLX, MENWLY;      // mean waterline values
    float SRGGAM, SWYGAM, HEVGAM, ROLGAM, PITGAM, YAWGAM;
    float WFSRGF, WFSWYF, WFHEVF, WFROLF, WFPITF, WFYAWF;
    float SRGSPR, SWYSPR, HEVSPR, ROLSPR, PITSPR, YAWSPR;
    float ROLARM;
    // RMS wave-frequency motions and their rates.
    float WSGRMS, WSWRMS, WHVRMS, WRLRMS, WPTRMS, WYWRMS;
    float WSGRMSDOT, WSWRMSDOT, WHVRMSDOT, WRLRMSDOT, WPTRMSDOT, WYWRMSDOT;
    float WXGRMS, WYGRMS, WXGRMSDOT, WYGRMSDOT;
    // Relative vertical motion at up to four points: RMS, rates, bandwidths, peak periods.
    float GWSIG1, GWSIG2, GWSIG3, GWSIG4, GWSIG1DOT, GWSIG2DOT, GWSIG3DOT, GWSIG4DOT;
    float GW1BANDW, GW2BANDW, GW3BANDW, GW4BANDW, GW1TPEAK, GW2TPEAK, GW3TPEAK, GW4TPEAK;
    // Point accelerations ACXRMS1 ... ACZ4TPK: word w (1..12) of point p (1..4); per point the
    // x, y, z RMS, then the x, y, z RMS rates, bandwidths and peak periods.
    float ACPNT_words[48];
    float& ACPNT(int w, int p) { return ACPNT_words[col_major(w, 12, p, 4)]; }
    float VXBANDW, VYBANDW, VZBANDW, GXBANDW, GYBANDW, ROLBANDW, PTCHBANDW, YAWBANDW;
    float VXTPEAK, VYTPEAK, VZTPEAK, GXTPEAK, GYTPEAK, ROLTPEAK, PTCHTPEAK, YAWTPEAK;
    float WMOONRMS, WMOONRMSDOT, VMOONBANDW, VMOONTPEAK;
    float FZMREQ0;      // vertical force word of the static equilibrium
    float TEND_F_RZ;    // tendon force value of the still-water state
    float NET_TNDN_FRC; // sum of the tendon top tensions at the entered fairlead height
    float TLPVKG;       // centre of gravity height of a tension-leg platform
    float TLPWGHT;      // DISPL - NET_TNDN_FRC
    float DELTA_DRAFT;  // draft change of the current equilibrium
    float DSTRECH_DX, DSTRECH_DY;
    std::int32_t QUASQUENCH; // 1: heave, roll and pitch RAOs suppressed
    std::int32_t DOHINGEP;
    std::int32_t IPASDUM_words[46];
    float PASDUM_words[43];
    float MOORCTR_Z_VAR, BOW_Z_VAR;
    float GWSIG1_X, GWSIG2_X, GWSIG3_X, GWSIG4_X, WMOON_X;
    // Per grid frequency and wave system.
    float RLRAO2_words[pascom_grid_capacity * wave_system_count];
    float RLRAOH2_words[pascom_grid_capacity * wave_system_count];
    float FDRGLAT_words[pascom_grid_capacity * wave_system_count];
    float MDRGLAT_words[pascom_grid_capacity * wave_system_count];
    float HRAO_words[pascom_grid_capacity * wave_system_count];
    float HOR_WAV_RAO_words[2 * pascom_grid_capacity * wave_system_count]; // complex
    float ANG_WAV_RAO_words[2 * pascom_grid_capacity * wave_system_count]; // complex
    float& RLRAO2(int k, int s) { return RLRAO2_words[grid_system(k, s)]; }
    float& RLRAOH2(int k, int s) { return RLRAOH2_words[grid_system(k, s)]; }
    float& FDRGLAT(int k, int s) { return FDRGLAT_words[grid_system(k, s)]; }
    float& MDRGLAT(int k, int s) { return MDRGLAT_words[grid_system(k, s)]; }
    float& HRAO(int k, int s) { return HRAO_words[grid_system(k, s)]; }
    TypedRef<std::complex<float>> HOR_WAV_RAO(int k, int s) {
        return TypedRef<std::complex<float>>(&HOR_WAV_RAO_words[2 * grid_system(k, s)]);
    }
    TypedRef<std::complex<float>> ANG_WAV_RAO(int k, int s) {
        return TypedRef<std::complex<float>>(&ANG_WAV_RAO_words[2 * grid_system(k, s)]);
    }
    // Forces and motions of all wave systems, of the seas and of the swell, per degree of
    // freedom: RMS and rate.
    float NETVESFRC_RMS[6], NETVESFRC_RATE[6], NETVESMOT_RMS[6], NETVESMOT_RATE[6];
    float WAVVESFRC_RMS[6], WAVVESFRC_RATE[6], WAVVESMOT_RMS[6], WAVVESMOT_RATE[6];
    float SWLVESFRC_RMS[6], SWLVESFRC_RATE[6], SWLVESMOT_RMS[6], SWLVESMOT_RATE[6];
    float FLD_RMS[pascom_line_capacity], FLD_RAT[pascom_line_capacity];
    float VES_MOT_RMS[6], VES_RAT_RMS[6];
    float FLD_ANG_RMS[pascom_line_capacity], FLD_ANG_RAT[pascom_line_capacity];
    float WVBANDW, SWLBANDW, SWLBANDW2; // bandwidths of the seas and swell spectra

    // The reserve after the declared members.
    std::int32_t reserve_words[pascom_word_count - pascom_member_words];

private:
    static std::size_t grid_system(int k, int s) {
        return col_major(k, pascom_grid_capacity, s, wave_system_count);
    }
};

// Word positions (counting from 1).
constexpr std::size_t pascom_offset(int n) {
    return 4 * slot(n);
}
static_assert(std::is_standard_layout_v<PascomBlock>);
static_assert(sizeof(PascomBlock) == 333200);
static_assert(offsetof(PascomBlock, PTENDN) == pascom_offset(6));
static_assert(offsetof(PascomBlock, ROLARM) == pascom_offset(31));
static_assert(offsetof(PascomBlock, ACPNT_words) == pascom_offset(64));
static_assert(offsetof(PascomBlock, FZMREQ0) == pascom_offset(132));
static_assert(offsetof(PascomBlock, TEND_F_RZ) == pascom_offset(133));
static_assert(offsetof(PascomBlock, TLPWGHT) == pascom_offset(136));
static_assert(offsetof(PascomBlock, QUASQUENCH) == pascom_offset(140));
static_assert(offsetof(PascomBlock, IPASDUM_words) == pascom_offset(142));
static_assert(offsetof(PascomBlock, RLRAO2_words) == pascom_offset(238));
static_assert(offsetof(PascomBlock, HOR_WAV_RAO_words) == pascom_offset(1738));
static_assert(offsetof(PascomBlock, NETVESFRC_RMS) == pascom_offset(2938));
static_assert(offsetof(PascomBlock, FLD_RMS) == pascom_offset(3010));
static_assert(offsetof(PascomBlock, WVBANDW) == pascom_offset(3622));
static_assert(offsetof(PascomBlock, reserve_words) == pascom_offset(pascom_member_words + 1));

// The global instance; all zeros at the start and after reset_program_state().
extern PascomBlock PASCOM;

} // namespace lintar
