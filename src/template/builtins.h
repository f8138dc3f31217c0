// The statements and functions every full parser starts with.
#pragma once

namespace zeb {

class TTemplateParser;

// Registers, in this order: parser_version, parser_copyright, type, define,
// if, end, else, break, foreach, alias, for, fordown, while, cr, lf, crlf,
// lf_to_cr, RaiseError.
void RegisterBuiltins(TTemplateParser& parser);

}  // namespace zeb
