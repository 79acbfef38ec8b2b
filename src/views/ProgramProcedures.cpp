#include "views/ProgramProcedures.h"

namespace nidora::views {

namespace {

ProcedureTable& installed()
{
    static ProcedureTable table;
    return table;
}

} // namespace

void setProgramProcedures(ProcedureTable procedures)
{
    installed() = std::move(procedures);
}

const framework::ThreadProcedure* findProcedure(const QString& name)
{
    const ProcedureTable& table = installed();
    const auto it = table.find(name);
    return it == table.end() ? nullptr : &it->second;
}

} // namespace nidora::views
