// support/table_fixture.h: the three-type mooring of the line-table tests and the engine runs,
// and the independent single-line references its table columns are checked against.
//
// Metric units (forces in metric tons). Type A is one chain subline and type C one rope
// subline whose law comes from LINE_STRAIN_DB.txt; each is the line of a case of
// tests/data/catenary_cases.csv (C01 and P01) with every force scaled so that the case's
// horizontal tension is HMIN, the load of table point 2 (a catenary's shape depends on forces
// only through w/H and H/EA). Type B is wire over chain, checked against the line integrated
// by RK4 (line_test_support.h). Seven layer rows of 5 m, the entered fairlead height in the
// middle row, 90 points, tables to 1000 t, two lines per type.
#pragma once

#include "blocks/tpcm.h"
#include "support/line_test_support.h"
#include "support/mooring_fixture.h"

#include <cstdint>
#include <string>

namespace lintar::testing {

inline constexpr double newtons_per_ton = 9806.65;

// The csv cases the fixture is built on (id, L, EA, w, XF, ZF, HF, LBot, Ttop, top, anchor).
inline ReferenceCase reference_case(const std::string& id) {
    for (const auto& c : reference_cases())
        if (c.id == id)
            return c;
    throw std::runtime_error("no reference case " + id);
}

// The fixture's force scales: tons per newton of type A (and B), and of type C.
struct FixtureScales {
    float HMIN = 0.0f;
    double chain = 0.0; // type A and B: t/N
    double rope = 0.0;  // type C: HMIN / HF of P01
};

inline FixtureScales fixture_scales() {
    FixtureScales s;
    s.chain = 1.0 / newtons_per_ton;
    s.HMIN = static_cast<float>(reference_case("C01").HF * s.chain);
    s.rope = static_cast<double>(s.HMIN) / reference_case("P01").HF;
    return s;
}

// The sublines of the three types in the fixture's units (t, m, 1/t).
inline Line chain_line() {
    const auto c = reference_case("C01");
    const double s = fixture_scales().chain;
    return {{c.L, c.w * s, 1.0 / (c.EA * s)}};
}
inline Line wire_over_chain_line() {
    const auto c = reference_case("C01");
    const auto w = reference_case("W02");
    const double s = fixture_scales().chain;
    return {{1500.0, w.w * s, 1.0 / (w.EA * s)}, {1200.0, c.w * s, 1.0 / (c.EA * s)}};
}
inline Line rope_line() {
    const auto p = reference_case("P01");
    const double s = fixture_scales().rope;
    return {{p.L, p.w * s, 1.0 / (p.EA * s)}};
}

// Anchor depths below the waterline: the fairlead stands 10 m below it (20 m above the keel
// at a draft of 30 m).
inline constexpr float chain_anchor = 990.0f; // ZF 980 of C01
inline constexpr float rope_anchor = 1010.0f; // ZF 1000 of P01
inline constexpr float fairlead_z = 20.0f;
inline constexpr float fixture_draft = 30.0f;
inline constexpr float seabed_friction = 0.8f;

// LINE_STRAIN_DB.txt of the fixture: the rope's subline 1 of type 3, strain = T / EA on ten
// points to 1800 t (beyond 1.49 x TLOAD), so its law is the linear one of P01.
inline std::string three_type_strain_database() {
    const double EA = 1.0 / rope_line()[0].a1;
    std::string text = "10 3 1   rope of type C\n";
    for (int j = 0; j < 10; ++j) {
        const double T = 200.0 * j;
        char record[64];
        std::snprintf(record, sizeof record, "%.1f, %.9e\n", T, T / EA);
        text += record;
    }
    return text;
}

// Stores one line type from its sublines.
inline void store_type(int t, const Line& line, float anchor, const char* name) {
    define_type(t, line, 1);
    TPCM.ANCHGT(t) = anchor;
    for (int e = 1; e <= TPCM.NELEM(t); ++e) {
        set_field_text(TPCM.SCOMP(e, t), name);
        TPCM.DIAM(e, t) = 100.0f;
        TPCM.COFMST(e, t) = 1.0f;
        TPCM.COFDMT(e, t) = 1.0f;
        TPCM.TBRK(e, t) = 2000.0f;
    }
}

// TPCM of the three-type mooring: a new data file of this program completed with the lines.
inline void fill_three_type_mooring() {
    fill_new_file();
    stamp_as_saved();
    TPCM.NUNTS = 1;
    TPCM.IUNIT = 1;
    TPCM.STAMOT = 3;
    TPCM.IPLOTS = 1;
    TPCM.DEPTH = 1010.0f;
    TPCM.DWATR = 1025.0f;
    TPCM.DRAFT = fixture_draft;
    TPCM.NLAYER = 7;
    TPCM.ZSPAN = 30.0f;
    TPCM.NUMTAB = 90;
    TPCM.TLOAD = 1000.0f;
    TPCM.HMIN = fixture_scales().HMIN;
    TPCM.LODTYP = 2;
    TPCM.BTFRC0 = seabed_friction;
    TPCM.ANCDEF = 1;
    TPCM.ANCHT0 = chain_anchor;

    TPCM.NTYP = 3;
    TPCM.HAWSTP = 3;
    store_type(1, chain_line(), chain_anchor, "CHAIN");
    store_type(2, wire_over_chain_line(), chain_anchor, "WIRE");
    set_field_text(TPCM.SCOMP(2, 2), "CHAIN");
    store_type(3, rope_line(), rope_anchor, "ROPE");
    TPCM.STRESS_STRAIN_FILE(3) = 1;

    TPCM.NLIN = 6;
    TPCM.HAWSLN = 6;
    constexpr float x[] = {40.0f, -40.0f, -40.0f, 40.0f, 0.0f, 0.0f};
    constexpr float y[] = {10.0f, 10.0f, -10.0f, -10.0f, 10.0f, -10.0f};
    constexpr float angle[] = {30.0f, 150.0f, 210.0f, 330.0f, 90.0f, 270.0f};
    for (int i = 1; i <= 6; ++i) {
        TPCM.RFLD(1, i) = x[i - 1];
        TPCM.RFLD(2, i) = y[i - 1];
        TPCM.RFLD(3, i) = fairlead_z;
        TPCM.ANGDEP(i) = angle[i - 1];
        TPCM.HTENS(i) = 400.0f;
    }
    for (int t = 1; t <= 3; ++t) {
        TPCM.NLINE(t) = 2;
        TPCM.LINTYP(1, t) = 2 * t - 1;
        TPCM.LINTYP(2, t) = 2 * t;
    }
}

} // namespace lintar::testing
