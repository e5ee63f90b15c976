// The converter's main window: a tab control of conversion pages above the menu bar. The
// temperature and time pages come first, then one page per category of the definition file.
#pragma once

#include "ConverterPage.h"
#include "ConverterSettings.h"
#include "converter/definitions/CategoryReceiver.h"
#include "converter/definitions/LoadProblems.h"
#include "framework/app/FrameWindow.h"
#include "framework/shell/IconCache.h"

#include <memory>
#include <string>
#include <vector>

class ConverterWindow : public FrameWindow, public CategoryReceiver {
public:
    // Two fixed pages and at most 63 category pages, one Unit-menu command each.
    static constexpr int kMaxPages = 65;
    static constexpr int kFixedPages = 2;

    // One row of the page table; page i has tab i and Unit-menu command IDC_PAGE + i.
    struct Page {
        // The page's dialog is made when the page is first shown.
        std::unique_ptr<ConverterPage> object;
        std::wstring tabText;
        // Whether the tab control holds the page's tab yet. Tabs past the strip's visible end
        // wait until something needs them (MakeTabs); a page with a tab has every page before
        // it with one too.
        bool hasTab = false;
    };

    // Reads the remembered definition path.
    ConverterWindow();
    // Writes the definition path back.
    ~ConverterWindow() override;

    LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Builds the menu bar, the tab control and the fixed pages, then loads the remembered
    // definition file, or asks for one when there is none.
    LRESULT OnCreate(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Menu, button and accelerator commands.
    LRESULT OnCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Destroys every page, then ends the message loop.
    LRESULT OnDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    // Makes a page, a tab and a Unit-menu item of a finished category. A category past the
    // 63rd of a file is dropped: the page table and the command range end there. The tab and
    // the item show the category's name without control characters, "(no name)" for one
    // with nothing else, and the item is cut with "..." where it would be wider than the
    // screen.
    // Every page's dialog is made when the page is first shown, and tabs beyond the strip's
    // visible end are made when something first needs them, which keeps start-up short
    // however many categories the file has.
    void AddCategoryPage(std::unique_ptr<UnitCategory> category) override;
    // Shows page `index` and selects its tab.
    void SelectPage(int index);
    // Removes every category page with its tab and Unit-menu item.
    void RemoveCategoryPages();
    // Lets the user choose another definition file, whose pages then replace the category
    // pages; Cancel changes nothing.
    void OpenDefinitionFile();
    // Remembers `path` as the definition file and replaces the category pages by its own;
    // the first page is then the one shown. A file that cannot be read is reported, and
    // changes nothing: neither the pages nor the file remembered.
    void ReplaceCategoryPages(const wchar_t* path);

    // The definition file in use, remembered from one run to the next.
    ConverterSettings settings;
    // Temp and Time, then the definition file's categories in file order.
    std::vector<Page> pages;
    int currentPage = 0;
    Window tabControl;

    int PageCount() const { return static_cast<int>(pages.size()); }

private:
    // Nothing follows the window's size: the tabs and pages are laid out when they are made.
    LRESULT OnSize(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // A tab chosen: shows its page.
    LRESULT OnNotify(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // F1 in this window, not in a box over it, opens the About box.
    LRESULT OnHelp(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Tells the remembered file's problems, over the window now on screen.
    LRESULT OnTellLoadProblems(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Subclass handler of the tab control: makes every tab before the control handles
    // anything that may need one; Tab moves into the current page's first row.
    LRESULT TabHandler(HWND tabs, UINT message, WPARAM wParam, LPARAM lParam);
    // Makes the tabs of pages 0 to `last` that the tab control does not hold yet.
    void MakeTabs(int last);
    // Whether the tab control may handle `message` with tabs still held back: while this
    // window builds its pages, and when the control is only drawn or passed over by the
    // pointer, which shows no more than the tabs in sight. Anything else (a tap, a key, the
    // scroll arrows, a question from another program) may show or tell about any tab; a
    // message missing here only brings the held-back tabs in sooner.
    bool MayHoldTabsBack(UINT message) const;
    void AddPageButtons();
    // Tells that the file at `path` could not be read, and why.
    void ReportUnreadable(const wchar_t* path, DWORD error) const;
    // Loads the remembered definition file while the window is made; its problems are told
    // once the window is on screen, over it.
    void LoadRememberedFile();
    void OnSelectionChange();
    void PressOnlyTheSelectedTab();
    // Shows a page, making its dialog on its first showing.
    void ShowPage(int index);

    // Set while the window builds its pages and tabs (start-up, Open..., MakeTabs): its own
    // calls to the tab control need no held-back tab.
    bool buildingPages = false;
    // The remembered file's problems, until the window is on screen to tell them.
    LoadProblems startProblems;
    // Made at the first Open... and kept: the registered file types and the icons stay
    // loaded for every later opening of the dialog.
    std::unique_ptr<IconCache> fileIcons;
};
