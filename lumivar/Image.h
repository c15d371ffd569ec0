#pragma once
// The splash window shown while the windows are created, the small picture
// of the about window, and the bold italic serif of the plotter's captions.
#include <QFont>
#include <QPixmap>
#include <QWidget>

class QLabel;

namespace lumivar {

// Bold italic "Times New Roman" (or its stand-in) of the given pixel height.
QFont TitleFont(int pixelSize);
// The 364 by 203 splash picture.
QPixmap SplashPicture();
// The 64 by 64 picture of the about window, on a transparent background.
QPixmap AboutPicture();

class TSplashForm : public QWidget {
  Q_OBJECT
 public:
  explicit TSplashForm(QWidget* parent = nullptr);
  QLabel* Image1;
};

extern TSplashForm* SplashForm;

}  // namespace lumivar
