// motions/motion_files.cpp: names, framing, writers and the reader of the scratch motion files.
#include "motions/motion_files.h"

#include "blocks/himem.h"
#include "blocks/lincom.h"
#include "runtime/units.h"
#include "util/file_services.h"
#include "util/prompts.h"

#include <bit>
#include <cstring>
#include <tuple>
#include <utility>

namespace lintar {

namespace {

// The largest payload a reader takes: the longest record of a motion file is 18 words; a
// length word beyond this is a damaged file, not a request for a huge buffer.
constexpr std::uint32_t max_record_bytes = 4096;

// Word counts of the point records: nine complex values in the line axes, six rigid-body ones.
constexpr std::size_t line_point_words = 18;
constexpr std::size_t rigid_point_words = 12;

} // namespace

MotionFileNames motion_file_names(std::int32_t ISPM, std::int32_t SIMTYP) {
    if (ISPM == 1)
        return {"YOKEMOT", ""};
    if (ISPM == 2 && SIMTYP == 10)
        return {"TUGSTERN", ""};
    if (ISPM == 2 && SIMTYP == 13)
        return {"BUOYMOTN", ""};
    if (ISPM == 3 && SIMTYP == 10)
        return {"BARGEBOW", "TUGSTERN"};
    if (ISPM == 3 && SIMTYP == 13)
        return {"TANKBOW", "BUOYMOTN"};
    return {"FAIRMOT", ""};
}

bool writes_point_records_per_line(std::int32_t ISPM, std::int32_t SIMTYP) {
    return ISPM >= 4 || (ISPM == 2 && SIMTYP == 13);
}

// check_motion_point_count: the line damping reads one set of sea-state pairs per mooring line;
// a file written for another number of points would be read out of step.
void check_motion_point_count(std::int32_t ISPM, std::int32_t SIMTYP, std::int32_t points,
                              std::int32_t NLIN, int IOSCRN) {
    if (!writes_point_records_per_line(ISPM, SIMTYP) || points == NLIN)
        return;
    const std::string name(motion_file_names(ISPM, SIMTYP).written);
    fatal_stop(IOSCRN, keyboard_unit,
               {"", " ++> FATAL error: the motion file " + name + " needs one motion point per",
                "     mooring line: motion points = " + std::to_string(points) +
                    ", mooring lines = " + std::to_string(NLIN)});
}

void open_motion_file_for_writing(int unit, std::string_view name, std::string_view CALFIL,
                                  int IOSCRN) {
    RHOPEN(name, 0, 0, unit, CALFIL, IOSCRN);
}

void open_motion_file_for_reading(int unit, std::string_view name, std::string_view CALFIL,
                                  int IOSCRN) {
    RHOPEN(name, 0, 1, unit, CALFIL, IOSCRN);
}

std::uint32_t int_word(std::int32_t value) {
    return static_cast<std::uint32_t>(value);
}
std::uint32_t real_word(float value) {
    return std::bit_cast<std::uint32_t>(value);
}
std::uint32_t logical_word(bool value) {
    return value ? 1u : 0u;
}
std::int32_t word_int(std::uint32_t word) {
    return static_cast<std::int32_t>(word);
}
float word_real(std::uint32_t word) {
    return std::bit_cast<float>(word);
}

void write_motion_record(int unit, std::span<const std::uint32_t> payload) {
    const std::uint32_t length = static_cast<std::uint32_t>(4 * payload.size());
    write_words(unit, std::span<const std::uint32_t>(&length, 1));
    write_words(unit, payload);
    write_words(unit, std::span<const std::uint32_t>(&length, 1));
}

void write_heading_count(int unit, std::int32_t NRAO) {
    const std::uint32_t w[] = {int_word(NRAO)};
    write_motion_record(unit, w);
}

void write_heading_record(int unit, float REDANG, bool LRAO) {
    const std::uint32_t w[] = {real_word(REDANG), logical_word(LRAO)};
    write_motion_record(unit, w);
}

void write_heading_setup(int unit, std::int32_t NRAO, std::int32_t ISWLFG, std::int32_t ISWLFG2,
                         std::int32_t IRANFG, float heading_radians) {
    const std::uint32_t w[] = {int_word(NRAO), int_word(ISWLFG), int_word(ISWLFG2),
                               int_word(IRANFG), real_word(heading_radians)};
    write_motion_record(unit, w);
}

void write_point_record(int unit, std::span<const std::complex<float>> values) {
    std::vector<std::uint32_t> w;
    w.reserve(2 * values.size());
    for (const auto& c : values) {
        w.push_back(real_word(c.real()));
        w.push_back(real_word(c.imag()));
    }
    write_motion_record(unit, w);
}

void write_sea_state_header(int unit, const std::array<float, 7>& values) {
    std::array<std::uint32_t, 7> w{};
    for (std::size_t i = 0; i < 7; ++i)
        w[i] = real_word(values[i]);
    write_motion_record(unit, w);
}

void write_pair(int unit, float rms, float rate_rms) {
    const std::uint32_t w[] = {real_word(rms), real_word(rate_rms)};
    write_motion_record(unit, w);
}

void write_line_angle_block(int unit, std::span<const std::array<float, 2>> angles) {
    const std::uint32_t count[] = {int_word(static_cast<std::int32_t>(angles.size()))};
    write_motion_record(unit, count);
    for (const auto& a : angles) {
        const std::uint32_t w[] = {real_word(a[0]), real_word(a[1])};
        write_motion_record(unit, w);
    }
}

MotionFileReader::MotionFileReader(int unit, std::string file_name, std::string routine, int IOSCRN)
    : unit_(unit), file_name_(std::move(file_name)), routine_(std::move(routine)), IOSCRN_(IOSCRN) {
}

void MotionFileReader::fail() {
    FILERR(file_name_, routine_, IOSCRN_, keyboard_unit);
}

// The next framed record: nothing at a clean end of the file; a damaged record ends the run.
std::optional<std::vector<std::uint32_t>> MotionFileReader::next_framed() {
    std::uint32_t head = 0;
    const std::size_t got = read_words(unit_, std::span<std::uint32_t>(&head, 1));
    if (got == 0)
        return std::nullopt;
    if (head % 4 != 0 || head > max_record_bytes)
        fail();
    std::vector<std::uint32_t> payload(head / 4);
    if (read_words(unit_, payload) != payload.size())
        fail();
    std::uint32_t tail = 0;
    if (read_words(unit_, std::span<std::uint32_t>(&tail, 1)) != 1 || tail != head)
        fail();
    return payload;
}

std::vector<std::uint32_t> MotionFileReader::record() {
    if (pending_) {
        std::vector<std::uint32_t> r = std::move(*pending_);
        pending_.reset();
        return r;
    }
    std::optional<std::vector<std::uint32_t>> r = next_framed();
    if (!r)
        fail();
    return std::move(*r);
}

std::vector<std::uint32_t> MotionFileReader::record_of(std::size_t words) {
    std::vector<std::uint32_t> r = record();
    if (r.size() != words)
        fail();
    return r;
}

// A count the file states is held to what a run can have written before anything is sized or
// looped by it: the heading slots of the run, the mooring lines.
std::int32_t MotionFileReader::heading_count() {
    const std::int32_t NRAO = word_int(record_of(1)[0]);
    if (NRAO < 0 || NRAO > heading_slot_capacity)
        fail();
    return NRAO;
}

std::pair<float, bool> MotionFileReader::heading_record() {
    const auto r = record_of(heading_record_words);
    return {word_real(r[0]), r[1] != 0};
}

HeadingSetup MotionFileReader::heading_setup() {
    const auto r = record_of(heading_setup_words);
    return {word_int(r[0]), word_int(r[1]), word_int(r[2]), word_int(r[3]), word_real(r[4])};
}

std::vector<std::complex<float>> MotionFileReader::point_record(std::size_t values) {
    const auto r = record_of(2 * values);
    std::vector<std::complex<float>> c(values);
    for (std::size_t i = 0; i < values; ++i)
        c[i] = {word_real(r[2 * i]), word_real(r[2 * i + 1])};
    return c;
}

std::array<float, 7> MotionFileReader::sea_state_header() {
    const auto r = record_of(sea_state_header_words);
    std::array<float, 7> v{};
    for (std::size_t i = 0; i < 7; ++i)
        v[i] = word_real(r[i]);
    return v;
}

std::pair<float, float> MotionFileReader::pair() {
    const auto r = record_of(pair_words);
    return {word_real(r[0]), word_real(r[1])};
}

// skip_heading_blocks: the record sizes tell the kinds apart: a heading record has 2 words, a
// set-up record 5, a point record 12 or 18, the sea-state header 7.
void MotionFileReader::skip_heading_blocks(std::int32_t NRAO) {
    for (std::int32_t IRAO = 1; IRAO <= NRAO; ++IRAO) {
        (void)heading_record();
        for (;;) {
            std::optional<std::vector<std::uint32_t>> r = next_framed();
            if (!r) {
                // The file may end with the last block (no sea-state records), not before it.
                if (IRAO < NRAO)
                    fail();
                return;
            }
            const std::size_t n = r->size();
            if (n == heading_setup_words || n == line_point_words || n == rigid_point_words)
                continue;
            pending_ = std::move(r);
            break;
        }
    }
}

HeadingBlock MotionFileReader::heading_block() {
    HeadingBlock block;
    std::tie(block.REDANG, block.LRAO) = heading_record();
    for (;;) {
        std::optional<std::vector<std::uint32_t>> r = next_framed();
        if (!r)
            return block;
        const std::size_t n = r->size();
        if (n == heading_setup_words) {
            if (block.setup || !block.points.empty())
                fail();
            const std::vector<std::uint32_t>& w = *r;
            block.setup = HeadingSetup{word_int(w[0]), word_int(w[1]), word_int(w[2]),
                                       word_int(w[3]), word_real(w[4])};
        } else if (n == line_point_words || n == rigid_point_words) {
            if (!block.setup)
                fail();
            std::vector<std::complex<float>> c(n / 2);
            for (std::size_t i = 0; i < c.size(); ++i)
                c[i] = {word_real((*r)[2 * i]), word_real((*r)[2 * i + 1])};
            block.points.push_back(std::move(c));
        } else {
            pending_ = std::move(r);
            return block;
        }
    }
}

std::vector<std::array<float, 2>> MotionFileReader::line_angle_block(std::int32_t least) {
    const std::int32_t count = word_int(record_of(1)[0]);
    if (count < least || count < 0 || count > lincom_lines)
        fail();
    std::vector<std::array<float, 2>> angles(static_cast<std::size_t>(count));
    for (auto& a : angles) {
        const auto r = record_of(2);
        a = {word_real(r[0]), word_real(r[1])};
    }
    return angles;
}

} // namespace lintar
