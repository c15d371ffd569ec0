#pragma once
// A canvas for tests that logs every drawing call as it draws it.
#include <string>
#include <vector>

#include "platform/qt/ImageCanvas.h"

namespace plat {

// One call made on a TRecordingCanvas, with the tools it was made with.
struct TCanvasCall {
  std::string Op;         // "MoveTo", "LineTo", "Rectangle", "Ellipse", "Polygon",
                          // "FillRect", "SetPixel", "TextOut"
  std::vector<int> Args;  // coordinates in call order (Polygon: x0, y0, x1, y1, ...)
  TColor Color = 0;       // SetPixel's colour
  std::string Text;       // TextOut's text
  TPen Pen;
  TBrush Brush;
  TFont Font;

  // "LineTo(10,20)", "SetPixel(3,4,$0000FF)", "TextOut(1,2,\"x\")", ...
  std::string ToString() const;
  // ToString() followed by the tools that matter for the call, e.g.
  // "LineTo(10,20) pen=$0000FF/1/solid/copy",
  // "Ellipse(0,0,9,9) pen=$000000/1/solid/notxor brush=$FFFFFF/solid",
  // "TextOut(1,2,\"x\") font=Times New Roman/9/$000000/bi brush=$FFFFFF/solid".
  std::string ToStringWithTools() const;
};

// Logs every drawing call, then draws it like TImageCanvas (so tests may
// probe pixels and calls together). Queries (GetPixel, TextWidth, ...) are
// not logged.
class TRecordingCanvas : public TImageCanvas {
 public:
  TRecordingCanvas(int width, int height) : TImageCanvas(width, height) {}
  explicit TRecordingCanvas(QImage* image) : TImageCanvas(image) {}

  std::vector<TCanvasCall> Calls;

  void Clear() { Calls.clear(); }
  std::vector<std::string> Strings(bool withTools = false) const;
  // The logged calls of one kind ("LineTo", ...).
  std::vector<TCanvasCall> CallsOf(const std::string& op) const;

  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void Polygon(const std::vector<TPoint>& points) override;
  void FillRect(const TRect& r) override;
  // Logged as the calls it stands for.
  void FillRuled(const TRect& r, const std::vector<int>& columns, const std::vector<int>& rows) override {
    TCanvas::FillRuled(r, columns, rows);
  }
  void SetPixel(int x, int y, TColor c) override;
  void TextOut(int x, int y, const std::string& utf8) override;

 private:
  TCanvasCall& Log(const char* op, std::vector<int> args);
};

}  // namespace plat
