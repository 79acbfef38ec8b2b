#include "reports/StatisticsCounting.h"

#include "core/Cp1252.h"
#include "data/ClinicalRecords.h"
#include "data/PatientRecords.h"

#include <algorithm>
#include <array>
#include <map>
#include <unordered_map>

namespace nidora::reports {

namespace {

using data::AccessObject;
using data::FileId;

// Records read between two reports of the progress: few enough that the bar moves smoothly,
// many enough that a read costs little per record.
constexpr int kBatch = 4'000;

// What the counts need of a diagnosis or a consultation.
struct Case {
    const QString* name;
    Date date;
    int years;
    std::int32_t patient;
};

Case caseOf(CountedFile file, const data::Record& record)
{
    if (file == CountedFile::Pathologies) {
        const auto& pathology = static_cast<const data::ENFERMEDADES&>(record);
        return { &pathology.ENFERMEDAD, pathology.FECHA, pathology.ANIOS, pathology.PACIENTE };
    }
    const auto& consultation = static_cast<const data::CONSULTAS&>(record);
    return { &consultation.MOTIVO, consultation.FECHA, consultation.ANIOS, consultation.PACIENTE };
}

bool isBlank(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c == QLatin1Char(' '); });
}

// Every record of the name dated from `from` to `to`, in key order: the read starts at the
// name and the first date and stops at the first record of another name (told apart as the
// key tells names apart, so "Control" and "CONTROL" are one) or past the last date.
class CaseScan {
public:
    CaseScan(data::Dictionary& data, CountedFile file, const CountProgress& progress)
        : data_(data)
        , file_(file)
        , progress_(progress)
    {
    }

    template <class Visit> bool run(const QString& name, Date from, Date to, Visit visit)
    {
        AccessObject& access
            = data_.access(file_ == CountedFile::Pathologies ? FileId::ENFERMEDADES : FileId::CONSULTAS);
        data::DataFile* disk = access.file();
        if (!disk)
            return false;
        const data::KeyDesc& key
            = access.key(file_ == CountedFile::Pathologies ? "ENF:KENFERMEDAD" : "CON:KMOTIVO");
        std::int64_t total = 0;
        if (!disk->count(total).ok())
            total = 0;
        std::int64_t read = 0;
        data::Position position { { data::FieldValue(name), data::FieldValue(std::int64_t(from)) }, 0 };
        for (;;) {
            int got = 0;
            bool past = false;
            data::Position next;
            const data::Outcome outcome = disk->page(&key, position, data::Direction::Forward, kBatch,
                [&](const data::RecordRef& ref, const data::Record& record) {
                    if (++got == kBatch)
                        next = disk->positionOf(key, record, ref.id);
                    if (past)
                        return;
                    const Case found = caseOf(file_, record);
                    if (cp1252::compareAsKey(*found.name, name) != 0 || found.date > to) {
                        past = true;
                        return;
                    }
                    visit(found);
                });
            if (!outcome.ok()) {
                access.reportOutcome(core::message::RetrievalError, outcome, true);
                return false;
            }
            if (past || got < kBatch)
                return true;
            read += got;
            position = std::move(next);
            if (progress_ && !progress_(total > 0 ? int(std::min<std::int64_t>(99, read * 100 / total)) : 0))
                return false;
        }
    }

private:
    data::Dictionary& data_;
    CountedFile file_;
    const CountProgress& progress_;
};

// The slice of a case's patient, read by his code the first time one of his cases needs it: a
// count reads the patients of its own cases only, however many more the practice has.
class Sexes {
public:
    explicit Sexes(data::Dictionary& data)
        : patients_(data.access(FileId::PACIENTES))
        , byCode_(patients_.key("PAC:KCODIGO"))
    {
    }

    // 1 boys, 2 girls, 3 any other sex, 0 a patient who is not on file.
    int sliceOf(std::int32_t code)
    {
        const auto [known, fresh] = slices_.try_emplace(code, 0);
        if (fresh)
            known->second = read(code);
        return known->second;
    }

private:
    int read(std::int32_t code)
    {
        data::DataFile* disk = patients_.file();
        if (!disk)
            return 0;
        const data::Outcome found = disk->fetch(byCode_, { data::FieldValue(std::int64_t(code)) }, patient_);
        if (found.status == data::Status::NotFound)
            return 0;
        if (!found.ok()) {
            // Said once: the other reads would meet the same trouble.
            if (!failed_)
                patients_.reportOutcome(core::message::RetrievalError, found, true);
            failed_ = true;
            return 0;
        }
        const QString sex = patient_.SEXO.trimmed();
        return sex == QLatin1String("M") ? 1 : sex == QLatin1String("F") ? 2 : 3;
    }

