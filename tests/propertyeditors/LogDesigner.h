#pragma once
// A designer that logs the modifications editors open and release, and whether the dialog named
// by `Dialog` was still open at a release.

#include "arduino/Components.h"
#include "framework/ComponentEditors.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <memory>

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
