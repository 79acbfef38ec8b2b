#include "clinical/GrowthCharts.h"

#include "clinical/ChartParameters.h"
#include "clinical/ChartViewers.h"

#include "data/AccessBuffer.h"
#include "data/ClinicalRecords.h"
#include "data/PatientRecords.h"
#include "data/ReferenceRecords.h"
#include "data/ScratchRecords.h"
#include "views/DictionarySetup.h"

#include <array>
#include <vector>

namespace nidora::clinical {

namespace {

using Measure = GrowthChart::Measure;
using data::AccessObject;
using data::AccessResult;
using data::FileId;

constexpr GrowthChart kCharts[kGrowthChartCount] = {
    { "Peso 0-6 años", "PESO - Nacimiento 6 Años", 0, 72, false, false, Measure::Weight, true, "Edad",
        "Kilos", 0, 30, 0, 6, 7, 7 },
    { "Peso 0-12 meses", "PESO - Primer Año", 0, 12, true, true, Measure::Weight, true, "Edad (meses)",
        "Kilos", 0, 14, 0, 12, 13, 15 },
    { "Peso 6-18 años", "PESO 6-18 Años", 72, 216, false, false, Measure::Weight, false, "Edad", "Kilos", 0,
        90, 6, 18, 13, 19 },
    { "Estatura 0-6 años", "ESTATURA - Nacimiento 6 Años", 0, 72, false, false, Measure::Height, true, "Edad",
        "Cms.", 30, 130, 0, 6, 7, 11 },
    { "Estatura 0-12 meses", "ESTATURA - Primer Año", 0, 12, true, true, Measure::Height, true,
        "Edad  (meses)", "Cms.", 30, 90, 0, 12, 13, 13 },
    { "Estatura 6-18 años", "ESTATURA 6-18 Años", 72, 216, false, false, Measure::Height, false, "Edad",
        "Cms.", 90, 190, 6, 18, 13, 11 },
    { "Perímetro Cefálico", "PERÍMETRO CEFÁLICO - Nacimiento 24 Meses", 0, 24, true, false,
        Measure::HeadCircumference, true, "Edad (meses)", "Cms.", 30, 60, 0, 24, 25, 16 },
};

// The patient's own points are the last series, after the seven reference curves.
constexpr std::uint8_t kPatientSeries = 8;

struct SeriesLook {
    std::uint32_t colour;
    std::uint8_t style;
};

// The percentiles 3, 10, 25, 50, 75, 90 and 97: the outer ones dotted, the median solid.
constexpr std::array<SeriesLook, 7> kPercentileLooks { { { 0x505050, 70 }, { 0x2222FB, 68 }, { 0x00CCFF, 68 },
    { 0x008000, 73 }, { 0x00CCFF, 68 }, { 0x2222FB, 68 }, { 0x505050, 70 } } };
// -2 DS, the mean and +2 DS.
constexpr std::array<SeriesLook, 3> kDeviationLooks { { { 0x2222FB, 68 }, { 0x008000, 73 },
    { 0x2222FB, 68 } } };

bool isBoy(const data::PACIENTES& patient)
{
    return patient.SEXO.trimmed() == QLatin1String("M");
}

int curveCount(const GrowthChart& chart)
{
    return chart.measure == Measure::HeadCircumference ? 3 : 7;
}

// The reference value of curve c (from 0) for the sex (0 boys, 1 girls), in kg or cm.
double referenceValue(const GrowthChart& chart, const data::TABCRECIMIENTO& row, int curve, int sex)
{
    const auto c = std::size_t(curve);
    const auto s = std::size_t(sex);
    switch (chart.measure) {
    case Measure::Weight:
        return double(row.PESOS[c][s]) / 1000;
    case Measure::Height:
        return double(row.ALTURA[c][s]) / 10;
    case Measure::HeadCircumference:
        return double(row.PC[c][s]) / 10;
    }
    return 0;
}

double consultationMeasure(const GrowthChart& chart, const data::CONSULTAS& consultation)
{
    switch (chart.measure) {
    case Measure::Weight:
        return double(consultation.PESO) / 1000;
    case Measure::Height:
        return double(consultation.ALTURA) / 10;
    case Measure::HeadCircumference:
        return double(consultation.PC) / 10;
    }
    return 0;
}

double birthMeasure(const GrowthChart& chart, const data::PACIENTES& patient)
{
    switch (chart.measure) {
    case Measure::Weight:
        return double(patient.PESO) / 1000;
    case Measure::Height:
        return double(patient.ALTURA);
    case Measure::HeadCircumference:
        return double(patient.PC) / 100;
    }
    return 0;
}

// One point of GRAFICO, through its access object. A second measure at an age the series
// already has (two consultations at one stored age, or one at age 0 beside the birth measure)
// is left out without a word: the series keeps the first, and the chart is drawn.
void addPoint(data::Dictionary& data, std::uint8_t series, double x, double y)
{
    AccessObject& points = data.access(FileId::GRAFICO);
    auto& point = data.buffer<data::GRAFICO>();
    data::clearRecord(points.desc(), point);
    point.SERIE = series;
    point.X = x;
    if (points.tryFetch(points.key("GRA:KSERIE")) == AccessResult::Ok)
        return;
    data::clearRecord(points.desc(), point);
    point.SERIE = series;
    point.X = x;
    point.Y = y;
    points.insert();
}

void emptyPoints(AccessObject& points)
{
    data::clearRecord(points.desc(), points.buffer());
    points.setOrder(nullptr);
    while (points.next() == AccessResult::Ok)
        if (points.deleteRecord() != AccessResult::Ok)
            return;
}

void addReferenceCurves(data::Dictionary& data, const GrowthChart& chart, int sex)
{
    AccessObject& table = data.access(FileId::TABCRECIMIENTO);
    auto& row = data.buffer<data::TABCRECIMIENTO>();
    for (int month = chart.firstMonth; month <= chart.lastMonth; ++month) {
        data::clearRecord(table.desc(), row);
        row.EDAD = std::int16_t(month);
        // A month the table has no row for leaves a gap in every curve.
        if (table.fetch(table.key("TCR:KEDAD")) != AccessResult::Ok)
            continue;
        const double x = chart.inMonths ? double(month) : double(month) / 12;
        for (int curve = 0; curve < curveCount(chart); ++curve)
            if (const double value = referenceValue(chart, row, curve, sex); value != 0)
                addPoint(data, std::uint8_t(curve + 1), x, value);
    }
}

void addConsultations(data::Dictionary& data, const GrowthChart& chart, const data::PACIENTES& patient)
{
    AccessObject& consultations = data.access(FileId::CONSULTAS);
    auto& consultation = data.buffer<data::CONSULTAS>();
    data::clearRecord(consultations.desc(), consultation);
    consultation.PACIENTE = patient.CODIGO;
    // From the birth date on: a consultation dated before it is not the child's.
    consultation.FECHA = patient.FNACIMIENTO;
    consultations.setOrder(&consultations.key("CON:KPACIENTE"), true);
    while (consultations.next() == AccessResult::Ok && consultation.PACIENTE == patient.CODIGO) {
        const double measure = consultationMeasure(chart, consultation);
        const int years = consultation.ANIOS;
        const int months = consultation.MESES;
        const int days = consultation.DIAS;
        if (measure > 0 && drawsAge(chart, years, months, days))
            addPoint(data, kPatientSeries, consultationX(chart, years, months, days), measure);
    }
}

void setParameters(const GrowthChart& chart, const data::PACIENTES& patient)
{
    ChartParameters& parameters = chartParameters();
    parameters.ChartImageName = fitted(QString::fromUtf8(chart.title), 40);
    parameters.XYChartTitle = fitted(patient.NOMBRE, 50);
    parameters.XYChartXTitle = fitted(QString::fromUtf8(chart.xTitle), 20);
    parameters.XYChartYTitle = fitted(QString::fromUtf8(chart.yTitle), 20);
    parameters.XYChartYMin = chart.yMin;
    parameters.XYChartYMax = chart.yMax;
    parameters.XYChartXMin = chart.xMin;
    parameters.XYChartXMax = chart.xMax;
    parameters.XYChartXTicks = std::int16_t(chart.xTicks);
    parameters.XYChartYTicks = std::int16_t(chart.yTicks);
    // The head circumference's three curves leave the looks of series 4 to 7 as they were.
    const bool deviations = chart.measure == Measure::HeadCircumference;
    const std::size_t curves = std::size_t(curveCount(chart));
    for (std::size_t c = 0; c < curves; ++c) {
        const SeriesLook& look = deviations ? kDeviationLooks[c] : kPercentileLooks[c];
        parameters.ChartColors[c] = look.colour;
        parameters.XYChartSeriesStyle[c] = look.style;
        parameters.XYChartSeriesMark[c] = 0;
    }
    const std::size_t own = kPatientSeries - 1u;
    parameters.XYChartSeriesStyle[own] = 71;
    parameters.XYChartSeriesMark[own] = 21;
    parameters.ChartColors[own] = isBoy(patient) ? 0xFF901E : 0xB469FF;
    parameters.XYChartBackColor = isBoy(patient) ? 0xFACE87 : 0xC1B6FF;
}

// The files the chart reads and fills, open for as long as it runs (the form holds them open
// too; opening again only counts).
class OpenFiles {
public:
    explicit OpenFiles(data::Dictionary& data)
        : data_(data)
    {
        for (const FileId file : { FileId::GRAFICO, FileId::TABCRECIMIENTO, FileId::CONSULTAS }) {
            if (data_.access(file).open() != AccessResult::Ok)
                return;
            opened_.push_back(file);
        }
        ok_ = true;
    }
    ~OpenFiles()
    {
        for (auto file = opened_.rbegin(); file != opened_.rend(); ++file)
            data_.access(*file).close();
    }
    OpenFiles(const OpenFiles&) = delete;
    OpenFiles& operator=(const OpenFiles&) = delete;

