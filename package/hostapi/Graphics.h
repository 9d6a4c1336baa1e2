#pragma once
// Host graphics layer as the package uses it.
#include "graphics/Graphics.h"
#include "graphics/Codecs.h"
#include "graphics/Reduce.h"
#include "graphics/Place.h"
#include "graphics/Shapes.h"
