// Any bytes: the reader takes 124 or more, never reads past them, and every
// value it hands to a view lies in the range the view can draw with; a
// decoded record re-encodes to a record that decodes to the same settings.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "orvanta/workbench/ScreenSetFile.h"
#include "orvanta/workbench/objScreenUnit.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TScreenSettings s;
  const bool ok = DecodeScreenSettings(data, size, s);
  if (ok != (size >= ScreenSetSize)) std::abort();
  if (!ok) return 0;
  const TScreenValues v = ValidateScreenSettings(s);
  if (!ValidScale(v.Xm) || !ValidScale(v.Ym) || !ValidKoef(v.Koef) || !ValidSdvig(v.Sdvig) ||
      !ValidSetkaStep(v.SetkaStep) || !ValidOciWidth(v.OciWidth))
    std::abort();
  objScreen view;
  ApplyScreenValues(v, view);
  view.CenterOrigin(1920, 1080);
  if (!std::isfinite(view.StartX) || !std::isfinite(view.StartY)) std::abort();

  const auto bytes = EncodeScreenSettings(s);
  TScreenSettings again;
  if (bytes.size() != ScreenSetSize || !DecodeScreenSettings(bytes.data(), bytes.size(), again)) std::abort();
  if (again.XmText != s.XmText || again.YmText != s.YmText || again.KoefText != s.KoefText ||
      again.SdvigText != s.SdvigText || again.SetkaStepText != s.SetkaStepText || again.Oci != s.Oci ||
      again.Setka != s.Setka || again.BkColor != s.BkColor || again.OciColor != s.OciColor ||
      again.LinesColor != s.LinesColor || again.OciWidth != s.OciWidth)
    std::abort();
  return 0;
}
