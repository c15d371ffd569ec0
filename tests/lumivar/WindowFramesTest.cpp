// The plotter's fixed-size dialogs ask the window manager for a close box
// only, so a short dialog's title is not crowded out by minimise and maximise.
#include <gmock/gmock.h>

#include <QDialog>
#include <vector>

#include "tests/common/FixedFrame.h"
#include "LumivarFixture.h"

namespace {

class WindowFrames : public lumtest::LumivarTest {};

TEST_F(WindowFrames, EveryFixedSizeDialogHasACloseBoxOnly) {
  CreateForms(false);
  const std::vector<QDialog*> windows = {lumivar::AboutBox, lumivar::AltFunc, lumivar::PrintForm, lumivar::SetcaForm};
  for (QDialog* w : windows) {
    ASSERT_NE(w, nullptr);
    EXPECT_THAT(orv_test::FixedFrameFaults(w), ::testing::IsEmpty());
  }
}

}  // namespace
