#include "clinical/Procedures.h"
#include "practice/Procedures.h"
#include "reports/InstallPreviewer.h"
#include "reports/Procedures.h"
#include "shell/ProgramEntry.h"

int main(int argc, char** argv)
{
    nidora::reports::installScreenPreviewer();
    nidora::views::ProcedureTable procedures;
    procedures.merge(nidora::clinical::procedures());
    procedures.merge(nidora::practice::procedures());
    procedures.merge(nidora::reports::procedures());
    return nidora::shell::ProgramEntry(argc, argv, std::move(procedures));
}
