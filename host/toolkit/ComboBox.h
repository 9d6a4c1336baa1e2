#pragma once

#include <QComboBox>
#include <QStringList>

// Drop-down list to pick one of its items (no typing). OnChange follows every change of ItemIndex,
// by the user or by code.
class TComboBox : public QComboBox {
  Q_OBJECT
  Q_PROPERTY(QStringList Items READ Items WRITE SetItems)
  Q_PROPERTY(int ItemIndex READ currentIndex WRITE setCurrentIndex)
public:
  explicit TComboBox(QWidget* parent = nullptr);
  QStringList Items() const;
  void SetItems(const QStringList& items);

signals:
  void OnChange(QObject* Sender);
};
