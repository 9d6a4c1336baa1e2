#pragma once
// The Arduino component library as the package uses it.
