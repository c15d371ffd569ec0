// The print dialog with a recording printer: one printer pixel is 0.1 mm
// unless a test says otherwise (254 pixels per inch).
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPageSize>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolButton>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

#include "LumivarFixture.h"
#include "PrintFormShown.h"
#include "platform/qt/FakePrinter.h"
#include "platform/qt/PdfPageSetup.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/SpinEditCm.h"

namespace {

using lumivar::PrintForm;

// Services whose message box lets the dialog be activated again while the
// box is up, as the desktop does when the box closes.
class ReactivatingServices : public plat::FakeServices {
 public:
  std::function<void()> OnMessage;
  int MessageBox(const plat::MessageRequest& r) override {
    if (OnMessage) OnMessage();
    return FakeServices::MessageBox(r);
  }
};

class PrintFormTest : public lumtest::RussianLumivarTest {
 protected:
  void SetUp() override {
    RussianLumivarTest::SetUp();
    fake.ShowDialogs = false;
    CreateForms();
  }

  // Opens the dialog through the print command; `script` runs while it is
  // open, after its activation. Returns what the modal run returned.
  int Open(const std::function<void()>& script = {}) {
    fake.OnExecModal = [script](QDialog* d) {
      PrintForm->FormActivate();
      if (script && PrintForm->result() != QDialog::Rejected) script();
      return d->result();
    };
    PrintForm->setResult(-1);  // FormActivate's reject() sets 0
    const std::size_t before = fake.Dialogs.size();
    form->PrintFileClick();
    return fake.Dialogs.size() > before ? fake.Dialogs.back().Result : -1;
  }

  static void TypeInto(plat::TSpinEditCm* box, const std::string& text) { box->SetText(text); }

  plat::FakePrinter printer;
  plat::ScopedPrinter usePrinter{printer};

