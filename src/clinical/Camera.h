#pragma once

#include <QString>

namespace nidora::clinical {

// "Captura foto de cámara": the live picture of the computer's first webcam, its picture format
// to choose, and "Guardar Imagen", which saves the picture shown as photoBaseName + ".jpg" in the
// working directory (photoBaseName() of PatientFormRules.h for a patient) and closes. Runs on the caller's
// logical thread and answers Cancelled in CallResponse, as it always has; returns true only when it wrote the
// photo, so that the caller takes the name only then.
bool Camera(const QString& photoBaseName);

// The message shown when no photo could be written.
inline constexpr const char* kPhotoNotWritten = "Error creating jpg file";

} // namespace nidora::clinical
