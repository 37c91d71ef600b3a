// The moments the stand-in writes for the benchmarks of a whole program (ENGINESIM_TIMESTAMPS):
// each browser made and each address a frame is asked to load, in order, on the system clock.
#include "engine_work.h"
#include "stamp_file.h"

namespace larkwell::enginesim::test {
namespace {

class Stamps : public EngineWork {};

TEST_F(Stamps, EachBrowserAndEachLoadOfAnAddressIsStampedInOrderOnTheSystemClock) {
  StampFile file;
  const int64_t before = system_time_now();
  ProgramClient client;
  TCefBrowser* browser = create(client);
  TCefFrame* frame = main_frame(browser);
  const std::u16string empty, start = u"sim://demo/?mac=00-1A-2B&名=工作站";
  const TCefString empty_view = view(empty), start_view = view(start);
  frame->load_url(frame, &empty_view);
  frame->load_url(frame, &start_view);
  TCefBrowser* second = create(client, u"sim://demo/page/about");  // a create call that loads at once
  const int64_t after = system_time_now();

  const std::vector<Stamp> stamps = file.stamps();
  ASSERT_EQ(stamps.size(), 5u);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"browser", ""}, {"load_url", ""}, {"load_url", "sim://demo/?mac=00-1A-2B&名=工作站"},
      {"browser", ""}, {"load_url", "sim://demo/page/about"}};
  // The two clocks may differ in precision, not by seconds: a wrong unit or epoch is far off.
  constexpr int64_t kSecond = 10'000'000;
  for (std::size_t i = 0; i < stamps.size(); ++i) {
    EXPECT_EQ(stamps[i].event, expected[i].first) << i;
    EXPECT_EQ(stamps[i].detail, expected[i].second) << i;
    EXPECT_GT(stamps[i].time, before - kSecond) << i;
    EXPECT_LT(stamps[i].time, after + kSecond) << i;
    if (i > 0) {
      EXPECT_GE(stamps[i].time, stamps[i - 1].time) << i;
    }
  }
  release(frame);
  release(second);
  release(browser);
  step();
}

TEST_F(Stamps, WithoutTheVariableNothingIsWritten) {
  std::filesystem::path path;
  {
    StampFile file;
    path = std::filesystem::path(std::getenv("ENGINESIM_TIMESTAMPS"));
  }
  ProgramClient client;
  TCefBrowser* browser = create(client, u"sim://demo/");
  EXPECT_FALSE(std::filesystem::exists(path));
  release(browser);
  step();
}

}  // namespace
}  // namespace larkwell::enginesim::test
