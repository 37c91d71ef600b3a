// The machine id from a replaceable UUID maker, and (on Windows) from the system's.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/machine_id.h"

namespace larkwell {
namespace {

// A maker that hands out the given UUIDs and statuses in turn, counting its calls. As with real
// time-based UUIDs, bytes 0 to 9 (time and clock sequence) differ from one UUID to the next;
// only the node (bytes 10 to 15) is the machine's.
struct TScriptedMaker {
  struct Answer {
    int32_t Status;
    uint8_t Node[6];
  };
  std::vector<Answer> answers;
  int calls = 0;
  TUuidMaker Maker() {
    return [this](uint8_t (&uuid)[16]) {
      const Answer& a = answers.at(static_cast<size_t>(calls++));
      std::memset(uuid, 0x11 * calls, 10);
      std::memcpy(uuid + 10, a.Node, 6);
      return a.Status;
    };
  }
};

TEST(MachineIdTest, TwoAgreeingNodesGiveSeventeenUpperCaseCharacters) {
  TScriptedMaker maker{{{0, {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e}}, {0, {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e}}}};
  EXPECT_EQ(MachineIdFrom(maker.Maker()), u"00-1A-2B-3C-4D-5E");
  EXPECT_EQ(maker.calls, 2);
}

TEST(MachineIdTest, AFailureAWarningOrDifferingNodesGiveNoId) {
  const uint8_t node[6] = {1, 2, 3, 4, 5, 6};
  struct Case {
    const char* What;
    int32_t First;
    int32_t Second;
    int DifferingNodeByte;  // of the second UUID's node, -1 for none
    int Calls;
  };
  for (const Case c : {Case{"first fails", 1717, 0, -1, 1}, Case{"second fails", 0, 1717, -1, 2},
                       Case{"local only (a warning)", 1824, 0, -1, 1}, Case{"node byte 10 differs", 0, 0, 0, 2},
                       Case{"node byte 15 differs", 0, 0, 5, 2}}) {
    TScriptedMaker maker;
    maker.answers.push_back({c.First, {}});
    maker.answers.push_back({c.Second, {}});
    std::memcpy(maker.answers[0].Node, node, 6);
    std::memcpy(maker.answers[1].Node, node, 6);
    if (c.DifferingNodeByte >= 0) maker.answers[1].Node[c.DifferingNodeByte] ^= 0x80;
    EXPECT_EQ(MachineIdFrom(maker.Maker()), u"") << c.What;
    EXPECT_EQ(maker.calls, c.Calls) << c.What;
  }
}

#if defined(_WIN32)
TEST(MachineIdTest, TheSystemsIdIsEmptyOrOfTheRightForm) {
  const ustring id = getMacAddress();
  if (id.empty()) GTEST_SKIP() << "this machine gives no adapter address";
  ASSERT_EQ(id.size(), 17u);
  for (size_t i = 0; i < id.size(); ++i) {
    if (i % 3 == 2) {
      EXPECT_EQ(id[i], u'-');
    } else {
      EXPECT_TRUE((id[i] >= u'0' && id[i] <= u'9') || (id[i] >= u'A' && id[i] <= u'F')) << i;
    }
  }
}
#endif

}  // namespace
}  // namespace larkwell
