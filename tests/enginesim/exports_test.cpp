// Every export answers null and zero arguments without crashing, and the families the
// stand-in does not simulate yet answer nothing at all.
#include <string>
#include <type_traits>

#include "stand_in_test.h"

namespace larkwell::enginesim::test {
namespace {

using Exports = StandInTest;

// Calls `function` with every argument zero or null; answers whether the result is zero/null.
template <class Result, class... Args>
bool answers_nothing(Result(CEF_EXPORT_CALL* function)(Args...)) {
  if constexpr (std::is_void_v<Result>) {
    function(Args{}...);
    return true;
  } else {
    return function(Args{}...) == Result{};
  }
}

template <class Result, class... Args>
constexpr bool takes_arguments(Result(CEF_EXPORT_CALL*)(Args...)) {
  return sizeof...(Args) != 0;
}

// Allocating exports take no arguments; all the others get nulls.
#define ENGINESIM_EXPECT_NULL_SAFE(result, name, params) \
  if (takes_arguments(&name)) {                          \
    EXPECT_TRUE(answers_nothing(&name)) << #name;        \
  }

#define ENGINESIM_EXPECT_NOTHING(result, name, params) \
  EXPECT_TRUE(answers_nothing(&name)) << #name;

TEST_F(Exports, StringsCollectionsRequestsAndStreamsTolerateNullArguments) {
  CEF_EXPORTS_STRINGS(ENGINESIM_EXPECT_NULL_SAFE)
  CEF_EXPORTS_STRING_LISTS(ENGINESIM_EXPECT_NULL_SAFE)
  CEF_EXPORTS_STRING_MAPS(ENGINESIM_EXPECT_NULL_SAFE)
  CEF_EXPORTS_STRING_MULTIMAPS(ENGINESIM_EXPECT_NULL_SAFE)
  CEF_EXPORTS_REQUESTS(ENGINESIM_EXPECT_NULL_SAFE)
  CEF_EXPORTS_STREAMS(ENGINESIM_EXPECT_NULL_SAFE)
}

// Families the program never uses. The simulated ones (process, browser creation, requests,
// streams, script) are tested with their objects.
TEST_F(Exports, FamiliesNotSimulatedAnswerNothing) {
  CEF_EXPORTS_EXTENSIONS(ENGINESIM_EXPECT_NOTHING)
  CEF_EXPORTS_TASKS(ENGINESIM_EXPECT_NOTHING)
  CEF_EXPORTS_URLS(ENGINESIM_EXPECT_NOTHING)
  CEF_EXPORTS_STORAGE(ENGINESIM_EXPECT_NOTHING)
  CEF_EXPORTS_READERS(ENGINESIM_EXPECT_NOTHING)
  CEF_EXPORTS_OTHER(ENGINESIM_EXPECT_NOTHING)
}

}  // namespace
}  // namespace larkwell::enginesim::test
