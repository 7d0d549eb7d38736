// motions/rao_driver.cpp: VESL2.
#include "motions/rao_driver.h"

#include "blocks/himem.h"
#include "blocks/pascom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "hulls/hull_models.h"
#include "lines/mooring_force.h"
#include "motions/motion_files.h"
#include "motions/point_motions.h"
#include "motions/rao_report.h"
#include "motions/response_indices.h"
#include "motions/response_statistics.h"
#include "motions/user_raos.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/algebra.h"
#include "util/file_services.h"
#include "util/prompts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <cstring>
#include <span>
#include <string>

namespace lintar {

namespace {

constexpr std::string_view MAINPG = "ORMANEL2";

struct DriverNames {
    std::string_view RAOFL, RAOPFL, USRDAT, SIMNAM;
};

DriverNames driver_names(std::int32_t ISPM, std::int32_t SIMTYP, std::int32_t VESTYP,
                         std::int32_t SEMI_LIKE) {
    if (ISPM == 1)
        return {"TANKRAO.stxt", "TANKRAO.plt", "USERRAOS.txt", "Ystoria"};
    if (ISPM == 2 && SIMTYP == 10)
        return {"TUGRAO.stxt", "TUGRAO.plt", "UTUGSRAO.txt", "Quelda"};
    if (ISPM == 2 && SIMTYP == 13)
        return {"BUOYRAO.stxt", "BUOYRAO.plt", "UBUOYRAO.txt", "Ostrevi"};
    if (ISPM == 3 && SIMTYP == 10)
        return {"BARGRAO.stxt", "BARGRAO.plt", "UBARGRAO.txt", "Quelda"};
    if (ISPM == 3 && SIMTYP == 13)
        return {"TANKRAO.stxt", "TANKRAO.plt", "UTANKRAO.txt", "Ostrevi"};
    if (VESTYP == 1)
        return {"SHIPRAO.stxt", "SHIPRAO.plt", "USERRAOS.txt", "Caldrun"};
    if (VESTYP == 2)
        return {"JACKRAO.stxt", "JACKRAO.plt", "USERRAOS.txt", "Trevona"};
    if (SEMI_LIKE != 0)
        return {"SEMIRAO.stxt", "SEMIRAO.plt", "USERRAOS.txt", "Ebrotan"};
    return {"DISCRAO.stxt", "DISCRAO.plt", "USERRAOS.txt", "Ulmaris"};
}

// Rotates the six RAO columns at every grid frequency: (surge, sway, heave) and (roll, pitch,
// yaw) by ROTVES, or by its transpose when `back`.
void rotate_columns(bool back) {
    HimemBlock& H = HIMEM;
    const std::span<const float> R(H.ROTVES_words, 9);
    for (int IW = 1; IW <= TPCM.NWP; ++IW) {
        H.IW = IW;
        INDXUP();
        for (const auto& slots : {std::array<std::int32_t, 3>{H.LSG, H.LSW, H.LHV},
                                  std::array<std::int32_t, 3>{H.LRL, H.LPT, H.LYA}}) {
            std::array<std::complex<float>, 3> in{};
            std::array<std::complex<float>, 3> out{};
            for (std::size_t i = 0; i < 3; ++i)
                in[i] = H.CRLDUM(slots[i]).get();
            if (back)
                GTPDCX(R, in, out, 3, 3, 1);
            else
                GMPDCX(R, in, out, 3, 3, 1);
            for (std::size_t i = 0; i < 3; ++i)
                H.CRLDUM(slots[i]) = out[i];
        }
    }
}

// The RAO heading slot IRAO serves a sea state (HIMEM LSKIP 0) or regular waves only (1).
std::int32_t skip_flag(std::int32_t IRAO) {
    const TpcmBlock& P = TPCM;
    HimemBlock& H = HIMEM;
    for (std::int32_t IH = 1; IH <= P.NSEAHG; ++IH) {
        for (std::int32_t I = 1; I <= P.NA + 1; ++I)
            if (H.INTGFL(I, IH) == IRAO)
                return 0;
        if (H.IRAN(IH) == IRAO)
            return 0;
        if (P.LSWELL == 1 && P.LSWLOK == 1 &&
            (H.ISWL(IH) == IRAO || (P.LSWEL2 == 1 && H.ISWL2(IH) == IRAO)))
            return 0;
    }
    if (P.LSWLOK == 0 && (WAVCOM.ISWELL == IRAO || WAVCOM.ISWEL2 == IRAO))
        return 0;
    return 1;
}

// The pair (RMS, RMS of the rate) of entry (IHT, IHD) of component c of point R in the table
// from BASE; `plus_second` adds component 2 word by word (the horizontal motion).
std::pair<float, float> table_pair(std::int32_t BASE, std::int32_t R, std::int32_t c,
                                   std::int32_t IHT, std::int32_t IHD, bool plus_second) {
    const HimemBlock& H = HIMEM;
    const auto word = [&](std::int32_t comp) {
        return BASE + (R - 1) * 6 * H.NHTNHD + (comp - 1) * 2 * H.NHTNHD +
               2 * ((IHT - 1) + (IHD - 1) * H.MAXHT);
    };
    float m0 = H.RLDUM(word(c));
    float m2 = H.RLDUM(word(c) + 1);
    if (plus_second) {
        m0 += H.RLDUM(word(2));
        m2 += H.RLDUM(word(2) + 1);
    }
    return {std::sqrt(m0), std::sqrt(m2)};
}

void put_pair(int unit, std::pair<float, float> p) {
    write_pair(unit, p.first, p.second);
}

// The sea-state records after the heading loop.
void write_sea_states() {
    const TpcmBlock& P = TPCM;
    HimemBlock& H = HIMEM;
    const bool random = P.LRANDM != 0;
    const auto header = [&](std::int32_t IHT) {
        const std::int32_t LCNWV = H.LCNWV + 3 * (IHT - 1);
        const auto rms4 = [](float m0) { return 4.0f * std::sqrt(m0); };
        const std::array<float, 7> v{random ? rms4(H.RLDUM(LCNWV)) : 0.0f,
                                     P.LSWELL != 0 ? rms4(H.RLDUM(H.LCNSWL)) : 0.0f,
                                     P.LSWEL2 != 0 ? rms4(H.RLDUM(H.LCNSWL2)) : 0.0f,
                                     random ? H.RLDUM(LCNWV + 2) : 0.0f,
                                     PASCOM.WRLRMS,
                                     PASCOM.WYWRMS,
                                     PASCOM.WPTRMS};
        write_sea_state_header(motion_file_unit, v);
    };
    if (writes_point_records_per_line(P.ISPM, P.SIMTYP)) {
        header(1);
        for (std::int32_t R = 1; R <= P.IVESL(1); ++R) {
            for (std::int32_t c = 1; c <= 3; ++c)
                put_pair(motion_file_unit, table_pair(H.LCNHNG, R, c, 1, 1, false));
            put_pair(motion_file_unit, table_pair(H.LCNDSP, R, 1, 1, 1, true));
            put_pair(motion_file_unit, table_pair(H.LCNDSP, R, 3, 1, 1, false));
        }
        return;
    }
    std::int32_t NHD = P.NSEAHG;
    std::int32_t NHT = P.NSEAHT;
    if (!random) {
        NHD = P.LSWEL2 != 0 ? 2 : 1;
        NHT = NHD;
    }
    const bool two_body = P.ISPM == 3;
    for (std::int32_t IHD = 1; IHD <= NHD; ++IHD) {
        for (std::int32_t IHT = 1; IHT <= NHT; ++IHT) {
            header(IHT);
            for (std::int32_t c = 1; c <= 3; ++c)
                put_pair(motion_file_unit, table_pair(H.LCNHNG, 1, c, IHT, IHD, false));
            if (two_body)
                for (std::int32_t c = 1; c <= 3; ++c)
                    put_pair(relative_motion_unit, table_pair(H.LCNHNG, 2, c, IHT, IHD, false));
            put_pair(motion_file_unit, table_pair(H.LCNDSP, 1, 1, IHT, IHD, true));
            put_pair(motion_file_unit, table_pair(H.LCNDSP, 1, 3, IHT, IHD, false));
            if (two_body) {
                put_pair(relative_motion_unit, table_pair(H.LCNDSP, 2, 1, IHT, IHD, true));
                put_pair(relative_motion_unit, table_pair(H.LCNDSP, 2, 3, IHT, IHD, false));
            }
        }
    }
}

} // namespace

// VESL2: see the header.
void VESL2() {
    TpcmBlock& P = TPCM;
    WavcomBlock& W = WAVCOM;
    HimemBlock& H = HIMEM;
    const int EDUNIT = P.EDUNIT;
    const bool service = P.SIMTYP != 16;
    const DriverNames names = driver_names(P.ISPM, P.SIMTYP, P.VESTYP, P.SEMI_LIKE);
    const MotionFileNames files = motion_file_names(P.ISPM, P.SIMTYP);
    HullModel* const model = vessel_hull_model();
    bool report_open = false;
    if (service) {
        // The rotation the static equilibrium and the offset table use, the other way round.
        const auto R = trim_heel_rotation(-P.TRIMDG, -P.HEELDG);
        std::memcpy(H.ROTVES_words, R.data(), sizeof(H.ROTVES_words));
        H.IUNX = other_body_unit;
        if (P.ISPM != 0)
            check_motion_point_count(P.ISPM, P.SIMTYP, P.IVESL(1), P.NLIN, EDUNIT);
        if (P.ISPM == 3) {
            open_motion_file_for_writing(relative_motion_unit, relative_motion_file, MAINPG,
                                         EDUNIT);
            open_motion_file_for_reading(H.IUNX, files.other_body, MAINPG, EDUNIT);
            if (P.IANC == 0)
                (void)MotionFileReader(H.IUNX, std::string(files.other_body), std::string(MAINPG),
                                       EDUNIT)
                    .heading_count();
        }
        if (P.ISPM > 1)
            open_motion_file_for_reading(line_angle_unit, line_angle_file, MAINPG, EDUNIT);
        if (P.ISPM != 0)
            open_motion_file_for_writing(motion_file_unit, files.written, MAINPG, EDUNIT);
        if (P.IUNIT == 1 && P.NEGSUM == 0 && P.LFORCE + P.LODRAO != 0) {
            RHOPEN(names.RAOFL, 1, 0, P.IUNIT, names.SIMNAM, EDUNIT);
            report_open = true;
        }
        if (P.IPLOTS != 0) {
            RHOPEN(names.RAOPFL, 1, 0, rao_plot_unit, names.SIMNAM, EDUNIT);
            if (P.IPLOTS == 2) {
                write_record(rao_plot_unit, I(P.IUNIT, 5) + I(1000, 5));
                H.NCURV = 1;
                H.IXFLAG = 1;
            }
        }
        if (P.ISPM > 1)
            write_heading_count(motion_file_unit, W.NRAO);
    }
    // The statistics slots are sums over the headings of this run.
    std::fill(&H.RLDUM(H.LCNFTQ), &H.RLDUM(H.LCNSIG), 0.0f);
    begin_point_motion_run();
    const bool rotated = P.TRIMDG != 0.0f || P.HEELDG != 0.0f;
    const bool progress = service && P.hideOrmanelReports == 0;

    for (std::int32_t IRAO = 1; IRAO <= W.NRAO; ++IRAO) {
        W.IRAO = IRAO;
        H.LSKIP = skip_flag(IRAO);
        if (progress)
            write_record(EDUNIT,
                         " --> Computing driving forces/torques for relative wave heading " +
                             F(H.REDANG(IRAO), 7, 2));
        std::int32_t NPASS2 = 5;
        if (model != nullptr)
            model->forces_and_raos(NPASS2);
        if (rotated)
            rotate_columns(false);
        const bool reported = P.NEGSUM == 0 && (P.ALLRAO != 0 || H.LRAO(IRAO) != 0);
        H.LFRFLG = 1;
        if (P.LFORCE != 0 && reported)
            RUTIL();
        H.LOCSIG = H.LCNFTQ;
        if (progress)
            write_record(EDUNIT, " --> Computing raos and irregular wave statistics...");
        if (H.LSKIP == 0)
            STAT1();
        if (P.AUXVSH != 0) {
            USRRAO(names.USRDAT);
        } else {
            if (rotated)
                rotate_columns(true);
            if (model != nullptr)
                model->reevaluate_raos();
            if (PASCOM.QUASQUENCH == 1) {
                for (int IW = 1; IW <= P.NWP; ++IW) {
                    H.IW = IW;
                    INDXUP();
                    H.CRLDUM(H.LHV) = std::complex<float>(0.0f, 0.0f);
                    H.CRLDUM(H.LRL) = std::complex<float>(0.0f, 0.0f);
                    H.CRLDUM(H.LPT) = std::complex<float>(0.0f, 0.0f);
                }
            }
        }
        if (rotated && (P.AUXVSH == 0 || P.DECKUP == 0))
            rotate_columns(false);
        H.LFRFLG = 0;
        if (P.LODRAO != 0 && reported)
            RUTIL();
        H.LOCSIG = H.LCNMOT;
        if (H.LSKIP == 0)
            STAT1();
        if (rotated && (P.AUXVSH == 0 || P.DECKUP == 1))
            rotate_columns(true);
        if (service && P.ISPM > 1)
            write_heading_record(motion_file_unit, H.REDANG(IRAO), H.LRAO(IRAO) != 0);
        if (service && P.ISPM == 3)
            (void)MotionFileReader(H.IUNX, std::string(files.other_body), std::string(MAINPG),
                                   EDUNIT)
                .heading_record();
        const std::span<const float> RACC(P.RACC_words,
                                          3 * static_cast<std::size_t>(std::max(P.IVESL(1), 0)));
        const std::pair<std::int32_t, std::int32_t> passes[] = {
            {P.LACC, 2}, {P.LVEL, 3}, {P.LDSP, 4}};
        for (const auto& [on, kind] : passes) {
            if (on == 0)
                continue;
            H.LFRFLG = kind;
            H.LOCSIG = kind == 2 ? H.LCNACC : kind == 3 ? H.LCNVEL : H.LCNDSP;
            ACCOUT(P.IVESL(1), RACC);
        }
    }
    // The RMS roll, yaw and pitch of the first sea state.
    const auto rms = [&](std::int32_t dof) {
        return std::sqrt(H.RLDUM(LOCAT0(H.NHTNHD, H.MAXHT, 1, 1, dof, H.LCNMOT)));
    };
    PASCOM.WRLRMS = rms(4);
    PASCOM.WYWRMS = rms(6);
    PASCOM.WPTRMS = rms(5);
    if (!service)
        return;
    if (P.ISPM > 1 && (P.LRANDM != 0 || P.NUM_SWEL != 0))
        write_sea_states();
    if (P.ISPM != 0)
        HCLOSE(motion_file_unit, files.written, MAINPG, EDUNIT);
    if (P.ISPM == 3)
        HCLOSE(relative_motion_unit, relative_motion_file, MAINPG, EDUNIT);
    if (P.ISPM > 1)
        HCLOSE(line_angle_unit, line_angle_file, MAINPG, EDUNIT);
    if (P.NEGSUM == 1)
        return;
    if (report_open)
        HCLOSE(P.IUNIT, names.RAOFL, names.SIMNAM, EDUNIT);
    if (P.IPLOTS != 0)
        HCLOSE(rao_plot_unit, names.RAOPFL, names.SIMNAM, EDUNIT);
}

} // namespace lintar
