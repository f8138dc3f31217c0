#include "config/foreign_config.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>

#include "platform/disk.h"
#include "support/text.h"

namespace zeb {

bool ParseAddrPart(std::string_view text, uint16_t& value) {
  const char* end = text.data() + text.size();
  const auto [stop, fault] = std::from_chars(text.data(), end, value);
  return !text.empty() && fault == std::errc() && stop == end;
}

bool ParseWrittenAddr(std::string_view text, TWrittenAddr& out) {
  out = {};
  if (const size_t at = text.find('@'); at != std::string_view::npos) {
    out.Domain = std::string(text.substr(at + 1));
    if (out.Domain.empty()) return false;
    text = text.substr(0, at);
  }
  if (const size_t colon = text.find(':'); colon != std::string_view::npos) {
    if (!ParseAddrPart(text.substr(0, colon), out.Addr.Zone)) return false;
    out.HasZone = true;
    text = text.substr(colon + 1);
  }
  if (const size_t slash = text.find('/'); slash != std::string_view::npos) {
    if (!ParseAddrPart(text.substr(0, slash), out.Addr.Net)) return false;
    out.HasNet = true;
    text = text.substr(slash + 1);
  }
  if (const size_t dot = text.find('.'); dot != std::string_view::npos) {
    if (!ParseAddrPart(text.substr(dot + 1), out.Addr.Point)) return false;
    text = text.substr(0, dot);
  }
  if (out.HasZone && !out.HasNet) return false;
  if (!out.Domain.empty() && !out.HasZone) return false;
  return ParseAddrPart(text, out.Addr.Node);
}

bool UsablePath(std::string& path) {
  const bool driveLetter = path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
  if (path.empty() || driveLetter || path.starts_with("\\\\")) return false;
  std::replace(path.begin(), path.end(), '\\', '/');
  return true;
}

bool TLineFileReader::ReadFile(const std::string& path) {
  const std::string key = std::filesystem::path(path).lexically_normal().string();
  if (std::find(loading_.begin(), loading_.end(), key) != loading_.end()) {
    if (error_.empty()) error_ = Format("Include loop: %s", path.c_str());
    return false;
  }
  std::string contents, reason;
  if (!disk_.ReadFile(path, contents, reason)) {
    if (error_.empty()) error_ = Format("Can't open file %s", path.c_str());
    return false;
  }
  loading_.push_back(key);
  const std::string savedFile = file_;
  const int savedLine = line_;
  file_ = path;
  line_ = 0;
  bool ok = true;
  for (size_t start = 0; ok && start < contents.size();) {
    size_t end = contents.find('\n', start);
    if (end == std::string::npos) end = contents.size();
    std::string_view line(contents.data() + start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    start = end + 1;
    ++line_;
    ok = ReadLine(line);
  }
  file_ = savedFile;
  line_ = savedLine;
  loading_.pop_back();
  return ok;
}

std::string TLineFileReader::IncludePath(const std::string& path) const {
  if (!path.empty() && path[0] == '/') return path;
  return std::filesystem::path(file_).parent_path().append(path).string();
}

bool SplitQuotedWords(std::string_view line, std::vector<std::string>& words) {
  words.clear();
  std::string word;
  bool inWord = false, quoted = false;
  for (const char c : line) {
    if (!quoted && IsBlank(c)) {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
    } else if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return !quoted;
}

}  // namespace zeb
