// Console answers to the program's questions.
#include "cli/console_dialogs.h"

#include <unistd.h>

#include <cctype>
#include <string>

namespace avz {

std::string messageLine(const std::string& text, const std::string& caption) {
    if (caption == kPlainCaption) return text + "\n";
    return "[" + caption + "] " + text + "\n";
}

std::optional<std::string> ConsoleDialogs::askLine(const std::string& prompt) {
    if (m_in == nullptr || !::isatty(::fileno(m_in))) return std::nullopt;
    std::fprintf(m_out, "%s", prompt.c_str());
    std::fflush(m_out);
    char buf[1024];
    if (std::fgets(buf, sizeof buf, m_in) == nullptr) return std::nullopt;
    std::string line(buf);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    return line;
}

Answer ConsoleDialogs::message(const std::string& text, const std::string& caption, Buttons buttons, Icon) {
    std::fputs(messageLine(text, caption).c_str(), m_out);
    const bool question = buttons != Buttons::Ok;
    if (!question) return Answer::Ok;
    const bool yesNo = buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel;
    if (m_yes) return yesNo ? Answer::Yes : Answer::Ok;
    const auto line = askLine(yesNo ? "[y/n] " : "[o(k)/c(ancel)] ");
    if (!line || line->empty()) return yesNo && buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>((*line)[0])));
    if (yesNo) {
        if (c == 'y') return Answer::Yes;
        if (c == 'n') return Answer::No;
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
    return c == 'o' ? Answer::Ok : Answer::Cancel;
}

std::optional<std::string> ConsoleDialogs::openFile(const FileDialogSpec& spec) {
    return askLine((spec.title.empty() ? std::string("Open") : spec.title) + " file: ");
}

std::optional<std::string> ConsoleDialogs::saveFile(const FileDialogSpec& spec) {
    return askLine((spec.title.empty() ? std::string("Save") : spec.title) + " as: ");
}

}  // namespace avz
