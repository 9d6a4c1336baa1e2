#pragma once
// Host design framework as the package uses it.
#include "framework/AdvancedStringsEditorForm.h"
#include "framework/ComponentEditors.h"
#include "framework/Designer.h"
#include "framework/InplaceForms.h"
#include "framework/JsonParser.h"
#include "framework/PackageInfo.h"
#include "framework/PropertyEditors.h"
#include "framework/Registration.h"
