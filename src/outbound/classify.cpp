#include "outbound/classify.h"

#include <string>

#include "log/log_queue.h"
#include "outbound/name_parts.h"
#include "platform/disk.h"
#include "support/temporary_name.h"
#include "support/text.h"

namespace zeb {

namespace {

using C = TNameClass;

// Takes the last dotted part of `s` as a decimal number, leaving the rest in
// `s`; false when the part is empty or not a number.
bool TakeDecimal(std::string& s, uint16_t& value) {
  TLastPart part = SplitLastPart(s);
  s = std::move(part.Rest);
  bool digitError = false;
  value = ParseNumber(10, 0, part.Last, digitError);
  return !part.Last.empty() && !digitError;
}

// Point, node, net and zone, taken from the end of `s`.
bool TakeAddress(std::string& s, TNetAddr& addr) {
  return TakeDecimal(s, addr.Point) && TakeDecimal(s, addr.Node) && TakeDecimal(s, addr.Net) &&
         TakeDecimal(s, addr.Zone);
}

// NNNNnnnn: net and node in hexadecimal.
bool TakeHexNetNode(std::string_view s, TNetAddr& addr) {
  if (s.size() != 8) return false;
  bool netError = false, nodeError = false;
  addr.Net = ParseNumber(16, 0, s.substr(0, 4), netError);
  addr.Node = ParseNumber(16, 0, s.substr(4, 4), nodeError);
  return !netError && !nodeError;
}

bool IsBundleExt(std::string_view ext) {
  static constexpr std::string_view kDays[] = {"su", "mo", "tu", "we", "th", "fr", "sa"};
  if (ext.size() < 2) return false;
  for (const std::string_view day : kDays)
    if (ext.substr(0, 2) == day) return true;
  return false;
}

// Flavour from the first letter of a "?lo", "?ut", "?rq" or "?pl" extension.
uint8_t FlowFlavour(char c, std::string_view letters) {
  if (c >= '0' && c <= '9') return static_cast<uint8_t>(5 - (c - '0') / 2);
  const size_t pos = letters.find(c);
  return static_cast<uint8_t>(2 + (pos == std::string_view::npos ? 0 : pos + 1));
}

// x.zone.net.node.point.flavour.mail and x.zone.net.node.point.flavour.list
void ClassifyLongFlow(const TLastPart& split, bool mail, TClassifiedName& r) {
  r.Class = C::BadName;
  const TLastPart word = SplitLastPart(split.Rest);
  const uint8_t flavour = FlavourWordCode(word.Last);
  if (flavour < 3 || flavour > 8) return;
  std::string rest = word.Rest;
  if (!TakeAddress(rest, r.Addr) || rest.empty()) return;
  r.Class = mail ? C::NetmailFile : C::ListFile;
  r.Flavour = flavour;
}

// x.zone.net.node.point.flavourword: file boxes, busy flags, requests, status.
void ClassifyLongFlavour(const TLastPart& split, uint8_t flavour, bool directory, TClassifiedName& r) {
  r.Class = C::BadName;
  std::string rest = split.Rest;
  if (!TakeAddress(rest, r.Addr) || rest.empty()) return;
  r.Flavour = flavour;
  if (directory) {
    if (flavour >= 3 && flavour <= 7) r.Class = C::FileBoxDir;
  } else if (flavour == 2) {
    r.Class = C::BusyFlag;
  } else if (flavour == 8) {
    r.Class = C::RequestFile;
  } else if (flavour == 9) {
    r.Class = C::StatusFile;
  }
}

// T-Mail box names in eight-plus-three form: zone (2), net (3), node (3), a
// dot and the point (2) in base-32 digits, then "h" for hold.
void ClassifyShortBox(const std::string& name, TClassifiedName& r) {
  if ((name.size() != 11 && name.size() != 12) || name.find('.') != 8) return;
  if (name.size() == 12) {
    if (name[11] != 'h') return;
    r.Flavour = 7;
  }
  const std::string digits = name.substr(0, 8) + name.substr(9, 2);
  uint32_t d[10];
  for (size_t i = 0; i < 10; ++i) {
    bool digitError = false;
    d[i] = ParseNumber(32, 0, std::string_view(&digits[i], 1), digitError);
    if (digitError) return;
  }
  r.Addr = TNetAddr{};
  r.Addr.Zone = static_cast<uint16_t>(d[0] * 32 + d[1]);
  r.Addr.Net = static_cast<uint16_t>(d[2] * 1024 + d[3] * 32 + d[4]);
  r.Addr.Node = static_cast<uint16_t>(d[5] * 1024 + d[6] * 32 + d[7]);
  r.Addr.Point = static_cast<uint16_t>(d[8] * 32 + d[9]);
  r.Class = C::FileBoxDir;
}

void ClassifyDirectory(const std::string& name, const TLastPart& split, TClassifiedName& r) {
  if (split.Last == "pnt") {
    if (TakeHexNetNode(split.Rest, r.Addr)) r.Class = C::PointDir;
    return;
  }
  // T-Mail box named zone.net.node.point, with ".h" for hold.
  r.Flavour = 6;
  std::string rest = name;
  if (split.Last == "h") {
    r.Flavour = 7;
    rest = split.Rest;
  }
  TNetAddr addr;
  if (TakeAddress(rest, addr) && rest.empty()) {
    r.Addr = addr;
    r.Class = C::FileBoxDir;
    return;
  }
  ClassifyShortBox(name, r);
}

// Short (NNNNnnnn.ext) and dotted (zone.net.node.point.ext) flow files, flags,
// requests and binkd's hold-until and try files.
void ClassifyFlowFile(const TLastPart& split, TClassifiedName& r) {
  const std::string& ext = split.Last;
  TNameClass shortClass = C::OtherFile, dottedClass = C::OtherFile;
  if (const uint8_t code = StatusExtCode(ext)) {
    r.Flavour = code;
    shortClass = code == 9 ? C::StatusFile : code == 8 ? C::RequestFile : code == 2 ? C::BusyFlag : C::CallFlag;
  } else if (ext.size() >= 3 && ext.compare(1, 2, "lo") == 0) {
    r.Flavour = FlowFlavour(ext[0], "icdfh");
    shortClass = dottedClass = C::ListFile;
  } else if (ext.size() >= 3 && (ext.compare(1, 2, "ut") == 0 || ext.compare(1, 2, "rq") == 0 ||
                                 ext.compare(1, 2, "pl") == 0)) {
    r.Flavour = static_cast<uint8_t>(FlowFlavour(ext[0], "icdoh") + (ext[0] == 'n' ? 4 : 0));
    shortClass = ext[1] == 'u' ? C::NetmailFile : ext[1] == 'r' ? C::RequestFile : C::PollFile;
    dottedClass = C::NetmailFile;
  } else if (ext == "hld" || ext == "try") {
    shortClass = dottedClass = ext == "hld" ? C::HoldFile : C::TryFile;
  } else {
    return;
  }
  TNetAddr addr = r.Addr;
  if (split.Rest.find('.') == std::string::npos) {
    if (!TakeHexNetNode(split.Rest, addr)) return;
    r.Class = shortClass;
    r.ShortForm = true;
  } else {
    std::string rest = split.Rest;
    if (!TakeAddress(rest, addr) || !rest.empty()) return;
    r.Class = dottedClass;
  }
  r.Addr = addr;
}

}  // namespace

TClassifiedName ClassifyName(std::string_view realName, uint8_t attribute, uint16_t zone, bool outbound) {
  if (LogWanted(3)) LogLine("Analyse " + std::string(realName), 3);
  const std::string name = LowerStr(realName);
  const bool directory = (attribute & kAttrDirectory) != 0;
  TClassifiedName r;
  r.Class = directory ? C::BadName : C::OtherFile;
  r.Addr.Zone = zone;
  const TLastPart split = SplitLastPart(name);
  const std::string& ext = split.Last;

  if (!directory) {
    if (IsTemporaryName(name)) r.Class = C::TemporaryFile;
    else if (ext == "pkt") r.Class = C::PacketFile;
    else if (ext == "tic") r.Class = C::TicFile;
    else if (IsBundleExt(ext)) r.Class = C::BundleFile;
    if (r.Class != C::OtherFile) return r;
  }
  if (name == "tobesent.$$$") {
    r.Class = C::ToBeSentList;
    return r;
  }
  if (!outbound) return r;

  if (ext == "mail" || ext == "list") {
    if (!directory) ClassifyLongFlow(split, ext == "mail", r);
  } else if (const uint8_t flavour = FlavourWordCode(ext)) {
    ClassifyLongFlavour(split, flavour, directory, r);
  } else if (directory) {
    ClassifyDirectory(name, split, r);
  } else {
    ClassifyFlowFile(split, r);
  }
  return r;
}

}  // namespace zeb
