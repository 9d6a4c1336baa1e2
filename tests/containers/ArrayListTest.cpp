#include "ArrayList.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QString>
#include <random>
#include <vector>

namespace {

template <class T>
T Make(int v);
template <>
int Make<int>(int v) {
  return v;
}
template <>
QString Make<QString>(int v) {
  return QString::number(v);
}

template <class T>
void ExpectSame(const TArrayList<T>& list, const std::vector<T>& model, const char* step) {
  ASSERT_EQ(list.GetCount(), int(model.size())) << step;
  ASSERT_GE(list.GetCapacity(), list.GetCount()) << step;
  for (int i = 0; i < list.GetCount(); ++i) ASSERT_EQ(list[i], model[size_t(i)]) << step << " at " << i;
}

template <class T>
class ArrayListRandomTest : public ::testing::Test {};
using ElementTypes = ::testing::Types<int, QString>;
TYPED_TEST_SUITE(ArrayListRandomTest, ElementTypes);

// Random operation sequences against std::vector; growth must follow the library's rule exactly
// (one CommonIncreaseCapacity step per growing operation) and never happen when there is room.
TYPED_TEST(ArrayListRandomTest, MatchesVectorAndGrowsByTheRule) {
  using T = TypeParam;
  std::mt19937 rng(1234);
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  TArrayList<T> list;
  std::vector<T> model;
  size_t largest = 0;
  for (int step = 0; step < 20000; ++step) {
    const int n = int(model.size());
    const int capacity = list.GetCapacity();
    int grownTo = -1;  // the count a growing operation needs, -1 for operations that never grow
    const T v = Make<T>(pick(0, 50));
    // Alternate phases that mostly grow and phases that mix in every removal.
    int op = pick(0, 13);
    if ((step / 2500) % 2 == 0 && op >= 4 && op != 6 && op != 8 && op != 12) op = pick(0, 3);
    switch (op) {
      case 0: {
        const int count = pick(-1, 4);
        list.Add(v, count);
        if (count > 0) model.insert(model.end(), size_t(count), v), grownTo = n + count;
        break;
      }
      case 1:
        list.ProcedureAdd(v);
        model.push_back(v), grownTo = n + 1;
        break;
      case 2: {
        const int index = pick(0, n + 2), count = pick(0, 3);
        list.Insert(index, v, count);
        model.insert(model.begin() + std::min(index, n), size_t(count), v);
        if (count > 0) grownTo = n + count;
        break;
      }
      case 3: {
        const int index = pick(0, n + 1);
        const std::vector<T> values = {Make<T>(pick(0, 9)), Make<T>(pick(0, 9)), Make<T>(pick(0, 9))};
        list.Insert(index, std::span<const T>(values));
        model.insert(model.begin() + std::min(index, n), values.begin(), values.end()), grownTo = n + 3;
        break;
      }
      case 4: {
        const int index = pick(-2, n + 1);
        list.Delete(index);
        if (index >= 0 && index < n) model.erase(model.begin() + index);
        break;
      }
      case 5: {
        const int index = pick(-1, n + 1), count = pick(-1, 6);
        list.Delete(index, count);
        if (index >= 0 && index < n && count > 0)
          model.erase(model.begin() + index, model.begin() + std::min(n, index + count));
        break;
      }
      case 6:
        list.AddFront(v);
        model.insert(model.begin(), v), grownTo = n + 1;
        break;
      case 7: {
        T out = v;
        const bool first = pick(0, 1) == 0;
        ASSERT_EQ(first ? list.ExtractFirst(out) : list.ExtractLast(out), n > 0);
        if (n > 0) {
          ASSERT_EQ(out, first ? model.front() : model.back());
          model.erase(first ? model.begin() : model.end() - 1);
        } else {
          ASSERT_EQ(out, T());
        }
        break;
      }
      case 8:
        if (n > 1) {
          const int from = pick(0, n - 1), to = pick(0, n - 1);
          list.Move(from, to);
          T moved = model[size_t(from)];
          model.erase(model.begin() + from);
          model.insert(model.begin() + to, moved);
        }
        break;
      case 9:
        list.RemoveOne(v);
        if (auto it = std::find(model.begin(), model.end(), v); it != model.end()) model.erase(it);
        break;
      case 10:
        list.RemoveAll(v);
        std::erase(model, v);
        break;
      case 11: {
        const int wanted = pick(0, n + 10);
        const bool truncate = pick(0, 1) == 1;
        list.SetCapacity(wanted, truncate);
        if (truncate && wanted < n) model.resize(size_t(wanted));
        ASSERT_EQ(list.GetCapacity(), truncate ? wanted : std::max(wanted, n));
        break;
      }
      case 12:
        if (n > 1) {
          const int a = pick(0, n - 1), b = pick(0, n - 1);
          list.Swap(a, b);
          std::swap(model[size_t(a)], model[size_t(b)]);
        }
        list.Reverse();
        std::reverse(model.begin(), model.end());
        break;
      case 13:
        if (pick(0, 20) == 0) list.Clear(), model.clear();
        break;
    }
    if (grownTo >= 0) {
      ASSERT_EQ(list.GetCapacity(), grownTo > capacity ? CommonIncreaseCapacity(capacity, grownTo) : capacity)
          << "step " << step;
    }
    ASSERT_EQ(list.GetCount(), int(model.size())) << "step " << step;
    ASSERT_GE(list.GetCapacity(), list.GetCount()) << "step " << step;
    if (model.size() < 300 || step % 97 == 0) ExpectSame(list, model, "after step");
    largest = std::max(largest, model.size());
  }
  EXPECT_GT(largest, 1000u);  // the sequence did reach sizes where growth doubles
  ASSERT_EQ(list.ToArray(), model);
}

TEST(ArrayListTest, RangeErrorsNameTheIndexAsUnsigned) {
  auto list = TArrayList<int>::Create();
  list->Add(7, 3);
  auto message = [&](auto&& call) -> std::string {
    try {
      call();
    } catch (const ERangeError& e) {
      return e.what();
    }
    return "no error";
  };
  EXPECT_EQ(message([&] { list->GetItem(-1); }), "Index out of range = 4294967295");
  EXPECT_EQ(message([&] { list->SetItem(3, 0); }), "Index out of range = 3");
  EXPECT_EQ(message([&] { list->Move(0, 3); }), "Index out of range = 3");
  EXPECT_EQ(message([&] { list->Insert(-2, 1); }), "Index out of range = 4294967294");
  EXPECT_EQ(list->ToArray(), (std::vector<int>{7, 7, 7}));  // nothing changed by the failures
  EXPECT_EQ(list->GetItem(2), 7);
}

TEST(ArrayListTest, CountsAtTheEdges) {
  TArrayList<int> list;
  list.Add(1, 0).Insert(0, 9, 0);
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.GetCapacity(), 0);

