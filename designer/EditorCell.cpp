#include "EditorCell.h"

#include "graphics/Graphics.h"

#include <QPainter>
#include <QToolButton>

TEditorCell::TEditorCell(std::unique_ptr<TSinglePropertyEditor> editor, QWidget* parent)
    : QWidget(parent),
      FEditor(std::move(editor)),
      FDialog(dynamic_cast<IPropertyEditorDialog*>(FEditor.get())),
      FDraw(dynamic_cast<IPropertyEditorDraw*>(FEditor.get())) {
  setAutoFillBackground(true);
  if (FDialog) {
    FEllipsis = new QToolButton(this);
    FEllipsis->setText(QStringLiteral("\u2026"));
    FEllipsis->setToolTip(QStringLiteral("Edit %1").arg(FEditor->GetName()));
    // The dialog may rebuild the inspector, which releases this cell: leave the click first.
    connect(FEllipsis, &QToolButton::clicked, this, [this] { QMetaObject::invokeMethod(this, &TEditorCell::Execute, Qt::QueuedConnection); });
  }
}

TEditorCell::~TEditorCell() = default;

void TEditorCell::Execute() {
  if (!FDialog) return;
  try {
    FDialog->Execute({});
  } catch (const std::exception& error) {
    emit Failed(QString::fromUtf8(error.what()));
  }
  emit Executed();
}

void TEditorCell::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QRect area(0, 0, width() - (FEllipsis ? FEllipsis->width() : 0), height());
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
  painter.setPen(palette().color(QPalette::Text));
  painter.drawText(area.adjusted(3, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
}

void TEditorCell::mouseDoubleClickEvent(QMouseEvent*) { QMetaObject::invokeMethod(this, &TEditorCell::Execute, Qt::QueuedConnection); }

void TEditorCell::resizeEvent(QResizeEvent*) {
  if (FEllipsis) FEllipsis->setGeometry(width() - height(), 0, height(), height());
}
