#pragma once

// The host's string list: an array list of lines with whole-text access, and copies from and to
// the line list of a code editor.

#include "ArrayList.h"

#include <QString>
#include <QStringList>
#include <memory>

class IStringArrayList : public IArrayList<QString> {
public:
  using IArrayList<QString>::Assign;
  // All lines joined with one separator (LF unless given); no separator after the last line.
  virtual QString GetText() const = 0;
  virtual QString GetText(const QString& separator) const = 0;
  // Replaces the lines with text split on CR LF, LF or CR; an empty text gives no lines.
  virtual void SetText(const QString& text) = 0;
  // Replaces the lines with an editor's lines, or hands this list's lines out as an editor's.
  virtual IArrayList<QString>& Assign(const QStringList& lines) = 0;
  virtual QStringList ToStringList() const = 0;
};

class TStringArrayList final : public TBasicArrayList<QString, IStringArrayList> {
public:
  using TBasicArrayList<QString, IStringArrayList>::Assign;
  static std::shared_ptr<IStringArrayList> Create() { return std::make_shared<TStringArrayList>(); }

  QString GetText() const override;
  QString GetText(const QString& separator) const override;
  void SetText(const QString& text) override;
  IArrayList<QString>& Assign(const QStringList& lines) override;
  QStringList ToStringList() const override;

  // The number of lines SetText makes of `text`, without making them.
  static int CountLines(const QString& text);
};
