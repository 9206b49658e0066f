#include "app/windows/about_contacts.h"

namespace zt::app {

AboutContacts ContactsFor(std::uint8_t regionalFlag) {
  const QString phone = QStringLiteral("тел./факс: +7 (000) 000-00-00");
  if (regionalFlag != 0) {
    return {QStringLiteral("Региональный сервисный центр, а/я 2, 00002"), phone,
            QStringLiteral("e-mail: service@region.example.org"),
            QStringLiteral("mailto:service@region.example.org"), QStringLiteral("www.region.example.org"),
            QStringLiteral("https://region.example.org/")};
  }
  return {QStringLiteral("Сервисная служба, а/я 1, 00001"), phone, QStringLiteral("e-mail: support@example.org"),
          QStringLiteral("mailto:support@example.org"), QStringLiteral("www.example.org"),
          QStringLiteral("https://www.example.org/")};
}

}  // namespace zt::app
