#pragma once
// A file dialog as the handlers use it: Execute shows it, FileName is the name offered when it
// opens and, once the user confirmed, the full path of the chosen file, offered the next time.

#include <QString>
#include <QStringList>
#include <string>

class QWidget;

namespace rozuduzod {

class FileDialog {
  public:
    enum class Kind {
        kOpen,  // accepts a typed name of a file that does not exist
        kSave,  // asks before an existing file is chosen
    };

    // `filters` are name filters such as "ﾃﾞｰﾀﾌｧｲﾙ (*.dat)", the first one selected at first.
    FileDialog(QWidget* owner, Kind kind, QStringList filters);

    // Shows the dialog modally; true when the user confirmed a file, false when cancelled.
    bool Execute();

    const QString& FileName() const { return file_name_; }
    void SetFileName(const QString& file_name) { file_name_ = file_name; }
    // The filter in use, from 1; the one the user last chose.
    int FilterIndex() const { return filter_index_; }

  private:
    QWidget* owner_;
    Kind kind_;
    QStringList filters_;
    QString file_name_;
    int filter_index_ = 1;
};

// The path of a file name in the form the file system takes.
std::string LocalPath(const QString& file_name);

}  // namespace rozuduzod
