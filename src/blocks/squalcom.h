// blocks/squalcom.h: SQUALCOM, the options of the squall time-domain program: the logical,
// integer and real option lists, their default sets and a name field for every option word.
#pragma once

#include "blocks/block_support.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>

namespace lintar {

inline constexpr int squall_logical_count = 53;
inline constexpr int squall_integer_count = 32;
inline constexpr int squall_real_count = 52;
// Each default set holds one entry per named option, from the list's second word on.
inline constexpr int squall_default_count = 50;
inline constexpr int squall_name_length = 30;
// The longest dynamic-event and line-pick lists the options exchange.
inline constexpr int squall_event_count = 39;

struct SqualcomBlock {
    // The logical options. The first word is the list itself; the named options follow, and
    // the words after maneuvering (LLf to LLz) are spares.
    std::int32_t aaLogical_words[squall_logical_count];
    // The integer options; IIc to IIz (words 9 to 32) are spares.
    std::int32_t aaInteger_words[squall_integer_count];
    // The real options; RRc to RRz (words 29 to 52) are spares.
    float aaReal_words[squall_real_count];
    // The defaults: entry k belongs to the option in word k + 1 of its list (the option's
    // name with "_D").
    std::int32_t DefaultFlagArray_words[squall_default_count];
    std::int32_t DefaultIntArray_words[squall_default_count];
    float DefaultRealArray_words[squall_default_count];
    // A name field for every option word, in the order of the lists (the option's name with
    // "_C"); nothing in this program reads or writes them.
    char aaLogical_C_words[squall_logical_count][squall_name_length];
    char aaInteger_C_words[squall_integer_count][squall_name_length];
    char aaReal_C_words[squall_real_count][squall_name_length];

    std::int32_t& aaLogical(int i) { return aaLogical_words[col_major(i, squall_logical_count)]; }
    std::int32_t& aaInteger(int i) { return aaInteger_words[col_major(i, squall_integer_count)]; }
    float& aaReal(int i) { return aaReal_words[col_major(i, squall_real_count)]; }
    std::int32_t& DefaultFlagArray(int i) {
        return DefaultFlagArray_words[col_major(i, squall_default_count)];
    }
    std::int32_t& DefaultIntArray(int i) {
        return DefaultIntArray_words[col_major(i, squall_default_count)];
    }
    float& DefaultRealArray(int i) {
        return DefaultRealArray_words[col_major(i, squall_default_count)];
    }
    std::span<char, squall_name_length> aaLogical_C(int i) {
        return aaLogical_C_words[col_major(i, squall_logical_count)];
    }
    std::span<char, squall_name_length> aaInteger_C(int i) {
        return aaInteger_C_words[col_major(i, squall_integer_count)];
    }
    std::span<char, squall_name_length> aaReal_C(int i) {
        return aaReal_C_words[col_major(i, squall_real_count)];
    }

