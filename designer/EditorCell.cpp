#include "EditorCell.h"

#include "graphics/Graphics.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QToolButton>
#include <algorithm>
#include <utility>

TEditorCell::TEditorCell(TSinglePropertyEditor* editor, int lineHeight, QWidget* parent)
    : QWidget(parent),
      FEditor(editor),
      FDialog(dynamic_cast<IPropertyEditorDialog*>(FEditor)),
      FDraw(dynamic_cast<IPropertyEditorDraw*>(FEditor)),
      FDropDown(dynamic_cast<IPropertyEditorDropDownCategorizedStringList*>(FEditor)),
      FInplace(dynamic_cast<IPropertyEditorInplace*>(FEditor)),
      FLineHeight(lineHeight) {
  setAutoFillBackground(true);
  if (!FDialog && !FDropDown) return;
  FButton = new QToolButton(this);
  FButton->setText(FDialog ? QStringLiteral("\u2026") : QStringLiteral("\u25BE"));
  FButton->setToolTip(QStringLiteral("Edit %1").arg(FEditor->GetName()));
  // The dialog may rebuild the inspector, which releases this cell: leave the click first.
  connect(FButton, &QToolButton::clicked, this, [this] {
    QMetaObject::invokeMethod(this, FDialog ? &TEditorCell::Execute : &TEditorCell::ShowDropDown, Qt::QueuedConnection);
  });
}

TEditorCell::~TEditorCell() {
  // Going with the window: nobody is left to resize a row.
  blockSignals(true);
  CloseInplaceForm();
}

template <class F>
void TEditorCell::Guarded(F&& operation) {
  try {
    operation();
  } catch (const std::exception& error) {
    emit Failed(QString::fromUtf8(error.what()));
  }
}

void TEditorCell::Execute() {
  if (!FDialog) return;
  Guarded([this] { FDialog->Execute({}); });
  emit Executed();
}

QMenu* TEditorCell::CreateDropDown(QWidget* parent) {
  auto* menu = new QMenu(parent);
  Guarded([&] {
    const QString current = FEditor->GetDisplayValues();
    // One submenu per group: the group's name stays in sight, and the lists stay short.
    for (const TStringCategory& category : FDropDown->GetStringListValues()) {
      QMenu* group = menu->addMenu(category.Name);
      for (const QString& item : category.Items) {
        QAction* choice = group->addAction(item);
        choice->setCheckable(true);
        choice->setChecked(item == current);
        if (item == current) group->menuAction()->setText(category.Name + QStringLiteral(" \u2713"));
        // Setting the value may rebuild the inspector and release this cell: leave the menu first.
        connect(choice, &QAction::triggered, this, [this, item] {
          QMetaObject::invokeMethod(this, [this, item] { Guarded([&] { FEditor->SetStringValue(item); }); },
                                    Qt::QueuedConnection);
        });
      }
    }
  });
  return menu;
}

void TEditorCell::ShowDropDown() {
  if (!FDropDown) return;
  QMenu* menu = CreateDropDown(window());
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(mapToGlobal(QPoint(0, FLineHeight)));
}

IInplaceEditorFormController* TEditorCell::InplaceController() const {
  return FInplace ? FInplace->GetInplaceFormController() : nullptr;
}

void TEditorCell::OpenInplaceForm(const IInplaceHost& host, std::shared_ptr<IMemberUIUpdate> uiUpdate) {
  IInplaceEditorFormController* controller = InplaceController();
  if (!controller || FForm) return;
  Guarded([&] {
    FFormText = FEditor->GetDisplayValues();
    FForm = controller->OpenForm(this, host, QRect(0, FLineHeight, width(), 0), std::move(uiUpdate));
    if (TBasicInplaceForm* form = InplaceForm())
      connect(form, &TBasicInplaceForm::OnResize, this, &TEditorCell::HeightWanted);
  });
  emit HeightWanted();
}

void TEditorCell::RenewInplaceForm(const IInplaceHost& host, std::shared_ptr<IMemberUIUpdate> uiUpdate) {
  if (!InplaceForm()) return;
  QWidget* focus = QApplication::focusWidget();
  const bool focused = focus && InplaceForm()->isAncestorOf(focus);
  const QString name = focused ? focus->objectName() : QString();
  // Held by the cell meanwhile, so that the focus does not wander off to another row.
  if (focused) setFocus();
  CloseInplaceForm();
  OpenInplaceForm(host, std::move(uiUpdate));
  TBasicInplaceForm* form = InplaceForm();
  if (!focused || !form) return;
  QWidget* again = name.isEmpty() ? nullptr : form->findChild<QWidget*>(name);
  (again ? again : form)->setFocus();
}

