// The native streams: a stream in memory and a stream over a real file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "core/exceptions.h"
#include "framework/streams.h"

namespace larkwell {
namespace {

TEST(MemoryStreamTest, WritesGrowReadsStopAtTheEndAndSeeksFromEachOrigin) {
  TMemoryStream stream;
  EXPECT_EQ(stream.Write("abcdef", 6), 6);
  EXPECT_EQ(stream.Size(), 6);
  EXPECT_EQ(stream.Position(), 6);

  EXPECT_EQ(stream.Seek(-4, TSeekOrigin::soEnd), 2);
  char buffer[8] = {};
  EXPECT_EQ(stream.Read(buffer, 8), 4);  // only what is left
  EXPECT_EQ(std::string(buffer, 4), "cdef");
  EXPECT_EQ(stream.Read(buffer, 8), 0);

  EXPECT_EQ(stream.Seek(1, TSeekOrigin::soBeginning), 1);
  EXPECT_EQ(stream.Seek(2, TSeekOrigin::soCurrent), 3);
  EXPECT_EQ(stream.Write("XY", 2), 2);  // overwrites in place
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(stream.Memory()), 6), "abcXYf");
}

TEST(MemoryStreamTest, SeekingPastTheEndReadsNothingAndAWriteThereFillsTheGapWithZeros) {
  TMemoryStream stream;
  stream.Write("ab", 2);
  EXPECT_EQ(stream.Seek(5, TSeekOrigin::soBeginning), 5);
  char c = 0;
  EXPECT_EQ(stream.Read(&c, 1), 0);
  EXPECT_EQ(stream.Write("z", 1), 1);
  ASSERT_EQ(stream.Size(), 6);
  EXPECT_EQ(std::memcmp(stream.Memory(), "ab\0\0\0z", 6), 0);

  stream.SetSize(3);
  EXPECT_EQ(stream.Position(), 3);  // pulled back to the new end
  stream.Clear();
  EXPECT_EQ(stream.Size(), 0);
  EXPECT_EQ(stream.Position(), 0);
}

class FileStreamTest : public ::testing::Test {
 protected:
  void TearDown() override { std::remove(path_.c_str()); }
  ustring Name() const { return Utf8ToUstring(path_); }
  std::string path_ = "larkwell_file_stream_test.bin";
};

TEST_F(FileStreamTest, CreateEmptiesAnExistingFileAndReadingSeesWhatWasWritten) {
  {
    TFileStream out(Name(), FileMode::kCreate);
    EXPECT_EQ(out.Write("0123456789", 10), 10);
  }
  {
    TFileStream again(Name(), FileMode::kCreate);  // emptied, not appended to
    EXPECT_EQ(again.Size(), 0);
    EXPECT_EQ(again.Write("hello", 5), 5);
  }
  TFileStream in(Name(), FileMode::kOpenRead);
  EXPECT_EQ(in.Size(), 5);
  EXPECT_EQ(in.Seek(1, TSeekOrigin::soBeginning), 1);
  char buffer[8] = {};
  EXPECT_EQ(in.Read(buffer, 8), 4);
  EXPECT_EQ(std::string(buffer, 4), "ello");
  EXPECT_EQ(in.Read(buffer, 8), 0);
  EXPECT_EQ(in.Write("x", 1), 0);  // opened for reading only
}

TEST_F(FileStreamTest, PositionsBeyondFourGibibytesAreNotCut) {
  TFileStream out(Name(), FileMode::kCreate);
  constexpr int64_t kFar = (int64_t{1} << 32) + 7;
  EXPECT_EQ(out.Seek(kFar, TSeekOrigin::soBeginning), kFar);
  EXPECT_EQ(out.Position(), kFar);
  EXPECT_EQ(out.Seek(-7, TSeekOrigin::soCurrent), int64_t{1} << 32);
}

// The stream answers Position() from its own record: it must follow every kind of move.
TEST_F(FileStreamTest, ThePositionFollowsWritesShortReadsSeeksAndFailures) {
  {
    TFileStream out(Name(), FileMode::kCreate);
    EXPECT_EQ(out.Position(), 0);
    out.Write("0123456789", 10);
    EXPECT_EQ(out.Position(), 10);
    EXPECT_EQ(out.Seek(-4, TSeekOrigin::soEnd), 6);
    out.Write("ab", 2);
    EXPECT_EQ(out.Position(), 8);
    EXPECT_EQ(out.Seek(-1, TSeekOrigin::soBeginning), -1);  // refused
    EXPECT_EQ(out.Position(), 8);                            // and nothing moved
  }
  TFileStream in(Name(), FileMode::kOpenRead);
  char buffer[16];
  EXPECT_EQ(in.Seek(3, TSeekOrigin::soCurrent), 3);
  EXPECT_EQ(in.Read(buffer, 16), 7);  // short: the end of the file
  EXPECT_EQ(in.Position(), 10);
  EXPECT_EQ(in.Seek(2, TSeekOrigin::soBeginning), 2);
  EXPECT_EQ(in.Write("x", 1), 0);  // refused by the system
  EXPECT_EQ(in.Position(), 2);
  EXPECT_EQ(in.Read(buffer, 3), 3);
  EXPECT_EQ(std::string(buffer, 3), "234");
  EXPECT_EQ(in.Position(), 5);
}

TEST_F(FileStreamTest, AMissingFileRaisesTheOpenErrorWithItsName) {
  try {
    TFileStream in(u"no_such_dir/no_such_file.bin", FileMode::kOpenRead);
    FAIL() << "opening a missing file must raise";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message().rfind(u"Cannot open file \"no_such_dir/no_such_file.bin\". ", 0), 0u);
  }
  EXPECT_THROW(TFileStream(u"no_such_dir/new.bin", FileMode::kCreate), EFCreateError);
}

}  // namespace
}  // namespace larkwell
