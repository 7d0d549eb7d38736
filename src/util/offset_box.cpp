// util/offset_box.cpp: the offset-type box.
#include "util/offset_box.h"

#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/range_checks.h"

#include <algorithm>
#include <string>
#include <vector>

namespace lintar {

namespace {

// One line inside the box: its text, and the width that centres it (the text's own length for
// the title; the width the layout gives for the others, which may differ from the text's).
struct BoxLine {
    std::string text;
    std::int32_t width = 0;
    bool empty_before = false; // an empty framed line goes ahead of this one
};

// "x.xx,y.yy,z.zz)": three F5.2 values (18 columns).
std::string vector_text(std::span<const float, 3> v) {
    return F(v[0], 5, 2) + "," + F(v[1], 5, 2) + "," + F(v[2], 5, 2) + ")";
}

// The same with F8.2 values (27 columns).
std::string wide_vector_text(std::span<const float, 3> v) {
    return F(v[0], 8, 2) + "," + F(v[1], 8, 2) + "," + F(v[2], 8, 2) + ")";
}

// "Global<middle>Gx,Gy,Gz) = (" or "Vessel<middle>Vx,Vy,Vz) = (" by the axes flag.
std::string axis_text(std::int32_t flag, std::string_view middle) {
    const std::string S = flag != 0 ? "Vessel" : "Global";
    const std::string L = flag != 0 ? "V" : "G";
    return S + std::string(middle) + L + "x," + L + "y," + L + "z) = (";
}

std::string_view box_title(std::int32_t TABTYP) {
    switch (TABTYP) {
    case 1:
        return "Offset Type: Rectilinear Lateral Translation";
    case 2:
        return "Offset Type: Rotational Yaw Translation";
    case 3:
        return "Offset Type: Oblique Axis Rotation";
    case 4:
        return "Offset Type: Rectilinear Vertical Translation";
    case 5:
        return "Offset Type: Rectilinear Oblique Translation";
    case 6:
        return "Offset Type: User-specified input file";
    case 7:
        return "Offset Type: Specified Force; Continuous Static Equilibrium";
    case 8:
        return "Offset Type: Specified Torque; Continuous Static Equilibrium";
    default:
        return "";
    }
}

// The lines below the title, by type.
std::vector<BoxLine> further_lines(std::int32_t TABTYP, float ANGVAR,
                                   std::span<const float, 3> DIRVEC, std::span<const float, 3> FDIR,
                                   std::int32_t MTCHFT, std::int32_t FCVES, std::int32_t TQVES,
                                   std::span<const float, 3> MOMAXS) {
    std::vector<BoxLine> lines;
    // A sense of exactly 1 is the positive one; -1, 0.5 and the rest are the other.
    auto sense_line = [&](std::string_view positive, std::string_view negative) {
        const std::string_view sense = ANGVAR == 1.0f ? positive : negative;
        lines.push_back({"Rotation Sense = " + F(ANGVAR, 3, 0) + std::string(sense),
                         20 + static_cast<std::int32_t>(sense.size())});
    };
    switch (TABTYP) {
    case 1:
        lines.push_back({"Plan-View Offset Direction = " + F(ANGVAR, 7, 2) + " deg", 40});
        break;
    case 2:
        sense_line(" (C-Clockwise)", " (Clockwise)");
        break;
    case 3:
        lines.push_back({"Axis Direction (Gx,Gy,Gz) = (" + vector_text(DIRVEC), 47});
        sense_line(" (Advancing right-handed screw)", " (Retreating right-handed screw)");
        break;
    case 5:
        lines.push_back({"Offset Direction (Gx,Gy,Gz) = (" + vector_text(DIRVEC), 49});
        break;
    case 6:
        lines.push_back({"Initial Direction (Gx,Gy,Gz) = (" + vector_text(DIRVEC), 50});
        break;
    case 7:
        if (MTCHFT == 1)
            lines.push_back(
                {axis_text(TQVES, "-Relative Moment Axis:     (") + vector_text(MOMAXS), 65});
        lines.push_back(
            {axis_text(FCVES, "-Relative Force Direction: (") + vector_text(DIRVEC), 65});
        lines.push_back(
            {"Force Application Point (Vx,Vy,Vz) = (" + wide_vector_text(FDIR), 65, true});
        break;
    case 8:
        lines.push_back({axis_text(TQVES, "-Relative Moment Axis (") + vector_text(DIRVEC), 60});
        break;
    default:
        break;
    }
    return lines;
}

} // namespace

// IOBOX: the rule, an empty framed line, the title, an empty framed line, the type's further
// lines, an empty framed line and the rule. The box is as wide as its widest line plus 8
// (at most 78) and centred in 78 columns; each line is centred inside it by its width.
// Writes to unit IUNIT only; never ends the run.
void IOBOX(std::int32_t TABTYP, float ANGVAR, std::span<const float, 3> DIRVEC,
           std::span<const float, 3> FDIR, std::int32_t MTCHFT, int IUNIT, std::int32_t FCVES,
           std::int32_t TQVES, std::span<const float, 3> MOMAXS) {
    if (TABTYP < 1 || TABTYP > 8)
        return;
    const std::string_view title = box_title(TABTYP);
    const auto lines = further_lines(TABTYP, ANGVAR, DIRVEC, FDIR, MTCHFT, FCVES, TQVES, MOMAXS);

    std::int32_t widths[3] = {0, 0, 0};
    for (std::size_t k = 0; k < lines.size() && k < 3; ++k)
        widths[k] = lines[k].width;
    const auto title_width = static_cast<std::int32_t>(title.size());
    const std::int32_t LENBOX =
        std::min(IBIG(title_width, widths[0], widths[1], widths[2]) + 8, std::int32_t{78});
    const std::int32_t TAB1 = (78 - LENBOX) / 2;
    const std::int32_t TAB2 = TAB1 + LENBOX - 1;

    const std::string rule = X(TAB1) + std::string(static_cast<std::size_t>(LENBOX), ':');
    auto framed = [&](std::string_view text, std::int32_t width) {
        Record line;
        line.TR(TAB1) << "::";
        if (!text.empty())
            line.TR(std::max(0, (LENBOX - width - 4) / 2)) << text;
        line.T(TAB2) << "::";
        write_record(IUNIT, line.text());
    };

    write_record(IUNIT, rule);
    framed("", 0);
    framed(title, title_width);
    framed("", 0);
    for (const auto& line : lines) {
        if (line.empty_before)
            framed("", 0);
        framed(line.text, line.width);
    }
    framed("", 0);
    write_record(IUNIT, rule);
}

} // namespace lintar
