#include "FormLayout.h"

#include "AlignLayout.h"
#include "Application.h"
#include "ComboBox.h"
#include "Dialogs.h"
#include "DrawGrid.h"
#include "Forms.h"
#include "SpinEdit.h"
#include "StdControls.h"
#include "SynEdit.h"
#include "runtime/Exceptions.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QPointer>
#include <algorithm>
#include <functional>
#include <vector>
#include <map>
#include <optional>

namespace {

using TFactory = TLayoutClassFactory;

template <class T>
TFactory WidgetFactory() {
  return [](QObject* parent) -> QObject* { return new T(qobject_cast<QWidget*>(parent)); };
}

std::map<QString, TFactory>& Factories() {
  static std::map<QString, TFactory> factories = {
      {QStringLiteral("TPanel"), WidgetFactory<TPanel>()},
      {QStringLiteral("TButton"), WidgetFactory<TButton>()},
      {QStringLiteral("TSpeedButton"), WidgetFactory<TSpeedButton>()},
      {QStringLiteral("TDrawGrid"), WidgetFactory<TDrawGrid>()},
      {QStringLiteral("TImage"), WidgetFactory<TImage>()},
      {QStringLiteral("TStatusBar"), WidgetFactory<TStatusBar>()},
      {QStringLiteral("TPopupMenu"), WidgetFactory<TPopupMenu>()},
      {QStringLiteral("TLabel"), WidgetFactory<TLabel>()},
      {QStringLiteral("TSpinEdit"), WidgetFactory<TSpinEdit>()},
      {QStringLiteral("TTrackBar"), WidgetFactory<TTrackBar>()},
      {QStringLiteral("TCheckBox"), WidgetFactory<TCheckBox>()},
      {QStringLiteral("TSynEdit"), WidgetFactory<TSynEdit>()},
      {QStringLiteral("TSynCppSyn"), [](QObject* parent) -> QObject* { return new TSynCppSyn(parent); }},
      {QStringLiteral("TComboBox"), WidgetFactory<TComboBox>()},
      {QStringLiteral("TMenuItem"), [](QObject* parent) -> QObject* { return new TMenuItem(parent); }},
      {QStringLiteral("TOpenDialog"), [](QObject* parent) -> QObject* { return new TOpenDialog(parent); }},
      {QStringLiteral("TSaveDialog"), [](QObject* parent) -> QObject* { return new TSaveDialog(parent); }},
  };
  return factories;
}

}  // namespace

void RegisterLayoutClass(const QString& className, TLayoutClassFactory factory) {
  Factories()[className] = std::move(factory);
}

