#include "template/parser.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>

#include "template/arguments.h"
#include "template/block_command.h"
#include "template/builtins.h"

namespace zeb {

namespace {

// The high bit of every byte of `word` that equals the byte repeated in
// `pattern`; above the lowest such byte a borrow may mark others too, so
// only the lowest mark is exact.
constexpr uint64_t kLowBits = 0x0101010101010101u;
uint64_t MarkEqualBytes(uint64_t word, uint64_t pattern) {
  const uint64_t x = word ^ pattern;
  return (x - kLowBits) & ~x & (kLowBits << 7);
}

// The first position of either character, eight bytes at a time: this
// search runs over every text the templates copy and every result they
// write, most of them short. (find_first_of would call memchr once per
// character of the text.) Inlined into its callers: as a call it costs more
// than it saves on short texts.
[[gnu::always_inline]] inline size_t FindEither(std::string_view text, char a, char b) {
  const size_t n = text.size();
  if constexpr (std::endian::native == std::endian::little) {
    const uint64_t patternA = kLowBits * static_cast<uint8_t>(a), patternB = kLowBits * static_cast<uint8_t>(b);
    const auto marks = [&](uint64_t word) { return MarkEqualBytes(word, patternA) | MarkEqualBytes(word, patternB); };
    const auto firstMarked = [](uint64_t marked) { return static_cast<size_t>(std::countr_zero(marked)) / 8; };
    if (n >= 8) {
      uint64_t word;
      for (size_t i = 0; i + 8 <= n; i += 8) {
        std::memcpy(&word, text.data() + i, 8);
        if (const uint64_t marked = marks(word); marked != 0) return i + firstMarked(marked);
      }
      if (n % 8 == 0) return std::string_view::npos;
      // The last eight bytes: those that overlap the searched ones hold
      // neither character, so the lowest mark is exact.
      std::memcpy(&word, text.data() + n - 8, 8);
      const uint64_t marked = marks(word);
      return marked != 0 ? n - 8 + firstMarked(marked) : std::string_view::npos;
    }
    if (n >= 4) {
      // The first four bytes and the last four in one word; a mark in the
      // upper half counts only where the lower one has none.
      uint32_t head, tail;
      std::memcpy(&head, text.data(), 4);
      std::memcpy(&tail, text.data() + n - 4, 4);
      const uint64_t marked = marks(head | static_cast<uint64_t>(tail) << 32);
      if (marked == 0) return std::string_view::npos;
      const size_t k = firstMarked(marked);
      return k < 4 ? k : n - 8 + k;
    }
  }
  for (size_t i = 0; i < n; ++i)
    if (text[i] == a || text[i] == b) return i;
  return std::string_view::npos;
}

}  // namespace

TTemplateParser::TTemplateParser(bool caseSensitive) : CaseSensitive(caseSensitive), commands_(caseSensitive) {}

TTemplateParser::TTemplateParser(bool caseSensitive, const std::string& templateFileName)
    : TTemplateParser(caseSensitive) {
  // A missing template is never created: a mistyped name must show as a
  // missing template, not as an empty report.
  auto stream = std::make_unique<TBufStream>();
  if (Disk().FileExists(templateFileName, templateError_) &&
      stream->Open(true, OpenMode::Read, templateFileName, templateError_))
    template_ = std::move(stream);
  RegisterBuiltins(*this);
}

TTemplateParser::~TTemplateParser() = default;

void TTemplateParser::Run() {
  if (template_ == nullptr) return;
  const bool savedEnabled = Enabled, savedActive = Active;
  TBufStream* savedInput = Input;
  Enabled = Active = true;
  Input = template_.get();
  RunBody(*this, *template_, nullptr);
  Enabled = savedEnabled;
  Active = savedActive;
  Input = savedInput;
}

bool TTemplateParser::EvaluatesToItself(std::string_view text) const {
  return !Stopped && evalDepth_ < kMaxNesting && FindEither(text, CommandChar, '\0') == std::string_view::npos;
}

std::string TTemplateParser::Evaluate(bool enabled, std::string_view text) {
  if (EvaluatesToItself(text)) return std::string(text);
  TBufStream stream = StreamFromText(std::string(text));
  return Evaluate(enabled, stream);
}

std::string TTemplateParser::Evaluate(bool enabled, TBufStream& stream) {
  if (evalDepth_ >= kMaxNesting) {
    ReportError("Nesting too deep\n\r");
    return {};
  }
  ++evalDepth_;
  const bool savedCapturing = Capturing, savedEnabled = Enabled;
  std::string savedCaptured = std::move(Captured);
  TBufStream* savedInput = Input;
  Capturing = true;
  Captured.clear();
  Enabled = enabled;
  Input = &stream;
  std::string_view name;
  TBufStream params;  // one for every call: a stream is costly to make
  while (!Stopped && CopyText(*this, stream)) {
    TTemplateCommand* command = ReadCall(stream, name, params);
    if (command == nullptr) {
      PutText(std::string(1, CommandChar).append(name));
      continue;
    }
    std::string result = CaptureCommand(*command, *this, enabled, params);
    Captured += result;
  }
  std::string result = std::move(Captured);
  Captured = std::move(savedCaptured);
  Capturing = savedCapturing;
  Enabled = savedEnabled;
  Input = savedInput;
  --evalDepth_;
  return result;
}

bool TTemplateParser::AddCommand(std::unique_ptr<TTemplateCommand> command) {
  command->Owner = this;
  command->CommandChar = CommandChar;
  return commands_.Insert(std::move(command));
}

TTemplateCommand* TTemplateParser::FindCommand(std::string_view name) const { return commands_.Find(name); }

bool TTemplateParser::FindCommand(std::string_view name, size_t& index) const {
  return commands_.Find(name, index);
}

void TTemplateParser::RemoveCommand(std::string_view name) {
  std::unique_ptr<TTemplateCommand> command = commands_.Take(name);
  if (command != nullptr && command->busy_ > 0) {
    command->retired_ = true;
    retired_.push_back(std::move(command));
  }
}

void TTemplateParser::ReleaseIfRetired(TTemplateCommand& command) {
  if (command.busy_ > 0 || !command.retired_) return;
  auto it = std::find_if(retired_.begin(), retired_.end(), [&](const auto& p) { return p.get() == &command; });
  if (it != retired_.end()) retired_.erase(it);
}

size_t TTemplateParser::ErrorCount() const {
  return static_cast<size_t>(
      std::count_if(problems_.begin(), problems_.end(), [](const TProblem& p) { return p.Error; }));
}

void TTemplateParser::NoteProblemAt(bool error, std::string message, size_t at) {
  for (const TProblem& problem : problems_)
    if (problem.At == at && problem.Message == message) return;
  problems_.push_back({error, std::move(message), at});
}

void TTemplateParser::NoteRunError(std::string_view message, std::string_view raiser) {
  while (message.ends_with('\r') || message.ends_with('\n')) message.remove_suffix(1);
  std::string text(message);
  const std::string name = std::string(1, CommandChar).append(raiser);
  if (!raiser.empty() && text.find(name) == std::string::npos) text.append(" in ").append(name);
  NoteProblem(true, std::move(text));
}

std::pair<int, int> TTemplateParser::LineAndColumn(size_t at) const {
  const std::string_view text = template_ != nullptr ? template_->Text() : std::string_view();
  at = std::min(at, text.size());
  int line = 1;
  size_t lineStart = 0;
  for (size_t i = 0; i < at; ++i) {
    // LF, CR LF and a CR alone each end a line.
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
      ++line;
      lineStart = i + 1;
    }
  }
  return {line, static_cast<int>(at - lineStart + 1)};
}

