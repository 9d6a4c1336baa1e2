#include "framework/InplaceForms.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {
struct TCounts {
  int Opened = 0, Released = 0, Changes = 0, MemberChanged = 0, Updated = 0, Resized = 0;
  bool LastUpdateForms = false;
};

class TScope final : public IModification {
public:
  explicit TScope(TCounts& counts) : FCounts(counts) { ++FCounts.Opened; }
  ~TScope() override { ++FCounts.Released; }

private:
  TCounts& FCounts;
};

struct TModifiable final : IModifiable {
  TCounts& Counts;
  explicit TModifiable(TCounts& counts) : Counts(counts) {}
  std::shared_ptr<IModification> BeginModify() override { return std::make_shared<TScope>(Counts); }
};

struct TRow final : IMemberUIUpdate {
  TCounts& Counts;
  explicit TRow(TCounts& counts) : Counts(counts) {}
  void MemberChanged() override { ++Counts.MemberChanged; }
  void MemberStructureChanged() override {}
  void UpdateMember(bool forms) override {
    ++Counts.Updated;
    Counts.LastUpdateForms = forms;
  }
  void InplaceFormResized() override { ++Counts.Resized; }
};

struct THost final : IInplaceHost {
  QColor GetInplaceColor() const override { return QColor(0x12, 0x34, 0x56); }
};

// A form with the notification events a layout would give it.
class TValueForm : public TBasicInplaceForm {
  Q_OBJECT
public:
  TValueForm(IModifiable* modifiable, TChangeCallback onChange) : TBasicInplaceForm(nullptr, modifiable, nullptr, std::move(onChange)) {
    resize(100, 41);
    emit OnCreate(this);
  }
signals:
  void OnValueChange(QObject* Sender);
  void OnEditorEnter(QObject* Sender);
  void OnEditorLeave(QObject* Sender);
};
}  // namespace

// The road of one in-place edit: the controller opens and places a form, the form's events reach the
// editor's callback and one modification, leaving the form tells the row, and a gone controller
// leaves no form that could call back.
TEST(InplaceForms, ControllerFormsAndTheirNotifications) {
  TCounts counts;
  TModifiable modifiable(counts);
  QList<QObject*> changed;
  auto controller = std::make_unique<TInplaceEditorFormController<TValueForm>>(
      [&] { return new TValueForm(&modifiable, [&](TBasicInplaceForm* form) { changed << form; }); }, nullptr);
  QWidget parent;
  parent.resize(300, 200);
  const auto row = std::make_shared<TRow>(counts);
  const std::shared_ptr<IInplaceForm> first = controller->OpenForm(&parent, THost(), QRect(7, 9, 250, 0), row);
  TBasicInplaceForm* form = first->GetForm();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->parentWidget(), &parent);
  EXPECT_FALSE(form->isWindow());
  EXPECT_EQ(form->geometry(), QRect(7, 9, 250, 41));
  EXPECT_EQ(form->palette().color(QPalette::Window), QColor(0x12, 0x34, 0x56));
  EXPECT_EQ(controller->GetLastUIUpdate(), row);

  auto* valueForm = static_cast<TValueForm*>(form);
  emit valueForm->OnValueChange(form);
  EXPECT_EQ(changed, QList<QObject*>{form});
  emit valueForm->OnEditorEnter(form);
  emit valueForm->OnEditorEnter(form);
  EXPECT_EQ(counts.Opened, 1);
  EXPECT_TRUE(form->InEditor());
  emit valueForm->OnEditorLeave(form);
  EXPECT_EQ(counts.Released, 1);
  EXPECT_EQ(counts.MemberChanged, 1);
  EXPECT_EQ(counts.Updated, 1);
  EXPECT_TRUE(counts.LastUpdateForms);

  const std::shared_ptr<IInplaceForm> second = controller->OpenForm(&parent, THost(), QRect(0, 0, 90, 0), row);
  ASSERT_EQ(controller->GetForms().size(), 2);
  EXPECT_EQ(controller->GetForms()[1].Form, second->GetForm());
  first->Close();
  ASSERT_EQ(controller->GetForms().size(), 1);
  EXPECT_EQ(controller->GetForms()[0].Form, second->GetForm());

  // A modification still open when the editor goes ends with it; the form goes after its event.
  TBasicInplaceForm* last = second->GetForm();
  last->DoEditorEnter();
  controller.reset();
  EXPECT_EQ(counts.Released, counts.Opened);
  last->DoChange();
  EXPECT_EQ(changed.size(), 1);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(parent.findChildren<TBasicInplaceForm*>().isEmpty());
}

#include "InplaceFormsTest.moc"