 private:
};

TEST_F(PrintFormTest, FirstOpeningFillsThePageInLandscape) {
  Open([] {
    EXPECT_EQ(PrintForm->Height->Text(), "19,00");
    EXPECT_EQ(PrintForm->Width->Text(), "27,70");
    EXPECT_EQ(PrintForm->Top->Text(), "0,00");
    EXPECT_EQ(PrintForm->Left->Text(), "0,00");
    EXPECT_TRUE(PrintForm->Gor->isChecked());
    EXPECT_FALSE(PrintForm->Vert->isChecked());
    for (QWidget* w : std::vector<QWidget*>{PrintForm->Center, PrintForm->Height, PrintForm->Width,
                                            PrintForm->Top, PrintForm->Left})
      EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
  });
  EXPECT_EQ(printer.CurrentOrientation, plat::TPrinterOrientation::poLandscape);
  ASSERT_EQ(PrintForm->PrintersList->count(), 2);
  EXPECT_EQ(PrintForm->PrintersList->itemText(1).toStdString(), "Принтер 2");
  EXPECT_EQ(PrintForm->PrintersList->currentIndex(), 0);

  // A later opening keeps the user's orientation.
  printer.CurrentOrientation = plat::TPrinterOrientation::poPortrait;
  Open([] { EXPECT_TRUE(PrintForm->Vert->isChecked()); });
  EXPECT_EQ(printer.CurrentOrientation, plat::TPrinterOrientation::poPortrait);
}

TEST_F(PrintFormTest, WidthBoxesSnapToWholePrinterPixels) {
  struct Case {
    int dpi, step;
    const char* graph;
    const char* axes;
  };
  // At 254 pixels per inch a pixel is 0,10 mm: 0,34 snaps to 3 pixels.
  for (const Case& c : {Case{600, 4, "0,34", "0,17"}, Case{300, 8, "0,34", "0,17"}, Case{254, 10, "0,30", "0,20"}}) {
    printer.Dpi = c.dpi;
    PrintForm->GraphWidth->SetValue(34);
    PrintForm->OXYWidth->SetValue(17);
    Open([&c] {
      EXPECT_EQ(PrintForm->GraphWidth->Increment(), c.step) << c.dpi;
      EXPECT_EQ(PrintForm->OXYWidth->Increment(), c.step) << c.dpi;
      EXPECT_EQ(PrintForm->GraphWidth->Text(), c.graph) << c.dpi;
      EXPECT_EQ(PrintForm->OXYWidth->Text(), c.axes) << c.dpi;
    });
  }
  printer.Dpi = 600;
  Open([] {
    PrintForm->GraphWidth->SetText("");  // reads as the minimum, one pixel at least
    EXPECT_EQ(PrintForm->GraphWidth->Text(), "0,04");
    PrintForm->OXYWidth->SetText("2");  // 47,24 pixels: 47
    EXPECT_EQ(PrintForm->OXYWidth->Text(), "1,99");
    PrintForm->OXYWidth->SetText("3");  // 71 pixels are 3,01 mm, past the limit
    EXPECT_EQ(PrintForm->OXYWidth->Text(), "3,00");
  });
}

TEST_F(PrintFormTest, PositionAndSizeBoxesFollowThePage) {
  printer.PortraitWidth = 1901;  // the landscape page is 1901 high
  Open([this] {
    PrintForm->AllPage->setChecked(false);
    EXPECT_TRUE(PrintForm->Height->isEnabled());
    // The picture fills the height: no room above it.
    EXPECT_EQ(PrintForm->Top->MaxValue(), 0);
    TypeInto(PrintForm->Top, "5");
    EXPECT_EQ(PrintForm->Top->Text(), "0,00");

    PrintForm->Height->SetValue(1000);
    EXPECT_EQ(PrintForm->Top->MaxValue(), 901);
    PrintForm->Center->click();
    EXPECT_EQ(PrintForm->Top->Value(), 450);
    EXPECT_EQ(PrintForm->Left->Value(), 0);
    PrintForm->Height->SetValue(1800);  // Top no longer fits
    EXPECT_EQ(PrintForm->Top->Value(), 101);

    // Portrait: the width is cut to the new page, the height stays.
    PrintForm->Vert->setChecked(true);
    EXPECT_EQ(printer.CurrentOrientation, plat::TPrinterOrientation::poPortrait);
    EXPECT_EQ(PrintForm->Width->Value(), 1901);
    EXPECT_EQ(PrintForm->Height->Value(), 1800);
    EXPECT_EQ(PrintForm->Top->MaxValue(), 2770 - 1800);
    EXPECT_EQ(PrintForm->Left->MaxValue(), 0);

    PrintForm->AllPage->setChecked(true);
    EXPECT_EQ(PrintForm->Height->Value(), 2770);
    EXPECT_EQ(PrintForm->Top->Value(), 0);
    EXPECT_FALSE(PrintForm->Top->isEnabled());
  });
}

TEST_F(PrintFormTest, CopiesPrinterChoiceAndSetUp) {
  Open([this] {
    struct Case {
      const char* typed;
      int copies;
    };
    for (const Case& c : {Case{"7", 7}, Case{"0", 1}, Case{"", 1}, Case{"150", 99}, Case{"-3", 1}}) {
      PrintForm->Copies->SetText(c.typed);
      EXPECT_EQ(printer.CurrentCopies, c.copies) << c.typed;
    }
    // Another printer: its orientation and copies show.
    printer.CurrentCopies = 3;
    printer.CurrentOrientation = plat::TPrinterOrientation::poPortrait;
    PrintForm->PrintersList->setCurrentIndex(1);
    EXPECT_EQ(printer.Index, 1);
    EXPECT_EQ(PrintForm->Copies->Text(), "3");
    EXPECT_TRUE(PrintForm->Vert->isChecked());

    // The set-up dialog's changes show only when it is confirmed.
    printer.OnSetup = [](plat::FakePrinter& p) { p.CurrentCopies = 5; };
    PrintForm->Properties->click();
    EXPECT_EQ(PrintForm->Copies->Text(), "3");
    printer.SetupAnswer = true;
    PrintForm->Properties->click();
    EXPECT_EQ(PrintForm->Copies->Text(), "5");
    EXPECT_EQ(printer.SetupCalls, 2);
  });
}

TEST_F(PrintFormTest, OkPrintsTheViewIntoTheChosenRectangle) {
  printer.PortraitWidth = 1200;
  printer.PortraitHeight = 1600;
  const int result = Open([] {
    PrintForm->AllPage->setChecked(false);
    PrintForm->Height->SetValue(800);
    PrintForm->Width->SetValue(1000);
    PrintForm->Top->SetValue(200);
    PrintForm->Left->SetValue(100);
    PrintForm->Copies->SetValue(2);
    PrintForm->Button3->click();
  });
  EXPECT_EQ(result, plat::mrOk);
  ASSERT_EQ(printer.Jobs.size(), 1u);
  const plat::FakePrintJob& job = printer.Jobs[0];
  EXPECT_EQ(job.Title, "График");
  EXPECT_TRUE(job.Ended);
  EXPECT_FALSE(job.Aborted);
  EXPECT_EQ(job.Copies, 2);
  EXPECT_EQ(job.Orientation, plat::TPrinterOrientation::poLandscape);
  ASSERT_TRUE(printer.Page);
  EXPECT_EQ(printer.Page->Width(), 1600);
  EXPECT_EQ(printer.Page->Height(), 1200);
  // The rectangle is cleared first, one pixel around [100, 1100] x [200, 1000].
  ASSERT_FALSE(printer.Page->Calls.empty());
  EXPECT_EQ(printer.Page->Calls[0].ToString(), "Rectangle(99,199,1101,1001)");
  // 0,34 mm snapped to 3 pixels for the graph, 0,17 mm to 2 for the axes.
  std::set<int> graph, axes;
  for (const plat::TCanvasCall& c : printer.Page->CallsOf("LineTo"))
    (c.Pen.Color == plat::clBlack ? axes : graph).insert(c.Pen.Width);
  EXPECT_EQ(axes, (std::set<int>{2, 3}));  // black: axes, and the graph printed without colour
  EXPECT_TRUE(graph.empty());
  bool graphPen = false;
  for (const plat::TCanvasCall& c : printer.Page->CallsOf("LineTo")) graphPen = graphPen || c.Pen.Width == 3;
  EXPECT_TRUE(graphPen);
}

TEST_F(PrintFormTest, FailingJobsAreAbortedReportedAndTheDialogStays) {
  struct Case {
    bool failBegin, declineBegin, failEnd;
    std::size_t jobs, messages;
  };
  const Case cases[] = {{true, false, false, 0, 1}, {false, true, false, 0, 0}, {false, false, true, 1, 1}};
  for (const Case& c : cases) {
    printer.FailBegin = c.failBegin;
    printer.DeclineBegin = c.declineBegin;
    printer.FailEnd = c.failEnd;
    printer.Jobs.clear();
    fake.ClearRecords();
    const int result = Open([] { PrintForm->Button3->click(); });
    EXPECT_NE(result, plat::mrOk);
    EXPECT_FALSE(printer.Printing());
    ASSERT_EQ(printer.Jobs.size(), c.jobs);
    if (c.jobs) {
      EXPECT_TRUE(printer.Jobs[0].Aborted);
      EXPECT_FALSE(printer.Jobs[0].Ended);
    }
    ASSERT_EQ(fake.Messages.size(), c.messages);
    if (c.messages) {
      EXPECT_EQ(fake.Messages[0].Kind, plat::MsgKind::Error);
      EXPECT_EQ(fake.Messages[0].Text, "Принтер не отвечает.");
    }
  }
}

TEST_F(PrintFormTest, APictureWithoutAreaIsRefused) {
  printer.PortraitWidth = 500;  // the landscape page is 5 cm high: Height's limits become equal
  Open([] {
    PrintForm->AllPage->setChecked(false);
    PrintForm->Height->SetText("0");
    PrintForm->Button3->click();
  });
  EXPECT_TRUE(printer.Jobs.empty());
  ASSERT_EQ(fake.Messages.size(), 1u);
  EXPECT_EQ(fake.Messages[0].Text, "Высота и ширина рисунка должны быть больше нуля.");
}

TEST_F(PrintFormTest, NoUsablePrinter) {
  // No current printer: the command says so and opens nothing.
  printer.Index = -1;
  form->PrintFileClick();
  EXPECT_TRUE(fake.Dialogs.empty());
  ASSERT_EQ(fake.Messages.size(), 1u);
  EXPECT_EQ(fake.Messages[0].Text, "Текущий принтер не установлен.");
  EXPECT_EQ(fake.Messages[0].Kind, plat::MsgKind::Error);
  EXPECT_EQ(fake.Messages[0].Buttons, plat::mbOK);

  // A resolution of 0, or a failing printing system, while the dialog opens.
  printer.Index = 0;
  for (int dpi : {0, -1}) {
    fake.ClearRecords();
    printer.Dpi = dpi;
    EXPECT_EQ(Open(), QDialog::Rejected);
    ASSERT_EQ(fake.Messages.size(), 1u) << dpi;
    EXPECT_EQ(fake.Messages[0].Text, "Текущий принтер не установлен.");
    EXPECT_EQ(fake.Messages[0].HelpContext, 0);
  }
}

TEST_F(PrintFormTest, ActivationWhileItsErrorBoxIsUpDoesNotStartAgain) {
  ReactivatingServices services;
  plat::ScopedServices use(services);
  services.ShowDialogs = false;
  int activations = 0;
  services.OnMessage = [&activations] {
    if (++activations < 5) PrintForm->FormActivate();
  };
  printer.Dpi = 0;
  PrintForm->FormActivate();
  EXPECT_EQ(services.Messages.size(), 1u);
  EXPECT_EQ(activations, 1);
}

TEST_F(PrintFormTest, HelpKeyAsksForTheControlsPopUpTopic) {
  struct Case {
    QWidget* target;
    int context;  // 0: no help
  };
  // The dialog is the active window, as when it is open.
  PrintForm->show();
  QApplication::setActiveWindow(PrintForm);
  const Case cases[] = {{PrintForm->Copies->Editor(), 13}, {PrintForm->Top->Editor(), 18},
                        {PrintForm->Height->Editor(), 20}, {PrintForm->PrintersList, 11},
                        {PrintForm->Gor, 17},              {PrintForm->ColorPrint, 16},
                        {PrintForm->Button3, 0},           {PrintForm->Button4, 0}};
  for (const Case& c : cases) {
    fake.ClearRecords();
    c.target->setFocus();
    QTest::keyClick(c.target, Qt::Key_F1);
    if (c.context == 0) {
      EXPECT_TRUE(fake.HelpCalls.empty()) << c.target->objectName().toStdString();
    } else {
      ASSERT_EQ(fake.HelpCalls.size(), 1u) << c.context;
      EXPECT_EQ(fake.HelpCalls[0].Command, plat::HelpCommand::Popup);
      EXPECT_EQ(fake.HelpCalls[0].Context, c.context);
    }
  }
}

}  // namespace

