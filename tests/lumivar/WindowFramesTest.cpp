// The plotter's fixed-size dialogs ask the window manager for a close box
// only, so a short dialog's title is not crowded out by minimise and maximise.
#include <QDialog>
#include <string>
#include <vector>

#include "LumivarFixture.h"

namespace {

class WindowFrames : public lumtest::LumivarTest {};

TEST_F(WindowFrames, EveryFixedSizeDialogHasACloseBoxOnly) {
  CreateForms(false);
  const std::vector<QDialog*> windows = {lumivar::AboutBox, lumivar::AltFunc, lumivar::PrintForm, lumivar::SetcaForm};
  for (QDialog* w : windows) {
    ASSERT_NE(w, nullptr);
    const Qt::WindowFlags f = w->windowFlags();
    const std::string name = w->objectName().toStdString();
    EXPECT_EQ(f & Qt::WindowType_Mask, Qt::Dialog) << name;
    EXPECT_TRUE(f & Qt::CustomizeWindowHint) << name;
    EXPECT_TRUE(f & Qt::WindowTitleHint) << name;
    EXPECT_TRUE(f & Qt::WindowCloseButtonHint) << name;
    EXPECT_FALSE(f & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)) << name;
    EXPECT_EQ(w->minimumSize(), w->maximumSize()) << name;
  }
}

}  // namespace
