#include "Containers.h"

#include <gtest/gtest.h>

#include <QString>
#include <algorithm>

namespace {

template <class T>
std::vector<T> Sorted(std::vector<T> v) {
  std::sort(v.begin(), v.end());
  return v;
}

TEST(SetTest, Algebra) {
  auto set = TSet<int>::Create();
  EXPECT_TRUE(set->IfAdd(1));
  EXPECT_FALSE(set->IfAdd(1));
  set->Add(2).Add(3).Add(2);
  EXPECT_EQ(set->GetCount(), 3);
  EXPECT_TRUE(set->Contains(3));
  EXPECT_TRUE(set->IfRemove(3));
  EXPECT_FALSE(set->IfRemove(3));
  set->RemoveOne(42);

  TSet<int> other{2, 5, 6};
  TArrayList<int> list{5, 5, 7};
  EXPECT_TRUE(set->Overlaps(other));
  EXPECT_FALSE(set->Overlaps(list));
  set->Union(other).Union(list);
  EXPECT_EQ(Sorted(set->ToArray()), (std::vector<int>{1, 2, 5, 6, 7}));
  EXPECT_TRUE(set->IsSupersetOf(list));
  EXPECT_TRUE(other.IsSubsetOf(*set));
  EXPECT_FALSE(set->IsSubsetOf(other));
  set->Intersect(other);
  EXPECT_EQ(Sorted(set->ToArray()), (std::vector<int>{2, 5, 6}));
  EXPECT_TRUE(set->IsSubsetOf(other) && set->IsSupersetOf(other));
  set->RemoveAll(list);
  EXPECT_EQ(Sorted(set->ToArray()), (std::vector<int>{2, 6}));
  set->Intersect(*set).Union(*set);
  EXPECT_EQ(set->GetCount(), 2);
  set->Append(std::vector<int>{8, 8, 9}).Assign(list);
  EXPECT_EQ(Sorted(set->ToArray()), (std::vector<int>{5, 7}));
  EXPECT_TRUE(set->IsSubsetOf(list));
  set->RemoveAll(*set);
  EXPECT_EQ(set->GetCount(), 0);
  EXPECT_FALSE(set->Overlaps(list));
  EXPECT_TRUE(set->IsSubsetOf(other));  // the empty set is a subset of anything

  // Enumeration sees each element once.
  TSet<QString> words{"b", "a", "c", "a"};
  std::vector<QString> seen;
  for (const QString& w : words) seen.push_back(w);
  EXPECT_EQ(Sorted(seen), (std::vector<QString>{"a", "b", "c"}));
}

TEST(LinkedListTest, EndsEnumerationAndRemoval) {
  auto list = TLinkedList<int>::Create();
  list->Add(2).Add(3).AddFront(1).Add(2).Add(4);
  EXPECT_EQ(list->GetCount(), 5);
  EXPECT_EQ(list->ToArray(), (std::vector<int>{1, 2, 3, 2, 4}));
  list->RemoveAll(2).RemoveOne(4).Add(5);  // the tail moved back and is used again
  EXPECT_EQ(list->ToArray(), (std::vector<int>{1, 3, 5}));
  EXPECT_TRUE(list->Contains(5));

  std::vector<int> seen;
  for (int v : list->Query(true)->Items()) seen.push_back(v);
  EXPECT_EQ(seen, (std::vector<int>{5, 3, 1}));
  int out = 0;
  while (list->ExtractFirst(out)) seen.push_back(out);
  EXPECT_EQ(seen, (std::vector<int>{5, 3, 1, 1, 3, 5}));
  EXPECT_EQ(out, 0);
  EXPECT_EQ(list->GetCount(), 0);
  list->Add(7);
  EXPECT_EQ(list->ToArray(), (std::vector<int>{7}));
  auto e = list->GetEnumerator();
  EXPECT_TRUE(e->MoveNext());
  EXPECT_EQ(e->GetCurrent(), 7);
  EXPECT_FALSE(e->MoveNext());
  EXPECT_FALSE(e->MoveNext());
}

}  // namespace
