#include "ReportsFixture.h"

#include "reports/PageText.h"
#include "reports/Prompts.h"

#include "data/ScratchRecords.h"
#include "support/QStringPrinter.h"
#include "support/SpanishNames.h"

#include <QRegularExpression>
#include <QSpinBox>

#include <gmock/gmock.h>

// Every report through its prompt, on a small practice, read back from its pages as text.
namespace nidora::reports {
namespace {

using data::AGENDA;
using data::ANALISIS;
using data::CONSULTAS;
using data::ENFERMEDADES;
using data::MADRES;
using data::PACIENTES;
using data::PADRES;
using testing::ElementsAre;
using views::AppGlobals;

MATCHER_P(Holds, text, "")
{
    return arg.contains(QString::fromUtf8(text));
}

PACIENTES patient(
    std::int32_t code, const char* name, Date born, const char* mother = "", const char* father = "")
{
    PACIENTES p = nidora::test::patient(code, name, "OSDE", mother);
    p.FNACIMIENTO = born;
    p.PADRE = QString::fromUtf8(father);
    return p;
}

CONSULTAS consultation(std::int32_t code, std::int32_t patient, Date on, const char* reason)
{
    CONSULTAS c = nidora::test::consultation(code, patient, reason);
    c.FECHA = on;
    return c;
}

class ReportLayoutsTest : public test::ReportsTest {
protected:
    ReportLayoutsTest()
    {
        PACIENTES ana = patient(7, "Pérez, Ana", makeDate(2009, 3, 15), "Marta Gómez");
        ana.SEXO = "F";
        ana.GRUPO = "A+";
        ana.DOMICILIO = "Calle Falsa 123";
        ana.TELEFONO = "555-1234";
        ana.TIPODOCUMENTO = "DNI";
        ana.DOCUMENTO = 41234567;
        ana.NROOBRASOCIAL = "123456789012345";
        ana.NROGESTACION = 2;
        ana.SEMANAS = 39;
        ana.DIABETES = "1";
        ana.HIPERTENSION = "0";
        ana.CESAREA = "1";
        ana.CAUSA = "Presentación podálica";
        ana.EUTOSICO = "D";
        ana.ANESTECIA = "P";
        ana.POSICION = "P";
        ana.PESO = 3200;
        ana.ALTURA = 50;
        ana.PC = 3450;
        store(ana);
        store(patient(3, "García, Luis", makeDate(2008, 4, 1), "", "Juan García"));
        store(patient(9, "ñandú, Eva", makeDate(2010, 3, 2)));
        store(patient(12, "Martín, Blas", makeDate(2007, 3, 30)));
        store(patient(14, "molina, Sol", makeDate(2006, 8, 8)));
        const auto mother = [](const char* name, const char* group, const char* history) {
            MADRES m;
            m.NOMBRE = QString::fromUtf8(name);
            m.GRUPO = QString::fromUtf8(group);
            m.ANTECEDENTES = QString::fromUtf8(history);
            return m;
        };
        // Two mothers of one name (the first is printed) and one without a name.
        store(mother("Marta Gómez", "A+", "Asma en la familia"));
        store(mother("Marta Gómez", "B-", "Otra madre"));
        store(mother("", "0-", "Madre sin nombre"));
        PADRES juan;
        juan.NOMBRE = "Juan García";
        juan.GRUPO = "a+";
        store(juan);

        CONSULTAS first = consultation(1, 7, makeDate(2011, 2, 1), "FIEBRE");
        first.ANIOS = 1;
        first.MESES = 10;
        first.DIAS = 17;
        first.PESO = 11500;
        first.SINTOMATOLOGIA = "Fiebre de 39 grados";
        first.MEDICACION = "Paracetamol";
        first.DIAGNOSTICOP = "Angina";
        store(first);
        store(consultation(2, 7, makeDate(2011, 3, 1), "FIEBRE"));
        store(consultation(3, 7, makeDate(2011, 3, 20), "FIEBRE")); // after today
        store(consultation(4, 3, makeDate(2011, 3, 10), "FIEBRE"));
        store(consultation(5, 3, makeDate(2011, 3, 11), "CONTROL"));
        for (const auto& [name, results] :
            { std::pair { "Hemograma", "Normal" }, std::pair { "Orina", "Sin particularidades" } }) {
            ANALISIS study;
            study.CONSULTA = 1;
            study.PACIENTE = 7;
            study.ANALISIS_ = QString::fromUtf8(name);
            study.RESULTADOS = QString::fromUtf8(results);
            store(study);
        }
        const auto pathology = [](std::int32_t patient, Date on, const char* name) {
            ENFERMEDADES e;
            e.PACIENTE = patient;
            e.FECHA = on;
            e.ENFERMEDAD = QString::fromUtf8(name);
            e.OBSERVACIONES = QStringLiteral("Reposo");
            return e;
        };
        store(pathology(7, makeDate(2011, 2, 1), "GRIPE"));
        store(pathology(3, makeDate(2011, 3, 5), "GRIPE"));
        store(pathology(3, makeDate(2011, 3, 30), "GRIPE"));
        store(pathology(7, makeDate(2010, 6, 1), "OTITIS"));
    }

