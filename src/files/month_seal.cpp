#include "files/month_seal.h"

#include <algorithm>

#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/text.h"
#include "core/sha256.h"

namespace planek {

namespace {

const std::string kEndLine = std::string("[") + kEndSection + "]";

// Where the seal's section line starts, or npos: the last line that is
// exactly "[koniec]".
size_t seal_position(const std::string& bytes) {
    for (size_t from = std::string::npos;;) {
        const size_t at = bytes.rfind(kEndLine, from);
        if (at == std::string::npos) return at;
        const bool lineStart = at == 0 || bytes[at - 1] == '\n' || bytes[at - 1] == '\r';
        const size_t after = at + kEndLine.size();
        const bool lineEnd = after == bytes.size() || bytes[after] == '\r' || bytes[after] == '\n';
        if (lineStart && lineEnd) return at;
        if (at == 0) return std::string::npos;
        from = at - 1;
    }
}

bool is_hex_digest(const std::string& s) {
    return s.size() == 64 && std::all_of(s.begin(), s.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

bool only_header(const month_ini& ini) {
    return std::all_of(ini.sections().begin(), ini.sections().end(), [](const month_ini::section& s) {
        const std::string n = month_ini::fold(s.name);
        return n == "info" || n == "okres";
    });
}

}  // namespace

std::string seal_month_bytes(std::string bytes) {
    // As every section after the first, it follows an empty line.
    if (!bytes.empty()) bytes += "\r\n";
    const std::string digest = sha256_hex(bytes);
    return bytes + kEndLine + "\r\n" + kEndHashKey + "=" + digest + "\r\n";
}

month_end_check check_month_end(const std::string& bytes, const month_ini& ini) {
    month_end_check c;
    c.line = 0;
    if (bytes.empty()) {
        c.state = month_end::empty;
        return c;
    }
    const size_t at = seal_position(bytes);
    if (at == std::string::npos) {
        c.line = int(count_lines(bytes));
        const bool announced = ini.value("info", kEndAnnounced).has_value();
        c.state = announced ? month_end::missing_end : only_header(ini) ? month_end::header_only : month_end::older;
        return c;
    }
    c.line = int(count_lines(std::string_view(bytes).substr(0, at))) + 1;
    // After the section line: "sha256=<digest>" and its line break, nothing more.
    const std::string expected = std::string(kEndHashKey) + "=";
    const std::string tail = bytes.substr(at + kEndLine.size());
    const std::string crlf = "\r\n";
    if (tail.compare(0, crlf.size(), crlf) != 0 || tail.compare(2, expected.size(), expected) != 0) {
        c.state = month_end::wrong_hash;
        return c;
    }
    const std::string digest = tail.substr(2 + expected.size(), 64);
    const std::string rest = tail.size() >= 2 + expected.size() + 64 ? tail.substr(2 + expected.size() + 64) : "";
    if (!is_hex_digest(digest) || sha256_hex(std::string_view(bytes).substr(0, at)) != digest) {
        c.state = month_end::wrong_hash;
        return c;
    }
    c.state = rest.empty() || rest == crlf ? month_end::whole : month_end::after_end;
    return c;
}

month_end_check check_month_end(const std::string& bytes) {
    if (bytes.empty() || seal_position(bytes) != std::string::npos) return check_month_end(bytes, month_ini{});
    month_ini ini;
    std::vector<month_problem> ignored;
    ini.parse(split_text_lines(cp1250_to_utf8(bytes)), ignored);
    return check_month_end(bytes, ini);
}

std::string month_end_reason(const Translator& tr, const month_end_check& c) {
    switch (c.state) {
        case month_end::whole:
        case month_end::older: break;
        case month_end::empty: return tr.msg("msg_MonthEmptyFile", "plik jest pusty (0 bajtów)");
        case month_end::header_only:
            return tr.msg("msg_MonthHeaderOnly", "plik ma tylko nagłówek, bez żadnych danych miesiąca");
        case month_end::missing_end:
            return tr.msg("msg_MonthNoEnd",
                          "brak sekcji [koniec], którą program zapisuje na końcu pliku: plik jest ucięty");
        case month_end::wrong_hash:
            return tr.msg("msg_MonthWrongSum",
                          "suma kontrolna sekcji [koniec] nie zgadza się z treścią pliku: plik jest uszkodzony "
                          "albo zmieniony poza programem");
        case month_end::after_end:
            return tr.msg("msg_MonthAfterEnd", "po sekcji [koniec] jest jeszcze tekst");
    }
    return {};
}

}  // namespace planek
