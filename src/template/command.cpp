#include "template/command.h"

#include <utility>

#include "template/parser.h"

namespace zeb {

void TTemplateCommand::Execute(TInterpreter& caller, bool enabled, bool active, TBufStream& params) {
  // Saved and restored, so that a call of this command inside its own
  // arguments does not change the flags of the outer call.
  const bool savedEnabled = Enabled, savedActive = Active;
  Enabled = enabled;
  Active = active;
  std::string result = RawParams ? InvokeText(caller, ReadAll(params)) : Invoke(caller, params);
  if (!Owner->TakeTextSteps(result.size())) result.clear();
  if (!Owner->Capturing && !Owner->UnshownError.empty()) {
    // An error inside the arguments ended the run: its message takes the
    // place of a result made from them, unless the result already shows it.
    const std::string message = std::exchange(Owner->UnshownError, {});
    if (!(Enabled && Active && result.ends_with(message))) {
      PutErrorText(message);
      result.clear();
    }
  }
  if (result.empty()) {
    SwallowLineEnd();
  } else {
    PutChars(result);  // captured or passed on, as PutText would
  }
  Enabled = savedEnabled;
  Active = savedActive;
}

std::string TTemplateCommand::Capture(TInterpreter& caller, bool enabled, TBufStream& params) {
  const bool savedCapturing = Capturing;
  std::string saved = std::move(Captured);
  Capturing = true;
  Captured.clear();
  Execute(caller, enabled, enabled, params);
  std::string result = std::move(Captured);
  Captured = std::move(saved);
  Capturing = savedCapturing;
  return result;
}

std::string TTemplateCommand::Invoke(TInterpreter&, TBufStream&) { return {}; }

std::string TTemplateCommand::InvokeText(TInterpreter&, const std::string&) { return {}; }

void TTemplateCommand::PutChar(char c) {
  if (Capturing) {
    Captured += c;
  } else if (Enabled && Active) {
    Owner->PutChar(c);
  }
}

void TTemplateCommand::PutChars(std::string_view text) {
  if (Capturing) {
    Captured += text;
  } else if (Enabled && Active) {
    Owner->PutChars(text);
  }
}

void TTemplateCommand::SwallowLineEnd() { Owner->SwallowLineEnd(); }

bool TTemplateCommand::IsStopped() const { return Owner->Stopped; }

void TTemplateCommand::Abort() { Owner->Stopped = true; }

void TTemplateCommand::PutErrorText(std::string_view text) { Owner->PutErrorText(text); }

void TTemplateCommand::NoteError(std::string_view message) { Owner->NoteRunError(message, Name); }

}  // namespace zeb
