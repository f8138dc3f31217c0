#include "config/binkd_config.h"

#include <algorithm>
#include <optional>

#include "platform/disk.h"
#include "support/text.h"

namespace zeb {

namespace {

// Splits a line into words as binkd does: blanks separate words, a double
// quote opens or closes a run in which blanks and "#" are plain text, a
// backslash takes the next character as it is, and "#" at the start of a
// word begins a comment. False when a quoted run is not closed.
bool SplitWords(std::string_view line, std::vector<std::string>& words) {
  words.clear();
  std::string word;
  bool inWord = false, quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (!quoted && IsBlank(c)) {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
      continue;
    }
    if (!quoted && !inWord && c == '#') break;
    inWord = true;
    if (c == '"')
      quoted = !quoted;
    else if (c == '\\' && i + 1 < line.size())
      word += line[++i];
    else
      word += c;
  }
  if (inWord) words.push_back(std::move(word));
  return !quoted;
}

// The domain or alias called `name` (ignoring case), or null.
template <typename List>
const typename List::value_type* FindNamed(const List& list, std::string_view name) {
  for (const auto& item : list)
    if (SameText(item.Name, name)) return &item;
  return nullptr;
}

// A line's words kept until every domain and the main address are known,
// since binkd resolves domains against the whole file.
struct TPendingLine {
  std::string File;
  int Line = 0;
  std::string Address;
};

struct TPendingNode {
  TPendingLine At;
  char Flavour = '-';               // '-': as before
  std::optional<std::string> Obox;  // none: as before; empty: no usable box
};

class TBinkdReader : public TLineFileReader {
 public:
  TBinkdReader(DiskInterface& disk, TBinkdConfig& out, std::string& error) : TLineFileReader(disk, error), out_(out) {}

  // Resolves the addresses, then the links, whose short addresses are
  // completed from the main address.
  void Finish() {
    for (const TPendingLine& pending : addresses_) {
      TWrittenAddr written;
      if (!ParseWrittenAddr(pending.Address, written) || !written.HasZone) {
        NoteAt(pending, Format("Bad address: %s", pending.Address.c_str()));
        continue;
      }
      if (const std::string* domain = DomainOf(pending, written)) out_.Addresses.push_back({written.Addr, *domain});
    }
    for (const TPendingNode& node : nodes_) {
      const TPendingLine& pending = node.At;
      TWrittenAddr written;
      if (!ParseWrittenAddr(pending.Address, written)) {
        NoteAt(pending, Format("Bad address: %s", pending.Address.c_str()));
        continue;
      }
      if (!written.HasZone) {
        if (out_.Addresses.empty()) {
          NoteAt(pending, Format("No main address to complete %s", pending.Address.c_str()));
          continue;
        }
        written.Addr.Zone = out_.Addresses.front().Addr.Zone;
        if (!written.HasNet) written.Addr.Net = out_.Addresses.front().Addr.Net;
      }
      if (const std::string* domain = DomainOf(pending, written)) MergeNode(node, {written.Addr, *domain});
    }
  }

 private:
  void NoteAt(const TPendingLine& at, std::string text) { out_.Notes.push_back({at.File, at.Line, std::move(text)}); }
  void Note(std::string text) { out_.Notes.push_back({File(), Line(), std::move(text)}); }

  bool ReadLine(std::string_view line) override {
    std::vector<std::string> words;
    const bool closed = SplitWords(line, words);
    if (words.empty()) return true;
    const std::string keyword = LowerStr(words[0]);
    // Lines of the keywords zeb leaves to binkd are binkd's own business.
    static const char* const kRead[] = {"include", "domain", "address", "sysop", "node", "filebox", "brakebox"};
    if (std::find(std::begin(kRead), std::end(kRead), keyword) == std::end(kRead)) return true;
    if (!closed) {
      Note("Unclosed quote");
      return true;
    }
    if (keyword == "include") return Include(words);
    if (keyword == "domain")
      AddDomain(words);
    else if (keyword == "address")
      AddAddresses(words);
    else if (keyword == "sysop")
      SetSysop(words);
    else if (keyword == "node")
      AddNode(words);
    else
      AddBoxDir(words, keyword == "filebox" ? out_.FileBoxes : out_.BrakeBoxes);
    return true;
  }

  void AddBoxDir(const std::vector<std::string>& words, std::vector<std::string>& dirs) {
    std::string path = words.size() == 2 ? words[1] : std::string();
    if (UsablePath(path))
      dirs.push_back(std::move(path));
    else
      Note(Format("%s not usable here: %s", words[0].c_str(), words.size() > 1 ? words[1].c_str() : ""));
  }

  bool Include(const std::vector<std::string>& words) {
    std::string path = words.size() == 2 ? words[1] : std::string();
    if (!UsablePath(path)) {
      Note(Format("Include not usable here: %s", words.size() > 1 ? words[1].c_str() : ""));
      return true;
    }
    return ReadFile(IncludePath(path));
  }

  bool NameTaken(std::string_view name) const {
    return FindNamed(out_.Domains, name) != nullptr || FindNamed(out_.Aliases, name) != nullptr;
  }

