// Dialogs for the command-line tool: --yes answers Yes/OK; otherwise a terminal is asked, and with no terminal
// the answer is No/Cancel. Every message is printed on stderr, as messageLine() makes it.
#pragma once

#include <cstdio>
#include <string>

#include "core/dialogs.h"

namespace avz {

// "[CAPTION] TEXT" and a line feed; a plain box (caption kPlainCaption) is its text alone.
std::string messageLine(const std::string& text, const std::string& caption);

class ConsoleDialogs : public Dialogs {
public:
    ConsoleDialogs(bool assumeYes, std::FILE* in, std::FILE* out) : m_yes(assumeYes), m_in(in), m_out(out) {}

    Answer message(const std::string& text, const std::string& caption, Buttons buttons, Icon icon) override;
    std::optional<std::string> openFile(const FileDialogSpec& spec) override;
    std::optional<std::string> saveFile(const FileDialogSpec& spec) override;

private:
    std::optional<std::string> askLine(const std::string& prompt);

    bool m_yes;
    std::FILE* m_in;
    std::FILE* m_out;
};

}  // namespace avz
