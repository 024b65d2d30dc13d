// Path strings of the directory tree: levels, backslashes, last component.
#include "dirtree/DirPaths.h"

#include <gtest/gtest.h>

TEST(DirPaths, CountsBackslashes) {
    EXPECT_EQ(CountBackslashes(L""), 0);
    EXPECT_EQ(CountBackslashes(L"C:\\"), 1);
    EXPECT_EQ(CountBackslashes(L"C:\\A\\B\\"), 3);
}

TEST(DirPaths, PathUpToLevelCutsAfterTheNthBackslash) {
    EXPECT_EQ(PathUpToLevel(L"C:\\A\\B\\", 1), L"C:\\");
    EXPECT_EQ(PathUpToLevel(L"C:\\A\\B\\", 2), L"C:\\A\\");
    EXPECT_EQ(PathUpToLevel(L"C:\\A\\B\\", 3), L"C:\\A\\B\\");
    EXPECT_EQ(PathUpToLevel(L"C:\\A\\B", 3), L"C:\\A\\B");
}

TEST(DirPaths, AddAndRemoveBackslash) {
    std::wstring s = L"C:\\A";
    AddBackslash(s);
    EXPECT_EQ(s, L"C:\\A\\");
    AddBackslash(s);
    EXPECT_EQ(s, L"C:\\A\\");
    std::wstring empty;
    AddBackslash(empty);
    EXPECT_EQ(empty, L"");
    EXPECT_EQ(RemoveBackslash(L"C:\\"), L"C:");
    EXPECT_EQ(RemoveBackslash(L"C:\\A"), L"C:\\A");
    EXPECT_EQ(RemoveBackslash(L""), L"");
}

TEST(DirPaths, LastComponentAndDriveIndex) {
    EXPECT_EQ(LastComponent(L"C:\\A\\Bé é\\"), L"Bé é");
    EXPECT_EQ(LastComponent(L"C:\\"), L"C:");
    EXPECT_EQ(DriveIndex(L'c'), 2);
    EXPECT_EQ(DriveIndex(L'Z'), 25);
    EXPECT_EQ(DriveIndex(L'\\'), -1);
}

TEST(DirPaths, NameReachesItselfUnlessPathParsingOrWildcardsCouldChangeIt) {
    EXPECT_TRUE(NameReachesItself(L"Program Files"));
    EXPECT_TRUE(NameReachesItself(L"a.b"));
    EXPECT_TRUE(NameReachesItself(L"PROGRA~1"));
    EXPECT_FALSE(NameReachesItself(L""));
    EXPECT_FALSE(NameReachesItself(L"trailing."));
    EXPECT_FALSE(NameReachesItself(L"trailing "));
    EXPECT_FALSE(NameReachesItself(L"st*r"));
    EXPECT_FALSE(NameReachesItself(L"what?"));
    EXPECT_FALSE(NameReachesItself(L"dos<star"));
    EXPECT_FALSE(NameReachesItself(L"dos>qm"));
    EXPECT_FALSE(NameReachesItself(L"dos\"dot"));
    EXPECT_FALSE(NameReachesItself(L"a\\b"));
}
