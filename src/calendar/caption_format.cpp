#include "calendar/caption_format.h"

#include <algorithm>
#include <cctype>

namespace planek {

namespace {

// No caption needs a wider field; a typo in a language file must not
// allocate without bound.
constexpr int kMaxWidth = 1000;

struct directive {
    bool leftAlign = false;
    int width = -1;
    int precision = -1;
    char type = 's';
};

std::string render(const directive& d, const format_arg* arg) {
    std::string text;
    if (arg) {
        if (arg->number) {
            const long long n = arg->value;
            const bool negative = n < 0;
            std::string digits = std::to_string(negative ? -(n + 1) + 1ULL : 0ULL + n);
            if (d.type != 's' && d.precision > int(digits.size()))
                digits.insert(0, size_t(d.precision) - digits.size(), '0');
            text = (negative ? "-" : "") + digits;
        } else {
            text = arg->text;
            if (d.type == 's' && d.precision >= 0 && int(text.size()) > d.precision)
                text.resize(size_t(d.precision));
        }
    }
    if (d.width > int(text.size())) {
        const std::string pad(size_t(d.width) - text.size(), ' ');
        text = d.leftAlign ? text + pad : pad + text;
    }
    return text;
}

int read_number(const std::string& f, size_t& i) {
    int v = 0;
    while (i < f.size() && std::isdigit(static_cast<unsigned char>(f[i]))) {
        v = std::min(v * 10 + (f[i] - '0'), kMaxWidth);
        ++i;
    }
    return v;
}

}  // namespace

std::string format_caption(const std::string& f, const std::vector<format_arg>& args) {
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < f.size(); ++i) {
        if (f[i] != '%') {
            out += f[i];
            continue;
        }
        size_t j = i + 1;
        if (j < f.size() && f[j] == '%') {
            out += '%';
            i = j;
            continue;
        }
        directive d;
        if (j < f.size() && f[j] == '-') {
            d.leftAlign = true;
            ++j;
        }
        if (j < f.size() && std::isdigit(static_cast<unsigned char>(f[j]))) d.width = read_number(f, j);
        if (j < f.size() && f[j] == '.') {
            ++j;
            d.precision = read_number(f, j);
        }
        if (j >= f.size() || !std::isalpha(static_cast<unsigned char>(f[j]))) {
            out.append(f, i, j - i);  // not a directive: keep the text
            i = j - 1;
            continue;
        }
        d.type = char(std::tolower(static_cast<unsigned char>(f[j])));
        out += render(d, next < args.size() ? &args[next] : nullptr);
        ++next;
        i = j;
    }
    return out;
}

std::vector<std::string> paired_caption_lines(const std::string& titles, const std::string& values) {
    auto split = [](const std::string& text) {
        std::vector<std::string> parts(1);
        for (char c : text) {
            if (c == '\r')
                parts.emplace_back();
            else if (c != '\n')
                parts.back() += c;
        }
        return parts;
    };
    const std::vector<std::string> left = split(titles), right = split(values);
    std::vector<std::string> lines;
    for (size_t i = 0; i < std::max(left.size(), right.size()); ++i) {
        std::string line = (i < left.size() ? left[i] : "") + (i < right.size() ? right[i] : "");
        while (!line.empty() && line.back() == ' ') line.pop_back();
        if (!line.empty()) lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<std::string> caption_items(const std::string& listText) {
    std::string text;
    for (size_t i = 0; i < listText.size(); ++i) {
        if (listText[i] == '\\' && i + 1 < listText.size() && (listText[i + 1] == 'r' || listText[i + 1] == 'n')) {
            text += listText[i + 1] == 'r' ? '\r' : '\n';
            ++i;
        } else {
            text += listText[i];
        }
    }
    const size_t cut = text.find('\r');
    if (cut != std::string::npos) text.erase(0, cut + 1);
    std::vector<std::string> items(1);
    for (char c : text) {
        if (c == '\n')
            items.emplace_back();
        else
            items.back() += c;
    }
    return items;
}

}  // namespace planek
