#include "html/html_page.h"

#include <array>
#include <cstdio>
#include <unordered_map>

#include "html/html_text.h"
#include "render/navigation.h"
#include "render/plain_text.h"
#include "render/renderer.h"

namespace folioteer {
namespace {

// Links and the navigation bar are drawn as the viewer draws its buttons: a
// raised bevel (shine at the top and left, text pen at the bottom and
// right) that takes no room (two pixels of padding each side, given back by
// the margins), so columns stay where the plain text has them; and, as in
// the viewer, a link is never broken over two lines.
constexpr std::string_view kStyleSheet =
    "body{margin:0;background:#aaaaaa;color:#000000;font:15px/1.35 \"DejaVu Sans Mono\",monospace}\n"
    "section{padding:0.4em 1ch 1.2em;border-bottom:2px solid #000000}\n"
    "nav{display:flex;flex-wrap:wrap;gap:0.6ch;margin-bottom:0.4em}\n"
    "nav>*{padding:0.1em 1ch}\n"
    "h2{font-size:1em;margin:0.3em 0 0.6em}\n"
    ".text>div{white-space:pre}\n"
    ".text>.w{white-space:pre-wrap}\n"
    ".c{text-align:center}.r{text-align:right}\n"
    ".b{font-weight:bold}.i{font-style:italic}.u{text-decoration:underline}\n"
    "a.l,nav>a,button.l{color:#000000;background:#aaaaaa;text-decoration:none;"
    "box-shadow:inset 1px 1px #ffffff,inset -1px -1px #000000}\n"
    "a.l:hover,a.l:focus,nav>a:hover,nav>a:focus{background:#6688bb;"
    "box-shadow:inset 1px 1px #000000,inset -1px -1px #ffffff;outline:none}\n"
    "a.l,button.l{padding:0 2px;margin:0 -2px;white-space:pre}\n"
    "button.l{font:inherit;border:0;cursor:help;color:#555555}\n"
    "nav>span{color:#777777;box-shadow:inset 1px 1px #bbbbbb,inset -1px -1px #888888}\n";

std::string PenClasses() {
  std::string css;
  for (int pen = 0; pen < 8; ++pen) {
    char rule[64];
    uint32_t color = PenColor(static_cast<uint8_t>(pen));
    std::snprintf(rule, sizeof rule, ".f%d{color:#%06x}.k%d{background:#%06x}\n", pen, color, pen, color);
    css += rule;
  }
  return css;
}

constexpr std::array<NavButton, 5> kBarButtons = {NavButton::Contents, NavButton::Index, NavButton::Help,
                                                  NavButton::BrowsePrevious, NavButton::BrowseNext};

// The anchor of each node; later nodes of an equal name get "~2", "~3", ...
std::vector<std::string> NodeAnchors(const GuideSource& source, Charset charset) {
  std::vector<std::string> anchors;
  std::unordered_map<std::string, int> seen;
  anchors.reserve(source.nodes.size());
  for (const SourceNode& node : source.nodes) {
    std::string anchor = NodeAnchor(DecodeToUtf8(node.name, charset));
    int count = ++seen[anchor];
    if (count > 1) anchor += "~" + std::to_string(count);
    anchors.push_back(std::move(anchor));
  }
  return anchors;
}

// The main node's title, else the guide's file name.
std::string PageTitle(const GuideSource& source, const HtmlOptions& options) {
  int main = MainNodeIndex(source);
  std::string title = main >= 0 ? RenderNode(source, main, {options.charset}).info.title : std::string();
  if (title.find_first_not_of(' ') != std::string::npos) return title;
  std::string_view path = options.places.guidePath;
  return std::string(path.substr(path.rfind('/') + 1));
}

// Element content: the text escaped; an element must not look empty, so a
// text of blanks ends in a no-break space, and no text at all is one.
void AppendContent(std::string& out, std::string_view text) {
  size_t start = out.size();
  AppendHtmlEscaped(out, text);
  if (out.find_first_not_of(' ', start) != std::string::npos) return;
  if (out.size() > start) out.pop_back();
  out += "&#160;";
}

void AppendHead(std::string& out, std::string_view title) {
  out += "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n";
  out += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
  out += "<meta name=\"generator\" content=\"Folioteer\">\n<title>";
  AppendHtmlEscaped(out, title);
  out += "</title>\n<style>\n";
  out += kStyleSheet;
  out += PenClasses();
  out += "</style>\n</head>\n<body>\n<main>\n";
}

// ---------------------------------------------------------------------------
// One node

class NodeWriter {
 public:
  NodeWriter(const DisplayNode& node, HtmlLinkResolver& links, std::string& out)
      : node_(node), links_(links), out_(out) {}

  void Section(const Navigation& bar, std::string_view anchor) {
    out_ += "<section id=\"";
    out_ += anchor;
    out_ += "\">\n<nav>";
    for (NavButton button : kBarButtons) BarButton(button, bar[button]);
    out_ += "</nav>\n<h2>";
    AppendContent(out_, node_.info.title);
    out_ += "</h2>\n<div class=\"text\">\n";
    for (const Paragraph& paragraph : node_.paragraphs) Line(paragraph);
    out_ += "</div>\n</section>\n";
  }

 private:
  void BarButton(NavButton button, const NavTarget& target) {
    HtmlLink link;
    if (target.enabled) link = links_.Target(target.target);
    Element(link.href.empty() ? "span" : "a", link.href, link.title, {}, NavButtonLabel(button));
  }