void TEditorCell::NoteInplaceFormValue() {
  Guarded([this] { FFormText = FEditor->GetDisplayValues(); });
}

void TEditorCell::FinishInplaceForm() {
  if (TBasicInplaceForm* form = InplaceForm()) Guarded([form] { form->Finish(); });
}

void TEditorCell::CloseInplaceForm() {
  // What finishing causes may look at this cell again: it has no form from here on.
  const std::shared_ptr<IInplaceForm> open = std::move(FForm);
  FForm.reset();
  if (!open) return;
  if (TBasicInplaceForm* form = open->GetForm()) {
    disconnect(form, nullptr, this, nullptr);
    Guarded([form] { form->Finish(); });
  }
  open->Close();
  emit HeightWanted();
}

void TEditorCell::EditText(const QString& text, QEvent* key) {
  if (!FLine) {
    FLine = new QLineEdit(this);
    FLine->setFrame(false);
    FLine->installEventFilter(this);
  }
  FLine->setGeometry(0, 0, width() - (FButton ? FButton->width() : 0), LineHeight());
  FLine->setText(text);
  FLine->selectAll();
  FLine->show();
  FLine->setFocus();
  if (key && key->type() == QEvent::KeyPress) QApplication::sendEvent(FLine, key);
}

void TEditorCell::CloseTextLine(bool enter) {
  QLineEdit* line = std::exchange(FLine, nullptr);
  if (!line) return;
  const QString text = line->text();
  line->removeEventFilter(this);
  line->hide();
  line->deleteLater();
  emit TextLineClosed();
  if (enter) emit TextEntered(text);
}

bool TEditorCell::eventFilter(QObject* watched, QEvent* event) {
  if (watched != FLine) return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
      CloseTextLine(key != Qt::Key_Escape);
      return true;
    }
  } else if (event->type() == QEvent::FocusOut) {
    CloseTextLine(true);
  }
  return false;
}

int TEditorCell::LineHeight() const {
  const TBasicInplaceForm* form = InplaceForm();
  return std::min(FLineHeight, height() - (form ? form->height() : 0));
}

int TEditorCell::WantedHeight() const {
  const TBasicInplaceForm* form = InplaceForm();
  return FLineHeight + (form ? form->height() : 0);
}

void TEditorCell::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // The row's grid line takes the bottom of the line height: drawing into it would clip the value.
  QRect area(0, 0, width() - (FButton ? FButton->width() : 0), LineHeight());
  QString text;
  try {
    if (FDraw) {
      TGPGraphics graphics(&painter);
      FDraw->DrawValue(graphics, 0, 0, area, 0);
    }
    text = FEditor->GetDisplayValues();
  } catch (const std::exception& error) {
    // A paint that fails fails again on every repaint: one report, then the message in the cell.
    if (FPaintError.isEmpty()) {
      FPaintError = QString::fromUtf8(error.what());
      QMetaObject::invokeMethod(this, [this] { emit Failed(FPaintError); }, Qt::QueuedConnection);
    }
    text = FPaintError;
  }
  QFont valueFont = font();
  valueFont.setBold(FValueBold);
  painter.setFont(valueFont);
  painter.setPen(palette().color(QPalette::Text));
  painter.drawText(area.adjusted(3, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
}

void TEditorCell::SetValueBold(bool bold) {
  if (std::exchange(FValueBold, bold) != bold) update();
}

void TEditorCell::mousePressEvent(QMouseEvent*) { emit Pressed(); }

void TEditorCell::mouseDoubleClickEvent(QMouseEvent*) {
  QMetaObject::invokeMethod(this, FDialog ? &TEditorCell::Execute : &TEditorCell::ShowDropDown, Qt::QueuedConnection);
}

void TEditorCell::resizeEvent(QResizeEvent*) {
  if (FButton) FButton->setGeometry(width() - FLineHeight, 0, FLineHeight, FLineHeight);
  if (TBasicInplaceForm* form = InplaceForm()) form->setGeometry(0, FLineHeight, width(), form->height());
}
