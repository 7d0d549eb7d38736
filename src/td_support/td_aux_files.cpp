// td_support/td_aux_files.cpp: td_aux names, the temporary-then-final write and the map keys.
#include "td_support/td_aux_files.h"

#include "blocks/tpcm.h"
#include "editor/identity.h"
#include "runtime/edit_descriptors.h"
#include "runtime/run_inputs.h"
#include "runtime/units.h"
#include "util/file_services.h"

#include <array>
#include <cstddef>
#include <cstring>

namespace lintar {

std::string td_aux_name(std::string_view base) {
    return std::string(td_aux_folder) + "/" + std::string(base);
}

TdAuxFile::TdAuxFile(TdAuxFileSpec spec, std::string_view CALFIL, int IOSCRN)
    : spec_(spec), final_name_(td_aux_name(spec.base)),
      // A missing "td_aux" folder fails here; the report names the file the user expects.
      temporary_(final_name_, IOSCRN,
                 [CALFIL = std::string(CALFIL), IOSCRN](const FileFailure& failure) {
                     ACERR(CALFIL, failure.name, IOSCRN);
                 }) {
    temporary_.connect(spec_.unit, FileForm::formatted);
    open_ = true;
}

TdAuxFile::~TdAuxFile() {
    if (open_)
        (void)close_unit(spec_.unit);
}

void TdAuxFile::commit() {
    open_ = false;
    if (!close_unit(spec_.unit))
        temporary_.fail_writing();
    temporary_.commit();
}

bool map_set_current(std::span<const TdAuxFileSpec> files, TdAuxFileSpec key_file,
                     const std::vector<std::string>& key) {
    for (const TdAuxFileSpec& f : files)
        if (!file_exists(td_aux_name(f.base)))
            return false;
    if (!open_unit(key_file.unit, td_aux_name(key_file.base), OpenStatus::old_file,
                   FileForm::formatted))
        return false;
    bool same = true;
    for (const std::string& record : key) {
        const std::optional<std::string> line = read_line(key_file.unit);
        if (!line || *line != record) {
            same = false;
            break;
        }
    }
    if (same && read_line(key_file.unit))
        same = false; // a longer key is another key
    (void)close_unit(key_file.unit);
    return same;
}

void forget_map_key(TdAuxFileSpec key_file) {
    (void)delete_file(td_aux_name(key_file.base));
}

void write_map_key(TdAuxFileSpec key_file, const std::vector<std::string>& key, int IOSCRN) {
    TdAuxFile file(key_file, td_aux_caller, IOSCRN);
    for (const std::string& record : key)
        write_record(file.unit(), record);
    file.commit();
}

std::string run_input_digest() {
    ContentDigest digest;
    const ProgramIdentity ID = CATTOP();
    digest.add_text(ID.NAME);
    digest.add_floats(std::array<float, 1>{ID.VERNQ});
    std::vector<std::uint32_t> image(tpcm_word_count);
    std::memcpy(image.data(), &TPCM, tpcm_byte_count);
    // The switches of the support data themselves are no input of the maps: the diameter
    // enters the keys as its span key, and a forced rebuild must not make the next run's keys
    // differ.
    for (const std::size_t offset :
         {offsetof(TpcmBlock, excursionLimitDiameter), offsetof(TpcmBlock, ForceAllRebuilds),
          offsetof(TpcmBlock, WriteAuxDatFiles)})
        image[offset / 4] = 0;
    digest.add_words(image);
    add_input_files(digest, td_aux_folder);
    return digest.hex();
}

} // namespace lintar