namespace {

// The dialog shown and active, as the print command leaves it, so keys and
// focus changes arrive as they do for the user.
class PrintFormTypingTest : public PrintFormTest {
 protected:
  void SetUp() override {
    PrintFormTest::SetUp();
    printer.Dpi = 600;  // one printer pixel is 0,0423 mm
    lumtest::ShowPrintFormActive();
  }
  void TearDown() override {
    PrintForm->hide();
    PrintFormTest::TearDown();
  }
  static void Type(plat::TSpinEditCm* box, const char* keys) { lumtest::TypeOver(box, keys); }
  static void Leave(plat::TSpinEditCm* box) {
    ASSERT_TRUE(box->Editor()->hasFocus());
    PrintForm->ColorPrint->setFocus(Qt::TabFocusReason);
    ASSERT_FALSE(box->Editor()->hasFocus());
  }
};

TEST_F(PrintFormTypingTest, TypedWidthsAreSnappedWhenTheBoxIsLeft) {
  ASSERT_EQ(PrintForm->GraphWidth->Increment(), 4);
  // 0,5 mm is 11,8 printer pixels: 12 pixels are 0,51 mm.
  Type(PrintForm->OXYWidth, "0,5");
  EXPECT_EQ(PrintForm->OXYWidth->Text(), "0,5");
  Leave(PrintForm->OXYWidth);
  EXPECT_EQ(PrintForm->OXYWidth->Text(), "0,51");
  // 1 mm is 23,6 pixels: 24 pixels are 1,02 mm.
  Type(PrintForm->GraphWidth, "1");
  EXPECT_EQ(PrintForm->GraphWidth->Text(), "1");
  Type(PrintForm->GraphWidth, "1,5");
  EXPECT_EQ(PrintForm->GraphWidth->Text(), "1,5");
  Type(PrintForm->GraphWidth, "1");
  Leave(PrintForm->GraphWidth);
  EXPECT_EQ(PrintForm->GraphWidth->Text(), "1,02");
  // A text already in the display format is snapped too.
  Type(PrintForm->GraphWidth, "0,50");
  Leave(PrintForm->GraphWidth);
  EXPECT_EQ(PrintForm->GraphWidth->Text(), "0,51");
  // Nothing left: the minimum, one pixel.
  Type(PrintForm->OXYWidth, "0");
  EXPECT_EQ(PrintForm->OXYWidth->Text(), "0");
  Leave(PrintForm->OXYWidth);
  EXPECT_EQ(PrintForm->OXYWidth->Text(), "0,04");
}

TEST_F(PrintFormTypingTest, ArrowsAndOkSnapAsBefore) {
  // An arrow key right after typing steps from the typed value and snaps:
  // 0,5 + 0,04 is 12,8 pixels, 13 pixels are 0,55 mm.
  Type(PrintForm->OXYWidth, "0,5");
  QTest::keyClick(PrintForm->OXYWidth->Editor(), Qt::Key_Up);
  EXPECT_EQ(PrintForm->OXYWidth->Text(), "0,55");
  Type(PrintForm->OXYWidth, "0,5");
  PrintForm->OXYWidth->DownButton()->click();
  EXPECT_EQ(PrintForm->OXYWidth->Text(), "0,47");  // 0,46 is 10,9 pixels: 11

  // Ok prints a width still being typed as it snaps: the click takes the
  // focus from the box first, as the user's click does.
  PrintForm->ColorPrint->setChecked(true);
  Type(PrintForm->GraphWidth, "1");
  Type(PrintForm->OXYWidth, "0,5");
  ASSERT_TRUE(PrintForm->Button3->isVisible());
  QTest::mouseClick(PrintForm->Button3, Qt::LeftButton);
  EXPECT_EQ(PrintForm->focusWidget(), PrintForm->Button3);
  EXPECT_EQ(PrintForm->GraphWidth->Text(), "1,02");
  EXPECT_EQ(PrintForm->OXYWidth->Text(), "0,51");
  ASSERT_EQ(printer.Jobs.size(), 1u);
  ASSERT_TRUE(printer.Page);
  std::set<int> graph, axes;
  for (const plat::TCanvasCall& c : printer.Page->CallsOf("LineTo"))
    (c.Pen.Color == plat::clBlack ? axes : graph).insert(c.Pen.Width);
  EXPECT_EQ(graph, (std::set<int>{24}));
  EXPECT_EQ(axes, (std::set<int>{12}));
}

// Every topic's anchor in the plotter's help page with the text of the
// heading (or paragraph) it marks, as the help window's browser reads them.
std::map<std::string, std::string> HelpAnchors() {
  QFile file(QStringLiteral(ORV_SOURCE_DIR "/resources/lumivar/delivered/lumivar-help/index.html"));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  QTextDocument doc;
  doc.setHtml(QString::fromUtf8(file.readAll()));
  std::map<std::string, std::string> anchors;
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
    for (auto it = b.begin(); !it.atEnd(); ++it)
      for (const QString& name : it.fragment().charFormat().anchorNames())
        anchors[name.toStdString()] = b.text().toStdString();
  return anchors;
}

TEST_F(PrintFormTypingTest, HelpKeyOnEachControlOpensItsOwnTopic) {
  PrintForm->AllPage->setChecked(false);  // the position and size boxes take the focus
  struct Case {
    QWidget* target;
    int context;
    const char* heading;
  };
  const Case cases[] = {{PrintForm->PrintersList, 11, "Принтер"},
                        {PrintForm->Properties, 12, "Свойства"},
                        {PrintForm->Copies->Editor(), 13, "Копий"},
                        {PrintForm->GraphWidth->Editor(), 14, "Толщина графиков"},
                        {PrintForm->OXYWidth->Editor(), 15, "Толщина осей"},
                        {PrintForm->ColorPrint, 16, "Печать в цвете"},
                        {PrintForm->Vert, 17, "Ориентация"},
                        {PrintForm->Gor, 17, "Ориентация"},
                        {PrintForm->Top->Editor(), 18, "Положение"},
                        {PrintForm->Left->Editor(), 18, "Положение"},
                        {PrintForm->Center, 19, "Центр"},
                        {PrintForm->Height->Editor(), 20, "Размер"},
                        {PrintForm->Width->Editor(), 20, "Размер"},
                        {PrintForm->AllPage, 21, "На весь лист"}};
  const std::map<std::string, std::string> anchors = HelpAnchors();
  std::set<int> seen;
  for (const Case& c : cases) {
    fake.ClearRecords();
    c.target->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(c.target->hasFocus()) << c.context;
    QTest::keyClick(c.target, Qt::Key_F1);
    ASSERT_EQ(fake.HelpCalls.size(), 1u) << c.context;
    EXPECT_EQ(fake.HelpCalls[0].Context, c.context);
    const auto topic = anchors.find("ctx" + std::to_string(c.context));
    ASSERT_NE(topic, anchors.end()) << c.context;
    EXPECT_EQ(topic->second, c.heading);
    seen.insert(c.context);
  }
  EXPECT_EQ(seen.size(), 11u);
  // The grid dialog's topic.
  const auto grid = anchors.find("ctx" + std::to_string(lumivar::kSetcaHelpContext));
  ASSERT_NE(grid, anchors.end());
  EXPECT_EQ(grid->second, "Сетка");
}

// Captures what is written on the process's standard error.
class StderrCapture {
 public:
  StderrCapture() {
    std::fflush(stderr);
    saved_ = dup(2);
    file_ = std::tmpfile();
    dup2(fileno(file_), 2);
  }
  std::string Stop() {
    std::fflush(stderr);
    dup2(saved_, 2);
    close(saved_);
    std::string text;
    std::rewind(file_);
    for (int ch; (ch = std::fgetc(file_)) != EOF;) text.push_back(static_cast<char>(ch));
    std::fclose(file_);
    return text;
  }

