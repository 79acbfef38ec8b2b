// What a new user meets, run as the user would: the program's own binary on a new folder, under
// an X server, driven through the X server's input and watched through the probe.
#include "ProgramUnderTest.h"

#include "data/Catalogue.h"
#include "data/ClinicalRecords.h"
#include "data/DataFile.h"
#include "data/PatientRecords.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>

namespace nidora::e2e {
namespace {

const QString kMasterPassword = QStringLiteral("kwrt519");

QStringList shownCaptions(ProgramUnderTest& program)
{
    QStringList captions;
    for (const QJsonValue& each :
        program.ask(QStringLiteral("windows")).value(QStringLiteral("shown")).toArray())
        captions << each.toString();
    return captions;
}

bool holdsControl(const QJsonObject& window, const QString& name)
{
    return window.value(QStringLiteral("controls")).toArray().contains(name);
}

// A button of a list's window, named for its list ("?INSERT:2", "?CHANGE:2").
bool clickListButton(ProgramUnderTest& program, const QString& list, const QString& button)
{
    QJsonObject window;
    if (!program.showWhole(list) || !program.waitForWindow(list, &window))
        return false;
    for (const QJsonValue& name : window.value(QStringLiteral("controls")).toArray()) {
        if (name.toString().startsWith(button))
            return program.clickWidget(name.toString());
    }
    return false;
}

bool clickInsert(ProgramUnderTest& program, const QString& list)
{
    return clickListButton(program, list, QStringLiteral("?INSERT"));
}

// The workspace's window without a caption and without the login's entry: the splash.
bool splashShown(const QJsonObject& answer, QJsonObject* splash = nullptr)
{
    for (const QJsonValue& each : answer.value(QStringLiteral("windows")).toArray()) {
        const QJsonObject window = each.toObject();
        if (window.contains(QStringLiteral("content"))
            && window.value(QStringLiteral("title")).toString().isEmpty()
            && !holdsControl(window, QStringLiteral("?CODIGO"))) {
            if (splash)
                *splash = window;
            return true;
        }
    }
    return false;
}

bool menuOpen(ProgramUnderTest& program, const QString& title)
{
    return program.waitFor(QStringLiteral("windows"),
        [&](const QJsonObject& answer) { return answer.value(QStringLiteral("menu")).toString() == title; });
}

bool noMenuOpen(const QJsonObject& answer)
{
    return !answer.contains(QStringLiteral("menu"));
}

bool isLogin(const QJsonObject& window)
{
    return holdsControl(window, QStringLiteral("?CODIGO"));
}

// The login opens over the frame with its entry focused; it is given room to be used.
bool loginReady(ProgramUnderTest& program)
{
    return program.focusFrame() && program.showWhole(isLogin)
        && program.waitFor(QStringLiteral("windows"), [](const QJsonObject& answer) {
               return answer.value(QStringLiteral("focus")).toString() == QStringLiteral("?CODIGO");
           });
}

// Types a code over whatever the login's entry holds and presses its OK.
bool logIn(ProgramUnderTest& program, const QString& code)
{
    program.key(QStringLiteral("ctrl+a"));
    program.type(code);
    return program.clickWidget(QStringLiteral("?OK"));
}

bool loginGone(ProgramUnderTest& program)
{
    return program.waitFor(
        QStringLiteral("find ?CODIGO"), [](const QJsonObject& answer) { return answer.isEmpty(); });
}

// The splash opens once the frame has opened; a click sends it away, as it does for the user.
void dismissSplash(ProgramUnderTest& program)
{
    QJsonObject answer;
    if (program.waitFor(
            QStringLiteral("windows"), [](const QJsonObject& a) { return splashShown(a); }, &answer)) {
        QJsonObject splash;
        if (splashShown(program.ask(QStringLiteral("windows")), &splash))
            ProgramUnderTest::click(splash.value(QStringLiteral("content")).toObject());
    }
    EXPECT_TRUE(program.waitFor(QStringLiteral("windows"), [](const QJsonObject& a) {
        return !splashShown(a);
    })) << "the splash went";
}

bool choose(ProgramUnderTest& program, const QString& menu, const QString& item)
{
    return program.clickAction(menu) && menuOpen(program, menu) && program.clickAction(item);
}

void addUser(ProgramUnderTest& program, const QString& code, const QString& name, int right)
{
    const QString form = QStringLiteral("Agregando un Registro a USUARIOS");
    ASSERT_TRUE(clickInsert(program, QStringLiteral("Usuarios")));
    ASSERT_TRUE(program.showWhole(form));
    ASSERT_TRUE(program.clickWidget(QStringLiteral("?ACC:CLAVE")));
    program.type(code);
    ASSERT_TRUE(program.clickWidget(QStringLiteral("?ACC:NOMBRE")));
    program.type(name);
    ASSERT_TRUE(program.clickWidget(QStringLiteral("?ACC:PUERTAS_%1").arg(right)));
    ASSERT_TRUE(program.waitFor(QStringLiteral("find ?ACC:PUERTAS_%1").arg(right),
        [](const QJsonObject& box) { return box.value(QStringLiteral("checked")).toBool(); }));
    ASSERT_TRUE(program.clickWidget(QStringLiteral("?OK")));
    ASSERT_TRUE(program.waitForNoWindow(form));
    EXPECT_TRUE(program.waitFor(QStringLiteral("rows ?BROWSE:1"), [&](const QJsonObject& list) {
        return list.value(QStringLiteral("rows")).toArray().contains(name);
    })) << name.toStdString();
}

// The library's insert button on its highlighted row, and the form it calls filled with one name.
void addToLibrary(ProgramUnderTest& program, const QString& form, const QString& field, const QString& name)
{
    ASSERT_TRUE(program.showWhole(QStringLiteral("Bibliioteca")));
    ASSERT_TRUE(program.clickWidget(QStringLiteral("?INSERT")));
    ASSERT_TRUE(program.showWhole(form));
    ASSERT_TRUE(program.clickWidget(field));
    program.type(name);
    ASSERT_TRUE(program.clickWidget(QStringLiteral("?OK")));
    ASSERT_TRUE(program.waitForNoWindow(form));
}

// The records of a data file, or of the copy of it named (a window's own copy of a scratch file).
std::int64_t recordsOf(const QDir& folder, data::FileId file, const QString& copy = {})
{
    data::OpenOptions options;
    options.fileName = folder.filePath(copy.isEmpty() ? data::fileDesc(file).fileName() : copy);
    data::DataFile::Opened opened
        = data::DataFile::open(data::fileDesc(file), data::OpenMode::ReadOnly, options);
    std::int64_t records = -1;
    if (opened.outcome.ok())
        opened.file->count(records);
    return records;
}

// The record stored under this code, as its file holds it; a blank one when there is none.
template <typename Record>
Record stored(const QDir& folder, data::FileId file, const char* codeKey, std::int32_t code)
{
    const data::FileDesc& desc = data::fileDesc(file);
    data::OpenOptions options;
    options.fileName = folder.filePath(desc.fileName());
    data::DataFile::Opened opened = data::DataFile::open(desc, data::OpenMode::ReadOnly, options);
    Record record;
    if (opened.outcome.ok())
        opened.file->fetch(*desc.key(QLatin1String(codeKey)), { std::int64_t(code) }, record);
    return record;
}

data::PACIENTES storedPatient(const QDir& folder, std::int32_t code)
{
    return stored<data::PACIENTES>(folder, data::FileId::PACIENTES, "PAC:KCODIGO", code);
}

// Clicks a task of the patient form's side panel under its first header ("Clínica"), where
// the panel lays it out: below the top margin of 10 pixels and the header's slot of 30, each
// task a row of 33 (its 32-pixel icon and one).
bool clickClinicalTask(ProgramUnderTest& program, int task)
{
    const QJsonObject panel = program.ask(QStringLiteral("find ?XPTASKPANEL"));
    if (panel.isEmpty())
        return false;
    const QRect area = rectOf(panel);
    ProgramUnderTest::click(QJsonObject { { QStringLiteral("x"), area.x() + 40 },
        { QStringLiteral("y"), area.y() + 10 + 30 + 33 * task + 16 }, { QStringLiteral("w"), 1 },
        { QStringLiteral("h"), 1 } });
    return true;
}

TEST(NewUser, FromAnEmptyFolderToTheFirstPatientForm)
{
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QDir folder(scratch.path());

    // A new folder: the login opens, the master password enters, and the first administrator
    // and a user with only right 1 are created.
    {
        ProgramUnderTest program(folder.path());
        ASSERT_TRUE(loginReady(program));
        ASSERT_TRUE(logIn(program, kMasterPassword));
        ASSERT_TRUE(loginGone(program));
        dismissSplash(program);
        ASSERT_TRUE(choose(program, QStringLiteral("Archivo"), QStringLiteral("Archivo de Usuarios")));
        addUser(program, QStringLiteral("jefa"), QStringLiteral("Jefa"), 30);
        addUser(program, QStringLiteral("pedia"), QStringLiteral("Pediatra"), 1);

        // The mothers' list from its toolbar button: a mother added through its form is stored.
        ASSERT_TRUE(program.clickAction(QStringLiteral("Archivo de Madres")));
        ASSERT_TRUE(clickInsert(program, QStringLiteral("Archivo de Madres")));
        ASSERT_TRUE(program.showWhole(QStringLiteral("Nuevo Registro")));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?MAD:NOMBRE")));
        program.type(QStringLiteral("Lucia Diaz"));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?OK")));
        ASSERT_TRUE(program.waitForNoWindow(QStringLiteral("Nuevo Registro")));
        EXPECT_EQ(recordsOf(folder, data::FileId::MADRES), 1) << "the form wrote the mother before it closed";

        // The library from its toolbar button: a first topic added on the heading, and a title
        // added on that topic, which the tree highlights once it is added.
        ASSERT_TRUE(program.clickAction(QStringLiteral("Biblioteca")));
        addToLibrary(
            program, QStringLiteral("Nuevo Tema"), QStringLiteral("?TEM:TEMA"), QStringLiteral("Pediatria"));
        EXPECT_TRUE(program.waitFor(QStringLiteral("rows ?RELTREE"), [](const QJsonObject& tree) {
            return tree.value(QStringLiteral("rows")).toArray()
                == QJsonArray { QStringLiteral("TEMAS"), QStringLiteral("Pediatria") };
        }));
        addToLibrary(program, QStringLiteral("Nuevo Título"), QStringLiteral("?TIT:TITULO"),
            QStringLiteral("Vacunas"));
        EXPECT_EQ(recordsOf(folder, data::FileId::TEMAS), 1);
        EXPECT_EQ(recordsOf(folder, data::FileId::TITULOS), 1) << "the title went under the new topic";
        // The agenda from its toolbar button: an appointment booked on the day it shows.
        ASSERT_TRUE(program.clickAction(QStringLiteral("Agenda")));
        ASSERT_TRUE(clickInsert(program, QStringLiteral("Agenda")));
        ASSERT_TRUE(program.showWhole(QStringLiteral("Agregar Turno")));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?AGE:NOMBRE")));
        program.type(QStringLiteral("Juana Paz"));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?OK")));
        ASSERT_TRUE(program.waitForNoWindow(QStringLiteral("Agregar Turno")));
        EXPECT_EQ(recordsOf(folder, data::FileId::AGENDA), 1)
            << "the form wrote the appointment before it closed";
        // The next appointment's form recalls that name with Ctrl+H, and is left unbooked.
        ASSERT_TRUE(clickInsert(program, QStringLiteral("Agenda")));
        ASSERT_TRUE(program.showWhole(QStringLiteral("Agregar Turno")));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?AGE:NOMBRE")));
        program.key(QStringLiteral("ctrl+h"));
        EXPECT_TRUE(program.waitFor(QStringLiteral("find ?AGE:NOMBRE"), [](const QJsonObject& entry) {
            return entry.value(QStringLiteral("text")).toString() == QStringLiteral("Juana Paz");
        })) << "the name of the appointment booked before";
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?CANCEL")));
        ASSERT_TRUE(program.waitForNoWindow(QStringLiteral("Agregar Turno")));
        EXPECT_EQ(recordsOf(folder, data::FileId::AGENDA), 1);
        // The reference tables from their toolbar button open on the reasons: a reason added
        // through its form is stored and shown.
        ASSERT_TRUE(program.clickAction(QStringLiteral("Tablas")));
        ASSERT_TRUE(program.showWhole(QStringLiteral("Tablas")));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?INSERT")));
        ASSERT_TRUE(program.showWhole(QStringLiteral("Nuevo Motivo Consulta")));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?MOT:MOTIVO")));
        program.type(QStringLiteral("CONTROL"));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?OK")));
        ASSERT_TRUE(program.waitForNoWindow(QStringLiteral("Nuevo Motivo Consulta")));
        EXPECT_TRUE(program.waitFor(QStringLiteral("rows ?LIST"), [](const QJsonObject& list) {
            return list.value(QStringLiteral("rows")).toArray().contains(QStringLiteral("CONTROL"));
        }));
        EXPECT_EQ(recordsOf(folder, data::FileId::MOTIVOS), 1)
            << "the form wrote the reason before it closed";
        // The charts from their toolbar button: the consultations' page chosen on the side
        // panel, their monthly count for a reason shown as bars; leaving closes every window.
        ASSERT_TRUE(program.clickAction(QStringLiteral("Gráficas")));
        ASSERT_TRUE(program.showWhole(QStringLiteral("Gráficas")));
        QJsonObject panel;
        ASSERT_TRUE(program.waitForWidget(QStringLiteral("?XPTASKPANEL"), &panel));
        // The second task, "Consultas", under the boxed header.
        const QRect side = rectOf(panel);
        ProgramUnderTest::click(
            QJsonObject { { QStringLiteral("x"), side.x() + 40 }, { QStringLiteral("y"), side.y() + 88 },
                { QStringLiteral("w"), 20 }, { QStringLiteral("h"), 10 } });
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?BUTTON_PantallaG21")));
        ASSERT_TRUE(program.showWhole(QStringLiteral("Graficas")));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?SELECTMOTIVO")));
        program.type(QStringLiteral("Control"));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?BUTTON1")));
        EXPECT_TRUE(program.waitForWindow(QStringLiteral("Gráfico")));
        // The statistics window fills a copy of its own, the first one in a new folder.
        EXPECT_EQ(recordsOf(folder, data::FileId::GRAFICO,
                      data::DataFile::copyFileName(data::fileDesc(data::FileId::GRAFICO), 1)),
            12)
            << "twelve months, counted or not";
        ASSERT_TRUE(choose(program, QStringLiteral("Archivo"), QStringLiteral("Salir")));
        EXPECT_EQ(program.waitForExit(), 0);
    }

    // Once an administrator exists the master password is no password: three tries, and the
    // program ends. The entry keeps what was typed, so each OK tries the same text.
    {
        ProgramUnderTest program(folder.path());
        ASSERT_TRUE(loginReady(program));
        ASSERT_TRUE(logIn(program, kMasterPassword));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?OK")));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?OK")));
        EXPECT_EQ(program.waitForExit(), 0);
    }

    // The user with only right 1 reaches the users list by no path: not by what he clicks or
    // types while the login is open, nor by the menu afterwards, with the mouse or the keyboard.
    // "Pacientes" opens the list on the new folder, and a new patient's form closed with the
    // program leaves no record behind.
    {
        ProgramUnderTest program(folder.path());
        ASSERT_TRUE(loginReady(program));
        EXPECT_FALSE(program.ask(QStringLiteral("action Archivo")).value(QStringLiteral("enabled")).toBool());
        ASSERT_TRUE(program.clickAction(QStringLiteral("Archivo")));
        // Found only in an open menu: a frame that took the click would queue the command.
        if (const QJsonObject item = program.ask(QStringLiteral("action Archivo de Usuarios"));
            !item.isEmpty())
            ProgramUnderTest::click(item);
        program.key(QStringLiteral("alt+a"));
        ASSERT_TRUE(program.clickAction(QStringLiteral("Pacientes")));
        EXPECT_TRUE(noMenuOpen(program.ask(QStringLiteral("windows")))) << "no menu opens during the login";
        ASSERT_TRUE(program.waitFor(QStringLiteral("windows"), [](const QJsonObject& answer) {
            return answer.value(QStringLiteral("focus")).toString() == QStringLiteral("?CODIGO");
        }));
        ASSERT_TRUE(logIn(program, QStringLiteral("pedia")));
        ASSERT_TRUE(loginGone(program));
        dismissSplash(program);

        ASSERT_TRUE(program.clickAction(QStringLiteral("Archivo")));
        ASSERT_TRUE(menuOpen(program, QStringLiteral("Archivo")));
        const QJsonObject users = program.ask(QStringLiteral("action Archivo de Usuarios"));
        EXPECT_FALSE(users.value(QStringLiteral("enabled")).toBool(true));
        ProgramUnderTest::click(users);
        program.key(QStringLiteral("Escape"));
        ASSERT_TRUE(program.waitFor(QStringLiteral("windows"), noMenuOpen));
        program.key(QStringLiteral("alt+a"));
        ASSERT_TRUE(menuOpen(program, QStringLiteral("Archivo")));
        program.key(QStringLiteral("Return"));
        program.key(QStringLiteral("Escape"));
        ASSERT_TRUE(program.waitFor(QStringLiteral("windows"), noMenuOpen));

        // Whatever came before the click on "Pacientes" has run once its list is shown.
        ASSERT_TRUE(program.clickAction(QStringLiteral("Pacientes")));
        ASSERT_TRUE(program.showWhole(QStringLiteral("Pacientes")));
        EXPECT_TRUE(program.waitFor(QStringLiteral("rows ?BROWSE:1"), [](const QJsonObject& list) {
            return list.contains(QStringLiteral("rows"))
                && list.value(QStringLiteral("rows")).toArray().isEmpty();
        }));
        EXPECT_FALSE(shownCaptions(program).contains(QStringLiteral("Usuarios")));
        EXPECT_TRUE(QFileInfo::exists(folder.filePath(QStringLiteral("TABENFER.QVM"))));

        ASSERT_TRUE(clickInsert(program, QStringLiteral("Pacientes")));
        ASSERT_TRUE(program.showWhole(QStringLiteral("Nuevo Paciente")));
        EXPECT_EQ(recordsOf(folder, data::FileId::PACIENTES), 1) << "the form's patient is primed";

        // His name on the first page, his feeding on the page the side panel's "Alimentación"
        // shows, and OK stores both.
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?PAC:NOMBRE")));
        program.type(QStringLiteral("Ana Diaz"));
        ASSERT_TRUE(clickClinicalTask(program, 3));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?PAC:PECHO")));
        program.type(QStringLiteral("Exclusivo"));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?OK")));
        ASSERT_TRUE(program.waitForNoWindow(QStringLiteral("Nuevo Paciente")));
        const data::PACIENTES saved = storedPatient(folder, 1);
        EXPECT_EQ(saved.NOMBRE, QStringLiteral("Ana Diaz"));
        EXPECT_EQ(saved.PECHO, QStringLiteral("Exclusivo"));

        ASSERT_TRUE(clickInsert(program, QStringLiteral("Pacientes")));
        ASSERT_TRUE(program.showWhole(QStringLiteral("Nuevo Paciente")));
        EXPECT_EQ(recordsOf(folder, data::FileId::PACIENTES), 2) << "the second patient is primed";
        ASSERT_TRUE(choose(program, QStringLiteral("Archivo"), QStringLiteral("Salir")));
        EXPECT_EQ(program.waitForExit(), 0);
    }
    EXPECT_EQ(recordsOf(folder, data::FileId::PACIENTES), 1)
        << "closing the program cancelled the second new patient";

    // The administrator's consultation and prescription, then a backup from the "Archivo" menu
    // into a folder typed in.
    {
        const QString copies = folder.filePath(QStringLiteral("copia"));
        ASSERT_TRUE(QDir().mkpath(copies));
        ProgramUnderTest program(folder.path());
        ASSERT_TRUE(loginReady(program));
        ASSERT_TRUE(logIn(program, QStringLiteral("jefa")));
        ASSERT_TRUE(loginGone(program));
        dismissSplash(program);
        // With every right, her first consultation added from the consultations' page, and its
        // prescription written from "Recetas": the button stores it and shows the printed page.
        ASSERT_TRUE(program.clickAction(QStringLiteral("Pacientes")));
        ASSERT_TRUE(clickListButton(program, QStringLiteral("Pacientes"), QStringLiteral("?CHANGE")));
        ASSERT_TRUE(program.showWhole(QStringLiteral("Edición de Paciente")));
        ASSERT_TRUE(clickClinicalTask(program, 1));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?INSERT:3")));
        ASSERT_TRUE(program.showWhole(QStringLiteral("Alta de Consulta")));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?CON:MEDICACION")));
        program.type(QStringLiteral("Amoxicilina"));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?OK")));
        ASSERT_TRUE(program.waitForNoWindow(QStringLiteral("Alta de Consulta")));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?BUTTON19")));
        ASSERT_TRUE(program.showWhole(QStringLiteral("Receta")));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?BUTTON1")));
        ASSERT_TRUE(program.showWhole(QStringLiteral("Report Preview")));
        EXPECT_EQ(stored<data::CONSULTAS>(folder, data::FileId::CONSULTAS, "CON:KCODIGO", 1).RECETA,
            QStringLiteral("DIAGNOSTICO:\n\nAmoxicilina"))
            << "the prescription was stored before it was shown";
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?EXITBUTTON")));
        ASSERT_TRUE(program.waitForNoWindow(QStringLiteral("Receta")));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?OK")));
        ASSERT_TRUE(program.waitForNoWindow(QStringLiteral("Edición de Paciente")));
        // A new patient's first consultation, added before he is saved, is aged from the birth
        // date typed on his form: the consultation's row shows 1 year 9 months 26 days.
        ASSERT_TRUE(clickInsert(program, QStringLiteral("Pacientes")));
        ASSERT_TRUE(program.showWhole(QStringLiteral("Nuevo Paciente")));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?PAC:NOMBRE")));
        program.type(QStringLiteral("Luis Paz"));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?PAC:FNACIMIENTO")));
        program.key(QStringLiteral("ctrl+a"));
        program.type(QStringLiteral("15/03/2008"));
        program.key(QStringLiteral("Return"));
        ASSERT_TRUE(clickClinicalTask(program, 1));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?INSERT:3")));
        ASSERT_TRUE(program.showWhole(QStringLiteral("Alta de Consulta")));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?CON:FECHA")));
        program.key(QStringLiteral("ctrl+a"));
        program.type(QStringLiteral("10/01/2010"));
        program.key(QStringLiteral("Return"));
        EXPECT_TRUE(program.waitFor(QStringLiteral("find ?CON:ANIOS"), [](const QJsonObject& shown) {
            return shown.value(QStringLiteral("text")).toString() == QStringLiteral("1años");
        }));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?OK")));
        ASSERT_TRUE(program.waitForNoWindow(QStringLiteral("Alta de Consulta")));
        EXPECT_TRUE(program.waitFor(QStringLiteral("rows ?BROWSE:2"), [](const QJsonObject& list) {
            const QJsonArray rows = list.value(QStringLiteral("cells")).toArray();
            return rows.size() == 1 && rows[0].toString().startsWith(QStringLiteral("10/01/2010|1|9|26|"));
        })) << qPrintable(QJsonDocument(program.ask(QStringLiteral("rows ?BROWSE:2"))).toJson());
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?OK")));
        ASSERT_TRUE(program.waitForNoWindow(QStringLiteral("Nuevo Paciente")));
        const data::CONSULTAS aged
            = stored<data::CONSULTAS>(folder, data::FileId::CONSULTAS, "CON:KCODIGO", 2);
        EXPECT_NE(aged.PACIENTE, 1) << "the new patient's";
        EXPECT_EQ(
            (std::array<int, 3> { aged.ANIOS, aged.MESES, aged.DIAS }), (std::array<int, 3> { 1, 9, 26 }));
        // The backup wants every window closed: the list's close button, at the right of its title bar.
        QJsonObject list;
        ASSERT_TRUE(program.showWhole(QStringLiteral("Pacientes")));
        ASSERT_TRUE(program.waitForWindow(QStringLiteral("Pacientes"), &list));
        const QRect frame = rectOf(list);
        const int titleBar = rectOf(list.value(QStringLiteral("content")).toObject()).y() - frame.y();
        ProgramUnderTest::click(QJsonObject { { QStringLiteral("x"), frame.right() - 14 },
            { QStringLiteral("y"), frame.y() + titleBar / 2 }, { QStringLiteral("w"), 1 },
            { QStringLiteral("h"), 1 } });
        ASSERT_TRUE(program.waitForNoWindow(QStringLiteral("Pacientes")));
        ASSERT_TRUE(choose(program, QStringLiteral("Archivo"), QStringLiteral("Backup de Datos")));
        ASSERT_TRUE(program.showWhole(QStringLiteral("Copia de Datos")));
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?Carpeta")));
        program.key(QStringLiteral("ctrl+a"));
        program.type(copies);
        ASSERT_TRUE(program.clickWidget(QStringLiteral("?OK")));
        QJsonObject completed;
        ASSERT_TRUE(program.waitForWindowWhere(
            [](const QJsonObject& window) {
                return window.value(QStringLiteral("text")).toString()
                    == QStringLiteral("PROCESO COMPLETADO");
            },
            &completed));
        EXPECT_EQ(recordsOf(QDir(copies), data::FileId::MADRES), 1) << "the mother is in the backup";
        EXPECT_EQ(recordsOf(QDir(copies), data::FileId::CONSULTAS), 2) << "and the consultations";
        EXPECT_FALSE(QFileInfo::exists(QDir(copies).filePath(QStringLiteral("ACCESOS.QVM"))));
        ProgramUnderTest::focus(completed);
        program.key(QStringLiteral("Return"));
        ASSERT_TRUE(program.waitForNoWindow(QStringLiteral("Copia de Datos")));
        ASSERT_TRUE(choose(program, QStringLiteral("Archivo"), QStringLiteral("Salir")));
        EXPECT_EQ(program.waitForExit(), 0);
    }
}

} // namespace
} // namespace nidora::e2e