  void AddDomain(const std::vector<std::string>& words) {
    const bool alias = words.size() == 4 && SameText(words[2], "alias-for");
    if (words.size() < 4 || (!alias && words.size() > 5)) {
      Note("A domain needs a name, an outbound and a zone, or alias-for and a domain");
      return;
    }
    const std::string& name = words[1];
    if (NameTaken(name)) {
      Note(Format("Duplicate domain %s", name.c_str()));
      return;
    }
    if (alias) {
      const TBinkdDomain* real = FindNamed(out_.Domains, words[3]);
      if (real == nullptr)
        Note(Format("Alias of an unknown domain: %s", words[3].c_str()));
      else
        out_.Aliases.push_back({name, real->Name});
      return;
    }
    TBinkdDomain domain{name, words[2], 0};
    if (!ParseAddrPart(words[3], domain.Zone) || domain.Zone == 0) {
      Note(Format("Bad zone: %s", words[3].c_str()));
      return;
    }
    if (!UsablePath(domain.Outbound)) {
      Note(Format("Outbound not usable here: %s", words[2].c_str()));
      domain.Outbound.clear();
    }
    out_.Domains.push_back(std::move(domain));
  }

  void AddAddresses(const std::vector<std::string>& words) {
    if (words.size() < 2) Note("An address line needs an address");
    for (size_t i = 1; i < words.size(); ++i) addresses_.push_back({File(), Line(), words[i]});
  }

  void SetSysop(const std::vector<std::string>& words) {
    if (words.size() == 2)
      out_.Sysop = words[1];
    else
      Note("The sysop is one word (quote a name with blanks)");
  }

  void AddNode(const std::vector<std::string>& words) {
    if (words.size() < 2) {
      Note("A node line needs an address");
      return;
    }
    size_t i = 2;
    // Options such as -nr come before the hosts; -bw and -pipe take a value.
    while (i < words.size() && words[i].size() > 1 && words[i][0] == '-') {
      const std::string option = LowerStr(words[i]);
      i += (option == "-bw" || option == "-pipe") ? 2 : 1;
    }
    TPendingNode node{{File(), Line(), words[1]}};
    const size_t flavourAt = i + 2, oboxAt = i + 3;
    if (flavourAt < words.size() && words[flavourAt] != "-") {
      const char letter = words[flavourAt].size() == 1 ? LowerChar(words[flavourAt][0]) : '?';
      if (std::string_view("icdh").find(letter) == std::string_view::npos) {
        Note(Format("Bad flavour: %s", words[flavourAt].c_str()));
        return;
      }
      node.Flavour = letter;
    }
    if (oboxAt < words.size() && words[oboxAt] != "-") {
      std::string box = words[oboxAt];
      if (!UsablePath(box)) {
        Note(Format("File box not usable here: %s", words[oboxAt].c_str()));
        box.clear();
      }
      node.Obox = std::move(box);
    }
    nodes_.push_back(std::move(node));
  }

  // The real domain of an address: the one named after "@" (through an
  // alias), else the domain whose default zone it is in, else the main
  // address's domain, or for the main address itself the first domain.
  // Null, with a note, when there is none.
  const std::string* DomainOf(const TPendingLine& at, const TWrittenAddr& written) {
    if (!written.Domain.empty()) {
      if (const TBinkdDomain* d = FindNamed(out_.Domains, written.Domain)) return &d->Name;
      if (const TBinkdAlias* a = FindNamed(out_.Aliases, written.Domain)) return &a->Domain;
      NoteAt(at, Format("Unknown domain in %s", at.Address.c_str()));
      return nullptr;
    }
    for (const TBinkdDomain& d : out_.Domains)
      if (d.Zone == written.Addr.Zone) return &d.Name;
    if (!out_.Addresses.empty()) return &out_.Addresses.front().Domain;
    if (!out_.Domains.empty()) return &out_.Domains.front().Name;
    NoteAt(at, Format("No domain for %s", at.Address.c_str()));
    return nullptr;
  }

  // A later line for the same link changes what it gives and keeps the rest.
  void MergeNode(const TPendingNode& pending, const TDomainAddress& address) {
    auto node = std::find_if(out_.Nodes.begin(), out_.Nodes.end(), [&](const TBinkdNode& n) {
      return n.Address.Addr == address.Addr && SameText(n.Address.Domain, address.Domain);
    });
    if (node == out_.Nodes.end()) node = out_.Nodes.insert(out_.Nodes.end(), TBinkdNode{address, '-', {}});
    if (pending.Flavour != '-') node->Flavour = pending.Flavour;
    if (pending.Obox) node->Obox = *pending.Obox;
  }

  TBinkdConfig& out_;
  std::vector<TPendingLine> addresses_;
  std::vector<TPendingNode> nodes_;
};

}  // namespace

bool ReadBinkdConfig(DiskInterface& disk, const std::string& path, TBinkdConfig& out, std::string& error) {
  out = {};
  error.clear();
  TBinkdReader reader(disk, out, error);
  if (!reader.ReadFile(path)) return false;
  reader.Finish();
  return true;
}

}  // namespace zeb
