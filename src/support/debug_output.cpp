#include "support/debug_output.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

namespace folioteer {
namespace {

struct DebugSink {
  bool enabled = false;
  std::string fileName;  // empty: standard error
};

std::mutex sinkLock;

DebugSink ReadSetting() {
  DebugSink sink;
  const char* value = std::getenv("FOLIOTEER_DEBUG");
  if (value == nullptr) return sink;
  sink.enabled = true;
  std::string text(value);
  if (!text.empty() && text != "1" && text != "-" && text != "stderr") sink.fileName = text;
  return sink;
}

DebugSink& Sink() {
  static DebugSink sink = ReadSetting();
  return sink;
}

}  // namespace

bool DebugEnabled() {
  std::lock_guard lock(sinkLock);
  return Sink().enabled;
}

void ReloadDebugSetting() {
  std::lock_guard lock(sinkLock);
  Sink() = ReadSetting();
}

void DebugPrint(std::string_view message) {
  std::lock_guard lock(sinkLock);
  const DebugSink& sink = Sink();
  if (!sink.enabled) return;
  FILE* out = stderr;
  if (!sink.fileName.empty()) out = std::fopen(sink.fileName.c_str(), "a");
  if (out == nullptr) return;
  std::fwrite(message.data(), 1, message.size(), out);
  std::fputc('\n', out);
  if (out != stderr) std::fclose(out);
}

}  // namespace folioteer
