// The closure adapters, called by the engine through the structures of their base classes.
#include <functional>
#include <memory>
#include <stdexcept>

#include "engine/closures.h"
#include "tests/engine/handlers/handler_test.h"

namespace larkwell::handler_test {
namespace {

TEST_F(HandlerTest, EmptyHooksThroughTheApplicationChangeNothingAndAnswerFalse) {
  o.app->proxy = New<TCefFastProxyHandler>(nullptr);
  o.app->bundle = New<TCefFastResourceBundle>(nullptr, nullptr);

  Fired proxy(o.app->Data(), "app.get_proxy_handler", {});
  ASSERT_NE(proxy.answer_object(), nullptr);
  EXPECT_EQ(proxy.answer_refct(), 2);  // the application's and the engine's
  o.proxy_info.proxyType = 3;
  Fired asked(proxy.answer_object(), "proxy_handler.get_proxy_for_url", {Text(u"http://x/"), Ptr(&o.proxy_info)});
  EXPECT_EQ(o.proxy_info.proxyType, 3);
  EXPECT_EQ(o.proxy_info.proxyList.length, 0u);

  Fired bundle(o.app->Data(), "app.get_resource_bundle_handler", {});
  ASSERT_NE(bundle.answer_object(), nullptr);
  Fired text(bundle.answer_object(), "resource_bundle_handler.get_localized_string", {Int(5), String(u"engine")});
  EXPECT_EQ(text.answer(), 0);
  EXPECT_TRUE(text.untouched(1));
  o.resource_data = o.buffer;
  o.resource_size = 7;
  Fired data(bundle.answer_object(), "resource_bundle_handler.get_data_resource",
             {Int(5), Ptr(&o.resource_data), Ptr(&o.resource_size)});
  EXPECT_EQ(data.answer(), 0);
  EXPECT_EQ(o.resource_data, o.buffer);
  EXPECT_EQ(o.resource_size, 7u);
}

TEST_F(HandlerTest, HooksAnswerTheEngineThroughTheAdapters) {
  IPtr<ICefResourceBundleHandler> bundle = New<TCefFastResourceBundle>(
      [&](int id, void*& data, size_t& size) {
        data = o.buffer;
        size = static_cast<size_t>(id);
        return true;
      },
      [](int, ustring& text) {
        text = u"abc";
        return true;
      });
  Fired text(StructureOf(bundle), "resource_bundle_handler.get_localized_string", {Int(5), String(u"engine")});
  EXPECT_EQ(text.answer(), 1);
  EXPECT_EQ(text.text(1), u"abc");
  EXPECT_TRUE(text.owned(1));
  Fired data(StructureOf(bundle), "resource_bundle_handler.get_data_resource",
             {Int(64), Ptr(&o.resource_data), Ptr(&o.resource_size)});
  EXPECT_EQ(data.answer(), 1);
  EXPECT_EQ(o.resource_data, o.buffer);
  EXPECT_EQ(o.resource_size, 64u);

  IPtr<ICefProxyHandler> proxy = New<TCefFastProxyHandler>([](const ustring& url, TCefProxyType& type, ustring& list) {
    type = 2;
    list = u"proxy for " + url;
  });
  Fired asked(StructureOf(proxy), "proxy_handler.get_proxy_for_url", {Text(u"a"), Ptr(&o.proxy_info)});
  EXPECT_EQ(o.proxy_info.proxyType, 2);
  EXPECT_EQ(CefStringToNative(&o.proxy_info.proxyList), u"proxy for a");
  ::cef_string_utf16_clear(&o.proxy_info.proxyList);
}

TEST_F(HandlerTest, AnAccessorWithAGetterOnlyRefusesEverySet) {
  EngineRef object{::cef_v8value_create_int(1)};
  EngineRef value{::cef_v8value_create_int(2)};
  IPtr<ICefv8Value> answer;
  ustring asked;
  IPtr<ICefV8Accessor> accessor = New<TCefFastV8Accessor>(
      [&](const ustring& name, const IPtr<ICefv8Value>&, IPtr<ICefv8Value>& retval, const ustring&) {
        asked = name;
        retval = answer;
        return static_cast<bool>(answer);
      },
      nullptr);
  TCefBase* structure = StructureOf(accessor);
  Fired set(structure, "v8accessor.set", {Text(u"x"), Obj(object), Obj(value), String(u"engine exception")});
  EXPECT_EQ(set.answer(), 0);
  EXPECT_TRUE(set.untouched(3));

  Fired empty(structure, "v8accessor.get", {Text(u"x"), Obj(object), ObjOut(nullptr), String(u"")});
  EXPECT_EQ(empty.answer(), 0);
  EXPECT_EQ(empty.object(2), nullptr);  // no value for the engine

  answer = WrapperOf<ICefv8Value>(value);
  Fired got(structure, "v8accessor.get", {Text(u"y"), Obj(object), ObjOut(nullptr), String(u"")});
  EXPECT_EQ(asked, u"y");
  EXPECT_EQ(got.answer(), 1);
  EXPECT_EQ(got.object(2), value.base());
  EXPECT_EQ(got.refct(2), 3);  // the test's, the closure's answer and the engine's
  answer.Reset();
}

TEST_F(HandlerTest, AClosuresCapturedValueLivesExactlyAsLongAsItsAdapter) {
  using Maker = std::function<IPtr<ICefBase>(std::shared_ptr<int>)>;
  const Maker makers[] = {
      [](auto v) { return IPtr<ICefBase>(New<TCefFastDomVisitor>([v](const IPtr<ICefDomDocument>&) {})); },
      [](auto v) { return IPtr<ICefBase>(New<TCefFastDomEventListener>([v](const IPtr<ICefDomEvent>&) {})); },
      [](auto v) {
        return IPtr<ICefBase>(New<TCefFastV8Accessor>(nullptr, [v](const ustring&, const IPtr<ICefv8Value>&,
                                                                   const IPtr<ICefv8Value>&, const ustring&) {
          return true;
        }));
      },
      [](auto v) {
        return IPtr<ICefBase>(New<TCefFastProxyHandler>([v](const ustring&, TCefProxyType&, ustring&) {}));
      },
      [](auto v) {
        return IPtr<ICefBase>(New<TCefFastResourceBundle>(nullptr, [v](int, ustring&) { return false; }));
      },
  };
  for (const Maker& make : makers) {
    auto captured = std::make_shared<int>(7);
    const std::weak_ptr<int> watch = captured;
    IPtr<ICefBase> adapter = make(std::move(captured));
    TCefBase* structure = CefWrap(adapter);
    sim_adopt_ref(structure);  // the engine holds the adapter; the program lets go
    adapter.Reset();
    EXPECT_FALSE(watch.expired());
    sim_release(structure);
    EXPECT_TRUE(watch.expired());
  }
}

TEST_F(HandlerTest, AVisitorsClosureRunsOncePerVisit) {
  IPtr<ICefFrame> frame = WrapperOf<ICefFrame>(o.frame);
  sim_add_ref(o.document.base());
  sim_frame_set_document(o.frame, o.document);
  int visits = 0;
  IPtr<ICefDomVisitor> visitor = New<TCefFastDomVisitor>([&](const IPtr<ICefDomDocument>& document) {
    ++visits;
    EXPECT_EQ(document->GetBaseUrl(), u"http://page/");
  });
  frame->VisitDom(visitor);
  frame->VisitDom(visitor);
  EXPECT_EQ(visits, 2);
  sim_frame_set_document(o.frame, nullptr);
}

TEST_F(HandlerTest, AThrowingClosureIsStoppedAtTheAdaptersEntry) {
  IPtr<ICefResourceBundleHandler> bundle = New<TCefFastResourceBundle>(
      nullptr, [](int, ustring&) -> bool { throw std::runtime_error("no such message"); });
  Fired text(StructureOf(bundle), "resource_bundle_handler.get_localized_string", {Int(5), String(u"engine")});
  EXPECT_EQ(text.answer(), 0);
  EXPECT_TRUE(text.untouched(1));
  EXPECT_EQ(CefLastReportedErrorMessage(), u"no such message");
}

}  // namespace
}  // namespace larkwell::handler_test
