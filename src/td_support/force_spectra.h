// td_support/force_spectra.h: the heading-dependent spectra of the squall program's support
// data: the input spectra of the environment and, per wave system, the slow-drift force
// spectra over the relative wave heading, with the fingerprints of the wave systems.
#pragma once

#include "td_support/td_aux_files.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace lintar {

// The grids: the input spectra 0.005 rad/s apart up to 0.62 (125 points), the force spectra
// 0.02 rad/s apart (32 points) over 17 headings 22.5 degrees apart (0 to 360).
inline constexpr float input_spectrum_step = 0.005f;
inline constexpr int NIWQ = 125;
inline constexpr float force_spectrum_step = 0.02f;
inline constexpr int NIWQ_WV = 32;
inline constexpr float force_spectrum_heading_step = 22.5f;
inline constexpr int force_spectrum_headings = 16; // NANG: 17 headings written
inline constexpr int MAXLFREQ = 1000;

// The fingerprints of the wave systems, each the product of f(x) = 3x + 1 over the system's
// spectrum type, heading, height, width and period (the seas' spreading too), 0 for a system
// that is absent; the real product is held to the 32-bit range before it is truncated.
struct WaveFingerprints {
    float wavID = 0.0f, swlID = 0.0f, sw2ID = 0.0f;
};
WaveFingerprints wave_fingerprints();

// The truncation of a fingerprint (plus the drag switch) to an identifier, held to the 32-bit
// range; the sum of three identifiers likewise.
std::int32_t fingerprint_id(float fingerprint);
std::int32_t fingerprint_sum(std::int32_t a, std::int32_t b, std::int32_t c);

// AngSpecOut: writes under "td_aux" the spectra of the wind ("WndSpec.vkdt"), the current
// ("CurSpec.vkdt"), the sea, swell and second swell ("WavSpec.vkdt", "SwlSpec.vkdt",
// "Swl2Spec.vkdt") and each wave system's pair of force-spectrum files, each under its
// component's switch; with SupressSemiDragSpec the pairs hold no drag (LEGDRG set for their
// duration). A pair is reused when its key matches (WRITE_LF_WAV_FRC_SPEC), the key taking the
// digest of the run's inputs as they are on entry. Returns in waveEnvironID the sum of the three
// fingerprints. VESANG takes no part: the force spectra set EQUILB VESANG themselves and the caller
// restores it. Stores TPCM SLOFRQ_DELTA = 0.005; reads TPCM, WAVCOM; the RAOs are left at other
// headings. Every file is written under a temporary name until complete; one that cannot be
// written ends the run through the file-access report.
void AngSpecOut(float VESANG, std::int32_t& waveEnvironID);

// WRITE_LF_WAV_FRC_SPEC: one wave system's pair: the drift-only file WrfSpec and the total
// file WSpec (each a td_aux file with its unit), the first record "17 32 WvID", then per
// heading k = 1..NANG + 1 (DELDEG apart; the last computed at relative angle 0) and frequency
// j = 1..NWT (SLOFRQ_DELTA apart) the surge, sway and yaw slow-drift spectra of the spectrum
// WPSD from heading WAVHDG (degrees); the total adds the drag spectra when LEGDRG is 0.
// The pair is reused, untouched, only when both files are there and its key file (Key, beside
// them) holds the identifier WvID and the digest of the run's inputs inputs_digest; otherwise,
// or with ForceAllRebuilds, the key is deleted, every record computed, both files written
// under temporary names and renamed when complete, and the key written last, so that a run
// stopped on the way leaves no partial file and a pair the next run rebuilds. MAXLFREQ below
// NWT writes the overflow message, reads one answer (none in an unattended run) and writes
// nothing. Sets EQUILB VESANG and re-evaluates the RAOs at each heading. Ends the run through
// the file-access report when a file cannot be written.
void WRITE_LF_WAV_FRC_SPEC(TdAuxFileSpec WrfSpec, TdAuxFileSpec WSpec, TdAuxFileSpec Key,
                           std::int32_t WvID, std::int32_t NANG, std::int32_t NWT,
                           std::int32_t MAXLFREQ_, float DELDEG, float SLOFRQ_DELTA,
                           std::span<const float, 100> WPSD, float WAVHDG, float VWDFAC,
                           float BEAMCF, float BOWCF, float LWL, std::int32_t LEGDRG,
                           std::int32_t ForceAllRebuilds, int EDUNIT,
                           std::string_view inputs_digest);

} // namespace lintar
