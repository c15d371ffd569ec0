#pragma once
// The splash window shown while the windows are created, and the small
// picture of the about window.
#include <QPixmap>
#include <QWidget>

class QLabel;

namespace lumivar {

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
