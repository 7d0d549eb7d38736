// Tests of the offset-type box: its lines, widths and centring for each offset type.
#include "support/console.h"
#include "util/offset_box.h"

#include "runtime/units.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

namespace lintar {
namespace {

using testing::ScriptedConsole;

struct BoxArgs {
    std::int32_t TABTYP = 1;
    float ANGVAR = 0.0f;
    std::array<float, 3> DIRVEC{};
    std::array<float, 3> FDIR{};
    std::int32_t MTCHFT = 0;
    std::int32_t FCVES = 0;
    std::int32_t TQVES = 0;
    std::array<float, 3> MOMAXS{};
};

std::string box(const BoxArgs& a) {
    ScriptedConsole console;
    IOBOX(a.TABTYP, a.ANGVAR, a.DIRVEC, a.FDIR, a.MTCHFT, screen_unit, a.FCVES, a.TQVES, a.MOMAXS);
    return console.screen();
}

// The rule and the empty framed line of a box of LENBOX columns after TAB1 blanks.
std::string rule(int tab1, int lenbox) {
    return std::string(tab1, ' ') + std::string(lenbox, ':') + "\n";
}
std::string empty(int tab1, int lenbox) {
    return std::string(tab1, ' ') + "::" + std::string(lenbox - 4, ' ') + "::\n";
}

TEST(OffsetBox, LateralBoxGeometry) {
    // Title 44 long: LENBOX 52, TAB1 13, right border at column 64; the direction line
    // (width 40) is indented 4, the title 2.
    EXPECT_EQ(box({.TABTYP = 1, .ANGVAR = 30.0f}),
              rule(13, 52) + empty(13, 52) +
                  "             ::  Offset Type: Rectilinear Lateral Translation  ::\n" +
                  empty(13, 52) +
                  "             ::    Plan-View Offset Direction =   30.00 deg    ::\n" +
                  empty(13, 52) + rule(13, 52));
}

TEST(OffsetBox, VerticalBoxHasSixLines) {
    // Title 45 long: LENBOX 53, TAB1 12; nothing below the title.
    EXPECT_EQ(box({.TABTYP = 4, .ANGVAR = 99.0f, .DIRVEC = {5, 5, 5}}),
              rule(12, 53) + empty(12, 53) +
                  "            ::  Offset Type: Rectilinear Vertical Translation  ::\n" +
                  empty(12, 53) + empty(12, 53) + rule(12, 53));
}

TEST(OffsetBox, YawSense) {
    // Title 39 long: LENBOX 47, TAB1 15. The sense line's width is 20 plus its sense text.
    struct Case {
        float ANGVAR;
        std::string line;
    };
    const Case cases[] = {
        {-1.0f, "               ::     Rotation Sense = -1. (Clockwise)      ::\n"},
        {1.0f, "               ::    Rotation Sense =  1. (C-Clockwise)     ::\n"},
        {0.5f, "               ::     Rotation Sense =  0. (Clockwise)      ::\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ANGVAR);
        EXPECT_EQ(box({.TABTYP = 2, .ANGVAR = c.ANGVAR}),
                  rule(15, 47) + empty(15, 47) +
                      "               ::  Offset Type: Rotational Yaw Translation  ::\n" +
                      empty(15, 47) + c.line + empty(15, 47) + rule(15, 47));
    }
}

TEST(OffsetBox, ObliqueAxisRotation) {
    // Widths: title 34, axis 47, retreating sense 52: LENBOX 60, TAB1 9.
    EXPECT_EQ(box({.TABTYP = 3, .ANGVAR = -1.0f, .DIRVEC = {0.5f, -0.25f, 1.0f}}),
              rule(9, 60) + empty(9, 60) +
                  "         ::           Offset Type: Oblique Axis Rotation           ::\n" +
                  empty(9, 60) +
                  "         ::    Axis Direction (Gx,Gy,Gz) = ( 0.50,-0.25, 1.00)     ::\n" +
                  "         ::  Rotation Sense = -1. (Retreating right-handed screw)  ::\n" +
                  empty(9, 60) + rule(9, 60));
}

TEST(OffsetBox, DirectionBoxesShowTheirVector) {
    // Type 5 (width 49, title 44): LENBOX 57, TAB1 10; a component too wide for F5.2 shows
    // asterisks. Type 6 (width 50, title 38): LENBOX 58, TAB1 10.
    EXPECT_EQ(box({.TABTYP = 5, .DIRVEC = {123.0f, 0.6f, -0.8f}}),
              rule(10, 57) + empty(10, 57) +
                  "          ::    Offset Type: Rectilinear Oblique Translation     ::\n" +
                  empty(10, 57) +
                  "          ::  Offset Direction (Gx,Gy,Gz) = (*****, 0.60,-0.80)  ::\n" +
                  empty(10, 57) + rule(10, 57));
    EXPECT_EQ(box({.TABTYP = 6, .DIRVEC = {1.0f, 0.0f, 0.0f}}),
              rule(10, 58) + empty(10, 58) +
                  "          ::        Offset Type: User-specified input file        ::\n" +
                  empty(10, 58) +
                  "          ::  Initial Direction (Gx,Gy,Gz) = ( 1.00, 0.00, 0.00)  ::\n" +
                  empty(10, 58) + rule(10, 58));
}

TEST(OffsetBox, SpecifiedForceWithMoments) {
    // Title 59, every further line 65: LENBOX 73, TAB1 2. Moment line, force line, an empty
    // framed line and the application point, in that order.
    const std::string text = box({.TABTYP = 7,
                                  .DIRVEC = {1.0f, 0.0f, 0.0f},
                                  .FDIR = {10.0f, -5.5f, 2.25f},
                                  .MTCHFT = 1,
                                  .FCVES = 0,
                                  .TQVES = 1,
                                  .MOMAXS = {0.0f, 0.0f, 1.0f}});
    EXPECT_EQ(text,
              rule(2, 73) + empty(2, 73) +
                  "  ::     Offset Type: Specified Force; Continuous Static Equilibrium     ::\n" +
                  empty(2, 73) +
                  "  ::  Vessel-Relative Moment Axis:     (Vx,Vy,Vz) = ( 0.00, 0.00, 1.00)  ::\n" +
                  "  ::  Global-Relative Force Direction: (Gx,Gy,Gz) = ( 1.00, 0.00, 0.00)  ::\n" +
                  empty(2, 73) +
                  "  ::  Force Application Point (Vx,Vy,Vz) = (   10.00,   -5.50,    2.25)  ::\n" +
                  empty(2, 73) + rule(2, 73));
    // Without MTCHFT the moment line goes, the box keeps its width.
    const std::string forces_only = box({.TABTYP = 7, .MTCHFT = 0, .FCVES = 1});
    EXPECT_EQ(forces_only.find("Moment Axis"), std::string::npos);
    EXPECT_NE(forces_only.find("  ::  Vessel-Relative Force Direction: (Vx,Vy,Vz) = ( 0.00, "
                               "0.00, 0.00)  ::\n"),
              std::string::npos);
    EXPECT_EQ(forces_only.substr(0, 76), rule(2, 73));
}

TEST(OffsetBox, SpecifiedTorque) {
    // Title and axis line both 60: LENBOX 68, TAB1 5.
    EXPECT_EQ(box({.TABTYP = 8, .DIRVEC = {0.0f, 0.0f, -1.0f}, .TQVES = 0}),
              rule(5, 68) + empty(5, 68) +
                  "     ::  Offset Type: Specified Torque; Continuous Static Equilibrium  ::\n" +
                  empty(5, 68) +
                  "     ::  Global-Relative Moment Axis (Gx,Gy,Gz) = ( 0.00, 0.00,-1.00)  ::\n" +
                  empty(5, 68) + rule(5, 68));
}

TEST(OffsetBox, UnknownTypeWritesNothing) {
    EXPECT_EQ(box({.TABTYP = 0}), "");
    EXPECT_EQ(box({.TABTYP = 9}), "");
}

} // namespace
} // namespace lintar
