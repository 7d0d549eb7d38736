// support/old_layout.h: data images of the older 49-fairlead layout for the tests of the load
// and its update: which words of the current layout the older one lacks (found element by
// element from the two layouts' bounds), the older image of a current one, and the old-file
// fixture of a small mooring.
#pragma once

#include "blocks/tpcm.h"
#include "blocks/tpcm_location.h"
#include "datafile/tpcm_image.h"
#include "util/image_transfer.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace lintar::testing {

// Which parts of the image an older image lacks words of: the top part only (program types 1,
// 4, 11), the top and second-body parts (3, 16), or those and the mooring part (the others).
enum class OlderParts { top, top_and_second_body, all };

// For each word of the current layout (index 0 is word 1): true when the older layout lacks
// it. The older layout holds 49 vessel points, 50 line types and lines, 51 line slots per type
// and 10 sublines per type, and none of the reserves the current one added. With
// `before_4_9` also the four reserves of version 4.9 (60 spectrum ordinates, 60 periods, 200
// words from MEXDP1 and 200 from BMXDP1).
inline std::vector<bool> new_only_words(OlderParts parts = OlderParts::all,
                                        bool before_4_9 = false) {
    std::vector<bool> lacks(static_cast<std::size_t>(tpcm_word_count), false);
    const auto mark = [&](const void* member, int words = 1) {
        const int first = tpcm_word_of(member);
        for (int k = 0; k < words; ++k)
            lacks[static_cast<std::size_t>(first - 1 + k)] = true;
    };
    TpcmBlock& B = TPCM;
    if (before_4_9) {
        for (int i = 41; i <= 100; ++i) {
            mark(&B.USRPSD(i));
            mark(&B.T(i));
        }
        mark(&B.MEXDP1, 200);
        mark(&B.BMXDP1, 200);
    }
    for (int i = 1; i <= 200; ++i)
        mark(&B.RTPCM2(i));
    for (int i = 5; i <= 104; ++i)
        mark(&B.ITPCM6(i));
    for (int p = 50; p <= 149; ++p)
        for (int k = 1; k <= 3; ++k)
            mark(&B.RACC(k, p));
    mark(&B.TOPCOM_LAST);
    if (parts == OlderParts::top)
        return lacks;
    for (int i = 5; i <= 104; ++i)
        mark(&B.BTPCM6(i));
    for (int p = 50; p <= 149; ++p)
        for (int k = 1; k <= 3; ++k)
            mark(&B.BRACC(k, p));
    if (parts == OlderParts::top_and_second_body)
        return lacks;
    for (int i = 10; i <= 109; ++i)
        mark(&B.IDUM0(i));
    for (int t = 51; t <= 150; ++t) {
        mark(&B.STRESS_STRAIN_FILE(t));
        mark(&B.ANCTYP(t));
        mark(&B.NLINE(t));
        mark(&B.NELEM(t));
        mark(&B.IDYNEV(t));
        mark(&B.HTENS(t));
        mark(&B.ANGDEP(t));
        mark(&B.ANCHGT(t));
        mark(&B.BOTFRC(t));
        for (int k = 1; k <= 3; ++k)
            mark(&B.RFLD(k, t));
    }
    for (int t = 1; t <= 150; ++t) {
        for (int i = 1; i <= 151; ++i)
            if (i > 51 || t > 50)
                mark(&B.LINTYP(i, t));
        for (int e = 1; e <= 25; ++e) {
            if (e <= 10 && t <= 50)
                continue;
            mark(B.SCOMP(e, t).data(), 2);
            for (float* value :
                 {&B.SLEN(e, t), &B.DIAM(e, t), &B.WETWT(e, t), &B.TBRK(e, t), &B.COFMST(e, t),
                  &B.COFDMT(e, t), &B.DRYWT(e, t), &B.MOORDUMMY(e, t)})
                mark(value);
            for (int k = 1; k <= 3; ++k)
                mark(&B.ALPHA(k, e, t));
        }
    }
    for (int i = 18; i <= 217; ++i)
        mark(&B.DUMCOM(i));
    return lacks;
}

// The older image of a current one: its words in order, without those the older layout lacks.
inline std::vector<std::uint32_t> older_image(const std::vector<std::uint32_t>& current,
                                              const std::vector<bool>& lacks) {
    std::vector<std::uint32_t> older;
    for (std::size_t k = 0; k < current.size(); ++k)
        if (!lacks[k])
            older.push_back(current[k]);
    return older;
}

// Writes a data file of the older layout: TPCM (zeroed, then given a header of this program,
// version 5.5, marked for 49 fairleads and holding 14,825 words, then changed by `fill`) taken
// without the words the older layout lacks. Returns the current image it stands for; TPCM is
// all zeros afterwards.
inline std::vector<std::uint32_t> write_older_data_file(const std::string& name,
                                                        const std::function<void()>& fill = {}) {
    std::memset(tpcm_bytes(TPCM).data(), 0, tpcm_byte_count);
    TPCM.NTOGO = 14825;
    TPCM.SIMTYP = 8;
    TPCM.VERNO = 5.5f;
    TPCM.CMPUTR = 5;
    TPCM.DAT_ID = 49;
    if (fill)
        fill();
    const std::vector<std::uint32_t> current = tpcm_image();
    std::vector<std::uint32_t> older = older_image(current, new_only_words());
    std::int32_t count = static_cast<std::int32_t>(older.size());
    std::int32_t IERR = 0;
    DISKIO(0, count, name, 1, IERR, older, 5);
    std::memset(tpcm_bytes(TPCM).data(), 0, tpcm_byte_count);
    return current;
}

// The mooring of the old-file fixture: 3 line types of 4 sublines, 6 lines (two of each type),
// every value distinct and exact in four-byte reals.
inline void fill_fixture_mooring() {
    TpcmBlock& B = TPCM;
    B.NTYP = 3;
    B.NLIN = 6;
    for (int t = 1; t <= 3; ++t) {
        B.NELEM(t) = 4;
        B.NLINE(t) = 2;
        B.LINTYP(1, t) = 2 * t - 1;
        B.LINTYP(2, t) = 2 * t;
        for (int e = 1; e <= 4; ++e) {
            B.SLEN(e, t) = 100.0f * static_cast<float>(t) + 10.0f * static_cast<float>(e) + 0.25f;
            for (int k = 1; k <= 3; ++k)
                B.ALPHA(k, e, t) = static_cast<float>(100 * k + 10 * e + t) / 8.0f;
            const std::string name = "TYPE" + std::to_string(t) + "-E" + std::to_string(e);
            std::memcpy(B.SCOMP(e, t).data(), name.data(), 8);
        }
    }
    for (int i = 1; i <= 6; ++i) {
        for (int k = 1; k <= 3; ++k)
            B.RFLD(k, i) = static_cast<float>(10 * i + k) - 0.5f;
        B.ANGDEP(i) = 0.125f * static_cast<float>(i);
    }
}

} // namespace lintar::testing
