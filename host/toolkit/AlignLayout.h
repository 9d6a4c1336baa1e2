#pragma once

#include <QHash>
#include <QObject>
#include <QRect>
#include <QSize>

class QWidget;

// Delphi's Align and Anchors for laid-out children. Layouts give them as dynamic properties:
// "Align" (alTop, alBottom, alLeft, alRight, alClient) and "Anchors" ("akLeft|akTop|akRight|akBottom",
// akLeft|akTop when absent). The geometry a layout gives is the design geometry: anchored edges keep
// their distance from the parent's edges as the parent is resized. A client-aligned child's minimum
// size holds its container back, strips included, as the classic align does.
class TAlignLayout : public QObject {
  Q_OBJECT
public:
  enum TAnchor : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };

  // Records the design geometry of every child below root and arranges them whenever a container
  // is resized. The layout is owned by root.
  static TAlignLayout* Install(QWidget* root);
  // Arranges the children of one container now.
  void Arrange(QWidget* container);
  // Gives a container new bounds and arranges its children for them once, as a form designer does
  // when a derived layout resizes an inherited container.
  static void SetBoundsArranged(QWidget* container, const QRect& bounds);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  explicit TAlignLayout(QWidget* root);
  void Record(QWidget* container);
  void Constrain(QWidget* container);

  struct TChild {
    QWidget* widget;
    int align;  // 0 none, then top, bottom, left, right, client
    unsigned anchors;
    QRect design;
  };
  struct TContainer {
    QSize design;
    QList<TChild> children;
  };
  QHash<QWidget*, TContainer> FContainers;
};
