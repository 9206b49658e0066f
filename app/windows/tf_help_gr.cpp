#include "app/windows/tf_help_gr.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPalette>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

#include "app/shell/record_detail.h"
#include "app/windows/centre_on_screen.h"
#include "app/windows/text_codec.h"

namespace zt::app {

namespace {

QColor LineQColor(shell::LineColour colour, const QColor& buttonFace) {
  if (const auto rgb = shell::FixedColour(colour)) return QColor(rgb->red, rgb->green, rgb->blue);
  return buttonFace;
}

}  // namespace

TfHelpGr::TfHelpGr(const AppContext& context, ArchiveKind kind, std::size_t row, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("fHelpGr"));
  setWindowTitle(QStringLiteral("ПОДСКАЗКА"));
  setAccessibleName(windowTitle());
  setFixedSize(758, 196);
  CentreOnScreen(*this);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* Panel1 = new QLabel(QStringLiteral("ИНФОРМАЦИИ НЕТ!!!"), this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setAccessibleName(Panel1->text());
  Panel1->setAlignment(Qt::AlignCenter);
  QFont bold = Panel1->font();
  bold.setBold(true);
  Panel1->setFont(bold);
  auto* stack = new QGridLayout(Panel1);
  stack->setContentsMargins(0, 0, 0, 0);
  editHelp = new QTextEdit(Panel1);
  editHelp->setObjectName(QStringLiteral("editHelp"));
  editHelp->setAccessibleName(QStringLiteral("editHelp"));
  editHelp->setReadOnly(true);
  editHelp->setLineWrapMode(QTextEdit::NoWrap);
  stack->addWidget(editHelp, 0, 0);
  layout->addWidget(Panel1);

  const QColor buttonFace = palette().color(QPalette::Button);
  QPalette boxPalette = editHelp->palette();
  boxPalette.setColor(QPalette::Base, buttonFace);
  editHelp->setPalette(boxPalette);

  const ArchiveTable& table = TableOf(context.tables, kind);
  QTextCursor cursor(editHelp->document());
  bool first = true;
  for (const shell::StyledLine& line : shell::RecordDetailLines(table, kind, row)) {
    QTextCharFormat format;
    QFont font(QString::fromLatin1(shell::kDetailFont.data(), static_cast<qsizetype>(shell::kDetailFont.size())));
    font.setStyleHint(QFont::Monospace);
    font.setPointSize(line.pointSize);
    format.setFont(font);
    format.setForeground(LineQColor(line.colour, buttonFace));
    if (!first) cursor.insertBlock();
    first = false;
    cursor.setBlockCharFormat(format);
    cursor.insertText(FromCp1251(line.text), format);
  }
  editHelp->moveCursor(QTextCursor::Start);

  editHelp->installEventFilter(this);
  editHelp->viewport()->installEventFilter(this);
}

void TfHelpGr::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Every content ends in empty lines, which alone never call for a scroll bar.
  QTextDocument* document = editHelp->document();
  qreal textBottom = 0;
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
    if (!block.text().isEmpty()) textBottom = document->documentLayout()->blockBoundingRect(block).bottom();
  const bool fits = textBottom + document->documentMargin() <= editHelp->viewport()->height();
  editHelp->setVerticalScrollBarPolicy(fits ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
}

bool TfHelpGr::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == editHelp || watched == editHelp->viewport()) &&
      (event->type() == QEvent::KeyRelease || event->type() == QEvent::MouseButtonRelease)) {
    accept();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace zt::app
