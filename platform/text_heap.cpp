// The private text heap of the platform layer, over a mimalloc heap.
//
// Every block carries a small header with the heap's generation: a block made
// before start-up (plain malloc, generation 0) or by a heap that has since been
// destroyed is recognised on free, so a late free never touches freed memory.
#include "platform/text_heap.h"

#include <mimalloc.h>

#include <cstdint>
#include <cstdlib>

namespace {
mi_heap_t* gTextHeap = nullptr;
uint64_t gGeneration = 0;  // generation of the current heap, 0 = none
uint64_t gNextGeneration = 1;

struct alignas(std::max_align_t) BlockHeader {
  uint64_t generation;  // 0 = plain malloc
};
}  // namespace

void TextHeapCreate() {
  if (gTextHeap != nullptr) return;
  gTextHeap = mi_heap_new();
  if (gTextHeap != nullptr) gGeneration = gNextGeneration++;
}

void TextHeapDestroy() {
  if (gTextHeap == nullptr) return;
  mi_heap_destroy(gTextHeap);
  gTextHeap = nullptr;
  gGeneration = 0;
}

bool TextHeapExists() { return gTextHeap != nullptr; }

void* TextHeapAllocate(std::size_t bytes) {
  const std::size_t total = sizeof(BlockHeader) + bytes;
  void* raw = gTextHeap != nullptr ? mi_heap_malloc(gTextHeap, total) : std::malloc(total);
  if (raw == nullptr) return nullptr;
  auto* header = static_cast<BlockHeader*>(raw);
  header->generation = gTextHeap != nullptr ? gGeneration : 0;
  return header + 1;
}

void TextHeapFree(void* p) {
  if (p == nullptr) return;
  auto* header = static_cast<BlockHeader*>(p) - 1;
  if (header->generation == 0) {
    std::free(header);
  } else if (gTextHeap != nullptr && header->generation == gGeneration) {
    mi_free(header);
  }
  // else: the heap the block came from was destroyed, and the block with it.
}
