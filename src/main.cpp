#include "shell/ProgramEntry.h"

int main(int argc, char** argv)
{
    return nidora::shell::ProgramEntry(argc, argv);
}
