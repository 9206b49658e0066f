// The About window: the program's name and version and the maker's contacts;
// a click on the e-mail or web line opens it with the system's handler.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <cstdint>

namespace zt::app {

class TAboutForm final : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutForm(std::uint8_t regionalFlag, QWidget* parent = nullptr);

 protected:
  void keyReleaseEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* address = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* l_mail = nullptr;
  QLabel* l_http = nullptr;
  QPushButton* OKButton = nullptr;
};

}  // namespace zt::app
