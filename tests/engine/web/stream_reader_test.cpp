// ICefStreamReader through TCefStreamReaderRef and its four ways of making a reader, against
// the stand-in's readers.
#include <cstring>
#include <string>

#include "framework/streams.h"
#include "tests/engine/web/web_test.h"

namespace larkwell::testing {
namespace {

class StreamReaderTest : public EngineTest {};

const std::string kThirtyBytes = "0123456789abcdefghijklmnopqrst";

// Reads everything left, one byte an item.
std::string ReadRest(const IPtr<ICefStreamReader>& reader) {
  std::string bytes;
  char block[8];
  while (size_t got = reader->Read(block, 1, sizeof block)) bytes.append(block, got);
  return bytes;
}

std::unique_ptr<TMemoryStream> ThirtyByteStream() {
  auto stream = std::make_unique<TMemoryStream>();
  stream->Write(kThirtyBytes.data(), static_cast<int64_t>(kThirtyBytes.size()));
  stream->SetPosition(0);
  return stream;
}

TEST_F(StreamReaderTest, ReaderOverDataReadsWholeItemsAndSeeks) {
  std::string data = kThirtyBytes;
  IPtr<ICefStreamReader> reader = TCefStreamReaderRef::CreateForData(data.data(), data.size());
  ASSERT_TRUE(reader);
  char items[40] = {};
  EXPECT_EQ(reader->Read(items, 4, 10), 7u);
  EXPECT_EQ(std::string(items, 28), kThirtyBytes.substr(0, 28));
  EXPECT_FALSE(reader->Eof()) << "the two bytes of a partial item are still there";
  EXPECT_EQ(reader->Tell(), 28);

  EXPECT_EQ(reader->Seek(-8, 1), 0);
  EXPECT_EQ(reader->Tell(), 20);
  EXPECT_EQ(ReadRest(reader), kThirtyBytes.substr(20));
  EXPECT_TRUE(reader->Eof());
  EXPECT_EQ(reader->Seek(0, 2), 0);
  EXPECT_EQ(reader->Tell(), 30);
  EXPECT_EQ(reader->Seek(int64_t{1} << 32, 0), -1) << "past the end of the data";
  EXPECT_EQ(reader->Tell(), 30);
}

TEST_F(StreamReaderTest, ReaderOverAFile) {
  TempFile file(kThirtyBytes);
  IPtr<ICefStreamReader> reader = TCefStreamReaderRef::CreateForFile(file.name());
  ASSERT_TRUE(reader);
  EXPECT_EQ(ReadRest(reader), kThirtyBytes);
  EXPECT_TRUE(reader->Eof());
  EXPECT_EQ(reader->Seek(10, 0), 0);
  EXPECT_EQ(ReadRest(reader), kThirtyBytes.substr(10));
}

TEST_F(StreamReaderTest, NoReaderForAMissingFile) {
  ustring missing;
  {
    TempFile gone("");
    missing = gone.name();
  }
  EXPECT_FALSE(TCefStreamReaderRef::CreateForFile(missing));
}

TEST_F(StreamReaderTest, ReaderOverACustomStreamAsksTheProgram) {
  auto stream = ThirtyByteStream();
  {
    IPtr<ICefStreamReader> reader =
        TCefStreamReaderRef::CreateForCustomStream(New<TCefCustomStreamReader>(stream.get(), false));
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader->Read(nullptr, 0, 3), 0u);
    char items[40] = {};
    EXPECT_EQ(reader->Read(items, 4, 10), 7u);
    EXPECT_TRUE(reader->Eof());
    EXPECT_EQ(reader->Seek(0, 2), 0);  // 0 for success, from the program's reader as from the engine's
    EXPECT_EQ(reader->Tell(), 30);
    EXPECT_EQ(reader->Seek(12, 0), 0);
    EXPECT_EQ(reader->Tell(), 12);
    EXPECT_NE(reader->Seek(-13, 1), 0);
    EXPECT_EQ(reader->Tell(), 12);
  }
  EXPECT_EQ(stream->Size(), 30) << "not owned: the stream outlives the reader";
  EXPECT_FALSE(TCefStreamReaderRef::CreateForCustomStream(nullptr));
}

TEST_F(StreamReaderTest, ReaderOverANativeStreamItOwns) {
  IPtr<ICefStreamReader> reader = TCefStreamReaderRef::CreateForStream(ThirtyByteStream().release(), true);
  ASSERT_TRUE(reader);
  EXPECT_EQ(ReadRest(reader), kThirtyBytes);
}

// A stream of five gibibytes of zeros that takes no memory.
class TSparseStream : public TStream {
 public:
  static constexpr int64_t kSize = int64_t{5} << 30;
  int64_t Read(void* buffer, int64_t count) override {
    const int64_t got = std::max<int64_t>(0, std::min(count, kSize - position_));
    std::memset(buffer, 0, static_cast<size_t>(got));
    position_ += got;
    return got;
  }
  int64_t Write(const void*, int64_t) override { return 0; }
  int64_t Seek(int64_t offset, TSeekOrigin origin) override {
    const int64_t base = origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? position_ : kSize;
    return position_ = base + offset;
  }

 private:
  int64_t position_ = 0;
};

TEST_F(StreamReaderTest, SeekCarriesAll64BitsOfTheOffset) {
  TSparseStream stream;
  IPtr<ICefStreamReader> reader = TCefStreamReaderRef::CreateForStream(&stream, false);
  const int64_t target = (int64_t{4} << 30) + 3;
  EXPECT_EQ(reader->Seek(target, 0), 0);
  EXPECT_EQ(reader->Tell(), target);
  EXPECT_EQ(stream.Position(), target);
  EXPECT_FALSE(reader->Eof());
  reader->Seek(0, 2);
  EXPECT_TRUE(reader->Eof());
}

}  // namespace
}  // namespace larkwell::testing
