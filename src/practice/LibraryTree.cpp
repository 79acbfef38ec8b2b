#include "practice/LibraryTree.h"

#include "core/RecordMessages.h"
#include "data/AccessBuffer.h"
#include "data/ReferenceRecords.h"
#include "views/ViewRows.h"

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>

namespace nidora::practice {
namespace {

using data::FieldValue;
using data::FileId;

// Rows asked of a file at a time while the entries below one entry are read.
constexpr int kBatch = 64;

const data::KeyDesc& keyOf(data::AccessObject& access)
{
    // Each of the library's files has the one key its tree is read in.
    return access.desc().keys.front();
}

// Visits, in key order, every record whose leading key components equal range as the key
// compares them; false when a read failed (its message has been shown).
bool visitRange(data::AccessObject& access, std::vector<FieldValue> range,
    const std::function<void(const views::ViewRow&)>& visit)
{
    const data::KeyDesc& key = keyOf(access);
    const views::SortOrder order { &key, views::LocatorKind::None, {}, [range] { return range; } };
    data::Position from { range, 0 };
    for (;;) {
        std::vector<views::ViewRow> found;
        const views::ViewRead read
            = views::readRows(access, order, {}, from, data::Direction::Forward, kBatch, found);
        if (!read.ok)
            return false;
        for (const views::ViewRow& row : found)
            visit(row);
        if (read.reachedEnd || found.empty())
            return true;
        from = access.file()->positionOf(key, *found.back().record, found.back().ref.id);
    }
}

// Whether the file holds a record whose leading key components equal range: one record read,
// however many the entry holds. Nothing when the read failed (its message has been shown).
std::optional<bool> holdsAny(data::AccessObject& access, const std::vector<FieldValue>& range)
{
    if (!access.file()) {
        access.report(core::message::FileNotOpen, {}, true);
        return std::nullopt;
    }
    const data::KeyDesc& key = keyOf(access);
    const std::unique_ptr<data::Record> record = access.desc().makeRecord();
    const data::Outcome outcome
        = access.file()->step(&key, data::Position { range, 0 }, data::Direction::Forward, *record);
    if (outcome.status == data::Status::NotFound)
        return false;
    if (!outcome.ok()) {
        access.reportOutcome(core::message::RetrievalError, outcome, true);
        return std::nullopt;
    }
    const std::vector<FieldValue> values
        = data::keyComponents(access.desc(), key, *record, int(range.size()));
    for (std::size_t c = 0; c < range.size(); ++c)
        if (!data::sameKeyValue(access.desc().fields[std::size_t(key.components[c])], values[c], range[c]))
            return false;
    return true;
}

} // namespace

LibraryTree::LibraryTree(data::Dictionary& data)
    : data_(data)
{
}

data::FileId LibraryTree::fileOf(int level)
{
    switch (std::abs(level)) {
    case Topic:
        return FileId::TEMAS;
    case Title:
        return FileId::TITULOS;
    default:
        return FileId::ARTICULOS;
    }
}

bool LibraryTree::load()
{
    rows_.clear();
    rows_.push_back(LibraryRow { QStringLiteral("TEMAS"), Heading, false, 0 });
    data::AccessObject& titles = data_.access(FileId::TITULOS);
    bool ok = true;
    std::vector<LibraryRow> topics;
    // The topics first, then what each holds: a read in progress is never interleaved with
    // another of the same file.
    if (!visitRange(data_.access(FileId::TEMAS), {}, [&](const views::ViewRow& row) {
            topics.push_back(
                LibraryRow { static_cast<const data::TEMAS&>(*row.record).TEMA, Topic, false, row.ref.id });
        }))
        return false;
    for (LibraryRow& topic : topics) {
        if (!ok)
            break;
        if (isOpen(Topic, topic.position)) {
            topic.loaded = true;
            rows_.push_back(topic);
            ok = appendTitles(topic.display, rows_);
            continue;
        }
        const std::optional<bool> any = holdsAny(titles, { topic.display });
        if (!any)
            return false;
        topic.level = *any ? -Topic : Topic;
        rows_.push_back(topic);
    }
    return ok;
}

bool LibraryTree::appendTitles(const QString& topic, std::vector<LibraryRow>& out)
{
    std::vector<data::TITULOS> found;
    std::vector<std::int64_t> positions;
    if (!visitRange(data_.access(FileId::TITULOS), { topic }, [&](const views::ViewRow& row) {
            found.push_back(static_cast<const data::TITULOS&>(*row.record));
            positions.push_back(row.ref.id);
        }))
        return false;
    data::AccessObject& articles = data_.access(FileId::ARTICULOS);
    for (std::size_t k = 0; k < found.size(); ++k) {
        const data::TITULOS& title = found[k];
        LibraryRow row { title.TITULO, Title, false, positions[k] };
        if (isOpen(Title, row.position)) {
            row.loaded = true;
            out.push_back(row);
            if (!appendArticles(title.TEMA, title.TITULO, out))
                return false;
            continue;
        }
        const std::optional<bool> any = holdsAny(articles, { title.TEMA, title.TITULO });
        if (!any)
            return false;
        row.level = *any ? -Title : Title;
        out.push_back(row);
    }
    return true;
}

bool LibraryTree::appendArticles(const QString& topic, const QString& title, std::vector<LibraryRow>& out)
{
    return visitRange(data_.access(FileId::ARTICULOS), { topic, title }, [&](const views::ViewRow& row) {
        out.push_back(LibraryRow {
            static_cast<const data::ARTICULOS&>(*row.record).ARTICULO, Article, false, row.ref.id });
    });
}

RowRead LibraryTree::open(int row)
{
    if (row < 0 || row >= rowCount())
        return RowRead::Ok;
    LibraryRow& entry = rows_[std::size_t(row)];
    const int level = std::abs(entry.level);
    if ((level != Topic && level != Title) || entry.loaded)
        return RowRead::Ok;
    if (const RowRead read = reread(row); read != RowRead::Ok)
        return read;
    entry.level = level;
    entry.loaded = true;
    open_.insert({ level, entry.position });
    return load(row);
}

// The entries of an open row, read from the record just read again into its file's buffer.
RowRead LibraryTree::load(int row)
{
    std::vector<LibraryRow> below;
    bool ok = true;
    if (rows_[std::size_t(row)].level == Topic) {
        ok = appendTitles(data_.buffer<data::TEMAS>().TEMA, below);
    } else {
        const data::TITULOS& title = data_.buffer<data::TITULOS>();
        ok = appendArticles(title.TEMA, title.TITULO, below);
    }
    rows_.insert(rows_.begin() + row + 1, below.begin(), below.end());
    return ok ? RowRead::Ok : RowRead::Failed;
}

RowRead LibraryTree::close(int row)
{
    if (row < 0 || row >= rowCount() || !rows_[std::size_t(row)].loaded)
        return RowRead::Ok;
    LibraryRow& entry = rows_[std::size_t(row)];
    const int level = std::abs(entry.level);
    auto end = rows_.begin() + row + 1;
    while (end != rows_.end() && std::abs(end->level) > level)
        ++end;
    const bool hadEntries = end != rows_.begin() + row + 1;
    rows_.erase(rows_.begin() + row + 1, end);
    // Only an entry that had entries below it shows an expander once closed.
    entry.level = hadEntries ? -level : level;
    entry.loaded = false;
    open_.erase({ level, entry.position });
    return reread(row);
}

LibraryEntry LibraryTree::entryAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    return LibraryEntry { rows_[std::size_t(row)].level, rows_[std::size_t(row)].position };
}

