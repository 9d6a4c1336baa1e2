#include "codestrings/ArduinoCodeNames.h"

#include "codestrings/ResizableInplaceFormUnit.h"
#include "package/hostapi/ArduinoLibrary.h"

#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>

const TSynApiList& ArduinoCoreNames() {
  static const TSynApiList names = [] {
    InitCodeStringsModule();
    QFile file(QStringLiteral(":/codestrings/data/arduino-core.api"));
    if (!file.open(QIODevice::ReadOnly)) throw Exception(QStringLiteral("The Arduino name list is missing"));
    return TSynApiList::Parse(QString::fromUtf8(file.readAll()));
  }();
  return names;
}

namespace {
// The text with comments and literals turned into spaces; line breaks stay.
QString Blanked(const QString& code) {
  QString out = code;
  enum { Code, Line, Block, Quote } state = Code;
  QChar quote;
  for (qsizetype i = 0; i < out.size(); ++i) {
    const QChar c = out[i], next = i + 1 < out.size() ? out[i + 1] : QChar();
    switch (state) {
      case Code:
        if (c == QLatin1Char('/') && next == QLatin1Char('/')) state = Line;
        else if (c == QLatin1Char('/') && next == QLatin1Char('*')) state = Block;
        else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) state = Quote, quote = c;
        else continue;
        out[i] = QLatin1Char(' ');
        break;
      case Line:
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) state = Code;
        else out[i] = QLatin1Char(' ');
        break;
      case Block:
        if (c == QLatin1Char('*') && next == QLatin1Char('/')) state = Code, out[i + 1] = QLatin1Char(' ');
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r')) out[i] = QLatin1Char(' ');
        if (state == Code) ++i;
        break;
      case Quote:
        if (c == QLatin1Char('\\')) out[i + (next.isNull() ? 0 : 1)] = QLatin1Char(' '), out[i] = QLatin1Char(' '), ++i;
        else if (c == quote || c == QLatin1Char('\n')) state = Code, out[i] = QLatin1Char(' ');
        else out[i] = QLatin1Char(' ');
        break;
    }
  }
  return out;
}

// From the "(" at `open`, the index of its matching ")", or -1.
qsizetype MatchingParen(const QString& text, qsizetype open) {
  int depth = 0;
  for (qsizetype i = open; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('(')) ++depth;
    else if (text[i] == QLatin1Char(')') && --depth == 0) return i;
  }
  return -1;
}

TSynApiEntry UserEntry(const QString& name, const QString& params, bool function, const QString& type = {}) {
  TSynApiEntry e;
  e.Name = name;
  e.Params = params.simplified();
  e.IsFunction = function;
  e.Kind = TSynApiEntry::User;
  e.TypeName = type;
  return e;
}
}  // namespace

TSynApiList ScanDeclaredNames(const QString& code) {
  static const QRegularExpression define(QStringLiteral(R"(^[ \t]*#[ \t]*define[ \t]+([A-Za-z_]\w*)(\([^)\n]*\))?)"),
                                         QRegularExpression::MultilineOption);
  static const QRegularExpression directive(QStringLiteral(R"(^[ \t]*#[^\n]*)"), QRegularExpression::MultilineOption);
  static const QRegularExpression declaration(QStringLiteral(
      R"((?<![\w.>:])(?:(?:const|static|volatile|unsigned|signed|extern|constexpr|inline|struct|class)\s+)*)"
      R"(([A-Za-z_]\w*(?:\s*<[^;{}()<>]*>)?)\s*[*&]?\s*(?<![\w])([A-Za-z_]\w*)\s*([(=;,\[{]))"));
  static const QRegularExpression more(QStringLiteral(R"(\s*,\s*[*&]?\s*([A-Za-z_]\w*)\s*[=;,\[])"));
  static const QSet<QString> statementWords = {
      QStringLiteral("return"), QStringLiteral("else"),   QStringLiteral("case"),   QStringLiteral("goto"),
      QStringLiteral("delete"), QStringLiteral("new"),    QStringLiteral("throw"),  QStringLiteral("typedef"),
      QStringLiteral("using"),  QStringLiteral("sizeof"), QStringLiteral("do"),     QStringLiteral("if"),
      QStringLiteral("while"),  QStringLiteral("for"),    QStringLiteral("switch"), QStringLiteral("namespace"),
      QStringLiteral("struct"), QStringLiteral("class"),  QStringLiteral("enum"),   QStringLiteral("const"),
      QStringLiteral("static"), QStringLiteral("public"), QStringLiteral("private"), QStringLiteral("protected")};

  TSynApiList names;
  QSet<QString> seen;
  auto add = [&](const TSynApiEntry& e) {
    const QString key = e.Signature();
    if (seen.contains(key)) return;
    seen.insert(key);
    names.Add(e);
  };

  QString text = Blanked(code);
  for (auto it = define.globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    const QString params = m.captured(2);
    add(UserEntry(m.captured(1), params.mid(1, params.size() - 2), !params.isEmpty()));
  }
  // Directives declare nothing else.
  for (auto it = directive.globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    text.replace(m.capturedStart(), m.capturedLength(), QString(m.capturedLength(), QLatin1Char(' ')));
  }
  for (qsizetype offset = 0;;) {
    const QRegularExpressionMatch m = declaration.match(text, offset);
    if (!m.hasMatch()) break;
    offset = m.capturedEnd();
    const QString type = m.captured(1).simplified(), name = m.captured(2);
    if (statementWords.contains(type.section(QLatin1Char('<'), 0, 0).trimmed()) || statementWords.contains(name)) {
      // A statement word is no type ("return value;"); the scan goes on from the word after it.
      offset = m.capturedStart(2);
      continue;
    }
    if (m.captured(3) == QLatin1String("(")) {
      const qsizetype open = m.capturedStart(3), close = MatchingParen(text, open);
      if (close < 0) continue;
      add(UserEntry(name, text.mid(open + 1, close - open - 1), true));
      offset = close + 1;  // parameters are not the component's names
      continue;
    }
    add(UserEntry(name, {}, false, type));
    // "int a = 1, b;": the names after the commas of the statement, outside parentheses and braces.
    qsizetype i = m.capturedStart(3);
    while (i < text.size() && text[i] != QLatin1Char(';')) {
      const QChar c = text[i];
      if (c == QLatin1Char('(') || c == QLatin1Char('[') || c == QLatin1Char('{')) {
        int depth = 0;
        const QChar open = c, close = c == QLatin1Char('(') ? QLatin1Char(')') : c == QLatin1Char('[') ? QLatin1Char(']') : QLatin1Char('}');
        for (; i < text.size(); ++i) {
          if (text[i] == open) ++depth;
          else if (text[i] == close && --depth == 0) break;
        }
        ++i;
        continue;
      }
      if (c == QLatin1Char(',')) {
        const QRegularExpressionMatch next =
            more.match(text, i, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
        if (next.hasMatch()) add(UserEntry(next.captured(1), {}, false, type));
      }
      ++i;
    }
  }
  return names;
}

std::function<TSynApiList()> DeclaredNamesOf(QObject* component) {
  QPointer<QObject> target(component);
  return [target]() {
    TSynApiList names;
    if (!target) return names;
    for (const char* row : {"Declarations", "Setup"}) {
      const QVariant value = target->property(row);
      if (value.metaType() == QMetaType::fromType<TArduinoCode>()) names.Append(ScanDeclaredNames(value.value<TArduinoCode>().Text));
    }
    return names;
  };
}
