// The three creators that take closures instead of program classes: a frame's VisitDomProc, a
// node's AddEventListenerProc and CreateObjectWithAccessorProc.
#include "enginesim/control_web.h"
#include "tests/engine/script/script_test.h"

namespace larkwell::script_test {
namespace {

using ClosureCreatorTest = ScriptTest;

int32_t ProgramReferences(const IValue& value) {
  value->AddRef();
  return value->Release();
}

TEST_F(ClosureCreatorTest, VisitDomProcCallsTheClosureOncePerVisitAndKeepsNothingAfterwards) {
  const TSimBrowserSetup setup{};
  const IPtr<ICefBrowser> browser = TCefBrowserRef::UnWrap(sim_create_browser(&setup));
  const IPtr<ICefFrame> frame = browser->GetMainFrame();
  sim_frame_set_document(Borrowed<TCefFrame>(frame), sim_create_document(kPage, kPageUrl));

  const IValue captured = TCefv8ValueRef::CreateInt(1);  // something the closure keeps alive
  int visits = 0;
  ustring title;
  const TCefFastDomVisitorProc proc = [&visits, &title, captured](const IPtr<ICefDomDocument>& document) {
    ++visits;
    title = document->GetTitle();
  };
  frame->VisitDomProc(proc);
  frame->VisitDomProc(proc);
  EXPECT_EQ(visits, 2);
  EXPECT_EQ(title, u"T");
  // Each visit's adapter went with the engine's last reference, and its copy of the closure
  // with it: only the caller's closure still holds the captured value.
  EXPECT_EQ(ProgramReferences(captured), 2);
}

TEST_F(ClosureCreatorTest, AddEventListenerProcRegistersAListenerThatCallsTheClosure) {
  const IPtr<ICefDomDocument> document = LoadPage();
  const IPtr<ICefDomNode> paragraph = document->GetElementById(u"x");
  std::vector<ustring> seen;
  paragraph->AddEventListenerProc(u"click", false, [&seen](const IPtr<ICefDomEvent>& event) {
    seen.push_back(event->GetType() + u"@" + event->GetCurrentTarget()->GetElementAttribute(u"id"));
  });
  char type[16] = {};
  int32_t has_listener = 0, use_capture = -1;
  EXPECT_EQ(sim_dom_last_listener(Borrowed<TCefDomNode>(paragraph), type, sizeof type, &has_listener, &use_capture), 1);
  EXPECT_STREQ(type, "click");
  EXPECT_EQ(has_listener, 1);
  EXPECT_EQ(use_capture, 0);

  EXPECT_EQ(sim_dom_dispatch_event(Borrowed<TCefDomNode>(paragraph), "click", 0, 1, 1), 1);
  EXPECT_EQ(sim_dom_dispatch_event(Borrowed<TCefDomNode>(document->GetElementById(u"b")), "click", 0, 1, 1), 0);
  EXPECT_EQ(seen, (std::vector<ustring>{u"click@x"}));
}

TEST_F(ClosureCreatorTest, ObjectWithAGetterClosureServesReadsAndRefusesWrites) {
  int reads = 0;
  const IValue object = TCefv8ValueRef::CreateObjectWithAccessorProc(
      nullptr,
      [&reads](const ustring& name, const IValue&, IValue& retval, const ustring&) {
        ++reads;
        if (name != u"width") return false;
        retval = TCefv8ValueRef::CreateInt(640);
        return true;
      },
      nullptr);
  ASSERT_TRUE(object);
  ASSERT_TRUE(object->SetValueByAccessor(u"width", 0, SIM_V8_PROPERTY_NONE));
  const IValue width = object->GetValueByKey(u"width");
  ASSERT_TRUE(width);
  EXPECT_EQ(width->GetIntValue(), 640);
  EXPECT_EQ(reads, 1);

  EXPECT_FALSE(object->SetValueByKey(u"width", TCefv8ValueRef::CreateInt(1), SIM_V8_PROPERTY_NONE));
  const TSimV8AccessorCall call = LastAccessorCall();
  EXPECT_EQ(call.is_set, 1);
  EXPECT_EQ(call.answer, 0);  // no setter closure: the adapter answers as its base would
}

}  // namespace
}  // namespace larkwell::script_test
