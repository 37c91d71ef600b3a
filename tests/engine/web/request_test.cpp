// ICefRequest, ICefPostData and ICefPostDataElement through their wrappers, against the
// stand-in's requests.
#include <cstring>

#include "tests/engine/web/web_test.h"

namespace larkwell::testing {
namespace {

class RequestTest : public EngineTest {};

const Pairs kHeaders{{u"Accept", u"text/html"}, {u"Cookie", u"a=1"}, {u"Cookie", u"b=2"}};

TEST_F(RequestTest, NewRequestIsAnEmptyGet) {
  IPtr<ICefRequest> request = TCefRequestRef::New();
  ASSERT_TRUE(request);
  EXPECT_EQ(request->GetUrl(), u"");
  EXPECT_EQ(request->GetMethod(), u"GET");
  EXPECT_EQ(request->GetFlags(), 0);
  EXPECT_EQ(request->GetFirstPartyForCookies(), u"");
  EXPECT_FALSE(request->GetPostData());
  EngineMultimap headers(Pairs{{u"stale", u"x"}});
  request->GetHeaderMap(headers.handle());
  EXPECT_EQ(headers.pairs(), Pairs{});
}

TEST_F(RequestTest, EachFieldKeepsItsOwnValue) {
  IPtr<ICefRequest> request = TCefRequestRef::New();
  request->SetUrl(u"http://example.test/下载");
  request->SetMethod(u"POST");
  request->SetFirstPartyForCookies(u"http://example.test/");
  request->SetFlags(0x5A);
  EXPECT_EQ(request->GetUrl(), u"http://example.test/下载");
  EXPECT_EQ(request->GetMethod(), u"POST");
  EXPECT_EQ(request->GetFirstPartyForCookies(), u"http://example.test/");
  EXPECT_EQ(request->GetFlags(), 0x5A);
}

TEST_F(RequestTest, HeaderMapGoesInAndOutByHandle) {
  IPtr<ICefRequest> request = TCefRequestRef::New();
  EngineMultimap given(kHeaders);
  request->SetHeaderMap(given.handle());
  EngineMultimap answered;
  request->GetHeaderMap(answered.handle());
  EXPECT_EQ(answered.pairs(), kHeaders);
}

TEST_F(RequestTest, SetPostDataWithoutAnObjectKeepsThePostData) {
  IPtr<ICefRequest> request = TCefRequestRef::New();
  IPtr<ICefPostData> post_data = TCefPostDataRef::New();
  request->SetPostData(post_data);
  EXPECT_EQ(StructureOf(request->GetPostData()), StructureOf(post_data));
  request->SetPostData(nullptr);
  IPtr<ICefPostData> kept = request->GetPostData();
  ASSERT_TRUE(kept);
  EXPECT_EQ(StructureOf(kept), StructureOf(post_data));
}

TEST_F(RequestTest, AssignSetsAllFour) {
  IPtr<ICefRequest> request = TCefRequestRef::New();
  IPtr<ICefPostData> post_data = TCefPostDataRef::New();
  EngineMultimap given(kHeaders);
  request->Assign(u"http://example.test/a", u"PUT", post_data, given.handle());
  EXPECT_EQ(request->GetUrl(), u"http://example.test/a");
  EXPECT_EQ(request->GetMethod(), u"PUT");
  EXPECT_EQ(StructureOf(request->GetPostData()), StructureOf(post_data));
  EngineMultimap answered;
  request->GetHeaderMap(answered.handle());
  EXPECT_EQ(answered.pairs(), kHeaders);

  // Unlike SetPostData, Assign hands "no post data" on to the engine, which then has none.
  request->Assign(u"http://example.test/b", u"GET", nullptr, given.handle());
  EXPECT_FALSE(request->GetPostData());
}

class PostDataTest : public EngineTest {
 protected:
  static IPtr<ICefPostDataElement> Bytes(const char* text) {
    IPtr<ICefPostDataElement> element = TCefPostDataElementRef::New();
    element->SetToBytes(std::strlen(text), text);
    return element;
  }
};

TEST_F(PostDataTest, AddingAndRemovingElements) {
  IPtr<ICefPostData> post_data = TCefPostDataRef::New();
  IPtr<ICefPostDataElement> first = Bytes("first"), second = Bytes("second");
  EXPECT_EQ(post_data->GetCount(), 0u);
  EXPECT_EQ(post_data->AddElement(first), 1);
  EXPECT_EQ(post_data->AddElement(first), 0) << "an element is held once";
  EXPECT_EQ(post_data->AddElement(second), 1);
  EXPECT_EQ(post_data->GetCount(), 2u);

  EXPECT_EQ(post_data->RemoveElement(first), 1);
  EXPECT_EQ(post_data->RemoveElement(first), 0);
  EXPECT_EQ(post_data->GetCount(), 1u);
  post_data->RemoveElements();
  EXPECT_EQ(post_data->GetCount(), 0u);
}

TEST_F(PostDataTest, GetElementsGivesAsManyAsTheEngineFilled) {
  IPtr<ICefPostData> post_data = TCefPostDataRef::New();
  post_data->AddElement(Bytes("one"));
  post_data->AddElement(Bytes("two"));

  EXPECT_TRUE(post_data->GetElements(0).empty());
  TCefPostDataElementArray one = post_data->GetElements(1);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0]->GetBytesCount(), 3u);
  TCefPostDataElementArray all = post_data->GetElements(5);
  ASSERT_EQ(all.size(), 2u) << "the count after the engine's call, not the room given";
  char text[4] = {};
  all[1]->GetBytes(3, text);
  EXPECT_STREQ(text, "two");
}

TEST_F(PostDataTest, ElementKinds) {
  IPtr<ICefPostDataElement> element = TCefPostDataElementRef::New();
  EXPECT_EQ(element->GetType(), 0);

  element->SetToBytes(5, "hello");
  EXPECT_EQ(element->GetType(), 1);
  EXPECT_EQ(element->GetBytesCount(), 5u);
  char buffer[8] = {};
  EXPECT_EQ(element->GetBytes(3, buffer), 3u) << "copies at most the room given";
  EXPECT_STREQ(buffer, "hel");
  EXPECT_EQ(element->GetBytes(sizeof buffer, buffer), 5u);
  EXPECT_STREQ(buffer, "hello");

  element->SetToFile(u"C:\\数据\\upload.xls");
  EXPECT_EQ(element->GetType(), 2);
  EXPECT_EQ(element->GetFile(), u"C:\\数据\\upload.xls");
  EXPECT_EQ(element->GetBytesCount(), 0u);

  element->SetToEmpty();
  EXPECT_EQ(element->GetType(), 0);
  EXPECT_EQ(element->GetFile(), u"");
}

}  // namespace
}  // namespace larkwell::testing
