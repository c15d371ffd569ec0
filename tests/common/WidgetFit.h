// Checks that a window's texts are shown whole: every label, check box,
// radio button and push button is wide and tall enough for its text in its
// own font, and lies inside its parent (inside a group box's frame, below
// its title). Returns one line per fault, so a test prints them all.
#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QWidget>

#include <string>
#include <vector>

namespace orv_test {

inline std::string FitName(const QWidget* w) {
  const QString name = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                 : w->objectName();
  return name.toStdString();
}

// The text as drawn: "&" marks a mnemonic and takes no room, "&&" is one "&".
inline QString FitShownText(QString text) {
  text.replace(QLatin1String("&&"), QString(QChar(0x1)));
  text.remove(QLatin1Char('&'));
  text.replace(QChar(0x1), QLatin1Char('&'));
  return text;
}

// The area a child may occupy: a group box's contents rectangle, the whole
// client area of any other parent.
inline QRect FitAllowedArea(const QWidget* parent) {
  if (auto* box = qobject_cast<const QGroupBox*>(parent)) {
    QStyleOptionGroupBox opt;
    opt.initFrom(box);
    opt.text = box->title();
    opt.lineWidth = 1;
    opt.midLineWidth = 0;
    opt.textAlignment = box->alignment();
    opt.subControls = QStyle::SC_GroupBoxFrame;
    if (!box->title().isEmpty()) opt.subControls |= QStyle::SC_GroupBoxLabel;
    if (box->isCheckable()) opt.subControls |= QStyle::SC_GroupBoxCheckBox;
    opt.features = box->isFlat() ? QStyleOptionFrame::Flat : QStyleOptionFrame::None;
    QRect r = box->style()->subControlRect(QStyle::CC_GroupBox, &opt,
                                           QStyle::SC_GroupBoxContents, box);
    // The frame line itself is one pixel inside the contents' edge.
    return r.adjusted(-1, -1, 1, 1);
  }
  return parent->rect();
}

inline void FitCheckOne(const QWidget* w, std::vector<std::string>& faults) {
  const QFontMetrics fm(w->font());
  auto fault = [&](const std::string& what) { faults.push_back(FitName(w) + ": " + what); };
  int need = -1;
  QString text;
  if (auto* label = qobject_cast<const QLabel*>(w)) {
    if (label->wordWrap() || label->text().isEmpty() || label->textFormat() == Qt::RichText ||
        Qt::mightBeRichText(label->text()))
      return;
    text = FitShownText(label->text());
    const QRect area = label->contentsRect();
    const int indent = label->indent() > 0 ? label->indent() : 0;
    need = fm.horizontalAdvance(text) + 2 * label->margin() + indent;
    if (need > area.width())
      fault("\"" + text.toStdString() + "\" needs " + std::to_string(need) + " px, has " +
            std::to_string(area.width()));
    if (fm.height() > area.height() + 2)
      fault("\"" + text.toStdString() + "\" is cut in height");
    return;
  }
  if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w)) {
    auto* b = static_cast<const QAbstractButton*>(w);
    if (b->text().isEmpty()) return;
    text = FitShownText(b->text());
    need = b->sizeHint().width();
    if (need > w->width())
      fault("\"" + text.toStdString() + "\" needs " + std::to_string(need) + " px, has " +
            std::to_string(w->width()));
    if (fm.height() > w->height())
      fault("\"" + text.toStdString() + "\" is cut in height");
    return;
  }
  if (auto* b = qobject_cast<const QPushButton*>(w)) {
    if (b->text().isEmpty()) return;
    text = FitShownText(b->text());
    // A text that fills its button edge to edge looks cut: keep a few pixels
    // of the face free on each side, beside the frame.
    const int frame = w->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w);
    need = fm.horizontalAdvance(text) + frame + 8;
    if (!b->icon().isNull()) need += b->iconSize().width() + 4;
    if (need > w->width())
      fault("\"" + text.toStdString() + "\" needs " + std::to_string(need) + " px, has " +
            std::to_string(w->width()));
    if (fm.height() + 4 > w->height())
      fault("\"" + text.toStdString() + "\" is cut in height");
  }
}

// Walks `top` and every widget under it that would be shown with it.
inline std::vector<std::string> TextsThatDoNotFit(const QWidget* top) {
  std::vector<std::string> faults;
  const auto children = top->findChildren<QWidget*>();
  for (const QWidget* w : children) {
    if (!w->isVisibleTo(top) || w->isWindow()) continue;
    const bool checked = qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w);
    if (!checked) continue;
    FitCheckOne(w, faults);
    const QWidget* parent = w->parentWidget();
    // Children of a scroll area's viewport may be scrolled out of view.
    if (parent && parent->parentWidget() && parent->parentWidget()->inherits("QAbstractScrollArea"))
      continue;
    if (parent) {
      const QRect area = FitAllowedArea(parent);
      if (!area.contains(w->geometry()))
        faults.push_back(FitName(w) + ": lies outside " + FitName(parent));
    }
  }
  return faults;
}

}  // namespace orv_test
