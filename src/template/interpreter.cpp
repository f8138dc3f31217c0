#include "template/interpreter.h"

namespace zeb {

std::string FormatMessage(const char* format, std::initializer_list<TErrorArg> args) {
  std::string text;
  auto next = args.begin();
  for (const char* p = format; *p != '\0'; ++p) {
    if (*p == '%' && (p[1] == 's' || p[1] == 'd')) {
      if (next != args.end()) text += (next++)->Text();
      ++p;
    } else if (*p == '%' && p[1] == '%') {
      text += '%';
      ++p;
    } else {
      text += *p;
    }
  }
  return text;
}

void TInterpreter::PutText(std::string_view text) {
  if (Capturing) {
    Captured += text;
  } else if (Enabled && Active) {
    PutChars(text);
  }
}

void TInterpreter::ReportError(const char* format, std::initializer_list<TErrorArg> args) {
  // The first error ends the run; a call whose argument held it says
  // nothing more.
  if (IsStopped()) return;
  const std::string message = FormatMessage(format, args);
  NoteError(message);
  PutErrorText(message);
  Abort();
}

}  // namespace zeb
