// Dialog navigation asks the focused control first whether it wants the key for itself.
#include <gtest/gtest.h>

#include "framework/ui/application.h"
#include "tests/framework/ui/test_forms.h"
#include "tests/framework/ui/ui_test_support.h"

namespace larkwell::testing {
namespace {

using namespace std::chrono_literals;

constexpr char kTwoControls[] = R"(object frmKeys: TTestForm
  ClientHeight = 100
  ClientWidth = 200
  object First: TTestControl
    Width = 50
    Height = 50
    TabStop = True
    TabOrder = 0
  end
  object Second: TTestControl
    Left = 100
    Width = 50
    Height = 50
    TabStop = True
    TabOrder = 1
  end
end
)";

class SpecialKeyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = std::make_unique<TTestForm>(kTwoControls);
    form_->Show();
    first_ = &form_->Child<TTestControl>(u"First");
    second_ = &form_->Child<TTestControl>(u"Second");
    first_->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return first_->Focused(); }));
  }
  // Posts the key to the focused control's window, as the keyboard would, and lets the
  // application's loop handle it.
  void Press(WPARAM key) {
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    PumpFor(100ms);
  }

  std::unique_ptr<TTestForm> form_;
  TTestControl* first_ = nullptr;
  TTestControl* second_ = nullptr;
};

TEST_F(SpecialKeyTest, AControlThatDoesNotClaimTabLetsTheFocusMoveOn) {
  first_->SpecialKeyAnswer = 0;
  Press(VK_TAB);
  ASSERT_EQ(first_->KeysAsked.size(), 1u);
  EXPECT_EQ(first_->KeysAsked[0], WPARAM{VK_TAB});
  EXPECT_TRUE(first_->KeysDown.empty());
  EXPECT_TRUE(second_->Focused());
  Press(VK_TAB);  // and round again
  EXPECT_TRUE(first_->Focused());
}

TEST_F(SpecialKeyTest, AControlThatClaimsTheKeyKeepsTheFocusAndGetsTheKey) {
  first_->SpecialKeyAnswer = 1;
  for (WPARAM key : {WPARAM{VK_TAB}, WPARAM{VK_RIGHT}, WPARAM{VK_RETURN}, WPARAM{VK_ESCAPE}}) {
    Press(key);
    EXPECT_TRUE(first_->Focused()) << key;
    ASSERT_FALSE(first_->KeysDown.empty()) << key;
    EXPECT_EQ(first_->KeysDown.back(), key);
  }
  EXPECT_EQ(first_->KeysAsked.size(), 4u);
}

TEST_F(SpecialKeyTest, OrdinaryKeysAreNotAskedAbout) {
  Press('A');
  EXPECT_TRUE(first_->KeysAsked.empty());
  ASSERT_EQ(first_->KeysDown.size(), 1u);
  EXPECT_EQ(first_->KeysDown[0], WPARAM{'A'});
}

}  // namespace
}  // namespace larkwell::testing
