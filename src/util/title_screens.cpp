// util/title_screens.cpp: the start-up title screen, the report title page and the version
// text.
#include "util/title_screens.h"

#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/answer_reader.h"
#include "util/file_services.h"
#include "util/prompts.h"

#include <cmath>
#include <string>

namespace lintar {

namespace {

// The capacity line of the screens: a 20-character label, a number and a 7-character unit.
struct Capacity {
    std::string_view label;
    int number;
    std::string_view unit;
};

Capacity capacity_of(std::int32_t CREATR) {
    if (CREATR <= 9)
        return {"Motion Evaluations: ", 149, " points"};
    if (CREATR == 10)
        return {"  Subline Capacity: ", 25, " items "};
    return {"  Mooring Capacity: ", 149, " lines "};
}

// A character variable of the given length: the text cut or padded with blanks on the right.
std::string field(std::string_view text, std::size_t length) {
    std::string out(text.substr(0, std::min(text.size(), length)));
    out.resize(length, ' ');
    return out;
}

// One line of the title box: 11 blanks, "|", the 56 inner columns, "|".
std::string box_line(std::string_view inside) {
    return std::string(11, ' ') + "|" + field(inside, 56) + "|";
}

// A month, day or hour of the report stamp: one digit below 10, else two ("I1" or "I2").
std::string short_number(std::int32_t n) {
    return n < 10 ? I(n, 1) : I(n, 2);
}

// Minutes, and hours and years in two digits: a leading zero below 10 ("'0',I1" or "I2").
std::string two_digits(std::int32_t n) {
    if (n >= 10)
        return I(n, 2);
    std::string text(1, '0');
    text += I(n, 1);
    return text;
}

} // namespace

// TITLE: clears the screen (not in a mirror pass), writes the title box with the program
// name, version and capacity, and asks for the main choice until M, C, E or B (either case)
// is typed. Writes on IOSCRN; reads the keyboard. Ends the run only at the end of input.
void TITLE(std::int32_t CREATR, std::string_view NAME, float VER, int IOSCRN, int KBD, char& ANSWER,
           std::int32_t LCOPY) {
    if (LCOPY == 0)
        CLEAR(IOSCRN);
    const std::string rule = std::string(11, ' ') + "+" + std::string(56, '=') + "+";
    const std::string empty_box = box_line("");
    const Capacity capacity = capacity_of(CREATR);

    write_record(IOSCRN, "");
    write_record(IOSCRN, rule);
    for (int k = 0; k < 3; ++k)
        write_record(IOSCRN, empty_box);
    write_record(IOSCRN, box_line(std::string(14, ' ') + "**   Welcome to " + field(NAME, 8) +
                                  "  **" + std::string(14, ' ')));
    for (int k = 0; k < 2; ++k)
        write_record(IOSCRN, empty_box);
    write_record(IOSCRN, box_line(std::string(17, ' ') + field(NAME, 8) + VERSION_STRING(VER)));
    write_record(IOSCRN, box_line(std::string(14, ' ') + std::string(capacity.label) +
                                  I(capacity.number, 3) + std::string(capacity.unit)));
    for (int k = 0; k < 4; ++k)
        write_record(IOSCRN, empty_box);
    write_record(IOSCRN, rule);
    LINES(IOSCRN, 4);
    write_record(IOSCRN, " " + std::string(78, '-'));
    if (LCOPY != 0)
        return;

    for (;;) {
        write_record(IOSCRN, "");
        write_record(
            IOSCRN,
            " (M) Modify existing, (C) Create new, (E) Execute simulation, (B) Batch modify");
        write_record(IOSCRN, "");
        WRTLIN("Enter letter of selection: ", IOSCRN);
        READC(ANSWER, KBD);
        std::int32_t IERR = 0;
        UPCASE(ANSWER, IERR);
        if (IERR == 0 && (ANSWER == 'M' || ANSWER == 'C' || ANSWER == 'E' || ANSWER == 'B'))
            return;
    }
}

// VERSION_STRING2: |VERNO| as F4.2, the sub-version SUFX as ".0" and one digit up to 9, else
// "." and two digits, and a mark: a blank for a release, "b" for a pre-release build (a
// version of zero or less). (6.8, 3) gives "6.80.03 ", (6.8, 12) "6.80.12 ", (-6.8, 3)
// "6.80.03b".
std::string VERSION_STRING2(float VERNO, std::int32_t SUFX) {
    const char BETA = VERNO > 0.0f ? ' ' : 'b';
    const std::string sub = SUFX <= 9 ? ".0" + I(SUFX, 1) : "." + I(SUFX, 2);
    return F(std::fabs(VERNO), 4, 2) + sub + BETA;
}

// VERSION_STRING: "Version: " and the version text of VERSION_STRING2 with the sub-version 0.
std::string VERSION_STRING(float VERNO) {
    return "Version: " + VERSION_STRING2(VERNO, 0);
}

// TITLPG: the report title page on IUNIT: the library banner, the volume (program type), the
// report name, the version and capacity between two short rules, and the local time and date
// of the run. Reads the clock; cannot end the run.
void TITLPG(std::int32_t CREATR, std::string_view CLIN1, std::string_view CLIN2, float VERNO,
            int IUNIT) {
    constexpr int W = 31;
    const std::string dashes = " " + std::string(78, '-');
    const std::string_view rule = std::string_view(dashes).substr(0, W);
    const Capacity capacity = capacity_of(CREATR);

    LINES(IUNIT, 7);
    CENTER(" Kelbrin Systems Simulation Library", "", 80, IUNIT);
    LINES(IUNIT, 11);
    CENTER("Volume ", I(CREATR, 2), 80, IUNIT);
    write_record(IUNIT, " ");
    CENTER(CLIN1, "", 80, IUNIT);
    LINES(IUNIT, 15);
    CENTER(rule, "", 80, IUNIT);
    write_record(IUNIT, " ");
    CENTER(CLIN2, VERSION_STRING(VERNO), 80, IUNIT);
    CENTER(capacity.label, I(capacity.number, 3) + std::string(capacity.unit), 80, IUNIT);
    CENTER(std::string(27, ' '), "", 80, IUNIT);
    for (int k = 0; k < 4; ++k)
        write_record(IUNIT, " ");
    CENTER(rule, "", 80, IUNIT);

    LINES(IUNIT, 2);
    std::int32_t NMINS = 0, NSECS = 0, MM = 0, DD = 0, YYYY = 0;
    RHTIME(NMINS, NSECS);
    RHDATE(MM, DD, YYYY);
    write_record(IUNIT, "     Executed at " + two_digits(NMINS / 60) + ":" +
                            two_digits(NMINS % 60) + " on " + short_number(MM) + "/" +
                            short_number(DD) + "/" + two_digits(YYYY % 100));
}

} // namespace lintar
