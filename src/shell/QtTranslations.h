#pragma once

#include <QTranslator>

#include <memory>

namespace nidora::shell {

// Qt's own texts (the file dialog's "Look in", the standard buttons of message boxes) in
// Spanish, from the translations installed with Qt; installed in the application while the
// translator lives. Null when the translations are not installed: Qt then speaks English.
std::unique_ptr<QTranslator> installQtTranslations();

} // namespace nidora::shell
