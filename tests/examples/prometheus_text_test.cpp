// The monitoring example's output read by the rules of the Prometheus text
// exposition format, as node_exporter's textfile collector reads it: the
// example test proves that zeb writes exactly examples/expected/queue.prom.txt.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

const std::regex kMetricName("[a-zA-Z_:][a-zA-Z0-9_:]*");
const std::regex kLabelName("[a-zA-Z_][a-zA-Z0-9_]*");

// Reads `name="value"` pairs up to the closing brace; a value may hold only
// the escapes \\, \" and \n. Returns the labels in a canonical order, or
// sets `error`.
std::string ParseLabels(const std::string& line, size_t& pos, std::string& error) {
  std::map<std::string, std::string> labels;
  while (pos < line.size() && line[pos] != '}') {
    const size_t eq = line.find("=\"", pos);
    if (eq == std::string::npos) return error = "label without =\"", "";
    const std::string name = line.substr(pos, eq - pos);
    if (!std::regex_match(name, kLabelName) || name.starts_with("__")) return error = "bad label name " + name, "";
    std::string value;
    for (pos = eq + 2; pos < line.size() && line[pos] != '"'; ++pos) {
      if (line[pos] != '\\') {
        value += line[pos];
        continue;
      }
      if (++pos == line.size() || std::string("\\\"n").find(line[pos]) == std::string::npos) {
        return error = "bad escape in a label value", "";
      }
      value += line[pos];
    }
    if (pos == line.size()) return error = "unterminated label value", "";
    if (!labels.emplace(name, value).second) return error = "label given twice: " + name, "";
    if (line[++pos] == ',') ++pos;
  }
  if (pos == line.size()) return error = "no closing brace", "";
  ++pos;
  std::string canonical;
  for (const auto& [name, value] : labels) canonical += name + "=" + value + "\n";
  return canonical;
}

TEST(PrometheusExample, FollowsTheTextExpositionFormat) {
  std::ifstream in(std::string(ZEB_SOURCE_DIR) + "/examples/expected/queue.prom.txt", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  ASSERT_TRUE(text.str().ends_with("\n"));
  ASSERT_EQ(text.str().find('\r'), std::string::npos);

  std::set<std::string> helped, typed, closedFamilies, series;
  std::string family;
  int samples = 0;
  std::string line;
  for (int number = 1; std::getline(text, line); ++number) {
    SCOPED_TRACE("line " + std::to_string(number) + ": " + line);
    std::smatch m;
    if (std::regex_match(line, m, std::regex("# (HELP|TYPE) (\\S+) (.+)"))) {
      ASSERT_TRUE(std::regex_match(m[2].str(), kMetricName));
      ASSERT_TRUE((m[1] == "HELP" ? helped : typed).insert(m[2]).second) << "given twice";
      if (m[1] == "TYPE") {
        ASSERT_TRUE(std::regex_match(m[3].str(), std::regex("counter|gauge|histogram|summary|untyped")));
      }
      ASSERT_FALSE(m[2] == family || closedFamilies.contains(m[2])) << "after its samples";
      continue;
    }
    ASSERT_FALSE(line.starts_with("#") || line.empty());
    const size_t nameEnd = line.find_first_of("{ ");
    ASSERT_NE(nameEnd, std::string::npos);
    const std::string name = line.substr(0, nameEnd);
    ASSERT_TRUE(std::regex_match(name, kMetricName));
    ASSERT_TRUE(helped.contains(name) && typed.contains(name)) << "no HELP and TYPE before the samples";
    if (name != family) {
      ASSERT_FALSE(closedFamilies.contains(name)) << "samples of a family apart";
      closedFamilies.insert(family);
      family = name;
    }
    size_t pos = nameEnd;
    std::string error, labels;
    if (line[pos] == '{') labels = ParseLabels(line, ++pos, error);
    ASSERT_EQ(error, "");
    ASSERT_TRUE(series.insert(name + "\n" + labels).second) << "series given twice";
    ASSERT_EQ(line[pos], ' ');
    const std::string value = line.substr(pos + 1);
    char* end = nullptr;
    std::strtod(value.c_str(), &end);
    ASSERT_TRUE(!value.empty() && *end == '\0') << "value (no timestamp: the collector refuses them)";
    ++samples;
  }
  EXPECT_EQ(helped, typed);
  EXPECT_GT(samples, 0);
}

TEST(PrometheusExample, PromtoolAcceptsItWhereInstalled) {
  if (std::system("command -v promtool >/dev/null 2>&1") != 0) GTEST_SKIP() << "promtool is not installed";
  EXPECT_EQ(std::system("promtool check metrics < " ZEB_SOURCE_DIR "/examples/expected/queue.prom.txt"), 0);
}

}  // namespace
