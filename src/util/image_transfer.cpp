// util/image_transfer.cpp: whole-image transfer of a data block between a file and words.
#include "util/image_transfer.h"

#include "runtime/assert.h"
#include "runtime/units.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace lintar {

namespace {

// The most words one read takes from a file (the size of the work buffer IDUM2).
constexpr std::size_t idum2_words = 126831;

// The "LOWDAT" image: 680 words.
constexpr std::int32_t lowdat_words = 680;

// Step codes summed into IERR.
constexpr std::int32_t OLDERR = 1; // opening the existing file failed
constexpr std::int32_t NEWERR = 2; // creating the file or writing the image failed
constexpr std::int32_t EOFERR = 4; // reading the first two words failed; or a count differs
// The status of a close that failed. The runtime reports a failed close without a code of its
// own, so it has one here, apart from the sums of 1, 2 and 4.
constexpr std::int32_t CLOSER = 8;

// The computer code of this platform.
constexpr std::int32_t this_platform = 5;

// The file name without the trailing blanks of a fixed-length name ("CATDAT      ").
std::string file_name_of(std::string_view DATFIL) {
    const auto end = DATFIL.find_last_not_of(' ');
    return std::string(DATFIL.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

// The count a caller asks for, held to the words its array really has: a count beyond the
// array would write or read past its end.
std::size_t words_asked(std::int32_t NTOGO, std::span<std::uint32_t> IDUM) {
    LINTAR_ASSERT(NTOGO >= 0 && static_cast<std::size_t>(NTOGO) <= IDUM.size(),
                  "image count beyond the caller's array");
    if (NTOGO <= 0)
        return 0;
    return std::min(static_cast<std::size_t>(NTOGO), IDUM.size());
}

// The write: the file holds exactly words 1..NTOGO of IDUM afterwards, whether it was there
// before or not.
void write_image(std::int32_t NTOGO, const std::string& name, int IOUNIT, std::int32_t& IERR,
                 std::span<std::uint32_t> IDUM) {
    if (!open_unit(IOUNIT, name, OpenStatus::replace, FileForm::unformatted)) {
        IERR = OLDERR + NEWERR; // neither an existing file nor a new one could be opened
        return;
    }
    write_image_to_unit(NTOGO, IOUNIT, IERR, IDUM);
}

// What a read found: the data words are IDUM2[first, first + N_DATA).
struct WordsFound {
    std::size_t first = 0;
    std::size_t N_DATA = 0;
};

// Reads the file on IOUNIT (at its start, its first two words N1 and N2 already known) into
// IDUM2, which the caller cleared, and tells where the data words lie.
WordsFound read_data_words(int IOUNIT, bool DAT_HAS_RECLEN, std::int32_t N1, std::int32_t CMPUTR,
                           std::vector<std::uint32_t>& IDUM2) {
    if (CMPUTR != this_platform && DAT_HAS_RECLEN) {
        // Another build's record: its length word announces N1/4 data words. They are read
        // after the length word, at most the buffer's worth; a record cut short by the end of
        // the file gives the words that are there. The trailing length word is not read.
        std::uint32_t length_word = 0;
        (void)read_words(IOUNIT, std::span<std::uint32_t>(&length_word, 1));
        const std::size_t NTOREAD = std::min(static_cast<std::size_t>(N1 / 4), idum2_words);
        const std::size_t read = read_words(IOUNIT, std::span<std::uint32_t>(IDUM2).first(NTOREAD));
        return {0, read};
    }
    // This platform (and a file without record-length words on any other, where reading
    // four-byte records one by one until one fails finds the same words): every whole word
    // up to the buffer's size; a trailing partial word is no word.
    const std::size_t NFOUND = read_words(IOUNIT, IDUM2);
    if (!DAT_HAS_RECLEN)
        return {0, NFOUND};
    // The words between a leading and a trailing record-length word. A record cut short by
    // the end of the file has lost its trailing length word, so its last word is data.
    const std::size_t announced = static_cast<std::size_t>(N1 / 4);
    const std::size_t N_DATA = NFOUND - 2 < announced ? NFOUND - 1 : NFOUND - 2;
    return {1, N_DATA};
}

// The read: see DISKIO.
void read_image(std::int32_t& NTOGO, const std::string& name, int IOUNIT, std::int32_t& IERR,
                std::span<std::uint32_t> IDUM, std::int32_t CMPUTR) {
    if (!open_unit(IOUNIT, name, OpenStatus::old_file, FileForm::unformatted)) {
        IERR = OLDERR; // nothing is read; IDUM and NTOGO keep their values
        return;
    }
    IERR = 0;

    std::uint32_t head[2] = {0, 0};
    if (read_words(IOUNIT, head) < 2) {
        // An empty or one-word file: nothing to identify, nothing copied.
        close_unit(IOUNIT);
        IERR = EOFERR;
        NTOGO = 0;
        return;
    }
    const auto N1 = static_cast<std::int32_t>(head[0]);
    const auto N2 = static_cast<std::int32_t>(head[1]);

    // A leading record-length word: 2,720 bytes for "LOWDAT"; for any other file four times
    // the word after it (the image's first word is its own word count). A first word of 0 or
    // less is no record length: a record that holds the data cannot be empty.
    const bool is_lowdat = name.starts_with("LOWDAT");
    const bool DAT_HAS_RECLEN =
        N1 > 0 && (is_lowdat ? N1 == 4 * lowdat_words : std::int64_t{N1} == 4 * std::int64_t{N2});

    // The work buffer starts clear at every read, so no word of an earlier file can reach
    // the caller.
    std::vector<std::uint32_t> IDUM2(idum2_words, 0u);
    rewind_unit(IOUNIT);
    const WordsFound found = read_data_words(IOUNIT, DAT_HAS_RECLEN, N1, CMPUTR, IDUM2);
    const bool closed = close_unit(IOUNIT);

    // "LOWDAT" is 680 words: a longer file gives its first 680; a shorter one its true count.
    std::size_t N_DATA = found.N_DATA;
    if (is_lowdat)
        N_DATA = std::min(N_DATA, static_cast<std::size_t>(lowdat_words));

    const std::size_t NTOMOVE = std::min(N_DATA, words_asked(NTOGO, IDUM));
    std::copy_n(IDUM2.begin() + static_cast<std::ptrdiff_t>(found.first), NTOMOVE, IDUM.begin());

    IERR = static_cast<std::int32_t>(N_DATA) == NTOGO ? 0 : EOFERR;
    NTOGO = static_cast<std::int32_t>(N_DATA);
    if (!closed)
        IERR = CLOSER;
}

} // namespace

// DISKIO: moves a whole data image between the file DATFIL (trailing blanks of a fixed-length
// name dropped) and the words IDUM, through unit IOUNIT, which it leaves closed.
// Write (IORW 0): the file is created or truncated and then holds exactly words 1..NTOGO of
// IDUM, little-endian, nothing before or after them. IERR 0; 3 when the file cannot be
// opened for writing; 2 when not every word reached it; 8 when the close fails.
// Read (IORW 1): IERR 1 for a missing file, with IDUM and NTOGO unchanged. Otherwise the
// file's whole words (at most 126,831; a trailing partial word is ignored) are read into a
// cleared work buffer; a leading and a trailing record-length word are dropped when the file
// has them; a file named "LOWDAT..." gives at most 680 words. The first min(found, NTOGO)
// words are copied to IDUM, the rest of IDUM keeps its values, and NTOGO returns the number
// of data words found. IERR 0 when that number equals the NTOGO asked for, else 4; a file of
// fewer than two words gives IERR 4 and NTOGO 0 and copies nothing; a failed close gives 8.
// CMPUTR 5 is this platform. Another computer code changes only how a file with a leading
// record-length word is read: the record's announced length, not the file's end, counts the
// data words (never more than the file holds).
// Never ends the run.
void DISKIO(std::int32_t IORW, std::int32_t& NTOGO, std::string_view DATFIL, int IOUNIT,
            std::int32_t& IERR, std::span<std::uint32_t> IDUM, std::int32_t CMPUTR) {
    const std::string name = file_name_of(DATFIL);
    if (IORW == 0)
        write_image(NTOGO, name, IOUNIT, IERR, IDUM);
    else
        read_image(NTOGO, name, IOUNIT, IERR, IDUM, CMPUTR);
}

// write_image_to_unit: the words, then the file's size checked before the unit is closed: the
// runtime's word writes carry no status, so the size tells whether every word reached the
// file (a full disk shows here).
void write_image_to_unit(std::int32_t NTOGO, int IOUNIT, std::int32_t& IERR,
                         std::span<std::uint32_t> IDUM) {
    IERR = 0;
    const std::size_t count = words_asked(NTOGO, IDUM);
    write_words(IOUNIT, IDUM.first(count));
    const auto bytes = unit_file_size(IOUNIT);
    if (!close_unit(IOUNIT)) {
        IERR = CLOSER;
        return;
    }
    if (!bytes || *bytes != 4 * count)
        IERR = NEWERR;
}

// MOVCOM: copies words 1..N of IFROM to ITO, first word first; nothing when N <= 0.
void MOVCOM(std::int32_t N, const std::int32_t* IFROM, std::int32_t* ITO) {
    for (std::int32_t i = 0; i < N; ++i)
        ITO[i] = IFROM[i];
}

// MOVREL: MOVCOM for four-byte reals. Each value is copied as its bytes, so a NaN keeps its
// payload and -0.0 its sign.
void MOVREL(std::int32_t N, const float* RFROM, float* RTO) {
    for (std::int32_t i = 0; i < N; ++i)
        std::memcpy(&RTO[i], &RFROM[i], sizeof(float));
}

// MOVDP: MOVCOM for eight-byte reals, copied as their bytes.
void MOVDP(std::int32_t N, const double* DPFROM, double* DPTO) {
    for (std::int32_t i = 0; i < N; ++i)
        std::memcpy(&DPTO[i], &DPFROM[i], sizeof(double));
}

} // namespace lintar
