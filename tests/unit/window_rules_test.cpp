#include <gtest/gtest.h>

#include "app/window_rules.h"

namespace {

TEST(Placement, CentresWithTruncatingDivision) {
    struct Case {
        int screen_width, screen_height, x, y;
    };
    const Case cases[] = {
        {1920, 1080, 770, 415},
        {1024, 768, 322, 259},
        {381, 251, 0, 0},
        {379, 249, 0, 0},   // -1 / 2 truncates to 0
        {377, 247, -1, -1}, // -3 / 2 truncates to -1
        {0, 0, -190, -125},
    };
    for (const Case& c : cases) {
        const Point p = centred_origin(c.screen_width, c.screen_height, 380, 250);
        EXPECT_EQ(p.x, c.x) << c.screen_width;
        EXPECT_EQ(p.y, c.y) << c.screen_height;
    }
}

TEST(Keyboard, Table) {
    constexpr unsigned esc = 0x1B, enter = 0x0D, tab = 0x09, f1 = 0x70, f4 = 0x73, space = 0x20;
    struct Case {
        KeyStroke key;
        KeyAction action;
    };
    const Case cases[] = {
        {{esc, false, false, false}, KeyAction::close_window},
        {{esc, false, true, false}, KeyAction::pass_on},
        {{esc, true, false, false}, KeyAction::pass_on},
        {{esc, false, false, true}, KeyAction::pass_on},
        {{enter, false, false, false}, KeyAction::click_default_button},
        {{enter, true, false, false}, KeyAction::pass_on},
        {{tab, false, false, false}, KeyAction::focus_next},
        {{tab, false, true, false}, KeyAction::focus_previous},
        {{tab, true, false, false}, KeyAction::pass_on},
        {{tab, false, false, true}, KeyAction::pass_on},
        {{f1, false, false, false}, KeyAction::pass_on},
        {{'C', false, false, true}, KeyAction::mnemonic},
        {{'7', false, false, true}, KeyAction::mnemonic},
        {{'C', true, false, true}, KeyAction::pass_on},
        {{'C', false, false, false}, KeyAction::pass_on},
        {{f4, false, false, true}, KeyAction::pass_on},  // Alt+F4 is the system's
        {{space, false, false, false}, KeyAction::pass_on},
    };
    for (const Case& c : cases)
        EXPECT_EQ(key_action(c.key), c.action)
            << c.key.virtual_key << " ctrl=" << c.key.ctrl << " shift=" << c.key.shift << " alt=" << c.key.alt;
}

TEST(FocusOrder, TheButtonIsTheOnlyStopInThisWindow) {
    // Design order: the label (no tab stop), then the button.
    const TabControl controls[] = {{true, true, false, 0}, {true, true, true, 0}};
    EXPECT_EQ(first_tab_stop(controls, 2), 1);
    EXPECT_EQ(next_tab_stop(controls, 2, 1, true), 1);
    EXPECT_EQ(next_tab_stop(controls, 2, 1, false), 1);
    EXPECT_EQ(next_tab_stop(controls, 2, 0, true), 1);  // from the label, never to it
}

TEST(FocusOrder, TabIndexThenLaterControlFirst) {
    const TabControl controls[] = {
        {true, true, true, 1},   // 0
        {true, true, true, 0},   // 1
        {true, true, true, 0},   // 2: same index as 1, later in the list, so first
        {false, true, true, 0},  // 3: hidden
        {true, false, true, 0},  // 4: disabled
        {true, true, true, 2},   // 5
    };
    // Sequence: 2, 1, 0, 5.
    EXPECT_EQ(first_tab_stop(controls, 6), 2);
    EXPECT_EQ(next_tab_stop(controls, 6, 2, true), 1);
    EXPECT_EQ(next_tab_stop(controls, 6, 1, true), 0);
    EXPECT_EQ(next_tab_stop(controls, 6, 0, true), 5);
    EXPECT_EQ(next_tab_stop(controls, 6, 5, true), 2);
    EXPECT_EQ(next_tab_stop(controls, 6, 2, false), 5);
    EXPECT_EQ(next_tab_stop(controls, 6, 0, false), 1);
    EXPECT_EQ(next_tab_stop(controls, 6, -1, true), 2);
    EXPECT_EQ(next_tab_stop(controls, 6, 3, false), 5);
}

TEST(FocusOrder, NoStopsAtAll) {
    const TabControl controls[] = {{true, true, false, 0}, {false, true, true, 0}};
    EXPECT_EQ(first_tab_stop(controls, 2), -1);
    EXPECT_EQ(next_tab_stop(controls, 2, 0, true), -1);
}

TEST(Mnemonics, AmpersandFollowedByTheKeyInEitherCase) {
    EXPECT_TRUE(text_has_mnemonic("&Create", 'C'));
    EXPECT_TRUE(text_has_mnemonic("Cr&eate", 'E'));
    EXPECT_TRUE(text_has_mnemonic("Save &1", '1'));
    EXPECT_FALSE(text_has_mnemonic("Fish && Chips", 'C'));
    EXPECT_FALSE(text_has_mnemonic("Create", 'C'));
    EXPECT_FALSE(text_has_mnemonic("trailing&", 'C'));
    EXPECT_FALSE(text_has_mnemonic("\xb4\xb4\xbd\xa8\xbf\xec\xbd\xdd\xb7\xbd\xca\xbd", 'C'));
}

TEST(Commands, SortedByIdentifierRange) {
    struct Case {
        unsigned identifier;
        CommandRoute route;
    };
    const Case cases[] = {
        {0, CommandRoute::control_notification},
        {100, CommandRoute::control_notification},
        {19999, CommandRoute::control_notification},
        {20000, CommandRoute::menu_command},
        {57599, CommandRoute::menu_command},
        {57600, CommandRoute::consumed},
        {65535, CommandRoute::consumed},
    };
    for (const Case& c : cases) EXPECT_EQ(route_command(c.identifier), c.route) << c.identifier;
}

}  // namespace
