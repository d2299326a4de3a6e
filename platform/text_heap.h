// The platform layer's private text heap (a mimalloc heap) and the string type
// whose buffers come from it.
#pragma once

#include <cstddef>
#include <new>
#include <string>
#include <string_view>

// Creates the heap (idempotent) / destroys it with everything still in it.
void TextHeapCreate();
void TextHeapDestroy();
bool TextHeapExists();
void* TextHeapAllocate(std::size_t bytes);
void TextHeapFree(void* p);

// A standard allocator over the private heap (falls back to operator new
// when the heap does not exist, e.g. for a string made before start-up).
template <typename T>
struct TextHeapAllocator {
  using value_type = T;
  TextHeapAllocator() noexcept = default;
  template <typename U>
  TextHeapAllocator(const TextHeapAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) {
    void* p = TextHeapAllocate(n * sizeof(T));
    if (p == nullptr) throw std::bad_alloc();
    return static_cast<T*>(p);
  }
  void deallocate(T* p, std::size_t) noexcept { TextHeapFree(p); }
  template <typename U>
  bool operator==(const TextHeapAllocator<U>&) const noexcept { return true; }
};

using HeapString = std::basic_string<char, std::char_traits<char>, TextHeapAllocator<char>>;

inline HeapString ToHeapString(std::string_view s) { return HeapString(s.data(), s.size()); }
inline std::string FromHeapString(const HeapString& s) { return std::string(s.data(), s.size()); }
