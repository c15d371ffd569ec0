// The screen-properties dialog and the main window's command around it:
// filling, range rules with last valid texts, OK, cancel, the swatches, the
// check boxes, and btnDefault with the record it writes.
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#include "orvanta/workbench/ScreenSetFile.h"
#include "ViewHelpers.h"

namespace {

class ScreenDialog : public ViewFixture {
 protected:
  QTemporaryDir dir;

  void SetUp() override {
    ViewFixture::SetUp();
    ASSERT_TRUE(dir.isValid());
    ProgramDir = dir.path().toStdString() + "/";  // btnDefault writes here
  }

  TScreenForm& D() { return *ScreenForm; }
  std::string SetPath() { return ProgramDir + "screen.set"; }

  // Runs the command; `script` plays the user while the dialog is shown.
  void Run(const std::function<void(TScreenForm&)>& script) {
    fake.OnExecModal = [script](QDialog* d) {
      script(*ScreenForm);
      return d->result();
    };
    Form().mnuGraphPropertiesClick();
    fake.OnExecModal = nullptr;
  }

  static std::string T(const QLineEdit* e) { return e->text().toStdString(); }
  static void Type(QLineEdit* e, const std::string& text) { e->setText(QString::fromStdString(text)); }
  static void ClickSwatch(TColorSwatch* s) { QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(3, 3)); }
};

