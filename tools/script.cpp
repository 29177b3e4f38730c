#include "script.h"

#include "view/gearinsight.h"

#include <fmt/format.h>

#include <charconv>
#include <cstdint>

namespace velmora::tools {

namespace {

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool readHex4(std::string_view s, std::size_t at, std::uint32_t& value) {
    if (at + 4 > s.size()) {
        return false;
    }
    const auto [ptr, ec] = std::from_chars(s.data() + at, s.data() + at + 4, value, 16);
    return ec == std::errc() && ptr == s.data() + at + 4;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

} // namespace

bool parseJsonString(std::string_view literal, std::string& out) {
    if (literal.size() < 2 || literal.front() != '"' || literal.back() != '"') {
        return false;
    }
    const std::string_view s = literal.substr(1, literal.size() - 2);
    out.clear();
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"' || static_cast<unsigned char>(c) < 0x20) {
            return false;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i >= s.size()) {
            return false;
        }
        switch (s[i]) {
        case '"':
            out += '"';
            break;
        case '\\':
            out += '\\';
            break;
        case '/':
            out += '/';
            break;
        case 'b':
            out += '\b';
            break;
        case 'f':
            out += '\f';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case 'u': {
            std::uint32_t cp = 0;
            if (!readHex4(s, i + 1, cp)) {
                return false;
            }
            i += 4;
            if (cp >= 0xD800 && cp < 0xDC00) {
                std::uint32_t low = 0;
                if (i + 2 >= s.size() || s[i + 1] != '\\' || s[i + 2] != 'u' || !readHex4(s, i + 3, low) ||
                    low < 0xDC00 || low >= 0xE000) {
                    return false;
                }
                i += 6;
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
            } else if (cp >= 0xDC00 && cp < 0xE000) {
                return false;
            }
            appendUtf8(out, cp);
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

void writeJsonString(std::ostream& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out << '"';
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out << '\\' << c;
        } else if (c == '\n') {
            out << "\\n";
        } else if (c == '\t') {
            out << "\\t";
        } else if (c == '\r') {
            out << "\\r";
        } else if (u < 0x20) {
            out << "\\u00" << kHex[u >> 4] << kHex[u & 0xF];
        } else {
            out << c;
        }
    }
    out << '"';
}

bool ScriptRunner::runLine(std::string_view line, std::ostream& out, std::string& error) {
    line = trim(line);
    if (line.empty()) {
        return true;
    }
    const std::size_t space = line.find(' ');
    const std::string_view action = line.substr(0, space);
    const std::string_view rest =
        space == std::string_view::npos ? std::string_view() : trim(line.substr(space));

    if (action == "dump" || action == "insight") {
        if (!rest.empty()) {
            error = std::string(action) + " takes no argument";
            return false;
        }
        action == "dump" ? dump(out) : insight(out);
        return true;
    }
    if (action != "set" && action != "click" && action != "focus") {
        error = "unknown action '" + std::string(action) + "' (expected set, click, focus, dump or insight)";
        return false;
    }
    const std::size_t nameEnd = rest.find(' ');
    const std::string_view name = rest.substr(0, nameEnd);
    FieldId field = 0;
    if (name.empty() || !findControl(name, field)) {
        error = "unknown control '" + std::string(name) + "'";
        return false;
    }
    const std::string_view argument =
        nameEnd == std::string_view::npos ? std::string_view() : trim(rest.substr(nameEnd));
    if (action == "set") {
        std::string text;
        if (!parseJsonString(argument, text)) {
            error = "set " + std::string(name) + ": the text must be one JSON string literal";
            return false;
        }
        m_form.setText(field, std::move(text));
        return true;
    }
    if (!argument.empty()) {
        error = std::string(action) + " takes only a control name";
        return false;
    }
    const Kind kind = kControls[field].kind;
    if (action == "click") {
        if (kind != Kind::CommandButton && kind != Kind::OptionButton && kind != Kind::CheckBox) {
            error = "click: " + std::string(name) + " is not a button, option button or check box";
            return false;
        }
        m_form.click(field);
        return true;
    }
    if (kind != Kind::TextBox) {
        error = "focus: " + std::string(name) + " is not a text box";
        return false;
    }
    m_form.enter(field);
    return true;
}

namespace {

// 17 significant digits, the same on every target.
std::string exactly(double value) {
    return fmt::format(FMT_STRING("{:.17g}"), value);
}

void writeStrings(std::ostream& out, const std::vector<std::string>& texts) {
    out << '[';
    for (std::size_t i = 0; i < texts.size(); ++i) {
        out << (i > 0 ? ", " : "");
        writeJsonString(out, texts[i]);
    }
    out << ']';
}

void writeCurve(std::ostream& out, const GainCurve& curve) {
    out << "{\"name\": ";
    writeJsonString(out, curve.name);
    out << ", \"summary\": ";
    writeJsonString(out, curve.summary);
    out << ", \"caps\": [";
    for (std::size_t i = 0; i < curve.caps.size(); ++i) {
        out << (i > 0 ? ", " : "") << "[" << exactly(curve.caps[i].at.rating) << ", "
            << exactly(curve.caps[i].at.percent) << "]";
    }
    out << "], \"percents\": [";
    for (std::size_t i = 0; i < curve.points.size(); ++i) {
        out << (i > 0 ? ", " : "") << exactly(curve.points[i].percent);
    }
    out << "]}";
}

} // namespace

void ScriptRunner::insight(std::ostream& out) {
    out << "{\"changes\": ";
    if (const auto changes = exactChanges(m_form)) {
        std::vector<std::string> rows;
        for (const SetChange& set : changes->sets) {
            rows.push_back(set.row + " " + exactly(set.percent));
        }
        writeStrings(out, rows);
    } else {
        out << "null";
    }
    out << ", \"curves\": ";
    if (const std::optional<GainPicture> picture = gainPicture(m_form)) {
        std::vector<std::string> ticks;
        for (const Tick& tick : picture->percentTicks) {
            ticks.push_back(tick.text);
        }
        out << "{\"headroom\": ";
        writeStrings(out, picture->headroom);
        out << ", \"percentTicks\": ";
        writeStrings(out, ticks);
        out << ", \"each\": [";
        for (std::size_t i = 0; i < picture->curves.size(); ++i) {
            out << (i > 0 ? ", " : "");
            writeCurve(out, picture->curves[i]);
        }
        out << "]}";
    } else {
        out << "null";
    }
    out << "}\n";
}

void ScriptRunner::dump(std::ostream& out) {
    const FieldStore& fields = m_form.fields();
    out << "{\"fields\": {";
    for (FieldId field = 0; field < kControlCount; ++field) {
        if (field > 0) {
            out << ", ";
        }
        writeJsonString(out, kControls[field].name);
        out << ": {\"text\": ";
        writeJsonString(out, fields.text(field));
        out << ", \"visible\": " << (fields.visible(field) ? "true" : "false");
        const Kind kind = kControls[field].kind;
        if (kind == Kind::OptionButton || kind == Kind::CheckBox) {
            out << ", \"value\": " << fields.value(field);
        }
        out << '}';
    }
    out << "}, \"warnings\": [";
    for (std::size_t i = 0; i < m_warnings.shown.size(); ++i) {
        out << (i > 0 ? ", [" : "[");
        writeJsonString(out, m_warnings.shown[i].first);
        out << ", ";
        writeJsonString(out, m_warnings.shown[i].second);
        out << ']';
    }
    m_warnings.shown.clear();
    out << "], \"store\": ";
    const auto& gains = m_form.gainStore();
    if (!gains) {
        out << "null";
    } else {
        out << '[';
        for (const std::string& text : gains->texts) {
            writeJsonString(out, text);
            out << ", ";
        }
        // 17 significant digits, the same on every target.
        writeJsonString(out, fmt::format(FMT_STRING("{:.17g}"), gains->haste));
        out << ']';
    }
    out << "}\n";
}

} // namespace velmora::tools
