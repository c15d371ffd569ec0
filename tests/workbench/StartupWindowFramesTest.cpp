// The fixed-size windows ask the window manager for a close box only, so a
// short window's title is not crowded out by minimise and maximise buttons.
#include <gmock/gmock.h>

#include <QDialog>
#include <vector>

#include "tests/common/FixedFrame.h"
#include "WorkbenchFixture.h"
#include "orvanta/tools/AboutFormUnit.h"
#include "orvanta/tools/IntegralFormUnit.h"
#include "orvanta/tools/KasatFormUnit.h"
#include "orvanta/tools/LineFormUnit.h"
#include "orvanta/tools/NormalFormUnit.h"
#include "orvanta/tools/ParabolaFormUnit.h"
#include "orvanta/tools/ProizFormUnit.h"
#include "orvanta/tools/TableFormUnit.h"
#include "orvanta/tools/UravnFormUnit.h"
#include "orvanta/workbench/NewFunctionFormUnit.h"
#include "orvanta/workbench/ScreenFormUnit.h"

TEST_F(WorkbenchFixture, EveryFixedSizeWindowHasACloseBoxOnly) {
  const std::vector<QDialog*> windows = {NewFunctionForm, ScreenForm, IntegralForm, ProizForm, KasatForm, NormalForm,
                                         ParabolaForm,    TableForm,  AboutForm,    LineForm,  UravnForm};
  for (QDialog* w : windows) {
    ASSERT_NE(w, nullptr);
    EXPECT_THAT(orv_test::FixedFrameFaults(w), ::testing::IsEmpty());
  }
}
