#include "app_test_support.hpp"

#include <QDir>
#include <QFile>

#include "main_icon.hpp"
#include "shift_jis.hpp"

namespace rozuduzod::testing {

WorkingDirectory::WorkingDirectory() : previous_(QDir::currentPath()) {
    if (!directory_.isValid() || !QDir::setCurrent(directory_.path())) {
        qFatal("cannot make a working directory");
    }
}

WorkingDirectory::~WorkingDirectory() { QDir::setCurrent(previous_); }

QString ExampleFile(const QString& name) {
    return QDir(QStringLiteral(ROZUDUZOD_EXAMPLES_DIR)).filePath(name);
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
}

QByteArray SjisBytes(const char* utf8) { return QByteArray::fromStdString(Sjis(utf8)); }

std::unique_ptr<TRozudUzodForm> CreateWindow(Application& application) {
    application.SetTitle(kStartTitle);
    application.SetIcon(MainIcon());
    return std::make_unique<TRozudUzodForm>(application, LocaleValues{});
}

}  // namespace rozuduzod::testing
