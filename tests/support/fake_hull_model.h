// support/fake_hull_model.h: a stand-in hull model for the tests of the vessel-motion routines:
// fixed natural frequencies, RAOs from a small table, report sections of one line each, and a
// log of the calls. Installed for a kind of hull while it lives.
#pragma once

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "hulls/hull_models.h"
#include "motions/response_indices.h"
#include "runtime/units.h"

#include <array>
#include <complex>
#include <string>
#include <vector>

namespace lintar::testing {

class FakeHullModel : public HullModel {
public:
    // The natural angular frequencies the characteristics report (rad/s).
    float WP = 0.6f;
    float WH = 0.7f;
    float WR = 0.5f;
    // The RAO of each degree of freedom (surge .. yaw), the same at every grid frequency.
    std::array<std::complex<float>, 6> rao{
        {{1.0f, 0.0f}, {0.5f, 0.5f}, {0.9f, -0.1f}, {0.2f, 0.0f}, {0.3f, 0.1f}, {0.1f, 0.0f}}};
    // The calls in order: "CHR", "FRC 0" (with the pass number on entry), "RAO", "SUM", "OUT".
    std::vector<std::string> calls;

    explicit FakeHullModel(HullModelKind kind = HullModelKind::ship) : kind_(kind) {
        install_hull_model(kind_, this);
    }
    ~FakeHullModel() override { install_hull_model(kind_, nullptr); }
    FakeHullModel(const FakeHullModel&) = delete;
    FakeHullModel& operator=(const FakeHullModel&) = delete;

    void characteristics() override {
        calls.push_back("CHR");
        HIMEM.WP = WP;
        HIMEM.WH = WH;
        HIMEM.WR = WR;
    }
    void forces_and_raos(std::int32_t& NPASS2) override {
        calls.push_back("FRC " + std::to_string(NPASS2));
        fill_raos();
    }
    void reevaluate_raos() override {
        calls.push_back("RAO");
        fill_raos();
    }
    void report_section_1() override {
        calls.push_back("SUM");
        write_record(TPCM.IUNIT, " FAKE HULL SECTION I");
    }
    void report_section_2() override {
        calls.push_back("OUT");
        write_record(TPCM.IUNIT, " FAKE HULL SECTION II");
    }

private:
    // The six RAOs at every grid frequency, through the rebased indices.
    void fill_raos() {
        for (int IW = 1; IW <= TPCM.NWP; ++IW) {
            HIMEM.IW = IW;
            INDXUP();
            const std::array<std::int32_t, 6> slots{HIMEM.LSG, HIMEM.LSW, HIMEM.LHV,
                                                    HIMEM.LRL, HIMEM.LPT, HIMEM.LYA};
            for (std::size_t d = 0; d < 6; ++d)
                HIMEM.CRLDUM(slots[d]) = rao[d];
        }
    }

    HullModelKind kind_;
};

} // namespace lintar::testing
