#pragma once
// Host runtime as the package uses it.
#include "runtime/Capacity.h"
#include "runtime/Classes.h"
#include "runtime/Colors.h"
#include "runtime/Exceptions.h"
#include "runtime/MainThreadExecute.h"
#include "StringArrayList.h"
#include "runtime/SysUtils.h"
