#pragma once
// Logs the modifications editors open and release, and whether `Dialog` was still open at a release.

#include "arduino/Components.h"
#include "framework/ComponentEditors.h"

#include <QPointer>

struct TLogDesigner : IDesigner {
  QStringList Log;
  QPointer<QWidget> Dialog;
  std::shared_ptr<IModification> BeginModify(TPersistent*) override {
    Log << "open";
    return std::shared_ptr<IModification>(new IModification, [this](IModification* m) {
      Log << (Dialog ? "release with the dialog open" : "release");
      delete m;
    });
  }
};
