// Browsers made through the engine's create calls: what the engine keeps of the call.
#include "engine_work.h"

namespace larkwell::enginesim::test {
namespace {

TEST_F(EngineWork, TheBrowserKeepsWhatItsCreateCallGave) {
  TCefBrowserSettings settings{};
  settings.size = sizeof settings;
  settings.drag_drop_disabled = 1;  // the first field after the size, and the last one
  settings.fullscreen_enabled = 1;
  settings.minimum_logical_font_size = 7;
  std::u16string encoding = u"GBK";
  settings.default_encoding = view(encoding);
  const std::u16string name = u"浏览器";
  TCefWindowInfo info{0x10000, view(name), 0x56010000, -3, 4, 500, 60, reinterpret_cast<TCefWindowHandle>(uintptr_t{0x5678}),
                      reinterpret_cast<TCefMenuHandle>(uintptr_t{9}), 1, 1, nullptr};  // no window: rendering disabled
  ProgramClient client;
  TCefBrowser* browser = create(client, u"http://start.test/", &info, &settings);
  settings = TCefBrowserSettings{};  // the engine copied what it needs
  encoding.assign(u"???");

  for (const auto& [key, value] : {std::pair<const char*, int64_t>{"size", sizeof(TCefBrowserSettings)},
                                   {"drag_drop_disabled", 1}, {"fullscreen_enabled", 1}, {"javascript_disabled", 0},
                                   {"minimum_logical_font_size", 7}, {"default_encoding.length", 3},
                                   {"default_encoding.dtor", 0}, {"user_style_sheet_location.str", 0}}) {
    EXPECT_EQ(sim_browser_settings_number(browser, key), value) << key;
  }
  EXPECT_EQ(browser_settings_text(browser, "default_encoding"), u"GBK");
  for (const auto& [key, value] : {std::pair<const char*, int64_t>{"created_by", SIM_CREATED_SYNC}, {"window_info", 1},
                                   {"window_info.ExStyle", 0x10000}, {"window_info.Style", 0x56010000},
                                   {"window_info.x", -3}, {"window_info.y", 4}, {"window_info.Width", 500},
                                   {"window_info.Height", 60}, {"window_info.WndParent", 0x5678}, {"window_info.Menu", 9},
                                   {"window_info.m_bWindowRenderingDisabled", 1},
                                   {"window_info.m_bTransparentPainting", 1}, {"window_info.windowName.length", 3}}) {
    EXPECT_EQ(sim_recorded_number(browser, key), value) << key;
  }
  EXPECT_EQ(recorded_text(browser, "window_info.windowName"), name);
  EXPECT_EQ(recorded_text(browser, "start_url"), u"http://start.test/");
  EXPECT_EQ(browser->get_window_handle(browser), nullptr);

  // Settings nobody gave, and fields no settings have, are the test's mistakes.
  TSimBrowserSetup setup{};
  TCefBrowser* of_test = sim_create_browser(&setup);
  EXPECT_EQ(sim_recorded_number(of_test, "created_by"), SIM_CREATED_BY_TEST);
  EXPECT_EQ(sim_browser_settings_number(of_test, "size"), -1);
  EXPECT_EQ(sim_browser_settings_number(browser, "no_such_field"), -1);
  release(of_test);
  release(browser);
  expect_errors_then_forget(2);
}

}  // namespace
}  // namespace larkwell::enginesim::test
