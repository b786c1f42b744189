// Message boxes and file dialogs on Qt Widgets.
#include "app/qt_dialogs.h"

#include <vector>

#include <QFileDialog>
#include <QMessageBox>

namespace avz {

namespace {
QMessageBox::Icon toQt(Icon icon) {
    switch (icon) {
        case Icon::Information: return QMessageBox::Information;
        case Icon::Warning: return QMessageBox::Warning;
        case Icon::Error: return QMessageBox::Critical;
        case Icon::Question: return QMessageBox::Question;
        case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQt(Buttons b) {
    switch (b) {
        case Buttons::Ok: return QMessageBox::Ok;
        case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
        case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}
}  // namespace

Answer QtDialogs::message(const std::string& text, const std::string& caption, Buttons buttons, Icon icon) {
    QMessageBox box(toQt(icon), QString::fromStdString(caption), QString::fromStdString(text), toQt(buttons),
                    m_parent);
    switch (box.exec()) {
        case QMessageBox::Ok: return Answer::Ok;
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        case QMessageBox::Cancel: return Answer::Cancel;
        default: break;
    }
    return (buttons == Buttons::YesNo) ? Answer::No : Answer::Cancel;
}

std::string QtDialogs::qtFilter(const std::string& filter) {
    // Pairs of description and pattern. Qt reads the patterns from parentheses in the description, so a
    // description that does not show its pattern that way gets it added, or its files would not be listed.
    std::vector<std::string> parts;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t bar = filter.find('|', pos);
        parts.push_back(filter.substr(pos, bar == std::string::npos ? std::string::npos : bar - pos));
        if (bar == std::string::npos) break;
        pos = bar + 1;
    }
    std::string out;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        if (parts[i].empty() && i + 1 >= parts.size()) continue;
        if (!out.empty()) out += ";;";
        out += parts[i];
        if (i + 1 < parts.size() && !parts[i + 1].empty() && parts[i].find("(" + parts[i + 1] + ")") == std::string::npos)
            out += " (" + parts[i + 1] + ")";
    }
    return out;
}

std::optional<std::string> QtDialogs::openFile(const FileDialogSpec& spec) {
    const QString dir = QString::fromStdString(spec.initialDir.empty() ? spec.initialName
                                                                       : spec.initialDir + "/" + spec.initialName);
    const QString path = QFileDialog::getOpenFileName(m_parent, QString::fromStdString(spec.title), dir,
                                                      QString::fromStdString(qtFilter(spec.filter)));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::optional<std::string> QtDialogs::saveFile(const FileDialogSpec& spec) {
    QFileDialog dlg(m_parent, QString::fromStdString(spec.title), QString::fromStdString(spec.initialDir),
                    QString::fromStdString(qtFilter(spec.filter)));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    // Overwriting is decided by the caller's own rules, never silently by the dialog.
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!spec.defaultExt.empty()) dlg.setDefaultSuffix(QString::fromStdString(spec.defaultExt));
    if (!spec.initialName.empty()) dlg.selectFile(QString::fromStdString(spec.initialName));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    return dlg.selectedFiles().front().toStdString();
}

}  // namespace avz
