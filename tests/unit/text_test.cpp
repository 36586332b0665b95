#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "shortcut/text.h"
#include "tests/unit/fake_text_heap.h"

namespace {

class TextTest : public ::testing::Test {
protected:
    void SetUp() override { fake_text_heap = FakeTextHeap{}; }
    void TearDown() override { EXPECT_EQ(fake_text_heap.live_blocks, 0u) << "an owned text was not released"; }
};

TEST_F(TextTest, ByteLengths) {
    EXPECT_EQ(text_byte_length(nullptr), 0u);
    EXPECT_EQ(text_byte_length(empty_text), 0u);
    EXPECT_EQ(text_byte_length(player_path_tail), 13u);
    EXPECT_EQ(text_byte_length(shortcut_file_name), 18u);
    EXPECT_EQ(text_byte_length(shortcut_description), 90u);
}

TEST_F(TextTest, ConstantsLieBackToBackInOneBlockEndingInTheEmptyText) {
    EXPECT_STREQ(player_path_tail, "\\vrk\\VRK6.exe");
    EXPECT_STREQ(shortcut_file_name, "Zarvello\xb2\xa5\xb7\xc5\xc6\xf7.lnk");
    EXPECT_EQ(player_path_tail, shortcut_file_name + 19);
    EXPECT_EQ(shortcut_description, player_path_tail + 14);
    EXPECT_EQ(empty_text, shortcut_description + 91);
    EXPECT_EQ(*empty_text, '\0');
    // 公司Ostrel公司, then the rest of the sentence in code page 936.
    EXPECT_EQ(std::string(shortcut_description + 6, 10), "\xb9\xab\xcb\xbeOstrel");
    EXPECT_EQ(std::string(shortcut_description + 88), "\xa1\xa3");  // 。
}

TEST_F(TextTest, ConstantMembershipIsByAddressRange) {
    for (Text constant : {shortcut_file_name, player_path_tail, shortcut_description, empty_text})
        EXPECT_TRUE(is_constant_text(constant));
    EXPECT_TRUE(is_constant_text(shortcut_description + 5));
    EXPECT_FALSE(is_constant_text(empty_text + 1));
    EXPECT_FALSE(is_constant_text(shortcut_file_name - 1));
    EXPECT_FALSE(is_constant_text(nullptr));
    const char look_alike[] = "\\vrk\\VRK6.exe";
    EXPECT_FALSE(is_constant_text(look_alike));
}

TEST_F(TextTest, JoinsMakeExactlySizedOwnedBlocks) {
    struct Case {
        Text first;
        Text second;
        const char* joined;
    };
    const Case cases[] = {
        {"C:\\Users\\me\\Desktop\\", shortcut_file_name, "C:\\Users\\me\\Desktop\\Zarvello\xb2\xa5\xb7\xc5\xc6\xf7.lnk"},
        {"D:\\games", player_path_tail, "D:\\games\\vrk\\VRK6.exe"},
        {nullptr, player_path_tail, "\\vrk\\VRK6.exe"},
        {player_path_tail, nullptr, "\\vrk\\VRK6.exe"},
        {empty_text, "", ""},
        {nullptr, nullptr, ""},
    };
    for (const Case& c : cases) {
        fake_text_heap.allocation_sizes.clear();
        const Text joined = join_texts({c.first, c.second});
        ASSERT_NE(joined, nullptr);
        EXPECT_STREQ(joined, c.joined);
        EXPECT_FALSE(is_constant_text(joined)) << "a join hands out a new block, never a constant";
        ASSERT_EQ(fake_text_heap.allocation_sizes.size(), 1u);
        EXPECT_EQ(fake_text_heap.allocation_sizes[0], text_byte_length(c.first) + text_byte_length(c.second) + 1);
        release_text(joined);
    }
}

TEST_F(TextTest, JoinOfOneTextIsACopy) {
    const char source[] = "C:\\x";
    const Text copy = join_texts({source});
    EXPECT_NE(copy, source);
    EXPECT_STREQ(copy, source);
    release_text(copy);
}

TEST_F(TextTest, ReleasingNullOrAConstantFreesNothing) {
    release_text(nullptr);
    for (Text constant : {shortcut_file_name, player_path_tail, shortcut_description, empty_text}) {
        const std::string before = constant;
        release_text(constant);
        EXPECT_EQ(before, constant);
    }
    EXPECT_EQ(fake_text_heap.live_blocks, 0u);
}

TEST_F(TextTest, PlatformNeverSeesNull) {
    EXPECT_EQ(text_for_platform(nullptr), empty_text);
    EXPECT_EQ(text_for_platform(player_path_tail), player_path_tail);
}

TEST_F(TextTest, RefusedAllocationAsksForTheWholeJoin) {
    fake_text_heap.refuse = true;
    try {
        join_texts({"abc", player_path_tail});
        FAIL() << "a refused allocation must not return";
    } catch (const HeapRefused& refused) {
        EXPECT_EQ(refused.size, 3u + 13u + 1u);
    }
}

TEST(AllocationFailureMessage, PrintsTheSizeAsUnsignedDecimal) {
    struct Case {
        std::size_t size;
        const char* digits;
    };
    const Case cases[] = {
        {0, "0"},
        {1, "1"},
        {174, "174"},
        {2147483648u, "2147483648"},  // would read as negative through %d
        {4294967295u, "4294967295"},
    };
    for (const Case& c : cases) {
        char message[allocation_message_capacity];
        format_allocation_failure(c.size, message);
        EXPECT_EQ(std::string(message),
                  std::string("\xb7\xd6\xc5\xe4 ") + c.digits + " \xd7\xd6\xbd\xda\xc4\xda\xb4\xe6\xca\xa7\xb0\xdc!");
    }
    char message[allocation_message_capacity];
    format_allocation_failure(SIZE_MAX, message);
    EXPECT_LT(std::strlen(message), allocation_message_capacity);
}

}  // namespace
