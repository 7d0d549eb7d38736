// Tests of the user RAO files: the bilinear rule against hand values, the table read and
// interpolated against a bilinear closed form, the scaling and the transfer to the centres of
// rotation, the unit-modulus defaults of a missing file, the once-per-run frequency warning,
// the cache, and the refusal of every table the interpolation cannot use.
#include "motions/user_raos.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/rao_fixture.h"
#include "util/bilinear.h"

#include <array>
#include <cmath>
#include <complex>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::grid_frequency;
using testing::grid_wave_number;
using testing::rao_columns;
using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;
using testing::set_up_motion_run;
using Cx = std::complex<float>;

constexpr double pi = 3.14159265358979;
constexpr float VTCRP = 3.0f;
constexpr float VTCRR = 4.0f;
constexpr float VKG = 8.0f;

const std::string abort_pause = "\a\n Enter \"A\" to abort or Press <RETURN> to continue: ";
const std::string return_pause = " \n Press <RETURN> to continue: ";

// The set-up, then the heading of slot 1 and the centres of rotation.
void prepare(float heading) {
    set_up_motion_run();
    HIMEM.REDANG(1) = heading;
    WAVCOM.IRAO = 1;
    HIMEM.VTCRP = VTCRP;
    HIMEM.VTCRR = VTCRR;
    TPCM.VKG = VKG;
}

// A bilinear function of frequency and heading per degree of freedom, which the bilinear rule
// reproduces exactly inside and outside the table.
Cx table_value(int dof, double w, double deg) {
    const double d = dof + 1;
    return {static_cast<float>(d + 2.0 * w + 0.01 * deg + 0.003 * w * deg),
            static_cast<float>(0.5 * d * w - 0.002 * deg)};
}

// A user RAO file of the given frequencies and headings holding table_value.
std::string rao_file(const std::vector<double>& w, const std::vector<double>& deg,
                     const std::string& eol = "\n") {
    std::string text = std::to_string(w.size()) + " " + std::to_string(deg.size()) + eol;
    for (const double a : deg) {
        text += std::to_string(a) + eol;
        for (const double f : w) {
            text += std::to_string(f);
            for (int k = 0; k < 6; ++k) {
                const Cx c = table_value(k, f, a);
                text += " " + std::to_string(c.real()) + " " + std::to_string(c.imag());
            }
            text += eol;
        }
    }
    return text;
}

// The RAOs USRRAO should give at grid point IW from the raw values RAW (surge .. yaw):
// rotations times the wave number, then surge and sway moved to the centres of rotation.
std::array<Cx, 6> expected_raos(std::array<std::complex<double>, 6> raw, int IW) {
    const double k = grid_wave_number(IW);
    for (int d = 3; d < 6; ++d)
        raw[static_cast<std::size_t>(d)] *= k;
    raw[0] += static_cast<double>(VTCRP - VKG) * raw[4];
    raw[1] -= static_cast<double>(VTCRR - VKG) * raw[3];
    std::array<Cx, 6> out{};
    for (std::size_t d = 0; d < 6; ++d)
        out[d] = Cx(static_cast<float>(raw[d].real()), static_cast<float>(raw[d].imag()));
    return out;
}

void expect_raos_near(const std::array<Cx, 6>& got, const std::array<Cx, 6>& want, double tol) {
    for (std::size_t d = 0; d < 6; ++d) {
        SCOPED_TRACE(::testing::Message() << "dof " << d + 1);
        EXPECT_NEAR(got[d].real(), want[d].real(), tol * (1.0 + std::abs(want[d])));
        EXPECT_NEAR(got[d].imag(), want[d].imag(), tol * (1.0 + std::abs(want[d])));
    }
}