  TArrayList<int> cut{0, 1, 2, 3, 4};
  cut.Delete(3, 100);  // cut at the end
  EXPECT_EQ(cut.ToArray(), (std::vector<int>{0, 1, 2}));
  cut.Delete(3, 1).Delete(-1).Delete(0, 0).Delete(1, -4);
  EXPECT_EQ(cut.ToArray(), (std::vector<int>{0, 1, 2}));
  cut.Insert(3, 7, 2).Insert(100, 8).Insert(0, {5, 6}).Insert(1, 4, 1);
  EXPECT_EQ(cut.ToArray(), (std::vector<int>{5, 4, 6, 0, 1, 2, 7, 7, 8}));
  EXPECT_EQ(cut.FindOrAdd(0), 3);
  EXPECT_EQ(cut.FindOrAdd(42), 9);

  // Elements of the list itself as input, while the storage has to move.
  TArrayList<QString> self{"a", "b"};
  self.SetCapacity(0);
  ASSERT_EQ(self.GetCapacity(), 2);
  self.Add(self[0]).Append(self).Insert(1, std::span<const QString>(self.data(), 2));
  EXPECT_EQ(self.ToArray(), (std::vector<QString>{"a", "a", "b", "b", "a", "a", "b", "a"}));
  self.Assign(self).Assign(std::span<const QString>(self.data() + 6, 2));
  EXPECT_EQ(self.ToArray(), (std::vector<QString>{"b", "a"}));
}

