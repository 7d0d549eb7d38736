// mooring_pages/help_notes.cpp: the help screens of the mooring-line pages and their tools.
#include "mooring_pages/help_notes.h"

#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/prompts.h"

#include <algorithm>
#include <string>

namespace lintar {

namespace {

// The title centred over the notes, which run to column 75.
void title_lines(int IOSCRN, std::string_view title) {
    CLEAR(IOSCRN);
    const int column = 1 + std::max(0, (75 - static_cast<int>(title.size())) / 2);
    write_record(IOSCRN, starting_at(column, title));
    write_record(IOSCRN, "");
}

void pause(int IOSCRN, int KBD) {
    std::int32_t dropped = 0;
    PRSRET(IOSCRN, KBD, dropped);
}

} // namespace

void help_screen(int IOSCRN, int KBD, std::string_view title, std::int32_t item, HelpNote note) {
    help_screen(IOSCRN, KBD, title, " ++> Item Number  " + I(item, 2), note);
}

void help_screen(int IOSCRN, int KBD, std::string_view title, std::string_view heading,
                 HelpNote note) {
    title_lines(IOSCRN, title);
    if (note.empty()) {
        write_record(IOSCRN, " ++> Sorry, no help for this line...");
    } else {
        write_record(IOSCRN, heading);
        for (const std::string_view line : note)
            write_record(IOSCRN, line);
    }
    pause(IOSCRN, KBD);
}

void help_title_only(int IOSCRN, int KBD, std::string_view title) {
    title_lines(IOSCRN, title);
    pause(IOSCRN, KBD);
}

} // namespace lintar
