#pragma once
// A small RTF writer: plain and bold runs of UTF-8 text, written with the
// Windows-1250 code page that word processors open.
#include <string>
#include <vector>

namespace planek {

class rtf_writer {
public:
    void set_font(const std::string& name, int size);
    void clear();
    // Appends a run; "\n" becomes a paragraph break.
    void text(const std::string& utf8, bool bold);
    void paragraph();
    bool empty() const { return body_.empty(); }
    size_t size() const { return body_.size(); }
    // Drops what was written after `size` (a record that came out empty).
    void truncate(size_t size) {
        if (size < body_.size()) body_.resize(size);
    }
    // The whole document as lines; the last line is the closing brace.
    std::vector<std::string> lines() const;

    // Escapes UTF-8 text for an RTF body: "\", "{", "}" escaped, characters
    // of Windows-1250 as \'hh, others as \uN?.
    static std::string escape(const std::string& utf8);

private:
    std::string fontName_ = "Arial";
    int fontSize_ = 10;
    std::string body_;
};

// The A4 page setup line (2 cm margins) put before the document's last line.
inline constexpr const char* kRtfPageSetup = "\\paperh16838\\paperw11906\\margl1134\\margr1134\\margt1134\\margb1134";

}  // namespace planek