TEST(ArrayListTest, EnumeratesForwardReversedAndIndexed) {
  std::shared_ptr<IArrayList<int>> list = TArrayList<int>::Create();
  list->Add(10).Add(20).Add(30);

  std::vector<int> seen;
  for (int v : *list) seen.push_back(v);
  EXPECT_EQ(seen, (std::vector<int>{10, 20, 30}));

  seen.clear();
  for (auto e = list->GetReverseEnumerator(); e->MoveNext();) seen.push_back(e->GetCurrent());
  EXPECT_EQ(seen, (std::vector<int>{30, 20, 10}));

  std::vector<std::pair<int, int>> indexed;
  for (auto e = list->GetIndexedEnumerator(); e->MoveNext();)
    indexed.emplace_back(e->GetCurrent().Index, e->GetCurrent().Item);
  EXPECT_EQ(indexed, (std::vector<std::pair<int, int>>{{0, 10}, {1, 20}, {2, 30}}));
  indexed.clear();
  for (auto e = list->GetIndexedEnumerator(true); e->MoveNext();)
    indexed.emplace_back(e->GetCurrent().Index, e->GetCurrent().Item);
  EXPECT_EQ(indexed, (std::vector<std::pair<int, int>>{{2, 30}, {1, 20}, {0, 10}}));

  // A reverse enumerator over a list that shrinks meanwhile continues from the new end.
  auto e = list->GetReverseEnumerator();
  ASSERT_TRUE(e->MoveNext());
  EXPECT_EQ(e->GetCurrent(), 30);
  list->Delete(1, 2);
  ASSERT_TRUE(e->MoveNext());
  EXPECT_EQ(e->GetCurrent(), 10);
  EXPECT_FALSE(e->MoveNext());

  // Size-array enumerators over a plain array, and one used in a range-based for.
  const int raw[] = {1, 2, 3};
  TBasicReverseArraySizeIndexedEnumerator<int> reverse({raw, 3});
  std::vector<int> indexes;
  for (const TIndexedItem<int>& item : reverse) indexes.push_back(item.Index * 10 + item.Item);
  EXPECT_EQ(indexes, (std::vector<int>{23, 12, 1}));
}

TEST(ArrayListTest, QueryFindsTheFirstMatchInItsDirection) {
  auto list = TArrayList<int>::Create();
  list->Append({3, 8, 5, 12, 7});
  auto even = [](const int& v) { return v % 2 == 0; };
  int out = -1;
  EXPECT_TRUE(list->Query()->First(even, out));
  EXPECT_EQ(out, 8);
  EXPECT_TRUE(list->Query(true)->First(even, out));
  EXPECT_EQ(out, 12);
  EXPECT_FALSE(list->Query()->First([](const int& v) { return v > 100; }, out));
  EXPECT_EQ(out, 0);

  std::vector<int> reversed;
  for (int v : list->Query(true)->Items()) reversed.push_back(v);
  EXPECT_EQ(reversed, (std::vector<int>{7, 12, 5, 8, 3}));

  // The query keeps the list alive.
  auto query = list->Query(true);
  list.reset();
  EXPECT_TRUE(query->First(even, out));
  EXPECT_EQ(out, 12);

  try {
    query->First(nullptr, out);
    FAIL() << "a missing predicate must fail";
  } catch (const EAssertionFailed& e) {
    EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QRegularExpression(R"(^Assertion failure \(.*Query\.h, line \d+\)$)")))
        << e.what();
  }
  EXPECT_THROW(TQuery<int>(nullptr), EAssertionFailed);
  EXPECT_THROW(TEnumeratorDelegate<int>([] { return false; }, nullptr), EAssertionFailed);
}

}  // namespace
