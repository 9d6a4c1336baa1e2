#pragma once

#include "runtime/Classes.h"

#include <functional>

class TDesignSession;

// The edits of a collection's items that the tree's context menu and the collection editor share.
// Each is one modification of the collection's component, so one undo step; what they raise
// passes to the caller.
namespace CollectionCommands {
TCollectionItem* AddItem(TDesignSession& session, TCollection* collection, TClass cls);
void MoveItem(TDesignSession& session, TCollection* collection, int from, int to);
void DeleteItem(TDesignSession& session, TCollection* collection, int index);
}  // namespace CollectionCommands
