// blocks/himem.h: HIMEM, the vessel hydrodynamic store: hull values, rebased indices, heading
// tables, the response-spectrum scratch, dimensions and base indices, and the work array RLDUM
// of RAO and frequency tables.
//
// The block is no file image: it is zero at program start and laid out by the vessel-motion
// set-up (VESL1), which stores the dimensions and base indices; the hull models fill the hull
// values and the RAO columns. Words are four bytes in declaration order, in six groups:
//   1. hull values (164 words), 2. rebased indices (11), 3. heading tables (19,611),
//   4. PSD (100), 5. dimension, base-index and bookkeeping words (57), 6. RLDUM and LASTHI.
// Base indices of complex columns count complex elements (element c is words 2c - 1, 2c of
// RLDUM); the others count words.
#pragma once

#include "blocks/block_support.h"

#include <complex>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace lintar {

// Words of the work array RLDUM.
inline constexpr int rldum_word_count = 848301;
// Slots of the relative-heading tables REDANG and LRAO, and the heading steps of INTGFL.
inline constexpr int heading_slot_capacity = 500;
// Sea headings of the per-heading tables IRAN, ISWL, ISWL2 and INTGFL.
inline constexpr int sea_heading_capacity = 37;
// Grid points of PSD and of each RAO column.
inline constexpr int himem_grid_capacity = 100;
// Words of the whole block.
inline constexpr int himem_word_count = 868245;

struct HimemBlock {
    // 1. Hull values of the hull models.
    float HMAS0, PMAS0, RMAS0;                          // heave, pitch, roll added mass (ship)
    float WHL, WPL, WRL, BLRAT, BLRAT2, DBRAT, DLRAT;   // hull ratios
    float EVKG, WPML, WPMT, BEAM, BEAM2, SHIPL, SHIPL2; // equivalent hull, waterplane moments
    float WCONST;       // sqrt(DEPTH / G): makes a frequency dimensionless for WAVVEC
    float VTCRR, VTCRP; // heights of the roll and pitch centres of rotation
    float RMAS1, GAMROL, EDRAFT, SDRAFT, XSCALE, YSCALE;
    float GML, GMT; // longitudinal and transverse metacentric values
    float DELTA, SDEPTH, PRMT, RRMT, TCRP, TCRR, ARM, HC, PTCH1, ROL1, HVM1, WLCRP, WLCRR;
    float SWLCRP, SWLCRR, RADIUS;
    float WP, WR, WH; // natural angular frequencies of pitch, roll, heave
    float TQCNST, RCONST;
    std::int32_t JP, JR, JH; // grid indices of those natural periods
    float PTCHI, ROLI, YAWI; // inertias
    float HVMAS, SGMAS, SWMAS, SH;
    float EPS; // tolerance word
    float HCONST, PCONST, CSW, CSG, HMASHI, PMASHI, RMASHI, HMSRAT, PMSRAT, RMSRAT, CYW, XCRYW;
    float XCRPT;
    float ROTVES_words[9]; // vessel rotation matrix
    float& ROTVES(int i, int j) { return ROTVES_words[col_major(i, 3, j, 3)]; }
    float WSG, WSW, WY;        // natural frequencies of surge, sway, yaw
    std::int32_t JSG, JSW, JY; // their grid indices
    float GAMPIT, PMAS1, GAMSRG, GAMSWY, GAMHEV, GAMYAW, SKAMHV, SKAMPT, SKAMRL, SKDPHV, SKDPPT;
    float SKDPRL;
    // Complex hull words CHVRAX, CPTRAX, CRLRAX, CSGRAX, CSWRAX, CYWRAX, two words each.
    float CRAX_words[12];
    TypedRef<std::complex<float>> CHVRAX() { return complex_at(CRAX_words, 1); }
    TypedRef<std::complex<float>> CPTRAX() { return complex_at(CRAX_words, 2); }
    TypedRef<std::complex<float>> CRLRAX() { return complex_at(CRAX_words, 3); }
    TypedRef<std::complex<float>> CSGRAX() { return complex_at(CRAX_words, 4); }
    TypedRef<std::complex<float>> CSWRAX() { return complex_at(CRAX_words, 5); }
    TypedRef<std::complex<float>> CYWRAX() { return complex_at(CRAX_words, 6); }
    float GAMRLI, RMASRT;
    float RSLOPE; // wave slope in radians of the extreme wave
    float TQFAC, BLGFAC, EDISPL, EVKB, EVKML, EVKMT;
    float BIGDUM_words[43]; // spare

