// util/prompts.cpp: prompts, pauses, aborts, page breaks, centred lines and yes/no toggles.
#include "util/prompts.h"

#include "runtime/edit_descriptors.h"
#include "runtime/input_fields.h"
#include "runtime/process.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/answer_reader.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace lintar {

namespace {

constexpr char BEEP = 7;
constexpr std::string_view abort_prompt = "Enter \"A\" to abort or Press <RETURN> to continue: ";

bool unattended(int IOSCRN) {
    return IOSCRN == diagnostics_unit;
}

// The bell line and the abort prompt of the abort pauses.
void ring_and_ask(int IOSCRN) {
    write_record(IOSCRN, std::string(1, BEEP));
    WRTLIN(abort_prompt, IOSCRN);
}

// The first non-blank character of an answer, or a blank.
char first_non_blank(std::string_view text) {
    const auto at = text.find_first_not_of(' ');
    return at == std::string_view::npos ? ' ' : text[at];
}

} // namespace

// PRSRET: the Return pause. LBACK is the number typed, truncated toward zero (0 for none, for
// letters, and in an unattended run, which does not wait). A number beyond the integer range
// is held at its end rather than overflowing.
void PRSRET(int IOSCRN, int KEYBD, std::int32_t& LBACK) {
    if (unattended(IOSCRN)) {
        LBACK = 0;
        return;
    }
    write_record(IOSCRN, " ");
    WRTLIN("Press <RETURN> to continue: ", IOSCRN);
    float X = 0.0f;
    bool CR = false;
    CRREAD(X, CR, KEYBD);
    if (CR || std::isnan(X))
        X = 0.0f;
    const float limit = 2147483520.0f; // the largest float below 2**31
    LBACK = static_cast<std::int32_t>(std::trunc(std::clamp(X, -limit, limit)));
}

// ABORT0: the abort-or-continue pause: -1 for "A" or "a", 0 for anything else. Never prompts
// in an unattended run, where it continues.
void ABORT0(int IOSCRN, int KEYBD, std::int32_t& LBACK) {
    (void)KEYBD;
    if (unattended(IOSCRN)) {
        LBACK = 0;
        return;
    }
    ring_and_ask(IOSCRN);
    char answer = ' ';
    READCP(answer);
    LBACK = (answer == 'A' || answer == 'a') ? -1 : 0;
}

// SERV_ABORT: ABORT0, but an unattended run cannot decide, so it stops there (status 1).
void SERV_ABORT(int IOSCRN, int KEYBD, std::int32_t& LBACK) {
    if (unattended(IOSCRN))
        stop_program(StopKind::error);
    ABORT0(IOSCRN, KEYBD, LBACK);
}

// ABORT3: the abort pause with numeric options: -1 ("A"), 0 (Return), 1 or 99. Any other
// answer is reported and stops the program after Return; so does an unattended run.
void ABORT3(int IOSCRN, int KEYBD, std::int32_t& LBACK) {
    (void)KEYBD;
    if (unattended(IOSCRN))
        stop_program(StopKind::error);
    ring_and_ask(IOSCRN);
    const std::string ANUM = read_answer(12);
    const char first = first_non_blank(ANUM);
    if (first == ' ') {
        LBACK = 0;
        return;
    }
    if (first == 'A' || first == 'a') {
        LBACK = -1;
        return;
    }
    std::int32_t option = 0;
    ListReader reader(ANUM);
    if (reader.read(option) == ListStatus::ok && (option == 1 || option == 99)) {
        LBACK = option;
        return;
    }
    write_record(screen_unit, "");
    write_record(screen_unit, " >>> Unrecognized option in ABORT3: " + ANUM);
    write_record(screen_unit, "     Press <Return> to continue");
    (void)read_answer(12);
    stop_program(StopKind::error);
}

// WRNFUL: after five or more warnings on the screen, the Return pause, then a clear and a
// fresh count; a negative number typed at the pause keeps the count.
void WRNFUL(std::int32_t& NWARN, int IOSCRN, int KBD) {
    if (NWARN < 5)
        return;
    std::int32_t LBACK = 0;
    PRSRET(IOSCRN, KBD, LBACK);
    if (LBACK < 0)
        return;
    CLEAR(IOSCRN);
    NWARN = 0;
}

// TWOPG: two screens per printed page: odd calls start a page, even calls leave a gap of
// three empty lines.
void TWOPG(std::int32_t& LCOPY, int IUNIT) {
    LCOPY = LCOPY + 1;
    if (LCOPY % 2 != 0) {
        PAGE(IUNIT, screen_unit, 1, 99);
    } else {
        for (int k = 0; k < 3; ++k)
            write_record(IUNIT, "");
    }
}

// PAGE: a new page on IUNIT: the screen is cleared, the diagnostics file gets nothing, the
// printer a "1" control line, any other file a form feed. The tests run in that order.
void PAGE(int IUNIT, int IOSCRN, int IDISK, int IPRINT) {
    (void)IDISK;
    if (IUNIT == IOSCRN)
        CLEAR(IOSCRN);
    else if (IUNIT == diagnostics_unit)
        return;
    else if (IUNIT == IPRINT)
        write_record(IUNIT, "1");
    else
        write_record(IUNIT, "\f");
}

// LINES: N empty lines.
void LINES(int IUNIT, std::int32_t N) {
    for (std::int32_t k = 0; k < N; ++k)
        write_record(IUNIT, "");
}

