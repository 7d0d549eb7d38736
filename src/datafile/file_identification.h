// datafile/file_identification.h: what a loaded data file is: its word count against its
// program type, damage, byte order, producing program and version; the load notes on the
// console and in "DATUPWRN.stxt"; and the choice of version update or import adjustment.
#pragma once

#include "datafile/program_identity.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace lintar {

struct TpcmBlock;

// The words of a data-file image that tell what the file is: its word count, program type,
// precision, unit system, computer code, version increment and version (taken from the older
// version word when VERNO is 0).
struct FileIdentity {
    std::int32_t NTOGO = 0;
    std::int32_t SIMTYP = 0;
    std::int32_t DP_FLAG = 0;
    std::int32_t NUNTS = 0;
    std::int32_t CMPUTR = 0;
    std::int32_t IVERS_SUFX = 0;
    float VERNO = 0.0f;
};

// The identity of an image in a block, and of an image held as words (word 1 first; words
// beyond the span's end count as 0).
FileIdentity identity_of(const TpcmBlock& block);
FileIdentity identity_of(std::span<const std::uint32_t> image);

// The number of words a data file of program type `type` holds, or 0 when it is not checked.
std::int32_t program_word_count(std::int32_t type);

// True when two versions differ by more than the load's tolerance; a version that is no
// number differs from every other.
bool versions_differ(float VERNQ, float file_VERNO);

// Why the load refuses, or reports as damaged, a file of identity `file` for the running
// program type CREATQ of version VERNQ, or nothing when it loads (with or without notes):
// a damaged program-type code, another precision, more words than its program writes, a
// damaged unit-system word, another program type of another version, a version too old to
// update. The text continues a sentence whose subject is the file.
std::optional<std::string> load_refusal(std::int32_t CREATQ, float VERNQ, const FileIdentity& file);

// The unit of the note file "DATUPWRN.stxt"; once opened by the load it stays open for the run.
inline constexpr int note_unit = 21;

// Writes one line of the load notes on the console unit EDUNIT and in the note file.
void write_note(int EDUNIT, std::string_view text);

// CHSWAP: reverses the order of the bytes within each whole group of four of the first LEN
// bytes of C (bytes 1-4 become 4-3-2-1, and so on); a trailing group of fewer than four stays.
// The field goes through a 200-byte work area: a LEN above 200 writes " ++> LEN overflow in
// chswap!" on EDUNIT, waits for Return (keyboard KBD) and ends the run (status 1), the field
// unchanged. The load uses it for the titles and the subline names of a file from a machine of
// the other byte order. The save does not: it writes this machine's order and stamps this
// machine's computer code, so a file once saved here needs no swap again.
void CHSWAP(std::span<char> C, std::int32_t LEN, int EDUNIT, int KBD);

// DATCRPT: the damage warning of level I (1 to 4) between two lines holding one blank, after
// clearing the screen; any other level writes only the two lines.
void DATCRPT(int EDUNIT, std::int32_t I);

// The load-check code of the image in TPCM (or of the identity `file`) for the running program type
// CREATQ: 0 the word count NTOGO is what the file's program type SIMTYP writes (or is not checked
// for it); 1 larger and 2 smaller for a file of this program type (and always for types 7, 8 and
// 11); 3 larger and 4 smaller for another type; -1 a program-type code outside 1 to 17.
std::int32_t load_check_code(std::int32_t CREATQ);
std::int32_t load_check_code(const FileIdentity& file, std::int32_t CREATQ);

// The word-count check of the load: a damaged program-type code (level 4) or a file larger
// than its type writes (level 2) is shown with DATCRPT on the console (unit 6), and the user
// may abort there, which ends the run as the user's choice (status 0).
void check_word_count(std::int32_t CREATQ);

// True when the image the load has just read into TPCM (IERR1 the image transfer's status)
// gets the load notes of identify_data_file: another word count, version, program type, byte
// order or precision, or a version increment.
bool load_notes_needed(const ProgramIdentity& ID, std::int32_t IERR1);

// True when check_word_count shows a damage warning for the image in TPCM (or for `file`).
bool word_count_warning_needed(std::int32_t CREATQ);
bool word_count_warning_needed(const FileIdentity& file, std::int32_t CREATQ);

// True when the unit-system word NUNTS (of TPCM or of `file`) holds anything but 0 (English)
// or 1 (metric): damage, never to be used as a label index.
bool unit_system_damaged();
bool unit_system_damaged(const FileIdentity& file);

// The unit-system check of the load: a damaged NUNTS is set to 1 (metric, the new-file
// default) and reported as a corrupt data file on the console (unit 6) with the abort prompt,
// where the user may abort (the run ends as the user's choice, status 0). Continuing keeps the
// repaired value, which the session saves as an edit.
void check_unit_system();

// The identification of the image the load has just read into TPCM, whose reference copy is
// IOBUF. IERR1 and NFOUND are the image transfer's status and word count; NTOGOQ the count
// expected; CONSOLE_WORD the file's own word at the console unit's position (0 when the file
// is shorter), which the update puts back before it moves an older layout. A file of another
// byte order gets readable titles and subline names. When anything is to be said (another word
// count, version, program type, byte order or precision, or a version increment) the notes go
// to the console and to "DATUPWRN.stxt" (unit 21, replaced, left open): the words a short file
// lacks are zeroed in TPCM and IOBUF, an older file of this program type is updated, a file of
// another program type of the same version gets the import adjustment, and the user may abort
// at the end; ANSWER "E" then becomes "M". Ends the run with status 1 for a file of another
// precision, for a file of another program type and version, for an unknown running program
// type and through the updaters' refusals, each after its note and a Return pause; with status
// 0 when the user aborts. Never writes the data file or its backups.
void identify_data_file(const ProgramIdentity& ID, char& ANSWER, std::int32_t IERR1,
                        std::int32_t NFOUND, std::int32_t NTOGOQ, std::span<std::uint32_t> IOBUF,
                        std::uint32_t CONSOLE_WORD);

} // namespace lintar