    // The named options and their defaults.
    std::int32_t& allDampingOff() { return aaLogical(2); }
    std::int32_t& allSeedsEqual() { return aaLogical(3); }
    std::int32_t& applyCFPtoLineDamp() { return aaLogical(4); }
    std::int32_t& cQuadLinesMap() { return aaLogical(5); }
    std::int32_t& eddyIncludesBackgroundCrnt() { return aaLogical(6); }
    std::int32_t& emulationFlag() { return aaLogical(7); }
    std::int32_t& existEddy() { return aaLogical(8); }
    std::int32_t& existSquall() { return aaLogical(9); }
    std::int32_t& fasterButLessPrecise() { return aaLogical(10); }
    std::int32_t& forceWDFpositive() { return aaLogical(11); }
    std::int32_t& importWfLineDamp() { return aaLogical(12); }
    std::int32_t& lfWaveVariability() { return aaLogical(13); }
    std::int32_t& massVariability() { return aaLogical(14); }
    std::int32_t& overRideEddyHeading() { return aaLogical(15); }
    std::int32_t& overRideFullDuration() { return aaLogical(16); }
    std::int32_t& overRideLinePicks() { return aaLogical(17); }
    std::int32_t& overRideSquallHeading() { return aaLogical(18); }
    std::int32_t& repeatableSequences() { return aaLogical(19); }
    std::int32_t& stillWaterLinearDmpg() { return aaLogical(20); }
    std::int32_t& squallIncludesBackgroundWnd() { return aaLogical(21); }
    std::int32_t& tdHullHydroDamping() { return aaLogical(22); }
    std::int32_t& tdLinesHydroDamping() { return aaLogical(23); }
    std::int32_t& tdSwayYawDamping() { return aaLogical(24); }
    std::int32_t& virtualLineMassOn() { return aaLogical(25); }
    std::int32_t& waveSeedsEqual() { return aaLogical(26); }
    std::int32_t& showProgress() { return aaLogical(27); }
    std::int32_t& saveWFLineStats() { return aaLogical(28); }
    std::int32_t& mmaSupport() { return aaLogical(29); }
    std::int32_t& batchRun() { return aaLogical(30); }
    std::int32_t& lspin() { return aaLogical(31); }
    std::int32_t& maneuvering() { return aaLogical(32); }
    std::int32_t& allDampingOff_D() { return DefaultFlagArray(1); }
    std::int32_t& allSeedsEqual_D() { return DefaultFlagArray(2); }
    std::int32_t& applyCFPtoLineDamp_D() { return DefaultFlagArray(3); }
    std::int32_t& cQuadLinesMap_D() { return DefaultFlagArray(4); }
    std::int32_t& eddyIncludesBackgroundCrnt_D() { return DefaultFlagArray(5); }
    std::int32_t& emulationFlag_D() { return DefaultFlagArray(6); }
    std::int32_t& existEddy_D() { return DefaultFlagArray(7); }
    std::int32_t& existSquall_D() { return DefaultFlagArray(8); }
    std::int32_t& fasterButLessPrecise_D() { return DefaultFlagArray(9); }
    std::int32_t& forceWDFpositive_D() { return DefaultFlagArray(10); }
    std::int32_t& importWfLineDamp_D() { return DefaultFlagArray(11); }
    std::int32_t& lfWaveVariability_D() { return DefaultFlagArray(12); }
    std::int32_t& massVariability_D() { return DefaultFlagArray(13); }
    std::int32_t& overRideEddyHeading_D() { return DefaultFlagArray(14); }
    std::int32_t& overRideFullDuration_D() { return DefaultFlagArray(15); }
    std::int32_t& overRideLinePicks_D() { return DefaultFlagArray(16); }
    std::int32_t& overRideSquallHeading_D() { return DefaultFlagArray(17); }
    std::int32_t& repeatableSequences_D() { return DefaultFlagArray(18); }
    std::int32_t& stillWaterLinearDmpg_D() { return DefaultFlagArray(19); }
    std::int32_t& squallIncludesBackgroundWnd_D() { return DefaultFlagArray(20); }
    std::int32_t& tdHullHydroDamping_D() { return DefaultFlagArray(21); }
    std::int32_t& tdLinesHydroDamping_D() { return DefaultFlagArray(22); }
    std::int32_t& tdSwayYawDamping_D() { return DefaultFlagArray(23); }
    std::int32_t& virtualLineMassOn_D() { return DefaultFlagArray(24); }
    std::int32_t& waveSeedsEqual_D() { return DefaultFlagArray(25); }
    std::int32_t& showProgress_D() { return DefaultFlagArray(26); }
    std::int32_t& saveWFLineStats_D() { return DefaultFlagArray(27); }
    std::int32_t& mmaSupport_D() { return DefaultFlagArray(28); }
    std::int32_t& batchRun_D() { return DefaultFlagArray(29); }
    std::int32_t& lspin_D() { return DefaultFlagArray(30); }
    std::int32_t& maneuvering_D() { return DefaultFlagArray(31); }

    std::int32_t& nFldReports() { return aaInteger(2); }
    std::int32_t& addDampIndex() { return aaInteger(3); }
    std::int32_t& interpOrder() { return aaInteger(4); }
    std::int32_t& initialCondition() { return aaInteger(5); }
    std::int32_t& DEBUG() { return aaInteger(6); }
    std::int32_t& batchDataSupress() { return aaInteger(7); }
    std::int32_t& squalProfiles() { return aaInteger(8); }
    std::int32_t& nFldReports_D() { return DefaultIntArray(1); }
    std::int32_t& addDampIndex_D() { return DefaultIntArray(2); }
    std::int32_t& interpOrder_D() { return DefaultIntArray(3); }
    std::int32_t& initialCondition_D() { return DefaultIntArray(4); }
    std::int32_t& DEBUG_D() { return DefaultIntArray(5); }
    std::int32_t& batchDataSupress_D() { return DefaultIntArray(6); }
    std::int32_t& squalProfiles_D() { return DefaultIntArray(7); }

