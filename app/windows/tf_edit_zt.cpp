#include "app/windows/tf_edit_zt.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QValidator>
#include <QVBoxLayout>

#include "app/windows/centre_on_screen.h"
#include "app/windows/plain_button.h"
#include "app/windows/release_keys.h"
#include "app/windows/text_codec.h"
#include "app/windows/tf_zetl.h"

namespace zt::app {

namespace {

// Only what the recorder keeps can be typed: 30 characters of Windows-1251, no control characters.
class RecorderTextValidator final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    return shell::IsRecorderText(input.toStdString()) ? Acceptable : Invalid;
  }
};

}  // namespace

TfEdit_ZT::TfEdit_ZT(AppContext& context, TfZetl& mainWindow, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ctx_(context), main_(mainWindow), editor_(context.image) {
  setObjectName(QStringLiteral("fEdit_ZT"));
  setWindowTitle(QStringLiteral("ПАРАМЕТРЫ РЕГИСТРАТОРА"));
  setAccessibleName(windowTitle());
  setFixedSize(356, 243);
  // The editor opens with the flag cleared; only "ДА" with the box ticked sets it.
  ctx_.clockCorrection = false;

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* Panel1 = new QFrame(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel1->setLineWidth(2);
  outer->addWidget(Panel1);
  auto* layout = new QVBoxLayout(Panel1);

  auto* fields = new QGridLayout;
  const struct {
    const char* name;
    const char* caption;
  } edits[] = {{"Factory", "Предприятие"}, {"Tube", "Ветка трубопровода"}, {"Meter", "Счетчик"}};
  auto* validator = new RecorderTextValidator(this);
  for (std::size_t i = 0; i < edits_.size(); ++i) {
    const QString caption = QString::fromUtf8(edits[i].caption);
    auto* label = new QLabel(caption, Panel1);
    auto* edit = new QLineEdit(Panel1);
    edit->setObjectName(QString::fromLatin1(edits[i].name));
    edit->setAccessibleName(caption);
    edit->setMaxLength(static_cast<int>(shell::kRecorderTextLength));
    edit->setValidator(validator);
    edit->setText(FromCp1251(editor_.OpeningTexts()[i]));
    label->setBuddy(edit);
    fields->addWidget(label, static_cast<int>(i), 0);
    fields->addWidget(edit, static_cast<int>(i), 1);
    edits_[i] = edit;
  }
  layout->addLayout(fields);

  chDateTime = new QCheckBox(QStringLiteral("Коррекция часов по часам компьютера"), Panel1);
  chDateTime->setObjectName(QStringLiteral("chDateTime"));
  chDateTime->setAccessibleName(chDateTime->text());
  // The text on the left of the box.
  chDateTime->setLayoutDirection(Qt::RightToLeft);
  layout->addWidget(chDateTime, 0, Qt::AlignLeft);
  auto* Label1 = new QLabel(QStringLiteral("дата и время устанавливаются при уста-\nновленном флаге по часам компьютера"),
                            Panel1);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setStyleSheet(QStringLiteral("color: #800000;"));
  layout->addWidget(Label1);

  Yes = PlainButton(Panel1, "Yes", QStringLiteral("ДА"));
  No = PlainButton(Panel1, "No", QStringLiteral("ОТМЕНА"));
  layout->addLayout(CentredRow({Yes, No}));
  connect(Yes, &QPushButton::clicked, this, &TfEdit_ZT::YesClick);
  connect(No, &QPushButton::clicked, this, &TfEdit_ZT::NoClick);

  setTabOrder(edits_[0], edits_[1]);
  setTabOrder(edits_[1], edits_[2]);
  setTabOrder(edits_[2], No);
  setTabOrder(No, Yes);
  setTabOrder(Yes, chDateTime);
  new ReleaseKeys(*this, [this] { YesClick(); }, [this] { NoClick(); });
  edits_[0]->setFocus();
  CentreOnScreen(*this);
}

void TfEdit_ZT::YesClick() {
  shell::EditorTexts typed;
  for (std::size_t i = 0; i < edits_.size(); ++i) typed[i] = ToCp1251(edits_[i]->text());
  editor_.Confirm(std::move(typed), chDateTime->isChecked());
  accept();
}

void TfEdit_ZT::NoClick() {
  editor_.Cancel();
  reject();
}

void TfEdit_ZT::done(int result) {
  if (!closed_) {
    closed_ = true;
    const shell::EditorTexts before = shell::EditedHeaderTexts(ctx_.image);
    if (editor_.Close(ctx_.image, ctx_.clockCorrection)) {
      ctx_.textsBeforeWriting = before;
      main_.ShowHeader();
      // The writing window opens once this one is gone.
      main_.StartWriteDeferred();
    }
  }
  QDialog::done(result);
}


}  // namespace zt::app
