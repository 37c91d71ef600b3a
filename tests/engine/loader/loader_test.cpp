// Loading and initialising the engine, browser creation, message-loop work, unloading and the
// binding's finalisation, against the stand-in engine.
#include "tests/engine/loader/loader_test.h"

#include <memory>
#include <string>
#include <thread>

#if defined(_WIN32)
#include <windows.h>
#endif

#include "core/exceptions.h"
#include "os/last_error.h"

namespace larkwell::testing {

std::optional<TStrings> LoaderTest::PluginPathsReceived() {
  const int64_t count = Setting("extra_plugin_paths");
  if (count < 0) return std::nullopt;
  TStrings items;
  for (int64_t i = 0; i < count; ++i) items.push_back(SettingText(("extra_plugin_paths." + std::to_string(i)).c_str()));
  return items;
}

namespace {

// The text settings besides the cache path, with the configuration value that feeds each.
struct TextSetting {
  ustring* value;
  const char* field;
};
const TextSetting kOtherTextSettings[] = {
    {&CefUserAgent, "user_agent"},         {&CefProductVersion, "product_version"},
    {&CefLocale, "locale"},                {&CefLogFile, "log_file"},
    {&CefJavaScriptFlags, "javascript_flags"}, {&CefResourcesDirPath, "resources_dir_path"},
    {&CefLocalesDirPath, "locales_dir_path"},
};

// The number settings: the field, its default, and a value set through its configuration value.
struct NumberSetting {
  const char* field;
  int64_t byDefault;
  void (*change)();
  int64_t changed;
};
const NumberSetting kNumberSettings[] = {
    {"log_severity", 99, [] { CefLogSeverity = 2; }, 2},
    {"graphics_implementation", 0, [] { CefGraphicsImplementation = 3; }, 3},
    {"local_storage_quota", 0, [] { CefLocalStorageQuota = 4000000000u; }, 4000000000},
    {"session_storage_quota", 0, [] { CefSessionStorageQuota = 5000; }, 5000},
    {"auto_detect_proxy_settings_enabled", 0, [] { CefAutoDetectProxySettings = true; }, 1},
    {"pack_loading_disabled", 0, [] { CefPackLoadingDisabled = true; }, 1},
};

std::string Key(const char* field, const char* part) { return std::string(field) + "." + part; }

void CEF_EXPORT_CALL CountRun(void* counter) { ++*static_cast<int*>(counter); }

ustring ProxyListFor(const char16_t* url, int32_t& proxyType) {
  char16_t buffer[64] = {};
  const int length = sim_app_proxy_for_url(url, &proxyType, buffer, 64);
  return length < 0 ? u"(no proxy handler)" : ustring(buffer);
}

// The engine's answer for a localized text: the text, or why there is none.
ustring LocalizedString(int messageId) {
  char16_t buffer[64] = {};
  const int length = sim_app_localized_string(messageId, buffer, 64);
  if (length == -1) return u"(no resource bundle handler)";
  return length == -2 ? u"(false)" : ustring(buffer);
}

TEST_F(LoaderTest, BeforeLoadingMessageLoopWorkAndUnloadDoNothing) {
  int runs = 0;
  sim_post_work(&CountRun, &runs);
  CefDoMessageLoopWork();
  CefUnloadLibrary();
  EXPECT_EQ(Counts().message_loop_work, 0);
  EXPECT_EQ(Counts().shutdown, 0);
  EXPECT_EQ(runs, 0);
  EXPECT_EQ(CefLibraryHandle, nullptr);
}

TEST_F(LoaderTest, TheEngineReceivesTheApplicationsSettings) {
  CefCachePath = u"cache";  // the one value the application sets
  CefEnsureLoaded();
  ASSERT_NE(CefLibraryHandle, nullptr);
  ASSERT_EQ(Counts().initialize, 1);

  EXPECT_EQ(Setting("size"), static_cast<int64_t>(sizeof(TCefSettings)));
#if defined(_WIN32) && !defined(_WIN64)
  EXPECT_EQ(Setting("size"), 132);  // the product's 32-bit layout
#endif
  EXPECT_EQ(Setting("multi_threaded_message_loop"), 0);
  EXPECT_EQ(SettingText("cache_path"), u"cache");
  EXPECT_EQ(Setting("cache_path.dtor"), 0) << "the settings lend their texts";
  for (const TextSetting& setting : kOtherTextSettings) {
    SCOPED_TRACE(setting.field);
    EXPECT_EQ(Setting(Key(setting.field, "length").c_str()), 0);
    EXPECT_EQ(Setting(Key(setting.field, "str").c_str()), 1) << "an empty view still points at a text";
    EXPECT_EQ(Setting(Key(setting.field, "dtor").c_str()), 0);
  }
  for (const NumberSetting& setting : kNumberSettings) EXPECT_EQ(Setting(setting.field), setting.byDefault) << setting.field;
  EXPECT_EQ(PluginPathsReceived(), std::nullopt);
}

TEST_F(LoaderTest, EachConfigurationValueReachesItsOwnField) {
  for (const TextSetting& setting : kOtherTextSettings) *setting.value = u"value of " + Utf8ToUstring(setting.field);
  for (const NumberSetting& setting : kNumberSettings) setting.change();
  CefEnsureLoaded();

  for (const TextSetting& setting : kOtherTextSettings) {
    EXPECT_EQ(SettingText(setting.field), u"value of " + Utf8ToUstring(setting.field));
  }
  EXPECT_EQ(Setting("cache_path.length"), 0);
  EXPECT_EQ(Setting("cache_path.str"), 1) << "an empty cache path still points at a text";
  for (const NumberSetting& setting : kNumberSettings) EXPECT_EQ(Setting(setting.field), setting.changed) << setting.field;
  EXPECT_EQ(Setting("multi_threaded_message_loop"), 0);
}

TEST_F(LoaderTest, ExtraPluginPathsReachTheEngineAsAListFreedRightAfter) {
  const struct {
    ustring text;
    std::optional<TStrings> items;
  } kCases[] = {
      {u"a;b", TStrings{u"a", u"b"}},
      {u"a b", TStrings{u"a", u"b"}},
      {u"\"a b\"", TStrings{u"a b"}},
      {u"a;", TStrings{u"a", u""}},
      {u"", std::nullopt},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(UstringToUtf8(c.text));
    Restart();
    CefExtraPluginPaths = c.text;
    CefEnsureLoaded();
    EXPECT_EQ(PluginPathsReceived(), c.items);
    EXPECT_EQ(sim_string_live_allocations(), 0) << "the list outlived cef_initialize";
  }
}

TEST_F(LoaderTest, TheApplicationObjectBelongsToTheEngineAndWithoutHooksChangesNothing) {
  CefEnsureLoaded();
  TCefApp* application = sim_process_application();
  ASSERT_NE(application, nullptr);
  EXPECT_EQ(sim_get_refct(&application->base), 1) << "the binding keeps no reference";
  EXPECT_EQ(CefBridgeLiveObjects(), 3) << "the application object and its two handlers";

  int32_t proxyType = 2;
  EXPECT_EQ(ProxyListFor(u"http://host.test/", proxyType), u"");
  EXPECT_EQ(proxyType, 2);
  EXPECT_EQ(LocalizedString(7), u"(false)");
  void* data = nullptr;
  size_t size = 0;
  EXPECT_EQ(sim_app_data_resource(3, &data, &size), 0);

  CefUnloadLibrary();
  EXPECT_EQ(CefBridgeLiveObjects(), 0) << "releasing the application object releases its handlers";
}

TEST_F(LoaderTest, HooksAreCapturedWhenTheEngineIsInitialised) {
  static const char kData[] = "bytes";
  auto captured = std::make_shared<int>(0);
  CefGetProxyForUrl = [captured](const ustring& url, TCefProxyType& proxyType, ustring& proxyList) {
    proxyType = 1;
    proxyList = u"proxy for " + url;
  };
  CefGetDataResource = [captured](int, void*& data, size_t& dataSize) {
    data = const_cast<char*>(kData);
    dataSize = sizeof kData;
    return true;
  };
  CefGetLocalizedString = [captured](int messageId, ustring& stringVal) {
    stringVal = u"abc";
    return messageId == 7;
  };
  CefEnsureLoaded();
  CefGetProxyForUrl = nullptr;  // reaches nobody now
  CefGetDataResource = nullptr;
  CefGetLocalizedString = nullptr;

  int32_t proxyType = 0;
  EXPECT_EQ(ProxyListFor(u"http://host.test/", proxyType), u"proxy for http://host.test/");
  EXPECT_EQ(proxyType, 1);
  EXPECT_EQ(LocalizedString(7), u"abc");
  EXPECT_EQ(LocalizedString(8), u"(false)");
  void* data = nullptr;
  size_t size = 0;
  EXPECT_EQ(sim_app_data_resource(3, &data, &size), 1);
  EXPECT_EQ(data, kData);
  EXPECT_EQ(size, sizeof kData);
  EXPECT_EQ(captured.use_count(), 4) << "the application object keeps the three closures";
  CefUnloadLibrary();
  EXPECT_EQ(captured.use_count(), 1) << "released with the application object";
}

TEST_F(LoaderTest, AConfigurationChangeAfterLoadingHasNoEffect) {
  CefCachePath = u"cache";
  CefEnsureLoaded();
  CefCachePath = u"elsewhere";
  CefLogSeverity = 1;
  CefExtraPluginPaths = u"x;y";
  CefLibraryName = kMissingLibrary;
  CefEnsureLoaded();
  auto client = New<TCefClientOwn>();
  EXPECT_TRUE(CreateBrowser(client, u""));

  EXPECT_EQ(Counts().initialize, 1);
  EXPECT_EQ(SettingText("cache_path"), u"cache");
  EXPECT_EQ(Setting("log_severity"), 99);
  EXPECT_EQ(PluginPathsReceived(), std::nullopt);
}

TEST_F(LoaderTest, BrowserCreationLoadsTheEngineAndHandsTheClientOver) {
  for (const ustring url : {u"about:start", u""}) {
    SCOPED_TRACE(UstringToUtf8(url));
    Restart();
    auto client = New<TCefClientOwn>();
    IPtr<ICefBrowser> browser = CreateBrowser(client, url);
    ASSERT_TRUE(browser);
    EXPECT_EQ(Counts().initialize, 1);
    EXPECT_EQ(Counts().browsers_created, 1);
    EXPECT_EQ(browser->GetMainFrame()->GetUrl(), url);
    EXPECT_EQ(client->RefCount(), 2) << "the browser holds the client";
    browser.Reset();
    EXPECT_EQ(client->RefCount(), 1);
  }
}

TEST_F(LoaderTest, WorkStepsRunWhileLoadedAndUnloadingShutsDownExactlyOnce) {
  CefEnsureLoaded();
  int runs = 0;
  sim_post_work(&CountRun, &runs);
  CefDoMessageLoopWork();
  EXPECT_EQ(runs, 1);
  CefUnloadLibrary();
  EXPECT_EQ(CefLibraryHandle, nullptr);
  EXPECT_EQ(Counts().shutdown, 1);
  EXPECT_EQ(Counts().ledger_clean_at_shutdown, 1) << enginesim::ledger_report();

  CefUnloadLibrary();
  CefDoMessageLoopWork();
  EXPECT_EQ(Counts().shutdown, 1);
  EXPECT_EQ(Counts().message_loop_work, 1);
  EXPECT_NE(cef_shutdown, nullptr) << "the entry points keep their values";
}

TEST_F(LoaderTest, FinalisationUnloadsThenEmptiesTheConfiguration) {
  ustring* const kStrings[] = {&CefLibraryName, &CefCachePath,        &CefUserAgent,        &CefProductVersion,
                               &CefLocale,      &CefLogFile,          &CefExtraPluginPaths, &CefJavaScriptFlags,
                               &CefResourcesDirPath, &CefLocalesDirPath};
  for (ustring* value : kStrings) {
    if (value != &CefLibraryName) *value = u"set";
  }
  auto captured = std::make_shared<int>(0);
  CefGetProxyForUrl = [captured](const ustring&, TCefProxyType&, ustring&) {};
  CefGetDataResource = [captured](int, void*&, size_t&) { return false; };
  CefGetLocalizedString = [captured](int, ustring&) { return false; };
  CefEnsureLoaded();

  CefFinalizeBinding();
  EXPECT_EQ(Counts().shutdown, 1);
  EXPECT_EQ(CefLibraryHandle, nullptr);
  for (ustring* value : kStrings) EXPECT_EQ(*value, u"");
  EXPECT_FALSE(CefGetProxyForUrl);
  EXPECT_FALSE(CefGetDataResource);
  EXPECT_FALSE(CefGetLocalizedString);
  EXPECT_EQ(captured.use_count(), 1);
}

TEST_F(LoaderTest, ALibraryThatCannotBeFoundRaisesTheSystemErrorAndIsTriedAgain) {
  CefLibraryName = kMissingLibrary;
  auto client = New<TCefClientOwn>();
  try {
    CreateBrowser(client, u"");
    ADD_FAILURE() << "no error";
  } catch (const EOSError& error) {
#if defined(_WIN32)
    EXPECT_EQ(error.ErrorCode(), 126u);  // ERROR_MOD_NOT_FOUND
#endif
    ASSERT_NE(error.ErrorCode(), 0u);
    const ustring systemText = os::SystemErrorText(error.ErrorCode());
    EXPECT_NE(systemText, u"");
    EXPECT_EQ(error.Message(), u"System Error.  Code: " + Utf8ToUstring(std::to_string(error.ErrorCode())) + u"." +
                                   kLineBreak + systemText);
  }
  EXPECT_EQ(CefLibraryHandle, nullptr);
  EXPECT_EQ(client->RefCount(), 1) << "the reference meant for the engine was not released";
  EXPECT_EQ(Counts().initialize, 0);

  CefLibraryName = kCefDefaultLibraryName;
  EXPECT_TRUE(CreateBrowser(client, u""));
  EXPECT_EQ(Counts().initialize, 1);
}

TEST(LastOSErrorTest, CodeZeroSaysOnlyThatACallFailed) {
  ustring message;
  // A thread of its own: nothing has set its last-error code.
  std::thread([&] {
#if defined(_WIN32)
    ::SetLastError(0);
#endif
    message = os::LastOSError().Message();
  }).join();
  EXPECT_EQ(message, u"A call to an OS function failed");
}

}  // namespace
}  // namespace larkwell::testing