    bool ok() const { return ok_; }

private:
    data::Dictionary& data_;
    std::vector<FileId> opened_;
    bool ok_ = false;
};

// The fill as one write of GRAFICO; without the lock for it, point by point.
void fillPoints(data::Dictionary& data, const GrowthChart& chart, const data::PACIENTES& patient)
{
    AccessObject& points = data.access(FileId::GRAFICO);
    data::DataFile* file = points.file();
    const bool buffered = file && file->beginBuffered().ok();
    emptyPoints(points);
    addReferenceCurves(data, chart, isBoy(patient) ? 0 : 1);
    addConsultations(data, chart, patient);
    if (chart.birthPoint)
        if (const double birth = birthMeasure(chart, patient); birth > 0)
            addPoint(data, kPatientSeries, 0, birth);
    if (!buffered)
        return;
    if (const data::Outcome flushed = file->flush(); !flushed.ok())
        points.reportOutcome(core::message::InsertError, flushed, true);
}

} // namespace

const GrowthChart& growthChartOf(int chart)
{
    return kCharts[chart];
}

double consultationX(const GrowthChart& chart, int years, int months, int days)
{
    if (chart.inMonths)
        return years * 12 + months + days / 30.0;
    return years + months / 12.0 + days / 360.0;
}

bool drawsAge(const GrowthChart& chart, int years, int months, int days)
{
    const double age = years * 12 + months + (chart.countsDays ? days / 30.0 : 0.0);
    return age >= chart.firstMonth && age <= chart.lastMonth;
}

void growthChart(int chart)
{
    if (chart < 0 || chart >= kGrowthChartCount)
        return;
    const GrowthChart& shown = kCharts[chart];
    data::Dictionary& data = views::threadDictionary();
    OpenFiles files(data);
    if (!files.ok())
        return;
    // The patient as the form holds him; the reads below use the other files' buffers only.
    const data::PACIENTES patient = data.buffer<data::PACIENTES>();
    fillPoints(data, shown, patient);
    setParameters(shown, patient);
    GraficoX1();
}

} // namespace nidora::clinical
