// The gauge's picture, read back from the screen, and what a change repaints.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

#include "framework/ui/application.h"
#include "framework/ui/graphics.h"
#include "tests/framework/ui/test_forms.h"
#include "tests/framework/ui/ui_test_support.h"

namespace larkwell::testing {
namespace {

using namespace std::chrono_literals;

constexpr uint32_t kNavy = Rgb(0, 0, 0x80);
constexpr uint32_t kWhite = Rgb(0xFF, 0xFF, 0xFF);
constexpr uint32_t kBlack = Rgb(0, 0, 0);
constexpr uint32_t kInvertedNavy = Rgb(0xFF, 0xFF, 0x7F);

class GaugeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = std::make_unique<TTestForm>(StoredForm(L"TOOL_TEST"));
    form_->Show();
    gauge_ = &form_->Child<TGauge>(u"Gauge1");
    PumpFor(300ms);
  }

  std::unique_ptr<TTestForm> form_;
  TGauge* gauge_ = nullptr;
};

struct TTextBox {
  int Left = 1 << 30, Top = 1 << 30, Right = -1, Bottom = -1, Count = 0;
};

TEST_F(GaugeTest, PaintsFrameBarAndInvertedPercentWhereTheyBelong) {
  struct Case {
    int32_t Set;
    int32_t Shown;
  };
  for (const Case c : {Case{0, 0}, Case{20, 20}, Case{100, 100}, Case{-5, 0}, Case{250, 100}, Case{57, 57}}) {
    SCOPED_TRACE(c.Set);
    gauge_->SetProgress(c.Set);
    EXPECT_EQ(gauge_->Progress(), c.Shown);
    const TPixels p = GrabClient(gauge_->Handle());
    ASSERT_EQ(p.Width, 400);
    ASSERT_EQ(p.Height, 41);
    // The one-pixel black frame.
    for (int x = 0; x < p.Width; ++x) {
      ASSERT_EQ(p.At(x, 0), kBlack) << x;
      ASSERT_EQ(p.At(x, p.Height - 1), kBlack) << x;
    }
    for (int y = 0; y < p.Height; ++y) {
      ASSERT_EQ(p.At(0, y), kBlack) << y;
      ASSERT_EQ(p.At(p.Width - 1, y), kBlack) << y;
    }
    // The bar: inner width × percentage / 100 from the left, in the top inner row (clear of text).
    const int inner = p.Width - 2;
    const int bar = inner * c.Shown / 100;
    for (int x = 1; x < p.Width - 1; ++x) ASSERT_EQ(p.At(x, 1), x - 1 < bar ? kNavy : kWhite) << x;

    // The text: every pixel that is neither bar nor background is an inverted one, and together
    // they sit in the middle of the inner area with the width of "N%".
    TTextBox box;
    for (int y = 1; y < p.Height - 1; ++y) {
      for (int x = 1; x < p.Width - 1; ++x) {
        const uint32_t pixel = p.At(x, y);
        const bool onBar = x - 1 < bar;
        if (pixel == (onBar ? kNavy : kWhite)) continue;
        ASSERT_EQ(pixel, onBar ? kInvertedNavy : kBlack) << x << "," << y;
        box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x), std::max(box.Bottom, y),
               box.Count + 1};
      }
    }
    ASSERT_GT(box.Count, 10);
    const SIZE text = MeasureText(Utf8ToUstring(std::to_string(c.Shown) + "%"), gauge_->FontHandle());
    EXPECT_NEAR(box.Right - box.Left + 1, text.cx, 3);
    EXPECT_NEAR((box.Left + box.Right) / 2.0, p.Width / 2.0, 3.0);
    EXPECT_NEAR((box.Top + box.Bottom) / 2.0, p.Height / 2.0, 4.0);
  }
}

TEST_F(GaugeTest, RepaintsAtOnceOnlyWhenThePercentageChanges) {
  gauge_->SetProgress(30);
  const int afterFirst = gauge_->PaintCount();
  gauge_->SetProgress(30);
  EXPECT_EQ(gauge_->PaintCount(), afterFirst);  // the same value: nothing happens
  gauge_->SetProgress(31);
  EXPECT_EQ(gauge_->PaintCount(), afterFirst + 1);  // painted before the call returned

  gauge_->SetMaxValue(1000);  // 31 of 1000: 3 %
  const int scaled = gauge_->PaintCount();
  EXPECT_EQ(gauge_->PercentDone(), 3);
  gauge_->SetProgress(500);
  EXPECT_EQ(gauge_->PaintCount(), scaled + 1);
  gauge_->SetProgress(505);  // still 50 %: a new value, no new picture
  EXPECT_EQ(gauge_->Progress(), 505);
  EXPECT_EQ(gauge_->PaintCount(), scaled + 1);

  gauge_->SetMinValue(1000);  // maximum equals minimum: 0 %
  EXPECT_EQ(gauge_->PercentDone(), 0);
}

}  // namespace
}  // namespace larkwell::testing

namespace larkwell::testing {
namespace {

// The owner of the drawing objects closes what it holds exactly once, however it goes: reset,
// replaced, moved away, destroyed.
int gClosed[4] = {};
void CloseSlot(int* slot) noexcept { ++gClosed[slot - gClosed]; }
using TOwnedSlot = TUniqueHandle<int*, &CloseSlot>;

TEST(UniqueHandleTest, ClosesWhatItHoldsOnceHoweverItGoes) {
  {
    TOwnedSlot first(&gClosed[0]);
    first.reset(&gClosed[1]);  // the old one closed, the new one held
    EXPECT_EQ(gClosed[0], 1);
    TOwnedSlot second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.get(), &gClosed[1]);
    TOwnedSlot third(&gClosed[2]);
    third = std::move(second);  // closes what it held, takes the other's
    EXPECT_EQ(gClosed[2], 1);
    EXPECT_EQ(gClosed[1], 0);
    TOwnedSlot empty;
    empty.reset();  // nothing held, nothing closed
  }
  EXPECT_EQ(gClosed[0], 1);
  EXPECT_EQ(gClosed[1], 1);
  EXPECT_EQ(gClosed[2], 1);
  EXPECT_EQ(gClosed[3], 0);
}

}  // namespace
}  // namespace larkwell::testing
