// The vector quantizer: build the bucket tree, reduce it by merging the
// cheapest pairs inside buckets, collect the surviving entries.
#include <algorithm>
#include <cstddef>
#include <cstdlib>

#include "codec/vq/vector_quantizer.h"
#include "platform/platform.h"

namespace quarn {
namespace {

constexpr int32_t kBucket = 0;
constexpr int32_t kSplit = 1;
constexpr int32_t kNone = -1;
// A bucket with fewer entries than this, beside a sibling, is dissolved into
// the sibling at the start of a reduction pass.
constexpr int32_t kSmallBucket = 4;
// Up to this many candidates an insertion sort is used (stable, no allocation).
constexpr int32_t kInsertionSortLimit = 32;

// The tree's invariants are checked; a broken one ends the process.
[[noreturn]] void InternalError(const char* message) {
  platform::ShowMessageBox(message, nullptr);
  std::exit(1);
}

bool SameVector(const int16_t* a, const int16_t* b, int32_t dimension) {
  for (int32_t d = 0; d < dimension; ++d) {
    if (a[d] != b[d]) return false;
  }
  return true;
}

// Widens a bucket's bounds to take in a vector about to be added; the first
// entry of a bucket (also of one that a split left empty) sets them.
void WidenBounds(VqNode& bucket, const int16_t* vector, int32_t dimension) {
  for (int32_t d = 0; d < dimension; ++d) {
    if (bucket.entryCount == 0) {
      bucket.upper[d] = vector[d];
      bucket.lower[d] = vector[d];
    } else if (vector[d] > bucket.upper[d]) {
      bucket.upper[d] = vector[d];
    } else if (vector[d] < bucket.lower[d]) {
      bucket.lower[d] = vector[d];
    }
  }
}

// Ascending cost; candidates of equal cost keep the depth-first order in
// which they were found.
void SortByCost(MergeCandidate* candidates, int32_t count) {
  const auto cheaper = [](const MergeCandidate& a, const MergeCandidate& b) { return a.cost < b.cost; };
  if (count > kInsertionSortLimit) {
    std::stable_sort(candidates, candidates + count, cheaper);
    return;
  }
  for (int32_t i = 1; i < count; ++i) {
    const MergeCandidate moving = candidates[i];
    int32_t j = i;
    while (j > 0 && cheaper(moving, candidates[j - 1])) {
      candidates[j] = candidates[j - 1];
      --j;
    }
    candidates[j] = moving;
  }
}

}  // namespace

int32_t VectorQuantizer::Quantize(int32_t width, int32_t height, const uint8_t* pixels, int32_t rowStride,
                                  int32_t blockWidth, int32_t blockHeight, int32_t components, int32_t target) {
  width_ = width;
  height_ = height;
  pixels_ = pixels;
  rowStride_ = rowStride;
  blockWidth_ = blockWidth;
  blockHeight_ = blockHeight;
  components_ = components;
  target_ = target;
  codeCount_ = 0;
  root_ = kNone;
  bucketCount_ = 0;
  entryCount_ = 0;
  nodesUsed_ = 0;
  freeNode_ = kNone;
  entriesUsed_ = 0;
  freeEntry_ = kNone;
  // Code vectors 0 and 1 are always readable; they stay zero when nothing
  // is collected.
  for (int32_t s = 0; s < 2; ++s) {
    for (int32_t d = 0; d < kVqMaxDimension; ++d) codes_.data()[s].value[d] = 0;
  }
  // The vectors live in fixed slots of four components.
  if (blockWidth < 1 || blockHeight < 1 || components < 1 || blockWidth > kVqMaxDimension ||
      blockHeight > kVqMaxDimension || components > kVqMaxDimension ||
      blockWidth * blockHeight * components > kVqMaxDimension) {
    dimension_ = 0;
    return 0;
  }
  dimension_ = blockWidth * blockHeight * components;

  Build();
  while (entryCount_ > target_) {
    if (!ReducePass()) break;
  }
  codes_.Reserve(std::max(entryCount_, 2), 0);
  Collect(root_);
  if (codeCount_ == 1) {
    // A caller that reads two code vectors always finds two.
    CodeVectorSlots& second = codes_.data()[1];
    for (int32_t d = 0; d < kVqMaxDimension; ++d) second.value[d] = d < components_ ? codes_.data()[0].value[d] : 0;
  }
  FreeTree(root_);
  root_ = kNone;
  return codeCount_;
}

// Every whole group of blockHeight rows, every whole group of blockWidth
// texels in it: one vector, row by row, bytes widened to int16. Rows and
// texels beyond the last whole group are ignored.
void VectorQuantizer::Build() {
  const int32_t rowBytes = width_ * components_;
  const int32_t step = blockWidth_ * components_;
  const int32_t end = rowBytes - rowBytes % step;
  const uint8_t* rows[kVqMaxDimension] = {};
  int16_t vector[kVqMaxDimension] = {};
  for (int32_t group = 0; group < height_ / blockHeight_; ++group) {
    for (int32_t r = 0; r < blockHeight_; ++r) {
      rows[r] = pixels_ + static_cast<std::ptrdiff_t>(group * blockHeight_ + r) * rowStride_;
    }
    for (int32_t start = 0; start < end; start += step) {
      int32_t d = 0;
      for (int32_t r = 0; r < blockHeight_; ++r) {
        for (int32_t i = 0; i < step; ++i) vector[d++] = rows[r][start + i];
      }
      root_ = Insert(root_, vector, 1);
    }
  }
}

// Inserts a vector with its weight into the subtree at `node` and returns the
// subtree's new root. `vector` must not point into the entry store.
int32_t VectorQuantizer::Insert(int32_t node, const int16_t* vector, int32_t weight) {
  if (node == kNone) {
    const int32_t bucket = NewNode(kBucket);
    AppendEntry(bucket, vector, weight);
    return bucket;
  }
  const int32_t kind = nodes_.data()[node].kind;
  if (kind == kSplit) {
    const VqNode& split = nodes_.data()[node];
    if (vector[split.axis] > split.splitValue) {
      const int32_t right = Insert(split.right, vector, weight);
      nodes_.data()[node].right = right;
    } else {
      const int32_t left = Insert(split.left, vector, weight);
      nodes_.data()[node].left = left;
    }
    return node;
  }
  if (kind != kBucket) InternalError("Error in insert\n");

  const VqNode& bucket = nodes_.data()[node];
  // A vector already present only adds its weight, even to a full bucket.
  for (int32_t i = 0; i < bucket.entryCount; ++i) {
    VqEntry& entry = entries_.data()[bucket.entries[i]];
    if (SameVector(entry.vector, vector, dimension_)) {
      entry.count += weight;
      return node;
    }
  }
  if (bucket.entryCount < kVqBucketSize) {
    AppendEntry(node, vector, weight);
    return node;
  }
  return Insert(SplitBucket(node), vector, weight);
}

// Adds an entry at the end of a bucket and widens its bounds.
void VectorQuantizer::AppendEntry(int32_t bucket, const int16_t* vector, int32_t weight) {
  const int32_t entry = NewEntry(vector, weight);
  VqNode& node = nodes_.data()[bucket];
  WidenBounds(node, vector, dimension_);
  node.entries[node.entryCount++] = entry;
}

// Splits a full bucket on the axis of its widest range at the truncated
// midpoint and returns the node that takes its place. The bounds may be wider
// than the entries (merges do not shrink them), so one side may stay empty.
// With no range at all every entry is the same vector: they are folded into
// the first, and the bucket stays.
int32_t VectorQuantizer::SplitBucket(int32_t bucket) {
  int32_t axis = 0;
  int32_t range = 0;
  {
    const VqNode& full = nodes_.data()[bucket];
    range = full.upper[0] - full.lower[0];
    for (int32_t d = 1; d < dimension_; ++d) {
      if (full.upper[d] - full.lower[d] > range) {
        range = full.upper[d] - full.lower[d];
        axis = d;
      }
    }
  }

  if (range == 0) {
    VqNode& full = nodes_.data()[bucket];
    VqEntry& kept = entries_.data()[full.entries[0]];
    for (int32_t i = 1; i < full.entryCount; ++i) {
      kept.count += entries_.data()[full.entries[i]].count;
      FreeEntry(full.entries[i]);
    }
    full.entryCount = 1;
    return bucket;
  }

  const int32_t split = NewNode(kSplit);
  const int32_t left = NewNode(kBucket);
  const int32_t right = NewNode(kBucket);
  VqNode* nodes = nodes_.data();  // no node is created below
  const VqNode& full = nodes[bucket];
  const int32_t splitValue = (full.upper[axis] + full.lower[axis]) / 2;
  nodes[split].axis = axis;
  nodes[split].splitValue = splitValue;
  nodes[split].left = left;
  nodes[split].right = right;
  for (int32_t i = 0; i < full.entryCount; ++i) {
    const int32_t entry = full.entries[i];
    const int16_t* vector = entries_.data()[entry].vector;
    VqNode& side = nodes[vector[axis] > splitValue ? right : left];
    WidenBounds(side, vector, dimension_);
    side.entries[side.entryCount++] = entry;
  }
  // The entries now belong to the two new buckets.
  nodes[bucket].entryCount = 0;
  FreeBucket(bucket);
  return split;
}

// One reduction pass; false when there is nothing left to merge.
bool VectorQuantizer::ReducePass() {
  root_ = Collapse(root_);
  if (root_ == kNone) return false;
  candidates_.Reserve(bucketCount_, 0);
  int32_t found = 0;
  FindCandidates(root_, found);
  if (found == 0) return false;

  MergeCandidate* candidates = candidates_.data();
  SortByCost(candidates, found);
  int32_t merges = std::min(found / 2, entryCount_ - target_);
  if (merges < 1) merges = 1;
  for (int32_t i = 0; i < merges; ++i) Merge(candidates[i]);
  return true;
}

// Dissolves buckets of fewer than four entries into their sibling subtree:
// at a split node the left child if it is such a bucket, else the right one,
// else both children are visited. The sibling that takes the split node's
// place is not visited again in this pass.
int32_t VectorQuantizer::Collapse(int32_t node) {
  if (node == kNone || nodes_.data()[node].kind != kSplit) return node;
  const auto isSmallBucket = [this](int32_t child) {
    return child != kNone && nodes_.data()[child].kind == kBucket && nodes_.data()[child].entryCount < kSmallBucket;
  };
  const int32_t left = nodes_.data()[node].left;
  const int32_t right = nodes_.data()[node].right;
  if (isSmallBucket(left)) {
    FreeNode(node);
    return DissolveInto(left, right);
  }
  if (isSmallBucket(right)) {
    FreeNode(node);
    return DissolveInto(right, left);
  }
  const int32_t newLeft = Collapse(left);
  nodes_.data()[node].left = newLeft;
  const int32_t newRight = Collapse(right);
  nodes_.data()[node].right = newRight;
  return node;
}

// Inserts each entry of a small bucket, in order and with its count as
// weight, into the sibling subtree, frees the bucket and returns the
// sibling's new root.
int32_t VectorQuantizer::DissolveInto(int32_t smallBucket, int32_t sibling) {
  const int32_t count = nodes_.data()[smallBucket].entryCount;
  for (int32_t i = 0; i < count; ++i) {
    const VqEntry entry = entries_.data()[nodes_.data()[smallBucket].entries[i]];
    sibling = Insert(sibling, entry.vector, entry.count);
  }
  FreeBucket(smallBucket);
  return sibling;
}

// Depth-first, left before right: the cheapest pair of every bucket with at
// least two entries. Pairs are visited in order and only a strictly cheaper
// one replaces the best so far.
void VectorQuantizer::FindCandidates(int32_t node, int32_t& found) {
  if (node == kNone) InternalError("find_candidates\n");
  const VqNode& current = nodes_.data()[node];
  if (current.kind == kSplit) {
    FindCandidates(current.left, found);
    FindCandidates(current.right, found);
    return;
  }
  if (current.kind != kBucket) InternalError("find_cand\n");
  if (current.entryCount < 2) return;
  MergeCandidate best{node, INT32_MAX, 0, 0};
  for (int32_t first = 0; first < current.entryCount - 1; ++first) {
    for (int32_t second = first + 1; second < current.entryCount; ++second) {
      const int32_t cost =
          MergeCost(entries_.data()[current.entries[first]], entries_.data()[current.entries[second]]);
      if (cost < best.cost) {
        best.cost = cost;
        best.first = first;
        best.second = second;
      }
    }
  }
  candidates_.data()[found++] = best;
}

// Ward's criterion: count(a) x count(b) x |a - b|^2 / (count(a) + count(b)),
// in 32-bit integers with truncating division. The product wraps like the
// 32-bit arithmetic it is defined in (only images far larger than a block
// reach that).
int32_t VectorQuantizer::MergeCost(const VqEntry& a, const VqEntry& b) const {
  int32_t distance = 0;
  for (int32_t d = 0; d < dimension_; ++d) {
    const int32_t difference = a.vector[d] - b.vector[d];
    distance += difference * difference;
  }
  const uint32_t product =
      static_cast<uint32_t>(b.count) * static_cast<uint32_t>(a.count) * static_cast<uint32_t>(distance);
  return static_cast<int32_t>(product) / (a.count + b.count);
}

// The first entry becomes the truncated weighted mean of the pair and takes
// both counts; the second leaves the bucket. The bounds stay as they are.
void VectorQuantizer::Merge(const MergeCandidate& candidate) {
  if (candidate.first >= candidate.second) InternalError("Error in merge: candidates out of order.\n");
  VqNode& bucket = nodes_.data()[candidate.bucket];
  const int32_t secondIndex = bucket.entries[candidate.second];
  VqEntry& first = entries_.data()[bucket.entries[candidate.first]];
  const VqEntry& second = entries_.data()[secondIndex];
  const int32_t weight = second.count + first.count;
  for (int32_t d = 0; d < dimension_; ++d) {
    first.vector[d] = static_cast<int16_t>((second.vector[d] * second.count + first.vector[d] * first.count) / weight);
  }
  first.count = weight;
  FreeEntry(secondIndex);
  for (int32_t i = candidate.second + 1; i < bucket.entryCount; ++i) bucket.entries[i - 1] = bucket.entries[i];
  --bucket.entryCount;
}

// Depth-first, left before right, each bucket's entries in order.
void VectorQuantizer::Collect(int32_t node) {
  if (node == kNone) return;
  const VqNode& current = nodes_.data()[node];
  if (current.kind == kSplit) {
    Collect(current.left);
    Collect(current.right);
    return;
  }
  for (int32_t i = 0; i < current.entryCount; ++i) {
    const VqEntry& entry = entries_.data()[current.entries[i]];
    CodeVectorSlots& code = codes_.data()[codeCount_++];
    for (int32_t d = 0; d < kVqMaxDimension; ++d) code.value[d] = d < dimension_ ? entry.vector[d] : 0;
  }
}

void VectorQuantizer::FreeTree(int32_t node) {
  if (node == kNone) return;
  const int32_t kind = nodes_.data()[node].kind;
  if (kind == kSplit) {
    FreeTree(nodes_.data()[node].left);
    FreeTree(nodes_.data()[node].right);
    FreeNode(node);
  } else if (kind == kBucket) {
    FreeBucket(node);
  } else {
    InternalError("Free Node");
  }
}

int32_t VectorQuantizer::NewNode(int32_t kind) {
  if (kind != kBucket && kind != kSplit) InternalError("Error newnode\n");
  int32_t node = freeNode_;
  if (node != kNone) {
    freeNode_ = nodes_.data()[node].left;
  } else {
    nodes_.Reserve(nodesUsed_ + 1, nodesUsed_);
    node = nodesUsed_++;
  }
  VqNode& created = nodes_.data()[node];
  created.kind = kind;
  created.entryCount = 0;
  created.axis = 0;
  created.splitValue = 0;
  created.left = kNone;
  created.right = kNone;
  if (kind == kBucket) ++bucketCount_;
  return node;
}

void VectorQuantizer::FreeNode(int32_t node) {
  nodes_.data()[node].kind = -1;
  nodes_.data()[node].left = freeNode_;
  freeNode_ = node;
}

void VectorQuantizer::FreeBucket(int32_t bucket) {
  VqNode& node = nodes_.data()[bucket];
  for (int32_t i = 0; i < node.entryCount; ++i) FreeEntry(node.entries[i]);
  node.entryCount = 0;
  if (--bucketCount_ < 0) InternalError("negative n_buckets\n");
  FreeNode(bucket);
}

int32_t VectorQuantizer::NewEntry(const int16_t* vector, int32_t weight) {
  int32_t entry = freeEntry_;
  if (entry != kNone) {
    freeEntry_ = entries_.data()[entry].count;
  } else {
    entries_.Reserve(entriesUsed_ + 1, entriesUsed_);
    entry = entriesUsed_++;
  }
  VqEntry& created = entries_.data()[entry];
  created.count = weight;
  for (int32_t d = 0; d < kVqMaxDimension; ++d) created.vector[d] = d < dimension_ ? vector[d] : 0;
  ++entryCount_;
  return entry;
}

void VectorQuantizer::FreeEntry(int32_t entry) {
  entries_.data()[entry].count = freeEntry_;
  freeEntry_ = entry;
  --entryCount_;
}

}  // namespace quarn