TEST(Cintrp4, BlendsHeadingFirstThenFrequencyAndExtrapolates) {
    // Cell values C(1,1) = 1, C(2,1) = 3, C(1,2) = 2 + i, C(2,2) = 6 over w = 1, 2 and
    // headings 10, 30, in a plane of leading dimension 121.
    std::vector<Cx> plane(static_cast<std::size_t>(max_user_rao_frequencies) * 2);
    plane[0] = {1, 0};
    plane[1] = {3, 0};
    plane[121] = {2, 1};
    plane[122] = {6, 0};
    const std::vector<float> w{1.0f, 2.0f};
    const std::vector<float> a{10.0f, 30.0f};
    struct Row {
        float w, a;
        Cx value; // by hand: low = C11 + fa (C12 - C11), high = C21 + fa (C22 - C21)
    };
    const Row rows[] = {
        {1.0f, 10.0f, {1.0f, 0.0f}},       // a corner
        {1.5f, 20.0f, {3.0f, 0.25f}},      // fa 0.5: low 1.5+0.5i, high 4.5; fw 0.5
        {1.25f, 25.0f, {2.625f, 0.5625f}}, // fa .75: low 1.75+.75i, high 5.25; fw .25
        {3.0f, 10.0f, {5.0f, 0.0f}},       // fw 2: beyond the frequencies
        {1.0f, 50.0f, {3.0f, 2.0f}},       // fa 2: beyond the headings
        {0.0f, 0.0f, {-0.5f, -1.0f}},      // fa -0.5: low 0.5-0.5i, high 1.5; fw -1
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << "w " << r.w << " heading " << r.a);
        Cx out;
        CINTRP4(plane, w, a, r.w, r.a, out, 1, 1, 2, 2);
        EXPECT_NEAR(out.real(), r.value.real(), 1e-6);
        EXPECT_NEAR(out.imag(), r.value.imag(), 1e-6);
        // The real-valued use of the same rule gives the real parts.
        std::vector<float> real_plane(plane.size());
        for (std::size_t i = 0; i < plane.size(); ++i)
            real_plane[i] = plane[i].real();
        EXPECT_NEAR((bilinear_in_cell<float>(real_plane, 121, w, a, r.w, r.a, 1, 1)),
                    r.value.real(), 1e-6);
    }
}

TEST(UserRaos, TableIsInterpolatedScaledAndMovedToTheCentresOfRotation) {
    struct Row {
        const char* what;
        float heading;
    };
    // Inside the headings, on a heading of the table, and beyond them (silently extrapolated).
    const Row rows[] = {{"inside", 45.0f}, {"on a heading", 90.0f}, {"beyond", 200.0f}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchFolder folder;
        ScriptedConsole console;
        folder.write("USERRAOS.txt", rao_file({0.1, 0.5, 1.0, 1.6, 2.2}, {0.0, 90.0, 180.0}));
        prepare(row.heading);
        USRRAO("USERRAOS.txt ");
        EXPECT_EQ(console.screen(), "");
        for (int IW = 1; IW <= TPCM.NWP; ++IW) {
            SCOPED_TRACE(IW);
            std::array<std::complex<double>, 6> raw{};
            for (int d = 0; d < 6; ++d) {
                const Cx v = table_value(d, grid_frequency(IW), row.heading);
                raw[static_cast<std::size_t>(d)] = {v.real(), v.imag()};
            }
            expect_raos_near(rao_columns(IW), expected_raos(raw, IW), 2e-5);
        }
    }
}

TEST(UserRaos, LargestTableIsAcceptedAndWindowsLineEndsRead) {
    ScratchFolder folder;
    ScriptedConsole console;
    std::vector<double> w;
    std::vector<double> deg;
    for (int i = 0; i < max_user_rao_frequencies; ++i)
        w.push_back(0.05 + 0.02 * i);
    for (int j = 0; j < max_user_rao_headings; ++j)
        deg.push_back(2.5 * j);
    folder.write("USERRAOS.txt", rao_file(w, deg, "\r\n"));
    prepare(33.3f);
    USRRAO("USERRAOS.txt ");
    EXPECT_EQ(console.screen(), "");
    const int IW = 8;
    std::array<std::complex<double>, 6> raw{};
    for (int d = 0; d < 6; ++d) {
        const Cx v = table_value(d, grid_frequency(IW), 33.3);
        raw[static_cast<std::size_t>(d)] = {v.real(), v.imag()};
    }
    expect_raos_near(rao_columns(IW), expected_raos(raw, IW), 2e-5);
}

