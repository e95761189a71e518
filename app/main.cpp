// Korvex Syslog Server Config: the program's entry. It takes no arguments of its own.

#include "app/ConfigApplication.h"
#include "app/Startup.h"

int main(int argc, char* argv[]) {
    TConfigApplication application(argc, argv);
    return RunConfigEditor();
}
