// The program as a user meets it at start: what it lists, and when it ends at once.

#include "E2eFixture.h"

namespace {

using StartAndList = EndToEnd;

TEST_F(StartAndList, NoFolderToUpdateTellsTheUserAndEnds)
{
    suite.AddFolder("A jour", "1, 3, 0, 0", {"Pavane 5"});   // up to date: not offered
    AppUnderTest app;
    ASSERT_TRUE(app.Start(ProgramPath(), StandinEnvironment()));
    const Session session = app.AnswerAllUntilExit(20000);
    ASSERT_EQ(1u, session.boxes.size());
    EXPECT_EQ(std::string(kTitle), session.boxes[0].caption);
    EXPECT_EQ(std::string("Aucune mise \xE0 jour n'est requise sur votre ordinateur."), session.boxes[0].text);
    EXPECT_EQ(IconKind::Information, session.boxes[0].icon) << session.boxes[0];
    ASSERT_TRUE(session.exitCode.has_value());
    EXPECT_EQ(nullptr, app.FindWindowTitled(kTitle));
}

TEST_F(StartAndList, FoldersAreListedAlphabeticallyWithTheFirstSelected)
{
    // Registered in reverse alphabetical order.
    const std::string lycee = suite.AddFolder("Lyc\xE9" "e", "1, 2, 5, 0", {"Tolvane"});
    const std::string college = suite.AddFolder("Coll\xE8ge", "1, 2, 0, 0", {"Pavane 5", "Quill Mx", "Brisole"});
    AppUnderTest app;
    HWND dialog = Start(app, ProgramPath(), StandinEnvironment());
    ASSERT_NE(nullptr, dialog);

    EXPECT_EQ((std::vector<std::string>{college, lycee}), ComboItems(dialog, 1000));
    EXPECT_EQ(0, ComboSelection(dialog, 1000));
    EXPECT_EQ((std::vector<std::string>{"Brisole", "Pavane 5", "Quill Mx"}), ListItems(dialog, 1001));
    EXPECT_EQ(ApplicationsFound(3), ItemText(dialog, 1007));
    EXPECT_TRUE(IsItemEnabled(dialog, 1000));
    EXPECT_TRUE(IsItemEnabled(dialog, 1002));

    ASSERT_TRUE(SelectComboEntry(dialog, 1000, 1));
    EXPECT_EQ(std::vector<std::string>{"Tolvane"}, ListItems(dialog, 1001));
    EXPECT_EQ(ApplicationsFound(1), ItemText(dialog, 1007));

    // "Terminer" ends the program, and nothing was run.
    ASSERT_TRUE(Click(dialog, IDCANCEL));
    EXPECT_TRUE(app.WaitForExit(10000).has_value());
    EXPECT_TRUE(Runs().empty());
}

TEST_F(StartAndList, OneFolderIsSelectedAndTheListLocked)
{
    const std::string only = suite.AddFolder("Salle 12", "1, 2, 0, 0", {});
    suite.AddFolder("Salle 13", "1, 3, 1, 0", {});
    AppUnderTest app;
    HWND dialog = Start(app, ProgramPath(), StandinEnvironment());
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(std::vector<std::string>{only}, ComboItems(dialog, 1000));
    EXPECT_EQ(0, ComboSelection(dialog, 1000));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, 1000)));
    EXPECT_TRUE(IsItemEnabled(dialog, 1002));
    EXPECT_EQ(ApplicationsFound(0), ItemText(dialog, 1007));

    // Escape ends the program as "Terminer" does.
    ::PostMessageA(::GetDlgItem(dialog, 1002), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(app.WaitForExit(10000).has_value());
}

TEST_F(StartAndList, TheCloseBoxEndsTheProgram)
{
    suite.AddFolder("Salle 12", "1, 2, 0, 0", {});
    AppUnderTest app;
    HWND dialog = Start(app, ProgramPath(), StandinEnvironment());
    ASSERT_NE(nullptr, dialog);
    ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(app.WaitForExit(10000).has_value());
}

} // namespace
