#include "NotifyArrayList.h"

#include <gtest/gtest.h>

#include <QString>

namespace {

// Counts notifications and hooked elements.
class TCountingList final : public TBasicNotifyArrayList<int> {
public:
  int Changes = 0;
  std::vector<int> Hooked;

protected:
  void ChangeNotify() override { ++Changes; }
  void HookElement(int& element) override { Hooked.push_back(element); }
};

TEST(NotifyArrayListTest, NotifiesOncePerChangeAndHooksEveryAddedElement) {
  TCountingList list;
  int expected = 0;
  auto expectChange = [&](bool changed, const char* what) {
    expected += changed ? 1 : 0;
    EXPECT_EQ(list.Changes, expected) << what;
  };
  list.Add(1, 3);
  expectChange(true, "Add count 3");
  list.Add(9, 0);
  expectChange(false, "Add count 0");
  list.ProcedureAdd(2);
  expectChange(true, "ProcedureAdd");
  list.Insert(1, 5, 2);
  expectChange(true, "Insert count 2");
  list.Insert(0, 5, 0);
  expectChange(false, "Insert count 0");
  list.Insert(100, {6, 7});
  expectChange(true, "Insert array past the end");
  EXPECT_EQ(list.ToArray(), (std::vector<int>{1, 5, 5, 1, 1, 2, 6, 7}));
  EXPECT_EQ(list.Hooked, (std::vector<int>{1, 1, 1, 2, 5, 5, 6, 7}));

  list.Delete(99);
  expectChange(false, "Delete out of range");
  list.Delete(0, 2);
  expectChange(true, "Delete 2");
  list.SetItem(0, 4);
  expectChange(true, "SetItem");
  EXPECT_EQ(list.AddUniqueIndex(4), 0);
  expectChange(false, "AddUniqueIndex of a present element");
  EXPECT_EQ(list.AddUniqueIndex(8), 6);
  expectChange(true, "AddUniqueIndex of a new element");
  EXPECT_FALSE(list.IfAddUnique(8));
  expectChange(false, "IfAddUnique present");
  EXPECT_TRUE(list.IfAddUnique(3));
  expectChange(true, "IfAddUnique new");
  list.AddUnique(3).AddUnique(0);
  expectChange(true, "AddUnique once new");
  EXPECT_TRUE(list.FindAndRemoveOne(3));
  expectChange(true, "FindAndRemoveOne found");
  EXPECT_FALSE(list.FindAndRemoveOne(42));
  expectChange(false, "FindAndRemoveOne missing");
  EXPECT_EQ(list.ToArray(), (std::vector<int>{4, 1, 1, 2, 6, 7, 8, 0}));

  list.RemoveAll(1);
  expectChange(true, "RemoveAll");
  list.RemoveAll(1);
  expectChange(false, "RemoveAll of nothing");
  list.Sort();
  expectChange(true, "Sort");
  EXPECT_EQ(list.ToArray(), (std::vector<int>{0, 2, 4, 6, 7, 8}));
  list.Sort([](const int& a, const int& b) { return b - a; });
  expectChange(true, "Sort descending");
  EXPECT_EQ(list.ToArray(), (std::vector<int>{8, 7, 6, 4, 2, 0}));
  int out = 0;
  EXPECT_TRUE(list.ExtractLast(out));
  expectChange(true, "ExtractLast");
  list.Swap(0, 1);
  expectChange(true, "Swap");
  list.Move(0, 2);
  expectChange(true, "Move");
  list.Move(1, 1);
  expectChange(false, "Move onto itself");
  list.Reverse();
  expectChange(true, "Reverse");
  EXPECT_EQ(list.ToArray(), (std::vector<int>{2, 4, 7, 6, 8}));
  list.SetCapacity(2);
  expectChange(false, "SetCapacity without truncate");
  list.SetCapacity(2, true);
  expectChange(true, "SetCapacity with truncate");
  list.Clear();
  expectChange(true, "Clear");
  list.Clear();
  expectChange(false, "Clear of an empty list");
  EXPECT_FALSE(list.ExtractFirst(out));
  expectChange(false, "ExtractFirst of an empty list");

  EXPECT_THROW(list.Sort(std::shared_ptr<IComparer<int>>()), EAssertionFailed);
  EXPECT_THROW(list.Sort(TDelegatedComparer<int>::TComparison()), EAssertionFailed);
}

TEST(NotifyArrayListTest, OnChangeThroughTheInterface) {
  int changes = 0;
  std::shared_ptr<INotifyArrayList<QString>> list = TNotifyArrayList<QString>::Create([&] { ++changes; });
  list->AddUnique("a").Add("b").Add("a");
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(list->GetCount(), 3);
  list->RemoveAll("a");
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(list->ToArray(), (std::vector<QString>{"b"}));
}

}  // namespace
