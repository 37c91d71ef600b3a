// Browsers made through the engine's create calls: what the engine keeps of the call, and the
// work it does for them in its message-loop steps.
#include <vector>

#include "engine_work.h"

namespace larkwell::enginesim::test {
namespace {

using namespace fire_args;
using Slots = std::vector<std::string>;

const Slots kLoadCalls = {"load_handler.on_load_start", "display_handler.on_address_change",
                          "display_handler.on_title_change", "load_handler.on_load_end"};

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
  TCefBrowser* browser = create(client, u"about:start", &info, &settings);
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
  EXPECT_EQ(recorded_text(browser, "start_url"), u"about:start");
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

TEST_F(EngineWork, TheClientHearsOfTheBrowserAndOfEachLoadInTheNextStepInOrder) {
  ProgramClient client;
  TCefBrowser* browser = create(client, u"about:start");
  EXPECT_TRUE(client.calls.empty()) << "nothing inside the create call";
  step();
  Slots expected = {"life_span_handler.on_after_created"};
  expected.insert(expected.end(), kLoadCalls.begin(), kLoadCalls.end());
  ASSERT_EQ(client.slots(), expected);
  TCefFrame* frame = main_frame(browser);
  for (const ProgramClient::Call& call : client.calls) {
    EXPECT_EQ(call.browser, browser) << call.slot;
    EXPECT_EQ(call.step, 1) << call.slot;
    if (call.frame == nullptr) continue;  // the title change
    EXPECT_EQ(call.frame, frame) << call.slot;
    EXPECT_EQ(call.frame_url, u"about:start") << call.slot;
  }
  EXPECT_EQ(client.calls[2].text, u"about:start");
  EXPECT_EQ(client.calls[3].text, u"about:start") << "the title is the URL";
  EXPECT_EQ(client.calls[4].number, 200);

  // An empty URL is a load too; a child frame's load changes no title.
  client.calls.clear();
  load(frame, u"");
  TCefFrame* child = sim_browser_add_frame(browser, nullptr, "side");
  load(child, u"about:side");
  EXPECT_TRUE(client.calls.empty()) << "nothing inside load_url";
  step();
  expected = kLoadCalls;
  expected.insert(expected.end(), {"load_handler.on_load_start", "display_handler.on_address_change",
                                   "load_handler.on_load_end"});
  ASSERT_EQ(client.slots(), expected);
  EXPECT_EQ(client.calls[1].text, u"");
  EXPECT_EQ(client.calls[1].frame_url, u"");
  EXPECT_EQ(client.calls[5].frame, child);
  EXPECT_EQ(sim_recorded_number(frame, "load_url"), 2);
  release(child);
  release(frame);
  release(browser);
  EXPECT_TRUE(client.released());
}

TEST_F(EngineWork, EveryNotificationAsksForItsHandlerAndLetsItGoAfterTheCall) {
  ProgramClient client;
  client.gives_display = false;
  TCefBrowser* browser = create(client, u"about:a");
  int held_during_calls = 0;
  client.during_call = [&](const ProgramClient::Call&) { held_during_calls = sim_ledger_held_program_refs(); };
  step();
  EXPECT_EQ(client.slots(), (Slots{"life_span_handler.on_after_created", "load_handler.on_load_start",
                                   "load_handler.on_load_end"}))
      << "a client without a display handler hears nothing of the address and title";
  EXPECT_EQ(client.asked("load"), 2);
  EXPECT_EQ(client.asked("display"), 2);
  EXPECT_EQ(held_during_calls, 2) << "the browser's hold on the client, and the handler being called";
  EXPECT_EQ(sim_ledger_held_program_refs(), 1);
  release(browser);
  EXPECT_TRUE(client.released());
}

TEST_F(EngineWork, QueuedWorkKeepsNoBrowserAliveButOneCreatedInTheBackgroundLivesThroughItsStep) {
  ProgramClient client;
  release(create(client, u"about:a"));
  EXPECT_EQ(sim_ledger_live_objects(), 0);
  step();
  EXPECT_TRUE(client.calls.empty()) << "work for a browser that is gone is dropped";

  TCefWindowInfo info{};
  const std::u16string url = u"about:start";
  const TCefString url_view = view(url);
  EXPECT_EQ(cef_browser_create(&info, client.give(), &url_view, nullptr), 1);
  EXPECT_EQ(sim_ledger_live_objects(), 2) << "the browser and its main frame";
  step();
  EXPECT_EQ(client.calls.size(), 5u) << "announced, and its start URL loaded";
  EXPECT_EQ(sim_ledger_live_objects(), 0) << "the program kept no reference";
  EXPECT_EQ(process_counts().browsers_created, 2);
  EXPECT_TRUE(client.released());
}

TEST_F(EngineWork, AQueuedFiringRunsInTheNextStepAndTheEngineHoldsItsObjectsUntilThen) {
  ProgramClient client;
  TCefBrowser* browser = create(client);
  TCefFrame* frame = main_frame(browser);
  const TSimArg end[] = {Obj(browser), Obj(frame), Int(404)};
  EXPECT_EQ(sim_post_fire(client.load_handler(), "load_handler.on_load_end", end, 3), 1);  // no getter asked
  release(frame);
  release(browser);
  EXPECT_EQ(sim_ledger_live_objects(), 2) << "the engine holds the browser and frame for the firing";
  // Through the client of the browser the engine still holds.
  const TSimArg title[] = {Obj(browser), Text(u"queued title")};
  EXPECT_EQ(sim_post_fire(browser, "display_handler.on_title_change", title, 2), 1);
  // Refused: an unknown member, a null target, a member no client gives.
  EXPECT_EQ(sim_post_fire(browser, "load_handler.no_such_member", end, 0), 0);
  EXPECT_EQ(sim_post_fire(nullptr, "load_handler.on_load_end", end, 3), 0);
  EXPECT_EQ(sim_post_fire(browser, "download_handler.complete", end, 0), 0);
  EXPECT_EQ(sim_ledger_errors(), 3);
  EXPECT_TRUE(client.calls.empty());

  step();
  ASSERT_EQ(client.slots(), (Slots{"life_span_handler.on_after_created", "load_handler.on_load_end",
                                   "display_handler.on_title_change"}))
      << "the browser's announcement was queued first";
  EXPECT_EQ(client.calls[1].number, 404);
  EXPECT_EQ(client.calls[1].frame, frame);
  EXPECT_EQ(client.calls[2].text, u"queued title");
  EXPECT_EQ(client.calls[2].browser, browser);
  EXPECT_EQ(client.asked("load"), 0);
  EXPECT_EQ(client.asked("display"), 1);
  EXPECT_EQ(sim_ledger_live_objects(), 0);
  EXPECT_TRUE(client.released());
  expect_errors_then_forget(3);
}

TEST_F(EngineWork, AStepCalledFromInsideAStepIsCountedAndRunsWhatWasQueuedSince) {
  ProgramClient client;
  TCefBrowser* browser = create(client);
  client.during_call = [&](const ProgramClient::Call& call) {
    if (call.slot != "life_span_handler.on_after_created") return;
    TCefFrame* frame = main_frame(browser);
    load(frame, u"about:inner");
    release(frame);
    step();
  };
  step();
  ASSERT_EQ(client.calls.size(), 5u);
  EXPECT_EQ(client.calls[1].step, 2) << "the load queued inside the first step ran in the nested one";
  step();
  const TSimProcessCounts counts = process_counts();
  EXPECT_EQ(counts.message_loop_work, 3);
  EXPECT_EQ(counts.message_loop_reentries, 1);
  EXPECT_EQ(counts.message_loop_max_depth, 2);
  release(browser);
}

TEST_F(EngineWork, TheTitleChangeCarriesThePagesTitleAndHistoryShowsEachPageAgain) {
  ProgramClient client;
  TCefBrowser* browser = create(client);
  TCefFrame* frame = main_frame(browser);
  const std::u16string first = u"<html><head><title> 演示 &amp; 应用 </title></head><body><p>一</p></body></html>";
  const std::u16string url = u"http://demo.test/";
  const TCefString first_view = view(first), url_view = view(url);
  frame->load_string(frame, &first_view, &url_view);
  const std::u16string second = u"<p>no title</p>";
  const TCefString second_view = view(second);
  const std::u16string about = u"http://demo.test/page/about";
  const TCefString about_view = view(about);
  frame->load_string(frame, &second_view, &about_view);
  step();
  auto titles = [&client] {
    std::vector<std::u16string> seen;
    for (const ProgramClient::Call& call : client.calls) {
      if (call.slot == "display_handler.on_title_change") seen.push_back(call.text);
    }
    client.calls.clear();
    return seen;
  };
  EXPECT_EQ(titles(), (std::vector<std::u16string>{u"演示 & 应用", about})) << "without a <title>, the URL";

  // Back, forward and reload each show their entry again, announced as a load.
  browser->go_back(browser);
  step();
  EXPECT_EQ(titles(), std::vector<std::u16string>{u"演示 & 应用"});
  PCefStringUserFree source = frame->get_source(frame);
  EXPECT_EQ(text_of(source), first) << "the entry's source is the frame's again";
  cef_string_userfree_utf16_free(source);
  browser->go_back(browser);  // there is nothing further back
  browser->go_forward(browser);
  browser->reload(browser);
  step();
  EXPECT_EQ(titles(), (std::vector<std::u16string>{about, about}));
  EXPECT_EQ(sim_recorded_number(browser, "reload"), 1);
  release(frame);
  release(browser);
}

}  // namespace
}  // namespace larkwell::enginesim::test
