// util/title_screens.h: the start-up title screen, the title page of text reports and the
// version text that both show.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lintar {

// TITLE: the start-up screen and the main choice (M, C, E or B in ANSWER). During a mirror
// pass (LCOPY nonzero) the screen is only written, on IOSCRN, and nothing is read. The year
// and date that callers once passed play no part in the screen and are not taken.
void TITLE(std::int32_t CREATR, std::string_view NAME, float VER, int IOSCRN, int KBD, char& ANSWER,
           std::int32_t LCOPY);

// VERSION_STRING: the 17-character version text, e.g. "Version: 6.80.00 ".
std::string VERSION_STRING(float VERNO);
// VERSION_STRING2: the version text without the label, with the sub-version SUFX, e.g.
// "6.80.03 " (a blank for a release, "b" for a pre-release build).
std::string VERSION_STRING2(float VERNO, std::int32_t SUFX);

// TITLPG: the title page at the head of a text report on IUNIT. CLIN1 is the report or
// program name, CLIN2 the text placed in front of the version. The year and the two
// identification texts that callers once passed play no part in the page and are not taken.
void TITLPG(std::int32_t CREATR, std::string_view CLIN1, std::string_view CLIN2, float VERNO,
            int IUNIT);

} // namespace lintar
