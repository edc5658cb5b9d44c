#pragma once
// A whole data folder into the store and out again. The files are read by
// the program's own readers (checked whole first: a file the program could
// not read whole is refused, and nothing is stored) and written back by its
// own writers, so a ward can leave the server with the files it brought.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"
#include "store/pg_connection.h"

namespace planek::store {

struct folder_counts {
    int groups = 0, shifts = 0, workers = 0, months = 0, duties = 0, daysOff = 0, dayParameters = 0;
};

// The data folder `data` (a program folder's dane/) into an empty store, in
// one transaction; the act goes into the history.
result<folder_counts> import_folder(pg_connection& c, const std::filesystem::path& data);

// The store's ward into the data folder `data`, which must hold no ward yet.
result<folder_counts> export_folder(pg_connection& c, const std::filesystem::path& data);

// The same inside a transaction the caller holds, into any folder: the
// scratch folder an act on one month runs in, which needs that month only.
result<folder_counts> export_folder_into(pg_connection& c, const std::filesystem::path& data,
                                         std::optional<int> onlyMonth);

// The ward's files as the export writes them, as their lines (the data
// folder's path in the configuration given as `data`): the groups checked
// by their reader, the staff left to the caller's reader (it reads them
// anyway). The worked Sundays are the caller's to read by their rows.
struct ward_files {
    std::vector<std::string> groups, staff, config;
};
result<ward_files> ward_file_lines(pg_connection& c, const std::filesystem::path& data);

// The lines of a month file the program's reader takes whole, without the
// end section (`sealed` says whether it had one); refused otherwise.
result<std::vector<std::string>> read_month_file_lines(const std::filesystem::path& file, const Translator& tr,
                                                       bool& sealed);

}  // namespace planek::store
