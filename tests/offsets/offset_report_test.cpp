// Tests of the offset report: every table code and run kind against golden texts typed from
// the report's layouts, the row cut and marker, the range warnings, the convergence note, the
// console pause and the page counter.
//
// The golden texts under tests/offsets/data/ are exact, trailing blanks included; a line that
// holds only a form feed is a new page.
#include "offsets/offset_report.h"
#include "support/console.h"

#include "blocks/tpcm.h"
#include "runtime/units.h"

#include <array>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace lintar {
namespace {

using testing::ScratchFolder;
using testing::ScriptedConsole;

constexpr int report_unit = 1;

std::string golden(const std::string& name) {
    return testing::read_text(std::filesystem::path(LINTAR_SOURCE_DIR) / "tests/offsets/data" /
                              name);
}

// The arguments of one sequence's TBLOT1 calls, with small synthetic result arrays.
struct Sequence {
    std::vector<float> OFF = std::vector<float>(50, 0.0f);
    std::vector<float> ARRAY = std::vector<float>(report_values_per_row * 50, 0.0f);
    std::int32_t TABTYP = 1, IREP = 1, NPAG = 1;
    std::int32_t OVRFLO = 0, BADLIN = 0, NOVFLO = 0, SPNERR = 0, VRTBAD = 0, NVTOFL = 0;
    std::int32_t AUXDSP = 0, MTCHFT = 0, FCVES = 0, TQVES = 0, NOCUT = 0;
    std::array<float, 10> PHIL{};
    std::array<float, 2> PHIY{};
    float XINIT = 0.0f, YINIT = 0.0f, ZINIT = 0.0f, YWINIT = 0.0f;
    std::array<float, 30> OBLVEC{};
    std::array<float, 10> OBLPTY{};
    std::array<float, 3> FAPPNT{};
    std::array<float, 30> FRCVEC{}, TRQVEC{}, RCTDIR{};
    std::array<float, 3> ROTCTR{};
    std::int32_t FRSTFL = 0, ITFLWN = 0, NITRFL = 0, NROW = 0;
    OffsetReportInputs inputs;

    // Row r: its offset and its values 1, 2, ... (ARRAY(k, r)).
    void row(int r, float offset, std::initializer_list<float> values) {
        OFF[static_cast<std::size_t>(r - 1)] = offset;
        int k = 1;
        for (float v : values)
            at(k++, r) = v;
        NROW = std::max(NROW, r);
    }
    float& at(int k, int r) {
        return ARRAY[static_cast<std::size_t>((r - 1) * report_values_per_row + k - 1)];
    }
    // Direction k (1 to 10) of a table of three-component directions.
    static void set(std::array<float, 30>& table, int k, float x, float y, float z) {
        const auto i = static_cast<std::size_t>(3 * (k - 1));
        table[i] = x;
        table[i + 1] = y;
        table[i + 2] = z;
    }
    void write(std::int32_t IDENT) {
        // The report-wide options as the driver reads them from TPCM, with this sequence's
        // own directions and initial state.
        OffsetReportOptions options = offset_report_options();
        options.FCVES = FCVES;
        options.TQVES = TQVES;
        options.PHIL = PHIL;
        options.PHIY = PHIY;
        options.XINIT = XINIT;
        options.YINIT = YINIT;
        options.ZINIT = ZINIT;
        options.YWINIT = YWINIT;
        options.OBLVEC = OBLVEC;
        options.OBLPTY = OBLPTY;
        options.FAPPNT = FAPPNT;
        options.FRCVEC = FRCVEC;
        options.TRQVEC = TRQVEC;
        options.RCTDIR = RCTDIR;
        const OffsetTableRecords records{OVRFLO, BADLIN, NOVFLO, SPNERR, VRTBAD,
                                         NVTOFL, FRSTFL, ITFLWN, NITRFL};
        TBLOT1(OFF, ARRAY, IDENT, TABTYP, IREP, NPAG, records, AUXDSP, MTCHFT, NOCUT, ROTCTR, NROW,
               options, inputs);
    }
};

// The report goes to "OFFSETS.stxt" on unit 1 in a scratch folder; English units, the moment
// centre at (10, 0, -5) and no initial state unless a test sets them.
class OffsetReport : public ::testing::Test {
protected:
    ScratchFolder folder;
    ScriptedConsole console;

