#include "reports/drive_functions.h"

#include <cmath>
#include <cstdio>
#include <memory>

#include "platform/volumes.h"
#include "reports/evaluated_function.h"
#include "template/arguments.h"
#include "template/numbers.h"
#include "template/parser.h"

namespace zeb {

namespace {

// The file system named by a drive argument. There are no drive letters
// here, so a one-letter argument (like any other that does not begin with
// "/") names no drive; a path beginning with "/" names the file system that
// holds it.
bool QueryDrive(TEvaluatedFunction& self, const std::string& evaluated, TVolumeInfo& info) {
  const std::string drive = ExpandQuotes(evaluated, self.CommandChar);
  if (drive.empty() || drive[0] != '/') return false;
  return Volumes().QueryVolume(drive, info) && (info.Size >= 0 || info.Free >= 0);
}

std::string DrvValid(TEvaluatedFunction& self, const std::string& evaluated) {
  TVolumeInfo info;
  return QueryDrive(self, evaluated, info) ? "TRUE" : "FALSE";
}

std::string DrvLabel(TEvaluatedFunction& self, const std::string& evaluated) {
  TVolumeInfo info;
  if (!QueryDrive(self, evaluated, info) || info.MountPoint.empty()) return "No label";
  return info.MountPoint;
}

std::string DrvSize(TEvaluatedFunction& self, const std::string& evaluated) {
  TVolumeInfo info;
  return QueryDrive(self, evaluated, info) ? Int64ToBase(info.Size, 10) : "0";
}

std::string DrvFree(TEvaluatedFunction& self, const std::string& evaluated) {
  TVolumeInfo info;
  return QueryDrive(self, evaluated, info) ? Int64ToBase(info.Free, 10) : "0";
}

std::string DrvFs(TEvaluatedFunction& self, const std::string& evaluated) {
  TVolumeInfo info;
  if (!QueryDrive(self, evaluated, info)) return {};
  return info.FsType.empty() ? "Invalid drive letter!" : info.FsType;
}

// The free share in percent with two decimals, six characters wide.
std::string DrvFreePrc(TEvaluatedFunction& self, const std::string& evaluated) {
  TVolumeInfo info;
  if (!QueryDrive(self, evaluated, info)) return {};
  const double free = info.Free > 0 ? static_cast<double>(info.Free) : 0.0;
  const double size = info.Size > 0 ? static_cast<double>(info.Size) : 1.0;
  const double hundredths = std::round(free / size * 10000.0);
  char text[32];
  std::snprintf(text, sizeof text, "%6.2f", hundredths / 100.0);
  return text;
}

}  // namespace

void RegisterDriveFunctions(TTemplateParser& parser) {
  auto add = [&parser](const char* name, TEvaluatedFunction::Body body) {
    parser.AddCommand(std::make_unique<TEvaluatedFunction>(name, body));
  };
  add("drvvalid", DrvValid);
  add("drvlabel", DrvLabel);
  add("drvsize", DrvSize);
  add("drvfree", DrvFree);
  add("drvfs", DrvFs);
  add("drvfreeprc", DrvFreePrc);
}

}  // namespace zeb
