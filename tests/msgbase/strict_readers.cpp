#include "strict_readers.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/text.h"

namespace zeb::test {

namespace {

const std::string kEmpty;

const std::string& FileOf(const TDiskImage& disk, const std::string& path) {
  auto it = disk.find(path);
  return it == disk.end() || it->second.Directory ? kEmpty : it->second.Data;
}

// Little-endian words that report reads past the end instead of throwing.
class TBytes {
 public:
  explicit TBytes(const std::string& data) : data_(data) {}
  bool Has(uint64_t offset, uint64_t size) const { return offset + size <= data_.size(); }
  uint32_t U16(size_t at) const {
    return static_cast<uint8_t>(data_[at]) | static_cast<uint32_t>(static_cast<uint8_t>(data_[at + 1])) << 8;
  }
  uint32_t U32(size_t at) const { return U16(at) | U16(at + 2) << 16; }
  const std::string& Data() const { return data_; }

 private:
  const std::string& data_;
};

TStrictRead Fail(std::string error) {
  TStrictRead r;
  r.Error = std::move(error);
  return r;
}

constexpr uint32_t kFrameId = 0xAFAE4453;
constexpr size_t kFrameHeader = 28;
constexpr size_t kXmsg = 238;

}  // namespace

TDiskImage LoadDirectory(const std::string& dir) {
  TDiskImage image;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
    FakeDisk::Node& node = image[entry.path().string()];
    std::ifstream in(entry.path(), std::ios::binary);
    if (!(node.Directory = entry.is_directory())) node.Data.assign(std::istreambuf_iterator<char>(in), {});
  }
  return image;
}

TStrictRead ReadSquishStrict(const TDiskImage& disk, const std::string& path) {
  const TBytes d(FileOf(disk, path + ".sqd")), x(FileOf(disk, path + ".sqi"));
  TStrictRead r;
  if (d.Data().empty()) return x.Data().empty() ? r : Fail("index without data");
  if (!d.Has(0, 256) || d.U16(0) != 256 || d.U16(130) != kFrameHeader) return Fail("bad base header");
  const uint32_t count = d.U32(4), begin = d.U32(104), last = d.U32(108), end = d.U32(120);
  if (d.U32(8) != count) return Fail("highest message is not the count");
  if (end > d.Data().size()) return Fail("end of data past the file");
  if (x.Data().size() % 12 != 0) return Fail("index of a partial record");
  if (x.Data().size() / 12 < count) return Fail(Format("index of %d records for %d messages", static_cast<int>(x.Data().size() / 12), static_cast<int>(count)));
  uint32_t at = begin, prev = 0;
  for (uint32_t n = 0; n < count; ++n) {
    if (at < 256 || !d.Has(at, kFrameHeader + kXmsg) || at + kFrameHeader > end) return Fail(Format("frame %d at %d outside the data", static_cast<int>(n), static_cast<int>(at)));
    if (d.U32(at) != kFrameId) return Fail(Format("no frame id at %d", static_cast<int>(at)));
    if (d.U32(at + 8) != prev) return Fail(Format("backward link of frame %d", static_cast<int>(n)));
    const uint32_t frameLen = d.U32(at + 12), msgLen = d.U32(at + 16), controlLen = d.U32(at + 20);
    if (msgLen > frameLen || at + kFrameHeader + uint64_t{frameLen} > end || kXmsg + uint64_t{controlLen} > msgLen)
      return Fail(Format("lengths of frame %d", static_cast<int>(n)));
    if (x.U32(n * 12) != at) return Fail(Format("index record %d names %d, not the frame", static_cast<int>(n), static_cast<int>(x.U32(n * 12))));
    if (x.U32(n * 12 + 4) != d.U32(at + kFrameHeader + 214)) return Fail(Format("message id of index record %d", static_cast<int>(n)));
    const size_t text = at + kFrameHeader + kXmsg + controlLen;
    r.Texts.push_back(d.Data().substr(text, msgLen - kXmsg - controlLen));
    prev = at;
    at = d.U32(at + 4);
  }
  if (prev != last) return Fail("last frame is not the end of the chain");
  if (count > 0 && at != 0) {
    if (at < 256 || !d.Has(at, kFrameHeader) || at + kFrameHeader + uint64_t{d.U32(at + 12)} > end || d.U32(at) != kFrameId ||
        d.U32(at + 8) != last || d.U32(at + 4) != 0)
      return Fail(Format("frame at %d linked after the last one", static_cast<int>(at)));
    r.UncountedFrameLinked = true;
  }
  if (count == 0 && (begin != 0 || last != 0)) return Fail("links in an empty base");
  return r;
}

TStrictRead ReadJamStrict(const TDiskImage& disk, const std::string& path) {
  const TBytes h(FileOf(disk, path + ".jhr")), t(FileOf(disk, path + ".jdt")), x(FileOf(disk, path + ".jdx"));
  TStrictRead r;
  if (h.Data().empty()) return x.Data().empty() ? r : Fail("index without headers");
  if (!h.Has(0, 1024) || h.Data().compare(0, 4, std::string("JAM\0", 4)) != 0) return Fail("bad base header");
  if (x.Data().size() % 8 != 0) return Fail("index of a partial record");
  const uint32_t records = static_cast<uint32_t>(x.Data().size() / 8), active = h.U32(12), first = h.U32(20);
  if (active + 1 == records) {
    r.ActiveCountLags = true;
  } else if (active != records) {
    return Fail(Format("%d active messages for %d index records", static_cast<int>(active), static_cast<int>(records)));
  }
  for (uint32_t n = 0; n < records; ++n) {
    const uint32_t at = x.U32(n * 8 + 4);
    if (at < 1024 || !h.Has(at, 76) || h.Data().compare(at, 4, std::string("JAM\0", 4)) != 0)
      return Fail(Format("index record %d names no message header", static_cast<int>(n)));
    if (h.U32(at + 48) != first + n) return Fail(Format("message number at record %d", static_cast<int>(n)));
    if (!h.Has(at + 76, h.U32(at + 8))) return Fail(Format("subfields of message %d", static_cast<int>(n)));
    const uint32_t textAt = h.U32(at + 60), textLen = h.U32(at + 64);
    if (!t.Has(textAt, textLen)) return Fail(Format("text of message %d past the text file", static_cast<int>(n)));
    r.Texts.push_back(t.Data().substr(textAt, textLen));
  }
  return r;
}

TStrictRead ReadFilesStrict(const TDiskImage& disk, const std::string& dir, const std::string& ext) {
  TStrictRead r;
  const std::string prefix = dir + "/";
  for (const auto& [name, node] : disk) {
    if (name.compare(0, prefix.size(), prefix) != 0 || name.find('/', prefix.size()) != std::string::npos) continue;
    if (node.Directory || LowerStr(name.substr(name.size() - std::min(name.size(), ext.size() + 1))) != "." + ext) continue;
    const std::string& d = node.Data;
    if (ext == "msg") {
      if (d.size() < 191 || d.back() != '\0' || d.find('\0', 190) != d.size() - 1) return Fail("partial message " + name);
      r.Texts.push_back(d.substr(190, d.size() - 191));
    } else {
      const TBytes b(d);
      if (d.size() < 58 + 14 + 2 || b.U16(18) != 2 || b.U16(58) != 2 || d.compare(d.size() - 3, 3, std::string(3, '\0')) != 0)
        return Fail("partial packet " + name);
      r.Texts.push_back(d.substr(58));
    }
  }
  return r;
}

}  // namespace zeb::test
