// Every message box and file dialog goes through here, so tests can script the answers and read the texts.
#pragma once

#include <optional>
#include <string>

namespace avz {

// The caption of a plain message box: the program's title.
inline constexpr const char* kPlainCaption = "VIZ Avuzevi";

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Information, Warning, Error, Question };
enum class Answer { Ok, Cancel, Yes, No };

struct FileDialogSpec {
    std::string title;
    std::string filter;      // "Area file (*.ara)|*.ara" style: description, bar, pattern; pairs joined by bars
    std::string defaultExt;  // without the dot
    std::string initialDir;
    std::string initialName;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Texts are UTF-8. Returns the button pressed; a closed box answers Cancel, or No when there is no Cancel.
    virtual Answer message(const std::string& text, const std::string& caption, Buttons buttons, Icon icon) = 0;
    // The chosen path, or nothing when cancelled.
    virtual std::optional<std::string> openFile(const FileDialogSpec& spec) = 0;
    virtual std::optional<std::string> saveFile(const FileDialogSpec& spec) = 0;
};

const char* toString(Buttons b);
const char* toString(Icon i);
const char* toString(Answer a);

}  // namespace avz
