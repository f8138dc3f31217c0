#include "support/net_addr.h"

#include <cstdio>

namespace zeb {

int CompareNetAddr(const TNetAddr& a, const TNetAddr& b) {
  const uint64_t ka = a.Key(), kb = b.Key();
  return ka < kb ? -1 : (ka > kb ? 1 : 0);
}

int64_t StrToIntStrict(std::string_view text) {
  auto fail = [&]() -> int64_t {
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
  };
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) return fail();
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return fail();
    if (value > (INT64_MAX - 9) / 10) return fail();
    value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

namespace {

uint16_t ToPart(std::string_view text) {
  // Stored in 16 bits: out-of-range values wrap modulo 65536.
  return static_cast<uint16_t>(static_cast<uint64_t>(StrToIntStrict(text)) & 0xFFFF);
}

}  // namespace

TNetAddr ParseNetAddr(std::string_view input, const TNetAddr& def) {
  TNetAddr result = def;
  std::string text(input);
  if (text.find('.') == std::string::npos) text += ".0";

  if (size_t colon = text.find(':'); colon != std::string::npos) {
    if (colon > 0) result.Zone = ToPart(std::string_view(text).substr(0, colon));
    text.erase(0, colon + 1);
  }
  if (size_t slash = text.find('/'); slash != std::string::npos) {
    if (slash > 0) result.Net = ToPart(std::string_view(text).substr(0, slash));
    text.erase(0, slash + 1);
  }
  if (size_t dot = text.find('.'); dot != std::string::npos) {
    if (dot > 0) result.Node = ToPart(std::string_view(text).substr(0, dot));
    text.erase(0, dot + 1);
  } else {
    if (!text.empty()) result.Node = ToPart(text);
    text.clear();
  }
  result.Point = text.empty() ? 0 : ToPart(text);
  return result;
}

TAddrDomain ParseAddrDomain(std::string_view text, const TNetAddr& def) {
  TAddrDomain result;
  std::string_view addrPart = text;
  if (size_t at = text.find('@'); at != std::string_view::npos) {
    addrPart = text.substr(0, at);
    result.Domain = std::string(text.substr(at + 1));
  }
  result.Addr = ParseNetAddr(addrPart, def);
  return result;
}

std::string FormatNetAddr(const TNetAddr& addr) {
  char buf[48];
  if (addr.Point != 0)
    std::snprintf(buf, sizeof buf, "%u:%u/%u.%u", addr.Zone, addr.Net, addr.Node, addr.Point);
  else
    std::snprintf(buf, sizeof buf, "%u:%u/%u", addr.Zone, addr.Net, addr.Node);
  return buf;
}

}  // namespace zeb
