// The program's read handler over a native stream, driven through its structure's slots the
// way the engine drives it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "engine/cef_error_report.h"
#include "engine/stream_reader_ref.h"
#include "enginesim/control.h"
#include "framework/streams.h"
#include "tests/support/engine_test.h"

namespace larkwell {
namespace {

constexpr int64_t kGiB = int64_t{1} << 30;

// Hands the reader to the engine as the engine receives a handler (one reference it takes
// over) and drops the program's reference: from here on the engine alone keeps it alive.
TCefReadHandler* HandToEngine(IPtr<TCefCustomStreamReader> reader) {
  TCefBase* data = reader->Wrap();
  sim_adopt_ref(data);
  return reinterpret_cast<TCefReadHandler*>(data);
}

void EngineReleases(TCefReadHandler* handler) { sim_release(&handler->base); }

// A memory stream that tells when it is destroyed.
class TWatchedStream : public TMemoryStream {
 public:
  explicit TWatchedStream(bool& destroyed) : destroyed_(destroyed) {}
  ~TWatchedStream() override { destroyed_ = true; }

 private:
  bool& destroyed_;
};

// A stream of 5 GiB with no bytes behind it: it only keeps a position.
class THugeStream : public TStream {
 public:
  static constexpr int64_t kSize = 5 * kGiB;
  int64_t position = 0;

