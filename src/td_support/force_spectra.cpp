// td_support/force_spectra.cpp: the heading-dependent spectra of the support data.
#include "td_support/force_spectra.h"

#include "blocks/equilb.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "environment/gust_spectra.h"
#include "environment/hull_drag.h"
#include "environment/wave_drift.h"
#include "motions/rao_reevaluation.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/scope_restore.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace lintar {

namespace {

constexpr std::string_view ang_spec_caller = "AngSpecOut";
constexpr std::string_view pair_caller = "WRITE_LF_WAV_FRC_SPEC";

// The frequency overflow: three lines on the console, one answer (none in an unattended run).
void frequency_overflow(int EDUNIT) {
    write_record(EDUNIT, " +++> Max Freq Overflow in ANGSPEC...");
    write_record(EDUNIT, "      Increase frequency interval for group spectral tables");
    write_record(EDUNIT, "      Press any key + <Return> to continue...");
    if (EDUNIT != diagnostics_unit)
        (void)read_line(keyboard_unit);
}

float f(float x) {
    return 3.0f * x + 1.0f;
}

// The largest float below 2^31 and -2^31: the ends of the 32-bit range a real can hold.
constexpr float int32_high = 2147483520.0f;
constexpr float int32_low = -2147483648.0f;

float held_to_int32(float x) {
    return std::clamp(x, int32_low, int32_high);
}

// The input spectrum of a wave system on the wave grid: NWP, then frequency and density.
void write_wave_spectrum(std::string_view base, int unit, std::span<const float, 100> PSD,
                         int EDUNIT) {
    TdAuxFile file({base, unit}, ang_spec_caller, EDUNIT);
    const std::int32_t NWP = std::clamp(TPCM.NWP, 0, 100);
    write_record(unit, list_directed_int(NWP));
    for (int i = 1; i <= NWP; ++i)
        write_record(unit, " " + E(WAVCOM.W(i), 18, 8) + E(PSD[slot(i)], 18, 8));
    file.commit();
}

// The input spectrum of the wind or the current on the 125-point grid.
template <class Density>
void write_gust_spectrum(std::string_view base, int unit, int EDUNIT, Density density) {
    TdAuxFile file({base, unit}, ang_spec_caller, EDUNIT);
    write_record(unit, list_directed_int(NIWQ));
    for (int i = 1; i <= NIWQ; ++i) {
        const float w = static_cast<float>(i - 1) * input_spectrum_step;
        write_record(unit, " " + F(w, 10, 8) + E(density(w), 18, 8));
    }
    file.commit();
}

} // namespace

WaveFingerprints wave_fingerprints() {
    const TpcmBlock& T = TPCM;
    WaveFingerprints id;
    if (T.LRANDM == 1) {
        const float s = T.LSPRED != 0 ? (T.COSEXP + 1.0f) * (T.ANGSEC + 1.0f) : 1.0f;
        id.wavID = held_to_int32(f(static_cast<float>(T.WAVTYP)) * s * f(T.SEAHDG(1)) *
                                 f(T.SWHT(1)) * f(T.WAVWID) * f(T.SIGPD(1)));
    }
    if (T.LSWELL == 1)
        id.swlID = held_to_int32(f(static_cast<float>(T.SWLTYP)) * f(T.SWLHDG) * f(T.SWELHT) *
                                 f(T.SWLWID) * f(T.SWELPD));
    if (T.LSWELL == 1 && T.LSWEL2 == 1)
        id.sw2ID = held_to_int32(f(static_cast<float>(T.SWLTYP2)) * f(T.SWLHDG2) * f(T.SWELHT2) *
                                 f(T.SWLWID2) * f(T.SWELPD2));
    return id;
}

std::int32_t fingerprint_id(float fingerprint) {
    return static_cast<std::int32_t>(held_to_int32(fingerprint));
}