void TTemplateParser::Discard() {
  if (Stopped) return;
  discarded_ = true;
  discardedAt_ = callAt_;
  Stopped = true;
}

bool TTemplateParser::StepLimitReached() {
  stepsLeft_ = 0;
  ReportError("Template stopped after %d steps\n\r", {stepLimit_});
  return false;
}

// Inlined into the loop of RunBody, its only caller: every command call of a
// run passes here.
[[gnu::always_inline]] inline void TTemplateParser::CallCommand(TTemplateCommand& command, TInterpreter& caller,
                                                                bool enabled, bool active, TBufStream& params) {
  if (!TakeSteps()) return;
  ++command.busy_;
  command.Execute(caller, enabled, active, params);
  --command.busy_;
  ReleaseIfRetired(command);
  // A block statement whose operand ended the run writes no result.
  if (!UnshownError.empty()) PutErrorText(std::exchange(UnshownError, {}));
}

std::string TTemplateParser::CaptureCommand(TTemplateCommand& command, TInterpreter& caller, bool enabled,
                                            TBufStream& params) {
  if (!TakeSteps()) return {};
  ++command.busy_;
  std::string result = command.Capture(caller, enabled, params);
  --command.busy_;
  ReleaseIfRetired(command);
  return result;
}

void TTemplateParser::PutChar(char c) {
  // The pair LF CR that ends the engine's error texts is one line end: where
  // the LF already became CR, the CR would add an empty line.
  const bool pairedCr = c == '\r' && lfBecameCr_;
  lfBecameCr_ = c == '\n' && LfToCr;
  if (pairedCr) return;
  if (c == '\n' && LfToCr) c = '\r';
  if (c == '\n') {
    if (SwallowLF) {
      SwallowLF = SwallowCR = false;
      return;
    }
    if (!CrLf || !Lf) return;
  } else if (c == '\r') {
    if (SwallowCR) {
      SwallowCR = false;
      return;
    }
    SwallowLF = false;
    if (!CrLf || !Cr) return;
  } else {
    SwallowCR = SwallowLF = false;
  }
  if (Capturing) {
    Captured += c;
  } else if (Enabled && Active) {
    WriteChar(c);
  }
}

