#include "NotifyArrayList.h"

#include <gtest/gtest.h>

#include <QString>
#include <functional>
#include <map>
#include <string>

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

// Each call against whether it changed the list: a call that changes nothing notifies nothing.
TEST(NotifyArrayListTest, NotifiesOncePerChangeAndHooksEveryAddedElement) {
  TCountingList list;
  int out = 0;
  const struct {
    const char* name;
    std::function<void()> call;
    bool changes;
  } steps[] = {
      {"Add count 3", [&] { list.Add(1, 3); }, true},
      {"Add count 0", [&] { list.Add(9, 0); }, false},
      {"ProcedureAdd", [&] { list.ProcedureAdd(2); }, true},
      {"Insert count 2", [&] { list.Insert(1, 5, 2); }, true},
      {"Insert count 0", [&] { list.Insert(0, 5, 0); }, false},
      {"Insert array past the end", [&] { list.Insert(100, {6, 7}); }, true},
      {"Delete out of range", [&] { list.Delete(99); }, false},
      {"Delete 2", [&] { list.Delete(0, 2); }, true},
      {"SetItem", [&] { list.SetItem(0, 4); }, true},
      {"AddUniqueIndex of a present element", [&] { EXPECT_EQ(list.AddUniqueIndex(4), 0); }, false},
      {"AddUniqueIndex of a new element", [&] { EXPECT_EQ(list.AddUniqueIndex(8), 6); }, true},
      {"IfAddUnique present", [&] { EXPECT_FALSE(list.IfAddUnique(8)); }, false},
      {"IfAddUnique new", [&] { EXPECT_TRUE(list.IfAddUnique(3)); }, true},
      {"AddUnique once new", [&] { list.AddUnique(3).AddUnique(0); }, true},
      {"FindAndRemoveOne found", [&] { EXPECT_TRUE(list.FindAndRemoveOne(3)); }, true},
      {"FindAndRemoveOne missing", [&] { EXPECT_FALSE(list.FindAndRemoveOne(42)); }, false},
      {"RemoveAll", [&] { list.RemoveAll(1); }, true},
      {"RemoveAll of nothing", [&] { list.RemoveAll(1); }, false},
      {"Sort", [&] { list.Sort(); }, true},
      {"Sort descending", [&] { list.Sort([](const int& a, const int& b) { return b - a; }); }, true},
      {"ExtractLast", [&] { EXPECT_TRUE(list.ExtractLast(out)); }, true},
      {"Swap", [&] { list.Swap(0, 1); }, true},
      {"Move", [&] { list.Move(0, 2); }, true},
      {"Move onto itself", [&] { list.Move(1, 1); }, false},
      {"Reverse", [&] { list.Reverse(); }, true},
      {"SetCapacity without truncate", [&] { list.SetCapacity(2); }, false},
      {"SetCapacity with truncate", [&] { list.SetCapacity(2, true); }, true},
      {"Clear", [&] { list.Clear(); }, true},
      {"Clear of an empty list", [&] { list.Clear(); }, false},
      {"ExtractFirst of an empty list", [&] { EXPECT_FALSE(list.ExtractFirst(out)); }, false},
  };
  const std::map<std::string, std::vector<int>> contents = {
      {"Insert array past the end", {1, 5, 5, 1, 1, 2, 6, 7}}, {"FindAndRemoveOne missing", {4, 1, 1, 2, 6, 7, 8, 0}},
      {"Sort", {0, 2, 4, 6, 7, 8}}, {"Sort descending", {8, 7, 6, 4, 2, 0}}, {"Reverse", {2, 4, 7, 6, 8}}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    const int before = list.Changes;
    step.call();
    EXPECT_EQ(list.Changes, before + (step.changes ? 1 : 0));
    if (auto it = contents.find(step.name); it != contents.end()) {
      EXPECT_EQ(list.ToArray(), it->second);
    }
  }
  // Every element that came in was hooked, in the order the calls added them.
  EXPECT_EQ(list.Hooked, (std::vector<int>{1, 1, 1, 2, 5, 5, 6, 7, 4, 8, 3, 0}));
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
