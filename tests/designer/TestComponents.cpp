#include "TestComponents.h"

#include "framework/Registration.h"
#include "runtime/Exceptions.h"

#include <QJsonArray>

TTestElement::TTestElement(QObject* parent) : TCollectionItem(parent), FChildren(new TTestElements(this)) {}

TTestLed::TTestLed(QObject* parent)
    : TComponent(parent), FFont(new TTestFont(this)), FElements(new TTestElements(this)) {}

QJsonValue TTestLed::WriteCustomData() const {
  if (FPixels.empty()) return QJsonValue();
  QJsonArray pixels;
  for (int p : FPixels) pixels.append(p);
  return pixels;
}

void TTestLed::ReadCustomData(const QJsonValue& data) {
  std::vector<int> pixels;
  for (const QJsonValue& v : data.toArray()) {
    if (!v.isDouble()) throw Exception(QStringLiteral("pixels must be numbers"));
    pixels.push_back(v.toInt());
  }
  FPixels = std::move(pixels);
}

void TTestLedEditor::PopulateMenuItems(IComponentEditorMenuItems& items) {
  items.Add(std::make_shared<TComponentEditorMenuItem>(
                QStringLiteral("Generate"),
                [this] {
                  auto scope = BeginModify();
                  auto* led = static_cast<TTestLed*>(GetComponent());
                  led->GetElements()->Clear();
                  for (int i = 0; i < 3; ++i)
                    static_cast<TTestElement*>(led->GetElements()->Add())->FText = QStringLiteral("e%1").arg(i);
                  led->FBrightness = 7;
                }),
            1);
}

void RegisterTestComponents() {
  static const bool converters = [] {
    QMetaType::registerConverter<TTestCode, QString>([](const TTestCode& c) { return c.Text; });
    QMetaType::registerConverter<QString, TTestCode>([](const QString& s) { return TTestCode{s}; });
    qRegisterMetaType<TTestNumberElement*>();
    return true;
  }();
  (void)converters;
  TDesignRegistry::Instance().Clear();
  RegisterComponents(QStringLiteral("Test"), {&TTestLed::staticMetaObject});
  RegisterComponentEditor(&TTestLed::staticMetaObject, &TTestLedEditor::staticMetaObject);
}