namespace {

// "Family,size": a positive size in points, a negative one in pixels (a classic font's Height).
QFont FontOf(const QString& text) {
  const QStringList parts = text.split(QLatin1Char(','));
  QFont font(parts.value(0).trimmed());
  const int size = parts.value(1).trimmed().toInt();
  if (size > 0) font.setPointSize(size);
  else if (size < 0) font.setPixelSize(-size);
  return font;
}

// The properties a layout may give that no class declares. The toolkit reads the first five; the
// panels' bevel and buffering are kept as the classic layouts state them and change nothing here.
bool IsDynamicProperty(const QString& name) {
  static const QStringList names = {
      QStringLiteral("Align"),   QStringLiteral("Anchors"),        QStringLiteral("TabOrder"),
      QStringLiteral("PopupMenu"), QStringLiteral("ShortCut"),     QStringLiteral("BevelOuter"),
      QStringLiteral("DoubleBuffered"), QStringLiteral("ParentDoubleBuffered"),
  };
  return names.contains(name);
}

// The keys a layout and its entries are made of; any other is a misspelling.
void CheckKeys(const QJsonObject& object, std::initializer_list<const char*> known, const std::function<void(const QString&)>& fail) {
  for (auto it = object.begin(); it != object.end(); ++it)
    if (std::none_of(known.begin(), known.end(), [&](const char* k) { return it.key() == QLatin1String(k); }))
      fail(it.key());
}

std::optional<Qt::CursorShape> CursorOf(const QString& name) {
  static const std::map<QString, Qt::CursorShape> cursors = {
      {QStringLiteral("crDefault"), Qt::ArrowCursor},    {QStringLiteral("crArrow"), Qt::ArrowCursor},
      {QStringLiteral("crCross"), Qt::CrossCursor},      {QStringLiteral("crIBeam"), Qt::IBeamCursor},
      {QStringLiteral("crSizeNS"), Qt::SizeVerCursor},   {QStringLiteral("crSizeWE"), Qt::SizeHorCursor},
      {QStringLiteral("crSizeAll"), Qt::SizeAllCursor},  {QStringLiteral("crHandPoint"), Qt::PointingHandCursor},
      {QStringLiteral("crHourGlass"), Qt::WaitCursor},   {QStringLiteral("crNo"), Qt::ForbiddenCursor},
  };
  const auto it = cursors.find(name);
  if (it == cursors.end()) return std::nullopt;
  return it->second;
}

// Classic event names that Qt spells differently.
QList<QByteArray> SignalNames(const QString& event) {
  if (event == QLatin1String("OnClick")) return {"OnClick", "clicked", "triggered"};
  return {event.toLatin1()};
}

// One bound event: calls the form's handler when the signal fires. What the handler raises ends
// here, in the application's error report. Left to TApplication::notify, it would unwind through
// Qt's event delivery, which is built without exceptions and skips its own clean-up on the way.
class THandlerCall : public QObject {
public:
  THandlerCall(QObject* sender, const QMetaMethod& signal, TForm* form, const QMetaMethod& slot)
      : QObject(form), FSender(sender), FSignal(signal.methodIndex()), FSlot(slot.methodIndex()),
        FSlotArgs(slot.parameterCount()), FWithSender(TakesSender(signal, slot)) {
    setObjectName(Name());
    // The one method this object adds to QObject's, reached through qt_metacall below.
    FConnected = bool(QMetaObject::connect(sender, FSignal, this, QObject::staticMetaObject.methodCount()));
  }
  // Found among the form's children by name: without Q_OBJECT of its own, a cast cannot tell it.
  static QString Name() { return QStringLiteral("<bound event>"); }
  static std::vector<THandlerCall*> Of(TForm* form) {
    std::vector<THandlerCall*> calls;
    for (QObject* child : form->findChildren<QObject*>(Name(), Qt::FindDirectChildrenOnly))
      calls.push_back(static_cast<THandlerCall*>(child));
    return calls;
  }
  bool Connected() const { return FConnected; }
  bool Binds(const QObject* sender, const QMetaMethod& signal) const {
    return FSender == sender && FSignal == signal.methodIndex();
  }

  int qt_metacall(QMetaObject::Call call, int id, void** args) override {
    id = QObject::qt_metacall(call, id, args);
    if (id < 0 || call != QMetaObject::InvokeMetaMethod) return id;
    if (id == 0) {
      // The handler takes the first of the signal's arguments, in the same places. Dispatched through
      // the form's own qt_metacall, so a control that signals while the form is torn down reaches no
      // handler of a class already destroyed.
      try {
        QObject* sender = FSender;
        // A handler that takes the control as Sender gets it first, then the signal's arguments.
        std::vector<void*> withSender;
        if (FWithSender) {
          withSender.assign(size_t(FSlotArgs) + 1, nullptr);
          withSender[1] = &sender;
          std::copy(args + 1, args + FSlotArgs, withSender.begin() + 2);
          args = withSender.data();
        }
        if (auto* form = qobject_cast<TForm*>(parent()))
          QMetaObject::metacall(form, QMetaObject::InvokeMetaMethod, FSlot, args);
      } catch (const std::exception& error) {
        TApplication::ShowException(error);
      }
    }
    return id - 1;
  }

  // A handler `X(QObject* Sender, ...)` bound to a signal that does not carry its sender (a button's
  // clicked(bool)): the rest of its parameters are the signal's first ones.
  static bool TakesSender(const QMetaMethod& signal, const QMetaMethod& slot) {
    const int count = slot.parameterCount();
    if (count == 0 || slot.parameterMetaType(0) != QMetaType::fromType<QObject*>()) return false;
    if (signal.parameterCount() > 0 && signal.parameterMetaType(0) == QMetaType::fromType<QObject*>()) return false;
    if (count - 1 > signal.parameterCount()) return false;
    for (int i = 1; i < count; ++i)
      if (slot.parameterMetaType(i) != signal.parameterMetaType(i - 1)) return false;
    return true;
  }

private:
  QPointer<QObject> FSender;
  int FSignal;
  int FSlot;
  int FSlotArgs;
  bool FWithSender;
  bool FConnected = false;
};

class TLayoutReader {
public:
  TLayoutReader(TForm* form, QString resource) : FForm(form), FResource(std::move(resource)) {}

