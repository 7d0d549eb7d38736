// hulls/hull_models.cpp: the choice of hull model and its dispatch.
#include "hulls/hull_models.h"

#include "blocks/block_support.h"
#include "blocks/tpcm.h"
#include "hulls/disc_hull.h"
#include "hulls/jack_up.h"
#include "hulls/semi_hull.h"
#include "hulls/ship_hull.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "util/prompts.h"

#include <array>
#include <string>

namespace lintar {

namespace {

constexpr std::size_t kind_count = 5;

std::size_t model_slot(HullModelKind kind) {
    return static_cast<std::size_t>(kind);
}

// The models installed in place of the built ones, by kind.
struct HullModelStore {
    std::array<HullModel*, kind_count> installed{};
};
HullModelStore hull_model_store;
const StateReset reset_hull_model_store{[] { hull_model_store = {}; }, StoreKind::analysis};

// The ship hull: the box model's five operations.
class ShipHullModel final : public HullModel {
public:
    void characteristics() override { SHPCHR(); }
    void forces_and_raos(std::int32_t& NPASS2) override { SHPFRC(NPASS2); }
    void reevaluate_raos() override { SHPRAO(); }
    void report_section_1() override { SHPSUM(); }
    void report_section_2() override { SHPOUT(); }
};

// The floating jack-up: every operation ends the run.
class JackUpModel final : public HullModel {
public:
    void characteristics() override { JCKCHR(); }
    void forces_and_raos(std::int32_t& NPASS2) override { JCKFRC(NPASS2); }
    void reevaluate_raos() override { JCKRAO(); }
    void report_section_1() override { JCKSUM(); }
    void report_section_2() override { JCKOUT(); }
};

// The semisubmersible: the member model's five operations.
class SemisubmersibleModel final : public HullModel {
public:
    void characteristics() override { SEMCHR(); }
    void forces_and_raos(std::int32_t& NPASS2) override { SEMFRC(NPASS2); }
    void reevaluate_raos() override { SEMRAO(); }
    void report_section_1() override { SEMSUM(); }
    void report_section_2() override { SEMOUT(); }
};

// The disc buoy: the equivalent cylinder's five operations.
class DiscBuoyModel final : public HullModel {
public:
    void characteristics() override { DSKCHR(); }
    void forces_and_raos(std::int32_t& NPASS2) override { DSKFRC(NPASS2); }
    void reevaluate_raos() override { DSKRAO(); }
    void report_section_1() override { DSKSUM(); }
    void report_section_2() override { DSKOUT(); }
};

// The built models, by kind. The models keep no state of their own (it lives in the blocks),
// so one instance each serves every run.
ShipHullModel ship_model;
JackUpModel jack_up_model;
SemisubmersibleModel semisubmersible_model;
DiscBuoyModel disc_buoy_model;
HullModel* built_model(HullModelKind kind) {
    switch (kind) {
    case HullModelKind::ship:
        return &ship_model;
    case HullModelKind::jack_up:
        return &jack_up_model;
    case HullModelKind::semisubmersible:
        return &semisubmersible_model;
    case HullModelKind::disc_buoy:
        return &disc_buoy_model;
    default:
        return nullptr;
    }
}

} // namespace

// hull_model_kind: see the header. Reads only its arguments.
HullModelKind hull_model_kind(std::int32_t VESTYP, std::int32_t SEMI_LIKE) {
    if (VESTYP == 1)
        return HullModelKind::ship;
    if (VESTYP == 2)
        return HullModelKind::jack_up;
    if (is_true(SEMI_LIKE))
        return HullModelKind::semisubmersible;
    if (VESTYP == 4)
        return HullModelKind::disc_buoy;
    return HullModelKind::none;
}

// vessel_type_name: see the header.
std::string_view vessel_type_name(std::int32_t VESTYP) {
    switch (VESTYP) {
    case 1:
        return "displacement hull";
    case 2:
        return "floating jack-up";
    case 3:
        return "semisubmersible";
    case 4:
        return "disc-shaped buoy";
    case 5:
        return "tension-leg platform";
    case 6:
        return "caisson spar";
    default:
        return "unknown vessel type";
    }
}

// install_hull_model: see the header. Writes the file's model store.
void install_hull_model(HullModelKind kind, HullModel* model) {
    hull_model_store.installed[model_slot(kind)] = model;
}

// vessel_hull_model: see the header. Reads TPCM VESTYP, SEMI_LIKE and EDUNIT.
HullModel* vessel_hull_model() {
    const HullModelKind kind = hull_model_kind(TPCM.VESTYP, TPCM.SEMI_LIKE);
    if (kind == HullModelKind::none)
        return nullptr;
    if (HullModel* model = hull_model_store.installed[model_slot(kind)])
        return model;
    if (HullModel* model = built_model(kind))
        return model;
    const int EDUNIT = TPCM.EDUNIT;
    const std::string type =
        "vessel type" + I(TPCM.VESTYP, 2) + " (" + std::string(vessel_type_name(TPCM.VESTYP)) + ")";
    fatal_stop(EDUNIT, keyboard_unit,
               {"", " ++> FATAL error: The hull model of " + type,
                "     is not available in this version; vessel motions cannot be computed."});
}

} // namespace lintar