std::int32_t fingerprint_sum(std::int32_t a, std::int32_t b, std::int32_t c) {
    const std::int64_t sum = std::int64_t{a} + b + c;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(sum, INT32_MIN, INT32_MAX));
}

// AngSpecOut: the grids, the wind and current spectra, the wave spectra and the force-spectrum
// pairs.
void AngSpecOut([[maybe_unused]] float VESANG, std::int32_t& waveEnvironID) {
    TpcmBlock& T = TPCM;
    const int EDUNIT = T.EDUNIT;
    T.SLOFRQ_DELTA = input_spectrum_step;
    // The pairs' keys take the inputs as they are before the spectra change anything.
    const std::string inputs_digest = run_input_digest();
    waveEnvironID = 0;
    if (NIWQ > MAXLFREQ) {
        frequency_overflow(EDUNIT);
        return;
    }

    if (T.LWIND == 1)
        write_gust_spectrum("WndSpec.vkdt", 8001, EDUNIT, [&](float w) {
            float ratio = 0.0f;
            const float density = WNDSPC(w, T.WNDSPD, T.WNDDEN, T.NUNTS, T.WNDTYP, T.APIPRM,
                                         T.WSPEC_HGT, ratio, EDUNIT);
            return density * ratio;
        });
    if (T.LCURNT == 1)
        write_gust_spectrum("CurSpec.vkdt", 8002, EDUNIT,
                            [&](float w) { return CURSPC(w, T.CURDEN, T.CURTYP, EDUNIT); });

    const WaveFingerprints id = wave_fingerprints();
    if (T.LRANDM == 1 || T.LSWELL == 1) {
        if (T.LRANDM == 1)
            write_wave_spectrum("WavSpec.vkdt", 8003, WAVCOM.WPSD_words, EDUNIT);
        if (T.LSWELL == 1) {
            write_wave_spectrum("SwlSpec.vkdt", 8004, WAVCOM.SWLPSD_words, EDUNIT);
            if (T.LSWEL2 == 1)
                write_wave_spectrum("Swl2Spec.vkdt", 8005, WAVCOM.SWLPSD2_words, EDUNIT);
        }

        // The drag spectra are left out of the pairs while SupressSemiDragSpec holds.
        const ScopeRestore keep_legdrg(T.LEGDRG);
        if (T.SupressSemiDragSpec == 1)
            T.LEGDRG = 1;
        auto pair = [&](std::string_view drift, std::string_view total, std::string_view key,
                        float fingerprint, std::span<const float, 100> PSD, float heading,
                        int unit) {
            const std::int32_t WvID =
                fingerprint_id(static_cast<float>(T.SupressSemiDragSpec) + fingerprint);
            WRITE_LF_WAV_FRC_SPEC({drift, unit}, {total, unit + 1}, {key, unit}, WvID,
                                  force_spectrum_headings, NIWQ_WV, MAXLFREQ,
                                  force_spectrum_heading_step, force_spectrum_step, PSD, heading,
                                  T.VWDFAC, WAVCOM.BEAMCF, WAVCOM.BOWCF, T.LWL, T.LEGDRG,
                                  T.ForceAllRebuilds, EDUNIT, inputs_digest);
        };
        if (T.LRANDM == 1)
            pair("Var_WvRfl_Fspec.vkdt", "Var_Wv_Fspec.vkdt", "Var_Wv_Fspec.key", id.wavID,
                 WAVCOM.WPSD_words, T.SEAHDG(1), 8006);
        if (T.LSWELL == 1) {
            pair("Var_Sw_Rfl_Fspec.vkdt", "Var_Sw_Fspec.vkdt", "Var_Sw_Fspec.key", id.swlID,
                 WAVCOM.SWLPSD_words, T.SWLHDG, 8008);
            if (T.LSWEL2 == 1)
                pair("Var_Sw2_Rfl_Fspec.vkdt", "Var_Sw2_Fspec.vkdt", "Var_Sw2_Fspec.key", id.sw2ID,
                     WAVCOM.SWLPSD2_words, T.SWLHDG2, 8010);
        }
    }
    waveEnvironID = fingerprint_sum(fingerprint_id(id.wavID), fingerprint_id(id.swlID),
                                    fingerprint_id(id.sw2ID));
}