  void Apply(const QJsonObject& layout) {
    CheckKeys(layout, {"inherits", "properties", "events", "controls"},
              [this](const QString& key) { Fail(QStringLiteral("unknown key \"%1\"").arg(key)); });
    ApplyProperties(FForm, layout.value(QLatin1String("properties")).toObject());
    ApplyEvents(FForm, layout.value(QLatin1String("events")).toObject());
    ApplyControls(FForm, layout.value(QLatin1String("controls")).toArray());
    // References to controls are resolved once the whole layout exists.
    for (const auto& resolve : FReferences) resolve();
  }

  [[noreturn]] void Fail(const QString& what) const {
    throw Exception(QStringLiteral("Layout %1: %2").arg(FResource, what));
  }

private:
  QObject* Find(const QString& name) const {
    if (name == FForm->objectName()) return FForm;
    return FForm->findChild<QObject*>(name);
  }

  void ApplyControls(QObject* parent, const QJsonArray& controls) {
    for (const QJsonValue& value : controls) ApplyControl(parent, value.toObject());
  }

  void ApplyControl(QObject* enclosing, const QJsonObject& entry) {
    const QString name = entry.value(QLatin1String("name")).toString();
    if (name.isEmpty()) Fail(QStringLiteral("a control without a name"));
    CheckKeys(entry, {"name", "class", "parent", "bounds", "after", "properties", "events", "controls"},
              [&](const QString& key) { Fail(QStringLiteral("unknown key \"%1\" of \"%2\"").arg(key, name)); });
    QObject* parent = enclosing;
    if (entry.contains(QLatin1String("parent"))) {
      parent = Find(entry.value(QLatin1String("parent")).toString());
      if (!parent) Fail(QStringLiteral("no parent \"%1\" for \"%2\"").arg(entry.value(QLatin1String("parent")).toString(), name));
    }
    QObject* control = Find(name);
    const bool inherited = control != nullptr;
    if (entry.contains(QLatin1String("class"))) {
      if (control) Fail(QStringLiteral("\"%1\" exists already").arg(name));
      control = Create(entry.value(QLatin1String("class")).toString(), name, parent, entry);
    } else if (!control) {
      Fail(QStringLiteral("no control \"%1\" to change").arg(name));
    } else if (entry.contains(QLatin1String("parent"))) {
      if (auto* widget = qobject_cast<QWidget*>(control)) widget->setParent(qobject_cast<QWidget*>(parent));
    }
    if (entry.contains(QLatin1String("bounds"))) {
      const QJsonArray b = entry.value(QLatin1String("bounds")).toArray();
      auto* widget = qobject_cast<QWidget*>(control);
      if (!widget || b.size() != 4) Fail(QStringLiteral("bad bounds for \"%1\"").arg(name));
      const QRect bounds(b[0].toInt(), b[1].toInt(), b[2].toInt(), b[3].toInt());
      // Anchored children of an inherited container follow its new size.
      if (inherited) TAlignLayout::SetBoundsArranged(widget, bounds);
      else widget->setGeometry(bounds);
    }
    ApplyProperties(control, entry.value(QLatin1String("properties")).toObject());
    ApplyEvents(control, entry.value(QLatin1String("events")).toObject());
    ApplyControls(control, entry.value(QLatin1String("controls")).toArray());
  }

  QObject* Create(const QString& className, const QString& name, QObject* parent, const QJsonObject& entry) {
    const auto factory = Factories().find(className);
    if (factory == Factories().end()) Fail(QStringLiteral("unknown class \"%1\"").arg(className));
    auto* menu = qobject_cast<QMenu*>(parent);
    // Menu items belong to the form, as every other component; the menu only lists them.
    QObject* control = factory->second(menu ? FForm : parent);
    control->setObjectName(name);
    if (auto* item = qobject_cast<QAction*>(control)) {
      if (!menu) Fail(QStringLiteral("menu item \"%1\" outside a menu").arg(name));
      QAction* before = nullptr;
      const QString after = entry.value(QLatin1String("after")).toString();
      if (!after.isEmpty()) {
        const QList<QAction*> items = menu->actions();
        const auto it = std::find_if(items.begin(), items.end(), [&](QAction* a) { return a->objectName() == after; });
        if (it == items.end()) Fail(QStringLiteral("no menu item \"%1\"").arg(after));
        if (it + 1 != items.end()) before = *(it + 1);
      }
      menu->insertAction(before, item);
    }
    return control;
  }

