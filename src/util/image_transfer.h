// util/image_transfer.h: whole-image transfer of a data block between a file and words.
//
// A data file is the raw image of a global block: four-byte little-endian words back to back,
// with nothing before or after them. Files written in the record layout of other builds (the
// same words between two record-length words) are recognised on reading.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace lintar {

// DISKIO: IORW 0 writes words 1..NTOGO of IDUM to DATFIL, creating or truncating it; IORW 1
// reads DATFIL into IDUM (at most NTOGO words are copied, the rest of IDUM is left alone) and
// returns in NTOGO the number of data words the file held (0 for a file of fewer than two
// words). A leading and a trailing record-length word are dropped on reading. IERR 0 on
// success, else the sum of the step codes: 1 missing file (nothing changed), 2 write failure
// (3 when the file cannot be opened for writing), 4 a short or long file or a file of fewer
// than two words; 8 when the closing of the file fails. CMPUTR is the computer code whose
// reading rules apply (5 on this platform). Trailing blanks of DATFIL are not part of the
// name. IOUNIT is left closed.
void DISKIO(std::int32_t IORW, std::int32_t& NTOGO, std::string_view DATFIL, int IOUNIT,
            std::int32_t& IERR, std::span<std::uint32_t> IDUM, std::int32_t CMPUTR);

// The write of DISKIO (IORW 0) to a unit the caller has connected for writing at the start of
// an empty file (a temporary file's own descriptor), which it leaves closed: IERR 0; 2 when
// not every word reached the file; 8 when the closing fails.
void write_image_to_unit(std::int32_t NTOGO, int IOUNIT, std::int32_t& IERR,
                         std::span<std::uint32_t> IDUM);

// Plain word copies, first word first (safe for overlapping copies to a lower position).
void MOVCOM(std::int32_t N, const std::int32_t* IFROM, std::int32_t* ITO);
void MOVREL(std::int32_t N, const float* RFROM, float* RTO);
void MOVDP(std::int32_t N, const double* DPFROM, double* DPTO);

} // namespace lintar
