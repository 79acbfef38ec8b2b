#include "practice/FreeSlots.h"

#include "practice/Doctors.h"

#include "core/RecordMessages.h"
#include "data/AccessBuffer.h"
#include "data/ClinicalRecords.h"
#include "data/Dictionary.h"

namespace nidora::practice {
namespace {

using data::AccessResult;

// The one transaction a run writes in; a run whose file another station holds goes on with
// a commit per slot instead.
class BufferedWriting {
public:
    explicit BufferedWriting(data::AccessObject& agenda)
        : file_(*agenda.file())
    {
        begin();
    }
    ~BufferedWriting() { file_.flush(); }
    BufferedWriting(const BufferedWriting&) = delete;
    BufferedWriting& operator=(const BufferedWriting&) = delete;

    // Commits what is written so far, so that a message can be shown without holding the
    // file locked against the other stations, then goes on buffering.
    template <class Shown> auto outside(Shown shown)
    {
        file_.flush();
        auto result = shown();
        begin();
        return result;
    }

private:
    void begin() { file_.beginBuffered(); }

    data::DataFile& file_;
};

// Writes the free slot (day, time, doctor) unless the day has a record there already; false
// when the run must stop.
bool addFreeSlot(data::AccessObject& agenda, BufferedWriting& writing, Date day, std::int32_t time,
    std::uint8_t doctor, int& added)
{
    auto& slot = static_cast<data::AGENDA&>(agenda.buffer());
    const auto fill = [&] {
        data::clearRecord(agenda.desc(), slot);
        slot.FECHA = day;
        slot.HORA = time;
        slot.MEDICO = doctor;
    };
    fill();
    const AccessResult found = agenda.tryFetch(agenda.key("AGE:KFECHA"));
    if (found == AccessResult::Ok)
        return true;
    fill();
    if (found == AccessResult::NotFound && agenda.tryInsert() == AccessResult::Ok) {
        ++added;
        return true;
    }
    // Once more with its message, the file let go while the user reads it.
    fill();
    if (writing.outside([&] { return agenda.insert(); }) == AccessResult::Ok) {
        ++added;
        return true;
    }
    return agenda.lastMessage() == core::message::DuplicateKey;
}

} // namespace

std::int64_t slotStep(std::int32_t interval)
{
    return interval == 0 ? WorkingHours::kDefaultInterval : interval;
}

std::vector<std::int32_t> runTimes(std::int64_t from, std::int64_t to, std::int64_t step)
{
    std::vector<std::int32_t> times;
    if (step == 0)
        return times;
    for (std::int64_t t = from; step > 0 ? t <= to : t >= to; t += step) {
        if (step > 0 ? t > maxTime : t < midnight)
            break;
        if (t >= midnight && t <= maxTime)
            times.push_back(std::int32_t(t));
    }
    return times;
}

std::vector<std::int32_t> slotTimes(const WorkingHours& hours, Date day)
{
    const int weekday = nidora::weekday(day);
    if (weekday < 1 || weekday > WorkingHours::kWeekdays)
        return {};
    const std::int64_t step = slotStep(hours.INTERVALO);
    std::vector<std::int32_t> times = runTimes(hours.at(1, weekday), hours.at(2, weekday), step);
    const std::vector<std::int32_t> afternoon = runTimes(hours.at(3, weekday), hours.at(4, weekday), step);
    times.insert(times.end(), afternoon.begin(), afternoon.end());
    return times;
}

int generateFreeSlots(data::Dictionary& data, const WorkingHours& hours, Date day)
{
    const std::vector<std::int32_t> times = slotTimes(hours, day);
    int added = 0;
    if (times.empty())
        return added;
    data::AccessObject& agenda = data.access<data::AGENDA>();
    data::AccessObject& doctors = data.access(data::FileId::MEDICOS);
    if (!agenda.isOpen() || !doctors.isOpen())
        return added;
    // The doctors are read first: the run's transaction is one of AGENDA alone.
    const std::vector<Doctor> everyDoctor = readDoctors(doctors);

    BufferedWriting writing(agenda);
    for (const Doctor& doctor : everyDoctor)
        for (const std::int32_t time : times)
            if (!addFreeSlot(agenda, writing, day, time, doctor.number, added))
                return added;
    return added;
}

} // namespace nidora::practice
