// ICefResponse and ICefDragData through their wrappers, against the stand-in's responses and
// drag data.
#include "tests/engine/web/web_test.h"

namespace larkwell::testing {
namespace {

class ResponseTest : public EngineTest {};

const Pairs kHeaders{{u"Content-Type", u"application/vnd.ms-excel"},
                     {u"Set-Cookie", u"a=1"},
                     {u"Set-Cookie", u"b=2"}};

IPtr<ICefResponse> MakeResponse() {
  EngineMultimap headers(kHeaders);
  return CefUnWrapAs<ICefResponse>(
      sim_create_response(200, "OK", "application/vnd.ms-excel", headers.handle()));
}

TEST_F(ResponseTest, FieldsTheEngineGaveIt) {
  IPtr<ICefResponse> response = MakeResponse();
  EXPECT_EQ(response->GetStatus(), 200);
  EXPECT_EQ(response->GetStatusText(), u"OK");
  EXPECT_EQ(response->GetMimeType(), u"application/vnd.ms-excel");
  EXPECT_EQ(response->GetHeader(u"content-type"), u"application/vnd.ms-excel");
  EXPECT_EQ(response->GetHeader(u"Set-Cookie"), u"a=1");
  EXPECT_EQ(response->GetHeader(u"X-Missing"), u"");
  EngineMultimap answered;
  response->GetHeaderMap(answered.handle());
  EXPECT_EQ(answered.pairs(), kHeaders);
}

TEST_F(ResponseTest, EachSetterChangesItsOwnField) {
  IPtr<ICefResponse> response = MakeResponse();
  response->SetStatus(404);
  response->SetStatusText(u"未找到");
  response->SetMimeType(u"text/plain");
  const Pairs replaced{{u"X-Only", u"1"}};
  EngineMultimap given(replaced);
  response->SetHeaderMap(given.handle());

  EXPECT_EQ(response->GetStatus(), 404);
  EXPECT_EQ(response->GetStatusText(), u"未找到");
  EXPECT_EQ(response->GetMimeType(), u"text/plain");
  EXPECT_EQ(response->GetHeader(u"x-only"), u"1");
  EngineMultimap answered;
  response->GetHeaderMap(answered.handle());
  EXPECT_EQ(answered.pairs(), replaced);
}

class DragDataTest : public EngineTest {};

// Every text getter against its own value, so a getter reaching a neighbour's member shows.
struct TextGetter {
  const char* TSimDragDataSetup::*field;
  ustring (ICefDragData::*method)();
  const char* value;
  const char16_t* expected;
};
const TextGetter kTextGetters[] = {
    {&TSimDragDataSetup::link_url, &ICefDragData::GetLinkUrl, "http://a/", u"http://a/"},
    {&TSimDragDataSetup::link_title, &ICefDragData::GetLinkTitle, "链接", u"链接"},
    {&TSimDragDataSetup::link_metadata, &ICefDragData::GetLinkMetadata, "meta", u"meta"},
    {&TSimDragDataSetup::fragment_text, &ICefDragData::GetFragmentText, "text", u"text"},
    {&TSimDragDataSetup::fragment_html, &ICefDragData::GetFragmentHtml, "<b>html</b>", u"<b>html</b>"},
    {&TSimDragDataSetup::fragment_base_url, &ICefDragData::GetFragmentBaseUrl, "http://b/", u"http://b/"},
    {&TSimDragDataSetup::file_extension, &ICefDragData::GetFileExtension, ".xls", u".xls"},
    {&TSimDragDataSetup::file_name, &ICefDragData::GetFileName, "报表.xls", u"报表.xls"},
};

TEST_F(DragDataTest, TextGetters) {
  TSimDragDataSetup setup{};
  for (const TextGetter& getter : kTextGetters) setup.*getter.field = getter.value;
  IPtr<ICefDragData> drag = CefUnWrapAs<ICefDragData>(sim_create_drag_data(&setup));
  for (const TextGetter& getter : kTextGetters) {
    EXPECT_EQ(((*drag).*getter.method)(), getter.expected);
  }
}

TEST_F(DragDataTest, KindFlags) {
  for (const int kind : {0, 1, 2}) {
    TSimDragDataSetup setup{};
    setup.is_link = kind == 0;
    setup.is_fragment = kind == 1;
    setup.is_file = kind == 2;
    IPtr<ICefDragData> drag = CefUnWrapAs<ICefDragData>(sim_create_drag_data(&setup));
    EXPECT_EQ(drag->IsLink(), kind == 0);
    EXPECT_EQ(drag->IsFragment(), kind == 1);
    EXPECT_EQ(drag->IsFile(), kind == 2);
  }
}

TEST_F(DragDataTest, GetFileNamesAppendsWhateverTheEngineAnswers) {
  for (const int answer : {1, 0}) {
    CefStringListHandle files;
    for (const ustring name : {u"a.xls", u"b.xls"}) {
      TCefString view = CefStringView(name);
      ::cef_string_list_append(files.get(), &view);
    }
    TSimDragDataSetup setup{};
    setup.is_file = 1;
    setup.file_names = files.get();
    setup.file_names_answer = answer;
    IPtr<ICefDragData> drag = CefUnWrapAs<ICefDragData>(sim_create_drag_data(&setup));
    TStrings names{u"kept"};
    EXPECT_EQ(drag->GetFileNames(names), answer == 1);
    EXPECT_EQ(names, (TStrings{u"kept", u"a.xls", u"b.xls"}));
  }
}

}  // namespace
}  // namespace larkwell::testing