    OffsetReport() {
        TPCM.IUNIT = report_unit;
        TPCM.EDUNIT = screen_unit;
        TPCM.NUNTS = 0;
        TPCM.RMCTR(1) = 10.0f;
        TPCM.RMCTR(3) = -5.0f;
        open_unit(report_unit, "OFFSETS.stxt", OpenStatus::replace, FileForm::formatted);
    }

    std::string report() {
        close_unit(report_unit);
        return folder.read("OFFSETS.stxt");
    }
};

TEST_F(OffsetReport, MostExposedLineOfALateralSequence) {
    // Repetition 2 at 45 degrees, every initial-state line, all rows kept (NOCUT 1) with the
    // lateral table left at row 3, three convergence failures (offsets 10, 11 and 14), and a
    // second row whose line number and total tension do not fit their fields.
    TPCM.TRIMDG = 1.5f;
    TPCM.HEELDG = -0.5f;
    TPCM.AUXFRC = 1;
    TPCM.CRDSYS = 0;
    TPCM.XVFRC = 100.0f;
    TPCM.YVFRC = -50.0f;
    TPCM.VESMOM = 12345.0f;
    Sequence s;
    s.inputs.RVES = {1.5f, -2.5f, 0.5f};
    s.AUXDSP = 1;
    s.XINIT = 5.0f;
    s.YINIT = -2.5f;
    s.YWINIT = 1.25f;
    s.IREP = 2;
    s.PHIL[1] = 45.0f;
    s.NOCUT = 1;
    s.OVRFLO = 1;
    s.NOVFLO = 3;
    s.BADLIN = 4;
    s.ITFLWN = 3;
    s.FRSTFL = 10;
    s.NITRFL = 0b10011;
    s.row(1, 0.0f, {3.0f, 250.5f, 200.25f, 150.0f, 1200.5f, 180.0f, 0.0f, 0.0f});
    s.row(2, 10.0f, {123.0f, 1234567.0f, 200.75f, -150.25f, 1199.625f, 179.5f, -3.25f, -1234.75f});
    s.row(3, 20.0f, {7.9f, 300.0f, 280.0f, 110.0f, 900.0f, 250.0f, 12.0f, -2500.0f});
    s.write(99);
    EXPECT_EQ(s.NROW, 3);
    EXPECT_EQ(report(), golden("code99_lateral.txt"));
}

TEST_F(OffsetReport, HawserTablesOfABuoyArrangement) {
    // Line 5 of type 2 is the hawser. Code 97 adds the row's buoy offset to ARRAY(1) and
    // skips ARRAY(5); code 94 prints ARRAY(1) itself.
    TPCM.IARCO = 1;
    TPCM.HAWSLN = 5;
    TPCM.HAWSTP = 2;
    Sequence s;
    s.inputs.hawser_length = 350.25f;
    s.row(1, 0.0f, {12.5f, 400.0f, 380.5f, 125.25f, 99.0f, 375.0f, 0.0f, -380.5f});
    s.row(2, 5.0f, {13.0f, 420.0f, 400.25f, 129.75f, 99.0f, 395.5f, 1.5f, -400.5f});
    s.write(97);
    s.row(1, 0.0f, {12.5f, 400.0f, 380.5f, 125.25f, 2500.0f, 15000.0f, 17500.0f});
    s.row(2, 5.0f, {18.0f, 420.0f, 400.25f, 129.75f, 2751.0f, 16000.0f, 18751.0f});
    s.write(94);
    EXPECT_EQ(report(), golden("hawser_tables.txt"));
}

TEST_F(OffsetReport, EnergyAndCrossCouplingOfALateralSequence) {
    Sequence s;
    s.row(1, 0.0f, {1.0f, 250.0f, 200.0f, 150.0f, 1200.5f, 1500.0f, 9000.0f});
    s.row(2, 10.0f, {2.0f, 260.5f, 210.25f, 152.0f, 1180.375f, 1651.0f, 9877.0f});
    s.write(96);
    s.row(1, 0.0f, {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f});
    s.row(2, 10.0f, {-125.5f, 1250.0f, -37.5f, 0.25f, 3.5f, -125.5f, 0.625f, -2.375f});
    s.write(98);
    EXPECT_EQ(report(), golden("lateral_energy_coupling.txt"));
}

TEST_F(OffsetReport, TorqueSequenceMarksItsSpanErrorRow) {
    // Kind 8 about the vessel z axis; fairlead 6 leaves the vertical span at row 2, all rows
    // kept: ">" on row 2 of code 99, ">   " on row 2 of code 98, the span warning after each.
    Sequence s;
    s.TABTYP = 8;
    s.TQVES = 1;
    Sequence::set(s.TRQVEC, 1, 0.0f, 0.0f, 1.0f);
    s.NOCUT = 1;
    s.SPNERR = 6;
    s.VRTBAD = 6;
    s.NVTOFL = 2;
    s.row(1, 1.0f, {5.0f, 300.0f, 250.0f, 165.5f, 800.0f, 240.0f, 0.0f, 15000.0f});
    s.row(2, 2.0f, {5.0f, 320.0f, 270.5f, 171.0f, 790.5f, 260.5f, 1.0f, 30000.0f});
    s.write(99);
    s.row(1, 1.0f, {15000.0f, 10.0f, -20.0f, 15000.0f, 1.5f, -2.5f, 0.0f});
    s.row(2, 2.0f, {30000.0f, 20.0f, -40.0f, 30000.0f, 3.0f, -5.0f, 0.5f});
    s.write(98);
    EXPECT_EQ(s.NROW, 2);
    EXPECT_EQ(report(), golden("torque_sequence.txt"));
}

TEST_F(OffsetReport, ForceSequenceInMetricUnits) {
    // Kind 7, forces and moments together, a buoy arrangement: the force note and the
    // "Buoy Data" banner on code 99 (whose second head line stays at 15 blanks), the
    // continuous-equilibrium banner with "(Buoy Data)" on code 95.
    TPCM.NUNTS = 1;
    TPCM.IARCO = 1;
    Sequence s;
    s.TABTYP = 7;
    s.MTCHFT = 1;
    s.FCVES = 0;
    s.TQVES = 1;
    Sequence::set(s.FRCVEC, 1, 1.0f, 0.0f, 0.0f);
    Sequence::set(s.TRQVEC, 1, 0.0f, 0.0f, 1.0f);
    s.FAPPNT = {10.0f, -5.5f, 2.25f};
    s.row(1, 1.0f, {2.0f, 150.0f, 120.0f, 90.0f, 600.0f, 110.0f, 0.0f, 50.0f});
    s.row(2, 2.0f, {2.0f, 175.5f, 140.25f, 105.5f, 590.0f, 130.0f, 0.0f, 100.0f});
    s.write(99);
    s.row(1, 1.0f, {50.0f, 500.0f, 1.5f, 0.0f, -0.125f, 0.0f, 0.0f, 0.5f});
    s.row(2, 2.0f, {100.0f, 1000.0f, 3.25f, -0.5f, -0.25f, 0.25f, -0.1875f, 1.0f});
    s.write(95);
    EXPECT_EQ(report(), golden("force_sequence.txt"));
}

TEST_F(OffsetReport, NetLoadsOfAYawSequence) {
    // Repetition 2 turns counter-clockwise. Fairlead 2 leaves the vertical span at row 3 and
    // the rows are cut (NOCUT 0): both tables show rows 1 and 2, and a yaw sequence writes no
    // span warning. A negative value one column too wide for E10.4 drops its leading zero.
    Sequence s;
    s.TABTYP = 2;
    s.IREP = 2;
    s.PHIY = {-1.0f, 1.0f};
    s.SPNERR = 2;
    s.VRTBAD = 2;
    s.NVTOFL = 3;
    s.row(1, 0.0f, {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f});
    s.row(2, 5.0f, {-12340.0f, 250.5f, 0.125f, -1.5f, 98766.0f, -0.0625f});
    s.row(3, 10.0f, {1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f});
    s.write(21);
    EXPECT_EQ(s.NROW, 2);
    s.write(22);
    EXPECT_EQ(s.NROW, 2);
    EXPECT_EQ(report(), golden("yaw_net_loads.txt"));
}

TEST_F(OffsetReport, StiffnessMatrixOfALateralOffset) {
    // Matrix row i holds the derivatives with respect to displacement i: ARRAY(6(i-1)+j).
    Sequence s;
    s.PHIL[0] = 90.0f;
    s.ROTCTR = {0.5f, 0.0f, -1.0f};
    std::vector<float> values;
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j)
            values.push_back(i == j ? -1250.0f * static_cast<float>(i)
                                    : static_cast<float>(10 * i + j) * 0.5f);
    s.row(1, 12.5f, {});
    std::copy(values.begin(), values.end(), s.ARRAY.begin());
    s.write(24);
    EXPECT_EQ(report(), golden("stiffness_lateral.txt"));
}

