// The drive functions of report templates.
#pragma once

namespace zeb {

class TTemplateParser;

// Registers drvvalid, drvlabel, drvsize, drvfree, drvfs and drvfreeprc, in
// this order.
void RegisterDriveFunctions(TTemplateParser& parser);

}  // namespace zeb
