#pragma once

// The practice's reference tables: the window that keeps all five, each table's form, the
// coverage list and the pathology lookup. Every form edits the record in this thread's buffer
// of its file by CallRequest and answers in CallResponse; the lists answer the same way when
// called to choose.
namespace nidora::practice {

// The five tables in one window, chosen from its side task panel.
void Tablas();

// A consultation reason (MOTIVOS); the consultation form also adds a reason through it.
void UpdateMOTIVOS();
// A health-coverage provider (OBRASSOCIALES).
void Ficha_OBRASSOCIALES();
// One dose of a vaccination plan (PLANVACUNACION).
void UpdatePLANVACUNACION();
// A pathology (TABENFERMED), with the patients it was recorded for.
void UpdateTABENFERMED();
// The growth reference values of one age (TABCRECIMIENTO), the age in years and months.
void UpdateTABCRECIMIENTO();

// The coverage providers as a list of their own, which can also choose one: called with
// request 4 it answers 1 with the provider in the OBRASSOCIALES buffer, 2 when closed.
void Browse_OBRASSOCIALES();
// "Tabla de Patologías", the consultation form's diagnosis lookup: called with request 4 it
// answers 1 with the chosen pathology in the TABENFERMED buffer (TEN:NOMBRE is what the
// caller takes), 2 when closed without choosing, the buffer then as the caller left it.
void BrowseENFERMEDADES();

} // namespace nidora::practice
