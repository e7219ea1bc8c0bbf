#include "windows/main/ProgramTitle.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace quillet {

QString ProgramTitleFromPath(const QString& executablePath) {
    QString name = QFileInfo(executablePath).fileName();
    name.truncate(name.indexOf(u'.') < 0 ? name.size() : name.indexOf(u'.'));
    return name.left(1) + name.mid(1).toLower();
}

QString ProgramTitle() {
    static const QString title = ProgramTitleFromPath(QCoreApplication::applicationFilePath());
    return title;
}

QString WithFullStop(const QString& message) {
    if (message.isEmpty() || message.back().unicode() <= u'.') return message;
    return message + u'.';
}

}  // namespace quillet
