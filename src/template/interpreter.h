// TInterpreter: the state that the root parser and every command share —
// output flags, capture mode, the current input — and their output path.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "template/buf_stream.h"

namespace zeb {

// One argument of ReportError: a text, or a number written in decimal.
class TErrorArg {
 public:
  TErrorArg(std::string_view text) : text_(text) {}
  TErrorArg(const std::string& text) : text_(text) {}
  TErrorArg(const char* text) : text_(text) {}
  TErrorArg(int64_t number) : text_(std::to_string(number)) {}
  TErrorArg(int number) : text_(std::to_string(number)) {}
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

// Replaces each %s or %d of `format` by the next argument, "%%" by "%".
// Arguments are never read as formats, so template texts are safe in them.
std::string FormatMessage(const char* format, std::initializer_list<TErrorArg> args);

class TInterpreter {
 public:
  virtual ~TInterpreter() = default;

  // Output of this object passes only when both are set.
  bool Enabled = true;
  bool Active = true;
  // Capture mode: output is collected in Captured instead of passed on.
  bool Capturing = false;
  std::string Captured;
  // The stream being interpreted (a block body reads its caller's input).
  TBufStream* Input = nullptr;
  char CommandChar = '@';

  // One character of output, through this object's output path.
  virtual void PutChar(char c) = 0;
  // The same as PutChar for each character of `text`, in one call: copied
  // text and results pass through the output path as whole runs.
  virtual void PutChars(std::string_view text) {
    for (char c : text) PutChar(c);
  }
  // Appended in capture mode, else through PutChars when Enabled and Active.
  void PutText(std::string_view text);
  // Arms the suppression of the line end that follows (CR LF, LF or CR).
  virtual void SwallowLineEnd() = 0;
  // True once the run has been stopped by an error.
  virtual bool IsStopped() const = 0;
  // Ends the run.
  virtual void Abort() = 0;

  // Writes the message into the output at this point — even in a branch
  // that is not taken; inside an evaluated text it lands in that text, and
  // the call that stands in the template writes it in place of its result
  // — and ends the run. Once the run has ended it does nothing, so the
  // message shown is that of the innermost call. `format` is always a fixed
  // text of the program.
  void ReportError(const char* format, std::initializer_list<TErrorArg> args = {});

 protected:
  // Writes an error message with output forced on.
  virtual void PutErrorText(std::string_view text) = 0;
  // Tells the run of the error that ends it, before it is written.
  virtual void NoteError(std::string_view message) = 0;
};

}  // namespace zeb
