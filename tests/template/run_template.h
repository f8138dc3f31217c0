// Runs a template text through a full parser on the fake disk.
#pragma once

#include <functional>
#include <string>

#include "fake_disk.h"
#include "template/parser.h"

namespace zeb::test {

// The output of a fresh case-insensitive parser (or case-sensitive) run over
// `text`; `setup` may change the parser before the run.
inline std::string RunTemplate(const std::string& text, bool caseSensitive = false,
                               const std::function<void(TTemplateParser&)>& setup = {}) {
  FakeDisk disk;
  ScopedDisk scoped(disk);
  disk.AddFile("/t/report.tpl", text);
  TTemplateParser parser(caseSensitive, "/t/report.tpl");
  if (setup) setup(parser);
  parser.Run();
  return std::string(parser.Text());
}

}  // namespace zeb::test
