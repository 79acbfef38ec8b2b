#pragma once

#include <QIcon>
#include <QString>

namespace nidora::controls {

// The program's own icon named the way windows name icons ("Doctor.ICO", "TASKXPC_ICO"): letter
// case does not matter and a "." in the name stands for the "_" of the resource name. When the
// program has no such icon, a file of that name is used; a null icon when there is neither.
QIcon programIcon(const QString& name);

} // namespace nidora::controls
