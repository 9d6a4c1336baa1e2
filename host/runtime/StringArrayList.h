#pragma once

// Provisional string list; the containers work rebuilds it on the array list and keeps this surface.

#include <QString>
#include <QStringList>
#include <memory>

class IStringArrayList {
public:
  virtual ~IStringArrayList() = default;
  virtual int GetCount() const = 0;
  virtual QString GetItem(int index) const = 0;
  virtual void Add(const QString& line) = 0;
  virtual void Clear() = 0;
  // All lines joined with one line separator (LF).
  virtual QString GetText() const = 0;
  // Splits on CR LF, LF or CR.
  virtual void SetText(const QString& text) = 0;
};

class TStringArrayList final : public IStringArrayList {
public:
  static std::shared_ptr<IStringArrayList> Create() { return std::make_shared<TStringArrayList>(); }
  int GetCount() const override { return int(FLines.size()); }
  QString GetItem(int index) const override { return FLines.at(index); }
  void Add(const QString& line) override { FLines.append(line); }
  void Clear() override { FLines.clear(); }
  QString GetText() const override { return FLines.join(QLatin1Char('\n')); }
  void SetText(const QString& text) override {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    FLines = t.isEmpty() ? QStringList() : t.split(QLatin1Char('\n'));
  }

private:
  QStringList FLines;
};
