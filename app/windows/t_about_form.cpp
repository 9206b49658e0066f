#include "app/windows/t_about_form.h"

#include <QDesktopServices>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <QVBoxLayout>

#include "app/windows/centre_on_screen.h"
#include "app/windows/about_contacts.h"

namespace zt::app {

namespace {

constexpr int kMargin = 8;
constexpr int kSpacing = 2;
const QSize kPicture(169, 161);

// A horseshoe magnet over a field line: the picture of the window.
QPixmap MagnetPicture() {
  QPixmap picture(kPicture);
  picture.fill(QColor(0xf0, 0xf0, 0xf0));
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0x80, 0x00, 0x00), 22, Qt::SolidLine, Qt::FlatCap));
  p.drawArc(QRectF(35, 20, 100, 100), 0, 180 * 16);
  p.drawLine(QPointF(46, 70), QPointF(46, 110));
  p.drawLine(QPointF(124, 70), QPointF(124, 110));
  p.setPen(QPen(QColor(0xc0, 0xc0, 0xc0), 22, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(46, 110), QPointF(46, 130));
  p.drawLine(QPointF(124, 110), QPointF(124, 130));
  p.setPen(QPen(QColor(0x00, 0x80, 0x80), 2, Qt::DashLine));
  p.drawArc(QRectF(25, 95, 120, 60), 0, -180 * 16);
  return picture;
}

// Bold, at most two points above the window's size, as large as the column beside the picture holds.
QFont TitleFont(QFont font, const QString& text, int columnWidth) {
  font.setBold(true);
  const int largest = (font.pointSize() > 0 ? font.pointSize() : 9) + 2;
  for (int size = largest; size > 1; --size) {
    font.setPointSize(size);
    if (QFontMetrics(font).size(0, text).width() <= columnWidth) break;
  }
  return font;
}

QLabel* Line(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setAccessibleName(QString::fromLatin1(name));
  return label;
}

QLabel* Link(QWidget* parent, const char* name, const QString& caption, const QString& target) {
  QLabel* label = Line(parent, name, caption);
  label->setToolTip(target);
  label->setCursor(Qt::PointingHandCursor);
  label->setStyleSheet(QStringLiteral("color: #0000ff; text-decoration: underline;"));
  return label;
}

}  // namespace

TAboutForm::TAboutForm(std::uint8_t regionalFlag, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("AboutForm"));
  setWindowTitle(QStringLiteral("О программе "));
  setAccessibleName(windowTitle());
  setFixedSize(422, 264);
  CentreOnScreen(*this);
  setStyleSheet(QStringLiteral("QDialog#AboutForm { border: 2px outset #a0a0a0; }"));

  const AboutContacts contacts = ContactsFor(regionalFlag);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  outer->setSpacing(kSpacing);

  // The picture at the top left, the program's name and version beside it.
  auto* top = new QHBoxLayout;
  top->setSpacing(kSpacing);
  auto* Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setAccessibleName(QStringLiteral("Image1"));
  Image1->setPixmap(MagnetPicture());
  Image1->setFixedSize(kPicture);
  top->addWidget(Image1, 0, Qt::AlignTop | Qt::AlignLeft);
  auto* right = new QVBoxLayout;
  right->setSpacing(kSpacing);
  QLabel* Label6 = Line(this, "Label6", QStringLiteral("РЕГИСТРАТОР МАГНИТНОГО\n ПОЛЯ"));
  Label6->setAlignment(Qt::AlignCenter);
  Label6->setFont(TitleFont(Label6->font(), Label6->text(), width() - 2 * kMargin - kPicture.width() - kSpacing));
  right->addStretch();
  right->addWidget(Label6);
  right->addWidget(Line(this, "Label5", QStringLiteral("Программное обеспечение")), 0, Qt::AlignHCenter);
  right->addWidget(Line(this, "Label_versPr", kVersionText), 0, Qt::AlignHCenter);
  right->addStretch();
  top->addLayout(right, 1);
  outer->addLayout(top);

  // The contacts under the picture, clear of it; "ДА" beside the two links.
  address = Line(this, "address", contacts.address);
  Label1 = Line(this, "Label1", contacts.phone);
  l_mail = Link(this, "l_mail", contacts.mailCaption, contacts.mailTarget);
  l_http = Link(this, "l_http", contacts.webCaption, contacts.webTarget);
  for (QLabel* link : {l_mail, l_http}) link->installEventFilter(this);
  outer->addWidget(address);
  outer->addWidget(Label1);
  auto* bottom = new QHBoxLayout;
  auto* links = new QVBoxLayout;
  links->setSpacing(kSpacing);
  links->addWidget(l_mail);
  links->addWidget(l_http);
  bottom->addLayout(links, 1);
  OKButton = new QPushButton(QStringLiteral("ДА"), this);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  OKButton->setAccessibleName(OKButton->text());
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
  bottom->addWidget(OKButton, 0, Qt::AlignRight | Qt::AlignBottom);
  outer->addLayout(bottom);
  outer->addStretch();
}

void TAboutForm::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    accept();
    return;
  }
  QDialog::keyReleaseEvent(event);
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == l_mail || watched == l_http) && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    QDesktopServices::openUrl(QUrl(static_cast<QLabel*>(watched)->toolTip()));
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace zt::app
