// A growable array of plain records that starts in storage of its own and
// moves to the heap only when more than N elements are asked for. Elements
// are addressed by index, so growing keeps every index valid (pointers into
// the store do not survive a Reserve).
#ifndef QUARN_CODEC_VQ_SMALL_STORE_H
#define QUARN_CODEC_VQ_SMALL_STORE_H

#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

namespace quarn {

template <typename T, int32_t N>
class SmallStore {
  static_assert(std::is_trivially_copyable_v<T>, "SmallStore holds plain records only");

 public:
  SmallStore() {}  // the inline elements are left uninitialised on purpose: the store is made per call
  SmallStore(const SmallStore&) = delete;
  SmallStore& operator=(const SmallStore&) = delete;

  T* data() { return data_; }
  const T* data() const { return data_; }
  int32_t capacity() const { return capacity_; }

  // Makes room for at least `wanted` elements, keeping the first `used`.
  void Reserve(int32_t wanted, int32_t used) {
    if (wanted <= capacity_) return;
    int32_t grown = capacity_ * 2;
    if (grown < wanted) grown = wanted;
    std::vector<T> bigger(static_cast<size_t>(grown));
    if (used > 0) std::memcpy(bigger.data(), data_, sizeof(T) * static_cast<size_t>(used));
    heap_.swap(bigger);
    data_ = heap_.data();
    capacity_ = grown;
  }

 private:
  T inline_[N];
  std::vector<T> heap_;
  T* data_ = inline_;
  int32_t capacity_ = N;
};

}  // namespace quarn

#endif
