#pragma once

#include "framework/PropertyEditors.h"
#include "runtime/CategorizedStrings.h"
#include "toolkit/Forms.h"

#include <QColor>
#include <QPointer>
#include <functional>
#include <memory>

// In-place editing: a property editor may show a small form inside its inspector row. The editor
// keeps an in-place form controller; the inspector asks it to open a form when the row is entered
// and closes the form when the row is left.

// The inspector row that shows a form, as the form's editor sees it.
class IMemberUIUpdate {
public:
  virtual ~IMemberUIUpdate() = default;
  // The member's value changed in the objects.
  virtual void MemberChanged() = 0;
  // Items were added to or removed from the member: the rows under it are built again.
  virtual void MemberStructureChanged() = 0;
  // The row shows the member's value again; with updateInplaceForms its in-place forms are set
  // from the value too. An editor that is being typed into passes false, so the text under the
  // caret is not replaced.
  virtual void UpdateMember(bool updateInplaceForms) = 0;
  // The in-place form's height changed: the row follows it.
  virtual void InplaceFormResized() = 0;
};

// Base of the forms shown in an inspector row. A form is a child control, never a window. Its
// layout's notification events On<Something>Change(Sender) report a change of the value through
// the change callback; OnEditorEnter and OnEditorLeave run DoEditorEnter and DoEditorLeave.
class TBasicInplaceForm : public TForm {
  Q_OBJECT
public:
  using TChangeCallback = std::function<void(TBasicInplaceForm* form)>;
  TBasicInplaceForm(QWidget* owner, IModifiable* modifiable, IDesigner* designer, TChangeCallback onChange);
  ~TBasicInplaceForm() override;

  IModifiable* GetModifiable() const { return FModifiable; }
  IDesigner* GetDesigner() const { return FDesigner; }

  // Calls the change callback with this form.
  void DoChange();
  // The user starts working in the form (a button goes down, the editor takes the focus): what he
  // changes until DoEditorLeave is one modification, one undo step.
  void DoEditorEnter();
  void DoEditorLeave();
  bool InEditor() const { return FModification != nullptr; }
  // Ends what the user is doing in the form (DoEditorLeave) if he is in it; the form stays open.
  void Finish();
  // True while the form reports a change of its own: what the change causes must leave it alone.
  bool InChange() const { return FChanging > 0; }

  // Cuts the form from its editor: no more callbacks, and an open modification ends.
  void Detach();
  void SetParentControl(QWidget* parent);
  void SetBounds(int left, int top, int width, int height) { setGeometry(left, top, width, height); }
  // The form's background, the inspector's colour.
  void SetFormColor(const QColor& color);

signals:
  void OnEditorLeft(QObject* Sender);
  void OnResize(QObject* Sender);

protected:
  void resizeEvent(QResizeEvent* event) override;

private slots:
  void DoChangeFrom(QObject*) { DoChange(); }
  void DoEditorEnterFrom(QObject*) { DoEditorEnter(); }
  void DoEditorLeaveFrom(QObject*) { DoEditorLeave(); }

private:
  void ConnectNotifications();
  IModifiable* FModifiable;
  IDesigner* FDesigner;
  TChangeCallback FOnChange;
  std::shared_ptr<IModification> FModification;
  int FChanging = 0;
};

// One open form and the row that shows it.
struct TInplaceFormInfo {
  TBasicInplaceForm* Form = nullptr;
  std::shared_ptr<IMemberUIUpdate> UIUpdate;
};

class IInplaceForm {
public:
  virtual ~IInplaceForm() = default;
  // Null once the form is gone.
  virtual TBasicInplaceForm* GetForm() const = 0;
  virtual const std::shared_ptr<IMemberUIUpdate>& GetUIUpdate() const = 0;
  // Hides the form and deletes it once control returns to the event loop.
  virtual void Close() = 0;
};

class TInplaceForm final : public IInplaceForm {
public:
  TInplaceForm(TBasicInplaceForm* form, std::shared_ptr<IMemberUIUpdate> uiUpdate);
  TBasicInplaceForm* GetForm() const override { return FForm; }
  const std::shared_ptr<IMemberUIUpdate>& GetUIUpdate() const override { return FUIUpdate; }
  void Close() override;

private:
  QPointer<TBasicInplaceForm> FForm;
  std::shared_ptr<IMemberUIUpdate> FUIUpdate;
};

// What the inspector offers the forms it hosts.
class IInplaceHost {
public:
  virtual ~IInplaceHost() = default;
  virtual QColor GetInplaceColor() const = 0;
};

class IInplaceEditorFormController {
public:
  virtual ~IInplaceEditorFormController() = default;
  // Makes a form, places it in `parent` at rect's left, top and width with its own height and
  // shows it.
  virtual std::shared_ptr<IInplaceForm> OpenForm(QWidget* parent, const IInplaceHost& host, const QRect& rect,
                                                 std::shared_ptr<IMemberUIUpdate> uiUpdate) = 0;
  // The open forms, oldest first; a closed form is no longer listed.
  virtual QList<TInplaceFormInfo> GetForms() const = 0;
  // The row of the form opened last.
  virtual std::shared_ptr<IMemberUIUpdate> GetLastUIUpdate() const = 0;
};

// The controller's work, for any form class. Destroying the controller detaches and closes its
// forms, so no form calls back into the editor that made it once the editor is gone.
class TBasicInplaceEditorFormController : public IInplaceEditorFormController {
public:
  using TMakeForm = std::function<TBasicInplaceForm*()>;
  using TInitForm = std::function<void(TBasicInplaceForm*)>;
  TBasicInplaceEditorFormController(TMakeForm make, TInitForm init);
  ~TBasicInplaceEditorFormController() override;

  std::shared_ptr<IInplaceForm> OpenForm(QWidget* parent, const IInplaceHost& host, const QRect& rect,
                                         std::shared_ptr<IMemberUIUpdate> uiUpdate) override;
  QList<TInplaceFormInfo> GetForms() const override;
  std::shared_ptr<IMemberUIUpdate> GetLastUIUpdate() const override { return FLastUIUpdate; }

private:
  TMakeForm FMake;
  TInitForm FInit;
  QList<std::shared_ptr<IInplaceForm>> FForms;
  std::shared_ptr<IMemberUIUpdate> FLastUIUpdate;
};

template <class TFormClass>
class TInplaceEditorFormController final : public TBasicInplaceEditorFormController {
public:
  using TMakeInstance = std::function<TFormClass*()>;
  using TUpdateForm = std::function<void(TFormClass*)>;
  TInplaceEditorFormController(TMakeInstance onMakeInstance, TUpdateForm onUpdateForm)
      : TBasicInplaceEditorFormController(
            [make = std::move(onMakeInstance)]() -> TBasicInplaceForm* { return make(); },
            [update = std::move(onUpdateForm)](TBasicInplaceForm* form) {
              if (update) update(static_cast<TFormClass*>(form));
            }) {}
};

// An editor that offers in-place forms: the controller, or null when the row has none.
class IPropertyEditorInplace {
public:
  virtual ~IPropertyEditorInplace() = default;
  virtual IInplaceEditorFormController* GetInplaceFormController() const = 0;
};

// An editor whose value is chosen from a list in groups.
class IPropertyEditorDropDownCategorizedStringList {
public:
  virtual ~IPropertyEditorDropDownCategorizedStringList() = default;
  virtual TCategorizedStringList GetStringListValues() = 0;
};

// The object a property value holds, whatever pointer type the value was stored as; null for a
// value that holds none.
QObject* GetRealTypeInstance(const QVariant& value);
