#pragma once

#include <QWidget>
#include <functional>

namespace Designer {
// The one form of `formClass` in this process, made by `make` on first use. The forms live until
// the application ends; one that is deleted earlier is forgotten and made again when asked for.
QWidget* GetForm(const QMetaObject& formClass, const std::function<QWidget*()>& make);
// Deletes every form made so far. A package's forms run its code, so whoever unloads a package
// calls this first; a form asked for later is made anew.
void FreeForms();

template <class T>
T* GetForm() {
  return static_cast<T*>(GetForm(T::staticMetaObject, [] { return new T(); }));
}
}  // namespace Designer
