#include "Designer.h"

#include <QCoreApplication>
#include <QHash>
#include <QPointer>

namespace {
QHash<QByteArray, QPointer<QWidget>>& GFormsDictionary() {
  static QHash<QByteArray, QPointer<QWidget>> forms;
  return forms;
}
}  // namespace

// The application owns the forms: they go while it ends, before the toolkit is torn down, unless
// the packages that made them are unloaded earlier.
void Designer::FreeForms() {
  const auto forms = std::exchange(GFormsDictionary(), {});
  for (const QPointer<QWidget>& form : forms) delete form.data();
}

QWidget* Designer::GetForm(const QMetaObject& formClass, const std::function<QWidget*()>& make) {
  QPointer<QWidget>& form = GFormsDictionary()[formClass.className()];
  if (!form) {
    static const bool registered = (qAddPostRoutine(Designer::FreeForms), true);
    Q_UNUSED(registered);
    form = make();
  }
  return form;
}