    // 2. Rebased indices of grid point IW (INDXUP): IW the shared loop variable of every
    //    per-frequency loop; words LW, LW2, LWK; complex elements LHV ... LYA.
    std::int32_t IW, IWM, LW, LW2, LWK, LHV, LSG, LSW, LPT, LRL, LYA;

    // 3. Heading tables.
    std::int32_t IRAN_words[sea_heading_capacity];  // slot of each sea heading (long-crested)
    std::int32_t ISWL_words[sea_heading_capacity];  // slot of the swell relative to each
    std::int32_t ISWL2_words[sea_heading_capacity]; // slot of the second swell likewise
    // Slot of heading step I of sea heading IH (short-crested).
    std::int32_t INTGFL_words[heading_slot_capacity * sea_heading_capacity];
    std::int32_t LRAO_words[heading_slot_capacity]; // logical: slot requested for output
    float REDANG_words[heading_slot_capacity];      // relative headings, degrees in [0, 360)
    std::int32_t& IRAN(int i) { return IRAN_words[col_major(i, sea_heading_capacity)]; }
    std::int32_t& ISWL(int i) { return ISWL_words[col_major(i, sea_heading_capacity)]; }
    std::int32_t& ISWL2(int i) { return ISWL2_words[col_major(i, sea_heading_capacity)]; }
    std::int32_t& INTGFL(int i, int ih) {
        return INTGFL_words[col_major(i, heading_slot_capacity, ih, sea_heading_capacity)];
    }
    std::int32_t& LRAO(int i) { return LRAO_words[col_major(i, heading_slot_capacity)]; }
    float& REDANG(int i) { return REDANG_words[col_major(i, heading_slot_capacity)]; }

    // 4. Response-spectrum scratch of STATCP and STATCM.
    float PSD_words[himem_grid_capacity];
    float& PSD(int i) { return PSD_words[col_major(i, himem_grid_capacity)]; }

    // 5. Sea-height and sea-heading loop indices, dimensions, base indices, bookkeeping.
    std::int32_t IHT, IHD;
    std::int32_t NHTNHD, NARRAY, MAXHT, MAXHDG, NDOF, MAXDIF, NXTFRE, NBASE;
    std::int32_t LCNSG, LCNSWY, LCNHV, LCNROL, LCNPIT, LCNYAW; // complex RAO columns
    std::int32_t LCNW, LCNWK, LCNW2, LCNPSD, LCNSIG, LCNSIG2, LCNSWL, LCNSWL2, LCNWV, LCNFTQ;
    std::int32_t LCNMOT, LCNACC, LCNVEL, LCNDSP, LCNHNG, LACRAO;
    std::int32_t LOCSIG, LBASEX, NCOL, LSKIP;
    float HIDUM;
    std::int32_t NPASS; // pass counter, 0 after the set-up
    std::int32_t IREP, III, IXFLAG, NCURV;
    std::int32_t LFRFLG; // 1 when the RAO columns being reported are force columns
    std::int32_t MAX_HT_TOT, MAX_HDG_TOT, NHTNHD_TOT;
    std::int32_t IDCLMN_words[3];
    std::int32_t& IDCLMN(int i) { return IDCLMN_words[col_major(i, 3)]; }
    float SCALE_words[6]; // regular-wave force scale factors per degree of freedom
    float& SCALE(int i) { return SCALE_words[col_major(i, 6)]; }
    std::int32_t IUNX; // unit of the current motion file
    std::int32_t IDUMQ9;

    // 6. The work array, then the end word.
    float RLDUM_words[rldum_word_count];
    std::int32_t LASTHI;

