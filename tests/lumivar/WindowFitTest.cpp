// Every window of the plotter shows its texts whole: each label, check box,
// radio button and button is wide and tall enough for its text, and lies
// inside its parent and its group's frame, in each state the window has.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QLocale>
#include <string>
#include <vector>

#include "../common/WidgetFit.h"
#include "LumivarFixture.h"
#include "platform/qt/FakePrinter.h"
#include "platform/qt/PdfPageSetup.h"

namespace {

// The part of a label, check box or radio button that its text takes.
QRect TextArea(const QWidget* w) {
  if (auto* label = qobject_cast<const QLabel*>(w)) {
    if (label->text().isEmpty() || label->wordWrap()) return {};
    const int need = QFontMetrics(label->font()).horizontalAdvance(orv_test::FitShownText(label->text()));
    const Qt::Alignment a = label->alignment();
    const int x = (a & Qt::AlignRight) ? w->width() - need
                  : (a & Qt::AlignHCenter) ? (w->width() - need) / 2
                                           : 0;
    return QRect(w->x() + x, w->y(), need, w->height());
  }
  auto* b = qobject_cast<const QAbstractButton*>(w);
  if (!b || b->text().isEmpty() || qobject_cast<const QPushButton*>(w)) return {};
  return QRect(w->pos(), QSize(b->sizeHint().width(), w->height()));
}

// Texts covered by another control beside them: a label that fits its own
// rectangle is still cut where a box is placed over its end.
std::vector<std::string> CoveredTexts(const QWidget* top) {
  std::vector<std::string> faults;
  for (const QWidget* w : top->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(top) || w->isWindow()) continue;
    const QRect text = TextArea(w);
    if (text.isEmpty() || !w->parentWidget()) continue;
    for (const QObject* o : w->parentWidget()->children()) {
      auto* other = qobject_cast<const QWidget*>(o);
      if (!other || other == w || !other->isVisibleTo(top) || other->isWindow()) continue;
      if (other->geometry().intersects(text))
        faults.push_back(orv_test::FitName(w) + ": text under " + orv_test::FitName(other));
    }
  }
  return faults;
}

std::string Faults(const QWidget* w) {
  std::string all;
  for (const std::string& f : orv_test::TextsThatDoNotFit(w)) all += "\n  " + f;
  for (const std::string& f : CoveredTexts(w)) all += "\n  " + f;
  return all;
}

class WindowFitTest : public lumtest::RussianLumivarTest {
 protected:
  void SetUp() override {
    RussianLumivarTest::SetUp();
    fake.ShowDialogs = true;
    CreateForms();
  }
  // Opens `d` through `command` and checks it while it is open.
  void CheckWhileOpen(QDialog* d, const std::function<void()>& command) {
    bool checked = false;
    fake.OnExecModal = [&](QDialog* shown) {
      if (shown == d) {
        EXPECT_EQ(Faults(d), "") << d->objectName().toStdString();
        checked = true;
      }
      shown->reject();
      return shown->result();
    };
    command();
    EXPECT_TRUE(checked) << d->objectName().toStdString();
  }

  plat::FakePrinter printer;
  plat::ScopedPrinter usePrinter{printer};

 private:
};

TEST_F(WindowFitTest, MainWindowInEveryMode) {
  EXPECT_EQ(Faults(form.get()), "") << "start";
  for (QAction* f : {form->Nf1, form->Nf2, form->Nf3, form->Nf4, form->Nf5, form->Nf6, form->Nf7, form->Nf8,
                     form->Nf9, form->Nf10}) {
    f->trigger();
    EXPECT_EQ(Faults(form.get()), "") << f->text().toStdString();
  }
  form->DrobKoff->trigger();
  EXPECT_EQ(Faults(form.get()), "") << "fractions";
  form->SysRe->trigger();
  EXPECT_EQ(Faults(form.get()), "") << "two graphs with fractions";
  form->DrobKoff->trigger();
  EXPECT_EQ(Faults(form.get()), "") << "two graphs";
}

TEST_F(WindowFitTest, Dialogs) {
  CheckWhileOpen(lumivar::AltFunc, [this] { form->Nf11Click(); });
  CheckWhileOpen(lumivar::SetcaForm, [this] { form->SetcaClick(); });
  CheckWhileOpen(lumivar::AboutBox, [this] { form->AboutClick(); });
  // The print dialog as the printer fills it, with the whole page and without.
  bool checked = false;
  fake.OnExecModal = [&checked](QDialog* d) {
    lumivar::PrintForm->FormActivate();
    EXPECT_EQ(Faults(d), "") << "whole page";
    lumivar::PrintForm->AllPage->setChecked(false);
    EXPECT_EQ(Faults(d), "") << "own rectangle";
    checked = true;
    d->reject();
    return d->result();
  };
  form->PrintFileClick();
  EXPECT_TRUE(checked);
  plat::TPdfPageSetupForm pdf;
  pdf.show();
  EXPECT_EQ(Faults(&pdf), "");
}

}  // namespace