void TTemplateParser::PutChars(std::string_view text) {
  while (!text.empty()) {
    const size_t lineEnd = FindEither(text, '\r', '\n');
    const std::string_view run = text.substr(0, lineEnd);
    if (!run.empty()) {
      SwallowCR = SwallowLF = lfBecameCr_ = false;
      if (Capturing) {
        Captured += run;
      } else if (Enabled && Active) {
        Write(run);
      }
    }
    if (lineEnd == std::string_view::npos) return;
    PutChar(text[lineEnd]);
    text.remove_prefix(lineEnd + 1);
  }
}

void TTemplateParser::PutErrorText(std::string_view text) {
  if (Capturing) UnshownError = text;
  const bool savedEnabled = Enabled, savedActive = Active;
  Enabled = Active = true;
  PutChars(text);
  Enabled = savedEnabled;
  Active = savedActive;
}

bool TTemplateParser::CopyText(TInterpreter& self, TBufStream& input) {
  for (;;) {
    const std::string_view rest = input.Rest();
    const size_t stop = FindEither(rest, CommandChar, '\0');
    const std::string_view run = rest.substr(0, stop);
    if (!run.empty()) {
      if (self.Capturing) {
        self.Captured += run;
      } else {
        self.PutChars(run);
      }
      if (!TakeTextSteps(run.size())) return false;
    }
    if (stop == std::string_view::npos) {
      input.Skip(run.size());
      return false;
    }
    input.Skip(stop + 1);
    if (rest[stop] == CommandChar) return true;
    // a NUL in the template is never written
  }
}

