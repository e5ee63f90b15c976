// The real program's Open dialog choosing a definition file: at the first start, from File >
// Open..., and cancelled.
#include "EndToEnd.h"

namespace {

// The section names of a definition file in their order, as the system's reading of
// initialisation files gives them: bytes in the device's code page.
Texts SectionNames(const std::wstring& hostPath) {
    std::wstring list(65536, L'\0');
    GetPrivateProfileSectionNamesW(list.data(), static_cast<DWORD>(list.size()), hostPath.c_str());
    Texts names;
    for (const wchar_t* name = list.c_str(); *name != L'\0'; name += wcslen(name) + 1) {
        names.push_back(name);
    }
    return names;
}

// First start without a remembered file asks for one, in the program's folder; the choice
// is remembered.
TEST_F(EndToEnd, OpenDialogAsksForTheDefinitionFileAtFirstStart) {
    const std::wstring folder = DeviceProgramFolder();
    const Texts sections = SectionNames(HostProgramFolder() + L"\\units.ini");
    ASSERT_EQ(L"Length", sections.at(0));
    ASSERT_TRUE(ForgetDefinitionFile());
    Program program;
    ASSERT_NE(nullptr, program.window);
    const FileDialog dialog(program);
    ASSERT_TRUE(dialog.IsOpen());
    EXPECT_EQ(Shown(L"Open", L"開く"), TextOf(dialog.handle));
    EXPECT_EQ(program.window, GetWindow(dialog.handle, GW_OWNER));

    // The program's folder: its folders and .ini files.
    EXPECT_EQ(LastComponent(folder), dialog.Location());
    const Texts rows = dialog.Rows();
    EXPECT_EQ(Listing(HostProgramFolder(), true), Sorted(rows));
    EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), L"units.ini"));
    EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), L"units_ja.ini"));
    EXPECT_EQ(Shown(L"INI Files(*.ini)", L"定義ﾌｧｲﾙ(*.ini)"),
              TextOf(dialog.Control(IDC_TYPE_LIST)));
    EXPECT_EQ(2, SendMessageW(dialog.Control(IDC_TYPE_LIST), CB_GETCOUNT, 0, 0));
    EXPECT_EQ(L"", TextOf(dialog.Control(IDC_NAME_FIELD)));
    // The name field has the focus, but on a screen larger than a device's, where a keyboard
    // is at hand, the input panel stays down: the list is all in sight.
    EXPECT_EQ(nullptr, FindWindowExW(dialog.handle, nullptr, L"MensurioSoftInputPanel", nullptr));

    // A name that is not there is said so, and the dialog stays; a name is looked for
    // with the default extension: "units" opens units.ini.
    dialog.Take(L"nothing");
    EXPECT_TRUE(WaitFor([&] { return program.MessageBoxWindow() != nullptr; }));
    const Texts boxes = program.AnswerMessageBoxes();
    EXPECT_EQ(1u, boxes.size()) << Joined(boxes);
    EXPECT_NE(std::wstring::npos, Joined(boxes).find(L"\\nothing.ini"));
    EXPECT_FALSE(dialog.WaitUntilClosed(200));
    dialog.Take(L"units");
    ASSERT_TRUE(dialog.WaitUntilClosed());
    ExpectTabsOf(program, sections);

    // Remembered with its drive, which the dialog's device path leaves out.
    EXPECT_EQ(0u, program.Exit());
    EXPECT_EQ(HostProgramFolder() + L"\\units.ini", RememberedDefinitionFile());
}

// File > Open... replaces the category pages; the fixed pages keep their values.
TEST_F(EndToEnd, OpenDialogReplacesTheCategoryPages) {
    const std::wstring folder = DeviceProgramFolder();
    const Texts englishSections = SectionNames(HostProgramFolder() + L"\\units.ini");
    const Texts japaneseSections = SectionNames(HostProgramFolder() + L"\\units_ja.ini");
    ASSERT_FALSE(japaneseSections.empty());
    RememberDefinitionFile((folder + L"\\units.ini").c_str());
    Program program;
    ASSERT_NE(nullptr, program.window);
    // Any dialog asked for at start would be up before a command posted after it runs.
    program.Post(IDC_PAGE + 1);
    EXPECT_TRUE(WaitFor([&] { return program.CurrentTab() == 1; }));
    EXPECT_EQ(nullptr, program.OpenDialog());
    EXPECT_EQ(TabsWith(englishSections), program.TabTexts());

    // Values on the fixed pages: 100 degrees Celsius, one day.
    const HWND temperature = program.ShowPage(0);
    Program::Type(temperature, 0, L"100\r");
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(temperature).at(2) == L"373.15"; }));
    const Texts temperatureRows = {L"100", L"212", L"373.15"};
    EXPECT_EQ(temperatureRows, Program::Rows(temperature));
    const HWND time = program.ShowPage(1);
    Program::TapLabel(time, 3);
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(time).at(0) == L"86400"; }));
    const Texts timeRows = Program::Rows(time);

    // The other sample file.
    program.Post(IDC_OPEN);
    const FileDialog dialog(program);
    ASSERT_TRUE(dialog.IsOpen());
    EXPECT_EQ(LastComponent(folder), dialog.Location());
    dialog.Take(L"units_ja.ini");
    ASSERT_TRUE(dialog.WaitUntilClosed());
    ExpectTabsOf(program, japaneseSections);
    EXPECT_EQ(temperature, program.ShowPage(0));
    EXPECT_EQ(temperatureRows, Program::Rows(temperature));
    EXPECT_EQ(time, program.ShowPage(1));
    EXPECT_EQ(timeRows, Program::Rows(time));

    // The new file's first page converts: 1 kilometre in metres.
    const HWND length = program.ShowPage(2);
    Program::Type(length, 1, L"1\r");
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(length).at(0) == L"1000"; }));

    EXPECT_EQ(0u, program.Exit());
    EXPECT_EQ(HostProgramFolder() + L"\\units_ja.ini", RememberedDefinitionFile());
}

// Cancel leaves the pages, their values and the remembered file as they were.
TEST_F(EndToEnd, OpenDialogCancelledChangesNothing) {
    Program program;
    ASSERT_NE(nullptr, program.window);
    const HWND temperature = program.ShowPage(0);
    Program::Type(temperature, 0, L"100\r");
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(temperature).at(2) == L"373.15"; }));
    const HWND length = program.ShowPage(2);
    Program::Type(length, 1, L"1\r");
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(length).at(0) == L"1000"; }));
    const Texts lengthRows = Program::Rows(length);
    const Texts tabs = program.TabTexts();

    program.Post(IDC_OPEN);
    const FileDialog dialog(program);
    ASSERT_TRUE(dialog.IsOpen());
    dialog.Post(IDCANCEL);
    ASSERT_TRUE(dialog.WaitUntilClosed());
    EXPECT_EQ(2, program.CurrentTab());
    EXPECT_EQ(length, program.VisiblePage());
    EXPECT_EQ(lengthRows, Program::Rows(length));
    EXPECT_EQ(tabs, program.TabTexts());
    EXPECT_EQ((Texts{L"100", L"212", L"373.15"}), Program::Rows(program.ShowPage(0)));
    EXPECT_EQ(0u, program.Exit());
    EXPECT_EQ(std::wstring(file->Path()), RememberedDefinitionFile());
}

} // namespace
