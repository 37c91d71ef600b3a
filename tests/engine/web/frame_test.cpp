// ICefFrame through TCefFrameRef, against the stand-in's frames.
#include <string>

#include "enginesim/control_script.h"
#include "framework/streams.h"
#include "tests/engine/web/web_test.h"

namespace larkwell::testing {
namespace {

class FrameTest : public EngineTest {
 protected:
  void TearDown() override {
    frame.Reset();
    browser.Reset();
    EngineTest::TearDown();
  }
  IPtr<ICefBrowser> browser = MakeBrowser();
  IPtr<ICefFrame> frame = browser->GetMainFrame();
};

struct EditCommand {
  const char* key;
  void (ICefFrame::*method)();
};
constexpr EditCommand kEditCommands[] = {
    {"undo", &ICefFrame::Undo},         {"redo", &ICefFrame::Redo},
    {"cut", &ICefFrame::Cut},           {"copy", &ICefFrame::Copy},
    {"paste", &ICefFrame::Paste},       {"del", &ICefFrame::Del},
    {"select_all", &ICefFrame::SelectAll}, {"print", &ICefFrame::Print},
    {"view_source", &ICefFrame::ViewSource},
};

TEST_F(FrameTest, EachEditCommandReachesItsOwnMember) {
  for (const EditCommand& command : kEditCommands) {
    IPtr<ICefFrame> fresh = MakeBrowser()->GetMainFrame();
    ((*fresh).*command.method)();
    for (const EditCommand& other : kEditCommands) {
      EXPECT_EQ(Recorded(fresh, other.key), &other == &command ? 1 : 0)
          << "after the method for " << command.key << ", count of " << other.key;
    }
  }
}

TEST_F(FrameTest, LoadUrl) {
  frame->LoadUrl(u"about:start?mac=1");
  EXPECT_EQ(Recorded(frame, "loaded"), SIM_LOADED_URL);
  EXPECT_EQ(frame->GetUrl(), u"about:start?mac=1");
  EXPECT_EQ(frame->GetSource(), u"");
}

TEST_F(FrameTest, LoadStringGivesSourceAndText) {
  frame->LoadString(u"<p>Hello <b>世界</b></p>", u"about:string");
  EXPECT_EQ(Recorded(frame, "loaded"), SIM_LOADED_STRING);
  EXPECT_EQ(frame->GetUrl(), u"about:string");
  EXPECT_EQ(frame->GetSource(), u"<p>Hello <b>世界</b></p>");
  EXPECT_EQ(frame->GetText(), u"Hello 世界");
}

TEST_F(FrameTest, LoadRequestTakesTheRequestsUrlAndMethod) {
  IPtr<ICefRequest> request = TCefRequestRef::New();
  request->SetUrl(u"http://example.test/form");
  request->SetMethod(u"POST");
  frame->LoadRequest(request);
  EXPECT_EQ(Recorded(frame, "loaded"), SIM_LOADED_REQUEST);
  EXPECT_EQ(frame->GetUrl(), u"http://example.test/form");
  EXPECT_EQ(RecordedText(frame, "load_request.method"), u"POST");

  frame->LoadRequest(nullptr);
  EXPECT_EQ(frame->GetUrl(), u"http://example.test/form");
}

// UTF-8 bytes of "<h1>标题</h1>", which the engine reads as the page's source.
const std::string kPageBytes = "<h1>\xE6\xA0\x87\xE9\xA2\x98</h1>";
constexpr char16_t kPageSource[] = u"<h1>标题</h1>";

TEST_F(FrameTest, LoadStreamDeliversTheNativeStreamsBytes) {
  for (const bool owned : {false, true}) {
    auto* stream = new TMemoryStream;
    stream->Write(kPageBytes.data(), static_cast<int64_t>(kPageBytes.size()));
    stream->SetPosition(0);
    frame->LoadStream(stream, owned, u"about:stream");
    EXPECT_EQ(Recorded(frame, "loaded"), SIM_LOADED_STREAM);
    EXPECT_EQ(frame->GetSource(), kPageSource);
    EXPECT_EQ(frame->GetUrl(), u"about:stream");
    if (!owned) {
      // The reader was released without freeing the stream, which the engine read to its end.
      EXPECT_EQ(stream->Position(), static_cast<int64_t>(kPageBytes.size()));
      delete stream;
    }
  }
}

// The engine measures a stream before it reads it: to the end and back to where it stood.
TEST_F(FrameTest, LoadStreamReadsFromWhereTheStreamStandsAfterMeasuringIt) {
  TMemoryStream stream;
  const std::string bytes = "skip" + kPageBytes;
  stream.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SetPosition(4);  // the engine seeks back to 4: a success must answer 0, not the position
  frame->LoadStream(&stream, false, u"about:stream");
  EXPECT_EQ(Recorded(frame, "loaded"), SIM_LOADED_STREAM);
  EXPECT_EQ(frame->GetSource(), kPageSource);
  EXPECT_EQ(stream.Position(), static_cast<int64_t>(bytes.size()));
}

// A program reader that answers its new position for a seek, as 0/non-zero readers do not.
class TPositionAnsweringReader : public TCefCustomStreamReader {
 public:
  using TCefCustomStreamReader::TCefCustomStreamReader;
  int Seek(int64_t offset, int whence) override {
    TCefCustomStreamReader::Seek(offset, whence);
    return static_cast<int>(Tell());
  }
};

TEST_F(FrameTest, AStreamWhoseSeekAnswersNonZeroLoadsNothing) {
  TMemoryStream stream;
  stream.Write(kPageBytes.data(), static_cast<int64_t>(kPageBytes.size()));
  stream.SetPosition(0);
  IPtr<ICefStreamReader> reader =
      TCefStreamReaderRef::CreateForCustomStream(New<TPositionAnsweringReader>(&stream, false));
  auto* structure = StructureOf<TCefFrame>(frame);
  const ustring address = u"about:failed";
  TCefString url = CefStringView(address);
  structure->load_stream(structure, CefWrap<TCefStreamReader>(reader), &url);
  EXPECT_EQ(Recorded(frame, "load_stream"), 1);
  EXPECT_EQ(Recorded(frame, "loaded"), SIM_LOADED_NOTHING);
  EXPECT_EQ(frame->GetUrl(), u"");
}

TEST_F(FrameTest, LoadFileReadsTheFileThroughTheEngine) {
  TempFile file(kPageBytes);
  frame->LoadFile(file.name(), u"file:///page.html");
  EXPECT_EQ(Recorded(frame, "loaded"), SIM_LOADED_STREAM);
  EXPECT_EQ(frame->GetSource(), kPageSource);
  EXPECT_EQ(frame->GetUrl(), u"file:///page.html");
}

TEST_F(FrameTest, LoadFileOfAMissingFileLoadsNothingAndRaisesNothing) {
  ustring missing;
  {
    TempFile gone("");
    missing = gone.name();
  }
  EXPECT_NO_THROW(frame->LoadFile(missing, u"file:///missing.html"));
  EXPECT_EQ(Recorded(frame, "load_stream"), 0) << "no reader, no call";
  EXPECT_EQ(Recorded(frame, "loaded"), SIM_LOADED_NOTHING);
  EXPECT_EQ(frame->GetUrl(), u"");
}

TEST_F(FrameTest, ExecuteJavaScriptPassesCodeUrlAndLine) {
  frame->ExecuteJavaScript(u"alert('提示')", u"http://example.test/app.js", 42);
  EXPECT_EQ(RecordedText(frame, "execute_java_script.code"), u"alert('提示')");
  EXPECT_EQ(RecordedText(frame, "execute_java_script.script_url"), u"http://example.test/app.js");
  EXPECT_EQ(Recorded(frame, "execute_java_script.start_line"), 42);
}

TEST_F(FrameTest, PlaceInTheBrowser) {
  IPtr<ICefFrame> child = AddFrame(browser, "child");
  EXPECT_TRUE(frame->IsMain());
  EXPECT_FALSE(child->IsMain());
  EXPECT_TRUE(frame->IsFocused());
  EXPECT_FALSE(child->IsFocused());
  EXPECT_EQ(frame->GetName(), u"");
  EXPECT_EQ(child->GetName(), u"child");
  EXPECT_FALSE(frame->GetParent());
  EXPECT_EQ(StructureOf(child->GetParent()), StructureOf(frame));
  EXPECT_EQ(StructureOf(child->GetBrowser()), StructureOf(browser));
}

TEST_F(FrameTest, AFrameOutlivingItsBrowserForgetsBrowserAndParent) {
  IPtr<ICefFrame> child = AddFrame(browser, "child");
  child->LoadUrl(u"about:child");
  frame.Reset();
  browser.Reset();
  EXPECT_FALSE(child->GetBrowser());
  EXPECT_FALSE(child->GetParent());
  EXPECT_EQ(child->GetUrl(), u"about:child");
}

TEST_F(FrameTest, IdentifiersKeepAll64Bits) {
  IPtr<ICefFrame> child = AddFrame(browser, "child");
  const int64_t main_id = frame->GetIdentifier();
  EXPECT_GT(main_id, int64_t{1} << 32);
  EXPECT_NE(child->GetIdentifier(), main_id);
  EXPECT_EQ(browser->GetMainFrame()->GetIdentifier(), main_id);
}

// Reads the document's title while the engine lets it visit.
class TTitleVisitor : public TCefDomVisitorOwn {
 public:
  void Visit(const IPtr<ICefDomDocument>& document) override {
    ++visits;
    title = document ? document->GetTitle() : u"(none)";
  }
  int visits = 0;
  ustring title;
};

TEST_F(FrameTest, VisitDomHandsTheVisitorTheFramesDocument) {
  IPtr<TTitleVisitor> visitor = New<TTitleVisitor>();
  frame->VisitDom(visitor);
  EXPECT_EQ(visitor->visits, 0) << "no document, no visit";

  sim_frame_set_document(StructureOf<TCefFrame>(frame),
                         sim_create_document("<html><head><title>标题</title></head></html>",
                                             "http://example.test/"));
  frame->VisitDom(visitor);
  EXPECT_EQ(visitor->visits, 1);
  EXPECT_EQ(visitor->title, u"标题");
  EXPECT_EQ(visitor->RefCount(), 1) << "the engine released the visitor";
}

TEST_F(FrameTest, GetV8ContextAnswersTheFramesContext) {
  EXPECT_FALSE(frame->GetV8Context());
  TCefV8Context* context = sim_create_v8context(nullptr, nullptr);
  sim_frame_set_v8context(StructureOf<TCefFrame>(frame), context);
  IPtr<ICefv8Context> answer = frame->GetV8Context();
  ASSERT_TRUE(answer);
  EXPECT_EQ(StructureOf<TCefV8Context>(answer), context);
}

}  // namespace
}  // namespace larkwell::testing
