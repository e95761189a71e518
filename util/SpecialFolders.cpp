#include "util/SpecialFolders.h"

#include "util/Utilities.h"

std::string TUtilities::MyDocumentsDir() {
    return SpecialFolders::WithoutTrailingDelimiter(SpecialFolderPath(SpecialFolders::Personal));
}

std::string TUtilities::AppDataDir() {
    return SpecialFolders::WithoutTrailingDelimiter(SpecialFolderPath(SpecialFolders::AppData));
}

std::string TUtilities::AppDataDirNonRoaming() {
    return SpecialFolders::WithoutTrailingDelimiter(
        SpecialFolderPath(SpecialFolders::LocalAppData));
}

std::string TUtilities::CommonAppDataDir() {
    return SpecialFolders::WithoutTrailingDelimiter(
        SpecialFolderPath(SpecialFolders::CommonAppData));
}
