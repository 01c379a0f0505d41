#pragma once
// What the window's tests share: a fresh working directory per test, files as bytes, and the
// texts the window is expected to show.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "application.hpp"
#include "locale_values.hpp"
#include "rozuduzod_form.hpp"

namespace rozuduzod::testing {

inline const QString kStartTitle = QStringLiteral("「ぽてりん」ﾃﾞｰﾀﾌｧｲﾙをｺﾝﾊﾞｰﾄ");
inline const QString kFullTitle = QStringLiteral("「ぽてりん」ﾃﾞｰﾀｺﾝﾊﾞｰﾄ  Ver 1.0");

// Makes a new empty directory the current one while it lives.
class WorkingDirectory {
  public:
    WorkingDirectory();
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

    QString FilePath(const QString& name) const { return directory_.filePath(name); }

  private:
    QString previous_;
    QTemporaryDir directory_;
};

// The sample files in examples/.
QString ExampleFile(const QString& name);

QByteArray ReadBytes(const QString& path);
void WriteBytes(const QString& path, const QByteArray& bytes);
// Shift-JIS bytes of a UTF-8 text.
QByteArray SjisBytes(const char* utf8);

// Sets the application up as the program's main block does, and creates the window with the
// locale's fallback values (so that weekday names do not depend on the machine).
std::unique_ptr<TRozudUzodForm> CreateWindow(Application& application);

}  // namespace rozuduzod::testing
