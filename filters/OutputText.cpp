// Output assembly for the filters: merged appends with the clipping of one append per piece.
#include "filters/OutputText.h"

#include <algorithm>
#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

OutputText::OutputText(size_t expected) : out_(std::make_unique<B2String1>()) {
  const size_t room = std::min(expected, static_cast<size_t>(B2String1::kMaxLength));
  if (room <= static_cast<size_t>(B2String1::kMinCapacity)) return;
  out_->Reserve(static_cast<int>(room));
#ifdef __linux__
  // The output's pages are touched for the first time as it is written; 2 MB pages make that
  // a few hundred faults instead of ten thousand. Only advice: nothing changes if refused.
  const uintptr_t hugePage = uintptr_t{2} << 20;
  const uintptr_t begin =
      (reinterpret_cast<uintptr_t>(out_->Data()) + hugePage - 1) & ~(hugePage - 1);
  const uintptr_t end =
      (reinterpret_cast<uintptr_t>(out_->Data()) + static_cast<uintptr_t>(out_->Capacity())) &
      ~(hugePage - 1);
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#endif
}

// A piece that starts a new run, or one that may be refused or cut.
void OutputText::PutStableSlow(const char* bytes, size_t size) {
  Flush();
  if (length_ + size <= kClipFree) {
    pending_ = bytes;
    pendingSize_ = size;
    length_ += size;
    return;
  }
  AppendNow(bytes, size);
}

void OutputText::PutTransient(const char* bytes, size_t size) {
  if (size == 0) return;
  Flush();
  AppendNow(bytes, size);
}

std::unique_ptr<B2String1> OutputText::Finish() {
  Flush();
  return std::move(out_);
}

void OutputText::Flush() {
  if (pendingSize_ == 0) return;
  out_->Append(pending_, static_cast<int>(pendingSize_));
  pending_ = nullptr;
  pendingSize_ = 0;
}

// One real append, refused or clipped as B2String1 does it.
void OutputText::AppendNow(const char* bytes, size_t size) {
  const size_t capped = std::min(size, static_cast<size_t>(B2String1::kMaxLength));
  const size_t before = static_cast<size_t>(out_->Length());
  out_->Append(bytes, static_cast<int>(capped));
  length_ = static_cast<size_t>(out_->Length());
  if (length_ != before + size) cut_ = true;
}
