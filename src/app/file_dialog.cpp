#include "file_dialog.hpp"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <utility>

namespace rozuduzod {

FileDialog::FileDialog(QWidget* owner, Kind kind, QStringList filters)
    : owner_(owner), kind_(kind), filters_(std::move(filters)) {}

bool FileDialog::Execute() {
    QFileDialog dialog(owner_);
    // Qt's own dialog behaves the same on every desktop, and under test.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(kind_ == Kind::kOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters_);
    dialog.selectNameFilter(filters_.value(filter_index_ - 1));
    // A name without a directory is offered in the current directory.
    if (file_name_.isEmpty()) {
        dialog.setDirectory(QDir::currentPath());
    } else {
        const QFileInfo offered(file_name_);
        dialog.setDirectory(offered.absolutePath());
        dialog.selectFile(offered.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    file_name_ = dialog.selectedFiles().constFirst();
    if (const auto chosen = filters_.indexOf(dialog.selectedNameFilter()); chosen >= 0) {
        filter_index_ = static_cast<int>(chosen) + 1;
    }
    return true;
}

std::string LocalPath(const QString& file_name) {
    return QFile::encodeName(file_name).toStdString();
}

}  // namespace rozuduzod
