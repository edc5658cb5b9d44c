#pragma once
// A name of the data folder that stays with it wherever it is copied or
// moved, so what the program hands out to other programs (calendar events)
// tells one ward's folder from another's.
#include <filesystem>
#include <string>

namespace planek {

// The file in the data folder that keeps the id.
inline constexpr const char* kDataFolderIdName = "planek.id";

class Translator;

// 32 lower-case hexadecimal digits. Read from the data folder's id file;
// made at random and stored there on the first call. A folder the id cannot
// be stored in gets one derived from its absolute path, the same on every
// call while the folder stays where it is; `unsaved` (when given) then says
// why, in the language of `tr`, for the user to hear: the events handed out
// from that folder will not match once it is moved.
std::string data_folder_id(const std::filesystem::path& data, std::string* unsaved = nullptr,
                           const Translator* tr = nullptr);

}  // namespace planek
