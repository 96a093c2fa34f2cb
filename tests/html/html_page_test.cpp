// The page of small guides, section by section, byte for byte; the head of
// the page; and the strict reader the corpus test relies on, shown to
// refuse what the export must never write.
#include "html/html_page.h"

#include <gtest/gtest.h>

#include "html_checker.h"

namespace folioteer {
namespace {

// Where the pages of these tests lie: a folder that does not exist, so every
// other file is taken by its name.
HtmlOptions Options() { return {{}, {"/nonexistent/g.guide", "/nonexistent/g.html", {}}}; }

std::string Sections(const std::string& page) {
  size_t start = page.find("<main>\n"), end = page.find("</main>");
  return start == std::string::npos || end == std::string::npos ? page
                                                                : page.substr(start + 7, end - start - 7);
}

struct GoldenCase {
  std::string_view name, guide, sections;
};

// clang-format off
const GoldenCase kGolden[] = {
    {"StylesPensJustificationIndents",
      "@database g\n"
      "@node Main \"Styles\"\n"
      "@{b}bold@{ub} @{i}it@{ui} @{u}un@{uu} @{fg shine}shine@{fg text} @{bg fill}fill@{bg background} @{apen 4}four@{apen 1}\n"
      "@{jright}right\n"
      "@{jcenter}centre\n"
      "@{jleft}@{lindent 2}indented\n"
      "@{pari -2}@{par}hanging\n"
      "@endnode\n",
     R"html(<section id="node-main">
<nav><span>Contents</span><span>Index</span><span>Help</span><span>Browse &lt;</span><span>Browse &gt;</span></nav>
<h2>Styles</h2>
<div class="text">
<div><span class="b">bold </span><span class="i">it </span><span class="u">un</span> <span class="f2">shine </span><span class="k3">fill</span> <span class="f4">four</span></div>
<div class="r">right</div>
<div class="c">centre</div>
<div style="padding-left:2ch">indented</div>
<div style="padding-left:2ch"><br></div>
<div style="padding-left:2ch;text-indent:-2ch">hanging</div>
</div>
</section>
)html"},
    {"WrapModes",
      "@database g\n"
      "@smartwrap\n"
      "@node Main \"Wraps\"\n"
      "one\n"
      "two\n"
      "\n"
      "@{code}code\n"
      "   kept\n"
      "@{body}back\n"
      "to smart\n"
      "@endnode\n",
     R"html(<section id="node-main">
<nav><span>Contents</span><span>Index</span><span>Help</span><span>Browse &lt;</span><span>Browse &gt;</span></nav>
<h2>Wraps</h2>
<div class="text">
<div class="w">one two</div>
<div>code</div>
<div>   kept</div>
<div class="w">back to smart</div>
</div>
</section>
)html"},
    {"TabStopsAsTheyAlign",
      "@database g\n"
      "@node Main \"Tabs\"\n"
      "a\tb\tc\n"
      "@{settabs 4 10}a\tb\tc\n"
      "@{b}x\t@{ub}y@{tab}z\n"
      "@endnode\n",
     R"html(<section id="node-main">
<nav><span>Contents</span><span>Index</span><span>Help</span><span>Browse &lt;</span><span>Browse &gt;</span></nav>
<h2>Tabs</h2>
<div class="text">
<div>a       b       c</div>
<div>a   b     c</div>
<div><span class="b">x   </span>y     z</div>
</div>
</section>
)html"},
    {"LinksAndNavigationBar",
      "@database g\n"
      "@index \"Idx\"\n"
      "@node Main \"Links\"\n"
      "@toc \"Nowhere\"\n"
      "@{\"node\" link Second} @{\"case\" link SECOND 3} @{\"missing\" link Gone} @{\"other\" link \"Other.guide/Part\"}\n"
      "@{\"up\" link \"/up/Far.GUIDE/main\"} @{\"text file\" link \"notes.txt/main\"} @{\"volume\" link \"Work:x.guide/main\"}\n"
      "@{\"run\" system \"C:Echo hi\"} @{\"web\" system \"OpenURL http://a.b/c?d=1&e=2\"} @{\"rexx\" rx \"s.rexx\"} @{\"rexx string\" rxs \"say 1\"}\n"
      "@{\"beep\" beep} @{\"close\" close} @{\"what\" frobnicate x} @{\"evil\" link \"javascript:alert(1)/x\"}\n"
      "@endnode\n"
      "@node Second\n"
      "@next Second\n"
      "@prev Main\n"
      "@help Other.guide/Help\n"
      "@endnode\n"
      "@node Idx \"Index\"\n"
      "@endnode\n",
     R"html(<section id="node-main">
<nav><span title="There is no node &quot;Nowhere&quot; in this guide.">Contents</span><a href="#node-idx">Index</a><span>Help</span><span>Browse &lt;</span><a href="#node-second">Browse &gt;</a></nav>
<h2>Links</h2>
<div class="text">
<div><a href="#node-second" class="l">node</a> <a href="#node-second" class="l">case</a> <button class="l" type="button" title="There is no node &quot;Gone&quot; in this guide.">missing</button> <a href="Other.html#node-part" class="l">other</a></div>
<div><a href="../up/Far.html#node-main" class="l">up</a> <a href="notes.txt" class="l">text file</a> <button class="l" type="button" title="&quot;Work:x.guide&quot; is on the volume &quot;Work:&quot;, which was not known here.">volume</button></div>
<div><button class="l" type="button" title="Would run: C:Echo hi">run</button> <button class="l" type="button" title="Would run: OpenURL http://a.b/c?d=1&amp;e=2">web</button> <button class="l" type="button" title="Would run the ARexx script: s.rexx">rexx</button> <button class="l" type="button" title="Would run the ARexx command: say 1">rexx string</button></div>
<div><button class="l" type="button" title="Would beep.">beep</button> <button class="l" type="button" title="Would close the viewer.">close</button> <button class="l" type="button" title="The link&#39;s command &quot;frobnicate&quot; is not one this viewer knows.">what</button> <button class="l" type="button" title="&quot;javascript:alert(1)&quot; is on the volume &quot;javascript:&quot;, which was not known here.">evil</button></div>
</div>
</section>
<section id="node-second">
<nav><a href="#node-main">Contents</a><a href="#node-idx">Index</a><a href="Other.html#node-help">Help</a><a href="#node-main">Browse &lt;</a><span>Browse &gt;</span></nav>
<h2>Second</h2>
<div class="text">
</div>
</section>
<section id="node-idx">
<nav><a href="#node-main">Contents</a><a href="#node-idx">Index</a><span>Help</span><a href="#node-second">Browse &lt;</a><span>Browse &gt;</span></nav>
<h2>Index</h2>
<div class="text">
</div>
</section>
)html"},
    {"MarkupInGuideStaysTextAndBytesAreDecoded",
      "@database g\n"
      "@node Main \"A & B <i>\"\n"
      "@{\"<script>alert(1)</script>\" link \"<script>alert(1)</script>\"} 'single' \"double\" {braces} & &amp; </div>\n"
      "@{\"quote\" link a\"b} @{\"</button>\" system \"rm -rf \\\"x\\\" & <y>\"}\n"
      "@endnode\n"
      "@node \"<script>alert(1)</script>\" \"<script>alert(2)</script>\"\n"
      "\xe9t\xe9 \x01 \\@{b}\n"
      "@endnode\n"
      "@node a\"b {x}\n"
      "@endnode\n"
      "@node MAIN \"Again\"\n"
      "@endnode\n",
     R"html(<section id="node-main">
<nav><span>Contents</span><span>Index</span><span>Help</span><span>Browse &lt;</span><a href="#node-_3Cscript_3Ealert_281_29_3C_2Fscript_3E">Browse &gt;</a></nav>
<h2>A &amp; B &lt;i&gt;</h2>
<div class="text">
<div><a href="%3Cscript%3Ealert%281%29%3C.html#node-script_3E" class="l">&lt;script&gt;alert(1)&lt;/script&gt;</a> &#39;single&#39; &quot;double&quot; {braces} &amp; &amp;amp; &lt;/div&gt;</div>
<div><a href="#node-a_22b" class="l">quote</a> <button class="l" type="button" title="Would run: &quot;rm -rf \&quot;x\&quot; &amp; &lt;y&gt;&quot;">&lt;/button&gt;</button></div>
</div>
</section>
<section id="node-_3Cscript_3Ealert_281_29_3C_2Fscript_3E">
<nav><a href="#node-main">Contents</a><span>Index</span><span>Help</span><a href="#node-main">Browse &lt;</a><a href="#node-a_22b">Browse &gt;</a></nav>
<h2>&lt;script&gt;alert(2)&lt;/script&gt;</h2>
<div class="text">
<div>été � @{b}</div>
</div>
</section>
<section id="node-a_22b">
<nav><a href="#node-main">Contents</a><span>Index</span><span>Help</span><a href="#node-_3Cscript_3Ealert_281_29_3C_2Fscript_3E">Browse &lt;</a><a href="#node-main">Browse &gt;</a></nav>
<h2>{x}</h2>
<div class="text">
</div>
</section>
<section id="node-main~2">
<nav><a href="#node-main">Contents</a><span>Index</span><span>Help</span><a href="#node-a_22b">Browse &lt;</a><span>Browse &gt;</span></nav>
<h2>Again</h2>
<div class="text">
</div>
</section>
)html"},
};
// clang-format on

TEST(HtmlPage, SmallGuidesGiveExactlyTheirGoldenSections) {
  for (const GoldenCase& golden : kGolden) {
    SCOPED_TRACE(golden.name);
    std::string page = GuideHtml(ReadGuideSource(golden.guide), Options());
    EXPECT_EQ(Sections(page), golden.sections);
    EXPECT_EQ(testing::ReadStrictHtml(page).errors, std::vector<std::string>{});
  }
}

TEST(HtmlPage, AGuideWithoutNodesAndAFileThatIsNoGuideMakeValidPages) {
  std::string empty = GuideHtml(ReadGuideSource("@database g\n@author me\n"), Options());
  EXPECT_EQ(Sections(empty), "");
  EXPECT_EQ(testing::ReadStrictHtml(empty).errors, std::vector<std::string>{});
  std::string text = GuideHtml(ReadGuideSource("Just <text>,\n@{b} not markup\n"), Options());
  EXPECT_NE(text.find("<section id=\"node-main\">"), std::string::npos);
  EXPECT_NE(text.find("<div>Just &lt;text&gt;,</div>\n<div>@{b} not markup</div>"), std::string::npos);
  EXPECT_EQ(testing::ReadStrictHtml(text).errors, std::vector<std::string>{});
}

TEST(HtmlPage, ACharsetGivenDecodesTheBytesInstead) {
  GuideSource source = ReadGuideSource("@database g\n@node Main\n\xb1\xe6\n@endnode\n");
  EXPECT_NE(GuideHtml(source, Options()).find("<div>\u00b1\u00e6</div>"), std::string::npos);
  HtmlOptions latin2 = Options();
  latin2.charset = Charset::Latin2;
  EXPECT_NE(GuideHtml(source, latin2).find("<div>\u0105\u0107</div>"), std::string::npos);
}

TEST(HtmlPage, TheStrictReaderRefusesWhatThePageMustNeverHold) {
  const std::string head = "<!DOCTYPE html>\n<html><head><title>t</title></head><body>";
  const std::string tail = "</body></html>";
  const std::string_view bad[] = {
      "<script>alert(1)</script>",  "<div onclick=\"x\">a</div>",
      "<div>a & b</div>",           "<a href=\"javascript:alert(1)\">a</a>",
      "<a href=\"#nowhere\">a</a>",
  };
  EXPECT_EQ(testing::ReadStrictHtml(head + "<div id=\"x\"><a href=\"#x\">&amp;</a></div>" + tail).errors,
            std::vector<std::string>{});
  for (std::string_view markup : bad)
    EXPECT_NE(testing::ReadStrictHtml(head + std::string(markup) + tail).errors, std::vector<std::string>{})
        << markup;
}

}  // namespace
}  // namespace folioteer
