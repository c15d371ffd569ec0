// Peak memory of printing the plotter's start-up view on a landscape A4
// page into a PDF at 300, 600 and 1200 dpi: the page sent as drawing
// commands (the print job's canvas), and for comparison the page drawn into
// a picture of the page's size first (how the job printed before). Each job
// runs in a process of its own, which reports the growth of its peak
// resident size (getrusage maxrss) over the job; not a timed benchmark.
//
//   bench_print            the table
//   bench_print vector 600 one job (what the table runs)
#include <sys/resource.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "lumivar/DrawGraph.h"
#include "lumivar/Graph.h"
#include "platform/qt/ImageCanvas.h"
#include "platform/qt/PainterCanvas.h"

namespace {

long PeakKiB() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

// One job; prints "peak-growth-KiB pdf-bytes".
int RunJob(bool vector, int dpi) {
  lumivar::ResetProgramState();
  QBuffer out;
  out.open(QIODevice::WriteOnly);
  QPdfWriter pdf(&out);
  pdf.setResolution(dpi);
  pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                                QPageLayout::Millimeter));
  const QRect page = pdf.pageLayout().paintRectPixels(dpi);
  const int w = page.width(), h = page.height();
  // The dialog's default widths: graphs 0.34 mm, axes 0.17 mm.
  const int graphPen = std::max(1, static_cast<int>(0.34 / 25.4 * dpi + 0.5));
  const int axisPen = std::max(1, static_cast<int>(0.17 / 25.4 * dpi + 0.5));
  {
    // Fonts and the painter's first set-up are not the job's.
    plat::TImageCanvas warm(8, 8);
    warm.Font.Name = "Times New Roman";
    warm.TextWidth("0");
  }
  const long before = PeakKiB();
  QPainter painter;
  if (!painter.begin(&pdf)) return 1;
  auto draw = [&](plat::TCanvas& c) {
    lumivar::PrintGraphs(c, 476, 221, 30, 30, 238, 110, 0, 0, w, h, lumivar::Graphs[1], lumivar::Graphs[2],
                         true, graphPen, axisPen);
  };
  if (vector) {
    plat::TPainterCanvas canvas(painter, w, h, dpi);
    draw(canvas);
    canvas.Flush();
  } else {
    QImage image(w, h, QImage::Format_RGB32);
    if (image.isNull()) return 1;
    image.fill(Qt::white);
    plat::TImageCanvas canvas(&image);
    canvas.SetPixelsPerInch(dpi);
    draw(canvas);
    painter.drawImage(QPoint(0, 0), image);
  }
  if (!painter.end()) return 1;
  std::printf("%ld %lld\n", PeakKiB() - before, static_cast<long long>(out.data().size()));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  if (argc == 3) return RunJob(std::strcmp(argv[1], "vector") == 0, std::atoi(argv[2]));
  std::printf("%-28s %6s %14s %12s\n", "page", "dpi", "peak growth", "PDF");
  for (const char* kind : {"vector", "image"}) {
    for (int dpi : {300, 600, 1200}) {
      QProcess job;
      job.start(QCoreApplication::applicationFilePath(), {kind, QString::number(dpi)});
      if (!job.waitForFinished(600000) || job.exitCode() != 0) {
        std::printf("%-28s %6d failed\n", kind, dpi);
        continue;
      }
      long kib = 0;
      long long bytes = 0;
      std::sscanf(job.readAllStandardOutput().constData(), "%ld %lld", &kib, &bytes);
      std::printf("%-28s %6d %11.1f MB %9.0f KB\n",
                  std::strcmp(kind, "vector") == 0 ? "drawing commands (the job)" : "page picture (before)", dpi,
                  kib / 1024.0, bytes / 1024.0);
    }
  }
  return 0;
}
