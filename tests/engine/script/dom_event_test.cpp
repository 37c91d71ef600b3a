// DOM events and visits: listeners registered through AddEventListener receive the events the
// engine dispatches (TCefDomEventListenerOwn, TCefDomEventRef); visitors get a frame's document.
#include <cstring>
#include <string>
#include <vector>

#include "enginesim/control_web.h"
#include "tests/engine/script/script_test.h"

namespace larkwell::script_test {
namespace {

using EventTest = ScriptTest;

// What a listener read from one event.
struct Seen {
  ustring type;
  TCefDomEventCategory category;
  TCefDomEventPhase phase;
  bool bubbles, cancels;
  ustring title, target, current_target;  // the id of each node
};

class TRecordingListener : public TCefDomEventListenerOwn {
 public:
  void HandleEvent(const IPtr<ICefDomEvent>& event) override {
    seen.push_back(Seen{event->GetType(), event->GetCategory(), event->GetPhase(), event->CanBubble(),
                        event->CanCancel(), event->GetDocument()->GetTitle(),
                        event->GetTarget()->GetElementAttribute(u"id"),
                        event->GetCurrentTarget()->GetElementAttribute(u"id")});
  }
  std::vector<Seen> seen;
};

// What the engine recorded of the last AddEventListener on `node`.
struct Registration {
  int count = 0;
  std::string type;
  int32_t has_listener = -1, use_capture = -1;
};
Registration LastRegistration(const IPtr<ICefDomNode>& node) {
  Registration last;
  char type[32] = {};
  last.count =
      sim_dom_last_listener(Borrowed<TCefDomNode>(node), type, sizeof type, &last.has_listener, &last.use_capture);
  last.type = type;
  return last;
}

int Dispatch(const IPtr<ICefDomNode>& target, const char* type, bool bubbles) {
  return sim_dom_dispatch_event(Borrowed<TCefDomNode>(target), type, 7, bubbles ? 1 : 0, 1);
}

TEST_F(EventTest, AddEventListenerHandsOverTypeCaptureFlagAndListenerOrNull) {
  const IPtr<ICefDomDocument> document = LoadPage();
  IPtr<TRecordingListener> listener = New<TRecordingListener>();
  const struct {
    const char* type;
    bool use_capture;
    IPtr<ICefDomEventListener> listener;
  } cases[] = {{"click", true, nullptr}, {"change", false, listener}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    const IPtr<ICefDomNode> node = document->GetElementById(u"x");
    node->AddEventListener(ustring(c.type, c.type + std::strlen(c.type)), c.use_capture, c.listener);
    const Registration last = LastRegistration(node);
    EXPECT_EQ(last.type, c.type);
    EXPECT_EQ(last.has_listener, c.listener ? 1 : 0);
    EXPECT_EQ(last.use_capture, c.use_capture ? 1 : 0);
  }
  EXPECT_EQ(LastRegistration(document->GetElementById(u"x")).count, 2);
  EXPECT_EQ(listener->RefCount(), 3) << "the test's, the table's and the engine's references";
  EXPECT_EQ(Dispatch(document->GetElementById(u"x"), "click", true), 0) << "a null listener is not called";
}

TEST_F(EventTest, ListenersReceiveTheEventInCaptureTargetAndBubblePhase) {
  const IPtr<ICefDomDocument> document =
      LoadPage("<html><body id=\"body\"><p id=\"p\"><b id=\"b\">x</b></p></body></html>");
  IPtr<TRecordingListener> listener = New<TRecordingListener>();
  document->GetElementById(u"body")->AddEventListener(u"click", true, listener);
  document->GetElementById(u"p")->AddEventListener(u"click", false, listener);
  document->GetElementById(u"b")->AddEventListener(u"click", false, listener);
  document->GetElementById(u"b")->AddEventListener(u"focus", false, listener);

  EXPECT_EQ(Dispatch(document->GetElementById(u"b"), "click", true), 3);
  ASSERT_EQ(listener->seen.size(), 3u);
  const struct {
    TCefDomEventPhase phase;
    ustring current_target;
  } expected[] = {{SIM_DOM_EVENT_PHASE_CAPTURING, u"body"},
                  {SIM_DOM_EVENT_PHASE_AT_TARGET, u"b"},
                  {SIM_DOM_EVENT_PHASE_BUBBLING, u"p"}};
  for (size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    const Seen& seen = listener->seen[i];
    EXPECT_EQ(seen.type, u"click");
    EXPECT_EQ(seen.category, 7);
    EXPECT_EQ(seen.phase, expected[i].phase);
    EXPECT_TRUE(seen.bubbles);
    EXPECT_TRUE(seen.cancels);
    EXPECT_EQ(seen.title, u"");
    EXPECT_EQ(seen.target, u"b");
    EXPECT_EQ(seen.current_target, expected[i].current_target);
  }

  listener->seen.clear();
  EXPECT_EQ(Dispatch(document->GetElementById(u"b"), "click", false), 2) << "no bubbling phase";
  ASSERT_EQ(listener->seen.size(), 2u);
  EXPECT_FALSE(listener->seen[0].bubbles);
}

// Counts its visits and reads the document while it may.
class TCountingVisitor : public TCefDomVisitorOwn {
 public:
  void Visit(const IPtr<ICefDomDocument>& document) override {
    ++visits;
    title = document->GetTitle();
  }
  int visits = 0;
  ustring title;
};

TEST_F(EventTest, AVisitorIsCalledOncePerVisitWithTheFramesDocument) {
  const TSimBrowserSetup setup{};
  const IPtr<ICefBrowser> browser = TCefBrowserRef::UnWrap(sim_create_browser(&setup));
  const IPtr<ICefFrame> frame = browser->GetMainFrame();
  sim_frame_set_document(Borrowed<TCefFrame>(frame), sim_create_document(kPage, kPageUrl));
  IPtr<TCountingVisitor> visitor = New<TCountingVisitor>();
  frame->VisitDom(visitor);
  EXPECT_EQ(visitor->visits, 1);
  frame->VisitDom(visitor);
  EXPECT_EQ(visitor->visits, 2);
  EXPECT_EQ(visitor->title, u"T");
  EXPECT_EQ(visitor->RefCount(), 1) << "the engine kept no reference after the visits";
}

}  // namespace
}  // namespace larkwell::script_test
