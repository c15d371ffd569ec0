// What a new user meets first: Qt's dialogs in Russian, status panels whose
// texts are never cut, a control bar with every control in view at the
// design width, and a function list that keeps its three lines.
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>

#include "WorkbenchFixture.h"

class LayoutTest : public WorkbenchFixture {};

TEST(OrvantaStartTest, StandardDialogsComeUpInRussian) {
  StartOrvantaApplication();
  QColorDialog dlg;
  dlg.setOption(QColorDialog::DontUseNativeDialog);
  auto* buttons = dlg.findChild<QDialogButtonBox*>();
  ASSERT_NE(buttons, nullptr);
  ASSERT_NE(buttons->button(QDialogButtonBox::Cancel), nullptr);
  EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8("Отмена"));
}

TEST_F(LayoutTest, ScalePanelsHoldTheirWholeTextsAtEveryScale) {
  TStatusBar* bar = Form().StatusBar;
  // The smallest and largest scales the view accepts, and the longest texts between.
  for (long double scale : {2e-5L, 0.00123L, 1.0L, 12.34567L, 49.99999L, 50.0L}) {
    View().Xm = scale;
    View().Ym = scale;
    Form().DrawScreen();
    for (int panel : {2, 3}) {
      QLabel* label = bar->Panel(panel);
      const QString text = label->text();
      const int textWidth = label->fontMetrics().horizontalAdvance(text) + label->indent();
      EXPECT_LE(textWidth, label->contentsRect().width())
          << text.toStdString() << " in a panel of " << label->width();
    }
  }
  EXPECT_EQ(bar->PanelText(2), "xm 50");
  View().Xm = 0.00123L;
  Form().DrawScreen();
  EXPECT_EQ(bar->PanelText(2), "xm 0.00123");
}

TEST_F(LayoutTest, EveryControlOfTheControlBarIsInViewAtTheDesignWidth) {
  for (int width : {790, 1024}) {
    Form().resize(width, 600);
    QApplication::processEvents();
    QWidget* bar = Form().ControlBar;
    // No toolbar hides anything behind its overflow button.
    for (QToolButton* ext : bar->findChildren<QToolButton*>("qt_toolbar_ext_button"))
      EXPECT_FALSE(ext->isVisible()) << "overflow of " << ext->parent()->objectName().toStdString() << " at "
                                     << width;
    const QRect barRect(QPoint(0, 0), bar->size());
    for (QToolBar* tb : {Form().ToolBar3, Form().tbFile, Form().tlbFunction, Form().ToolBar1}) {
      for (QWidget* w : tb->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->objectName().isEmpty() || w->objectName().startsWith("qt_")) continue;
        EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString() << " at " << width;
        const QRect r(w->mapTo(bar, QPoint(0, 0)), w->size());
        EXPECT_TRUE(barRect.contains(r)) << w->objectName().toStdString() << " at " << width;
        // Inside its own toolbar too, not cut at the toolbar's edge.
        EXPECT_TRUE(tb->rect().contains(w->geometry())) << w->objectName().toStdString() << " at " << width;
      }
    }
    // The bands do not run into the list or the logo.
    const QRect logo = Form().Image1->geometry();
    const QRect list = Form().ToolBar3->geometry();
    for (QToolBar* tb : {Form().tbFile, Form().tlbFunction, Form().ToolBar1}) {
      EXPECT_FALSE(tb->geometry().intersects(logo)) << tb->objectName().toStdString() << " at " << width;
      EXPECT_FALSE(tb->geometry().intersects(list)) << tb->objectName().toStdString() << " at " << width;
    }
    // The picture starts right below the bar.
    EXPECT_GE(Form().Image->mapTo(&Form(), QPoint(0, 0)).y(), bar->mapTo(&Form(), QPoint(0, bar->height())).y());
  }
  // From 1024 pixels on, the bar keeps its two rows and its height: the file
  // buttons above, the function's toolbars below.
  for (int width : {1024, 1600}) {
    Form().resize(width, 600);
    QApplication::processEvents();
    EXPECT_EQ(Form().ControlBar->height(), 55) << width;
    EXPECT_EQ(Form().tlbFunction->y(), Form().ToolBar1->y()) << width;
    EXPECT_GT(Form().tlbFunction->y(), Form().tbFile->y()) << width;
  }
}

TEST_F(LayoutTest, UpDownsLineUpWithTheirEdits) {
  const std::pair<TUpDown*, QLineEdit*> pairs[] = {
      {Form().udDiametr, Form().txtDiametr}, {Form().udWidth, Form().txtWidth}, {Form().udKolvo, Form().txtKolvo}};
  for (const auto& pair : pairs) {
    const QRect ud = pair.first->geometry();
    const QRect edit = pair.second->geometry();
    EXPECT_EQ(ud.top(), edit.top()) << pair.first->objectName().toStdString();
    EXPECT_EQ(ud.height(), edit.height()) << pair.first->objectName().toStdString();
    EXPECT_TRUE(Form().tlbFunction->rect().contains(ud)) << pair.first->objectName().toStdString();
  }
}

TEST_F(LayoutTest, LongFormulasKeepThreeLinesInViewAndShowWholeAsTooltips) {
  QListWidget* list = Form().lbxFunctions;
  const QString longLine = QString("sin(x)*cos(x)+").repeated(12) + "x";
  list->addItem(longLine);
  list->addItem("x^2");
  list->addItem(longLine + "+1");
  list->item(1)->setText(longLine + "+2");  // changed later, as an applied expression is
  QApplication::processEvents();
  EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
  const int viewportHeight = list->viewport()->height();
  for (int row = 0; row < 3; ++row) {
    const QRect r = list->visualItemRect(list->item(row));
    EXPECT_LE(r.bottom(), viewportHeight - 1) << row;
    EXPECT_LE(r.right(), list->viewport()->width() - 1) << row;
    EXPECT_EQ(list->item(row)->toolTip(), list->item(row)->text()) << row;
  }
}
