// The counted object base, the interface pointer and query by identifier.
#include <gtest/gtest.h>

#include <atomic>

#include "core/exceptions.h"
#include "core/interfaced_object.h"

namespace larkwell {
namespace {

class IShape : public virtual IInterface {
 public:
  static constexpr TGUID IID = TGUID::Parse("{0B7A4C1E-1F64-4C7A-9E23-6A3F0D6E2B11}");
  virtual int Corners() = 0;
};
inline const InterfaceRegistration<IShape> kRegisterIShape;

class IColoured : public virtual IInterface {
 public:
  static constexpr TGUID IID = TGUID::Parse("{5C2E9D70-4B1A-4F3E-8C6D-2A9B7E1F0C33}");
  virtual int Colour() = 0;
};
inline const InterfaceRegistration<IColoured> kRegisterIColoured;

class IUnimplemented : public virtual IInterface {
 public:
  static constexpr TGUID IID = TGUID::Parse("{9D1E2F30-7A6B-4C5D-8E9F-0A1B2C3D4E5F}");
};
inline const InterfaceRegistration<IUnimplemented> kRegisterIUnimplemented;

std::atomic<int> destroyed{0};

class Square : public TInterfacedObject, public virtual IShape, public virtual IColoured {
 public:
  Square() = default;
  // Takes and drops a reference to itself while constructing, as a constructor that hands
  // `this` to someone does; the count held at 1 keeps the object alive through it.
  explicit Square(bool touch_itself) {
    if (touch_itself) IPtr<IShape>::CopyFrom(this).Reset();
  }
  ~Square() override { ++destroyed; }
  int Corners() override { return 4; }
  int Colour() override { return 7; }
};

class InterfaceTest : public ::testing::Test {
 protected:
  void SetUp() override { destroyed = 0; }
};

TEST_F(InterfaceTest, NewObjectHoldsOneReferenceAndDiesWithTheLast) {
  IPtr<Square> square = New<Square>();
  EXPECT_EQ(square->RefCount(), 1);
  IPtr<Square> copy = square;
  EXPECT_EQ(square->RefCount(), 2);
  IPtr<Square> moved = std::move(copy);
  EXPECT_FALSE(copy);
  EXPECT_EQ(square->RefCount(), 2);
  moved.Reset();
  square.Reset();
  EXPECT_EQ(destroyed, 1);
}

TEST_F(InterfaceTest, ConstructorThatTouchesItsOwnCountDoesNotDestroyIt) {
  IPtr<Square> square = New<Square>(true);
  EXPECT_EQ(destroyed, 0);
  EXPECT_EQ(square->RefCount(), 1);
  square.Reset();
  EXPECT_EQ(destroyed, 1);
}

TEST_F(InterfaceTest, AdoptTakesOverAndCopyAddsAReference) {
  IPtr<Square> square = New<Square>();
  Square* raw = square.get();
  raw->AddRef();  // a reference someone hands over
  {
    IPtr<Square> adopted = IPtr<Square>::Adopt(raw);
    EXPECT_EQ(raw->RefCount(), 2);
    IPtr<Square> copied = IPtr<Square>::CopyFrom(raw);
    EXPECT_EQ(raw->RefCount(), 3);
  }
  EXPECT_EQ(raw->RefCount(), 1);
  Square* detached = square.Detach();
  EXPECT_EQ(detached->RefCount(), 1);
  IPtr<Square>::Adopt(detached);
  EXPECT_EQ(destroyed, 1);
}

TEST_F(InterfaceTest, QueryByIdentifierFindsEachImplementedInterfaceAndAddsAReference) {
  IPtr<Square> square = New<Square>();
  IPtr<IShape> shape = Query<IShape>(square);
  ASSERT_TRUE(shape);
  EXPECT_EQ(shape->Corners(), 4);
  IPtr<IColoured> coloured = Query<IColoured>(shape);  // across sibling interfaces
  ASSERT_TRUE(coloured);
  EXPECT_EQ(coloured->Colour(), 7);
  EXPECT_EQ(square->RefCount(), 3);
  EXPECT_FALSE(Query<IUnimplemented>(square));
  EXPECT_EQ(square->RefCount(), 3);

  void* out = reinterpret_cast<void*>(1);
  EXPECT_FALSE(square->QueryInterface(TGUID::Parse("{00000000-0000-0000-0000-000000000001}"), &out));
  EXPECT_EQ(out, nullptr);
  TGUID nextToShape = IShape::IID;  // every byte counts, the last one too
  nextToShape.D4[7] ^= 1;
  EXPECT_FALSE(square->QueryInterface(nextToShape, &out));
  EXPECT_FALSE(Query<IShape>(static_cast<IInterface*>(nullptr)));
}

TEST_F(InterfaceTest, DestroyingAnObjectThatIsStillReferencedIsRefused) {
  IPtr<Square> square = New<Square>();
  try {
    square->Destroy();
    FAIL() << "Destroy of a referenced object must raise";
  } catch (const EInvalidPointer& e) {
    EXPECT_EQ(e.Message(), u"Invalid pointer operation");
  }
  EXPECT_EQ(destroyed, 0);
  square.Reset();
  EXPECT_EQ(destroyed, 1);
}

TEST(GuidTest, ParsesTheRegistryForm) {
  constexpr TGUID g = TGUID::Parse("{1F9A7B44-DCDC-4477-9180-3ADD44BDEB7B}");
  EXPECT_EQ(g.D1, 0x1F9A7B44u);
  EXPECT_EQ(g.D2, 0xDCDCu);
  EXPECT_EQ(g.D3, 0x4477u);
  const uint8_t d4[8] = {0x91, 0x80, 0x3A, 0xDD, 0x44, 0xBD, 0xEB, 0x7B};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(g.D4[i], d4[i]) << i;
  EXPECT_EQ(g, TGUID::Parse("{1f9a7b44-dcdc-4477-9180-3add44bdeb7b}"));
  EXPECT_FALSE(g == TGUID::Parse("{1F9A7B44-DCDC-4477-9180-3ADD44BDEB7C}"));
}

}  // namespace
}  // namespace larkwell
