// Calls between the binding and a library that another compiler built for Microsoft's calling
// conventions (msvc_side.c): one engine member or export of each signature shape the binding
// uses, called through the binding's own declarations, and the engine calling a program
// structure filled by the generic callback entry. Each checks the values that arrive on the
// other side and that the stack pointer is where it was: a callee that pops more or fewer bytes
// than its caller expects moves the caller's stack, so the next call from the same place finds
// its frame elsewhere.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "engine/cef_api.h"
#include "engine/stream_reader_ref.h"
#include "os/dynamic_library.h"

namespace larkwell {
namespace {

// The library's record of its last call; eight-byte fields first, laid out alike by both compilers.
struct TSeen {
  int64_t wide;
  double real;
  uint32_t frame;  // the callee's frame address
  size_t sizes[2];
  int32_t ints[5];
  const void* pointers[2];  // pointers[0]: the structure called, or the export's pointer argument
};
static_assert(sizeof(TSeen) == 56);

// What the library's round of calls into a program read handler answered.
struct TAnswers {
  int64_t told;
  size_t items;
  int32_t sought;
  int32_t at_end;
  unsigned char bytes[8];
};

using TSeenExport = const TSeen*(CEF_EXPORT_CALL*)();
using TDriveExport = void(CEF_EXPORT_CALL*)(TCefReadHandler* handler, int rounds, int64_t offset, TAnswers* answers,
                                            uint32_t* stacks);

class MsvcAbiTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { library = os::LoadModule(u"lw_msvc_side.dll"); }
  static void TearDownTestSuite() {
    if (library) os::UnloadModule(library);
  }
  void SetUp() override {
    ASSERT_NE(library, nullptr) << "lw_msvc_side.dll did not load";
    TSeenExport seenExport = nullptr;
    Resolve(seenExport, "msvc_seen");
    seen = seenExport();
  }

  // Stores the library's export `name` in `slot`, which has the binding's type for it (the
  // loader's way of filling its entry points: no function pointer is cast).
  template <class Slot>
  static void Resolve(Slot& slot, const char* name) {
    *reinterpret_cast<void**>(&slot) = os::FindExport(library, name);
    ASSERT_NE(*reinterpret_cast<void**>(&slot), nullptr) << name;
  }

