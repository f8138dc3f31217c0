#include "config/crashmail_config.h"

#include <algorithm>

#include "support/text.h"

namespace zeb {

namespace {

class TCrashmailReader : public TLineFileReader {
 public:
  TCrashmailReader(DiskInterface& disk, TCrashmailConfig& out, std::string& error)
      : TLineFileReader(disk, error), out_(out) {}

 private:
  void Note(std::string text) { out_.Notes.push_back({File(), Line(), std::move(text)}); }

  // A line is a keyword and its words, double quotes around a word with
  // blanks; a line beginning with ";" is a comment.
  bool ReadLine(std::string_view raw) override {
    const std::string line = TrimBlanks(raw);
    if (line.empty() || line[0] == ';') return true;
    std::vector<std::string> words;
    const bool closed = SplitQuotedWords(line, words);
    const std::string keyword = LowerStr(words[0]);
    const bool area = keyword == "area" || keyword == "netmail" || keyword == "localarea";
    if (!area && keyword != "sysop" && keyword != "aka" && keyword != "domain") return true;
    if (!closed) {
      Note("Unclosed quote");
      return true;
    }
    if (words.size() != 2 && !area) {
      Note(Format("%s takes one value", words[0].c_str()));
      return true;
    }
    if (keyword == "sysop")
      out_.Sysop = words[1];
    else if (keyword == "aka")
      Aka(words[1]);
    else if (keyword == "domain")
      Domain(words[1]);
    else
      Area(keyword == "netmail", words);
    return true;
  }

  bool Address(const std::string& text, TDomainAddress& address) {
    TWrittenAddr written;
    if (!ParseWrittenAddr(text, written) || !written.HasZone) {
      Note(Format("Bad address: %s", text.c_str()));
      return false;
    }
    address = {written.Addr, written.Domain};
    return true;
  }

  void Aka(const std::string& text) {
    TDomainAddress address;
    akaRead_ = Address(text, address);
    if (akaRead_) out_.Addresses.push_back(std::move(address));
  }

  // DOMAIN names the domain of the AKA just before it.
  void Domain(const std::string& name) {
    if (!akaRead_) {
      Note("DOMAIN without an AKA before it");
      return;
    }
    out_.Addresses.back().Domain = name;
    // The areas of this address so far were read without its domain.
    for (TTosserArea& area : out_.Areas)
      if (area.Aka.Addr == out_.Addresses.back().Addr) area.Aka.Domain = name;
  }

  // TAG AKA [JAM|MSG PATH]; without a base the area is passed through.
  void Area(bool netmail, const std::vector<std::string>& words) {
    if (words.size() != 3 && words.size() != 5) {
      Note(Format("%s needs a tag, an address, and a base type with its path or neither", words[0].c_str()));
      return;
    }
    TTosserArea area{words[1], netmail, TAreaBase::Passthrough};
    if (!Address(words[2], area.Aka)) return;
    for (const TDomainAddress& aka : out_.Addresses)
      if (aka.Addr == area.Aka.Addr) area.Aka.Domain = aka.Domain;
    if (words.size() == 5) {
      const std::string base = LowerStr(words[3]);
      if (base != "jam" && base != "msg") {
        Note(Format("Unknown message base type: %s", words[3].c_str()));
        return;
      }
      area.Base = base == "jam" ? TAreaBase::Jam : TAreaBase::Msg;
      area.Path = words[4];
      if (!UsablePath(area.Path)) {
        Note(Format("Area path not usable here: %s", words[4].c_str()));
        return;
      }
    }
    const bool taken = std::any_of(out_.Areas.begin(), out_.Areas.end(), [&](const TTosserArea& a) { return SameText(a.Tag, area.Tag); });
    if (taken)
      Note(Format("Duplicate area %s", area.Tag.c_str()));
    else
      out_.Areas.push_back(std::move(area));
  }

  TCrashmailConfig& out_;
  bool akaRead_ = false;  // the last AKA line gave an address
};

}  // namespace

bool ReadCrashmailConfig(DiskInterface& disk, const std::string& path, TCrashmailConfig& out, std::string& error) {
  out = {};
  error.clear();
  return TCrashmailReader(disk, out, error).ReadFile(path);
}

}  // namespace zeb
