#include "TypedPersistentCollection.h"

#include <gtest/gtest.h>

namespace {

class TTestElement : public TCollectionItem {
  Q_OBJECT
  Q_PROPERTY(QString Key READ GetKey WRITE SetKey)
  Q_PROPERTY(int Weight READ GetWeight WRITE SetWeight)
public:
  Q_INVOKABLE explicit TTestElement(QObject* parent = nullptr) : TCollectionItem(parent) {}
  QString GetKey() const { return FKey; }
  void SetKey(const QString& key) { FKey = key; }
  int GetWeight() const { return FWeight; }
  void SetWeight(int weight) { FWeight = weight; }

private:
  QString FKey;
  int FWeight = 0;
};

class TOtherElement : public TCollectionItem {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TOtherElement(QObject* parent = nullptr) : TCollectionItem(parent) {}
};

TEST(TypedPersistentCollectionTest, TypedAccessQueriesSortAndCopy) {
  TCollection collection(&TCollectionItem::staticMetaObject);
  TTypedPersistentCollection<TTestElement> elements(&collection);
  const char* keys[] = {"b", "a", "c", "a"};
  for (int i = 0; i < 4; ++i) {
    TTestElement* e = elements.Add(&TTestElement::staticMetaObject);
    e->SetKey(keys[i]);
    e->SetWeight(i);
  }
  ASSERT_EQ(elements.GetCount(), 4);
  EXPECT_EQ(elements.GetItem(2)->GetKey(), "c");
  EXPECT_THROW(elements.GetItem(-1), ERangeError);

  TTestElement* found = reinterpret_cast<TTestElement*>(1);
  auto isA = [](TTestElement* e) { return e->GetKey() == "a"; };
  EXPECT_TRUE(elements.Query()->First(isA, found));
  EXPECT_EQ(found->GetWeight(), 1);
  EXPECT_TRUE(elements.Query(true)->First(isA, found));
  EXPECT_EQ(found->GetWeight(), 3);
  EXPECT_FALSE(elements.Query()->First([](TTestElement* e) { return e->GetKey() == "z"; }, found));
  EXPECT_EQ(found, nullptr);
  EXPECT_THROW(elements.Query()->First(nullptr, found), EAssertionFailed);

  std::vector<int> weights;
  for (TTestElement* e : elements.Query(true)->Items()) weights.push_back(e->GetWeight());
  EXPECT_EQ(weights, (std::vector<int>{3, 2, 1, 0}));

  elements.Sort([](TTestElement* const& a, TTestElement* const& b) { return QString::compare(a->GetKey(), b->GetKey()); });
  weights.clear();
  for (TTestElement* e : elements) weights.push_back(e->GetWeight());
  EXPECT_EQ(weights, (std::vector<int>{1, 3, 0, 2}));  // stable: the two "a" keep their order

  elements.SetItem(0, elements.GetItem(3));  // copies the properties, keeps the item
  EXPECT_EQ(elements.GetItem(0)->GetKey(), "c");
  EXPECT_EQ(elements.GetItem(0)->GetWeight(), 2);
  EXPECT_NE(elements.GetItem(0), elements.GetItem(3));

  EXPECT_TRUE(elements.Remove(elements.GetItem(1)));
  EXPECT_FALSE(elements.Remove(nullptr));
  EXPECT_EQ(elements.GetCount(), 3);
  // An item the collection accepts but that is not a T is taken back out again.
  EXPECT_THROW(elements.Insert(0), EInvalidCast);
  EXPECT_THROW(elements.Add(&TOtherElement::staticMetaObject), EInvalidCast);
  EXPECT_EQ(elements.GetCount(), 3);
  TTestElement* first = elements.Insert(0, &TTestElement::staticMetaObject);
  EXPECT_EQ(elements.GetItem(0), first);
  EXPECT_EQ(elements.GetCount(), 4);
}

}  // namespace

#include "TypedPersistentCollectionTest.moc"
