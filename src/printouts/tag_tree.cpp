#include "printouts/tag_tree.h"

#include <deque>

#include "core/text.h"
#include "printouts/template_text.h"

namespace planek {
namespace {

// The first tag of a view, as offsets into it.
struct tag_span {
    bool found = false;
    bool closed = false;
    size_t start = 0;      // of "‹_"
    size_t bodyStart = 0;  // after the opening "›"
    size_t bodyEnd = 0;    // start of the closing tag (closed only)
    size_t afterStart = 0;
    std::string name;
    std::string attrs;
};

// Remembers, per closing tag, where the last search found it so that a long
// text full of unclosed tags is not searched again and again to its end.
class close_finder {
public:
    explicit close_finder(std::string_view all) : all_(all) {}
    // Absolute position of the first `marker` at or after `from`, or npos.
    size_t find(const std::string& marker, size_t from) {
        auto it = memo_.find(marker);
        if (it != memo_.end() && it->second.from <= from && (it->second.at == std::string_view::npos ||
                                                             it->second.at >= from))
            return it->second.at;
        size_t at = find_nocase(all_, marker, from);
        memo_[marker] = {from, at};
        return at;
    }

private:
    struct hit {
        size_t from;
        size_t at;
    };
    std::string_view all_;
    std::unordered_map<std::string, hit> memo_;
};

// `view` lies inside `all` at offset `base`.
tag_span find_tag(std::string_view view, size_t base, close_finder* finder) {
    tag_span t;
    const std::string open = tag_open_marker();
    size_t start = view.find(open);
    if (start == std::string_view::npos) return t;
    size_t nameStart = start + open.size();
    size_t nameLen = 0;
    std::string name = wyciagnij_nazwe(view, nameStart, &nameLen);
    size_t close = view.find(kTagOpenR, nameStart + nameLen);
    if (close == std::string_view::npos) return t;
    t.found = true;
    t.start = start;
    t.name = english_tag_name(name);
    t.attrs = trim(view.substr(nameStart + nameLen, close - nameStart - nameLen));
    t.bodyStart = close + kTagOpenR.size();
    // The closing tag is searched under the name as written.
    const std::string marker = tag_close_marker() + name + std::string(kTagOpenR);
    size_t end = std::string_view::npos;
    if (finder) {
        size_t abs = finder->find(marker, base + t.bodyStart);
        if (abs != std::string_view::npos && abs + marker.size() <= base + view.size()) end = abs - base;
    } else {
        end = find_nocase(view, marker, t.bodyStart);
    }
    if (end != std::string_view::npos) {
        t.closed = true;
        t.bodyEnd = end;
        t.afterStart = end + marker.size();
    } else {
        // An unclosed tag stands for itself: the text after it is kept
        // rather than lost with the rest of the template.
        t.bodyEnd = t.bodyStart;
        t.afterStart = t.bodyStart;
    }
    return t;
}

int add_node(tag_tree& tree, int parent, std::string caption, std::string text, std::string attrs) {
    tag_node n;
    n.caption = std::move(caption);
    n.text = std::move(text);
    n.attrs = std::move(attrs);
    n.parent = parent;
    n.depth = parent < 0 ? 0 : tree.nodes[parent].depth + 1;
    int id = int(tree.nodes.size());
    tree.nodes.push_back(std::move(n));
    (parent < 0 ? tree.roots : tree.nodes[parent].children).push_back(id);
    return id;
}

struct work_item {
    size_t offset;  // into the whole text
    size_t length;
    int parent;
};

}  // namespace

tag_parts wyciagnij_tag(std::string_view text) {
    tag_parts p;
    tag_span t = find_tag(text, 0, nullptr);
    if (!t.found) {
        p.before = std::string(text);
        return p;
    }
    p.found = true;
    p.closed = t.closed;
    p.before = trim(text.substr(0, t.start));
    p.name = t.name;
    p.attrs = t.attrs;
    p.body = std::string(text.substr(t.bodyStart, t.bodyEnd - t.bodyStart));
    p.after = std::string(text.substr(t.afterStart));
    return p;
}

void drzewo_kreator(tag_tree& tree, std::string_view all, int parent) {
    const std::string open = tag_open_marker();
    close_finder finder(all);
    std::deque<work_item> work{{0, all.size(), parent}};
    while (!work.empty()) {
        work_item item = work.front();
        work.pop_front();
        size_t pos = item.offset;
        const size_t end = item.offset + item.length;
        while (pos < end) {
            std::string_view view = all.substr(pos, end - pos);
            tag_span t = find_tag(view, pos, &finder);
            if (!t.found) {
                // A "‹_" without its "›" is no tag: the rest is text.
                if (!trim(view).empty()) add_node(tree, item.parent, "0", std::string(view), "");
                break;
            }
            std::string before = trim(view.substr(0, t.start));
            if (!before.empty()) add_node(tree, item.parent, "", before, "");
            std::string_view body = view.substr(t.bodyStart, t.bodyEnd - t.bodyStart);
            std::string_view after = view.substr(t.afterStart);
            bool afterHasTags = after.find(open) != std::string_view::npos;
            if (body.empty()) {
                add_node(tree, item.parent, "0", afterHasTags ? std::string() : std::string(after), "");
                if (!afterHasTags) break;
                pos += t.afterStart;
                continue;
            }
            size_t inner = body.find(open);
            int parentDepth = item.parent < 0 ? -1 : tree.nodes[item.parent].depth;
            // Children of this node would pass the limit.
            bool tooDeep = parentDepth + 2 >= kMaxTagDepth;
            std::string nodeText(inner == std::string_view::npos || tooDeep ? body : body.substr(0, inner));
            int node = add_node(tree, item.parent, t.name, std::move(nodeText), t.attrs);
            if (inner != std::string_view::npos && !tooDeep)
                work.push_back({pos + t.bodyStart + inner, body.size() - inner, node});
            if (afterHasTags) {
                pos += t.afterStart;
                continue;
            }
            add_node(tree, item.parent, "0", std::string(after), "");
            break;
        }
    }
}

std::string sort_attribute(const std::string& attrs) {
    std::string a = lower_text(attrs);
    replace_all(a, "\"", "");
    size_t p = a.find("sort=");
    if (p == std::string::npos) return {};
    p += 5;
    size_t e = p;
    while (e < a.size() && a[e] != ' ' && a[e] != '\t') ++e;
    return a.substr(p, e - p);
}

}  // namespace planek
