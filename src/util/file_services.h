// util/file_services.h: opening and closing files with error reports, the clock, and the
// image comparison of the session end.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace lintar {

// IFORM: 1 formatted, 0 unformatted. IOREWR: 1 read an existing file, 0 write a fresh one.
// (The drive number and computer code the callers once passed have no effect and are gone.)
void RHOPEN(std::string_view HFILE, std::int32_t IFORM, std::int32_t IOREWR, int IUNIT,
            std::string_view CALFIL, int IOSCRN);
void HCLOSE(int IUNIT, std::string_view HFILE, std::string_view CALFIL, int IOSCRN);
[[noreturn]] void ACERR(std::string_view WHERE, std::string_view WHO, int IOSCRN);
[[noreturn]] void FILERR(std::string_view FILNM, std::string_view MAINPG, int IOSCRN, int KBD);

void RHDATE(std::int32_t& MM, std::int32_t& DD, std::int32_t& YYYY);
void RHTIME(std::int32_t& NMINS, std::int32_t& NSECS);
void RHDELAY(std::int32_t& SECDLY, std::int32_t& NLOOP);
float CHEWIT(std::int32_t N);

void NOCHNG(std::int32_t& NOCHG, std::span<const std::uint32_t> ARRAY1,
            std::span<const std::uint32_t> ARRAY2, std::int32_t NTEST);
void VRCVRT(std::int32_t IVERSN, float& VERNO);

} // namespace lintar
