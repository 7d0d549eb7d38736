// motions/motion_files.h: the scratch motion files of a motion run ("FAIRMOT", "YOKEMOT",
// "TUGSTERN", "BUOYMOTN", "BARGEBOW", "TANKBOW", "RELMOT") and the line-angle file "LINEANG":
// their names, their record layout, and every write and read of them.
//
// The files are sequential record files: each record is its payload of four-byte
// little-endian words (integers, reals, logicals written as 1 or 0, a complex value as two
// reals) framed by a four-byte length word (the payload's bytes) before and after it, so that
// a reader can pass over a record whole and tell a damaged file. They are written and read
// through the unit table, so every stop closes them.
//
// A motion file holds, when the arrangement writes records to it (mooring type ISPM above 1):
//   1. the heading count NRAO (one integer);
//   2. per relative heading a block: the heading record (REDANG in degrees, the output flag
//      LRAO); when the displacement pass of the point motions runs, its set-up record (NRAO,
//      ISWLFG, ISWLFG2, IRANFG, the heading in radians) and one point record per frequency
//      and point (nine complex values in the line axes; six rigid-body values for ISPM 1);
//   3. after the heading loop, with random seas or swell: the sea-state records, each a
//      header of seven reals followed by pairs (RMS of a motion, RMS of its rate).
// "LINEANG" holds blocks of an integer record (the line count) and one record of two angles
// (radians) per line.
#pragma once

#include <array>
#include <complex>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lintar {

// The units of the motion run: the motion file written, the other body's motion file read,
// the relative-motion file of a two-body run and the line-angle file.
inline constexpr int motion_file_unit = 13;
inline constexpr int other_body_unit = 10;
inline constexpr int relative_motion_unit = 11;
inline constexpr int line_angle_unit = 12;

// Words of the records of a motion file.
inline constexpr std::size_t heading_record_words = 2;
inline constexpr std::size_t heading_setup_words = 5;
inline constexpr std::size_t sea_state_header_words = 7;
inline constexpr std::size_t pair_words = 2;

// The motion file a run writes and the other body's file it reads ("" for none), by mooring
// type ISPM and program code SIMTYP.
struct MotionFileNames {
    std::string_view written;
    std::string_view other_body;
};
MotionFileNames motion_file_names(std::int32_t ISPM, std::int32_t SIMTYP);
inline constexpr std::string_view relative_motion_file = "RELMOT";
inline constexpr std::string_view line_angle_file = "LINEANG";

// True when the run writes per-point sea-state records for the line damping, which reads one
// per mooring line: single-vessel moorings (ISPM 4 or more) and the buoy of a buoy-tanker pair
// (ISPM 2 with SIMTYP 13).
bool writes_point_records_per_line(std::int32_t ISPM, std::int32_t SIMTYP);

// Refuses a run whose motion points do not match the mooring lines where the file needs one
// per line: a fatal message naming both counts on IOSCRN, the Return pause, an error stop.
void check_motion_point_count(std::int32_t ISPM, std::int32_t SIMTYP, std::int32_t points,
                              std::int32_t NLIN, int IOSCRN);

// Opens a motion file on a unit: for writing (an old file is replaced) or for reading (the
// file must exist). A failure is reported by RHOPEN naming CALFIL and ends the run.
void open_motion_file_for_writing(int unit, std::string_view name, std::string_view CALFIL,
                                  int IOSCRN);
void open_motion_file_for_reading(int unit, std::string_view name, std::string_view CALFIL,
                                  int IOSCRN);

// The words of a record.
std::uint32_t int_word(std::int32_t value);
std::uint32_t real_word(float value);
std::uint32_t logical_word(bool value);
std::int32_t word_int(std::uint32_t word);
float word_real(std::uint32_t word);

// Writes one framed record of the payload on a connected unit.
void write_motion_record(int unit, std::span<const std::uint32_t> payload);

// The typed records a motion file holds.
void write_heading_count(int unit, std::int32_t NRAO);
void write_heading_record(int unit, float REDANG, bool LRAO);
void write_heading_setup(int unit, std::int32_t NRAO, std::int32_t ISWLFG, std::int32_t ISWLFG2,
                         std::int32_t IRANFG, float heading_radians);
void write_point_record(int unit, std::span<const std::complex<float>> values);
void write_sea_state_header(int unit, const std::array<float, 7>& values);
void write_pair(int unit, float rms, float rate_rms);
void write_line_angle_block(int unit, std::span<const std::array<float, 2>> angles);

// The heading set-up record as read back.
struct HeadingSetup {
    std::int32_t NRAO = 0, ISWLFG = 0, ISWLFG2 = 0, IRANFG = 0;
    float heading_radians = 0.0f;
};

// One heading block as read back: the heading record, the set-up record when the displacement
// pass wrote one, and its point records in the order of the file.
struct HeadingBlock {
    float REDANG = 0.0f;
    bool LRAO = false;
    std::optional<HeadingSetup> setup;
    std::vector<std::vector<std::complex<float>>> points;
};

// Reads the records of one motion file or line-angle file on a connected unit. A record that
// is missing, cut short, framed by two different length words, or of another size than the
// one asked for ends the run with the file-error report naming the file and the reading
// routine (FILERR: the report on IOSCRN, the Return pause, an error stop).
class MotionFileReader {
public:
    MotionFileReader(int unit, std::string file_name, std::string routine, int IOSCRN);

    // The next record, whatever its size.
    std::vector<std::uint32_t> record();
    // The next record, which must hold exactly `words` words.
    std::vector<std::uint32_t> record_of(std::size_t words);

    // The heading count NRAO: one beyond 0 to the heading slots of a run is a file error.
    std::int32_t heading_count();
    std::pair<float, bool> heading_record();
    HeadingSetup heading_setup();
    std::vector<std::complex<float>> point_record(std::size_t values);
    std::array<float, 7> sea_state_header();
    std::pair<float, float> pair();
    // Passes over NRAO heading blocks record by record: each a heading record followed by any
    // set-up and point records, up to the next heading record or the sea-state header.
    void skip_heading_blocks(std::int32_t NRAO);
    // The next heading block whole: the heading record, then a set-up record and the point
    // records after it, up to the next heading record, the sea-state header or the end of the
    // file. Point records without a set-up record, or a set-up record after point records, are
    // a file error.
    HeadingBlock heading_block();
    // A line-angle block: the count record, then that many records of two angles. A block of
    // fewer lines than `least`, or of more than a mooring can have, is a file error.
    std::vector<std::array<float, 2>> line_angle_block(std::int32_t least);

    // The file-error report naming the file and the reading routine, the Return pause and an
    // error stop: for a file whose records are sound but do not hold what the reader needs.
    [[noreturn]] void fail();

private:
    std::optional<std::vector<std::uint32_t>> next_framed();

    int unit_;
    std::string file_name_;
    std::string routine_;
    int IOSCRN_;
    // A record read ahead while passing over heading blocks.
    std::optional<std::vector<std::uint32_t>> pending_;
};

} // namespace lintar
