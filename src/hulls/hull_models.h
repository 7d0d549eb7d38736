// hulls/hull_models.h: the seam between the vessel-motion routines and the hull models: the five
// operations every hull model offers, the choice of model by vessel type, and the dispatch.
//
// A hull model works through the global blocks (TPCM, HIMEM, WAVCOM, PASCOM): its
// characteristics fill the hull words of HIMEM (natural frequencies WP, WR, WH, centres, ...)
// and PASCOM; its forces and RAOs fill the RAO columns of RLDUM for the heading IRAO of WAVCOM;
// its report sections go to the report unit IUNIT.
#pragma once

#include <cstdint>
#include <string_view>

namespace lintar {

// The hull models, in the order the vessel type selects them.
enum class HullModelKind {
    none,            // no model: the dispatch calls nothing
    ship,            // VESTYP 1, the displacement hull
    jack_up,         // VESTYP 2, the floating jack-up
    semisubmersible, // SEMI_LIKE: semisubmersible, tension-leg platform, caisson spar
    disc_buoy,       // VESTYP 4
};

// The five operations of a hull model.
class HullModel {
public:
    virtual ~HullModel() = default;
    // Characteristics: the hull words of HIMEM and PASCOM.
    virtual void characteristics() = 0;
    // Driving forces and RAOs at every grid frequency for the heading IRAO. NPASS2 is the pass
    // number: 0, 1, 2 the characteristic passes, 3 or more the full pass; a model called with
    // 0 runs the passes it needs and may advance it.
    virtual void forces_and_raos(std::int32_t& NPASS2) = 0;
    // RAO re-evaluation from the stored forces with the current natural periods and damping.
    virtual void reevaluate_raos() = 0;
    // Report section I (physical characteristics as input) on the report unit.
    virtual void report_section_1() = 0;
    // Report section II (unmoored vessel motion characteristics) on the report unit.
    virtual void report_section_2() = 0;
};

// The model of a vessel, by the first matching test: VESTYP 1 the ship, VESTYP 2 the jack-up,
// SEMI_LIKE (a logical word) the semisubmersible, VESTYP 4 the disc buoy; else none.
HullModelKind hull_model_kind(std::int32_t VESTYP, std::int32_t SEMI_LIKE);

// The name of a vessel type code in messages ("displacement hull", ...).
std::string_view vessel_type_name(std::int32_t VESTYP);

// Puts MODEL in the place of the built model of KIND (nullptr takes it out again); it stays
// until reset_program_state(). Tests plug in stand-in models through it.
void install_hull_model(HullModelKind kind, HullModel* model);

// The model of the vessel in TPCM (VESTYP, SEMI_LIKE): nullptr when the vessel selects none.
// Every kind is built (the ship, the jack-up, the semisubmersible and the disc buoy); a kind
// without a model would stop the run: a fatal message naming the vessel type on EDUNIT, the
// Return pause, an error stop.
HullModel* vessel_hull_model();

} // namespace lintar
