#include "files/BoardFileName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace quillet {

namespace {

char LowerAscii(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

bool EqualIgnoringAsciiCase(const std::string& a, const std::string& b) {
    return std::ranges::equal(a, b, [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

bool Exists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

}  // namespace

std::string LowerAsciiLetters(std::string name) {
    std::ranges::transform(name, name.begin(), LowerAscii);
    return name;
}

std::string WithBoardExtension(std::string name) {
    if (name.find(kBoardExtension) == std::string::npos) name += kBoardExtension;
    return name;
}

std::string InDirectory(const std::string& directory, const std::string& name) {
    if (directory.empty() || name.empty() || name.front() == '/') return name;
    return directory.back() == '/' ? directory + name : directory + '/' + name;
}

std::string MatchLetterCase(const std::string& name) {
    const QByteArray bytes = QByteArray::fromStdString(name);
    if (bytes.isEmpty() || bytes.contains('\0') || Exists(QFile::decodeName(bytes))) return name;

    const qsizetype slash = bytes.lastIndexOf('/');
    const std::string directory = name.substr(0, slash + 1);
    const std::string leaf = name.substr(slash + 1);
    if (leaf.empty()) return name;

    const QDir dir(directory.empty() ? QStringLiteral(".") : QFile::decodeName(directory.c_str()));
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden);
    std::string match;
    int matches = 0;
    for (const QString& entry : entries) {
        const std::string entryName = QFile::encodeName(entry).toStdString();
        if (!EqualIgnoringAsciiCase(entryName, leaf)) continue;
        match = entryName;
        ++matches;
    }
    return matches == 1 ? directory + match : name;
}

}  // namespace quillet
