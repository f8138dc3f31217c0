// What a name found in an outbound, a file box or a list file stands for.
#pragma once

#include <cstdint>
#include <string_view>

#include "support/net_addr.h"

namespace zeb {

enum class TNameClass : uint8_t {
  BadName,       // a directory (or a file of a known form) whose name is not recognised
  OtherFile,     // a file of no known form
  PacketFile,    // *.pkt
  TicFile,       // *.tic
  BundleFile,    // an echomail bundle (*.su?, *.mo?, ... *.sa?)
  ToBeSentList,  // "tobesent.$$$"
  NetmailFile,   // netmail packet: long form "mail", short or dotted "?ut"
  ListFile,      // list of files to send: long form "list", short or dotted "?lo"
  BusyFlag,      // long form "busy", short form ".bsy"
  CallFlag,      // short form ".csy"
  StatusFile,    // long form "status", short form ".sta"
  RequestFile,   // long form "request", short forms "?rq" and ".req"
  PollFile,      // short form "?pl"
  PointDir,      // NNNNnnnn.pnt
  FileBoxDir,    // a file box inside the outbound
  HoldFile,      // binkd's hold-until file: short or dotted ".hld"
  TryFile,       // binkd's try file: short or dotted ".try"
  TemporaryFile, // one that zeb is writing, or that a killed run left: never queued
};

struct TClassifiedName {
  TNameClass Class = TNameClass::OtherFile;
  TNetAddr Addr;
  uint8_t Flavour = 0;
  // Named by net and node in eight hexadecimal digits: the only form that
  // point directories hold.
  bool ShortForm = false;
};

// Classifies a directory entry by its name in lower case. `zone` is the zone
// of the directory scanned (short forms carry none); `outbound` is false for
// file boxes and list files, where only the file types count.
TClassifiedName ClassifyName(std::string_view name, uint8_t attribute, uint16_t zone, bool outbound);

}  // namespace zeb
