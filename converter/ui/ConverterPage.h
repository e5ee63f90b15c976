// A conversion page: a child dialog of up to nine rows, each an edit field holding a number
// and a label naming its unit. A value committed in one row (Enter, the OK command, a tap
// on the row's label, Paste) is converted into every other row.
#pragma once

#include "framework/app/Dialog.h"
#include "framework/app/Window.h"

#include <memory>
#include <optional>

class ConverterPage : public Dialog {
public:
    static constexpr int kMaxRows = 9;

    // Runs on WM_COMMAND: the OK command converts from the focused row; a row's edit field
    // getting the focus asks for the input panel, which comes up on a device's screen.
    INT_PTR OnCommand(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Runs when the page's dialog is destroyed; the default deletes the row objects.
    INT_PTR OnDestroy(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

    // Runs for every message of a row's edit field; characters go to OnEditChar. Every way
    // of pasting into a row (Shift+Insert, the field's own paste) pastes as Paste does, and
    // Ctrl+Insert copies the whole row as Copy does.
    virtual LRESULT EditHandler(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
    // Runs for a character typed into a row: Enter converts, Tab moves between rows, Ctrl+C
    // and Ctrl+V copy and paste the whole row as Copy and Paste do, Ctrl+Q exits; other
    // characters reach the field only when they can be part of a number.
    virtual LRESULT OnEditChar(int row, WPARAM character, LPARAM keyData);
    // Runs for every message of a row's label; a tap goes to OnLabelTap.
    virtual LRESULT LabelHandler(HWND label, UINT message, WPARAM wParam, LPARAM lParam);
    // Runs when a row's label is tapped: the row is set to one unit and converted.
    virtual LRESULT OnLabelTap(int row);
    // Reads the row's text as the new value and rewrites every row by the page's rule. A
    // text or value that the page refuses converts nothing (CommittedValue).
    virtual void ConvertFrom(int row) = 0;
    // Creates the page's dialog from its template as a child of `parent`.
    virtual HWND CreatePage(HWND parent) = 0;
    // Whether the page's rule takes `value` in `row`; the default takes every value.
    virtual bool Accepts(int row, double value) const;

    // Copies the focused row's whole text to the clipboard.
    void Copy();
    // Replaces the focused row's text by the clipboard's and converts from it. A text that
    // is no number the page takes as it stands (too long for a row, a stray comma, a value
    // the page refuses) is not pasted: the row keeps what it had, and a beep says so.
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
    // The value of a row's text to convert from, or nothing when the text is no number as it
    // stands or the page refuses its value: a beep, and the row keeps its text, selected.
    std::optional<double> CommittedValue(int row);
    // Converts from a row whose text was typed (Enter, the OK command). A row still showing
    // the text the page wrote converts nothing, but every row is written again, so that a
    // number typed into another row and never committed no longer shows.
    void CommitRow(int row);
    // Sets a row's text and converts from it: a label tap.
    void CommitText(int row, const wchar_t* text);
    void FocusRow(int row);

private:
    void CopyRow(int row);
    void PasteInto(int row);
    // What a refused text or value leaves: a beep, and the row focused with its text
    // selected.
    void Refuse(int row);
    // The row whose edit field (or label) `window` is, or -1.
    int RowOf(const std::unique_ptr<Window> (&windows)[kMaxRows], HWND window) const;
    int FocusedRow() const;
};
