// The grayscale colour editor as an inspector shows it: the row's swatch and text, and the in-place
// form under it, placed by the editor's controller.
#include "Shots.h"

#include "arduino/Components.h"
#include "propertyeditors/GrayscaleAlphaColorInplaceFormUnit.h"

#include <QPainter>
#include <QTest>

namespace {
struct TNoDesigner : IDesigner {
  std::shared_ptr<IModification> BeginModify(TPersistent*) override { return std::make_shared<IModification>(); }
};
struct TRow : IMemberUIUpdate {
  QWidget* Inspector = nullptr;
  void MemberChanged() override {}
  void MemberStructureChanged() override {}
  void UpdateMember(bool) override { Inspector->update(); }
  void InplaceFormResized() override {}
};
struct TInspectorColor : IInplaceHost {
  QColor GetInplaceColor() const override { return QColor(0xF4, 0xF4, 0xF4); }
};

// Two columns, one row for the property's name and value; the form goes under the value.
class TInspector : public QWidget {
public:
  static constexpr int NameWidth = 110, RowHeight = 18;
  explicit TInspector(TGrayscaleAlphaColorPropertyEditor& editor) : FEditor(editor) { resize(420, RowHeight + 41 + 6); }

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xF4, 0xF4, 0xF4));
    p.setPen(QColor(0xA0, 0xA0, 0xA0));
    p.drawLine(NameWidth, 0, NameWidth, height());
    p.drawLine(0, RowHeight, width(), RowHeight);
    p.setPen(Qt::black);
    p.drawText(QRect(4, 0, NameWidth - 8, RowHeight), Qt::AlignVCenter, FEditor.GetName());
    QRect cell(NameWidth + 1, 0, width() - NameWidth - 1, RowHeight);
    {
      TGPGraphics g(&p);
      FEditor.DrawValue(g, 0, 0, cell, 0);
    }
    p.setPen(Qt::black);
    p.drawText(cell.adjusted(2, 0, 0, 0), Qt::AlignVCenter, FEditor.GetDisplayValues());
  }

private:
  TGrayscaleAlphaColorPropertyEditor& FEditor;
};

bool ShootGrayscaleColor(TShots& shots) {
  TArduinoColorToGrayscaleAlphaColor component;
  component.SetInitialValue(TArduinoGrayscaleAlphaColor::Make(0x80, 0xC0));  // half transparent light gray
  TNoDesigner designer;
  TGrayscaleAlphaColorPropertyEditor editor(&designer, {&component}, "InitialValue");
  TInspector inspector(editor);
  auto row = std::make_shared<TRow>();
  row->Inspector = &inspector;
  const QRect value(TInspector::NameWidth + 1, TInspector::RowHeight + 3, inspector.width() - TInspector::NameWidth - 1,
                    TInspector::RowHeight);
  editor.GetInplaceFormController()->OpenForm(&inspector, TInspectorColor(), value, row);
  inspector.show();
  if (!QTest::qWaitForWindowExposed(&inspector)) return false;
  Settle();
  return shots.SaveWidget(inspector, QStringLiteral("GrayscaleAlphaColorInplaceForm"));
}
}  // namespace

void AddPropertyEditorShots(TShotGroups& groups) {
  groups.push_back({{QStringLiteral("GrayscaleAlphaColorInplaceForm")}, ShootGrayscaleColor});
}
