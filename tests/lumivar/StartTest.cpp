// The plotter as the main block starts it: Qt's dialogs in Russian and its
// help pages in the program's own help window.
#include <gtest/gtest.h>

#include <QColorDialog>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>

#include "lumivar/Graph.h"
#include "platform/qt/HelpWindow.h"
#include "platform/qt/QtServices.h"

namespace {

TEST(LumivarStart, StandardDialogsComeUpInRussianAndHelpIsSet) {
  lumivar::StartApplication();
  EXPECT_EQ(QCoreApplication::applicationName(), "Lumivar");
  EXPECT_EQ(plat::HelpFile(), plat::ExeDir() + "lumivar-help/index.html");
  QColorDialog dlg;
  dlg.setOption(QColorDialog::DontUseNativeDialog);
  auto* buttons = dlg.findChild<QDialogButtonBox*>();
  ASSERT_NE(buttons, nullptr);
  ASSERT_NE(buttons->button(QDialogButtonBox::Cancel), nullptr);
  EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8("Отмена"));
  plat::SetHelpFile({});
}

TEST(LumivarStart, HelpTopicsOpenInTheHelpWindow) {
  plat::QtServices qt;
  const std::string file = lumivar::LumivarHelpFile();
  for (const auto& [context, heading] : {std::pair{111, "Альтернативная функция: своя формула"},
                                         std::pair{105, "Лишняя открывающая скобка"}}) {
    qt.Help(plat::HelpCommand::Context, file, context);
    plat::THelpWindow* w = plat::HelpWindow();
    ASSERT_TRUE(w->isVisible());
    EXPECT_EQ(w->Browser->source().toLocalFile().toStdString(), file);
    QTextDocument* doc = w->Browser->document();
    // The heading itself, not its line in the contents at the top.
    QTextCursor end(doc);
    end.movePosition(QTextCursor::End);
    const QTextCursor found = doc->find(QString::fromUtf8(heading), end, QTextDocument::FindBackward);
    ASSERT_FALSE(found.isNull()) << heading;
    const int top = w->Browser->cursorRect(found).top();
    EXPECT_GE(top, 0) << heading;
    EXPECT_LT(top, 40) << heading;
  }
  qt.Help(plat::HelpCommand::Contents, file, 0);
  EXPECT_EQ(plat::HelpWindow()->Browser->verticalScrollBar()->value(), 0);
  plat::HelpWindow()->hide();
}

}  // namespace
