#pragma once

#include <QIcon>
#include <QString>

namespace nidora::shell {

// The frame's own icons ("nidora.ico", "doctor.ico", "HELP2.ICO"), found without regard to case.
QIcon frameIcon(const QString& name);

} // namespace nidora::shell
