// The queue functions of report templates: the walk over the report's
// nodes (@queue, @prepare, @nextnode) and over a node's files (@filecount,
// @nextfile), and what they show of the current node and file.
#pragma once

#include <string>

namespace zeb {

class TReportParser;

// Registers about, queue, prepare, node, mailsize, files, percent,
// nextnode, old, flags, pflags, extflags, cdaytime, fdays, fromday,
// filecount, fullfilename, filename, filesize, filedatetime and nextfile,
// in this order.
void RegisterQueueFunctions(TReportParser& parser);

// Registers holduntil, trycount and trytext, what the mailer's own files say
// of the current node, then strays and scanerrors, what the scan met beside
// the queue.
void RegisterNodeNoteFunctions(TReportParser& parser);

// The text of @about: the program line, or, when `rule` is set, a rule of
// the same length; `rule` turns over, so that every second time in a
// production — across all its reports — gives the rule.
std::string NextAboutText(bool& rule);

}  // namespace zeb