// CENTER: the two texts written one after the other, centred in MAXLEN columns.
void CENTER(std::string_view STRNG1, std::string_view STRNG2, std::int32_t MAXLEN, int IUNIT) {
    const auto LEN1 = static_cast<std::int32_t>(STRNG1.size());
    const auto LEN2 = static_cast<std::int32_t>(STRNG2.size());
    const std::int32_t NBLNKL = std::max<std::int32_t>(0, (MAXLEN - LEN1 - LEN2) / 2);
    write_record(IUNIT, X(NBLNKL) + std::string(STRNG1) + std::string(STRNG2));
}

// CLEAR: clears the console; nothing in an unattended run.
void CLEAR(int IOSCRN) {
    if (unattended(IOSCRN))
        return;
    clear_console();
}

// NOHELP: the "no help" screen and the Return pause.
void NOHELP(int IOSCRN, int KBD, std::int32_t ITEM) {
    (void)ITEM;
    CLEAR(IOSCRN);
    write_record(IOSCRN, "");
    write_record(IOSCRN, "");
    write_record(IOSCRN, " ++> Sorry, no help for this page...");
    write_record(IOSCRN, "");
    std::int32_t dropped = 0;
    PRSRET(IOSCRN, KBD, dropped);
}

std::string_view YESNO(std::int32_t I) {
    if (I == 1)
        return "Yes";
    if (I == 0)
        return "No ";
    return "Awk";
}

std::string_view YESNO_L(std::int32_t L) {
    return L != 0 ? "Yes" : "No ";
}

// TOGGLE: 0 becomes 1 and 1 becomes 0; any other value is kept and reported.
void TOGGLE(std::int32_t& I) {
    if (I == 0)
        I = 1;
    else if (I == 1)
        I = 0;
    else
        write_record(screen_unit, " >>> Invalid argument in Toggle");
}

void TOGGLE_L(std::int32_t& L) {
    L = L != 0 ? 0 : 1;
}

namespace {

// The batch form of the yes/no items: the prompt, then an answer of 0 or 1; anything else
// (a page command, another number, a blank answer) keeps the value.
void ask_yes_no(std::int32_t& I, std::string_view prompt, int IOSCRN, int KBD) {
    const std::int32_t ISAVE = I;
    WRTLIN(prompt, IOSCRN);
    std::int32_t PAGNO = 0;
    READI(I, KBD, PAGNO);
    if (I != 0 && I != 1)
        I = ISAVE;
}

} // namespace

// TOGGLE2: the yes/no item of an editor page: flipped interactively, asked in batch mode.
void TOGGLE2(std::int32_t& I, std::int32_t IBATCH, int IOSCRN, int KBD) {
    if (IBATCH == 0) {
        I = I == 0 ? 1 : 0;
        return;
    }
    ask_yes_no(I, "Enter 1 for \"Yes\", 0 for \"No\": ", IOSCRN, KBD);
}

// TOGGLE2_L: the same for a logical word (written as 1 or 0).
void TOGGLE2_L(std::int32_t& L, std::int32_t IBATCH, int IOSCRN, int KBD) {
    if (IBATCH == 0) {
        TOGGLE_L(L);
        return;
    }
    std::int32_t answer = L != 0 ? 1 : 0;
    ask_yes_no(answer, "Enter 1 for \"Yes\", 0 for \"No\": ", IOSCRN, KBD);
    if (answer != (L != 0 ? 1 : 0))
        L = answer; // a logical word the user did not change is not rewritten
}

// TOGGLE3: a two-choice item whose prompt names the choices.
void TOGGLE3(std::int32_t& I, std::int32_t IBATCH, int IOSCRN, int KBD, std::string_view YES_STR,
             std::string_view NO_STR) {
    std::string CHR_TEMP =
        "Enter 1 for \"" + std::string(YES_STR) + "\", 0 for \"" + std::string(NO_STR) + "\":";
    CHR_TEMP.resize(std::min<std::size_t>(CHR_TEMP.size(), 60));
    CHR_TEMP.erase(CHR_TEMP.find_last_not_of(' ') + 1);
    CHR_TEMP += ' ';
    if (IBATCH == 0) {
        I = I == 0 ? 1 : 0;
        return;
    }
    ask_yes_no(I, CHR_TEMP, IOSCRN, KBD);
}

// INBUG: the debug-level prompt; a blank answer gives 0.
void INBUG(std::int32_t& NBUG, int IOSCRN, int KBD) {
    NBUG = 0;
    WRTLIN("Input NBUG: ", IOSCRN);
    std::int32_t IPAG = 0;
    READI(NBUG, KBD, IPAG);
}

void fatal_stop(int IOSCRN, int KEYBD, std::initializer_list<std::string_view> lines) {
    for (const auto line : lines)
        write_record(IOSCRN, line);
    std::int32_t LBACK = 0;
    PRSRET(IOSCRN, KEYBD, LBACK);
    stop_program(StopKind::error);
}

// inoperative_stop: see the header.
void inoperative_stop(int EDUNIT, std::initializer_list<std::string_view> records) {
    for (const auto record : records)
        write_record(screen_unit, record);
    if (unattended(EDUNIT)) {
        for (const auto record : records)
            write_record(diagnostics_unit, record);
    } else {
        (void)read_line(keyboard_unit);
    }
    stop_program(StopKind::error);
}

} // namespace lintar
