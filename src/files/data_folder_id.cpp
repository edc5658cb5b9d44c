#include "files/data_folder_id.h"

#include <unistd.h>

#include <cstdio>
#include <random>
#include <system_error>

#include "core/file_io.h"
#include "core/sha256.h"
#include "core/text.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

constexpr size_t kDigits = 32;

bool is_id(const std::string& text) {
    if (text.size() != kDigits) return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

std::string stored_id(const fs::path& file) {
    std::string bytes, error;
    if (!read_bytes(file, bytes, error)) return {};
    const std::string id = trim(bytes);
    return is_id(id) ? id : std::string();
}

std::string random_id() {
    std::random_device entropy;
    std::string id;
    while (id.size() < kDigits) {
        char part[9];
        std::snprintf(part, sizeof part, "%08x", unsigned(entropy()));
        id += part;
    }
    return id.substr(0, kDigits);
}

}  // namespace

std::string data_folder_id(const fs::path& data, std::string* unsaved, const Translator* tr) {
    const fs::path file = data / kDataFolderIdName;
    if (std::string id = stored_id(file); !id.empty()) return id;
    const std::string made = random_id();
    fs::path tmp;
    io_result written = write_temporary(file, made + "\r\n", tmp, tr);
    if (written) {
        std::error_code ec;
        // link() refuses a name that is there: of two programs making the id
        // at once, the first one's stays and the other takes it.
        const bool placed = ::link(tmp.c_str(), file.c_str()) == 0;
        const bool damaged = !placed && fs::exists(file, ec) && stored_id(file).empty();
        // An id file that holds no id is replaced whole.
        if (damaged) {
            written = put_in_place(tmp, file, tr);
            if (written) tmp.clear();
        }
        if (!tmp.empty()) fs::remove(tmp, ec);
        if (std::string id = stored_id(file); !id.empty()) return id;
    }
    if (unsaved) {
        const std::string why =
            written ? file_message(tr, "msg_FileNotWritten", "Nie udało się zapisać pliku %s", {file.string()}) + "."
                    : written.error;
        *unsaved = file_message(tr, "msg_DataFolderIdNotSaved",
                                "%s Identyfikator wydarzeń kalendarza wzięto z położenia folderu danych: po "
                                "przeniesieniu folderu nie zastąpią one wydanych wcześniej.",
                                {why});
    }
    std::error_code ec;
    const fs::path where = fs::weakly_canonical(fs::absolute(data, ec), ec);
    return sha256_hex(where.string()).substr(0, kDigits);
}

}  // namespace planek
