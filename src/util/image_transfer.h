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

// DISKIO: IORW 0 writes words 1..NTOGO of IDUM to DATFIL; IORW 1 reads DATFIL into IDUM (at
// most NTOGO words are copied) and returns in NTOGO the number of data words the file held.
// IERR 0 on success, else the sum of the step codes (1 missing file, 2 write failure, 4 a
// short or long file or a failed read step). CMPUTR is the computer code whose reading rules
// apply (5 on this platform).
void DISKIO(std::int32_t IORW, std::int32_t& NTOGO, std::string_view DATFIL, int IOUNIT,
            std::int32_t& IERR, std::span<std::uint32_t> IDUM, std::int32_t CMPUTR);

// Plain word copies, first word first (safe for overlapping copies to a lower position).
void MOVCOM(std::int32_t N, const std::int32_t* IFROM, std::int32_t* ITO);
void MOVREL(std::int32_t N, const float* RFROM, float* RTO);
void MOVDP(std::int32_t N, const double* DPFROM, double* DPTO);

} // namespace lintar
