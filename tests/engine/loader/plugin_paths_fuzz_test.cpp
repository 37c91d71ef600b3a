// The plug-in path splitter against many random texts, from a fixed seed so that a finding can
// be replayed. LARKWELL_FUZZ_ITERATIONS and LARKWELL_FUZZ_SEED override the defaults for a
// longer or a different run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>

#include "engine/plugin_paths.h"

namespace larkwell {
namespace {

constexpr long kSeed = 0x4C61726B;  // "Lark"
constexpr long kIterations = 100000;

long FromEnvironment(const char* name, long fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::strtol(value, nullptr, 0) : fallback;
}

// Up to 40 code units: mostly those the rules care about, now and then any other (lone
// surrogates included).
ustring RandomText(std::mt19937& rng) {
  static constexpr char16_t kInteresting[] = {u';', u'"', u' ', u'\t', u'\x01', u'\x21', u'a', u'\\',
                                              u':', u'\x7F', u'\u4e2d', u'\xD800', u'\xFFFF', u'\0'};
  auto below = [&rng](std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(rng); };
  ustring text(below(41), u' ');
  for (char16_t& unit : text) {
    unit = below(8) != 0 ? kInteresting[below(std::size(kInteresting))] : static_cast<char16_t>(below(0x10000));
  }
  return text;
}

// Every item in quotes (a quote inside doubled), joined with ';'.
ustring QuoteAll(const TStrings& items) {
  ustring text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    text += i == 0 ? u"\"" : u";\"";
    for (char16_t unit : items[i]) text += unit == u'"' ? ustring(u"\"\"") : ustring(1, unit);
    text += u'"';
  }
  return text;
}

std::string Describe(const ustring& text) {
  std::ostringstream out;
  out << "text of " << text.size() << " units:" << std::hex;
  for (char16_t unit : text) out << ' ' << static_cast<unsigned>(unit);
  return out.str();
}

TEST(PluginPathsFuzzTest, RandomTextsKeepTheRules) {
  std::mt19937 rng(static_cast<uint32_t>(FromEnvironment("LARKWELL_FUZZ_SEED", kSeed)));
  const long iterations = FromEnvironment("LARKWELL_FUZZ_ITERATIONS", kIterations);
  for (long n = 0; n < iterations; ++n) {
    const ustring text = RandomText(rng);
    const TStrings items = SplitPluginPaths(text);
    const std::size_t used = std::min(text.find(u'\0'), text.size());
    const bool quoted = text.find(u'"') < used;
    ASSERT_LE(items.size(), used + 1) << Describe(text);
    for (const ustring& item : items) {
      ASSERT_LE(item.size(), used) << Describe(text);
      // Outside quotes an item is a run of characters above 32 other than the delimiter.
      for (char16_t unit : item) ASSERT_TRUE(unit != 0 && (quoted || (unit > 32 && unit != u';'))) << Describe(text);
    }
    // Whatever came out goes back in unchanged once each item is quoted.
    ASSERT_EQ(SplitPluginPaths(QuoteAll(items)), items) << Describe(text);
  }
}

}  // namespace
}  // namespace larkwell
