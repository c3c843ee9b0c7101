// Reduces the vectors of a small byte image to a few representative vectors
// (a codebook). A build phase inserts every vector into a tree of two-way
// splits whose leaves ("buckets") hold at most eight distinct vectors with
// their counts; a reduction phase then merges the cheapest pair of entries
// inside buckets, many buckets per pass, until no more entries are left than
// the target. The surviving entries are the code vectors.
//
// The object is the per-call context: keep one on the stack. Its working
// storage lives inside the object, so the small images of the colour fitter
// (sixteen vectors) never allocate; larger images grow the storage on the
// heap for the duration of the object.
#ifndef QUARN_CODEC_VQ_VECTOR_QUANTIZER_H
#define QUARN_CODEC_VQ_VECTOR_QUANTIZER_H

#include <cstdint>

#include "codec/vq/small_store.h"

namespace quarn {

// Components of a vector at most: blockHeight x blockWidth x components.
inline constexpr int32_t kVqMaxDimension = 4;
// Distinct vectors a bucket holds before it splits.
inline constexpr int32_t kVqBucketSize = 8;

// One distinct vector of a bucket and the number of source vectors it stands for.
struct VqEntry {
  int32_t count;
  int16_t vector[kVqMaxDimension];
};

// A tree node: a bucket (kind 0) or a split (kind 1). Nodes and entries are
// referred to by their index in the quantizer's stores; -1 is "none".
struct VqNode {
  int32_t kind;
  // Bucket.
  int32_t entryCount;
  int16_t upper[kVqMaxDimension];  // per component the largest value ever held
  int16_t lower[kVqMaxDimension];  // per component the smallest value ever held
  int32_t entries[kVqBucketSize];  // in insertion order
  // Split: a vector whose component `axis` is above `splitValue` goes right.
  int32_t axis;
  int32_t splitValue;
  int32_t left;
  int32_t right;
};

// The cheapest pair of one bucket during a reduction pass (first < second).
struct MergeCandidate {
  int32_t bucket;
  int32_t cost;
  int32_t first;
  int32_t second;
};

class VectorQuantizer {
 public:
  VectorQuantizer() = default;
  VectorQuantizer(const VectorQuantizer&) = delete;
  VectorQuantizer& operator=(const VectorQuantizer&) = delete;

  // Quantizes the image's vectors of blockWidth x blockHeight texels of
  // `components` bytes each to at most `target` code vectors (when that
  // many can be reached by merging inside buckets) and returns their number.
  // When one code vector results, its first `components` values are also
  // copied into code vector 1. A vector of more than four components, or a
  // non-positive block size, is refused: the result is 0.
  int32_t Quantize(int32_t width, int32_t height, const uint8_t* pixels, int32_t rowStride, int32_t blockWidth,
                   int32_t blockHeight, int32_t components, int32_t target);

  // Code vector s: four int32 slots, the first `dimension` of them used.
  // Valid for s below max(codeCount(), 2) after Quantize (zero where no
  // code vector was collected).
  const int32_t* CodeVector(int32_t s) const { return codes_.data()[s].value; }
  int32_t codeCount() const { return codeCount_; }

 private:
  struct CodeVectorSlots {
    int32_t value[kVqMaxDimension];
  };

  void Build();
  int32_t Insert(int32_t node, const int16_t* vector, int32_t weight);
  int32_t SplitBucket(int32_t bucket);
  void AppendEntry(int32_t bucket, const int16_t* vector, int32_t weight);
  bool ReducePass();
  int32_t Collapse(int32_t node);
  int32_t DissolveInto(int32_t smallBucket, int32_t sibling);
  void FindCandidates(int32_t node, int32_t& found);
  int32_t MergeCost(const VqEntry& a, const VqEntry& b) const;
  void Merge(const MergeCandidate& candidate);
  void Collect(int32_t node);
  void FreeTree(int32_t node);

  int32_t NewNode(int32_t kind);
  void FreeNode(int32_t node);
  void FreeBucket(int32_t bucket);
  int32_t NewEntry(const int16_t* vector, int32_t weight);
  void FreeEntry(int32_t entry);

  // Inputs of the current call.
  int32_t width_ = 0;
  int32_t height_ = 0;
  const uint8_t* pixels_ = nullptr;
  int32_t rowStride_ = 0;
  int32_t blockWidth_ = 0;
  int32_t blockHeight_ = 0;
  int32_t components_ = 0;
  int32_t dimension_ = 0;
  int32_t target_ = 0;

  // Tree state.
  int32_t root_ = -1;
  int32_t bucketCount_ = 0;
  int32_t entryCount_ = 0;
  int32_t codeCount_ = 0;

  // Stores with their high-water marks and free lists (threaded through
  // `left` of a free node and `count` of a free entry).
  SmallStore<VqNode, 48> nodes_;
  int32_t nodesUsed_ = 0;
  int32_t freeNode_ = -1;
  SmallStore<VqEntry, 24> entries_;
  int32_t entriesUsed_ = 0;
  int32_t freeEntry_ = -1;
  SmallStore<MergeCandidate, 24> candidates_;
  SmallStore<CodeVectorSlots, 16> codes_;
};

}  // namespace quarn

#endif
