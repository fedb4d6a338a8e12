#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "core/ordered_array.h"

namespace zor {
namespace {

int CompareInts(int a, int b) { return a < b ? -1 : (a > b ? 1 : 0); }

TEST(OrderedArray, PositionsCountFromOneWithAliasesForLastAndFirst) {
  OrderedArray<int> array;
  EXPECT_EQ(array.At(0), nullptr);  // aliases need elements
  EXPECT_EQ(array.At(-1), nullptr);
  for (int v : {10, 20, 30}) array.Append(v);
  struct Case {
    int position;
    const int* expected;
  };
  const int ten = 10, twenty = 20, thirty = 30;
  const Case cases[] = {{1, &ten}, {2, &twenty}, {3, &thirty}, {0, &thirty}, {-1, &ten},
                        {4, nullptr}, {-2, nullptr}};
  for (const auto& c : cases) {
    const int* found = array.At(c.position);
    if (c.expected == nullptr) {
      EXPECT_EQ(found, nullptr) << c.position;
    } else {
      ASSERT_NE(found, nullptr) << c.position;
      EXPECT_EQ(*found, *c.expected) << c.position;
    }
  }
}

TEST(OrderedArray, InsertRemoveAndLinearSearch) {
  OrderedArray<int> array;
  array.Append(1);
  array.Append(3);
  array.InsertAt(2, 2);
  array.InsertAt(1, 0);
  EXPECT_EQ(std::vector<int>(array.begin(), array.end()), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(array.RemoveAt(2), 1);
  EXPECT_EQ(array.FindFirst([](int v) { return v == 3; }), 3);
  EXPECT_EQ(array.FindFirst([](int v) { return v == 7; }), 0);
}

TEST(OrderedArray, SortedInsertAndBinarySearch) {
  OrderedArray<int> array;
  for (int v : {5, 1, 9, 5, 3}) array.InsertSorted(v, CompareInts, true);
  EXPECT_EQ(std::vector<int>(array.begin(), array.end()), (std::vector<int>{1, 3, 5, 5, 9}));
  EXPECT_EQ(array.InsertSorted(3, CompareInts, false), 0);  // refused duplicate
  EXPECT_EQ(array.count(), 5);
  for (int key : {1, 3, 9}) {
    const auto at = array.BinarySearch(key, CompareInts);
    ASSERT_NE(at, 0);
    EXPECT_EQ(array[at], key);
  }
  OrderedArray<int>::Position insertAt = 0;
  EXPECT_EQ(array.BinarySearch(4, CompareInts, &insertAt), 0);
  EXPECT_EQ(insertAt, 3);
  EXPECT_EQ(array.BinarySearch(100, CompareInts, &insertAt), 0);
  EXPECT_EQ(insertAt, 6);
}

TEST(OrderedArray, SortAgreesWithTheStandardSort) {
  std::mt19937 random(7);
  for (std::size_t size : {0u, 1u, 2u, 3u, 10u, 257u}) {
    for (int spread : {3, 1000}) {  // many duplicates, and few
      std::vector<int> values(size);
      for (auto& v : values) v = static_cast<int>(random() % static_cast<unsigned>(spread));
      OrderedArray<int> array;
      for (int v : values) array.Append(v);
      array.Sort(CompareInts);
      std::sort(values.begin(), values.end());
      EXPECT_EQ(std::vector<int>(array.begin(), array.end()), values) << size;
    }
  }
  std::vector<int> sorted(100);
  for (int i = 0; i < 100; ++i) sorted[static_cast<std::size_t>(i)] = i;
  OrderedArray<int> ascending;  // already sorted, and reversed: the median pivot keeps them fast
  OrderedArray<int> descending;
  for (int i = 0; i < 100; ++i) {
    ascending.Append(i);
    descending.Append(99 - i);
  }
  ascending.Sort(CompareInts);
  descending.Sort(CompareInts);
  EXPECT_EQ(std::vector<int>(ascending.begin(), ascending.end()), sorted);
  EXPECT_EQ(std::vector<int>(descending.begin(), descending.end()), sorted);
}

TEST(OrderedArray, HoldsMoveOnlyElements) {
  OrderedArray<std::unique_ptr<int>> array;
  array.Append(std::make_unique<int>(2));
  array.Append(std::make_unique<int>(1));
  array.Sort([](const std::unique_ptr<int>& a, const std::unique_ptr<int>& b) { return CompareInts(*a, *b); });
  EXPECT_EQ(*array[1], 1);
  std::unique_ptr<int> removed = array.RemoveAt(1);
  EXPECT_EQ(*removed, 1);
  EXPECT_EQ(array.count(), 1);
}

}  // namespace
}  // namespace zor
