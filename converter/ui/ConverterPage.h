// A conversion page: a child dialog of up to nine rows, each an edit field holding a number
// and a label naming its unit. A value committed in one row (Enter, the OK command, a tap
// on the row's label, Paste) is converted into every other row.
#pragma once

#include "framework/app/Dialog.h"
#include "framework/app/Window.h"

#include <memory>

class ConverterPage : public Dialog {
public:
    static constexpr int kMaxRows = 9;

    // Runs on WM_COMMAND: the OK command converts from the focused row; a row's edit field
    // getting the focus raises the input panel.
    INT_PTR OnCommand(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Runs when the page's dialog is destroyed; the default deletes the row objects.
    INT_PTR OnDestroy(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

    // Runs for every message of a row's edit field; characters go to OnEditChar.
    virtual LRESULT EditHandler(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
    // Runs for a character typed into a row: Enter converts, Tab moves between rows, Ctrl+C
    // and Ctrl+V copy and paste the whole row, Ctrl+Q exits; other characters reach the
    // field only when they can be part of a number.
    virtual LRESULT OnEditChar(int row, WPARAM character, LPARAM keyData);
    // Runs for every message of a row's label; a tap goes to OnLabelTap.
    virtual LRESULT LabelHandler(HWND label, UINT message, WPARAM wParam, LPARAM lParam);
    // Runs when a row's label is tapped: the row is set to one unit and converted.
    virtual LRESULT OnLabelTap(int row);
    // Reads the row's text as the new value and rewrites every row by the page's rule.
    virtual void ConvertFrom(int row) = 0;
    // Creates the page's dialog from its template as a child of `parent`.
    virtual HWND CreatePage(HWND parent) = 0;

    // Copies the focused row's whole text to the clipboard.
    void Copy();
    // Replaces the focused row's text by the clipboard's and converts from it.
    void Paste();

    int rowCount = 0;
    double values[kMaxRows] = {};
    int engineering[kMaxRows] = {};
    std::unique_ptr<Window> edits[kMaxRows];
    std::unique_ptr<Window> labels[kMaxRows];

protected:
    // Adopts and subclasses the edit fields and labels of the first rowCount rows.
    void AdoptRows(HWND dialog);
    // Deletes the row objects, which undoes their subclassing.
    void ReleaseRows();
    // Writes every row's value; the source row is then focused with its text selected.
    void ShowValues();
    void FinishConversion(int sourceRow);
    // The value of a row's text.
    double ReadRowValue(int row) const;
    // Converts from a row whose text was typed (Enter, the OK command); a row still showing
    // the text the page wrote changes nothing.
    void CommitRow(int row);
    // Sets a row's text and converts from it: a label tap.
    void CommitText(int row, const wchar_t* text);
    void FocusRow(int row);

private:
    // The row whose edit field (or label) `window` is, or -1.
    int RowOf(const std::unique_ptr<Window> (&windows)[kMaxRows], HWND window) const;
    int FocusedRow() const;
};
