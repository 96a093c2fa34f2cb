// A strict reader of the HTML subset the export writes: the doctype first,
// known elements and attributes, closed in order, no bare "&" or control
// character, no script or URL with a scheme, host or absolute path, unique
// ids that every in-page link finds. Anything else is an error.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "render/charset.h"

namespace folioteer::testing {

struct HtmlNode {
  std::string name;  // empty for text
  std::string text;  // text, references decoded
  std::map<std::string, std::string> attributes;
  std::vector<std::unique_ptr<HtmlNode>> children;

  std::string Attribute(const std::string& key) const {
    auto found = attributes.find(key);
    return found == attributes.end() ? std::string() : found->second;
  }
};

struct HtmlDocument {
  std::unique_ptr<HtmlNode> root;
  std::vector<std::string> errors;
};

class StrictHtmlReader {
 public:
  explicit StrictHtmlReader(std::string_view page) : page_(page) {}

  HtmlDocument Read() {
    HtmlDocument document;
    document.root = std::make_unique<HtmlNode>();
    document.root->name = "#document";
    if (!IsValidUtf8(page_)) Error("not valid UTF-8");
    constexpr std::string_view kDoctype = "<!DOCTYPE html>\n";
    if (!page_.starts_with(kDoctype)) Error("no doctype first");
    pos_ = kDoctype.size();
    std::vector<HtmlNode*> open = {document.root.get()};
    while (pos_ < page_.size() && errors_.size() < 20) {
      if (page_[pos_] != '<') {
        Text(*open.back());
      } else if (page_.substr(pos_, 2) == "</") {
        EndTag(open);
      } else {
        StartTag(open);
      }
    }
    if (open.size() != 1) Error("unclosed <" + open.back()->name + ">");
    CheckTree(*document.root);
    document.errors = std::move(errors_);
    return document;
  }

 private:
  static bool IsVoid(std::string_view name) { return name == "meta" || name == "br"; }

  void Error(const std::string& what) { errors_.push_back("at " + std::to_string(pos_) + ": " + what); }

  std::string Name() {
    size_t start = pos_;
    while (pos_ < page_.size() && ((page_[pos_] >= 'a' && page_[pos_] <= 'z') || page_[pos_] == '-' ||
                                   (pos_ > start && page_[pos_] >= '0' && page_[pos_] <= '9')))
      ++pos_;
    return std::string(page_.substr(start, pos_ - start));
  }

  // Text up to the next "<", its references decoded.
  std::string Characters(std::string_view stop) {
    std::string text;
    while (pos_ < page_.size() && stop.find(page_[pos_]) == std::string_view::npos) {
      char ch = page_[pos_];
      if (ch == '>' || ch == '"' || ch == '\'') Error(std::string("raw ") + ch + " in text");
      if ((ch >= 0 && ch < 0x20 && ch != '\n' && ch != '\t') || ch == 0x7F) Error("control character");
      if (ch != '&') {
        text += ch;
        ++pos_;
        continue;
      }
      static const std::map<std::string_view, std::string_view> kReferences = {
          {"&amp;", "&"},   {"&lt;", "<"},  {"&gt;", ">"},
          {"&quot;", "\""}, {"&#39;", "'"}, {"&#160;", "\u00A0"}};
      bool known = false;
      for (const auto& [reference, replacement] : kReferences)
        if (page_.substr(pos_, reference.size()) == reference) {
          text += replacement;
          pos_ += reference.size();
          known = true;
          break;
        }
      if (!known) {
        Error("bare &");
        ++pos_;
      }
    }
    return text;
  }

  void Text(HtmlNode& parent) {
    auto node = std::make_unique<HtmlNode>();
    node->text = Characters("<");
    if (parent.name == "style") Error("markup in the style sheet");
    parent.children.push_back(std::move(node));
  }

  void EndTag(std::vector<HtmlNode*>& open) {
    pos_ += 2;
    std::string name = Name();
    if (pos_ >= page_.size() || page_[pos_] != '>') return Error("bad end tag");
    ++pos_;
    if (open.size() < 2 || open.back()->name != name) return Error("</" + name + "> closes nothing open");
    open.pop_back();
  }

