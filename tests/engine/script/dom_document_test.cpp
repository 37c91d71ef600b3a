// Documents through TCefDomDocumentRef against the stand-in's document model.
#include "tests/engine/script/script_test.h"

namespace larkwell::script_test {
namespace {

using DocumentTest = ScriptTest;

TEST_F(DocumentTest, ADocumentAnswersFromItsMarkup) {
  const IPtr<ICefDomDocument> document = LoadPage();
  ASSERT_TRUE(document);
  EXPECT_EQ(document->GetType(), SIM_DOM_DOCUMENT_TYPE_HTML);
  EXPECT_EQ(document->GetTitle(), u"T");
  EXPECT_EQ(document->GetBaseUrl(), u"http://host/dir/page.html");
  EXPECT_EQ(document->GetDocument()->GetType(), SIM_DOM_NODE_DOCUMENT);
  EXPECT_EQ(document->GetHead()->GetElementTagName(), u"head");
  EXPECT_TRUE(document->GetBody()->IsSame(document->GetElementById(u"b")));
  EXPECT_EQ(document->GetElementById(u"x")->GetElementAttribute(u"class"), u"c");
  EXPECT_FALSE(document->GetElementById(u"nowhere"));
  EXPECT_FALSE(LoadPage("<p>no head, no body</p>")->GetBody());
}

TEST_F(DocumentTest, PartialUrlsCompleteAgainstTheBaseUrl) {
  const IPtr<ICefDomDocument> document = LoadPage();
  const struct {
    ustring partial, complete;
  } cases[] = {
      {u"a/b", u"http://host/dir/a/b"},
      {u"/x", u"http://host/x"},
      {u"http://other/", u"http://other/"},
      {u"//cdn/lib.js", u"http://cdn/lib.js"},
      {u"../up.html", u"http://host/up.html"},
      {u"./same.html?q=1", u"http://host/dir/same.html?q=1"},
      {u"?page=2", u"http://host/dir/page.html?page=2"},
      {u"#top", u"http://host/dir/page.html#top"},
      {u"", u"http://host/dir/page.html"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(document->GetCompleteUrl(c.partial), c.complete) << std::string(c.partial.begin(), c.partial.end());
  }
}

TEST_F(DocumentTest, TheFocusedNodeIsTheOneTheEngineFocused) {
  const IPtr<ICefDomDocument> document = LoadPage();
  EXPECT_FALSE(document->GetFocusedNode());
  const IPtr<ICefDomNode> input = document->GetElementById(u"i");
  ASSERT_EQ(sim_dom_set_focused_node(Borrowed<TCefDomDocument>(document), Borrowed<TCefDomNode>(input)), 1);
  EXPECT_TRUE(document->GetFocusedNode()->IsSame(input));
}

TEST_F(DocumentTest, WithoutASelectionThereIsNothingSelected) {
  const IPtr<ICefDomDocument> document = LoadPage();
  EXPECT_FALSE(document->HasSelection());
  EXPECT_FALSE(document->GetSelectionStartNode());
  EXPECT_FALSE(document->GetSelectionEndNode());
  EXPECT_EQ(document->GetSelectionAsText(), u"");
  EXPECT_EQ(document->GetSelectionAsMarkup(), u"");
}

TEST_F(DocumentTest, ASelectionAcrossElementsGivesItsEndsTextAndMarkup) {
  const IPtr<ICefDomDocument> document = LoadPage();
  const IPtr<ICefDomNode> paragraph = document->GetElementById(u"x");
  const IPtr<ICefDomNode> hi = paragraph->GetFirstChild();                     // "hi "
  const IPtr<ICefDomNode> there = paragraph->GetLastChild()->GetFirstChild();  // "there"
  ASSERT_EQ(sim_dom_set_selection(Borrowed<TCefDomDocument>(document), Borrowed<TCefDomNode>(hi), 1,
                                  Borrowed<TCefDomNode>(there), 3),
            1);
  EXPECT_TRUE(document->HasSelection());
  EXPECT_TRUE(document->GetSelectionStartNode()->IsSame(hi));
  EXPECT_EQ(document->GetSelectionStartOffset(), 1);
  EXPECT_TRUE(document->GetSelectionEndNode()->IsSame(there));
  EXPECT_EQ(document->GetSelectionEndOffset(), 3);
  EXPECT_EQ(document->GetSelectionAsText(), u"i the");
  EXPECT_EQ(document->GetSelectionAsMarkup(), u"i <b>the</b>");
}

}  // namespace
}  // namespace larkwell::script_test
