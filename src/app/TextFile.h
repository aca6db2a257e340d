#pragma once

#include <QByteArray>
#include <QString>

#include <string_view>

namespace app {

// The files that the text subcommands read and write, without widgets.
class TextFile {
  public:
    // Writes the bytes whole or not at all: into a temporary file that
    // replaces the target only when every write succeeded. False, with
    // "Impossibile scrivere il file ...: <why>." in *problem, when it fails.
    static bool save(const QString& path, std::string_view bytes, QString* problem);

    // The whole file, or standard input for "-". False, with "Impossibile
    // leggere il file ...: <why>." in *problem, when it cannot be read.
    static bool load(const QString& path, QByteArray* bytes, QString* problem);

    // Whether the path names a file of that extension (".csv"), in any case,
    // with a name before it: "dir/.csv" is no such file.
    static bool hasExtension(const QString& path, const QString& extension);
};

} // namespace app