    AccessObject& patients_;
    const data::KeyDesc& byCode_;
    data::PACIENTES patient_;
    bool failed_ = false;
    std::unordered_map<std::int32_t, int> slices_;
};

// Each group tests the age on its own, as the four counts of the chart do: bounds out of order
// leave a group empty (or count an age in two groups), and the window does not compare them.
bool inAgeGroup(int group, int years, const AgeBounds& bounds)
{
    switch (group) {
    case 1:
        return years < bounds.first;
    case 2:
        return years >= bounds.first && years < bounds.second;
    case 3:
        return years >= bounds.second && years < bounds.third;
    case 4:
        return years >= bounds.third;
    default:
        return false;
    }
}

QString bound(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char(' ')).right(2);
}

} // namespace

QString ageGroupLabel(int group, const AgeBounds& bounds)
{
    switch (group) {
    case 1:
        return QStringLiteral("menores de ") + bound(bounds.first) + QStringLiteral(" años");
    case 2:
        return bound(bounds.first) + QStringLiteral(" a ") + bound(bounds.second) + QStringLiteral(" años");
    case 3:
        return bound(bounds.second) + QStringLiteral(" a ") + bound(bounds.third) + QStringLiteral(" años");
    case 4:
        return QStringLiteral("mayores de ") + bound(bounds.third) + QStringLiteral(" años");
    default:
        return {};
    }
}

std::optional<std::vector<ChartRow>> countChartRows(data::Dictionary& data, CountedFile file,
    Grouping grouping, const StatisticsSelection& selection, const CountProgress& progress)
{
    const bool blank = isBlank(selection.name);
    CaseScan scan(data, file, progress);
    std::vector<ChartRow> rows;
    switch (grouping) {
    case Grouping::Monthly: {
        std::array<int, 12> months {};
        const Date first = makeDate(selection.year, 1, 1);
        const Date last = makeDate(selection.year, 12, 31);
        if (!blank && first != noDate && last != noDate
            && !scan.run(selection.name, first, last, [&](const Case& found) {
                   const int month = dateParts(found.date).month;
                   if (month >= 1 && month <= 12)
                       ++months[std::size_t(month - 1)];
               }))
            return std::nullopt;
        for (int m = 1; m <= 12; ++m)
            rows.push_back({ double(m), double(months[std::size_t(m - 1)]), {} });
        break;
    }
    case Grouping::Yearly: {
        std::map<int, int> years;
        if (!blank && !scan.run(selection.name, noDate, maxDate, [&](const Case& found) {
                ++years[dateParts(found.date).year];
            }))
            return std::nullopt;
        for (const auto& [year, count] : years)
            rows.push_back({ double(year), double(count), {} });
        break;
    }
    case Grouping::BySex: {
        std::array<int, 4> slices {};
        Sexes sexes(data);
        if (!blank && !scan.run(selection.name, selection.from, selection.to, [&](const Case& found) {
                ++slices[std::size_t(sexes.sliceOf(found.patient))];
            }))
            return std::nullopt;
        rows.push_back({ 1, double(slices[1]), QStringLiteral("Niños") });
        rows.push_back({ 2, double(slices[2]), QStringLiteral("Niñas") });
        rows.push_back({ 3, double(slices[3]), QStringLiteral(" ") });
        break;
    }
    case Grouping::ByAge: {
        std::array<int, 5> groups {};
        if (!blank && !scan.run(selection.name, selection.from, selection.to, [&](const Case& found) {
                for (int g = 1; g <= 4; ++g)
                    groups[std::size_t(g)] += inAgeGroup(g, found.years, selection.ages) ? 1 : 0;
            }))
            return std::nullopt;
        for (int g = 1; g <= 4; ++g)
            rows.push_back({ double(g), double(groups[std::size_t(g)]), ageGroupLabel(g, selection.ages) });
        break;
    }
    }
    return rows;
}

} // namespace nidora::reports