  void StartTag(std::vector<HtmlNode*>& open) {
    ++pos_;
    static const std::set<std::string> kElements = {"html", "head", "meta",    "title",  "style",
                                                    "body", "main", "section", "nav",    "h2",
                                                    "div",  "span", "a",       "button", "br"};
    static const std::set<std::string> kAttributes = {"charset", "name",  "content", "id",   "class",
                                                      "href",    "title", "type",    "style"};
    auto node = std::make_unique<HtmlNode>();
    node->name = Name();
    if (kElements.count(node->name) == 0) Error("element <" + node->name + ">");
    while (pos_ < page_.size() && page_[pos_] == ' ') {
      ++pos_;
      std::string key = Name();
      if (kAttributes.count(key) == 0) Error("attribute " + key);
      if (page_.substr(pos_, 2) != "=\"") return Error("attribute " + key + " not double-quoted");
      pos_ += 2;
      std::string value = Characters("\"<");
      if (pos_ >= page_.size() || page_[pos_] != '"') return Error("attribute " + key + " not closed");
      ++pos_;
      if (!node->attributes.emplace(key, value).second) Error("attribute " + key + " twice");
    }
    if (pos_ >= page_.size() || page_[pos_] != '>') return Error("bad start tag <" + node->name + ">");
    ++pos_;
    HtmlNode* added = node.get();
    open.back()->children.push_back(std::move(node));
    if (!IsVoid(added->name)) open.push_back(added);
    if (added->name == "style") RawText(*added);
  }

  void RawText(HtmlNode& style) {
    size_t end = page_.find("</style>", pos_);
    if (end == std::string_view::npos) return Error("style not closed");
    std::string_view css = page_.substr(pos_, end - pos_);
    if (css.find('<') != std::string_view::npos) Error("< in the style sheet");
    auto text = std::make_unique<HtmlNode>();
    text->text = css;
    style.children.push_back(std::move(text));
    pos_ = end;
  }

  void CollectIds(const HtmlNode& node, std::set<std::string>& ids) {
    std::string id = node.Attribute("id");
    if (node.attributes.count("id") != 0 && (id.empty() || id.find_first_of(" \t\n") != std::string::npos))
      Error("bad id \"" + id + "\"");
    if (!id.empty() && !ids.insert(id).second) Error("id \"" + id + "\" twice");
    for (const auto& child : node.children) CollectIds(*child, ids);
  }

  void CheckLinks(const HtmlNode& node, const std::set<std::string>& ids) {
    if (node.attributes.count("href") != 0) {
      std::string href = node.Attribute("href");
      if (href.starts_with('#')) {
        if (ids.count(href.substr(1)) == 0) Error("link to a missing id " + href);
      } else if (href.empty() || href.starts_with('/') ||
                 href.find_first_not_of(
                     "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-._~/%#") !=
                     std::string::npos) {
        Error("href \"" + href + "\" is not a relative path");
      }
    }
    for (const auto& child : node.children) CheckLinks(*child, ids);
  }

  void CheckTree(const HtmlNode& root) {
    std::set<std::string> ids;
    CollectIds(root, ids);
    CheckLinks(root, ids);
    size_t elements = 0;
    for (const auto& child : root.children) elements += !child->name.empty();
    if (elements != 1 || root.children.empty() || root.children[0]->name != "html") Error("not one <html>");
  }

  std::string_view page_;
  size_t pos_ = 0;
  std::vector<std::string> errors_;
};

inline HtmlDocument ReadStrictHtml(std::string_view page) { return StrictHtmlReader(page).Read(); }

// Every element of that name below the node, in document order.
inline void FindAll(const HtmlNode& node, std::string_view name, std::vector<const HtmlNode*>& found) {
  for (const auto& child : node.children) {
    if (child->name == name) found.push_back(child.get());
    FindAll(*child, name, found);
  }
}

inline std::string TextOf(const HtmlNode& node) {
  if (node.name.empty()) return node.text;
  std::string text;
  for (const auto& child : node.children) text += TextOf(*child);
  return text;
}

// The text of a section's node text, one line per paragraph.
inline std::string SectionText(const HtmlNode& section) {
  std::string text;
  for (const auto& child : section.children)
    if (child->name == "div" && child->Attribute("class") == "text")
      for (const auto& line : child->children)
        if (line->name == "div") text += TextOf(*line) + "\n";
  return text;
}

// Runs of blanks, line ends and no-break spaces as one space; none at the ends.
inline std::string NormalizedSpace(std::string_view text) {
  std::string normal;
  bool blank = false;
  for (size_t pos = 0; pos < text.size(); ++pos) {
    bool nbsp = text.substr(pos, 2) == "\u00A0";
    if (nbsp || text[pos] == ' ' || text[pos] == '\n' || text[pos] == '\t') {
      blank = !normal.empty();
      pos += nbsp;
      continue;
    }
    if (blank) normal += ' ';
    blank = false;
    normal += text[pos];
  }
  return normal;
}

}  // namespace folioteer::testing
