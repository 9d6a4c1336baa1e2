// Any bytes through the design document reader, with every palette class of the component library
// and the designer tests' components (nested collections, custom data, a value type known only
// through its converters). A read either gives components or raises EDocumentError naming the file;
// a document that was read must write, read back and write again to the same bytes.
//   build-fuzz/bin/document_fuzz -max_len=8192 -dict=fuzz/document.dict corpus-dir fuzz/document-corpus

#include "DesignDocument.h"
#include "DocumentStreamer.h"
#include "TestComponents.h"
#include "arduino/Packages.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

const QString kLabel = QStringLiteral("fuzz.vdoc");

void Fail(const char* what, const QByteArray& detail = {}) {
  std::fprintf(stderr, "document_fuzz: %s\n%s\n", what, detail.constData());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static QCoreApplication app(*argc, *argv);
  // Qt's warnings about refused conversions would flood the log.
  QLoggingCategory::setFilterRules(QStringLiteral("*=false"));
  RegisterTestComponents();  // clears the registry first
  Velto::Arduino::Converters::RegisterPkg();
  Velto::Arduino::Packet::RegisterPkg();
  Velto::Arduino::Text::RegisterPkg();
  Velto::Arduino::Structure::RegisterPkg();
  Velto::Arduino::Mqtt::RegisterPkg();
  Velto::Arduino::Json::RegisterPkg();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  TDesignDocument document;
  try {
    document.Assign(DocumentStreamer::ReadDocument(bytes, kLabel));
  } catch (const EDocumentError& error) {
    if (!error.Message().startsWith(kLabel + QLatin1Char(':'))) Fail("error without the file", error.Message().toUtf8());
    return 0;
  }
  const QByteArray first = DocumentStreamer::WriteDocument(document);
  TDesignDocument reread;
  try {
    reread.Assign(DocumentStreamer::ReadDocument(first, kLabel));
  } catch (const EDocumentError& error) {
    Fail("a written document does not read back", error.Message().toUtf8() + "\n" + first);
  }
  const QByteArray second = DocumentStreamer::WriteDocument(reread);
  if (second != first) Fail("a document changed on its way through a file", first + "\n---\n" + second);
  return 0;
}
