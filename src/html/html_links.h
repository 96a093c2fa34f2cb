// Where the links of an exported page lead. A page holds every node of one
// guide, each in a section with its anchor (html_text.h), so:
//
// - a link to a node of this guide is a link to that node's section;
// - a link to a node of another guide is a link to that guide's page beside
//   it (its name with the extension "html") at the node's anchor, relative
//   to the page and percent-encoded. The guide's file is looked up as a
//   reader looks it up (Amiga paths, volumes, letter case); one that is not
//   there now is taken by its name, parents ("/") as "..", so the link
//   works once it is there. A file there that is no guide is linked as it
//   stands, since a browser shows it better than a page could;
// - a link that runs something (system, rx, rxs), beeps or closes, and a
//   link a reader could not follow, leads nowhere: the page shows it as an
//   inert button whose title says what it would do, or why it goes nowhere.
//
// Every href made here is either "#" and an anchor, or a relative path of
// percent-encoded parts (no scheme, no host, nothing absolute).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "links/volume_table.h"
#include "render/display_model.h"
#include "render/guide_source.h"

namespace folioteer {

struct HtmlLink {
  std::string href;   // empty when the link leads nowhere
  std::string title;  // UTF-8: what the link would do, or why it leads nowhere
};

// Where the guide and its page lie (absolute Linux names), and the volume
// table for links between guides.
struct HtmlPlaces {
  std::string guidePath;
  std::string pagePath;
  VolumeTable volumes;
};

class HtmlLinkResolver {
 public:
  // `anchors` holds the anchor of each node of the source, in its order.
  HtmlLinkResolver(const GuideSource& source, Charset charset, const std::vector<std::string>& anchors,
                   HtmlPlaces places);

  // A reference as the navigation bar writes it: a node of this guide by
  // its whole name, else "node" or "file/node" as a link writes it.
  HtmlLink Target(std::string_view reference);
  HtmlLink ForLink(const Link& link);

 private:
  HtmlLink InThisGuide(std::string_view node);
  HtmlLink InOtherFile(std::string_view file, std::string_view node);
  HtmlLink ByName(std::string_view file, std::string_view node);
  std::string RelativeUrl(const std::string& linuxPath) const;
  bool IsGuide(const std::string& linuxPath);

  const GuideSource& source_;
  Charset charset_;
  const std::vector<std::string>& anchors_;
  HtmlPlaces places_;
  std::string guideDirectory_;
  std::string pageDirectory_;
  std::unordered_map<std::string, bool> guides_;  // whether a file is a guide, by its Linux name
};

}  // namespace folioteer
