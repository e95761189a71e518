#include "util/KnownFolders.h"

#include "util/Utilities.h"

std::string TUtilities::MyDocumentsDir() {
    return KnownFolders::WithoutTrailingDelimiter(SpecialFolderPath(KnownFolders::Personal));
}

std::string TUtilities::AppDataDir() {
    return KnownFolders::WithoutTrailingDelimiter(SpecialFolderPath(KnownFolders::AppData));
}

std::string TUtilities::AppDataDirNonRoaming() {
    return KnownFolders::WithoutTrailingDelimiter(
        SpecialFolderPath(KnownFolders::LocalAppData));
}

std::string TUtilities::CommonAppDataDir() {
    return KnownFolders::WithoutTrailingDelimiter(
        SpecialFolderPath(KnownFolders::CommonAppData));
}
