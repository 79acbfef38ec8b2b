#pragma once

// The reports, each called by its prompt on the prompt's thread: one pass over one file (or
// OUTPUT) in the order of one key, held to a range and a filter on the prompt values, one
// detail band per record, the pages handed to the previewer. Each answers in CallResponse.
namespace nidora::reports {

void PrintFICHA();
void PrintEMBARAZO();
void PrintHISCLINICA();
void PrintHISPATOLOGIAS();
void PrintDESARROLLO();
void PrintPADRON();
void PrintAGENDA();
void PrintCUMPLE();
void PrintGRUPOS();
void PrintCONSULTAS();
void PrintCONSULTAS2();
void PrintPATOLOGIAS();

} // namespace nidora::reports
