#pragma once

#include "data/RecordStore.h"

// The records of an ordinary data file: a column per field element, an index per key,
// every keyed read a seek on its key's index.
namespace nidora::data {

class PlainStore : public RecordStore {
public:
    using RecordStore::RecordStore;

    SchemaDefinition definition() const override;
    Outcome prepare(sql::Connection&, bool, const QByteArray&) override { return {}; }

    Outcome fetch(const TableRoute& route, int key, const std::vector<FieldValue>& values, Record& record,
        RecordRef* ref) override;
    Outcome pageByKey(const TableRoute& route, int key, const Position& from, Direction direction, int n,
        const RowVisitor& visit) override;
    Outcome highest(const TableRoute& route, int key, std::int64_t& value) override;

    bool setBased() const override { return true; }
    Outcome changeAll(const TableRoute& route, int key, const std::vector<FieldValue>& values,
        const std::vector<FieldSetting>& set, std::int64_t& changed) override;
    Outcome removeAll(const TableRoute& route, int key, const std::vector<FieldValue>& values,
        std::int64_t& removed) override;

protected:
    QByteArray rowColumns() const override { return schema_.fieldList(); }
    bool decodeRow(const sql::Statement& statement, int first, Record& record) override;
    std::vector<QByteArray> writeColumns() const override;
    void bindRow(sql::Statement& statement, int first, const Record& record, std::int64_t id) override;
    const KeyDesc* duplicatedKey(
        const TableRoute& route, const Record& record, std::int64_t exceptId) override;

private:
    // "SELECT _id, _version, columns FROM table WHERE <blank condition> AND " — the start of
    // every keyed query, the blank condition repeated so that the partial index serves it.
    QByteArray keyedSelect(const TableRoute& route, int key) const;
    // "<blank condition> AND A = ? AND B = ?": the records whose key's first count components
    // equal as many values, in the words that let the key's index serve the query.
    QByteArray keyMatch(int key, std::size_t count) const;
    void bindComponents(sql::Statement& statement, int& parameter, int key,
        const std::vector<FieldValue>& values, std::size_t count) const;
    QByteArray componentTuple(int key, std::size_t count) const;
};

} // namespace nidora::data
