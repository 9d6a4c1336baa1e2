#include "common/RegistryScope.h"
#include "DesignSession.h"
#include "DocumentStreamer.h"
#include "TestComponents.h"
#include "arduino/Packages.h"
#include "framework/Registration.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

namespace {
TTestElement* Element(TTestElements* c, int i) { return static_cast<TTestElement*>(c->GetItem(i)); }

void WriteFile(const QString& path, const QByteArray& data) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(data);
}

QString OpenError(TDesignSession& session, const QString& path) {
  try {
    session.Open(path);
  } catch (const Exception& e) {
    return e.Message();
  }
  return QString();
}
}  // namespace

TEST(DesignDocument, RoundTripKeepsNestedCollectionsValueTypesAndCustomData) {
  RegisterTestComponents();
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("a.vdoc"));
  {
    TDesignSession session;
    auto* led = static_cast<TTestLed*>(session.AddComponent(&TTestLed::staticMetaObject));
    session.AddComponent(&TTestLed::staticMetaObject);
    led->FBrightness = -42;
    led->FEnabled = false;
    led->FMode = TTestLed::mdFade;
    led->FCode = TTestCode{QStringLiteral("digitalWrite(13, \"HIGH\");\n")};
    led->FPixels = {1, 0, 255};
    led->FLines = {QStringLiteral("first"), QString(), QStringLiteral("third")};
    led->GetFont()->FSize = 12;
    auto* first = Element(led->GetElements(), int(led->GetElements()->Add()->GetIndex()));
    first->FText = QStringLiteral("root");
    auto* number = static_cast<TTestNumberElement*>(first->GetChildren()->Add(&TTestNumberElement::staticMetaObject));
    number->FValue = 2.5;
    number->FText = QStringLiteral("leaf");
    Element(number->GetChildren(), number->GetChildren()->Add()->GetIndex())->FText = QStringLiteral("deep");
    session.Save(path);
    EXPECT_FALSE(session.IsModified());
  }
  TDesignSession session;
  session.Open(path);
  ASSERT_EQ(session.Document().GetCount(), 2);
  auto* led = qobject_cast<TTestLed*>(session.Document().GetComponent(0));
  ASSERT_TRUE(led);
  EXPECT_EQ(led->GetName(), QStringLiteral("TestLed1"));
  EXPECT_EQ(session.Document().GetComponent(1)->GetName(), QStringLiteral("TestLed2"));
  EXPECT_EQ(led->FBrightness, -42);
  EXPECT_FALSE(led->FEnabled);
  EXPECT_EQ(led->FMode, TTestLed::mdFade);
  EXPECT_EQ(led->FCode.Text, QStringLiteral("digitalWrite(13, \"HIGH\");\n"));
  EXPECT_EQ(led->FPixels, (std::vector<int>{1, 0, 255}));
  EXPECT_EQ(led->FLines, QStringList({"first", "", "third"}));
  EXPECT_EQ(led->GetFont()->FSize, 12);
  ASSERT_EQ(led->GetElements()->GetCount(), 1);
  TTestElement* root = Element(led->GetElements(), 0);
  EXPECT_EQ(root->FText, QStringLiteral("root"));
  ASSERT_EQ(root->GetChildren()->GetCount(), 1);
  auto* number = qobject_cast<TTestNumberElement*>(root->GetChildren()->GetItem(0));
  ASSERT_TRUE(number) << "the item's own class is kept";
  EXPECT_EQ(number->FValue, 2.5);
  ASSERT_EQ(number->GetChildren()->GetCount(), 1);
  EXPECT_EQ(Element(number->GetChildren(), 0)->FText, QStringLiteral("deep"));

  // Saving what was read gives the same file, laid out as QJsonDocument lays it out.
  QFile original(path);
  ASSERT_TRUE(original.open(QIODevice::ReadOnly));
  const QByteArray saved = original.readAll();
  EXPECT_EQ(DocumentStreamer::WriteDocument(session.Document()), saved);
  EXPECT_EQ(QJsonDocument::fromJson(saved).toJson(), saved);
}

