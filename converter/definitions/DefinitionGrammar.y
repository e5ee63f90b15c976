/* Grammar of the definition file. A file is one or more lines; a line is a section header,
 * a unit line or a bare line end, so blank lines and comments need no rule of their own.
 *
 * No state reduces by default: each reduction waits for the token after its line and takes
 * place only when that token may follow. So a section header or unit line followed on the
 * same line by a stray token is an error before its action opens the category or adds the
 * unit, whether or not the line ends in a flag.
 */
%code requires {
#include "DefinitionScanner.h"
class DefinitionParse;
}

%code {
#include "DefinitionParse.h"

// The rules are left-recursive: the stacks hold one line's tokens at most, far fewer than
// their first 500 entries, and no file makes them grow.
#define YYINITDEPTH 500
#define yyoverflow(message, states, stateBytes, values, valueBytes, size) \
    do {                                                                 \
        if (!GrowParserStacks(states, values, size, parse.Problems())) { \
            YYABORT;                                                     \
        }                                                                \
    } while (0)

static int yylex(TokenValue* value, DefinitionParse& parse) {
    return parse.NextToken(*value);
}

// The token the parser could not take is the last one read: the message names its line.
static void yyerror(DefinitionParse& parse, const char* message) {
    parse.Problems().Add(LoadProblems::Severity::kError, message, parse.TokenLine());
}
}

%define api.pure full
%define api.value.type {TokenValue}
%define lr.default-reduction accepting
%param {DefinitionParse& parse}

%token EOL 257
%token <text> SECTION 258
%token <text> STRING 259
%token <number> NUMBER 260
// A byte that starts no token; no rule takes it, so it stops the file with a syntax error.
%token BAD_BYTE 261

%destructor { delete[] $$; } <text>

%%

file
    : lines
    ;

lines
    : line
    | lines line
    ;

line
    : section_header
    | unit_line
    | EOL
    ;

section_header
    : SECTION                                   { parse.OpenCategory($1); }
    ;

unit_line
    : STRING '=' NUMBER                         { parse.AddUnitLine($1, $3, 0); }
    | STRING '=' NUMBER '(' NUMBER ')'          { parse.AddUnitLine($1, $3, TruncateFlag($5)); }
    ;

%%
