#pragma once
// The Arduino component library as the package uses it.
#include "arduino/Displays.h"
#include "arduino/JsonComponents.h"
#include "arduino/Packages.h"
#include "arduino/Pixels.h"
#include "arduino/Shields.h"
#include "arduino/Values.h"
