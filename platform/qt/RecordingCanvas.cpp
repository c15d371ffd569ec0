#include "platform/qt/RecordingCanvas.h"

#include <cstdio>
#include <utility>

namespace plat {

namespace {

std::string Hex(TColor c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%06X", static_cast<unsigned>(c & 0xFFFFFFu));
  return buf;
}
const char* StyleName(TPenStyle s) {
  switch (s) {
    case TPenStyle::psSolid: return "solid";
    case TPenStyle::psDash: return "dash";
    case TPenStyle::psDot: return "dot";
    case TPenStyle::psDashDot: return "dashdot";
    case TPenStyle::psDashDotDot: return "dashdotdot";
    case TPenStyle::psClear: return "clear";
  }
  return "?";
}
const char* ModeName(TPenMode m) {
  switch (m) {
    case TPenMode::pmCopy: return "copy";
    case TPenMode::pmNotXor: return "notxor";
    case TPenMode::pmXor: return "xor";
  }
  return "?";
}
std::string PenText(const TPen& p) {
  return "pen=" + Hex(p.Color) + "/" + std::to_string(p.Width) + "/" + StyleName(p.Style) + "/" + ModeName(p.Mode);
}
std::string BrushText(const TBrush& b) {
  return "brush=" + Hex(b.Color) + "/" + (b.Style == TBrushStyle::bsClear ? "clear" : "solid");
}
std::string FontText(const TFont& f) {
  std::string s = "font=" + f.Name + "/" + std::to_string(f.Size) + "/" + Hex(f.Color) + "/";
  if (f.Bold) s += "b";
  if (f.Italic) s += "i";
  return s;
}

}  // namespace

std::string TCanvasCall::ToString() const {
  std::string s = Op + "(";
  if (Op == "Polygon") {
    for (std::size_t i = 0; i + 1 < Args.size(); i += 2) {
      if (i) s += ",";
      s += "(" + std::to_string(Args[i]) + "," + std::to_string(Args[i + 1]) + ")";
    }
  } else {
    for (std::size_t i = 0; i < Args.size(); ++i) {
      if (i) s += ",";
      s += std::to_string(Args[i]);
    }
  }
  if (Op == "SetPixel") s += "," + Hex(Color);
  if (Op == "TextOut") s += ",\"" + Text + "\"";
  return s + ")";
}

std::string TCanvasCall::ToStringWithTools() const {
  std::string s = ToString();
  if (Op == "LineTo") s += " " + PenText(Pen);
  if (Op == "Rectangle" || Op == "Ellipse" || Op == "Polygon") s += " " + PenText(Pen) + " " + BrushText(Brush);
  if (Op == "FillRect") s += " " + BrushText(Brush);
  if (Op == "TextOut") s += " " + FontText(Font) + " " + BrushText(Brush);
  return s;
}

std::vector<std::string> TRecordingCanvas::Strings(bool withTools) const {
  std::vector<std::string> out;
  out.reserve(Calls.size());
  for (const TCanvasCall& c : Calls) out.push_back(withTools ? c.ToStringWithTools() : c.ToString());
  return out;
}

std::vector<TCanvasCall> TRecordingCanvas::CallsOf(const std::string& op) const {
  std::vector<TCanvasCall> out;
  for (const TCanvasCall& c : Calls)
    if (c.Op == op) out.push_back(c);
  return out;
}

TCanvasCall& TRecordingCanvas::Log(const char* op, std::vector<int> args) {
  TCanvasCall c;
  c.Op = op;
  c.Args = std::move(args);
  c.Pen = Pen;
  c.Brush = Brush;
  c.Font = Font;
  Calls.push_back(std::move(c));
  return Calls.back();
}

void TRecordingCanvas::MoveTo(int x, int y) {
  Log("MoveTo", {x, y});
  TImageCanvas::MoveTo(x, y);
}
void TRecordingCanvas::LineTo(int x, int y) {
  Log("LineTo", {x, y});
  TImageCanvas::LineTo(x, y);
}
void TRecordingCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Log("Rectangle", {x1, y1, x2, y2});
  TImageCanvas::Rectangle(x1, y1, x2, y2);
}
void TRecordingCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  Log("Ellipse", {x1, y1, x2, y2});
  TImageCanvas::Ellipse(x1, y1, x2, y2);
}
void TRecordingCanvas::Polygon(const std::vector<TPoint>& points) {
  std::vector<int> args;
  for (const TPoint& p : points) {
    args.push_back(p.X);
    args.push_back(p.Y);
  }
  Log("Polygon", std::move(args));
  TImageCanvas::Polygon(points);
}
void TRecordingCanvas::FillRect(const TRect& r) {
  Log("FillRect", {r.Left, r.Top, r.Right, r.Bottom});
  TImageCanvas::FillRect(r);
}
void TRecordingCanvas::SetPixel(int x, int y, TColor c) {
  Log("SetPixel", {x, y}).Color = c;
  TImageCanvas::SetPixel(x, y, c);
}
void TRecordingCanvas::TextOut(int x, int y, const std::string& utf8) {
  Log("TextOut", {x, y}).Text = utf8;
  TImageCanvas::TextOut(x, y, utf8);
}

}  // namespace plat
