#pragma once

#include "toolkit/Dialogs.h"
#include "toolkit/Keys.h"

#include <QAction>
#include <QDialog>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>

class TButton;

// A form with a modal result. Layouts build its children; the most-derived constructor calls
// LoadLayout() once they exist.
//
// Dialog keys. A key enters the form at the focused control (at the form itself while no control
// has the focus) and is looked at there, once, before that control sees it. The focused control
// that wants Enter or Esc keeps it: a button takes Enter itself, a multi-line editor makes a new
// line, an open drop-down list closes on Esc (the list is a window of its own, so the key is the
// list's when the list had the keyboard as the key began). Otherwise Enter clicks the default button and Esc the
// cancel button, while those roles are switched on; with no such button the control gets the key.
// Ctrl+Enter clicks the default button whatever control has the focus.
// Keys the controls leave travel up to the form, which does nothing with them. A form embedded as a
// control (an in-place form) has no dialog keys. Key preview sees every key at the same place,
// after the dialog keys.
class TForm : public QDialog {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(int ClientWidth READ ClientWidth WRITE SetClientWidth)
  Q_PROPERTY(int ClientHeight READ ClientHeight WRITE SetClientHeight)
  Q_PROPERTY(bool KeyPreview READ KeyPreview WRITE SetKeyPreview)
public:
  explicit TForm(QWidget* parent = nullptr);
  ~TForm() override;

  // Runs the modal loop, or asks the dialog seam's responder when one is set.
  int ShowModal();
  int ModalResult() const { return FModalResult; }
  // A non-zero result ends the modal loop.
  void SetModalResult(int result);

  QString Caption() const { return windowTitle(); }
  void SetCaption(const QString& caption) { setWindowTitle(caption); }
  int ClientWidth() const { return width(); }
  void SetClientWidth(int w) { resize(w, height()); }
  int ClientHeight() const { return height(); }
  void SetClientHeight(int h) { resize(width(), h); }
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool on) { FKeyPreview = on; }

  // The enabled, visible button whose Default (Cancel) role is on, or null.
  TButton* DefaultButton() const;
  TButton* CancelButton() const;

signals:
  void OnCreate(QObject* Sender);
  void OnShow(QObject* Sender);
  void OnKeyDown(QObject* Sender, quint16& Key, TShiftState Shift);
  void OnKeyPress(QObject* Sender, QChar& Key);

protected:
  // Builds the form from its layout resource (the layouts it inherits first), binds the controls
  // to their fields and finishes the form. The most derived constructor calls it, so that events
  // reach the most derived handlers.
  void LoadLayout(const QString& resource);
  // Each class binds the controls it declares, after its base class's.
  virtual void BindControls() {}
  template <class T>
  void Bind(T*& field, const char* name) {
    field = findChild<T*>(QLatin1String(name));
    if (!field) MissingControl(name);
  }
  // Finishes a form whose layout is set up: Delphi-style alignment, popup menus and their
  // shortcuts, then OnCreate.
  void Loaded();
  void done(int result) override;
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  [[noreturn]] void MissingControl(const char* name) const;
  // Looks at the keys of `object` and of every control below it.
  void Watch(QObject* object);
  bool HandleDialogKey(const QKeyEvent& event);
  bool PreviewKey(QKeyEvent& event);
  int FModalResult = 0;
  bool FKeyPreview = false;
  // Qt offers each key to the control that has the keyboard as a shortcut override before it
  // delivers the key. An open drop-down list closes on that offer, and the key may then still be
  // delivered to the form: it was the list's all the same.
  bool FKeyOfDropDown = false;
};

// Push button with an optional glyph; Default and Cancel are roles the form's dialog keys look at.
class TButton : public QPushButton {
  Q_OBJECT
  Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
  Q_PROPERTY(bool Default READ Default WRITE SetDefault)
  Q_PROPERTY(bool Cancel READ Cancel WRITE SetCancel)
public:
  explicit TButton(QWidget* parent = nullptr);
  int ModalResult() const { return FModalResult; }
  void SetModalResult(int result) { FModalResult = result; }
  bool Default() const { return FDefault; }
  void SetDefault(bool on);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool on) { FCancel = on; }

protected:
  void keyPressEvent(QKeyEvent* event) override;
  // A mnemonic clicks at once, as Enter does (Qt's own shows a press and clicks a moment later).
  bool event(QEvent* event) override;

private:
  int FModalResult = mrNone;
  bool FDefault = false;
  bool FCancel = false;
};

// Flat tool button with a glyph.
class TSpeedButton : public QToolButton {
  Q_OBJECT
public:
  explicit TSpeedButton(QWidget* parent = nullptr);
};

// Container without a bevel. Its mouse events carry the point in the panel's own coordinates.
class TPanel : public QFrame {
  Q_OBJECT
public:
  explicit TPanel(QWidget* parent = nullptr);

signals:
  void OnMouseDown(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void OnMouseMove(QObject* Sender, TShiftState Shift, int X, int Y);
  void OnMouseUp(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// Shows a picture; with Stretch and Proportional it is scaled to fit with its aspect ratio kept.
// Pixels stay sharp, as a picture of single pixels should.
class TImage : public QWidget {
  Q_OBJECT
  Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)
  Q_PROPERTY(bool Proportional READ Proportional WRITE SetProportional)
  Q_PROPERTY(bool Center READ Center WRITE SetCenter)
public:
  explicit TImage(QWidget* parent = nullptr);
  const QImage& Picture() const { return FPicture; }
  void SetPicture(QImage picture);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool on) { FStretch = on; update(); }
  bool Proportional() const { return FProportional; }
  void SetProportional(bool on) { FProportional = on; update(); }
  bool Center() const { return FCenter; }
  void SetCenter(bool on) { FCenter = on; update(); }
  // Where the picture lands inside the control.
  QRect DestRect() const;

signals:
  void OnPictureChange(QObject* Sender);

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  QImage FPicture;
  bool FStretch = false, FProportional = false, FCenter = false;
};

// Label; its focus control is the Qt buddy, which an accelerator in the caption focuses.
using TLabel = QLabel;

// Status bar with one simple panel.
class TStatusBar : public QStatusBar {
  Q_OBJECT
  Q_PROPERTY(QString SimpleText READ SimpleText WRITE SetSimpleText)
public:
  explicit TStatusBar(QWidget* parent = nullptr);
  QString SimpleText() const;
  void SetSimpleText(const QString& text);

private:
  QLabel* FPanel;
};

// Menu items are actions; a layout gives each its shortcut value in the dynamic property
// "ShortCut", which the form converts when it is loaded.
using TMenuItem = QAction;

// Popup menu. Attached to a control through the control's dynamic property "PopupMenu" (the menu's
// name): it opens on the control's context-menu request, and its items' shortcuts act while that
// control has the focus.
class TPopupMenu : public QMenu {
  Q_OBJECT
public:
  explicit TPopupMenu(QWidget* parent = nullptr);
  void AttachTo(QWidget* control);
};
