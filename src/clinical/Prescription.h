#pragma once

#include "data/ClinicalRecords.h"

#include <QString>

#include <cstdint>

namespace nidora::data {
class Dictionary;
}

// The prescription of one consultation: the window that writes it into the consultation's memo
// and prints it under the current doctor's data.
namespace nidora::clinical {

// What the caller hands the prescription window and what the window hands its report, each
// logical thread its own (the patient form's thread sets them just before it calls). The
// texts keep the sizes of their fields and start filled with spaces.
struct PrescriptionValues {
    // How much of the text the consultation's memo keeps; the window takes no more.
    static constexpr int kStoredLength = 2000;

    std::int32_t PrescriptionConsultation = 0;
    QString RECETA;
    QString NOMBREMEDICO;
    QString MATRICULAMEDICO;
    QString MEDICOESPECIALIDAD;
    QString MEDICODIRECCION1;
    QString MEDICODIRECCION2;
    QString MEDICOMAIL;
    QString MEDICOOTROS;

    PrescriptionValues();
};

// The calling logical thread's values.
PrescriptionValues& prescriptionValues();

// The text the window opens with: the stored prescription when, clipped of trailing spaces, it
// holds at least 10 characters; otherwise one built from the possible diagnosis and the
// medication ("DIAGNOSTICO: " and the diagnosis, clipped, two line breaks, the medication).
QString prescriptionText(const data::CONSULTAS& consultation);

// The doctor's data of the header from the MEDICOS record with that code (the file open); a
// code that names no doctor leaves them blank.
void readDoctorHeader(data::Dictionary& data, std::uint8_t doctor, PrescriptionValues& values);

// The prescription window for the consultation with this code, on the caller's logical thread.
// Whatever it reads into the thread's patient, consultation and doctor buffers, the caller has
// its own back when it returns.
void prescription(std::int32_t consultation);

// The window: the text of consultation PrescriptionConsultation to write or correct; its button
// stores it in the consultation's memo, prints it and closes. Closing it otherwise stores and
// prints nothing.
void PantallaRECETA();

// The report of the prescription: consultation PrescriptionConsultation with RECETA and the
// doctor's header as they stand, handed to the program's previewer.
void PrintRECETA();

} // namespace nidora::clinical
