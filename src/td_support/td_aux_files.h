// td_support/td_aux_files.h: the files of the squall program's support data under the folder
// "td_aux": their names and units, the write under a temporary name that becomes the final
// name only when the file is complete, and the key files that tell when a set of maps on disk
// is still current.
#pragma once

#include "util/file_services.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lintar {

inline constexpr std::string_view td_aux_folder = "td_aux";

// The files of the mooring side, each with its fixed unit.
struct TdAuxFileSpec {
    std::string_view base;
    int unit;
};
inline constexpr TdAuxFileSpec td_environment_file{"TD_Environment.vkdt", 1232};
inline constexpr TdAuxFileSpec force_map_file{"Moor_Force_Map.vkdt", 1234};
inline constexpr TdAuxFileSpec one_line_map_file{"OneLine_Force_Map.vkdt", 1259};
inline constexpr TdAuxFileSpec wf_damping_map_file{"WF_Line_Damping_Map.vkdt", 1233};
inline constexpr TdAuxFileSpec fairlead_load_map_file{"Fairlead_Load_Map.vkdt", 1255};
inline constexpr TdAuxFileSpec quad_cof_map_file{"Line_Quad_Cof_Map.vkdt", 1256};
inline constexpr TdAuxFileSpec line_mass_map_file{"Line_Mass_Map.vkdt", 1258};

// The key files of the two sets of maps, written beside them (see README).
inline constexpr TdAuxFileSpec force_map_key_file{"Moor_Force_Map.key", 1234};
inline constexpr TdAuxFileSpec damping_maps_key_file{"Line_Damping_Maps.key", 1255};

// The caller name of the map files' open and close reports.
inline constexpr std::string_view td_aux_caller = "QUASOT";

// "td_aux" + "/" + the base name.
std::string td_aux_name(std::string_view base);

// A td_aux file being written. It is connected on its unit under a temporary name beside the
// final one (TemporaryFile), so that a run stopped while writing it never leaves a file that
// looks complete; commit() closes it and renames it over the final name. It is written through
// the descriptor of its creation, never reopened by name. A link or a folder at the temporary
// name, also one put there while the file is written, is left alone and refused; a file that cannot
// be made, opened, closed or renamed is reported by the file-access report naming the final file
// and the caller CALFIL, which stops the run (status 1). Destroyed without commit() (a stop while
// it is written), it is closed and its temporary file deleted.
class TdAuxFile {
public:
    TdAuxFile(TdAuxFileSpec spec, std::string_view CALFIL, int IOSCRN);
    ~TdAuxFile();
    TdAuxFile(const TdAuxFile&) = delete;
    TdAuxFile& operator=(const TdAuxFile&) = delete;

    int unit() const { return spec_.unit; }
    void commit();

private:
    TdAuxFileSpec spec_;
    std::string final_name_;
    TemporaryFile temporary_;
    bool open_ = false;
};

// True when every file of a set exists in "td_aux" and its key file holds exactly the records
// `key`. A missing or unreadable key is no error; it only says the set is not current.
bool map_set_current(std::span<const TdAuxFileSpec> files, TdAuxFileSpec key_file,
                     const std::vector<std::string>& key);

// Deletes a set's key file before the set is rebuilt, so that a build cut short leaves a set
// that the next run rebuilds.
void forget_map_key(TdAuxFileSpec key_file);

// Writes a set's key records (after the set's files have their final names).
void write_map_key(TdAuxFileSpec key_file, const std::vector<std::string>& key, int IOSCRN);

// The digest of the inputs the maps of a run depend on beyond the line tables: the data
// image in TPCM (without the support data's own switches excursionLimitDiameter,
// ForceAllRebuilds and WriteAuxDatFiles), the contents of every file the run has read as input (the
// data file and the user's tables; files under "td_aux" and files the run wrote are left out) and
// the program's name and version.
std::string run_input_digest();

} // namespace lintar