  static inline os::ModuleHandle library = nullptr;
  const TSeen* seen = nullptr;
  volatile int rounds = 3;  // not known to the compiler: the calls stay in a loop
};

// Makes `call` `rounds` times from one place in the test; the callee's frame must not move. A
// macro, not a function: a function's epilogue could hide a moved stack pointer.
#define EXPECT_BALANCED(call)                                                       \
  do {                                                                              \
    uint32_t first = 0;                                                             \
    for (int round = 0; round < rounds; ++round) {                                  \
      call;                                                                         \
      if (round == 0) first = seen->frame;                                          \
      EXPECT_EQ(seen->frame, first) << #call << ": the stack moved in round " << round; \
    }                                                                               \
  } while (0)

TEST_F(MsvcAbiTest, AThirtyTwoByteRecordComesBackByValue) {
  TCefV8Value value{};
  Resolve(value.get_date_value, "get_date_value");
  TCefTime time{};
  EXPECT_BALANCED(time = value.get_date_value(&value));
  EXPECT_EQ(seen->pointers[0], &value);
  const TCefTime expected = {2012, 2, 3, 29, 23, 59, 58, 987};
  EXPECT_EQ(std::memcmp(&time, &expected, sizeof time), 0);
  static_assert(sizeof(TCefTime) == 32);
}

TEST_F(MsvcAbiTest, SixtyFourBitIntegersAsArgumentsAndResults) {
  TCefFrame frame{};
  Resolve(frame.get_identifier, "get_identifier");
  int64_t identifier = 0;
  EXPECT_BALANCED(identifier = frame.get_identifier(&frame));
  EXPECT_EQ(identifier, INT64_C(0x7EDCBA9876543210));

  TCefExport_cef_post_delayed_task postDelayedTask = nullptr;
  Resolve(postDelayedTask, "cef_post_delayed_task");
  int marker = 0;
  auto* task = reinterpret_cast<TCefTask*>(&marker);
  int posted = 0;
  EXPECT_BALANCED(posted = postDelayedTask(3, task, -(INT64_C(1) << 40) - 11));
  EXPECT_EQ(posted, 1);
  EXPECT_EQ(seen->ints[0], 3);
  EXPECT_EQ(seen->pointers[0], task);
  EXPECT_EQ(seen->wide, -(INT64_C(1) << 40) - 11);
}

TEST_F(MsvcAbiTest, DoublesAsArgumentsAndResults) {
  TCefBrowser browser{};
  Resolve(browser.get_zoom_level, "get_zoom_level");
  Resolve(browser.set_zoom_level, "set_zoom_level");
  double level = 0;
  EXPECT_BALANCED(level = browser.get_zoom_level(&browser));
  EXPECT_EQ(level, -2.75);
  EXPECT_BALANCED(browser.set_zoom_level(&browser, 1.0 / 3));
  EXPECT_EQ(seen->real, 1.0 / 3);
  EXPECT_EQ(seen->pointers[0], &browser);

  TCefExport_cef_v8value_create_double createDouble = nullptr;
  Resolve(createDouble, "cef_v8value_create_double");
  TCefV8Value* made = nullptr;
  EXPECT_BALANCED(made = createDouble(-1e300));
  EXPECT_EQ(static_cast<const void*>(made), seen);
  EXPECT_EQ(seen->real, -1e300);
}

TEST_F(MsvcAbiTest, SizesAndSixArguments) {
  TCefExport_cef_stream_reader_create_for_data createForData = nullptr;
  Resolve(createForData, "cef_stream_reader_create_for_data");
  char data[4];
  EXPECT_BALANCED(createForData(data, SIZE_MAX - 1));
  EXPECT_EQ(seen->pointers[0], data);
  EXPECT_EQ(seen->sizes[0], SIZE_MAX - 1);

  TCefBrowser browser{};
  Resolve(browser.find, "find");
  const TCefString text{};
  EXPECT_BALANCED(browser.find(&browser, 7, &text, 1, 0, 1));
  EXPECT_EQ(seen->pointers[0], &browser);
  EXPECT_EQ(seen->ints[0], 7);
  EXPECT_EQ(seen->pointers[1], &text);
  EXPECT_EQ(seen->ints[1], 1);
  EXPECT_EQ(seen->ints[2], 0);
  EXPECT_EQ(seen->ints[3], 1);
}

// The stream reader's members through the binding's generic caller (the wrapper's methods).
TEST_F(MsvcAbiTest, TheWrappersGenericCallerPassesEveryShapeOfTheStreamReader) {
  TCefStreamReader structure{};
  structure.base.size = sizeof structure;  // no add_ref or release: the wrapper calls neither
  Resolve(structure.read, "read");
  Resolve(structure.seek, "seek");
  Resolve(structure.tell, "tell");
  Resolve(structure.eof, "eof");
  IPtr<ICefStreamReader> reader = TCefStreamReaderRef::UnWrap(&structure);

  unsigned char bytes[8] = {};
  size_t items = 0;
  EXPECT_BALANCED(items = reader->Read(bytes, 3, 2));
  EXPECT_EQ(items, 1u);
  EXPECT_EQ(seen->sizes[0], 3u);
  EXPECT_EQ(seen->sizes[1], 2u);
  EXPECT_EQ(bytes[0], 0xA0);
  EXPECT_EQ(bytes[5], 0xA5);
  EXPECT_EQ(bytes[6], 0);
  int sought = -1;
  EXPECT_BALANCED(sought = reader->Seek(-(INT64_C(3) << 33) + 5, 2));
  EXPECT_EQ(sought, 0);
  EXPECT_EQ(seen->wide, -(INT64_C(3) << 33) + 5);
  EXPECT_EQ(seen->ints[0], 2);
  int64_t told = 0;
  EXPECT_BALANCED(told = reader->Tell());
  EXPECT_EQ(told, -(INT64_C(5) << 32) - 7);
  bool atEnd = false;
  EXPECT_BALANCED(atEnd = reader->Eof());
  EXPECT_TRUE(atEnd);
  EXPECT_EQ(seen->pointers[0], &structure);
}

// A stream of six gibibytes that hands out bytes 1, 2, 3, ... and writes down each seek.
class TCountingStream : public TStream {
 public:
  static constexpr int64_t kSize = INT64_C(6) << 30;
  int64_t position = 0;
  int64_t lastOffset = 0;
  TSeekOrigin lastOrigin = TSeekOrigin::soBeginning;

  int64_t Read(void* buffer, int64_t count) override {
    for (int64_t i = 0; i < count; ++i) static_cast<unsigned char*>(buffer)[i] = static_cast<unsigned char>(i + 1);
    return count;
  }
  int64_t Write(const void*, int64_t) override { return 0; }
  int64_t Seek(int64_t offset, TSeekOrigin origin) override {
    if (offset != 0 || origin != TSeekOrigin::soCurrent) {
      lastOffset = offset;
      lastOrigin = origin;
    }
    return position = (origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? position : kSize) +
                      offset;
  }
  int64_t Size() override { return kSize; }
};

TEST_F(MsvcAbiTest, TheLibraryCallsAProgramStructureFilledByTheGenericCallbackEntry) {
  TDriveExport drive = nullptr;
  Resolve(drive, "msvc_drive_read_handler");
  TCountingStream stream;
  IPtr<TCefCustomStreamReader> reader = New<TCefCustomStreamReader>(&stream, false);
  const int64_t offset = -(INT64_C(1) << 32) - 3;
  const int n = rounds;
  TAnswers answers{};
  uint32_t stacks[4 * 3] = {};
  ASSERT_EQ(n, 3);
  drive(reader->DataAs<TCefReadHandler>(), n, offset, &answers, stacks);

  EXPECT_EQ(answers.items, 2u);
  EXPECT_EQ(answers.bytes[0], 1);
  EXPECT_EQ(answers.bytes[5], 6);
  EXPECT_EQ(answers.sought, 0);
  EXPECT_EQ(stream.lastOffset, offset);
  EXPECT_EQ(stream.lastOrigin, TSeekOrigin::soEnd);
  EXPECT_EQ(answers.told, TCountingStream::kSize + offset);
  EXPECT_EQ(answers.at_end, 0);
  const char* const slots[] = {"read", "seek", "tell", "eof"};
  for (int round = 1; round < n; ++round) {
    for (int slot = 0; slot < 4; ++slot) {
      EXPECT_EQ(stacks[4 * round + slot], stacks[slot]) << slots[slot] << ": the caller's stack moved in round " << round;
    }
  }
}

}  // namespace
}  // namespace larkwell
