#include "AlignLayout.h"

#include <QEvent>
#include <QWidget>
#include <algorithm>

namespace {
enum { alNone, alTop, alBottom, alLeft, alRight, alClient };

int AlignOf(const QWidget* w) {
  const QString a = w->property("Align").toString();
  if (a == QLatin1String("alTop")) return alTop;
  if (a == QLatin1String("alBottom")) return alBottom;
  if (a == QLatin1String("alLeft")) return alLeft;
  if (a == QLatin1String("alRight")) return alRight;
  if (a == QLatin1String("alClient")) return alClient;
  return alNone;
}

unsigned AnchorsOf(const QWidget* w) {
  const QVariant v = w->property("Anchors");
  if (!v.isValid()) return TAlignLayout::akLeft | TAlignLayout::akTop;
  unsigned set = 0;
  for (const QString& part : v.toString().split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
    const QString p = part.trimmed();
    if (p == QLatin1String("akLeft")) set |= TAlignLayout::akLeft;
    else if (p == QLatin1String("akTop")) set |= TAlignLayout::akTop;
    else if (p == QLatin1String("akRight")) set |= TAlignLayout::akRight;
    else if (p == QLatin1String("akBottom")) set |= TAlignLayout::akBottom;
  }
  return set;
}

// One axis of an anchored child: position and extent from the design distances.
void Anchor(bool near, bool far, int designPos, int designExtent, int designParent, int parent, int& pos,
            int& extent) {
  extent = designExtent;
  if (near && far) {
    pos = designPos;
    extent = std::max(0, parent - designPos - (designParent - designPos - designExtent));
  } else if (far) {
    pos = parent - (designParent - designPos);
  } else if (near) {
    pos = designPos;
  } else {  // neither: the centre keeps its relative place
    pos = designParent > 0 ? (designPos * 2 + designExtent) * parent / designParent / 2 - designExtent / 2 : designPos;
  }
}
}  // namespace

TAlignLayout::TAlignLayout(QWidget* root) : QObject(root) {}

TAlignLayout* TAlignLayout::Install(QWidget* root) {
  auto* layout = new TAlignLayout(root);
  layout->Record(root);
  for (QWidget* w : root->findChildren<QWidget*>()) layout->Record(w);
  for (auto it = layout->FContainers.keyBegin(); it != layout->FContainers.keyEnd(); ++it) {
    (*it)->installEventFilter(layout);
    layout->Constrain(*it);
  }
  layout->Arrange(root);
  return layout;
}

void TAlignLayout::SetBoundsArranged(QWidget* container, const QRect& bounds) {
  TAlignLayout layout(container);
  layout.Record(container);
  container->setGeometry(bounds);
  layout.Arrange(container);
}

void TAlignLayout::Record(QWidget* container) {
  TContainer c;
  c.design = container->size();
  for (QObject* o : container->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || w->isWindow()) continue;
    const int align = AlignOf(w);
    const unsigned anchors = AnchorsOf(w);
    if (align == alNone && anchors == (akLeft | akTop)) continue;  // nothing to keep
    c.children.append({w, align, anchors, w->geometry()});
  }
  if (!c.children.isEmpty()) FContainers.insert(container, c);
}

void TAlignLayout::Constrain(QWidget* container) {
  const TContainer& c = FContainers[container];
  QSize strips(0, 0);
  QWidget* client = nullptr;
  for (const TChild& child : c.children) {
    if (child.align == alTop || child.align == alBottom) strips.rheight() += child.widget->height();
    else if (child.align == alLeft || child.align == alRight) strips.rwidth() += child.widget->width();
    else if (child.align == alClient) client = child.widget;
  }
  if (!client) return;
  if (client->minimumWidth() > 0)
    container->setMinimumWidth(std::max(container->minimumWidth(), strips.width() + client->minimumWidth()));
  if (client->minimumHeight() > 0)
    container->setMinimumHeight(std::max(container->minimumHeight(), strips.height() + client->minimumHeight()));
}

void TAlignLayout::Arrange(QWidget* container) {
  auto it = FContainers.find(container);
  if (it == FContainers.end()) return;
  QRect client = container->rect();
  auto byAlign = [&](int align) {
    QList<TChild*> list;
    for (TChild& c : it->children)
      if (c.align == align && !c.widget->isHidden()) list.append(&c);
    // Delphi keeps the design order: nearest to the edge first.
    std::stable_sort(list.begin(), list.end(), [align](TChild* a, TChild* b) {
      switch (align) {
        case alTop: return a->design.top() < b->design.top();
        case alBottom: return a->design.bottom() > b->design.bottom();
        case alLeft: return a->design.left() < b->design.left();
        case alRight: return a->design.right() > b->design.right();
        default: return false;
      }
    });
    return list;
  };
  for (TChild* c : byAlign(alTop)) {
    const int h = c->widget->height();
    c->widget->setGeometry(client.left(), client.top(), client.width(), h);
    client.setTop(client.top() + h);
  }
  for (TChild* c : byAlign(alBottom)) {
    const int h = c->widget->height();
    c->widget->setGeometry(client.left(), client.bottom() + 1 - h, client.width(), h);
    client.setBottom(client.bottom() - h);
  }
  for (TChild* c : byAlign(alLeft)) {
    const int w = c->widget->width();
    c->widget->setGeometry(client.left(), client.top(), w, std::max(0, client.height()));
    client.setLeft(client.left() + w);
  }
  for (TChild* c : byAlign(alRight)) {
    const int w = c->widget->width();
    c->widget->setGeometry(client.right() + 1 - w, client.top(), w, std::max(0, client.height()));
    client.setRight(client.right() - w);
  }
  for (TChild* c : byAlign(alClient))
    c->widget->setGeometry(client.left(), client.top(), std::max(0, client.width()), std::max(0, client.height()));
  const QSize size = container->size();
  for (TChild& c : it->children) {
    if (c.align != alNone) continue;
    int x, y, w, h;
    Anchor(c.anchors & akLeft, c.anchors & akRight, c.design.x(), c.design.width(), it->design.width(), size.width(),
           x, w);
    Anchor(c.anchors & akTop, c.anchors & akBottom, c.design.y(), c.design.height(), it->design.height(),
           size.height(), y, h);
    c.widget->setGeometry(x, y, w, h);
  }
}

bool TAlignLayout::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize) Arrange(static_cast<QWidget*>(watched));
  return false;
}
