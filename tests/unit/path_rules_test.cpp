#include <gtest/gtest.h>

#include <string>

#include "app/program_folder.h"
#include "shortcut/ansi_path.h"
#include "shortcut/link_name.h"

namespace {

// 乗 in code page 936 is 0x81 0x5C: its second byte looks like a backslash.
#define JOU "\x81\x5c"

TEST(AnsiPath, LastBackslashSkipsTrailBytes) {
    struct Case {
        const char* path;
        int expected_index;  // -1: none
    };
    const Case cases[] = {
        {"C:\\app\\vrklink.exe", 6},
        {"C:\\" JOU "\\vrklink.exe", 5},
        {"C:\\dir\\" JOU ".exe", 6},
        {"C:\\dir\\a" JOU, 6},
        {"vrklink.exe", -1},
        {JOU JOU, -1},
        {"", -1},
        {"\\", 0},
        {"C:\\dir\\\x81", 6},  // a lone lead byte at the end is a byte of its own
    };
    for (const Case& c : cases) {
        const char* found = find_last_backslash(c.path, gbk_lead_byte);
        const int index = found == nullptr ? -1 : static_cast<int>(found - c.path);
        EXPECT_EQ(index, c.expected_index) << c.path;
    }
}

TEST(AnsiPath, TrailingBackslashIsJudgedByTheLastCharacter) {
    struct Case {
        const char* folder;
        bool needs_backslash;
    };
    const Case cases[] = {
        {"C:\\users\\me\\Desktop", true},
        {"C:\\users\\me\\Desktop\\", false},
        {"C:\\", false},
        {"C:\\users\\" JOU, true},  // ends in 乗, not in a separator
        {"C:\\users\\" JOU "\\", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(needs_trailing_backslash(c.folder, gbk_lead_byte), c.needs_backslash) << c.folder;
}

TEST(ProgramFolder, CutsAtTheLastRealBackslash) {
    struct Case {
        const char* module_path;
        const char* folder;
    };
    const Case cases[] = {
        {"C:\\Program Files\\vrk tools\\vrklink.exe", "C:\\Program Files\\vrk tools"},
        {"D:\\vrklink.exe", "D:"},
        {"C:\\" JOU "\\" JOU ".exe", "C:\\" JOU},
        {"\\\\server\\share\\vrklink.exe", "\\\\server\\share"},
        {"vrklink.exe", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        char folder[path_capacity];
        cut_program_folder(c.module_path, gbk_lead_byte, folder);
        EXPECT_STREQ(folder, c.folder) << c.module_path;
    }
}

TEST(ProgramFolder, StartDirectory) {
    struct Case {
        const char* folder;
        bool complete;
        const char* directory;  // null: keep the inherited one
    };
    const Case cases[] = {
        {"C:\\apps\\vrk", true, "C:\\apps\\vrk"},
        {"D:", true, "D:\\"},  // "D:" alone would mean D:'s remembered directory
        {"C:\\apps\\vrk", false, nullptr},  // a cut path names some other folder
        {"", true, nullptr},
        {"\\\\server\\share", true, "\\\\server\\share"},
    };
    for (const Case& c : cases) {
        char directory[path_capacity] = "untouched";
        const bool set = start_directory_for(c.folder, c.complete, directory);
        EXPECT_EQ(set, c.directory != nullptr) << c.folder;
        if (set && c.directory) {
            EXPECT_STREQ(directory, c.directory);
        }
    }
}

TEST(ProgramFolder, LongestFolderFits) {
    const std::string folder = "C:\\" + std::string(path_capacity - 5, 'a');  // 258 bytes
    char directory[path_capacity];
    ASSERT_TRUE(start_directory_for(folder.c_str(), true, directory));
    EXPECT_EQ(std::string(directory), folder);
}

TEST(LinkName, FullStopAnywhereKeepsTheName) {
    const char* unchanged[] = {"C:\\Desktop\\Zarvello.lnk", "C:\\my.folder\\name", "name.", "."};
    for (const char* name : unchanged) {
        char buffer[path_capacity];
        EXPECT_EQ(link_file_name(name, buffer), name);
    }
}

TEST(LinkName, NoFullStopAppendsLnkWhenItFits) {
    char buffer[path_capacity];
    EXPECT_STREQ(link_file_name("C:\\Desktop\\player", buffer), "C:\\Desktop\\player.lnk");
    EXPECT_STREQ(link_file_name("", buffer), ".lnk");

    const std::string fits(path_capacity - 5, 'n');  // 255 + ".lnk" + NUL = 260
    const char* formed = link_file_name(fits.c_str(), buffer);
    ASSERT_EQ(formed, buffer);
    EXPECT_EQ(std::string(formed), fits + ".lnk");

    const std::string too_long(path_capacity - 4, 'n');
    EXPECT_EQ(link_file_name(too_long.c_str(), buffer), nullptr);
    const std::string far_too_long(4 * path_capacity, 'n');
    EXPECT_EQ(link_file_name(far_too_long.c_str(), buffer), nullptr);
}

}  // namespace
