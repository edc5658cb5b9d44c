#pragma once
// A name of the data folder that stays with it wherever it is copied or
// moved, so what the program hands out to other programs (calendar events)
// tells one ward's folder from another's.
#include <filesystem>
#include <string>

namespace planek {

// The file in the data folder that keeps the id.
inline constexpr const char* kDataFolderIdName = "planek.id";

// 32 lower-case hexadecimal digits. Read from the data folder's id file;
// made at random and stored there on the first call. A folder the id cannot
// be stored in gets one derived from its absolute path, the same on every
// call while the folder stays where it is.
std::string data_folder_id(const std::filesystem::path& data);

}  // namespace planek
