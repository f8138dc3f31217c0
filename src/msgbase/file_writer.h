// Report files and the console: the bare template output, nothing added.
#pragma once

#include "msgbase/message_writer.h"

namespace zeb {

class TFileWriter : public TMessageWriter {
 public:
  using TMessageWriter::TMessageWriter;
  bool Post(const std::string& buf) override;
  // Lines end in LF in the file.
  size_t StoredSize(const std::string& buf) const override;
};

}  // namespace zeb
