// The host allocator's accounting and failure injection, which the module's memory tests rely on.
#include <gtest/gtest.h>

#include "allocator.h"

namespace xtrahost {
namespace {

class AllocatorTest : public ::testing::Test {
 protected:
  CallLog log;
  Allocator allocator{log};
};

TEST_F(AllocatorTest, CountsEveryRequestLiveBlockAndFree) {
  void* a = allocator.Allocate(12);
  void* b = allocator.Allocate(200);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(allocator.liveBlocks(), 2u);
  EXPECT_EQ(allocator.liveBytes(), 212u);
  EXPECT_EQ(allocator.blockSize(b), 200u);

  allocator.Free(a);
  EXPECT_EQ(allocator.liveBlocks(), 1u);
  EXPECT_EQ(allocator.frees(), 1u);
  EXPECT_FALSE(allocator.blockSize(a).has_value());
  EXPECT_EQ(allocator.grantedSizes(), (std::vector<std::uint32_t>{12, 200}));
  EXPECT_TRUE(
      log.inOrder({"Allocator.Allocate(12)", "Allocator.Allocate(200)", "Allocator.Free(12)"}));
  allocator.Free(b);
  EXPECT_EQ(allocator.liveBytes(), 0u);
}

TEST_F(AllocatorTest, FreesOfNullAndForeignBlocksAreCountedApart) {
  int notOurs = 0;
  void* block = allocator.Allocate(4);
  allocator.Free(block);
  allocator.Free(block);  // twice
  allocator.Free(&notOurs);
  allocator.Free(nullptr);
  EXPECT_EQ(allocator.frees(), 1u);
  EXPECT_EQ(allocator.foreignFrees(), 2u);
  EXPECT_EQ(allocator.nullFrees(), 1u);
}

TEST_F(AllocatorTest, FailNextRefusesThatManyThenSucceeds) {
  allocator.failNext(2);
  EXPECT_EQ(allocator.Allocate(12), nullptr);
  EXPECT_EQ(allocator.Allocate(12), nullptr);
  void* third = allocator.Allocate(12);
  EXPECT_NE(third, nullptr);
  EXPECT_EQ(allocator.failures(), 2u);
  EXPECT_EQ(allocator.requests().size(), 3u);
  EXPECT_FALSE(allocator.requests()[1].granted);
  EXPECT_TRUE(allocator.requests()[2].granted);
  EXPECT_TRUE(log.contains("Allocator.Allocate(12) -> none"));
  allocator.Free(third);
}

TEST_F(AllocatorTest, FailSizeRefusesOnlyThatSizeAndCanBeCounted) {
  allocator.failSize(276, 1);
  void* other = allocator.Allocate(12);
  EXPECT_NE(other, nullptr);
  EXPECT_EQ(allocator.Allocate(276), nullptr);
  void* again = allocator.Allocate(276);
  EXPECT_NE(again, nullptr);
  allocator.Free(other);
  allocator.Free(again);
}

TEST_F(AllocatorTest, FailAlwaysUntilCleared) {
  allocator.failAlways();
  EXPECT_EQ(allocator.Allocate(1), nullptr);
  EXPECT_EQ(allocator.Allocate(1000), nullptr);
  allocator.clearFailures();
  void* block = allocator.Allocate(1);
  EXPECT_NE(block, nullptr);
  allocator.Free(block);
  EXPECT_EQ(allocator.liveBlocks(), 0u);
}

}  // namespace
}  // namespace xtrahost
