#pragma once
// Host user-interface toolkit as the package uses it.
#include "toolkit/Dialogs.h"