  int64_t Read(void*, int64_t) override { return 0; }
  int64_t Write(const void*, int64_t) override { return 0; }
  int64_t Seek(int64_t offset, TSeekOrigin origin) override {
    position = (origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? position : kSize) + offset;
    return position;
  }
};

class CustomStreamReaderTest : public testing::EngineTest {
 protected:
  void SetUp() override { ResetCefReportedErrors(); }
};

TEST_F(CustomStreamReaderTest, ThirtyBytesAnswerWholeItemsThenEndAndSeekFromEachOrigin) {
  TMemoryStream stream;
  std::vector<unsigned char> bytes(30);
  std::iota(bytes.begin(), bytes.end(), 0);
  stream.Write(bytes.data(), 30);
  stream.SetPosition(0);
  TCefReadHandler* handler = HandToEngine(New<TCefCustomStreamReader>(&stream, false));
  EXPECT_EQ(handler->base.size, sizeof(TCefReadHandler));

  unsigned char buffer[40] = {};
  EXPECT_EQ(handler->read(handler, buffer, 4, 10), 7u);  // 30 bytes: 7 whole items of 4
  EXPECT_EQ(buffer[29], 29);                             // the partial item's bytes were consumed
  EXPECT_EQ(handler->eof(handler), 1);
  EXPECT_EQ(handler->tell(handler), 30);

  EXPECT_EQ(handler->seek(handler, 0, 0), 0);
  EXPECT_EQ(handler->eof(handler), 0);
  // A seek answers 0 for success, as the engine's own readers do; the position is tell's.
  EXPECT_EQ(handler->seek(handler, 0, 2), 0);
  EXPECT_EQ(handler->tell(handler), 30);
  EXPECT_EQ(handler->seek(handler, -10, 1), 0);
  EXPECT_EQ(handler->tell(handler), 20);
  EXPECT_EQ(handler->read(handler, buffer, 0, 5), 0u);  // an item size of 0 reads nothing
  EXPECT_EQ(handler->tell(handler), 20);
  EXPECT_EQ(handler->read(handler, buffer, 3, 2), 2u);
  EXPECT_EQ(buffer[0], 20);
  EngineReleases(handler);
}

TEST_F(CustomStreamReaderTest, SeeksWithTheFullOffsetPastFourGibibytes) {
  THugeStream stream;
  TCefReadHandler* handler = HandToEngine(New<TCefCustomStreamReader>(&stream, false));
  constexpr int64_t kFar = 4 * kGiB + 10;

  EXPECT_EQ(handler->seek(handler, kFar, 0), 0);
  EXPECT_EQ(stream.position, kFar);
  EXPECT_EQ(handler->tell(handler), kFar);
  EXPECT_EQ(handler->seek(handler, kGiB, 1), 0);
  EXPECT_EQ(stream.position, 5 * kGiB + 10);
  handler->seek(handler, -1, 2);
  EXPECT_EQ(handler->tell(handler), THugeStream::kSize - 1);
  EXPECT_EQ(handler->eof(handler), 0);
  handler->seek(handler, 0, 2);
  EXPECT_EQ(handler->eof(handler), 1);
  EngineReleases(handler);
}

class TSeekFailingStream : public TMemoryStream {
 public:
  int64_t Seek(int64_t offset, TSeekOrigin origin) override {
    if (offset == 7) throw std::runtime_error("no seeking to 7");
    return TMemoryStream::Seek(offset, origin);
  }
};

TEST_F(CustomStreamReaderTest, ASeekThatFailsAnswersNonZeroAndLeavesThePositionAlone) {
  TSeekFailingStream stream;
  stream.Write("0123456789", 10);
  stream.SetPosition(4);
  TCefReadHandler* handler = HandToEngine(New<TCefCustomStreamReader>(&stream, false));
  EXPECT_NE(handler->seek(handler, -5, 1), 0) << "before the start";
  EXPECT_EQ(handler->tell(handler), 4);
  EXPECT_NE(handler->seek(handler, 0, 3), 0) << "an origin that does not exist";
  EXPECT_EQ(handler->tell(handler), 4);
  EXPECT_EQ(CefReportedErrorCount(), 0);
  EXPECT_NE(handler->seek(handler, 7, 0), 0) << "a stream that raises";
  EXPECT_EQ(CefReportedErrorCount(), 1);
  EXPECT_EQ(CefLastReportedErrorMessage(), u"no seeking to 7");
  EXPECT_EQ(handler->tell(handler), 4);
  EngineReleases(handler);
}

// A stream that writes down how many bytes it was asked for and reads none.
class TCountRecordingStream : public TMemoryStream {
 public:
  int64_t asked = 0;
  int64_t Read(void*, int64_t count) override {
    asked = count;
    return 0;
  }
};

TEST_F(CustomStreamReaderTest, AReadBeyondTheSigned64BitRangeAsksForTheCapNotAWrappedCount) {
  constexpr int64_t kCap = INT64_MAX;
  constexpr size_t kMaxSize = SIZE_MAX;
  struct Ask {
    size_t size, n;
    int64_t bytes;
  };
  std::vector<Ask> asks = {
      {kMaxSize, kMaxSize, kCap},  // wraps in size_t on a 64-bit host, beyond int64_t on the target
      {2, 3, 6},
  };
  if constexpr (sizeof(size_t) == 4) {
    // (2^32 - 1) * (2^31 + 1) lies just beyond the signed range; one item fewer just within it.
    asks.push_back({kMaxSize, size_t{0x80000001u}, kCap});
    asks.push_back({kMaxSize, size_t{0x80000000u}, int64_t{0xFFFFFFFF} * 0x80000000});
  } else {
    asks.push_back({2, kMaxSize / 4 + 1, kCap});  // 2^63 exactly: one past the range
    asks.push_back({2, kMaxSize / 4, kCap - 1});
    asks.push_back({kMaxSize, 1, kCap});
  }
  TCountRecordingStream stream;
  TCefReadHandler* handler = HandToEngine(New<TCefCustomStreamReader>(&stream, false));
  char byte = 0;
  for (const Ask& ask : asks) {
    stream.asked = -1;
    EXPECT_EQ(handler->read(handler, &byte, ask.size, ask.n), 0u);
    EXPECT_EQ(stream.asked, ask.bytes) << ask.size << " * " << ask.n;
  }
  EngineReleases(handler);
}

TEST_F(CustomStreamReaderTest, AnOwnedStreamGoesWithTheEnginesLastReleaseAndAnotherStaysOpen) {
  for (const bool owned : {true, false}) {
    SCOPED_TRACE(owned ? "owned" : "not owned");
    bool destroyed = false;
    auto* stream = new TWatchedStream(destroyed);
    stream->Write("abc", 3);
    TCefReadHandler* handler = HandToEngine(New<TCefCustomStreamReader>(stream, owned));
    EXPECT_FALSE(destroyed);
    EngineReleases(handler);
    EXPECT_EQ(destroyed, owned);
    if (!owned) {
      EXPECT_EQ(stream->Position(), 3);  // still usable
      delete stream;
    }
  }
}

TEST_F(CustomStreamReaderTest, ReadsANamedFileAndRaisesTheOpenErrorForAMissingOne) {
  const std::string path = "larkwell_custom_stream_reader_test.txt";
  const ustring name = Utf8ToUstring(path);
  {
    TFileStream out(name, FileMode::kCreate);
    out.Write("file body", 9);
  }
  TCefReadHandler* handler = HandToEngine(New<TCefCustomStreamReader>(name));
  char buffer[16] = {};
  EXPECT_EQ(handler->read(handler, buffer, 1, sizeof buffer), 9u);
  EXPECT_EQ(std::string(buffer, 9), "file body");
#if defined(_WIN32)
  // Open for reading, shared with readers but not with writers.
  EXPECT_NO_THROW(TFileStream(name, FileMode::kOpenRead));
  EXPECT_THROW(TFileStream(name, FileMode::kCreate), EFCreateError);
#endif
  EngineReleases(handler);  // closes the file
  EXPECT_EQ(std::remove(path.c_str()), 0);

  EXPECT_THROW(New<TCefCustomStreamReader>(name), EFOpenError);
}

// A stream that notices two callers inside it at once.
class TOverlapWatchingStream : public TStream {
 public:
  std::atomic<bool> overlapped{false};

