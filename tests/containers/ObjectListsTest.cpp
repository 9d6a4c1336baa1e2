#include "ArrayList.h"

#include <gtest/gtest.h>

namespace {

// Counts how many instances are alive, so the tests see exactly which objects were freed.
struct TCounted {
  explicit TCounted(int id) : Id(id) { ++Alive; }
  ~TCounted() { --Alive; }
  int Id;
  static inline int Alive = 0;
};

TEST(ObjectListsTest, OwnerListFreesExactlyWhatItDeletes) {
  TCounted::Alive = 0;
  {
    auto owner = std::make_shared<TObjectOwnerArrayList<TCounted>>();
    std::vector<TCounted*> made;
    for (int i = 0; i < 10; ++i) {
      made.push_back(new TCounted(i));
      owner->Add(made.back());
    }
    owner->Delete(0);
    EXPECT_EQ(TCounted::Alive, 9);
    owner->Delete(5, 100);  // ids 6..9
    EXPECT_EQ(TCounted::Alive, 5);
    TCounted* extracted = nullptr;
    ASSERT_TRUE(owner->ExtractFirst(extracted));  // handed out, not freed
    EXPECT_EQ(extracted->Id, 1);
    EXPECT_EQ(TCounted::Alive, 5);
    delete extracted;

    owner->Add(made[2]);  // listed twice, freed once
    owner->RemoveAll(made[2]);
    EXPECT_EQ(TCounted::Alive, 3);
    owner->SetItem(0, owner->GetItem(0));  // same object: kept
    EXPECT_EQ(TCounted::Alive, 3);
    owner->SetItem(0, new TCounted(20));  // replaced: the old one goes
    EXPECT_EQ(TCounted::Alive, 3);
    owner->RemoveOne(owner->GetItem(0));
    EXPECT_EQ(TCounted::Alive, 2);
    owner->Add(new TCounted(30)).SetCapacity(1, true);
    EXPECT_EQ(TCounted::Alive, 1);
    EXPECT_EQ(owner->GetItem(0)->Id, 4);

    owner->SetOwnsObjects(false);
    TCounted* kept = owner->GetItem(0);
    owner->Clear();
    EXPECT_EQ(TCounted::Alive, 1);
    owner->SetOwnsObjects(true);
    owner->Add(kept).Add(new TCounted(40));
  }
  EXPECT_EQ(TCounted::Alive, 0);  // the rest went with the list

  TCounted plain(1);
  auto objects = std::make_shared<TObjectArrayList<TCounted>>();
  objects->Add(&plain).Add(&plain).Clear();
  EXPECT_EQ(TCounted::Alive, 1);
  objects->Add(&plain);
  TCounted* found = nullptr;
  EXPECT_TRUE(objects->ObjectQuery(true)->First([](TCounted* c) { return c->Id == 1; }, found));
  EXPECT_EQ(found, &plain);
}

TEST(ObjectListsTest, InterfaceListHoldsAndReleasesReferences) {
  auto element = std::make_shared<int>(5);
  auto list = TInterfaceArrayList<int>::Create();
  list->Add(element, 3);
  EXPECT_EQ(element.use_count(), 4);
  list->Delete(0, 2);
  EXPECT_EQ(element.use_count(), 2);  // deleted slots release at once, spare capacity holds nothing
  list->SetCapacity(0, true);
  EXPECT_EQ(element.use_count(), 1);
}

}  // namespace
