// The problems that one load of a definition file meets. The user hears of them once, when
// the load is over: a file with a fault on every line would otherwise show one box per line,
// and again at every start, before the program's window could appear.
#pragma once

#include <windows.h>

#include <string>

class LoadProblems {
public:
    // A fault of the file's text (a name not closed, too long) is told as a diagnostic; one
    // that stops the parse (a syntax error, the parser's stacks) as an error.
    enum class Severity { kDiagnostic, kError };

    // `words` in the language of the parser's messages; `line` of the file, or 0 for none.
    void Add(Severity problem, const char* words, int line = 0);

    int Count() const { return count; }

    // The first problem with its line, and how many more there were: "string not closed in
    // line 2 (1 999 more problems)", in the interface's language. Empty when there was none.
    std::wstring Message() const;

    // Shows the message, when there is one, in a single box: Error (owned by `owner`) when
    // any problem stopped the parse, Debug when all were diagnostics. The box names `file`
    // first when it is given, and says how to mend a name that is not closed.
    void Report(HWND owner, const wchar_t* file = nullptr) const;

private:
    int count = 0;
    Severity severity = Severity::kDiagnostic;
    std::string firstWords;
    int firstLine = 0;
};
