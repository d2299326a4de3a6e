// The private text heap of the platform layer, over a mimalloc heap.
//
// Every block carries a small header with the heap's generation: a block made
// before start-up (plain malloc, generation 0) or by a heap that has since been
// destroyed is recognised on free, so a late free never touches freed memory.
#include "platform/text_heap.h"

#include <cstdint>
#include <cstdlib>

#if NORVALE_TEXT_HEAP_SYSTEM_ALLOCATOR

// The sanitizer build: each block comes straight from malloc, so the address
// sanitizer sees its exact bounds and its lifetime. The heap is then the set
// of blocks handed out while it exists; destroying it frees them all. A block
// made while there is no heap stays a plain block until it is freed.
#include <unordered_map>

namespace {
bool gHeapExists = false;

// Every live block, and whether it belongs to the heap. Never destroyed:
// strings with static storage may still free their text during exit.
std::unordered_map<void*, bool>& LiveBlocks() {
  static auto* const blocks = new std::unordered_map<void*, bool>();
  return *blocks;
}
}  // namespace

void TextHeapCreate() { gHeapExists = true; }

void TextHeapDestroy() {
  if (!gHeapExists) return;
  auto& blocks = LiveBlocks();
  for (auto it = blocks.begin(); it != blocks.end();) {
    if (it->second) {
      std::free(it->first);
      it = blocks.erase(it);
    } else {
      ++it;
    }
  }
  gHeapExists = false;
}

bool TextHeapExists() { return gHeapExists; }

void* TextHeapAllocate(std::size_t bytes) {
  void* p = std::malloc(bytes > 0 ? bytes : 1);
  if (p != nullptr) LiveBlocks()[p] = gHeapExists;
  return p;
}

void TextHeapFree(void* p) {
  if (p == nullptr) return;
  auto& blocks = LiveBlocks();
  const auto it = blocks.find(p);
  // Not there: its heap was destroyed, and the block with it.
  if (it == blocks.end()) return;
  blocks.erase(it);
  std::free(p);
}

#else

#include <mimalloc.h>

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

#endif
