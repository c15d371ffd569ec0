#include "platform/qt/PdfPageSetup.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPageSize>
#include <QPushButton>
#include <QRadioButton>

#include "platform/qt/Services.h"
#include "platform/qt/WindowFrame.h"

namespace plat {

namespace {

// The sheets people print graphs on.
const QPageSize::PageSizeId kPapers[] = {QPageSize::A4, QPageSize::A3, QPageSize::A5, QPageSize::B5,
                                         QPageSize::Letter, QPageSize::Legal};

}  // namespace

TPdfPageSetupForm::TPdfPageSetupForm(QWidget* parent) : QDialog(parent) {
  setObjectName("PdfPageSetupForm");
  setWindowTitle(QString::fromUtf8("Параметры страницы"));
  UseFixedFrame(this);
  setFixedSize(300, 150);

  Label1 = new QLabel(QString::fromUtf8("Размер бумаги:"), this);
  Label1->setObjectName("Label1");
  Label1->setGeometry(8, 12, 112, 20);
  PaperSize = new QComboBox(this);
  PaperSize->setObjectName("PaperSize");
  PaperSize->setGeometry(124, 8, 168, 26);
  for (QPageSize::PageSizeId id : kPapers) PaperSize->addItem(QPageSize::name(id), static_cast<int>(id));
  Label1->setBuddy(PaperSize);

  GroupBox1 = new QGroupBox(QString::fromUtf8("Ориентация"), this);
  GroupBox1->setObjectName("GroupBox1");
  GroupBox1->setGeometry(8, 42, 284, 60);
  Portrait = new QRadioButton(QString::fromUtf8("Книжная"), GroupBox1);
  Portrait->setObjectName("Portrait");
  Portrait->setGeometry(12, 26, 120, 24);
  Landscape = new QRadioButton(QString::fromUtf8("Альбомная"), GroupBox1);
  Landscape->setObjectName("Landscape");
  Landscape->setGeometry(144, 26, 130, 24);
  Portrait->setChecked(true);

  OkButton = new QPushButton(QStringLiteral("Ok"), this);
  OkButton->setObjectName("OkButton");
  OkButton->setGeometry(130, 114, 77, 28);
  OkButton->setDefault(true);
  CancelButton = new QPushButton(QString::fromUtf8("Отмена"), this);
  CancelButton->setObjectName("CancelButton");
  CancelButton->setGeometry(215, 114, 77, 28);
  On(OkButton, &QPushButton::clicked, this, [this] { accept(); });
  On(CancelButton, &QPushButton::clicked, this, [this] { reject(); });
}

void TPdfPageSetupForm::SetLayout(const QPageLayout& layout) {
  const QPageSize page = layout.pageSize();
  int index = PaperSize->findData(static_cast<int>(page.id()));
  if (index < 0 || page.id() == QPageSize::Custom) {
    PaperSize->addItem(page.name(), static_cast<int>(page.id()));
    index = PaperSize->count() - 1;
    PaperSize->setItemData(index, QVariant::fromValue(page), Qt::UserRole + 1);
  }
  PaperSize->setCurrentIndex(index);
  (layout.orientation() == QPageLayout::Landscape ? Landscape : Portrait)->setChecked(true);
}

QPageLayout TPdfPageSetupForm::Layout(const QPageLayout& layout) const {
  QPageLayout result = layout;
  const QVariant own = PaperSize->currentData(Qt::UserRole + 1);
  const QPageSize page = own.isValid() ? own.value<QPageSize>()
                                       : QPageSize(static_cast<QPageSize::PageSizeId>(PaperSize->currentData().toInt()));
  result.setPageSize(page, layout.minimumMargins());
  result.setOrientation(Landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
  return result;
}

bool RunPdfPageSetup(QPageLayout& layout, QWidget* parent) {
  TPdfPageSetupForm form(parent);
  form.SetLayout(layout);
  if (Services().ExecModal(&form) != mrOk) return false;
  layout = form.Layout(layout);
  return true;
}

}  // namespace plat
