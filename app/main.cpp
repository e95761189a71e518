#include <cstdio>

int main() {
    std::fputs("Korvex Syslog Server Config: the main window is not built yet.\n", stderr);
    return 1;
}
