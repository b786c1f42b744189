// Dialogs for tests: answers come from a script, and every message's text, caption, buttons and icon is kept.
#pragma once

#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/dialogs.h"

namespace avz::test {

struct Shown {
    std::string text;
    std::string caption;
    Buttons buttons;
    Icon icon;
    bool operator==(const Shown&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Shown& s) {
    return os << "{\"" << s.text << "\", \"" << s.caption << "\", " << toString(s.buttons) << ", "
              << toString(s.icon) << "}";
}

class ScriptedDialogs : public Dialogs {
public:
    // The next answers, in order. With none left, an Ok box answers Ok and a question answers No/Cancel.
    void answer(Answer a) { m_answers.push_back(a); }
    void nextOpen(std::optional<std::string> path) { m_opens.push_back(std::move(path)); }
    void nextSave(std::optional<std::string> path) { m_saves.push_back(std::move(path)); }

    Answer message(const std::string& text, const std::string& caption, Buttons buttons, Icon icon) override {
        shown.push_back(Shown{text, caption, buttons, icon});
        if (!m_answers.empty()) {
            const Answer a = m_answers.front();
            m_answers.pop_front();
            return a;
        }
        switch (buttons) {
            case Buttons::Ok: return Answer::Ok;
            case Buttons::YesNo: return Answer::No;
            default: return Answer::Cancel;
        }
    }
    std::optional<std::string> openFile(const FileDialogSpec& spec) override {
        fileDialogs.push_back(spec);
        if (m_opens.empty()) return std::nullopt;
        auto p = m_opens.front();
        m_opens.pop_front();
        return p;
    }
    std::optional<std::string> saveFile(const FileDialogSpec& spec) override {
        fileDialogs.push_back(spec);
        if (m_saves.empty()) return std::nullopt;
        auto p = m_saves.front();
        m_saves.pop_front();
        return p;
    }

    std::vector<Shown> shown;
    std::vector<FileDialogSpec> fileDialogs;

private:
    std::deque<Answer> m_answers;
    std::deque<std::optional<std::string>> m_opens;
    std::deque<std::optional<std::string>> m_saves;
};

}  // namespace avz::test
