// The program: norvale_en and norvale_nl are this file linked with the
// English or the Dutch texts.
#include "app/main_program.h"

int main(int argc, char** argv) { return MainProgram(argc, argv); }
