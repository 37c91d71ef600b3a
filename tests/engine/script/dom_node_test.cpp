// DOM nodes through TCefDomNodeRef: kinds, names, values, markup, the tree and attributes.
#include "tests/engine/script/script_test.h"

namespace larkwell::script_test {
namespace {

class NodeTest : public ScriptTest {
 protected:
  void TearDown() override {
    page.Reset();  // before the ledger is checked
    ScriptTest::TearDown();
  }
  IPtr<ICefDomNode> Node(const ustring& id) { return page->GetElementById(id); }

  IPtr<ICefDomDocument> page = LoadPage();
};

TEST_F(NodeTest, EachKindOfNodeDescribesItself) {
  const struct {
    const char* node;
    IPtr<ICefDomNode> value;
    TCefDomNodeType type;
    bool text, element, form_control;
    ustring control_type, name, tag;
  } cases[] = {
      {"p", Node(u"x"), SIM_DOM_NODE_ELEMENT, false, true, false, u"", u"P", u"p"},
      {"input", Node(u"i"), SIM_DOM_NODE_ELEMENT, false, true, true, u"text", u"INPUT", u"input"},
      {"text", Node(u"x")->GetFirstChild(), SIM_DOM_NODE_TEXT, true, false, false, u"", u"#text", u""},
      {"document", page->GetDocument(), SIM_DOM_NODE_DOCUMENT, false, false, false, u"", u"#document", u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.node);
    ASSERT_TRUE(c.value);
    EXPECT_EQ(c.value->GetType(), c.type);
    EXPECT_EQ(c.value->IsText(), c.text);
    EXPECT_EQ(c.value->IsElement(), c.element);
    EXPECT_EQ(c.value->IsFormControlElement(), c.form_control);
    EXPECT_EQ(c.value->GetFormControlElementType(), c.control_type);
    EXPECT_EQ(c.value->GetName(), c.name);
    EXPECT_EQ(c.value->GetElementTagName(), c.tag);
  }
}

TEST_F(NodeTest, IsSameComparesTheNodeNotTheWrapper) {
  const IPtr<ICefDomNode> paragraph = Node(u"x");
  EXPECT_TRUE(paragraph->IsSame(Node(u"x")));
  EXPECT_FALSE(paragraph->IsSame(Node(u"i")));
  EXPECT_FALSE(paragraph->IsSame(nullptr));
}

TEST_F(NodeTest, TheTreeIsWalkedByParentSiblingsAndChildren) {
  const IPtr<ICefDomNode> paragraph = Node(u"x"), input = Node(u"i");
  EXPECT_TRUE(paragraph->GetParent()->IsSame(Node(u"b")));
  EXPECT_TRUE(paragraph->GetNextSibling()->IsSame(input));
  EXPECT_TRUE(input->GetPreviousSibling()->IsSame(paragraph));
  EXPECT_FALSE(paragraph->GetPreviousSibling());
  EXPECT_FALSE(input->GetNextSibling());
  EXPECT_TRUE(paragraph->HasChildren());
  EXPECT_EQ(paragraph->GetFirstChild()->GetValue(), u"hi ");
  EXPECT_EQ(paragraph->GetLastChild()->GetElementTagName(), u"b");
  EXPECT_FALSE(input->HasChildren());
  EXPECT_FALSE(input->GetFirstChild());
  EXPECT_FALSE(input->GetLastChild());
  EXPECT_FALSE(page->GetDocument()->GetParent());
  EXPECT_EQ(input->GetDocument()->GetTitle(), u"T");
}

TEST_F(NodeTest, ValuesMarkupAndInnerText) {
  const IPtr<ICefDomNode> paragraph = Node(u"x"), input = Node(u"i");
  EXPECT_EQ(paragraph->GetAsMarkup(), u"<p id=\"x\" class=\"c\">hi <b>there</b></p>");
  EXPECT_EQ(paragraph->GetElementInnerText(), u"hi there");
  EXPECT_EQ(paragraph->GetValue(), u"");
  EXPECT_FALSE(paragraph->SetValue(u"no"));

  EXPECT_EQ(input->GetValue(), u"v");
  EXPECT_TRUE(input->SetValue(u"w & <x>"));
  EXPECT_EQ(input->GetValue(), u"w & <x>");

  EXPECT_TRUE(paragraph->GetFirstChild()->SetValue(u"a < b "));
  EXPECT_EQ(paragraph->GetAsMarkup(), u"<p id=\"x\" class=\"c\">a &lt; b <b>there</b></p>");
}

TEST_F(NodeTest, AttributesAreReadOneByOneOrIntoTheCallersMap) {
  const IPtr<ICefDomNode> paragraph = Node(u"x");
  EXPECT_TRUE(paragraph->HasElementAttributes());
  EXPECT_TRUE(paragraph->HasElementAttribute(u"class"));
  EXPECT_FALSE(paragraph->HasElementAttribute(u"style"));
  EXPECT_EQ(paragraph->GetElementAttribute(u"id"), u"x");
  EXPECT_EQ(paragraph->GetElementAttribute(u"style"), u"");
  EXPECT_FALSE(paragraph->GetLastChild()->HasElementAttributes());

  TCefStringMap map = cef_string_map_alloc();
  const ustring key = u"kept", kept = u"before";
  const TCefString key_view = CefStringView(key), kept_view = CefStringView(kept);
  cef_string_map_append(map, &key_view, &kept_view);
  paragraph->GetElementAttributes(map);
  TStrings entries;
  for (int i = 0; i < cef_string_map_size(map); ++i) {
    TCefString name{}, value{};
    cef_string_map_key(map, i, &name);
    cef_string_map_value(map, i, &value);
    entries.push_back(CefStringTakeAndClear(&name) + u"=" + CefStringTakeAndClear(&value));
  }
  cef_string_map_free(map);
  EXPECT_EQ(entries, (TStrings{u"kept=before", u"id=x", u"class=c"}));
}

TEST_F(NodeTest, SetElementAttributeChangesOrAddsAndTextRefuses) {
  const IPtr<ICefDomNode> paragraph = Node(u"x");
  EXPECT_TRUE(paragraph->SetElementAttribute(u"class", u"d"));
  EXPECT_TRUE(paragraph->SetElementAttribute(u"title", u"\"quoted\""));
  EXPECT_EQ(paragraph->GetElementAttribute(u"class"), u"d");
  EXPECT_EQ(paragraph->GetAsMarkup(), u"<p id=\"x\" class=\"d\" title=\"&quot;quoted&quot;\">hi <b>there</b></p>");
  EXPECT_FALSE(paragraph->GetFirstChild()->SetElementAttribute(u"class", u"e"));
  EXPECT_TRUE(Node(u"i")->SetElementAttribute(u"id", u"renamed"));
  EXPECT_FALSE(Node(u"i"));
  EXPECT_TRUE(Node(u"renamed"));
}

}  // namespace
}  // namespace larkwell::script_test
