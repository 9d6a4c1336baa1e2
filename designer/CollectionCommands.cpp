#include "CollectionCommands.h"

#include "DesignSession.h"

// The collection raises for an index it does not hold, inside the scope: nothing changed, no step.
TCollectionItem* CollectionCommands::AddItem(TDesignSession& session, TCollection* collection, TClass cls) {
  const std::shared_ptr<IModification> scope = session.BeginModify(collection);
  return collection->Add(cls);
}

void CollectionCommands::MoveItem(TDesignSession& session, TCollection* collection, int from, int to) {
  const std::shared_ptr<IModification> scope = session.BeginModify(collection);
  collection->Move(from, to);
}

void CollectionCommands::DeleteItem(TDesignSession& session, TCollection* collection, int index) {
  const std::shared_ptr<IModification> scope = session.BeginModify(collection);
  collection->Delete(index);
}
