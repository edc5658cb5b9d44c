#pragma once
// The tag tree of a template body: tag nodes that repeat their text and
// plain text nodes, built without recursion and with a bounded depth.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace planek {

// Deeper nesting than this is kept as plain text of the deepest tag, so a
// hostile template cannot exhaust the stack of the expansion.
inline constexpr int kMaxTagDepth = 32;

struct tag_node {
    std::string caption;  // tag name; "" text before a tag, "0" text after one
    std::string text;
    std::string attrs;
    int parent = -1;  // -1 for top-level nodes
    int depth = 0;    // 0 at the top level
    std::vector<int> children;
};

struct tag_tree {
    std::vector<tag_node> nodes;
    std::vector<int> roots;  // top-level nodes in document order

    void clear() {
        nodes.clear();
        roots.clear();
    }
    // Sibling list of a parent (-1 = the top level).
    const std::vector<int>& siblings(int parent) const {
        return parent < 0 ? roots : nodes[parent].children;
    }
};

// The five parts of the first tag of a text. `found` is false when the
// text holds no complete opening tag; `before` then holds the whole text.
struct tag_parts {
    bool found = false;
    bool closed = false;  // the closing tag was found
    std::string before;
    std::string name;  // English name, lower case
    std::string body;
    std::string after;
    std::string attrs;
};

tag_parts wyciagnij_tag(std::string_view text);

// Builds the nodes of `text` under `parent` (-1 = top level).
void drzewo_kreator(tag_tree& tree, std::string_view text, int parent = -1);

// The value of a "sort=" attribute, double quotes removed and lower-cased;
// empty when there is none.
std::string sort_attribute(const std::string& attrs);

}  // namespace planek
