// The edit box with a node of 1 MB: showing it, typing into it with the
// markup highlighted (each keystroke laid out and painted before the next),
// reading it back as bytes, and byte columns on a line of 1 MB.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTextBlock>

#include "guide_generator.h"
#include "qt/edit_box.h"

namespace folioteer {
namespace {

constexpr size_t kNodeBytes = size_t{1} << 20;

// About 1 MB of guide text: commands, attributes, links, macros.
std::string MegabyteNode() {
  std::string text;
  for (unsigned seed = 1; text.size() < kNodeBytes; ++seed) text += bench::GenerateGuide(200, seed);
  text.resize(kNodeBytes);
  return text;
}

std::string MegabyteLine() {
  std::string line;
  while (line.size() < kNodeBytes) line += "word @{b}bold@{ub} \\@ @{\"label\" link Node} ";
  return line;
}

void TypeKey(EditBox& box, char ch) {
  QString text(QChar::fromLatin1(ch));
  QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, text);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, text);
  QApplication::sendEvent(&box, &press);
  QApplication::sendEvent(&box, &release);
  box.viewport()->repaint();
}

struct ShownBox {
  EditBox box;
  explicit ShownBox(const std::string& bytes) {
    box.resize(800, 600);
    box.show();
    box.SetGuideText(bytes, Charset::Latin1);
    QApplication::processEvents();
  }
};

void BM_ShowMegabyteNode(benchmark::State& state) {
  std::string node = MegabyteNode();
  EditBox box;
  box.resize(800, 600);
  box.show();
  for (auto _ : state) {
    box.SetGuideText(node, Charset::Latin1);
    box.viewport()->repaint();
  }
}
BENCHMARK(BM_ShowMegabyteNode)->Unit(benchmark::kMillisecond)->Iterations(5);

void TypeInto(benchmark::State& state, const std::string& node, bool highlighted = true) {
  ShownBox shown(node);
  if (!highlighted) shown.box.Highlighter().setDocument(nullptr);
  shown.box.SetCursorPos({shown.box.document()->blockCount() / 2, 10});
  const std::string_view keys = "Typing @{b}into@{ub} a node \\@ ";
  size_t next = 0;
  for (auto _ : state) TypeKey(shown.box, keys[next++ % keys.size()]);
}

void BM_TypeIntoMegabyteNode(benchmark::State& state) { TypeInto(state, MegabyteNode()); }
BENCHMARK(BM_TypeIntoMegabyteNode)->Unit(benchmark::kMicrosecond);

// Bad input: the whole megabyte on one line, laid out again on each key.
void BM_TypeIntoMegabyteLine(benchmark::State& state) { TypeInto(state, MegabyteLine()); }
BENCHMARK(BM_TypeIntoMegabyteLine)->Unit(benchmark::kMillisecond)->Iterations(10);
void BM_TypeIntoMegabyteLinePlain(benchmark::State& state) { TypeInto(state, MegabyteLine(), false); }
BENCHMARK(BM_TypeIntoMegabyteLinePlain)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_GuideTextOfMegabyteNode(benchmark::State& state) {
  ShownBox shown(MegabyteNode());
  for (auto _ : state) benchmark::DoNotOptimize(shown.box.GuideText());
}
BENCHMARK(BM_GuideTextOfMegabyteNode)->Unit(benchmark::kMillisecond);

void BM_ByteColumnsOfMegabyteLine(benchmark::State& state) {
  GuideTextCodec codec(Charset::Utf8);
  std::string line = MegabyteLine() + "\xE2\x82\xAC";
  QString text = codec.Decode(line);
  for (auto _ : state) {
    benchmark::DoNotOptimize(codec.ByteColumn(text, text.size() - 1));
    benchmark::DoNotOptimize(codec.IndexOfByteColumn(text, static_cast<int64_t>(line.size()) - 3));
  }
}
BENCHMARK(BM_ByteColumnsOfMegabyteLine)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace folioteer
