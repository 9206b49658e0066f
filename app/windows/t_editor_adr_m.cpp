#include "app/windows/t_editor_adr_m.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/windows/centre_on_screen.h"
#include "app/windows/plain_button.h"
#include "app/windows/text_codec.h"
#include "core/cp1251.h"

namespace zt::app {

std::string TEditorAdrM::FileError(std::string_view text) const {
  return std::string(text) + Utf8ToCp1251(editor_.File().string());
}

TEditorAdrM::TEditorAdrM(AppContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ctx_(context),
      editor_(context.state.files) {
  setObjectName(QStringLiteral("EditorAdrM"));
  setWindowTitle(QStringLiteral("Редактор"));
  setAccessibleName(windowTitle());
  setFixedSize(427, 411);
  CentreOnScreen(*this);

  auto* layout = new QVBoxLayout(this);
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  ListBox1->setAccessibleName(QStringLiteral("ListBox1"));
  layout->addWidget(ListBox1, 1);

  auto* fields = new QGridLayout;
  nameLabel_ = new QLabel(QStringLiteral("  АДРЕС "), this);
  LabeledEdit1 = new QLineEdit(this);
  LabeledEdit1->setObjectName(QStringLiteral("LabeledEdit1"));
  LabeledEdit1->setAccessibleName(nameLabel_->text());
  nameLabel_->setBuddy(LabeledEdit1);
  auto* commentLabel = new QLabel(QStringLiteral("   КОММЕНТАРИЙ"), this);
  LabeledEdit2 = new QLineEdit(this);
  LabeledEdit2->setObjectName(QStringLiteral("LabeledEdit2"));
  LabeledEdit2->setAccessibleName(commentLabel->text());
  commentLabel->setBuddy(LabeledEdit2);
  fields->addWidget(nameLabel_, 0, 0);
  fields->addWidget(LabeledEdit1, 1, 0);
  fields->addWidget(commentLabel, 2, 0);
  fields->addWidget(LabeledEdit2, 3, 0);
  layout->addLayout(fields);

  auto* buttons = new QHBoxLayout;
  BitBtn3 = PlainButton(this, "BitBtn3", QStringLiteral("Удалить"));
  BitBtn1 = PlainButton(this, "BitBtn1", QStringLiteral("Сохранить"));
  BitBtn2 = PlainButton(this, "BitBtn2", QStringLiteral("Отмена"));
  for (QPushButton* b : {BitBtn3, BitBtn1, BitBtn2}) buttons->addWidget(b);
  layout->addLayout(buttons);

  connect(ListBox1, &QListWidget::itemClicked, this, &TEditorAdrM::ListBox1Click);
  // The arrow keys select too: the fields must show, and edit, the item highlighted.
  connect(ListBox1, &QListWidget::currentRowChanged, this, &TEditorAdrM::ListBox1Click);
  connect(BitBtn1, &QPushButton::clicked, this, &TEditorAdrM::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &TEditorAdrM::BitBtn2Click);
  connect(BitBtn3, &QPushButton::clicked, this, &TEditorAdrM::BitBtn3Click);
  for (QWidget* w : std::initializer_list<QWidget*>{LabeledEdit1, LabeledEdit2, ListBox1, BitBtn1, BitBtn2, BitBtn3})
    w->installEventFilter(this);

  Timer1.setInterval(100);
  Timer1.setSingleShot(true);
  connect(&Timer1, &QTimer::timeout, this, &TEditorAdrM::Timer1Timer);
  Timer1.start();
}

void TEditorAdrM::ShowLoadedTitles() {
  const QString title = FromCp1251(shell::kOperatorEditorTitle);
  setWindowTitle(title);
  nameLabel_->setText(title);
  LabeledEdit1->setAccessibleName(title);
}

void TEditorAdrM::Timer1Timer() {
  Timer1.stop();
  ShowLoadedTitles();
  if (!editor_.Load())
    ctx_.messages.Show(MessageKind::Error, FileError("Ошибка открытия файла "_cp));
  ShowList();
  ShowFields();
}

void TEditorAdrM::ShowList() {
  // Refilling is no selection by the operator: the fields keep what is being typed.
  const QSignalBlocker quiet(ListBox1);
  ListBox1->clear();
  for (const std::string& item : editor_.Items()) ListBox1->addItem(FromCp1251(item));
  ListBox1->setCurrentRow(static_cast<int>(editor_.Selected()));
}

void TEditorAdrM::ShowFields() {
  LabeledEdit1->setText(FromCp1251(editor_.NameField()));
  LabeledEdit2->setText(FromCp1251(editor_.CommentField()));
}

void TEditorAdrM::ListBox1Click() {
  if (ListBox1->currentRow() < 0) return;
  editor_.Select(static_cast<std::size_t>(ListBox1->currentRow()));
  ShowFields();
}

void TEditorAdrM::FieldKeyUp(int key) {
  editor_.FieldsEdited(ToCp1251(LabeledEdit1->text()), ToCp1251(LabeledEdit2->text()));
  ShowList();
  if (key == Qt::Key_Escape) reject();
}

void TEditorAdrM::BitBtn1Click() {
  if (!editor_.Save()) {
    // The list stays open, so the edits are not lost.
    ctx_.messages.Show(MessageKind::Error,
                       FileError("Ошибка! при записи файла "_cp));
    return;
  }
  accept();
}

void TEditorAdrM::BitBtn2Click() { reject(); }

void TEditorAdrM::BitBtn3Click() {
  if (ctx_.messages.Show(MessageKind::Confirmation, editor_.DeleteQuestion())) {
    if (!editor_.DeleteSelected())
      ctx_.messages.Show(MessageKind::Error,
                         FileError("Ошибка! при записи файла "_cp));
    ShowLoadedTitles();
    ShowList();
  } else {
    editor_.Select(editor_.Selected());
  }
  ShowFields();
}

void TEditorAdrM::keyPressEvent(QKeyEvent* event) {
  // Esc acts on its release.
  if (event->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(event);
}

bool TEditorAdrM::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyRelease) return QDialog::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->isAutoRepeat()) return false;
  if (watched == LabeledEdit1 || watched == LabeledEdit2) {
    FieldKeyUp(key->key());
    return false;
  }
  if (key->key() == Qt::Key_Escape) {
    reject();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace zt::app
