// The resource scripts: no two controls of one dialog template share an identifier, which
// would leave one of them unreachable by GetDlgItem. Identifiers are read from the
// subsystems' headers; a number may be shared across templates.
#include "test_support/HostPath.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const kSubsystems[] = {"about", "app", "converter", "filedialog", "fileops", "shell"};

std::vector<std::string> Lines(const std::string& file) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string InResources(const std::string& name) {
    const std::wstring path = HostPath((MENSURIO_RESOURCES_DIR "/" + name).c_str());
    return std::string(path.begin(), path.end()); // the repository's paths are ASCII
}

// The system's button identifiers and every "#define NAME number" of the subsystems'
// identifier headers.
std::map<std::string, long> Identifiers() {
    std::map<std::string, long> values = {
        {"IDOK", IDOK},         {"IDCANCEL", IDCANCEL}, {"IDYES", IDYES},
        {"IDNO", IDNO},         {"IDABORT", IDABORT},   {"IDRETRY", IDRETRY},
        {"IDIGNORE", IDIGNORE}, {"IDCLOSE", IDCLOSE},   {"IDHELP", IDHELP}};
    const std::regex define(R"(^#define\s+(\w+)\s+(-?(?:0x[0-9A-Fa-f]+|\d+))\b)");
    for (const char* subsystem : kSubsystems) {
        for (const std::string& line : Lines(InResources(std::string(subsystem) + "_ids.h"))) {
            std::smatch match;
            if (std::regex_search(line, match, define)) {
                values[match[1]] = std::stol(match[2], nullptr, 0);
            }
        }
    }
    return values;
}

// A control's identifier as the script writes it: a number, a name, or a name plus a number.
bool Evaluate(const std::string& text, const std::map<std::string, long>& names, long& value) {
    std::smatch match;
    const std::regex expression(R"(^\s*(-?\w+)\s*(?:\+\s*(\d+))?\s*$)");
    if (!std::regex_match(text, match, expression)) {
        return false;
    }
    const std::string base = match[1];
    if (base[0] == '-' || std::isdigit(static_cast<unsigned char>(base[0]))) {
        value = std::stol(base, nullptr, 0);
    } else if (const auto known = names.find(base); known != names.end()) {
        value = known->second;
    } else {
        return false;
    }
    value += match[2].matched ? std::stol(match[2]) : 0;
    return true;
}

// The argument that names the control: the first, or the second after a text or an icon.
std::string IdentifierArgument(const std::string& statement, const std::string& arguments) {
    std::vector<std::string> parts;
    std::string part;
    bool quoted = false;
    for (const char c : arguments) {
        if (c == '"') {
            quoted = !quoted;
        }
        if (c == ',' && !quoted) {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    const bool named = statement != "EDITTEXT" && statement != "COMBOBOX" &&
                       statement != "LISTBOX" && statement != "SCROLLBAR";
    return parts.size() > 1 && named ? parts[1] : parts[0];
}

TEST(ResourceScripts, ControlsOfOneTemplateHaveIdentifiersOfTheirOwn) {
    const std::map<std::string, long> names = Identifiers();
    ASSERT_GT(names.size(), 50u);
    const std::regex header(R"(^(\w+)\s+DIALOGEX?\b)");
    // A control statement; its identifier is on its first line, which is all that is read.
    const std::regex control(R"(^\s+(LTEXT|RTEXT|CTEXT|EDITTEXT|PUSHBUTTON|DEFPUSHBUTTON|)"
                             R"(CONTROL|COMBOBOX|LISTBOX|ICON|GROUPBOX|CHECKBOX|AUTOCHECKBOX|)"
                             R"(RADIOBUTTON|AUTORADIOBUTTON|SCROLLBAR)\s+(.*)$)");
    int templates = 0;
    int controls = 0;
    for (const char* subsystem : kSubsystems) {
        const std::string script = std::string(subsystem) + ".rc";
        std::string dialog;
        bool inBody = false;
        std::set<long> seen;
        for (const std::string& line : Lines(InResources(script))) {
            std::smatch match;
            if (std::regex_search(line, match, header)) {
                dialog = match[1];
                seen.clear();
                ++templates;
            } else if (!dialog.empty() && line == "BEGIN") {
                inBody = true;
            } else if (inBody && line == "END") {
                inBody = false;
                dialog.clear();
            } else if (inBody && std::regex_match(line, match, control)) {
                long id = 0;
                const std::string text = IdentifierArgument(match[1], match[2]);
                ASSERT_TRUE(Evaluate(text, names, id)) << script << " " << dialog << ": " << line;
                ++controls;
                if (id != -1) {
                    EXPECT_TRUE(seen.insert(id).second)
                        << script << " " << dialog << ": identifier " << id << " twice";
                }
            }
        }
    }
    EXPECT_GT(templates, 15);
    EXPECT_GT(controls, 100);
}

} // namespace
