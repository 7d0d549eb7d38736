// util/answer_reader.cpp: the console answer reader, page commands and prompt writers.
#include "util/answer_reader.h"

#include "runtime/edit_descriptors.h"
#include "runtime/input_fields.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/prompts.h"

#include <algorithm>
#include <limits>
#include <string>

namespace lintar {

namespace {

bool all_blank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

// The page-command letters in the order READI tries them.
struct CommandLetter {
    char letter;
    std::int32_t code;
};
constexpr CommandLetter command_letters[] = {
    {'?', code_help},    {'H', code_redraw}, {'F', code_first}, {'L', code_last}, {'S', code_skip},
    {'E', code_execute}, {'J', code_jump},   {'M', code_m},     {'C', code_c},    {'D', code_d},
    {'I', code_i},       {'X', code_x},      {'B', code_back},
};

std::int32_t command_code(char first) {
    const char upper = (first >= 'a' && first <= 'z') ? static_cast<char>(first - 32) : first;
    for (const auto& command : command_letters)
        if (command.letter == upper)
            return command.code;
    return 0;
}

// Reads up to values.size() items list-directed from one text; the reading stops quietly at
// the end of the text or at the first value that does not read, so later items keep theirs.
template <typename T> void read_free_form(std::string_view text, std::span<T*> values) {
    ListReader reader(text);
    for (T* value : values)
        if (reader.read(*value) != ListStatus::ok)
            return;
}

} // namespace

// READI: reads one six-character answer: a page command, a number, or nothing.
// Reads the keyboard unit; a blank answer leaves NUM and PAGNO as they were. PAGNO takes the
// value of characters 2 to 6 of every answer that gets that far (callers use it after J or ?).
void READI(std::int32_t& NUM, int KBD, std::int32_t& PAGNO) {
    (void)KBD; // the keyboard is unit 5 in this program
    const std::string ANUM = read_answer(6);
    if (all_blank(ANUM))
        return;
    if (ANUM[0] == '!') {
        NUM = code_bang;
        return;
    }
    const std::string APAG = ANUM.substr(1) + ' ';
    const auto page = read_integer_field(APAG);
    if (!page)
        return; // "Help", "1.5": the whole answer is ignored
    PAGNO = *page;
    NUM = 0;
    if (const std::int32_t code = command_code(ANUM[0]); code != 0) {
        NUM = code;
        return;
    }
    const auto number = read_integer_field(ANUM);
    if (number && *number >= -1)
        NUM = *number; // typed numbers below -1 cannot pose as page commands
}

// ENTSEL: the page-selection prompt of every editor page; returns the selection or a
// page-command code in LBACK. H shows the page-command help and waits for Return first.
void ENTSEL(std::int32_t& LBACK, int IOSCRN, int KBD, std::int32_t& PAGNO) {
    write_record(IOSCRN, " ");
    WRTLIN("Enter number of selection (\"H\" for help): ", IOSCRN);
    LBACK = 0;
    READI(LBACK, KBD, PAGNO);
    if (LBACK == code_bang) {
        LBACK = code_redraw;
        return;
    }
    if (LBACK == code_redraw) {
        CLEAR(IOSCRN);
        // clang-format off
        static constexpr std::string_view help[] = {
            "",
            "",
            " At any \"Enter number of selection\" prompt:",
            "",
            " (F)  First page",
            " (L)  Last page",
            " (S)  Skip ahead a page",
            " (E)  Execute program",
            " (B)  Back a page",
            " (Jn) Jump to page \"n\"",
            " (?)  Help summary for current page",
            " (?n) Help on current page for selection \"n\"",
            "",
        };
        // clang-format on
        for (const auto line : help)
            write_record(IOSCRN, line);
        std::int32_t dropped = 0;
        PRSRET(IOSCRN, KBD, dropped);
    }
}

// ENTERI: "Enter new value: " and an integer answer through READI (page codes possible).
void ENTERI(std::int32_t& I, int IOSCRN, int KBD) {
    WRTLIN("Enter new value: ", IOSCRN);
    std::int32_t PAGNO = 0;
    READI(I, KBD, PAGNO);
}

// ENTERF: "Enter new value: " and a real answer; a blank or unreadable answer keeps X.
void ENTERF(float& X, int IOSCRN, int KBD) {
    WRTLIN("Enter new value: ", IOSCRN);
    bool CR = false;
    CRREAD(X, CR, KBD);
}

// ENTERA: "Enter new character string: " and one line into the whole of STRING, padded with
// blanks or cut to its length.
void ENTERA(std::span<char> STRING, int IOSCRN, int KBD) {
    WRTLIN("Enter new character string: ", IOSCRN);
    (void)KBD;
    const std::string line = read_answer(static_cast<int>(STRING.size()));
    std::copy(line.begin(), line.end(), STRING.begin());
}

// READC: the first character of one keyboard line (a blank for an empty line).
void READC(char& ANSWER, int KBD) {
    (void)KBD;
    ANSWER = read_answer(1)[0];
}

// READCP: the same from the console's standard input, whatever the keyboard unit.
void READCP(char& ANSWER) {
    ANSWER = read_answer(1)[0];
}

// CRREAD: one real number from a twelve-character answer; CR is true when nothing usable
// was typed, and X then keeps its value.
void CRREAD(float& X, bool& CR, int KBD) {
    (void)KBD;
    const std::string ANUM = read_answer(12);
    CR = true;
    if (all_blank(ANUM))
        return;
    if (const auto value = read_real_field(ANUM, 0)) {
        X = *value;
        CR = false;
    }
}

// CRREAL: up to three reals in free form from one 63-character answer; values not read keep
// theirs. CR is true for an all-blank answer.
void CRREAL(float& X1, float& X2, float& X3, bool& CR, int KBD) {
    (void)KBD;
    const std::string text = read_answer(63);
    CR = all_blank(text);
    float* values[] = {&X1, &X2, &X3};
    read_free_form<float>(text, values);
}

// READNI: up to N integers (at most 50) in free form from one 69-character answer; elements
// not read keep theirs. Asked for more than 50, it says so and offers the abort pause: "A"
// stops the program, any other answer reads 50.
void READNI(std::span<std::int32_t> IARRAY, std::int32_t N, int KBD, int IOSCRN, bool& CR) {
    std::int32_t count = N;
    if (N > 50) {
        write_record(IOSCRN, "");
        write_record(IOSCRN, " ++> Error in READNI...");
        write_record(IOSCRN, "");
        std::int32_t LBACK = 0;
        ABORT0(IOSCRN, KBD, LBACK);
        if (LBACK == -1)
            stop_program(StopKind::user_choice);
        count = 50;
    }
    (void)KBD;
    const std::string text = read_answer(69);
    CR = all_blank(text);
    count = std::clamp<std::int32_t>(count, 0, static_cast<std::int32_t>(IARRAY.size()));
    ListReader reader(text);
    for (std::int32_t k = 0; k < count; ++k)
        if (reader.read(IARRAY[static_cast<std::size_t>(k)]) != ListStatus::ok)
            return;
}

// ENTCRD: the coordinate prompt of point INDEX (2 or 3 values), then CRREAL. The prompt is
// written even in an unattended run.
void ENTCRD(std::int32_t INDEX, float& U1, float& U2, float& U3, std::int32_t NPER, int IOSCRN,
            int KBD, bool& CR) {
    (void)IOSCRN;
    const std::string_view tail = NPER == 2 ? "(x,y): " : NPER == 3 ? "(x,y,z): " : "ERROR!";
    write_open(screen_unit, " Enter new data for #" + I(INDEX, 3) + " " + std::string(tail));
    CRREAL(U1, U2, U3, CR, KBD);
}

// WRTLIN: a prompt on the console, the line left open for the answer; nothing in an
// unattended run.
void WRTLIN(std::string_view STRING, int IOSCRN) {
    if (IOSCRN == diagnostics_unit)
        return;
    std::string prompt(1, ' ');
    prompt += STRING;
    write_open(screen_unit, prompt);
}

// WRTLNI: the same followed by INDEX in three columns and two blanks.
void WRTLNI(std::string_view STRING, std::int32_t INDEX, int IOSCRN) {
    if (IOSCRN == diagnostics_unit)
        return;
    std::string prompt(1, ' ');
    prompt += STRING;
    prompt += I(INDEX, 3);
    prompt += "  ";
    write_open(screen_unit, prompt);
}

// UPCASE: one character to upper case in place; IERR 0 for a letter, 2 for a blank, 1 for
// anything else. The byte is taken as unsigned, so bytes from 0x80 never turn negative.
void UPCASE(char& CHAR1, std::int32_t& IERR) {
    auto code = static_cast<unsigned char>(CHAR1);
    if (code > 'Z')
        code = static_cast<unsigned char>(code - 32);
    CHAR1 = static_cast<char>(code);
    if (code >= 'A' && code <= 'Z')
        IERR = 0;
    else if (code == ' ')
        IERR = 2;
    else
        IERR = 1;
}

// ONELIN: one labelled value line on IUNIT: ten blanks, the label, one blank, dot leaders,
// the value in F10.2, one blank and the 16-character unit label. Label, blank and dots always
// fill 38 columns, so the values of consecutive lines stand in one column.
void ONELIN(std::string_view STRNG, float VAL, UnitLabel UNITS, std::int32_t NUNT, int IUNIT) {
    const std::string_view label = STRNG.substr(0, std::min<std::size_t>(STRNG.size(), 40));
    const int NDOT = std::max(0, 37 - static_cast<int>(label.size()));
    std::string unit_label(UNITS(NUNT));
    unit_label.resize(16, ' ');
    write_record(IUNIT, X(10) + std::string(label) + " " + std::string(NDOT, '.') + F(VAL, 10, 2) +
                            " " + unit_label);
}

} // namespace lintar
