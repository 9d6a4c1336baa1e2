#pragma once

// Every generic container in one include.

#include "ArrayList.h"
#include "Comparers.h"
#include "ContainerCommon.h"
#include "Enumerators.h"
#include "LinkedList.h"
#include "NotifyArrayList.h"
#include "Query.h"
#include "Set.h"
#include "TypedPersistentCollection.h"