    // Runs a prompt to its report with the prompt values set beforehand, and answers the text of
    // every page printed, each line with its blanks run together.
    std::vector<QStringList> printed(void (*prompt)())
    {
        start(prompt);
        ok();
        EXPECT_TRUE(finished());
        std::vector<QStringList> pages;
        if (previewer.previews.empty())
            return pages;
        for (const views::ReportPage& page : previewer.previews.back()) {
            QStringList lines;
            for (const QString& line : pageTextLines(page.metafile()))
                lines << line.simplified();
            pages.push_back(lines);
        }
        return pages;
    }
    static QStringList all(const std::vector<QStringList>& pages)
    {
        QStringList lines;
        for (const QStringList& page : pages)
            lines << page;
        return lines;
    }
    // The lines that hold a text, in their order.
    static QStringList holding(const QStringList& lines, const QString& text)
    {
        QStringList found;
        for (const QString& line : lines)
            if (line.contains(text))
                found << line;
        return found;
    }
};

TEST_F(ReportLayoutsTest, PatientCardJoinsTheFirstMotherOfTheNameAndNoNamelessOne)
{
    AppGlobals.SELECTPACIENTE = 7;
    const std::vector<QStringList> pages = printed(Pantalla1);
    ASSERT_EQ(pages.size(), 1u);
    const QStringList& lines = pages[0];
    EXPECT_THAT(holding(lines, "FICHA DE PACIENTE"), ElementsAre(Holds("14/03/2011")));
    EXPECT_THAT(holding(lines, "Paciente:"), ElementsAre("Paciente: 7 Pérez, Ana Sexo: F"));
    EXPECT_THAT(holding(lines, "Documento"), ElementsAre("Documento N° DNI 41,234,567"));
    EXPECT_THAT(holding(lines, "Cobertura"), ElementsAre("Cobertura Social: OSDE N° 1234567890"));
    EXPECT_THAT(
        holding(lines, "Nacimiento"), ElementsAre("Fecha de Nacimiento: 15/03/2009 Grupo Sanguineo: A+"));
    EXPECT_THAT(holding(lines, "Madre:"), ElementsAre("Madre: Marta Gómez Grupo Sanguineo: A+"));
    EXPECT_THAT(holding(lines, "Asma en la familia"), testing::SizeIs(1));
    EXPECT_TRUE(holding(lines, "Otra madre").isEmpty());
    EXPECT_THAT(holding(lines, "Padre:"), ElementsAre("Padre: Grupo Sanguineo:"));

    AppGlobals.SELECTPACIENTE = 9;
    const QStringList nameless = all(printed(Pantalla1));
    EXPECT_THAT(holding(nameless, "Madre:"), ElementsAre("Madre: Grupo Sanguineo:"));
    EXPECT_TRUE(holding(nameless, "Madre sin nombre").isEmpty()) << "a blank name joins no mother";
}

TEST_F(ReportLayoutsTest, PrenatalInformationMarksWhatThePatientFormStored)
{
    AppGlobals.SELECTPACIENTE = 7;
    const QStringList lines = all(printed(Pantalla2));
    EXPECT_THAT(holding(lines, "INFORMACION PRENATAL"), testing::SizeIs(1));
    EXPECT_THAT(holding(lines, "Gestación"), ElementsAre("Gestación N° 2 Semanas de Duración: 39 Obstetra:"));
    EXPECT_THAT(holding(lines, "Diabetes"), ElementsAre("X Diabetes Hipertensión Traumatismo"));
    EXPECT_THAT(holding(lines, "Cesarea"), ElementsAre("Lugar: X Cesarea Presentación podálica"));
    EXPECT_THAT(holding(lines, "Eutosico"), ElementsAre("Parto: Eutosico X Distosico"));
    EXPECT_THAT(holding(lines, "Anestecia:"), ElementsAre("Anestecia: No X Peridural Raquidea Total"));
    EXPECT_THAT(holding(lines, "Posición:"), ElementsAre("Posición: Cefálica X Podálica"));
    EXPECT_THAT(holding(lines, "Peso:"), ElementsAre("Peso: 3.200 Altura: 50 Perímetro craneo: 34.50"));
}

TEST_F(ReportLayoutsTest, ClinicalHistoryPrintsTheConsultationsOfTheDatesWithTheirStudies)
{
    AppGlobals.SELECTPACIENTE = 7;
    const QStringList lines = all(printed(Pantalla4)); // DF 0, HF today
    EXPECT_THAT(holding(lines, "HISTORIAL DE CONSULTAS"), testing::SizeIs(1));
    EXPECT_THAT(holding(lines, "Paciente:"), ElementsAre("Paciente: 7 Pérez, Ana"));
    EXPECT_THAT(holding(lines, "Fechas:"), ElementsAre("Fechas: 14/03/2011"));
    EXPECT_THAT(holding(lines, "Fecha:"),
        ElementsAre("Fecha: 01/02/2011 Edad: 1a 10m 17d Peso: 11.500 Altura: 0.0 PC: 0.0",
            "Fecha: 01/03/2011 Edad: 0a 0m 0d Peso: 0.000 Altura: 0.0 PC: 0.0"));
    EXPECT_THAT(holding(lines, "Sintomatología:"),
        ElementsAre("Sintomatología: Medicación:", "Sintomatología: Medicación:"));
    EXPECT_THAT(holding(lines, "Paracetamol"), ElementsAre("Fiebre de 39 grados Paracetamol"));
    EXPECT_THAT(holding(lines, " - "), ElementsAre("Hemograma - Normal", "Orina - Sin particularidades"));

    AppGlobals.DF = makeDate(2011, 3, 15);
    start(Pantalla4);
    ok();
    ASSERT_TRUE(
        driver.answer(QStringLiteral("There are no records available to process."), QStringLiteral("OK")));
    ASSERT_TRUE(finished());
    EXPECT_EQ(previewer.previews.size(), 1u) << "DF after HF prints nothing";
}

// Words numbered after a letter ("s0001 s0002 ..."), as many as `characters` characters hold.
QStringList numberedWords(char letter, int characters)
{
    QStringList words;
    for (int n = 1; (words.join(u' ').size() + 6) <= characters; ++n)
        words << QStringLiteral("%1%2").arg(QLatin1Char(letter)).arg(n, 4, 10, QLatin1Char('0'));
    return words;
}

TEST_F(ReportLayoutsTest, AConsultationTallerThanAPageRunsOnToTheNextPagesWhole)
{
    // Three notes of 1,000 characters and four studies of 1,900: more than two pages of lines.
    CONSULTAS c = consultation(6, 12, makeDate(2011, 2, 10), "CONTROL");
    c.SINTOMATOLOGIA = numberedWords('s', 1000).join(u' ');
    c.MEDICACION = numberedWords('m', 1000).join(u' ');
    c.OBSERVACIONES = numberedWords('o', 1000).join(u' ');
    store(c);
    QStringList studied;
    for (int n = 1; n <= 4; ++n) {
        ANALISIS study;
        study.CONSULTA = 6;
        study.PACIENTE = 12;
        study.ANALISIS_ = QStringLiteral("Estudio%1").arg(n);
        const QStringList results = numberedWords(char('a' + n - 1), 1900);
        study.RESULTADOS = results.join(u' ');
        studied << results;
        store(study);
    }
    AppGlobals.SELECTPACIENTE = 12;
    start(Pantalla4);
    ok();
    ASSERT_TRUE(finished());
    ASSERT_EQ(previewer.previews.size(), 1u);
    const std::vector<views::ReportPage>& pages = previewer.previews[0];
    ASSERT_GE(pages.size(), 3u);

    // The two halves of the band read apart: the page's text grid puts the right half from
    // column 100 on.
    static const QRegularExpression word(QStringLiteral("\\b[a-z]\\d{4}\\b"));
    QStringList left;
    QStringList right;
    for (const views::ReportPage& page : pages) {
        const QStringList lines = pageTextLines(page.metafile());
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines.first().simplified(), QStringLiteral("HISTORIAL DE CONSULTAS"));
        EXPECT_THAT(holding(lines, "Paciente:"), ElementsAre(Holds("Paciente:")));
        for (const QString& line : lines) {
            for (const auto& match : word.globalMatch(line.left(95)))
                left << match.captured();
            for (const auto& match : word.globalMatch(line.mid(95)))
                right << match.captured();
        }
    }
    EXPECT_EQ(left.join(u' '), (numberedWords('s', 1000) + studied).join(u' '));
    EXPECT_EQ(right.join(u' '), (numberedWords('m', 1000) + numberedWords('o', 1000)).join(u' '));
}

TEST_F(ReportLayoutsTest, PathologyHistoryAndCasesOfAPathologyCountWhatTheyPrint)
{
    AppGlobals.SELECTPACIENTE = 7;
    AppGlobals.HF = kToday;
    EXPECT_THAT(holding(all(printed(Pantalla5)), "Fecha:"),
        ElementsAre("Fecha: 01/06/2010 Edad: 0a 0m 0d Patología: OTITIS",
            "Fecha: 01/02/2011 Edad: 0a 0m 0d Patología: GRIPE"));

    AppGlobals.SELECTPATOLOGIA = QStringLiteral("GRIPE").leftJustified(20);
    const QStringList lines = all(printed(Pantalla32)); // up to today: not the case of the 30th
    EXPECT_THAT(holding(lines, "INFORME DE PATOLOGIAS"), testing::SizeIs(1));
    EXPECT_THAT(holding(lines, "Patología: GRIPE"), testing::SizeIs(3)) << "the header and two cases";
    EXPECT_THAT(
        holding(lines, "Paciente:"), ElementsAre("Paciente: 7 Pérez, Ana", "Paciente: 3 García, Luis"));
    EXPECT_THAT(holding(lines, "Total de casos:"), ElementsAre("Total de casos: 2"));
}

TEST_F(ReportLayoutsTest, GrowthDevelopmentListsTheRowsOfItsPrompt)
{
    AppGlobals.SELECTPACIENTE = 7;
    const QStringList lines = all(printed(Pantalla3));
    EXPECT_THAT(holding(lines, "Paciente:"), ElementsAre("Paciente: 7 Pérez, Ana"));
    EXPECT_THAT(holding(lines, "Fecha"), ElementsAre("Fecha Edad Peso Altura PC"));
    EXPECT_THAT(holding(lines, "/20"),
        ElementsAre("15/03/2009 0a 0m 0d 3.200 50.0 34.5", "01/02/2011 1a 10m 17d 11.500 0.0 0.0"));
}

// Initials compare as a reader of the list sees letters: "ñandú" between M and P, so within A
// to Z, and alone under Ñ.
TEST_F(ReportLayoutsTest, RosterComparesInitialsAsTheNameKeyDoes)
{
    struct Case {
        const char* from;
        const char* to;
        std::vector<const char*> names;
    };
    const Case cases[] = {
        { "A", "Z", { "García, Luis", "Martín, Blas", "molina, Sol", "ñandú, Eva", "Pérez, Ana" } },
        { "m", "M", { "Martín, Blas", "molina, Sol" } },
        { "Ñ", "Ñ", { "ñandú, Eva" } },
        { "N", "ñ", { "ñandú, Eva" } },
        { "Ñ", "Z", { "ñandú, Eva", "Pérez, Ana" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        AppGlobals.DLETRA = QString::fromUtf8(c.from);
        AppGlobals.HLETRA = QString::fromUtf8(c.to);
        const std::vector<QStringList> pages = printed(Pantalla22);
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_THAT(holding(pages[0], "LISTA DE PACIENTES"), ElementsAre(Holds("14/03/2011")));
        // Line 1 of each patient is the one with his name.
        const QStringList firstLines = holding(pages[0], ", ");
        ASSERT_EQ(firstLines.size(), qsizetype(c.names.size()));
        for (std::size_t i = 0; i < c.names.size(); ++i)
            EXPECT_THAT(firstLines[qsizetype(i)], Holds(c.names[i]));
    }
}

// The list in the Spanish alphabet: accented capitals under their letter, Ñ a letter of its own
// between N and O, each name beside its lower-case twin.
TEST_F(ReportLayoutsTest, RosterListsNamesInTheSpanishAlphabet)
{
    const QStringList names = nidora::test::spanishNames();
    std::int32_t code = 100;
    for (const QString& name : names) {
        store(patient(code++, (name + QStringLiteral(", Iris")).toUtf8().constData(), makeDate(2010, 1, 1)));
        store(patient(
            code++, (name.toLower() + QStringLiteral(", iris")).toUtf8().constData(), makeDate(2010, 1, 1)));
    }
    const auto listed = [&](const char* from, const char* to) {
        AppGlobals.DLETRA = QString::fromUtf8(from);
        AppGlobals.HLETRA = QString::fromUtf8(to);
        QStringList found;
        for (const QString& line : all(printed(Pantalla22))) {
            const qsizetype at = line.indexOf(QStringLiteral(", iris"), 0, Qt::CaseInsensitive);
            if (at >= 0)
                found << line.left(at).section(QLatin1Char(' '), 1);
        }
        return found;
    };
    const auto twins = [](const QStringList& of) {
        QStringList both;
        for (const QString& name : of)
            both << name << name.toLower();
        return both;
    };
    EXPECT_EQ(listed("A", "Z"), twins(names));
    EXPECT_EQ(listed("A", "A"), twins(names.mid(0, 4))); // ALBA, ALVAREZ, ÁLVAREZ, AZUL
    EXPECT_EQ(listed("Ñ", "Ñ"), twins({ QStringLiteral("ÑANDÚ") }));
    EXPECT_EQ(listed("N", "N"), twins(names.mid(6, 3))); // NOVOA, NUNEZ, NÚÑEZ
    EXPECT_EQ(listed("é", "e"), twins(names.mid(4, 2))); // ÉBANO, EZEIZA
}

TEST_F(ReportLayoutsTest, AgendaPrintsEachDaysSlotsWithFreeOnesBlank)
{
    const auto slot = [](Date day, Time at, std::uint8_t doctor, std::int32_t patient, const char* name) {
        AGENDA a;
        a.FECHA = day;
        a.HORA = at;
        a.MEDICO = doctor;
        a.PACIENTE = patient;
        a.NOMBRE = QString::fromUtf8(name);
        a.COMENTARIOS = patient ? QStringLiteral("Control") : QString();
        return a;
    };
    store(slot(kToday, makeTime(9, 0), 1, 7, "Pérez, Ana"));
    store(slot(kToday, makeTime(9, 0), 2, 0, ""));
    store(slot(kToday + 1, makeTime(8, 30), 1, 3, "García, Luis"));
    start(Pantalla21);
    driver.type(QStringLiteral("?HF"), QStringLiteral("15/03/2011"));
    ok();
    ASSERT_TRUE(finished());
    ASSERT_EQ(previewer.previews.size(), 1u);
    QStringList lines;
    for (const QString& line : pageTextLines(previewer.previews[0][0].metafile()))
        lines << line.simplified();
    EXPECT_THAT(holding(lines, "/03/2011"),
        ElementsAre("Fechas: 14/03/2011 15/03/2011", "14/03/2011 7", "14/03/2011", "15/03/2011 3"));
    EXPECT_THAT(holding(lines, ":"),
        testing::IsSupersetOf({ "09:00 Pérez, Ana Control", "08:30 García, Luis Control" }));
    EXPECT_THAT(holding(lines, "09:00"), testing::SizeIs(2)) << "the other doctor's free slot";
}

TEST_F(ReportLayoutsTest, BirthdaysNumberTheirPagesAndShowTheCaptionsOnlyFirst)
{
    for (std::int32_t code = 100; code < 180; ++code)
        store(patient(code, "Cumpleañero", makeDate(2000, 3, 1 + code % 28)));
    start(Pantalla24);
    ok();
    ASSERT_TRUE(finished());
    ASSERT_EQ(previewer.previews.size(), 1u);
    std::vector<QStringList> pages;
    for (const views::ReportPage& page : previewer.previews[0]) {
        QStringList lines;
        for (const QString& line : pageTextLines(page.metafile()))
            lines << line.simplified();
        pages.push_back(lines);
    }
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_THAT(holding(pages[0], "Cumpleaños del mes:"), ElementsAre("Cumpleaños del mes: 03"));
    EXPECT_THAT(holding(pages[0], "Día"), ElementsAre("Día Paciente Años"));
    EXPECT_TRUE(holding(pages[1], "Día").isEmpty());
    EXPECT_THAT(holding(pages[0], "Pág."), ElementsAre("Pág. 1"));
    EXPECT_THAT(holding(pages[1], "Pág."), ElementsAre("Pág. 2"));
    const QStringList first = holding(pages[0], "Pérez");
    EXPECT_THAT(first, ElementsAre("15 7 Pérez, Ana 2")) << "born 15 March 2009, 2 in 2011";
}

TEST_F(ReportLayoutsTest, BloodGroupsListPatientsMothersAndFathersInOneOrder)
{
    AppGlobals.SELECTGRUPO = QStringLiteral("A+ ");
    start(Pantalla23);
    for (const char* box : { "?SINFO_1", "?SINFO_2", "?SINFO_3" })
        driver.click(QString::fromLatin1(box));
    ok();
    ASSERT_TRUE(finished());
    ASSERT_EQ(previewer.previews.size(), 1u);
    QStringList lines;
    for (const QString& line : pageTextLines(previewer.previews[0][0].metafile()))
        lines << line.simplified();
    EXPECT_THAT(holding(lines, "GRUPOS SANGUINEOS"), testing::SizeIs(1));
    EXPECT_THAT(holding(lines, "Grupo:"), ElementsAre("Grupo: A+"));
    EXPECT_THAT(holding(lines, "a"), testing::IsSupersetOf({ "Juan García", "Marta Gómez", "Pérez, Ana" }));
    EXPECT_LT(lines.indexOf("Juan García"), lines.indexOf("Marta Gómez"));
    EXPECT_LT(lines.indexOf("Marta Gómez"), lines.indexOf("Pérez, Ana"));
}

TEST_F(ReportLayoutsTest, ConsultationsOfAReasonCountOnlyThoseWithinTheDates)
{
    AppGlobals.SELECTMOTIVO = QStringLiteral("FIEBRE");
    const QStringList lines = all(printed(Pantalla31)); // three of the reason, one after today
    EXPECT_THAT(holding(lines, "Motivo de Consulta:"), ElementsAre("Motivo de Consulta: FIEBRE"));
    EXPECT_THAT(holding(lines, "Paciente:"),
        ElementsAre("Paciente: 7 Pérez, Ana", "Paciente: 7 Pérez, Ana", "Paciente: 3 García, Luis"));
    EXPECT_THAT(holding(lines, "Cantidad total"), ElementsAre("Cantidad total de consultas: 3"));
}

TEST_F(ReportLayoutsTest, ConsultationsOfACoverageComeByConsultationCode)
{
    AppGlobals.SELECTOBRAS = QStringLiteral("OSDE");
    AppGlobals.DF = makeDate(2011, 2, 15);
    const QStringList lines = all(printed(Pantalla33));
    EXPECT_THAT(holding(lines, "Cobertura Social:"), ElementsAre("Cobertura Social: OSDE"));
    EXPECT_THAT(
        holding(lines, "Fecha:"), ElementsAre(Holds("01/03/2011"), Holds("10/03/2011"), Holds("11/03/2011")));
    EXPECT_THAT(holding(lines, "Paciente:"),
        ElementsAre("Paciente: 7 Pérez, Ana", "Paciente: 3 García, Luis", "Paciente: 3 García, Luis"));
    EXPECT_THAT(holding(lines, "Cantidad total"), ElementsAre("Cantidad total de consultas: 3"));
}

} // namespace
} // namespace nidora::reports
