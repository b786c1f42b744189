// The GUI's Dialogs: real message boxes and file dialogs.
#pragma once

#include "core/dialogs.h"

class QWidget;

namespace avz {

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    Answer message(const std::string& text, const std::string& caption, Buttons buttons, Icon icon) override;
    std::optional<std::string> openFile(const FileDialogSpec& spec) override;
    std::optional<std::string> saveFile(const FileDialogSpec& spec) override;

    // "Area file (*.ara)|*.ara|All (*.*)|*.*" -> "Area file (*.ara);;All (*.*)".
    static std::string qtFilter(const std::string& filter);

private:
    QWidget* m_parent;
};

}  // namespace avz
