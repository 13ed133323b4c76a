// The process entry: start-up, the event loop until Quit, the exit status.
#include "app/Startup.h"

int main(int argc, char** argv) { return ProcessMain(argc, argv); }