TEST_F(OffsetReport, LinePagesOfTenLines) {
    // Two pages: lines 1 to 8, then 9 and 10 with their own head and tail.
    TPCM.NLIN = 10;
    Sequence s;
    s.NPAG = 2;
    for (int r = 1; r <= 2; ++r) {
        s.row(r, 10.0f * static_cast<float>(r - 1), {});
        for (int n = 1; n <= 10; ++n)
            s.at(n, r) = 100.0f * static_cast<float>(n) + 10.0f * static_cast<float>(r) + 0.25f;
    }
    s.write(1);
    EXPECT_EQ(TPCM.IPAG, 3);
    EXPECT_EQ(report(), golden("line_pages_lateral.txt"));
}

TEST_F(OffsetReport, EnergyLinePageOfAForceSequence) {
    // Code 12 in metric units: energies in ES9.2 under "(ton-meter)", offset numbers.
    TPCM.NUNTS = 1;
    TPCM.NLIN = 3;
    Sequence s;
    s.TABTYP = 7;
    s.FCVES = 1;
    Sequence::set(s.FRCVEC, 1, 0.0f, 1.0f, 0.0f);
    s.row(1, 1.0f, {1234.5f, -0.5f, 0.0f});
    s.row(2, 2.0f, {2468.0f, -1.25f, 1.0e6f});
    s.write(12);
    EXPECT_EQ(report(), golden("energy_pages_force.txt"));
}