  // <name href title class>text</name>, each attribute only when it is set.
  void Element(std::string_view name, std::string_view href, std::string_view title, std::string_view classes,
               std::string_view text) {
    out_ += '<';
    out_ += name;
    Attribute("href", href);
    Attribute("class", classes);
    if (name == "button") out_ += " type=\"button\"";
    Attribute("title", title);
    out_ += '>';
    AppendContent(out_, text);
    out_ += "</";
    out_ += name;
    out_ += '>';
  }

  void Attribute(std::string_view name, std::string_view value) {
    if (value.empty()) return;
    out_ += ' ';
    out_ += name;
    out_ += "=\"";
    AppendHtmlEscaped(out_, value);
    out_ += '"';
  }

  void Line(const Paragraph& paragraph) {
    out_ += "<div";
    std::string classes = paragraph.wrap == WrapMode::None ? "" : "w";
    if (paragraph.justification != Justification::Left)
      classes += std::string(classes.empty() ? "" : " ") +
                 (paragraph.justification == Justification::Center ? "c" : "r");
    Attribute("class", classes);
    std::string style;
    if (paragraph.indent != 0) style = "padding-left:" + std::to_string(paragraph.indent) + "ch";
    if (paragraph.firstIndent != paragraph.indent)
      style += (style.empty() ? "" : ";") +
               ("text-indent:" + std::to_string(paragraph.firstIndent - paragraph.indent) + "ch");
    Attribute("style", style);
    out_ += '>';
    size_t start = out_.size();
    int column = paragraph.firstIndent;
    for (const Span& span : paragraph.spans) SpanText(span, column);
    CloseStyle();
    // A line of nothing but blanks looks like an empty one, which needs a
    // line break to take its height.
    if (out_.find_first_not_of(' ', start) == std::string::npos) {
      out_.resize(start);
      out_ += "<br>";
    }
    out_ += "</div>\n";
  }

  void SpanText(const Span& span, int& column) {
    if (span.kind == SpanKind::Link) {
      CloseStyle();
      column += TextColumns(span.text);
      if (span.text.empty()) return;  // a button without a label cannot be pressed
      HtmlLink link = links_.ForLink(node_.links[span.link]);
      Element(link.href.empty() ? "button" : "a", link.href, link.title, "l", span.text);
      return;
    }
    std::string spaces;
    std::string_view text = span.text;
    if (span.kind == SpanKind::Tab) {
      int stop = NextTabStop(node_.tabStopSets[span.tabStops], column);
      spaces.assign(static_cast<size_t>(stop - column), ' ');
      text = spaces;
    }
    column += TextColumns(text);
    if (text.empty()) return;
    // Blanks show only an underline and a background: they go on in the
    // style before them when that shows the same on blanks.
    bool blank = text.find_first_not_of(' ') == std::string_view::npos;
    std::string classes = StyleClasses(span.style, blank);
    if (classes != (blank ? openOnBlanks_ : open_)) {
      CloseStyle();
      OpenStyle(classes, blank ? classes : StyleClasses(span.style, true));
    }
    AppendHtmlEscaped(out_, text);
  }

  void OpenStyle(const std::string& classes, const std::string& onBlanks) {
    open_ = classes;
    openOnBlanks_ = onBlanks;
    if (classes.empty()) return;
    out_ += "<span class=\"" + classes + "\">";
    openedAt_ = out_.size();
  }

  void CloseStyle() {
    if (!open_.empty()) {
      // A span of blanks must not look empty: its last blank does not break.
      if (out_.find_first_not_of(' ', openedAt_) == std::string::npos) {
        out_.pop_back();
        out_ += "&#160;";
      }
      out_ += "</span>";
    }
    open_.clear();
    openOnBlanks_.clear();
  }

  // The classes of a style; of those that show on blanks only, for blanks.
  static std::string StyleClasses(const TextStyle& style, bool blanks) {
    std::string classes;
    auto add = [&](const std::string& name) { classes += (classes.empty() ? "" : " ") + name; };
    if ((style.bits & kStyleBold) && !blanks) add("b");
    if ((style.bits & kStyleItalic) && !blanks) add("i");
    if (style.bits & kStyleUnderline) add("u");
    if (style.fgPen != kTextPen && !blanks) add("f" + std::to_string(style.fgPen % 8));
    if (style.bgPen != kBackgroundPen) add("k" + std::to_string(style.bgPen % 8));
    return classes;
  }

  const DisplayNode& node_;
  HtmlLinkResolver& links_;
  std::string& out_;
  std::string open_;          // the classes of the span open in the line
  std::string openOnBlanks_;  // those of them that show on blanks
  size_t openedAt_ = 0;       // where its content begins
};

}  // namespace

void WriteGuideHtml(const GuideSource& source, const HtmlOptions& options,
                    const std::function<void(std::string_view)>& write) {
  Charset charset = options.charset.value_or(source.charset);
  std::vector<std::string> anchors = NodeAnchors(source, charset);
  HtmlLinkResolver links(source, charset, anchors, options.places);
  std::string chunk;
  AppendHead(chunk, PageTitle(source, options));
  for (size_t index = 0; index < source.nodes.size(); ++index) {
    int nodeIndex = static_cast<int>(index);
    DisplayNode node = RenderNode(source, nodeIndex, {options.charset});
    Navigation bar = NavigationFor(source, nodeIndex, node, false);
    NodeWriter(node, links, chunk).Section(bar, anchors[index]);
    write(chunk);
    chunk.clear();
  }
  chunk += "</main>\n</body>\n</html>\n";
  write(chunk);
}

std::string GuideHtml(const GuideSource& source, const HtmlOptions& options) {
  std::string page;
  WriteGuideHtml(source, options, [&](std::string_view piece) { page.append(piece); });
  return page;
}

}  // namespace folioteer
