// app/engine_input_check.cpp: the engine's refusal of a data file whose reals are not numbers.
#include "app/engine_input_check.h"

#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "offsets/offset_run.h"
#include "offsets/offset_tables.h"
#include "runtime/units.h"
#include "util/prompts.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>

namespace lintar {

namespace {

[[noreturn]] void refuse_word(int EDUNIT, const std::string& word) {
    fatal_stop(EDUNIT, keyboard_unit,
               {"", " ++> FATAL error: The data word " + word + " holds no finite number;",
                "     correct it with lintar and run the engine again."});
}

// A name with its 1-based indices: "SLEN(2, 1)".
std::string element_name(const char* name, std::initializer_list<int> indices) {
    std::string text = std::string(name) + "(";
    for (const int i : indices)
        text += (text.back() == '(' ? "" : ", ") + std::to_string(i);
    return text + ")";
}

// A count of the data file held to the slots its arrays have: a count beyond them is refused
// by the stage that reads it, with its own message.
int held(std::int32_t count, int slots) {
    return std::clamp<int>(count, 0, slots);
}

struct FiniteCheck {
    int EDUNIT;
    void word(const char* name, float value) const {
        if (!std::isfinite(value))
            refuse_word(EDUNIT, name);
    }
    void element(const char* name, float value, std::initializer_list<int> indices) const {
        if (!std::isfinite(value))
            refuse_word(EDUNIT, element_name(name, indices));
    }
};

// The site and the table loads.
void check_site(const FiniteCheck& c, const TpcmBlock& T) {
    c.word("DEPTH", T.DEPTH);
    c.word("DWATR", T.DWATR);
    c.word("HMIN", T.HMIN);
    c.word("TLOAD", T.TLOAD);
}

// The vessel: hydrostatics, applied loads, DP and the motion points.
void check_vessel(const FiniteCheck& c, const TpcmBlock& T) {
    // clang-format off
    const struct { const char* name; float value; } words[] = {
        {"TRIMDG", T.TRIMDG}, {"HEELDG", T.HEELDG}, {"XSALM", T.XSALM},   {"ZXWARM", T.ZXWARM},
        {"ZYWARM", T.ZYWARM}, {"ZXCARM", T.ZXCARM}, {"ZYCARM", T.ZYCARM}, {"DISPL", T.DISPL},
        {"VKG", T.VKG},       {"DRAFT", T.DRAFT},   {"AWP", T.AWP},       {"VKMT", T.VKMT},
        {"VKML", T.VKML},     {"LWL", T.LWL},       {"BWL", T.BWL},       {"VFWD", T.VFWD},
        {"AWPEST", T.AWPEST}, {"XVFRC", T.XVFRC},   {"YVFRC", T.YVFRC},   {"VESMOM", T.VESMOM},
        {"XVLOC", T.XVLOC},   {"YVLOC", T.YVLOC},   {"ZVLOC", T.ZVLOC},   {"XVFRC2", T.XVFRC2},
        {"YVFRC2", T.YVFRC2}, {"ZVLOC2", T.ZVLOC2}, {"XVFRC3", T.XVFRC3}, {"YVFRC3", T.YVFRC3},
        {"ZVLOC3", T.ZVLOC3}, {"DPANG", T.DPANG},   {"DPASPR", T.DPASPR}, {"DPXPNT", T.DPXPNT},
        {"DPYPNT", T.DPYPNT}, {"DPXFRC", T.DPXFRC}, {"DPYFRC", T.DPYFRC}, {"DPMOM", T.DPMOM},
        {"DPXLOC", T.DPXLOC}, {"DPYLOC", T.DPYLOC}, {"ENDHT", T.ENDHT},   {"TLNANG", T.TLNANG},
    };
    // clang-format on
    for (const auto& w : words)
        c.word(w.name, w.value);
    for (int p = 1; p <= held(T.IVESL(1), 149); ++p)
        for (int i = 1; i <= 3; ++i)
            c.element("RACC", T.RACC(i, p), {i, p});
}

// The mooring: its centre and layers, each line up to NLIN, each subline of each line type up
// to NTYP and NELEM, the clump weights and buoy springs the file stores.
void check_lines(const FiniteCheck& c, const TpcmBlock& T) {
    c.word("SHORTY", T.SHORTY);
    c.word("ZSPAN", T.ZSPAN);
    c.word("COFMAS", T.COFMAS);
    c.word("COFDMP", T.COFDMP);
    for (int i = 1; i <= 3; ++i)
        c.element("RMCTR", T.RMCTR(i), {i});
    for (int i = 1; i <= 12; ++i) {
        c.element("SPRGBY", T.SPRGBY(i), {i});
        c.element("CLUMP", T.CLUMP(i), {i});
    }
    for (int line = 1; line <= held(T.NLIN, lincom_lines); ++line) {
        for (int i = 1; i <= 3; ++i)
            c.element("RFLD", T.RFLD(i, line), {i, line});
        c.element("HTENS", T.HTENS(line), {line});
        c.element("ANGDEP", T.ANGDEP(line), {line});
        c.element("ANCHGT", T.ANCHGT(line), {line});
    }
    for (int t = 1; t <= held(T.NTYP, lincom_types); ++t)
        for (int e = 1; e <= held(T.NELEM(t), lincom_elements); ++e) {
            c.element("SLEN", T.SLEN(e, t), {e, t});
            c.element("DIAM", T.DIAM(e, t), {e, t});
            c.element("WETWT", T.WETWT(e, t), {e, t});
            c.element("DRYWT", T.DRYWT(e, t), {e, t});
            c.element("TBRK", T.TBRK(e, t), {e, t});
            c.element("COFMST", T.COFMST(e, t), {e, t});
            c.element("COFDMT", T.COFDMT(e, t), {e, t});
            for (int k = 1; k <= 3; ++k)
                c.element("ALPHA", T.ALPHA(k, e, t), {k, e, t});
        }
}

// The offset specifications: the start, the centre of rotation, the steps, and each kind's
// directions and points up to their counts.
void check_offsets(const FiniteCheck& c, const TpcmBlock& T) {
    c.word("XINIT", T.XINIT);
    c.word("YINIT", T.YINIT);
    c.word("ZINIT", T.ZINIT);
    c.word("YWINIT", T.YWINIT);
    for (int i = 1; i <= 3; ++i) {
        c.element("ROTCTR", T.ROTCTR(i), {i});
        c.element("FAPPNT", T.FAPPNT(i), {i});
    }
    c.word("EPSDST", T.EPSDST);
    c.word("EPSDEG", T.EPSDEG);
    const auto directions = [&](const char* name, std::int32_t kind, auto value) {
        for (int k = 1; k <= offset_direction_count(kind); ++k)
            c.element(name, value(k), {k});
    };
    const auto vectors = [&](const char* name, std::int32_t kind, auto value) {
        for (int k = 1; k <= offset_direction_count(kind); ++k)
            for (int i = 1; i <= 3; ++i)
                c.element(name, value(i, k), {i, k});
    };
    const auto points = [&](const char* name, std::int32_t kind, auto value) {
        for (int n = 1; n <= offset_point_count(kind); ++n)
            c.element(name, value(n), {n});
    };
    directions("PHIL", kind_lateral, [&](int k) { return T.PHIL(k); });
    directions("PHIY", kind_yaw, [&](int k) { return T.PHIY(k); });
    directions("OBLPTY", kind_oblique_rotation, [&](int k) { return T.OBLPTY(k); });
    vectors("OBLVEC", kind_oblique_rotation, [&](int i, int k) { return T.OBLVEC(i, k); });
    vectors("RCTDIR", kind_rectilinear, [&](int i, int k) { return T.RCTDIR(i, k); });
    vectors("FRCVEC", kind_forces, [&](int i, int k) { return T.FRCVEC(i, k); });
    vectors("TRQVEC", kind_couples, [&](int i, int k) { return T.TRQVEC(i, k); });
    points("OFFL", kind_lateral, [&](int n) { return T.OFFL(n); });
    points("OFFY", kind_yaw, [&](int n) { return T.OFFY(n); });
    points("OBLOFF", kind_oblique_rotation, [&](int n) { return T.OBLOFF(n); });
    points("VRTOFF", kind_vertical, [&](int n) { return T.VRTOFF(n); });
    points("RCTOFF", kind_rectilinear, [&](int n) { return T.RCTOFF(n); });
    points("FRCOFF", kind_forces, [&](int n) { return T.FRCOFF(n); });
    points("TRQOFF", kind_couples, [&](int n) { return T.TRQOFF(n); });
}

} // namespace

void check_finite_input(int EDUNIT) {
    const FiniteCheck c{EDUNIT};
    const TpcmBlock& T = TPCM;
    check_site(c, T);
    check_vessel(c, T);
    check_lines(c, T);
    check_offsets(c, T);
}

} // namespace lintar
