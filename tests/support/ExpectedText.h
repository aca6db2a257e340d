#pragma once

#include <QDir>
#include <QFile>
#include <QTest>

#include <string>

// A text output against its expected file, TEXT_EXPECTED_DIR/NAME.txt (each
// test names its folder); with
// RAGGIO_UPDATE_EXPECTED set (script/update-expected) the file is rewritten
// instead, for the change to be reviewed as a diff.
namespace expected_text {

inline bool matches(const QString& name, const std::string& actual) {
    QFile file(QStringLiteral(TEXT_EXPECTED_DIR "/") + name + QStringLiteral(".txt"));
    const QByteArray got = QByteArray::fromStdString(actual);
    if (qEnvironmentVariableIsSet("RAGGIO_UPDATE_EXPECTED")) {
        QDir().mkpath(QStringLiteral(TEXT_EXPECTED_DIR));
        return file.open(QIODevice::WriteOnly) && file.write(got) == got.size() && file.flush();
    }
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("no expected file %s", qPrintable(file.fileName()));
        return false;
    }
    const QByteArray want = file.readAll();
    if (want == got)
        return true;
    const QList<QByteArray> a = got.split('\n'), b = want.split('\n');
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i)
        if (a.value(i) != b.value(i)) {
            qWarning("%s, line %lld:\n  got  %s\n  want %s", qPrintable(file.fileName()),
                     static_cast<long long>(i + 1), a.value(i).constData(), b.value(i).constData());
            break;
        }
    return false;
}

} // namespace expected_text
