#pragma once

// Limits the size of the files this process writes (RLIMIT_FSIZE) while it exists, so that a
// write fails with "File too large" even for root, who passes every permission check. The
// signal such a write raises is ignored meanwhile, so the write reports the error instead.

#include <cstdint>

class FileSizeLimit {
public:
    explicit FileSizeLimit(uint64_t ABytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    uint64_t FPreviousSoftLimit;
    void (*FPreviousHandler)(int);
};