    float& RLDUM(int i) { return RLDUM_words[col_major(i, rldum_word_count)]; }
    const float& RLDUM(int i) const { return RLDUM_words[col_major(i, rldum_word_count)]; }
    // Complex element c of RLDUM: words 2c - 1 and 2c.
    TypedRef<std::complex<float>> CRLDUM(int c) {
        check_index(2 * c, rldum_word_count);
        return complex_at(RLDUM_words, c);
    }
    // The complex RAO columns of sway, heave, roll, pitch and yaw: second names of RLDUM words
    // 201-400, 401-600, 601-800, 801-1000 and 1001-1200 (the surge column has none).
    TypedRef<std::complex<float>> SWRAO(int i) { return rao_column(101, i); }
    TypedRef<std::complex<float>> HVRAO(int i) { return rao_column(201, i); }
    TypedRef<std::complex<float>> RLRAO(int i) { return rao_column(301, i); }
    TypedRef<std::complex<float>> PTRAO(int i) { return rao_column(401, i); }
    TypedRef<std::complex<float>> YWRAO(int i) { return rao_column(501, i); }

private:
    // Complex element c (from 1) of a run of words.
    static TypedRef<std::complex<float>> complex_at(float* words, int c) {
        return TypedRef<std::complex<float>>(&words[2 * slot(c)]);
    }
    TypedRef<std::complex<float>> rao_column(int first, int i) {
        check_index(i, himem_grid_capacity);
        return CRLDUM(first + i - 1);
    }
};

// Word positions (counting from 1) of the first word of every group and of the words the
// spectra reach by name.
constexpr std::size_t himem_offset(int n) {
    return 4 * slot(n);
}
static_assert(std::is_standard_layout_v<HimemBlock>);
static_assert(sizeof(HimemBlock) == 4 * std::size_t{himem_word_count});
static_assert(offsetof(HimemBlock, HMAS0) == himem_offset(1));
static_assert(offsetof(HimemBlock, WCONST) == himem_offset(18));
static_assert(offsetof(HimemBlock, VTCRR) == himem_offset(19));
static_assert(offsetof(HimemBlock, GML) == himem_offset(27));
static_assert(offsetof(HimemBlock, WP) == himem_offset(45));
static_assert(offsetof(HimemBlock, JP) == himem_offset(50));
static_assert(offsetof(HimemBlock, EPS) == himem_offset(60));
static_assert(offsetof(HimemBlock, ROTVES_words) == himem_offset(74));
static_assert(offsetof(HimemBlock, CRAX_words) == himem_offset(101));
static_assert(offsetof(HimemBlock, RSLOPE) == himem_offset(115));
static_assert(offsetof(HimemBlock, BIGDUM_words) == himem_offset(122));
static_assert(offsetof(HimemBlock, IW) == himem_offset(165));
static_assert(offsetof(HimemBlock, LYA) == himem_offset(175));
static_assert(offsetof(HimemBlock, IRAN_words) == himem_offset(176));
static_assert(offsetof(HimemBlock, INTGFL_words) == himem_offset(287));
static_assert(offsetof(HimemBlock, LRAO_words) == himem_offset(18787));
static_assert(offsetof(HimemBlock, REDANG_words) == himem_offset(19287));
static_assert(offsetof(HimemBlock, PSD_words) == himem_offset(19787));
static_assert(offsetof(HimemBlock, IHT) == himem_offset(19887));
static_assert(offsetof(HimemBlock, LCNSG) == himem_offset(19897));
static_assert(offsetof(HimemBlock, LCNWV) == himem_offset(19911));
static_assert(offsetof(HimemBlock, LACRAO) == himem_offset(19918));
static_assert(offsetof(HimemBlock, NPASS) == himem_offset(19924));
static_assert(offsetof(HimemBlock, MAX_HT_TOT) == himem_offset(19930));
static_assert(offsetof(HimemBlock, SCALE_words) == himem_offset(19936));
static_assert(offsetof(HimemBlock, IDUMQ9) == himem_offset(19943));
static_assert(offsetof(HimemBlock, RLDUM_words) == himem_offset(19944));
static_assert(offsetof(HimemBlock, LASTHI) == himem_offset(himem_word_count));

// The global instance; all zeros at the start and after reset_program_state().
extern HimemBlock HIMEM;

} // namespace lintar
