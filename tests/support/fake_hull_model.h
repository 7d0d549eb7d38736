// support/fake_hull_model.h: stand-in hull models for the tests of the vessel-motion routines
// and for the benchmarks: fixed natural frequencies and RAOs that cost next to nothing.
// Installed for a kind of hull while they live.
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

// A hull of fixed natural frequencies that leaves the RAO columns as they are (for runs whose
// RAOs come from a user file) and writes no report sections.
class StandInHull : public HullModel {
public:
    // The natural angular frequencies the characteristics report (rad/s).
    float WP = 0.6f;
    float WH = 0.7f;
    float WR = 0.5f;

    explicit StandInHull(HullModelKind kind = HullModelKind::ship) : kind_(kind) {
        install_hull_model(kind_, this);
    }
    ~StandInHull() override { install_hull_model(kind_, nullptr); }
    StandInHull(const StandInHull&) = delete;
    StandInHull& operator=(const StandInHull&) = delete;

    void characteristics() override {
        HIMEM.WP = WP;
        HIMEM.WH = WH;
        HIMEM.WR = WR;
    }
    void forces_and_raos(std::int32_t&) override {}
    void reevaluate_raos() override {}
    void report_section_1() override {}
    void report_section_2() override {}

protected:
    // Sets the six RAOs (surge .. yaw) at every grid frequency, through the rebased indices, to
    // rao_of(w, d) with w the grid's angular frequency and d 0 .. 5.
    template <class RaoOf> static void fill_grid_raos(const RaoOf& rao_of) {
        for (int IW = 1; IW <= TPCM.NWP; ++IW) {
            HIMEM.IW = IW;
            INDXUP();
            const float w = HIMEM.RLDUM(HIMEM.LW);
            const std::array<std::int32_t, 6> slots{HIMEM.LSG, HIMEM.LSW, HIMEM.LHV,
                                                    HIMEM.LRL, HIMEM.LPT, HIMEM.LYA};
            for (std::size_t d = 0; d < 6; ++d)
                HIMEM.CRLDUM(slots[d]) = rao_of(w, d);
        }
    }

private:
    HullModelKind kind_;
};

// The stand-in hull with RAOs that fall off with frequency, 1 / (1 + w^2) in the real part and
// 0.1 d in the imaginary part of motion d (surge 0 .. yaw 5), from its forces and from a
// re-evaluation alike: loads that follow the frequency at the cost of a few operations.
class DecayingRaoHull : public StandInHull {
public:
    using StandInHull::StandInHull;

    void forces_and_raos(std::int32_t&) override { fill(); }
    void reevaluate_raos() override { fill(); }

private:
    static void fill() {
        fill_grid_raos([](float w, std::size_t d) {
            const float decay = 1.0f / (1.0f + w * w);
            return std::complex<float>(decay, 0.1f * static_cast<float>(d));
        });
    }
};

// The stand-in hull with the same RAOs at every grid frequency, report sections of one line
// each, and a log of the calls.
class FakeHullModel : public StandInHull {
public:
    // The RAO of each degree of freedom (surge .. yaw), the same at every grid frequency.
    std::array<std::complex<float>, 6> rao{
        {{1.0f, 0.0f}, {0.5f, 0.5f}, {0.9f, -0.1f}, {0.2f, 0.0f}, {0.3f, 0.1f}, {0.1f, 0.0f}}};
    // The calls in order: "CHR", "FRC 0" (with the pass number on entry), "RAO", "SUM", "OUT".
    std::vector<std::string> calls;

    using StandInHull::StandInHull;

    void characteristics() override {
        calls.push_back("CHR");
        StandInHull::characteristics();
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
    void fill_raos() const {
        fill_grid_raos([this](float, std::size_t d) { return rao[d]; });
    }
};

} // namespace lintar::testing