TEST(UserRaos, MissingFileGivesUnitRaosAfterTheWarning) {
    ScratchFolder folder;
    ScriptedConsole console("\n");
    prepare(30.0f);
    USRRAO("USERRAOS.txt ");
    EXPECT_EQ(console.screen(),
              " ++> Warning: User-supplied vessel RAOs \"USERRAOS.txt\" not found;\n"
              "     Dimensionless RAOs will default to unity.\n" +
                  abort_pause);
    const double phases[6] = {45, 105, 165, 225, 285, 345};
    for (int IW = 1; IW <= TPCM.NWP; ++IW) {
        SCOPED_TRACE(IW);
        std::array<std::complex<double>, 6> raw{};
        for (std::size_t d = 0; d < 6; ++d)
            raw[d] = std::polar(1.0, phases[d] * pi / 180.0);
        expect_raos_near(rao_columns(IW), expected_raos(raw, IW), 2e-6);
    }
    // The missing file is not looked for again under the same name.
    console.clear_screen_text();
    folder.write("USERRAOS.txt", rao_file({0.1, 2.2}, {0.0, 180.0}));
    USRRAO("USERRAOS.txt ");
    EXPECT_EQ(console.screen(), "");
    EXPECT_NEAR(std::arg(rao_columns(1)[2]) * 180.0 / pi, 165.0, 1e-4);

    Cx s, w, h, p, r, y;
    UNITRAO(0.0f, 0.0f, s, w, h, p, r, y);
    EXPECT_NEAR(std::arg(p) * 180.0 / pi, -75.0, 1e-4);  // pitch 285 degrees
    EXPECT_NEAR(std::arg(r) * 180.0 / pi, -135.0, 1e-4); // roll 225 degrees
}

TEST(UserRaos, MissingFileStopsOnAbortOrInAnUnattendedRun) {
    {
        ScratchFolder folder;
        ScriptedConsole console("a\n");
        prepare(0.0f);
        EXPECT_EQ(run_until_stop([] { USRRAO("USERRAOS.txt "); }), StopKind::user_choice);
    }
    ScratchFolder folder;
    ScriptedConsole console;
    prepare(0.0f);
    ASSERT_TRUE(
        open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace, FileForm::formatted));
    TPCM.EDUNIT = diagnostics_unit;
    EXPECT_EQ(run_until_stop([] { USRRAO("USERRAOS.txt "); }), StopKind::error);
    close_unit(diagnostics_unit);
    EXPECT_EQ(folder.read("Diagnostics.stxt"),
              " ++> Warning: User-supplied vessel RAOs \"USERRAOS.txt\" not found;\n"
              "     Dimensionless RAOs will default to unity.\n");
}

TEST(UserRaos, FrequencyOutsideTheTableWarnsOncePerRunAndExtrapolates) {
    ScratchFolder folder;
    ScriptedConsole console("\n");
    // The grid runs 0.19 to 2.09 rad/s; the table covers 0.5 to 1.0 only.
    folder.write("USERRAOS.txt", rao_file({0.5, 0.7, 1.0}, {0.0, 180.0}));
    prepare(60.0f);
    USRRAO("USERRAOS.txt ");
    EXPECT_EQ(console.screen(), " ++> Warning: Frequency outside user-supplied RAO range;\n"
                                "     \"continue\" to extrapolate outside available range.\n" +
                                    abort_pause);
    for (const int IW : {1, 31}) {
        SCOPED_TRACE(IW);
        std::array<std::complex<double>, 6> raw{};
        for (int d = 0; d < 6; ++d) {
            const Cx v = table_value(d, grid_frequency(IW), 60.0);
            raw[static_cast<std::size_t>(d)] = {v.real(), v.imag()};
        }
        expect_raos_near(rao_columns(IW), expected_raos(raw, IW), 2e-5);
    }
    // Not again in this run, even for another file.
    console.clear_screen_text();
    folder.write("UTUGSRAO.txt", rao_file({0.5, 1.0}, {0.0, 180.0}));
    USRRAO("UTUGSRAO.txt ");
    USRRAO("USERRAOS.txt ");
    EXPECT_EQ(console.screen(), "");
}

