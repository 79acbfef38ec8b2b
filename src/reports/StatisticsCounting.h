#pragma once

#include "core/Date.h"
#include "data/Dictionary.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

// The counting behind the statistics charts, free of widgets: the diagnoses of one pathology or
// the consultations for one reason, read in the order of the file's key on that name (then the
// date), gathered per month of a year, per year, by the patient's sex or by the age group of
// the age stored with the record.
namespace nidora::reports {

enum class CountedFile { Pathologies, Consultations }; // ENFERMEDADES, CONSULTAS
enum class Grouping { Monthly, Yearly, BySex, ByAge };

struct AgeBounds {
    int first = 1;
    int second = 5;
    int third = 10;
};

struct StatisticsSelection {
    QString name; // the pathology or reason; compared as the key compares it
    int year = 0; // Monthly
    Date from = noDate; // BySex, ByAge: both days included; noDate from the first record
    Date to = noDate;
    AgeBounds ages {};
};

// One point of the chart: its number (month, year, slice or group), its count and, for the
// pies, its label.
struct ChartRow {
    double x = 0;
    double y = 0;
    QString label;
    friend bool operator==(const ChartRow&, const ChartRow&) = default;
};

// Told how far the count has come (0 to 100) between batches of records; false stops the count
// (the window's thread is asked to end).
using CountProgress = std::function<bool(int percent)>;

// The rows of one chart. The counted file (and PACIENTES for the sex) must be open through the
// dictionary's access objects. Monthly gives twelve rows always; Yearly one row per year with
// cases, in year order; BySex the slices "Niños", "Niñas" and a blank one, a record whose
// patient is missing counted in none; ByAge the four groups of the bounds, labelled as
// ageGroupLabel. A blank name counts nothing. Nothing when stopped or when the file could not
// be read (said through its access object).
std::optional<std::vector<ChartRow>> countChartRows(data::Dictionary& data, CountedFile file,
    Grouping grouping, const StatisticsSelection& selection, const CountProgress& progress = {});

// "menores de  1 años", " 1 a  5 años", " 5 a 10 años", "mayores de 10 años" for group 1 to 4:
// each bound in two places, right-aligned.
QString ageGroupLabel(int group, const AgeBounds& bounds);

} // namespace nidora::reports