TTemplateCommand* TTemplateParser::ReadCall(TBufStream& input, std::string_view& name, TBufStream& params) {
  if (&input != template_.get()) {
    TTemplateCommand* command = ReadName(input, name) ? FindCommand(name) : nullptr;
    char open;
    params.Reset(command != nullptr && command->HasParams ? ReadParams(input, open) : std::string());
    return command;
  }
  const size_t start = input.Position();
  if (templateCallAt_.empty()) templateCallAt_.resize(input.Size() + 1);
  uint32_t& at = templateCallAt_[start];
  if (at == 0) {
    templateCalls_.emplace_back();
    at = static_cast<uint32_t>(templateCalls_.size());
  }
  TTemplateCall& call = templateCalls_[at - 1];
  if (call.TableGeneration != commands_.Generation()) {
    call.Command = ReadName(input, name) ? FindCommand(name) : nullptr;
    call.NameLength = name.size();
    char open = '\0';
    call.Params = call.Command != nullptr && call.Command->HasParams ? ReadParams(input, open) : std::string();
    if (open != '\0') {
      // An apostrophe in a text opens a quoted run that takes in the rest.
      const std::string called = std::string(1, CommandChar).append(name);
      NoteProblemAt(true,
                    open == '(' ? "Unclosed parameter list of " + called
                                : std::string("Unclosed quote ") + open + " in the parameters of " + called,
                    start - 1);
    }
    call.End = input.Position();
    call.TableGeneration = commands_.Generation();
  }
  name = input.Text().substr(start, call.NameLength);
  input.Skip(call.End - input.Position());
  params.Assign(call.Params);
  return call.Command;
}

bool TTemplateParser::ReadName(TBufStream& input, std::string_view& name) {
  const std::string_view rest = input.Rest();
  size_t length = 0;
  while (length < rest.size() && IsNameChar(rest[length])) ++length;
  name = rest.substr(0, length);
  if (length > 0) {
    input.Skip(length);
    return true;
  }
  if (!rest.empty()) input.Skip(1);
  return false;
}

std::string TTemplateParser::ReadParams(TBufStream& input, char& open) {
  const std::string_view rest = input.Rest();
  open = '\0';
  size_t i = 0;
  while (i < rest.size() && rest[i] == ' ') ++i;
  if (i == rest.size() || rest[i] != '(') return {};
  const size_t first = i + 1;
  const size_t end = FindParamListEnd(rest, first, &open);
  if (end != std::string_view::npos) {
    input.Skip(end);
    return std::string(rest.substr(first, end - 1 - first));
  }
  input.Skip(rest.size());
  if (open == '\0') open = '(';
  // The input ended inside the list: its last character is not taken.
  std::string text(rest.substr(first));
  if (!text.empty()) text.pop_back();
  return text;
}

void TTemplateParser::RunBody(TInterpreter& self, TBufStream& input, const TBlockCommand* block) {
  std::string_view name;
  TBufStream params;  // one for every call: a stream is costly to make
  while (!Stopped && !EndSeen && CopyText(self, input)) {
    const size_t at = input.Position() - 1;  // the command character
    TTemplateCommand* command = ReadCall(input, name, params);
    if (command == nullptr) {
      // A name written as a call is most likely a mistyped function; a
      // name alone may well be text (user@example.com).
      if (!name.empty() && input.Rest().starts_with('('))
        NoteProblemAt(false, "Unknown function " + std::string(1, CommandChar).append(name), at);
      self.PutText(std::string(1, CommandChar).append(name));
      continue;
    }
    bool enabled = self.Enabled;
    if (block != nullptr) {
      if (params.Size() > 0 && IsQuote(params.Text()[0])) params.Reset(ExpandQuotes(params.Text(), CommandChar));
      enabled = self.Enabled && self.Active && !(block->Breakable && BreakSeen);
    }
    const size_t outerAt = std::exchange(callAt_, at);
    CallCommand(*command, self, enabled, self.Active, params);
    callAt_ = outerAt;
    if (block != nullptr) {
      if (block->HasElse && ElseSeen) {
        self.Active = !self.Active && self.Enabled;
        ElseSeen = false;
      }
      if (block->Breakable && BreakSeen) self.Active = false;
    }
  }
}

}  // namespace zeb