// Items owning collections of their own nest as deep as memory allows: written, read back and
// freed without a stack per level, and a fault at the bottom is named by its whole path.
TEST(DesignDocument, DeepCollectionsAreWrittenReadAndFreedWithoutRecursion) {
  RegisterTestComponents();
  // Deep enough that QObject's own recursive deletion would overflow the stack.
  constexpr int kDepth = 100000;
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("deep.vdoc"));
  QByteArray state;
  {
    TDesignSession session;
    auto* led = static_cast<TTestLed*>(session.AddComponent(&TTestLed::staticMetaObject));
    TTestElements* children = led->GetElements();
    for (int i = 0; i < kDepth; ++i) {
      TTestElement* element = Element(children, children->Add()->GetIndex());
      element->FText = QString::number(i);
      children = element->GetChildren();
    }
    session.Save(path);
    state = DocumentStreamer::WriteObject(led);
  }
  TDesignSession session;
  session.Open(path);
  ASSERT_EQ(session.Document().GetCount(), 1);
  EXPECT_EQ(DocumentStreamer::WriteObject(session.Document().GetComponent(0)), state);
  TTestElements* children = static_cast<TTestLed*>(session.Document().GetComponent(0))->GetElements();
  int depth = 0;
  for (; children->GetCount() == 1; ++depth) {
    ASSERT_EQ(Element(children, 0)->FText, QString::number(depth));
    children = Element(children, 0)->GetChildren();
  }
  EXPECT_EQ(depth, kDepth);

  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QByteArray bad = file.readAll();
  const QByteArray bottom = "\"Text\":\"" + QByteArray::number(kDepth - 1) + '"';
  ASSERT_EQ(bad.count(bottom), 1) << "deep levels are written compact";
  bad.replace(bottom, "\"Text\":5");
  const QString badPath = dir.filePath(QStringLiteral("bad.vdoc"));
  WriteFile(badPath, bad);
  const QString place = QStringLiteral("bad.vdoc: components[0] (TestLed1).Elements[0]") +
                        QStringLiteral(".Children[0]").repeated(kDepth - 1) + QStringLiteral(".Text");
  EXPECT_TRUE(OpenError(session, badPath) == place + QStringLiteral(": expected a QString value"));
  EXPECT_EQ(session.FileName(), path);
}

TEST(DesignDocument, BadDocumentsAreReportedByPlaceAndLeaveTheOpenOneUntouched) {
  RegisterTestComponents();
  QTemporaryDir dir;
  TDesignSession session;
  session.AddComponent(&TTestLed::staticMetaObject)->SetName(QStringLiteral("Keep"));
  const QString good = dir.filePath(QStringLiteral("good.vdoc"));
  session.Save(good);

  auto component = [](const QString& properties, const QString& cls = QStringLiteral("TTestLed")) {
    return QStringLiteral(R"({"format":"velto-design","version":1,"components":[
      {"class":"TTestLed","properties":{"Name":"Ok1"}},
      {"class":"%1","properties":{"Name":"Bad1",%2}}]})")
        .arg(cls, properties)
        .toUtf8();
  };
  const struct {
    QByteArray data;
    QString error;
  } cases[] = {
      {"{\"format\":\"velto-design\",\n\"components\": [}", "bad.vdoc: invalid JSON at the end of the file (line 2)"},
      {"{\"format\":\"velto-design\",\n\"components\": [}\n\n", "bad.vdoc: invalid JSON at line 2 (offset 42)"},
      {component(QStringLiteral("\"Brightness\":1"), QStringLiteral("TNoSuchLed")),
       "bad.vdoc: components[1] (Bad1): unknown class \"TNoSuchLed\""},
      {component(QStringLiteral("\"Brightness\":\"bright\"")),
       "bad.vdoc: components[1] (Bad1).Brightness: \"bright\" is not a valid int value"},
      {component(QStringLiteral("\"Brightness\":1.5")),
       "components[1] (Bad1).Brightness: 1.5 is not a valid int value"},
      {component(QStringLiteral("\"Mode\":\"mdDisco\"")), "components[1] (Bad1).Mode: \"mdDisco\" is not a valid"},
      {component(QStringLiteral("\"Colour\":1")), "components[1] (Bad1).Colour: TTestLed has no property \"Colour\""},
      {component(QStringLiteral(
           "\"Elements\":[{\"class\":\"TTestElement\",\"properties\":{\"Children\":[{\"class\":\"TTestFont\"}]}}]")),
       "components[1] (Bad1).Elements[0].Children[0]: class \"TTestFont\" does not belong to this collection, whose "
       "items are TTestElement"},
      {component(QStringLiteral("\"Elements\":[{\"class\":\"TNoSuchElement\"}]")),
       "components[1] (Bad1).Elements[0]: unknown class \"TNoSuchElement\" for items of TTestElement"},
      {"{\"format\":\"velto-design\",\n\"components\": [{\"class\":\"x",
       "bad.vdoc: invalid JSON: the file ends early, at line 2"},
      {component(QStringLiteral("\"Font\":{\"properties\":{\"Size\":true}}")),
       "components[1] (Bad1).Font.Size: expected a int value"},
      {QStringLiteral(R"({"format":"velto-design","components":[{"class":"TTestLed","data":["x"]}]})").toUtf8(),
       "components[0].data: pixels must be numbers"},
      {component(QStringLiteral("\"Brightness\":1")).replace("Bad1", "OK1"),
       "bad.vdoc: components[1] (OK1): a component named \"OK1\" comes earlier"},
      {R"({"format":"velto-design","components":[7]})", "bad.vdoc: components[0]: expected an object"},
      {"[1,2]", "bad.vdoc: expected a JSON object"},
      // Custom data becomes Qt's JSON values, which are freed recursively.
      {QByteArray(R"({"format":"velto-design","components":[{"class":"TTestLed","data":)") + QByteArray(600, '[') +
           QByteArray(600, ']') + "}]}",
       "bad.vdoc: components[0].data: nested deeper than 512 levels"},
      {"{\"components\":[]}", "bad.vdoc: not a design document"},
      // Names are identifiers; versions numbers this reader knows; sub-objects of their property's class.
      {component(QStringLiteral("\"Brightness\":1")).replace("Bad1", "2 bad"),
       "bad.vdoc: components[1] (2 bad).Name: \"2 bad\" is not a valid component name"},
      {R"({"format":"velto-design","components":[{"class":"TTestLed","properties":{"Name":""}}]})",
       "bad.vdoc: components[0].Name: \"\" is not a valid component name"},
      {component(QString()).replace("\"version\":1", "\"version\":\"1\"").replace(",}", "}"),
       "bad.vdoc: \"version\" must be a number"},
      {component(QString()).replace("\"version\":1", "\"version\":1e300").replace(",}", "}"),
       "bad.vdoc: document version 1e+300 is newer than this designer reads (1)"},
      {component(QString()).replace("\"version\":1", "\"version\":0.5").replace(",}", "}"),
       "bad.vdoc: document version 0.5 is not one this designer reads (1)"},
      {component(QStringLiteral("\"Font\":{\"class\":\"TTestElement\",\"properties\":{}}")),
       "components[1] (Bad1).Font.class: class \"TTestElement\" is not a TTestFont"},
      {component(QStringLiteral("\"Font\":{\"class\":\"TNoSuchFont\"}")),
       "components[1] (Bad1).Font.class: class \"TNoSuchFont\" is not a TTestFont"},
  };
  const QString bad = dir.filePath(QStringLiteral("bad.vdoc"));
  for (const auto& c : cases) {
    WriteFile(bad, c.data);
    const QString error = OpenError(session, bad);
    EXPECT_TRUE(error.contains(c.error)) << "expected: " << qPrintable(c.error) << "\ngot: " << qPrintable(error);
    ASSERT_EQ(session.Document().GetCount(), 1);
    EXPECT_EQ(session.Document().GetComponent(0)->GetName(), QStringLiteral("Keep"));
    EXPECT_EQ(session.FileName(), good);
  }
  EXPECT_TRUE(
      OpenError(session, dir.filePath(QStringLiteral("missing.vdoc"))).startsWith(QStringLiteral("Cannot open")));

  // A save that cannot happen keeps the previous file whole.
  const QByteArray before = [&] {
    QFile f(good);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }();
  EXPECT_THROW(session.Save(dir.filePath(QStringLiteral("no/such/dir/x.vdoc"))), Exception);
  QFile f(good);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), before);
}