TEST(UserRaos, TableIsReadOnceUnlessAnotherNameIsAsked) {
    ScratchFolder folder;
    ScriptedConsole console;
    folder.write("USERRAOS.txt", rao_file({0.1, 2.2}, {0.0, 180.0}));
    prepare(0.0f);
    USRRAO("USERRAOS.txt ");
    const Cx first = rao_columns(5)[2];
    folder.write("USERRAOS.txt", "not a table\n"); // a change during the run is not seen
    USRRAO("USERRAOS.txt ");
    EXPECT_EQ(rao_columns(5)[2], first);
    folder.write("UBUOYRAO.txt",
                 "2 2\n0\n0.1 0 0 0 0 7 0 0 0 0 0 0 0\n2.2 0 0 0 0 7 0 0 0 0 0 0 0\n"
                 "180\n0.1 0 0 0 0 7 0 0 0 0 0 0 0\n2.2 0 0 0 0 7 0 0 0 0 0 0 0\n");
    USRRAO("UBUOYRAO.txt ");
    EXPECT_NEAR(rao_columns(5)[2].real(), 7.0f, 1e-6);
    EXPECT_EQ(console.screen(), "");
}

TEST(UserRaos, TablesTheInterpolationCannotUseAreRefused) {
    const std::string good = rao_file({0.1, 2.2}, {0.0, 180.0});
    const std::string constant_file = "2 2\n0\n0.1 0 0 0 0 7 0 0 0 0 0 0 0\n"
                                      "2.2 0 0 0 0 7 0 0 0 0 0 0 0\n180\n"
                                      "0.1 0 0 0 0 7 0 0 0 0 0 0 0\n"
                                      "2.2 0 0 0 0 7 0 0 0 0 0 0 0\n";
    struct Row {
        const char* what;
        std::string text;
        std::string message;
    };
    const std::string file_error = "\n ++> End of file or related file error in routine USRRAO\n"
                                   "     file name USERRAOS.txt \n";
    const Row rows[] = {
        {"122 frequencies", "122 2\n",
         " ++>  User-supplied RAO array dimensions = [122,2] out of range;\n"
         "      maximum allowable array dimensions = [121,145]\n"},
        {"146 headings", "2 146\n",
         " ++>  User-supplied RAO array dimensions = [2,146] out of range;\n"
         "      maximum allowable array dimensions = [121,145]\n"},
        {"one frequency", rao_file({0.5}, {0.0, 90.0}),
         " ++>  User-supplied RAO array dimensions = [1,2] out of range;\n"
         "      minimum allowable array dimensions = [2,2]\n"
         "      file name USERRAOS.txt \n"},
        {"one heading", rao_file({0.5, 1.0}, {0.0}),
         " ++>  User-supplied RAO array dimensions = [2,1] out of range;\n"
         "      minimum allowable array dimensions = [2,2]\n"
         "      file name USERRAOS.txt \n"},
        {"a count of 0", "0 3\n",
         " ++>  User-supplied RAO array dimensions = [0,3] out of range;\n"
         "      minimum allowable array dimensions = [2,2]\n"
         "      file name USERRAOS.txt \n"},
        {"frequencies out of order", rao_file({0.1, 0.9, 0.5}, {0.0, 90.0}),
         " ++>  User-supplied RAO frequencies out of order;\n"
         "      they must rise or fall strictly\n"
         "      file name USERRAOS.txt \n"},
        {"a repeated heading", rao_file({0.1, 0.5}, {0.0, 90.0, 90.0}),
         " ++>  User-supplied RAO headings out of order;\n"
         "      they must rise or fall strictly\n"
         "      file name USERRAOS.txt \n"},
        {"letters in a number", "2 2\n0\n0.1 0 0 0 0 x 0 0 0 0 0 0 0\n", file_error},
        {"a file ending early", good.substr(0, good.size() / 2), file_error},
        {"an empty file", "", file_error},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchFolder folder;
        ScriptedConsole console("\n\n");
        // Another table is held first: a refused file must not take its place by name.
        folder.write("UTUGSRAO.txt", constant_file);
        folder.write("USERRAOS.txt", row.text);
        prepare(0.0f);
        USRRAO("UTUGSRAO.txt ");
        EXPECT_EQ(run_until_stop([] { USRRAO("USERRAOS.txt "); }), StopKind::error);
        EXPECT_EQ(console.screen(), row.message + return_pause);
        // The refused file was not taken as held: once mended it is read.
        console.clear_screen_text();
        folder.write("USERRAOS.txt", good);
        USRRAO("USERRAOS.txt ");
        EXPECT_EQ(console.screen(), "");
        const Cx v = table_value(2, grid_frequency(3), 0.0);
        EXPECT_NEAR(rao_columns(3)[2].real(), v.real(), 1e-5);
    }
}

} // namespace
} // namespace lintar