TEST_F(ScreenDialog, FixedBorderAndDefaultButton) {
  TScreenForm& d = D();
  EXPECT_EQ(d.minimumSize(), d.maximumSize());
  EXPECT_FALSE(d.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  // The captions whose units and trailing blanks are easy to get wrong.
  const std::pair<const char*, const char*> captions[] = {
      {"Label3", "Масштаб по X (ед. на пкс):"},
      {"Label5", "Коэффициент увеличения/уменьшения масштаба: "},
      {"Label6", "Сдвиг графика на часть от экрана: "},
  };
  for (auto [name, caption] : captions) {
    QLabel* l = d.findChild<QLabel*>(name);
    ASSERT_NE(l, nullptr) << name;
    EXPECT_EQ(l->text().toStdString(), caption);
  }
  EXPECT_EQ(d.btnDefault->text().toStdString(), "Принять по умолчанию");
  EXPECT_TRUE(d.btnOk->isDefault());
  EXPECT_FALSE(d.btnCancel->isDefault());
}

TEST_F(ScreenDialog, FilledFromTheViewAndCancelChangesNothing) {
  View().StartX = -3.125L;
  View().StartY = 0.0123456L;
  View().Xm = 0.02L;
  View().SetkaStep = 0.5L;
  View().OciWidth = 4;
  View().Oci = false;
  View().BkColor = 0x112233;
  View().LinesColor = 0x778899;
  D().pgPage->setCurrentIndex(1);
  MarkPicture();
  Run([](TScreenForm& d) {
    EXPECT_EQ(T(d.txtMinX), "-3.125");
    EXPECT_EQ(T(d.txtMinY), "0.01235");
    EXPECT_EQ(T(d.txtXm), "0.02");
    EXPECT_EQ(T(d.txtSetkaStep), "0.5");
    EXPECT_EQ(d.LastScreenTexts[TScreenForm::bxMinY], "0.01235");  // taken when shown
    EXPECT_EQ(T(d.txtWidth), "4");
    EXPECT_FALSE(d.cbxOci->isChecked());
    for (QWidget* w : std::initializer_list<QWidget*>{d.stOciColor, d.Label8, d.Label9, d.txtWidth, d.udWidth})
      EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(d.txtSetkaStep->isEnabled());
    EXPECT_EQ(d.stBkColor->Color(), 0x112233u);
    EXPECT_EQ(d.stLinesColor->Color(), 0x778899u);
    EXPECT_EQ(d.pgPage->currentIndex(), 0);
    Type(d.txtXm, "0.5");
    d.btnCancel->click();
  });
  ASSERT_EQ(fake.Dialogs.size(), 1u);
  EXPECT_EQ(fake.Dialogs[0].Title, " Свойства экрана");
  EXPECT_FALSE(ScreenAccepted);
  EXPECT_FALSE(Redrawn());
  EXPECT_EQ(View().Xm, 0.02L);
  EXPECT_EQ(View().StartY, 0.0123456L);

  // The close box cancels as well.
  Run([](TScreenForm& d) {
    Type(d.txtXm, "0.5");
    d.close();
  });
  EXPECT_FALSE(Redrawn());
  EXPECT_EQ(View().Xm, 0.02L);

  // The panel button opens the same dialog.
  Form().btnSettings->click();
  ASSERT_EQ(fake.Dialogs.size(), 3u);
  EXPECT_EQ(fake.Dialogs[2].ClassName, "TScreenForm");
}

TEST_F(ScreenDialog, RangeRules) {
  struct Case {
    int box;
    const char* text;
    bool valid;
  };
  using F = TScreenForm;
  const Case cases[] = {
      {F::bxXm, "0.00002", false}, {F::bxXm, "2e-5", false},     {F::bxXm, "0.00003", true},
      {F::bxXm, "50", false},      {F::bxXm, "49.99", true},     {F::bxYm, "0", false},
      {F::bxYm, "  1", true},      {F::bxYm, "1 ", false},       {F::bxYm, "1,5", false},
      {F::bxKoef, "1", false},     {F::bxKoef, "10", true},      {F::bxKoef, "10.0001", false},
      {F::bxKoef, "1.0001", true}, {F::bxSdvig, "0", false},     {F::bxSdvig, "1", true},
      {F::bxSdvig, "1.01", false}, {F::bxSetkaStep, "0", false}, {F::bxSetkaStep, "-1", false},
      {F::bxSetkaStep, "1e300", true}, {F::bxMinX, "abc", false}, {F::bxMinX, "-1e4000", true},
      {F::bxMinX, "1e5000", false}, {F::bxMinY, "", false},     {F::bxMinY, "inf", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TScreenForm::ValidBoxText(c.box, c.text), c.valid) << c.box << " \"" << c.text << "\"";
}

TEST_F(ScreenDialog, InvalidTextsFallBackToTheLastValidOnes) {
  Run([](TScreenForm& d) {
    Type(d.txtMinX, "abc");
    Type(d.txtXm, "0.00002");
    Type(d.txtKoef, "3");
    d.btnDefault->click();  // accepts "3": it becomes the last valid text
    EXPECT_EQ(T(d.txtMinX), "-20");
    EXPECT_EQ(T(d.txtXm), "0.05");
    Type(d.txtKoef, "1");
    Type(d.txtSdvig, "0");
    Type(d.txtSetkaStep, "0");
    d.btnOk->click();
    EXPECT_EQ(T(d.txtKoef), "3");
    EXPECT_EQ(T(d.txtSdvig), "0.25");
    EXPECT_EQ(T(d.txtSetkaStep), "1");
  });
  EXPECT_EQ(View().StartX, -20);
  EXPECT_EQ(View().Xm, 0.05L);
  EXPECT_EQ(View().Koef, 3);
  EXPECT_EQ(View().Sdvig, 0.25L);
}

TEST_F(ScreenDialog, OkCopiesEverythingBackAndRedraws) {
  View().Xm = 0.0123456L;
  MarkPicture();
  Run([](TScreenForm& d) {
    Type(d.txtMinX, "-1");
    Type(d.txtMinY, "2.5");
    Type(d.txtYm, "0.01");
    Type(d.txtKoef, "4");
    Type(d.txtSdvig, "0.5");
    Type(d.txtSetkaStep, "0.2");
    d.cbxOci->click();  // unchecked: the axes controls go grey
    EXPECT_FALSE(d.txtWidth->isEnabled());
    d.cbxSetka->click();
    EXPECT_FALSE(d.txtSetkaStep->isEnabled());
    d.cbxSetka->click();
    d.btnOk->click();
  });
  EXPECT_FALSE(ScreenAccepted);  // reset once applied
  EXPECT_TRUE(Redrawn());
  EXPECT_EQ(View().StartX, -1);
  EXPECT_EQ(View().StartY, 2.5L);
  EXPECT_EQ(View().Xm, 0.01235L);  // the unchanged box still rounds to 5 decimals
  EXPECT_EQ(View().Ym, 0.01L);
  EXPECT_EQ(View().Koef, 4);
  EXPECT_EQ(View().Sdvig, 0.5L);
  EXPECT_EQ(View().SetkaStep, 0.2L);
  EXPECT_FALSE(View().Oci);
  EXPECT_TRUE(View().Setka);
  EXPECT_EQ(Panel(3), "ym 0.01");
  // Redrawn without axes: the column of x = 0 shows the grid line only.
  EXPECT_EQ(Pixel(81, 15), View().LinesColor);
}

TEST_F(ScreenDialog, EnterIsOkAndEscapeIsCancel) {
  Run([](TScreenForm& d) {
    Type(d.txtXm, "0.5");
    QTest::keyClick(d.txtXm, Qt::Key_Escape);
  });
  EXPECT_EQ(View().Xm, 0.05L);
  Run([](TScreenForm& d) {
    Type(d.txtXm, "0.5");
    QTest::keyClick(d.txtXm, Qt::Key_Return);
  });
  EXPECT_EQ(View().Xm, 0.5L);
}

TEST_F(ScreenDialog, AxesWidthFromTheArrowsOrTyped) {
  View().OciWidth = 3;
  // A typed width outside 1 to 9 is not taken: the up-down keeps its position.
  const std::pair<const char*, int> cases[] = {{"7", 7}, {"9", 9}, {"15", 3}, {"0", 3}, {"x", 3}};
  for (auto [typed, expected] : cases) {
    View().OciWidth = 3;
    Run([typed = typed](TScreenForm& d) {
      Type(d.txtWidth, typed);
      d.btnOk->click();
    });
    EXPECT_EQ(View().OciWidth, expected) << typed;
  }
}

TEST_F(ScreenDialog, SwatchesShareOneColourDialog) {
  fake.Colors = {plat::TColor{0x0000FF}, std::nullopt, plat::TColor{0x00FF00}};
  View().OciColor = 0x445566;
  Run([](TScreenForm& d) {
    ClickSwatch(d.stBkColor);
    EXPECT_EQ(d.stBkColor->Color(), 0x0000FFu);
    ClickSwatch(d.stOciColor);  // cancelled: the swatch keeps its colour
    EXPECT_EQ(d.stOciColor->Color(), 0x445566u);
    ClickSwatch(d.stLinesColor);
    d.btnOk->click();
  });
  ASSERT_EQ(fake.ColorDialogs.size(), 3u);
  // Each opens with the colour last chosen in it, not the swatch's.
  EXPECT_EQ(fake.ColorDialogs[1].Initial, 0x0000FFu);
  EXPECT_EQ(fake.ColorDialogs[2].Initial, 0x0000FFu);
  EXPECT_EQ(View().BkColor, 0x0000FFu);
  EXPECT_EQ(View().OciColor, 0x445566u);
  EXPECT_EQ(View().LinesColor, 0x00FF00u);
  EXPECT_EQ(Pixel(5, 5), 0x0000FFu);  // the new background is drawn
}

TEST_F(ScreenDialog, DefaultWritesTheRecordAndKeepsItAfterCancel) {
  fake.Colors = {plat::TColor{0x010203}};
  Run([](TScreenForm& d) {
    Type(d.txtXm, "0.03");
    Type(d.txtYm, "0.04");
    Type(d.txtKoef, "2.5");
    Type(d.txtSdvig, "0.125");
    Type(d.txtSetkaStep, "0.75");
    Type(d.txtMinX, "123");
    ClickSwatch(d.stLinesColor);
    d.cbxSetka->click();
    d.udWidth->SetPosition(6);
    d.btnDefault->click();
    EXPECT_TRUE(d.isVisible());  // the dialog stays open
    d.btnCancel->click();
  });
  EXPECT_EQ(View().DefaultXm, 0.03L);
  EXPECT_EQ(View().DefaultYm, 0.04L);
  EXPECT_EQ(View().Xm, 0.05L);  // cancelled: the view itself is unchanged
  EXPECT_EQ(View().StartX, -20);
  EXPECT_EQ(View().Koef, 2);

  EXPECT_EQ(QFile(QString::fromStdString(SetPath())).size(), 124);
  TScreenSettings rec;
  ASSERT_TRUE(ReadScreenSettingsFile(SetPath(), rec));
  EXPECT_EQ(rec.XmText, "0.03");
  EXPECT_EQ(rec.KoefText, "2.5");
  EXPECT_EQ(rec.SdvigText, "0.125");
  EXPECT_EQ(rec.Setka, !View().Setka);
  EXPECT_EQ(rec.BkColor, View().BkColor);
  EXPECT_EQ(rec.LinesColor, 0x010203u);
  EXPECT_EQ(rec.OciWidth, 6);

  // Loaded back, the record gives the same defaults.
  objScreen loaded;
  LoadScreenSettings(loaded, 700, 400);
  EXPECT_EQ(loaded.DefaultYm, 0.04L);
  EXPECT_EQ(loaded.SetkaStep, 0.75L);
  EXPECT_TRUE(fake.Messages.empty());
}

TEST_F(ScreenDialog, DefaultValidatesWhatTheFileKeeps) {
  Run([](TScreenForm& d) {
    // 25 characters whose first 20 are the same number: stored cut.
    Type(d.txtXm, "0.03000000000000000000001");
    // Valid as a whole, but its first 20 characters are blanks: replaced.
    Type(d.txtYm, std::string(20, ' ') + "0.04");
    // Valid as a whole, but cut to "0.000000000000000000" it would be 0.
    Type(d.txtSetkaStep, "0.0000000000000000000005");
    d.btnDefault->click();
    EXPECT_EQ(T(d.txtYm), "0.05");
    EXPECT_EQ(T(d.txtSetkaStep), "1");
    d.btnCancel->click();
  });
  EXPECT_EQ(View().DefaultXm, 0.03L);
  EXPECT_EQ(View().DefaultYm, 0.05L);
  TScreenSettings rec;
  ASSERT_TRUE(ReadScreenSettingsFile(SetPath(), rec));
  EXPECT_EQ(rec.XmText, "0.030000000000000000");
  EXPECT_EQ(rec.YmText, "0.05");
  EXPECT_EQ(rec.SetkaStepText, "1");
}

TEST_F(ScreenDialog, AScaleBelowTheRangeNeverBecomesZero) {
  // 1e-6 prints as "0": the box opens with a text the dialog would refuse,
  // and that text is its last valid one.
  View().Xm = 1e-6L;
  View().DefaultXm = 0.02L;
  fake.Colors = {plat::TColor{0x010203}};
  Run([](TScreenForm& d) {
    EXPECT_EQ(T(d.txtXm), "0");
    ClickSwatch(d.stBkColor);
    d.btnDefault->click();  // the default x scale stays drawable; the record is written
    d.btnOk->click();
  });
  EXPECT_EQ(View().DefaultXm, 0.02L);
  EXPECT_EQ(View().DefaultYm, 0.05L);
  TScreenSettings rec;
  ASSERT_TRUE(ReadScreenSettingsFile(SetPath(), rec));
  EXPECT_EQ(rec.XmText, "0");
  EXPECT_EQ(rec.YmText, "0.05");
  EXPECT_EQ(rec.BkColor, 0x010203u);
  EXPECT_EQ(View().Xm, 1e-6L);  // kept, not set to 0
  EXPECT_EQ(View().Ym, 0.05L);
  Form().mnuGraphMDefaultClick();
  EXPECT_EQ(View().Xm, 0.02L);
}

TEST_F(ScreenDialog, AFailedWriteIsReportedAndTheDialogStaysOpen) {
  ProgramDir = dir.path().toStdString() + "/missing/";
  Run([](TScreenForm& d) {
    Type(d.txtXm, "0.04");
    d.btnDefault->click();
    EXPECT_TRUE(d.isVisible());
    d.btnCancel->click();
  });
  ASSERT_EQ(fake.Messages.size(), 1u);
  EXPECT_EQ(fake.Messages[0].Kind, plat::MsgKind::Error);
  EXPECT_NE(fake.Messages[0].Text.find("screen.set"), std::string::npos);
  EXPECT_EQ(View().DefaultXm, 0.04L);  // set before the write
}

TEST_F(ScreenDialog, AHugeOriginIsAcceptedAndDrawn) {
  MarkPicture();
  Run([](TScreenForm& d) {
    Type(d.txtMinX, "1e4000");
    Type(d.txtMinY, "-1e4000");
    d.btnOk->click();
  });
  EXPECT_TRUE(Redrawn());
  EXPECT_EQ(View().StartX, 1e4000L);
  EXPECT_EQ(View().StartY, -1e4000L);
  EXPECT_EQ(Pixel(400, 200), View().BkColor);
}

}  // namespace
