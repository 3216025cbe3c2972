#include "ui/qt/application.h"

int main(int argc, char** argv) { return orlith::qt::RunProgram(argc, argv); }
