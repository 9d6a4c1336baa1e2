#pragma once

#include "runtime/Classes.h"

#include <QMetaProperty>
#include <vector>

// What the designer sees of an object's published properties: the document streamer writes and
// reads through it, the inspector and the tree show through it.
namespace Reflection {

// How the designer treats a published property.
enum class TPropertyKind {
  Value,       // a value with a text form: numbers, strings, enums, value types with converters
  Object,      // an owned TPersistent streamed in place (a font, say)
  Collection,  // an owned TCollection: its items in order, each with its class
  Ignored,     // pointers to objects the property does not own, read-only values
};

// Published properties: those declared below QObject, in declaration order.
std::vector<QMetaProperty> PublishedProperties(const QMetaObject* cls);
TPropertyKind KindOf(const QObject* object, const QMetaProperty& property);
// The owned object behind an Object or Collection property, or nullptr.
TPersistent* SubObject(const QObject* object, const QMetaProperty& property);

// How the tree, the inspector and the collection editor name an item: "2 - Text".
QString ItemCaption(int index, const QString& displayName);

}  // namespace Reflection

using Reflection::TPropertyKind;
