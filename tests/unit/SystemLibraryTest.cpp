// A library loaded by full path takes its own imports from the system folder
// too. This program lies beside a planted bcrypt.dll, an import of crypt32,
// which Wine prefers to its own for this run (tests/CMakeLists.txt).
#include <gtest/gtest.h>

#include "base/SystemLibrary.h"

using namespace velmora;

TEST(SystemLibrary, ImportsOfALibraryLoadedByFullPathComeFromTheSystemFolder) {
    // Loaded before, it would be reused whatever the search.
    ASSERT_EQ(::GetModuleHandleA("bcrypt.dll"), nullptr);
    char system[MAX_PATH] = {};
    ASSERT_TRUE(SystemFilePath("bcrypt.dll", system, sizeof system));
    // Without the default-directory API first: what Vista, XP and older do.
    for (const TImportSearch search :
         {TImportSearch::LibraryFolderFirst, TImportSearch::SystemFolderOnly}) {
        const TLibrary crypt32 = LoadSystemLibrary("crypt32.dll", search);
        ASSERT_TRUE(crypt32) << "the planted bcrypt.dll lacks crypt32's imports";
        char loaded[MAX_PATH] = {};
        ASSERT_GT(::GetModuleFileNameA(::GetModuleHandleA("bcrypt.dll"), loaded, MAX_PATH), 0u);
        EXPECT_EQ(::lstrcmpiA(loaded, system), 0) << loaded;
    }
}