  int64_t Read(void*, int64_t count) override { return Visit(count); }
  int64_t Write(const void*, int64_t) override { return 0; }
  int64_t Seek(int64_t offset, TSeekOrigin) override { return Visit(offset); }

 private:
  int64_t Visit(int64_t answer) {
    if (inside_.fetch_add(1) != 0) overlapped = true;
    std::this_thread::sleep_for(std::chrono::microseconds(100));
    inside_.fetch_sub(1);
    return answer;
  }
  std::atomic<int> inside_{0};
};

TEST_F(CustomStreamReaderTest, ConcurrentEngineCallsNeverMeetInsideTheStream) {
  TOverlapWatchingStream stream;
  TCefReadHandler* handler = HandToEngine(New<TCefCustomStreamReader>(&stream, false));
  std::vector<std::thread> engine_threads;
  for (int t = 0; t < 4; ++t) {
    engine_threads.emplace_back([handler] {
      char byte = 0;
      for (int i = 0; i < 20; ++i) {
        handler->read(handler, &byte, 1, 1);
        handler->seek(handler, 0, 0);
        handler->tell(handler);
        handler->eof(handler);
      }
    });
  }
  for (auto& thread : engine_threads) thread.join();
  EXPECT_FALSE(stream.overlapped);
  EngineReleases(handler);
}

class TFailingStream : public TMemoryStream {
 public:
  int64_t Read(void*, int64_t) override { throw std::runtime_error("disk gone"); }
};

TEST_F(CustomStreamReaderTest, AFailingStreamAnswersNothingReportsTheErrorAndLeavesTheReaderUsable) {
  TFailingStream stream;
  stream.Write("abcd", 4);
  TCefReadHandler* handler = HandToEngine(New<TCefCustomStreamReader>(&stream, false));
  char buffer[4];
  EXPECT_EQ(handler->read(handler, buffer, 1, 4), 0u);
  EXPECT_EQ(CefReportedErrorCount(), 1);
  EXPECT_EQ(CefLastReportedErrorMessage(), u"disk gone");
  // The lock was given back: another engine thread gets in.
  int64_t position = -1;
  std::thread([&] { position = handler->tell(handler); }).join();
  EXPECT_EQ(position, 4);
  EngineReleases(handler);
}

}  // namespace
}  // namespace larkwell
