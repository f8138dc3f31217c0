// The command line: options begin with "/" or "-" and are matched whole and
// case-sensitively against a list of alternatives separated by "|".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zeb {

// Sets the parameters 1..n that the option functions look at.
void SetCommandLine(std::vector<std::string> params);

// The 1-based position of the alternative that the first matching parameter
// equals; 0 when no parameter matches.
int OptionIndex(std::string_view aliases);

// The parameter after the first matching option (empty when it is last), or
// `def` when no parameter matches.
std::string OptionValue(std::string_view aliases, std::string_view def = {});

// True when a parameter equals `parameter` exactly (the long options such as
// "--help", which the "/" and "-" matching above does not cover).
bool ParameterGiven(std::string_view parameter);

// The log level the command line asks for (/l0../l4, /d wins), or -1.
int CommandLineLogLevel();

}  // namespace zeb
