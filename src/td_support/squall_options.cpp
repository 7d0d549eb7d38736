// td_support/squall_options.cpp: the squall program's options file (SQUALDAT).
#include "td_support/squall_options.h"

#include "blocks/tpcm.h"
#include "runtime/edit_descriptors.h"
#include "runtime/input_fields.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/file_services.h"
#include "util/title_screens.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace lintar {

namespace {

constexpr char tab = '\t';

// The trailing blanks of a text cut off.
std::string trimmed(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// An event list's count held to the lists' size: the lists are arrays of 39.
int event_entries(std::int32_t count) {
    return std::clamp(count, 0, squall_event_count);
}

[[noreturn]] void options_io_stop(std::string_view text) {
    write_record(TPCM.EDUNIT, text);
    stop_program(StopKind::error);
}

// One record read field by field as a Fortran format reads it: a separator character, then a
// value field of fixed width; a record shorter than its format reads as blanks.
class RecordFields {
public:
    explicit RecordFields(std::string text) : text_(std::move(text)) {}

    // The next field of the given width, blank-padded past the end of the record.
    std::string next(int width) {
        std::string field = pos_ < text_.size() ? text_.substr(pos_, width) : std::string();
        field.resize(static_cast<std::size_t>(width), ' ');
        pos_ += static_cast<std::size_t>(width);
        return field;
    }

    std::optional<std::int32_t> integer(int width) {
        next(1);
        return read_integer_field(next(width));
    }
    std::optional<float> real(int width, int d) {
        next(1);
        return read_real_field(next(width), d);
    }
    // L1: T or F in either case, after an optional point; a blank field is no value.
    std::optional<std::int32_t> logical() {
        next(1);
        const char c = next(1)[0];
        if (c == 'T' || c == 't')
            return 1;
        if (c == 'F' || c == 'f')
            return 0;
        return std::nullopt;
    }

private:
    std::string text_;
    std::size_t pos_ = 0;
};

// What a read of the options file gives before it is taken over.
struct OptionsRead {
    SqualcomBlock options;
    std::int32_t linePicks[squall_event_count];
    std::int32_t defaultPics[squall_event_count];
    bool odd_lengths = false;
};

// Reads the records after the version record into `read`; false at the first record that is
// missing or does not read, or at a length the lists cannot hold.
bool read_option_records(OptionsRead& read) {
    SqualcomBlock& S = read.options;
    auto record = [](std::optional<RecordFields>& fields) {
        const std::optional<std::string> line = read_line(squall_options_unit);
        if (line)
            fields.emplace(*line);
        return line.has_value();
    };
    std::optional<RecordFields> fields;

    if (!record(fields))
        return false;
    std::int32_t lengths[3];
    const int capacity[3] = {squall_logical_count, squall_integer_count, squall_real_count};
    for (int k = 0; k < 3; ++k) {
        const std::optional<std::int32_t> n = fields->integer(3);
        if (!n || *n < 0 || *n > capacity[k])
            return false;
        lengths[k] = *n;
        if (*n != capacity[k])
            read.odd_lengths = true;
    }

    if (!record(fields))
        return false;
    const std::optional<float> duration = fields->real(10, 2);
    const std::optional<std::int32_t> events = fields->integer(3);
    if (!duration || !events)
        return false;
    S.fullDuration_D() = *duration;
    S.nFldReports_D() = *events;

    if (!record(fields))
        return false;
    for (int i = 1; i <= lengths[0]; ++i) {
        const std::optional<std::int32_t> value = fields->logical();
        if (!value)
            return false;
        S.aaLogical(i) = *value;
    }
    if (!record(fields))
        return false;
    for (int i = 1; i <= lengths[1]; ++i) {
        const std::optional<std::int32_t> value = fields->integer(3);
        if (!value)
            return false;
        S.aaInteger(i) = *value;
    }
    // The two event lists hold as many entries as the count just read says.
    const std::int32_t count = S.nFldReports();
    if (count < 0 || count > squall_event_count)
        return false;
    for (std::int32_t* list : {read.defaultPics, read.linePicks}) {
        if (!record(fields))
            return false;
        for (int i = 0; i < count; ++i) {
            const std::optional<std::int32_t> value = fields->integer(3);
            if (!value)
                return false;
            list[i] = *value;
        }
    }
    if (!record(fields))
        return false;
    for (int i = 1; i <= lengths[2]; ++i) {
        const std::optional<float> value = fields->real(14, 7);
        if (!value)
            return false;
        S.aaReal(i) = *value;
    }
    return true;
}

} // namespace

std::string bad_options_name(std::string_view SQUAL_IO) {
    return std::string(SQUAL_IO) + ".bad";
}

// WRITE_TD_OPTS: the eight records of the options file, written under the temporary name of
// SQUAL_IO and renamed over it (TemporaryFile).
void WRITE_TD_OPTS(std::string_view SQUAL_IO, float VERNOQ, std::int32_t VERS_SUFXQ,
                   float SQ_VERNOQ, std::int32_t SQ_VERS_SUFXQ, float DURATNQ, std::int32_t NDYNEVQ,
                   std::span<const std::int32_t, squall_event_count> IDYNEVQ,
                   std::span<const std::int32_t, squall_event_count> linePicks) {
    constexpr std::string_view failure = "++> I/O Error in WRITE_TD_OPTS; aborting... ";
    TemporaryFile temporary(SQUAL_IO, TPCM.EDUNIT,
                            [&](const FileFailure&) { options_io_stop(failure); });
    temporary.connect(squall_options_unit, FileForm::formatted);

    SqualcomBlock& S = SQUALCOM;
    const int u = squall_options_unit;
    write_record(u, "SQUALDAT Ver [" + trimmed(VERSION_STRING2(SQ_VERNOQ, SQ_VERS_SUFXQ)) + "];" +
                        " " + " Kelbrin Ver [" + trimmed(VERSION_STRING2(VERNOQ, VERS_SUFXQ)) +
                        "]");
    write_record(u, tab + I(squall_logical_count, 3) + tab + I(squall_integer_count, 3) + tab +
                        I(squall_real_count, 3));
    write_record(u, tab + F(DURATNQ * 3600.0f, 10, 2) + tab + I(NDYNEVQ, 3));
    std::string text;
    for (int i = 1; i <= squall_logical_count; ++i)
        text += tab + std::string(is_true(S.aaLogical(i)) ? "T" : "F");
    write_record(u, text);
    text.clear();
    for (int i = 1; i <= squall_integer_count; ++i)
        text += tab + I(S.aaInteger(i), 3);
    write_record(u, text);
    const int entries = event_entries(S.nFldReports());
    for (std::span<const std::int32_t, squall_event_count> list : {IDYNEVQ, linePicks}) {
        text.clear();
        for (int i = 0; i < entries; ++i)
            text += tab + I(list[static_cast<std::size_t>(i)], 3);
        write_record(u, text);
    }
    text.clear();
    for (int i = 1; i <= squall_real_count; ++i)
        text += tab + E(S.aaReal(i), 14, 7);
    write_record(u, text);

    if (!close_unit(u))
        temporary.fail_writing();
    temporary.commit();
}

// READ_TD_OPTS: the options file read into a copy of SQUALCOM and the two lists, taken over
// only when every record read.
void READ_TD_OPTS(std::string_view SQUAL_IO, std::int32_t& iBadOpts,
                  std::span<std::int32_t, squall_event_count> linePicks,
                  std::span<std::int32_t, squall_event_count> defaultPics,
                  std::string& VERSION_DAT) {
    iBadOpts = 0;
    const std::string name(SQUAL_IO);
    if (!open_unit(squall_options_unit, name, OpenStatus::old_file, FileForm::formatted))
        options_io_stop("++> I/O Error in READ_TD_OPTS (missing SQUALDAT?); aborting... ");

    const auto read = std::make_unique<OptionsRead>();
    read->options = SQUALCOM;
    std::copy(linePicks.begin(), linePicks.end(), read->linePicks);
    std::copy(defaultPics.begin(), defaultPics.end(), read->defaultPics);

    bool good = false;
    if (const std::optional<std::string> version = read_field(squall_options_unit, 80)) {
        VERSION_DAT = *version;
        good = read_option_records(*read);
    }
    close_unit(squall_options_unit);
    if (!good) {
        iBadOpts = 1;
        const std::string kept = bad_options_name(SQUAL_IO);
        if (file_kind(kept) == FileKind::regular)
            delete_file(kept);
        rename_file(name, kept);
        return;
    }
    SQUALCOM = read->options;
    std::copy(std::begin(read->linePicks), std::end(read->linePicks), linePicks.begin());
    std::copy(std::begin(read->defaultPics), std::end(read->defaultPics), defaultPics.begin());
    iBadOpts = read->odd_lengths ? 2 : 0;
}

bool overRideLinePicks_F(std::span<const std::int32_t, squall_event_count> linePicks,
                         std::int32_t nFldReports,
                         std::span<const std::int32_t, squall_event_count> defaultPics,
                         std::int32_t nDefaultFldReports) {
    if (nFldReports != nDefaultFldReports)
        return true;
    const int entries = event_entries(nFldReports);
    return !std::equal(linePicks.begin(), linePicks.begin() + entries, defaultPics.begin());
}

bool overRideFullDuration_F(float fullDurationHrs, float DURATNQ) {
    return fullDurationHrs != DURATNQ;
}

} // namespace lintar
