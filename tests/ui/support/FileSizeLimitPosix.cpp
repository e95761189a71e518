#include "support/FileSizeLimit.h"

#include <csignal>
#include <stdexcept>
#include <sys/resource.h>

FileSizeLimit::FileSizeLimit(uint64_t ABytes) {
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0)
        throw std::runtime_error("getrlimit failed");
    FPreviousSoftLimit = limit.rlim_cur;
    FPreviousHandler = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = ABytes;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        throw std::runtime_error("setrlimit failed");
}

FileSizeLimit::~FileSizeLimit() {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = FPreviousSoftLimit;
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, FPreviousHandler);
}
