// Output assembly for the filters: merged appends with the clipping of one append per piece.
#include "filters/OutputText.h"

#include <algorithm>

OutputText::OutputText(size_t expected) : out_(std::make_unique<B2String1>()) {
  const size_t room = std::min(expected, static_cast<size_t>(B2String1::kMaxLength));
  if (room > static_cast<size_t>(B2String1::kMinCapacity)) out_->Reserve(static_cast<int>(room));
}

void OutputText::PutStable(const char* bytes, size_t size) {
  if (size == 0) return;
  // A merged run equals its pieces appended one by one as long as it ends at or below
  // 39,999,999: no piece in it is then refused or cut.
  if (length_ + size <= kClipFree) {
    if (pendingSize_ > 0 && pending_ + pendingSize_ == bytes) {
      pendingSize_ += size;
    } else {
      Flush();
      pending_ = bytes;
      pendingSize_ = size;
    }
    length_ += size;
    return;
  }
  Flush();
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
  out_->Append(bytes, static_cast<int>(capped));
  length_ = static_cast<size_t>(out_->Length());
}