// True when the text holds the line whole.
bool has_line(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

TEST_F(OffsetReport, HeadsByRunKind) {
    struct Case {
        const char* name;
        std::int32_t IDENT;
        std::int32_t TABTYP;
        std::int32_t IARCO;
        std::int32_t NUNTS;
        std::vector<std::string> lines;
    };
    const std::string k = "(k.lbs)";
    const Case cases[] = {
        {"99 yaw",
         99,
         2,
         0,
         0,
         {std::string(39, ' ') + "Unstretched   Anchor Forces    Total Yaw",
          "  (deg)   #    " + k + " " + k + " " + k + "    (ft)      " + k + "  " + k +
              "  (k.lbs*ft)"}},
        {"99 oblique rotation",
         99,
         3,
         0,
         0,
         {std::string(39, ' ') + "Unstretched   Anchor Forces      Total  "}},
        {"99 lateral, buoy",
         99,
         1,
         1,
         0,
         {std::string(13, ' ') + "----  Most Exposed Line Characteristics: Buoy Data  ----",
          "  Buoy         -- Fairlead Tensions --  Suspended    Rel. to Bottom    Restoring"}},
        {"96 force",
         96,
         7,
         0,
         0,
         {" Number   #    " + k + " " + k + " " + k + "    (ft)      (foot-kips)   (foot-kips)"}},
        {"96 yaw shows degrees",
         96,
         2,
         0,
         0,
         {"  (deg)   #    " + k + " " + k + " " + k + "    (ft)      (foot-kips)   (foot-kips)"}},
        {"96 vertical, buoy",
         96,
         4,
         1,
         0,
         {std::string(13, ' ') + "----  Most Exposed Line Potential Energy: Buoy Data  ----",
          "  (ft)    #    " + k + " " + k + " " + k + "    (ft)      (foot-kips)   (foot-kips)"}},
        {"98 yaw",
         98,
         2,
         0,
         0,
         {std::string(14, ' ') + "Total Yaw  ---- Induced Moments ----     Vessel-Relative Forces ",
          "    (deg)    (k.lbs*ft)  ------  (k.lbs*ft)  -----    ------- (k.lbs) --------"}},
        {"98 force, buoy",
         98,
         7,
         1,
         0,
         {std::string(32, ' ') + ">>> Buoy Data <<<",
          " Number  (k.lbs)  -------- (k.lbs*ft) -----    ------------ (k.lbs)------------"}},
        {"98 oblique rectilinear, metric",
         98,
         5,
         0,
         1,
         {"  (m.)   (m.ton)  -------- (m.ton*m.) -----    ------------ (m.ton)------------"}},
        {"21 force",
         21,
         7,
         0,
         0,
         {"   Number    --------- (k.lbs) ---------         ------- (k.lbs*ft) --------"}},
        {"22 vertical, metric",
         22,
         4,
         0,
         1,
         {"    (m.)     --------- (m.ton) ---------         ------- (m.ton*m.) --------"}},
        {"23",
         23,
         1,
         0,
         0,
         {"     >>> Raw Mooring Stiffness matrix in earth-bound system (Gx, Gy, Gz)"}},
        {"25",
         25,
         1,
         0,
         0,
         {"     >>> Symmetrized Stiffness matrix in vessel-bound system (Vx, Vy, Vz)"}},
        {"26 force",
         26,
         7,
         0,
         0,
         {"     >>> Symmetrized Stiffness matrix in earth-bound system (Gx, Gy, Gz)",
          "   |                        Offset Number =   7"}},
        {"24 yaw", 24, 2, 0, 0, {"   |                        Offset Value  =     6.60 deg"}},
        {"line page, yaw", 6, 2, 0, 0, {std::string(36, ' ') + "(deg)", " Offset", " (deg)"}},
        {"line page, metric lengths", 4, 5, 0, 1, {std::string(37, ' ') + "(m.)", " (m. )"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder scratch;
        TPCM.IARCO = c.IARCO;
        TPCM.NUNTS = c.NUNTS;
        TPCM.NLIN = 2;
        open_unit(report_unit, "OFFSETS.stxt", OpenStatus::replace, FileForm::formatted);
        Sequence s;
        s.TABTYP = c.TABTYP;
        s.row(1, 6.6f, {1.0f, 2.0f});
        s.write(c.IDENT);
        close_unit(report_unit);
        const std::string text = scratch.read("OFFSETS.stxt");
        for (const auto& line : c.lines)
            EXPECT_TRUE(has_line(text, line)) << "missing line\n[" << line << "]\nin\n" << text;
    }
}

TEST_F(OffsetReport, BoxShowsTheRepetitionsDirection) {
    struct Case {
        const char* name;
        std::int32_t TABTYP;
        std::int32_t IREP;
        std::string line; // a line of the box, or of the page head
    };
    const Case cases[] = {
        {"yaw, repetition 2", 2, 2,
         "               ::    Rotation Sense =  1. (C-Clockwise)     ::"},
        {"oblique axis, repetition 2", 3, 2,
         "         ::    Axis Direction (Gx,Gy,Gz) = ( 0.00, 1.00, 0.00)    ::"},
        {"oblique axis: rotation origin", 3, 2,
         "               (Vx,Vy,Vz) = ( 1.000E+00, 2.000E+00, 3.000E+00)"},
        {"rectilinear, repetition 10", 5, 10,
         "          ::  Offset Direction (Gx,Gy,Gz) = ( 0.60, 0.80, 0.00)  ::"},
        {"user file, repetition 3", 6, 3,
         "          ::  Initial Direction (Gx,Gy,Gz) = ( 0.00, 0.00, 1.00)  ::"},
        {"user file, repetition 12", 6, 12,
         "          ::  Initial Direction (Gx,Gy,Gz) = ( 0.50, 0.50, 0.71)  ::"},
        {"user file: rotation origin", 6, 12,
         "               (Vx,Vy,Vz) = ( 1.000E+00, 2.000E+00, 3.000E+00)"},
        {"torque, repetition 4", 8, 4,
         "     ::  Global-Relative Moment Axis (Gx,Gy,Gz) = ( 0.00,-1.00, 0.00)  ::"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder scratch;
        open_unit(report_unit, "OFFSETS.stxt", OpenStatus::replace, FileForm::formatted);
        Sequence s;
        s.TABTYP = c.TABTYP;
        s.IREP = c.IREP;
        s.PHIY = {-1.0f, 1.0f};
        s.OBLPTY[1] = 1.0f;
        Sequence::set(s.OBLVEC, 2, 0.0f, 1.0f, 0.0f);
        Sequence::set(s.RCTDIR, 3, 0.0f, 0.0f, 1.0f);
        Sequence::set(s.RCTDIR, 10, 0.6f, 0.8f, 0.0f);
        Sequence::set(s.TRQVEC, 4, 0.0f, -1.0f, 0.0f);
        s.inputs.user_direction = {0.5f, 0.5f, 0.7071f};
        s.ROTCTR = {1.0f, 2.0f, 3.0f};
        s.write(99);
        close_unit(report_unit);
        const std::string text = scratch.read("OFFSETS.stxt");
        EXPECT_TRUE(has_line(text, c.line)) << text;
    }
    // A lateral or vertical sequence shows no rotation origin on its summary pages.
    open_unit(report_unit, "OFFSETS.stxt", OpenStatus::replace, FileForm::formatted);
    Sequence s;
    s.TABTYP = 4;
    s.write(99);
    EXPECT_EQ(report().find("Rotation axes"), std::string::npos);
}

TEST_F(OffsetReport, RowCutToNothing) {
    // The first row already overflows: every table of the sequence loses all its rows but
    // keeps its head and its warning; the cut count reaches the caller.
    Sequence s;
    s.OVRFLO = 1;
    s.NOVFLO = 1;
    s.BADLIN = 12;
    s.row(1, 2.5f, {1.0f, 100.0f});
    s.row(2, 5.0f, {1.0f, 200.0f});
    for (const std::int32_t IDENT : {99, 21, 1}) {
        s.write(IDENT);
        EXPECT_EQ(s.NROW, 0);
    }
    const std::string text = report();
    const std::string warning = "\n ++> Offset range exceeded lateral interpolation table "
                                "bounds.\n     First occurrence was in mooring line  12, offset "
                                "value    2.50\n";
    // Two empty lines end the heads of code 21; the warning follows directly.
    EXPECT_NE(text.find("(k.lbs*ft) --------\n\n\n" + warning), std::string::npos);
    // NLIN is 0: one line page with no line columns and no rows.
    EXPECT_NE(text.find("  Line #:  \n\n Offset\n (ft )\n\n" + warning), std::string::npos);
    EXPECT_EQ(text.find("\n    2.5"), std::string::npos);
}

TEST_F(OffsetReport, RowCutByTheEarlierOfOverflowAndSpanError) {
    // A vertical sequence: lateral overflow at row 5, span error at row 3. Rows 1 and 2 stay;
    // only the span warning is written, as the table no longer reaches row 4.
    Sequence s;
    s.TABTYP = 4;
    s.OVRFLO = 1;
    s.NOVFLO = 5;
    s.BADLIN = 1;
    s.SPNERR = 1;
    s.VRTBAD = 3;
    s.NVTOFL = 3;
    for (int r = 1; r <= 6; ++r)
        s.row(r, static_cast<float>(r), {1.0f});
    s.write(21);
    EXPECT_EQ(s.NROW, 2);
    const std::string text = report();
    EXPECT_NE(text.find("\n    2.0  "), std::string::npos);
    EXPECT_EQ(text.find("\n    3.0  "), std::string::npos);
    EXPECT_EQ(text.find("lateral interpolation"), std::string::npos);
    EXPECT_TRUE(has_line(text, " ++> Vertical offset range exceeded vertical interpolation span."));
    EXPECT_TRUE(
        has_line(text, "     First occurrence was in mooring line   3, offset value    3.00"));
}

TEST_F(OffsetReport, RangeWarnings) {
    const std::vector<float> OFF = {0.0f, 7.5f, 15.0f, 22.5f};
    struct Case {
        const char* name;
        std::int32_t OVRFLO, NOVFLO, SPNERR, NVTOFL, NROW, TABTYP;
        std::string text;
    };
    const std::string lateral = "\n ++> Offset range exceeded lateral interpolation table "
                                "bounds.\n     First occurrence was in mooring line   9, offset "
                                "value   15.00\n";
    const Case cases[] = {
        {"none", 0, 0, 0, 0, 4, 1, ""},
        {"lateral", 1, 3, 0, 0, 2, 1, lateral},
        {"lateral, cut before it", 1, 3, 0, 0, 1, 1, ""},
        {"rotation", 0, 0, 1, 2, 4, 3,
         "\n ++> Rotation of more than    7.5 degrees moves fairlead number   4, and\n     "
         "possibly others, outside the specified vertical interpolation span.\n"},
        {"span in a vertical sequence, and lateral", 1, 3, 1, 4, 4, 4,
         lateral + "\n ++> Vertical offset range exceeded vertical interpolation span.\n     "
                   "First occurrence was in mooring line   4, offset value   22.50\n"},
        {"span in a lateral, yaw or user sequence", 0, 0, 1, 2, 4, 1, ""},
        {"span row beyond the offsets held", 0, 0, 1, 9, 9, 5,
         "\n ++> Vertical offset range exceeded vertical interpolation span.\n     "
         "First occurrence was in mooring line   4, offset value *******\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole screen;
        OVFWRN(c.OVRFLO, c.NOVFLO, 9, c.SPNERR, c.NVTOFL, 4, c.NROW, 0, OFF, screen_unit, c.TABTYP);
        EXPECT_EQ(screen.screen(), c.text);
    }
}

TEST(ConvergenceList, TwentyFiveNumbersTakeTwoLines) {
    std::string STROUT;
    LODROW(0x7fffffff, 1, STROUT); // bits 1 to 31: the first 25 are listed
    std::string first, second;
    for (int n = 1; n <= 19; ++n)
        first += (n < 10 ? "  " : " ") + std::to_string(n) + ",";
    for (int n = 20; n <= 25; ++n)
        second += " " + std::to_string(n) + ",";
    first.resize(78, ' ');
    second.resize(78, ' ');
    EXPECT_EQ(STROUT, first + second);

    LODROW(0b10011, 10, STROUT);
    EXPECT_EQ(STROUT, (" 10, 11, 14," + std::string(66, ' ')) + std::string(78, ' '));
    LODROW(0, 10, STROUT);
    EXPECT_EQ(STROUT, std::string(156, ' '));
}

TEST_F(OffsetReport, ConvergenceNoteListsEveryFailure) {
    Sequence s;
    s.row(1, 0.0f, {1.0f});
    s.ITFLWN = 25;
    s.FRSTFL = 3;
    s.NITRFL = (1 << 25) - 1; // offsets 3 to 27
    s.write(99);
    s.ITFLWN = 30;
    s.write(99);
    const std::string text = report();
    std::string first = " ";
    for (int n = 3; n <= 21; ++n)
        first += (n < 10 ? "  " : " ") + std::to_string(n) + ",";
    first.resize(79, ' ');
    const std::string second =
        " " + std::string(" 22, 23, 24, 25, 26, 27,") + std::string(78 - 24, ' ');
    EXPECT_NE(text.find("\n\n ++> Note: 25 convergence failure(s) occurred during processing; "
                        "in particular,\n     data associated with these offset numbers may be "
                        "in error:\n" +
                        first + "\n" + second + "\n"),
              std::string::npos);
    EXPECT_NE(text.find("\n ++> Note: 30 convergence failure(s) occurred during processing; in "
                        "particular,\n     data associated with at least these offset numbers "
                        "may be in error:\n" +
                        first + "\n" + second + "\n"),
              std::string::npos);
}

TEST_F(OffsetReport, NoPagesWritesNothing) {
    TPCM.NLIN = 5;
    Sequence s;
    s.NPAG = 0;
    s.row(1, 0.0f, {1.0f});
    s.ITFLWN = 1;
    s.NITRFL = 1;
    s.FRSTFL = 1;
    s.write(3);
    EXPECT_EQ(TPCM.IPAG, 1);
    EXPECT_EQ(report(), "");
}

TEST_F(OffsetReport, UnknownCodeOnlyStartsAPage) {
    Sequence s;
    s.row(1, 0.0f, {1.0f});
    for (const std::int32_t IDENT : {0, 14, 20, 27, 93, 100})
        s.write(IDENT);
    std::string pages;
    for (int k = 0; k < 6; ++k)
        pages += "\f\n";
    EXPECT_EQ(report(), pages);
}

TEST_F(OffsetReport, ValuesWithoutAnIntegerPartShowAsterisks) {
    Sequence s;
    s.TABTYP = 7;
    s.row(1, std::numeric_limits<float>::quiet_NaN(), {std::numeric_limits<float>::infinity()});
    s.write(96);
    s.write(95);
    s.write(23);
    const std::string text = report();
    EXPECT_NE(text.find("\n    NaN  **     0.00"), std::string::npos);     // code 96
    EXPECT_NE(text.find("\n***   Infinity  0.00E+00"), std::string::npos); // code 95
    EXPECT_TRUE(has_line(text, "   |                        Offset Number = ***"));
}

// On the console every table but the stiffness matrices ends with the Return pause, and the
// last answer stays in LBACK for the caller.
TEST(OffsetReportConsole, PausesAfterEveryTableButTheMatrices) {
    ScriptedConsole console("\n-1\n7\n");
    TPCM.IUNIT = screen_unit;
    TPCM.EDUNIT = screen_unit;
    TPCM.NLIN = 10;
    Sequence s;
    s.NPAG = 2;
    s.row(1, 0.0f, {1.0f});
    s.write(1); // two pages, two pauses: "" then "-1"
    EXPECT_EQ(TPCM.LBACK, -1);
    s.write(24); // no pause
    EXPECT_EQ(TPCM.LBACK, -1);
    s.write(98); // one pause: "7"
    EXPECT_EQ(TPCM.LBACK, 7);
    const std::string screen = console.screen();
    std::size_t pauses = 0;
    for (auto at = screen.find("Press <RETURN> to continue: "); at != std::string::npos;
         at = screen.find("Press <RETURN> to continue: ", at + 1))
        ++pauses;
    EXPECT_EQ(pauses, 3u);
    // The stiffness matrix's last line is followed directly by the next table's page.
    EXPECT_NE(screen.find("   6   0.0000E+00  0.0000E+00  0.0000E+00  0.0000E+00  0.0000E+00  "
                          "0.0000E+00\n ******"),
              std::string::npos);
}

} // namespace
} // namespace lintar
