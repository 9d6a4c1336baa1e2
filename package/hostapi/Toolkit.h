#pragma once
// Host user-interface toolkit as the package uses it.
#include "toolkit/Application.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Dialogs.h"
#include "toolkit/DrawGrid.h"
#include "toolkit/FormLayout.h"
#include "toolkit/Forms.h"
#include "toolkit/Keys.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/StdControls.h"
#include "toolkit/SynEdit.h"
