// Raw allocation for the string library: allocation failure ends the operation like `new`.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>

namespace b2memory {

/// Resizes (or, from null, allocates) a block; never returns null.
inline void* Resize(void* block, size_t size) {
  void* p = std::realloc(block, size ? size : 1);
  if (!p) throw std::bad_alloc();
  return p;
}

}  // namespace b2memory
