// OrderedArray: the one list container of the engine (attributes, instances, queues, warnings,
// virtual names, memory blocks). Elements are stored contiguously; positions count from 1.
//
// Reading by position also accepts two historical aliases that driver bindings rely on:
// position 0 names the last element and -1 the first. Growing may throw std::bad_alloc, which
// every exported function converts to the engine's out-of-memory status.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace zor {

template <typename T>
class OrderedArray {
 public:
  using Position = std::int32_t;

  std::size_t size() const noexcept { return items_.size(); }
  Position count() const noexcept { return static_cast<Position>(items_.size()); }
  bool empty() const noexcept { return items_.empty(); }
  void Reserve(std::size_t room) { items_.reserve(room); }
  void Clear() noexcept { items_.clear(); }

  // The element at `position` (1..count, or 0 for the last, -1 for the first), or nullptr.
  T* At(Position position) noexcept { return items_.empty() ? nullptr : Slot(position); }
  const T* At(Position position) const noexcept {
    return const_cast<OrderedArray*>(this)->At(position);
  }

  // Direct access by position 1..count, unchecked.
  T& operator[](Position position) noexcept { return items_[static_cast<std::size_t>(position - 1)]; }
  const T& operator[](Position position) const noexcept {
    return items_[static_cast<std::size_t>(position - 1)];
  }

  void Append(T item) { items_.push_back(std::move(item)); }

  // Inserts before `position` (1..count+1); the later elements move up one place.
  void InsertAt(Position position, T item) {
    items_.insert(items_.begin() + (position - 1), std::move(item));
  }

  // Removes the element at `position` (1..count) and hands it back.
  T RemoveAt(Position position) {
    auto where = items_.begin() + (position - 1);
    T removed = std::move(*where);
    items_.erase(where);
    return removed;
  }

  // Position of the first element for which `matches(element)` holds, or 0.
  template <typename Predicate>
  Position FindFirst(Predicate matches) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
      if (matches(items_[i])) return static_cast<Position>(i + 1);
    }
    return 0;
  }

  // Binary search in an array sorted by `compare(element, key)` (negative, zero, positive).
  // Returns the position of a match, or 0 with `*insertAt` (if given) set to where the key
  // would go to keep the order.
  template <typename Key, typename Compare>
  Position BinarySearch(const Key& key, Compare compare, Position* insertAt = nullptr) const {
    // Branch-free halving: the next probe does not depend on a predicted branch, so large
    // arrays cost little more per step than small ones.
    std::size_t base = 0;
    std::size_t n = items_.size();
    if (n > 0) {
      while (n > 1) {
        const std::size_t half = n / 2;
        base = compare(items_[base + half], key) < 0 ? base + half : base;
        n -= half;
      }
      // `base` is now the last element below the key, or the first element.
      if (compare(items_[base], key) < 0) ++base;
      if (base < items_.size() && compare(items_[base], key) == 0) return static_cast<Position>(base + 1);
    }
    if (insertAt != nullptr) *insertAt = static_cast<Position>(base + 1);
    return 0;
  }

  // Inserts keeping the order of `compare(a, b)`; returns the new position, or 0 when an equal
  // element exists and duplicates are refused. Duplicates go after their equals.
  template <typename Compare>
  Position InsertSorted(T item, Compare compare, bool allowDuplicates) {
    auto where = std::upper_bound(items_.begin(), items_.end(), item,
                                  [&](const T& a, const T& b) { return compare(a, b) < 0; });
    if (!allowDuplicates && where != items_.begin() && compare(*(where - 1), item) == 0) return 0;
    const auto position = static_cast<Position>(where - items_.begin() + 1);
    items_.insert(where, std::move(item));
    return position;
  }

  // In-place quicksort by `compare(a, b)`, median of three as pivot.
  template <typename Compare>
  void Sort(Compare compare) {
    if (items_.size() > 1) QuickSort(0, items_.size() - 1, compare);
  }

  auto begin() noexcept { return items_.begin(); }
  auto end() noexcept { return items_.end(); }
  auto begin() const noexcept { return items_.begin(); }
  auto end() const noexcept { return items_.end(); }

 private:
  T* Slot(Position position) noexcept {
    if (position == 0) return &items_.back();
    if (position == -1) return &items_.front();
    if (position < 1 || static_cast<std::size_t>(position) > items_.size()) return nullptr;
    return &items_[static_cast<std::size_t>(position - 1)];
  }

  template <typename Compare>
  void QuickSort(std::size_t low, std::size_t high, Compare& compare) {
    while (low < high) {
      const std::size_t middle = low + (high - low) / 2;
      // Median of three: afterwards items_[low] <= items_[middle] <= items_[high].
      if (compare(items_[middle], items_[low]) < 0) std::swap(items_[middle], items_[low]);
      if (compare(items_[high], items_[low]) < 0) std::swap(items_[high], items_[low]);
      if (compare(items_[high], items_[middle]) < 0) std::swap(items_[high], items_[middle]);
      std::swap(items_[middle], items_[high]);  // the pivot waits at the end
      std::size_t store = low;
      for (std::size_t i = low; i < high; ++i) {
        if (compare(items_[i], items_[high]) < 0) std::swap(items_[i], items_[store++]);
      }
      std::swap(items_[store], items_[high]);
      // Recurse into the smaller side and loop over the larger: the stack stays logarithmic.
      if (store - low < high - store) {
        if (store > low) QuickSort(low, store - 1, compare);
        low = store + 1;
      } else {
        QuickSort(store + 1, high, compare);
        if (store == low) break;
        high = store - 1;
      }
    }
  }

  std::vector<T> items_;
};

}  // namespace zor