  void ApplyProperties(QObject* target, const QJsonObject& properties) {
    for (auto it = properties.begin(); it != properties.end(); ++it) SetProperty(target, it.key(), it.value());
  }

  void SetProperty(QObject* target, const QString& name, const QJsonValue& value) {
    auto* widget = qobject_cast<QWidget*>(target);
    if (name == QLatin1String("Caption") && target != FForm) return SetProperty(target, QStringLiteral("text"), value);
    if (name == QLatin1String("Hint")) return SetProperty(target, QStringLiteral("toolTip"), value);
    if (name == QLatin1String("Glyph")) {
      const QIcon icon(value.toString());
      if (icon.isNull()) Fail(QStringLiteral("no glyph \"%1\"").arg(value.toString()));
      target->setProperty("icon", icon);
      target->setProperty("iconSize", QSize(16, 16));
      return;
    }
    if (name == QLatin1String("Font") && widget) return widget->setFont(FontOf(value.toString()));
    if (name == QLatin1String("Cursor") && widget) {
      const std::optional<Qt::CursorShape> shape = CursorOf(value.toString());
      if (!shape) Fail(QStringLiteral("unknown cursor \"%1\"").arg(value.toString()));
      return widget->setCursor(*shape);
    }
    if (name == QLatin1String("Constraints") && widget) {
      const QJsonObject limits = value.toObject();
      for (auto it = limits.begin(); it != limits.end(); ++it) {
        const int v = it.value().toInt();
        if (it.key() == QLatin1String("MinWidth")) widget->setMinimumWidth(v);
        else if (it.key() == QLatin1String("MinHeight")) widget->setMinimumHeight(v);
        else if (it.key() == QLatin1String("MaxWidth")) widget->setMaximumWidth(v);
        else if (it.key() == QLatin1String("MaxHeight")) widget->setMaximumHeight(v);
        else Fail(QStringLiteral("unknown constraint %1 of \"%2\"").arg(it.key(), target->objectName()));
      }
      return;
    }
    if (name == QLatin1String("FocusControl")) {
      FReferences.push_back([this, target, buddyName = value.toString()] {
        auto* label = qobject_cast<QLabel*>(target);
        auto* buddy = qobject_cast<QWidget*>(Find(buddyName));
        if (!label || !buddy) Fail(QStringLiteral("bad focus control \"%1\"").arg(buddyName));
        label->setBuddy(buddy);
      });
      return;
    }
    const QByteArray key = name.toLatin1();
    const int index = target->metaObject()->indexOfProperty(key.constData());
    QVariant v = value.toVariant();
    if (index >= 0) {
      const QMetaProperty property = target->metaObject()->property(index);
      // A property that holds a component names it; the name is resolved once the layout exists.
      if (property.metaType().flags() & QMetaType::PointerToQObject) {
        FReferences.push_back([this, target, property, componentName = value.toString()] {
          QObject* component = componentName.isEmpty() ? nullptr : Find(componentName);
          const QMetaObject* expected = property.metaType().metaObject();
          if (!componentName.isEmpty() && (!component || (expected && !component->metaObject()->inherits(expected))))
            Fail(QStringLiteral("no component \"%1\" for %2 of \"%3\"")
                     .arg(componentName, QLatin1String(property.name()), target->objectName()));
          if (!property.write(target, QVariant(property.metaType(), &component)))
            Fail(QStringLiteral("cannot set %1 of \"%2\"").arg(QLatin1String(property.name()), target->objectName()));
        });
        return;
      }
      if (property.metaType() == QMetaType::fromType<QFont>()) v = FontOf(value.toString());
      if (property.metaType() == QMetaType::fromType<QColor>()) v = QColor(value.toString());
      if (!property.write(target, v)) Fail(QStringLiteral("cannot set %1 of \"%2\"").arg(name, target->objectName()));
    } else if (IsDynamicProperty(name)) {
      target->setProperty(key.constData(), v);
    } else {
      Fail(QStringLiteral("unknown property \"%1\" of \"%2\"").arg(name, target->objectName()));
    }
  }

