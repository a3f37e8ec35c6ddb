// vovida: the signage program.
#include "Programm.h"

int main(int argc, char** argv) { return vovida::VovidaStarten(argc, argv); }
