#pragma once

#include "DesignDocument.h"
#include "PropertyReflection.h"
#include "runtime/Exceptions.h"

#include <QByteArray>
#include <QMetaProperty>
#include <memory>
#include <vector>

// A design document that cannot be read: the message names the file place and the reason.
class EDocumentError : public Exception {
public:
  using Exception::Exception;
};

// Reads and writes design objects as JSON. A streamed object is
//   {"class": "TName", "properties": {"Prop": value, ...}, "data": <custom data, when any>}
// and a document is {"format": "velto-design", "version": 1, "components": [object, ...]}.
// Values are JSON booleans and numbers for those types, enum keys for enums and otherwise the text
// form QVariant converts to and from (value types of the component library register converters).
namespace DocumentStreamer {

// The text the inspector shows for a value property.
QString PropertyText(const QObject* object, const QMetaProperty& property);
// Sets a value property from text; raises EDocumentError naming the property when the text is not
// a value of its type or the property refuses it.
void SetPropertyText(QObject* object, const QMetaProperty& property, const QString& text);

// An object's streamed form as compact JSON text: what an undo step keeps. The same state gives
// the same bytes.
QByteArray WriteObject(const TPersistent* object);
// Reads properties and custom data from an object's streamed form (as WriteObject gives it) into an
// existing object. Collection items of the class read stay the same objects and are read into; the
// others are made anew. `place` prefixes every error message.
void ReadObject(TPersistent* object, const QByteArray& json, const QString& place);
TClass FindPaletteClass(const QString& className);
// A letter or underscore, then letters, digits and underscores.
bool IsComponentName(const QString& name);

// Reading and writing keep their own stacks, so objects may nest as deep as memory allows.
QByteArray WriteDocument(const TDesignDocument& document);
// The components of a streamed document; nothing is changed when it raises.
std::vector<std::unique_ptr<TComponent>> ReadDocument(const QByteArray& data, const QString& fileLabel);

}  // namespace DocumentStreamer