  void ApplyEvents(QObject* sender, const QJsonObject& events) {
    for (auto it = events.begin(); it != events.end(); ++it) {
      const QMetaMethod signal = FindSignal(sender, it.key());
      // A derived layout rebinds or removes what its base bound.
      for (THandlerCall* call : THandlerCall::Of(FForm))
        if (call->Binds(sender, signal)) delete call;
      if (it.value().isNull()) continue;
      const QMetaMethod slot = FindSlot(signal, it.value().toString());
      if (!(new THandlerCall(sender, signal, FForm, slot))->Connected())
        Fail(QStringLiteral("cannot bind %1 of \"%2\"").arg(it.key(), sender->objectName()));
    }
  }

  QMetaMethod FindSignal(QObject* sender, const QString& event) const {
    const QMetaObject* meta = sender->metaObject();
    for (const QByteArray& name : SignalNames(event)) {
      // The overload with the most arguments: a handler may take fewer.
      QMetaMethod best;
      for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod m = meta->method(i);
        if (m.methodType() == QMetaMethod::Signal && m.name() == name &&
            (!best.isValid() || m.parameterCount() > best.parameterCount()))
          best = m;
      }
      if (best.isValid()) return best;
    }
    Fail(QStringLiteral("\"%1\" has no event %2").arg(sender->objectName(), event));
  }

  QMetaMethod FindSlot(const QMetaMethod& signal, const QString& handler) const {
    const QMetaObject* meta = FForm->metaObject();
    const QByteArray name = handler.toLatin1();
    QMetaMethod best;
    // From the most derived class down, so a descendant's own slot is found first.
    for (int i = meta->methodCount() - 1; i >= 0; --i) {
      const QMetaMethod m = meta->method(i);
      if (m.methodType() != QMetaMethod::Slot || m.name() != name) continue;
      if (!QMetaObject::checkConnectArgs(signal, m) && !THandlerCall::TakesSender(signal, m)) continue;
      if (!best.isValid() || m.parameterCount() > best.parameterCount()) best = m;
    }
    if (!best.isValid()) Fail(QStringLiteral("no handler %1 for %2").arg(handler, QString::fromLatin1(signal.name())));
    return best;
  }

  TForm* FForm;
  QString FResource;
  std::vector<std::function<void()>> FReferences;
};

QJsonObject ReadLayout(const QString& resource) {
  QFile file(resource);
  if (!file.open(QIODevice::ReadOnly)) throw Exception(QStringLiteral("Layout %1 cannot be read").arg(resource));
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
  if (!document.isObject())
    throw Exception(QStringLiteral("Layout %1: %2 at offset %3").arg(resource, error.errorString()).arg(error.offset));
  return document.object();
}

// The focus chain: depth first through the containers, siblings in their TabOrder (those without
// one after them, in creation order), as classic forms tab.
void AppendInTabOrder(QWidget* parent, QList<QWidget*>& chain) {
  QList<QWidget*> children = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  std::stable_sort(children.begin(), children.end(), [](QWidget* a, QWidget* b) {
    const QVariant ta = a->property("TabOrder"), tb = b->property("TabOrder");
    return ta.isValid() && (!tb.isValid() || ta.toInt() < tb.toInt());
  });
  for (QWidget* child : children) {
    if (child->isWindow()) continue;
    chain << child;
    AppendInTabOrder(child, chain);
  }
}

void ApplyTabOrder(QWidget* root) {
  QList<QWidget*> chain;
  AppendInTabOrder(root, chain);
  QWidget* previous = nullptr;
  for (QWidget* w : chain) {
    if (!(w->focusPolicy() & Qt::TabFocus) || w->focusProxy()) continue;
    if (previous) QWidget::setTabOrder(previous, w);
    previous = w;
  }
}

void LoadChain(TForm* form, const QString& resource, int depth) {
  if (depth > 16) throw Exception(QStringLiteral("Layout %1 inherits too deeply").arg(resource));
  const QJsonObject layout = ReadLayout(resource);
  const QString base = layout.value(QLatin1String("inherits")).toString();
  if (!base.isEmpty()) LoadChain(form, base, depth + 1);
  TLayoutReader(form, resource).Apply(layout);
}

}  // namespace

void LoadFormLayout(TForm* form, const QString& resource) {
  LoadChain(form, resource, 0);
  ApplyTabOrder(form);
}
