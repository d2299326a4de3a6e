// The private text heap: its blocks live until freed or until the heap is
// destroyed; blocks made while there is no heap outlive it. In the sanitizer
// build the address sanitizer must see every block's bounds and lifetime.
#include "platform/text_heap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define NORVALE_ASAN 1
#else
#define NORVALE_ASAN 0
#endif

namespace {

// Whether the address sanitizer would report an access to this byte (always
// false without it).
bool Poisoned(const void* p) {
#if NORVALE_ASAN
  return __asan_address_is_poisoned(p) != 0;
#else
  (void)p;
  return false;
#endif
}

class TextHeapTest : public ::testing::Test {
 protected:
  void TearDown() override { TextHeapDestroy(); }
};

TEST_F(TextHeapTest, HeapStringsHoldTheirTextAndDestroyIsIdempotent) {
  TextHeapCreate();
  TextHeapCreate();  // a second call keeps the same heap
  ASSERT_TRUE(TextHeapExists());
  HeapString text = ToHeapString(std::string(5000, 'g') + "\r\n");
  text += "end";
  EXPECT_EQ(FromHeapString(text), std::string(5000, 'g') + "\r\nend");
  text = HeapString();
  TextHeapDestroy();
  TextHeapDestroy();
  EXPECT_FALSE(TextHeapExists());
}

TEST_F(TextHeapTest, DestroyTakesTheHeapsBlocksAndLeavesPlainOnes) {
  char* plain = static_cast<char*>(TextHeapAllocate(32));  // no heap yet
  ASSERT_NE(plain, nullptr);
  std::memset(plain, 'p', 32);
  TextHeapCreate();
  char* inHeap = static_cast<char*>(TextHeapAllocate(32));
  ASSERT_NE(inHeap, nullptr);
  std::memset(inHeap, 'h', 32);
  TextHeapDestroy();
  // The plain block is still there and intact.
  EXPECT_FALSE(Poisoned(plain));
  EXPECT_EQ(std::string(plain, 32), std::string(32, 'p'));
  // The heap's block went with the heap.
  if (NORVALE_ASAN) {
    EXPECT_TRUE(Poisoned(inHeap));
  }
  // Freeing it late does nothing; the plain block frees normally, also
  // while a new heap exists.
  TextHeapFree(inHeap);
  TextHeapCreate();
  TextHeapFree(plain);
  if (NORVALE_ASAN) {
    EXPECT_TRUE(Poisoned(plain));
  }
  TextHeapFree(nullptr);
}

TEST_F(TextHeapTest, TheSanitizerSeesEachBlocksBoundsAndItsFree) {
  if (!NORVALE_ASAN) GTEST_SKIP() << "built without the address sanitizer";
  TextHeapCreate();
  for (const std::size_t size : {std::size_t(1), std::size_t(13), std::size_t(4096)}) {
    char* p = static_cast<char*>(TextHeapAllocate(size));
    ASSERT_NE(p, nullptr);
    EXPECT_FALSE(Poisoned(p)) << size;
    EXPECT_FALSE(Poisoned(p + size - 1)) << size;
    EXPECT_TRUE(Poisoned(p + size)) << "one past the end of " << size;
    TextHeapFree(p);
    EXPECT_TRUE(Poisoned(p)) << "freed block of " << size;
  }
}

}  // namespace
