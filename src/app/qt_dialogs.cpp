// Message boxes and file dialogs on Qt Widgets.
#include "app/qt_dialogs.h"

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
    std::string out;
    std::size_t pos = 0;
    int field = 0;
    while (pos <= filter.size()) {
        const std::size_t bar = filter.find('|', pos);
        const std::string part = filter.substr(pos, bar == std::string::npos ? std::string::npos : bar - pos);
        if (field % 2 == 0) {
            if (!out.empty()) out += ";;";
            out += part;
        }
        ++field;
        if (bar == std::string::npos) break;
        pos = bar + 1;
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
    if (!spec.initialName.empty()) dlg.selectFile(QString::fromStdString(spec.initialName));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    return dlg.selectedFiles().front().toStdString();
}

}  // namespace avz
