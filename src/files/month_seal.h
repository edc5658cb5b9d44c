#pragma once
// The proof that a month file this program wrote reached the disk whole: a
// last section [koniec] whose key sha256 holds the SHA-256 of every byte
// before the section, announced at the top by [info] znacznik_konca=1, so a
// file cut anywhere after its first lines shows the cut. Older versions read
// a month key by key and never ask for either, so they read such a file as
// before; a file they wrote has neither and reads as it always did.
#include <string>

#include "core/translator.h"
#include "files/month_ini.h"

namespace planek {

inline constexpr const char* kEndSection = "koniec";
inline constexpr const char* kEndHashKey = "sha256";
inline constexpr const char* kEndAnnounced = "znacznik_konca";

// The bytes of a month file with its end section appended.
std::string seal_month_bytes(std::string bytes);

enum class month_end {
    whole,         // sealed, and the seal matches
    older,         // no seal and none announced: a file of an older version
    empty,         // nothing at all
    header_only,   // no seal, and nothing but [info] and [okres]
    missing_end,   // the seal announced at the top is not there: cut off
    wrong_hash,    // the text before the seal is not what was sealed
    after_end,     // something follows the seal
};

struct month_end_check {
    month_end state = month_end::older;
    int line = 0;  // where it shows: the seal's line, else the last line
    bool trusted() const { return state == month_end::whole || state == month_end::older; }
};

// `ini` is the parse of the same bytes (for the announcement and the
// sections present).
month_end_check check_month_end(const std::string& bytes, const month_ini& ini);
// The same where no parse is at hand: the bytes are parsed only when there
// is no seal and the top must be asked whether one was announced.
month_end_check check_month_end(const std::string& bytes);

// What is wrong, as a line of the reader's report, in the language of `tr`.
std::string month_end_reason(const Translator& tr, const month_end_check& c);

}  // namespace planek