    float& initX() { return aaReal(2); }
    float& initY() { return aaReal(3); }
    float& initZ() { return aaReal(4); }
    float& initVx() { return aaReal(5); }
    float& initVy() { return aaReal(6); }
    float& initVz() { return aaReal(7); }
    float& cfpReduction() { return aaReal(8); }
    float& crntForceMultiplierx() { return aaReal(9); }
    float& crntForceMultipliery() { return aaReal(10); }
    float& crntForceMultiplierz() { return aaReal(11); }
    float& deltaT() { return aaReal(12); }
    float& eddyHeading() { return aaReal(13); }
    float& fullDuration() { return aaReal(14); }
    float& kSwaySofec() { return aaReal(15); }
    float& kYawSofec() { return aaReal(16); }
    float& lineDragFac() { return aaReal(17); }
    float& surgeAMfac() { return aaReal(18); }
    float& swayAMfac() { return aaReal(19); }
    float& swayCdEnhancement() { return aaReal(20); }
    float& squallHeading() { return aaReal(21); }
    float& windForceMultiplierx() { return aaReal(22); }
    float& windForceMultipliery() { return aaReal(23); }
    float& windForceMultiplierz() { return aaReal(24); }
    float& yawAMfac() { return aaReal(25); }
    float& yawCdEnhancement() { return aaReal(26); }
    float& relSolvTolFac() { return aaReal(27); }
    float& absSolvTolFac() { return aaReal(28); }
    float& initX_D() { return DefaultRealArray(1); }
    float& initY_D() { return DefaultRealArray(2); }
    float& initZ_D() { return DefaultRealArray(3); }
    float& initVx_D() { return DefaultRealArray(4); }
    float& initVy_D() { return DefaultRealArray(5); }
    float& initVz_D() { return DefaultRealArray(6); }
    float& cfpReduction_D() { return DefaultRealArray(7); }
    float& crntForceMultiplierx_D() { return DefaultRealArray(8); }
    float& crntForceMultipliery_D() { return DefaultRealArray(9); }
    float& crntForceMultiplierz_D() { return DefaultRealArray(10); }
    float& deltaT_D() { return DefaultRealArray(11); }
    float& eddyHeading_D() { return DefaultRealArray(12); }
    float& fullDuration_D() { return DefaultRealArray(13); }
    float& kSwaySofec_D() { return DefaultRealArray(14); }
    float& kYawSofec_D() { return DefaultRealArray(15); }
    float& lineDragFac_D() { return DefaultRealArray(16); }
    float& surgeAMfac_D() { return DefaultRealArray(17); }
    float& swayAMfac_D() { return DefaultRealArray(18); }
    float& swayCdEnhancement_D() { return DefaultRealArray(19); }
    float& squallHeading_D() { return DefaultRealArray(20); }
    float& windForceMultiplierx_D() { return DefaultRealArray(21); }
    float& windForceMultipliery_D() { return DefaultRealArray(22); }
    float& windForceMultiplierz_D() { return DefaultRealArray(23); }
    float& yawAMfac_D() { return DefaultRealArray(24); }
    float& yawCdEnhancement_D() { return DefaultRealArray(25); }
    float& relSolvTolFac_D() { return DefaultRealArray(26); }
    float& absSolvTolFac_D() { return DefaultRealArray(27); }
};

static_assert(std::is_standard_layout_v<SqualcomBlock>);
static_assert(offsetof(SqualcomBlock, aaInteger_words) == 4 * squall_logical_count);
static_assert(offsetof(SqualcomBlock, DefaultFlagArray_words) ==
              4 * (squall_logical_count + squall_integer_count + squall_real_count));
static_assert(offsetof(SqualcomBlock, aaLogical_C_words) ==
              4 * (squall_logical_count + squall_integer_count + squall_real_count +
                   3 * squall_default_count));

// The global instance, zero at program start; reset_program_state() zeroes it again.
extern SqualcomBlock SQUALCOM;

} // namespace lintar
