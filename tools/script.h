// Runs scenario scripts against the core, one action a line:
//   set NAME "TEXT"   sets a text or caption directly, raising no event
//   click NAME        what the user's click does
//   focus NAME        the user enters that text box
//   dump              prints the whole state as one line of JSON
//   insight           prints the exact changes and the gain curves as one line
//                     of JSON, every number to 17 digits
#pragma once

#include "form/form.h"
#include "form/warnings.h"

#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora::tools {

class RecordingWarnings : public WarningSink {
public:
    void warn(std::string_view prompt, std::string_view title) override {
        shown.emplace_back(std::string(prompt), std::string(title));
    }
    bool dismissesAtOnce() const override { return true; }
    std::vector<std::pair<std::string, std::string>> shown;
};

// Parses a JSON string literal (with its quotes) into UTF-8; false if malformed.
bool parseJsonString(std::string_view literal, std::string& out);
void writeJsonString(std::ostream& out, std::string_view text);

class ScriptRunner {
public:
    ScriptRunner(Form& form, RecordingWarnings& warnings) : m_form(form), m_warnings(warnings) {}

    // Runs one line; on a bad line returns false and sets `error`.
    bool runLine(std::string_view line, std::ostream& out, std::string& error);
    void dump(std::ostream& out);
    void insight(std::ostream& out);

private:
    Form& m_form;
    RecordingWarnings& m_warnings;
};

} // namespace velmora::tools
