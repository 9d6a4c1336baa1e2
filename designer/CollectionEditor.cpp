#include "CollectionEditor.h"

#include "CollectionCommands.h"
#include "DesignSession.h"
#include "Palette.h"
#include "PropertyReflection.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

TCollectionEditor::TCollectionEditor(TDesignSession* session, TCollection* collection, const QString& caption,
                                     QWidget* parent)
    : QDialog(parent), FSession(session), FCollection(collection) {
  setWindowTitle(QStringLiteral("Editing %1").arg(caption));
  setAttribute(Qt::WA_DeleteOnClose);
  FItems = new QListWidget;
  FAdd = new QToolButton;
  FAdd->setText(QStringLiteral("Add"));
  FAdd->setPopupMode(QToolButton::InstantPopup);
  FDelete = new QPushButton(QStringLiteral("Delete"));
  FUp = new QPushButton(QStringLiteral("Move Up"));
  FDown = new QPushButton(QStringLiteral("Move Down"));

  auto* menu = new QMenu(FAdd);
  for (TClass cls : MakeableClasses(collection->GetItemClass()))
    menu->addAction(ReadableClassName(QString::fromLatin1(cls->className())), this, [this, cls] {
      Run([&] {
        CollectionCommands::AddItem(*FSession, FCollection, cls);
        FItems->setCurrentRow(FCollection->GetCount() - 1);
      });
    });
  FAdd->setMenu(menu);
  FAdd->setEnabled(!menu->isEmpty());

  auto* buttons = new QHBoxLayout;
  for (QWidget* button : std::initializer_list<QWidget*>{FAdd, FDelete, FUp, FDown}) buttons->addWidget(button);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(FItems);
  resize(340, 300);

  connect(FDelete, &QPushButton::clicked, this, [this] {
    Run([this] { CollectionCommands::DeleteItem(*FSession, FCollection, FItems->currentRow()); });
  });
  connect(FUp, &QPushButton::clicked, this, [this] { Move(-1); });
  connect(FDown, &QPushButton::clicked, this, [this] { Move(+1); });
  const auto choose = [this](int row) {
    if (FCollection && row >= 0 && row < FCollection->GetCount()) emit ItemChosen(FCollection->GetItem(row));
  };
  connect(FItems, &QListWidget::currentRowChanged, this, [this, choose](int row) {
    UpdateButtons();
    choose(row);
  });
  connect(FItems, &QListWidget::itemClicked, this, [this, choose](QListWidgetItem* item) { choose(FItems->row(item)); });
  // A deleted component is kept for its undo, but its collection is no longer in the design.
  const auto follow = [this] {
    if (FCollection && FSession->Document().RootOf(FCollection)) Refresh();
    else close();
  };
  connect(FSession, &TDesignSession::StructureChanged, this, follow);
  connect(FSession, &TDesignSession::ObjectChanged, this, follow);
  connect(collection, &QObject::destroyed, this, &QWidget::close);
  Refresh();
}

void TCollectionEditor::Refresh() {
  const int row = FItems->currentRow();
  const QSignalBlocker blocker(FItems);
  FItems->clear();
  for (TCollectionItem* item : *FCollection)
    FItems->addItem(Reflection::ItemCaption(item->GetIndex(), item->GetDisplayName()));
  FItems->setCurrentRow(std::min(row, FItems->count() - 1));
  UpdateButtons();
}

void TCollectionEditor::UpdateButtons() {
  const int row = FItems->currentRow();
  FDelete->setEnabled(row >= 0);
  FUp->setEnabled(row > 0);
  FDown->setEnabled(row >= 0 && row + 1 < FItems->count());
}

void TCollectionEditor::Move(int delta) {
  const int from = FItems->currentRow();
  Run([&] {
    CollectionCommands::MoveItem(*FSession, FCollection, from, from + delta);
    FItems->setCurrentRow(from + delta);
  });
}

void TCollectionEditor::Run(const std::function<void()>& command) {
  if (!FCollection) return;
  try {
    command();
  } catch (const std::exception& e) {
    emit Failed(QString::fromUtf8(e.what()));
  }
}
