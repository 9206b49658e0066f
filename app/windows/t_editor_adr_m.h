// The operator list editor: the list of Work/FIOmast.000 with a name and a
// comment field, "Удалить", "Сохранить" and "Отмена".
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "app/shell/operator_list.h"
#include "app/windows/app_context.h"

namespace zt::app {

class TEditorAdrM final : public QDialog {
  Q_OBJECT

 public:
  explicit TEditorAdrM(AppContext& context, QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Timer1Timer();
  void ListBox1Click();
  void FieldKeyUp(int key);
  void BitBtn1Click();
  void BitBtn2Click();
  void BitBtn3Click();
  // The list box and the fields from the model.
  void ShowList();
  void ShowFields();
  void ShowLoadedTitles();
  std::string FileError(std::string_view text) const;

  AppContext& ctx_;
  shell::OperatorListEditor editor_;
  QListWidget* ListBox1 = nullptr;
  QLabel* nameLabel_ = nullptr;
  QLineEdit* LabeledEdit1 = nullptr;
  QLineEdit* LabeledEdit2 = nullptr;
  QPushButton* BitBtn3 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;
  QTimer Timer1;
};

}  // namespace zt::app
