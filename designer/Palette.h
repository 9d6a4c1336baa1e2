#pragma once

#include "runtime/Classes.h"

#include <QString>
#include <vector>

// What the palette lists: every registered component class under its page, by a readable name.
struct TPaletteEntry {
  QString Page;  // "Other" for classes registered without a page
  QString Name;  // "TArduinoMakeJSONArray" reads "Make JSON Array"
  TClass Class = nullptr;
};

// A class name as a person reads it: without the leading T and the library's "Arduino", words
// split where a capital follows a small letter or starts a word after capitals.
QString ReadableClassName(const QString& className);

// The palette registrations sorted by page, then by name, keeping those whose name, class name or
// page contains filter (case-insensitive). A class registered twice is listed once.
std::vector<TPaletteEntry> PaletteEntries(const QString& filter = QString());