int LibraryTree::find(const LibraryEntry& entry) const
{
    if (entry.level == Heading)
        return -1;
    for (int row = 0; row < rowCount(); ++row) {
        const LibraryRow& each = rows_[std::size_t(row)];
        if (std::abs(each.level) == std::abs(entry.level) && each.position == entry.position)
            return row;
    }
    return -1;
}

int LibraryTree::titleRowOf(int row) const
{
    if (row < 0 || row >= rowCount())
        return -1;
    const int level = std::abs(rows_[std::size_t(row)].level);
    if (level == Title)
        return row;
    if (level != Article)
        return -1;
    for (int above = row - 1; above >= 0; --above)
        if (std::abs(rows_[std::size_t(above)].level) == Title)
            return above;
    return -1;
}

RowRead LibraryTree::reread(int row)
{
    if (row <= 0 || row >= rowCount())
        return RowRead::Ok;
    LibraryRow& entry = rows_[std::size_t(row)];
    data::AccessObject& access = data_.access(fileOf(entry.level));
    if (!access.file()) {
        access.report(core::message::FileNotOpen, {}, true);
        return RowRead::Failed;
    }
    const std::unique_ptr<data::Record> record = access.desc().makeRecord();
    data::RecordRef ref;
    const data::Outcome outcome = access.file()->read(entry.position, *record, &ref);
    if (outcome.status == data::Status::NotFound)
        return RowRead::Gone;
    if (!outcome.ok()) {
        access.reportOutcome(core::message::RetrievalError, outcome, true);
        return RowRead::Failed;
    }
    access.load(ref, *record);
    switch (std::abs(entry.level)) {
    case Topic:
        entry.display = static_cast<const data::TEMAS&>(*record).TEMA;
        break;
    case Title:
        entry.display = static_cast<const data::TITULOS&>(*record).TITULO;
        break;
    default:
        entry.display = static_cast<const data::ARTICULOS&>(*record).ARTICULO;
        break;
    }
    return RowRead::Ok;
}

} // namespace nidora::practice
