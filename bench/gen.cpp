// Writes a generated configuration file, so that the file the benchmarks time can be timed with
// other tools too. Usage: gen <path> [listeners]   (100000 listeners by default, as many sinks)

#include "ConfigGenerator.h"
#include "platform/Errors.h"
#include "platform/IntegerText.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s <path> [listeners]\n", argv[0]);
        return 2;
    }
    try {
        const int32_t listeners = argc == 3 ? StrToInt(argv[2]) : 100000;
        if (listeners < 0) {
            std::fprintf(stderr, "the number of listeners must not be negative\n");
            return 2;
        }
        TSyslogServerConfig document(argv[1]);
        FillGeneratedConfig(document, listeners);
        document.Save();
    } catch (const Exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
