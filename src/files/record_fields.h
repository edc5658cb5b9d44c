#pragma once
#include <cstddef>
#include <limits>
#include <string>
#include <type_traits>
#include <variant>

#include "core/stored_fields.h"
#include "core/text.h"
#include "core/types.h"

namespace planek {

// The stored text of one field.
template <class R>
std::string field_text(const R& rec, const record_field<R>& f) {
    return std::visit(
        [&](auto m) -> std::string {
            using M = decltype(m);
            if constexpr (std::is_same_v<M, std::nullptr_t>) {
                return "0";
            } else {
                const auto& v = rec.*m;
                using V = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<V, std::string>) return v;
                else if constexpr (std::is_same_v<V, bool>) return flag_text(v);
                else if constexpr (std::is_same_v<V, double>) return real_text(v);
                else if constexpr (std::is_same_v<V, colour>) return colour_text(v);
                else return std::to_string(v);
            }
        },
        f.member);
}

template <class V>
bool parse_whole(const std::string& text, V& out) {
    auto n = parse_int(text);
    if (!n || *n < std::numeric_limits<V>::min() || *n > std::numeric_limits<V>::max()) return false;
    out = V(*n);
    return true;
}

// Reads one field into the record. An empty text keeps the value the record
// holds. Returns false, leaving the member unchanged, when the text is not
// a valid value for the field.
template <class R>
bool read_field(R& rec, const record_field<R>& f, const std::string& text) {
    if (text.empty()) return true;
    return std::visit(
        [&](auto m) -> bool {
            using M = decltype(m);
            if constexpr (std::is_same_v<M, std::nullptr_t>) {
                return true;
            } else {
                auto& v = rec.*m;
                using V = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<V, std::string>) {
                    v = text;
                    return true;
                } else if constexpr (std::is_same_v<V, bool>) {
                    v = parse_flag(text);
                    return true;
                } else if constexpr (std::is_same_v<V, double>) {
                    auto d = parse_real(text);
                    if (d) v = *d;
                    return d.has_value();
                } else if constexpr (std::is_same_v<V, colour>) {
                    auto c = parse_colour(text);
                    if (c) v = *c;
                    return c.has_value();
                } else {
                    return parse_whole(text, v);
                }
            }
        },
        f.member);
}

}  // namespace planek