// Documents the fuzzer found, each once a crash or an error without its place; all are refused
// with the file and the place, and the open document stays.
TEST(DesignDocument, FuzzFindingsAreRefusedByPlace) {
  const TRegistryScope registry;
  RegisterTestComponents();
  Velto::Arduino::Json::RegisterPkg();
  const struct {
    const char* data;
    const char* error;  // <NUL> stands for the character
  } cases[] = {
      // An item with no class of an element collection whose base class cannot be made.
      {R"({"format":"velto-design","components":[{"class":"TArduinoMakeJSON","properties":{"Elements":[{}]}}]})",
       "f.vdoc: components[0].Elements[0]: cannot create TArduinoMakeJSONBasicElement"},
      // A key that is a property name up to a NUL set that property: the name checked for duplicates
      // was another one.
      {R"({"format":"velto-design","components":[{"class":"TTestLed","properties":{"Name":"A"}},
          {"class":"TTestLed","properties":{"Name\u0000x":"A","Name":"B"}}]})",
       "f.vdoc: components[1] (B).Name<NUL>x: TTestLed has no property \"Name<NUL>x\""},
      {R"({"format":"velto-design","components":[{"class":"TTestLed","properties":{"Mode":"mdBlink\u0000!"}}]})",
       "f.vdoc: components[0].Mode: \"mdBlink<NUL>!\" is not a valid"},
  };
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("f.vdoc"));
  TDesignSession session;
  session.AddComponent(&TTestLed::staticMetaObject);
  for (const auto& c : cases) {
    WriteFile(path, c.data);
    const QString error = OpenError(session, path);
    const QString expected = QString::fromUtf8(c.error).replace(QStringLiteral("<NUL>"), QChar(0));
    EXPECT_TRUE(error.contains(expected)) << "expected: " << c.error << "\ngot: " << qPrintable(error);
    EXPECT_EQ(session.Document().GetCount(), 1);
  }
}