// WRITE_LF_WAV_FRC_SPEC: the reuse test, then the spectra computed whole and the pair written.
void WRITE_LF_WAV_FRC_SPEC(TdAuxFileSpec WrfSpec, TdAuxFileSpec WSpec, TdAuxFileSpec Key,
                           std::int32_t WvID, std::int32_t NANG, std::int32_t NWT,
                           std::int32_t MAXLFREQ_, float DELDEG, float SLOFRQ_DELTA,
                           std::span<const float, 100> WPSD, float WAVHDG, float VWDFAC,
                           float BEAMCF, float BOWCF, float LWL, std::int32_t LEGDRG,
                           std::int32_t ForceAllRebuilds, int EDUNIT,
                           std::string_view inputs_digest) {
    if (MAXLFREQ_ < NWT) {
        frequency_overflow(EDUNIT);
        return;
    }
    // The pair on disk serves only when both files are there and their key is this run's.
    const std::vector<std::string> key = {"WvID " + std::to_string(WvID),
                                          std::string(inputs_digest)};
    const TdAuxFileSpec pair_files[] = {WrfSpec, WSpec};
    if (ForceAllRebuilds == 0 && map_set_current(pair_files, Key, key))
        return;
    forget_map_key(Key);

    // Every record is computed before either file is opened.
    std::vector<std::string> drift_rows, total_rows;
    for (std::int32_t k = 1; k <= NANG + 1; ++k) {
        const float a = static_cast<float>(k - 1) * DELDEG;
        // The last heading (360 degrees) is computed at relative angle 0.
        const float r = k == NANG + 1 ? 0.0f : a / degrees_per_radian;
        const float psi = WAVHDG / degrees_per_radian + pi_single - r;
        EQUILB.VESANG() = psi;
        float RELDEG = a + 180.0f;
        RELRAOUP(RELDEG, psi, 0, false, true);
        for (std::int32_t j = 1; j <= NWT; ++j) {
            const float w = static_cast<float>(j - 1) * SLOFRQ_DELTA;
            float SF[3] = {DRIFTF(1, 1, r, WPSD, w, 0, 1) * 2.0f * VWDFAC * BOWCF * BOWCF,
                           DRIFTF(1, 2, r, WPSD, w, 0, 1) * 2.0f * VWDFAC * BEAMCF * BEAMCF,
                           DRIFTF(1, 3, r, WPSD, w, 0, 1) * 2.0f * VWDFAC * (LWL * BEAMCF) *
                               (LWL * BEAMCF)};
            auto row = [&] {
                return " " + F(a, 6, 1) + F(w, 10, 6) + E(SF[0], 18, 8) + E(SF[1], 18, 8) +
                       E(SF[2], 18, 8);
            };
            drift_rows.push_back(row());
            if (LEGDRG == 0)
                for (std::int32_t c = 1; c <= 3; ++c) {
                    float pure = 0.0f;
                    float mixed = 0.0f;
                    DRAGF(1, c, r, WPSD, w, pure, mixed, 1);
                    SF[slot(c)] += pure + mixed;
                }
            total_rows.push_back(row());
        }
    }

    const std::string first =
        list_directed_int(NANG + 1) + list_directed_int(NWT) + list_directed_int(WvID);
    TdAuxFile drift(WrfSpec, pair_caller, EDUNIT);
    TdAuxFile total(WSpec, pair_caller, EDUNIT);
    write_record(drift.unit(), first);
    write_record(total.unit(), first);
    for (const std::string& row : drift_rows)
        write_record(drift.unit(), row);
    for (const std::string& row : total_rows)
        write_record(total.unit(), row);
    drift.commit();
    total.commit();
    write_map_key(Key, key, EDUNIT);
}

} // namespace lintar
