#include "ComboBox.h"

TComboBox::TComboBox(QWidget* parent) : QComboBox(parent) {
  connect(this, &QComboBox::currentIndexChanged, this, [this] { emit OnChange(this); });
}

QStringList TComboBox::Items() const {
  QStringList items;
  for (int i = 0; i < count(); ++i) items << itemText(i);
  return items;
}

void TComboBox::SetItems(const QStringList& items) {
  clear();
  addItems(items);
}
