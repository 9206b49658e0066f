// The maker's contact texts of the About window: the default set, and the
// regional set that replaces the address, e-mail and web lines when the
// regional flag is not 0. The telephone line is the same in both.
#pragma once

#include <QString>
#include <cstdint>

namespace zt::app {

struct AboutContacts {
  QString address;
  QString phone;
  QString mailCaption;
  QString mailTarget;  // what a click on the e-mail line opens
  QString webCaption;
  QString webTarget;   // what a click on the web line opens
};

AboutContacts ContactsFor(std::uint8_t regionalFlag);

inline const QString kVersionText = QStringLiteral("версия: Zetlogic-1.10");

}  // namespace zt::app