 private:
  int saved_ = -1;
  std::FILE* file_ = nullptr;
};

TEST_F(PrintFormTest, PropertiesOfThePdfPrinterAskOnlyPaperAndOrientation) {
  plat::QtPrinter qt;
  plat::ScopedPrinter useQt(qt);
  const int pdf = static_cast<int>(qt.Printers().size()) - 1;
  qt.SetPrinterIndex(pdf);
  // The dialog as it opens; the set-up dialog is answered by the fake.
  PrintForm->FormActivate();
  ASSERT_EQ(PrintForm->PrintersList->currentIndex(), pdf);
  EXPECT_TRUE(PrintForm->Gor->isChecked());
  EXPECT_LT(PrintForm->Height->MaxValue(), 2100);  // A4 across
  std::string form;
  fake.OnExecModal = [&form](QDialog* d) {
    auto* setup = qobject_cast<plat::TPdfPageSetupForm*>(d);
    if (!setup) return static_cast<int>(QDialog::Rejected);
    form = "open";
    EXPECT_TRUE(setup->Landscape->isChecked());
    EXPECT_EQ(setup->PaperSize->currentText(), QPageSize::name(QPageSize::A4));
    setup->Portrait->setChecked(true);
    setup->PaperSize->setCurrentIndex(setup->PaperSize->findData(static_cast<int>(QPageSize::A3)));
    setup->OkButton->click();
    return d->result();
  };
  StderrCapture err;
  PrintForm->Properties->click();
  EXPECT_EQ(err.Stop(), "");
  EXPECT_EQ(form, "open");
  EXPECT_EQ(qt.Orientation(), plat::TPrinterOrientation::poPortrait);
  EXPECT_TRUE(PrintForm->Vert->isChecked());
  EXPECT_GT(PrintForm->Height->MaxValue(), 3500);  // A3 upright
  EXPECT_EQ(PrintForm->Height->Value(), PrintForm->Height->MaxValue());  // the whole page still

  // Cancelled: nothing changes.
  fake.OnExecModal = [](QDialog* d) {
    if (auto* setup = qobject_cast<plat::TPdfPageSetupForm*>(d)) setup->Landscape->setChecked(true);
    d->reject();
    return d->result();
  };
  PrintForm->Properties->click();
  EXPECT_EQ(qt.Orientation(), plat::TPrinterOrientation::poPortrait);
  EXPECT_TRUE(PrintForm->Vert->isChecked());
}

}  // namespace
